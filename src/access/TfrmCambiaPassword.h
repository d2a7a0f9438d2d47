#pragma once
#include "app/AppScreen.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The change-password screen: asks for the old password, the new one and its confirmation, and
// on success rewrites the password store. However it closes, the login screen comes back.
class TfrmCambiaPassword : public TAuxDialog {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword();

    // The messages of this screen.
    static const QString kOldPasswordWrong;
    static const QString kNotConfirmed;
    static const QString kChanged;
    static const QString kChangeError;
    static const QString kCharactersNotStorable;
    static const QString kTooLong;

public slots:
    void cmdOKClick();
    void cmdEsciClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape is the same as "Chiudi".
    void reject() override;

private slots:
    void txtChange();

private:
    void FormShow();
    // The store could not hold the new password so that it matches again; the reason, or ""
    // when it can.
    static QString refusal(const QString& newPassword);

    QLabel* imgLogo;
    QLabel* lblRigo05;
    QLineEdit* txtPasswordOld;
    QLabel* lblRigo06;
    QLineEdit* txtPasswordNew;
    QLabel* lblRigo07;
    QLineEdit* txtConferma;
    QFrame* effPasswordOld;
    QFrame* effPasswordNew;
    QFrame* effConferma;
    QPushButton* cmdEsci;
    QPushButton* cmdOK;
};

extern TfrmCambiaPassword* frmCambiaPassword;
