// Pick-ups and returns driven through the real screens, checked in the fleet and history files.
#include "FleetFixtures.h"
#include "TestSupport.h"

#include "app/Clock.h"
#include "app/Errors.h"
#include "app/Messages.h"
#include "app/Screens.h"
#include "app/TfrmAvvio.h"
#include "rentals/TfrmMenuOperazioni.h"
#include "rentals/TfrmRiconsegne.h"
#include "rentals/TfrmRiepilogo_Operazione.h"
#include "rentals/TfrmRitiri.h"
#include "store/FileLock.h"
#include "store/FleetFile.h"
#include "store/HistoryFile.h"
#include "store/PendingReturn.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

namespace {

TScheda craft(const QString& code) {
    TScheda c;
    c.Codice = code;
    c.Tipo = QStringLiteral("Pedalò");
    c.Utilizzo = QStringLiteral("15 € l'ora");
    c.Stato = QStringLiteral("Disponibile");
    c.Duplicati = QStringLiteral("4 posti, scivolo");
    c.Luogo = QStringLiteral("Riva est");
    c.Responsabile = QStringLiteral("Salvagenti");
    c.Recapiti = QStringLiteral("Nessuno");
    c.Persone = QStringLiteral("Documento d'identità");
    c.Note = QStringLiteral("Revisione a giugno");
    c.Smarrita = QStringLiteral("No");
    c.File01 = QStringLiteral("foto.jpg");
    c.Desc01 = QStringLiteral("Foto del mezzo");
    return c;
}

TScheda cardAt(qint64 position) {
    FleetFile f;
    f.openForWriting();
    return f.readAt(position);
}

QList<TNoleggio> history() {
    QList<TNoleggio> all;
    HistoryFile h;
    h.openForWriting();
    h.scan([&](qint64, const TNoleggio& r) {
        all << r;
        return true;
    });
    return all;
}

template <typename T> T* control(QWidget* screen, const char* name) {
    T* w = screen->findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

QComboBox* combo(QWidget* s, const char* name) {
    return control<QComboBox>(s, name);
}
QLineEdit* edit(QWidget* s, const char* name) {
    return control<QLineEdit>(s, name);
}
QLabel* label(QWidget* s, const char* name) {
    return control<QLabel>(s, name);
}

void set(QComboBox* c, const QString& text) {
    c->setCurrentIndex(-1);
    c->setEditText(text);
}

// Presses OK on the confirmation once it is up, after an optional change of the return date.
void confirmWhenShown(const QString& newReturnDate = QString()) {
    QTimer::singleShot(0, [newReturnDate] {
        auto* dialog = qobject_cast<TfrmRiepilogo_Operazione*>(QApplication::activeModalWidget());
        if (!dialog) {
            confirmWhenShown(newReturnDate);
            return;
        }
        if (!newReturnDate.isNull())
            edit(dialog, "txtDataRic")->setText(newReturnDate);
        control<QPushButton>(dialog, "btnOK")->click();
    });
}

const QString kAccessError = kArchiveAccessError;

} // namespace

class TestRentals : public QObject {
    Q_OBJECT

    TestSandbox* box = nullptr;

private slots:
    void init() {
        box = new TestSandbox;
        Screens::createAll();
    }

    void cleanup() {
        Screens::destroyAll();
        delete box;
    }

