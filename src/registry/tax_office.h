#pragma once
// The tax office proposed from the first address line, for the wards of Nagoya and Fukuoka and three cities
// of Aichi that the tables know. Characters are counted as characters, never bytes.

#include <optional>
#include <string>
#include <string_view>

namespace kakutei {

std::optional<std::string> proposeTaxOffice(std::string_view address);

} // namespace kakutei
