#include "registry/data_management_screen.h"

#include "core/taxpayer_record.h"

#include "file_size_limit.h"
#include "screen_fixture.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace kakutei {
namespace {

namespace fs = std::filesystem;
using testing::FakeUserInterface;
using testing::TempRoot;

struct DataManagementFixture : testing::DataScreenFixture {
    DataManagementScreen screen{store, ui, host};
    TempRoot other;      // the other "drive"
    std::string housing; // 7's housing loan file

    DataManagementFixture() {
        screen.text100.text = "H16";
        for (PersonCode code : {7, 9, 1000})
            addTaxpayer(code, "納税者" + std::to_string(code));
        testing::writeRecordFields(store, 7, 6, {{4, "30000000"}});
        housing = root.readBytes("所得税/H16所得税/76住宅.txt");
        root.writeBytes("所得税/税理士名.txt", testing::sjis("\"税理士\"\r\n\"\"\r\n\"\"\r\n"));
        root.writeBytes("所得税/印刷要領.txt", "1\r\n2\r\n");
        screen.display();
    }
    void addTaxpayer(PersonCode code, const std::string& name) {
        TaxpayerRecord record;
        record.personCode = code;
        record.name = name;
        taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(code)));
        for (int k = 1; k <= 5; ++k)
            testing::writeRecordFields(
                store, code, k, {{screenRecordSchema(k).textCount() + 1, std::to_string(code * 10 + k)}});
    }
    std::string file(const std::string& relative) const { return root.path() + "/所得税/" + relative; }
    // Every file below 所得税, with its bytes.
    static std::map<std::string, std::string> tree(const std::string& base) {
        std::map<std::string, std::string> files;
        if (!fs::exists(base))
            return files;
        for (const auto& entry : fs::recursive_directory_iterator(base))
            if (entry.is_regular_file()) {
                std::ifstream in(entry.path(), std::ios::binary);
                files[fs::relative(entry.path(), base).string()] =
                    std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            }
        return files;
    }
};

TEST_F(DataManagementFixture, DeletingATaxpayerRemovesHisWholeFileSet) {
    screen.text1.text = "7";
    screen.callUp();
    EXPECT_EQ(screen.text2.text, "納税者7");
    ui.answers = {true};
    screen.deleteTaxpayer();
    ASSERT_EQ(ui.callsOf("ask").size(), 1u);
    EXPECT_EQ(ui.callsOf("ask")[0].title, "納税者7 氏を削除しますか");
    for (int k = 1; k <= 5; ++k)
        EXPECT_FALSE(fs::exists(file("H16所得税/7" + std::to_string(k) + ".txt"))) << k;
    EXPECT_FALSE(fs::exists(file("個人名/7.txt")));
    // A taxpayer registered later under 7 must not inherit this one's housing loan.
    EXPECT_FALSE(fs::exists(file("H16所得税/76住宅.txt")));
    EXPECT_TRUE(fs::exists(file("個人名/9.txt")));
    EXPECT_TRUE(fs::exists(file("H16所得税/91.txt")));
    EXPECT_EQ(host.calls, (decltype(host.calls){{"discard", ScreenId::dataManagement},
                                                {"open", ScreenId::dataManagement}}));
}

TEST_F(DataManagementFixture, DeletionNamesWhoeverTheTypedCodeBelongsTo) {
    screen.text1.text = "7";
    screen.callUp();         // the screen now shows 納税者7 ...
    screen.text1.text = "9"; // ... and the user types another code
    ui.answers = {false};
    screen.deleteTaxpayer();
    ASSERT_EQ(ui.callsOf("ask").size(), 1u);
    EXPECT_EQ(ui.callsOf("ask")[0].title, "納税者9 氏を削除しますか");

    const auto before = tree(root.path() + "/所得税");
    ui.calls.clear();
    host.calls.clear();
    screen.text1.text = "55"; // nobody
    screen.deleteTaxpayer();
    ASSERT_EQ(ui.dialogue(), (std::vector<std::string>{"warn"}));
    EXPECT_NE(ui.calls.at(0).body.find("個人コード 55 の登録はありません"), std::string::npos);
    EXPECT_EQ(tree(root.path() + "/所得税"), before);
}