    void pickUpThenReturnWriteCardAndHistory() {
        writeFleet({craft("P-1"), craft("P-2"), craft("P-3")});
        // An earlier completed rental that the pick-up must clear from the card.
        TScheda earlier = cardAt(2);
        earlier.PersonaRic = QStringLiteral("Vecchio Cliente");
        earlier.GiornoRic = QStringLiteral("01");
        earlier.MeseRic = QStringLiteral("Giugno");
        earlier.AnnoRic = QStringLiteral("2025");
        earlier.DataRic = QStringLiteral("01/06/2025");
        earlier.OreRic = QStringLiteral("10");
        earlier.MinutiRic = QStringLiteral("00");
        earlier.OraRic = QStringLiteral("10:00");
        {
            FleetFile f;
            f.openForWriting();
            f.rewriteAt(2, earlier);
        }
        const QByteArray otherCards = box->readBytes(QStringLiteral("Vuvedi_Duvav.pro"));

        Clock::setFixed(QDateTime(QDate(2025, 7, 5), QTime(14, 7)));
        frmRitiri->showScreen();
        frmRitiri->putCard(cardAt(2), 2);
        QCOMPARE(combo(frmRitiri, "txtGiornoRit")->currentText(), QStringLiteral("05"));
        QCOMPARE(combo(frmRitiri, "txtMeseRit")->currentText(), QStringLiteral("Luglio"));
        QCOMPARE(combo(frmRitiri, "txtOreRit")->currentText(), QStringLiteral("14"));
        QCOMPARE(combo(frmRitiri, "txtMinutiRit")->currentText(), QStringLiteral("07"));
        QCOMPARE(label(frmRitiri, "lblAnnoRit")->text(), QStringLiteral("2025"));
        QVERIFY(!control<QWidget>(frmRitiri, "panAvvio")->isVisible());
        edit(frmRitiri, "txtPersonaRit")->setText(QStringLiteral("  Anna Bianchi "));
        control<QPushButton>(frmRitiri, "btnApplica")->click();

        QCOMPARE(Msg::Test::last().text,
                 QStringLiteral("Il ritiro del mezzo è stato registrato con successo."));
        QCOMPARE(Msg::Test::last().icon, Msg::Icon::Information);
        QVERIFY(!frmRitiri->isVisible());
        QVERIFY(frmAvvio->isVisible());
        TScheda out = cardAt(2);
        QCOMPARE(out.Stato,
                 QStringLiteral("Ritirato da Anna Bianchi in data 05/07/2025 alle ore 14:07"));
        QCOMPARE(out.PersonaRit, QStringLiteral("Anna Bianchi"));
        QCOMPARE(QStringList({out.GiornoRit, out.MeseRit, out.AnnoRit, out.DataRit, out.OreRit,
                              out.MinutiRit, out.OraRit}),
                 QStringList({"05", "Luglio", "2025", "05/07/2025", "14", "07", "14:07"}));
        for (const QString& cleared : {out.PersonaRic, out.GiornoRic, out.MeseRic, out.AnnoRic,
                                       out.DataRic, out.OreRic, out.MinutiRic, out.OraRic})
            QCOMPARE(cleared, QString());
        QCOMPARE(out.Scheda, QStringLiteral("00002"));
        QCOMPARE(out.Note, earlier.Note);
        QCOMPARE(out.File01, earlier.File01);
        QCOMPARE(out.Smarrita, QStringLiteral("No"));
        // Only card 2 changed.
        const QByteArray after = box->readBytes(QStringLiteral("Vuvedi_Duvav.pro"));
        QCOMPARE(after.left(TScheda::kSize), otherCards.left(TScheda::kSize));
        QCOMPARE(after.mid(2 * TScheda::kSize), otherCards.mid(2 * TScheda::kSize));

        // The return, on the same day at 18:30, by another customer.
        TNoleggio older;
        older.Codice = QStringLiteral("OLD");
        {
            HistoryFile h;
            h.openForWriting();
            h.append(older);
            h.append(older);
        }
        const QByteArray historyBefore = box->readBytes(QStringLiteral("Dizidov_Izevude.pro"));
        Clock::setFixed(QDateTime(QDate(2025, 7, 5), QTime(18, 30)));
        frmRiconsegne->showScreen();
        frmRiconsegne->putCard(out, 2);
        QCOMPARE(edit(frmRiconsegne, "txtPersonaRit")->text(), QStringLiteral("Anna Bianchi"));
        QCOMPARE(edit(frmRiconsegne, "txtPersonaRic")->text(), QString());
        QCOMPARE(combo(frmRiconsegne, "txtOreRic")->currentText(), QStringLiteral("18"));
        edit(frmRiconsegne, "txtPersonaRic")->setText(QStringLiteral("Luca Verdi"));
        confirmWhenShown();
        control<QPushButton>(frmRiconsegne, "btnApplica")->click();

        QCOMPARE(Msg::Test::last().text,
                 QStringLiteral("La riconsegna del mezzo è stata registrata con successo."));
        QVERIFY(frmAvvio->isVisible());
        QVERIFY(!frmRiconsegne->isVisible());
        const TScheda back = cardAt(2);
        QCOMPARE(back.Stato, QStringLiteral("Disponibile"));
        QCOMPARE(back.PersonaRit, QStringLiteral("Anna Bianchi"));
        QCOMPARE(back.DataRit, QStringLiteral("05/07/2025"));
        QCOMPARE(back.OraRit, QStringLiteral("14:07"));
        QCOMPARE(back.PersonaRic, QStringLiteral("Luca Verdi"));
        QCOMPARE(QStringList({back.GiornoRic, back.MeseRic, back.AnnoRic, back.DataRic, back.OreRic,
                              back.MinutiRic, back.OraRic}),
                 QStringList({"05", "Luglio", "2025", "05/07/2025", "18", "30", "18:30"}));

        const QByteArray historyAfter = box->readBytes(QStringLiteral("Dizidov_Izevude.pro"));
        QCOMPARE(historyAfter.size(), 3 * TNoleggio::kSize);
        QCOMPARE(historyAfter.left(2 * TNoleggio::kSize), historyBefore);
        const TNoleggio entry = history().last();
        QCOMPARE(QStringList({entry.Codice, entry.Tipo, entry.Utilizzo, entry.Luogo, entry.Persone,
                              entry.PersonaRit, entry.DataRit, entry.OraRit, entry.PersonaRic,
                              entry.DataRic, entry.OraRic}),
                 QStringList({"P-2", "Pedalò", "15 € l'ora", "Riva est", "Documento d'identità",
                              "Anna Bianchi", "05/07/2025", "14:07", "Luca Verdi", "05/07/2025",
                              "18:30"}));
    }

