#include "TestSupport.h"

#include "access/TfrmCambiaPassword.h"
#include "access/TfrmPassword.h"
#include "app/Screens.h"
#include "app/Startup.h"
#include "app/TfrmAvvio.h"
#include "fleet/TfrmSchedario_Chiavi.h"
#include "history/TfrmMenuRiepilogo.h"
#include "rentals/TfrmMenuOperazioni.h"
#include "rentals/TfrmRiconsegne.h"
#include "rentals/TfrmRitiri.h"
#include "store/FleetFile.h"
#include "store/HistoryFile.h"
#include "store/PendingReturn.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

// Notes the first window shown and the decimal separator in force at that moment.
class FirstShow : public QObject {
public:
    QWidget* window = nullptr;
    QString decimalPoint;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!window && event->type() == QEvent::Show && widget && widget->isWindow()) {
            window = widget;
            decimalPoint = QLocale().decimalPoint();
        }
        return false;
    }
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void startUpShowsTheLoginScreen();
    void theEventLoopEnds_data();
    void theEventLoopEnds();
    void startUpFinishesAReturnCutShort();
};

// The program was stopped while a return's confirmation was open: the card says the craft is
// back, the rental is only in the return's journal. The next start puts it in the history.
void TestStartup::startUpFinishesAReturnCutShort() {
    TestSandbox sandbox;
    TScheda out;
    out.Scheda = TScheda::numberFor(1);
    out.Codice = QStringLiteral("K-1");
    out.Stato = QStringLiteral("Ritirato da Anna in data 05/07/2025 alle ore 14:07");
    out.Smarrita = QStringLiteral("No");
    TScheda back = out;
    back.Stato = QStringLiteral("Disponibile");
    TNoleggio rental;
    rental.Codice = QStringLiteral("K-1");
    rental.PersonaRit = QStringLiteral("Anna");
    {
        FleetFile fleet;
        fleet.openForWriting();
        fleet.append(out);
        auto pending = PendingReturn::begin(1, out.toBytes(), back.toBytes(), rental);
        fleet.rewriteAt(1, back);
        pending->cardWritten();
    }
    QCOMPARE(PendingReturn::pendingFiles().size(), 1);

    Startup::begin(*qApp);
    QVERIFY(PendingReturn::pendingFiles().isEmpty());
    HistoryFile history;
    history.openForReading();
    QCOMPARE(history.count(), 1);
    QCOMPARE(TNoleggio::fromBytes(history.readBytesAt(1)), rental);
    history.close();
    Screens::destroyAll();
}

void TestStartup::startUpShowsTheLoginScreen() {
    TestSandbox sandbox;
    QLocale::setDefault(QLocale::c()); // whatever the machine says, start-up sets it
    FirstShow first;
    qApp->installEventFilter(&first);
    Startup::begin(*qApp);
    qApp->removeEventFilter(&first);

    // The eight persistent screens exist, created once.
    const QList<QWidget*> screens = {frmPassword,         frmAvvio,          frmCambiaPassword,
                                     frmSchedario_Chiavi, frmMenuOperazioni, frmRitiri,
                                     frmRiconsegne,       frmMenuRiepilogo};
    for (QWidget* screen : screens)
        QVERIFY(screen);
    // The login screen is the first and only screen shown...
    QCOMPARE(first.window, frmPassword);
    QVERIFY(frmPassword->isVisible());
    for (QWidget* screen : screens.mid(1))
        QVERIFY(!screen->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(frmPassword));
    QCOMPARE(QApplication::focusWidget(),
             frmPassword->findChild<QLineEdit*>(QStringLiteral("txtPassword")));
    // ... with the date conventions already in force.
    QCOMPARE(first.decimalPoint, QStringLiteral(","));
    QCOMPARE(QLocale().toString(2.5, 'f', 1), QStringLiteral("2,5"));
    // The hidden login screen stays the main window: no window going away ends the program.
    QVERIFY(!qApp->quitOnLastWindowClosed());
    frmPassword->hide();
    QVERIFY(!Screens::ending());
    Screens::destroyAll();
}

void TestStartup::theEventLoopEnds_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("login screen's Esci") << "login esci";
    QTest::newRow("start menu's exit picture") << "menu esci";
    QTest::newRow("start menu's close box") << "menu close";
}

void TestStartup::theEventLoopEnds() {
    QFETCH(QString, way);
    TestSandbox sandbox;
    QFile::copy(sourcePath(QStringLiteral("resources/unins000.dll")),
                sandbox.file(QStringLiteral("unins000.dll")));
    Startup::begin(*qApp);
    bool stuck = false;
    QTimer::singleShot(0, [way] {
        if (way == QLatin1String("login esci")) {
            frmPassword->findChild<QPushButton*>(QStringLiteral("cmdEsci"))->click();
            return;
        }
        auto* field = frmPassword->findChild<QLineEdit*>(QStringLiteral("txtPassword"));
        field->setText(QStringLiteral("ormeggiodiprua"));
        frmPassword->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        if (way == QLatin1String("menu esci"))
            frmAvvio->findChild<QPushButton*>(QStringLiteral("imgEsci"))->click();
        else
            frmAvvio->close();
    });
    QTimer watchdog; // stops with the test, unlike a single shot
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [&stuck] {
        stuck = true;
        qApp->quit();
    });
    watchdog.start(10000);
    QCOMPARE(qApp->exec(), 0);
    QVERIFY(!stuck);
    QVERIFY(Screens::ending());
    Screens::destroyAll();
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
