#pragma once
#include "app/AppScreen.h"

class TfrmCambiaPassword : public TAuxDialog {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword();
};

extern TfrmCambiaPassword* frmCambiaPassword;
