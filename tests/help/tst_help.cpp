#include "HostTool.h"
#include "ModalHelpers.h"
#include "TestSupport.h"

#include "app/Messages.h"
#include "app/OpenURL.h"
#include "app/Screens.h"
#include "app/TfrmAvvio.h"
#include "help/GuideWriter.h"
#include "help/Help.h"
#include "help/HelpPages.h"
#include "help/TfrmGuida.h"
#include "help/TfrmInfo.h"
#include "help/TfrmSplash.h"
#include "store/ProgramFolder.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include <memory>

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void pages_data();
    void pages();
    void overviewReusesTheOtherPages();
    void helpScreenShowsThePage_data();
    void helpScreenShowsThePage();
    void helpScreensStartFreshEachTime();
    void unknownPageShowsItsTitleOnly();
    void linksColourAndOpen_data();
    void linksColourAndOpen();
    void guideOpensFromAFolderWithBlanks();
    void captionsAndAccessibleNames();
    void userGuideHoldsEveryPage();

private:
    TestSandbox* sandbox = nullptr;
};

void TestHelp::init() {
    sandbox = new TestSandbox;
    Screens::createAll();
}

void TestHelp::cleanup() {
    Screens::destroyAll();
    delete sandbox;
    sandbox = nullptr;
}

void TestHelp::pages_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("paragraphs");
    QTest::newRow("overview") << QStringLiteral("Uno sguardo a Onderia") << 25;
    QTest::newRow("fleet") << QStringLiteral("App Vuvedi Duvav") << 8;
    QTest::newRow("rentals") << QStringLiteral("App Ritiri e Riconsegne") << 7;
    QTest::newRow("history") << QStringLiteral("App Dizidov Izevude") << 4;
    QTest::newRow("export") << QStringLiteral("Esportazione vuvedi duvav in Excel") << 3;
}

void TestHelp::pages() {
    QFETCH(QString, title);
    QFETCH(int, paragraphs);
    const HelpPage page = HelpPages::page(title);
    QCOMPARE(page.title, title);
    QCOMPARE(page.paragraphs.size(), paragraphs);
    for (const QString& paragraph : page.paragraphs) {
        QVERIFY(!paragraph.trimmed().isEmpty());
        QCOMPARE(paragraph, paragraph.trimmed());
        QVERIFY(!paragraph.contains(QLatin1Char('\n')) && !paragraph.contains(QLatin1Char('\r')));
    }
    // Joined with one empty line between paragraphs, nothing before or after.
    const QString joined = HelpPages::joined(page);
    QCOMPARE(joined.split(QStringLiteral("\r\n\r\n")), page.paragraphs);
    QVERIFY(!joined.startsWith(QLatin1Char('\r')) && !joined.endsWith(QLatin1Char('\n')));
}

void TestHelp::overviewReusesTheOtherPages() {
    const QStringList overview = HelpPages::page(HelpPages::kOverview).paragraphs;
    const QStringList fleet = HelpPages::page(HelpPages::kVuvediDuvav).paragraphs;
    const QStringList rentals = HelpPages::page(HelpPages::kRitiriRiconsegne).paragraphs;
    const QStringList history = HelpPages::page(HelpPages::kDizidovIzevude).paragraphs;
    QCOMPARE(overview.mid(2, 8), fleet);
    QCOMPARE(overview.mid(10, 7), rentals);
    QCOMPARE(overview.mid(18, 3), history.mid(1));
    // Paragraph 18 is the history page's first one, speaking of any period.
    QVERIFY(
        history.first().contains(QStringLiteral("in un intervallo di tempo di propria scelta")));
    QCOMPARE(overview.at(17),
             QString(history.first())
                 .replace(QStringLiteral("in un intervallo di tempo di propria scelta"),
                          QStringLiteral("in un qualsiasi intervallo di tempo")));
    QVERIFY(overview.at(17) != history.first());
    // The first-access password between double quotes, to be typed without them.
    QVERIFY(overview.at(22).contains(QStringLiteral("\"ormeggiodiprua\"")));
}

void TestHelp::helpScreenShowsThePage_data() {
    pages_data();
}

