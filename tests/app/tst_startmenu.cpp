#include "ModalHelpers.h"
#include "TestSupport.h"

#include "access/TfrmPassword.h"
#include "app/AppScreen.h"
#include "app/Messages.h"
#include "app/OpenURL.h"
#include "app/Screens.h"
#include "app/TfrmAvvio.h"
#include "app/Theme.h"
#include "fleet/TfrmSchedario_Chiavi.h"
#include "help/TfrmGuida.h"
#include "help/TfrmInfo.h"
#include "help/TfrmSplash.h"
#include "history/TfrmMenuRiepilogo.h"
#include "rentals/TfrmMenuOperazioni.h"
#include "rentals/TfrmRiconsegne.h"
#include "rentals/TfrmRitiri.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {

// Records the order in which screens are shown and hidden.
class ShowHideLog : public QObject {
public:
    QStringList entries;
    void watch(QWidget* screen) { screen->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            entries << QStringLiteral("show ") + watched->objectName();
        else if (event->type() == QEvent::Hide)
            entries << QStringLiteral("hide ") + watched->objectName();
        return false;
    }
};

QPushButton* startButton(const char* name) {
    auto* control = frmAvvio->findChild<QPushButton*>(QString::fromLatin1(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}

} // namespace

Q_DECLARE_METATYPE(QWidget**)

class TestStartMenu : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layout();
    void pictureButtonsAreRealButtons_data();
    void pictureButtonsAreRealButtons();
    void tilesOpenTheirApplication_data();
    void tilesOpenTheirApplication();
    void applicationScreensReturnToTheStartMenu_data();
    void applicationScreensReturnToTheStartMenu();
    void closingTheStartMenuEndsTheProgram();
    void esciEndsTheProgram();
    void siteOpensTheMakersAddress();
    void infoAndSplashAreModalAndDiscarded();
    void helpTwiceShowsTwoFreshScreens();
    void loginToApplicationAndBack();

private:
    TestSandbox* sandbox = nullptr;
};

void TestStartMenu::init() {
    sandbox = new TestSandbox;
    Screens::createAll();
    frmAvvio->showScreen();
}

void TestStartMenu::cleanup() {
    Screens::destroyAll();
    delete sandbox;
    sandbox = nullptr;
}

void TestStartMenu::layout() {
    QCOMPARE(frmAvvio->windowTitle(), QStringLiteral(" Onderia"));
    QCOMPARE(frmAvvio->content()->size(), Theme::kContentSize);
    // Every control lies wholly inside the fixed container.
    for (QWidget* control : frmAvvio->content()->findChildren<QWidget*>()) {
        QVERIFY2(frmAvvio->content()->rect().contains(control->geometry()),
                 qPrintable(control->objectName()));
    }
    QVERIFY(!frmAvvio->findChild<QLabel*>(QStringLiteral("imgTitolo"))->accessibleName().isEmpty());
    QVERIFY(!frmAvvio->findChild<QLabel*>(QStringLiteral("imgSottotitolo"))
                 ->accessibleName()
                 .isEmpty());
    // Every window caption begins with one blank.
    for (QWidget* screen :
         {static_cast<QWidget*>(frmPassword), static_cast<QWidget*>(frmAvvio),
          static_cast<QWidget*>(frmSchedario_Chiavi), static_cast<QWidget*>(frmMenuOperazioni),
          static_cast<QWidget*>(frmRitiri), static_cast<QWidget*>(frmRiconsegne),
          static_cast<QWidget*>(frmMenuRiepilogo)}) {
        QVERIFY2(screen->windowTitle().startsWith(QLatin1Char(' ')) &&
                     !screen->windowTitle().startsWith(QStringLiteral("  ")),
                 qPrintable(screen->windowTitle()));
    }
}

void TestStartMenu::pictureButtonsAreRealButtons_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessible");
    QTest::newRow("imgApp01") << "imgApp01"
                              << "Vuvedi Duvav";
    QTest::newRow("btnApp01") << "btnApp01"
                              << "Vuvedi Duvav";
    QTest::newRow("imgApp02") << "imgApp02"
                              << "Ritiri e Riconsegne";
    QTest::newRow("btnApp02") << "btnApp02"
                              << "Ritiri e Riconsegne";
    QTest::newRow("imgApp03") << "imgApp03"
                              << "Dizidov Izevude";
    QTest::newRow("btnApp03") << "btnApp03"
                              << "Dizidov Izevude";
    QTest::newRow("imgInfo") << "imgInfo"
                             << "Informazioni";
    QTest::newRow("imgGuida") << "imgGuida"
                              << "Guida";
    QTest::newRow("imgCopyright") << "imgCopyright"
                                  << "Copyright";
    QTest::newRow("imgSito") << "imgSito"
                             << "Sito web";
    QTest::newRow("imgEsci") << "imgEsci"
                             << "Esci";
}

