#include "rentals/TfrmRitiri.h"

TfrmRitiri* frmRitiri = nullptr;
