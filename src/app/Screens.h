#pragma once

class QWidget;

// The persistent screens and the order in which they follow one another. Only one of them is
// visible at a time: the next screen is shown first, then the current one is hidden.
namespace Screens {

// Creates the eight persistent screens, the login screen first.
void createAll();
// The two halves of createAll: the login screen, then the seven others.
void createLogin();
void createRest();
// Destroys them (end of the program, or between tests).
void destroyAll();
void showInsteadOf(QWidget* next, QWidget* current);
// Shows the start menu (the closing screen then hides itself).
void showStartMenu();
// Ends the program: every screen closes without going back to the start menu.
void endProgram();
bool ending();

} // namespace Screens
