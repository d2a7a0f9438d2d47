#include "app/FileDialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace {
struct State {
    bool on = false;
    QStringList queued;
    QString title, filter;
};
State& state() {
    static State s;
    return s;
}
} // namespace

QString FileDialogs::openFile(QWidget* parent, const QString& title, const QString& filter) {
    State& s = state();
    s.title = title;
    s.filter = filter;
    if (s.on)
        return s.queued.isEmpty() ? QString() : s.queued.takeFirst();
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

void FileDialogs::Test::record(bool on) {
    state() = State{};
    state().on = on;
}

void FileDialogs::Test::choose(const QString& path) {
    state().queued.append(path);
}

QString FileDialogs::Test::lastTitle() {
    return state().title;
}

QString FileDialogs::Test::lastFilter() {
    return state().filter;
}
