// Password scrambling, the normal form, and the INI store as the program reads and writes it.
#include "TestSupport.h"

#include "access/Crypt.h"
#include "access/PasswordStore.h"
#include "store/IniFile.h"
#include "store/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

class TestCrypt : public QObject {
    Q_OBJECT

private slots:
    void knownValues_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        // Worked out by hand from the key walk (7613, then ((c + key) * 28361 + 27509) mod 65536).
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("first-access password") << "ORMEGGIODIPRUA"
                                               << "5225993041506B6797467622514E";
        QTest::newRow("one character") << "A"
                                       << "5C";
    }

    void knownValues() {
        QFETCH(QString, text);
        QFETCH(QString, stored);
        QCOMPARE(Crypt::Scramble(text), stored);
        QCOMPARE(Crypt::Unscramble(stored), text);
        QCOMPARE(Crypt::Unscramble(stored.toLower()), text);
    }

    void everyCharacterRoundTrips() {
        QString all;
        for (int code = 0; code <= 0xFF; ++code)
            all.append(QChar(code));
        // Each character alone, and all of them in one text longer than 255 characters.
        for (const QChar ch : all) {
            const QString stored = Crypt::Scramble(QString(ch));
            QCOMPARE(stored.size(), 2);
            QCOMPARE(Crypt::Unscramble(stored), QString(ch));
        }
        const QString longText = all + all + QStringLiteral("fine");
        const QString stored = Crypt::Scramble(longText);
        QCOMPARE(stored.size(), longText.size() * 2);
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F]*$")).match(stored).hasMatch());
        QCOMPARE(Crypt::Unscramble(stored), longText);
    }

    void oddLengthIgnoresTheLastCharacter() {
        const QString stored = Crypt::Scramble(QStringLiteral("ABC"));
        QCOMPARE(Crypt::Unscramble(stored + QLatin1Char('7')), QStringLiteral("ABC"));
        QCOMPARE(Crypt::Unscramble(QStringLiteral("F")), QString());
    }

    void nonHexPairIsAnError_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("letter") << "52G5";
        QTest::newRow("blank") << "52 5";
        QTest::newRow("sign") << "-1";
    }

    void nonHexPairIsAnError() {
        QFETCH(QString, stored);
        QVERIFY_THROWS_EXCEPTION(Crypt::Error, Crypt::Unscramble(stored));
    }

    void normalForm_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("normal");
        QTest::newRow("ascii letters") << "OrMeggio"
                                       << "ORMEGGIO";
        QTest::newRow("accented letters keep their case") << "perché È"
                                                          << "PERCHé È";
        QTest::newRow("blanks and controls around") << " \t ab\x01"
                                                    << "AB";
        QTest::newRow("inner blanks stay") << "a b"
                                           << "A B";
    }

    void normalForm() {
        QFETCH(QString, typed);
        QFETCH(QString, normal);
        QCOMPARE(Crypt::Normalize(typed), normal);
    }

    void installedStoreHoldsTheFirstAccessPassword() {
        TestSandbox box;
        QVERIFY(QFile::copy(sourcePath(QStringLiteral("resources/unins000.dll")),
                            box.file(QStringLiteral("unins000.dll"))));
        const QString stored = PasswordStore::readStored();
        for (const QString& typed :
             {QStringLiteral("ormeggiodiprua"), QStringLiteral("  OrMeGgIoDiPrUa \t")})
            QCOMPARE(Crypt::Normalize(typed), stored);
        QVERIFY(Crypt::Normalize(QStringLiteral("ormeggio")) != stored);
    }

    void readingAMissingStoreCreatesNothing() {
        TestSandbox box;
        QCOMPARE(PasswordStore::readStored(), QString());
        QVERIFY(!QFile::exists(PasswordStore::path()));
        box.writeBytes(QStringLiteral("unins000.dll"), "[Altro]\r\nValore=41\r\n");
        QCOMPARE(PasswordStore::readStored(), QString());
        box.writeBytes(QStringLiteral("unins000.dll"), "[Accesso]\r\nChiave=41\r\n");
        QCOMPARE(PasswordStore::readStored(), QString());
    }

    void iniReadRules_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("value");
        QTest::newRow("CRLF") << QByteArray("[Accesso]\r\nValore=60\r\n") << "60";
        QTest::newRow("LF") << QByteArray("[Accesso]\nValore=60\n") << "60";
        QTest::newRow("case of names") << QByteArray("[ACCESSO]\r\nvalore=60\r\n") << "60";
        QTest::newRow("blanks around") << QByteArray("[ Accesso ]\r\n  Valore = 60 \r\n") << "60";
        QTest::newRow("other section first")
            << QByteArray("[Altro]\r\nValore=11\r\n[Accesso]\r\nValore=60\r\n") << "60";
        QTest::newRow("no trailing line end") << QByteArray("[Accesso]\r\nValore=60") << "60";
        QTest::newRow("2047 characters seen")
            << QByteArray("[Accesso]\r\nValore=") + QByteArray(3000, 'A') + "\r\n"
            << QString(2047, QLatin1Char('A'));
    }

    void iniReadRules() {
        QFETCH(QByteArray, content);
        QFETCH(QString, value);
        TestSandbox box;
        box.writeBytes(QStringLiteral("store.ini"), content);
        QCOMPARE(IniFile::read(box.file(QStringLiteral("store.ini")), QStringLiteral("Accesso"),
                               QStringLiteral("Valore")),
                 value);
    }

    void storingKeepsTheRestOfTheFile() {
        TestSandbox box;
        box.writeBytes(QStringLiteral("unins000.dll"),
                       "[Prima]\r\nA=1\r\n[accesso]\r\nAltro=x\r\nVALORE=00\r\n[Dopo]\r\nB=2\r\n");
        PasswordStore::store(QStringLiteral("  nuova "));
        QCOMPARE(box.readBytes(QStringLiteral("unins000.dll")),
                 QByteArray("[Prima]\r\nA=1\r\n[accesso]\r\nAltro=x\r\nValore=") +
                     Crypt::Scramble(QStringLiteral("NUOVA")).toLatin1() + "\r\n[Dopo]\r\nB=2\r\n");
        QCOMPARE(PasswordStore::readStored(), QStringLiteral("NUOVA"));
    }

    void storingCreatesFileSectionAndKey() {
        TestSandbox box;
        PasswordStore::store(QStringLiteral("Sole"));
        QCOMPARE(box.readBytes(QStringLiteral("unins000.dll")),
                 QByteArray("[Accesso]\r\nValore=") +
                     Crypt::Scramble(QStringLiteral("SOLE")).toLatin1() + "\r\n");
        box.writeBytes(QStringLiteral("unins000.dll"),
                       "[Accesso]\r\nAltro=1\r\n\r\n[Dopo]\r\nB=2\r\n");
        PasswordStore::store(QStringLiteral("Sole"));
        QCOMPARE(box.readBytes(QStringLiteral("unins000.dll")),
                 QByteArray("[Accesso]\r\nAltro=1\r\nValore=") +
                     Crypt::Scramble(QStringLiteral("SOLE")).toLatin1() +
                     "\r\n\r\n[Dopo]\r\nB=2\r\n");
    }

    void aRefusedWriteRaisesAndKeepsTheOldValue() {
        TestSandbox box;
        // The store's folder does not exist: nothing can be written there.
        ProgramFolder::setOverride(box.file(QStringLiteral("missing/folder")));
        QVERIFY_THROWS_EXCEPTION(IniFile::WriteError, PasswordStore::store(QStringLiteral("x")));
        ProgramFolder::setOverride(box.folder());

        QVERIFY(QFile::copy(sourcePath(QStringLiteral("resources/unins000.dll")),
                            box.file(QStringLiteral("unins000.dll"))));
        const QByteArray before = box.readBytes(QStringLiteral("unins000.dll"));
        QFile::setPermissions(box.file(QStringLiteral("unins000.dll")), QFileDevice::ReadOwner);
        QFile::setPermissions(box.folder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        {
            const PermissionsBind readOnly;
            if (readOnly.bound())
                QVERIFY_THROWS_EXCEPTION(IniFile::WriteError,
                                         PasswordStore::store(QStringLiteral("nuova")));
            else
                qInfo("a read-only folder cannot be staged here: its owner writes it anyway");
        }
        QFile::setPermissions(box.folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner);
        QFile::setPermissions(box.file(QStringLiteral("unins000.dll")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(box.readBytes(QStringLiteral("unins000.dll")), before);
    }

    void whatTheStoreCanHold_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("holds");
        QTest::newRow("ordinary") << "Ombrellone7" << true;
        QTest::newRow("latin-1 accents") << "perché" << true;
        QTest::newRow("euro sign") << "100€" << false;
        QTest::newRow("1023 characters") << QString(1023, QLatin1Char('x')) << true;
        QTest::newRow("1024 characters") << QString(1024, QLatin1Char('x')) << false;
        QTest::newRow("blanks around do not count")
            << "  " + QString(1023, QLatin1Char('x')) + " " << true;
    }

    void whatTheStoreCanHold() {
        QFETCH(QString, password);
        QFETCH(bool, holds);
        QCOMPARE(PasswordStore::canHold(password), holds);
    }
};

QTEST_GUILESS_MAIN(TestCrypt)
#include "tst_crypt.moc"
