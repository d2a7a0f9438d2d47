#pragma once
#include <QString>

// While another workstation keeps a file locked, the program waits (up to a few seconds) on its
// one user-interface thread. So that nobody takes that for a hang, the wait shows the wait
// cursor and, on a screen with a status line, says what it waits for; both go back as they
// were when the wait ends.
namespace ArchiveWait {

inline const QString kWaiting = QStringLiteral("In attesa dell'altra postazione...");

// Installs the notice for every lock the program waits for (start-up).
void install();
void uninstall();

} // namespace ArchiveWait
