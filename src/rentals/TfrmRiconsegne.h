#pragma once
#include "rentals/TfrmOperazione.h"

// The return screen.
class TfrmRiconsegne : public TfrmOperazione {
    Q_OBJECT
public:
    TfrmRiconsegne() : TfrmOperazione(Side::Riconsegna) {}

public slots:
    // The now button, also run by the selection list once a craft is loaded.
    void impRiconsegnaClick() { dateTime()->nowAction(); }
    void txtGiornoRicExit() { dateTime()->leave(dateTime()->mine().giorno); }
    void txtMeseRicExit() { dateTime()->leave(dateTime()->mine().mese); }
    void txtOreRicExit() { dateTime()->leave(dateTime()->mine().ore); }
    void txtMinutiRicExit() { dateTime()->leave(dateTime()->mine().minuti); }
};

extern TfrmRiconsegne* frmRiconsegne;
