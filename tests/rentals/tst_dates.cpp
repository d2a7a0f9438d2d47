// Month table, date and time texts, and the date check.
#include "rentals/Dates.h"

#include <QTest>

class TestDates : public QObject {
    Q_OBJECT

private slots:
    void monthTable() {
        const QStringList names = {"Gennaio",   "Febbraio", "Marzo",    "Aprile",
                                   "Maggio",    "Giugno",   "Luglio",   "Agosto",
                                   "Settembre", "Ottobre",  "Novembre", "Dicembre"};
        QCOMPARE(Dates::monthNames(), names);
        for (int m = 1; m <= 12; ++m) {
            const QString number = QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0'));
            QCOMPARE(Dates::monthNumber(names.at(m - 1)), number);
            QCOMPARE(Dates::monthName(m), names.at(m - 1));
        }
        QCOMPARE(Dates::monthNumber(QStringLiteral("luglio")), QString());
        QCOMPARE(Dates::monthName(13), QString());
    }

    void textForms() {
        QCOMPARE(Dates::dateText("05", "07", "2025"), QStringLiteral("05/07/2025"));
        QCOMPARE(Dates::timeText("09", "30"), QStringLiteral("09:30"));
    }

    void dataValida_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("ordinary") << "05/07/2025" << true;
        QTest::newRow("leap year") << "29/02/2024" << true;
        QTest::newRow("common year") << "29/02/2025" << false;
        QTest::newRow("century, not leap") << "29/02/1900" << false;
        QTest::newRow("century divisible by 400") << "29/02/2000" << true;
        QTest::newRow("31 April") << "31/04/2025" << false;
        QTest::newRow("30 April") << "30/04/2025" << true;
        QTest::newRow("31 December") << "31/12/2025" << true;
        QTest::newRow("day 00") << "00/05/2025" << false;
        QTest::newRow("month 13") << "01/13/2025" << false;
        QTest::newRow("month 00") << "01/00/2025" << false;
        QTest::newRow("year 0000") << "01/01/0000" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("one-digit day") << "5/07/2025" << false;
        QTest::newRow("two-digit year") << "05/07/25" << false;
        QTest::newRow("dashes") << "05-07-2025" << false;
        QTest::newRow("blank inside") << "05/07/ 025" << false;
        QTest::newRow("signs") << "+5/07/2025" << false;
        QTest::newRow("month name") << "05/Lu/2025" << false;
        QTest::newRow("trailing blank") << "05/07/2025 " << false;
        QTest::newRow("arabic-indic digits") << QString::fromUtf16(u"٠٥/07/2025") << false;
    }

    void dataValida() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(Dates::DataValida(text), valid);
    }
};

QTEST_GUILESS_MAIN(TestDates)
#include "tst_dates.moc"
