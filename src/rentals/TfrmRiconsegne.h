#pragma once
#include "rentals/TfrmOperazione.h"

// The return screen.
class TfrmRiconsegne : public TfrmOperazione {
    Q_OBJECT
public:
    TfrmRiconsegne() : TfrmOperazione(Side::Riconsegna) {}
};

extern TfrmRiconsegne* frmRiconsegne;
