#include "store/Durable.h"

#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
Durable::Observer& observer() {
    static Durable::Observer o;
    return o;
}
Durable::Fault& fault() {
    static Durable::Fault f;
    return f;
}
} // namespace

void Durable::step(Step step, const QString& path) {
    if (fault() && fault()(step, path))
        throw FileError(QStringLiteral("step refused on %1").arg(path));
}

bool Durable::remove(const QString& path) {
    try {
        step(Step::Remove, path);
    } catch (const FileError&) {
        return false;
    }
    return QFile::remove(path) || !QFileInfo::exists(path);
}

void Durable::setFaultForTest(Fault f) {
    fault() = std::move(f);
}

void Durable::syncFile(QFileDevice& file) {
    step(Step::Sync, file.fileName());
    if (!file.flush())
        throw FileError(QStringLiteral("cannot flush %1").arg(file.fileName()));
    const int fd = file.handle();
#ifdef Q_OS_WIN
    const bool ok = fd >= 0 && FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(fd)));
#elif defined(Q_OS_DARWIN)
    const bool ok = fd >= 0 && ::fsync(fd) == 0;
#else
    const bool ok = fd >= 0 && ::fdatasync(fd) == 0;
#endif
    if (!ok)
        throw FileError(QStringLiteral("cannot sync %1").arg(file.fileName()));
    if (observer())
        observer()(file.fileName());
}

void Durable::syncFolder(const QString& folder) {
#ifdef Q_OS_WIN
    Q_UNUSED(folder);
#else
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return; // some file systems do not open folders; the file itself is synced already
    ::fsync(fd);
    ::close(fd);
#endif
}

void Durable::setObserverForTest(Observer o) {
    observer() = std::move(o);
}

SafeFile::SafeFile(const QString& path) : file_(path) {}

void SafeFile::open() {
    if (!file_.open(QIODevice::WriteOnly))
        throw FileError(QStringLiteral("cannot write %1").arg(file_.fileName()));
}

void SafeFile::write(const char* data, qsizetype size) {
    try {
        Durable::step(Durable::Step::Write, file_.fileName());
    } catch (const FileError&) {
        file_.cancelWriting();
        throw;
    }
    if (file_.write(data, size) != size) {
        file_.cancelWriting();
        throw FileError(QStringLiteral("cannot write %1").arg(file_.fileName()));
    }
}

void SafeFile::commit() {
    // A short write or a failed flush must stop here: QSaveFile::commit() would otherwise still
    // put a cut file in place of the good one (a full disk, a refused write).
    try {
        Durable::syncFile(file_);
    } catch (const FileError&) {
        file_.cancelWriting();
        throw;
    }
    const QString target = file_.fileName();
    try {
        Durable::step(Durable::Step::Rename, target);
    } catch (const FileError&) {
        file_.cancelWriting();
        throw;
    }
    if (!file_.commit())
        throw FileError(QStringLiteral("cannot replace %1").arg(target));
    Durable::syncFolder(QFileInfo(target).absolutePath());
}
