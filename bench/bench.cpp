// The speed of every path of the program against the raw read (or write) of the same bytes.
//
//   onderia_bench [runs [sections]]
//
// sections: a comma-separated choice of history, lists, search, export, steps, startup (all
// when left out).
// Generates in temporary folders a fleet of 100,000 cards (341 MB; codes in no order of the card
// numbers, mixed case, shared prefixes), a history of 1,000,000 rentals (725 MB, ten seasons of
// 100,000, each in no date order, types in any case) and a fleet of 10 cards, the same on every
// run (fixed seeds), then times each path through the program's own screens, files in the page
// cache, and prints the median of several runs beside its baseline measured in the same run:
//   - reading a data file: one read() of the whole file into a buffer allocated for it;
//   - writing an export: one write() of the export's bytes to a new file of the same folder,
//     synced as the export's own file is (the export commits through QSaveFile, which syncs);
//   - the steps (browse, save, pick-up) at 100,000 cards: the same step at 10 cards;
//   - start-up: this program spawned to show the login screen (the program's own start-up,
//     then quit) against it spawned to show a bare QDialog; both include the process start.
// Peak memory is the growth of the resident set's high-water mark during the path (VmHWM,
// reset before each run through /proc/self/clear_refs), the largest over the runs: what the
// path needs beyond what the program held before it (a read of the whole file in one call
// would need the file's size).
// The folders are removed at the end.
#include "access/TfrmPassword.h"
#include "app/DateSettings.h"
#include "app/Messages.h"
#include "app/OpenURL.h"
#include "app/Screens.h"
#include "app/Startup.h"
#include "fleet/FleetListScreens.h"
#include "fleet/FleetListView.h"
#include "fleet/TfrmSchedario_Chiavi.h"
#include "fleet/TfrmTrovaSchedario_Chiavi.h"
#include "history/TfrmRiepilogo.h"
#include "output/TfrmExpChiavi.h"
#include "rentals/TfrmRitiri.h"
#include "store/FleetFile.h"
#include "store/HistoryFile.h"
#include "store/ProgramFolder.h"
#include "store/ShortText.h"
#include "store/TNoleggio.h"
#include "store/TScheda.h"

#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

constexpr qint64 kCards = 100000;
constexpr qint64 kRentals = 1000000;
constexpr qint64 kSmallCards = 10;

const char* kTypes[] = {"Moto d'acqua",       "Canoa", "canoa biposto", "Kayak",       "Pedalò",
                        "Pedalò con scivolo", "SUP",   "Gommone 40 CV", "Barca a vela"};
const char* kNames[] = {"Marco Bianchi", "Giulia Rossi",   "Luca Esposito", "Francesca Russo",
                        "Chiara Romano", "Davide Colombo", "Sara Ricci",    "Elena Greco"};

QString u(const char* text) {
    return QString::fromUtf8(text);
}

// --- Data -----------------------------------------------------------------------------------

// Writes a file block by block, each block filled by `fill` until it says it is done.
void writeAll(const QString& path, const std::function<void(QByteArray& block, bool& done)>& fill) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    QByteArray block;
    bool done = false;
    while (!done) {
        block.clear();
        fill(block, done);
        file.write(block);
    }
}

TScheda cardTemplate(qint64 i) {
    TScheda c;
    c.Tipo = u(kTypes[i % qint64(std::size(kTypes))]);
    c.Utilizzo = QStringLiteral("€ %1,00 l'ora").arg(15 + i % 7 * 5);
    c.Duplicati =
        QStringLiteral("Scafo in vetroresina, lunghezza %1 m, colore blu e bianco").arg(2 + i % 5);
    c.Luogo = QStringLiteral("Pontile nord, posto %1").arg(i % 30 + 1);
    c.Responsabile = u("Giubbotto di salvataggio, pagaia di riserva, sacca stagna");
    c.Recapiti = u("Maggiore età, saper nuotare, firma del modulo di responsabilità");
    c.Persone = u("Documento d'identità e codice fiscale");
    c.Note = i % 4 == 0 ? u("Controllare la carena a fine stagione & <ricambi>") : QString();
    c.Smarrita = i % 10 == 0 ? u("Sì") : u("No");
    if (i % 3 == 0) {
        const QString name = u(kNames[i % qint64(std::size(kNames))]);
        c.Stato = QStringLiteral("Ritirato da %1 in data 05/07/2025 alle ore 10:30").arg(name);
        c.PersonaRit = name;
        c.GiornoRit = QStringLiteral("05");
        c.MeseRit = QStringLiteral("Luglio");
        c.AnnoRit = QStringLiteral("2025");
        c.DataRit = QStringLiteral("05/07/2025");
        c.OreRit = QStringLiteral("10");
        c.MinutiRit = QStringLiteral("30");
        c.OraRit = QStringLiteral("10:30");
    } else {
        c.Stato = QStringLiteral("Disponibile");
    }
    return c;
}

