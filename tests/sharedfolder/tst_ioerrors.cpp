// The I/O-error sweep: the k-th write, sync, rename or remove of one user action fails, as on a
// flaky network share or a failing disk, for k = 1, 2, ... until the action completes without
// reaching k. After each run, and after the restart that follows, every file decodes, card and
// history agree, a change reported as failed is never applied later unless the user was told
// so, and the message shown says what is on the disk.
#include "DeskActions.h"
#include "FleetFixtures.h"
#include "TestSupport.h"

#include "access/Crypt.h"
#include "access/PasswordStore.h"
#include "access/TfrmCambiaPassword.h"
#include "app/Errors.h"
#include "app/Screens.h"
#include "store/Durable.h"
#include "store/HistoryFile.h"
#include "store/PendingReturn.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTest>

#include <functional>
#include <memory>

namespace {

// The change-password screen's own texts: what is checked here is which of them is shown.
const QString& kChanged = TfrmCambiaPassword::kChanged;
const QString& kChangeError = TfrmCambiaPassword::kChangeError;
const QString kOldPassword = QStringLiteral("ormeggiodiprua");
const QString kNewPassword = QStringLiteral("Maestrale");
const QString kNewNote = QStringLiteral("Scafo rivisto");
const QString kPickedUpBy = QStringLiteral("Bianchi");
const QString kReturnedBy = QStringLiteral("Rossi");

// What the files of the program folder say about the action under test.
enum class State {
    Before,  // the action left no trace
    After,   // the action is applied whole
    Pending, // a return's card is back and its rental waits in a journal for the next start
    Wrong,   // anything else: a file that does not decode, card and history apart, a duplicate
};

const char* nameOf(State s) {
    switch (s) {
    case State::Before:
        return "before";
    case State::After:
        return "after";
    case State::Pending:
        return "pending";
    case State::Wrong:
        break;
    }
    return "wrong";
}

struct Files {
    QList<TScheda> fleet;
    QList<TNoleggio> history;
    QString password;
};

// Reads every file whole; false (with the reason logged) when one does not decode.
bool readAll(Files& files) {
    try {
        FleetFile fleet;
        fleet.openForReading();
        fleet.scan([&](qint64, const TScheda& c) {
            files.fleet.append(c);
            return true;
        });
        fleet.close();
        HistoryFile history;
        history.openForReading();
        history.scan([&](qint64, const TNoleggio& r) {
            files.history.append(r);
            return true;
        });
        history.close();
        files.password = PasswordStore::readStored();
        return true;
    } catch (const std::exception& e) {
        qWarning("a file does not decode: %s", e.what());
        return false;
    }
}

TScheda stored() {
    TScheda c = fleetCard(QStringLiteral("P-1"), QStringLiteral("Pedalò"), QStringLiteral("15 €"));
    c.Note = QStringLiteral("Revisione a giugno");
    c.Scheda = TScheda::numberFor(1);
    return c;
}

// A rental screen loaded with card 1, as the selection list hands it over.
void load(TfrmOperazione* screen, const QString& customer) {
    FleetFile file;
    file.openForReading();
    const QByteArray bytes = file.readBytesAt(1);
    file.close();
    screen->showScreen();
    screen->putCard(TScheda::fromBytes(bytes), 1, bytes);
    Desk::edit(screen, screen->side() == Side::Ritiro ? "txtPersonaRit" : "txtPersonaRic")
        ->setText(customer);
}

void typePasswords() {
    frmCambiaPassword->show();
    for (const auto& [name, text] :
         {std::pair{"txtPasswordOld", kOldPassword}, std::pair{"txtPasswordNew", kNewPassword},
          std::pair{"txtConferma", kNewPassword}}) {
        QLineEdit* field = Desk::edit(frmCambiaPassword, name);
        field->clear();
        QTest::keyClicks(field, text);
    }
}

struct Action {
    QString name;
    std::function<void()> prepare; // the files and the screen as the user finds them
    std::function<void()> press;   // the button that runs the action (pressed again on a retry)
    QString success;
    QString failure; // the message that says nothing was changed
    std::function<State(const Files&)> state;
};

QList<Action> actions() {
    return {
        {QStringLiteral("new card"),
         [] {
             writeFleet({stored()});
             frmSchedario_Chiavi->showScreen();
             frmSchedario_Chiavi->cmdNuovoClick();
             Desk::edit(frmSchedario_Chiavi, "txtCodice")->setText(QStringLiteral("K-9"));
             Desk::edit(frmSchedario_Chiavi, "txtTipo")->setText(QStringLiteral("Kayak"));
             Desk::edit(frmSchedario_Chiavi, "txtUtilizzo")->setText(QStringLiteral("10 €"));
             Desk::edit(frmSchedario_Chiavi, "txtLuogo")->setText(QStringLiteral("Pontile"));
             Desk::edit(frmSchedario_Chiavi, "txtPersone")->setText(QStringLiteral("Patente"));
         },
         [] { frmSchedario_Chiavi->cmdSalvaClick(); }, Desk::kInserted, kArchiveAccessError,
         [](const Files& f) {
             if (f.fleet.size() == 1)
                 return State::Before;
             if (f.fleet.size() == 2 && f.fleet.at(1).Codice == QStringLiteral("K-9") &&
                 f.fleet.at(1).Scheda == TScheda::numberFor(2))
                 return State::After;
             return State::Wrong;
         }},
        {QStringLiteral("save of a stored card"),
         [] {
             writeFleet({stored()});
             frmSchedario_Chiavi->showScreen();
             frmSchedario_Chiavi->cmdPrimoClick();
             Desk::edit(frmSchedario_Chiavi, "txtNote")->setText(kNewNote);
         },
         [] { frmSchedario_Chiavi->cmdSalvaClick(); }, Desk::kSaved, kArchiveAccessError,
         [](const Files& f) {
             if (f.fleet.size() != 1)
                 return State::Wrong;
             if (f.fleet.at(0) == stored())
                 return State::Before;
             TScheda changed = stored();
             changed.Note = kNewNote;
             return f.fleet.at(0) == changed ? State::After : State::Wrong;
         }},
        {QStringLiteral("pick-up"),
         [] {
             writeFleet({stored()});
             load(frmRitiri, kPickedUpBy);
         },
         [] { frmRitiri->btnApplicaClick(); }, Desk::kPickedUp, kArchiveAccessError,
         [](const Files& f) {
             if (f.fleet.size() != 1 || !f.history.isEmpty())
                 return State::Wrong;
             const TScheda& c = f.fleet.at(0);
             if (c == stored())
                 return State::Before;
             return c.Stato.startsWith(QStringLiteral("Ritirato da ") + kPickedUpBy) &&
                            c.PersonaRit == kPickedUpBy && c.Note == stored().Note
                        ? State::After
                        : State::Wrong;
         }},
        {QStringLiteral("return"),
         [] {
             TScheda out = stored();
             out.Stato = QStringLiteral("Ritirato da Verdi in data 05/07/2025 alle ore 14:07");
             out.PersonaRit = QStringLiteral("Verdi");
             writeFleet({out});
             load(frmRiconsegne, kReturnedBy);
         },
         [] {
             Desk::confirmWhenShown();
             frmRiconsegne->btnApplicaClick();
         },
         Desk::kReturned, kArchiveAccessError,
         [](const Files& f) {
             if (f.fleet.size() != 1 || f.history.size() > 1)
                 return State::Wrong;
             const TScheda& c = f.fleet.at(0);
             const bool out = c.Stato.startsWith(QStringLiteral("Ritirato da Verdi"));
             if (out)
                 return f.history.isEmpty() && c.PersonaRic.isEmpty() ? State::Before
                                                                      : State::Wrong;
             if (c.Stato != QStringLiteral("Disponibile") || c.PersonaRic != kReturnedBy)
                 return State::Wrong;
             if (f.history.isEmpty())
                 return PendingReturn::pendingFiles().size() == 1 ? State::Pending : State::Wrong;
             const TNoleggio& r = f.history.at(0);
             return r.Codice == c.Codice && r.PersonaRit == QStringLiteral("Verdi") &&
                            r.PersonaRic == kReturnedBy && r.DataRic == c.DataRic
                        ? State::After
                        : State::Wrong;
         }},
        {QStringLiteral("password change"),
         [] {
             QFile::copy(sourcePath(QStringLiteral("resources/unins000.dll")),
                         PasswordStore::path());
             QFile(PasswordStore::path()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
             typePasswords();
         },
         [] { frmCambiaPassword->cmdOKClick(); }, kChanged, kChangeError,
         [](const Files& f) {
             if (f.password == Crypt::Normalize(kOldPassword))
                 return State::Before;
             return f.password == Crypt::Normalize(kNewPassword) ? State::After : State::Wrong;
         }},
    };
}

// The next start-up of the program, as Startup::begin() runs it, on screens made anew.
void restart() {
    Screens::destroyAll();
    try {
        FleetFile::finishInterruptedRewrite();
    } catch (const std::exception&) {
    }
    try {
        PendingReturn::recoverAll();
    } catch (const std::exception&) {
    }
    Screens::createAll();
}

State stateNow(const Action& action) {
    Files files;
    return readAll(files) ? action.state(files) : State::Wrong;
}

} // namespace

class TestIoErrors : public QObject {
    Q_OBJECT
    // How each first run ended, by the message shown, for the figures the sweep prints.
    QMap<QString, int> endings_;

