// A workstation killed at random moments while it saves cards, records pick-ups and returns,
// with or without another desk acting before the restart:
// after every restart each file still decodes, no card is torn, and card and history agree.
#include "FleetFixtures.h"
#include "TestSupport.h"

#include "store/FleetFile.h"
#include "store/HistoryFile.h"
#include "store/PendingReturn.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <QThread>

#include <memory>

class TestKill : public QObject {
    Q_OBJECT

    // Waits until the desk works, lets it go on for a random moment and kills it (SIGKILL on
    // Linux, TerminateProcess on Windows); it must not have stopped by itself.
    static void killAtRandom(QProcess& desk, QRandomGenerator& random) {
        QVERIFY(desk.waitForStarted());
        while (!desk.canReadLine())
            QVERIFY2(desk.waitForReadyRead(60000), "the desk did not start");
        QCOMPARE(desk.readLine().trimmed(), QByteArray("ready"));
        QThread::msleep(random.bounded(120));
        desk.kill();
        QVERIFY(desk.waitForFinished(30000));
        QVERIFY2(desk.exitStatus() == QProcess::CrashExit,
                 "the desk stopped by itself: an action was not reported a success");
    }

    // What the restart finds: every card whole and numbered, every completed rental in the
    // history once, no rental of a craft still out.
    static void checkAgreement() {
        // An append cut short leaves a trailing piece shorter than a record: no record, and the
        // next append writes over it. Every whole record is checked below.

        QHash<QString, TNoleggio> byPickUp; // each pick-up has a customer name of its own
        HistoryFile history;
        history.openForReading();
        bool twice = false;
        history.scan([&](qint64, const TNoleggio& r) {
            twice = twice || byPickUp.contains(r.PersonaRit);
            byPickUp.insert(r.PersonaRit, r);
            return true;
        });
        history.close();
        QVERIFY2(!twice, "a rental is in the history twice");

        FleetFile fleet;
        fleet.openForReading();
        QList<std::pair<qint64, TScheda>> cards;
        fleet.scan([&](qint64 position, const TScheda& c) {
            cards.append({position, c});
            return true;
        });
        fleet.close();
        for (const auto& [position, c] : cards) {
            const QByteArray where = QByteArray::number(position);
            QVERIFY2(c.Scheda == TScheda::numberFor(position), where);
            QVERIFY2(c.Smarrita == QStringLiteral("Sì") || c.Smarrita == QStringLiteral("No"),
                     where);
            const bool out = c.Stato.startsWith(QStringLiteral("Ritirato da "));
            QVERIFY2(out || c.Stato == QStringLiteral("Disponibile"), where);
            if (c.PersonaRit.isEmpty())
                continue; // never rented
            if (out) {
                QVERIFY2(c.Stato.startsWith(QStringLiteral("Ritirato da ") + c.PersonaRit), where);
                QVERIFY2(!byPickUp.contains(c.PersonaRit), "a craft still out is in the history");
            } else {
                QVERIFY2(byPickUp.contains(c.PersonaRit), "a returned craft is not in the history");
                const TNoleggio& r = byPickUp.value(c.PersonaRit);
                QCOMPARE(r.Codice, c.Codice);
                QCOMPARE(r.PersonaRic, c.PersonaRic);
                QCOMPARE(r.DataRit, c.DataRit);
                QCOMPARE(r.OraRic, c.OraRic);
            }
        }
        QVERIFY(PendingReturn::pendingFiles().isEmpty());
    }

    static QString deskProgram() {
        return QDir(QCoreApplication::applicationDirPath())
            .filePath(QStringLiteral("onderia_worker_desk"));
    }

    static quint32 seedFromEnvironment() {
        return qEnvironmentVariableIsSet("ONDERIA_KILL_SEED")
                   ? qEnvironmentVariable("ONDERIA_KILL_SEED").toUInt()
                   : QRandomGenerator::global()->generate();
    }

    static int killsFromEnvironment(int otherwise) {
        return qEnvironmentVariableIntValue("ONDERIA_KILLS") > 0
                   ? qEnvironmentVariableIntValue("ONDERIA_KILLS")
                   : otherwise;
    }

    static TScheda cardAt(qint64 position) {
        FleetFile fleet;
        fleet.openForReading();
        return fleet.readAt(position);
    }

