#include "ConverterFixture.h"

#include <cstdio>
#include <filesystem>

namespace {

std::string g_program;

}  // namespace

const std::string& ConverterProgram() { return g_program; }

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