    void dateAndTimeChecksInOrder_data() {
        QTest::addColumn<bool>("pickUp");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString head =
            QStringLiteral("Attenzione: per salvare la scheda è necessario indicare ");
        const QString monthMsg = QStringLiteral(
            "Attenzione: selezionare il mese dal menu a cascata.\n\r\n\rPer poter salvare la "
            "scheda è necessario indicare una data valida.");
        auto noDate = [](const QString& date) {
            return QStringLiteral("Attenzione: la data ") + date +
                   QStringLiteral(" non esiste.\n\r\n\rPer poter salvare la scheda è necessario "
                                  "indicare una data valida.");
        };
        for (bool pickUp : {true, false}) {
            const QString s = pickUp ? "Rit" : "Ric";
            const QString op = pickUp ? "del ritiro" : "della riconsegna";
            auto row = [&](const char* name) -> QTestData& {
                return QTest::addRow("%s %s", pickUp ? "pick-up" : "return", name) << pickUp;
            };
            row("empty day") << "  "
                             << ""
                             << ""
                             << ""
                             << "2025" << head + "il giorno " + op + " del mezzo."
                             << "txtGiorno" + s;
            row("one-digit day") << "7"
                                 << "Luglio"
                                 << "10"
                                 << "00"
                                 << "2025"
                                 << head + "il giorno " + op + " del mezzo usando due cifre."
                                 << "txtGiorno" + s;
            row("empty month") << "07"
                               << ""
                               << ""
                               << ""
                               << "2025" << head + "il mese " + op + " del mezzo."
                               << "txtMese" + s;
            row("empty hour") << "07"
                              << "Luglio"
                              << ""
                              << ""
                              << "2025" << head + "l'ora " + op + " del mezzo."
                              << "txtOre" + s;
            row("empty minutes") << "07"
                                 << "Luglio"
                                 << "9"
                                 << " "
                                 << "2025" << head + "i minuti dell'ora " + op + " del mezzo."
                                 << "txtMinuti" + s;
            row("one-digit hour") << "07"
                                  << "Luglio"
                                  << "9"
                                  << "5"
                                  << "2025" << head + "l'ora " + op + " del mezzo usando due cifre."
                                  << "txtOre" + s;
            row("one-digit minutes")
                << "07"
                << "Luglio"
                << "09"
                << "5"
                << "2025" << head + "i minuti dell'ora " + op + " del mezzo usando due cifre."
                << "txtMinuti" + s;
            row("no such month") << "07"
                                 << "Luglo"
                                 << "09"
                                 << "05"
                                 << "2025" << monthMsg << "txtMese" + s;
            row("31 April") << "31"
                            << "Aprile"
                            << "09"
                            << "05"
                            << "2025" << noDate("31/04/2025") << "txtGiorno" + s;
            row("29 February, common year") << "29"
                                            << "Febbraio"
                                            << "09"
                                            << "05"
                                            << "2025" << noDate("29/02/2025") << "txtGiorno" + s;
            row("29 February, leap year, then no customer")
                << "29"
                << "febbraio"
                << "09"
                << "05"
                << "2024"
                << head + (pickUp ? "il cliente che ritira il mezzo."
                                  : "il cliente che riconsegna il mezzo.")
                << "txtPersona" + s;
        }
    }

