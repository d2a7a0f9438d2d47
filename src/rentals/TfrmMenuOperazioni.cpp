#include "rentals/TfrmMenuOperazioni.h"

TfrmMenuOperazioni* frmMenuOperazioni = nullptr;

TfrmMenuOperazioni::TfrmMenuOperazioni()
    : TAppScreen(QStringLiteral(" Onderia - Ritiri e Riconsegne")) {}
