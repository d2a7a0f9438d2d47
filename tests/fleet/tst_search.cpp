// The fleet search: filter panel, matching rule, count line, result list and hand-over.
#include "FleetFixtures.h"
#include "PrintFixtures.h"
#include "TestSupport.h"

#include "app/Errors.h"
#include "app/Messages.h"
#include "app/Screens.h"
#include "fleet/FleetListView.h"
#include "fleet/FleetLists.h"
#include "fleet/TfrmSchedario_Chiavi.h"
#include "fleet/TfrmTrovaSchedario_Chiavi.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

using FleetLists::Test::handOvers;

class TestSearch : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void filterPanel();
    void enterChainAndFrames();
    void matching_data();
    void matching();
    void resultPanel();
    void doubleClickLoadsLastTwinIntoFleetCard();
    void doubleClickNeedsTheCallerTag();
    void failureIsAPlainMessage();
    void missingFileListsNothing();
    void openedModallyFromFleetCard();

private:
    std::unique_ptr<TfrmTrovaSchedario_Chiavi> open();
    void search(TfrmTrovaSchedario_Chiavi* screen) {
        QTest::mouseClick(screen->btnCerca, Qt::LeftButton);
    }
    std::unique_ptr<TestSandbox> sandbox_;
};

void TestSearch::init() {
    sandbox_ = std::make_unique<TestSandbox>();
    handOvers().clear();
    Screens::createAll();
}

void TestSearch::cleanup() {
    Screens::destroyAll();
    sandbox_.reset();
}

std::unique_ptr<TfrmTrovaSchedario_Chiavi> TestSearch::open() {
    auto screen = std::make_unique<TfrmTrovaSchedario_Chiavi>(nullptr);
    screen->lblMemory->setText(QStringLiteral("schedario_chiavi"));
    screen->show();
    return screen;
}

void TestSearch::filterPanel() {
    auto screen = open();
    QCOMPARE(screen->windowTitle(), QStringLiteral(" Trova mezzi in flotta"));
    QVERIFY(screen->panAvvio->isVisible());
    QVERIFY(!screen->panContainer->isVisible());
    const char* labels[][2] = {
        {"lblCampo01", "Codice identificativo:"},  {"lblCampo02", "Tipo mezzo:"},
        {"lblCampo03", "Tariffa noleggio:"},       {"lblCampo04", "Stato attuale:"},
        {"lblCampo05", "Caratteristiche mezzo:"},  {"lblCampo06", "Ubicazione:"},
        {"lblCampo07", "Accessori in dotazione:"}, {"lblCampo08", "Requisiti per noleggio:"},
        {"lblCampo09", "Documenti richiesti:"},    {"lblCampo10", "Note:"}};
    for (const auto& l : labels) {
        auto* label = screen->findChild<QLabel*>(QString::fromLatin1(l[0]));
        QVERIFY2(label, l[0]);
        QCOMPARE(label->text(), QString::fromUtf8(l[1]));
    }
    QCOMPARE(screen->btnAnnulla->text(), QStringLiteral("Chiudi"));
    QCOMPARE(screen->btnCerca->text(), QStringLiteral("Cerca"));
    QCOMPARE(screen->lblAttendere->text(), QStringLiteral("Ricerca schede in corso. Attendere..."));
    QVERIFY(!screen->lblAttendere->isVisible());
    QCOMPARE(screen->lblConta->text(), QStringLiteral("0"));
    QCOMPARE(screen->focusWidget(), screen->txtCodice);
    QVERIFY(screen->txtNote->font().bold());
    QCOMPARE(screen->txtNote->font().pointSize(), 12);
    // Pressing the mouse on Cerca shows the waiting line before the search runs.
    QTest::mousePress(screen->btnCerca, Qt::LeftButton);
    QVERIFY(screen->lblAttendere->isVisible());
    QTest::mouseRelease(screen->btnCerca, Qt::LeftButton);
    QVERIFY(screen->panContainer->isVisible());
    // Closing hides it again.
    QTest::mouseClick(screen->panContainer->btnChiudi, Qt::LeftButton);
    QVERIFY(!screen->isVisible());
    QVERIFY(!screen->lblAttendere->isVisible());
}

