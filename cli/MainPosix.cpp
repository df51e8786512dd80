#include <csignal>

#include "RunProgram.h"
#include "StopSignals.h"

int main(int argc, char** argv) {
    // Writing to a closed pipe, or past the file-size limit, then fails
    // (EPIPE, EFBIG) instead of killing the program: the run reports it and
    // ends with status 1, as on Windows.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    stop::CatchSignals();
    const int status = RunProgram(std::vector<std::string>(argv + 1, argv + argc));
    stop::EndBySignal();
    return status;
}
