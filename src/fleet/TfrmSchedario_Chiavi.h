#pragma once
#include "app/AppScreen.h"

class TfrmSchedario_Chiavi : public TAppScreen {
    Q_OBJECT
public:
    explicit TfrmSchedario_Chiavi();
};

extern TfrmSchedario_Chiavi* frmSchedario_Chiavi;
