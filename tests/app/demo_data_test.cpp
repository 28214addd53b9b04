#include "app/demo_data.h"

#include "core/record.h"
#include "core/taxpayer_record.h"

#include "temp_root.h"

#include <gtest/gtest.h>

namespace kakutei {
namespace {

TEST(DemoData, ThreeCompleteReturns) {
    testing::TempRoot root;
    ASSERT_TRUE(createDemoData(root.path()));
    DataStore store(root.path());
    PersonCode current = 0;
    std::string name;
    EXPECT_EQ(buildPersonList(store, current, name),
              (std::vector<std::string>{"01 : 見本　一郎", "02 : 見本　二郎", "03 : 見本　三郎"}));
    const auto tax = [&](PersonCode code, int field) {
        const auto values = readRecordValues(store.path(*names::screenFile(code, 5, kYearCode)), 0, 41);
        return values ? values->numbers.at(static_cast<std::size_t>(field - 1)) : -1.0;
    };
    EXPECT_EQ(tax(1, 29), 13'600);    // the salary earner is refunded
    EXPECT_EQ(tax(2, 28), 84'400);    // the pensioner pays
    EXPECT_EQ(tax(3, 28), 812'000);   // the shop owner pays
    EXPECT_EQ(tax(3, 31), 1'800'000); // with a family employee
}

} // namespace
} // namespace kakutei
