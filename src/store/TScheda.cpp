#include "store/TScheda.h"

#include <algorithm>

namespace {
using F = FieldDef<TScheda>;
constexpr F kFields[] = {
    {"Scheda", 0, 5, &TScheda::Scheda},
    {"Codice", 6, 20, &TScheda::Codice},
    {"Tipo", 27, 50, &TScheda::Tipo},
    {"Utilizzo", 78, 50, &TScheda::Utilizzo},
    {"Stato", 129, 250, &TScheda::Stato},
    {"Duplicati", 380, 250, &TScheda::Duplicati},
    {"Luogo", 631, 250, &TScheda::Luogo},
    {"Responsabile", 882, 250, &TScheda::Responsabile},
    {"Recapiti", 1133, 250, &TScheda::Recapiti},
    {"Persone", 1384, 250, &TScheda::Persone},
    {"Note", 1635, 250, &TScheda::Note},
    {"Smarrita", 1886, 2, &TScheda::Smarrita},
    {"GiornoRit", 1889, 2, &TScheda::GiornoRit},
    {"MeseRit", 1892, 10, &TScheda::MeseRit},
    {"AnnoRit", 1903, 4, &TScheda::AnnoRit},
    {"DataRit", 1908, 10, &TScheda::DataRit},
    {"OreRit", 1919, 2, &TScheda::OreRit},
    {"MinutiRit", 1922, 2, &TScheda::MinutiRit},
    {"OraRit", 1925, 5, &TScheda::OraRit},
    {"GiornoRic", 1931, 2, &TScheda::GiornoRic},
    {"MeseRic", 1934, 10, &TScheda::MeseRic},
    {"AnnoRic", 1945, 4, &TScheda::AnnoRic},
    {"DataRic", 1950, 10, &TScheda::DataRic},
    {"OreRic", 1961, 2, &TScheda::OreRic},
    {"MinutiRic", 1964, 2, &TScheda::MinutiRic},
    {"OraRic", 1967, 5, &TScheda::OraRic},
    {"PersonaRit", 1973, 50, &TScheda::PersonaRit},
    {"PersonaRic", 2024, 50, &TScheda::PersonaRic},
    {"File01", 2075, 250, &TScheda::File01},
    {"File02", 2326, 250, &TScheda::File02},
    {"File03", 2577, 250, &TScheda::File03},
    {"Desc01", 2828, 250, &TScheda::Desc01},
    {"Desc02", 3079, 250, &TScheda::Desc02},
    {"Desc03", 3330, 250, &TScheda::Desc03},
};
} // namespace

std::span<const FieldDef<TScheda>> TScheda::fields() {
    return kFields;
}

const FieldDef<TScheda>& TScheda::field(QString TScheda::*member) {
    for (const F& f : kFields)
        if (f.member == member)
            return f;
    return kFields[0]; // every member has its field
}

QByteArray TScheda::toBytes() const {
    return packRecord<TScheda>(*this, kFields, kSize);
}

TScheda TScheda::fromBytes(const char* bytes) {
    return unpackRecord<TScheda>(bytes, kFields);
}

QString TScheda::numberFor(qint64 position) {
    return (QStringLiteral("00000") + QString::number(position)).right(5);
}

bool TScheda::plausible(const char* bytes, qsizetype size, qint64 position) {
    if (!fieldsFit<TScheda>(bytes, size, kFields))
        return false;
    const QByteArray number = QByteArray(bytes, std::min<qsizetype>(size, 6));
    if (size < kSize) // only the program's own append leaves a piece: it begins with the number
        return (QByteArray(1, '\x05') + numberFor(position).toLatin1()).startsWith(number);
    // A whole card carries its number, or none in files written before numbering.
    if (number.at(0) == 0)
        return true;
    if (number.at(0) != 5)
        return false;
    for (const char c : number.mid(1))
        if (c < '0' || c > '9')
            return false;
    return true;
}