void TestHelp::helpScreenShowsThePage() {
    QFETCH(QString, title);
    QFETCH(int, paragraphs);
    QString caption, shownTitle, shownText;
    QWidget* owner = nullptr;
    bool modal = false;
    whenModal<TfrmGuida>([&](TfrmGuida* screen) {
        caption = screen->windowTitle();
        owner = screen->parentWidget();
        modal = screen->isModal();
        shownTitle = screen->findChild<QLabel*>(QStringLiteral("lblTitolo"))->text();
        shownText = screen->findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"))->toPlainText();
        screen->findChild<QPushButton*>(QStringLiteral("btnChiudi"))->click();
    });
    Help::showPage(frmAvvio, title);
    QCOMPARE(caption, QStringLiteral(" Guida all'utilizzo del software"));
    QCOMPARE(owner, frmAvvio);
    QVERIFY(modal);
    QCOMPARE(shownTitle, title);
    // One empty line between paragraphs, as the Windows line ends show.
    const QStringList shown = shownText.split(QStringLiteral("\n\n"));
    QCOMPARE(shown.size(), paragraphs);
    QCOMPARE(shown, HelpPages::page(title).paragraphs);
    // Discarded once closed.
    QVERIFY(frmAvvio->findChildren<TfrmGuida*>().isEmpty());
}

