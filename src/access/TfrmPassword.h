#pragma once
#include "app/AppScreen.h"

class TfrmPassword : public TAuxDialog {
    Q_OBJECT
public:
    explicit TfrmPassword();
};

extern TfrmPassword* frmPassword;
