// Two workstations on one program folder, the second one a real process: no card lost or
// numbered twice, no change overwritten, a lock held elsewhere reported, every success on the
// disk before it is reported.
#include "DeskActions.h"
#include "FleetFixtures.h"
#include "TestSupport.h"

#include "access/Crypt.h"
#include "access/PasswordStore.h"
#include "access/TfrmCambiaPassword.h"
#include "app/ArchiveWait.h"
#include "app/Errors.h"
#include "app/Screens.h"
#include "output/SpreadsheetWriter.h"
#include "store/Durable.h"
#include "store/FileLock.h"
#include "store/HistoryFile.h"
#include "store/PendingReturn.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QSet>
#include <QTest>

#include <memory>

namespace {

QString deskProgram() {
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("onderia_worker_desk"));
}

// Another workstation, started on this test's program folder.
std::unique_ptr<QProcess> startDesk(const QString& folder, const QStringList& args) {
    auto desk = std::make_unique<QProcess>();
    desk->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    desk->start(deskProgram(), QStringList{args.first(), folder} + args.mid(1));
    return desk;
}

bool waitReady(QProcess& desk) {
    while (!desk.canReadLine())
        if (!desk.waitForReadyRead(30000))
            return false;
    return desk.readLine().trimmed() == "ready";
}

bool finishedWell(QProcess& desk, int ms = 300000) {
    return desk.waitForFinished(ms) && desk.exitStatus() == QProcess::NormalExit &&
           desk.exitCode() == 0;
}

// Typed into the change-password screen, as the user does, and confirmed.
void changePassword(const QString& old, const QString& now) {
    frmCambiaPassword->show();
    for (const auto& [name, text] :
         {std::pair{"txtPasswordOld", old}, std::pair{"txtPasswordNew", now},
          std::pair{"txtConferma", now}}) {
        QLineEdit* field = Desk::edit(frmCambiaPassword, name);
        field->clear();
        QTest::keyClicks(field, text);
    }
    frmCambiaPassword->cmdOKClick();
}

TScheda cardAt(qint64 position) {
    FleetFile f;
    f.openForReading();
    return f.readAt(position);
}

} // namespace

class TestSharedFolder : public QObject {
    Q_OBJECT
    std::unique_ptr<TestSandbox> box;

private slots:
    void init() {
        box = std::make_unique<TestSandbox>();
        Screens::createAll();
    }
    void cleanup() {
        Screens::destroyAll();
        box.reset();
    }

    void twoDesksSavingNewCardsAtOnceLoseNone() {
        const int perDesk = qEnvironmentVariableIntValue("ONDERIA_SAVES_PER_DESK") > 0
                                ? qEnvironmentVariableIntValue("ONDERIA_SAVES_PER_DESK")
                                : 1000;
        auto one = startDesk(box->folder(), {QStringLiteral("save"), QString::number(perDesk)});
        auto two = startDesk(box->folder(), {QStringLiteral("save"), QString::number(perDesk)});
        QVERIFY(finishedWell(*one));
        QVERIFY(finishedWell(*two));

        FleetFile file;
        file.openForReading();
        QCOMPARE(file.count(), 2 * perDesk);
        QSet<QString> numbers, codes;
        file.scan([&](qint64 position, const TScheda& card) {
            numbers.insert(card.Scheda);
            codes.insert(card.Codice);
            if (card.Scheda != TScheda::numberFor(position))
                qWarning() << "card" << position << "carries number" << card.Scheda;
            return card.Scheda == TScheda::numberFor(position);
        });
        QCOMPARE(numbers.size(), 2 * perDesk);
        QCOMPARE(codes.size(), 2 * perDesk);
        QCOMPARE(QFileInfo(FleetFile::path()).size(), qint64(2 * perDesk) * TScheda::kSize);
    }

