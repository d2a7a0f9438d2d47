#pragma once

class QWidget;

// Openers of the fleet list screens and the fleet search; each shows its screen modally,
// owned by the opener, and hands the chosen card to the screen it serves.
namespace FleetLists {

void openSmarrite(QWidget* owner);         // not-rentable craft -> fleet card screen
void openChiaviRitiro(QWidget* owner);     // available craft -> pick-up screen
void openChiaviRiconsegna(QWidget* owner); // craft out -> return screen
void openDaRiconsegnare(QWidget* owner);   // craft out, no hand-over
void openSearch(QWidget* owner);           // fleet search -> fleet card screen

} // namespace FleetLists
