#include "rentals/TfrmRiconsegne.h"

TfrmRiconsegne* frmRiconsegne = nullptr;

TfrmRiconsegne::TfrmRiconsegne() : TAppScreen(QStringLiteral(" Onderia - Ritiri e Riconsegne")) {}

void TfrmRiconsegne::putCard(const TScheda&, qint64) {}