void TestStartMenu::pictureButtonsAreRealButtons() {
    QFETCH(QString, name);
    QFETCH(QString, accessible);
    QPushButton* control = startButton(qPrintable(name));
    QCOMPARE(control->accessibleName(), accessible);
    QCOMPARE(control->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(control->focusPolicy() & Qt::TabFocus);
    QVERIFY(!control->icon().isNull());
}

void TestStartMenu::tilesOpenTheirApplication_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QWidget**>("screen");
    QTest::addColumn<int>("key"); // 0: the mouse
    auto fleet = reinterpret_cast<QWidget**>(&frmSchedario_Chiavi);
    auto operations = reinterpret_cast<QWidget**>(&frmMenuOperazioni);
    auto history = reinterpret_cast<QWidget**>(&frmMenuRiepilogo);
    QTest::newRow("imgApp01") << "imgApp01" << fleet << 0;
    QTest::newRow("btnApp01, Enter") << "btnApp01" << fleet << int(Qt::Key_Return);
    QTest::newRow("imgApp02") << "imgApp02" << operations << 0;
    QTest::newRow("btnApp02, space") << "btnApp02" << operations << int(Qt::Key_Space);
    QTest::newRow("imgApp03, space") << "imgApp03" << history << int(Qt::Key_Space);
    QTest::newRow("btnApp03") << "btnApp03" << history << 0;
}

