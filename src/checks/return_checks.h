#pragma once
// The checks before printing ("申告前チェック"): what in one client's stored return the tax office would
// refuse or correct, each said with the window and the line where it is put right. Reads the stored
// records only and never writes; a record that is there but cannot be read is named, and the checks that
// need it are left out rather than run on a guess.

#include "core/data_store.h"
#include "core/stored_record.h"
#include "core/stored_return.h"

#include <string>
#include <string_view>
#include <vector>

namespace kakutei {

inline constexpr std::string_view kReturnChecksTitle = "申告前チェック";

struct ReturnWarning {
    std::string screen;  // the window's caption, as its title bar shows it
    std::string line;    // the line or box in that window
    std::string message; // what is wrong and what the law allows

    bool operator==(const ReturnWarning&) const = default;
};

struct ReturnChecks {
    std::vector<ReturnWarning> warnings;
    // Files of the client that are there but cannot be read whole, and the taxpayer record when it is not
    // there at all: every check that needs one of them was left out.
    std::vector<UnreadableRecord> unreadable;

    bool clean() const { return warnings.empty() && unreadable.empty(); }
};

// Checks the return of `code` in the year folder of `yearCode` against the Heisei 16 law (ages at
// 31 December 2004).
ReturnChecks checkReturn(const DataStore& store, PersonCode code, std::string_view yearCode = kYearCode);
// The same over a return already read.
ReturnChecks checkReturn(const StoredReturn& stored);

// "個人の登録 — 税務署名: 税務署名がありません。"
std::string warningLine(const ReturnWarning& warning);
// Every warning, then every unreadable file, a line each.
std::string checksText(const ReturnChecks& checks);

} // namespace kakutei
