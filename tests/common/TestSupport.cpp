#include "TestSupport.h"

#include "app/Clock.h"
#include "app/DateSettings.h"
#include "app/FileDialogs.h"
#include "app/Messages.h"
#include "app/OpenURL.h"
#include "app/ProgramFolder.h"
#include "fleet/RecordFile.h"
#include "output/report/Printing.h"

#include <QDir>
#include <QFile>

TestSandbox::TestSandbox() {
    ProgramFolder::setOverride(dir_.path());
    Msg::Test::record(true);
    FileDialogs::Test::record(true);
    TMisc::recordForTest(true);
    Clock::setFixed(QDateTime());
    RecordFile::failWritesForTest(false);
    Printing::Test::toPdf(dir_.path()); // nothing a test prints reaches a real printer
    DateSettings::Test::setLongTimeFormat(QStringLiteral("hh:mm:ss")); // the same on any machine
}

TestSandbox::~TestSandbox() {
    Printing::Test::toPdf(QString()); // the folder goes away; pages still never reach a queue
    ProgramFolder::setOverride(QString());
    Clock::setFixed(QDateTime());
    RecordFile::failWritesForTest(false);
}

QString TestSandbox::file(const QString& name) const {
    return QDir(dir_.path()).filePath(name);
}

QByteArray TestSandbox::readBytes(const QString& name) const {
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestSandbox::writeBytes(const QString& name, const QByteArray& bytes) const {
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
