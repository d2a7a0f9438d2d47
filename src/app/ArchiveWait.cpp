#include "app/ArchiveWait.h"

#include "store/FileLock.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>

namespace {

struct Shown {
    QPointer<QLabel> status;
    QString before;
};

Shown& shown() {
    static Shown s;
    return s;
}

// The status line of the screen the user works on: the modal screen on top, else the active
// window, else the one visible screen that has a status line.
QLabel* visibleStatusLine() {
    const auto lineOf = [](QWidget* screen) -> QLabel* {
        if (!screen)
            return nullptr;
        auto* line = screen->findChild<QLabel*>(QStringLiteral("panInfo"));
        return line && line->isVisible() ? line : nullptr;
    };
    for (QWidget* top : {QApplication::activeModalWidget(), QApplication::activeWindow()})
        if (QLabel* line = lineOf(top))
            return line;
    if (QApplication::activeModalWidget())
        return nullptr; // a dialog without a status line covers the screen behind it
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible())
            if (QLabel* line = lineOf(top))
                return line;
    return nullptr;
}

// Paints what changed and keeps the windows alive; the user's clicks and keys wait until the
// action is over, so nothing starts a second action meanwhile.
void keepPainting() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void onWait(FileLock::Wait wait) {
    Shown& s = shown();
    switch (wait) {
    case FileLock::Wait::Begins:
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (QLabel* line = visibleStatusLine()) {
            s.status = line;
            s.before = line->text();
            line->setText(ArchiveWait::kWaiting);
        }
        keepPainting();
        break;
    case FileLock::Wait::GoesOn:
        keepPainting();
        break;
    case FileLock::Wait::Ends:
        QApplication::restoreOverrideCursor();
        if (s.status && s.status->text() == ArchiveWait::kWaiting)
            s.status->setText(s.before);
        s = Shown{};
        keepPainting();
        break;
    }
}

} // namespace

void ArchiveWait::install() {
    FileLock::setWaitObserver(onWait);
}

void ArchiveWait::uninstall() {
    FileLock::setWaitObserver(nullptr);
}
