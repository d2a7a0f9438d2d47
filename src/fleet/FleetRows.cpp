#include "fleet/FleetRows.h"

#include "store/ShortText.h"

#include <algorithm>
#include <array>
#include <vector>

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

namespace {

// Character by character from `from` on, as lessThan compares: <0, 0 or >0.
int compareFrom(const QChar* a, qsizetype na, const QChar* b, qsizetype nb, qsizetype from) {
    const qsizetype n = std::min(na, nb);
    for (qsizetype i = from; i < n; ++i) {
        if (a[i] == b[i])
            continue;
        const char16_t ca = upperAZ(a[i].unicode());
        const char16_t cb = upperAZ(b[i].unicode());
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return na < nb ? -1 : na > nb ? 1 : 0;
}

// The sort's view of a row: its first characters after the beginning all rows share, packed
// four to a word as lessThan sees them (a-z as A-Z), so that most comparisons are a few integer
// comparisons on a small array instead of a walk through rows spread over the heap. A row that
// ends inside the key is padded with zeros: a key that differs orders the rows as lessThan
// does, and equal keys leave the rest of the row to decide.
constexpr size_t kKeyWords = 10;
constexpr qsizetype kKeyChars = qsizetype(kKeyWords) * 4;

struct Keyed {
    std::array<quint64, kKeyWords> key;
    qsizetype index;
};

// The keys from `from` on; false (and the keys unfinished) when a row does not begin with the
// first `from` characters of `shared`.
bool makeKeys(const QStringList& rows, const QString& shared, qsizetype from,
              std::vector<Keyed>& keyed) {
    keyed.clear();
    for (qsizetype index = 0; index < rows.size(); ++index) {
        const QString& row = rows.at(index);
        const QChar* p = row.constData();
        const qsizetype size = row.size();
        if (size < from || QStringView(p, from) != QStringView(shared).first(from))
            return false;
        char16_t c[kKeyChars] = {};
        const qsizetype n = std::min(size - from, kKeyChars);
        for (qsizetype i = 0; i < n; ++i)
            c[i] = upperAZ(p[from + i].unicode());
        Keyed k{{}, index};
        for (size_t w = 0; w < kKeyWords; ++w)
            k.key[w] = quint64(c[4 * w]) << 48 | quint64(c[4 * w + 1]) << 32 |
                       quint64(c[4 * w + 2]) << 16 | quint64(c[4 * w + 3]);
        keyed.push_back(k);
    }
    return true;
}

} // namespace

void FleetRows::sort(QStringList& rows) {
    if (std::is_sorted(rows.cbegin(), rows.cend(), lessThan))
        return;
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(rows.size()));
    // Rows share their beginning ("Cod. " at least): the keys start after it. The first and
    // last rows give it; the rare list where another row differs sooner starts again earlier.
    const QString first = rows.first();
    const QString& last = rows.last();
    qsizetype from = 0;
    while (from < std::min(first.size(), last.size()) && first.at(from) == last.at(from))
        ++from;
    if (!makeKeys(rows, first, from, keyed)) {
        from = 0;
        makeKeys(rows, first, from, keyed);
    }
    // By key alone first, equal keys in their original order; a comparison touches no row.
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        for (size_t w = 0; w < kKeyWords; ++w)
            if (a.key[w] != b.key[w])
                return a.key[w] < b.key[w];
        return a.index < b.index;
    });
    // Then each run of equal keys (codes equal but for case, say) by the rest of its rows, stably:
    // rows comparing equal stay in their original order. Runs are short, so mostly an insertion.
    auto before = [&rows, from](const Keyed& a, const Keyed& b) {
        const QString& ra = rows.at(a.index);
        const QString& rb = rows.at(b.index);
        const qsizetype decided = std::min({from + kKeyChars, ra.size(), rb.size()});
        return compareFrom(ra.constData(), ra.size(), rb.constData(), rb.size(), decided) < 0;
    };
    for (size_t run = 0; run < keyed.size();) {
        size_t end = run + 1;
        while (end < keyed.size() && keyed[end].key == keyed[run].key)
            ++end;
        if (end - run > 16) {
            std::stable_sort(keyed.begin() + qsizetype(run), keyed.begin() + qsizetype(end),
                             before);
        } else {
            for (size_t i = run + 1; i < end; ++i)
                for (size_t j = i; j > run && before(keyed[j], keyed[j - 1]); --j)
                    std::swap(keyed[j], keyed[j - 1]);
        }
        run = end;
    }
    QStringList sorted;
    sorted.reserve(rows.size());
    for (const Keyed& k : keyed)
        sorted.append(std::move(rows[k.index]));
    rows = std::move(sorted);
}
