// The fleet list screens: rows, order, filters, find, double-click hand-over, loading, printing.
#include "FleetFixtures.h"
#include "PrintFixtures.h"
#include "TestSupport.h"

#include "app/Clock.h"
#include "app/Messages.h"
#include "app/Screens.h"
#include "fleet/FleetListScreens.h"
#include "fleet/FleetLists.h"
#include "fleet/FleetRows.h"
#include "fleet/TfrmSchedario_Chiavi.h"
#include "rentals/TfrmRiconsegne.h"
#include "rentals/TfrmRitiri.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStringListModel>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using FleetLists::Test::handOvers;

namespace {

// One list screen shown (not modally) with its list loaded.
template <typename Screen> std::unique_ptr<Screen> shown() {
    auto screen = std::make_unique<Screen>(nullptr);
    screen->show();
    return screen;
}

QStringList rowsOf(TfrmFleetList* screen) {
    return screen->panContainer->rows();
}

int currentRow(TfrmFleetList* screen) {
    return screen->panContainer->lstRecords->currentIndex().row();
}

void find(TfrmFleetList* screen, const QString& text) {
    screen->panContainer->txtTrova->setText(text);
    QTest::mouseClick(screen->panContainer->btnTrova, Qt::LeftButton);
}

void doubleClickRow(TfrmFleetList* screen, int row) {
    QListView* list = screen->panContainer->lstRecords;
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

} // namespace

class TestLists : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void rowFormats_data();
    void rowFormats();
    void order_data();
    void order();
    void screensAndFilters();
    void listInCodeOrderWhateverTheFileOrder();
    void sortAgreesWithPlainComparison();
    void findInList_data();
    void findInList();
    void findOnEmptyListAndRememberedText();
    void enterPressesOnlyTheFocusedButton();
    void doubleClickLoadsLastTwin();
    void doubleClickFindsCardHiddenByFilter();
    void doubleClickHandsOverToRentalScreens();
    void doubleClickFailuresCloseSilently();
    void emptyRentalListWarnsOnDoubleClick();
    void listOfCraftOutHasNoDoubleClick();
    void loadingFailureIsSilent();
    void missingFileGivesEmptyList();
    void printsRowsInListOrder();
    void printFailureIsReported();
    void openersShowModalScreens();
    void pickUpAndReturnScreensSelectThroughTheirLists();

private:
    std::unique_ptr<TestSandbox> sandbox_;
};

void TestLists::init() {
    sandbox_ = std::make_unique<TestSandbox>();
    handOvers().clear();
    Screens::createAll();
}

void TestLists::cleanup() {
    Screens::destroyAll();
    sandbox_.reset();
}

void TestLists::rowFormats_data() {
    QTest::addColumn<bool>("state");
    QTest::addColumn<TScheda>("card");
    QTest::addColumn<QString>("row");
    const QString thirtyFive = QStringLiteral("Moto d'acqua a tre posti con traino");
    auto blanks = [](int n) { return QString(n, QLatin1Char(' ')); };
    QTest::newRow("padding") << false << fleetCard("K1", "Kayak", "20 euro/ora", "No", "", "Pagaie")
                             << "Cod. K1" + blanks(18) + "  Tipo: Kayak" + blanks(25) +
                                    "  Tariffa: 20 euro/ora" + blanks(19) + "  Note: Pagaie";
    QTest::newRow("cut at 30") << false << fleetCard("J7", thirtyFive, thirtyFive)
                               << "Cod. J7" + blanks(18) +
                                      "  Tipo: Moto d'acqua a tre posti con t" +
                                      "  Tariffa: Moto d'acqua a tre posti con t  Note: ";
    QTest::newRow("code of 20") << false << fleetCard("ABCDEFGHIJKLMNOPQRST", "Canoa", "15")
                                << "Cod. ABCDEFGHIJKLMNOPQRST  Tipo: Canoa" + blanks(25) +
                                       "  Tariffa: 15" + blanks(28) + "  Note: ";
    QTest::newRow("state row")
        << true
        << fleetCard("P2", "Pedalò", "10", "No",
                     "Ritirato da Rossi in data 05/07/2025 alle ore 09:30")
        << "Cod. P2                    Tipo: Pedalò                          "
           "Ritirato da Rossi in data 05/07/2025 alle ore 09:30";
}

