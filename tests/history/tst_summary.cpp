// The history summary: which rentals a period shows, their numbers and order, and its export.
#include "HistoryFixtures.h"
#include "TestSupport.h"

#include "app/Messages.h"
#include "app/OpenURL.h"
#include "app/Screens.h"
#include "history/TfrmMenuRiepilogo.h"
#include "history/TfrmRiepilogo.h"
#include "output/RecordGrid.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using HistoryFixtures::rental;

namespace {

// The grid as (N., type, pick-up date) per row, top to bottom.
QStringList rows(const TfrmRiepilogo& screen) {
    QStringList out;
    const RecordGridModel* m = screen.model();
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->text(r, 0) + QLatin1Char('|') + m->text(r, 2) + QLatin1Char('|') + m->text(r, 7);
    return out;
}

QByteArray fixture(const QString& name) {
    QFile f(sourcePath(QStringLiteral("tests/history/fixtures/") + name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestSummary : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Screens::createAll(); }
    void cleanupTestCase() { Screens::destroyAll(); }

    void noHistoryFileIsCreatedEmpty() {
        TestSandbox box;
        TfrmRiepilogo screen(nullptr);
        screen.load(QStringLiteral("01/08/2025"), QStringLiteral("31/08/2025"));
        QCOMPARE(screen.lblIntervallo->text(),
                 QStringLiteral("Dizidov izevude dal 01/08/2025 al 31/08/2025"));
        QCOMPARE(screen.model()->rowCount(), 0);
        const QFileInfo file(box.file(QStringLiteral("Dizidov_Izevude.pro")));
        QVERIFY(file.isFile());
        QCOMPARE(file.size(), 0);
        QVERIFY(Msg::Test::shown().isEmpty());
    }

    // Which records a period takes, by their pick-up date alone, and the numbers they get.
    void periodSelection_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("none in the period") << "01/09/2025"
                                            << "30/09/2025" << QStringList();
        // Numbers count the rentals taken, in file order.
        QTest::newRow("one day, returns later included")
            << "01/08/2025"
            << "01/08/2025" << QStringList{"1|Canoa|01/08/2025", "2|Kayak|01/08/2025"};
        QTest::newRow("both ends included")
            << "31/07/2025"
            << "02/08/2025"
            << QStringList{"2|Canoa|01/08/2025", "3|Kayak|01/08/2025", "1|Pedalò|31/07/2025",
                           "4|Pedalò|02/08/2025"};
        QTest::newRow("another year") << "01/08/2024"
                                      << "31/08/2024" << QStringList{"1|SUP|15/08/2024"};
    }
    void periodSelection() {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QStringList, expected);
        TestSandbox box;
        HistoryFixtures::write({
            rental("PD-11", "Pedalò", "31/07/2025", "01/08/2025"),
            rental("CA-07", "Canoa", "01/08/2025", "03/08/2025"),
            rental("KY-03", "Kayak", "01/08/2025"),
            rental("PD-12", "Pedalò", "02/08/2025"),
            rental("SU-05", "SUP", "15/08/2024"),
        });
        TfrmRiepilogo screen(nullptr);
        screen.load(start, end);
        QCOMPARE(rows(screen), expected);
    }

    // Case-insensitive collation: "canoa" and "Canoa" before "Pedalò"; whole rows move, so the
    // numbers keep telling the place in the file.
    void sortMovesWholeRows() {
        TestSandbox box;
        HistoryFixtures::write({
            rental("PD-11", "Pedalò", "01/08/2025"),
            rental("CA-07", "canoa", "02/08/2025"),
            rental("CA-08", "Canoa", "03/08/2025"),
        });
        TfrmRiepilogo screen(nullptr);
        screen.load(QStringLiteral("01/08/2025"), QStringLiteral("31/08/2025"));
        const QStringList got = rows(screen);
        QCOMPARE(got.size(), 3);
        QCOMPARE(got.at(2), QStringLiteral("1|Pedalò|01/08/2025"));
        QCOMPARE(QSet<QString>(got.begin(), got.begin() + 2),
                 (QSet<QString>{"2|canoa|02/08/2025", "3|Canoa|03/08/2025"}));
        // Every cell of a row stays with its row.
        const RecordGridModel* m = screen.model();
        for (int r = 0; r < 3; ++r) {
            const QString code = m->text(r, 1);
            QCOMPARE(m->text(r, 6), QStringLiteral("Cliente ") + code);
        }
        QCOMPARE(m->text(2, 1), QStringLiteral("PD-11"));
    }

