#include "store/Durable.h"

#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <QUuid>

#include <string>

#include <fcntl.h>
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
#ifdef Q_OS_WIN
// The path as the Windows file API takes it at any length: past MAX_PATH (260) only with the
// "\\?\" prefix, as a deep program folder and a long attachment name reach it.
std::wstring nativePath(const QString& path) {
    QString native = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    if (native.size() >= MAX_PATH) {
        if (native.startsWith(QStringLiteral("\\\\")))
            native = QStringLiteral("\\\\?\\UNC\\") + native.mid(2);
        else
            native = QStringLiteral("\\\\?\\") + native;
    }
    return native.toStdWString();
}
#endif

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
    syncFile(file, file.fileName());
}

void Durable::syncFile(QFileDevice& file, const QString& name) {
    step(Step::Sync, name);
    if (!file.flush())
        throw FileError(QStringLiteral("cannot flush %1").arg(name));
    const int fd = file.handle();
#ifdef Q_OS_WIN
    const bool ok = fd >= 0 && FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(fd)));
#elif defined(Q_OS_DARWIN)
    const bool ok = fd >= 0 && ::fsync(fd) == 0;
#else
    const bool ok = fd >= 0 && ::fdatasync(fd) == 0;
#endif
    if (!ok)
        throw FileError(QStringLiteral("cannot sync %1").arg(name));
    if (observer())
        observer()(name);
}

void Durable::syncFolder(const QString& folder) {
#ifdef Q_OS_WIN
    // NTFS journals its folders itself; renames are written through (SafeFile::commit).
    Q_UNUSED(folder);
#else
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return; // some file systems do not open folders; the file itself is synced already
    ::fsync(fd);
    ::close(fd);
#endif
}

bool Durable::openFile(QFile& file, QIODevice::OpenMode mode) {
#ifdef Q_OS_WIN
    const bool writes = mode & QIODevice::WriteOnly;
    DWORD disposition = OPEN_EXISTING;
    if (mode & QIODevice::NewOnly)
        disposition = CREATE_NEW;
    else if (writes && (mode & QIODevice::Truncate))
        disposition = (mode & QIODevice::ExistingOnly) ? TRUNCATE_EXISTING : CREATE_ALWAYS;
    else if (writes && !(mode & QIODevice::ExistingOnly))
        disposition = OPEN_ALWAYS;
    const std::wstring native = nativePath(file.fileName());
    const HANDLE h = CreateFileW(native.c_str(), GENERIC_READ | (writes ? GENERIC_WRITE : 0),
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    int flags = _O_BINARY | (writes ? _O_RDWR : _O_RDONLY);
    if (mode & QIODevice::Append)
        flags |= _O_APPEND;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), flags);
    if (fd < 0) {
        CloseHandle(h);
        return false;
    }
    if (!file.open(fd, mode & ~(QIODevice::NewOnly | QIODevice::ExistingOnly | QIODevice::Truncate),
                   QFileDevice::AutoCloseHandle)) {
        _close(fd);
        return false;
    }
    return true;
#else
    return file.open(mode);
#endif
}

void Durable::replaceLocked(QFile& locked, const QString& path, const QByteArray& contents) {
#ifdef Q_OS_WIN
    const auto putInPlace = [&locked](const QByteArray& bytes) {
        // Cut only after the new contents are there: a cut here leaves a stray tail behind
        // the new lines, never a file without them.
        return locked.seek(0) && locked.write(bytes) == bytes.size() &&
               (locked.size() <= bytes.size() || locked.resize(bytes.size()));
    };
    if (!locked.seek(0))
        throw FileError(QStringLiteral("cannot read %1").arg(path));
    const QByteArray before = locked.readAll();
    step(Step::Write, path);
    try {
        if (!putInPlace(contents))
            throw FileError(QStringLiteral("cannot write %1").arg(path));
        syncFile(locked, path);
    } catch (const FileError&) {
        // Every reader already sees the new contents: put the old ones back, so that the
        // failure reported is true. Where the disk refuses that too, the change stands and is
        // reported done: a password said unchanged but changed would lock the user out.
        try {
            step(Step::Write, path);
        } catch (const FileError&) {
            return;
        }
        if (!putInPlace(before) || !locked.flush())
            throw FileError(QStringLiteral("cannot write %1 back").arg(path));
        throw;
    }
#else
    Q_UNUSED(locked);
    SafeFile out(path);
    out.open();
    out.write(contents);
    out.commit();
#endif
}

void Durable::setObserverForTest(Observer o) {
    observer() = std::move(o);
}

#ifdef Q_OS_WIN
namespace {
// Beside the target, named after it, within the 255 characters a name may have.
QString tempName(const QString& path) {
    const QString suffix = QStringLiteral(".") +
                           QUuid::createUuid().toString(QUuid::Id128).left(8) +
                           QStringLiteral(".tmp");
    const QFileInfo target(path);
    return QDir(target.path()).filePath(target.fileName().left(255 - suffix.size()) + suffix);
}
} // namespace

SafeFile::SafeFile(const QString& path) : target_(path), temp_(tempName(path)), file_(temp_) {}

SafeFile::~SafeFile() {
    discard();
}

void SafeFile::discard() {
    if (file_.isOpen()) {
        file_.close();
        QFile::remove(temp_);
    }
}

void SafeFile::open() {
    if (!Durable::openFile(file_, QIODevice::WriteOnly | QIODevice::NewOnly))
        throw FileError(QStringLiteral("cannot write %1").arg(target_));
}

void SafeFile::write(const char* data, qsizetype size) {
    if (file_.write(data, size) != size) {
        discard();
        throw FileError(QStringLiteral("cannot write %1").arg(target_));
    }
}

void SafeFile::commit() {
    try {
        Durable::syncFile(file_, target_);
        Durable::step(Durable::Step::Rename, target_);
    } catch (const FileError&) {
        discard();
        throw;
    }
    file_.close();
    if (!MoveFileExW(nativePath(temp_).c_str(), nativePath(target_).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        QFile::remove(temp_);
        throw FileError(QStringLiteral("cannot replace %1 (error %2)").arg(target_).arg(error));
    }
}
#else
SafeFile::SafeFile(const QString& path) : file_(path) {}

SafeFile::~SafeFile() = default;

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
#endif