void TestHelp::helpScreensStartFreshEachTime() {
    // The first screen is scrolled down and its title altered; the second knows nothing of it.
    int secondScroll = -1;
    QString secondTitle;
    whenModal<TfrmGuida>([&](TfrmGuida* screen) {
        auto* text = screen->findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"));
        text->verticalScrollBar()->setValue(text->verticalScrollBar()->maximum());
        screen->findChild<QLabel*>(QStringLiteral("lblTitolo"))->setText(QStringLiteral("x"));
        screen->findChild<QPushButton*>(QStringLiteral("btnChiudi"))->click();
    });
    Help::showPage(frmAvvio, HelpPages::kOverview);
    whenModal<TfrmGuida>([&](TfrmGuida* screen) {
        secondScroll = screen->findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"))
                           ->verticalScrollBar()
                           ->value();
        secondTitle = screen->findChild<QLabel*>(QStringLiteral("lblTitolo"))->text();
    });
    Help::showPage(frmAvvio, HelpPages::kOverview);
    QCOMPARE(secondScroll, 0);
    QCOMPARE(secondTitle, HelpPages::kOverview);

    // Before a page is set, the screen shows its initial layout.
    TfrmGuida blank(frmAvvio);
    QCOMPARE(blank.findChild<QLabel*>(QStringLiteral("lblTitolo"))->text(),
             QStringLiteral("Argomento della guida."));
    QVERIFY(blank.findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"))->toPlainText().isEmpty());
    QVERIFY(blank.findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"))->isReadOnly());
    QCOMPARE(blank.findChild<QPushButton*>(QStringLiteral("lnkWeb"))->text(),
             QStringLiteral("Visualizza guida in formato PDF"));
}

void TestHelp::unknownPageShowsItsTitleOnly() {
    TfrmGuida screen(frmAvvio);
    screen.setPage(QStringLiteral("Pagina"), QString());
    QCOMPARE(screen.findChild<QLabel*>(QStringLiteral("lblTitolo"))->text(),
             QStringLiteral("Pagina"));
    QVERIFY(HelpPages::page(QStringLiteral("Pagina")).paragraphs.isEmpty());
}

void TestHelp::linksColourAndOpen_data() {
    QTest::addColumn<QString>("screenKind");
    QTest::addColumn<QString>("pictureName");
    QTest::addColumn<QString>("command");
    // "<folder>" stands for the program folder, made only when the test runs.
    const QString guide = QStringLiteral("\"<folder>/Guida.pdf\"");
    QTest::newRow("help link") << "guida"
                               << "lnkWeb" << guide;
    QTest::newRow("help picture") << "guida"
                                  << "imgPDF" << guide;
    QTest::newRow("info link") << "info"
                               << "lnkWeb"
                               << "\"mailto:info@onderia.example\"";
    QTest::newRow("info picture") << "info"
                                  << "imgEmail"
                                  << "\"mailto:info@onderia.example\"";
    QTest::newRow("splash link") << "splash"
                                 << "lnkWeb"
                                 << "https://www.onderia.example";
    QTest::newRow("splash picture") << "splash"
                                    << "imgWeb"
                                    << "https://www.onderia.example";
}

void TestHelp::linksColourAndOpen() {
    QFETCH(QString, screenKind);
    QFETCH(QString, pictureName);
    QFETCH(QString, command);
    command.replace(QStringLiteral("<folder>"), sandbox->folder());
    std::unique_ptr<QDialog> screen;
    if (screenKind == QLatin1String("guida"))
        screen = std::make_unique<TfrmGuida>(frmAvvio);
    else if (screenKind == QLatin1String("info"))
        screen = std::make_unique<TfrmInfo>(frmAvvio);
    else
        screen = std::make_unique<TfrmSplash>(frmAvvio);
    screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
    auto* link = screen->findChild<QPushButton*>(QStringLiteral("lnkWeb"));
    auto* picture = screen->findChild<QPushButton*>(pictureName);
    QVERIFY(link && picture);
    QCOMPARE(link->property("linkColour").toString(), QStringLiteral("#00008b"));
    QVERIFY(link->font().underline());
    QCOMPARE(picture->cursor().shape(), Qt::PointingHandCursor);

    // Mouse down on the link or its picture: orange; up: dark blue again.
    QTest::mousePress(picture, Qt::LeftButton);
    QCOMPARE(link->property("linkColour").toString(), QStringLiteral("#ffa500"));
    QVERIFY(TMisc::recorded().isEmpty());
    QTest::mouseRelease(picture, Qt::LeftButton);
    QCOMPARE(link->property("linkColour").toString(), QStringLiteral("#00008b"));
    QCOMPARE(TMisc::recorded(), QStringList{command});

    // A mouse button let go outside the link opens nothing but still turns it dark blue.
    TMisc::recorded().clear();
    QTest::mousePress(link, Qt::LeftButton);
    QCOMPARE(link->property("linkColour").toString(), QStringLiteral("#ffa500"));
    QMouseEvent away(QEvent::MouseButtonRelease, QPointF(-50, -50),
                     link->mapToGlobal(QPointF(-50, -50)), Qt::LeftButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(link, &away);
    QCOMPARE(link->property("linkColour").toString(), QStringLiteral("#00008b"));
    QVERIFY(TMisc::recorded().isEmpty());

    // The keyboard reaches the link too.
    link->setFocus();
    QTest::keyClick(link, Qt::Key_Space);
    QCOMPARE(TMisc::recorded(), QStringList{command});
    // Nothing reported to the user, whatever the shell does.
    QVERIFY(Msg::Test::shown().isEmpty());

    screen->findChild<QPushButton*>(QStringLiteral("btnChiudi"))->click();
    QVERIFY(!screen->isVisible());
}

void TestHelp::guideOpensFromAFolderWithBlanks() {
    const QString folder = QDir(sandbox->folder()).filePath(QStringLiteral("Programmi Onderia"));
    QVERIFY(QDir().mkpath(folder));
    ProgramFolder::setOverride(folder);
    TfrmGuida screen(frmAvvio);
    screen.findChild<QPushButton*>(QStringLiteral("lnkWeb"))->click();
    QCOMPARE(TMisc::recorded(),
             QStringList{QStringLiteral("\"") + folder + QStringLiteral("/Guida.pdf\"")});
}

void TestHelp::captionsAndAccessibleNames() {
    TfrmInfo info(frmAvvio);
    TfrmSplash splash(frmAvvio);
    TfrmGuida help(frmAvvio);
    QCOMPARE(info.windowTitle(), QStringLiteral(" Informazioni su Onderia"));
    QVERIFY(splash.windowTitle().startsWith(QStringLiteral(" Onderia")));
    QVERIFY(splash.windowTitle().contains(QStringLiteral("©")));
    QCOMPARE(info.findChild<QPushButton*>(QStringLiteral("lnkWeb"))->text(),
             QStringLiteral("info@onderia.example"));
    for (QDialog* screen : std::initializer_list<QDialog*>{&info, &splash, &help}) {
        // Auxiliary screens close only through their own buttons.
        QVERIFY(!screen->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(screen->minimumSize() == screen->maximumSize());
        QCOMPARE(screen->findChild<QPushButton*>(QStringLiteral("btnChiudi"))->text(),
                 QStringLiteral("Chiudi"));
        for (QWidget* control : screen->findChildren<QWidget*>()) {
            if (qobject_cast<QPushButton*>(control) || qobject_cast<QLabel*>(control) ||
                qobject_cast<QPlainTextEdit*>(control)) {
                QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
                QCOMPARE(control->focusPolicy() != Qt::NoFocus,
                         qobject_cast<QPushButton*>(control) ||
                             qobject_cast<QPlainTextEdit*>(control));
            }
        }
    }
}

void TestHelp::userGuideHoldsEveryPage() {
    const QString pdf = sandbox->file(QStringLiteral("Guida.pdf"));
    QVERIFY(GuideWriter::write(pdf));
    QVERIFY(!GuideWriter::write(sandbox->folder())); // a folder cannot be written as the guide
    if (!HostTool::available(QStringLiteral("pdftotext")))
        QSKIP("pdftotext is not installed");
    const QString text =
        QString::fromUtf8(HostTool::run(QStringLiteral("pdftotext"),
                                        {QStringLiteral("-raw"), pdf, QStringLiteral("-")}))
            .normalized(QString::NormalizationForm_KC) // ligatures as letters
            .simplified();
    for (const HelpPage& page : HelpPages::all()) {
        QVERIFY2(text.contains(page.title), qPrintable(page.title));
        QVERIFY2(text.contains(page.paragraphs.last().left(40)), qPrintable(page.title));
    }
    QVERIFY(text.contains(QStringLiteral("ormeggiodiprua")));
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