void TestLists::rowFormats() {
    QFETCH(bool, state);
    QFETCH(TScheda, card);
    QFETCH(QString, row);
    const QString built = state ? FleetRows::state(card) : FleetRows::fourField(card);
    QCOMPARE(built, row);
    if (!state) {
        QCOMPARE(built.mid(104, 8), QStringLiteral("  Note: ")); // the note starts at character 113
        QCOMPARE(built.mid(112), card.Note);
    }
}

void TestLists::order_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::newRow("a-z as A-Z") << "Cod. abc"
                                << "Cod. ABD";
    QTest::newRow("A-Z as a-z") << "Cod. ABC"
                                << "Cod. abd";
    QTest::newRow("prefix first") << "Cod. AB"
                                  << "Cod. AB ";
    QTest::newRow("blank before letters") << "Cod. A  "
                                          << "Cod. AA";
    QTest::newRow("small letters before underscore") << "Cod. a"
                                                     << "Cod. _";
    QTest::newRow("digits before letters") << "Cod. 9"
                                           << "Cod. a";
    QTest::newRow("accented after Z") << "Cod. Z"
                                      << "Cod. È";
    QTest::newRow("no folding of accents") << "Cod. È"
                                           << "Cod. è";
}

void TestLists::order() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QVERIFY(FleetRows::lessThan(a, b));
    QVERIFY(!FleetRows::lessThan(b, a));
    QStringList rows = {b, a};
    FleetRows::sort(rows);
    QCOMPARE(rows, QStringList({a, b}));
}

