#include "store/RecordFile.h"

#include "store/Checksum.h"
#include "store/Durable.h"
#include "store/PendingReturn.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {
bool writesFail = false;
constexpr qint64 kBlockBytes = 4 << 20;

// Redo file: magic, position (20 digits), the waiting journal's name (64, blank-padded), record,
// checksum of all before it. The first version had no journal name; one left by it is still
// finished.
const QByteArray kRedoMagic1 = QByteArrayLiteral("ONDREDO1");
const QByteArray kRedoMagic = QByteArrayLiteral("ONDREDO2");
constexpr int kRedoNumber = 20;
constexpr int kRedoOwner = 64;
constexpr int kRedoSum = 16;
} // namespace

RecordFile::RecordFile(const QString& path, int recordSize, Check check)
    : file_(path), recordSize_(recordSize), check_(std::move(check)) {}

RecordFile::~RecordFile() {
    file_.close();
}

void RecordFile::openOrCreate(Lock lock) {
    // Unbuffered: a write goes to the file in one call and nothing waits in a buffer.
    const QIODevice::OpenMode mode =
        (lock == Lock::Shared ? QIODevice::ReadOnly : QIODevice::ReadWrite) | QIODevice::Unbuffered;
    if (QFileInfo::exists(path()) || QFileInfo(path()).isSymLink()) {
        if (!file_.open(mode | QIODevice::ExistingOnly))
            throw FileError(QStringLiteral("cannot open %1").arg(path()));
    } else if (file_.open(QIODevice::ReadWrite | QIODevice::Unbuffered | QIODevice::NewOnly)) {
        Durable::syncFolder(QFileInfo(path()).absolutePath());
    } else if (!file_.open(mode | QIODevice::ExistingOnly)) {
        // Another workstation may have created it a moment ago.
        throw FileError(QStringLiteral("cannot create %1").arg(path()));
    }
    try {
        FileLock::acquire(file_, lock);
        lock_ = lock;
        // Looked at only now: a writer that holds the lock may be halfway through a rewrite.
        if (lock == Lock::Exclusive) {
            replayRedo();
        } else if (QFileInfo::exists(redoPath())) {
            // A writer that died mid-rewrite: the redo file holds the decided record. A reader
            // shows it without writing, so a read-only folder can still be browsed.
            const Redo redo = readRedo();
            if (redo.whole && redo.position >= 1 && redo.position <= count()) {
                overlayAt_ = redo.position;
                overlay_ = redo.record;
            }
        }
        checkShape();
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

void RecordFile::writeRedo(qint64 position, const QByteArray& record, const QString& owner) {
    QByteArray entry = kRedoMagic + QByteArray::number(position).rightJustified(kRedoNumber, '0') +
                       owner.toLatin1().leftJustified(kRedoOwner, ' ', true) + record;
    entry.append(journalChecksum(entry.constData(), entry.size()));
    QFile redo(redoPath());
    try {
        Durable::step(Durable::Step::Write, redoPath());
        if (!redo.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) ||
            redo.write(entry) != entry.size())
            throw FileError(QStringLiteral("cannot write %1").arg(redoPath()));
        Durable::syncFile(redo);
    } catch (const FileError&) {
        // Nothing is decided yet: the redo file goes, so that no later opening applies a
        // rewrite that the user is told failed.
        redo.close();
        if (Durable::remove(redoPath()) || !redoIsWhole())
            throw;
        // It stays, whole, and every later opening applies it: the rewrite is decided after
        // all, and goes on as one.
    }
    // The redo file's name must survive a power cut too.
    Durable::syncFolder(QFileInfo(path()).absolutePath());
}

bool RecordFile::redoIsWhole() const {
    try {
        return readRedo().whole;
    } catch (const FileError&) {
        return false;
    }
}

RecordFile::Redo RecordFile::readRedo() const {
    QFile file(redoPath());
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("cannot read %1").arg(redoPath()));
    const qsizetype longest = kRedoMagic.size() + kRedoNumber + kRedoOwner + recordSize_ + kRedoSum;
    const QByteArray bytes = file.read(longest + 1);
    file.close();
    for (const QByteArray& magic : {kRedoMagic, kRedoMagic1}) {
        if (!bytes.startsWith(magic))
            continue;
        const int owner = magic == kRedoMagic ? kRedoOwner : 0;
        const qsizetype body = magic.size() + kRedoNumber + owner + recordSize_;
        // Cut short before its sync: the rewrite in place never began.
        if (bytes.size() < body + kRedoSum)
            return {};
        if (bytes.size() != body + kRedoSum ||
            bytes.mid(body) != journalChecksum(bytes.constData(), body))
            throw BadFile(redoPath());
        Redo redo;
        bool ok = false;
        redo.position = bytes.mid(magic.size(), kRedoNumber).toLongLong(&ok);
        redo.owner = QString::fromLatin1(bytes.mid(magic.size() + kRedoNumber, owner)).trimmed();
        redo.record = bytes.mid(magic.size() + kRedoNumber + owner, recordSize_);
        if (!ok || redo.position < 1 || redo.owner.contains(QLatin1Char('/')) ||
            redo.owner.contains(QLatin1Char('\\')))
            throw BadFile(redoPath());
        redo.whole = true;
        return redo;
    }
    if (bytes.size() < kRedoMagic.size() && kRedoMagic.startsWith(bytes))
        return {}; // cut short in its first bytes
    throw BadFile(redoPath());
}

