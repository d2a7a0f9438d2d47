#include "store/TNoleggio.h"

namespace {
using F = FieldDef<TNoleggio>;
constexpr F kFields[] = {
    {"Codice", 0, 20, &TNoleggio::Codice},
    {"Tipo", 21, 50, &TNoleggio::Tipo},
    {"Utilizzo", 72, 50, &TNoleggio::Utilizzo},
    {"Luogo", 123, 250, &TNoleggio::Luogo},
    {"Persone", 374, 250, &TNoleggio::Persone},
    {"PersonaRit", 625, 50, &TNoleggio::PersonaRit},
    {"DataRit", 676, 10, &TNoleggio::DataRit},
    {"OraRit", 687, 5, &TNoleggio::OraRit},
    {"PersonaRic", 693, 50, &TNoleggio::PersonaRic},
    {"DataRic", 744, 10, &TNoleggio::DataRic},
    {"OraRic", 755, 5, &TNoleggio::OraRic},
};
} // namespace

std::span<const FieldDef<TNoleggio>> TNoleggio::fields() {
    return kFields;
}

QByteArray TNoleggio::toBytes() const {
    return packRecord<TNoleggio>(*this, kFields, kSize);
}

TNoleggio TNoleggio::fromBytes(const char* bytes) {
    return unpackRecord<TNoleggio>(bytes, kFields);
}

bool TNoleggio::plausible(const char* bytes, qsizetype size, qint64) {
    return fieldsFit<TNoleggio>(bytes, size, fields());
}