TEST_F(DataManagementFixture, CancelDeletesNothingButRefreshes) {
    screen.text1.text = "7";
    screen.deleteTaxpayer();
    EXPECT_TRUE(fs::exists(file("個人名/7.txt")));
    EXPECT_EQ(host.calls.size(), 2u);
}

TEST_F(DataManagementFixture, CopyToANewCodeKeepsTheOld) {
    screen.text1.text = "7";
    screen.text3.text = "12";
    screen.copyToNewCode();
    EXPECT_EQ(ui.dialogue(), (std::vector<std::string>{"beep"})); // nobody to replace: no question
    EXPECT_EQ(readTaxpayerRecord(store, 12).record.name, "納税者7");
    EXPECT_EQ(readTaxpayerRecord(store, 12).record.personCode, 12);
    EXPECT_EQ(root.readBytes("所得税/H16所得税/123.txt"), root.readBytes("所得税/H16所得税/73.txt"));
    EXPECT_EQ(root.readBytes("所得税/H16所得税/126住宅.txt"), housing);
    EXPECT_TRUE(fs::exists(file("個人名/7.txt")));
    screen.display();
    EXPECT_EQ(screen.list1, (std::vector<std::string>{"07 : 納税者7", "09 : 納税者9", "012 : 納税者7",
                                                      "1000 : 納税者1000"}));
}

TEST_F(DataManagementFixture, CopyOntoAnOccupiedCodeAsksAndReplacesTheWholeSet) {
    fs::remove(file("H16所得税/75.txt")); // 7 has no tax computation yet; 9 has one
    const auto before = tree(root.path() + "/所得税");
    screen.text1.text = "7";
    screen.text3.text = "9";
    screen.copyToNewCode(); // Cancel
    ASSERT_EQ(ui.dialogue(), (std::vector<std::string>{"ask"}));
    const std::string question = ui.calls.at(0).body;
    EXPECT_NE(question.find("個人コード 9 には 納税者9 氏のデータがあります"), std::string::npos) << question;
    EXPECT_NE(question.find("個人コード 7 の 納税者7 氏のデータで置き換えますか"), std::string::npos)
        << question;
    EXPECT_EQ(tree(root.path() + "/所得税"), before);
    EXPECT_TRUE(host.calls.empty());

    ui.answers = {true};
    screen.copyToNewCode();
    EXPECT_EQ(readTaxpayerRecord(store, 9).record.name, "納税者7");
    EXPECT_EQ(root.readBytes("所得税/H16所得税/93.txt"), root.readBytes("所得税/H16所得税/73.txt"));
    EXPECT_EQ(root.readBytes("所得税/H16所得税/96住宅.txt"), housing);
    // 9's own tax computation would otherwise print under 7's figures.
    EXPECT_FALSE(fs::exists(file("H16所得税/95.txt")));
}

TEST_F(DataManagementFixture, BadCopiesChangeNothingAndSayWhy) {
    const std::pair<const char*, const char*> cases[] = {
        {"7", "abc"}, {"7", "0"}, {"7", "7"}, {"5", "8"}, {"", "8"}};
    const auto before = tree(root.path() + "/所得税");
    for (const auto& [from, to] : cases) {
        ui.calls.clear();
        screen.text1.text = from;
        screen.text3.text = to;
        screen.copyToNewCode();
        ASSERT_EQ(ui.dialogue(), (std::vector<std::string>{"warn"})) << from << "→" << to;
        EXPECT_EQ(ui.calls[0].title, "個人コードの変更");
    }
    EXPECT_EQ(tree(root.path() + "/所得税"), before);
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(DataManagementFixture, BackupDeleteAndRestoreGiveBackEveryFileExactly) {
    const auto before = tree(root.path() + "/所得税");
    int moves = 0;
    screen.progressChanged = [&] { ++moves; };
    screen.drive1.text = other.path();
    screen.backup();
    EXPECT_TRUE(ui.callsOf("warn").empty());
    EXPECT_GT(moves, 1000);
    EXPECT_EQ(screen.progress, 0);
    // Every file the program stores, the housing loan file and the two shared files included.
    EXPECT_EQ(tree(other.path() + "/所得税"), before);
    EXPECT_EQ(before.count("H16所得税/76住宅.txt"), 1u);
    EXPECT_EQ(before.size(), 3u * 6 + 1 + 2);
    ui.answers = {true};
    screen.deleteLocalData();
    EXPECT_TRUE(tree(root.path() + "/所得税").empty());
    screen.drive2.text = other.path();
    ui.answers = {true};
    screen.restore();
    EXPECT_TRUE(ui.callsOf("warn").empty());
    EXPECT_EQ(tree(root.path() + "/所得税"), before);
    EXPECT_EQ(screen.list1.size(), 3u);
    // Nothing is left beside the trees.
    EXPECT_EQ(std::distance(fs::directory_iterator(other.path()), fs::directory_iterator()), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(root.path()), fs::directory_iterator()), 1);
}

