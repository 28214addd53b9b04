// Everything the program creates is its owner's alone: files 0600, folders 0700, also in backups.
#include "app/batch_commands.h"

#include "core/taxpayer_record.h"
#include "print/printing_screen.h"
#include "registry/registration_screen.h"
#include "shell/app.h"
#include "shell/main_menu.h"

#include "fake_user_interface.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <sstream>
#include <sys/stat.h>

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

} // namespace
} // namespace kakutei
