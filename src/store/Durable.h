#pragma once
#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>

#include <functional>

class QFileDevice;

// Puts what was written on the disk before success is reported, so a power cut right after a
// message cannot take it back.
namespace Durable {

// Flushes the file's data to the disk (fdatasync, FlushFileBuffers). Raises FileError.
void syncFile(QFileDevice& file);
// The same for a file known by another name than its own (one opened on a handle has none).
void syncFile(QFileDevice& file, const QString& name);

// Puts new contents in place of a small file that `locked` holds open under its exclusive lock,
// on the disk before it returns. Where the system lets a file be replaced while open (POSIX),
// they are written aside and renamed over it, so a refused or broken write keeps the old file.
// Windows refuses to replace a file anybody holds open, so there they are written in place
// through the locked handle, in one write, as the system's own INI writer does. Raises
// FileError.
void replaceLocked(QFile& locked, const QString& path, const QByteArray& contents);
// Makes a newly created or renamed entry of the folder durable (nothing to do on Windows).
void syncFolder(const QString& folder);

// Opens a file of the program folder as QFile::open does. On Windows it also lets other handles
// read, write, rename and delete it meanwhile (FILE_SHARE_DELETE, which QFile does not ask for):
// the password store is replaced whole while other desks hold it open.
bool openFile(QFile& file, QIODevice::OpenMode mode);

// Tests: told of every sync with the path it made durable (a power cut cannot be staged).
using Observer = std::function<void(const QString& path)>;
void setObserverForTest(Observer observer);

// The steps that change what is on the disk. Each one asks the test seam first, so that a test
// can make any single one of them fail, as a flaky network share or a failing disk does.
enum class Step { Write, Sync, Rename, Remove };
// Raises FileError when the test seam fails this step.
void step(Step step, const QString& path);
// Removes the file; false when it stays (or the seam refused).
bool remove(const QString& path);
// Tests: asked before every step; returning true makes that step fail.
using Fault = std::function<bool(Step step, const QString& path)>;
void setFaultForTest(Fault fault);

} // namespace Durable

// A file written aside and put in place whole, on the disk before commit() returns. The old
// file stays as it was when anything fails.
class SafeFile {
public:
    explicit SafeFile(const QString& path);
    ~SafeFile();
    // Raises FileError.
    void open();
    QIODevice& device() { return file_; }
    // Raises FileError on a short write.
    void write(const char* data, qsizetype size);
    void write(const QByteArray& bytes) { write(bytes.constData(), bytes.size()); }
    // Flushes, syncs and renames over the target. Raises FileError; nothing is replaced then.
    void commit();

private:
#ifdef Q_OS_WIN
    // Written beside the target and moved over it with MoveFileExW, which, unlike QSaveFile's
    // rename, replaces a file other handles hold open and is written through to the disk.
    void discard();
    QString target_;
    QString temp_; // a QFile opened on a handle forgets its name
    QFile file_;
#else
    QSaveFile file_;
#endif
};
