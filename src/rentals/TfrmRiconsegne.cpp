#include "rentals/TfrmRiconsegne.h"

TfrmRiconsegne* frmRiconsegne = nullptr;
