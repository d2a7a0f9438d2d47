#include "fleet/FleetRows.h"

#include "store/ShortText.h"

#include <algorithm>

namespace {
inline char16_t upperAZ(char16_t c) {
    return c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c;
}
} // namespace

QString FleetRows::padded(const QString& field, int width) {
    return ShortText::trim(field).leftJustified(width, QLatin1Char(' '), true);
}

namespace {

// The field without the characters of code 32 or less around it.
QStringView trimmedView(const QString& text) {
    QStringView view(text);
    qsizetype begin = 0;
    qsizetype end = view.size();
    while (begin < end && view[begin].unicode() <= 32)
        ++begin;
    while (end > begin && view[end - 1].unicode() <= 32)
        --end;
    return view.sliced(begin, end - begin);
}

// Appends padded(field, width) without building it apart.
void appendPadded(QString& out, const QString& field, int width) {
    const QStringView text = trimmedView(field);
    out.append(text.first(std::min<qsizetype>(text.size(), width)));
    for (qsizetype i = text.size(); i < width; ++i)
        out.append(QLatin1Char(' '));
}

} // namespace

QString FleetRows::fourField(const TScheda& card) {
    const QStringView note = trimmedView(card.Note);
    QString out;
    out.reserve(5 + 20 + 8 + 30 + 11 + 30 + 8 + note.size());
    out.append(QLatin1String("Cod. "));
    appendPadded(out, card.Codice, 20);
    out.append(QLatin1String("  Tipo: "));
    appendPadded(out, card.Tipo, 30);
    out.append(QLatin1String("  Tariffa: "));
    appendPadded(out, card.Utilizzo, 30);
    out.append(QLatin1String("  Note: "));
    out.append(note);
    return out;
}

QString FleetRows::state(const TScheda& card) {
    const QStringView state = trimmedView(card.Stato);
    QString out;
    out.reserve(5 + 20 + 8 + 30 + 2 + state.size());
    out.append(QLatin1String("Cod. "));
    appendPadded(out, card.Codice, 20);
    out.append(QLatin1String("  Tipo: "));
    appendPadded(out, card.Tipo, 30);
    out.append(QLatin1String("  "));
    out.append(state);
    return out;
}

QString FleetRows::row(Format format, const TScheda& card) {
    return format == Format::FourField ? fourField(card) : state(card);
}

namespace {

void appendPaddedBytes(QString& out, QByteArrayView text, int width) {
    ShortText::appendWindows1252(out, text.first(std::min<qsizetype>(text.size(), width)));
    for (qsizetype i = text.size(); i < width; ++i)
        out.append(QLatin1Char(' '));
}

} // namespace

QString FleetRows::row(Format format, const char* record) {
    static const FieldDef<TScheda>& codice = TScheda::field(&TScheda::Codice);
    static const FieldDef<TScheda>& tipo = TScheda::field(&TScheda::Tipo);
    static const FieldDef<TScheda>& utilizzo = TScheda::field(&TScheda::Utilizzo);
    auto view = [record](const FieldDef<TScheda>& f) {
        return ShortText::trimmed(ShortText::bytes(record + f.offset, f.capacity));
    };
    static const FieldDef<TScheda>& note = TScheda::field(&TScheda::Note);
    static const FieldDef<TScheda>& stato = TScheda::field(&TScheda::Stato);
    const QByteArrayView tail = view(format == Format::FourField ? note : stato);
    QString out;
    out.reserve(5 + 20 + 8 + 30 + 11 + 30 + 8 + tail.size());
    out.append(QLatin1String("Cod. "));
    appendPaddedBytes(out, view(codice), 20);
    out.append(QLatin1String("  Tipo: "));
    appendPaddedBytes(out, view(tipo), 30);
    if (format == Format::FourField) {
        out.append(QLatin1String("  Tariffa: "));
        appendPaddedBytes(out, view(utilizzo), 30);
        out.append(QLatin1String("  Note: "));
    } else {
        out.append(QLatin1String("  "));
    }
    ShortText::appendWindows1252(out, tail);
    return out;
}

QString FleetRows::lowerAZ(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c.unicode() >= u'A' && c.unicode() <= u'Z')
            c = QChar(char16_t(c.unicode() + (u'a' - u'A')));
    return out;
}

bool FleetRows::lessThan(const QString& a, const QString& b) {
    const qsizetype n = std::min(a.size(), b.size());
    const QChar* pa = a.constData();
    const QChar* pb = b.constData();
    for (qsizetype i = 0; i < n; ++i) {
        if (pa[i] == pb[i]) // rows share long beginnings ("Cod. ", the code's prefix)
            continue;
        const char16_t ca = upperAZ(pa[i].unicode());
        const char16_t cb = upperAZ(pb[i].unicode());
        if (ca != cb)
            return ca < cb;
    }
    return a.size() < b.size();
}

void FleetRows::sort(QStringList& rows) {
    if (std::is_sorted(rows.cbegin(), rows.cend(), lessThan))
        return;
    std::stable_sort(rows.begin(), rows.end(), lessThan);
}
