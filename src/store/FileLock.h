#pragma once
#include <QString>

#include <functional>

class QFileDevice;

// Locks on a whole open file, taken from the operating system: open-file-description locks on
// Linux, LockFileEx on Windows. The system drops them when the file is closed or the process
// dies, so a crash never leaves a stale lock, and network shares forward them.
namespace FileLock {

enum class Mode { Shared, Exclusive };

// Takes the lock, waiting up to waitMs() while another process holds a conflicting one.
// Raises ArchiveBusy when it stays taken, FileError when the system refuses locks on the file.
void acquire(QFileDevice& file, Mode mode);
// Takes the lock only when it is free at once.
bool tryAcquire(QFileDevice& file, Mode mode);

// Whether the open file is still the one the path names (a writer that replaces a file whole
// puts a new one there while others wait on the old one).
bool stillAt(QFileDevice& file, const QString& path);

// Told when a lock is not free at once and the wait begins, again and again while it goes on
// (every few hundredths of a second) and once when it ends, taken or not, so the program can
// show that it waits for another workstation.
enum class Wait { Begins, GoesOn, Ends };
using WaitObserver = std::function<void(Wait)>;
void setWaitObserver(WaitObserver observer);

int waitMs();
// Tests: a shorter wait; 0 or less restores the default.
void setWaitForTest(int ms);

} // namespace FileLock