    void dateAndTimeChecksInOrder() {
        QFETCH(bool, pickUp);
        QFETCH(QString, day);
        QFETCH(QString, month);
        QFETCH(QString, hour);
        QFETCH(QString, minutes);
        QFETCH(QString, year);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        writeFleet({craft("P-1")});
        const QByteArray before = box->readBytes(QStringLiteral("Vuvedi_Duvav.pro"));
        TfrmOperazione* screen = pickUp ? static_cast<TfrmOperazione*>(frmRitiri)
                                        : static_cast<TfrmOperazione*>(frmRiconsegne);
        const QString s = pickUp ? "Rit" : "Ric";
        screen->showScreen();
        screen->putCard(cardAt(1), 1);
        set(combo(screen, qPrintable("txtGiorno" + s)), day);
        set(combo(screen, qPrintable("txtMese" + s)), month);
        set(combo(screen, qPrintable("txtOre" + s)), hour);
        set(combo(screen, qPrintable("txtMinuti" + s)), minutes);
        label(screen, qPrintable("lblAnno" + s))->setText(year);
        edit(screen, qPrintable("txtPersona" + s))->clear();
        Msg::Test::clear();
        control<QPushButton>(screen, "btnApplica")->click();
        QCOMPARE(Msg::Test::shown().size(), 1);
        QCOMPARE(Msg::Test::last().text, message);
        const bool plain = message.contains(QStringLiteral(" non esiste."));
        QCOMPARE(Msg::Test::last().form, plain ? Msg::Form::Plain : Msg::Form::Notification);
        if (!plain)
            QCOMPARE(Msg::Test::last().icon, Msg::Icon::Warning);
        QWidget* focused = screen->focusWidget();
        QVERIFY(focused);
        QWidget* expected = screen->findChild<QWidget*>(focus);
        QVERIFY(focused == expected || expected->isAncestorOf(focused));
        QVERIFY(screen->isVisible());
        QCOMPARE(box->readBytes(QStringLiteral("Vuvedi_Duvav.pro")), before);
    }

    void dropDownKeys() {
        writeFleet({craft("P-1")});
        Clock::setFixed(QDateTime(QDate(2025, 7, 5), QTime(14, 7)));
        frmRitiri->showScreen();
        QVERIFY(QTest::qWaitForWindowActive(frmRitiri));
        frmRitiri->putCard(cardAt(1), 1);
        QComboBox* day = combo(frmRitiri, "txtGiornoRit");
        day->setFocus();
        QTRY_VERIFY(day->hasFocus());
        QTest::keyClicks(day, "1a");
        QCOMPARE(day->currentText(), QStringLiteral("05")); // typing changes nothing
        QTest::keyClick(day, Qt::Key_Down);
        QCOMPARE(day->currentText(), QStringLiteral("05"));
        QTest::keyClick(day, Qt::Key_Backspace);
        QCOMPARE(day->currentText(), QString());
        set(day, QStringLiteral("12"));
        QTest::keyClick(day, Qt::Key_Delete);
        QCOMPARE(day->currentText(), QString());

        // Enter walks the ring: day, month, hour, minutes, customer, day.
        const QList<QWidget*> ring = {day,
                                      combo(frmRitiri, "txtMeseRit"),
                                      combo(frmRitiri, "txtOreRit"),
                                      combo(frmRitiri, "txtMinutiRit"),
                                      edit(frmRitiri, "txtPersonaRit"),
                                      day};
        for (int i = 0; i + 1 < ring.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTRY_VERIFY(ring[i + 1]->hasFocus() ||
                        ring[i + 1]->isAncestorOf(QApplication::focusWidget()));
        }

        // Every other key is swallowed, but Tab and Shift+Tab still leave a drop-down.
        for (int i = 0; i < 4; ++i) {
            auto* box = static_cast<QComboBox*>(ring[i]);
            box->setFocus();
            QTRY_VERIFY(box->hasFocus());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(!box->hasFocus());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QVERIFY(box->hasFocus());
        }
    }

