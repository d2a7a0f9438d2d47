// The history period selection: defaults, keys, the checks in their order and the summary.
#include "HistoryFixtures.h"
#include "TestSupport.h"

#include "app/Clock.h"
#include "app/Messages.h"
#include "app/Screens.h"
#include "app/TfrmAvvio.h"
#include "app/Theme.h"
#include "history/TfrmMenuRiepilogo.h"
#include "history/TfrmRiepilogo.h"
#include "output/RecordGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString kValid = QStringLiteral(
    "\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare una data valida.");

TfrmMenuRiepilogo* screen() {
    return frmMenuRiepilogo;
}

// What the summary showed when it opened, read before it is closed again.
struct Opened {
    bool opened = false;
    QString title;
    int rows = -1;
    bool waitingShown = false;
};

// Reads the summary as soon as it is open, then closes it with its exit button.
void readSummaryWhenOpen(Opened& seen) {
    QTimer::singleShot(0, [&seen] {
        auto* summary = qobject_cast<TfrmRiepilogo*>(QApplication::activeModalWidget());
        if (!summary)
            return;
        seen.opened = true;
        seen.title = summary->lblIntervallo->text();
        seen.rows = summary->model()->rowCount();
        seen.waitingShown = screen()->lblAttendere->isVisible();
        QTest::mouseClick(summary->cmdEsci, Qt::LeftButton);
    });
}

// Clicks "VISUALIZZA RIEPILOGO"; the click returns once the summary, if it opened, is closed.
Opened clickRiepilogo() {
    Opened seen;
    readSummaryWhenOpen(seen);
    QTest::mousePress(screen()->btnRiepilogo, Qt::LeftButton);
    QTest::mouseRelease(screen()->btnRiepilogo, Qt::LeftButton);
    return seen;
}

} // namespace

class TestPeriod : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestSandbox> box_;

