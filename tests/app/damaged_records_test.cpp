// A record that cannot be read whole is never taken for an empty or a missing one, by any command: each names
// the file and why, leaves that client exactly as stored, and ends with status 1.
#include "core/client_lock.h"
#include "core/taxpayer_record.h"

#include "program_run.h"
#include "sample_taxpayer.h"
#include "screen_fixture.h"

#include <filesystem>
#include <map>

namespace kakutei {
namespace {

namespace fs = std::filesystem;
using Outcome = testing::ProgramRun;

struct DamagedRecords : ::testing::Test {
    testing::TempRoot root;
    testing::TempRoot outputs;
    testing::TempRoot backup;
    DataStore store{root.path()};

    DamagedRecords() { store.ensureFolders(kYearCode); }

    // A salary earner with social insurance and withholding, recalculated: all six files whole.
    void client(PersonCode code, const std::string& name) {
        TaxpayerRecord record = testing::sampleRecord();
        record.personCode = code;
        record.name = name;
        ASSERT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(code))));
        testing::writeRecordFields(store, code, 1, {{6, "5000000"}, {17, "3460000"}});
        testing::writeRecordFields(store, code, 2, {{17, "700000"}});
        testing::writeRecordFields(store, code, 3, {});
        testing::writeRecordFields(store, code, 4, {{41, "5000000"}, {42, "200000"}});
        ASSERT_EQ(kakutei({"recalc", std::to_string(code)}).status, 0);
    }
    Outcome kakutei(std::vector<std::string> words, const std::string& data = {}) const {
        words.insert(words.begin(), {"--root", data.empty() ? root.path() : data});
        return testing::runProgram("QT_QPA_PLATFORM=offscreen", KAKUTEI_BINARY, words, outputs);
    }
    std::string path(const std::string& relative) const { return root.path() + "/所得税/" + relative; }
    // Every file of a client, by name, with its bytes.
    std::map<std::string, std::string> filesOf(const testing::TempRoot& tree, PersonCode code) const {
        std::map<std::string, std::string> files;
        const std::string c = std::to_string(code);
        std::vector<std::string> names = {"個人名/" + c + ".txt", "H16所得税/" + c + "6住宅.txt"};
        for (int k = 1; k <= 5; ++k)
            names.push_back("H16所得税/" + c + std::to_string(k) + ".txt");
        for (const std::string& name : names)
            if (fs::exists(fs::u8path(tree.path() + "/所得税/" + name)))
                files[name] = tree.readBytes("所得税/" + name);
        return files;
    }
    void cut(const std::string& relative, std::size_t keep) {
        root.writeBytes("所得税/" + relative, root.readBytes("所得税/" + relative).substr(0, keep));
    }
};

// One field beyond its kind's range used to pass the check and fail the screen's load, and recalc then
// stored the empty screen: the social insurance, spouse and withholding gone, the tax up.
TEST_F(DamagedRecords, RecalcStoresNothingForARecordWithAFieldBeyondItsKind) {
    client(7, "七");
    struct Field {
        int k;
        int n;
        const char* caption;
    };
    const Field fields[] = {{2, 17, "支払保険料 1 行目"},
                            {3, 62, "配偶者の合計所得"},
                            {4, 42, "所得の内訳 1 行目の源泉徴収税額"}};
    for (const Field& field : fields)
        for (const char* value : {"2147483648", "-2147483649", "12345678901234567890123"}) {
            SCOPED_TRACE(std::to_string(field.k) + "/" + std::to_string(field.n) + " " + value);
            const auto before = filesOf(root, 7);
            testing::writeRecordFields(store, 7, field.k, {{field.n, value}});
            const auto damaged = filesOf(root, 7);
            const Outcome run = kakutei({"recalc", "7"});
            EXPECT_EQ(run.status, 1);
            EXPECT_NE(run.err.find(std::to_string(field.n) + " 番目の値（" + field.caption + "）"),
                      std::string::npos)
                << run.err;
            EXPECT_EQ(filesOf(root, 7), damaged);
            for (const auto& [name, bytes] : before)
                root.writeBytes("所得税/" + name, bytes);
        }
}

