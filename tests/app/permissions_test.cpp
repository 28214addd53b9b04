// Everything the program creates is its owner's alone: files 0600, folders 0700, also in backups.
#include "app/batch_commands.h"

#include "core/taxpayer_record.h"
#include "print/printing_screen.h"
#include "registry/registration_screen.h"
#include "registry/tree_change.h"
#include "shell/app.h"
#include "shell/main_menu.h"

#include "fake_user_interface.h"
#include "file_tree.h"
#include "screen_fixture.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace kakutei {
namespace {

void expectPrivate(const std::string& base) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(base)) {
        struct stat info {};
        ASSERT_EQ(::stat(entry.path().c_str(), &info), 0);
        const unsigned mode = info.st_mode & 0777;
        if (entry.is_directory())
            EXPECT_EQ(mode, 0700u) << entry.path();
        else
            EXPECT_EQ(mode, 0600u) << entry.path();
    }
}

TEST(Permissions, FilesAndFoldersOfAWholeFlowAndItsBackup) {
    testing::TempRoot temp;
    const std::string root = temp.path() + "/data";
    const std::string backup = temp.path() + "/backup";
    std::filesystem::create_directory(backup);
    ::chmod(backup.c_str(), 0700);
    ::umask(022); // what most desktops run with
    {
        DataStore store(root);
        testing::FakeUserInterface ui;
        App app(store, ui);
        app.start();
        app.mainMenu().registration();
        app.registration().text1.text = "7";
        app.registration().text5.text = "七";
        app.registration().registerTaxpayer();
        app.mainMenu().taxAccountant.text5.text = "税理士";
        app.mainMenu().taxAccountant.save();
        app.mainMenu().text3.text = "7";
        app.mainMenu().callUp();
        app.screen(ScreenId::income)->calculate();
        app.mainMenu().print();
        app.screenAs<PrintingScreen>(ScreenId::printing)->storeOffsets();
    }
    const auto run = [&](std::vector<const char*> words) {
        words.insert(words.begin(), {"kakutei", "--root", root.c_str()});
        std::ostringstream out, err;
        return runBatchCommand(parseCommandLine(static_cast<int>(words.size()), words.data()), out, err);
    };
    EXPECT_EQ(run({"recalc", "7"}), 0);
    EXPECT_EQ(run({"backup", backup.c_str()}), 0);
    expectPrivate(root);
    expectPrivate(backup + "/所得税");
    EXPECT_TRUE(std::filesystem::exists(root + "/所得税/H16所得税/75.txt"));
    EXPECT_TRUE(std::filesystem::exists(backup + "/所得税/H16所得税/75.txt"));
}

constexpr gid_t kOffice = 60100;

struct Bits {
    unsigned folder;
    unsigned file;
    gid_t group;
};

// Every folder and file below `base` has `bits`.
void expectBits(const std::string& base, const Bits& bits, const std::string& trace) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(base)) {
        const testing::FileMode mode = testing::modeOf(entry.path());
        EXPECT_EQ(mode.bits, entry.is_directory() ? bits.folder : bits.file) << trace << entry.path();
        EXPECT_EQ(mode.group, bits.group) << trace << entry.path();
    }
}

// A backup is the data's copy, private or shared as the data is, whatever the folder it goes to would give
// a new file; a file it replaces takes the data's bits too, so that an older backup anyone could read is
// private again.
TEST(Permissions, ABackupKeepsTheDatasOwnBitsWhateverItsFolderAllows) {
    const struct {
        const char* name;
        bool shared;      // the data: 2770 and 0660 of the office's group, else 0700 and 0600
        unsigned target;  // the backup folder's bits
        bool olderBackup; // a backup there from before, readable by anyone
    } cases[] = {
        {"private data into an open folder", false, 0755, false},
        {"private data into a folder anyone may write", false, 01777, false},
        {"private data over an older backup", false, 0755, true},
        {"shared data into an open folder", true, 0755, false},
    };
    ::umask(022);
    for (const auto& c : cases) {
        testing::TempRoot temp;
        const std::string root = temp.path() + "/data";
        const std::string backup = temp.path() + "/backup";
        ASSERT_EQ(::mkdir(root.c_str(), 0700), 0);
        if (c.shared && ::chown(root.c_str(), static_cast<uid_t>(-1), kOffice) != 0)
            GTEST_SKIP() << "only root can give the data folder another group";
        ASSERT_EQ(::chmod(root.c_str(), c.shared ? 02770 : 0700), 0);
        DataStore store(root);
        ASSERT_FALSE(store.ensureFolders(kYearCode));
        TaxpayerRecord record;
        record.personCode = 7;
        record.name = "七";
        ASSERT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(7))));
        testing::writeRecordFields(store, 7, 1, 0, 20, {{20, "5000000"}});
        ASSERT_EQ(::mkdir(backup.c_str(), 0700), 0);
        ASSERT_EQ(::chmod(backup.c_str(), c.target), 0);
        if (c.olderBackup) {
            temp.writeBytes("backup/所得税/個人名/7.txt", "old");
            ::chmod((backup + "/所得税").c_str(), 0755);
            ::chmod((backup + "/所得税/個人名").c_str(), 0755);
            ::chmod((backup + "/所得税/個人名/7.txt").c_str(), 0644);
        }

        std::vector<const char*> words = {"kakutei", "--root", root.c_str(), "backup", backup.c_str()};
        std::ostringstream out, err;
        ASSERT_EQ(runBatchCommand(parseCommandLine(static_cast<int>(words.size()), words.data()), out, err),
                  0)
            << c.name << "\n"
            << err.str();

        const Bits data = c.shared ? Bits{02770, 0660, kOffice} : Bits{0700, 0600, ::getegid()};
        if (c.olderBackup) { // what the backup made or replaced, not the folders it found
            expectBits(backup + "/所得税/H16所得税", data, c.name);
            EXPECT_EQ(testing::modeOf(backup + "/所得税/個人名/7.txt").bits, 0600u) << c.name;
        } else {
            expectBits(backup + "/所得税", data, c.name);
        }
        EXPECT_EQ(temp.readBytes("backup/所得税/個人名/7.txt"), temp.readBytes("data/所得税/個人名/7.txt"));
    }
}

// A backup stopped after its plan reached the disk is finished at the next start with the folders it was
// to make as private as the data, not as open as the folder it goes to.
TEST(Permissions, AnInterruptedBackupStillMakesItsFoldersWithTheDatasBits) {
    testing::TempRoot backup;
    ::chmod(backup.path().c_str(), 0755);
    backup.writeBytes(".kakutei-change-Ab12Cd/f0", "seven");
    ::chmod((backup.path() + "/.kakutei-change-Ab12Cd/f0").c_str(), 0600);
    backup.writeBytes(".kakutei-change-Ab12Cd/plan",
                      "folder\t448\t-1\t\nfolder\t448\t-1\t個人名\nput\tf0\t個人名/7.txt\n");
    EXPECT_EQ(finishInterruptedChanges(backup.path()).finished, 1);
    expectBits(backup.path() + "/所得税", {0700, 0600, ::getegid()}, "");
    EXPECT_EQ(backup.readBytes("所得税/個人名/7.txt"), "seven");
}

} // namespace
} // namespace kakutei
