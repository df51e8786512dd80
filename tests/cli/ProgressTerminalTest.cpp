// With standard error on a terminal, a run draws its progress line there; the
// line is redrawn only when the percentage changes and erased at the end.
#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <regex>
#include <set>

#include "ConverterFixture.h"

namespace {

// Runs the converter with standard error on a new terminal; returns what the
// terminal received.
std::string RunOnTerminal(const TempDir& dir, const std::vector<std::string>& args, int& status) {
    std::vector<char*> argv{const_cast<char*>(ConverterProgram().c_str())};
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const std::string outPath = dir.Path("stdout.txt");
    int master = -1;
    const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
    if (pid == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || ::dup2(out, 1) < 0 || ::chdir(ToUtf8(dir.Root()).c_str()) != 0) ::_exit(127);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    std::string seen;
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(master, buffer, sizeof buffer)) > 0) seen.append(buffer, got);
    ::close(master);
    int wstatus = 0;
    ::waitpid(pid, &wstatus, 0);
    status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    return seen;
}

}  // namespace

TEST_F(ConverterTest, ProgressIsDrawnOnATerminalOncePerPercentageAndErased) {
    dir.Write("RAVELO.INI", "SRD: 7 > 8\n");
    std::vector<uint8_t> source;
    for (int i = 0; i < 100; ++i) {
        const auto record = ChannelFile({7});
        source.insert(source.end(), record.begin(), record.end());
    }
    dir.Write("in.dvb", source);

    int status = -1;
    const std::string terminal = RunOnTerminal(dir, {"in.dvb", "out.dvb"}, status);

    EXPECT_EQ(status, 0);
    std::multiset<int> drawn;
    std::size_t widest = 0;
    const std::regex draw("\r *([0-9]+)%  registo ([0-9]+)  convertidos ([0-9]+)");
    for (std::sregex_iterator it(terminal.begin(), terminal.end(), draw), end; it != end; ++it) {
        drawn.insert(std::stoi((*it)[1]));
        widest = std::max(widest, static_cast<std::size_t>(it->length()) - 1);
    }
    // 100 records give 98 different shares before a record (28 and 53 come
    // twice), then the final 100.
    EXPECT_EQ(drawn.size(), 99u);
    EXPECT_EQ(std::set<int>(drawn.begin(), drawn.end()).size(), drawn.size());
    EXPECT_EQ(drawn.count(100), 1u);
    // Blanks over the widest line, then the message on a clean line.
    const std::string tail = "\r" + std::string(widest, ' ') + "\rConcluído com sucesso.\r\n";
    ASSERT_GE(terminal.size(), tail.size());
    EXPECT_EQ(terminal.substr(terminal.size() - tail.size()), tail);
    const auto out = ReadAll(dir.Path("stdout.txt"));
    EXPECT_EQ(std::string(out.begin(), out.end()), "Contagem de SR convertidos: 100\n");
}