TEST_F(DataManagementFixture, ABackupOrRestoreMirrorsTheWholeSourceAndKeepsWhatItDoesNotOwn) {
    // The previous backup holds a taxpayer since deleted, and the folder of an earlier year.
    other.writeBytes("所得税/個人名/500.txt", "old");
    other.writeBytes("所得税/H16所得税/5001.txt", "old");
    other.writeBytes("所得税/H15所得税/71.txt", "earlier year");
    screen.drive1.text = other.path();
    EXPECT_TRUE(screen.backupTo(other.path()));
    EXPECT_FALSE(fs::exists(other.path() + "/所得税/個人名/500.txt"));
    EXPECT_FALSE(fs::exists(other.path() + "/所得税/H16所得税/5001.txt"));
    EXPECT_EQ(other.readBytes("所得税/H15所得税/71.txt"), "earlier year");
    // A taxpayer of drive C that the backup lacks is gone after the restore, with all his files.
    root.writeBytes("所得税/個人名/20.txt", "new");
    root.writeBytes("所得税/H16所得税/206住宅.txt", "new");
    root.writeBytes("所得税/H14所得税/71.txt", "previous year");
    EXPECT_TRUE(screen.restoreFrom(other.path(), true));
    EXPECT_FALSE(fs::exists(file("個人名/20.txt")));
    EXPECT_FALSE(fs::exists(file("H16所得税/206住宅.txt")));
    EXPECT_EQ(root.readBytes("所得税/H14所得税/71.txt"), "previous year");
}

TEST_F(DataManagementFixture, RestoreFromAFolderWithoutABackupLeavesEverything) {
    const auto before = tree(root.path() + "/所得税");
    screen.drive2.text = other.path();
    ui.answers = {true};
    screen.restore();
    ASSERT_EQ(ui.dialogue(), (std::vector<std::string>{"warn"}));
    EXPECT_NE(ui.calls[0].body.find("そのまま"), std::string::npos);
    EXPECT_EQ(tree(root.path() + "/所得税"), before);
}

TEST_F(DataManagementFixture, BulkDeletesAndRestoreAskFirst) {
    screen.drive1.text = other.path();
    screen.backup();
    screen.deleteTargetData(); // Cancel
    screen.deleteLocalData();  // Cancel
    screen.drive2.text = other.path();
    screen.restore(); // Cancel
    EXPECT_EQ(ui.callsOf("ask").size(), 3u);
    EXPECT_TRUE(fs::exists(other.path() + "/所得税/個人名/7.txt"));
    EXPECT_TRUE(fs::exists(file("個人名/7.txt")));
    ui.answers = {true};
    screen.deleteTargetData();
    EXPECT_FALSE(fs::exists(other.path() + "/所得税/個人名/7.txt"));
}

