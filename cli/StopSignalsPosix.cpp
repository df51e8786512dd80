#include <csignal>
#include <initializer_list>

#include "StopSignals.h"

namespace {

volatile std::sig_atomic_t g_signal = 0;

extern "C" void OnSignal(int number) { g_signal = number; }

}  // namespace

const volatile std::sig_atomic_t* stop::Flag() { return &g_signal; }

// A signal ignored from the start (nohup, a background job of a script) stays ignored.
void stop::CatchSignals() {
    struct sigaction action {
    }, before{};
    action.sa_handler = OnSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int number : {SIGINT, SIGTERM, SIGHUP}) {
        if (sigaction(number, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            sigaction(number, &action, nullptr);
    }
}

// The shell then sees 128 + the signal's number (130 for Ctrl-C, 143 for SIGTERM).
void stop::EndBySignal() {
    const int number = g_signal;
    if (number == 0) return;
    std::signal(number, SIG_DFL);
    std::raise(number);
}
