#include "core/local_time.h"

#include "core/this_system.h"

namespace kakutei {

std::string localTimeText(std::int64_t secondsSinceEpoch) {
    const auto time = static_cast<std::time_t>(secondsSinceEpoch);
    const std::tm local = localTime(time);
    char text[32];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M", &local);
    return text;
}

} // namespace kakutei