    // Desk 1 shows card 1; desk 2 records its pick-up; desk 1 then saves a note.
    void aChangeMadeElsewhereIsNeverOverwritten_data() {
        QTest::addColumn<QString>("here");
        QTest::newRow("fleet card save") << "card";
        QTest::newRow("pick-up") << "pickup";
        QTest::newRow("return") << "return";
    }
    void aChangeMadeElsewhereIsNeverOverwritten() {
        QFETCH(QString, here);
        TScheda c = fleetCard(QStringLiteral("K-1"), QStringLiteral("Kayak"), QStringLiteral("10"));
        if (here == QStringLiteral("return"))
            c.Stato = QStringLiteral("Ritirato da A in data 05/07/2025 alle ore 14:07");
        writeFleet({c});
        const QByteArray loaded = box->readBytes(QStringLiteral("Vuvedi_Duvav.pro"));
        const TScheda shown = TScheda::fromBytes(loaded);
        TfrmOperazione* screen = here == QStringLiteral("pickup")
                                     ? static_cast<TfrmOperazione*>(frmRitiri)
                                     : frmRiconsegne;
        if (here == QStringLiteral("card")) {
            frmSchedario_Chiavi->showScreen();
            frmSchedario_Chiavi->cmdPrimoClick();
        } else {
            screen->showScreen();
            screen->putCard(shown, 1, loaded);
        }

        // The other workstation changes the card meanwhile.
        FleetFile other;
        other.openForWriting();
        TScheda changed = shown;
        changed.Stato = QStringLiteral("Ritirato da Desk2 in data 06/07/2025 alle ore 09:00");
        changed.PersonaRit = QStringLiteral("Desk2");
        other.rewriteAt(1, changed);
        other.close();
        const QByteArray theirs = box->readBytes(QStringLiteral("Vuvedi_Duvav.pro"));
        Msg::Test::clear();

        if (here == QStringLiteral("card")) {
            Desk::edit(frmSchedario_Chiavi, "txtNote")->setText(QStringLiteral("Nuova nota"));
            frmSchedario_Chiavi->cmdSalvaClick();
        } else {
            Desk::edit(screen, here == QStringLiteral("pickup") ? "txtPersonaRit" : "txtPersonaRic")
                ->setText(QStringLiteral("Cliente"));
            screen->btnApplicaClick();
        }
        QCOMPARE(Msg::Test::shown().size(), 1);
        QCOMPARE(Msg::Test::last().icon, Msg::Icon::Warning);
        QCOMPARE(Msg::Test::last().text, kCardChanged);
        QCOMPARE(box->readBytes(QStringLiteral("Vuvedi_Duvav.pro")), theirs);
        QCOMPARE(QFileInfo(HistoryFile::path()).size(), 0);
        QVERIFY(PendingReturn::pendingFiles().isEmpty());
        if (here != QStringLiteral("card"))
            QVERIFY(screen->isVisible());
    }

    // The same through a real second process recording its pick-up.
    void aPickUpByAnotherProcessSurvivesANoteSavedHere() {
        writeFleet(
            {fleetCard(QStringLiteral("K-1"), QStringLiteral("Kayak"), QStringLiteral("10"))});
        frmSchedario_Chiavi->showScreen();
        frmSchedario_Chiavi->cmdPrimoClick();
        auto desk = startDesk(box->folder(), {QStringLiteral("pickup"), QStringLiteral("1"),
                                              QStringLiteral("Mario Rossi")});
        QVERIFY(finishedWell(*desk, 60000));
        Msg::Test::clear();
        Desk::edit(frmSchedario_Chiavi, "txtNote")->setText(QStringLiteral("Nuova nota"));
        frmSchedario_Chiavi->cmdSalvaClick();
        QCOMPARE(Msg::Test::last().text, kCardChanged);
        QVERIFY(cardAt(1).Stato.startsWith(QStringLiteral("Ritirato da Mario Rossi in data ")));
        QCOMPARE(cardAt(1).Note, QString());

        // Shown again, the card takes the note without losing the pick-up.
        frmSchedario_Chiavi->cmdPrimoClick();
        Desk::edit(frmSchedario_Chiavi, "txtNote")->setText(QStringLiteral("Nuova nota"));
        frmSchedario_Chiavi->cmdSalvaClick();
        QCOMPARE(Msg::Test::last().text, Desk::kSaved);
        QCOMPARE(cardAt(1).Note, QStringLiteral("Nuova nota"));
        QVERIFY(cardAt(1).Stato.startsWith(QStringLiteral("Ritirato da Mario Rossi in data ")));
    }

