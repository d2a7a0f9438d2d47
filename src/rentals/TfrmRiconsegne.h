#pragma once
#include "app/AppScreen.h"

class TfrmRiconsegne : public TAppScreen {
    Q_OBJECT
public:
    explicit TfrmRiconsegne();
};

extern TfrmRiconsegne* frmRiconsegne;
