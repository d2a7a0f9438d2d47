#pragma once
#include "store/TScheda.h"

#include <QList>
#include <QString>

class QWidget;

// Openers of the fleet list screens and the fleet search; each shows its screen modally,
// owned by the opener, and hands the chosen card to the screen it serves.
namespace FleetLists {

void openSmarrite(QWidget* owner);         // not-rentable craft -> fleet card screen
void openChiaviRitiro(QWidget* owner);     // available craft -> pick-up screen
void openChiaviRiconsegna(QWidget* owner); // craft out -> return screen
void openDaRiconsegnare(QWidget* owner);   // craft out, no hand-over
void openSearch(QWidget* owner);           // fleet search -> fleet card screen

// The hand-overs of a chosen card (with its 1-based position) into the persistent screens.
// `stored` is the card's bytes as read: a later rewrite checks that the card is still those.
void toFleetCard(const TScheda& card, qint64 position, const QByteArray& stored = {});
void toPickUp(const TScheda& card, qint64 position, const QByteArray& stored = {});
void toReturn(const TScheda& card, qint64 position, const QByteArray& stored = {});
// As if the user pressed the pick-up (return) screen's current-date-and-time picture.
void nowOnPickUp();
void nowOnReturn();

namespace Test {
struct HandOver {
    QString screen; // "frmSchedario_Chiavi", "frmRitiri" or "frmRiconsegne"
    TScheda card;
    qint64 position;
};
// Every hand-over since the last clear, oldest first (the screens still get the card).
QList<HandOver>& handOvers();
} // namespace Test

} // namespace FleetLists
