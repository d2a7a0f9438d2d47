#include "fleet/TfrmSchedario_Chiavi.h"

TfrmSchedario_Chiavi* frmSchedario_Chiavi = nullptr;

TfrmSchedario_Chiavi::TfrmSchedario_Chiavi()
    : TAppScreen(QStringLiteral(" Onderia - Vuvedi Duvav")) {}

void TfrmSchedario_Chiavi::putCard(const TScheda&, qint64) {}
