#include "core/person_code.h"

#include "core/amount_text.h"
#include "core/store_error.h"

namespace kakutei {

CodeReading readCode(std::string_view text) {
    const auto number = parseNumber(text);
    if (!number)
        return {std::nullopt, StoreErrc::typeMismatch};
    const auto code = toInt16(*number);
    if (!code)
        return {std::nullopt, StoreErrc::overflow};
    return {code, {}};
}

std::string codeProblem(std::string_view text) {
    const CodeReading code = readCode(text);
    if (code.code)
        return {};
    if (text.find_first_not_of(" 　") == std::string_view::npos)
        return "個人コードを入れて下さい。";
    if (code.error == StoreErrc::overflow)
        return "個人コードが大きすぎます。1 から 1000 までの数字で入れて下さい。";
    return "個人コードは 1 から 1000 までの数字で入れて下さい（「" + std::string(text) +
           "」は数字ではありません）。";
}

} // namespace kakutei
