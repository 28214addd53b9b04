#include "registry/data_management_screen.h"

#include "core/taxpayer_record.h"

#include "screen_fixture.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>

namespace kakutei {
namespace {

namespace fs = std::filesystem;
using testing::TempRoot;

struct DataManagementFixture : testing::DataScreenFixture {
    DataManagementScreen screen{store, ui, host};
    TempRoot other; // the other "drive"

    DataManagementFixture() {
        screen.text100.text = "H16";
        for (PersonCode code : {7, 9, 1000})
            addTaxpayer(code, "納税者" + std::to_string(code));
        root.writeBytes("所得税/H16所得税/76住宅.txt", "housing");
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
            testing::writeRecordFields(store, code, k, 0, 3, {{1, std::to_string(code * 10 + k)}});
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

TEST_F(DataManagementFixture, DeletingATaxpayerKeepsTheHousingLoanFile) {
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
    EXPECT_TRUE(fs::exists(file("H16所得税/76住宅.txt")));
    EXPECT_TRUE(fs::exists(file("個人名/9.txt")));
    EXPECT_EQ(host.calls, (decltype(host.calls){{"discard", ScreenId::dataManagement},
                                                {"open", ScreenId::dataManagement}}));
}

TEST_F(DataManagementFixture, CancelDeletesNothingButRefreshes) {
    screen.text1.text = "7";
    screen.deleteTaxpayer();
    EXPECT_TRUE(fs::exists(file("個人名/7.txt")));
    EXPECT_EQ(host.calls.size(), 2u);
}

TEST_F(DataManagementFixture, CopyToANewCodeOverwritesAndKeepsTheOld) {
    screen.text1.text = "7";
    screen.text3.text = "9";
    screen.copyToNewCode();
    EXPECT_TRUE(ui.callsOf("warn").empty());
    EXPECT_EQ(readTaxpayerRecord(store, 9).record.name, "納税者7");
    EXPECT_EQ(readTaxpayerRecord(store, 9).record.personCode, 9);
    EXPECT_EQ(root.readBytes("所得税/H16所得税/93.txt"), root.readBytes("所得税/H16所得税/73.txt"));
    EXPECT_TRUE(fs::exists(file("個人名/7.txt")));
    screen.display();
    EXPECT_EQ(screen.list1, (std::vector<std::string>{"07 : 納税者7", "09 : 納税者7", "1000 : 納税者1000"}));
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
    auto backedUp = tree(other.path() + "/所得税");
    EXPECT_EQ(backedUp.count("H16所得税/76住宅.txt"), 0u); // not part of a file set
    ui.answers = {true};
    screen.deleteLocalData();
    EXPECT_FALSE(fs::exists(file("個人名/7.txt")));
    EXPECT_FALSE(fs::exists(file("税理士名.txt")));
    screen.drive2.text = other.path();
    ui.answers = {true};
    screen.restore();
    auto after = tree(root.path() + "/所得税");
    EXPECT_EQ(after, before);
    EXPECT_EQ(screen.list1.size(), 3u);
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

TEST_F(DataManagementFixture, ABackupThatRunsOutOfRoomSaysSoOnceAndKeepsWholeFiles) {
    // One large record does not fit under the file-size limit, as if the disk were full.
    TaxpayerRecord big;
    big.personCode = 500;
    big.name = std::string(3000, 'x');
    taxpayerRecordWriter(big).writeTo(store.path(names::taxpayerFile(500)));
    const auto before = tree(root.path() + "/所得税");
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    rlimit small = limit;
    small.rlim_cur = 2048;
    ::setrlimit(RLIMIT_FSIZE, &small);
    screen.drive1.text = other.path();
    const bool done = screen.backupTo(other.path());
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(done);
    ASSERT_EQ(ui.callsOf("warn").size(), 1u);
    EXPECT_NE(ui.calls.back().body.find("1 個"), std::string::npos) << ui.calls.back().body;
    EXPECT_EQ(tree(root.path() + "/所得税"), before); // drive C untouched
    const auto copied = tree(other.path() + "/所得税");
    EXPECT_EQ(copied.count("個人名/500.txt"), 0u);
    EXPECT_EQ(copied.at("個人名/7.txt"), before.at("個人名/7.txt"));
}

TEST_F(DataManagementFixture, BackupToAMissingFolderSaysSo) {
    EXPECT_FALSE(screen.backupTo(other.path() + "/missing"));
    ASSERT_EQ(ui.callsOf("warn").size(), 1u);
    EXPECT_FALSE(fs::exists(other.path() + "/missing"));
}

TEST_F(DataManagementFixture, OneTaxpayersBackupAndRestore) {
    screen.text1.text = "9";
    screen.drive3.text = other.path();
    screen.backupOne();
    EXPECT_TRUE(fs::exists(other.path() + "/所得税/H16所得税/95.txt"));
    EXPECT_FALSE(fs::exists(other.path() + "/所得税/個人名/7.txt"));
    const std::string original = root.readBytes("所得税/H16所得税/95.txt");
    root.writeBytes("所得税/H16所得税/95.txt", "changed");
    ui.answers = {true};
    screen.restoreOne();
    EXPECT_EQ(root.readBytes("所得税/H16所得税/95.txt"), original);
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
