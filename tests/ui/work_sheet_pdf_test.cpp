// The work sheet's PDF: a header and a page number on every page, each line's block kept on one page,
// long steps wrapped inside the margins, and nothing written where it cannot be written whole.
#include "explain/explanation.h"
#include "registry/output_gate.h"
#include "ui/work_sheet_pdf.h"

#include "pdf_words.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

namespace kakutei {
namespace {

using testing::Word;

std::string threeDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%03d", n);
    return text;
}

struct WorkSheetPdf : ::testing::Test {
    testing::TempRoot data;
    OutputGate gate{data.path()};
    testing::TempRoot folder;
    std::string pdf = folder.path() + "/sheet.pdf";
};

TEST_F(WorkSheetPdf, EveryPageHasTheHeaderAndItsNumberAndNoLineIsSplit) {
    Explanation explanation{7, "山田太郎", {}, {"記録が一つ読めません。"}};
    for (int s = 0; s < 3; ++s) {
        ExplanationSection section{"区分" + std::to_string(s), {}};
        for (int i = 0; i < 20; ++i) {
            const int n = s * 100 + i;
            section.lines.push_back({{ExplainedScreen::taxComputation, n},
                                     "欄" + threeDigits(n),
                                     n * 1000.0 + 1,
                                     Provenance::computed,
                                     {"第一" + threeDigits(n), "第二" + threeDigits(n)}});
        }
        explanation.sections.push_back(section);
    }
    ASSERT_FALSE(writeWorkSheetPdf(gate, explanation, pdf));

    const int pages = testing::pdfPageCount(pdf);
    ASSERT_GE(pages, 3);                                           // sixty lines of three rows each
    std::map<std::string, std::vector<std::pair<int, Word>>> seen; // every word with its page
    for (int page = 1; page <= pages; ++page) {
        const std::vector<Word> words = testing::pdfWords(pdf, page);
        for (const char* header : {"計算明細書", "平成16年分", "個人コード", "7", "山田太郎"})
            EXPECT_TRUE(testing::hasWord(words, header)) << header << " on page " << page;
        EXPECT_EQ(testing::pageFooter(words), std::to_string(page) + " / " + std::to_string(pages));
        for (const Word& word : words)
            seen[word.text].push_back({page, word});
    }
    for (int s = 0; s < 3; ++s) {
        for (int i = 0; i < 20; ++i) {
            const int n = s * 100 + i;
            const auto& label = seen["欄" + threeDigits(n)];
            ASSERT_EQ(label.size(), 1u) << n;
            const auto& figure = seen[n == 0 ? "1" : std::to_string(n) + ",001"];
            const auto& first = seen["第一" + threeDigits(n)];
            const auto& second = seen["第二" + threeDigits(n)];
            ASSERT_EQ(first.size(), 1u) << n;
            ASSERT_EQ(second.size(), 1u) << n;
            const int page = label.front().first;
            EXPECT_TRUE(std::any_of(figure.begin(), figure.end(),
                                    [&](const auto& f) {
                                        return f.first == page && std::abs(f.second.x2Mm - 160) < 0.3 &&
                                               std::abs(f.second.yMm - label.front().second.yMm) < 0.5;
                                    }))
                << "the figure of line " << n << " stands right-aligned beside its label";
            EXPECT_EQ(first.front().first, page) << n;
            EXPECT_EQ(second.front().first, page) << n;
            EXPECT_LT(label.front().second.yMm, first.front().second.yMm);
            EXPECT_LT(first.front().second.yMm, second.front().second.yMm);
        }
        // A heading never ends a page: it stands on the page of its first line.
        const auto& heading = seen["区分" + std::to_string(s)];
        ASSERT_EQ(heading.size(), 1u);
        EXPECT_EQ(heading.front().first, seen["欄" + threeDigits(s * 100)].front().first);
    }
    EXPECT_EQ(seen["記録が一つ読めません。"].size(), 0u); // the note is there with its bullet:
    EXPECT_EQ(seen["・記録が一つ読めません。"].size(), 1u);
}

TEST_F(WorkSheetPdf, ALongStepWrapsInsideTheMargins) {
    std::string step;
    for (int i = 0; i < 12; ++i)
        step += "所得控除の合計から基礎控除を差し引いた残り";
    const Explanation explanation{
        7, "山田太郎", {{"税額の計算", {{{}, "26 課税所得金額", 6725000, Provenance::stale, {step}}}}}, {}};
    ASSERT_FALSE(writeWorkSheetPdf(gate, explanation, pdf));
    ASSERT_EQ(testing::pdfPageCount(pdf), 1);
    std::set<long> rows;
    std::string joined;
    for (const Word& word : testing::pdfWords(pdf)) {
        if (word.text.find("控除") == std::string::npos)
            continue;
        EXPECT_GE(word.xMm, 23.5) << word.text;   // indented under its line
        EXPECT_LE(word.x2Mm, 195.3) << word.text; // inside the right margin
        rows.insert(std::lround(word.yMm * 10));
        joined += word.text;
    }
    EXPECT_GE(rows.size(), 3u);
    EXPECT_EQ(joined, step); // wrapped, nothing lost
}

TEST_F(WorkSheetPdf, NothingToExplainIsOnePageThatSaysSo) {
    ASSERT_FALSE(writeWorkSheetPdf(gate, Explanation{42, "", {}, {}}, pdf));
    ASSERT_EQ(testing::pdfPageCount(pdf), 1);
    const std::vector<Word> words = testing::pdfWords(pdf);
    EXPECT_TRUE(testing::hasWord(words, "（明細はありません）"));
    EXPECT_TRUE(testing::hasWord(words, "42"));
    EXPECT_EQ(testing::pageFooter(words), "1 / 1");
}

TEST_F(WorkSheetPdf, AFileThatCannotBeWrittenIsNotWrittenAtAll) {
    const std::string missing = folder.path() + "/なし/sheet.pdf";
    EXPECT_EQ(writeWorkSheetPdf(gate, Explanation{7, "山田太郎", {}, {}}, missing),
              std::errc::no_such_file_or_directory);
    EXPECT_FALSE(std::filesystem::exists(folder.path() + "/なし"));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

} // namespace
} // namespace kakutei
