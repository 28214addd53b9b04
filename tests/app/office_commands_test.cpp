// The office's commands: `roster` on stdout and as CSV, and `recalc --all` / `print --all` over every
// registered client, through the real program.
#include "core/client_lock.h"
#include "core/cp932.h"
#include "core/taxpayer_record.h"

#include "sample_taxpayer.h"
#include "screen_fixture.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

namespace kakutei {
namespace {

using testing::TempRoot;

struct Outcome {
    int status;
    std::string out;
};

// Runs the program with `arguments` (already quoted for the shell); stderr joins stdout.
Outcome kakutei(const std::string& arguments) {
    const std::string command = std::string(KAKUTEI_BINARY) + " " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    std::array<char, 4096> buffer;
    for (std::size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        out.append(buffer.data(), got);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

struct OfficeCommands : ::testing::Test {
    TempRoot root;
    DataStore store{root.path()};
    TempRoot outputs; // for the CSV and the PDFs: never inside the data folder
    std::string rootArgument = "--root '" + root.path() + "'";

    OfficeCommands() {
        store.ensureFolders(kYearCode);
        for (auto [code, name] : {std::pair<PersonCode, const char*>{7, "山田太郎"}, {42, "髙橋花子"}}) {
            TaxpayerRecord record;
            record.personCode = code;
            record.name = name;
            record.returnKind = "白色";
            testing::registerWhole(record); // a tax office and a birth date: nothing to warn of
            EXPECT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(code))));
            // A salary of 5,000,000 (field 6) and its income 3,460,000 (field 17); line 9 as last stored.
            testing::writeRecordFields(store, code, 1, 0, 20,
                                       {{6, "5000000"}, {17, "3460000"}, {20, "5000000"}});
        }
    }
};

TEST_F(OfficeCommands, RecalcAllThenRosterShowsEveryClientsFigures) {
    Outcome before = kakutei(rootArgument + " roster");
    EXPECT_EQ(before.status, 0) << before.out;
    EXPECT_NE(before.out.find("7\t山田太郎\t\t白\t5,000,000\t\t未計算\t"), std::string::npos) << before.out;

    const Outcome recalc = kakutei(rootArgument + " recalc --all");
    EXPECT_EQ(recalc.status, 0) << recalc.out;
    const Outcome after = kakutei(rootArgument + " roster");
    EXPECT_EQ(after.status, 0) << after.out;
    EXPECT_EQ(after.out.find("未計算"), std::string::npos) << after.out;
    // Taxable 3,460,000 − 380,000 = 3,080,000 → 10 % = 308,000, less the fixed-rate reduction 61,600.
    EXPECT_NE(after.out.find("42\t髙橋花子\t\t白\t3,460,000\t納付 246,400\t"), std::string::npos)
        << after.out;

    const std::string csv = outputs.path() + "/一覧.csv";
    const Outcome written = kakutei(rootArgument + " roster --csv '" + csv + "'");
    EXPECT_EQ(written.status, 0) << written.out;
    EXPECT_EQ(written.out, "");
    const std::string text = decodeCp932(outputs.readBytes("一覧.csv"));
    EXPECT_NE(text.find("\r\n42,髙橋花子,,白色,3460000,246400,0,"), std::string::npos) << text;
}

TEST_F(OfficeCommands, RosterNamesAnUnreadableRecordAndFails) {
    root.writeBytes("所得税/H16所得税/71.txt", "12\r\nabc\r\n");
    const Outcome run = kakutei(rootArgument + " roster");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("H16所得税/71.txt」を読めません"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("7\t山田太郎\t"), std::string::npos)
        << run.out; // the row stays, its figures empty
    EXPECT_EQ(root.readBytes("所得税/H16所得税/71.txt"), "12\r\nabc\r\n");
}

TEST_F(OfficeCommands, PrintAllWritesOnePdfPerClientIntoTheFolder) {
    const std::string folder = outputs.path() + "/pdf";
    std::filesystem::create_directory(folder);
    const Outcome run = kakutei(rootArgument + " print --all --page 1 --a4-copy --pdf '" + folder + "'");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(std::filesystem::exists(folder + "/07_山田太郎_第一表（控え）.pdf")) << run.out;
    EXPECT_TRUE(std::filesystem::exists(folder + "/42_髙橋花子_第一表（控え）.pdf")) << run.out;
}

TEST_F(OfficeCommands, RecalcAndPrintSkipAClientOpenOnAnotherWorkstation) {
    // The other workstation's mark, as a program on another computer leaves it.
    ClientLocks locks(store, LockHolder{"office-2", "suzuki", 4711, 0, "other"});
    ASSERT_TRUE(locks.open(7).held);
    const Outcome recalc = kakutei(rootArgument + " recalc 7 42");
    EXPECT_EQ(recalc.status, 1) << recalc.out;
    EXPECT_NE(recalc.out.find(
                  "個人コード 7（山田太郎）: 個人コード 7（山田太郎） は、suzuki（コンピューター office-2、"
                  "プロセス 4711）が "),
              std::string::npos)
        << recalc.out;
    EXPECT_FALSE(std::filesystem::exists(store.path(*names::screenFile(7, 5, kYearCode))));
    EXPECT_TRUE(std::filesystem::exists(store.path(*names::screenFile(42, 5, kYearCode))));

    const std::string folder = outputs.path() + "/pdf";
    std::filesystem::create_directory(folder);
    const Outcome print = kakutei(rootArgument + " print --all --page 2 --pdf '" + folder + "'");
    EXPECT_EQ(print.status, 1) << print.out;
    EXPECT_NE(print.out.find("開いています。印刷していません。"), std::string::npos) << print.out;
    EXPECT_FALSE(std::filesystem::exists(folder + "/07_山田太郎_第二表.pdf"));
    EXPECT_TRUE(std::filesystem::exists(folder + "/42_髙橋花子_第二表.pdf")) << print.out;
    EXPECT_TRUE(locks.holds(7)); // the batch left the other's mark alone
}

TEST_F(OfficeCommands, AllWithCodesOrNeitherIsAUsageError) {
    for (const char* words : {" recalc --all 7", " recalc", " print --all 7 --page 1", " roster 7"}) {
        const Outcome run = kakutei(rootArgument + words);
        EXPECT_EQ(run.status, 2) << words << "\n" << run.out;
    }
}

} // namespace
} // namespace kakutei