    static int inHistory(const QString& pickedUpBy) {
        int n = 0;
        HistoryFile history;
        history.openForReading();
        history.scan([&](qint64, const TNoleggio& r) {
            n += r.PersonaRit == pickedUpBy;
            return true;
        });
        return n;
    }

private slots:
    void killedAtRandomMomentsLosesNothing() {
        TestSandbox box;
        const quint32 seed = qEnvironmentVariableIsSet("ONDERIA_KILL_SEED")
                                 ? qEnvironmentVariable("ONDERIA_KILL_SEED").toUInt()
                                 : QRandomGenerator::global()->generate();
        const int kills = qEnvironmentVariableIntValue("ONDERIA_KILLS") > 0
                              ? qEnvironmentVariableIntValue("ONDERIA_KILLS")
                              : 100;
        qInfo("kill test seed: %u (ONDERIA_KILL_SEED=%u repeats it)", seed, seed);
        QRandomGenerator random(seed);
        QList<TScheda> fleet;
        for (int i = 1; i <= 6; ++i)
            fleet.append(fleetCard(QStringLiteral("K-%1").arg(i), QStringLiteral("Kayak"),
                                   QStringLiteral("10 €")));
        writeFleet(fleet);

        const QString program = QDir(QCoreApplication::applicationDirPath())
                                    .filePath(QStringLiteral("onderia_worker_desk"));
        int journalsFound = 0;
        for (int k = 0; k < kills; ++k) {
            QProcess desk;
            desk.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            desk.start(program, {QStringLiteral("rentals"), box.folder(),
                                 QString::number(random.generate())});
            killAtRandom(desk, random);
            if (QTest::currentTestFailed())
                return;

            // The restart.
            journalsFound += PendingReturn::pendingFiles().size();
            PendingReturn::recoverAll();
            checkAgreement();
            if (QTest::currentTestFailed()) {
                qWarning("after kill %d of seed %u", k + 1, seed);
                return;
            }
        }
        HistoryFile history;
        history.openForReading();
        qInfo("%d kills: %lld cards, %lld rentals in the history, %d returns finished at restart",
              kills, static_cast<long long>(QFileInfo(FleetFile::path()).size() / TScheda::kSize),
              static_cast<long long>(history.count()), journalsFound);
        QVERIFY(history.count() > 0);
    }

    // A desk is killed while it rents one craft out and back; before the restart another desk,
    // one that was running all along and so runs no start-up recovery, picks the craft up,
    // returns it or saves a note on it. The restart still leaves card and history agreeing,
    // and the rental the killed desk left is in the history exactly once when its craft is back.
    void aSecondDeskActingBeforeTheRestartLosesNothing() {
        TestSandbox box;
        const quint32 seed = seedFromEnvironment();
        const int kills = killsFromEnvironment(40);
        qInfo("second desk seed: %u (ONDERIA_KILL_SEED=%u repeats it)", seed, seed);
        QRandomGenerator random(seed);
        writeFleet(
            {fleetCard(QStringLiteral("K-1"), QStringLiteral("Kayak"), QStringLiteral("10 €"))});

        int journalsFound = 0, seenBack = 0, pickUps = 0, returns = 0, notes = 0;
        for (int k = 0; k < kills; ++k) {
            QProcess desk;
            desk.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            desk.start(deskProgram(), {QStringLiteral("turns"), box.folder(), QStringLiteral("1")});
            killAtRandom(desk, random);
            if (QTest::currentTestFailed())
                return;

            // The craft as every desk reads it now, and the rental the killed desk left.
            const TScheda seen = cardAt(1);
            const bool back = seen.Stato == QStringLiteral("Disponibile");
            seenBack += back;
            const bool note = random.bounded(3) == 0;
            const QString name = note ? QStringLiteral("note") : QStringLiteral("Q%1").arg(k);
            notes += note;
            pickUps += !note && back;
            returns += !note && !back;

            QProcess second;
            second.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            second.start(deskProgram(),
                         {QStringLiteral("next"), box.folder(), QStringLiteral("1"), name});
            QVERIFY(second.waitForFinished(60000));
            QVERIFY2(second.exitStatus() == QProcess::NormalExit && second.exitCode() == 0,
                     "the second desk's action was not reported a success");

            // The restart, as start-up runs it.
            journalsFound += PendingReturn::pendingFiles().size();
            FleetFile::finishInterruptedRewrite();
            PendingReturn::recoverAll();
            checkAgreement();
            if (!seen.PersonaRit.isEmpty()) {
                const int expected = back || !note ? 1 : 0;
                QVERIFY2(inHistory(seen.PersonaRit) == expected,
                         qPrintable(QStringLiteral("rental of %1 in the history %2 times, not %3")
                                        .arg(seen.PersonaRit)
                                        .arg(inHistory(seen.PersonaRit))
                                        .arg(expected)));
            }
            if (QTest::currentTestFailed()) {
                qWarning("after kill %d of seed %u", k + 1, seed);
                return;
            }
        }
        HistoryFile history;
        history.openForReading();
        qInfo("%d kills, craft back at %d of them; then %d pick-ups, %d returns, %d notes on "
              "the second desk; %lld rentals in the history, %d journals found at restart",
              kills, seenBack, pickUps, returns, notes, static_cast<long long>(history.count()),
              journalsFound);
        QVERIFY(history.count() > 0);
    }
};

QTEST_MAIN(TestKill)
#include "tst_killtest.moc"
