#include "fleet/FleetRows.h"

#include "store/ShortText.h"

#include <algorithm>
#include <vector>

namespace {
inline char16_t upperAZ(char16_t c) {
    return c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c;
}
} // namespace

QString FleetRows::padded(const QString& field, int width) {
    return ShortText::trim(field).leftJustified(width, QLatin1Char(' '), true);
}

QString FleetRows::fourField(const TScheda& card) {
    return QStringLiteral("Cod. ") + padded(card.Codice, 20) + QStringLiteral("  Tipo: ") +
           padded(card.Tipo, 30) + QStringLiteral("  Tariffa: ") + padded(card.Utilizzo, 30) +
           QStringLiteral("  Note: ") + ShortText::trim(card.Note);
}

QString FleetRows::state(const TScheda& card) {
    return QStringLiteral("Cod. ") + padded(card.Codice, 20) + QStringLiteral("  Tipo: ") +
           padded(card.Tipo, 30) + QStringLiteral("  ") + ShortText::trim(card.Stato);
}

QString FleetRows::row(Format format, const TScheda& card) {
    return format == Format::FourField ? fourField(card) : state(card);
}

TScheda FleetRows::listCard(const char* record) {
    static QString TScheda::*const kListFields[] = {&TScheda::Codice,   &TScheda::Tipo,
                                                    &TScheda::Utilizzo, &TScheda::Stato,
                                                    &TScheda::Note,     &TScheda::Smarrita};
    static const std::vector<FieldDef<TScheda>> defs = [] {
        std::vector<FieldDef<TScheda>> d;
        for (QString TScheda::*member : kListFields)
            d.push_back(TScheda::field(member));
        return d;
    }();
    TScheda card;
    for (const FieldDef<TScheda>& f : defs)
        card.*(f.member) = ShortText::read(record + f.offset, f.capacity);
    return card;
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
        const char16_t ca = upperAZ(pa[i].unicode());
        const char16_t cb = upperAZ(pb[i].unicode());
        if (ca != cb)
            return ca < cb;
    }
    return a.size() < b.size();
}

void FleetRows::sort(QStringList& rows) {
    std::stable_sort(rows.begin(), rows.end(), lessThan);
}
