#include "access/TfrmPassword.h"

#include "access/Crypt.h"
#include "access/PasswordFields.h"
#include "access/PasswordStore.h"
#include "access/TfrmCambiaPassword.h"
#include "app/Errors.h"
#include "app/Messages.h"
#include "app/Screens.h"
#include "app/TfrmAvvio.h"
#include "app/UiKit.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TfrmPassword* frmPassword = nullptr;

const QString TfrmPassword::kWrongPassword = QStringLiteral("Attenzione: password errata.");
const QString TfrmPassword::kReadError = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. "
    "Si consiglia di reinstallare il software.");

TfrmPassword::TfrmPassword() : TAuxDialog(nullptr, QStringLiteral(" Onderia - Autenticazione")) {
    setObjectName(QStringLiteral("frmPassword"));
    const int width = 460;

    imgLogo = UiKit::picture(this, QStringLiteral("imgLogo"),
                             QStringLiteral(":/art/login_logo.svg"), QSize(width, 150));
    UiKit::name(imgLogo, QStringLiteral("Onderia - accesso riservato"));

    lblRigo05 = new QLabel(QStringLiteral("Immetti la password e premi OK."), this);
    lblRigo05->setObjectName(QStringLiteral("lblRigo05"));
    lblRigo05->setProperty("role", QStringLiteral("caption"));
    UiKit::name(lblRigo05, lblRigo05->text());

    txtPassword =
        PasswordFields::field(this, QStringLiteral("txtPassword"), QStringLiteral("Password"));
    lblRigo05->setBuddy(txtPassword);
    effPassword = UiKit::frameOnFocus(txtPassword, QStringLiteral("effPassword"));

    cmdOK = PasswordFields::button(this, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    cmdOK->setEnabled(false);
    cmdOK->setProperty("primary", true);
    cmdEsci = PasswordFields::button(this, QStringLiteral("cmdEsci"), QStringLiteral("Esci"));
    btnCambiaPassword = PasswordFields::button(this, QStringLiteral("btnCambiaPassword"),
                                               QStringLiteral("Cambia password"));

    auto* body = new QVBoxLayout;
    body->setContentsMargins(36, 18, 36, 22);
    body->setSpacing(10);
    body->addWidget(lblRigo05);
    body->addWidget(txtPassword);
    body->addSpacing(8);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(btnCambiaPassword);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdEsci);
    body->addLayout(buttons);

    UiKit::logoAbove(this, imgLogo, body, QSize(width, 320));

    setTabOrder(txtPassword, cmdOK);
    setTabOrder(cmdOK, cmdEsci);
    setTabOrder(cmdEsci, btnCambiaPassword);

    txtPassword->installEventFilter(this);
    connect(txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::txtPasswordChange);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmPassword::cmdEsciClick);
    connect(btnCambiaPassword, &QPushButton::clicked, this, &TfrmPassword::btnCambiaPasswordClick);
}

bool TfrmPassword::entered() const {
    return !Crypt::TrimControls(txtPassword->text()).isEmpty();
}

void TfrmPassword::showEvent(QShowEvent* event) {
    TAuxDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmPassword::FormShow() {
    txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::txtPasswordChange() {
    cmdOK->setEnabled(entered());
}

bool TfrmPassword::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtPassword) {
        if (event->type() == QEvent::KeyRelease)
            txtPasswordChange();
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                // Enter stands for OK, and only when there is something to check.
                if (entered())
                    cmdOKClick();
                return true;
            }
        }
    }
    return TAuxDialog::eventFilter(watched, event);
}

void TfrmPassword::cmdOKClick() {
    if (!entered())
        return;
    QString stored;
    if (!guarded([&] { stored = PasswordStore::readStored(); }, [] { Msg::plain(kReadError); }))
        return;
    if (Crypt::Normalize(txtPassword->text()) == stored) {
        Screens::showInsteadOf(frmAvvio, this);
        return;
    }
    Msg::plain(kWrongPassword);
    txtPassword->clear();
    txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::cmdEsciClick() {
    Screens::endProgram();
    close();
}

void TfrmPassword::btnCambiaPasswordClick() {
    Screens::showInsteadOf(frmCambiaPassword, this);
}

void TfrmPassword::showAfterPasswordChange() {
    txtPassword->clear();
    show();
    raise();
    activateWindow();
    txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::closeEvent(QCloseEvent* event) {
    // The login screen is the main window: when it closes, the program ends.
    if (!Screens::ending())
        Screens::endProgram();
    event->accept();
}
