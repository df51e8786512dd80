#include <windows.h>

#include "StopSignals.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

// Runs on a thread of its own. Ctrl-C and Ctrl-Break are handled here; for a
// closed console, a logoff or a shutdown the process ends when this returns,
// so it waits for the main thread, which ends the process once the run has
// cleaned up (Windows ends it anyway after a few seconds).
BOOL WINAPI OnConsoleEvent(DWORD event) {
    g_stop = 1;
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) Sleep(INFINITE);
    return TRUE;
}

}  // namespace

const volatile std::sig_atomic_t* stop::Flag() { return &g_stop; }

void stop::CatchSignals() { SetConsoleCtrlHandler(OnConsoleEvent, TRUE); }

void stop::EndBySignal() {}
