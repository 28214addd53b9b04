#pragma once
// The models speak UTF-8 std::string; Qt speaks QString.

#include <QString>

#include <string>
#include <string_view>

namespace kakutei {

inline QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string utf8(const QString& text) {
    return text.toStdString();
}

} // namespace kakutei