// Puts a Latin-1 text into a short text field.
void put(char* record, int offset, int capacity, QByteArrayView text) {
    const int n = int(std::min<qsizetype>(text.size(), capacity));
    record[offset] = char(n);
    std::memcpy(record + offset + 1, text.data(), size_t(n));
    std::memset(record + offset + 1 + n, 0, size_t(capacity - n));
}

// The code prefixes of a fleet entered over the seasons: letters of the craft's kind in any
// case, several sharing their first letters, as the staff typed them.
const char* kPrefixes[] = {"K",   "k",  "KY", "Ky", "J",   "j",   "C",   "CA",  "Ca",  "ca",
                           "CAN", "PD", "pd", "Pd", "SUP", "Sup", "MdA", "MDA", "mda", "GO"};

// A fixed shuffle of 0..n-1: the same on every run.
std::vector<qint64> shuffled(qint64 n, quint32 seed) {
    std::vector<qint64> out(static_cast<size_t>(n));
    for (qint64 i = 0; i < n; ++i)
        out[size_t(i)] = i;
    QRandomGenerator random(seed);
    for (qint64 i = n - 1; i > 0; --i)
        std::swap(out[size_t(i)], out[size_t(random.bounded(quint64(i + 1)))]);
    return out;
}

// A fleet of `cards`: 360 distinct cards repeated, each with its own number and code. Card i
// (from 0) is not rentable when i % 10 == 0, out when i % 3 == 0, available otherwise. The
// codes (K-01, ca-117, SUP-05, ...) follow no order of the card numbers, as codes entered over
// the seasons do; no two are the same, though some differ in letter case only.
void generateFleet(const QString& path, qint64 cards) {
    std::vector<QByteArray> templates;
    for (qint64 i = 0; i < 360; ++i)
        templates.push_back(cardTemplate(i).toBytes());
    const std::vector<qint64> codeOf = shuffled(cards, 19);
    const qint64 prefixes = qint64(std::size(kPrefixes));
    qint64 next = 0;
    char text[32];
    writeAll(path, [&](QByteArray& block, bool& done) {
        const qint64 n = std::min<qint64>(cards - next, 4096);
        block.resize(n * TScheda::kSize);
        for (qint64 k = 0; k < n; ++k, ++next) {
            char* rec = block.data() + k * TScheda::kSize;
            std::memcpy(rec, templates[size_t(next % 360)].constData(), TScheda::kSize);
            const long long position = next + 1;
            put(rec, 0, 5,
                QByteArrayView(text, std::snprintf(text, 32, "%05lld", position % 100000)));
            const qint64 code = codeOf[size_t(next)];
            put(rec, 6, 20,
                QByteArrayView(text,
                               std::snprintf(text, 32, "%s-%02lld", kPrefixes[code % prefixes],
                                             static_cast<long long>(code / prefixes))));
        }
        done = next == cards;
    });
}

