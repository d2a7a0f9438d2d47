#include "AccessFixture.h"

#include "access/Crypt.h"
#include "access/PasswordStore.h"
#include "access/TfrmCambiaPassword.h"
#include "app/Messages.h"
#include "app/TfrmAvvio.h"
#include "store/Durable.h"
#include "store/IniFile.h"

#include <QFrame>
#include <QLabel>
#include <QSemaphore>
#include <QThread>

#include <memory>
#include <thread>

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

const QString kOldWrong = QStringLiteral("Attenzione: vecchia password errata.");
const QString kNotConfirmed =
    QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. E' "
                   "necessario reinserire entrambi i valori.");
const QString kChanged = QStringLiteral("Modifica della password completata con successo.");
const QString kChangeError =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica della "
                   "password. Si consiglia di reinstallare il software.");

// Files may grow by no byte while this lives: every write of the process fails, as on a full
// disk or a write the platform refuses (which root would otherwise always be granted). Windows
// has no file size limit: there the storage library's own fault seam refuses every write.
class RefusedWrites {
public:
#ifdef Q_OS_WIN
    RefusedWrites() {
        Durable::setFaultForTest(
            [](Durable::Step step, const QString&) { return step == Durable::Step::Write; });
    }
    ~RefusedWrites() {
        Durable::setFaultForTest(nullptr);
    }
#else
    RefusedWrites() {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit none = old_;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~RefusedWrites() {
        setrlimit(RLIMIT_FSIZE, &old_);
    }

private:
    rlimit old_{};
#endif
};

} // namespace

class TestChangePassword : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layoutAtStart();
    void okNeedsThreeFilledFields_data();
    void okNeedsThreeFilledFields();
    void enterMovesAlongTheChain();
    void tabOrderAndEnterOnButtons();
    void checksInOrder_data();
    void checksInOrder();
    void successfulChange();
    void chiudiLeavesTheStoreUntouched();
    void storeErrors_data();
    void storeErrors();
    void missingStoreNeverMatches();
    void aChangeMadeMeanwhileElsewhereIsNotOverwritten();
    void passwordsTheStoreCannotHold_data();
    void passwordsTheStoreCannotHold();
    void longestStorablePassword();

private:
    std::unique_ptr<AccessFixture> fx;
    QLineEdit* old() { return field(frmCambiaPassword, "txtPasswordOld"); }
    QLineEdit* neu() { return field(frmCambiaPassword, "txtPasswordNew"); }
    QLineEdit* conf() { return field(frmCambiaPassword, "txtConferma"); }
    QPushButton* cmdOK() { return button(frmCambiaPassword, "cmdOK"); }
    void fill(const QString& o, const QString& n, const QString& c) {
        retype(old(), o);
        retype(neu(), n);
        retype(conf(), c);
    }
    // Logs in with the password as typed; true when the start menu came.
    bool logIn(const QString& typed);
};

void TestChangePassword::init() {
    fx = std::make_unique<AccessFixture>();
    QVERIFY(QTest::qWaitForWindowActive(frmPassword));
    // Something typed in the login field first: coming back, it is empty.
    QTest::keyClicks(field(frmPassword, "txtPassword"), QStringLiteral("abc"));
    button(frmPassword, "btnCambiaPassword")->click();
    QVERIFY(QTest::qWaitForWindowActive(frmCambiaPassword));
}

void TestChangePassword::cleanup() {
    fx.reset();
}

bool TestChangePassword::logIn(const QString& typed) {
    frmAvvio->hide();
    frmPassword->show();
    auto* txt = field(frmPassword, "txtPassword");
    txt->setText(typed);
    Msg::Test::clear();
    button(frmPassword, "cmdOK")->click();
    return frmAvvio->isVisible() && Msg::Test::shown().isEmpty();
}

