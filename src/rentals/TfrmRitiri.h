#pragma once
#include "app/AppScreen.h"
#include "fleet/TScheda.h"

class TfrmRitiri : public TAppScreen {
    Q_OBJECT
public:
    explicit TfrmRitiri();
    // Loads the craft chosen in the pick-up list: the card into the controls, its position
    // in lblPosizione, the year label, then the now action.
    void putCard(const TScheda& card, qint64 position);
};

extern TfrmRitiri* frmRitiri;