TEST_F(DataManagementFixture, RunningOutOfRoomLeavesTheOldBackupOrTheOldDataWhole) {
    // The first backup is the previous one; then taxpayer 9 changes and one large record appears that does
    // not fit under the file-size limit, as if the disk were full.
    screen.drive1.text = other.path();
    ASSERT_TRUE(screen.backupTo(other.path()));
    testing::writeRecordFields(store, 9, 1, {{1, "999"}});
    const std::string changed = root.readBytes("所得税/H16所得税/91.txt");
    TaxpayerRecord big;
    big.personCode = 500;
    big.name = std::string(3000, 'x');
    taxpayerRecordWriter(big).writeTo(store.path(names::taxpayerFile(500)));
    testing::TempRoot full; // a backup holding the large record, to restore from
    ASSERT_TRUE(screen.backupTo(full.path()));
    // Changed in the data again, so that the restore has to write it as well as the backup.
    big.name = std::string(3000, 'y');
    taxpayerRecordWriter(big).writeTo(store.path(names::taxpayerFile(500)));
    ui.calls.clear();

    struct Case {
        const char* name;
        bool backup;
    };
    for (const Case& run : {Case{"backup", true}, Case{"restore", false}}) {
        const auto data = tree(root.path() + "/所得税");
        const auto previous = tree(other.path() + "/所得税");
        const bool done = [&] {
            const testing::FileSizeLimit limit(2048);
            return run.backup ? screen.backupTo(other.path()) : screen.restoreFrom(full.path(), true);
        }();
        EXPECT_FALSE(done) << run.name;
        ASSERT_EQ(ui.dialogue(), (std::vector<std::string>{"warn"})) << run.name;
        EXPECT_NE(ui.calls.back().body.find("そのまま"), std::string::npos) << ui.calls.back().body;
        ui.calls.clear();
        EXPECT_EQ(tree(root.path() + "/所得税"), data) << run.name;
        EXPECT_EQ(tree(other.path() + "/所得税"), previous) << run.name;
        EXPECT_NE(tree(other.path() + "/所得税").at("H16所得税/91.txt"), changed);
        for (const std::string& folder : {root.path(), other.path()})
            EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1) << folder;
    }
}

// Restoring this morning's backup after one client's figures went wrong, or backing up onto yesterday's
// stick, writes that client's files and nothing else.
TEST_F(DataManagementFixture, OnlyWhatDiffersIsWritten) {
    const auto inodes = [](const std::string& base) {
        std::map<std::string, ino_t> found;
        for (const auto& entry : fs::recursive_directory_iterator(base))
            if (entry.is_regular_file()) {
                struct stat info {};
                ::stat(entry.path().c_str(), &info);
                found[fs::relative(entry.path(), base).string()] = info.st_ino;
            }
        return found;
    };
    const auto changedNames = [](const std::map<std::string, ino_t>& before,
                                 const std::map<std::string, ino_t>& after) {
        std::vector<std::string> names;
        for (const auto& [name, inode] : after)
            if (!before.contains(name) || before.at(name) != inode)
                names.push_back(name);
        return names;
    };
    ASSERT_TRUE(screen.backupTo(other.path()));
    const std::string morning = tree(root.path() + "/所得税").at("H16所得税/91.txt");
    testing::writeRecordFields(store, 9, 1, {{1, "999"}});

    const auto backupBefore = inodes(other.path() + "/所得税");
    ASSERT_TRUE(screen.backupTo(other.path()));
    EXPECT_EQ(changedNames(backupBefore, inodes(other.path() + "/所得税")),
              std::vector<std::string>{"H16所得税/91.txt"});
    EXPECT_EQ(tree(other.path() + "/所得税"), tree(root.path() + "/所得税"));

    testing::TempRoot morningBackup;
    ASSERT_TRUE(screen.backupTo(morningBackup.path()));
    morningBackup.writeBytes("所得税/H16所得税/91.txt", morning);
    const auto dataBefore = inodes(root.path() + "/所得税");
    ASSERT_TRUE(screen.restoreFrom(morningBackup.path(), true));
    EXPECT_EQ(changedNames(dataBefore, inodes(root.path() + "/所得税")),
              std::vector<std::string>{"H16所得税/91.txt"});
    EXPECT_EQ(root.readBytes("所得税/H16所得税/91.txt"), morning);
}

TEST_F(DataManagementFixture, TheDataFolderItselfIsNeverABackupFolder) {
    // A data folder of its own, inside a folder that can be chosen too.
    testing::TempRoot outer;
    const std::string data = outer.path() + "/data";
    DataStore nested(data);
    ASSERT_FALSE(nested.ensureFolders(kYearCode));
    for (const char* name : {"個人名/7.txt", "H16所得税/71.txt", "税理士名.txt"})
        outer.writeBytes(std::string("data/所得税/") + name, std::string("kept ") + name);
    fs::create_directory_symlink(data, outer.path() + "/link");
    const auto before = tree(data + "/所得税");
    const std::pair<std::string, const char*> choices[] = {
        {data, "そのもの"},
        {data + "/", "そのもの"},
        {data + "/./所得税/..", "そのもの"},
        {outer.path() + "/link", "そのもの"},
        {outer.path() + "/link/所得税/個人名", "の中"},
        {data + "/所得税", "の中"},
        {outer.path(), "を含んで"},
        {outer.path() + "/link/..", "を含んで"},
    };
    for (const auto& [folder, why] : choices) {
        for (const bool backup : {true, false}) {
            FakeUserInterface quiet;
            DataManagementScreen screen{nested, quiet, host};
            screen.text100.text = "H16";
            const bool done = backup ? screen.backupTo(folder) : screen.restoreFrom(folder, true);
            EXPECT_FALSE(done) << folder;
            ASSERT_EQ(quiet.dialogue(), (std::vector<std::string>{"warn"})) << folder;
            EXPECT_NE(quiet.calls.at(0).body.find(why), std::string::npos) << quiet.calls.at(0).body;
            EXPECT_EQ(tree(data + "/所得税"), before) << folder << (backup ? " backup" : " restore");
        }
    }
}

