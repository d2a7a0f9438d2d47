// A workstation killed at random moments while it saves cards, records pick-ups and returns:
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
            QVERIFY(desk.waitForStarted());
            while (!desk.canReadLine())
                QVERIFY2(desk.waitForReadyRead(60000), "the desk did not start");
            QCOMPARE(desk.readLine().trimmed(), QByteArray("ready"));
            QThread::msleep(random.bounded(120));
            desk.kill(); // SIGKILL on Linux, TerminateProcess on Windows
            QVERIFY(desk.waitForFinished(30000));
            QVERIFY2(desk.exitStatus() == QProcess::CrashExit,
                     "the desk stopped by itself: an action was not reported a success");

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
};

QTEST_MAIN(TestKill)
#include "tst_killtest.moc"
