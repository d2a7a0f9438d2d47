#include "store/RecordFile.h"

#include "store/Checksum.h"
#include "store/Durable.h"
#include "store/StoreError.h"

#include <QFileInfo>

#include <algorithm>

namespace {
bool writesFail = false;
constexpr qint64 kBlockBytes = 4 << 20;

// Redo file: magic, position (20 digits), record, checksum of all before it.
const QByteArray kRedoMagic = QByteArrayLiteral("ONDREDO1");
constexpr int kRedoNumber = 20;
} // namespace

RecordFile::RecordFile(const QString& path, int recordSize)
    : file_(path), recordSize_(recordSize) {}

RecordFile::~RecordFile() {
    file_.close();
}

void RecordFile::openOrCreate(Lock lock) {
    // Unbuffered: a write goes to the file in one call and nothing waits in a buffer.
    const QIODevice::OpenMode mode = QIODevice::ReadWrite | QIODevice::Unbuffered;
    if (QFileInfo::exists(path()) || QFileInfo(path()).isSymLink()) {
        if (!file_.open(mode | QIODevice::ExistingOnly))
            throw FileError(QStringLiteral("cannot open %1").arg(path()));
    } else if (file_.open(mode | QIODevice::NewOnly)) {
        Durable::syncFolder(QFileInfo(path()).absolutePath());
    } else if (!file_.open(mode | QIODevice::ExistingOnly)) {
        // Another workstation may have created it a moment ago.
        throw FileError(QStringLiteral("cannot create %1").arg(path()));
    }
    try {
        if (lock == Lock::Shared && QFileInfo::exists(redoPath())) {
            // A rewrite was cut short elsewhere: finish it before reading.
            RecordFile writer(path(), recordSize_);
            writer.openOrCreate(Lock::Exclusive);
            writer.close();
        }
        FileLock::acquire(file_, lock);
        lock_ = lock;
        if (lock == Lock::Exclusive)
            replayRedo();
    } catch (...) {
        file_.close();
        throw;
    }
}

void RecordFile::finishInterruptedRewrite(const QString& path, int recordSize) {
    if (!QFileInfo::exists(path) || !QFileInfo::exists(path + QStringLiteral(".jrn")))
        return;
    RecordFile file(path, recordSize);
    file.openOrCreate(Lock::Exclusive);
    file.close();
}

void RecordFile::writeRedo(qint64 position, const QByteArray& record) {
    QByteArray entry =
        kRedoMagic + QByteArray::number(position).rightJustified(kRedoNumber, '0') + record;
    entry.append(journalChecksum(entry.constData(), entry.size()));
    QFile redo(redoPath());
    if (!redo.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) ||
        redo.write(entry) != entry.size())
        throw FileError(QStringLiteral("cannot write %1").arg(redoPath()));
    Durable::syncFile(redo);
    // The redo file's name must survive a power cut too.
    Durable::syncFolder(QFileInfo(path()).absolutePath());
}

void RecordFile::replayRedo() {
    QFile redo(redoPath());
    if (!redo.exists())
        return;
    if (!redo.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("cannot read %1").arg(redoPath()));
    const QByteArray entry = redo.read(kRedoMagic.size() + kRedoNumber + recordSize_ + 16 + 1);
    redo.close();
    const qsizetype body = kRedoMagic.size() + kRedoNumber + recordSize_;
    // A redo file cut short was never followed by its rewrite: nothing to finish.
    if (entry.size() == body + 16 && entry.startsWith(kRedoMagic) &&
        entry.mid(body) == journalChecksum(entry.constData(), body)) {
        const qint64 position = entry.mid(kRedoMagic.size(), kRedoNumber).toLongLong();
        const QByteArray record = entry.mid(kRedoMagic.size() + kRedoNumber, recordSize_);
        if (position >= 1 && position <= count() && readAt(position) != record)
            writeAt((position - 1) * recordSize_, record);
    }
    if (!QFile::remove(redoPath()))
        throw FileError(QStringLiteral("cannot remove %1").arg(redoPath()));
}

void RecordFile::requireOpen() const {
    if (!file_.isOpen())
        throw FileError(QStringLiteral("not open: %1").arg(path()));
}

qint64 RecordFile::count() const {
    requireOpen();
    return file_.size() / recordSize_;
}

QByteArray RecordFile::readAt(qint64 position) {
    requireOpen();
    if (position < 1 || position > count())
        throw FileError(QStringLiteral("no record %1 in %2").arg(position).arg(path()));
    if (!file_.seek((position - 1) * recordSize_))
        throw FileError(QStringLiteral("cannot seek in %1").arg(path()));
    QByteArray record = file_.read(recordSize_);
    if (record.size() != recordSize_)
        throw FileError(QStringLiteral("cannot read %1").arg(path()));
    return record;
}

void RecordFile::requireWritable() const {
    requireOpen();
    if (lock_ != Lock::Exclusive)
        throw FileError(QStringLiteral("not locked for writing: %1").arg(path()));
}

void RecordFile::writeAt(qint64 offset, const QByteArray& record) {
    requireWritable();
    if (record.size() != recordSize_)
        throw FileError(QStringLiteral("wrong record size for %1").arg(path()));
    if (writesFail)
        throw FileError(QStringLiteral("cannot write %1").arg(path()));
    if (!file_.seek(offset))
        throw FileError(QStringLiteral("cannot seek in %1").arg(path()));
    if (file_.write(record) != recordSize_)
        throw FileError(QStringLiteral("cannot write %1").arg(path()));
    Durable::syncFile(file_);
}

void RecordFile::rewriteAt(qint64 position, const QByteArray& record) {
    requireWritable();
    if (position < 1 || position > count())
        throw FileError(QStringLiteral("no record %1 in %2").arg(position).arg(path()));
    if (record.size() != recordSize_)
        throw FileError(QStringLiteral("wrong record size for %1").arg(path()));
    if (writesFail)
        throw FileError(QStringLiteral("cannot write %1").arg(path()));
    writeRedo(position, record);
    writeAt((position - 1) * recordSize_, record);
    // Not synced: should the removal be lost, the redo file only repeats this very rewrite.
    QFile::remove(redoPath());
}

void RecordFile::rewriteIfUnchanged(qint64 position, const QByteArray& shown,
                                    const QByteArray& record) {
    requireWritable();
    if (readAt(position) != shown)
        throw CardChanged(QStringLiteral("record %1 of %2 changed").arg(position).arg(path()));
    rewriteAt(position, record);
}

qint64 RecordFile::append(const QByteArray& record) {
    requireOpen();
    const qint64 n = count();
    writeAt(n * recordSize_, record);
    return n + 1;
}

void RecordFile::scan(const std::function<bool(qint64, const char*)>& visit) {
    requireOpen();
    const qint64 total = count();
    if (!file_.seek(0))
        throw FileError(QStringLiteral("cannot seek in %1").arg(path()));
    const qint64 perBlock = std::max<qint64>(1, kBlockBytes / recordSize_);
    QByteArray block;
    for (qint64 first = 1; first <= total; first += perBlock) {
        const qint64 records = std::min(perBlock, total - first + 1);
        block.resize(records * recordSize_);
        if (file_.read(block.data(), block.size()) != block.size())
            throw FileError(QStringLiteral("cannot read %1").arg(path()));
        for (qint64 i = 0; i < records; ++i)
            if (!visit(first + i, block.constData() + i * recordSize_))
                return;
    }
}

void RecordFile::close() {
    file_.close();
}

void RecordFile::failWritesForTest(bool on) {
    writesFail = on;
}