    // One run with the k-th step failing: the action, optionally the same button pressed once
    // more (as a user does after an error), then a restart whose steps keep counting. Returns
    // whether the k-th step was reached; a failed check is reported through QTest.
    bool runWithFault(const Action& action, int k, bool lasting, bool retry) {
        TestSandbox box;
        Screens::createAll();
        action.prepare();
        Msg::Test::clear();
        int steps = 0;
        bool healthy = false; // the disk works again: steps are only counted
        QString failedStep;
        Durable::setFaultForTest([&](Durable::Step step, const QString& path) {
            ++steps;
            if (healthy || steps < k || (steps > k && !lasting))
                return false;
            if (steps > k)
                return true;
            static const char* const names[] = {"write", "sync", "rename", "remove"};
            failedStep = QString::fromLatin1(names[static_cast<int>(step)]) +
                         QStringLiteral(" of ") + QFileInfo(path).fileName();
            return true;
        });
        action.press();
        const int actionSteps = steps;
        const auto shown = Msg::Test::shown();
        const QString said = Desk::lastMessage();
        const QString where =
            QStringLiteral("%1, step %2 failing (%3)%4: ")
                .arg(action.name)
                .arg(k)
                .arg(failedStep.isEmpty() ? QStringLiteral("not reached") : failedStep)
                .arg(retry ? QStringLiteral(", pressed again") : QString());
        const auto fail = [&](const QString& what) {
            Durable::setFaultForTest(nullptr);
            Screens::destroyAll();
            QTest::qFail(qPrintable(where + what), __FILE__, __LINE__);
            return false;
        };
        if (shown.size() != 1)
            return fail(QStringLiteral("%1 messages, the last \"%2\"").arg(shown.size()).arg(said));

        // The message is true, now and after the restart.
        State expected = State::Wrong;
        State afterRestart = State::Wrong;
        bool mayRetry = false;
        if (said == action.success) {
            expected = afterRestart = State::After;
        } else if (said == action.failure) {
            expected = afterRestart = State::Before;
            mayRetry = true;
        } else if (said == kRentalLater) {
            expected = State::Pending; // the card is back, the rental comes at the next start
            afterRestart = State::After;
        } else {
            return fail(QStringLiteral("unexpected message \"%1\"").arg(said));
        }
        if (!retry)
            ++endings_[said == action.success   ? QStringLiteral("done")
                       : said == action.failure ? QStringLiteral("failed")
                                                : QStringLiteral("next start")];
        State now = stateNow(action);
        if (now != expected && !(expected == State::Pending && now == State::After))
            return fail(QStringLiteral("\"%1\" shown, the files say %2")
                            .arg(said, QString::fromLatin1(nameOf(now))));

        if (retry && mayRetry) {
            Msg::Test::clear();
            healthy = true;
            action.press();
            if (Desk::lastMessage() != action.success)
                return fail(QStringLiteral("pressed again: \"%1\"").arg(Desk::lastMessage()));
            afterRestart = State::After;
            if (stateNow(action) != State::After)
                return fail(QStringLiteral("pressed again: success shown, the files say %1")
                                .arg(QString::fromLatin1(nameOf(stateNow(action)))));
        }

        // The restart's own steps may fail too; then the one after it finishes the work.
        healthy = healthy || actionSteps >= k;
        restart();
        const bool restartFailed = steps >= k && actionSteps < k;
        Durable::setFaultForTest(nullptr);
        now = stateNow(action);
        if (restartFailed) {
            if (now == State::Wrong)
                return fail(QStringLiteral("after a restart that failed, the files say wrong"));
            restart();
            now = stateNow(action);
        }
        if (now != afterRestart)
            return fail(QStringLiteral("\"%1\" shown, after the restart the files say %2")
                            .arg(said, QString::fromLatin1(nameOf(now))));
        if (!PendingReturn::pendingFiles().isEmpty())
            return fail(QStringLiteral("a journal is left after the restart"));
        // Nothing is left beside the data files: no redo file, no file written aside.
        QStringList left = QDir(box.folder()).entryList(QDir::Files);
        left.removeAll(QString::fromLatin1(FleetFile::kFileName));
        left.removeAll(QString::fromLatin1(HistoryFile::kFileName));
        left.removeAll(QFileInfo(PasswordStore::path()).fileName());
        if (!left.isEmpty())
            return fail(QStringLiteral("left after the restart: ") + left.join(u' '));
        Screens::destroyAll();
        return steps >= k;
    }

private slots:
    void everyFailingStepLeavesTheTruth_data() {
        QTest::addColumn<int>("which");
        // A single step failing (a network share's blip), or every step from the k-th on (a
        // full disk, a share gone).
        QTest::addColumn<bool>("lasting");
        const QList<Action> all = actions();
        for (bool lasting : {false, true})
            for (int i = 0; i < all.size(); ++i)
                QTest::newRow(qPrintable(all.at(i).name + (lasting ? QStringLiteral(", lasting")
                                                                   : QStringLiteral(", once"))))
                    << i << lasting;
    }
    void everyFailingStepLeavesTheTruth() {
        QFETCH(int, which);
        QFETCH(bool, lasting);
        const Action action = actions().at(which);
        endings_.clear();
        int k = 1;
        for (;; ++k) {
            const bool reached = runWithFault(action, k, lasting, false);
            if (QTest::currentTestFailed())
                return;
            if (!reached)
                break;
            runWithFault(action, k, lasting, true);
            if (QTest::currentTestFailed())
                return;
        }
        qInfo("%s%s: %d failure points walked; the action reported done %d times, failed %d "
              "times, left for the next start %d times",
              qPrintable(action.name), lasting ? ", failing from there on" : "", k - 1,
              endings_.value(QStringLiteral("done")), endings_.value(QStringLiteral("failed")),
              endings_.value(QStringLiteral("next start")));
        QVERIFY(k > 1);
    }
};

QTEST_MAIN(TestIoErrors)
#include "tst_ioerrors.moc"
