#include "app/SmokeTest.h"

#include "access/TfrmPassword.h"
#include "app/TfrmAvvio.h"
#include "fleet/TfrmSchedario_Chiavi.h"
#include "history/TfrmMenuRiepilogo.h"
#include "history/TfrmRiepilogo.h"
#include "output/SpreadsheetWriter.h"
#include "output/TfrmStampaScheda.h"
#include "output/report/Printing.h"
#include "rentals/TfrmRiconsegne.h"
#include "rentals/TfrmRiepilogo_Operazione.h"
#include "rentals/TfrmRitiri.h"
#include "store/FleetFile.h"
#include "store/ProgramFolder.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Each step's own time limit: a slow start under Wine must not eat the later steps' time.
constexpr int kDeadlineMs = 30000;

void say(const QString& line) {
    // UTF-8 on every system: the Windows code page would garble "Sì" for the script reading it.
    std::printf("smoke: %s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

bool onScreen(const QWidget* screen) {
    return screen && screen->isVisible() && screen->windowHandle() &&
           screen->windowHandle()->isExposed();
}

// Clicks from the event loop, so a modal box the click opens runs its own loop outside the
// polling step, which then keeps running inside it.
void click(QWidget* screen, const char* name) {
    auto* button = screen->findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (button)
        QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
    else
        say(QStringLiteral("no control %1").arg(QLatin1String(name)));
}

void type(QWidget* screen, const char* name, const QString& text) {
    if (auto* field = screen->findChild<QLineEdit*>(QString::fromLatin1(name)))
        field->setText(text);
}

// The rentals screen with the first card of the fleet file, as the selection list hands it over.
void showFirstCard(TfrmOperazione* screen) {
    FleetFile file;
    file.openForReading();
    const QByteArray bytes = file.readBytesAt(1);
    file.close();
    screen->showScreen();
    screen->putCard(TScheda::fromBytes(bytes), 1, bytes);
}

template <typename Modal> Modal* modal() {
    return qobject_cast<Modal*>(QApplication::activeModalWidget());
}

QString fileLine(const QString& name) {
    return QStringLiteral("%1 of %2 bytes")
        .arg(name)
        .arg(QFileInfo(ProgramFolder::file(name)).size());
}

} // namespace

bool SmokeTest::requested(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--smoke-test") == 0)
            return true;
    return false;
}

void SmokeTest::start() {
    auto* poll = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto lastMessage = std::make_shared<QString>();
    poll->callOnTimeout([poll, clock, lastMessage, step = 0]() mutable {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            say(QStringLiteral("message: ") + box->text().simplified());
            *lastMessage = box->text();
            QAbstractButton* answer = box->button(QMessageBox::Ok);
            // Opening the exported file would start another program: the smoke run declines.
            if (!answer && box->text().simplified() == SpreadsheetWriter::kAskOpen.simplified())
                answer = box->button(QMessageBox::No);
            if (!answer)
                answer = box->defaultButton();
            if (answer)
                QMetaObject::invokeMethod(answer, &QAbstractButton::click, Qt::QueuedConnection);
            return;
        }
        if (clock->elapsed() > kDeadlineMs) {
            say(QStringLiteral("FAILED: stuck at step %1").arg(step));
            poll->stop();
            QCoreApplication::exit(1);
            return;
        }
        const QString fleetFile = FleetFile::path();
        switch (step) {
        case 0:
            if (!onScreen(frmPassword))
                return;
            say(QStringLiteral("login screen shown"));
            for (const char* family : {"Arial", "Courier New", "Verdana"})
                say(QStringLiteral("font %1: %2")
                        .arg(QLatin1String(family),
                             QFontInfo(QFont(QString::fromLatin1(family))).family()));
            say(QStringLiteral("Qt's Yes button: ") +
                QCoreApplication::translate("QPlatformTheme", "&Yes"));
            if (QFileInfo::exists(fleetFile)) {
                say(QStringLiteral("FAILED: the folder already holds a fleet file"));
                poll->stop();
                QCoreApplication::exit(2);
                return;
            }
            type(frmPassword, "txtPassword", QStringLiteral("ormeggiodiprua"));
            click(frmPassword, "cmdOK");
            break;
        case 1:
            if (!onScreen(frmAvvio))
                return;
            say(QStringLiteral("start menu shown"));
            click(frmAvvio, "imgApp01");
            break;
        case 2:
            if (!onScreen(frmSchedario_Chiavi))
                return;
            say(QStringLiteral("fleet card screen shown"));
            type(frmSchedario_Chiavi, "txtCodice", QStringLiteral("PROVA-01"));
            type(frmSchedario_Chiavi, "txtTipo", QStringLiteral("Pedalò"));
            type(frmSchedario_Chiavi, "txtUtilizzo", QStringLiteral("15,00 euro all'ora"));
            type(frmSchedario_Chiavi, "txtLuogo", QStringLiteral("Spiaggia"));
            type(frmSchedario_Chiavi, "txtPersone", QStringLiteral("Documento d'identità"));
            click(frmSchedario_Chiavi, "cmdSalva");
            break;
        case 3: {
            auto* position =
                frmSchedario_Chiavi->findChild<QLabel*>(QStringLiteral("lblPosizione"));
            if (!position || position->text().isEmpty())
                return;
            say(QStringLiteral("card saved at position %1, fleet file of %2 bytes")
                    .arg(position->text())
                    .arg(QFileInfo(fleetFile).size()));
            // Printed pages go to PDF files in the program folder (print-1.pdf): a PC without
            // a printer would otherwise ask for the file name in a dialog.
            Printing::Test::toPdf(ProgramFolder::path());
            click(frmSchedario_Chiavi, "cmdStampa");
            break;
        }
        case 4: {
            auto* print = modal<TfrmStampaScheda>();
            if (!print)
                return;
            say(QStringLiteral("print screen shown"));
            click(print, "btnStampa");
            break;
        }
        case 5:
            if (QApplication::activeModalWidget() || Printing::Test::files().isEmpty() ||
                QFileInfo(Printing::Test::files().constFirst()).size() == 0)
                return;
            say(QStringLiteral("card printed to ") +
                fileLine(QFileInfo(Printing::Test::files().constFirst()).fileName()));
            click(frmSchedario_Chiavi, "cmdEsci");
            break;
        case 6:
            if (!onScreen(frmAvvio))
                return;
            say(QStringLiteral("back at the start menu"));
            frmAvvio->hide();
            showFirstCard(frmRitiri);
            type(frmRitiri, "txtPersonaRit", QStringLiteral("Mario Rossi"));
            click(frmRitiri, "btnApplica");
            break;
        case 7:
            if (!lastMessage->startsWith(QStringLiteral("Il ritiro del mezzo")))
                return;
            say(QStringLiteral("pick-up recorded"));
            frmRitiri->hide();
            showFirstCard(frmRiconsegne);
            type(frmRiconsegne, "txtPersonaRic", QStringLiteral("Mario Rossi"));
            click(frmRiconsegne, "btnApplica");
            break;
        case 8: {
            auto* confirmation = modal<TfrmRiepilogo_Operazione>();
            if (!confirmation)
                return;
            say(QStringLiteral("return confirmation shown"));
            click(confirmation, "btnOK");
            break;
        }
        case 9:
            if (!lastMessage->startsWith(QStringLiteral("La riconsegna del mezzo")))
                return;
            say(QStringLiteral("return recorded"));
            frmRiconsegne->hide();
            frmMenuRiepilogo->showScreen();
            break;
        case 10:
            if (!onScreen(frmMenuRiepilogo))
                return;
            say(QStringLiteral("period selection shown"));
            click(frmMenuRiepilogo, "btnRiepilogo");
            break;
        case 11: {
            auto* summary = modal<TfrmRiepilogo>();
            if (!summary || !onScreen(summary))
                return;
            say(QStringLiteral("history summary shown with %1 rental(s)")
                    .arg(summary->grdRecords->model()->rowCount()));
            click(summary, "cmdEsporta");
            break;
        }
        case 12: {
            auto* summary = modal<TfrmRiepilogo>();
            if (!summary || !lastMessage->startsWith(QStringLiteral("Le schede in archivio")))
                return;
            say(QStringLiteral("history exported to ") +
                fileLine(QStringLiteral("Dizidov_Izevude.xls")));
            click(summary, "cmdEsci");
            break;
        }
        case 13:
            if (QApplication::activeModalWidget())
                return;
            click(frmMenuRiepilogo, "btnChiudi");
            break;
        case 14:
            if (!onScreen(frmAvvio))
                return;
            say(QStringLiteral("start menu shown again"));
            click(frmAvvio, "imgEsci");
            break;
        default:
            return; // the program is ending
        }
        ++step;
        clock->restart();
    });
    poll->start(50);
}
