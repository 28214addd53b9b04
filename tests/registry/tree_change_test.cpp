// Changing and reading a 所得税 tree through its folders, on Linux and on Windows alike: a change shows
// nothing until it is committed and then all of it, an interrupted one is finished or forgotten, and a
// read opens nothing but regular files inside the tree.
#include "registry/tree_change.h"

#include "core/path_text.h"
#include "registry/folder_handle.h"

#include "fixture_files.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <map>

namespace kakutei {
namespace {

namespace fs = std::filesystem;
using testing::TempRoot;

constexpr std::string_view kStagingPrefix = ".kakutei-change-";

// Every file below `folder` with its bytes, folders as "name/" with nothing.
std::map<std::string, std::string> contents(const TempRoot& root, const std::string& folder) {
    std::map<std::string, std::string> found;
    const fs::path top = fsPath(root.path() + "/" + folder);
    if (!fs::exists(top))
        return found;
    for (const auto& entry : fs::recursive_directory_iterator(top)) {
        std::string name = utf8Path(fs::relative(entry.path(), top).generic_u8string());
        if (entry.is_directory())
            found[name + "/"] = "";
        else
            found[name] = root.readBytes(folder + "/" + name);
    }
    return found;
}

std::vector<std::string> stagingFolders(const TempRoot& root) {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(fsPath(root.path())))
        if (const std::string name = utf8Path(entry.path().filename()); name.starts_with(kStagingPrefix))
            found.push_back(name);
    return found;
}

struct TreeChangeTest : ::testing::Test {
    TempRoot root;
    TreeChangeTest() {
        root.writeBytes("所得税/個人名/9.txt", "nine");
        root.writeBytes("所得税/税理士名.txt", "old accountant");
    }
};

TEST_F(TreeChangeTest, ACommittedChangeShowsNothingBeforeAndEverythingAfter) {
    const auto before = contents(root, "所得税");
    TreeChange change(root.path());
    ASSERT_FALSE(change.error()) << change.error().message();
    EXPECT_FALSE(change.put("個人名/7.txt", "seven\r\n"));
    EXPECT_FALSE(change.put("税理士名.txt", "new accountant"));
    EXPECT_FALSE(change.put("H16所得税/71.txt", "in a new folder"));
    EXPECT_FALSE(change.remove("個人名/9.txt"));
    EXPECT_FALSE(change.remove("個人名/404.txt")); // not there: nothing to remove
    EXPECT_EQ(change.removals(), std::vector<std::string>{"個人名/9.txt"});

    EXPECT_EQ(contents(root, "所得税"), before);
    EXPECT_EQ(stagingFolders(root).size(), 1u);

    ASSERT_FALSE(change.commit());
    const std::map<std::string, std::string> after{
        {"H16所得税/", ""},
        {"H16所得税/71.txt", "in a new folder"},
        {"個人名/", ""},
        {"個人名/7.txt", "seven\r\n"},
        {"税理士名.txt", "new accountant"},
    };
    EXPECT_EQ(contents(root, "所得税"), after);
    EXPECT_TRUE(stagingFolders(root).empty());

    TreeReader reader(root.path());
    const SourceFile read = reader.read("個人名/7.txt");
    EXPECT_EQ(read.state, SourceState::ok);
    EXPECT_EQ(read.bytes, "seven\r\n");
}

TEST_F(TreeChangeTest, AChangeNeverCommittedLeavesTheTreeAsItWas) {
    const auto before = contents(root, "所得税");
    {
        TreeChange change(root.path());
        ASSERT_FALSE(change.put("個人名/7.txt", "seven"));
        ASSERT_FALSE(change.remove("税理士名.txt"));
    }
    EXPECT_EQ(contents(root, "所得税"), before);
    EXPECT_TRUE(stagingFolders(root).empty());
}

// What a file already holds is not written again; bytes of the same length that differ are, and so are the
// same bytes when a copy brings other permissions.
TEST_F(TreeChangeTest, AFileThatAlreadyHoldsItsBytesIsLeftAsItStands) {
    TreeChange same(root.path());
    ASSERT_FALSE(same.put("個人名/9.txt", "nine"));
    ASSERT_FALSE(same.put("税理士名.txt", "old accountant"));
    EXPECT_TRUE(same.empty());

    TreeChange other(root.path());
    ASSERT_FALSE(other.put("個人名/9.txt", "NINE"));
    EXPECT_FALSE(other.empty());
    ASSERT_FALSE(other.commit());
    EXPECT_EQ(root.readBytes("所得税/個人名/9.txt"), "NINE");
#ifndef _WIN32
    TempRoot source;
    source.writeBytes("所得税/個人名/9.txt", "NINE");
    fs::permissions(fsPath(source.path() + "/所得税/個人名/9.txt"), fs::perms(0640));
    TreeReader reader(source.path());
    TreeChange copy(root.path());
    ASSERT_FALSE(copy.copy("個人名/9.txt", reader.read("個人名/9.txt"), reader));
    EXPECT_FALSE(copy.empty());
    ASSERT_FALSE(copy.commit());
    EXPECT_EQ(fs::status(fsPath(root.path() + "/所得税/個人名/9.txt")).permissions(), fs::perms(0640));
#endif
}

TEST(TreeChangeIntoNothing, AMissingTreeIsMadeAndAMissingBaseRefused) {
    TempRoot empty;
    TreeChange change(empty.path());
    ASSERT_FALSE(change.put("個人名/7.txt", "seven"));
    ASSERT_FALSE(change.commit());
    EXPECT_EQ(empty.readBytes("所得税/個人名/7.txt"), "seven");

    TreeChange nowhere(empty.path() + "/missing");
    EXPECT_EQ(nowhere.error(), std::errc::no_such_file_or_directory);
    EXPECT_EQ(nowhere.put("7.txt", "x"), std::errc::no_such_file_or_directory);
    EXPECT_EQ(nowhere.commit(), std::errc::no_such_file_or_directory);
}

TEST_F(TreeChangeTest, APutOverAFolderOrWithANameOutsideTheTreeIsRefused) {
    fs::create_directories(fsPath(root.path() + "/所得税/個人名/8.txt"));
    TreeChange change(root.path());
    EXPECT_EQ(change.put("個人名/8.txt", "x"), std::errc::is_a_directory);
    EXPECT_EQ(change.remove("個人名/8.txt"), std::errc::is_a_directory);
    // Backslashes, drives and streams lead elsewhere on Windows.
    TreeReader reader(root.path());
    for (const char* name : {"../outside.txt", ".hidden", "個人名/", "a/b/c.txt", "",
                             "個人名\\..\\..\\outside.txt", "個人名/7.txt:hidden", "C:7.txt"}) {
        EXPECT_EQ(change.put(name, "x"), std::errc::invalid_argument) << name;
        EXPECT_EQ(change.remove(name), std::errc::invalid_argument) << name;
        EXPECT_EQ(reader.read(name).error, std::errc::invalid_argument) << name;
    }
    EXPECT_TRUE(change.empty());
}

struct ReadCase {
    const char* name;
    SourceState state;
    const char* bytes;
};

TEST_F(TreeChangeTest, AReadSaysWhatStandsAtTheName) {
    fs::create_directories(fsPath(root.path() + "/所得税/個人名/folder.txt"));
    root.writeBytes("所得税/H16所得税", "a file where a folder should be");
    root.writeBytes("所得税/個人名/large.txt", std::string(kLargestStoredFile + 1, 'x'));
    root.writeBytes("所得税/個人名/largest.txt", std::string(kLargestStoredFile, 'x'));
    const ReadCase cases[] = {
        {"個人名/9.txt", SourceState::ok, "nine"},
        {"税理士名.txt", SourceState::ok, "old accountant"},
        {"個人名/404.txt", SourceState::missing, ""},
        {"年末調整/1.txt", SourceState::missing, ""},
        {"個人名/folder.txt", SourceState::notRegular, ""},
        {"H16所得税/71.txt", SourceState::notRegular, ""},
        {"個人名/large.txt", SourceState::tooLarge, ""},
        {"../outside.txt", SourceState::unreadable, ""},
    };
    TreeReader reader(root.path());
    ASSERT_FALSE(reader.error());
    for (const ReadCase& item : cases) {
        const SourceFile read = reader.read(item.name);
        EXPECT_EQ(read.state, item.state) << item.name;
        EXPECT_EQ(read.bytes, item.bytes) << item.name;
    }
    EXPECT_EQ(reader.read("個人名/largest.txt").bytes.size(), kLargestStoredFile);
}

TEST_F(TreeChangeTest, LinksAreNeverFollowed) {
    TempRoot outside;
    outside.writeBytes("secret.txt", "secret");
    outside.writeBytes("所得税/個人名/7.txt", "secret");
    std::error_code error =
        testing::makeLink(outside.path() + "/secret.txt", root.path() + "/所得税/個人名/7.txt", false);
    if (!error)
        error = testing::makeLink(outside.path() + "/所得税/個人名", root.path() + "/所得税/H16所得税", true);
    if (error)
        GTEST_SKIP() << "this system lets no link be made here: " << error.message();

    TreeReader reader(root.path());
    EXPECT_EQ(reader.read("個人名/7.txt").state, SourceState::link);
    // A link where a folder should be is no folder of the tree.
    const SourceFile throughFolder = reader.read("H16所得税/7.txt");
    EXPECT_EQ(throughFolder.state, SourceState::notRegular);
    EXPECT_EQ(throughFolder.where, "H16所得税");

    TreeChange change(root.path());
    EXPECT_EQ(change.put("H16所得税/7.txt", "x"), std::errc::not_a_directory);
    ASSERT_FALSE(change.put("個人名/7.txt", "replaces the link"));
    ASSERT_FALSE(change.commit());
    EXPECT_FALSE(fs::is_symlink(fsPath(root.path() + "/所得税/個人名/7.txt")));
    EXPECT_EQ(root.readBytes("所得税/個人名/7.txt"), "replaces the link");
    EXPECT_EQ(outside.readBytes("secret.txt"), "secret");
}

// What an interrupted change leaves: its staged files and, once it got that far, its plan.
struct InterruptedChange {
    const char* name;
    const char* plan; // nullptr: stopped before it
    int hoursOld;
    bool finished;
    bool folderLeft;
};

#ifndef _WIN32
// The nth rename from now fails with EIO; the others go through.
struct FailingRename {
    explicit FailingRename(int nth) {
        countdown = nth;
        folder_handle_testing::renameAt = [](int fromFolder, const char* from, int toFolder, const char* to) {
            if (--countdown == 0) {
                errno = EIO;
                return -1;
            }
            return ::renameat(fromFolder, from, toFolder, to);
        };
    }
    ~FailingRename() { folder_handle_testing::renameAt = ::renameat; }
    static inline int countdown = 0;
};

// A rename that fails at each step of swapping a change in: the commit says so, never "done". Before the
// plan is in place the tree stays as it was; after, the plan stays and the next start finishes the change,
// so that no tree is left half old and half new.
TEST_F(TreeChangeTest, ARenameThatFailsAtAnyStepIsReportedAndTheChangeFinishedLater) {
    const auto before = contents(root, "所得税");
    const std::map<std::string, std::string> after{
        {"H16所得税/", ""},        {"H16所得税/71.txt", "in a new folder"}, {"個人名/", ""},
        {"個人名/7.txt", "seven"}, {"税理士名.txt", "new accountant"},
    };
    // The plan takes its name by the first rename, then each of the three files by one.
    for (int failing = 1; failing <= 4; ++failing) {
        SCOPED_TRACE(failing);
        {
            TreeChange change(root.path());
            ASSERT_FALSE(change.put("個人名/7.txt", "seven"));
            ASSERT_FALSE(change.put("税理士名.txt", "new accountant"));
            ASSERT_FALSE(change.put("H16所得税/71.txt", "in a new folder"));
            ASSERT_FALSE(change.remove("個人名/9.txt"));
            const FailingRename fails(failing);
            EXPECT_EQ(change.commit(), std::errc::io_error);
        }
        if (failing == 1)
            EXPECT_EQ(contents(root, "所得税"), before);
        else
            EXPECT_EQ(stagingFolders(root).size(), 1u); // the plan is kept for the next start
        const Recovery recovery = finishInterruptedChanges(root.path());
        EXPECT_FALSE(recovery.error);
        EXPECT_EQ(contents(root, "所得税"), failing == 1 ? before : after);
        EXPECT_TRUE(stagingFolders(root).empty());

        fs::remove_all(fsPath(root.path() + "/所得税"));
        for (const auto& [name, bytes] : before)
            if (!name.ends_with("/"))
                root.writeBytes("所得税/" + name, bytes);
    }
}
#endif

TEST_F(TreeChangeTest, RecoveryFinishesAChangeWithAPlanAndForgetsAbandonedOnes) {
    const InterruptedChange cases[] = {
        {"stopped after its plan", "put\tf0\t個人名/7.txt\nremove\t個人名/9.txt\n", 0, true, false},
        {"stopped before its plan, just now (perhaps still running elsewhere)", nullptr, 0, false, true},
        {"stopped before its plan, long ago", nullptr, 2, false, false},
        {"a plan cut short", "put\tf0\t個人名/7.txt\nremove\t個人", 2, false, false},
        {"a plan leading out of the tree", "put\tf0\t../7.txt\n", 2, false, false},
        {"a plan naming a file it did not stage", "put\t../f0\t個人名/7.txt\n", 2, false, false},
        {"a copy's plan, with the folders it makes",
         "folder\t448\t-1\t\nfolder\t1528\t60100\t個人名\nput\tf0\t個人名/7.txt\nremove\t個人名/9.txt\n", 0,
         true, false},
        {"a folder's bits out of range", "folder\t4096\t-1\t個人名\nput\tf0\t個人名/7.txt\n", 2, false,
         false},
        {"a folder leading out of the tree", "folder\t448\t-1\t..\nput\tf0\t個人名/7.txt\n", 2, false, false},
    };
    const auto before = contents(root, "所得税");
    const std::string staging = std::string(kStagingPrefix) + "Ab12Cd";
    for (const InterruptedChange& change : cases) {
        root.writeBytes(staging + "/f0", "seven");
        if (change.plan)
            root.writeBytes(staging + "/plan", change.plan);
        ASSERT_FALSE(
            testing::setModified(root.path() + "/" + staging,
                                 std::chrono::system_clock::now() - std::chrono::hours(change.hoursOld)));

        const Recovery recovery = finishInterruptedChanges(root.path());
        EXPECT_FALSE(recovery.error) << change.name;
        EXPECT_EQ(recovery.finished, change.finished ? 1 : 0) << change.name;
        if (change.finished)
            EXPECT_EQ(contents(root, "所得税"), (std::map<std::string, std::string>{
                                                    {"個人名/", ""},
                                                    {"個人名/7.txt", "seven"},
                                                    {"税理士名.txt", "old accountant"},
                                                }))
                << change.name;
        else
            EXPECT_EQ(contents(root, "所得税"), before) << change.name;
        EXPECT_EQ(fs::exists(fsPath(root.path() + "/" + staging)), change.folderLeft) << change.name;

        fs::remove_all(fsPath(root.path() + "/" + staging));
        fs::remove_all(fsPath(root.path() + "/所得税"));
        for (const auto& [name, bytes] : before)
            if (!name.ends_with("/"))
                root.writeBytes("所得税/" + name, bytes);
    }
}

} // namespace
} // namespace kakutei