// Every button that writes to or deletes in another folder refuses the data folder itself, a folder inside it
// and one that contains it, before it asks or touches anything: answered yes, none of them changes the data.
TEST_F(DataManagementFixture, EveryButtonOnAnotherFolderRefusesTheDataFolder) {
    testing::TempRoot outer;
    const std::string data = outer.path() + "/data";
    DataStore nested(data);
    ASSERT_FALSE(nested.ensureFolders(kYearCode));
    TaxpayerRecord seven;
    seven.personCode = 7;
    seven.name = "七";
    // A registration of 7 wherever a one-client restore could look for one, so that only the refusal of
    // the folder stops it.
    for (const std::string& base : {data, data + "/所得税", outer.path()}) {
        fs::create_directories(base + "/所得税/個人名");
        ASSERT_FALSE(taxpayerRecordWriter(seven).writeTo(base + "/所得税/個人名/7.txt"));
    }
    outer.writeBytes("data/所得税/H16所得税/71.txt", "kept 71");
    const auto before = tree(data + "/所得税");
    const std::pair<std::string, const char*> folders[] = {
        {data, "そのもの"}, {data + "/所得税", "の中"}, {outer.path(), "を含んで"}};
    const std::pair<const char*, std::function<void(DataManagementScreen&, const std::string&)>> buttons[] = {
        {"バックアップ",
         [](DataManagementScreen& s, const std::string& f) { s.drive1.text = f, s.backup(); }},
        {"リストア", [](DataManagementScreen& s, const std::string& f) { s.drive2.text = f, s.restore(); }},
        {"相手ドライブのデータを削除",
         [](DataManagementScreen& s, const std::string& f) { s.drive1.text = f, s.deleteTargetData(); }},
        {"のみをバックアップ",
         [](DataManagementScreen& s, const std::string& f) { s.drive3.text = f, s.backupOne(); }},
        {"のみをリストア",
         [](DataManagementScreen& s, const std::string& f) { s.drive3.text = f, s.restoreOne(); }},
    };
    for (const auto& [button, press] : buttons)
        for (const auto& [folder, why] : folders) {
            SCOPED_TRACE(std::string(button) + " " + folder);
            FakeUserInterface yes;
            yes.answers = {true, true, true};
            DataManagementScreen screen{nested, yes, host};
            screen.text100.text = "H16";
            screen.text1.text = "7";
            press(screen, folder);
            ASSERT_EQ(yes.dialogue(), (std::vector<std::string>{"warn"}));
            EXPECT_NE(yes.calls.at(0).body.find(why), std::string::npos) << yes.calls.at(0).body;
            EXPECT_EQ(tree(data + "/所得税"), before);
        }
}

