#include "AccessFixture.h"

#include "access/TfrmCambiaPassword.h"
#include "app/Messages.h"
#include "app/TfrmAvvio.h"

#include <QFrame>
#include <QLabel>

#include <memory>

class TestLogin : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layoutAtStart();
    void highlightFrameFollowsTheFocus();
    void firstAccessPasswordIsAccepted_data();
    void firstAccessPasswordIsAccepted();
    void wrongPassword();
    void blankFieldChecksNothing_data();
    void blankFieldChecksNothing();
    void unreadableStore();
    void missingStore();
    void esciEndsTheProgram();
    void closingTheMainWindowEndsTheProgram();
    void changePasswordAndBack();
    void enterPressesTheFocusedButton();

private:
    std::unique_ptr<AccessFixture> fx;
    QLineEdit* txtPassword() { return field(frmPassword, "txtPassword"); }
    QPushButton* cmdOK() { return button(frmPassword, "cmdOK"); }
};

void TestLogin::init() {
    fx = std::make_unique<AccessFixture>();
    QVERIFY(QTest::qWaitForWindowActive(frmPassword));
}

void TestLogin::cleanup() {
    fx.reset();
}

void TestLogin::layoutAtStart() {
    QCOMPARE(frmPassword->windowTitle(), QStringLiteral(" Onderia - Autenticazione"));
    QCOMPARE(control<QLabel>(frmPassword, "lblRigo05")->text(),
             QStringLiteral("Immetti la password e premi OK."));
    QCOMPARE(txtPassword()->echoMode(), QLineEdit::Password);
    QVERIFY(txtPassword()->font().bold());
    QCOMPARE(txtPassword()->font().pointSize(), 14);
    QVERIFY(txtPassword()->maxLength() > 100000);
    QVERIFY(txtPassword()->hasFocus());
    QVERIFY(!cmdOK()->isEnabled());
    QCOMPARE(button(frmPassword, "cmdEsci")->text(), QStringLiteral("Esci"));
    QCOMPARE(button(frmPassword, "btnCambiaPassword")->text(), QStringLiteral("Cambia password"));
    // A fixed dialog without title-bar buttons.
    QVERIFY(!frmPassword->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QCOMPARE(frmPassword->minimumSize(), frmPassword->maximumSize());
    // Tab order: the field, OK, Esci, Cambia password.
    QTest::keyClicks(txtPassword(), QStringLiteral("x"));
    for (const char* next : {"cmdOK", "cmdEsci", "btnCambiaPassword"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(next));
    }
    // Every control has its Italian accessible name.
    const QList<QPair<const char*, QString>> names = {
        {"txtPassword", QStringLiteral("Password")},
        {"lblRigo05", QStringLiteral("Immetti la password e premi OK.")},
        {"cmdOK", QStringLiteral("OK")},
        {"cmdEsci", QStringLiteral("Esci")},
        {"btnCambiaPassword", QStringLiteral("Cambia password")}};
    for (const auto& [name, accessible] : names)
        QCOMPARE(control<QWidget>(frmPassword, name)->accessibleName(), accessible);
    QVERIFY(!control<QWidget>(frmPassword, "imgLogo")->accessibleName().isEmpty());
}

void TestLogin::highlightFrameFollowsTheFocus() {
    auto* frame = control<QFrame>(frmPassword, "effPassword");
    QVERIFY(frame->isVisible());
    QVERIFY(frame->geometry().contains(txtPassword()->geometry()));
    QVERIFY(frame->geometry() != txtPassword()->geometry());
    button(frmPassword, "cmdEsci")->setFocus();
    QVERIFY(!frame->isVisible());
    txtPassword()->setFocus();
    QVERIFY(frame->isVisible());
}

void TestLogin::firstAccessPasswordIsAccepted_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("withEnter");
    QTest::newRow("lower case") << "ormeggiodiprua" << false;
    QTest::newRow("upper case") << "ORMEGGIODIPRUA" << false;
    QTest::newRow("mixed, by Enter") << "OrMeGgIoDiPrUa" << true;
    QTest::newRow("blanks around") << "  ormeggiodiprua   " << false;
    QTest::newRow("blanks around, by Enter") << " ormeggioDIprua " << true;
}

void TestLogin::firstAccessPasswordIsAccepted() {
    QFETCH(QString, typed);
    QFETCH(bool, withEnter);
    const QByteArray before = fx->store();
    QTest::keyClicks(txtPassword(), typed);
    QVERIFY(cmdOK()->isEnabled());
    if (withEnter)
        QTest::keyClick(txtPassword(), Qt::Key_Return);
    else
        QTest::mouseClick(cmdOK(), Qt::LeftButton);
    QVERIFY(Msg::Test::shown().isEmpty());
    QVERIFY(frmAvvio->isVisible());
    QVERIFY(!frmPassword->isVisible());
    QCOMPARE(txtPassword()->text(), typed); // the field keeps its text
    QCOMPARE(fx->store(), before);          // reading never changes the store
    QVERIFY(!Screens::ending());
}

void TestLogin::wrongPassword() {
    QTest::keyClicks(txtPassword(), QStringLiteral("ormeggio"));
    QTest::keyClick(txtPassword(), Qt::Key_Enter);
    QCOMPARE(Msg::Test::shown().size(), 1);
    QCOMPARE(Msg::Test::last().form, Msg::Form::Plain);
    QCOMPARE(Msg::Test::last().icon, Msg::Icon::None);
    QCOMPARE(Msg::Test::last().text, QStringLiteral("Attenzione: password errata."));
    QVERIFY(txtPassword()->text().isEmpty());
    QVERIFY(txtPassword()->hasFocus());
    QVERIFY(!cmdOK()->isEnabled());
    QVERIFY(frmPassword->isVisible());
    QVERIFY(!frmAvvio->isVisible());

    // No limit on attempts: the right one still goes through afterwards.
    QTest::keyClicks(txtPassword(), QStringLiteral("ormeggiodiprua"));
    QTest::mouseClick(cmdOK(), Qt::LeftButton);
    QCOMPARE(Msg::Test::shown().size(), 1);
    QVERIFY(frmAvvio->isVisible());
}

