#pragma once
#include "store/TNoleggio.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

// A return in progress. The return rewrites the craft's card before its confirmation is shown
// and appends the rental to the history at the confirmation's OK; a program killed in between
// would leave the craft back in the fleet and the rental nowhere. So each return keeps a small
// journal in the program folder from before the card is written until the rental is in the
// history:
//
//   1. "begin"   position, the card's bytes before and after, and the rental as composed;
//   2. "written" the card has been rewritten, under the fleet file's lock, before its redo file
//      goes (the redo file names the journal, and whoever finishes it writes this mark);
//   3. "confirm" the rental as confirmed and the history's count just before its append.
//
// Each entry carries a checksum and is on the disk before the step it announces. The journal is
// locked while its return runs; at start-up, every journal that nobody holds is finished: the
// rental goes to the history exactly once when the journal says the card was rewritten, and not
// at all otherwise. The card as it is later is no evidence: another desk may have rented the
// craft out again. Entries are only written after the last whole one, so a torn entry never
// hides the ones that follow it.
class PendingReturn {
public:
    // Creates the journal and records step 1. Raises FileError.
    static std::unique_ptr<PendingReturn> begin(qint64 position, const QByteArray& cardBefore,
                                                const QByteArray& cardAfter,
                                                const TNoleggio& rental);
    ~PendingReturn();
    PendingReturn(const PendingReturn&) = delete;
    PendingReturn& operator=(const PendingReturn&) = delete;

    // Step 2, right after the card's rewrite. Raises FileError.
    void cardWritten();
    // The card was not rewritten (refused or failed): the journal goes.
    void abandon();
    // Lets go of the journal without removing it: the next start-up finishes it.
    void release();
    // The journal's name in the program folder, for the redo file of the card's rewrite.
    QString name() const;
    // Step 2 written by whoever finishes the card's rewrite from its redo file, unless the
    // journal is gone or marked already. Raises FileError when it cannot be marked.
    static void markWritten(const QString& path);
    // The confirmation's OK: appends the rental to the history once and removes the journal.
    // Returns the rental's 1-based position in the history. Raises FileError; the journal then
    // stays, and the next start-up completes it.
    qint64 complete(const TNoleggio& rental);

    QString path() const { return path_; }

    // Finishes every journal of the program folder that no running return holds. Failures leave
    // a journal for the next start; a journal that is not of this program is left untouched.
    static void recoverAll();
    // The journals in the program folder.
    static QStringList pendingFiles();

    // What a journal's bytes say, read up to the first entry that is torn or unknown.
    struct Journal {
        bool begun = false;
        qint64 position = 0;
        QByteArray before, after, rental;
        bool written = false;
        bool confirmed = false;
        qint64 historyCount = 0;
        QByteArray confirmedRental;
        qsizetype wholeBytes = 0; // up to the end of the last whole entry
        // Bytes that are no beginning of a journal of this program (not merely cut short).
        bool foreign = false;
    };
    static Journal parse(const QByteArray& bytes);
    // The bytes of one entry: magic, tag, payload size (decimal, 8), payload, checksum.
    static QByteArray entry(char tag, const QByteArray& payload);

private:
    explicit PendingReturn(const QString& path);
    void writeEntry(char tag, const QByteArray& payload);
    // Removes the journal while still holding its lock; false when it stays.
    bool remove();
    qint64 completeWith(const QByteArray& rental, qint64 knownCount);

    QFile file_;
    QString path_;      // a file opened on a handle (Durable::openFile) forgets its name
    qsizetype end_ = 0; // where the next entry goes
};
