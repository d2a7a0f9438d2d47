// What a crash or a power cut leaves behind, staged at each step of a write: the next opening
// or start-up finishes a cut rewrite, and a return's journal puts its rental in the history
// exactly once when its card was rewritten, and not at all otherwise.
#include "store/StoreSupport.h"

#include "store/Durable.h"
#include "store/FleetFile.h"
#include "store/HistoryFile.h"
#include "store/PendingReturn.h"
#include "store/StoreError.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

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

// Stops the write in progress right after the sync of a file whose name ends so, as a crash
// there would.
void crashAfterSyncOf(const QString& ending) {
    Durable::setObserverForTest([=](const QString& path) {
        if (path.endsWith(ending))
            throw FileError(QStringLiteral("crash"));
    });
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
            QVERIFY_THROWS_EXCEPTION(FileError, f.rewriteAt(2, back));
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
            QVERIFY_THROWS_EXCEPTION(FileError, f.rewriteAt(1, back));
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
                f.rewriteBytesAt(2, after);
                f.close();
                if (stop != QStringLiteral("card"))
                    pending->cardWritten();
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
