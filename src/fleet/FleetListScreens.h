#pragma once
#include "fleet/FleetListView.h"

// The four fleet list screens: one implementation, four descriptors.

// Craft that cannot be rented; a double-click loads the card into the fleet card screen.
class TfrmRiepSmarrite : public TfrmFleetList {
    Q_OBJECT
public:
    explicit TfrmRiepSmarrite(QWidget* owner);
    static FleetListKind kind();
};

// Craft available for pick-up; a double-click hands the craft to the pick-up screen.
class TfrmRiepChiaviRitiro : public TfrmFleetList {
    Q_OBJECT
public:
    explicit TfrmRiepChiaviRitiro(QWidget* owner);
    static FleetListKind kind();
};

// Craft out; a double-click hands the craft to the return screen.
class TfrmRiepChiaviRiconsegna : public TfrmFleetList {
    Q_OBJECT
public:
    explicit TfrmRiepChiaviRiconsegna(QWidget* owner);
    static FleetListKind kind();
};

// Craft out, for looking only: no double-click.
class TfrmRiepDaRiconsegnare : public TfrmFleetList {
    Q_OBJECT
public:
    explicit TfrmRiepDaRiconsegnare(QWidget* owner);
    static FleetListKind kind();
};
