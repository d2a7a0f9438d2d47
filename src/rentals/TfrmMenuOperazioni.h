#pragma once
#include "app/AppScreen.h"

class TfrmMenuOperazioni : public TAppScreen {
    Q_OBJECT
public:
    explicit TfrmMenuOperazioni();
};

extern TfrmMenuOperazioni* frmMenuOperazioni;
