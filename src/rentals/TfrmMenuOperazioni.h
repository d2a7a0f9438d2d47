#pragma once
#include "app/AppScreen.h"

class QLabel;

// The entry screen of pick-ups and returns. lblMemory decides, on every closing, which screen
// comes next: the start menu, the pick-up screen or the return screen.
class TfrmMenuOperazioni : public TAppScreen {
    Q_OBJECT
public:
    TfrmMenuOperazioni();

public slots:
    void btnOrizzontaliClick();
    void btnVerticaliClick();
    void imgEsciClick();
    void imgGuidaClick();

protected:
    void FormShow() override;

protected slots:
    void FormClose() override;

private:
    QLabel* lblMemory_;
};

extern TfrmMenuOperazioni* frmMenuOperazioni;
