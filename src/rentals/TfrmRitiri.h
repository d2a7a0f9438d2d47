#pragma once
#include "rentals/TfrmOperazione.h"

// The pick-up screen.
class TfrmRitiri : public TfrmOperazione {
    Q_OBJECT
public:
    TfrmRitiri() : TfrmOperazione(Side::Ritiro) {}

public slots:
    // The now button, also run by the selection list once a craft is loaded.
    void impRitiroClick() { dateTime()->nowAction(); }
    void txtGiornoRitExit() { dateTime()->leave(dateTime()->mine().giorno); }
    void txtMeseRitExit() { dateTime()->leave(dateTime()->mine().mese); }
    void txtOreRitExit() { dateTime()->leave(dateTime()->mine().ore); }
    void txtMinutiRitExit() { dateTime()->leave(dateTime()->mine().minuti); }
};

extern TfrmRitiri* frmRitiri;
