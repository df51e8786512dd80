#include "ConvertFixture.h"

namespace {

using namespace std::string_literals;

// Past 2^32 converted records (a 256 GiB source) the count goes on; each view takes it whole.
static_assert(std::is_same_v<decltype(std::declval<ConversionEngine>().ConvertedCount()), uint64_t>);

std::string SyntaxError(const std::string& caption) { return Message("Erro de sintaxe em RAVELO.INI", caption, true); }

// What a run on a sound source stores, lists, counts and writes, from and to which names.
struct RunCase {
    const char* name;
    std::string settings;
    std::vector<uint16_t> in, out;
    Log rows, messages;
    uint32_t count;
    const char *from = "source.dvb", *to = "dest.dvb", *written = "dest.dvb";  // `written`: the file `to` names
};

const RunCase kRuns[] = {
    // A later rule replaces an earlier one, with 0 cancels it; numbers wrap modulo 2^32, and then
    // rules above 65535 never match (0x10005 and 93036 hold 5 and 27500 in their low 16 bits).
    {"LaterLinesWin", "; taxas\nSRD: 1000 > 300\nsrh: 3e8 > 12d\r\nSRD: 5 > 9\nSRD: 5 > 0\nSRH: 10005 > 9\n"
     "SRD: 4294994796 > 7\nSRD: 93036 > 8\n", {1000, 27500, 5}, {301, 7, 5}, {"row 0005 5 3"}, {kCompleted}, 2},
    // The caption: the line with a-z upper-cased, cut at a zero byte, shown as Windows-1252 unless
    // UTF-8, controls as pictures; a CR before the line end is part of the line.
    {"SyntaxErrorsAreReportedAndSkipped", "srh: zz > 1 `az{\nSRD: 1000 >\r\nSRD: 7 > 8\nSRH: 10 > 20 SRD: x\nsrd: \xE7\xE3\x1B\x9D\r\r\nsrd: 1 >\0 2\n"s,
     {7, 16}, {8, 16}, {"row 0010 16 2"},
     {SyntaxError("SRH: ZZ > 1 `AZ{\n"), SyntaxError("SRD: 1000 >\n"), SyntaxError("SRH: 10 > 20 SRD: X\n"),
      SyntaxError("SRD: çã␛�␍\n"), SyntaxError("SRD: 1 >"), kCompleted}, 1},
    // Replacements keep their low 16 bits. Each unknown rate is listed once.
    {"ReplacementsKeepTheirLow16Bits", "SRD: 100 > 0\nSRD: 200 > 200\nSRD: 300 > 65536\nSRD: 400 > -1\n\n",
     {100, 200, 300, 400, 400, 0, 65535, 100, 0}, {100, 200, 0, 65535, 65535, 0, 65535, 100, 0},
     {"row 0064 100 1", "row 0000 0 6", "row FFFF 65535 7"}, {kCompleted}, 4},
#ifndef _WIN32
    // A link names its file, as source or as destination; names that differ in case are other files.
    {"Links", "SRD: 1000 > 300", {1000, 7}, {300, 7}, {"row 0007 7 2"}, {kCompleted}, 1, "in.dvb", "link.dvb", "target.dvb"},
    {"HardLink", "SRD: 1000 > 300", {1000}, {300}, {}, {kCompleted}, 1, "source.dvb", "hard.dvb", "other.dvb"},
    {"OtherCase", "SRD: 1000 > 300", {1000}, {300}, {}, {kCompleted}, 1, "source.dvb", "SOURCE.DVB", "SOURCE.DVB"},
#endif
};

class RunTest : public ConvertFixture, public ::testing::WithParamInterface<RunCase> {};

// Meanwhile another run reads the same settings file and, where readers share, the same source.
TEST_P(RunTest, StoresListsCountsAndRewritesTheRates) {
    const RunCase& c = GetParam();
    dir.Write("RAVELO.INI", c.settings);
    dir.Write("source.dvb", ChannelFile(c.in));
    CFile anotherRun[2];
    ASSERT_TRUE(anotherRun[0].Open(dir.Path("RAVELO.INI"), CFile::Mode::ReadSettings));
#ifndef _WIN32
    ASSERT_TRUE(anotherRun[1].Open(source, CFile::Mode::ReadData));
    std::filesystem::create_symlink("source.dvb", dir.Root() / "in.dvb");
    std::filesystem::create_symlink("target.dvb", dir.Root() / "link.dvb");
    std::filesystem::create_hard_link(FromUtf8(dir.Write("other.dvb", "old")), dir.Root() / "hard.dvb");
#endif
    converter.typedSource = dir.Path(c.from), converter.typedDestination = dir.Path(c.to);
    EXPECT_TRUE(Run());
    EXPECT_EQ(converter.Lines("row"), c.rows);
    EXPECT_EQ(converter.Lines("message"), c.messages);
    EXPECT_EQ(converter.engine.ConvertedCount(), c.count);
    EXPECT_EQ(ReadAll(dir.Path(c.written)), ChannelFile(c.out)) << "only the two rate bytes may change";
}

INSTANTIATE_TEST_SUITE_P(Engine, RunTest, ::testing::ValuesIn(kRuns), [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConvertFixture, ARunShowsCountBarAndRowsInOrder) {
    dir.Write("source.dvb", ChannelFile({1000, 10}));
    EXPECT_TRUE(Run());
    EXPECT_EQ(converter.log, (Log{"count 0", "clear", "progress 0", "count 1", "progress 50", "row 000A 10 2", "progress 100", kCompleted}));
    // Each run reads RAVELO.INI anew (no rule outlives the file it came from) and counts from 0;
    // a refused row is not offered again, but a new run's is.
    converter.refuseRows = true;
    dir.Write("RAVELO.INI", "\n");
    dir.Write("source.dvb", ChannelFile({1000}) + ChannelFile(std::vector<uint16_t>(99, 10)));
    EXPECT_TRUE(Run());
    EXPECT_EQ(converter.Lines("row"), (Log{"row 03E8 1000 1", "row 000A 10 2"}));
    EXPECT_EQ(converter.log.front(), "count 0") << "not the last run's count";
    EXPECT_EQ(converter.engine.ConvertedCount(), 0u);
    const Log progress = converter.Lines("progress");
    ASSERT_GE(progress.size(), 54u);
    EXPECT_EQ(progress[29], "progress 28");  // record 30, position 1856 of 6400
    EXPECT_EQ(progress[53], "progress 53");
}

// Runs that stop: the log, and what is left on disk.
struct StopCase {
    const char* name;
    std::optional<std::string> source;            // none: no source file
    std::optional<const char*> typedDestination;  // none: dest.dvb
    Log log;
    std::optional<std::string> destinationAfter;  // none: as it was (each row runs without one, then over an old one)
    const char* workDir = "{ROOT}";
    int abandonAt = 0;  // the record whose progress call abandons the run; -1: the stop flag is up
};

const std::string kTwo = ChannelFile({1000, 10});

const char* const kNoSettings = "Não foi possivel aceder ao ficheiro de inicialização!";

const StopCase kStops[] = {
    // RAVELO.INI is read before the paths are compared; names in messages are shown, not obeyed.
    {"NoSettingsFile", kTwo, "{SOURCE}", {"count 0", Message(kNoSettings, "{ROOT}/no␛{SEP}RAVELO.INI", true)}, {}, "{ROOT}/no\x1B"},
    // A working directory that cannot be named never falls back to another folder's file.
    {"UnknownWorkingDirectory", kTwo, {}, {"count 0", Message(kNoSettings, "{SEP}RAVELO.INI", true)}, {}, ""},
    {"EqualPaths", kTwo, "{SOURCE}", {"count 0", Message("Os ficheiros origem e destino são iguais!", "(app)", false)}, {}},
    {"MissingSource", {}, {}, {"count 0", Message("Não foi possível localizar o ficheiro\n{SOURCE}", "(app)", false)}, {}},
    {"UncreatableDestination", kTwo, "{ROOT}/missing/\x1B]0;T\a.dvb",
     {"count 0", Message("Não foi possível criar o ficheiro\n{ROOT}/missing/␛]0;T␇.dvb", "(app)", false)}, {}},
    // The settings file read for the run, under any name, is left as it was.
    {"SettingsFileAsDestination", kTwo, "{ROOT}/./RAVELO.INI", {"count 0", Message("Não foi possível criar o ficheiro\n{DEST}", "(app)", false)}, {}},
    // A run that fails leaves the destination as it was, or none; a damaged source's records replace it.
    {"EmptySource", "", {}, {"count 0", Message("O ficheiro não é válido.", "{DEST}", true)}, {}},
    {"DamagedTail", kTwo + "xy", {}, {"count 0", "clear", "progress 0", "count 1", "progress 49", "row 000A 10 2", "progress 98",
      Message("O stream fonte poderá estar corrupto.", "{DEST}", true), "progress 100"}, ChannelFile({300, 10})},
    // Abandoned from the view, or by the stop flag as the console's Ctrl-C sets it: nothing more is said.
    {"Abandoned", ChannelFile({1000, 10, 1000}), {}, {"count 0", "clear", "progress 0", "count 1", "progress 33"}, {}, "{ROOT}", 2},
    {"StopFlag", kTwo, {}, {"count 0", "clear", "progress 0"}, {}, "{ROOT}", -1},
};

class StopTest : public ConvertFixture, public ::testing::WithParamInterface<StopCase> {};

TEST_P(StopTest, ReportsAndLeavesTheFilesAsExpected) {
    const StopCase& c = GetParam();
    if (c.source) dir.Write("source.dvb", *c.source);
    if (c.typedDestination) converter.typedDestination = Expand(*c.typedDestination);
    converter.engine.SetWorkingDirectory(Expand(c.workDir));
    volatile std::sig_atomic_t stop = c.abandonAt < 0;
    converter.engine.SetStopFlag(&stop), converter.abandonAt = std::max(c.abandonAt, 0);
    Log expected;
    for (const std::string& line : c.log) expected.push_back(Expand(line));
    for (const std::optional<std::string>& before : {std::optional<std::string>(), std::optional<std::string>("old")}) {
        if (before) dir.Write("dest.dvb", *before);
        EXPECT_FALSE(Run());
        EXPECT_EQ(converter.engine.Abandoned() && converter.engine.DestinationKept(), c.abandonAt != 0);
        EXPECT_EQ(converter.log, expected);
        EXPECT_EQ(ReadAll(source) + ReadAll(dir.Path("RAVELO.INI")), c.source.value_or("") + "SRD: 1000 > 300\nSRH: 6B6C > 55F0\n")
            << "the source and the settings stay intact";
        EXPECT_EQ(std::filesystem::exists(FromUtf8(destination)) ? std::optional(ReadAll(destination)) : std::nullopt, c.destinationAfter ? c.destinationAfter : before);
        EXPECT_TRUE(std::none_of(std::filesystem::directory_iterator(dir.Root()), {}, [](const auto& entry) { return entry.path().filename().u8string()[0] == '.'; })) << "a new file is left";
        ExpectNotHeld(source);
        ExpectNotHeld(converter.typedDestination);
    }
}

INSTANTIATE_TEST_SUITE_P(Engine, StopTest, ::testing::ValuesIn(kStops), [](const auto& info) { return std::string(info.param.name); });

// Lengths that a float cannot hold: the copy still stops exactly at the end.
TEST_F(ConvertFixture, ADamagedTailBeyondSixteenMebibytesIsReported) {
    const uint64_t records = (1u << 18) + 1;  // 16,777,280 bytes, which a float holds
    std::filesystem::resize_file(FromUtf8(dir.Write("source.dvb", "")), records * 64 + 1);
    EXPECT_FALSE(Run());
    EXPECT_EQ(converter.Lines("message"), Log{Message("O stream fonte poderá estar corrupto.", destination, true)});
    EXPECT_EQ(std::filesystem::file_size(FromUtf8(destination)), records * 64);
}

}  // namespace
