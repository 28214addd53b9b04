// The PDF for real: every entry lands within 0.5 mm of its place, and the text is extractable Japanese.
#include "ui/print_command.h"

#include "core/taxpayer_record.h"
#include "print/print_offsets.h"

#include "screen_fixture.h"

#include <cstdio>
#include <regex>
#include <sstream>

namespace kakutei {
namespace {

struct Word {
    double xMm, yMm;
    std::string text;
};

// The words of a PDF page as pdftotext -bbox reports them, in millimetres.
std::vector<Word> pdfWords(const std::string& pdf) {
    std::vector<Word> words;
    const std::string command = "pdftotext -bbox '" + pdf + "' -";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return words;
    std::string html;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        html.append(buffer, got);
    ::pclose(pipe);
    const std::regex word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="[0-9.]+" yMax="[0-9.]+">([^<]*)</word>)re");
    constexpr double kMmPerPoint = 25.4 / 72;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), word); it != std::sregex_iterator(); ++it)
        words.push_back({std::stod((*it)[1]) * kMmPerPoint, std::stod((*it)[2]) * kMmPerPoint, (*it)[3]});
    return words;
}

struct PrintCommandFixture : testing::DataScreenFixture {
    PrintCommandFixture() {
        TaxpayerRecord record;
        record.personCode = 7;
        record.name = "山田太郎";
        record.address1 = "東京都港区芝";
        taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(7)));
        testing::writeRecordFields(store, 7, 1, 0, 20, {{1, "5000000"}});
        testing::writeRecordFields(store, 7, 3, 47, 17, {{2, "\"山田花子\""}});
        root.writeBytes("所得税/税理士名.txt", testing::sjis("\"田中誠\"\r\n\"\"\r\n\"0312345678\"\r\n"));
        storePrintOffsets(store, {2, 3});
    }
    std::vector<Word> print(int page) {
        const std::string pdf = root.path() + "/page" + std::to_string(page) + ".pdf";
        const std::string pageText = std::to_string(page);
        std::vector<const char*> argv = {"kakutei",        "--root", root.path().c_str(),
                                         "print",          "7",      "--page",
                                         pageText.c_str(), "--pdf",  pdf.c_str()};
        std::ostringstream out, err;
        EXPECT_EQ(runPrintCommand(parseCommandLine(static_cast<int>(argv.size()), argv.data()), out, err), 0)
            << err.str();
        return pdfWords(pdf);
    }
    static void expectAt(const std::vector<Word>& words, const std::string& text, double x, double y) {
        for (const Word& word : words) {
            if (word.text != text)
                continue;
            EXPECT_NEAR(word.xMm, x, 0.5) << text;
            EXPECT_NEAR(word.yMm, y, 0.5) << text;
            return;
        }
        ADD_FAILURE() << "not in the PDF: " << text;
    }
};

TEST_F(PrintCommandFixture, PageOneEntriesSitWhereTheFormsBoxesAre) {
    const auto words = print(1);
    ASSERT_FALSE(words.empty());
    expectAt(words, "確", 122 + 2, 9 + 3);
    expectAt(words, "山田太郎", 113 + 2, 27 + 3);
    expectAt(words, "東京都港区芝", 31 + 2, 27 + 3);
    // Row 1, 5,000,000: the 5 in cell 3 (X 67) drawn as a number, one blank (half an em of 11 pt) in.
    expectAt(words, "5", 67 + 2 + 11 * 0.5 * 25.4 / 72, 60 + 3);
}

TEST_F(PrintCommandFixture, PageTwoMovesAllButTheAccountant) {
    const auto words = print(2);
    expectAt(words, "山田太郎", 34 + 2, 57 + 3);
    expectAt(words, "山田花子", 114 + 2, 145 + 3);
    expectAt(words, "田中誠", 135, 272);
}

} // namespace
} // namespace kakutei
