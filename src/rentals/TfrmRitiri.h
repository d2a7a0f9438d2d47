#pragma once
#include "app/AppScreen.h"

class TfrmRitiri : public TAppScreen {
    Q_OBJECT
public:
    explicit TfrmRitiri();
};

extern TfrmRitiri* frmRitiri;