void RecordFile::replayRedo() {
    if (!QFileInfo::exists(redoPath()))
        return;
    const Redo redo = readRedo();
    if (redo.whole) {
        // The journal learns first that its card is rewritten: once the redo file is gone
        // nothing else would tell it.
        if (!redo.owner.isEmpty())
            PendingReturn::markWritten(QFileInfo(path()).dir().filePath(redo.owner));
        if (redo.position <= count() && readAt(redo.position) != redo.record &&
            !writeAtTwice((redo.position - 1) * recordSize_, redo.record))
            throw FileError(QStringLiteral("cannot finish %1").arg(redoPath()));
    }
    if (!Durable::remove(redoPath()))
        throw FileError(QStringLiteral("cannot remove %1").arg(redoPath()));
}

qint64 RecordFile::wholeBytes() const {
    return file_.size() / recordSize_ * recordSize_;
}

void RecordFile::checkShape() {
    if (!check_)
        return;
    const qint64 n = count();
    for (const qint64 position : {qint64(1), n}) {
        if (position < 1 || position > n)
            continue;
        const QByteArray record = readAt(position);
        if (!check_(record.constData(), record.size(), position))
            throw BadFile(path());
    }
    const qint64 piece = file_.size() - wholeBytes();
    if (piece == 0)
        return;
    if (!file_.seek(wholeBytes()))
        throw FileError(QStringLiteral("cannot seek in %1").arg(path()));
    const QByteArray bytes = file_.read(piece);
    // What an append cut short leaves: the start of the next record, or bytes the system had
    // not yet written when the power went.
    if (bytes.count('\0') != bytes.size() && !check_(bytes.constData(), bytes.size(), n + 1))
        throw BadFile(path());
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
    return position == overlayAt_ ? overlay_ : record;
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
    Durable::step(Durable::Step::Write, path());
    if (!file_.seek(offset))
        throw FileError(QStringLiteral("cannot seek in %1").arg(path()));
    if (file_.write(record) != recordSize_)
        throw FileError(QStringLiteral("cannot write %1").arg(path()));
    Durable::syncFile(file_);
}

bool RecordFile::writeAtTwice(qint64 offset, const QByteArray& record) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            // Written again, not only synced again: a failed sync may have dropped the data.
            writeAt(offset, record);
            return true;
        } catch (const FileError&) {
        }
    }
    return false;
}

void RecordFile::rewriteAt(qint64 position, const QByteArray& record, const QString& owner,
                           const std::function<void()>& written) {
    requireWritable();
    if (position < 1 || position > count())
        throw FileError(QStringLiteral("no record %1 in %2").arg(position).arg(path()));
    if (record.size() != recordSize_)
        throw FileError(QStringLiteral("wrong record size for %1").arg(path()));
    if (writesFail)
        throw FileError(QStringLiteral("cannot write %1").arg(path()));
    writeRedo(position, record, owner);
    // The rewrite is decided from here on: a write in place that keeps failing is finished by
    // the next writer from the redo file, and readers see the new record meanwhile.
    const bool inPlace = writeAtTwice((position - 1) * recordSize_, record);
    if (written)
        written(); // a failure leaves the redo file, whose finisher marks the journal
    // Not synced, and a failed removal is no failure: the redo file only repeats this rewrite.
    if (inPlace)
        Durable::remove(redoPath());
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
    if (writesFail)
        throw FileError(QStringLiteral("cannot write %1").arg(path()));
    if (!writeAtTwice(n * recordSize_, record)) {
        // Reported as not stored, so it must not stay readable for a retry to duplicate: the
        // file goes back to its whole records, as an append cut short leaves it.
        if (file_.size() > n * recordSize_)
            file_.resize(n * recordSize_);
        throw FileError(QStringLiteral("cannot append to %1").arg(path()));
    }
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
        for (qint64 i = 0; i < records; ++i) {
            const char* bytes = first + i == overlayAt_ ? overlay_.constData()
                                                        : block.constData() + i * recordSize_;
            if (!visit(first + i, bytes))
                return;
        }
    }
}

void RecordFile::close() {
    file_.close();
    overlayAt_ = 0;
    overlay_.clear();
}

void RecordFile::failWritesForTest(bool on) {
    writesFail = on;
}