void TestSearch::enterChainAndFrames() {
    auto screen = open();
    QApplication::setActiveWindow(screen.get());
    QList<QLineEdit*> f = screen->filters;
    for (int i = 0; i < f.size(); ++i) {
        f[i]->setFocus();
        QApplication::processEvents();
        const QString eff = QStringLiteral("effCampo%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        QFrame* frame = screen->findChild<QFrame*>(eff);
        QVERIFY2(frame && frame->isVisible(), qPrintable(eff));
        QTest::keyClick(f[i], Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f[(i + 1) % f.size()]);
        QVERIFY(!frame->isVisible());
    }
    QVERIFY(screen->panAvvio->isVisible()); // Enter never starts the search
    // Tab order: the ten fields, then Chiudi and Cerca.
    QList<QWidget*> order(f.begin(), f.end());
    order << screen->btnAnnulla << screen->btnCerca;
    for (int i = 0; i + 1 < order.size(); ++i) {
        order[i]->setFocus();
        QTest::keyClick(order[i], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), order[i + 1]);
    }
    search(screen.get());
    // In the result panel Enter in the find field leads to Trova without pressing it.
    QCOMPARE(QApplication::focusWidget(), screen->panContainer->txtTrova);
    QVERIFY(!screen->findChild<QFrame*>(QStringLiteral("effTrova")));
    QTest::keyClick(screen->panContainer->txtTrova, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), screen->panContainer->btnTrova);
    QCOMPARE(Msg::Test::shown().size(), 0);
}

void TestSearch::matching_data() {
    QTest::addColumn<QStringList>("filters"); // "field=text" pairs, as typed
    QTest::addColumn<QStringList>("codes");   // listed codes, in list order
    QTest::addColumn<int>("inUse");
    QTest::newRow("all blank") << QStringList{} << QStringList{"K1", "K2", "M1", "P1", "S1"} << 0;
    QTest::newRow("blanks only take no part") << QStringList{"txtTipo=   ", "txtNote=  "}
                                              << QStringList{"K1", "K2", "M1", "P1", "S1"} << 0;
    QTest::newRow("kay finds Kayak and KAYAK")
        << QStringList{"txtTipo=kay"} << QStringList{"K1", "K2"} << 1;
    QTest::newRow("è does not find È") << QStringList{"txtNote=è"} << QStringList{} << 1;
    QTest::newRow("È finds itself") << QStringList{"txtNote=È"} << QStringList{"P1"} << 1;
    QTest::newRow("disponibile") << QStringList{"txtStato=disponibile"}
                                 << QStringList{"K1", "M1", "P1", "S1"} << 1;
    QTest::newRow("ritirato da") << QStringList{"txtStato=ritirato da"} << QStringList{"K2"} << 1;
    QTest::newRow("two filters, one fails")
        << QStringList{"txtTipo=kayak", "txtLuogo=molo"} << QStringList{} << 2;
    QTest::newRow("two filters match")
        << QStringList{"txtTipo=kayak", "txtLuogo=spiaggia"} << QStringList{"K2"} << 2;
    QTest::newRow("trailing blank as typed")
        << QStringList{"txtTipo=kayak "} << QStringList{"K2"} << 1;
    QTest::newRow("whole type beyond 30")
        << QStringList{"txtTipo=dieci posti"} << QStringList{"M1"} << 1;
    QTest::newRow("not-rentable searched too")
        << QStringList{"txtCodice=s1"} << QStringList{"S1"} << 1;
}

