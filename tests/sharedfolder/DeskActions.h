#pragma once
// What one workstation does through the real screens, shared by the desk program that tests
// start as other workstations and by the tests themselves.
#include "app/Messages.h"
#include "fleet/TfrmSchedario_Chiavi.h"
#include "rentals/TfrmOperazione.h"
#include "rentals/TfrmRiconsegne.h"
#include "rentals/TfrmRiepilogo_Operazione.h"
#include "rentals/TfrmRitiri.h"
#include "store/FleetFile.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace Desk {

inline const QString kInserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
inline const QString kSaved =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
inline const QString kPickedUp =
    QStringLiteral("Il ritiro del mezzo è stato registrato con successo.");
inline const QString kReturned =
    QStringLiteral("La riconsegna del mezzo è stata registrata con successo.");

inline QLineEdit* edit(QWidget* screen, const char* name) {
    return screen->findChild<QLineEdit*>(QString::fromLatin1(name));
}

// The last message shown, or an empty text.
inline QString lastMessage() {
    return Msg::Test::shown().isEmpty() ? QString() : Msg::Test::last().text;
}

// A new card typed into the fleet card screen and saved.
inline QString saveNewCard(const QString& code) {
    frmSchedario_Chiavi->cmdNuovoClick();
    edit(frmSchedario_Chiavi, "txtCodice")->setText(code);
    edit(frmSchedario_Chiavi, "txtTipo")->setText(QStringLiteral("Kayak"));
    edit(frmSchedario_Chiavi, "txtUtilizzo")->setText(QStringLiteral("10 € l'ora"));
    edit(frmSchedario_Chiavi, "txtLuogo")->setText(QStringLiteral("Pontile"));
    edit(frmSchedario_Chiavi, "txtPersone")->setText(QStringLiteral("Carta d'identità"));
    frmSchedario_Chiavi->cmdSalvaClick();
    return lastMessage();
}

// Presses OK on the return confirmation as soon as it is shown.
inline void confirmWhenShown() {
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<TfrmRiepilogo_Operazione*>(QApplication::activeModalWidget());
        if (!dialog) {
            confirmWhenShown();
            return;
        }
        dialog->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    });
}

// A pick-up (or a return) of the card at a position, as the selection list hands it over.
inline QString rent(TfrmOperazione* screen, qint64 position, const QString& customer) {
    FleetFile file;
    file.openForReading();
    const QByteArray bytes = file.readBytesAt(position);
    file.close();
    screen->showScreen();
    screen->putCard(TScheda::fromBytes(bytes), position, bytes);
    const bool pickUp = screen->side() == Side::Ritiro;
    edit(screen, pickUp ? "txtPersonaRit" : "txtPersonaRic")->setText(customer);
    if (!pickUp)
        confirmWhenShown();
    screen->btnApplicaClick();
    if (screen->isVisible())
        screen->close();
    return lastMessage();
}

} // namespace Desk
