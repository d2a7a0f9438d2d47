#include "access/TfrmCambiaPassword.h"

#include "access/Crypt.h"
#include "access/PasswordFields.h"
#include "access/PasswordStore.h"
#include "access/TfrmPassword.h"
#include "app/Errors.h"
#include "app/Messages.h"
#include "app/Screens.h"
#include "app/UiKit.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TfrmCambiaPassword* frmCambiaPassword = nullptr;

const QString TfrmCambiaPassword::kOldPasswordWrong =
    QStringLiteral("Attenzione: vecchia password errata.");
const QString TfrmCambiaPassword::kNotConfirmed =
    QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. E' "
                   "necessario reinserire entrambi i valori.");
const QString TfrmCambiaPassword::kChanged =
    QStringLiteral("Modifica della password completata con successo.");
const QString TfrmCambiaPassword::kChangeError = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. "
    "Si consiglia di reinstallare il software.");
const QString TfrmCambiaPassword::kCharactersNotStorable = QStringLiteral(
    "Attenzione: la nuova password contiene caratteri che non possono essere memorizzati. Sono "
    "ammessi soltanto i caratteri dell'alfabeto latino occidentale (lettere, anche accentate, "
    "cifre e simboli comuni). E' necessario reinserire entrambi i valori.");
const QString TfrmCambiaPassword::kTooLong =
    QStringLiteral("Attenzione: la nuova password è troppo lunga, il massimo consentito è di "
                   "1023 caratteri. E' necessario reinserire entrambi i valori.");

TfrmCambiaPassword::TfrmCambiaPassword() : TAuxDialog(nullptr, QStringLiteral(" Cambia password")) {
    setObjectName(QStringLiteral("frmCambiaPassword"));
    const int width = 460;

    imgLogo = UiKit::picture(this, QStringLiteral("imgLogo"),
                             QStringLiteral(":/art/cambia_password_logo.svg"), QSize(width, 130));
    UiKit::name(imgLogo, QStringLiteral("Cambio della password"));

    auto caption = [this](const QString& objectName, const QString& text) {
        auto* label = new QLabel(text, this);
        label->setObjectName(objectName);
        label->setProperty("role", QStringLiteral("caption"));
        UiKit::name(label, text);
        return label;
    };
    lblRigo05 = caption(QStringLiteral("lblRigo05"), QStringLiteral("Vecchia password:"));
    txtPasswordOld = PasswordFields::field(this, QStringLiteral("txtPasswordOld"),
                                           QStringLiteral("Vecchia password"));
    lblRigo06 = caption(QStringLiteral("lblRigo06"), QStringLiteral("Nuova password:"));
    txtPasswordNew = PasswordFields::field(this, QStringLiteral("txtPasswordNew"),
                                           QStringLiteral("Nuova password"));
    lblRigo07 = caption(QStringLiteral("lblRigo07"), QStringLiteral("Conferma nuova password:"));
    txtConferma = PasswordFields::field(this, QStringLiteral("txtConferma"),
                                        QStringLiteral("Conferma nuova password"));
    lblRigo05->setBuddy(txtPasswordOld);
    lblRigo06->setBuddy(txtPasswordNew);
    lblRigo07->setBuddy(txtConferma);
    effPasswordOld = UiKit::frameOnFocus(txtPasswordOld, QStringLiteral("effPasswordOld"));
    effPasswordNew = UiKit::frameOnFocus(txtPasswordNew, QStringLiteral("effPasswordNew"));
    effConferma = UiKit::frameOnFocus(txtConferma, QStringLiteral("effConferma"));

    cmdEsci = PasswordFields::button(this, QStringLiteral("cmdEsci"), QStringLiteral("Chiudi"));
    cmdOK = PasswordFields::button(this, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    cmdOK->setEnabled(false);
    cmdOK->setProperty("primary", true);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(36, 16, 36, 22);
    body->setSpacing(4);
    for (auto [label, field] :
         {std::pair{lblRigo05, txtPasswordOld}, std::pair{lblRigo06, txtPasswordNew},
          std::pair{lblRigo07, txtConferma}}) {
        body->addWidget(label);
        body->addWidget(field);
        body->addSpacing(8);
    }
    body->addSpacing(6);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdEsci);
    body->addLayout(buttons);

    UiKit::logoAbove(this, imgLogo, body, QSize(width, 440));

    setTabOrder(txtPasswordOld, txtPasswordNew);
    setTabOrder(txtPasswordNew, txtConferma);
    setTabOrder(txtConferma, cmdEsci);
    setTabOrder(cmdEsci, cmdOK);

    UiKit::enterChain({txtPasswordOld, txtPasswordNew, txtConferma});
    for (QLineEdit* field : {txtPasswordOld, txtPasswordNew, txtConferma}) {
        field->installEventFilter(this);
        connect(field, &QLineEdit::textChanged, this, &TfrmCambiaPassword::txtChange);
    }
    connect(cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdEsciClick);
}

void TfrmCambiaPassword::showEvent(QShowEvent* event) {
    TAuxDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmCambiaPassword::FormShow() {
    txtPasswordOld->clear();
    txtPasswordNew->clear();
    txtConferma->clear();
    txtPasswordOld->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::txtChange() {
    cmdOK->setEnabled(!Crypt::TrimControls(txtPasswordOld->text()).isEmpty() &&
                      !Crypt::TrimControls(txtPasswordNew->text()).isEmpty() &&
                      !Crypt::TrimControls(txtConferma->text()).isEmpty());
}

bool TfrmCambiaPassword::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease)
        txtChange();
    return TAuxDialog::eventFilter(watched, event);
}

QString TfrmCambiaPassword::refusal(const QString& newPassword) {
    if (PasswordStore::canHold(newPassword))
        return QString();
    for (const QChar ch : newPassword)
        if (ch.unicode() > 0xFF)
            return kCharactersNotStorable;
    return kTooLong;
}

void TfrmCambiaPassword::cmdOKClick() {
    if (!cmdOK->isEnabled())
        return;
    guarded(
        [this] {
            if (Crypt::Normalize(txtPasswordOld->text()) != PasswordStore::readStored()) {
                Msg::plain(kOldPasswordWrong);
                txtPasswordOld->clear();
                txtPasswordOld->setFocus(Qt::OtherFocusReason);
                return;
            }
            const QString newPassword = Crypt::TrimControls(txtPasswordNew->text());
            const QString refused = newPassword == Crypt::TrimControls(txtConferma->text())
                                        ? refusal(newPassword)
                                        : kNotConfirmed;
            if (!refused.isEmpty()) {
                Msg::plain(refused);
                txtPasswordNew->clear();
                txtConferma->clear();
                txtPasswordNew->setFocus(Qt::OtherFocusReason);
                return;
            }
            // Checked again with the write: another workstation may have changed it meanwhile.
            if (!PasswordStore::change(txtPasswordOld->text(), txtPasswordNew->text())) {
                Msg::plain(kOldPasswordWrong);
                txtPasswordOld->clear();
                txtPasswordOld->setFocus(Qt::OtherFocusReason);
                return;
            }
            Msg::plain(kChanged);
            close();
        },
        [] { Msg::plain(kChangeError); });
}

void TfrmCambiaPassword::cmdEsciClick() {
    close();
}

void TfrmCambiaPassword::reject() {
    close();
}

void TfrmCambiaPassword::closeEvent(QCloseEvent* event) {
    // The login screen comes back first, then this screen hides.
    if (!Screens::ending() && frmPassword)
        frmPassword->showAfterPasswordChange();
    event->accept();
}