void TestStartMenu::tilesOpenTheirApplication() {
    QFETCH(QString, control);
    QFETCH(QWidget**, screen);
    QFETCH(int, key);
    frmAvvio->setObjectName(QStringLiteral("avvio"));
    (*screen)->setObjectName(QStringLiteral("app"));
    ShowHideLog log;
    log.watch(frmAvvio);
    log.watch(*screen);
    QPushButton* button = startButton(qPrintable(control));
    if (key) {
        button->setFocus();
        QTest::keyClick(button, Qt::Key(key));
    } else {
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QVERIFY((*screen)->isVisible());
    QVERIFY(!frmAvvio->isVisible());
    // The next screen first, then the start menu hides.
    QCOMPARE(log.entries, (QStringList{QStringLiteral("show app"), QStringLiteral("hide avvio")}));
    QVERIFY(Msg::Test::shown().isEmpty());
}

void TestStartMenu::applicationScreensReturnToTheStartMenu_data() {
    QTest::addColumn<QWidget**>("screen");
    QTest::newRow("fleet card") << reinterpret_cast<QWidget**>(&frmSchedario_Chiavi);
    QTest::newRow("operations menu") << reinterpret_cast<QWidget**>(&frmMenuOperazioni);
    QTest::newRow("pick-up") << reinterpret_cast<QWidget**>(&frmRitiri);
    QTest::newRow("return") << reinterpret_cast<QWidget**>(&frmRiconsegne);
    QTest::newRow("history period") << reinterpret_cast<QWidget**>(&frmMenuRiepilogo);
}

void TestStartMenu::applicationScreensReturnToTheStartMenu() {
    QFETCH(QWidget**, screen);
    Screens::showInsteadOf(*screen, frmAvvio);
    QVERIFY(!frmAvvio->isVisible());
    frmAvvio->setObjectName(QStringLiteral("avvio"));
    (*screen)->setObjectName(QStringLiteral("app"));
    ShowHideLog log;
    log.watch(frmAvvio);
    log.watch(*screen);
    // The window's close box.
    QVERIFY((*screen)->close());
    QVERIFY(frmAvvio->isVisible());
    QVERIFY(!(*screen)->isVisible());
    QCOMPARE(log.entries, (QStringList{QStringLiteral("show avvio"), QStringLiteral("hide app")}));
    QVERIFY(!Screens::ending());
    QVERIFY(!frmPassword->isVisible());
}

void TestStartMenu::closingTheStartMenuEndsTheProgram() {
    // The hidden login screen is the main window, yet closing the start menu ends the program.
    QVERIFY(!frmPassword->isVisible());
    QVERIFY(frmAvvio->close());
    QVERIFY(Screens::ending());
    QVERIFY(!frmAvvio->isVisible());
    QVERIFY(!frmPassword->isVisible());
}

void TestStartMenu::esciEndsTheProgram() {
    QTest::mouseClick(startButton("imgEsci"), Qt::LeftButton);
    QVERIFY(Screens::ending());
    QVERIFY(!frmAvvio->isVisible());
    QVERIFY(!frmSchedario_Chiavi->isVisible());
}

void TestStartMenu::siteOpensTheMakersAddress() {
    QTest::mouseClick(startButton("imgSito"), Qt::LeftButton);
    QCOMPARE(TMisc::recorded(), QStringList{QStringLiteral("https://www.onderia.example")});
    QVERIFY(frmAvvio->isVisible());
}

void TestStartMenu::infoAndSplashAreModalAndDiscarded() {
    QWidget* infoOwner = nullptr;
    bool infoModal = false;
    whenModal<TfrmInfo>([&](TfrmInfo* screen) {
        infoOwner = screen->parentWidget();
        infoModal = screen->isModal();
        screen->findChild<QPushButton*>(QStringLiteral("btnChiudi"))->click();
    });
    QTest::mouseClick(startButton("imgInfo"), Qt::LeftButton);
    QCOMPARE(infoOwner, frmAvvio);
    QVERIFY(infoModal);
    QVERIFY(frmAvvio->findChildren<TfrmInfo*>().isEmpty());

    QWidget* splashOwner = nullptr;
    QPoint splashCentre;
    whenModal<TfrmSplash>([&](TfrmSplash* screen) {
        splashOwner = screen->parentWidget();
        splashCentre = screen->geometry().center();
        screen->findChild<QPushButton*>(QStringLiteral("btnChiudi"))->click();
    });
    QTest::mouseClick(startButton("imgCopyright"), Qt::LeftButton);
    QCOMPARE(splashOwner, frmAvvio);
    // Centred over the start menu.
    const QPoint menuCentre = frmAvvio->frameGeometry().center();
    QVERIFY2((splashCentre - menuCentre).manhattanLength() <= 4,
             qPrintable(QStringLiteral("%1,%2 vs %3,%4")
                            .arg(splashCentre.x())
                            .arg(splashCentre.y())
                            .arg(menuCentre.x())
                            .arg(menuCentre.y())));
    QVERIFY(frmAvvio->findChildren<TfrmSplash*>().isEmpty());
    QVERIFY(frmAvvio->isVisible());
}

void TestStartMenu::helpTwiceShowsTwoFreshScreens() {
    QList<TfrmGuida*> seen;
    QStringList titles;
    QList<int> scroll;
    for (int i = 0; i < 2; ++i) {
        whenModal<TfrmGuida>([&](TfrmGuida* screen) {
            seen << screen;
            titles << screen->findChild<QLabel*>(QStringLiteral("lblTitolo"))->text();
            auto* bar =
                screen->findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"))->verticalScrollBar();
            scroll << bar->value();
            bar->setValue(bar->maximum()); // the user scrolls down before closing
            screen->findChild<QPushButton*>(QStringLiteral("btnChiudi"))->click();
        });
        QTest::mouseClick(startButton("imgGuida"), Qt::LeftButton);
        QVERIFY(frmAvvio->findChildren<TfrmGuida*>().isEmpty());
    }
    QCOMPARE(seen.size(), 2);
    QCOMPARE(titles, (QStringList{QStringLiteral("Uno sguardo a Onderia"),
                                  QStringLiteral("Uno sguardo a Onderia")}));
    QCOMPARE(scroll, (QList<int>{0, 0}));
}

void TestStartMenu::loginToApplicationAndBack() {
    frmAvvio->hide();
    QFile::copy(sourcePath(QStringLiteral("resources/unins000.dll")),
                sandbox->file(QStringLiteral("unins000.dll")));
    frmPassword->show();
    auto* field = frmPassword->findChild<QLineEdit*>(QStringLiteral("txtPassword"));
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("ormeggiodiprua"));
    QTest::keyClick(field, Qt::Key_Return);
    QVERIFY(frmAvvio->isVisible());
    QTest::mouseClick(startButton("btnApp01"), Qt::LeftButton);
    QVERIFY(frmSchedario_Chiavi->isVisible());
    frmSchedario_Chiavi->close();
    QVERIFY(frmAvvio->isVisible());
    // The login screen stays hidden for the rest of the run.
    QVERIFY(!frmPassword->isVisible());
    QVERIFY(Msg::Test::shown().isEmpty());
}

QTEST_MAIN(TestStartMenu)
#include "tst_startmenu.moc"
