#include "store/PendingReturn.h"

#include "store/Checksum.h"
#include "store/Durable.h"
#include "store/FileLock.h"
#include "store/FleetFile.h"
#include "store/HistoryFile.h"
#include "store/ProgramFolder.h"
#include "store/StoreError.h"
#include "store/TScheda.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>

#include <optional>

namespace {

const QString kPrefix = QStringLiteral("Riconsegna_in_corso_");
const QString kSuffix = QStringLiteral(".dat");
constexpr int kNumber = 20; // a count or position, as decimal text

// Entry: magic, tag, payload size (decimal, 8), payload, checksum (16 hex digits).
const QByteArray kMagic = QByteArrayLiteral("ONDRIC");
constexpr int kHead = 6 + 1 + 8;
constexpr int kTail = 16;

QByteArray number(qint64 n) {
    return QByteArray::number(n).rightJustified(kNumber, '0');
}

} // namespace

PendingReturn::Journal PendingReturn::parse(const QByteArray& bytes) {
    Journal j;
    qsizetype at = 0;
    while (at + kHead + kTail <= bytes.size()) {
        if (bytes.mid(at, 6) != kMagic)
            break;
        const char tag = bytes.at(at + 6);
        bool ok = false;
        const qint64 size = bytes.mid(at + 7, 8).toLongLong(&ok);
        if (!ok || size < 0 || at + kHead + size + kTail > bytes.size())
            break;
        const QByteArray payload = bytes.mid(at + kHead, size);
        const QByteArray sum = bytes.mid(at + kHead + size, kTail);
        if (sum != journalChecksum(bytes.constData() + at, kHead + size))
            break;
        const qsizetype next = at + kHead + size + kTail;
        if (tag == 'B' && !j.begun &&
            payload.size() == kNumber + 2 * TScheda::kSize + TNoleggio::kSize) {
            j.begun = true;
            j.position = payload.left(kNumber).toLongLong();
            j.before = payload.mid(kNumber, TScheda::kSize);
            j.after = payload.mid(kNumber + TScheda::kSize, TScheda::kSize);
            j.rental = payload.mid(kNumber + 2 * TScheda::kSize);
        } else if (tag == 'W' && j.begun) {
            j.written = true;
        } else if (tag == 'C' && j.begun && payload.size() == kNumber + TNoleggio::kSize) {
            j.confirmed = true;
            j.historyCount = payload.left(kNumber).toLongLong();
            j.confirmedRental = payload.mid(kNumber);
        } else {
            break;
        }
        at = next;
        j.wholeBytes = at;
    }
    if (!j.begun && !bytes.isEmpty()) {
        // The first entry cut short is a return that never reached its card; anything else is
        // not ours to delete.
        const qsizetype first = kHead + kNumber + 2 * TScheda::kSize + TNoleggio::kSize + kTail;
        const QByteArray head = kMagic + QByteArray("B");
        j.foreign = bytes.size() >= first || !head.startsWith(bytes.left(head.size()));
    }
    return j;
}

QByteArray PendingReturn::entry(char tag, const QByteArray& payload) {
    QByteArray entry = kMagic;
    entry.append(tag);
    entry.append(QByteArray::number(payload.size()).rightJustified(8, '0'));
    entry.append(payload);
    entry.append(journalChecksum(entry.constData(), entry.size()));
    return entry;
}

PendingReturn::PendingReturn(const QString& path) : file_(path), path_(path) {}

PendingReturn::~PendingReturn() {
    file_.close();
}

std::unique_ptr<PendingReturn> PendingReturn::begin(qint64 position, const QByteArray& cardBefore,
                                                    const QByteArray& cardAfter,
                                                    const TNoleggio& rental) {
    const QString id = QUuid::createUuid().toString(QUuid::Id128).left(16);
    const QString path = ProgramFolder::file(kPrefix + id + kSuffix);
    std::unique_ptr<PendingReturn> pending(new PendingReturn(path));
    Durable::step(Durable::Step::Write, path);
    if (!Durable::openFile(pending->file_,
                           QIODevice::ReadWrite | QIODevice::NewOnly | QIODevice::Unbuffered))
        throw FileError(QStringLiteral("cannot create %1").arg(path));
    try {
        // A start-up on another workstation may have taken the empty journal for a dead one
        // in the moment before it was locked here: then it is no longer at its name.
        if (!FileLock::tryAcquire(pending->file_, FileLock::Mode::Exclusive) ||
            !FileLock::stillAt(pending->file_, path))
            throw FileError(QStringLiteral("cannot lock %1").arg(path));
        Durable::syncFolder(ProgramFolder::path());
        pending->writeEntry('B', number(position) + cardBefore + cardAfter + rental.toBytes());
    } catch (...) {
        pending->remove();
        throw;
    }
    return pending;
}

