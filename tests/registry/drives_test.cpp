// Whether a folder chosen for a backup lies apart from the data, judged by where the two really are.
#include "registry/drives.h"

#include "core/path_text.h"

#include "fixture_files.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kakutei {
namespace {

using testing::TempRoot;

struct OverlapCase {
    const char* chosen; // below the temporary folder that holds the data folder "data"
    Overlap overlap;
};

TEST(Drives, AChosenFolderIsComparedWithTheDataWhereverItReallyIs) {
    TempRoot top;
    top.writeBytes("data/所得税/個人名/7.txt", "seven");
    top.writeBytes("バックアップ/所得税/7.txt", "seven");
    const OverlapCase cases[] = {
        {"data", Overlap::same},
        {"data/", Overlap::same},
        {"data/./所得税/..", Overlap::same},
        {"バックアップ/../data", Overlap::same},
        {"data/所得税", Overlap::inside},
        {"data/所得税/個人名", Overlap::inside},
        {"", Overlap::contains},
        {"バックアップ", Overlap::none},
        {"バックアップ/所得税", Overlap::none},
        {"missing", Overlap::unresolved},
    };
    for (const OverlapCase& item : cases)
        EXPECT_EQ(overlapWithData(top.path() + "/data", top.path() + "/" + item.chosen), item.overlap)
            << item.chosen;
    EXPECT_EQ(overlapWithData(top.path() + "/missing", top.path() + "/data"), Overlap::unresolved);
}

TEST(Drives, ALinkToTheDataIsTheData) {
    TempRoot top;
    top.writeBytes("data/所得税/7.txt", "seven");
    if (const std::error_code error = testing::makeLink(top.path() + "/data", top.path() + "/リンク", true))
        GTEST_SKIP() << "this system lets no link be made here: " << error.message();
    EXPECT_EQ(overlapWithData(top.path() + "/data", top.path() + "/リンク"), Overlap::same);
    EXPECT_EQ(overlapWithData(top.path() + "/data", top.path() + "/リンク/所得税"), Overlap::inside);
    EXPECT_EQ(overlapWithData(top.path() + "/リンク/所得税", top.path()), Overlap::contains);
}

} // namespace
} // namespace kakutei
