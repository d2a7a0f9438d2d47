#include "app/SmokeTest.h"

#include "access/TfrmPassword.h"
#include "app/TfrmAvvio.h"
#include "fleet/TfrmSchedario_Chiavi.h"
#include "store/FleetFile.h"
#include "store/ProgramFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

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
    poll->callOnTimeout([poll, clock, step = 0]() mutable {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            say(QStringLiteral("message: ") + box->text().simplified());
            QAbstractButton* answer = box->button(QMessageBox::Ok);
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
            click(frmSchedario_Chiavi, "cmdEsci");
            break;
        }
        case 4:
            if (!onScreen(frmAvvio))
                return;
            say(QStringLiteral("back at the start menu"));
            click(frmAvvio, "imgEsci");
            break;
        default:
            return; // the program is ending
        }
        ++step;
    });
    poll->start(50);
}
