#include "StoreSupport.h"

#include "store/Durable.h"
#include "store/FileLock.h"
#include "store/ProgramFolder.h"
#include "store/RecordFile.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_LINUX
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace {
#ifdef Q_OS_LINUX
// The calling thread's effective capabilities with CAP_DAC_OVERRIDE set or cleared. capset acts
// on the calling thread alone, which is the thread that does the test's file work.
bool setDacOverride(bool on) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    const unsigned bit = 1u << (CAP_DAC_OVERRIDE % 32);
    auto& effective = data[CAP_DAC_OVERRIDE / 32].effective;
    effective = on ? (effective | bit) : (effective & ~bit);
    return syscall(SYS_capset, &header, data) == 0;
}
#endif

void resetSeams() {
    RecordFile::failWritesForTest(false);
    FileLock::setWaitForTest(0);
    Durable::setObserverForTest(nullptr);
    Durable::setFaultForTest(nullptr);
}
} // namespace

PermissionsBind::PermissionsBind() {
#ifdef Q_OS_LINUX
    if (geteuid() != 0) {
        bound_ = true;
        return;
    }
    dropped_ = setDacOverride(false);
    bound_ = dropped_;
#endif
}

PermissionsBind::~PermissionsBind() {
#ifdef Q_OS_LINUX
    if (dropped_)
        setDacOverride(true);
#endif
}

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
