// Loads a season into the history summary from a history of 1,000,000 rentals.
//
//   onderia_bench [records]
//
// The history is generated in a temporary folder (about 730 MB for a million records, removed
// at the end): ten years of rentals in file order, so the period of one year holds a tenth of
// them. Prints the time to load and sort the period into the summary's grid, to lay the grid
// out on screen, and to export the period.
#include "app/DateSettings.h"
#include "app/Messages.h"
#include "app/OpenURL.h"
#include "history/TfrmRiepilogo.h"
#include "output/RecordGrid.h"
#include "store/HistoryFile.h"
#include "store/ProgramFolder.h"
#include "store/TNoleggio.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const char* kTypes[] = {"Moto d'acqua",       "Canoa", "canoa biposto", "Kayak",       "Pedalò",
                        "Pedalò con scivolo", "SUP",   "Gommone 40 CV", "Barca a vela"};
const char* kNames[] = {"Marco Bianchi", "Giulia Rossi",   "Luca Esposito", "Francesca Russo",
                        "Chiara Romano", "Davide Colombo", "Sara Ricci",    "Elena Greco"};

QString two(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// Writes `records` rentals spread evenly over the ten years 2016-2025, oldest first, in large
// blocks (one year per block of the file is `records / 10` rentals).
void generate(qint64 records) {
    QFile file(HistoryFile::path());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
    QByteArray block;
    const qint64 perYear = records / 10;
    for (qint64 i = 0; i < records; ++i) {
        const int year = 2016 + int(std::min<qint64>(9, i / perYear));
        const int dayOfYear = int((i % perYear) * 365 / perYear);
        const QDate date = QDate(year, 1, 1).addDays(dayOfYear);
        TNoleggio r;
        r.Codice = QStringLiteral("MZ-%1").arg(i % 120, 3, 10, QLatin1Char('0'));
        r.Tipo = QString::fromUtf8(kTypes[i % std::size(kTypes)]);
        r.Utilizzo = QStringLiteral("€ 20,00 l'ora");
        r.Luogo = QStringLiteral("Pontile nord, posto %1").arg(i % 30 + 1);
        r.Persone = QStringLiteral("Documento d'identità");
        r.PersonaRit = QString::fromUtf8(kNames[i % std::size(kNames)]);
        r.DataRit = date.toString(DateSettings::kShortDateFormat);
        r.OraRit = two(9 + int(i % 9)) + QStringLiteral(":30");
        r.PersonaRic = r.PersonaRit;
        r.DataRic = r.DataRit;
        r.OraRic = two(10 + int(i % 9)) + QStringLiteral(":15");
        block.append(r.toBytes());
        if (block.size() >= (8 << 20)) {
            file.write(block);
            block.clear();
        }
    }
    file.write(block);
    file.close();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    DateSettings::apply();
    const qint64 records = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1000000;
    QTemporaryDir folder;
    ProgramFolder::setOverride(folder.path());

    QElapsedTimer timer;
    timer.start();
    generate(records);
    std::printf("history of %lld records generated in %lld ms (%lld MB)\n",
                static_cast<long long>(records), static_cast<long long>(timer.elapsed()),
                static_cast<long long>(QFile(HistoryFile::path()).size() >> 20));

    TfrmRiepilogo summary(nullptr);
    // The summary's own grid view, shown on its own (showing the summary would reload it from
    // the period selection screen).
    QTableView* view = RecordGrid::makeView(nullptr, summary.model());
    view->resize(1200, 490);
    for (int run = 1; run <= 3; ++run) {
        timer.restart();
        summary.load(QStringLiteral("01/01/2025"), QStringLiteral("31/12/2025"));
        const qint64 loaded = timer.elapsed();
        timer.restart();
        view->show();
        view->scrollToBottom();
        QCoreApplication::processEvents();
        const qint64 shown = timer.elapsed();
        view->hide();
        std::printf("run %d: %d rows of the period loaded and sorted in %lld ms, shown in %lld "
                    "ms; first row %s | %s\n",
                    run, summary.model()->rowCount(), static_cast<long long>(loaded),
                    static_cast<long long>(shown), qPrintable(summary.model()->text(0, 0)),
                    qPrintable(summary.model()->text(0, 2)));
    }
    // The export of the whole period (questions answered Yes, nothing handed to the shell).
    Msg::Test::record(true);
    TMisc::recordForTest(true);
    timer.restart();
    summary.cmdEsportaClick();
    std::printf(
        "%d rows exported in %lld ms (%lld MB)\n", summary.model()->rowCount(),
        static_cast<long long>(timer.elapsed()),
        static_cast<long long>(
            QFile(ProgramFolder::file(QStringLiteral("Dizidov_Izevude.xls"))).size() >> 20));
    delete view;
    ProgramFolder::setOverride(QString());
    return 0;
}
