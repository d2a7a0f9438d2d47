// The two record formats and the record file rules, checked against bytes written down
// independently of the code (tests/fleet/fixtures/make_fixtures.py).
#include "store/StoreSupport.h"

#include "store/FleetFile.h"
#include "store/HistoryFile.h"
#include "store/ShortText.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

QByteArray fixture(const QString& name) {
    QFile f(sourcePath(QStringLiteral("tests/fleet/fixtures/") + name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The card as the screens hand it over: untrimmed, too long, with characters the code page
// cannot hold.
TScheda sampleCard() {
    TScheda c;
    c.Scheda = QStringLiteral("00003");
    c.Codice = QStringLiteral("JS-0042-ABCDEFGHIJKLMNOPQRSTUV"); // 30 characters
    c.Tipo = QStringLiteral("Moto d'acqua");
    c.Utilizzo = QStringLiteral("60 € l'ora");
    c.Stato = QStringLiteral("Ritirato da Mario Rosì in data 05/07/2025 alle ore 14:07");
    c.Duplicati = QStringLiteral("Scafo Ω 3 posti");
    c.Luogo = QStringLiteral("  Pontile B  ");
    c.Responsabile = QStringLiteral("Giubbotto salvagente");
    c.Recapiti = QStringLiteral("Patente nautica");
    c.Persone = QStringLiteral("Carta d'identità");
    c.Note = QStringLiteral("    ");
    c.Smarrita = QStringLiteral("Sì");
    c.GiornoRit = QStringLiteral("05");
    c.MeseRit = QStringLiteral("Luglio");
    c.AnnoRit = QStringLiteral("2025");
    c.DataRit = QStringLiteral("05/07/2025");
    c.OreRit = QStringLiteral("14");
    c.MinutiRit = QStringLiteral("07");
    c.OraRit = QStringLiteral("14:07");
    c.PersonaRit = QStringLiteral("Mario Rosì");
    c.File01 = QStringLiteral("libretto.pdf");
    c.Desc01 = QStringLiteral("Libretto di circolazione");
    return c;
}

TNoleggio sampleRental() {
    TNoleggio r;
    r.Codice = QStringLiteral("CN-07");
    r.Tipo = QStringLiteral("Pedalò a 4 posti con scivolo, tendalino e borsa frigo blu 20");
    r.Utilizzo = QStringLiteral("12 € l'ora");
    r.Luogo = QStringLiteral("Spiaggia nord");
    r.Persone = QStringLiteral("Documento");
    r.PersonaRit = QStringLiteral(" Anna Bianchi ");
    r.DataRit = QStringLiteral("05/07/2025");
    r.OraRit = QStringLiteral("14:07");
    r.PersonaRic = QStringLiteral("Luca Verdi");
    r.DataRic = QStringLiteral("06/07/2025");
    r.OraRic = QStringLiteral("18:30");
    return r;
}

TScheda cardNamed(const QString& code) {
    TScheda c;
    c.Codice = code;
    c.Stato = QStringLiteral("Disponibile");
    c.Smarrita = QStringLiteral("No");
    return c;
}

} // namespace

class TestRecords : public QObject {
    Q_OBJECT

private slots:
    void fleetCardBytes() {
        const QByteArray expected = fixture(QStringLiteral("scheda.bin"));
        QCOMPARE(expected.size(), TScheda::kSize);
        QCOMPARE(sampleCard().toBytes().toHex(' '), expected.toHex(' '));
        // Spot checks of what the fixture stands for.
        QCOMPARE(expected.mid(1886, 3), hexBytes("02 53 EC"));
        QCOMPARE(expected.mid(6, 1), hexBytes("14"));

        const TScheda back = TScheda::fromBytes(expected);
        QCOMPARE(back.Codice, QStringLiteral("JS-0042-ABCDEFGHIJKL"));
        QCOMPARE(back.Luogo, QStringLiteral("Pontile B"));
        QCOMPARE(back.Smarrita, QStringLiteral("Sì"));
        QCOMPARE(back.Duplicati, QStringLiteral("Scafo ? 3 posti"));
        QCOMPARE(back.Note, QString());
        QCOMPARE(back.Utilizzo, QStringLiteral("60 € l'ora"));
    }

    void rentalBytes() {
        const QByteArray expected = fixture(QStringLiteral("noleggio.bin"));
        QCOMPARE(expected.size(), TNoleggio::kSize);
        QCOMPARE(sampleRental().toBytes().toHex(' '), expected.toHex(' '));
        const TNoleggio back = TNoleggio::fromBytes(expected);
        QCOMPARE(back.PersonaRit, QStringLiteral("Anna Bianchi"));
        QCOMPARE(back.Tipo, QStringLiteral("Pedalò a 4 posti con scivolo, tendalino e borsa fr"));
        QCOMPARE(back.OraRic, QStringLiteral("18:30"));
    }

    void fieldTablesTileTheRecords() {
        // Each field starts where the previous one ends, and the last one ends the record.
        auto check = [](auto fields, int size, int count) {
            int at = 0;
            for (const auto& f : fields) {
                QCOMPARE(f.offset, at);
                at += f.capacity + 1;
            }
            QCOMPARE(at, size);
            QCOMPARE(int(fields.size()), count);
        };
        check(TScheda::fields(), TScheda::kSize, 34);
        check(TNoleggio::fields(), TNoleggio::kSize, 11);
    }

    void shortTextStore_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain") << "Kayak" << 10 << hexBytes("05 4B 61 79 61 6B 00 00 00 00 00");
        QTest::newRow("trimmed") << "\t  ab \n" << 3 << hexBytes("02 61 62 00");
        QTest::newRow("only blanks") << "   " << 2 << hexBytes("00 00 00");
        QTest::newRow("cut at capacity") << "abcdef" << 4 << hexBytes("04 61 62 63 64");
        QTest::newRow("cut after trim keeps inner blank")
            << " ab cd" << 3 << hexBytes("03 61 62 20");
        QTest::newRow("Sì") << "Sì" << 2 << hexBytes("02 53 EC");
        QTest::newRow("euro and quotes") << "€“”" << 3 << hexBytes("03 80 93 94");
        QTest::newRow("greek") << "αβ" << 2 << hexBytes("02 3F 3F");
        QTest::newRow("outside BMP") << "a\U0001F30Ab" << 3 << hexBytes("03 61 3F 62");
        QTest::newRow("inner U+001A kept") << "a\x1A"
                                              "b"
                                           << 3 << hexBytes("03 61 1A 62");
        QTest::newRow("undefined slot round trip") << "x\u0081" << 2 << hexBytes("02 78 81");
    }

    void shortTextStore() {
        QFETCH(QString, text);
        QFETCH(int, capacity);
        QFETCH(QByteArray, bytes);
        QByteArray out(capacity + 1, '\xAA');
        ShortText::store(out.data(), capacity, text);
        QCOMPARE(out.toHex(' '), bytes.toHex(' '));
    }

    void shortTextRead_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QString>("text");
        QTest::newRow("ignores bytes after the text") << hexBytes("02 4E 6F 41 42") << 4 << "No";
        QTest::newRow("trims") << hexBytes("04 20 61 09 20") << 4 << "a";
        QTest::newRow("length above capacity") << hexBytes("FF 61 62 63 64 65") << 3 << "abc";
        QTest::newRow("all of 0x80..0x9F decode")
            << hexBytes("04 80 8A 9F 9D") << 4 << QString::fromUtf16(u"€ŠŸ\u009D");
        QTest::newRow("latin-1 range") << hexBytes("03 E0 E8 FF") << 3 << "àèÿ";
    }

    void shortTextRead() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, capacity);
        QFETCH(QString, text);
        QCOMPARE(ShortText::read(bytes.constData(), capacity), text);
    }

    void openingCreatesOnlyAMissingFile() {
        StoreSandbox box;
        FleetFile fleet;
        fleet.openForWriting();
        QCOMPARE(fleet.count(), 0);
        fleet.close();
        QVERIFY(QFileInfo(box.file(QStringLiteral("Vuvedi_Duvav.pro"))).isFile());
        QCOMPARE(QFileInfo(box.file(QStringLiteral("Vuvedi_Duvav.pro"))).size(), 0);

        HistoryFile history;
        history.openForWriting();
        QCOMPARE(history.count(), 0);
        history.close();
        QCOMPARE(QFileInfo(box.file(QStringLiteral("Dizidov_Izevude.pro"))).size(), 0);
    }

    void aFileThatCannotBeOpenedIsNeverReplaced() {
        StoreSandbox box;
        // Something stands at the file's name that cannot be opened as a file.
        QVERIFY(QDir(box.folder()).mkdir(QStringLiteral("Vuvedi_Duvav.pro")));
        FleetFile fleet;
        QVERIFY_THROWS_EXCEPTION(FileError, fleet.openForWriting());
        QVERIFY(QFileInfo(box.file(QStringLiteral("Vuvedi_Duvav.pro"))).isDir());

        // A file without read permission: an error for an ordinary user, and in no case is
        // it recreated or emptied.
        const QByteArray cards = cardNamed(QStringLiteral("A")).toBytes();
        box.writeBytes(QStringLiteral("Dizidov_Izevude.pro"), cards);
        QFile::setPermissions(box.file(QStringLiteral("Dizidov_Izevude.pro")),
                              QFileDevice::Permissions());
        HistoryFile history;
        bool failed = false;
        try {
            history.openForWriting();
            history.close();
        } catch (const FileError&) {
            failed = true;
        }
        if (QFileInfo(box.file(QStringLiteral("Dizidov_Izevude.pro"))).isReadable() == false)
            QVERIFY(failed);
        QFile::setPermissions(box.file(QStringLiteral("Dizidov_Izevude.pro")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(box.readBytes(QStringLiteral("Dizidov_Izevude.pro")), cards);
    }

    void countAndAppendOverAStrayPiece_data() {
        QTest::addColumn<bool>("fleetFile");
        QTest::newRow("fleet, 3 cards + 100 bytes") << true;
        QTest::newRow("history, 4 records + 20 bytes") << false;
    }

    void countAndAppendOverAStrayPiece() {
        QFETCH(bool, fleetFile);
        StoreSandbox box;
        const int size = fleetFile ? TScheda::kSize : TNoleggio::kSize;
        const int whole = fleetFile ? 3 : 4;
        const int stray = fleetFile ? 100 : 20;
        const QString name =
            fleetFile ? QStringLiteral("Vuvedi_Duvav.pro") : QStringLiteral("Dizidov_Izevude.pro");
        // The piece is the start of the next record, as an append cut short leaves it.
        auto recordAt = [&](int position) {
            TScheda c = cardNamed(QStringLiteral("K%1").arg(position));
            c.Scheda = TScheda::numberFor(position);
            TNoleggio r;
            r.Codice = c.Codice;
            return fleetFile ? c.toBytes() : r.toBytes();
        };
        QByteArray before;
        for (int i = 1; i <= whole; ++i)
            before += recordAt(i);
        box.writeBytes(name, before + recordAt(whole + 1).left(stray));

        TScheda card = cardNamed(QStringLiteral("NEW"));
        TNoleggio rental;
        rental.Codice = QStringLiteral("NEW");
        qint64 position = 0;
        if (fleetFile) {
            FleetFile f;
            f.openForWriting();
            QCOMPARE(f.count(), whole);
            position = f.append(card);
            QCOMPARE(f.count(), whole + 1);
            f.close();
        } else {
            HistoryFile f;
            f.openForWriting();
            QCOMPARE(f.count(), whole);
            position = f.append(rental);
            f.close();
        }
        QCOMPARE(position, whole + 1);
        const QByteArray after = box.readBytes(name);
        QCOMPARE(after.size(), (whole + 1) * size);
        QCOMPARE(after.left(whole * size), before); // earlier records untouched
        QCOMPARE(after.mid(whole * size), fleetFile ? card.toBytes() : rental.toBytes());
    }

    void readRewriteAndScan() {
        StoreSandbox box;
        FleetFile f;
        f.openForWriting();
        for (const char* code : {"K1", "K2", "K3"})
            f.append(cardNamed(QString::fromLatin1(code)));
        TScheda changed = cardNamed(QStringLiteral("K2-bis"));
        f.rewriteAt(2, changed);
        QCOMPARE(f.count(), 3);
        QCOMPARE(f.readAt(2), changed);
        QCOMPARE(f.readAt(3).Codice, QStringLiteral("K3"));
        QVERIFY_THROWS_EXCEPTION(FileError, f.readAt(4));
        QVERIFY_THROWS_EXCEPTION(FileError, f.rewriteAt(0, changed));
        QStringList seen;
        f.scan([&](qint64 position, const TScheda& card) {
            seen << QStringLiteral("%1:%2").arg(position).arg(card.Codice);
            return true;
        });
        QCOMPARE(seen, QStringList({"1:K1", "2:K2-bis", "3:K3"}));
        f.close();
    }

    void aFailedWriteLeavesTheFileAsItWas() {
        StoreSandbox box;
        FleetFile f;
        f.openForWriting();
        f.append(cardNamed(QStringLiteral("K1")));
        f.close();
        const QByteArray before = box.readBytes(QStringLiteral("Vuvedi_Duvav.pro"));
        RecordFile::failWritesForTest(true);
        f.openForWriting();
        QVERIFY_THROWS_EXCEPTION(FileError, f.append(cardNamed(QStringLiteral("K2"))));
        QVERIFY_THROWS_EXCEPTION(FileError, f.rewriteAt(1, cardNamed(QStringLiteral("K9"))));
        f.close();
        QCOMPARE(box.readBytes(QStringLiteral("Vuvedi_Duvav.pro")), before);
    }

    void scanCrossesReadBlocks() {
        // More records than one read block holds, so the scan must stitch blocks together.
        StoreSandbox box;
        const int n = 3000; // 3000 x 3581 bytes is over two 4 MiB blocks
        QByteArray all;
        for (int i = 1; i <= n; ++i) {
            TScheda c = cardNamed(QString::number(i));
            c.Scheda = TScheda::numberFor(i);
            all += c.toBytes();
        }
        box.writeBytes(QStringLiteral("Vuvedi_Duvav.pro"), all);
        FleetFile f;
        f.openForWriting();
        qint64 expected = 1;
        bool inOrder = true;
        f.scan([&](qint64 position, const TScheda& card) {
            inOrder = inOrder && position == expected && card.Codice == QString::number(position);
            ++expected;
            return true;
        });
        QVERIFY(inOrder);
        QCOMPARE(expected, n + 1);
    }

    void cardNumbers() {
        QCOMPARE(TScheda::numberFor(1), QStringLiteral("00001"));
        QCOMPARE(TScheda::numberFor(42), QStringLiteral("00042"));
        QCOMPARE(TScheda::numberFor(12345), QStringLiteral("12345"));
        QCOMPARE(TScheda::numberFor(100000), QStringLiteral("00000"));
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
