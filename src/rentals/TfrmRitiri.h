#pragma once
#include "rentals/TfrmOperazione.h"

// The pick-up screen.
class TfrmRitiri : public TfrmOperazione {
    Q_OBJECT
public:
    TfrmRitiri() : TfrmOperazione(Side::Ritiro) {}
};

extern TfrmRitiri* frmRitiri;
