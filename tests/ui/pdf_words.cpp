#include "pdf_words.h"

#include <cstdio>
#include <regex>

namespace kakutei::testing {

std::vector<Word> pdfWords(const std::string& pdf) {
    std::vector<Word> words;
    const std::string command = "pdftotext -bbox -f 1 -l 1 '" + pdf + "' -";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return words;
    std::string html;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        html.append(buffer, got);
    ::pclose(pipe);
    const std::regex word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    constexpr double kMmPerPoint = 25.4 / 72;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), word); it != std::sregex_iterator(); ++it)
        words.push_back({std::stod((*it)[1]) * kMmPerPoint, std::stod((*it)[2]) * kMmPerPoint,
                         std::stod((*it)[3]) * kMmPerPoint, std::stod((*it)[4]) * kMmPerPoint, (*it)[5]});
    return words;
}

} // namespace kakutei::testing
