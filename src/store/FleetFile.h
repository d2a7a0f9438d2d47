#pragma once
#include "store/RecordFile.h"
#include "store/TScheda.h"

#include <functional>

// The fleet file Vuvedi_Duvav.pro in the program folder: the only code that touches its bytes.
class FleetFile {
public:
    static constexpr const char* kFileName = "Vuvedi_Duvav.pro";
    static QString path();

    FleetFile();
    // Start-up: finishes a rewrite that a crash or a power cut cut short.
    static void finishInterruptedRewrite() {
        RecordFile::finishInterruptedRewrite(path(), TScheda::kSize);
    }
    // Opens (creating it when missing) with a shared lock, for reading.
    void openForReading() { file_.openOrCreate(RecordFile::Lock::Shared); }
    // Opens (creating it when missing) with an exclusive lock, for a rewrite or an append.
    void openForWriting() { file_.openOrCreate(RecordFile::Lock::Exclusive); }
    qint64 count() const { return file_.count(); }
    QByteArray readBytesAt(qint64 position) { return file_.readAt(position); }
    TScheda readAt(qint64 position) { return TScheda::fromBytes(file_.readAt(position)); }
    // Rewrites the card at its position only when the stored bytes are still `shown` (raises
    // CardChanged otherwise); returns the bytes written.
    QByteArray rewriteIfUnchanged(qint64 position, const QByteArray& shown, const TScheda& card) {
        QByteArray bytes = card.toBytes();
        file_.rewriteIfUnchanged(position, shown, bytes);
        return bytes;
    }
    // `journal` and `written` as RecordFile::rewriteAt has them.
    void rewriteBytesAt(qint64 position, const QByteArray& bytes,
                        const QString& journal = QString(),
                        const std::function<void()>& written = {}) {
        file_.rewriteAt(position, bytes, journal, written);
    }
    void rewriteAt(qint64 position, const TScheda& card) {
        file_.rewriteAt(position, card.toBytes());
    }
    qint64 append(const TScheda& card) { return file_.append(card.toBytes()); }
    // Every card in file order; the visitor returns false to stop.
    void scan(const std::function<bool(qint64 position, const TScheda& card)>& visit);
    // The raw scan, for readers that need only a few fields or the stored bytes.
    void scanRaw(const std::function<bool(qint64 position, const char* bytes)>& visit) {
        file_.scan(visit);
    }
    void close() { file_.close(); }

private:
    RecordFile file_;
};
