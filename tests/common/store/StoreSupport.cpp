#include "StoreSupport.h"

#include "store/Durable.h"
#include "store/FileLock.h"
#include "store/ProgramFolder.h"
#include "store/RecordFile.h"

#include <QDir>
#include <QFile>

namespace {
void resetSeams() {
    RecordFile::failWritesForTest(false);
    FileLock::setWaitForTest(0);
    Durable::setObserverForTest(nullptr);
    Durable::setFaultForTest(nullptr);
}
} // namespace

StoreSandbox::StoreSandbox() {
    ProgramFolder::setOverride(dir_.path());
    resetSeams();
}

StoreSandbox::~StoreSandbox() {
    ProgramFolder::setOverride(QString());
    resetSeams();
}

QString StoreSandbox::file(const QString& name) const {
    return QDir(dir_.path()).filePath(name);
}

QByteArray StoreSandbox::readBytes(const QString& name) const {
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void StoreSandbox::writeBytes(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray hexBytes(const char* hex) {
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}

QString sourcePath(const QString& relative) {
    return QDir(QStringLiteral(ONDERIA_SOURCE_DIR)).filePath(relative);
}
