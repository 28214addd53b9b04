#pragma once
// The client roster: one row per registered taxpayer with the figures an office looks at first, read from
// the stored records only. A record that is there but cannot be read is named in the row, never guessed.

#include "core/data_store.h"
#include "core/stored_record.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kakutei {

struct RosterRow {
    PersonCode code = 0;
    std::string name;
    std::string reading;    // フリガナ
    std::string returnKind; // "青色" / "白色" as registered
    // Nothing while the figure has not been stored yet.
    std::optional<std::int64_t> income;       // line 9 所得金額
    std::optional<std::int64_t> taxDue;       // line 40 納める税金
    std::optional<std::int64_t> refund;       // line 41 還付される税金
    std::optional<std::int64_t> calculatedAt; // when 税額の計算 last stored its record, seconds since 1970
    std::optional<int> warnings;              // checks before printing; nothing until counted
    std::vector<UnreadableRecord> unreadable; // files that are there but cannot be read whole

    // Tax due as a positive amount, a refund as a negative one: one figure to sort by.
    std::optional<std::int64_t> balance() const;
};

// Every taxpayer registered under codes 1 to 1000, in code order; a damaged registration is listed too, with
// kDamagedRegistration for its name.
std::vector<RosterRow> readRoster(const DataStore& store, std::string_view yearCode);

} // namespace kakutei
