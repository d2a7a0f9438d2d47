#pragma once
#include "app/AppScreen.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The login screen, the program's main window: asks for the access password and hands over to
// the start menu. Closing it ends the program.
class TfrmPassword : public TAuxDialog {
    Q_OBJECT
public:
    explicit TfrmPassword();

    // Back from the change-password screen: an empty field with the focus.
    void showAfterPasswordChange();

    // The messages of this screen.
    static const QString kWrongPassword;
    static const QString kReadError;

public slots:
    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape does not close the main window: it closes only through "Esci".
    void reject() override {}

private slots:
    void txtPasswordChange();

private:
    void FormShow();
    bool entered() const;

    QLabel* imgLogo;
    QLabel* lblRigo05;
    QLineEdit* txtPassword;
    QFrame* effPassword;
    QPushButton* cmdOK;
    QPushButton* cmdEsci;
    QPushButton* btnCambiaPassword;
};

extern TfrmPassword* frmPassword;
