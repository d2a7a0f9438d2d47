#include "app/FileDialogs.h"

#include <QFileDialog>
#include <QFileSystemModel>
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
    QFileDialog dialog(parent, title);
    dialog.setFileMode(QFileDialog::ExistingFile);
#ifndef Q_OS_WIN
    dialog.setOption(QFileDialog::DontUseNativeDialog);
#endif
    dialog.setNameFilter(filter);
    // "*.*" stands for every file, as in the Windows dialog, names without a dot included; the
    // caption keeps showing it. Qt's own dialog (Linux, or Windows without its native dialog)
    // would hide names without a dot.
    auto everyFile = [&dialog] {
        auto* model = dialog.findChild<QFileSystemModel*>();
        if (!model)
            return;
        QStringList patterns = model->nameFilters();
        if (patterns.removeAll(QStringLiteral("*.*")) > 0) {
            patterns.append(QStringLiteral("*"));
            model->setNameFilters(patterns);
        }
    };
    everyFile();
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, everyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString FileDialogs::saveFile(QWidget* parent, const QString& title, const QString& suggested,
                              const QString& filter) {
    State& s = state();
    s.title = title;
    s.filter = filter;
    if (s.on)
        return s.queued.isEmpty() ? QString() : s.queued.takeFirst();
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
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
