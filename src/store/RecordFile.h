#pragma once
#include "store/FileLock.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>

// A file of fixed-size records without header, opened for one user action and closed again.
// Positions are 1-based. Every failure raises FileError.
//
// The file is locked from its opening to its closing: shared for reading, exclusive for
// writing, so two workstations sharing the folder never see or make half a change. Every write
// is on the disk before it returns.
//
// A rewrite in place could be cut halfway by a crash or a power cut (the system writes a
// record that spans two pages in two steps), leaving a card that is half old, half new. So the
// new record goes first to a small redo file beside the data file (path + ".jrn"), on the disk,
// then over the old one; the redo file is removed afterwards. Whoever opens the file next
// finishes a rewrite that the redo file still holds. An append cut short is a trailing piece
// shorter than a record, which is no record and is written over by the next append.
class RecordFile {
public:
    using Lock = FileLock::Mode;

    RecordFile(const QString& path, int recordSize);
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens the file for reading and writing and takes its lock; only a missing file is
    // created (empty). A file that exists but cannot be opened is a failure and is never
    // replaced. Raises ArchiveBusy when another workstation keeps the lock.
    void openOrCreate(Lock lock);
    // Finishes a rewrite cut short, when the file exists (start-up). Raises FileError.
    static void finishInterruptedRewrite(const QString& path, int recordSize);
    // Records in the file; a trailing piece shorter than a record is no record.
    qint64 count() const;
    QByteArray readAt(qint64 position);
    void rewriteAt(qint64 position, const QByteArray& record);
    // Rewrites the record only when it still holds `shown`, the bytes read when it was put on
    // the screen; raises CardChanged otherwise and writes nothing.
    void rewriteIfUnchanged(qint64 position, const QByteArray& shown, const QByteArray& record);
    // Writes after the last whole record (over any stray trailing piece); returns the new
    // record's position.
    qint64 append(const QByteArray& record);
    // Reads every record in file order, in large blocks. The visitor gets the position and the
    // record's bytes; returning false stops the scan.
    void scan(const std::function<bool(qint64 position, const char* record)>& visit);
    void close();

    int recordSize() const { return recordSize_; }
    QString path() const { return file_.fileName(); }

    // Tests: make every write fail, as a full disk would.
    static void failWritesForTest(bool on);

private:
    void requireOpen() const;
    void requireWritable() const;
    void writeAt(qint64 offset, const QByteArray& record);
    QString redoPath() const { return path() + QStringLiteral(".jrn"); }
    void writeRedo(qint64 position, const QByteArray& record);
    // Under the exclusive lock: replays the redo file's record when it is whole, then drops it.
    void replayRedo();

    QFile file_;
    int recordSize_;
    Lock lock_ = Lock::Shared;
};
