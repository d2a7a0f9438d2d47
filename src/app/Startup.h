#pragma once

class QApplication;

// Start-up steps, in the order the program runs them.
namespace Startup {

// Step 1: draw with a software renderer where Qt offers the choice (before the application).
void selectSoftwareRendering();
// Qt's Italian translations, so standard buttons and dialogs read "Sì", "No", "Annulla".
void installTranslations(QApplication& app);
// The fonts of the program folder's fonts/ subfolder, when it has one.
void registerFolderFonts();
// The process-wide date conventions: short date "dd/mm/yyyy", decimal separator ",".
void applyDateSettings();
// The house look and fonts.
void applyLook(QApplication& app);

// Steps 2 to 4 up to the event loop, on an application already made: the house look, the
// persistent screens with the login screen first, the date conventions, the login screen shown.
void begin(QApplication& app);

int run(int argc, char** argv);

} // namespace Startup