TEST_F(DataManagementFixture, AHostileBackupCopiesOnlyPlainFilesAndNeverHangs) {
    ::alarm(120); // a pipe read the way a file is would hang here for good
    screen.drive1.text = other.path();
    ASSERT_TRUE(screen.backupTo(other.path()));
    testing::TempRoot outside;
    outside.writeBytes("secret.txt", "someone else's file");
    const std::string backup = other.path() + "/所得税/";
    // Taxpayer 7: a record that is a link to a file outside the backup.
    fs::remove(backup + "個人名/7.txt");
    fs::create_symlink(outside.path() + "/secret.txt", backup + "個人名/7.txt");
    // Taxpayer 9: a pipe in place of a screen file; taxpayer 1000: a screen file far larger than a record.
    fs::remove(backup + "H16所得税/92.txt");
    ASSERT_EQ(::mkfifo((backup + "H16所得税/92.txt").c_str(), 0600), 0);
    other.writeBytes("所得税/H16所得税/10001.txt", std::string(64 << 20, '9'));
    // Taxpayer 20 is in the backup only, and comes back; the shared file is a link and is left alone.
    TaxpayerRecord twenty;
    twenty.personCode = 20;
    twenty.name = "二十";
    const std::string twentyBytes = taxpayerRecordWriter(twenty).bytes();
    other.writeBytes("所得税/個人名/20.txt", twentyBytes);
    fs::remove(backup + "印刷要領.txt");
    fs::create_symlink(outside.path() + "/secret.txt", backup + "印刷要領.txt");
    // A plan of an interrupted change, planted to reach a file outside the backup.
    outside.writeBytes("victim.txt", "untouched");
    const std::string victim = fs::relative(outside.path() + "/victim.txt", backup).string();
    other.writeBytes(".kakutei-change-Zz99Yy/f0", "planted");
    other.writeBytes(".kakutei-change-Zz99Yy/plan", "put\tf0\t" + victim + "\nremove\t" + victim + "\n");
    // Drive C has changed since the backup: the unusable taxpayers keep today's set, the rest go back.
    for (const char* changed :
         {"H16所得税/71.txt", "H16所得税/91.txt", "H16所得税/10002.txt", "印刷要領.txt"})
        root.writeBytes(std::string("所得税/") + changed, "today");
    const auto today = tree(root.path() + "/所得税");

    EXPECT_FALSE(screen.restoreFrom(other.path(), true));
    ::alarm(0);
    ASSERT_EQ(ui.callsOf("warn").size(), 1u);
    const std::string report = ui.callsOf("warn").at(0).body;
    for (const char* named : {"個人名/7.txt", "H16所得税/92.txt", "H16所得税/10001.txt", "印刷要領.txt"})
        EXPECT_NE(report.find(named), std::string::npos) << named << "\n" << report;
    const auto after = tree(root.path() + "/所得税");
    for (const char* kept : {"H16所得税/71.txt", "H16所得税/91.txt", "H16所得税/10002.txt", "印刷要領.txt",
                             "個人名/7.txt", "H16所得税/92.txt", "H16所得税/10001.txt"})
        EXPECT_EQ(after.at(kept), today.at(kept)) << kept;
    EXPECT_EQ(after.at("個人名/20.txt"), twentyBytes);
    for (const auto& [name, bytes] : after) {
        EXPECT_EQ(bytes.find("someone else"), std::string::npos) << name;
        EXPECT_NE(bytes, "planted") << name;
    }
    EXPECT_EQ(outside.readBytes("victim.txt"), "untouched");
    EXPECT_FALSE(fs::is_symlink(file("個人名/7.txt")));
}

TEST_F(DataManagementFixture, ABackupFolderThatLeadsIntoTheDataIsRefused) {
    // The backup's 所得税 is a link to drive C's: writing through it would overwrite the data.
    testing::TempRoot linked;
    fs::create_directory_symlink(root.path() + "/所得税", linked.path() + "/所得税");
    const auto before = tree(root.path() + "/所得税");
    for (const bool backup : {true, false}) {
        ui.calls.clear();
        EXPECT_FALSE(backup ? screen.backupTo(linked.path()) : screen.restoreFrom(linked.path(), true));
        EXPECT_EQ(ui.dialogue(), (std::vector<std::string>{"warn"}));
        EXPECT_EQ(tree(root.path() + "/所得税"), before);
    }
}

TEST_F(DataManagementFixture, BackupToAMissingFolderSaysSo) {
    EXPECT_FALSE(screen.backupTo(other.path() + "/missing"));
    ASSERT_EQ(ui.callsOf("warn").size(), 1u);
    EXPECT_FALSE(fs::exists(other.path() + "/missing"));
}

TEST_F(DataManagementFixture, AnEmptyDataFolderNeverWipesTheLastBackup) {
    ASSERT_TRUE(screen.backupTo(other.path()));
    const auto backup = tree(other.path() + "/所得税");
    TempRoot empty; // started with another --root by mistake
    DataStore elsewhere(empty.path());
    ASSERT_FALSE(elsewhere.ensureFolders(kYearCode));
    DataManagementScreen wrong{elsewhere, ui, host};
    wrong.text100.text = "H16";
    EXPECT_FALSE(wrong.backupTo(other.path()));
    ASSERT_EQ(ui.dialogue(), (std::vector<std::string>{"warn"}));
    EXPECT_NE(ui.calls.at(0).body.find("バックアップするデータがありません"), std::string::npos);
    EXPECT_EQ(tree(other.path() + "/所得税"), backup);
}

