#include "store/FileLock.h"

#include "store/StoreError.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileDevice>
#include <QThread>

#include <algorithm>

#ifdef Q_OS_WIN
#include <QDir>
#include <QFileInfo>

#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr int kDefaultWaitMs = 5000;
int waitOverride = 0;

FileLock::WaitObserver& waitObserver() {
    static FileLock::WaitObserver o;
    return o;
}

// Tells the observer that a wait began, and that it ended however the acquire leaves.
class WaitNotice {
public:
    ~WaitNotice() {
        if (begun_ && waitObserver())
            waitObserver()(FileLock::Wait::Ends);
    }
    void tick() {
        if (!waitObserver())
            return;
        waitObserver()(begun_ ? FileLock::Wait::GoesOn : FileLock::Wait::Begins);
        begun_ = true;
    }

private:
    bool begun_ = false;
};

enum class Outcome { Taken, Busy, Refused };

Outcome tryLock(QFileDevice& file, FileLock::Mode mode) {
    const int fd = file.handle();
    if (fd < 0)
        return Outcome::Refused;
#ifdef Q_OS_WIN
    const HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    OVERLAPPED at = {};
    DWORD flags = LOCKFILE_FAIL_IMMEDIATELY;
    if (mode == FileLock::Mode::Exclusive)
        flags |= LOCKFILE_EXCLUSIVE_LOCK;
    if (LockFileEx(h, flags, 0, MAXDWORD, MAXDWORD, &at))
        return Outcome::Taken;
    const DWORD err = GetLastError();
    return err == ERROR_LOCK_VIOLATION || err == ERROR_IO_PENDING ? Outcome::Busy
                                                                  : Outcome::Refused;
#elif defined(F_OFD_SETLK)
    struct flock lock = {};
    lock.l_type = mode == FileLock::Mode::Exclusive ? F_WRLCK : F_RDLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0; // the whole file, however far it grows
    if (::fcntl(fd, F_OFD_SETLK, &lock) == 0)
        return Outcome::Taken;
    return errno == EAGAIN || errno == EACCES || errno == EINTR ? Outcome::Busy : Outcome::Refused;
#else
    // Elsewhere flock() gives the same per-open-file semantics.
    const int op = (mode == FileLock::Mode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    if (::flock(fd, op) == 0)
        return Outcome::Taken;
    return errno == EWOULDBLOCK || errno == EINTR ? Outcome::Busy : Outcome::Refused;
#endif
}

} // namespace

void FileLock::acquire(QFileDevice& file, Mode mode) {
    QDeadlineTimer deadline(waitMs());
    WaitNotice notice;
    int pause = 2;
    for (;;) {
        switch (tryLock(file, mode)) {
        case Outcome::Taken:
            return;
        case Outcome::Refused:
            throw FileError(QStringLiteral("cannot lock %1").arg(file.fileName()));
        case Outcome::Busy:
            break;
        }
        if (deadline.hasExpired())
            throw ArchiveBusy(QStringLiteral("%1 is locked elsewhere").arg(file.fileName()));
        notice.tick();
        QThread::msleep(static_cast<unsigned long>(
            std::min<qint64>(pause, std::max<qint64>(1, deadline.remainingTime()))));
        pause = std::min(pause * 2, 50);
    }
}

bool FileLock::tryAcquire(QFileDevice& file, Mode mode) {
    return tryLock(file, mode) == Outcome::Taken;
}

bool FileLock::stillAt(QFileDevice& file, const QString& path) {
#ifdef Q_OS_WIN
    // A file opened with FILE_SHARE_DELETE can be replaced while it is open: the same file is
    // the same volume and file index.
    BY_HANDLE_FILE_INFORMATION open = {};
    BY_HANDLE_FILE_INFORMATION named = {};
    const int fd = file.handle();
    if (fd < 0 || !GetFileInformationByHandle(reinterpret_cast<HANDLE>(_get_osfhandle(fd)), &open))
        return false;
    const QString native = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    const HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(native.utf16()), 0,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = GetFileInformationByHandle(h, &named);
    CloseHandle(h);
    return ok && open.dwVolumeSerialNumber == named.dwVolumeSerialNumber &&
           open.nFileIndexHigh == named.nFileIndexHigh && open.nFileIndexLow == named.nFileIndexLow;
#else
    struct stat open = {};
    struct stat named = {};
    if (::fstat(file.handle(), &open) != 0 ||
        ::stat(QFile::encodeName(path).constData(), &named) != 0)
        return false;
    return open.st_dev == named.st_dev && open.st_ino == named.st_ino;
#endif
}

void FileLock::setWaitObserver(WaitObserver observer) {
    waitObserver() = std::move(observer);
}

int FileLock::waitMs() {
    return waitOverride > 0 ? waitOverride : kDefaultWaitMs;
}

void FileLock::setWaitForTest(int ms) {
    waitOverride = ms;
}
