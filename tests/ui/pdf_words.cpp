#include "pdf_words.h"

#include <cstdio>
#include <regex>
#include <sstream>

namespace kakutei::testing {
namespace {

std::string outputOf(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, got);
    ::pclose(pipe);
    return output;
}

} // namespace

std::vector<Word> pdfWords(const std::string& pdf) {
    std::vector<Word> words;
    const std::string html = outputOf("pdftotext -bbox -f 1 -l 1 '" + pdf + "' -");
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
