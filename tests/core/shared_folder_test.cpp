// An office shares its data folder through a group: whoever saves, a shared folder stays shared and a
// private one stays private, whatever each user's umask.
#include "core/data_store.h"
#include "core/file_io.h"

#include "file_tree.h"
#include "ordinary_user.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace kakutei {
namespace {

using testing::modeOf;
using testing::TempRoot;

constexpr gid_t kOffice = 60100;
constexpr uid_t kClerk = 60101;
constexpr uid_t kPartner = 60102;

// Two users of one group on a setgid folder: a file the clerk makes, the partner replaces; both with
// umask 022, which alone would take the group's write permission away.
TEST(SharedFolder, TwoUsersOfOneGroupKeepAFolderShared) {
    TempRoot temp;
    const std::string root = temp.path() + "/office";
    ASSERT_EQ(::mkdir(root.c_str(), 0700), 0);
    ASSERT_EQ(::chown(root.c_str(), 0, kOffice), 0);
    ASSERT_EQ(::chmod(root.c_str(), 02770), 0);
    ::chmod(temp.path().c_str(), 0755);
    const std::string folder = root + "/所得税";
    const std::string file = folder + "/7.txt";

    bool possible = false;
    const int clerk = testing::exitStatusAs(
        kClerk, kClerk, {kOffice}, 022,
        [&] {
            return createFolder(folder) || writeFileAtomically(file, "a\r\n", WriteMode::createNew) ? 1 : 0;
        },
        &possible);
    if (!possible)
        GTEST_SKIP() << "only root can act as two users";
    ASSERT_EQ(clerk, 0);
    EXPECT_EQ(modeOf(folder).bits, 02770u);
    EXPECT_EQ(modeOf(folder).group, kOffice);
    EXPECT_EQ(modeOf(file).bits, 0660u);
    EXPECT_EQ(modeOf(file).group, kOffice);

    const int partner = testing::exitStatusAs(kPartner, kPartner, {kOffice}, 022, [&] {
        return writeFileAtomically(file, "b\r\n", WriteMode::replace) || copyFile(file, folder + "/8.txt")
                   ? 1
                   : 0;
    });
    ASSERT_EQ(partner, 0);
    EXPECT_EQ(modeOf(file).bits, 0660u);
    EXPECT_EQ(modeOf(file).group, kOffice);
    EXPECT_EQ(modeOf(folder + "/8.txt").bits, 0660u);
    EXPECT_EQ(modeOf(folder + "/8.txt").group, kOffice);
}

// A replaced file keeps the mode and group it had, even where they differ from the folder's; a new one
// takes the folder's bits without execute.
TEST(SharedFolder, AReplacedFileKeepsItsModeAndANewOneTakesItsFolders) {
    TempRoot temp;
    const std::string shared = temp.path() + "/shared";
    ASSERT_EQ(::mkdir(shared.c_str(), 0700), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 0750), 0);
    ::umask(077);
    ASSERT_FALSE(writeFileAtomically(shared + "/new.txt", "x", WriteMode::replace));
    ASSERT_FALSE(writeFileAtomically(shared + "/kept.txt", "x", WriteMode::replace));
    ASSERT_EQ(::chmod((shared + "/kept.txt").c_str(), 0604), 0);
    ASSERT_FALSE(writeFileAtomically(shared + "/kept.txt", "y", WriteMode::replace));
    ASSERT_FALSE(createFolder(shared + "/sub"));
    ::umask(022);
    EXPECT_EQ(modeOf(shared + "/new.txt").bits, 0640u);
    EXPECT_EQ(modeOf(shared + "/kept.txt").bits, 0604u);
    EXPECT_EQ(modeOf(shared + "/sub").bits, 0750u);

    // A data root made from nothing is private, and so is everything in it.
    const std::string fresh = temp.path() + "/fresh/data";
    DataStore store(fresh);
    ASSERT_FALSE(store.ensureFolders(kYearCode));
    ASSERT_FALSE(writeFileAtomically(store.path(names::taxpayerFile(7)), "x", WriteMode::createNew));
    EXPECT_EQ(modeOf(fresh).bits, 0700u);
    EXPECT_EQ(modeOf(fresh + "/所得税/H16所得税").bits, 0700u);
    EXPECT_EQ(modeOf(fresh + "/所得税/個人名/7.txt").bits, 0600u);
}

} // namespace
} // namespace kakutei