void TestSearch::matching() {
    QFETCH(QStringList, filters);
    QFETCH(QStringList, codes);
    QFETCH(int, inUse);
    TScheda k2 = fleetCard("K2", "KAYAK biposto", "25", "No",
                           "Ritirato da Rossi in data 01/08/2025 alle ore 10:00");
    k2.Luogo = QStringLiteral("Spiaggia libera");
    TScheda p1 = fleetCard("P1", "PEDALÒ", "10");
    p1.Note = QStringLiteral("È vietato l'uso dopo il tramonto");
    writeFleet({p1, k2, fleetCard("K1", "Kayak", "15"),
                fleetCard("M1", "Gommone per escursioni da dieci posti", "120"),
                fleetCard("S1", "SUP", "8", "Sì")});
    auto screen = open();
    for (const QString& f : filters) {
        const QString name = f.section(QLatin1Char('='), 0, 0);
        screen->findChild<QLineEdit*>(name)->setText(f.section(QLatin1Char('='), 1));
    }
    search(screen.get());
    QVERIFY(screen->panContainer->isVisible());
    QVERIFY(!screen->panAvvio->isVisible());
    QStringList listed;
    for (const QString& row : screen->panContainer->rows())
        listed << row.mid(5, 20).trimmed();
    QCOMPARE(listed, codes);
    QCOMPARE(screen->lblConta->text(), QString::number(inUse));
    QCOMPARE(screen->panContainer->lblTrovate->text(),
             QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(codes.size()));
}

void TestSearch::resultPanel() {
    PdfPrinting printing(sandbox_->folder());
    writeFleet({fleetCard("B2", "Canoa", "12"), fleetCard("A1", "Kayak", "15")});
    auto screen = open();
    FleetListPanel* list = screen->panContainer;
    QCOMPARE(list->lblTrovate->text(), QStringLiteral("Il presente riepilogo contiene 0 schede"));
    screen->txtTipo->setText(QStringLiteral("kayak"));
    search(screen.get());
    QCOMPARE(list->lblTrovate->text(), QStringLiteral("Il presente riepilogo contiene 1 schede."));
    QCOMPARE(list->findChild<QLabel*>(QStringLiteral("lblRigo03"))->text(),
             QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda"));
    QVERIFY(list->findChild<QLabel*>(QStringLiteral("icoIstruzioni")));
    QCOMPARE(list->txtTrova->text(), QString());
    list->txtTrova->setText(QStringLiteral("A1"));
    QTest::mouseClick(list->btnTrova, Qt::LeftButton);
    QCOMPARE(list->lstRecords->currentIndex().row(), 0);
    QCOMPARE(FleetListPanel::remembered(QStringLiteral("TfrmTrovaSchedario_Chiavi")),
             QStringLiteral("a1"));
    QTest::mouseClick(list->btnStampa, Qt::LeftButton);
    const QString text = pdfText(printing.files().first());
    QVERIFY(text.contains(QStringLiteral("Vuvedi duvav")));
    QVERIFY(text.contains(QStringLiteral("Cod. A1")));
    QVERIFY(!text.contains(QStringLiteral("Cod. B2")));
    // An empty result: finding tells so.
    auto none = open();
    none->txtCodice->setText(QStringLiteral("ZZZ"));
    search(none.get());
    QTest::mouseClick(none->panContainer->btnTrova, Qt::LeftButton);
    QCOMPARE(Msg::Test::last().form, Msg::Form::Plain);
    QCOMPARE(Msg::Test::last().text,
             QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
}

void TestSearch::doubleClickLoadsLastTwinIntoFleetCard() {
    TScheda first = fleetCard("TWIN", "Kayak", "15");
    first.Luogo = QStringLiteral("Primo");
    TScheda second = first;
    second.Luogo = QStringLiteral("Secondo");
    writeFleet({first, fleetCard("OTHER", "Canoa", "12"), second});
    auto screen = open();
    search(screen.get());
    QListView* list = screen->panContainer->lstRecords;
    QCOMPARE(list->model()->rowCount(), 3);
    const QModelIndex twin = list->model()->index(2, 0); // OTHER, TWIN, TWIN
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(twin).center());
    QVERIFY(!screen->isVisible());
    QCOMPARE(handOvers().size(), 2);
    QCOMPARE(handOvers().last().screen, QStringLiteral("frmSchedario_Chiavi"));
    QCOMPARE(handOvers().last().position, 3);
    QCOMPARE(handOvers().last().card.Luogo, QStringLiteral("Secondo"));
    QVERIFY(screen->panContainer->rows().isEmpty());
}

void TestSearch::doubleClickNeedsTheCallerTag() {
    writeFleet({fleetCard("A1", "Kayak", "15")});
    auto screen = std::make_unique<TfrmTrovaSchedario_Chiavi>(nullptr);
    screen->show();
    search(screen.get());
    QListView* list = screen->panContainer->lstRecords;
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       list->visualRect(list->model()->index(0, 0)).center());
    QVERIFY(!screen->isVisible());
    QCOMPARE(handOvers().size(), 0);
}