private slots:
    void initTestCase() { Screens::createAll(); }
    void cleanupTestCase() { Screens::destroyAll(); }

    void init() {
        box_ = std::make_unique<TestSandbox>();
        Clock::setFixed(QDateTime(QDate(2025, 8, 5), QTime(9, 30)));
        screen()->hide();
        screen()->showScreen();
        QApplication::setActiveWindow(screen());
    }
    void cleanup() {
        screen()->hide();
        box_.reset();
    }

    void defaultsAreToday() {
        TfrmMenuRiepilogo* s = screen();
        QCOMPARE(s->windowTitle(), QStringLiteral(" Onderia - Dizidov Izevude"));
        for (QComboBox* day : {s->txtGiornoInizio, s->txtGiornoFine}) {
            QCOMPARE(day->currentText(), QStringLiteral("05"));
            QCOMPARE(day->currentIndex(), -1);
            QCOMPARE(day->count(), 31);
        }
        for (QComboBox* month : {s->txtMeseInizio, s->txtMeseFine}) {
            QCOMPARE(month->currentText(), QStringLiteral("Agosto"));
            QCOMPARE(month->currentIndex(), -1);
            QCOMPARE(month->count(), 12);
        }
        QCOMPARE(s->txtAnno->text(), QStringLiteral("2025"));
        QCOMPARE(s->lblAnnoInizio->text(), QStringLiteral("2025"));
        QCOMPARE(s->lblAnnoFine->text(), QStringLiteral("2025"));
        QCOMPARE(s->focusWidget(), s->txtAnno);
        QVERIFY(s->effAnno->isVisible());
        QVERIFY(!s->lblAttendere->isVisible());
        QVERIFY(!s->lblDataInizio->isVisible());

        // Every showing starts from today again.
        s->txtAnno->setText(QStringLiteral("19"));
        s->txtGiornoFine->setEditText(QString());
        Clock::setFixed(QDateTime(QDate(2026, 1, 9), QTime(8, 0)));
        s->hide();
        s->showScreen();
        QCOMPARE(s->txtAnno->text(), QStringLiteral("2026"));
        QCOMPARE(s->txtGiornoFine->currentText(), QStringLiteral("09"));
        QCOMPARE(s->txtMeseInizio->currentText(), QStringLiteral("Gennaio"));

        // With the defaults untouched, the summary opens for today alone.
        const Opened seen = clickRiepilogo();
        QVERIFY(seen.opened);
        QCOMPARE(seen.title, QStringLiteral("Dizidov izevude dal 09/01/2026 al 09/01/2026"));
        QVERIFY(Msg::Test::shown().isEmpty());
    }

    // Only digits reach the year; the year labels follow it key by key.
    void yearFieldKeys() {
        TfrmMenuRiepilogo* s = screen();
        s->txtAnno->setFocus();
        s->txtAnno->selectAll();
        QTest::keyClick(s->txtAnno, Qt::Key_Backspace);
        QCOMPARE(s->lblAnnoInizio->text(), QString());
        const struct {
            char key;
            const char* year;
        } typed[] = {{'2', "2"},  {'a', "2"},   {'0', "20"},   {'-', "20"},
                     {' ', "20"}, {'2', "202"}, {'4', "2024"}, {'5', "2024"}};
        for (const auto& t : typed) {
            QTest::keyClick(s->txtAnno, t.key);
            QCOMPARE(s->txtAnno->text(), QString::fromLatin1(t.year));
            QCOMPARE(s->lblAnnoInizio->text(), QString::fromLatin1(t.year));
            QCOMPARE(s->lblAnnoFine->text(), QString::fromLatin1(t.year));
        }
        QTest::keyClick(s->txtAnno, Qt::Key_Left);
        QTest::keyClick(s->txtAnno, Qt::Key_Delete);
        QCOMPARE(s->txtAnno->text(), QStringLiteral("202"));
        QCOMPARE(s->lblAnnoFine->text(), QStringLiteral("202"));
        QTest::keyClick(s->txtAnno, Qt::Key_Return);
        QCOMPARE(s->focusWidget(), s->txtGiornoInizio);
    }

    // Drop-downs take no typing; Enter goes round start day, start month, end day, end month,
    // year; leaving a field keeps only a value of its list.
    void dropDownKeysAndLeaving() {
        TfrmMenuRiepilogo* s = screen();
        s->txtGiornoInizio->setFocus();
        QTest::keyClick(s->txtGiornoInizio, '7');
        QTest::keyClick(s->txtGiornoInizio, Qt::Key_Backspace);
        QTest::keyClick(s->txtGiornoInizio, Qt::Key_Delete);
        QCOMPARE(s->txtGiornoInizio->currentText(), QStringLiteral("05"));
        const QList<QWidget*> ring = {s->txtMeseInizio, s->txtGiornoFine, s->txtMeseFine,
                                      s->txtAnno};
        for (QWidget* next : ring) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(s->focusWidget(), next);
        }

        const struct {
            QComboBox* field;
            const char* text;
            const char* kept;
        } leaving[] = {
            {s->txtGiornoInizio, "7", ""},
            {s->txtGiornoInizio, "07", "07"},
            {s->txtGiornoFine, "32", ""},
            {s->txtMeseInizio, "agosto", "agosto"},
            {s->txtMeseInizio, "SETTEMBRE", "SETTEMBRE"},
            {s->txtMeseFine, "Agost", ""},
        };
        for (const auto& l : leaving) {
            l.field->setFocus();
            l.field->setEditText(QString::fromUtf8(l.text));
            s->txtAnno->setFocus();
            QCOMPARE(l.field->currentText(), QString::fromUtf8(l.kept));
        }
    }

    // The checks in their order: the first that fails gives its message and focus, hides the
    // waiting label and opens nothing.
    void checks_data() {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("startDay");
        QTest::addColumn<QString>("startMonth");
        QTest::addColumn<QString>("endDay");
        QTest::addColumn<QString>("endMonth");
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");

        const int warning = int(Msg::Form::Notification);
        const int plain = int(Msg::Form::Plain);
        QTest::newRow("year of 3 digits")
            << "202"
            << ""
            << ""
            << ""
            << "" << warning << "Attenzione: indicare l'anno solare utilizzando quattro cifre."
            << "txtAnno";
        QTest::newRow("year empty")
            << ""
            << "01"
            << "Agosto"
            << "02"
            << "Agosto" << warning
            << "Attenzione: indicare l'anno solare utilizzando quattro cifre."
            << "txtAnno";
        QTest::newRow("start day empty")
            << "2025"
            << " "
            << ""
            << ""
            << "" << warning
            << "Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco "
               "a cascata."
            << "txtGiornoInizio";
        QTest::newRow("start month empty")
            << "2025"
            << "01"
            << ""
            << ""
            << "" << warning
            << "Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a "
               "cascata."
            << "txtMeseInizio";
        QTest::newRow("end day empty")
            << "2025"
            << "01"
            << "Agosto"
            << ""
            << "" << warning
            << "Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a "
               "cascata."
            << "txtGiornoFine";
        QTest::newRow("end month empty")
            << "2025"
            << "01"
            << "Agosto"
            << "02"
            << "" << warning
            << "Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a "
               "cascata."
            << "txtMeseFine";
        QTest::newRow("29 February of a common year, start")
            << "2025"
            << "29"
            << "Febbraio"
            << "02"
            << "Marzo" << plain
            << "Attenzione: la data 29/02/2025 di inizio intervallo non esiste." + kValid
            << "txtGiornoInizio";
        QTest::newRow("29 February of a common year, end")
            << "2025"
            << "01"
            << "Febbraio"
            << "29"
            << "Febbraio" << plain
            << "Attenzione: la data 29/02/2025 di fine intervallo non esiste." + kValid
            << "txtGiornoFine";
        QTest::newRow("31 April")
            << "2025"
            << "31"
            << "Aprile"
            << "02"
            << "Maggio" << plain
            << "Attenzione: la data 31/04/2025 di inizio intervallo non esiste." + kValid
            << "txtGiornoInizio";
        QTest::newRow("end before start")
            << "2025"
            << "10"
            << "Agosto"
            << "09"
            << "Agosto" << plain
            << "Attenzione: la data di fine intervallo (09/08/2025) non può essere anteriore a "
               "quella di inizio intervallo (10/08/2025).\n\r\n\rPer poter visualizzare il "
               "riepilogo è necessario indicare un intervallo di tempo valido."
            << "txtMeseFine"; // where it was
    }
    void checks() {
        QFETCH(QString, year);
        QFETCH(QString, startDay);
        QFETCH(QString, startMonth);
        QFETCH(QString, endDay);
        QFETCH(QString, endMonth);
        QFETCH(int, form);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        TfrmMenuRiepilogo* s = screen();
        s->txtAnno->setText(year);
        s->txtAnno->setFocus();
        s->txtGiornoInizio->setEditText(startDay);
        s->txtMeseInizio->setEditText(startMonth);
        s->txtGiornoFine->setEditText(endDay);
        s->txtMeseFine->setEditText(endMonth);
        s->txtMeseFine->setFocus();
        s->txtAnno->setFocus(); // leaving the year sets the year labels
        s->txtMeseFine->setFocus();

        QTest::mousePress(s->btnRiepilogo, Qt::LeftButton);
        QVERIFY(s->lblAttendere->isVisible());
        QTest::mouseRelease(s->btnRiepilogo, Qt::LeftButton);
        QCOMPARE(Msg::Test::shown().size(), 1);
        QCOMPARE(int(Msg::Test::last().form), form);
        QCOMPARE(Msg::Test::last().icon,
                 form == int(Msg::Form::Plain) ? Msg::Icon::None : Msg::Icon::Warning);
        QCOMPARE(Msg::Test::last().text, message);
        QCOMPARE(s->focusWidget()->objectName(), focus);
        QVERIFY(!s->lblAttendere->isVisible());
        QVERIFY(!QApplication::activeModalWidget());
        // The fields stay as they were.
        QCOMPARE(s->txtAnno->text(), year);
        QCOMPARE(s->txtMeseFine->currentText(), endMonth);
    }

    // Accepted periods open the summary with the composed dates; the waiting label stays up
    // until it closes.
    void acceptedPeriods_data() {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("startDay");
        QTest::addColumn<QString>("startMonth");
        QTest::addColumn<QString>("endDay");
        QTest::addColumn<QString>("endMonth");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("rows");
        QTest::newRow("29 February of a leap year")
            << "2024"
            << "29"
            << "Febbraio"
            << "29"
            << "Febbraio"
            << "Dizidov izevude dal 29/02/2024 al 29/02/2024" << 1;
        QTest::newRow("month names in any case")
            << "2025"
            << "01"
            << "agosto"
            << "31"
            << "AGOSTO"
            << "Dizidov izevude dal 01/08/2025 al 31/08/2025" << 2;
        QTest::newRow("one day") << "2025"
                                 << "02"
                                 << "Agosto"
                                 << "02"
                                 << "Agosto"
                                 << "Dizidov izevude dal 02/08/2025 al 02/08/2025" << 1;
    }
    void acceptedPeriods() {
        QFETCH(QString, year);
        QFETCH(QString, startDay);
        QFETCH(QString, startMonth);
        QFETCH(QString, endDay);
        QFETCH(QString, endMonth);
        QFETCH(QString, title);
        QFETCH(int, rows);
        HistoryFixtures::write({
            HistoryFixtures::rental("PD-11", "Pedalò", "29/02/2024"),
            HistoryFixtures::rental("CA-07", "Canoa", "02/08/2025"),
            HistoryFixtures::rental("KY-03", "Kayak", "31/08/2025"),
        });
        TfrmMenuRiepilogo* s = screen();
        s->txtAnno->setFocus();
        s->txtAnno->setText(year);
        s->txtGiornoInizio->setEditText(startDay);
        s->txtMeseInizio->setEditText(startMonth);
        s->txtGiornoFine->setEditText(endDay);
        s->txtMeseFine->setEditText(endMonth);
        s->txtGiornoInizio->setFocus(); // leaving the year sets the year labels

        const Opened seen = clickRiepilogo();
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(seen.opened);
        QCOMPARE(seen.title, title);
        QCOMPARE(seen.rows, rows);
        QVERIFY(seen.waitingShown);
        QVERIFY(!s->lblAttendere->isVisible());
        QVERIFY(Msg::Test::shown().isEmpty());
    }

    void yearChangeMovesBothDates() {
        TfrmMenuRiepilogo* s = screen();
        s->txtGiornoInizio->setEditText(QStringLiteral("29"));
        s->txtMeseInizio->setEditText(QStringLiteral("Febbraio"));
        s->txtGiornoFine->setEditText(QStringLiteral("01"));
        s->txtMeseFine->setEditText(QStringLiteral("Marzo"));
        s->txtAnno->setFocus();
        s->txtAnno->selectAll();
        QTest::keyClicks(s->txtAnno, QStringLiteral("2028"));
        const Opened seen = clickRiepilogo();
        QVERIFY(seen.opened);
        QCOMPARE(seen.title, QStringLiteral("Dizidov izevude dal 29/02/2028 al 01/03/2028"));
        QCOMPARE(s->lblDataInizio->text(), QStringLiteral("29/02/2028"));
        QCOMPARE(s->lblDataFine->text(), QStringLiteral("01/03/2028"));
    }

    void everyYearChangeReachesTheLabels() {
        // A year pasted or undone from the field's context menu, or dropped on it, takes no key
        // and no leaving: the labels and the summary follow all the same.
        TfrmMenuRiepilogo* s = screen();
        s->txtAnno->setFocus();
        s->txtAnno->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("2031"));
        s->txtAnno->paste();
        QCOMPARE(s->lblAnnoInizio->text(), QStringLiteral("2031"));
        QCOMPARE(s->lblAnnoFine->text(), QStringLiteral("2031"));
        s->txtAnno->undo();
        QCOMPARE(s->txtAnno->text(), QStringLiteral("2025"));
        QCOMPARE(s->lblAnnoFine->text(), QStringLiteral("2025"));
        s->txtAnno->selectAll();
        s->txtAnno->insert(QStringLiteral("2029")); // what a drop does
        const Opened seen = clickRiepilogo();
        QVERIFY(seen.opened);
        QCOMPARE(seen.title, QStringLiteral("Dizidov izevude dal 05/08/2029 al 05/08/2029"));
    }

    void tabLeavesEveryField() {
        // Keys are swallowed in the period fields, but Tab and Shift+Tab still move on.
        TfrmMenuRiepilogo* s = screen();
        const QList<QWidget*> order = {s->txtAnno,       s->txtGiornoInizio, s->txtMeseInizio,
                                       s->txtGiornoFine, s->txtMeseFine,     s->btnRiepilogo};
        s->txtAnno->setFocus();
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), order[i]);
        }
        for (int i = order.size() - 2; i >= 0; --i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QCOMPARE(QApplication::focusWidget(), order[i]);
        }
    }

    void linkColours() {
        TfrmMenuRiepilogo* s = screen();
        const QString darkBlue = Theme::kLink.name();
        QCOMPARE(darkBlue, QStringLiteral("#00008b"));
        QCOMPARE(s->lnkWeb->property("linkColour").toString(), darkBlue);
        QCOMPARE(s->lnkWeb->text(), QStringLiteral("Fare clic qui per visualizzare l'elenco dei "
                                                   "mezzi non ancora riconsegnati"));
        for (QPushButton* control : {s->lnkWeb, s->cmdWeb}) {
            // Pressed and let go away from the control, so nothing opens.
            QTest::mousePress(control, Qt::LeftButton);
            QCOMPARE(s->lnkWeb->property("linkColour").toString(), QStringLiteral("#ffa500"));
            QMouseEvent away(QEvent::MouseButtonRelease, QPointF(-50, -50),
                             control->mapToGlobal(QPointF(-50, -50)), Qt::LeftButton, Qt::NoButton,
                             Qt::NoModifier);
            QApplication::sendEvent(control, &away);
            QCOMPARE(s->lnkWeb->property("linkColour").toString(), darkBlue);
        }
    }

    // The link and the clock picture both open the list of craft not yet returned.
    void linkOpensTheListOfCraftOut() {
        TfrmMenuRiepilogo* s = screen();
        for (QPushButton* control : {s->lnkWeb, s->cmdWeb}) {
            QString opened;
            QString colourMeanwhile;
            QTimer::singleShot(0, [&] {
                QWidget* list = QApplication::activeModalWidget();
                if (!list)
                    return;
                opened = QString::fromLatin1(list->metaObject()->className());
                colourMeanwhile = s->lnkWeb->property("linkColour").toString();
                qobject_cast<QDialog*>(list)->reject();
            });
            QTest::mouseClick(control, Qt::LeftButton);
            QTRY_VERIFY(!QApplication::activeModalWidget());
            QCOMPARE(opened, QStringLiteral("TfrmRiepDaRiconsegnare"));
            QCOMPARE(colourMeanwhile, QStringLiteral("#00008b"));
        }
    }

    void closingShowsTheStartMenu() {
        TfrmMenuRiepilogo* s = screen();
        frmAvvio->hide();
        QTest::mouseClick(s->btnChiudi, Qt::LeftButton);
        QVERIFY(frmAvvio->isVisible());
        QVERIFY(!s->isVisible());
        frmAvvio->hide();
    }
};

QTEST_MAIN(TestPeriod)
#include "tst_period.moc"
