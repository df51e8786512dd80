// Every way a run can stop: the message on standard error, exit status 1, the
// count line still last on standard output, and what is left on disk.
#include <filesystem>

#include "ConverterFixture.h"

namespace fs = std::filesystem;

namespace {

// What becomes of out.dvb in the folder.
enum class Destination { Absent, Empty };

struct FailureCase {
    const char* name;
    const char* settings;  // RAVELO.INI's contents; nullptr: no such file
    std::vector<std::string> args;
    // Standard error; "{dir}" stands for the folder, "{sep}" for the separator.
    std::string message;
    Destination destination = Destination::Absent;
    void (*prepare)(const TempDir&) = nullptr;  // beyond writing in.dvb
    std::string out = "Contagem de SR convertidos: 0\n";
};

// Two records; 1000 is replaced, 2000 is not.
const auto kSource = ChannelFile({1000, 2000});
const char* const kSettings = "SRD: 1000 > 300\n";
const std::string kCannotCreate = "Não foi possível criar o ficheiro\n";

const FailureCase kFailures[] = {
    {"MissingSettingsFile", nullptr, {"in.dvb", "out.dvb"},
     "{dir}{sep}RAVELO.INI: Não foi possivel aceder ao ficheiro de inicialização!\n"},
    {"MissingIniOptionFile", kSettings, {"--ini", "nada.ini", "in.dvb", "out.dvb"},
     "nada.ini: Não foi possivel aceder ao ficheiro de inicialização!\n"},
    {"EqualPaths", kSettings, {"in.dvb", "in.dvb"}, "Os ficheiros origem e destino são iguais!\n"},
    {"DestinationFolderMissing", kSettings, {"in.dvb", "{dir}{sep}falta{sep}out.dvb"},
     kCannotCreate + "{dir}{sep}falta{sep}out.dvb\n"},
    {"EmptySource", kSettings, {"in.dvb", "out.dvb"}, "out.dvb: O ficheiro não é válido.\n",
     Destination::Empty, [](const TempDir& dir) { dir.Write("in.dvb", ""); }},
    {"SourceShorterThanARecord", kSettings, {"in.dvb", "out.dvb"},
     "out.dvb: O stream fonte poderá estar corrupto.\n", Destination::Empty,
     [](const TempDir& dir) {
         dir.Write("in.dvb", std::string(10, 'x'));
         dir.Write("out.dvb", "old contents");
     }},
    // The source under another name is held by the run: creating it fails
    // before anything is emptied.
#ifdef _WIN32
    {"SourceInOtherLetterCaseAsDestination", kSettings, {"in.dvb", "IN.DVB"},
     kCannotCreate + "IN.DVB\n"},
#else
    {"SourceBySymbolicLinkAsDestination", kSettings, {"in.dvb", "link.dvb"},
     kCannotCreate + "link.dvb\n", Destination::Absent,
     [](const TempDir& dir) { fs::create_symlink("in.dvb", FromUtf8(dir.Path("link.dvb"))); }},
    // Both records are converted before the block is written and fails.
    {"DestinationDeviceFull", kSettings, {"in.dvb", "/dev/full"},
     "Não foi possível gravar o ficheiro\n/dev/full\n", Destination::Absent, nullptr,
     "07D0\t2000\t2\nContagem de SR convertidos: 1\n"},
#endif
};

void PrintTo(const FailureCase& failure, std::ostream* os) { *os << failure.name; }

std::string Expand(std::string text, const TempDir& dir) {
    const std::pair<std::string, std::string> names[] = {{"{dir}", ToUtf8(dir.Root())},
                                                         {"{sep}", std::string(1, kSeparator)}};
    for (const auto& [name, value] : names)
        for (std::size_t at; (at = text.find(name)) != std::string::npos;)
            text.replace(at, name.size(), value);
    return text;
}

class ConvertFailureTest : public ConverterTest,
                           public ::testing::WithParamInterface<FailureCase> {};

}  // namespace

TEST_P(ConvertFailureTest, ShowsItsMessageAndEndsWithStatusOne) {
    const FailureCase& failure = GetParam();
    if (failure.settings) dir.Write("RAVELO.INI", failure.settings);
    dir.Write("in.dvb", kSource);
    if (failure.prepare) failure.prepare(dir);
    const std::vector<uint8_t> source = ReadAll(dir.Path("in.dvb"));
    std::vector<std::string> args;
    for (const auto& arg : failure.args) args.push_back(Expand(arg, dir));

    const ProgramResult run = Convert(args);

    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, Expand(failure.message, dir));
    EXPECT_EQ(run.out, failure.out);
    EXPECT_EQ(ReadAll(dir.Path("in.dvb")), source) << "the source must stay intact";
    if (failure.destination == Destination::Absent) {
        EXPECT_FALSE(Exists("out.dvb"));
    } else if (failure.destination == Destination::Empty) {
        ASSERT_TRUE(Exists("out.dvb"));
        EXPECT_EQ(fs::file_size(FromUtf8(dir.Path("out.dvb"))), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, ConvertFailureTest, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });
