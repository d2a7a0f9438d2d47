// Another workstation on the same program folder, for the tests that need real processes.
//
//   onderia_worker_desk save FOLDER N            N new cards through the fleet card screen
//   onderia_worker_desk pickup FOLDER POS NAME   one pick-up through the pick-up screen
//   onderia_worker_desk hold FOLDER FILE MS      holds FILE's exclusive lock for MS ms
//   onderia_worker_desk login FOLDER PASSWORD    types PASSWORD on the login screen; exits 0 when
//                                                the start menu opens, 3 when it is refused
//   onderia_worker_desk rentals FOLDER SEED      saves, pick-ups and returns until killed
//   onderia_worker_desk turns FOLDER POS         picks up and returns one craft until killed
//   onderia_worker_desk next FOLDER POS NAME     picks up the craft if it is in, returns it if
//                                                it is out, or (NAME "note") saves a note on
//                                                it; without the start-up's recovery, as a
//                                                desk that was running all along
//
// Prints "ready" once it works; exits 0 when every action was reported a success.
#include "DeskActions.h"

#include "access/TfrmPassword.h"
#include "app/DateSettings.h"
#include "app/FileDialogs.h"
#include "app/OpenURL.h"
#include "app/Screens.h"
#include "app/TfrmAvvio.h"
#include "rentals/TfrmOperazione.h"
#include "store/FileLock.h"
#include "store/PendingReturn.h"
#include "store/ProgramFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>

#include <cstdio>

namespace {

// What sets this desk's names apart from every other desk's, those that ran before it included:
// Windows hands a dead process's id to the next one at once, so the id alone would not do.
QString deskTag() {
    return QString::number(QCoreApplication::applicationPid()) + QLatin1Char('.') +
           QString::number(QRandomGenerator::system()->bounded(100000));
}

void ready() {
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
}

int fail(const QString& what) {
    std::fprintf(stderr, "%s\n", qPrintable(what));
    return 2;
}

int rentalsUntilKilled(quint32 seed) {
    QRandomGenerator random(seed);
    const QString me = deskTag();
    ready();
    for (int n = 0;; ++n) {
        const QString tag = me + QLatin1Char('_') + QString::number(n);
        const int roll = random.bounded(10);
        if (roll == 0) {
            if (Desk::saveNewCard(QStringLiteral("K") + tag) != Desk::kInserted)
                return fail(QStringLiteral("save: ") + Desk::lastMessage());
            continue;
        }
        FleetFile file;
        file.openForReading();
        const qint64 count = file.count();
        if (count == 0) {
            file.close();
            continue;
        }
        const qint64 at = 1 + random.bounded(static_cast<quint32>(count));
        const TScheda card = file.readAt(at);
        file.close();
        if (roll == 1) {
            // A note changed on a stored card.
            frmSchedario_Chiavi->putCard(card, at);
            Desk::edit(frmSchedario_Chiavi, "txtNote")->setText(QStringLiteral("Nota ") + tag);
            frmSchedario_Chiavi->cmdSalvaClick();
            if (Desk::lastMessage() != Desk::kSaved)
                return fail(QStringLiteral("note: ") + Desk::lastMessage());
        } else if (card.Stato == QStringLiteral("Disponibile")) {
            if (Desk::rent(frmRitiri, at, QStringLiteral("P") + tag) != Desk::kPickedUp)
                return fail(QStringLiteral("pick-up: ") + Desk::lastMessage());
        } else {
            if (Desk::rent(frmRiconsegne, at, QStringLiteral("R") + tag) != Desk::kReturned)
                return fail(QStringLiteral("return: ") + Desk::lastMessage());
        }
    }
}

// The same craft rented out and back again, so that a kill lands inside a return often.
int turnsUntilKilled(qint64 at) {
    const QString me = deskTag();
    ready();
    for (int n = 0;; ++n) {
        FleetFile file;
        file.openForReading();
        const bool in = file.readAt(at).Stato == QStringLiteral("Disponibile");
        file.close();
        const QString name = (in ? QStringLiteral("P") : QStringLiteral("R")) + me +
                             QLatin1Char('_') + QString::number(n);
        const QString said = Desk::rent(in ? static_cast<TfrmOperazione*>(frmRitiri)
                                           : static_cast<TfrmOperazione*>(frmRiconsegne),
                                        at, name);
        if (said != (in ? Desk::kPickedUp : Desk::kReturned))
            return fail(name + QStringLiteral(": ") + said);
    }
}

int next(qint64 at, const QString& name) {
    ready();
    FleetFile file;
    file.openForReading();
    const TScheda card = file.readAt(at);
    file.close();
    if (name == QStringLiteral("note")) {
        frmSchedario_Chiavi->putCard(card, at);
        Desk::edit(frmSchedario_Chiavi, "txtNote")->setText(QStringLiteral("Nota dopo"));
        frmSchedario_Chiavi->cmdSalvaClick();
        return Desk::lastMessage() == Desk::kSaved ? 0 : fail(Desk::lastMessage());
    }
    const bool in = card.Stato == QStringLiteral("Disponibile");
    const QString said = Desk::rent(in ? static_cast<TfrmOperazione*>(frmRitiri)
                                       : static_cast<TfrmOperazione*>(frmRiconsegne),
                                    at, name);
    return said == (in ? Desk::kPickedUp : Desk::kReturned) ? 0 : fail(said);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return fail(QStringLiteral("usage: save|pickup|hold|rentals|turns|next FOLDER ..."));
    const QString mode = args.at(1);
    ProgramFolder::setOverride(args.at(2));

    if (mode == QStringLiteral("hold") && args.size() == 5) {
        QFile file(ProgramFolder::file(args.at(3)));
        if (!file.open(QIODevice::ReadWrite))
            return fail(QStringLiteral("cannot open ") + file.fileName());
        FileLock::acquire(file, FileLock::Mode::Exclusive);
        ready();
        QThread::msleep(args.at(4).toULong());
        return 0;
    }

    Msg::Test::record(true);
    FileDialogs::Test::record(true);
    TMisc::recordForTest(true);
    DateSettings::apply();
    // As the program does at start-up; a desk that was running all along skips it.
    if (mode != QStringLiteral("next")) {
        FleetFile::finishInterruptedRewrite();
        PendingReturn::recoverAll();
    }
    Screens::createAll();

    if (mode == QStringLiteral("save") && args.size() == 4) {
        frmSchedario_Chiavi->showScreen();
        const int n = args.at(3).toInt();
        const QString me = QString::number(QCoreApplication::applicationPid());
        ready();
        for (int i = 0; i < n; ++i) {
            const QString said = Desk::saveNewCard(me + QLatin1Char('-') + QString::number(i));
            if (said != Desk::kInserted)
                return fail(QStringLiteral("card %1: %2").arg(i).arg(said));
        }
        return 0;
    }
    if (mode == QStringLiteral("login") && args.size() == 4) {
        ready();
        frmPassword->show();
        auto* field = frmPassword->findChild<QLineEdit*>(QStringLiteral("txtPassword"));
        field->setText(args.at(3));
        frmPassword->cmdOKClick();
        if (frmAvvio->isVisible())
            return 0;
        std::fprintf(stderr, "login refused: %s\n", qPrintable(Desk::lastMessage()));
        return 3;
    }
    if (mode == QStringLiteral("pickup") && args.size() == 5) {
        ready();
        const QString said = Desk::rent(frmRitiri, args.at(3).toLongLong(), args.at(4));
        return said == Desk::kPickedUp ? 0 : fail(said);
    }
    if (mode == QStringLiteral("rentals") && args.size() == 4)
        return rentalsUntilKilled(args.at(3).toUInt());
    if (mode == QStringLiteral("turns") && args.size() == 4)
        return turnsUntilKilled(args.at(3).toLongLong());
    if (mode == QStringLiteral("next") && args.size() == 5)
        return next(args.at(3).toLongLong(), args.at(4));
    return fail(QStringLiteral("unknown mode ") + mode);
}
