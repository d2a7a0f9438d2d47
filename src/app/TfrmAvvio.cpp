#include "app/TfrmAvvio.h"

#include "app/Screens.h"

TfrmAvvio* frmAvvio = nullptr;

TfrmAvvio::TfrmAvvio() : TAppScreen(QStringLiteral(" Onderia")) {}

void TfrmAvvio::leaving() {
    Screens::endProgram();
}
