#pragma once
#include "store/RecordFile.h"
#include "store/TNoleggio.h"

#include <functional>

// The history file Dizidov_Izevude.pro in the program folder: append-only, one record per
// confirmed return. The only code that touches its bytes.
class HistoryFile {
public:
    static constexpr const char* kFileName = "Dizidov_Izevude.pro";
    static QString path();

    HistoryFile();
    // Opens (creating it when missing) with a shared lock, for reading.
    void openForReading() { file_.openOrCreate(RecordFile::Lock::Shared); }
    // Opens (creating it when missing) with an exclusive lock, for the append.
    void openForWriting() { file_.openOrCreate(RecordFile::Lock::Exclusive); }
    QByteArray readBytesAt(qint64 position) { return file_.readAt(position); }
    qint64 count() const { return file_.count(); }
    qint64 append(const TNoleggio& rental) { return file_.append(rental.toBytes()); }
    qint64 appendBytes(const QByteArray& bytes) { return file_.append(bytes); }
    // Every record in file order; the visitor returns false to stop.
    void scan(const std::function<bool(qint64 position, const TNoleggio& rental)>& visit);
    // The raw scan, for readers that only need a few fields of a large file.
    void scanRaw(const std::function<bool(qint64 position, const char* bytes)>& visit) {
        file_.scan(visit);
    }
    void close() { file_.close(); }

private:
    RecordFile file_;
};
