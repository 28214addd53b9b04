// The output gate, on Linux and on Windows alike: no PDF or CSV goes into the data folder, however the path
// is spelt or wherever a link leads, and none is ever written over a record.
#include "registry/output_gate.h"

#include "core/path_text.h"
#include "core/store_error.h"

#include "fixture_files.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kakutei {
namespace {

using testing::TempRoot;

struct OutputGateTest : ::testing::Test {
    TempRoot top; // holds the data folder "data" and a folder of outputs "out"
    std::string data = top.path() + "/data";
    OutputGate gate{data};
    OutputGateTest() {
        top.writeBytes("data/所得税/個人名/7.txt", "seven");
        top.writeBytes("data-2/所得税/個人名/7.txt", "another root that only starts alike");
        top.writeBytes("out/old.csv", "old");
    }
};

TEST_F(OutputGateTest, APathInTheDataFolderIsRefusedHoweverItIsSpelt) {
    const struct {
        const char* path; // below the temporary folder
        bool refused;
    } cases[] = {
        {"data/所得税/個人名/7.txt", true},              // a record
        {"data/所得税/個人名/8.txt", true},              // a record not there yet
        {"data/一覧.csv", true},                         // beside 所得税
        {"data", true},                                  // a folder for PDFs: the data folder itself
        {"data/所得税/新しいフォルダ/第一表.pdf", true}, // in a folder still to be made there
        {"data//所得税/./個人名/../個人名/7.txt", true}, // doubled separators, "." and ".."
        {"out/../data/所得税/個人名/7.txt", true},       // from outside back in
        {"out/一覧.csv", false},                         // a new output
        {"out/old.csv", false},                          // an output replaced
        {"out", false},                                  // a folder for PDFs
        {"out/まだない/一覧.csv", false},                // its folder missing: the write says so
        {"data-2/所得税/個人名/7.txt", false},           // another tree, whose name only starts alike
        {"", false},                                     // the folder that holds the data folder
    };
    for (const auto& c : cases) {
        const std::string path = top.path() + "/" + c.path;
        EXPECT_EQ(gate.refusal(path),
                  c.refused ? make_error_code(StoreErrc::insideDataFolder) : std::error_code())
            << c.path;
    }
}

TEST_F(OutputGateTest, ALinkIsJudgedByWhereItLeads) {
    if (const std::error_code error =
            testing::makeLink(data + "/所得税/個人名/7.txt", top.path() + "/out/record.csv", false))
        GTEST_SKIP() << "this system lets no link be made here: " << error.message();
    ASSERT_FALSE(testing::makeLink(data + "/所得税", top.path() + "/out/data-link", true));
    ASSERT_FALSE(testing::makeLink(top.path() + "/out", data + "/所得税/to-out", true));
    const struct {
        const char* path;
        bool refused;
    } cases[] = {
        {"out/record.csv", true},               // a link to a record
        {"out/data-link/一覧.csv", true},       // into a linked folder of the data
        {"data/所得税/to-out/一覧.csv", false}, // a link out of the data leads out of it
    };
    for (const auto& c : cases)
        EXPECT_EQ(gate.refusal(top.path() + "/" + c.path),
                  c.refused ? make_error_code(StoreErrc::insideDataFolder) : std::error_code())
            << c.path;
}

TEST_F(OutputGateTest, AWriteGoesOutsideWholeAndNeverOverARecord) {
    EXPECT_EQ(gate.write(data + "/所得税/個人名/7.txt", "a,b\r\n"), StoreErrc::insideDataFolder);
    EXPECT_EQ(top.readBytes("data/所得税/個人名/7.txt"), "seven");
    EXPECT_EQ(gate.write(data + "/一覧.csv", "a,b\r\n"), StoreErrc::insideDataFolder);
    EXPECT_FALSE(std::filesystem::exists(fsPath(data + "/一覧.csv")));

    EXPECT_FALSE(gate.write(top.path() + "/out/old.csv", "a,b\r\n"));
    EXPECT_EQ(top.readBytes("out/old.csv"), "a,b\r\n");
}

} // namespace
} // namespace kakutei
