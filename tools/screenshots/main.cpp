// Renders every screen with realistic sample data into docs/screenshots/.
#include "Shots.h"

#include "app/FileDialogs.h"
#include "app/Messages.h"
#include "app/OpenURL.h"
#include "app/Screens.h"
#include "app/Startup.h"
#include "store/ProgramFolder.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>
#include <map>
#include <string>

namespace {
std::map<std::string, ShotFunction>& registry() {
    static std::map<std::string, ShotFunction> shots;
    return shots;
}
} // namespace

ShotRegistrar::ShotRegistrar(const char* group, ShotFunction function) {
    registry()[group] = std::move(function);
}

void ShotContext::settle() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 50)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

void ShotContext::savePdfPage(const QString& pdf, const QString& name) const {
    const QString out = QDir(outputFolder).filePath(name);
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"),
                       QStringLiteral("-singlefile"), pdf, out});
    std::printf("%s.png\n", qPrintable(out));
}

void ShotContext::save(QWidget* widget, const QString& name) const {
    if (!widget->isWindow() || qobject_cast<QDialog*>(widget) ||
        widget->windowFlags().testFlag(Qt::Dialog)) {
        widget->adjustSize();
    } else {
        widget->setWindowState(Qt::WindowNoState);
        widget->resize(1366, 705); // a maximized window's client area at 1366x768
    }
    widget->show();
    settle();
    const QString file = QDir(outputFolder).filePath(name + QStringLiteral(".png"));
    if (!widget->grab().save(file))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    else
        std::printf("%s\n", qPrintable(file));
}

int main(int argc, char** argv) {
    Startup::selectSoftwareRendering();
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    Startup::installTranslations(app);
    Startup::registerFolderFonts(); // the Windows build's twins of the fonts Wine lacks
    Startup::applyLook(app);
    Startup::applyDateSettings();
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    Msg::Test::record(true);
    TMisc::recordForTest(true);
    FileDialogs::Test::record(true);
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    for (auto& [group, function] : registry()) {
        if (!only.isEmpty() && QString::fromStdString(group) != only)
            continue;
        QTemporaryDir folder;
        ProgramFolder::setOverride(folder.path());
        Screens::createAll();
        ShotContext ctx{out, folder.path()};
        function(ctx);
        Screens::destroyAll();
    }
    return 0;
}
