#include <sys/wait.h>

#include <cstdlib>

#include "Launch.h"

Result Launch(const std::vector<std::string>& args, const TempDir& dir, bool closedPipe) {
    int status = -1;
    // perl makes the pipe without reader and leaves SIGPIPE as a shell leaves it.
    std::string command = "cd '" + ToUtf8(dir.Root()) + "' && exec timeout -s KILL 10 ";
    if (closedPipe) command += "perl -e 'pipe R, W; close R; open STDOUT, \">&W\"; exec @ARGV' ";
    command += "'" + g_program + "'";
    for (const auto& arg : args) command += " '" + arg + "'";
    command += " >1 2>2";
    if (const int wstatus = std::system(command.c_str()); WIFEXITED(wstatus))
        status = WEXITSTATUS(wstatus);
    return {status, ReadAll(dir.Path("1")), ReadAll(dir.Path("2"))};
}