// A tax record cut in half, a registration cut in half, a figure cut short with the fillers gone: none is
// printed as a return with blank or smaller boxes, for one client or for all.
TEST_F(DamagedRecords, NothingOfAReturnWithADamagedFileIsPrinted) {
    client(7, "七");
    client(8, "八");
    const auto whole = filesOf(root, 7);
    struct Damage {
        const char* what;
        std::string file;
        std::size_t keep;
    };
    const std::string income = whole.at("H16所得税/71.txt");
    const Damage damages[] = {
        {"the tax record cut in half", "H16所得税/75.txt", whole.at("H16所得税/75.txt").size() / 2},
        {"the registration cut in half", "個人名/7.txt", whole.at("個人名/7.txt").size() / 2},
        // 3,460,000 cut to 34, the fillers gone.
        {"a figure cut short", "H16所得税/71.txt", income.find("3460000") + 2},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        cut(damage.file, damage.keep);
        const std::string pdf = outputs.path() + "/七.pdf";
        const Outcome one = kakutei({"print", "7", "--page", "1", "--yes", "--pdf", pdf});
        EXPECT_EQ(one.status, 1);
        EXPECT_NE(one.err.find(path(damage.file)), std::string::npos) << one.err;
        EXPECT_FALSE(fs::exists(fs::u8path(pdf)));

        const std::string folder = outputs.path() + "/all";
        fs::create_directories(fs::u8path(folder));
        const Outcome all = kakutei({"print", "--all", "--page", "1", "--yes", "--pdf", folder});
        EXPECT_EQ(all.status, 1);
        EXPECT_NE(all.err.find(path(damage.file)), std::string::npos) << all.err;
        std::vector<std::string> printed;
        for (const auto& entry : fs::directory_iterator(fs::u8path(folder)))
            printed.push_back(entry.path().filename().string());
        ASSERT_EQ(printed.size(), 1u);
        EXPECT_NE(printed[0].find("八"), std::string::npos) << printed[0];
        fs::remove_all(fs::u8path(folder));

        // Nor is it shown or listed as figures.
        const Outcome roster = kakutei({"roster"});
        EXPECT_EQ(roster.status, 1);
        EXPECT_NE(roster.err.find(path(damage.file)), std::string::npos) << roster.err;
        EXPECT_EQ(roster.out.find("34\t"), std::string::npos) << roster.out;
        for (const auto& [name, bytes] : whole)
            root.writeBytes("所得税/" + name, bytes);
    }
}

// A damaged registration is a client whose file needs mending, in every list and to every command.
TEST_F(DamagedRecords, ADamagedRegistrationStaysInEveryListWithAMarkAndIsSaidToBeDamaged) {
    client(7, "七");
    client(8, "八");
    cut("個人名/7.txt", 60);
    const auto before = filesOf(root, 7);
    const std::string named = path("個人名/7.txt");

    const Outcome list = kakutei({"list"});
    EXPECT_EQ(list.status, 1);
    EXPECT_EQ(list.out, "07 : ※登録を読めません\n08 : 八\n");
    EXPECT_NE(list.err.find(named), std::string::npos) << list.err;

    const Outcome roster = kakutei({"roster"});
    EXPECT_EQ(roster.status, 1);
    EXPECT_NE(roster.out.find("7\t※登録を読めません"), std::string::npos) << roster.out;
    EXPECT_NE(roster.err.find(named), std::string::npos) << roster.err;

    const Outcome all = kakutei({"recalc", "--all"});
    EXPECT_EQ(all.status, 1);
    EXPECT_NE(all.err.find(named), std::string::npos) << all.err;
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"recalc", "7"},
          {"print", "7", "--page", "1", "--yes", "--pdf", outputs.path() + "/7.pdf"},
          {"check", "7"},
          {"explain", "7"},
          {"compare", "7"}}) {
        const Outcome run = kakutei(words);
        EXPECT_EQ(run.status, 1) << words[0];
        EXPECT_NE(run.err.find(named), std::string::npos) << words[0] << ": " << run.err;
        EXPECT_EQ(run.err.find("登録されていません"), std::string::npos) << words[0] << ": " << run.err;
    }
    EXPECT_EQ(filesOf(root, 7), before);
}

