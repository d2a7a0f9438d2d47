#pragma once
// Builds history files for the tests through the record module.
#include "store/HistoryFile.h"
#include "store/TNoleggio.h"

#include <QList>
#include <QString>

namespace HistoryFixtures {

// A rental of a type picked up on a date; the other fields are plausible and distinct.
inline TNoleggio rental(const QString& codice, const QString& tipo, const QString& dataRit,
                        const QString& dataRic = QString()) {
    TNoleggio r;
    r.Codice = codice;
    r.Tipo = tipo;
    r.Utilizzo = QStringLiteral("€ 20,00");
    r.Luogo = QStringLiteral("Spiaggia");
    r.Persone = QStringLiteral("Documento");
    r.PersonaRit = QStringLiteral("Cliente ") + codice;
    r.DataRit = dataRit;
    r.OraRit = QStringLiteral("10:00");
    r.PersonaRic = r.PersonaRit;
    r.DataRic = dataRic.isNull() ? dataRit : dataRic;
    r.OraRic = QStringLiteral("11:00");
    return r;
}

inline void write(const QList<TNoleggio>& rentals) {
    HistoryFile file;
    file.openForWriting();
    for (const TNoleggio& r : rentals)
        file.append(r);
    file.close();
}

} // namespace HistoryFixtures
