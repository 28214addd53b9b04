// `kakutei check` and the question before `kakutei print`, through the program itself.
#include "core/taxpayer_record.h"

#include "program_run.h"
#include "sample_taxpayer.h"
#include "screen_fixture.h"

#include <filesystem>

namespace kakutei {
namespace {

struct CheckCommand : ::testing::Test {
    testing::TempRoot root;
    testing::TempRoot outputs;
    DataStore store{root.path()};

    CheckCommand() { store.ensureFolders(kYearCode); }

    void registerClient(PersonCode code, std::string taxOffice) {
        TaxpayerRecord record = testing::sampleRecord();
        record.personCode = code;
        record.taxOffice = std::move(taxOffice);
        ASSERT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(code))));
    }

    testing::ProgramOutcome kakutei(const std::vector<std::string>& words) const {
        return testing::runProgram(KAKUTEI_BINARY, root.path(), words, outputs);
    }
};

TEST_F(CheckCommand, PrintsEachWarningOnItsOwnLineAndSucceeds) {
    registerClient(7, "芝");
    // A spouse deduction with a spouse income above 380,000.
    testing::writeRecordFields(store, 7, 3, 47, 17, {{62, "400000"}, {63, "380000"}});
    testing::ProgramOutcome run = kakutei({"check", "7"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "障害者・配偶者・扶養家族 / 専従者に関する事項 — 配偶者控除の額: 配偶者の合計所得"
                       "（400,000円）が38万円を超えるため、配偶者控除は受けられません。\n");
    EXPECT_EQ(run.err, "");

    registerClient(8, "");
    run = kakutei({"check", "8"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "個人の登録 — 税務署名: 税務署名がありません。\n");
}

TEST_F(CheckCommand, SaysSoWhenThereIsNothing) {
    registerClient(7, "芝");
    const testing::ProgramOutcome run = kakutei({"check", "7"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "警告はありません\n");
}

TEST_F(CheckCommand, AnUnreadableRecordFailsAndIsNamed) {
    registerClient(7, "");
    root.writeBytes("所得税/H16所得税/73.txt", "\"cut short\"\r\n");
    const testing::ProgramOutcome run = kakutei({"check", "7"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "個人の登録 — 税務署名: 税務署名がありません。\n"); // what could be read is still said
    EXPECT_NE(run.err.find("「" + store.path(*names::screenFile(7, 3, kYearCode)) + "」を読めません。"),
              std::string::npos);
}

TEST_F(CheckCommand, UsageAndUnknownClients) {
    const struct {
        std::vector<std::string> words;
        int status;
    } cases[] = {
        {{"check"}, 2},
        {{"check", "7", "8"}, 2},
        {{"check", "abc"}, 2},
        {{"check", "9"}, 1}, // registered nowhere
    };
    for (const auto& c : cases) {
        const testing::ProgramOutcome run = kakutei(c.words);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }
}

TEST_F(CheckCommand, PrintAsksFirstAndPrintsOnlyWithYes) {
    registerClient(7, "");
    const std::string pdf = outputs.path() + "/7.pdf";
    testing::ProgramOutcome run = kakutei({"print", "7", "--page", "1", "--pdf", pdf});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("申告前チェック: 個人の登録 — 税務署名: 税務署名がありません。\n印刷を続けますか"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(pdf));

    run = kakutei({"print", "7", "--page", "1", "--pdf", pdf, "--yes"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, pdf + "\n");
    EXPECT_GT(std::filesystem::file_size(pdf), 0u);
}

} // namespace
} // namespace kakutei
