#pragma once

// A run for the packaging test (switch --smoke-test): proves that a freshly unpacked program
// folder starts and can save a card. It waits for the login screen, logs in with the
// first-access password, opens the fleet card screen from the start menu, fills in and saves
// one card, answers each message box with OK and leaves through the exit buttons, the way a
// user would, printing one line per step. It refuses a folder that already holds a fleet file,
// so it never adds to real data. The exit code is 0 once the card is saved and the program has
// ended from the start menu.
namespace SmokeTest {

bool requested(int argc, char** argv);
// Call after the login screen is shown, before the event loop runs.
void start();

} // namespace SmokeTest
