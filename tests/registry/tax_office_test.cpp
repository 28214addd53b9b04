#include "registry/tax_office.h"

#include <gtest/gtest.h>

namespace kakutei {
namespace {

TEST(TaxOffice, ProposesFromWardAndCity) {
    struct Case {
        const char* address;
        std::optional<std::string> office;
    } cases[] = {
        {"名古屋市守山区小幡1-1", "名古屋北"},
        {"名古屋市北区", "名古屋北"},
        {"名古屋市港区", "中川"},
        {"名古屋市天白区原", "昭和"},
        {"名古屋市中村区", "名古屋中村"},
        {"名古屋市瑞穂区", "昭和"},
        {"福岡市博多区博多駅前", "博多"},
        {"稲沢市国府宮", "一宮"},
        {"津島市", "津島"},
        {"小牧市小牧", "小牧"},
        {"津島市中区", "津島"},               // both tables match: the city table wins
        {"愛知県名古屋市北区", std::nullopt}, // prefecture first: nothing matches
        {"名古屋市", std::nullopt},           // shorter than five characters
        {"名古屋市北", std::nullopt},         // characters 5 and 6 are only "北"
        {"名古屋市ｷﾀ区", std::nullopt},
        {"", std::nullopt},
        {"稲沢", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(proposeTaxOffice(c.address), c.office) << c.address;
}

} // namespace
} // namespace kakutei
