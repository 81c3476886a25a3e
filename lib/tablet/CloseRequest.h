// How the application is ended on the desktop: closing its window, and the signals with which
// a terminal, a logout or `kill` ask a program to quit, take one path. It ends the process
// with exit status 0, so exit handlers run (the game saves its record there).
#pragma once

namespace tablet {

// Ends the process as closing the window does.
[[noreturn]] void closeApplication();

// From now on SIGINT, SIGTERM and SIGHUP only note a close request, which the next
// bps_get_event carries out. A second such signal before then ends the process at once, as
// the signal would have without this.
void closeOnQuitSignals();
// Carries out a close request noted by a signal; returns when there is none.
void closeIfRequested();

}  // namespace tablet
