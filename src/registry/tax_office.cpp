#include "registry/tax_office.h"

#include "core/utf8.h"

#include <span>
#include <utility>

namespace kakutei {
namespace {

using Entry = std::pair<std::string_view, std::string_view>;

// Characters 5 and 6: the ward after a four-character city name (名古屋市北区), or for Fukuoka the end of
// a three-character ward (福岡市博多区).
constexpr Entry kWards[] = {
    {"北区", "名古屋北"},   {"守山", "名古屋北"}, {"中区", "名古屋中"}, {"中川", "中川"}, {"港区", "中川"},
    {"中村", "名古屋中村"}, {"東区", "名古屋東"}, {"西区", "名古屋西"}, {"熱田", "熱田"}, {"南区", "熱田"},
    {"千種", "千種"},       {"昭和", "昭和"},     {"瑞穂", "昭和"},     {"天白", "昭和"}, {"多区", "博多"},
};

// Characters 1 to 3.
constexpr Entry kCities[] = {{"津島市", "津島"}, {"小牧市", "小牧"}, {"稲沢市", "一宮"}};

std::optional<std::string> lookUp(std::string_view key, std::span<const Entry> table) {
    for (const auto& [k, office] : table)
        if (k == key)
            return std::string(office);
    return std::nullopt;
}

} // namespace

std::optional<std::string> proposeTaxOffice(std::string_view address) {
    const std::u32string characters = toCodePoints(address);
    const std::u32string_view all(characters);
    const std::string ward = all.size() > 4 ? fromCodePoints(all.substr(4, 2)) : std::string();
    const std::string city = fromCodePoints(all.substr(0, 3));
    // The city table comes second and wins when both match.
    if (auto office = lookUp(city, kCities))
        return office;
    return lookUp(ward, kWards);
}

} // namespace kakutei
