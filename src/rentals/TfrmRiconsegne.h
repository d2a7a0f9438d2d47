#pragma once
#include "app/AppScreen.h"
#include "fleet/TScheda.h"

class TfrmRiconsegne : public TAppScreen {
    Q_OBJECT
public:
    explicit TfrmRiconsegne();
    // Loads the craft chosen in the return list: the card into the controls, its position
    // in lblPosizione, the year label, then the now action.
    void putCard(const TScheda& card, qint64 position);
};

extern TfrmRiconsegne* frmRiconsegne;
