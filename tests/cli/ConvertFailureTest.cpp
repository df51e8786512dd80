// Every way a run can stop: the message on standard error, exit status 1, the
// count line still last on standard output, and what is left on disk.
#include <filesystem>
#include <functional>

#include "ConverterFixture.h"

namespace fs = std::filesystem;

namespace {

struct FailureCase {
    const char* name;
    // Prepares the folder and returns the arguments.
    std::function<std::vector<std::string>(const TempDir&)> prepare;
    // Standard error, from the folder's path.
    std::function<std::string(const TempDir&)> message;
    // What must hold of the folder afterwards.
    std::function<void(const TempDir&)> check;
    // Standard output: no rows unless a record was taken in before the stop.
    const char* out = "Contagem de SR convertidos: 0\n";
};

const auto kSource = ChannelFile({1000, 2000});

void WriteSettingsAndSource(const TempDir& dir) {
    dir.Write("RAVELO.INI", "SRD: 1000 > 300\n");
    dir.Write("in.dvb", kSource);
}

void SourceIntactNoDestination(const TempDir& dir) {
    EXPECT_EQ(ReadAll(dir.Path("in.dvb")), kSource);
    EXPECT_FALSE(fs::exists(FromUtf8(dir.Path("out.dvb"))));
}

const FailureCase kFailures[] = {
    {"MissingSettingsFile",
     [](const TempDir& dir) {
         dir.Write("in.dvb", kSource);
         return std::vector<std::string>{"in.dvb", "out.dvb"};
     },
     [](const TempDir& dir) {
         return ToUtf8(dir.Root()) + kSeparator +
                "RAVELO.INI: Não foi possivel aceder ao ficheiro de inicialização!\n";
     },
     SourceIntactNoDestination},
    {"MissingIniOptionFile",
     [](const TempDir& dir) {
         WriteSettingsAndSource(dir);
         return std::vector<std::string>{"--ini", "nada.ini", "in.dvb", "out.dvb"};
     },
     [](const TempDir&) {
         return std::string("nada.ini: Não foi possivel aceder ao ficheiro de inicialização!\n");
     },
     SourceIntactNoDestination},
    {"EqualPaths",
     [](const TempDir& dir) {
         WriteSettingsAndSource(dir);
         return std::vector<std::string>{"in.dvb", "in.dvb"};
     },
     [](const TempDir&) { return std::string("Os ficheiros origem e destino são iguais!\n"); },
     SourceIntactNoDestination},
    {"MissingSource",
     [](const TempDir& dir) {
         dir.Write("RAVELO.INI", "");
         return std::vector<std::string>{"falta.dvb", "out.dvb"};
     },
     [](const TempDir&) { return std::string("Não foi possível localizar o ficheiro\nfalta.dvb\n"); },
     [](const TempDir& dir) { EXPECT_FALSE(fs::exists(FromUtf8(dir.Path("out.dvb")))); }},
    {"SourceIsAFolder",
     [](const TempDir& dir) {
         dir.Write("RAVELO.INI", "");
         fs::create_directory(FromUtf8(dir.Path("pasta")));
         return std::vector<std::string>{"pasta", "out.dvb"};
     },
     [](const TempDir&) { return std::string("Não foi possível localizar o ficheiro\npasta\n"); },
     [](const TempDir& dir) { EXPECT_FALSE(fs::exists(FromUtf8(dir.Path("out.dvb")))); }},
    {"DestinationFolderMissing",
     [](const TempDir& dir) {
         WriteSettingsAndSource(dir);
         return std::vector<std::string>{"in.dvb", dir.Path("falta") + kSeparator + "out.dvb"};
     },
     [](const TempDir& dir) {
         return "Não foi possível criar o ficheiro\n" + dir.Path("falta") + kSeparator + "out.dvb\n";
     },
     [](const TempDir& dir) { EXPECT_EQ(ReadAll(dir.Path("in.dvb")), kSource); }},
    {"EmptySource",
     [](const TempDir& dir) {
         dir.Write("RAVELO.INI", "");
         dir.Write("in.dvb", "");
         return std::vector<std::string>{"in.dvb", "out.dvb"};
     },
     [](const TempDir&) { return std::string("out.dvb: O ficheiro não é válido.\n"); },
     [](const TempDir& dir) {
         ASSERT_TRUE(fs::exists(FromUtf8(dir.Path("out.dvb"))));
         EXPECT_EQ(fs::file_size(FromUtf8(dir.Path("out.dvb"))), 0u);
     }},
    {"SourceShorterThanARecord",
     [](const TempDir& dir) {
         dir.Write("RAVELO.INI", "");
         dir.Write("in.dvb", std::string(10, 'x'));
         dir.Write("out.dvb", "old contents");
         return std::vector<std::string>{"in.dvb", "out.dvb"};
     },
     [](const TempDir&) { return std::string("out.dvb: O stream fonte poderá estar corrupto.\n"); },
     [](const TempDir& dir) { EXPECT_EQ(fs::file_size(FromUtf8(dir.Path("out.dvb"))), 0u); }},
    // The same file under another name is held by the run and cannot be
    // created over it; the source must come out untouched.
    {"SourceByRelativePathAsDestination",
     [](const TempDir& dir) {
         WriteSettingsAndSource(dir);
         return std::vector<std::string>{"in.dvb", std::string(".") + kSeparator + "in.dvb"};
     },
     [](const TempDir&) {
         return std::string("Não foi possível criar o ficheiro\n.") + kSeparator + "in.dvb\n";
     },
     [](const TempDir& dir) { EXPECT_EQ(ReadAll(dir.Path("in.dvb")), kSource); }},
    {"SourceByHardLinkAsDestination",
     [](const TempDir& dir) {
         WriteSettingsAndSource(dir);
         fs::create_hard_link(FromUtf8(dir.Path("in.dvb")), FromUtf8(dir.Path("link.dvb")));
         return std::vector<std::string>{"in.dvb", "link.dvb"};
     },
     [](const TempDir&) { return std::string("Não foi possível criar o ficheiro\nlink.dvb\n"); },
     [](const TempDir& dir) { EXPECT_EQ(ReadAll(dir.Path("in.dvb")), kSource); }},
#ifdef _WIN32
    {"SourceInOtherLetterCaseAsDestination",
     [](const TempDir& dir) {
         WriteSettingsAndSource(dir);
         return std::vector<std::string>{"in.dvb", "IN.DVB"};
     },
     [](const TempDir&) { return std::string("Não foi possível criar o ficheiro\nIN.DVB\n"); },
     [](const TempDir& dir) { EXPECT_EQ(ReadAll(dir.Path("in.dvb")), kSource); }},
#else
    {"SourceBySymbolicLinkAsDestination",
     [](const TempDir& dir) {
         WriteSettingsAndSource(dir);
         fs::create_symlink("in.dvb", FromUtf8(dir.Path("link.dvb")));
         return std::vector<std::string>{"in.dvb", "link.dvb"};
     },
     [](const TempDir&) { return std::string("Não foi possível criar o ficheiro\nlink.dvb\n"); },
     [](const TempDir& dir) { EXPECT_EQ(ReadAll(dir.Path("in.dvb")), kSource); }},
    {"DestinationDeviceFull",
     [](const TempDir& dir) {
         WriteSettingsAndSource(dir);
         return std::vector<std::string>{"in.dvb", "/dev/full"};
     },
     [](const TempDir&) { return std::string("Não foi possível gravar o ficheiro\n/dev/full\n"); },
     [](const TempDir& dir) { EXPECT_EQ(ReadAll(dir.Path("in.dvb")), kSource); },
     // The first record was converted before its write failed.
     "Contagem de SR convertidos: 1\n"},
#endif
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class ConvertFailureTest : public ConverterTest,
                           public ::testing::WithParamInterface<FailureCase> {};

}  // namespace

TEST_P(ConvertFailureTest, ShowsItsMessageAndEndsWithStatusOne) {
    const FailureCase& failure = GetParam();
    const ProgramResult run = Convert(failure.prepare(dir));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, failure.message(dir));
    EXPECT_EQ(run.out, failure.out);
    failure.check(dir);
}

INSTANTIATE_TEST_SUITE_P(Cli, ConvertFailureTest, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });
