#include "core/local_time.h"

#include <ctime>

namespace kakutei {

std::string localTimeText(std::int64_t secondsSinceEpoch) {
    const auto time = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
    localtime_r(&time, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M", &local);
    return text;
}

} // namespace kakutei
