#include "fleet/FleetLists.h"

void FleetLists::openSmarrite(QWidget*) {}
void FleetLists::openChiaviRitiro(QWidget*) {}
void FleetLists::openChiaviRiconsegna(QWidget*) {}
void FleetLists::openDaRiconsegnare(QWidget*) {}
void FleetLists::openSearch(QWidget*) {}