    void aLockHeldByAnotherProcessIsReportedAndNothingWritten_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("file");
        QTest::newRow("new card") << "new"
                                  << "Vuvedi_Duvav.pro";
        QTest::newRow("stored card") << "stored"
                                     << "Vuvedi_Duvav.pro";
        QTest::newRow("pick-up") << "pickup"
                                 << "Vuvedi_Duvav.pro";
        QTest::newRow("browse") << "browse"
                                << "Vuvedi_Duvav.pro";
        QTest::newRow("password") << "password"
                                  << "unins000.dll";
    }
    void aLockHeldByAnotherProcessIsReportedAndNothingWritten() {
        QFETCH(QString, action);
        QFETCH(QString, file);
        writeFleet(
            {fleetCard(QStringLiteral("K-1"), QStringLiteral("Kayak"), QStringLiteral("10"))});
        PasswordStore::store(QStringLiteral("vecchia"));
        const QByteArray fleetBefore = box->readBytes(QStringLiteral("Vuvedi_Duvav.pro"));
        const QByteArray storeBefore = box->readBytes(QStringLiteral("unins000.dll"));
        const TScheda first = cardAt(1);
        frmSchedario_Chiavi->showScreen();
        if (action == QStringLiteral("stored"))
            frmSchedario_Chiavi->cmdPrimoClick();
        FileLock::setWaitForTest(300);

        auto desk =
            startDesk(box->folder(), {QStringLiteral("hold"), file, QStringLiteral("20000")});
        QVERIFY(waitReady(*desk));
        Msg::Test::clear();
        if (action == QStringLiteral("new")) {
            QCOMPARE(Desk::saveNewCard(QStringLiteral("K-2")), kArchiveBusy);
        } else if (action == QStringLiteral("stored")) {
            Desk::edit(frmSchedario_Chiavi, "txtNote")->setText(QStringLiteral("Nota"));
            frmSchedario_Chiavi->cmdSalvaClick();
        } else if (action == QStringLiteral("pickup")) {
            frmRitiri->showScreen();
            frmRitiri->putCard(first, 1, fleetBefore);
            Desk::edit(frmRitiri, "txtPersonaRit")->setText(QStringLiteral("Cliente"));
            frmRitiri->btnApplicaClick();
            QVERIFY(frmRitiri->isVisible());
        } else if (action == QStringLiteral("browse")) {
            // Readers wait for a writer too: browsing is refused, with the same message.
            frmSchedario_Chiavi->cmdPrimoClick();
        } else {
            changePassword(QStringLiteral("vecchia"), QStringLiteral("nuova"));
        }
        QCOMPARE(Msg::Test::shown().size(), 1);
        QCOMPARE(Msg::Test::last().icon, Msg::Icon::Warning);
        QCOMPARE(Msg::Test::last().text, kArchiveBusy);
        QCOMPARE(box->readBytes(QStringLiteral("Vuvedi_Duvav.pro")), fleetBefore);
        QCOMPARE(box->readBytes(QStringLiteral("unins000.dll")), storeBefore);
        desk->kill();
        desk->waitForFinished();

        // Once the other workstation is gone, its lock is gone with it.
        if (action == QStringLiteral("new")) {
            QCOMPARE(Desk::saveNewCard(QStringLiteral("K-2")), Desk::kInserted);
            QCOMPARE(cardAt(2).Scheda, QStringLiteral("00002"));
        }
    }

    // One password guards every desk: changed on this one, it opens the other at once, and the
    // old one no longer does.
    void aPasswordChangedHereOpensTheOtherDesk() {
        PasswordStore::store(QStringLiteral("vecchia"));
        Msg::Test::clear();
        changePassword(QStringLiteral("vecchia"), QStringLiteral("Nuova parola"));
        QCOMPARE(Msg::Test::last().text, TfrmCambiaPassword::kChanged);
        for (const auto& [typed, code] : {std::pair{QStringLiteral("nuova PAROLA"), 0},
                                          std::pair{QStringLiteral("vecchia"), 3}}) {
            auto desk = startDesk(box->folder(), {QStringLiteral("login"), typed});
            QVERIFY(waitReady(*desk));
            desk->waitForFinished(60000);
            QCOMPARE(desk->exitStatus(), QProcess::NormalExit);
            QCOMPARE(desk->exitCode(), code);
        }
    }

    // The other workstation lets go within the wait: meanwhile the wait cursor (and, where the
    // screen has a status line, a word on what it waits for) shows that the program is alive;
    // then the action completes as if nothing had happened, with no warning.
    void aLockFreedWithinTheWaitShowsTheWaitThenCompletes_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("said");
        QTest::newRow("new card") << "new"
                                  << "Vuvedi_Duvav.pro" << Desk::kInserted;
        QTest::newRow("pick-up") << "pickup"
                                 << "Vuvedi_Duvav.pro" << Desk::kPickedUp;
        QTest::newRow("password (no status line)")
            << "password"
            << "unins000.dll" << TfrmCambiaPassword::kChanged;
    }
    void aLockFreedWithinTheWaitShowsTheWaitThenCompletes() {
        QFETCH(QString, action);
        QFETCH(QString, file);
        QFETCH(QString, said);
        writeFleet(
            {fleetCard(QStringLiteral("K-1"), QStringLiteral("Kayak"), QStringLiteral("10"))});
        PasswordStore::store(QStringLiteral("vecchia"));
        QWidget* screen = action == QStringLiteral("pickup") ? static_cast<QWidget*>(frmRitiri)
                          : action == QStringLiteral("password")
                              ? static_cast<QWidget*>(frmCambiaPassword)
                              : static_cast<QWidget*>(frmSchedario_Chiavi);
        if (action == QStringLiteral("new")) {
            frmSchedario_Chiavi->showScreen();
        } else if (action == QStringLiteral("pickup")) {
            frmRitiri->showScreen();
            frmRitiri->putCard(cardAt(1), 1, box->readBytes(QStringLiteral("Vuvedi_Duvav.pro")));
            Desk::edit(frmRitiri, "txtPersonaRit")->setText(QStringLiteral("Cliente"));
        }
        auto* status = screen->findChild<QLabel*>(QStringLiteral("panInfo"));
        const QString statusBefore = status ? status->text() : QString();
        FileLock::setWaitForTest(0); // the program's own wait
        ArchiveWait::install();

        // Seen while the program waits: the timer fires while the wait keeps painting.
        auto desk =
            startDesk(box->folder(), {QStringLiteral("hold"), file, QStringLiteral("1500")});
        QVERIFY(waitReady(*desk));
        bool sawWaitCursor = false;
        QString statusSeen;
        QTimer::singleShot(700, [&] {
            sawWaitCursor = QApplication::overrideCursor() &&
                            QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            statusSeen = status ? status->text() : QString();
        });
        Msg::Test::clear();
        if (action == QStringLiteral("new"))
            Desk::saveNewCard(QStringLiteral("K-2"));
        else if (action == QStringLiteral("pickup"))
            frmRitiri->btnApplicaClick();
        else
            changePassword(QStringLiteral("vecchia"), QStringLiteral("nuova"));
        ArchiveWait::uninstall();
        desk->waitForFinished(); // it let go of the lock by ending
        QCOMPARE(desk->exitCode(), 0);

        QVERIFY(sawWaitCursor);
        if (status) {
            QCOMPARE(statusSeen, ArchiveWait::kWaiting);
            QCOMPARE(status->text(), statusBefore);
        }
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(Msg::Test::shown().size(), 1);
        QCOMPARE(Msg::Test::last().text, said);
        if (action == QStringLiteral("new"))
            QCOMPARE(cardAt(2).Codice, QStringLiteral("K-2"));
        else if (action == QStringLiteral("pickup"))
            QVERIFY(cardAt(1).Stato.startsWith(QStringLiteral("Ritirato da Cliente in data ")));
        else
            QCOMPARE(PasswordStore::readStored(), Crypt::Normalize(QStringLiteral("nuova")));
    }

    // A power cut cannot be staged: the seam shows the data reach the disk before the message.
    void everySuccessIsOnTheDiskBeforeItIsReported_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("file");
        QTest::newRow("new card") << "new"
                                  << "Vuvedi_Duvav.pro";
        QTest::newRow("stored card") << "stored"
                                     << "Vuvedi_Duvav.pro";
        QTest::newRow("pick-up") << "pickup"
                                 << "Vuvedi_Duvav.pro";
        QTest::newRow("return: card") << "return"
                                      << "Vuvedi_Duvav.pro";
        QTest::newRow("return: history") << "return"
                                         << "Dizidov_Izevude.pro";
        QTest::newRow("password") << "password"
                                  << "unins000.dll";
        QTest::newRow("export") << "export"
                                << "Vuvedi_Duvav.xls";
    }
    void everySuccessIsOnTheDiskBeforeItIsReported() {
        QFETCH(QString, action);
        QFETCH(QString, file);
        TScheda out =
            fleetCard(QStringLiteral("K-2"), QStringLiteral("Kayak"), QStringLiteral("10"));
        out.Stato = QStringLiteral("Ritirato da A in data 05/07/2025 alle ore 14:07");
        writeFleet(
            {fleetCard(QStringLiteral("K-1"), QStringLiteral("Kayak"), QStringLiteral("10")), out});
        PasswordStore::store(QStringLiteral("vecchia"));
        frmSchedario_Chiavi->showScreen();
        if (action == QStringLiteral("stored"))
            frmSchedario_Chiavi->cmdPrimoClick();
        Msg::Test::clear();
        // For each sync of the file: how many messages had been shown by then.
        QList<qsizetype> syncedAfter;
        const QString path = box->file(file);
        Durable::setObserverForTest([&](const QString& synced) {
            if (QFileInfo(synced).fileName() == QFileInfo(path).fileName())
                syncedAfter.append(Msg::Test::shown().size());
        });
        QString success;
        if (action == QStringLiteral("new")) {
            Desk::saveNewCard(QStringLiteral("K-3"));
            success = Desk::kInserted;
        } else if (action == QStringLiteral("stored")) {
            frmSchedario_Chiavi->cmdSalvaClick();
            success = Desk::kSaved;
        } else if (action == QStringLiteral("pickup")) {
            Desk::rent(frmRitiri, 1, QStringLiteral("Cliente"));
            success = Desk::kPickedUp;
        } else if (action == QStringLiteral("return")) {
            Desk::rent(frmRiconsegne, 2, QStringLiteral("Cliente"));
            success = Desk::kReturned;
        } else if (action == QStringLiteral("export")) {
            Msg::Test::answer(true);  // export now
            Msg::Test::answer(false); // do not open it
            QVERIFY(SpreadsheetWriter::exportTable(
                QStringLiteral("Vuvedi_Duvav.xls"), QStringLiteral("Foglio"),
                {{QStringLiteral("A"), 10}}, {{QStringLiteral("1")}}));
            success = SpreadsheetWriter::kAskOpen;
        } else {
            changePassword(QStringLiteral("vecchia"), QStringLiteral("nuova"));
            success = TfrmCambiaPassword::kChanged;
        }
        Durable::setObserverForTest(nullptr);
        QCOMPARE(Desk::lastMessage(), success);
        QVERIFY(!syncedAfter.isEmpty());
        QCOMPARE(syncedAfter.first(), Msg::Test::shown().size() - 1);
    }
};

QTEST_MAIN(TestSharedFolder)
#include "tst_sharedfolder.moc"