void TestLists::screensAndFilters() {
    writeFleet({
        fleetCard("D-AVAIL", "Kayak", "15"),
        fleetCard("C-OUT", "Canoa", "12", "No",
                  "Ritirato da Bianchi in data 01/08/2025 alle ore 10:00"),
        fleetCard("B-BROKEN", "Pedalò", "10", "Sì"),
        fleetCard("A-EMPTYFLAG", "SUP", "8", ""),
        fleetCard("E-OUTBROKEN", "Moto d'acqua", "60", "Sì",
                  "Ritirato da Verdi in data 02/08/2025 alle ore 11:00"),
    });
    struct Case {
        std::unique_ptr<TfrmFleetList> screen;
        QString caption;
        QStringList codes;
        bool instructionLine;
    };
    Case cases[] = {
        {shown<TfrmRiepSmarrite>(),
         " Elenco mezzi non noleggiabili",
         {"A-EMPTYFLAG", "B-BROKEN", "E-OUTBROKEN"},
         true},
        {shown<TfrmRiepChiaviRitiro>(), " Elenco mezzi disponibili per ritiro", {"D-AVAIL"}, true},
        {shown<TfrmRiepChiaviRiconsegna>(), " Elenco mezzi da riconsegnare", {"C-OUT"}, true},
        {shown<TfrmRiepDaRiconsegnare>(), " Elenco mezzi da riconsegnare", {"C-OUT"}, false},
    };
    for (Case& c : cases) {
        QCOMPARE(c.screen->windowTitle(), c.caption);
        QStringList codes;
        for (const QString& row : rowsOf(c.screen.get()))
            codes << row.mid(5, 20).trimmed();
        QCOMPARE(codes, c.codes);
        QLabel* rigo = c.screen->findChild<QLabel*>(QStringLiteral("lblRigo03"));
        QCOMPARE(rigo != nullptr, c.instructionLine);
        if (rigo)
            QCOMPARE(
                rigo->text(),
                QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare la scheda"));
        QListView* list = c.screen->panContainer->lstRecords;
        QCOMPARE(list->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(list->font().pointSize(), 12);
        QCOMPARE(c.screen->focusWidget(), c.screen->panContainer->txtTrova);
        for (const char* name : {"panContainer", "imgLogo", "icoIstruzioni01", "imgLente",
                                 "shpLente", "shpSfondo", "shpLista", "txtTrova", "effTrova",
                                 "btnTrova", "lstRecords", "btnStampa", "btnChiudi"})
            QVERIFY2(c.screen->findChild<QWidget*>(QString::fromLatin1(name)), name);
    }
    // The state rows show the customer, date and time of the pick-up.
    QVERIFY(
        rowsOf(cases[2].screen.get())
            .first()
            .endsWith(QStringLiteral("  Ritirato da Bianchi in data 01/08/2025 alle ore 10:00")));
    // Closing empties the list.
    QTest::mouseClick(cases[0].screen->panContainer->btnChiudi, Qt::LeftButton);
    QVERIFY(!cases[0].screen->isVisible());
    QVERIFY(rowsOf(cases[0].screen.get()).isEmpty());
}

// Codes entered over the seasons: in no order, mixed case, shared prefixes, accents. The list
// shows them by code, a-z as A-Z and nothing else folded; rows equal but for a-z keep file order.
void TestLists::listInCodeOrderWhateverTheFileOrder() {
    QList<TScheda> cards;
    for (const char* code : {"KY-03", "k-01", "C-07", "È-1", "K-01", "ca-10", "J-02", "e-1", "CA-1",
                             "è-1", "K_1", "Ka-1", "9-Z", "Z-9"})
        cards.append(
            fleetCard(QString::fromUtf8(code), QStringLiteral("Kayak"), QStringLiteral("15")));
    writeFleet(cards);
    auto screen = shown<TfrmRiepChiaviRitiro>();
    QStringList codes;
    for (const QString& row : rowsOf(screen.get()))
        codes << row.mid(5, 20).trimmed();
    QCOMPARE(codes, QString::fromUtf8("9-Z C-07 CA-1 ca-10 e-1 J-02 k-01 K-01 Ka-1 KY-03 K_1 Z-9 "
                                      "È-1 è-1")
                        .split(QLatin1Char(' ')));
}

// The sort against the plain reading of the order (each row folded a-z to A-Z, then compared
// character by character, a prefix first; equal rows in their original order) on many rows in
// no order: shared beginnings of any length, rows ending early, rows alike far into their text,
// case-only twins, accents, and characters that Windows-1252 puts above 0x7F but Unicode far
// above 0xFF (the euro sign).
void TestLists::sortAgreesWithPlainComparison() {
    QStringList pieces;
    for (const char* piece :
         {"K", "k", "KY", "Ky", "ka", "-", "_", "0", "9", "È", "è", "é", "e", "E", "ÿ", "€", " ",
          "Kayak biposto con pagaie di riserva e sacca stagna",
          "KAYAK BIPOSTO CON PAGAIE DI RISERVA E SACCA STAGNA"})
        pieces << QString::fromUtf8(piece);
    pieces << QString(QChar(0)); // a stray control character inside a field
    // Beginnings shared by all rows: the usual one and a longer one; and lists whose first and
    // last rows share more than the others do.
    for (const QString& beginning : {QStringLiteral("Cod. "), QStringLiteral("Cod. KY-0000000")}) {
        for (bool alikeEnds : {false, true}) {
            QRandomGenerator random(7);
            QStringList rows;
            for (int i = 0; i < 3000; ++i) {
                QString row = beginning;
                const int length = random.bounded(12);
                for (int k = 0; k < length; ++k)
                    row += pieces.at(random.bounded(int(pieces.size())));
                rows << row;
            }
            if (alikeEnds) {
                rows.prepend(beginning + QStringLiteral("KY-9"));
                rows.append(beginning + QStringLiteral("KY-1"));
            }
            std::vector<std::pair<std::u16string, QString>> plain;
            for (const QString& row : rows) {
                std::u16string folded;
                for (QChar c : row)
                    folded += c >= u'a' && c <= u'z' ? char16_t(c.unicode() - 32) : c.unicode();
                plain.emplace_back(folded, row);
            }
            std::stable_sort(plain.begin(), plain.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            QStringList expected;
            for (const auto& p : plain)
                expected << p.second;
            FleetRows::sort(rows);
            QCOMPARE(rows, expected);
        }
    }
}

void TestLists::findInList_data() {
    // Rows in list order: 0 ALFA Kayak, 1 BETA Canoa, 2 DELTA Pedalò è, 3 GAMMA kayak biposto
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<int>("startRow");     // current row before the first press (-1: none)
    QTest::addColumn<QList<int>>("after"); // current row after each press
    QTest::newRow("new search from the top") << QStringList{"kayak"} << 2 << QList<int>{0};
    QTest::newRow("continue and wrap")
        << QStringList{"KAYAK", "KAYAK", "KAYAK"} << -1 << QList<int>{0, 3, 0};
    QTest::newRow("lone match stays") << QStringList{"canoa", "canoa"} << -1 << QList<int>{1, 1};
    QTest::newRow("no match moves nothing")
        << QStringList{"kayak", "sottomarino"} << -1 << QList<int>{0, 0};
    QTest::newRow("empty needle makes first current") << QStringList{""} << -1 << QList<int>{0};
    QTest::newRow("first row tested on a new search only")
        << QStringList{"a", "a"} << -1 << QList<int>{0, 1};
    QTest::newRow("capital accent does not find small") << QStringList{"È"} << 1 << QList<int>{1};
    QTest::newRow("small accent finds itself") << QStringList{"è"} << -1 << QList<int>{2};
    QTest::newRow("not trimmed") << QStringList{"kayak "} << -1 << QList<int>{0};
    QTest::newRow("changed text starts again")
        << QStringList{"kayak", "kayak", "alfa"} << -1 << QList<int>{0, 3, 0};
}

void TestLists::findInList() {
    QFETCH(QStringList, presses);
    QFETCH(int, startRow);
    QFETCH(QList<int>, after);
    writeFleet({fleetCard("GAMMA", "kayak biposto", "25", "Sì"),
                fleetCard("BETA", "Canoa", "12", "Sì"), fleetCard("DELTA", "Pedalò è", "10", "Sì"),
                fleetCard("ALFA", "Kayak", "15", "Sì")});
    auto screen = shown<TfrmRiepSmarrite>();
    QCOMPARE(rowsOf(screen.get()).size(), 4);
    QVERIFY(rowsOf(screen.get()).at(0).startsWith(QStringLiteral("Cod. ALFA")));
    if (startRow >= 0)
        screen->panContainer->lstRecords->setCurrentIndex(
            screen->panContainer->lstRecords->model()->index(startRow, 0));
    for (int i = 0; i < presses.size(); ++i) {
        find(screen.get(), presses[i]);
        QCOMPARE(currentRow(screen.get()), after[i]);
        QVERIFY(screen->panContainer->lstRecords->selectionModel()->isRowSelected(after[i]));
    }
    QCOMPARE(Msg::Test::shown().size(), 0);
}

void TestLists::findOnEmptyListAndRememberedText() {
    auto empty = shown<TfrmRiepChiaviRitiro>();
    find(empty.get(), QStringLiteral("kayak"));
    QCOMPARE(Msg::Test::shown().size(), 1);
    QCOMPARE(Msg::Test::last().form, Msg::Form::Plain);
    QCOMPARE(Msg::Test::last().text,
             QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
    QCOMPARE(FleetListPanel::remembered(QStringLiteral("TfrmRiepChiaviRitiro")), QString());

    writeFleet({fleetCard("A1", "Kayak", "15", "Sì"), fleetCard("A2", "Kayak", "15", "Sì")});
    auto first = shown<TfrmRiepSmarrite>();
    find(first.get(), QStringLiteral("KaYaK"));
    QCOMPARE(FleetListPanel::remembered(QStringLiteral("TfrmRiepSmarrite")),
             QStringLiteral("kayak"));
    // The remembered text belongs to the class: a second instance continues the search...
    auto second = std::make_unique<TfrmRiepSmarrite>(nullptr);
    second->panContainer->setRows(rowsOf(first.get()));
    second->panContainer->lstRecords->setCurrentIndex(
        second->panContainer->lstRecords->model()->index(0, 0));
    find(second.get(), QStringLiteral("kayak"));
    QCOMPARE(currentRow(second.get()), 1);
    // ...other classes keep their own, and showing a screen empties its class's text.
    QCOMPARE(FleetListPanel::remembered(QStringLiteral("TfrmRiepDaRiconsegnare")), QString());
    second->show();
    QCOMPARE(FleetListPanel::remembered(QStringLiteral("TfrmRiepSmarrite")), QString());
    QCOMPARE(second->panContainer->txtTrova->text(), QString());
}

void TestLists::enterPressesOnlyTheFocusedButton() {
    // Enter on a row or in the find field runs no search; Enter on "Trova" with the focus does.
    writeFleet({fleetCard("A1", "Kayak", "15", "Sì"), fleetCard("A2", "Kayak", "15", "Sì")});
    auto screen = shown<TfrmRiepSmarrite>();
    QVERIFY(QTest::qWaitForWindowActive(screen.get()));
    FleetListPanel* panel = screen->panContainer;
    panel->txtTrova->setText(QStringLiteral("kayak"));
    panel->lstRecords->setFocus();
    panel->lstRecords->setCurrentIndex(panel->lstRecords->model()->index(0, 0));
    QTest::keyClick(panel->lstRecords, Qt::Key_Return);
    QTest::keyClick(panel->lstRecords, Qt::Key_Enter);
    QCOMPARE(currentRow(screen.get()), 0);
    QCOMPARE(FleetListPanel::remembered(QStringLiteral("TfrmRiepSmarrite")), QString());
    panel->txtTrova->setFocus();
    QTest::keyClick(panel->txtTrova, Qt::Key_Return); // to "Trova", not pressing it
    QCOMPARE(QApplication::focusWidget(), panel->btnTrova);
    QCOMPARE(FleetListPanel::remembered(QStringLiteral("TfrmRiepSmarrite")), QString());
    QTest::keyClick(panel->btnTrova, Qt::Key_Return);
    QCOMPARE(FleetListPanel::remembered(QStringLiteral("TfrmRiepSmarrite")),
             QStringLiteral("kayak"));
    QVERIFY(panel->lstRecords->selectionModel()->isRowSelected(0));
    QVERIFY(screen->isVisible());
    QVERIFY(Msg::Test::shown().isEmpty());
}

void TestLists::doubleClickLoadsLastTwin() {
    TScheda twin = fleetCard("TWIN", "Kayak", "15", "Sì", "Disponibile", "  ");
    twin.Luogo = QStringLiteral("Primo");
    TScheda later = twin;
    later.Luogo = QStringLiteral("Secondo");
    writeFleet({fleetCard("ZETA", "Canoa", "12", "Sì"), twin, fleetCard("OTHER", "SUP", "8", "Sì"),
                later});
    auto screen = shown<TfrmRiepSmarrite>();
    QCOMPARE(rowsOf(screen.get()).size(), 4);
    QVERIFY(rowsOf(screen.get()).at(2).endsWith(QStringLiteral("  Note: "))); // empty note
    doubleClickRow(screen.get(), 2);
    QVERIFY(!screen->isVisible());
    QCOMPARE(handOvers().size(), 2); // both twins go in, in file order; the later stays
    QCOMPARE(handOvers().last().screen, QStringLiteral("frmSchedario_Chiavi"));
    QCOMPARE(handOvers().last().position, 4);
    QCOMPARE(handOvers().last().card.Luogo, QStringLiteral("Secondo"));
    QCOMPARE(handOvers().last().card.Scheda, QStringLiteral("00004"));
    QVERIFY(rowsOf(screen.get()).isEmpty());
}

void TestLists::doubleClickFindsCardHiddenByFilter() {
    // A rentable card whose row equals the row of a listed not-rentable one is found as well.
    writeFleet({fleetCard("SAME", "Kayak", "15", "Sì"), fleetCard("SAME", "Kayak", "15", "No")});
    auto screen = shown<TfrmRiepSmarrite>();
    QCOMPARE(rowsOf(screen.get()).size(), 1);
    doubleClickRow(screen.get(), 0);
    QCOMPARE(handOvers().size(), 2);
    QCOMPARE(handOvers().last().position, 2);
    QCOMPARE(handOvers().last().card.Smarrita, QStringLiteral("No"));
}

void TestLists::doubleClickHandsOverToRentalScreens() {
    writeFleet({fleetCard("IN", "Kayak", "15"),
                fleetCard("OUT", "Canoa", "12", "No",
                          "Ritirato da Neri in data 03/08/2025 alle ore 08:15")});
    auto pickUp = shown<TfrmRiepChiaviRitiro>();
    doubleClickRow(pickUp.get(), 0);
    QCOMPARE(handOvers().size(), 1);
    QCOMPARE(handOvers().at(0).screen, QStringLiteral("frmRitiri"));
    QCOMPARE(handOvers().at(0).position, 1);
    // The pick-up screen holds the craft, its position and this year; its start panel is gone.
    Clock::setFixed(QDateTime(QDate(2026, 6, 1), QTime(10, 20)));
    auto control = [](QWidget* screen, const char* name) {
        QWidget* w = screen->findChild<QWidget*>(QString::fromLatin1(name));
        if (auto* label = qobject_cast<QLabel*>(w))
            return label->text();
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            return edit->text();
        return QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
    };
    auto pickUpAgain = shown<TfrmRiepChiaviRitiro>();
    doubleClickRow(pickUpAgain.get(), 0);
    QCOMPARE(control(frmRitiri, "lblPosizione"), QStringLiteral("1"));
    QCOMPARE(control(frmRitiri, "txtCodice"), QStringLiteral("IN"));
    QCOMPARE(control(frmRitiri, "lblAnnoRit"), QStringLiteral("2026"));
    QCOMPARE(control(frmRitiri, "txtPersonaRit"), QString());
    handOvers().removeLast();
    auto giveBack = shown<TfrmRiepChiaviRiconsegna>();
    doubleClickRow(giveBack.get(), 0);
    QCOMPARE(handOvers().size(), 2);
    QCOMPARE(handOvers().at(1).screen, QStringLiteral("frmRiconsegne"));
    QCOMPARE(handOvers().at(1).position, 2);
    QCOMPARE(handOvers().at(1).card.Codice, QStringLiteral("OUT"));
    QVERIFY(!giveBack->isVisible());
    QCOMPARE(control(frmRiconsegne, "lblPosizione"), QStringLiteral("2"));
    QCOMPARE(control(frmRiconsegne, "txtCodice"), QStringLiteral("OUT"));
    QCOMPARE(control(frmRiconsegne, "txtStato"),
             QStringLiteral("Ritirato da Neri in data 03/08/2025 alle ore 08:15"));
}

void TestLists::doubleClickFailuresCloseSilently() {
    // No current row: a double-click below the rows closes the screen, nothing is loaded.
    writeFleet({fleetCard("ONE", "Kayak", "15", "Sì")});
    auto screen = shown<TfrmRiepSmarrite>();
    QListView* list = screen->panContainer->lstRecords;
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       QPoint(5, list->viewport()->height() - 5));
    QVERIFY(!screen->isVisible());
    QCOMPARE(handOvers().size(), 0);
    // The file cannot be read any more: the screen closes without a message.
    auto again = shown<TfrmRiepSmarrite>();
    QFile::remove(sandbox_->file(QStringLiteral("Vuvedi_Duvav.pro")));
    QDir().mkdir(sandbox_->file(QStringLiteral("Vuvedi_Duvav.pro")));
    doubleClickRow(again.get(), 0);
    QVERIFY(!again->isVisible());
    QCOMPARE(handOvers().size(), 0);
    // An empty list of not-rentable craft closes silently too.
    QDir().rmdir(sandbox_->file(QStringLiteral("Vuvedi_Duvav.pro")));
    auto empty = shown<TfrmRiepSmarrite>();
    QTest::mouseDClick(empty->panContainer->lstRecords->viewport(), Qt::LeftButton, {},
                       QPoint(20, 20));
    QVERIFY(!empty->isVisible());
    QCOMPARE(Msg::Test::shown().size(), 0);
}

void TestLists::emptyRentalListWarnsOnDoubleClick() {
    for (auto* screen : {static_cast<TfrmFleetList*>(new TfrmRiepChiaviRitiro(nullptr)),
                         static_cast<TfrmFleetList*>(new TfrmRiepChiaviRiconsegna(nullptr))}) {
        Msg::Test::clear();
        std::unique_ptr<TfrmFleetList> owned(screen);
        screen->show();
        QTest::mouseDClick(screen->panContainer->lstRecords->viewport(), Qt::LeftButton, {},
                           QPoint(20, 20));
        QCOMPARE(Msg::Test::shown().size(), 1);
        QCOMPARE(Msg::Test::last().form, Msg::Form::Notification);
        QCOMPARE(Msg::Test::last().icon, Msg::Icon::Warning);
        QCOMPARE(
            Msg::Test::last().text,
            QStringLiteral("Operazione non applicabile: l'elenco non contiene nessun articolo."));
        QVERIFY(!screen->isVisible());
    }
}

void TestLists::listOfCraftOutHasNoDoubleClick() {
    writeFleet({fleetCard("OUT", "Canoa", "12", "No",
                          "Ritirato da Neri in data 03/08/2025 alle ore 08:15")});
    auto screen = shown<TfrmRiepDaRiconsegnare>();
    doubleClickRow(screen.get(), 0);
    QVERIFY(screen->isVisible());
    QCOMPARE(handOvers().size(), 0);
    QCOMPARE(Msg::Test::shown().size(), 0);
}

void TestLists::loadingFailureIsSilent() {
    QDir().mkdir(sandbox_->file(QStringLiteral("Vuvedi_Duvav.pro")));
    auto screen = shown<TfrmRiepSmarrite>();
    QVERIFY(rowsOf(screen.get()).isEmpty());
    QCOMPARE(Msg::Test::shown().size(), 0);
    QVERIFY(screen->isVisible());
}

void TestLists::missingFileGivesEmptyList() {
    auto screen = shown<TfrmRiepDaRiconsegnare>();
    QVERIFY(rowsOf(screen.get()).isEmpty());
    const QFileInfo file(sandbox_->file(QStringLiteral("Vuvedi_Duvav.pro")));
    QVERIFY(file.exists());
    QCOMPARE(file.size(), 0);
}

void TestLists::printsRowsInListOrder() {
    PdfPrinting printing(sandbox_->folder());
    Clock::setFixed(QDateTime(QDate(2025, 8, 14), QTime(18, 5, 0)));
    writeFleet({fleetCard("c-3", "Canoa", "12", "Sì"), fleetCard("A-1", "Kayak", "15", "Sì"),
                fleetCard("b-2", "Pedalò", "10", "Sì", "Disponibile", "Remi nuovi")});
    auto screen = shown<TfrmRiepSmarrite>();
    find(screen.get(), QStringLiteral("canoa")); // the selection does not narrow the print
    QTest::mouseClick(screen->panContainer->btnStampa, Qt::LeftButton);
    QCOMPARE(printing.files().size(), 1);
    QStringList lines;
    for (const QString& l : pdfText(printing.files().first()).split(QLatin1Char('\n')))
        if (!l.trimmed().isEmpty())
            lines << l.simplified();
    QStringList expected{QStringLiteral("Elenco mezzi non noleggiabili")};
    for (const QString& row : rowsOf(screen.get()))
        expected << row.simplified();
    expected << QStringLiteral("Stampa eseguita in data 14/08/2025 alle ore 18:05:00");
    QCOMPARE(lines, expected);
    QVERIFY(lines[1].startsWith(QStringLiteral("Cod. A-1")));
    QVERIFY(lines[2].endsWith(QStringLiteral("Note: Remi nuovi")));
}

void TestLists::printFailureIsReported() {
    PdfPrinting printing(sandbox_->folder());
    Printing::Test::failNextPrinter();
    auto screen = shown<TfrmRiepDaRiconsegnare>();
    QTest::mouseClick(screen->panContainer->btnStampa, Qt::LeftButton);
    QCOMPARE(Msg::Test::shown().size(), 1);
    QCOMPARE(Msg::Test::last().icon, Msg::Icon::Warning);
    QVERIFY(Msg::Test::last().text.startsWith(
        QStringLiteral("Attenzione: la stampa dell'elenco non è andata a buon fine.")));
    QVERIFY(screen->isVisible());
}

void TestLists::openersShowModalScreens() {
    writeFleet({fleetCard("ROTTO", "Kayak", "15", "Sì")});
    struct Opener {
        void (*open)(QWidget*);
        const char* className;
        const char* caption;
    };
    const Opener openers[] = {
        {FleetLists::openSmarrite, "TfrmRiepSmarrite", " Elenco mezzi non noleggiabili"},
        {FleetLists::openChiaviRitiro, "TfrmRiepChiaviRitiro",
         " Elenco mezzi disponibili per ritiro"},
        {FleetLists::openChiaviRiconsegna, "TfrmRiepChiaviRiconsegna",
         " Elenco mezzi da riconsegnare"},
        {FleetLists::openDaRiconsegnare, "TfrmRiepDaRiconsegnare", " Elenco mezzi da riconsegnare"},
    };
    for (const Opener& o : openers) {
        QString seenClass, seenCaption;
        QWidget* seenOwner = nullptr;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w)
                return;
            seenClass = QString::fromLatin1(w->metaObject()->className());
            seenCaption = w->windowTitle();
            seenOwner = w->parentWidget();
            modal = w->isModal();
            QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("btnChiudi")),
                              Qt::LeftButton);
        });
        o.open(frmSchedario_Chiavi);
        QCOMPARE(seenClass, QString::fromLatin1(o.className));
        QCOMPARE(seenCaption, QString::fromUtf8(o.caption));
        QCOMPARE(seenOwner, frmSchedario_Chiavi);
        QVERIFY(modal);
        // Destroyed when closed.
        QCOMPARE(frmSchedario_Chiavi->findChildren<TfrmFleetList*>().size(), 0);
    }
    // A double-click in the modal list hands the card over and closes it.
    QTimer::singleShot(0, [&] {
        auto* screen = qobject_cast<TfrmFleetList*>(QApplication::activeModalWidget());
        if (screen)
            doubleClickRow(screen, 0);
    });
    // Opened by the fleet card screen's cmdSmarrite, the card lands in its controls.
    frmSchedario_Chiavi->show();
    QTest::mouseClick(frmSchedario_Chiavi->findChild<QPushButton*>(QStringLiteral("cmdSmarrite")),
                      Qt::LeftButton);
    QCOMPARE(handOvers().size(), 1);
    QCOMPARE(handOvers().at(0).card.Codice, QStringLiteral("ROTTO"));
    QCOMPARE(frmSchedario_Chiavi->findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(),
             QStringLiteral("1"));
    QCOMPARE(frmSchedario_Chiavi->findChild<QLineEdit*>(QStringLiteral("txtCodice"))->text(),
             QStringLiteral("ROTTO"));
    QVERIFY(frmSchedario_Chiavi->findChild<QCheckBox*>(QStringLiteral("chkSmarrita"))->isChecked());
}

