#pragma once
#include "store/StoreError.h"

#include <QString>
#include <stdexcept>

// The archive-access error that every screen reading or writing the fleet file shows.
inline const QString kArchiveAccessError =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                   "installazione del programma.");

// Another workstation keeps the archive locked: nothing was written.
inline const QString kArchiveBusy =
    QStringLiteral("Attenzione: l'archivio è in uso da un'altra postazione.\n\r\n\rRiprovare "
                   "tra qualche istante.");

// The card was rewritten elsewhere after it was put on the screen: nothing was written.
inline const QString kCardChanged = QStringLiteral(
    "Attenzione: la scheda è stata modificata da un'altra postazione dopo essere stata "
    "visualizzata.\n\r\n\rLe modifiche non sono state salvate: visualizzare di nuovo la scheda "
    "e ripetere l'operazione.");

// A file of the program folder that is not what this program writes: it was left as it is.
inline const QString kBadFile = QStringLiteral(
    "Attenzione: il file %1 della cartella di installazione del programma è danneggiato o non "
    "è nel formato previsto.\n\r\n\rL'operazione è stata annullata e il file non è stato "
    "modificato.");

// A return whose card is written but whose rental could not reach the history now: its journal
// stays, and the next start-up of the program puts it there.
inline const QString kRentalLater = QStringLiteral(
    "Attenzione: la scheda del mezzo è stata aggiornata, ma non è stato possibile registrare ora "
    "il noleggio nello storico dei noleggi: sarà registrato al prossimo avvio del programma.");

// Shows the warning owed for a lock that stayed taken or a card changed elsewhere.
void reportSharedFolderConflict(const FileError& conflict);
void reportBadFile(const BadFile& bad);

// Runs one user action; any failure inside it ends the action and is handed to onFailure.
// A lock held by another workstation and a card changed elsewhere have their own warnings.
// Returns true when the action ran to its end.
template <typename Action, typename OnFailure>
bool guarded(Action&& action, OnFailure&& onFailure) {
    try {
        action();
        return true;
    } catch (const ArchiveBusy& busy) {
        reportSharedFolderConflict(busy);
    } catch (const CardChanged& changed) {
        reportSharedFolderConflict(changed);
    } catch (const BadFile& bad) {
        reportBadFile(bad);
    } catch (const std::exception&) {
        onFailure();
    }
    return false;
}