// A registration whose code is not its file's is no registration of that client: it is said so, and
// nothing is calculated under either code.
TEST_F(DamagedRecords, ARegistrationHoldingAnotherCodeIsDamaged) {
    client(5, "五");
    root.writeBytes("所得税/個人名/5.txt", "7" + root.readBytes("所得税/個人名/5.txt").substr(1));
    const auto before = filesOf(root, 5);
    const Outcome run = kakutei({"recalc", "5"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("1 番目の値（個人コード）"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("ファイル名と違う個人コード"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("「」"), std::string::npos) << run.err;
    EXPECT_EQ(filesOf(root, 5), before);
    EXPECT_FALSE(fs::exists(fs::u8path(path("H16所得税/71.txt"))));
}

// A restore never puts a damaged record over a good one, nor a backup a damaged one over its good copy;
// the rest goes as usual, and what was left is named.
TEST_F(DamagedRecords, BackupAndRestoreNeverPutADamagedRecordOverAGoodOne) {
    client(2, "二");
    client(3, "三");
    ASSERT_EQ(kakutei({"backup", backup.path()}).status, 0);
    const auto dataOfTwo = filesOf(root, 2);

    // The backup's 25.txt is empty and its 21.txt cut at 100 bytes; 3 changed since it was made.
    backup.writeBytes("所得税/H16所得税/25.txt", "");
    backup.writeBytes("所得税/H16所得税/21.txt", backup.readBytes("所得税/H16所得税/21.txt").substr(0, 100));
    testing::writeRecordFields(store, 3, 4, {{41, "1"}});
    const Outcome restore = kakutei({"restore", backup.path(), "--yes"});
    EXPECT_EQ(restore.status, 1);
    for (const char* file : {"H16所得税/21.txt", "H16所得税/25.txt"})
        EXPECT_NE(restore.err.find(file), std::string::npos) << restore.err;
    EXPECT_EQ(filesOf(root, 2), dataOfTwo);
    EXPECT_EQ(filesOf(root, 3), filesOf(backup, 3));

    // The other way: the data's 25.txt is damaged, the backup holds a good copy.
    backup.writeBytes("所得税/H16所得税/25.txt", dataOfTwo.at("H16所得税/25.txt"));
    backup.writeBytes("所得税/H16所得税/21.txt", dataOfTwo.at("H16所得税/21.txt"));
    cut("H16所得税/25.txt", 0);
    testing::writeRecordFields(store, 3, 4, {{41, "2"}});
    const Outcome backedUp = kakutei({"backup", backup.path()});
    EXPECT_EQ(backedUp.status, 1);
    EXPECT_NE(backedUp.err.find("H16所得税/25.txt"), std::string::npos) << backedUp.err;
    EXPECT_EQ(filesOf(backup, 2), dataOfTwo);
    EXPECT_EQ(filesOf(backup, 3), filesOf(root, 3));
}

// Another computer has client 7 open: a restore leaves that client as it is and says who has it.
TEST_F(DamagedRecords, ARestoreLeavesAClientAnotherComputerHasOpen) {
    client(7, "七");
    client(8, "八");
    ASSERT_EQ(kakutei({"backup", backup.path()}).status, 0);
    testing::writeRecordFields(store, 7, 4, {{41, "1"}});
    testing::writeRecordFields(store, 8, 4, {{41, "1"}});
    const auto sevenNow = filesOf(root, 7);
    {
        ClientLocks elsewhere(store, LockHolder{"office-2", "佐藤", 4711, 0, "token"});
        ASSERT_TRUE(elsewhere.open(7).held);
        const Outcome run = kakutei({"restore", backup.path(), "--yes"});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("個人コード 7"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("office-2"), std::string::npos) << run.err;
        EXPECT_EQ(filesOf(root, 7), sevenNow);
        EXPECT_EQ(filesOf(root, 8), filesOf(backup, 8));
    }
}

// A page-1 print stores the offsets it printed with, but never over a settings file it could not read.
TEST_F(DamagedRecords, APrintNeverOverwritesADamagedPrintSettingsFile) {
    client(7, "七");
    root.writeBytes("所得税/印刷要領.txt", "3\r\n");
    const Outcome run = kakutei({"print", "7", "--page", "1", "--yes", "--pdf", outputs.path() + "/7.pdf"});
    EXPECT_EQ(root.readBytes("所得税/印刷要領.txt"), "3\r\n");
    EXPECT_NE(run.err.find("印刷要領.txt"), std::string::npos) << run.err;
    EXPECT_EQ(run.status, 1);
}

// A restore stopped after its plan reached the disk is finished by whatever command comes next, before it
// reads anything: no command shows a tree half old and half new.
TEST_F(DamagedRecords, EveryCommandFinishesAnInterruptedRestoreFirst) {
    client(7, "七");
    const std::string restoredTax = filesOf(root, 7).at("H16所得税/75.txt");
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"roster"}, {"check", "7"}, {"compare", "7"}, {"explain", "7"}, {"list"}}) {
        SCOPED_TRACE(words[0]);
        // The restore had put back everything but the tax record when it stopped.
        testing::writeRecordFields(store, 7, 5, {{28, "999900"}});
        const std::string staging = root.path() + "/.kakutei-change-Zz00Yy";
        root.writeBytes(".kakutei-change-Zz00Yy/f0", restoredTax);
        root.writeBytes(".kakutei-change-Zz00Yy/plan", "put\tf0\tH16所得税/75.txt\n");
        const Outcome run = kakutei(words);
        EXPECT_FALSE(fs::exists(fs::u8path(staging)));
        EXPECT_EQ(root.readBytes("所得税/H16所得税/75.txt"), restoredTax);
        EXPECT_EQ(run.out.find("999,900"), std::string::npos) << run.out;
    }
}

} // namespace
} // namespace kakutei
