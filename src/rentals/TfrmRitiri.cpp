#include "rentals/TfrmRitiri.h"

TfrmRitiri* frmRitiri = nullptr;

TfrmRitiri::TfrmRitiri() : TAppScreen(QStringLiteral(" Onderia - Ritiri e Riconsegne")) {}

void TfrmRitiri::putCard(const TScheda&, qint64) {}
