#pragma once
#include "app/AppScreen.h"
#include "fleet/TScheda.h"

class TfrmSchedario_Chiavi : public TAppScreen {
    Q_OBJECT
public:
    explicit TfrmSchedario_Chiavi();
    // Puts a card read from the fleet file into the controls, with its 1-based position
    // in lblPosizione (search, lists and browsing hand cards over this way).
    void putCard(const TScheda& card, qint64 position);
};

extern TfrmSchedario_Chiavi* frmSchedario_Chiavi;
