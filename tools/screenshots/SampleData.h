#pragma once
#include "store/TScheda.h"

namespace Shots {

// The jet ski the rentals and print screenshots show, available for pick-up.
inline TScheda sampleCard() {
    TScheda c;
    c.Scheda = QStringLiteral("00004");
    c.Codice = QStringLiteral("JS-04");
    c.Tipo = QStringLiteral("Moto d'acqua Yamaha VX Cruiser");
    c.Utilizzo = QStringLiteral("80 € l'ora, 250 € mezza giornata");
    c.Stato = QStringLiteral("Disponibile");
    c.Duplicati = QStringLiteral("3 posti, 110 CV, colore blu e bianco");
    c.Luogo = QStringLiteral("Pontile B, posto 3");
    c.Responsabile = QStringLiteral("2 giubbotti salvagente, cima di traino");
    c.Recapiti = QStringLiteral("Patente nautica, età minima 18 anni");
    c.Persone = QStringLiteral("Carta d'identità e patente nautica");
    c.Note = QStringLiteral("Tagliando eseguito a maggio");
    c.Smarrita = QStringLiteral("No");
    return c;
}

} // namespace Shots
