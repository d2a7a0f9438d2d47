// What a crash or a power cut leaves behind, staged at each step of a write: the next opening
// or start-up finishes a cut rewrite, and a return's journal puts its rental in the history
// exactly once when its card was rewritten, and not at all otherwise.
#include "store/StoreSupport.h"

#include "store/Durable.h"
#include "store/FileLock.h"
#include "store/FleetFile.h"
#include "store/HistoryFile.h"
#include "store/PendingReturn.h"
#include "store/StoreError.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTest>

#include <memory>

namespace {

TScheda card(const QString& code, const QString& state) {
    TScheda c;
    c.Codice = code;
    c.Stato = state;
    c.Smarrita = QStringLiteral("No");
    c.PersonaRit = QStringLiteral("Anna");
    return c;
}

void writeFleet(int cards) {
    FleetFile f;
    f.openForWriting();
    for (int i = 1; i <= cards; ++i) {
        TScheda c = card(QStringLiteral("K-%1").arg(i), QStringLiteral("Ritirato da Anna"));
        c.Scheda = TScheda::numberFor(i);
        f.append(c);
    }
}

QByteArray fleetBytesAt(qint64 position) {
    FleetFile f;
    f.openForReading();
    return f.readBytesAt(position);
}

// The card of a craft that has come back.
TScheda returnedBy(const QByteArray& out, const QString& customer) {
    TScheda back = TScheda::fromBytes(out);
    back.Stato = QStringLiteral("Disponibile");
    back.PersonaRic = customer;
    return back;
}

QList<TNoleggio> history() {
    QList<TNoleggio> all;
    HistoryFile h;
    h.openForReading();
    h.scan([&](qint64, const TNoleggio& r) {
        all.append(r);
        return true;
    });
    return all;
}

TNoleggio rental(const QString& returnedBy) {
    TNoleggio r;
    r.Codice = QStringLiteral("K-2");
    r.PersonaRit = QStringLiteral("Anna");
    r.PersonaRic = returnedBy;
    r.DataRit = QStringLiteral("05/07/2025");
    return r;
}

// The program stopping: no failure the storage library could handle.
struct Crash {};

// Stops the write in progress right after the sync of a file whose name ends so, as a crash
// there would.
void crashAfterSyncOf(const QString& ending) {
    Durable::setObserverForTest([=](const QString& path) {
        if (path.endsWith(ending))
            throw Crash{};
    });
}

// Makes the storage library's k-th write, sync, rename or remove fail once (k from 1); counts
// the steps taken in `steps`.
void failStep(int k, int* steps) {
    *steps = 0;
    Durable::setFaultForTest([=](Durable::Step, const QString&) { return ++*steps == k; });
}

QByteArray journalBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestDurability : public QObject {
    Q_OBJECT

private slots:
    void aRewriteCutShortIsFinishedByTheNextOpening_data() {
        QTest::addColumn<int>("tornBytes");    // of the record written in place before the crash
        QTest::addColumn<int>("redoCutBytes"); // of the redo file lost
        QTest::addColumn<bool>("newCard");
        QTest::newRow("crash before the write in place") << 0 << 0 << true;
        QTest::newRow("card half written") << 2000 << 0 << true;
        QTest::newRow("redo file itself cut short") << 0 << 10 << false;
    }
    void aRewriteCutShortIsFinishedByTheNextOpening() {
        QFETCH(int, tornBytes);
        QFETCH(int, redoCutBytes);
        QFETCH(bool, newCard);
        StoreSandbox box;
        writeFleet(3);
        const QByteArray before = fleetBytesAt(2);
        const TScheda back = returnedBy(before, QStringLiteral("Bruno"));
        const QByteArray after = back.toBytes();

        crashAfterSyncOf(QStringLiteral(".jrn"));
        {
            FleetFile f;
            f.openForWriting();
            QVERIFY_THROWS_EXCEPTION(Crash, f.rewriteAt(2, back));
        }
        Durable::setObserverForTest(nullptr);
        const QString redo = FleetFile::path() + QStringLiteral(".jrn");
        QVERIFY(QFileInfo::exists(redo));
        if (tornBytes > 0) {
            QFile f(FleetFile::path());
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(TScheda::kSize);
            f.write(after.left(tornBytes));
        }
        if (redoCutBytes > 0)
            QVERIFY(QFile::resize(redo, QFileInfo(redo).size() - redoCutBytes));

        FleetFile::finishInterruptedRewrite();
        QCOMPARE(fleetBytesAt(2), newCard ? after : before);
        QVERIFY(!QFileInfo::exists(redo));
        QCOMPARE(QFileInfo(FleetFile::path()).size(), 3 * TScheda::kSize);
    }

    void aReaderFinishesARewriteCutShortBeforeReading() {
        StoreSandbox box;
        writeFleet(2);
        TScheda back = TScheda::fromBytes(fleetBytesAt(1));
        back.Note = QStringLiteral("dopo");
        crashAfterSyncOf(QStringLiteral(".jrn"));
        {
            FleetFile f;
            f.openForWriting();
            QVERIFY_THROWS_EXCEPTION(Crash, f.rewriteAt(1, back));
        }
        Durable::setObserverForTest(nullptr);
        FleetFile f;
        f.openForReading();
        QCOMPARE(f.readAt(1).Note, QStringLiteral("dopo"));
    }

    // A return stopped at each of its steps, then the start-up.
    void aReturnStoppedAtAnyStepEndsWithCardAndHistoryAgreeing_data() {
        QTest::addColumn<QString>("stop");
        QTest::addColumn<bool>("cardBack");
        QTest::addColumn<QString>("inHistory"); // who returned the craft, or empty
        QTest::newRow("journal cut short") << "torn journal" << false << "";
        QTest::newRow("before the card's write") << "begun" << false << "";
        QTest::newRow("card written, not yet marked") << "card" << true << "Bruno";
        QTest::newRow("card written and marked") << "marked" << true << "Bruno";
        QTest::newRow("OK pressed, history not written") << "confirmed" << true << "Bruno (OK)";
        QTest::newRow("history written, journal not removed") << "appended" << true << "Bruno (OK)";
    }
    void aReturnStoppedAtAnyStepEndsWithCardAndHistoryAgreeing() {
        QFETCH(QString, stop);
        QFETCH(bool, cardBack);
        QFETCH(QString, inHistory);
        StoreSandbox box;
        writeFleet(3);
        const QByteArray before = fleetBytesAt(2);
        const TScheda back = returnedBy(before, QStringLiteral("Bruno"));
        const QByteArray after = back.toBytes();
        const QString kept = box.file(QStringLiteral("kept.dat"));
        {
            auto pending = PendingReturn::begin(2, before, after, rental(QStringLiteral("Bruno")));
            const QString journal = pending->path();
            if (stop == QStringLiteral("torn journal")) {
                QVERIFY(QFile::resize(journal, QFileInfo(journal).size() - 1));
            } else if (stop != QStringLiteral("begun")) {
                FleetFile f;
                f.openForWriting();
                if (stop == QStringLiteral("card")) // stopped before the mark
                    QVERIFY_THROWS_EXCEPTION(
                        Crash, f.rewriteBytesAt(2, after, pending->name(), [] { throw Crash{}; }));
                else
                    f.rewriteBytesAt(2, after, pending->name(), [&] { pending->cardWritten(); });
                f.close();
                if (stop == QStringLiteral("confirmed")) {
                    RecordFile::failWritesForTest(true);
                    QVERIFY_THROWS_EXCEPTION(
                        FileError, pending->complete(rental(QStringLiteral("Bruno (OK)"))));
                    RecordFile::failWritesForTest(false);
                } else if (stop == QStringLiteral("appended")) {
                    // The journal as it was when the history append reached the disk.
                    Durable::setObserverForTest([&](const QString& path) {
                        if (path.endsWith(QStringLiteral("Dizidov_Izevude.pro")))
                            QFile::copy(journal, kept);
                    });
                    pending->complete(rental(QStringLiteral("Bruno (OK)")));
                    Durable::setObserverForTest(nullptr);
                    QVERIFY(QFile::copy(kept, journal));
                }
            }
        } // the program stops: its locks go with it

        QCOMPARE(PendingReturn::pendingFiles().size(), 1);
        PendingReturn::recoverAll();
        PendingReturn::recoverAll(); // a second start finds nothing more to do
        QVERIFY(PendingReturn::pendingFiles().isEmpty());
        QCOMPARE(fleetBytesAt(2), cardBack ? after : before);
        const QList<TNoleggio> all = history();
        QCOMPARE(all.size(), inHistory.isEmpty() ? 0 : 1);
        if (!inHistory.isEmpty())
            QCOMPARE(all.first().PersonaRic, inHistory);
    }

    // Each step of a rewrite failing once: before the redo file is on the disk the rewrite is
    // refused and never lands later; from then on it is finished and reported done.
    void aRewriteFailingAtAnyStepIsEitherRefusedOrDone() {
        for (int k = 1;; ++k) {
            StoreSandbox box;
            writeFleet(3);
            const QByteArray before = fleetBytesAt(2);
            const QByteArray after = returnedBy(before, QStringLiteral("Bruno")).toBytes();
            int steps = 0;
            failStep(k, &steps);
            bool refused = false;
            {
                FleetFile f;
                f.openForWriting();
                try {
                    f.rewriteBytesAt(2, after);
                } catch (const FileError&) {
                    refused = true;
                }
            }
            const bool walkedPast = steps < k;
            Durable::setFaultForTest(nullptr);
            const QByteArray expected = refused ? before : after;
            QVERIFY2(fleetBytesAt(2) == expected, QByteArray::number(k));
            FleetFile::finishInterruptedRewrite(); // the next start-up
            QVERIFY2(fleetBytesAt(2) == expected, QByteArray::number(k));
            QVERIFY(!QFileInfo::exists(FleetFile::path() + QStringLiteral(".jrn")));
            if (walkedPast) {
                qInfo("rewrite: %d failure points", k - 1);
                break;
            }
        }
    }

    // A desk dies after the card's rewrite and before the journal's mark; another desk rents
    // the craft out again before any start-up: the rental still reaches the history once.
    void aReturnWhoseMarkWasLostIsStillRecorded() {
        StoreSandbox box;
        writeFleet(3);
        const QByteArray before = fleetBytesAt(2);
        const QByteArray after = returnedBy(before, QStringLiteral("Bruno")).toBytes();
        {
            auto pending = PendingReturn::begin(2, before, after, rental(QStringLiteral("Bruno")));
            FleetFile f;
            f.openForWriting();
            // The mark never reaches the disk, as when the desk dies there.
            QVERIFY_THROWS_EXCEPTION(FileError, f.rewriteBytesAt(2, after, pending->name(), [] {
                throw FileError(QStringLiteral("killed"));
            }));
            pending->release();
        }
        TScheda again = TScheda::fromBytes(fleetBytesAt(2));
        QCOMPARE(again.Stato, QStringLiteral("Disponibile"));
        again.Stato = QStringLiteral("Ritirato da Carla");
        again.PersonaRit = QStringLiteral("Carla");
        {
            FleetFile f;
            f.openForWriting();
            f.rewriteAt(2, again);
        }
        PendingReturn::recoverAll();
        QCOMPARE(history().size(), 1);
        QCOMPARE(history().first().PersonaRic, QStringLiteral("Bruno"));
        QCOMPARE(TScheda::fromBytes(fleetBytesAt(2)).PersonaRit, QStringLiteral("Carla"));
        QVERIFY(PendingReturn::pendingFiles().isEmpty());
    }

    // A torn last entry, then a start-up stopped before it removes the journal: the next one
    // sees the confirmation written after the cut and does not append the rental again.
    void aTornEntryHidesNothingWrittenAfterIt() {
        StoreSandbox box;
        writeFleet(3);
        const QByteArray before = fleetBytesAt(2);
        const QByteArray after = returnedBy(before, QStringLiteral("Bruno")).toBytes();
        QString journal;
        {
            auto pending = PendingReturn::begin(2, before, after, rental(QStringLiteral("Bruno")));
            journal = pending->path();
            pending->cardWritten();
            pending->release();
        }
        {
            QFile f(journal);
            QVERIFY(f.open(QIODevice::Append));
            f.write(PendingReturn::entry('C', QByteArray(20 + TNoleggio::kSize, '0')).left(30));
        }
        Durable::setFaultForTest([&](Durable::Step step, const QString& path) {
            return step == Durable::Step::Remove && path == journal;
        });
        PendingReturn::recoverAll();
        Durable::setFaultForTest(nullptr);
        QCOMPARE(PendingReturn::pendingFiles().size(), 1);
        QVERIFY(PendingReturn::parse(journalBytes(journal)).confirmed);
        PendingReturn::recoverAll();
        QCOMPARE(history().size(), 1);
        QVERIFY(PendingReturn::pendingFiles().isEmpty());
    }

    // A start-up drops a journal that never began while it still holds its lock, so its owner
    // cannot go on with a journal that has lost its name.
    void aDeadJournalIsRemovedWhileLocked() {
        StoreSandbox box;
        const QString journal =
            box.file(QStringLiteral("Riconsegna_in_corso_0000000000000001.dat"));
        box.writeBytes(QStringLiteral("Riconsegna_in_corso_0000000000000001.dat"), QByteArray());
        bool lockedAtRemoval = false;
        Durable::setFaultForTest([&](Durable::Step step, const QString& path) {
            if (step == Durable::Step::Remove && path == journal) {
                QFile other(journal);
                lockedAtRemoval = other.open(QIODevice::ReadWrite) &&
                                  !FileLock::tryAcquire(other, FileLock::Mode::Exclusive);
            }
            return false;
        });
        PendingReturn::recoverAll();
        QVERIFY(lockedAtRemoval);
        QVERIFY(!QFileInfo::exists(journal));
    }

    // A writer died with its redo file on the disk and its card half written: a reader, even in
    // a folder it may not write, shows the decided card and writes nothing.
    void aReaderShowsTheDecidedCardWithoutWriting() {
        StoreSandbox box;
        writeFleet(2);
        TScheda back = TScheda::fromBytes(fleetBytesAt(1));
        back.Note = QStringLiteral("dopo");
        Durable::setFaultForTest([](Durable::Step step, const QString& path) {
            return step == Durable::Step::Write && path == FleetFile::path();
        });
        {
            FleetFile f;
            f.openForWriting();
            f.rewriteAt(1, back); // decided, though not yet in place
        }
        Durable::setFaultForTest(nullptr);
        QFile::setPermissions(box.folder(), QFile::ReadOwner | QFile::ExeOwner);
        QFile::setPermissions(FleetFile::path(), QFile::ReadOwner);
        const QByteArray file = box.readBytes(QStringLiteral("Vuvedi_Duvav.pro"));
        {
            const PermissionsBind readOnly;
            if (readOnly.bound()) // the folder is read-only indeed, for root too
                QVERIFY(!QFile(FleetFile::path()).open(QIODevice::ReadWrite));
            FleetFile f;
            f.openForReading();
            QCOMPARE(f.readAt(1).Note, QStringLiteral("dopo"));
            QStringList notes;
            f.scan([&](qint64, const TScheda& c) {
                notes << c.Note;
                return true;
            });
            QCOMPARE(notes.first(), QStringLiteral("dopo"));
        }
        QCOMPARE(box.readBytes(QStringLiteral("Vuvedi_Duvav.pro")), file);
        QFile::setPermissions(box.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(FleetFile::path(), QFile::ReadOwner | QFile::WriteOwner);
        FleetFile::finishInterruptedRewrite();
        QCOMPARE(TScheda::fromBytes(fleetBytesAt(1)).Note, QStringLiteral("dopo"));
    }

    // A reader waits for the lock of a writer that then dies mid-rewrite: let in, it shows the
    // decided card, not the one it would have found had it looked for the redo file too early.
    void aReaderLetInAfterADeadWriterShowsTheDecidedCard() {
        StoreSandbox box;
        writeFleet(2);
        TScheda back = TScheda::fromBytes(fleetBytesAt(1));
        back.Note = QStringLiteral("dopo");
        auto writer = std::make_unique<FleetFile>();
        writer->openForWriting();
        const auto noObserver = qScopeGuard([] { FileLock::setWaitObserver(nullptr); });
        FileLock::setWaitObserver([&](FileLock::Wait wait) {
            if (wait != FileLock::Wait::Begins || !writer)
                return;
            Durable::setFaultForTest([](Durable::Step step, const QString& path) {
                return step == Durable::Step::Write && path == FleetFile::path();
            });
            writer->rewriteAt(1, back); // decided, though not yet in place
            Durable::setFaultForTest(nullptr);
            writer.reset(); // the writer dies
        });
        FleetFile reader;
        reader.openForReading();
        QVERIFY(!writer);
        QCOMPARE(reader.readAt(1).Note, QStringLiteral("dopo"));
    }

    // Files that are not what this program writes are refused and left as they are.
    void aFileOfAnotherShapeIsRefused_data() {
        QTest::addColumn<QString>("damage");
        QTest::newRow("stray bytes after the cards") << "stray";
        QTest::newRow("records of another layout") << "layout";
        QTest::newRow("damaged redo file") << "redo";
        QTest::newRow("redo file of another version") << "version";
    }
    void aFileOfAnotherShapeIsRefused() {
        QFETCH(QString, damage);
        StoreSandbox box;
        writeFleet(3);
        const QString redo = QStringLiteral("Vuvedi_Duvav.pro.jrn");
        if (damage == QStringLiteral("stray")) {
            box.writeBytes(QStringLiteral("Vuvedi_Duvav.pro"),
                           box.readBytes(QStringLiteral("Vuvedi_Duvav.pro")) +
                               QByteArray(100, 'z'));
        } else if (damage == QStringLiteral("layout")) {
            box.writeBytes(QStringLiteral("Vuvedi_Duvav.pro"), QByteArray(3 * TScheda::kSize, 'a'));
        } else {
            Durable::setFaultForTest([](Durable::Step step, const QString& path) {
                return step == Durable::Step::Write && path == FleetFile::path();
            });
            {
                FleetFile f;
                f.openForWriting();
                f.rewriteAt(1, card(QStringLiteral("X"), QStringLiteral("Disponibile")));
            }
            Durable::setFaultForTest(nullptr);
            QByteArray bytes = box.readBytes(redo);
            if (damage == QStringLiteral("redo"))
                bytes[100] = char(bytes[100] ^ 1);
            else
                bytes.replace(0, 8, "ONDREDO9");
            box.writeBytes(redo, bytes);
        }
        const QByteArray fleet = box.readBytes(QStringLiteral("Vuvedi_Duvav.pro"));
        const QByteArray redoBytes = box.readBytes(redo);
        {
            FleetFile f;
            QVERIFY_THROWS_EXCEPTION(BadFile, f.openForReading());
            QVERIFY_THROWS_EXCEPTION(BadFile, f.openForWriting());
        }
        if (!redoBytes.isEmpty()) // the start-up finishes no redo file it cannot read
            QVERIFY_THROWS_EXCEPTION(BadFile, FleetFile::finishInterruptedRewrite());
        QCOMPARE(box.readBytes(QStringLiteral("Vuvedi_Duvav.pro")), fleet);
        QCOMPARE(box.readBytes(redo), redoBytes);
    }

    // A journal that is not of this program is never taken for a dead one and deleted.
    void aForeignJournalIsLeftAlone() {
        StoreSandbox box;
        const QString name = QStringLiteral("Riconsegna_in_corso_0000000000000002.dat");
        const QByteArray foreign = QByteArray("ONDRIC") + QByteArray(9000, 'x');
        box.writeBytes(name, foreign);
        PendingReturn::recoverAll();
        QCOMPARE(box.readBytes(name), foreign);
    }

    void aReturnStillRunningElsewhereIsLeftAlone() {
        StoreSandbox box;
        writeFleet(2);
        const QByteArray before = fleetBytesAt(2);
        auto pending = PendingReturn::begin(2, before, before, rental(QStringLiteral("Bruno")));
        pending->cardWritten();
        PendingReturn::recoverAll();
        QCOMPARE(PendingReturn::pendingFiles(), QStringList{pending->path()});
        QCOMPARE(history().size(), 0);
        QCOMPARE(pending->complete(rental(QStringLiteral("Bruno"))), 1);
        QVERIFY(PendingReturn::pendingFiles().isEmpty());
    }
};

QTEST_MAIN(TestDurability)
#include "tst_durability.moc"
