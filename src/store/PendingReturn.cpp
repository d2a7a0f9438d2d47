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
        at += kHead + size + kTail;
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

PendingReturn::PendingReturn(const QString& path) : file_(path) {}

PendingReturn::~PendingReturn() {
    file_.close();
}

std::unique_ptr<PendingReturn> PendingReturn::begin(qint64 position, const QByteArray& cardBefore,
                                                    const QByteArray& cardAfter,
                                                    const TNoleggio& rental) {
    const QString id = QUuid::createUuid().toString(QUuid::Id128).left(16);
    const QString path = ProgramFolder::file(kPrefix + id + kSuffix);
    std::unique_ptr<PendingReturn> pending(new PendingReturn(path));
    if (!pending->file_.open(QIODevice::ReadWrite | QIODevice::NewOnly | QIODevice::Unbuffered))
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
    if (!file_.seek(file_.size()) || file_.write(entry) != entry.size())
        throw FileError(QStringLiteral("cannot write %1").arg(file_.fileName()));
    Durable::syncFile(file_);
}

void PendingReturn::cardWritten() {
    writeEntry('W', QByteArray());
}

void PendingReturn::remove() {
    const QString path = file_.fileName();
    file_.close();
    QFile::remove(path);
    Durable::syncFolder(ProgramFolder::path());
}

void PendingReturn::abandon() {
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
    for (const QString& path : pendingFiles()) {
        try {
            PendingReturn pending(path);
            if (!pending.file_.open(QIODevice::ReadWrite | QIODevice::ExistingOnly |
                                    QIODevice::Unbuffered))
                continue;
            if (!FileLock::tryAcquire(pending.file_, FileLock::Mode::Exclusive))
                continue; // a return still running on this or another workstation
            if (!FileLock::stillAt(pending.file_, path))
                continue; // finished meanwhile
            const Journal j = parse(pending.file_.readAll());
            // A journal without its first entry was never followed by the card's rewrite.
            if (!j.begun) {
                pending.remove();
                continue;
            }
            bool written = j.written;
            if (!written) {
                FleetFile fleet;
                fleet.openForReading();
                written = j.position >= 1 && j.position <= fleet.count() &&
                          fleet.readBytesAt(j.position) == j.after;
                fleet.close();
            }
            if (written) {
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