TEST_F(DataManagementFixture, OneTaxpayersBackupAndRestoreReplaceHisWholeSet) {
    screen.text1.text = "9";
    screen.drive3.text = other.path();
    screen.backupOne();
    EXPECT_TRUE(fs::exists(other.path() + "/所得税/H16所得税/95.txt"));
    EXPECT_FALSE(fs::exists(other.path() + "/所得税/個人名/7.txt"));
    const std::string original = root.readBytes("所得税/H16所得税/95.txt");
    root.writeBytes("所得税/H16所得税/95.txt", "changed");
    root.writeBytes("所得税/H16所得税/96住宅.txt", "since the backup");
    const auto before = tree(root.path() + "/所得税");
    screen.restoreOne(); // Cancel
    ASSERT_EQ(ui.callsOf("ask").size(), 1u);
    EXPECT_NE(ui.callsOf("ask").at(0).body.find("96住宅.txt"), std::string::npos);
    EXPECT_EQ(tree(root.path() + "/所得税"), before);
    ui.answers = {true};
    screen.restoreOne();
    EXPECT_EQ(root.readBytes("所得税/H16所得税/95.txt"), original);
    // The backup had no housing loan for 9: the return is the backup's, not a mix of two states.
    EXPECT_FALSE(fs::exists(file("H16所得税/96住宅.txt")));
    EXPECT_EQ(root.readBytes("所得税/H16所得税/76住宅.txt"), housing);
}

// A restore, copy or deletion writes its new files into a hidden folder beside 所得税 and, once they are on
// the disk, a plan of what to rename and remove; only then does it touch the data.
struct InterruptedChange {
    const char* name;
    bool withPlan;
    int hoursOld;
    bool finished; // the data becomes the new state
    bool folderLeft;
};

TEST_F(DataManagementFixture, StartUpFinishesAChangeWhosePlanWasWrittenAndForgetsTheOthers) {
    const InterruptedChange cases[] = {
        {"stopped after its plan", true, 0, true, false},
        {"stopped before its plan, just now (perhaps still running elsewhere)", false, 0, false, true},
        {"stopped before its plan, long ago", false, 2, false, false},
    };
    const auto before = tree(root.path() + "/所得税");
    for (const InterruptedChange& change : cases) {
        const std::string staging = root.path() + "/.kakutei-change-Ab12Cd";
        fs::create_directory(staging);
        root.writeBytes(".kakutei-change-Ab12Cd/f0", "new 71");
        if (change.withPlan)
            root.writeBytes(".kakutei-change-Ab12Cd/plan",
                            "put\tf0\tH16所得税/71.txt\nremove\t個人名/9.txt\n");
        const auto then = fs::file_time_type::clock::now() - std::chrono::hours(change.hoursOld);
        fs::last_write_time(staging, then);

        DataManagementScreen startUp{store, ui, host}; // made at start-up, before anything reads the data
        const auto after = tree(root.path() + "/所得税");
        if (change.finished) {
            EXPECT_EQ(after.at("H16所得税/71.txt"), "new 71") << change.name;
            EXPECT_EQ(after.count("個人名/9.txt"), 0u) << change.name;
        } else {
            EXPECT_EQ(after, before) << change.name;
        }
        EXPECT_EQ(fs::exists(staging), change.folderLeft) << change.name;
        EXPECT_TRUE(ui.callsOf("warn").empty());
        fs::remove_all(staging);
        for (const auto& [name, bytes] : before)
            root.writeBytes("所得税/" + name, bytes);
    }
}

TEST_F(DataManagementFixture, ListClickAndCallUp) {
    screen.clickList(2);
    EXPECT_EQ(screen.text1.text, "1000");
    EXPECT_EQ(screen.text2.text, "納税者1000");
    screen.text1.text = "55";
    screen.callUp(); // no such taxpayer: the list is rebuilt, silently
    EXPECT_EQ(screen.list1.size(), 3u);
    EXPECT_TRUE(ui.callsOf("warn").empty());
}

} // namespace
} // namespace kakutei
