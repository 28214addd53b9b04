// --help, --version and bad words through the program itself: answered at once, with no display and
// without touching the data.
#include "app/batch_commands.h"

#include "program_run.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kakutei {
namespace {

struct Case {
    std::vector<std::string> words;
    int status;
    std::string out;
    std::string err;
};

TEST(CommandLine, HelpAndVersionAnswerOnStdoutAndBadWordsAreUsageErrors) {
    const testing::TempRoot scratch;
    const std::string root = scratch.path() + "/data";
    const std::string usage = usageLine() + "\n";
    const Case cases[] = {
        {{"--help"}, 0, usage, ""},
        {{"-h"}, 0, usage, ""},
        // Asking for help with a command runs nothing.
        {{"--root", root, "print", "7", "--page", "1", "--help"}, 0, usage, ""},
        {{"--root", root, "recalc", "--all", "-h"}, 0, usage, ""},
        {{"--version"}, 0, "kakutei " KAKUTEI_EXPECTED_VERSION "\n", ""},
        {{"--bogus"}, 2, "", "知らないオプションです: --bogus\n" + usage},
        {{"--bogus", "--help"}, 2, "", "知らないオプションです: --bogus\n" + usage},
        {{"--root", root, "list", "--verbose"}, 2, "", "知らないオプションです: --verbose\n" + usage},
    };
    for (const Case& c : cases) {
        const std::string words = c.words.front() + (c.words.size() > 1 ? " … " + c.words.back() : "");
        const testing::ProgramRun run = testing::runProgram(
            "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM", KAKUTEI_BINARY, c.words, scratch);
        EXPECT_EQ(run.status, c.status) << words;
        EXPECT_EQ(run.out, c.out) << words;
        EXPECT_EQ(run.err, c.err) << words;
    }
    EXPECT_FALSE(std::filesystem::exists(root));
}

} // namespace
} // namespace kakutei
