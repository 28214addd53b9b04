#include "pdf_words.h"

#include <algorithm>
#include <cstdio>
#include <regex>
#include <sstream>
#include <string>

namespace kakutei::testing {

namespace {

std::string outputOf(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, got);
    ::pclose(pipe);
    return out;
}

} // namespace

bool hasWord(const std::vector<Word>& words, const std::string& text) {
    return std::any_of(words.begin(), words.end(), [&](const Word& word) { return word.text == text; });
}

std::string pageFooter(const std::vector<Word>& words) {
    std::string text;
    for (const Word& word : words)
        if (word.yMm > 280)
            text += (text.empty() ? "" : " ") + word.text;
    return text;
}

int pdfPageCount(const std::string& pdf) {
    std::smatch pages;
    const std::string info = outputOf("pdfinfo '" + pdf + "' 2>/dev/null");
    return std::regex_search(info, pages, std::regex(R"(Pages: +([0-9]+))")) ? std::stoi(pages[1]) : 0;
}

std::vector<Word> pdfWords(const std::string& pdf, int page) {
    std::vector<Word> words;
    const std::string number = std::to_string(page);
    const std::string html = outputOf("pdftotext -bbox -f " + number + " -l " + number + " '" + pdf + "' -");
    const std::regex word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    constexpr double kMmPerPoint = 25.4 / 72;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), word); it != std::sregex_iterator(); ++it)
        words.push_back({std::stod((*it)[1]) * kMmPerPoint, std::stod((*it)[2]) * kMmPerPoint,
                         std::stod((*it)[3]) * kMmPerPoint, std::stod((*it)[4]) * kMmPerPoint, (*it)[5]});
    return words;
}

std::vector<std::string> embeddedFonts(const std::string& pdf) {
    std::vector<std::string> fonts;
    std::istringstream lines(outputOf("pdffonts '" + pdf + "'"));
    std::string line;
    // name, type (one or more words), encoding, then emb sub uni and the object's number and generation.
    for (int row = 0; std::getline(lines, line); ++row) {
        std::istringstream columns(line);
        std::vector<std::string> words;
        for (std::string word; columns >> word;)
            words.push_back(word);
        if (row < 2 || words.size() < 7 || words[words.size() - 5] != "yes")
            continue;
        const std::size_t tag = words.front().find('+');
        fonts.push_back(tag == std::string::npos ? words.front() : words.front().substr(tag + 1));
    }
    return fonts;
}

} // namespace kakutei::testing
