#pragma once
#include "app/AppScreen.h"

class TfrmMenuRiepilogo : public TAppScreen {
    Q_OBJECT
public:
    explicit TfrmMenuRiepilogo();
};

extern TfrmMenuRiepilogo* frmMenuRiepilogo;