    // A season as the desk leaves it: rentals in no date order, types typed in any case, sharing
    // beginnings, with accents. Types in collation order, case aside but accents not; rows of
    // types equal but for case keep file order, which their numbers show.
    void sortOrderOfAnySeason() {
        TestSandbox box;
        const char* types[][2] = {{"Pedalò", "14/08/2025"},       {"canoa biposto", "03/08/2025"},
                                  {"KAYAK", "29/08/2025"},        {"Canoa", "12/07/2025"},
                                  {"Canoa", "01/08/2025"},        {"pedalo", "22/08/2025"},
                                  {"Can", "09/08/2025"},          {"kayak", "17/08/2025"},
                                  {"CANOA", "05/08/2025"},        {"PEDALÒ", "11/08/2025"},
                                  {"SUP", "02/08/2025"},          {"Moto d'acqua", "30/08/2025"},
                                  {"moto-d'acqua", "04/08/2025"}, {"canoa", "07/08/2025"}};
        QList<TNoleggio> rentals;
        for (const auto& t : types)
            rentals.append(rental(QStringLiteral("MZ-%1").arg(rentals.size()),
                                  QString::fromUtf8(t[0]), QString::fromUtf8(t[1])));
        HistoryFixtures::write(rentals);
        TfrmRiepilogo screen(nullptr);
        screen.load(QStringLiteral("01/08/2025"), QStringLiteral("31/08/2025"));
        QStringList got;
        for (const QString& row : rows(screen))
            got << row.section(QLatin1Char('|'), 0, 1);
        QCOMPARE(got, (QStringList{"6|Can", "4|Canoa", "8|CANOA", "13|canoa", "2|canoa biposto",
                                   "3|KAYAK", "7|kayak", "11|Moto d'acqua", "12|moto-d'acqua",
                                   "5|pedalo", "1|Pedalò", "9|PEDALÒ", "10|SUP"}));
    }

    // A record whose pick-up date is not a date lies in no period: loading goes on past it and
    // the rows are sorted as usual.
    void damagedPickUpDateIsSkipped() {
        TestSandbox box;
        HistoryFixtures::write({
            rental("PD-11", "Pedalò", "01/08/2025"),
            rental("XX-01", "Canoa", ""),
            rental("XX-02", "Canoa", "32/08/2025"),
            rental("XX-03", "Canoa", "ieri"),
            rental("CA-07", "canoa", "05/08/2025"),
            rental("KY-03", "Kayak", "06/08/2025"),
        });
        TfrmRiepilogo screen(nullptr);
        screen.load(QStringLiteral("01/08/2025"), QStringLiteral("31/08/2025"));
        QCOMPARE(rows(screen),
                 (QStringList{"2|canoa|05/08/2025", "3|Kayak|06/08/2025", "1|Pedalò|01/08/2025"}));
    }

    // A history that cannot be opened at all shows no rows and no message.
    void unreadableHistoryShowsNothing() {
        TestSandbox box;
        QVERIFY(QDir(box.folder()).mkdir(QStringLiteral("Dizidov_Izevude.pro")));
        TfrmRiepilogo screen(nullptr);
        screen.load(QStringLiteral("01/08/2025"), QStringLiteral("31/08/2025"));
        QCOMPARE(screen.model()->rowCount(), 0);
        QVERIFY(Msg::Test::shown().isEmpty());
    }

    void gridLayout() {
        TestSandbox box;
        HistoryFixtures::write({rental("PD-11", "Pedalò", "01/08/2025")});
        TfrmRiepilogo screen(nullptr);
        screen.load(QStringLiteral("01/08/2025"), QStringLiteral("01/08/2025"));
        const QStringList headers = {
            "N.",         "Codice identificativo", "Tipo mezzo",      "Tariffa noleggio",
            "Ubicazione", "Documenti richiesti",   "Ritirato da",     "Data ritiro",
            "Ora ritiro", "Riconsegnato da",       "Data riconsegna", "Ora riconsegna"};
        const QList<int> widths = {60, 200, 200, 200, 250, 300, 250, 160, 150, 250, 160, 150};
        QTableView* grid = screen.grdRecords;
        QCOMPARE(grid->model()->columnCount(), 12);
        for (int c = 0; c < 12; ++c) {
            QCOMPARE(grid->model()->headerData(c, Qt::Horizontal).toString(), headers.at(c));
            QCOMPARE(grid->columnWidth(c), widths.at(c));
            const bool editable =
                grid->model()->flags(grid->model()->index(0, c)) & Qt::ItemIsEditable;
            QCOMPARE(editable, c == 3 || c == 10);
        }
        QCOMPARE(grid->rowHeight(0), 21);
        QVERIFY(grid->alternatingRowColors());
        QVERIFY(!grid->model()->setData(grid->model()->index(0, 1), QStringLiteral("X")));
    }

