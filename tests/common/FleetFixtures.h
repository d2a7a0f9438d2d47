#pragma once
#include "store/FleetFile.h"
#include "store/TScheda.h"

#include <QList>
#include <QString>

// A card with the fields the lists look at; the rest stays empty.
inline TScheda fleetCard(const QString& codice, const QString& tipo, const QString& utilizzo,
                         const QString& smarrita = QStringLiteral("No"),
                         const QString& stato = QStringLiteral("Disponibile"),
                         const QString& note = QString()) {
    TScheda c;
    c.Codice = codice;
    c.Tipo = tipo;
    c.Utilizzo = utilizzo;
    c.Smarrita = smarrita;
    c.Stato = stato;
    c.Note = note;
    c.Luogo = QStringLiteral("Pontile nord");
    c.Persone = QStringLiteral("Carta d'identità");
    return c;
}

// Writes the cards to the fleet file of the current program folder, numbering them by position.
inline void writeFleet(QList<TScheda> cards) {
    FleetFile file;
    file.openForWriting();
    for (TScheda& c : cards) {
        c.Scheda = TScheda::numberFor(file.count() + 1);
        file.append(c);
    }
    file.close();
}