    void leavingADropDownKeepsOnlyExactItems_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("after");
        QTest::newRow("one digit") << "txtGiornoRit"
                                   << "7"
                                   << "";
        QTest::newRow("blank after") << "txtGiornoRit"
                                     << "1 "
                                     << "";
        QTest::newRow("exact item with blanks stays as it is") << "txtGiornoRit"
                                                               << " 07 "
                                                               << " 07 ";
        QTest::newRow("lower-case month") << "txtMeseRit"
                                          << "luglio"
                                          << "";
        QTest::newRow("month") << "txtMeseRit"
                               << "Luglio"
                               << "Luglio";
        QTest::newRow("minutes 60") << "txtMinutiRit"
                                    << "60"
                                    << "";
    }

    void leavingADropDownKeepsOnlyExactItems() {
        QFETCH(QString, control);
        QFETCH(QString, pasted);
        QFETCH(QString, after);
        writeFleet({craft("P-1")});
        frmRitiri->showScreen();
        QVERIFY(QTest::qWaitForWindowActive(frmRitiri));
        frmRitiri->putCard(cardAt(1), 1);
        QComboBox* c = combo(frmRitiri, qPrintable(control));
        c->setFocus();
        QTRY_VERIFY(c->hasFocus());
        c->setEditText(pasted);
        edit(frmRitiri, "txtPersonaRit")->setFocus();
        QTRY_VERIFY(edit(frmRitiri, "txtPersonaRit")->hasFocus());
        QCOMPARE(c->currentText(), after);
    }

    void customerFieldTakesFiftyCharacters() {
        QCOMPARE(edit(frmRitiri, "txtPersonaRit")->maxLength(), 50);
        QCOMPARE(edit(frmRiconsegne, "txtPersonaRic")->maxLength(), 50);
    }

    void aChangedReturnDateIsStoredAsTyped() {
        TScheda out = craft("P-1");
        out.Stato = QStringLiteral("Ritirato da A in data 05/07/2025 alle ore 14:07");
        writeFleet({out});
        Clock::setFixed(QDateTime(QDate(2025, 7, 6), QTime(9, 0)));
        frmRiconsegne->showScreen();
        frmRiconsegne->putCard(cardAt(1), 1);
        edit(frmRiconsegne, "txtPersonaRic")->setText(QStringLiteral("B"));
        confirmWhenShown(QStringLiteral("ieri sera, tardi"));
        control<QPushButton>(frmRiconsegne, "btnApplica")->click();
        QCOMPARE(history().size(), 1);
        QCOMPARE(history().first().DataRic, QStringLiteral("ieri sera,"));
        QCOMPARE(cardAt(1).DataRic, QStringLiteral("06/07/2025")); // the card keeps its date
    }

    void aFleetFileThatCannotBeWrittenChangesNothing_data() {
        QTest::addColumn<bool>("pickUp");
        QTest::newRow("pick-up") << true;
        QTest::newRow("return") << false;
    }

    void aFleetFileThatCannotBeWrittenChangesNothing() {
        QFETCH(bool, pickUp);
        writeFleet({craft("P-1")});
        const QByteArray before = box->readBytes(QStringLiteral("Vuvedi_Duvav.pro"));
        TfrmOperazione* screen = pickUp ? static_cast<TfrmOperazione*>(frmRitiri)
                                        : static_cast<TfrmOperazione*>(frmRiconsegne);
        screen->showScreen();
        screen->putCard(cardAt(1), 1);
        edit(screen, pickUp ? "txtPersonaRit" : "txtPersonaRic")->setText(QStringLiteral("C"));
        RecordFile::failWritesForTest(true);
        control<QPushButton>(screen, "btnApplica")->click();
        QCOMPARE(Msg::Test::shown().size(), 1);
        QCOMPARE(Msg::Test::last().text, kAccessError);
        QCOMPARE(Msg::Test::last().icon, Msg::Icon::Error);
        QVERIFY(screen->isVisible());
        QCOMPARE(box->readBytes(QStringLiteral("Vuvedi_Duvav.pro")), before);
        QCOMPARE(history().size(), 0);
    }