void PendingReturn::writeEntry(char tag, const QByteArray& payload) {
    const QByteArray entry = PendingReturn::entry(tag, payload);
    // Tried twice, each time after the last whole entry: a torn or unsynced try is written over.
    for (int attempt = 0;; ++attempt) {
        try {
            if (file_.size() > end_ && !file_.resize(end_))
                throw FileError(QStringLiteral("cannot cut %1").arg(path_));
            Durable::step(Durable::Step::Write, path_);
            if (!file_.seek(end_) || file_.write(entry) != entry.size())
                throw FileError(QStringLiteral("cannot write %1").arg(path_));
            Durable::syncFile(file_, path_);
            end_ += entry.size();
            return;
        } catch (const FileError&) {
            if (attempt == 1)
                throw;
        }
    }
}

QString PendingReturn::name() const {
    return QFileInfo(path_).fileName();
}

void PendingReturn::release() {
    file_.close();
}

void PendingReturn::markWritten(const QString& path) {
    PendingReturn pending(path);
    if (!Durable::openFile(pending.file_,
                           QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return; // completed or abandoned: nothing waits for the card any more
    const bool mine = FileLock::tryAcquire(pending.file_, FileLock::Mode::Exclusive);
    const Journal j = parse(pending.file_.readAll());
    if (j.written)
        return;
    // Its return still runs and has not marked it: that desk holds the fleet file's lock until
    // it has, so a redo file naming it cannot be left behind by it unmarked and still held.
    if (!mine || !j.begun)
        throw FileError(QStringLiteral("cannot mark %1").arg(path));
    pending.end_ = j.wholeBytes;
    pending.writeEntry('W', QByteArray());
}

void PendingReturn::cardWritten() {
    writeEntry('W', QByteArray());
}

bool PendingReturn::remove() {
    // Removed while still locked (on Windows the handle allows it: FILE_SHARE_DELETE): a
    // start-up elsewhere that judged it dead must not see it unlocked and still named, while it
    // is still in use here.
    const bool removed = Durable::remove(path_);
    file_.close();
    Durable::syncFolder(ProgramFolder::path());
    return removed;
}

void PendingReturn::abandon() {
    // A journal that stays says only "begun": the next start-up drops it.
    remove();
}

qint64 PendingReturn::completeWith(const QByteArray& rental, qint64 knownCount) {
    HistoryFile history;
    history.openForWriting();
    const qint64 n = history.count();
    // Appended before: a start-up that finishes a journal may itself be stopped after the append.
    if (knownCount >= 0 && n > knownCount && history.readBytesAt(knownCount + 1) == rental) {
        history.close();
        return knownCount + 1;
    }
    writeEntry('C', number(n) + rental);
    const qint64 at = history.appendBytes(rental);
    history.close();
    return at;
}

qint64 PendingReturn::complete(const TNoleggio& rental) {
    const qint64 at = completeWith(rental.toBytes(), -1);
    // The rental is in the history: a journal that stays is finished again harmlessly, since its
    // confirmation names the history's count.
    remove();
    return at;
}

QStringList PendingReturn::pendingFiles() {
    QStringList files;
    const QDir folder(ProgramFolder::path());
    for (const QString& name :
         folder.entryList({kPrefix + QLatin1Char('*') + kSuffix}, QDir::Files, QDir::Name))
        files.append(folder.filePath(name));
    return files;
}

void PendingReturn::recoverAll() {
    // A card rewrite cut short marks its journal when it is finished.
    FleetFile::finishInterruptedRewrite();
    for (const QString& path : pendingFiles()) {
        try {
            PendingReturn pending(path);
            if (!Durable::openFile(pending.file_, QIODevice::ReadWrite | QIODevice::ExistingOnly |
                                                      QIODevice::Unbuffered))
                continue;
            if (!FileLock::tryAcquire(pending.file_, FileLock::Mode::Exclusive))
                continue; // a return still running on this or another workstation
            if (!FileLock::stillAt(pending.file_, path))
                continue; // finished meanwhile
            const Journal j = parse(pending.file_.readAll());
            if (j.foreign)
                continue; // not ours: left as it is
            pending.end_ = j.wholeBytes;
            // Only the journal's own word counts: without its mark the card was never rewritten
            // (a redo file naming it has been finished above).
            if (j.written) {
                if (j.confirmed)
                    pending.completeWith(j.confirmedRental, j.historyCount);
                else
                    pending.completeWith(j.rental, -1);
            }
            pending.remove();
        } catch (const std::exception&) {
            // Left for the next start.
        }
    }
}