    // The export writes the grid as it is now, in its order, typed corrections included, and
    // leaves the history file as it was.
    void exportWritesTheGrid() {
        TestSandbox box;
        TNoleggio a = rental("PD-11", "Pedalò", "01/08/2025");
        a.PersonaRit = a.PersonaRic = QStringLiteral("Anna Gallo");
        a.Luogo = QStringLiteral("Battigia");
        a.OraRit = QStringLiteral("16:30");
        a.OraRic = QStringLiteral("18:00");
        TNoleggio b = rental("CA-07", "canoa", "02/08/2025");
        b.Utilizzo = QStringLiteral("€ 15,00");
        b.PersonaRit = b.PersonaRic = QStringLiteral("Sara Ricci");
        TNoleggio c = rental("CA-08", "Canoa", "03/08/2025", "04/08/2025");
        c.PersonaRit = c.PersonaRic = QStringLiteral("Luca Neri");
        c.OraRit = QStringLiteral("09:15");
        c.OraRic = QStringLiteral("08:00");
        HistoryFixtures::write({a, b, c, rental("SU-05", "SUP", "15/09/2025")});
        const QByteArray historyBefore = box.readBytes(QStringLiteral("Dizidov_Izevude.pro"));
        TfrmRiepilogo screen(nullptr);
        screen.load(QStringLiteral("01/08/2025"), QStringLiteral("31/08/2025"));
        QCOMPARE(screen.model()->text(1, 1), QStringLiteral("CA-08"));
        QAbstractItemModel* m = screen.grdRecords->model();
        QVERIFY(m->setData(m->index(1, 3), QStringLiteral("  gratis ")));
        QVERIFY(m->setData(m->index(1, 10), QStringLiteral("4 agosto")));

        Msg::Test::answer(true);
        Msg::Test::answer(true);
        QTest::mouseClick(screen.cmdEsporta, Qt::LeftButton);
        QCOMPARE(box.readBytes(QStringLiteral("Dizidov_Izevude.xls")),
                 fixture(QStringLiteral("summary_export.xls")));
        QCOMPARE(box.readBytes(QStringLiteral("Dizidov_Izevude.pro")), historyBefore);
        QCOMPARE(TMisc::recorded(),
                 QStringList{QLatin1Char('"') + QDir::toNativeSeparators(box.folder()) +
                             QDir::separator() + QStringLiteral("Dizidov_Izevude.xls\"")});
    }

    void exportOfAnEmptyHistory() {
        TestSandbox box;
        TfrmRiepilogo screen(nullptr);
        screen.load(QStringLiteral("01/08/2025"), QStringLiteral("31/08/2025"));
        Msg::Test::answer(true);
        Msg::Test::answer(false);
        QTest::mouseClick(screen.cmdEsporta, Qt::LeftButton);
        QCOMPARE(box.readBytes(QStringLiteral("Dizidov_Izevude.xls")),
                 fixture(QStringLiteral("summary_empty.xls")));
        QVERIFY(TMisc::recorded().isEmpty());
    }

    void hints() {
        TestSandbox box;
        TfrmRiepilogo screen(nullptr);
        QCOMPARE(screen.panInfo->text(),
                 QStringLiteral("Esportazione archivio in Microsoft Excel."));
        const struct {
            QWidget* control;
            const char* hint;
        } cases[] = {
            {screen.cmdEsporta, "Esporta l'archivio in formato Microsoft Excel."},
            {screen.cmdGuida, "Visualizza la pagina della guida sensibile al contesto."},
            {screen.cmdEsci, "Esci da questo ambiente di lavoro."},
        };
        for (const auto& c : cases) {
            QEvent enter(QEvent::Enter);
            QCoreApplication::sendEvent(c.control, &enter);
            QCOMPARE(screen.panInfo->text(), QString::fromUtf8(c.hint));
            QCoreApplication::sendEvent(screen.grdRecords, &enter);
            QCOMPARE(screen.panInfo->text(), QString());
        }
    }
};

QTEST_MAIN(TestSummary)
#include "tst_summary.moc"
