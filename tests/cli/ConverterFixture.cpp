#include "ConverterFixture.h"

#include <cstdio>
#include <filesystem>

namespace {

std::string g_program;

}  // namespace

const std::string& ConverterProgram() { return g_program; }

std::vector<uint8_t> ChannelFile(std::initializer_list<unsigned> rates) {
    std::vector<uint8_t> file;
    unsigned recordNo = 0;
    for (unsigned rate : rates) {
        for (unsigned i = 0; i < 64; ++i) file.push_back(static_cast<uint8_t>(recordNo * 7 + i));
        file[file.size() - 64 + 10] = static_cast<uint8_t>(rate >> 8);
        file[file.size() - 64 + 11] = static_cast<uint8_t>(rate);
        ++recordNo;
    }
    return file;
}

std::vector<uint8_t> WithRate(std::vector<uint8_t> file, unsigned from, unsigned to) {
    for (std::size_t at = 0; at + 64 <= file.size(); at += 64) {
        if (file[at + 10] * 256u + file[at + 11] != from) continue;
        file[at + 10] = static_cast<uint8_t>(to >> 8);
        file[at + 11] = static_cast<uint8_t>(to);
    }
    return file;
}

bool ConverterTest::Exists(const std::string& name) const {
    return std::filesystem::exists(FromUtf8(dir.Path(name)));
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
#ifdef _WIN32
    // Under Wine the build passes a Unix path; drive Z: is the Unix root.
    std::string program = argv[argc - 1];
    if (argc == 2 && !program.empty() && program[0] == '/') {
        program = "Z:" + program;
        for (char& c : program)
            if (c == '/') c = '\\';
        argv[1] = program.data();
    }
#endif
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PATH-OF-RAVELO-CONVERT\n", argv[0]);
        return 2;
    }
    // The tests run the program from folders of their own.
    g_program = ToUtf8(std::filesystem::absolute(FromUtf8(argv[1])));
    return RUN_ALL_TESTS();
}