// Ten seasons 2016-2025 of rentals, oldest first, `rentals / 10` a season. Within a season the
// rentals are in no date order (returns are confirmed in any order, corrections come later)
// and the types are typed in any case (Kayak, kayak, KAYAK).
void generateHistory(const QString& path, qint64 rentals) {
    std::vector<QByteArray> templates; // by i % 72: type and customer; then the type's case
    for (int variant = 0; variant < 3; ++variant) {
        for (int i = 0; i < 72; ++i) {
            TNoleggio r;
            const QString type = u(kTypes[size_t(i) % std::size(kTypes)]);
            r.Tipo = variant == 0 ? type : variant == 1 ? type.toLower() : type.toUpper();
            r.Utilizzo = QStringLiteral("€ 20,00 l'ora");
            r.Persone = u("Documento d'identità");
            r.PersonaRit = u(kNames[size_t(i) % std::size(kNames)]);
            r.PersonaRic = r.PersonaRit;
            templates.push_back(r.toBytes());
        }
    }
    const qint64 perYear = rentals / 10;
    std::vector<QByteArray> dates;
    for (int year = 2016; year <= 2025; ++year)
        for (int day = 0; day < 365; ++day)
            dates.push_back(QDate(year, 1, 1).addDays(day).toString(u("dd/MM/yyyy")).toLatin1());
    QRandomGenerator random(25);
    qint64 next = 0;
    char text[32];
    writeAll(path, [&](QByteArray& block, bool& done) {
        const qint64 n = std::min<qint64>(rentals - next, 10000);
        block.resize(n * TNoleggio::kSize);
        for (qint64 k = 0; k < n; ++k, ++next) {
            char* rec = block.data() + k * TNoleggio::kSize;
            const int i = int(next % 5040);
            const quint32 variant = random.bounded(3u);
            std::memcpy(rec, templates[size_t(variant * 72 + quint32(next % 72))].constData(),
                        TNoleggio::kSize);
            const qint64 year = std::min<qint64>(9, next / perYear);
            const qint64 day = random.bounded(365u);
            const QByteArray& date = dates[size_t(year * 365 + day)];
            put(rec, 0, 20, QByteArrayView(text, std::snprintf(text, 32, "MZ-%06d", i)));
            put(rec, 123, 250,
                QByteArrayView(text,
                               std::snprintf(text, 32, "Pontile nord, posto %d", i % 30 + 1)));
            put(rec, 676, 10, date);
            put(rec, 687, 5, QByteArrayView(text, std::snprintf(text, 32, "%02d:30", 9 + i % 9)));
            put(rec, 744, 10, date);
            put(rec, 755, 5, QByteArrayView(text, std::snprintf(text, 32, "%02d:15", 10 + i % 9)));
        }
        done = next == rentals;
    });
}

// --- Measuring ------------------------------------------------------------------------------

qint64 statusKB(const char* key) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qsizetype(std::strlen(key))).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

void resetPeak() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

struct Timed {
    double ms = 0;
    double peakMB = 0; // the largest growth of the peak resident set over the runs
};

Timed timeRuns(int runs, const std::function<void()>& setup, const std::function<void()>& path) {
    std::vector<double> times;
    double peak = 0;
    for (int i = 0; i < runs; ++i) {
        if (setup)
            setup();
        const qint64 before = statusKB("VmRSS:");
        resetPeak();
        QElapsedTimer t;
        t.start();
        path();
        times.push_back(double(t.nsecsElapsed()) / 1e6);
        peak = std::max(peak, double(statusKB("VmHWM:") - before) / 1024.0);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], peak};
}

// One read() of the whole file into `buffer`, which is already allocated and touched: the
// time is the copy out of the page cache, no page faults of a fresh allocation.
void rawRead(const QString& path, QByteArray& buffer) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    const off_t size = ::lseek(fd, 0, SEEK_END);
    if (::pread(fd, buffer.data(), size_t(size), 0) != size)
        std::fprintf(stderr, "short read of %s\n", qPrintable(path));
    ::close(fd);
}

void rawWrite(const QString& path, const QByteArray& bytes) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
        std::fprintf(stderr, "short write of %s\n", qPrintable(path));
    ::fdatasync(fd);
    ::close(fd);
    ::unlink(QFile::encodeName(path).constData());
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// Milliseconds with three significant digits at least.
QString ms(double value) {
    return QStringLiteral("%1 ms").arg(value, 0, 'f', value < 1 ? 3 : value < 10 ? 2 : 1);
}

struct Line {
    QString path;
    Timed time;
    Timed base;
    QString baseName;
    double target;
    bool showPeak = false;
};

std::vector<Line> lines;

void report(const Line& l) {
    lines.push_back(l);
    std::printf("  %-58s %10.3f ms  (%s %.3f ms)  %.2fx  target <= %.1fx\n", qPrintable(l.path),
                l.time.ms, qPrintable(l.baseName), l.base.ms, l.time.ms / l.base.ms, l.target);
    std::fflush(stdout);
}

template <typename T> T* child(QWidget* screen, const char* name) {
    T* w = screen->findChild<T*>(QString::fromLatin1(name));
    if (!w) {
        std::fprintf(stderr, "no control %s\n", name);
        std::exit(1);
    }
    return w;
}

// --- Start-up (in a child process) ------------------------------------------------------------

void waitUntilShown(QWidget* w) {
    while (!w->windowHandle() || !w->windowHandle()->isExposed())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    w->repaint();
}

// Ends the process once the login screen has been painted: at the first event after its first
// paint pass (its controls' paints included, so the frame is complete).
class FirstPaint : public QObject {
public:
    // `screen` names the window to wait for; it may not exist yet when the filter is installed.
    explicit FirstPaint(std::function<QWidget*()> screen) : screen_(std::move(screen)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            if (watched == screen_())
                painted_ = true;
            return false;
        }
        if (painted_)
            ::_exit(0);
        return false;
    }

private:
    std::function<QWidget*()> screen_;
    bool painted_ = false;
};

[[noreturn]] void childStartup(const QString& folder) {
    int argc = 1;
    char name[] = "onderia";
    char* argv[] = {name, nullptr};
    Startup::selectSoftwareRendering();
    QApplication app(argc, argv);
    ProgramFolder::setOverride(folder);
    // Done as soon as the login screen has been painted, whatever start-up still does after.
    FirstPaint painted([] { return static_cast<QWidget*>(frmPassword); });
    app.installEventFilter(&painted);
    Startup::begin(app);
    waitUntilShown(frmPassword);
    ::_exit(0);
}

[[noreturn]] void childBare() {
    int argc = 1;
    char name[] = "onderia";
    char* argv[] = {name, nullptr};
    Startup::selectSoftwareRendering();
    QApplication app(argc, argv);
    // A caption, a line of text and a button: fonts are loaded as for any real screen.
    QDialog dialog;
    FirstPaint painted([&] { return static_cast<QWidget*>(&dialog); });
    app.installEventFilter(&painted);
    dialog.setWindowTitle(QStringLiteral("Onderia"));
    auto* text = new QLabel(QStringLiteral("Una finestra di dialogo"), &dialog);
    text->move(20, 20);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->move(20, 60);
    dialog.resize(400, 300);
    dialog.show();
    waitUntilShown(&dialog);
    ::_exit(0);
}

// Runs this program with `args` on the Qt platform `platform` (the bench's own when empty) and
// returns the milliseconds to its end.
double spawn(const QStringList& args, const QString& platform) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    if (!platform.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        p.setProcessEnvironment(env);
    }
    QElapsedTimer t;
    t.start();
    p.start(QCoreApplication::applicationFilePath(), args);
    p.waitForFinished(60000);
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

// Qt's notes about the headless platform (no raise(), no runtime folder) say nothing here.
void quiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg && type != QtWarningMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