    void aHistoryThatCannotBeWrittenIsReported() {
        TScheda out = craft("P-1");
        out.Stato = QStringLiteral("Ritirato da A in data 05/07/2025 alle ore 14:07");
        writeFleet({out});
        // A folder stands where the history file should be.
        QVERIFY(QDir(box->folder()).mkdir(QStringLiteral("Dizidov_Izevude.pro")));
        frmRiconsegne->showScreen();
        frmRiconsegne->putCard(cardAt(1), 1);
        edit(frmRiconsegne, "txtPersonaRic")->setText(QStringLiteral("B"));
        confirmWhenShown();
        control<QPushButton>(frmRiconsegne, "btnApplica")->click();
        // One failure, one message: the return screen's.
        QCOMPARE(Msg::Test::shown().size(), 1);
        QCOMPARE(Msg::Test::last().icon, Msg::Icon::Warning);
        QCOMPARE(Msg::Test::last().text, kRentalLater);
        QCOMPARE(cardAt(1).Stato, QStringLiteral("Disponibile"));
        QVERIFY(frmAvvio->isVisible());

        // The rental is not lost: the next start-up, with the history writable again, puts it
        // there once.
        QVERIFY(QDir(box->folder()).rmdir(QStringLiteral("Dizidov_Izevude.pro")));
        PendingReturn::recoverAll();
        PendingReturn::recoverAll();
        QCOMPARE(history().size(), 1);
        QCOMPARE(history().at(0).PersonaRic, QStringLiteral("B"));
        QVERIFY(PendingReturn::pendingFiles().isEmpty());
    }

    // Another desk's history summary holds the history at the confirmation's OK: the desk is
    // told the archive is busy, and OK pressed again records the rental with the date edited.
    void aBusyHistoryAtTheConfirmationCanBeConfirmedAgain() {
        TScheda out = craft("P-1");
        out.Stato = QStringLiteral("Ritirato da A in data 05/07/2025 alle ore 14:07");
        out.PersonaRit = QStringLiteral("A");
        writeFleet({out});
        FileLock::setWaitForTest(100);
        auto held = std::make_unique<QFile>(HistoryFile::path());
        QVERIFY(held->open(QIODevice::ReadWrite));
        FileLock::acquire(*held, FileLock::Mode::Exclusive);
        frmRiconsegne->showScreen();
        frmRiconsegne->putCard(cardAt(1), 1);
        edit(frmRiconsegne, "txtPersonaRic")->setText(QStringLiteral("B"));
        bool keptOpen = false;
        QString said;
        std::function<void()> confirm = [&] {
            auto* dialog =
                qobject_cast<TfrmRiepilogo_Operazione*>(QApplication::activeModalWidget());
            if (!dialog) {
                QTimer::singleShot(0, confirm);
                return;
            }
            edit(dialog, "txtDataRic")->setText(QStringLiteral("06/07/2025"));
            control<QPushButton>(dialog, "btnOK")->click();
            keptOpen = dialog->isVisible() &&
                       edit(dialog, "txtDataRic")->text() == QStringLiteral("06/07/2025");
            said = Msg::Test::last().text;
            held.reset(); // the summary is done
            control<QPushButton>(dialog, "btnOK")->click();
        };
        QTimer::singleShot(0, confirm);
        control<QPushButton>(frmRiconsegne, "btnApplica")->click();
        QVERIFY(keptOpen);
        QCOMPARE(said, kArchiveBusy);
        QCOMPARE(Msg::Test::last().text,
                 QStringLiteral("La riconsegna del mezzo è stata registrata con successo."));
        QCOMPARE(history().size(), 1);
        QCOMPARE(history().at(0).DataRic, QStringLiteral("06/07/2025"));
        QVERIFY(PendingReturn::pendingFiles().isEmpty());
    }

