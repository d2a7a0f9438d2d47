#pragma once
#include "app/AppScreen.h"

// The start menu.
class TfrmAvvio : public TAppScreen {
    Q_OBJECT
public:
    explicit TfrmAvvio();

protected:
    // Closing the start menu ends the program.
    void leaving() override;
};

extern TfrmAvvio* frmAvvio;