void TestLists::pickUpAndReturnScreensSelectThroughTheirLists() {
    Clock::setFixed(QDateTime(QDate(2026, 7, 9), QTime(16, 45)));
    writeFleet({fleetCard("KY-9", "Kayak", "15"),
                fleetCard("CN-2", "Canoa", "12", "No",
                          "Ritirato da Neri in data 03/08/2025 alle ore 08:15")});
    auto combo = [](QWidget* screen, const char* name) {
        return screen->findChild<QComboBox*>(QString::fromLatin1(name))->currentText();
    };
    // Pick-up: "Seleziona mezzo" opens the list; the double-click loads the craft.
    frmRitiri->showScreen();
    QTimer::singleShot(0, [] {
        if (auto* list = qobject_cast<TfrmRiepChiaviRitiro*>(QApplication::activeModalWidget()))
            doubleClickRow(list, 0);
    });
    QTest::mouseClick(frmRitiri->findChild<QPushButton*>(QStringLiteral("btnSeleziona")),
                      Qt::LeftButton);
    QCOMPARE(frmRitiri->findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(),
             QStringLiteral("1"));
    QVERIFY(!frmRitiri->findChild<QWidget*>(QStringLiteral("panAvvio"))->isVisible());
    QCOMPARE(combo(frmRitiri, "txtGiornoRit"), QStringLiteral("09"));
    QCOMPARE(combo(frmRitiri, "txtOreRit"), QStringLiteral("16"));
    frmRitiri->hide();

    // Return: the card changed meanwhile, so no row matches; the current date and time still
    // go into the return fields, and nothing else is loaded.
    frmRiconsegne->showScreen();
    QTimer::singleShot(0, [] {
        if (auto* list =
                qobject_cast<TfrmRiepChiaviRiconsegna*>(QApplication::activeModalWidget())) {
            FleetFile file;
            file.openForWriting();
            TScheda changed = file.readAt(2);
            changed.Stato = QStringLiteral("Ritirato da Neri in data 03/08/2025 alle ore 08:16");
            file.rewriteAt(2, changed);
            file.close();
            doubleClickRow(list, 0);
        }
    });
    QTest::mouseClick(frmRiconsegne->findChild<QPushButton*>(QStringLiteral("btnSeleziona")),
                      Qt::LeftButton);
    QCOMPARE(handOvers().size(), 1);
    QCOMPARE(frmRiconsegne->findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(),
             QStringLiteral("0"));
    QCOMPARE(combo(frmRiconsegne, "txtGiornoRic"), QStringLiteral("09"));
    QCOMPARE(combo(frmRiconsegne, "txtMinutiRic"), QStringLiteral("45"));
}

QTEST_MAIN(TestLists)
#include "tst_lists.moc"