    void confirmationWritesAtMostOnce() {
        TfrmRiepilogo_Operazione confirmation(frmRiconsegne);
        confirmation.fill(
            {"K", "T", "U", "L", "P", "A", "05/07/2025", "14:07", "B", "05/07/2025", "18:30"});
        control<QPushButton>(&confirmation, "btnOK")->click();
        control<QPushButton>(&confirmation, "btnOK")->click();
        QCOMPARE(history().size(), 1);
        QCOMPARE(label(&confirmation, "lblPosizione")->text(), QStringLiteral("1"));
        // Ten display fields are read-only, the return date is not.
        int editable = 0;
        for (QLineEdit* e : confirmation.findChildren<QLineEdit*>())
            editable += e->isReadOnly() ? 0 : 1;
        QCOMPARE(editable, 1);
        QVERIFY(!edit(&confirmation, "txtDataRic")->isReadOnly());
    }

    void operationsMenuDecidesTheNextScreen_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("next");
        QTest::newRow("pick-up") << "btnOrizzontali"
                                 << "ritiro";
        QTest::newRow("return") << "btnVerticali"
                                << "riconsegna";
        QTest::newRow("exit") << "imgEsci"
                              << "avvio";
        QTest::newRow("close box") << ""
                                   << "avvio";
    }

    void operationsMenuDecidesTheNextScreen() {
        QFETCH(QString, how);
        QFETCH(QString, next);
        frmAvvio->showScreen();
        Screens::showInsteadOf(frmMenuOperazioni, frmAvvio);
        if (how.isEmpty())
            frmMenuOperazioni->close();
        else
            frmMenuOperazioni->findChild<QAbstractButton*>(how)->click();
        QVERIFY(!frmMenuOperazioni->isVisible());
        QCOMPARE(frmRitiri->isVisible(), next == "ritiro");
        QCOMPARE(frmRiconsegne->isVisible(), next == "riconsegna");
        QCOMPARE(frmAvvio->isVisible(), next == "avvio");
        if (next == "ritiro") {
            // Closing the pick-up screen leads to the start menu, and the next visit to the menu
            // starts with nothing chosen.
            frmRitiri->close();
            QVERIFY(frmAvvio->isVisible());
            Screens::showInsteadOf(frmMenuOperazioni, frmAvvio);
            QCOMPARE(label(frmMenuOperazioni, "lblMemory")->text(), QStringLiteral("avvio"));
            frmMenuOperazioni->close();
            QVERIFY(frmAvvio->isVisible());
            QVERIFY(!frmRitiri->isVisible());
        }
    }

    void coveredControlsTakeNoKeys_data() {
        QTest::addColumn<bool>("pickUp");
        QTest::newRow("pick-up") << true;
        QTest::newRow("return") << false;
    }

    void coveredControlsTakeNoKeys() {
        // A craft applied, then the screen shown again: the start panel covers the last craft's
        // values, and no key may reach them, nor apply them a second time.
        QFETCH(bool, pickUp);
        TScheda card = craft("P-1");
        if (!pickUp)
            card.Stato = QStringLiteral("Ritirato da A in data 05/07/2025 alle ore 14:07");
        writeFleet({card});
        Clock::setFixed(QDateTime(QDate(2025, 7, 5), QTime(18, 30)));
        TfrmOperazione* screen = pickUp ? static_cast<TfrmOperazione*>(frmRitiri)
                                        : static_cast<TfrmOperazione*>(frmRiconsegne);
        screen->showScreen();
        screen->putCard(cardAt(1), 1);
        edit(screen, pickUp ? "txtPersonaRit" : "txtPersonaRic")->setText(QStringLiteral("C"));
        if (!pickUp)
            confirmWhenShown();
        control<QPushButton>(screen, "btnApplica")->click();
        QVERIFY(frmAvvio->isVisible());
        if (pickUp) {
            // Returned since, from another desk.
            TScheda back = cardAt(1);
            back.Stato = QStringLiteral("Disponibile");
            back.PersonaRic = QStringLiteral("D");
            FleetFile f;
            f.openForWriting();
            f.rewriteAt(1, back);
        }
        const QByteArray fleet = box->readBytes(QStringLiteral("Vuvedi_Duvav.pro"));
        const qsizetype rentals = history().size();
        Msg::Test::clear();

        screen->showScreen();
        QVERIFY(QTest::qWaitForWindowActive(screen));
        auto* panel = control<QWidget>(screen, "panAvvio");
        QVERIFY(panel->isVisible());
        QVERIFY(panel->isAncestorOf(QApplication::focusWidget()));
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(QApplication::focusWidget(), i % 2 ? Qt::Key_Backtab : Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY2(panel->isAncestorOf(QApplication::focusWidget()),
                     qPrintable(QApplication::focusWidget()->objectName()));
        }
        const char* nowButton = pickUp ? "impRitiro" : "impRiconsegna";
        for (const char* name : {"btnApplica", "btnStampa", nowButton}) {
            auto* button = control<QPushButton>(screen, name);
            QVERIFY(!button->isEnabled());
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Space);
            QTest::keyClick(button, Qt::Key_Return);
        }
        QVERIFY(!edit(screen, pickUp ? "txtPersonaRit" : "txtPersonaRic")->isEnabled());
        screen->btnApplicaClick(); // and the apply itself knows no craft was loaded
        screen->btnStampaClick();
        QVERIFY(Msg::Test::shown().isEmpty());
        QVERIFY(screen->isVisible());
        QCOMPARE(box->readBytes(QStringLiteral("Vuvedi_Duvav.pro")), fleet);
        QCOMPARE(history().size(), rentals);

        // Loading a craft uncovers the work area and hands the focus to the customer.
        screen->putCard(cardAt(1), 1);
        QVERIFY(!panel->isVisible());
        QVERIFY(control<QPushButton>(screen, "btnApplica")->isEnabled());
        QTRY_VERIFY(edit(screen, pickUp ? "txtPersonaRit" : "txtPersonaRic")->hasFocus());
    }

    void handlersByName_data() {
        QTest::addColumn<bool>("pickUp");
        QTest::newRow("pick-up") << true;
        QTest::newRow("return") << false;
    }

    void handlersByName() {
        // The now action and the drop-downs' leaving are the screens' own slots.
        QFETCH(bool, pickUp);
        QWidget* screen = pickUp ? static_cast<QWidget*>(frmRitiri) : frmRiconsegne;
        const QString s = pickUp ? QStringLiteral("Rit") : QStringLiteral("Ric");
        Clock::setFixed(QDateTime(QDate(2025, 7, 5), QTime(14, 7)));
        QVERIFY(
            QMetaObject::invokeMethod(screen, pickUp ? "impRitiroClick" : "impRiconsegnaClick"));
        QCOMPARE(combo(screen, qPrintable("txtGiorno" + s))->currentText(), QStringLiteral("05"));
        QCOMPARE(combo(screen, qPrintable("txtMinuti" + s))->currentText(), QStringLiteral("07"));
        for (const char* f : {"txtGiorno", "txtMese", "txtOre", "txtMinuti"}) {
            const QString field = QString::fromLatin1(f);
            set(combo(screen, qPrintable(field + s)), QStringLiteral("xx"));
            QVERIFY(QMetaObject::invokeMethod(screen, qPrintable(field + s + "Exit")));
            QCOMPARE(combo(screen, qPrintable(field + s))->currentText(), QString());
        }
        screen->show();
        QVERIFY(QMetaObject::invokeMethod(screen, "FormClose"));
        QVERIFY(frmAvvio->isVisible());
    }

    void everyShowingStartsCovered() {
        writeFleet({craft("P-1")});
        frmRitiri->showScreen();
        frmRitiri->putCard(cardAt(1), 1);
        QVERIFY(!control<QWidget>(frmRitiri, "panAvvio")->isVisible());
        frmRitiri->close();
        QVERIFY(frmAvvio->isVisible());
        frmRitiri->showScreen();
        QVERIFY(control<QWidget>(frmRitiri, "panAvvio")->isVisible());
        // Closing without applying writes nothing.
        QCOMPARE(cardAt(1).Stato, QStringLiteral("Disponibile"));
    }
};

QTEST_MAIN(TestRentals)
#include "tst_rentals.moc"
