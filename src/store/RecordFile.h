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
// then over the old one; the redo file is removed afterwards. Once the redo file is on the disk
// the rewrite is decided: a failing write in place is tried again, and what still fails is
// finished by the next writer, while readers already see the new record. A writer that opens
// the file finishes a rewrite that the redo file still holds. An append cut short is a trailing
// piece shorter than a record, which is no record and is written over by the next append; a
// file that is anything else (a size or a layout of another program) is refused (BadFile).
class RecordFile {
public:
    using Lock = FileLock::Mode;
    // Whether `size` bytes (a whole record, or a trailing piece shorter than one) look like the
    // record at 1-based `position` of this file.
    using Check = std::function<bool(const char* bytes, qsizetype size, qint64 position)>;

    RecordFile(const QString& path, int recordSize, Check check = {});
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens the file for reading and writing and takes its lock; only a missing file is
    // created (empty). A file that exists but cannot be opened is a failure and is never
    // replaced. Raises ArchiveBusy when another workstation keeps the lock.
    // A shared opening reads only, so browsing works in a read-only folder.
    void openOrCreate(Lock lock);
    // Finishes a rewrite cut short, when the file exists (start-up). Raises FileError.
    static void finishInterruptedRewrite(const QString& path, int recordSize);
    // Records in the file; a trailing piece shorter than a record is no record.
    qint64 count() const;
    QByteArray readAt(qint64 position);
    // `owner`, when given, is a journal of the same folder that waits for this rewrite: the redo
    // file names it, and `written` runs once the record is in place, before the redo file
    // goes. A failing `written` leaves the redo file, and whoever finishes it marks the journal.
    void rewriteAt(qint64 position, const QByteArray& record, const QString& owner = QString(),
                   const std::function<void()>& written = {});
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
    // writeAt, tried a second time when the first fails (a network share's blip).
    bool writeAtTwice(qint64 offset, const QByteArray& record);
    QString redoPath() const { return path() + QStringLiteral(".jrn"); }
    void writeRedo(qint64 position, const QByteArray& record, const QString& owner);
    bool redoIsWhole() const;
    struct Redo {
        bool whole = false;
        qint64 position = 0;
        QByteArray record;
        QString owner;
    };
    // The redo file's content; a piece of one that was cut short is no redo. Raises BadFile.
    Redo readRedo() const;
    // Under the exclusive lock: replays the redo file's record when it is whole, then drops it.
    void replayRedo();
    // Refuses a file that is not of this program before anything reads or writes it.
    void checkShape();
    qint64 wholeBytes() const;

    QFile file_;
    int recordSize_;
    Check check_;
    Lock lock_ = Lock::Shared;
    // A reader's view of a decided rewrite that no writer has finished yet.
    qint64 overlayAt_ = 0;
    QByteArray overlay_;
};
