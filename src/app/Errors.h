#pragma once
#include <QString>
#include <stdexcept>

// A data file could not be opened, created, positioned, read, written or closed.
class FileError : public std::runtime_error {
public:
    explicit FileError(const QString& what) : std::runtime_error(what.toStdString()) {}
};

// The archive-access error that every screen reading or writing the fleet file shows.
inline const QString kArchiveAccessError =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                   "installazione del programma.");

// Runs one user action; any failure inside it ends the action and is handed to onFailure.
// Returns true when the action ran to its end.
template <typename Action, typename OnFailure>
bool guarded(Action&& action, OnFailure&& onFailure) {
    try {
        action();
        return true;
    } catch (const std::exception&) {
        onFailure();
    }
    return false;
}
