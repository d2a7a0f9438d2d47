#include "access/TfrmCambiaPassword.h"

TfrmCambiaPassword* frmCambiaPassword = nullptr;

TfrmCambiaPassword::TfrmCambiaPassword()
    : TAuxDialog(nullptr, QStringLiteral(" Cambia password")) {}
