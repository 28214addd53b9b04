#include "core/wide_result.h"

#include <limits>

namespace kakutei {

std::int32_t WideResults::fit(std::int64_t value, std::string_view caption) {
    if (value >= std::numeric_limits<std::int32_t>::min() &&
        value <= std::numeric_limits<std::int32_t>::max())
        return static_cast<std::int32_t>(value);
    if (failed_.empty())
        failed_ = caption;
    return 0;
}

Message WideResults::message() const {
    return {"計算できません",
            "「" + failed_ +
                "」の計算結果が扱える金額（2,147,483,647 円）を超えました。金額を確かめて下さい。\n"
                "（何も保存していません。）"};
}

void WideResults::report(UserInterface& ui) const {
    const Message text = message();
    ui.warn(text.title, text.body);
}

} // namespace kakutei