void TestLogin::blankFieldChecksNothing_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("blanks") << "    ";
    QTest::newRow("tab and blanks") << " \t ";
}

void TestLogin::blankFieldChecksNothing() {
    QFETCH(QString, typed);
    txtPassword()->insert(typed); // as pasted: a tab cannot be typed into the field
    QCOMPARE(txtPassword()->text(), typed);
    QVERIFY(!cmdOK()->isEnabled());
    QTest::keyClick(txtPassword(), Qt::Key_Return);
    QVERIFY(Msg::Test::shown().isEmpty());
    QVERIFY(txtPassword()->hasFocus());
    QCOMPARE(txtPassword()->text(), typed);
    QVERIFY(frmPassword->isVisible());
    // A letter enables OK; taking it away disables it again.
    QTest::keyClick(txtPassword(), Qt::Key_A);
    QVERIFY(cmdOK()->isEnabled());
    QTest::keyClick(txtPassword(), Qt::Key_Backspace);
    QVERIFY(!cmdOK()->isEnabled());
}

void TestLogin::unreadableStore() {
    fx->sandbox.writeBytes(QStringLiteral("unins000.dll"), "[Accesso]\r\nValore=52G599\r\n");
    QTest::keyClicks(txtPassword(), QStringLiteral("ormeggiodiprua"));
    QTest::mouseClick(cmdOK(), Qt::LeftButton);
    QCOMPARE(Msg::Test::shown().size(), 1);
    QCOMPARE(Msg::Test::last().form, Msg::Form::Plain);
    QCOMPARE(Msg::Test::last().text,
             QStringLiteral("Attenzione: si è verificato un errore durante la procedura di "
                            "lettura della password. Si consiglia di reinstallare il software."));
    QCOMPARE(txtPassword()->text(), QStringLiteral("ormeggiodiprua"));
    QVERIFY(cmdOK()->isEnabled());
    QVERIFY(frmPassword->isVisible());
    QVERIFY(!frmAvvio->isVisible());
}

void TestLogin::missingStore() {
    QVERIFY(QFile::remove(fx->storePath()));
    QTest::keyClicks(txtPassword(), QStringLiteral("ormeggiodiprua"));
    QTest::mouseClick(cmdOK(), Qt::LeftButton);
    QCOMPARE(Msg::Test::last().text, QStringLiteral("Attenzione: password errata."));
    QVERIFY(txtPassword()->text().isEmpty());
    QVERIFY(!frmAvvio->isVisible());
    QVERIFY(!QFile::exists(fx->storePath())); // reading never recreates the store
}

void TestLogin::esciEndsTheProgram() {
    QTest::mouseClick(button(frmPassword, "cmdEsci"), Qt::LeftButton);
    QVERIFY(Screens::ending());
    QVERIFY(!frmPassword->isVisible());
    QVERIFY(!frmAvvio->isVisible());
}

void TestLogin::closingTheMainWindowEndsTheProgram() {
    // Escape does not close the login screen; closing it another way ends the program.
    QTest::keyClick(frmPassword, Qt::Key_Escape);
    QVERIFY(frmPassword->isVisible());
    QVERIFY(!Screens::ending());
    frmPassword->close();
    QVERIFY(Screens::ending());
}

void TestLogin::changePasswordAndBack() {
    QTest::keyClicks(txtPassword(), QStringLiteral("qualcosa"));
    QTest::mouseClick(button(frmPassword, "btnCambiaPassword"), Qt::LeftButton);
    QVERIFY(frmCambiaPassword->isVisible());
    QVERIFY(!frmPassword->isVisible());
    QVERIFY(Msg::Test::shown().isEmpty()); // no password asked first
    QVERIFY(QTest::qWaitForWindowActive(frmCambiaPassword));
    QTest::mouseClick(button(frmCambiaPassword, "cmdEsci"), Qt::LeftButton);
    QVERIFY(!frmCambiaPassword->isVisible());
    QVERIFY(frmPassword->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(frmPassword));
    QVERIFY(txtPassword()->text().isEmpty());
    QVERIFY(txtPassword()->hasFocus());
    QVERIFY(!cmdOK()->isEnabled());
    QVERIFY(!Screens::ending());
}

void TestLogin::enterPressesTheFocusedButton() {
    // Enter on a button that has the focus presses it; Escape and the field are not involved.
    QTest::keyClicks(txtPassword(), QStringLiteral("x"));
    button(frmPassword, "btnCambiaPassword")->setFocus();
    QTest::keyClick(button(frmPassword, "btnCambiaPassword"), Qt::Key_Return);
    QVERIFY(frmCambiaPassword->isVisible());
    QVERIFY(!frmPassword->isVisible());
    QVERIFY(Msg::Test::shown().isEmpty());
    button(frmCambiaPassword, "cmdEsci")->click();
    QVERIFY(QTest::qWaitForWindowActive(frmPassword));
    button(frmPassword, "cmdEsci")->setFocus();
    QTest::keyClick(button(frmPassword, "cmdEsci"), Qt::Key_Enter);
    QVERIFY(Screens::ending());
}

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
