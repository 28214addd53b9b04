// `kakutei explain`: a client's work sheet as text on stdout or as a PDF, through the program itself.
#include "core/stored_return.h"
#include "core/taxpayer_record.h"
#include "explain/explanation.h"
#include "explain/explanation_text.h"

#include "../ui/pdf_words.h"
#include "program_run.h"
#include "sample_taxpayer.h"
#include "screen_fixture.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace kakutei {
namespace {

struct ExplainCommand : ::testing::Test {
    testing::TempRoot root;
    testing::TempRoot outputs;
    DataStore store{root.path()};

    void SetUp() override {
        store.ensureFolders(kYearCode);
        TaxpayerRecord record;
        record.personCode = 7;
        record.name = "山田太郎";
        testing::registerWhole(record);
        ASSERT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(7))));
        // A salary of 5,000,000 (field 6) and its income 3,460,000 (field 17), then every screen computed.
        testing::writeRecordFields(store, 7, 1, 0, 20, {{6, "5000000"}, {17, "3460000"}});
        const testing::ProgramRun recalc = kakutei({"recalc", "7"});
        ASSERT_EQ(recalc.status, 0) << recalc.err;
    }

    testing::ProgramRun kakutei(std::vector<std::string> words) const {
        words.insert(words.begin(), {"--root", root.path()});
        return testing::runProgram("QT_QPA_PLATFORM=offscreen", KAKUTEI_BINARY, words, outputs);
    }
};

TEST_F(ExplainCommand, PrintsTheWorkSheetAsText) {
    const testing::ProgramRun run = kakutei({"explain", "7"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(run.out.starts_with("計算明細書（平成16年分）\n個人コード 7　山田太郎\n")) << run.out;
    // Every section of the return's explanation, and the stored figures: taxable income 3,460,000 −
    // 380,000 = 3,080,000, its tax 308,000, less the fixed-rate reduction 61,600, to pay 246,400.
    const Explanation explanation = explainReturn(readStoredReturn(store, 7, kYearCode));
    ASSERT_FALSE(explanation.sections.empty());
    for (const ExplanationSection& section : explanation.sections)
        EXPECT_NE(run.out.find("■ " + section.title + "\n"), std::string::npos) << section.title;
    for (const char* figure : {"3,080,000", "308,000", "61,600", "246,400"})
        EXPECT_NE(run.out.find(figure), std::string::npos) << figure;
    EXPECT_EQ(run.out, explanationText(explanation));
}

TEST_F(ExplainCommand, WritesThePdfWithAHeaderAndPageNumbers) {
    const std::string pdf = outputs.path() + "/明細.pdf";
    const testing::ProgramRun run = kakutei({"explain", "7", "--pdf", pdf});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "計算明細書を PDF に保存しました: " + pdf + "\n");
    EXPECT_EQ(run.err, "");

    const int pages = testing::pdfPageCount(pdf);
    ASSERT_GE(pages, 2); // every line of a whole return, each with its steps
    const std::vector<testing::Word> first = testing::pdfWords(pdf, 1);
    for (const char* word : {"計算明細書", "平成16年分", "7", "山田太郎"})
        EXPECT_TRUE(testing::hasWord(first, word)) << word;
    EXPECT_EQ(testing::pageFooter(first), "1 / " + std::to_string(pages));
    EXPECT_EQ(testing::pageFooter(testing::pdfWords(pdf, 2)), "2 / " + std::to_string(pages));

    // A folder gets the sheet under the name the printing screen suggests.
    const testing::ProgramRun intoFolder = kakutei({"explain", "7", "--pdf", outputs.path()});
    EXPECT_EQ(intoFolder.status, 0) << intoFolder.err;
    EXPECT_TRUE(std::filesystem::exists(outputs.path() + "/07_山田太郎_計算明細書.pdf"));
}

TEST_F(ExplainCommand, UsageUnknownClientsAndUnwritableFiles) {
    const std::string missing = outputs.path() + "/なし/7.pdf";
    const struct {
        std::vector<std::string> words;
        int status;
        std::string message;
    } cases[] = {
        {{"explain"}, 2, "説明する人の個人コードを一つ指定して下さい。"},
        {{"explain", "7", "8"}, 2, "説明する人の個人コードを一つ指定して下さい。"},
        {{"explain", "abc"}, 2, "個人コードが読めません: abc"},
        {{"explain", "9"}, 1, "個人コード 9 は登録されていません。"},
        {{"explain", "7", "--pdf"}, 2, "--pdf の後に値を指定して下さい。"},
        {{"explain", "7", "--pdf", missing}, 1, "計算明細書を「" + missing + "」に保存できません。"},
    };
    for (const auto& c : cases) {
        const testing::ProgramRun run = kakutei(c.words);
        EXPECT_EQ(run.status, c.status) << c.message << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with(c.message)) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(outputs.path() + "/なし"));
}

TEST_F(ExplainCommand, AnUnreadableRecordIsNamedAndFails) {
    root.writeBytes("所得税/H16所得税/73.txt", "\"cut short\"\r\n");
    const testing::ProgramRun run = kakutei({"explain", "7"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.starts_with("計算明細書（平成16年分）\n")); // what could be read is still explained
    EXPECT_NE(run.err.find("「" + store.path(*names::screenFile(7, 3, kYearCode)) + "」を読めません。"),
              std::string::npos)
        << run.err;
}

} // namespace
} // namespace kakutei
