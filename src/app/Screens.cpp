#include "app/Screens.h"

#include "access/TfrmCambiaPassword.h"
#include "access/TfrmPassword.h"
#include "app/TfrmAvvio.h"
#include "fleet/TfrmSchedario_Chiavi.h"
#include "history/TfrmMenuRiepilogo.h"
#include "rentals/TfrmMenuOperazioni.h"
#include "rentals/TfrmRiconsegne.h"
#include "rentals/TfrmRitiri.h"

#include <QCoreApplication>
#include <QWidget>

namespace {
bool endingNow = false;
}

void Screens::createAll() {
    createLogin();
    createRest();
}

void Screens::createLogin() {
    endingNow = false;
    // The login screen comes first: it is the program's main window.
    frmPassword = new TfrmPassword();
}

void Screens::createRest() {
    frmAvvio = new TfrmAvvio();
    frmCambiaPassword = new TfrmCambiaPassword();
    frmSchedario_Chiavi = new TfrmSchedario_Chiavi();
    frmMenuOperazioni = new TfrmMenuOperazioni();
    frmRitiri = new TfrmRitiri();
    frmRiconsegne = new TfrmRiconsegne();
    frmMenuRiepilogo = new TfrmMenuRiepilogo();
}

void Screens::destroyAll() {
    endingNow = true;
    delete frmMenuRiepilogo;
    delete frmRiconsegne;
    delete frmRitiri;
    delete frmMenuOperazioni;
    delete frmSchedario_Chiavi;
    delete frmCambiaPassword;
    delete frmAvvio;
    delete frmPassword;
    frmMenuRiepilogo = nullptr;
    frmRiconsegne = nullptr;
    frmRitiri = nullptr;
    frmMenuOperazioni = nullptr;
    frmSchedario_Chiavi = nullptr;
    frmCambiaPassword = nullptr;
    frmAvvio = nullptr;
    frmPassword = nullptr;
    endingNow = false;
}

void Screens::showInsteadOf(QWidget* next, QWidget* current) {
    if (auto* screen = qobject_cast<TAppScreen*>(next))
        screen->showScreen();
    else
        next->show();
    if (current && current != next)
        current->hide();
}

void Screens::showStartMenu() {
    if (frmAvvio)
        frmAvvio->showScreen();
}

void Screens::endProgram() {
    endingNow = true;
    QCoreApplication::quit();
}

bool Screens::ending() {
    return endingNow;
}