void TestSearch::failureIsAPlainMessage() {
    QDir().mkdir(sandbox_->file(QStringLiteral("Vuvedi_Duvav.pro")));
    auto screen = open();
    search(screen.get());
    QCOMPARE(Msg::Test::shown().size(), 1);
    QCOMPARE(Msg::Test::last().form, Msg::Form::Plain);
    QCOMPARE(Msg::Test::last().icon, Msg::Icon::None);
    QCOMPARE(Msg::Test::last().text, kArchiveAccessError);
    QVERIFY(screen->panAvvio->isVisible());
    QVERIFY(!screen->panContainer->isVisible());
    QVERIFY(!screen->lblAttendere->isVisible());
}

void TestSearch::missingFileListsNothing() {
    auto screen = open();
    search(screen.get());
    QVERIFY(QFileInfo::exists(sandbox_->file(QStringLiteral("Vuvedi_Duvav.pro"))));
    QCOMPARE(screen->panContainer->lblTrovate->text(),
             QStringLiteral("Il presente riepilogo contiene 0 schede."));
    QCOMPARE(Msg::Test::shown().size(), 0);
}

void TestSearch::openedModallyFromFleetCard() {
    writeFleet({fleetCard("A1", "Kayak", "15"), fleetCard("B2", "Canoa", "12")});
    QString tag, caption;
    QWidget* owner = nullptr;
    QTimer::singleShot(0, [&] {
        auto* screen = qobject_cast<TfrmTrovaSchedario_Chiavi*>(QApplication::activeModalWidget());
        if (!screen)
            return;
        tag = screen->lblMemory->text();
        caption = screen->windowTitle();
        owner = screen->parentWidget();
        screen->txtTipo->setText(QStringLiteral("canoa"));
        QTest::mouseClick(screen->btnCerca, Qt::LeftButton);
        QListView* list = screen->panContainer->lstRecords;
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                           list->visualRect(list->model()->index(0, 0)).center());
    });
    frmSchedario_Chiavi->show();
    QTest::mouseClick(frmSchedario_Chiavi->findChild<QPushButton*>(QStringLiteral("cmdTrova")),
                      Qt::LeftButton);
    QCOMPARE(frmSchedario_Chiavi->findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(),
             QStringLiteral("2"));
    QCOMPARE(frmSchedario_Chiavi->findChild<QLineEdit*>(QStringLiteral("txtCodice"))->text(),
             QStringLiteral("B2"));
    QCOMPARE(frmSchedario_Chiavi->findChild<QLineEdit*>(QStringLiteral("txtTipo"))->text(),
             QStringLiteral("Canoa"));
    QCOMPARE(tag, QStringLiteral("schedario_chiavi"));
    QCOMPARE(caption, QStringLiteral(" Trova mezzi in flotta"));
    QCOMPARE(owner, frmSchedario_Chiavi);
    QCOMPARE(handOvers().size(), 1);
    QCOMPARE(handOvers().at(0).position, 2);
    QCOMPARE(handOvers().at(0).card.Codice, QStringLiteral("B2"));
    QCOMPARE(frmSchedario_Chiavi->findChildren<TfrmTrovaSchedario_Chiavi*>().size(), 0);
}

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
