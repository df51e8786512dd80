#pragma once

#include <csignal>

// Ctrl-C and its kin (POSIX: SIGINT, SIGTERM, SIGHUP; Windows: Ctrl-C,
// Ctrl-Break, a closed console window) are caught, so that a run can remove
// its new file and say so before the program ends.
namespace stop {

// Set once one of them came; a run looks at it before each record.
const volatile std::sig_atomic_t* Flag();
void CatchSignals();
// POSIX: ends the program by the signal that was caught, as if it had not
// been caught; returns when none was. Windows: returns.
void EndBySignal();

}  // namespace stop
