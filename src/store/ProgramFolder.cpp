#include "store/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString& overrideFolder() {
    static QString folder;
    return folder;
}
} // namespace

QString ProgramFolder::path() {
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    return QCoreApplication::applicationDirPath();
}

QString ProgramFolder::file(const QString& name) {
    return QDir(path()).filePath(name);
}

void ProgramFolder::setOverride(const QString& folder) {
    overrideFolder() = folder;
}