void TestChangePassword::layoutAtStart() {
    QCOMPARE(frmCambiaPassword->windowTitle(), QStringLiteral(" Cambia password"));
    QVERIFY(!frmPassword->isVisible());
    const QList<QPair<const char*, QString>> captions = {
        {"lblRigo05", QStringLiteral("Vecchia password:")},
        {"lblRigo06", QStringLiteral("Nuova password:")},
        {"lblRigo07", QStringLiteral("Conferma nuova password:")}};
    for (const auto& [name, text] : captions) {
        QCOMPARE(control<QLabel>(frmCambiaPassword, name)->text(), text);
        QCOMPARE(control<QLabel>(frmCambiaPassword, name)->accessibleName(), text);
    }
    for (QLineEdit* edit : {old(), neu(), conf()}) {
        QVERIFY(edit->text().isEmpty());
        QCOMPARE(edit->echoMode(), QLineEdit::Password);
        QVERIFY(edit->font().bold());
        QCOMPARE(edit->font().pointSize(), 14);
    }
    QCOMPARE(old()->accessibleName(), QStringLiteral("Vecchia password"));
    QCOMPARE(neu()->accessibleName(), QStringLiteral("Nuova password"));
    QCOMPARE(conf()->accessibleName(), QStringLiteral("Conferma nuova password"));
    QCOMPARE(button(frmCambiaPassword, "cmdEsci")->text(), QStringLiteral("Chiudi"));
    QCOMPARE(cmdOK()->text(), QStringLiteral("OK"));
    QVERIFY(!cmdOK()->isEnabled());
    QVERIFY(old()->hasFocus());
    QVERIFY(!frmCambiaPassword->windowFlags().testFlag(Qt::WindowCloseButtonHint));

    // Each field's frame shows only while the field has the focus.
    const QList<QPair<QLineEdit*, const char*>> frames = {
        {old(), "effPasswordOld"}, {neu(), "effPasswordNew"}, {conf(), "effConferma"}};
    for (const auto& [edit, frameName] : frames) {
        edit->setFocus();
        for (const auto& [other, otherFrame] : frames)
            QCOMPARE(control<QFrame>(frmCambiaPassword, otherFrame)->isVisible(), other == edit);
    }

    // Showing the screen again starts with empty fields.
    fill(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"));
    frmCambiaPassword->hide();
    frmCambiaPassword->show();
    QVERIFY(old()->text().isEmpty() && neu()->text().isEmpty() && conf()->text().isEmpty());
    QVERIFY(!cmdOK()->isEnabled());
}

void TestChangePassword::okNeedsThreeFilledFields_data() {
    QTest::addColumn<QString>("o");
    QTest::addColumn<QString>("n");
    QTest::addColumn<QString>("c");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("all empty") << ""
                               << ""
                               << "" << false;
    QTest::newRow("old missing") << ""
                                 << "b"
                                 << "c" << false;
    QTest::newRow("new blank") << "a"
                               << "   "
                               << "c" << false;
    QTest::newRow("confirmation blank") << "a"
                                        << "b"
                                        << " " << false;
    QTest::newRow("all filled") << "a"
                                << "b"
                                << "c" << true;
    QTest::newRow("filled with blanks around") << " a"
                                               << "b "
                                               << " c " << true;
}

void TestChangePassword::okNeedsThreeFilledFields() {
    QFETCH(QString, o);
    QFETCH(QString, n);
    QFETCH(QString, c);
    QFETCH(bool, enabled);
    fill(o, n, c);
    QCOMPARE(cmdOK()->isEnabled(), enabled);
}

void TestChangePassword::enterMovesAlongTheChain() {
    fill(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"));
    old()->setFocus();
    QTest::keyClick(old(), Qt::Key_Return);
    QVERIFY(neu()->hasFocus());
    QTest::keyClick(neu(), Qt::Key_Enter);
    QVERIFY(conf()->hasFocus());
    QTest::keyClick(conf(), Qt::Key_Return);
    QVERIFY(old()->hasFocus());
    // Enter never presses OK.
    QVERIFY(Msg::Test::shown().isEmpty());
    QVERIFY(frmCambiaPassword->isVisible());
}

void TestChangePassword::checksInOrder_data() {
    QTest::addColumn<QString>("o");
    QTest::addColumn<QString>("n");
    QTest::addColumn<QString>("c");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("emptied"); // fields emptied: o, n, c
    QTest::addColumn<QString>("focus");
    // The old password is checked first, even when the new one is not confirmed.
    QTest::newRow("old wrong") << "ormeggio"
                               << "nuova"
                               << "altra" << kOldWrong << "o"
                               << "txtPasswordOld";
    QTest::newRow("not confirmed") << "ormeggiodiprua"
                                   << "nuova"
                                   << "altra" << kNotConfirmed << "nc"
                                   << "txtPasswordNew";
    // The same normal form is not enough: new and confirmation must match as typed.
    QTest::newRow("confirmation in other case") << "ORMEGGIODIPRUA"
                                                << "Nuova"
                                                << "nuova" << kNotConfirmed << "nc"
                                                << "txtPasswordNew";
}

void TestChangePassword::checksInOrder() {
    QFETCH(QString, o);
    QFETCH(QString, n);
    QFETCH(QString, c);
    QFETCH(QString, message);
    QFETCH(QString, emptied);
    QFETCH(QString, focus);
    const QByteArray before = fx->store();
    fill(o, n, c);
    QTest::mouseClick(cmdOK(), Qt::LeftButton);
    QCOMPARE(Msg::Test::shown().size(), 1);
    QCOMPARE(Msg::Test::last().form, Msg::Form::Plain);
    QCOMPARE(Msg::Test::last().text, message);
    QCOMPARE(old()->text(), emptied.contains(QLatin1Char('o')) ? QString() : o);
    QCOMPARE(neu()->text(), emptied.contains(QLatin1Char('n')) ? QString() : n);
    QCOMPARE(conf()->text(), emptied.contains(QLatin1Char('c')) ? QString() : c);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QVERIFY(!cmdOK()->isEnabled());
    QVERIFY(frmCambiaPassword->isVisible());
    QCOMPARE(fx->store(), before);
}

void TestChangePassword::successfulChange() {
    // The old one in another letter case; the confirmation differs only by blanks.
    fill(QStringLiteral("OrmeggioDiPrua"), QStringLiteral("Maestrale è"),
         QStringLiteral("  Maestrale è "));
    QTest::mouseClick(cmdOK(), Qt::LeftButton);
    QCOMPARE(Msg::Test::shown().size(), 1);
    QCOMPARE(Msg::Test::last().form, Msg::Form::Plain);
    QCOMPARE(Msg::Test::last().text, kChanged);
    QVERIFY(!frmCambiaPassword->isVisible());
    QVERIFY(frmPassword->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(frmPassword));
    QVERIFY(field(frmPassword, "txtPassword")->text().isEmpty());
    QVERIFY(field(frmPassword, "txtPassword")->hasFocus());
    // Stored in normal form: "a"-"z" up, accented letters as typed.
    QCOMPARE(IniFile::read(fx->storePath(), QStringLiteral("Accesso"), QStringLiteral("Valore")),
             Crypt::Scramble(QStringLiteral("MAESTRALE è")));

    QVERIFY(logIn(QStringLiteral("maestrale è")));
    QVERIFY(logIn(QStringLiteral(" MAESTRALE è")));
    QVERIFY(!logIn(QStringLiteral("MAESTRALE È"))); // accented letters keep their case
    QVERIFY(!logIn(QStringLiteral("ormeggiodiprua")));
    QCOMPARE(Msg::Test::last().text, QStringLiteral("Attenzione: password errata."));
}

void TestChangePassword::chiudiLeavesTheStoreUntouched() {
    const QByteArray before = fx->store();
    fill(QStringLiteral("ormeggiodiprua"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    QTest::mouseClick(button(frmCambiaPassword, "cmdEsci"), Qt::LeftButton);
    QVERIFY(Msg::Test::shown().isEmpty());
    QCOMPARE(fx->store(), before);
    QVERIFY(!frmCambiaPassword->isVisible());
    QVERIFY(frmPassword->isVisible());
    QVERIFY(field(frmPassword, "txtPassword")->text().isEmpty());
    QVERIFY(logIn(QStringLiteral("ormeggiodiprua")));
}

void TestChangePassword::storeErrors_data() {
    QTest::addColumn<bool>("refuseWrites");
    QTest::newRow("value not hexadecimal") << false;
    QTest::newRow("write refused") << true;
}

void TestChangePassword::storeErrors() {
    QFETCH(bool, refuseWrites);
    if (!refuseWrites)
        fx->sandbox.writeBytes(QStringLiteral("unins000.dll"), "[Accesso]\r\nValore=XY\r\n");
    const QByteArray before = fx->store();
    fill(QStringLiteral("ormeggiodiprua"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    {
        std::unique_ptr<RefusedWrites> refused;
        if (refuseWrites)
            refused = std::make_unique<RefusedWrites>();
        QTest::mouseClick(cmdOK(), Qt::LeftButton);
    }
    QCOMPARE(Msg::Test::shown().size(), 1);
    QCOMPARE(Msg::Test::last().form, Msg::Form::Plain);
    QCOMPARE(Msg::Test::last().text, kChangeError);
    QVERIFY(frmCambiaPassword->isVisible());
    QCOMPARE(old()->text(), QStringLiteral("ormeggiodiprua"));
    QCOMPARE(neu()->text(), QStringLiteral("nuova"));
    QCOMPARE(conf()->text(), QStringLiteral("nuova"));
    QCOMPARE(fx->store(), before);
}

void TestChangePassword::missingStoreNeverMatches() {
    QVERIFY(QFile::remove(fx->storePath()));
    fill(QStringLiteral("ormeggiodiprua"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    QTest::mouseClick(cmdOK(), Qt::LeftButton);
    QCOMPARE(Msg::Test::last().text, kOldWrong);
    QVERIFY(!QFile::exists(fx->storePath()));
}

void TestChangePassword::passwordsTheStoreCannotHold_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    const QString characters = QStringLiteral(
        "Attenzione: la nuova password contiene caratteri che non possono essere memorizzati. "
        "Sono ammessi soltanto i caratteri dell'alfabeto latino occidentale (lettere, anche "
        "accentate, cifre e simboli comuni). E' necessario reinserire entrambi i valori.");
    const QString tooLong =
        QStringLiteral("Attenzione: la nuova password è troppo lunga, il massimo consentito è di "
                       "1023 caratteri. E' necessario reinserire entrambi i valori.");
    QTest::newRow("euro sign") << QStringLiteral("spiaggia€") << characters;
    QTest::newRow("greek letter") << QStringLiteral("ωmega") << characters;
    QTest::newRow("emoji") << QStringLiteral("sole☀️") << characters;
    QTest::newRow("1024 characters") << QString(1024, QLatin1Char('a')) << tooLong;
    QTest::newRow("long and foreign") << QString(2000, QChar(0x3B1)) << characters;
}

void TestChangePassword::passwordsTheStoreCannotHold() {
    QFETCH(QString, password);
    QFETCH(QString, message);
    const QByteArray before = fx->store();
    old()->setText(QStringLiteral("ormeggiodiprua"));
    neu()->setText(password);
    conf()->setText(password);
    QTest::mouseClick(cmdOK(), Qt::LeftButton);
    QCOMPARE(Msg::Test::shown().size(), 1);
    QCOMPARE(Msg::Test::last().form, Msg::Form::Plain);
    QCOMPARE(Msg::Test::last().text, message);
    QCOMPARE(fx->store(), before);
    QVERIFY(frmCambiaPassword->isVisible());
    QCOMPARE(old()->text(), QStringLiteral("ormeggiodiprua"));
    QVERIFY(neu()->text().isEmpty() && conf()->text().isEmpty());
    QVERIFY(neu()->hasFocus());
    // The password as installed still works.
    QVERIFY(logIn(QStringLiteral("ormeggiodiprua")));
}

void TestChangePassword::longestStorablePassword() {
    // 1023 characters after trimming, with blanks around that the store never sees.
    const QString password =
        QStringLiteral("  ") + QString(1023, QChar(0xE9)) + QStringLiteral(" ");
    old()->setText(QStringLiteral("ormeggiodiprua"));
    neu()->setText(password);
    conf()->setText(password);
    QTest::mouseClick(cmdOK(), Qt::LeftButton);
    QCOMPARE(Msg::Test::last().text, kChanged);
    QVERIFY(logIn(QString(1023, QChar(0xE9))));
}

void TestChangePassword::tabOrderAndEnterOnButtons() {
    // The table's tab order: the three fields, "Chiudi", then OK. Enter in a field never presses
    // OK; on a button that has the focus it presses that button.
    fill(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"));
    old()->setFocus();
    QStringList order;
    for (int i = 0; i < 6; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(order, QStringList({"txtPasswordOld", "txtPasswordNew", "txtConferma", "cmdEsci",
                                 "cmdOK", "txtPasswordOld"}));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(Msg::Test::shown().isEmpty());
    QVERIFY(frmCambiaPassword->isVisible());
    button(frmCambiaPassword, "cmdEsci")->setFocus();
    QTest::keyClick(button(frmCambiaPassword, "cmdEsci"), Qt::Key_Return);
    QVERIFY(!frmCambiaPassword->isVisible());
    QVERIFY(frmPassword->isVisible());
}

// Another desk stores its new password while this desk, its old password already checked, waits
// for the store's lock: this desk's change is refused, and the other one stays.
void TestChangePassword::aChangeMadeMeanwhileElsewhereIsNotOverwritten() {
    fill(QStringLiteral("ormeggiodiprua"), QStringLiteral("Libeccio"), QStringLiteral("Libeccio"));
    QSemaphore otherHoldsTheLock;
    const QThread* ui = QThread::currentThread();
    Durable::setFaultForTest([&](Durable::Step step, const QString&) {
        if (step == Durable::Step::Write && QThread::currentThread() != ui) {
            otherHoldsTheLock.release();
            QThread::msleep(400);
        }
        return false;
    });
    std::thread other([] { PasswordStore::store(QStringLiteral("Scirocco")); });
    otherHoldsTheLock.acquire();
    QTest::mouseClick(cmdOK(), Qt::LeftButton);
    other.join();
    Durable::setFaultForTest(nullptr);
    QCOMPARE(Msg::Test::last().text, kOldWrong);
    QCOMPARE(IniFile::read(fx->storePath(), QStringLiteral("Accesso"), QStringLiteral("Valore")),
             Crypt::Scramble(QStringLiteral("SCIROCCO")));
}

QTEST_MAIN(TestChangePassword)
#include "tst_changepassword.moc"
