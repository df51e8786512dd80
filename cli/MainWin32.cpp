#include "RunProgram.h"
#include "StopSignals.h"
#include "Utf8.h"

// Wide arguments, so that any file name arrives intact whatever the code page.
int wmain(int argc, wchar_t** argv) {
    stop::CatchSignals();
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(WideToUtf8(argv[i]));
    return RunProgram(args);
}
