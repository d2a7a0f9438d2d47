#include "access/TfrmPassword.h"

TfrmPassword* frmPassword = nullptr;

TfrmPassword::TfrmPassword() : TAuxDialog(nullptr, QStringLiteral(" Onderia - Autenticazione")) {}