int main(int argc, char** argv) {
    qInstallMessageHandler(quiet);
    if (argc > 2 && QByteArray(argv[1]) == "--child-startup")
        childStartup(QString::fromLocal8Bit(argv[2]));
    if (argc > 1 && QByteArray(argv[1]) == "--child-bare")
        childBare();

    QApplication app(argc, argv);
    DateSettings::apply();
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 7;
    const QStringList only =
        argc > 2 ? QString::fromLocal8Bit(argv[2]).split(QLatin1Char(',')) : QStringList();
    auto want = [&](const char* section) {
        return only.isEmpty() || only.contains(QLatin1String(section));
    };
    Msg::Test::record(true);    // every question answered Yes, nothing shown
    TMisc::recordForTest(true); // nothing handed to the shell

    QTemporaryDir big, small;
    if (!big.isValid() || !small.isValid())
        return 1;
    QElapsedTimer timer;
    timer.start();
    ProgramFolder::setOverride(big.path());
    generateFleet(FleetFile::path(), kCards);
    generateHistory(HistoryFile::path(), kRentals);
    const QString bigFleet = FleetFile::path();
    const QString bigHistory = HistoryFile::path();
    ProgramFolder::setOverride(small.path());
    generateFleet(FleetFile::path(), kSmallCards);
    ::sync(); // the data on the disk: no write-back of the generated files left to a later sync
    std::printf("data generated in %lld ms: %lld cards (%lld MB), %lld rentals (%lld MB), %lld "
                "cards; %d runs, median\n",
                static_cast<long long>(timer.elapsed()), static_cast<long long>(kCards),
                static_cast<long long>(QFile(bigFleet).size() >> 20),
                static_cast<long long>(kRentals),
                static_cast<long long>(QFile(bigHistory).size() >> 20),
                static_cast<long long>(kSmallCards), runs);
    std::fflush(stdout);
    ProgramFolder::setOverride(big.path());

    Timed fleetRead, historyRead;
    {
        QByteArray buffer(QFile(bigHistory).size(), '\0');
        fleetRead = timeRuns(runs, {}, [&] { rawRead(bigFleet, buffer); });
        historyRead = timeRuns(runs, {}, [&] { rawRead(bigHistory, buffer); });
    }
    const QString readFleet = QStringLiteral("raw read of the fleet");
    const QString readHistory = QStringLiteral("raw read of the history");

    // History summary of the 2025 season, sorted, and its export.
    if (want("history")) {
        TfrmRiepilogo summary(nullptr);
        const Timed t = timeRuns(runs, {}, [&] {
            summary.load(QStringLiteral("01/01/2025"), QStringLiteral("31/12/2025"));
        });
        report({QStringLiteral("history summary of one season (%1 rows), sorted")
                    .arg(summary.model()->rowCount()),
                t, historyRead, readHistory, 1.3, true});
        const QString file = ProgramFolder::file(QStringLiteral("Dizidov_Izevude.xls"));
        const Timed e = timeRuns(runs, {}, [&] { summary.cmdEsportaClick(); });
        const QByteArray bytes = readFile(file);
        const Timed w = timeRuns(runs, {}, [&] { rawWrite(file + QStringLiteral(".raw"), bytes); });
        report({QStringLiteral("history export of the season (%1 MB)").arg(bytes.size() >> 20), e,
                w, QStringLiteral("raw write"), 3, true});
    }

    // The fleet lists and the search.
    auto list = [&](TfrmFleetList* screen, const QString& name) {
        // Closed as "Chiudi" closes it, then shown again.
        const Timed t = timeRuns(
            runs, [&] { screen->done(QDialog::Rejected); }, [&] { screen->show(); });
        report({QStringLiteral("%1 (%2 rows)").arg(name).arg(screen->panContainer->rows().size()),
                t, fleetRead, readFleet, 2});
        screen->done(QDialog::Rejected);
        delete screen;
    };
    if (want("lists")) {
        list(new TfrmRiepSmarrite(nullptr), QStringLiteral("list of not-rentable craft"));
        list(new TfrmRiepChiaviRitiro(nullptr), QStringLiteral("pick-up list"));
        list(new TfrmRiepChiaviRiconsegna(nullptr), QStringLiteral("return list"));
    }
    if (want("search")) {
        TfrmTrovaSchedario_Chiavi search(nullptr);
        search.show();
        search.txtTipo->setText(QStringLiteral("kayak"));
        const Timed t = timeRuns(runs, {}, [&] { search.btnCercaClick(); });
        report({QStringLiteral("fleet search, one filter (%1 rows)")
                    .arg(search.panContainer->rows().size()),
                t, fleetRead, readFleet, 2});
        search.hide();
    }

    // The fleet export: grid filled, then the file.
    if (want("export")) {
        TfrmExpChiavi exp(nullptr);
        const Timed t = timeRuns(runs, {}, [&] { exp.load(); });
        report({QStringLiteral("fleet export: grid filled (%1 rows)").arg(exp.model()->rowCount()),
                t, fleetRead, readFleet, 2, true});
        const QString file = ProgramFolder::file(QStringLiteral("Vuvedi_Duvav.xls"));
        const Timed e = timeRuns(runs, {}, [&] { exp.cmdEsportaClick(); });
        const QByteArray bytes = readFile(file);
        const Timed w = timeRuns(runs, {}, [&] { rawWrite(file + QStringLiteral(".raw"), bytes); });
        report({QStringLiteral("fleet export: file written (%1 MB)").arg(bytes.size() >> 20), e, w,
                QStringLiteral("raw write"), 3, true});
    }

    // The steps, at 100,000 cards and at 10: browse, save, pick-up (syncs included).
    Screens::createAll();
    if (want("steps")) {
        const int stepRuns = std::max(21, runs * 4);
        // One timed step on the card at `at` of the fleet in `folder`; the card is put back as
        // it was before each step.
        enum Step { Browse, Save, PickUp };
        auto step = [&](const QString& folder, qint64 at, Step which) {
            ProgramFolder::setOverride(folder);
            FleetFile f;
            f.openForReading();
            const QByteArray original = f.readBytesAt(at);
            f.close();
            FleetFile w;
            w.openForWriting();
            w.rewriteBytesAt(at, original);
            w.close();
            const TScheda card = TScheda::fromBytes(original);
            TfrmSchedario_Chiavi* screen = frmSchedario_Chiavi;
            std::function<void()> run;
            if (which == PickUp) {
                screen->hide();
                frmRitiri->showScreen();
                frmRitiri->putCard(card, at, original);
                child<QLineEdit>(frmRitiri, "txtPersonaRit")->setText(u("Anna Bianchi"));
                run = [] { child<QPushButton>(frmRitiri, "btnApplica")->click(); };
            } else {
                screen->showScreen();
                screen->putCard(card, at, original);
                if (which == Save) {
                    screen->txtNote->setText(QStringLiteral("Nota di prova"));
                    run = [screen] { screen->cmdSalvaClick(); };
                } else {
                    run = [screen] { screen->cmdAvantiClick(); };
                }
            }
            QElapsedTimer t;
            t.start();
            run();
            return double(t.nsecsElapsed()) / 1e6;
        };
        auto median = [](std::vector<double> v) {
            std::sort(v.begin(), v.end());
            return v[v.size() / 2];
        };
        // A rentable, available card in the middle of the big fleet, and one of the small; the
        // two fleets take turns, so both meet the same moments of the machine.
        const char* names[] = {"browse (next card)", "save (card rewritten, synced)",
                               "pick-up (card rewritten, synced)"};
        for (Step which : {Browse, Save, PickUp}) {
            std::vector<double> large, little;
            for (int i = 0; i < stepRuns; ++i) {
                large.push_back(step(big.path(), 50002, which));
                little.push_back(step(small.path(), 5, which));
            }
            report({QStringLiteral("%1 at 100,000 cards").arg(QString::fromLatin1(names[which])),
                    {median(large), 0},
                    {median(little), 0},
                    QStringLiteral("at 10 cards"),
                    1.2});
        }
        frmRitiri->hide();
        frmSchedario_Chiavi->hide();
    }
    Screens::destroyAll();

    // Start-up to the login screen, against a bare Qt dialog (each a fresh process).
    // Start-up to the login screen, against a bare Qt dialog (each a fresh process): on the
    // bench's own platform, and on the X display too when there is one (a real window system,
    // as the program meets on a desk).
    if (want("startup")) {
        QStringList platforms = {QString()};
        if (!qEnvironmentVariableIsEmpty("DISPLAY"))
            platforms.append(QStringLiteral("xcb"));
        for (const QString& platform : platforms) {
            std::vector<double> login, bare;
            for (int i = 0; i < std::max(11, runs); ++i) {
                bare.push_back(spawn({QStringLiteral("--child-bare")}, platform));
                login.push_back(spawn({QStringLiteral("--child-startup"), big.path()}, platform));
            }
            std::sort(login.begin(), login.end());
            std::sort(bare.begin(), bare.end());
            const QString on = platform.isEmpty() ? QGuiApplication::platformName() : platform;
            report({QStringLiteral("start-up to the login screen (%1)").arg(on),
                    {login[login.size() / 2], 0},
                    {bare[bare.size() / 2], 0},
                    QStringLiteral("bare Qt dialog"),
                    2});
        }
    }
    ProgramFolder::setOverride(QString());

    // The table, as the README shows it.
    std::printf("\n| Path | Time | Baseline | Ratio | Target | Peak memory |\n"
                "|---|---|---|---|---|---|\n");
    size_t met = 0;
    for (const Line& l : lines) {
        const double ratio = l.time.ms / l.base.ms;
        met += ratio <= l.target;
        const QString peak =
            l.showPeak ? QStringLiteral("%1 MB").arg(l.time.peakMB, 0, 'f', 1) : QString();
        std::printf("| %s | %s | %s (%s) | %.2fx | <= %.1fx%s | %s |\n", qPrintable(l.path),
                    qPrintable(ms(l.time.ms)), qPrintable(ms(l.base.ms)), qPrintable(l.baseName),
                    ratio, l.target, ratio <= l.target ? "" : " (not met)", qPrintable(peak));
    }
    std::printf("\n%zu of %zu targets met\n", met, lines.size());
    return 0;
}
