#pragma once
// Whether a stored record can be read whole before anything is loaded from it or saved over it. A file that
// is there but cannot be read (damaged, cut short, not a file, no permission) must never be replaced by an
// empty screen: that would lose the only copy of someone's return.

#include "core/data_store.h"
#include "core/record.h"

#include <string>
#include <system_error>
#include <vector>

namespace kakutei {

// The values a record holds before its fillers: its texts, then its numbers.
struct RecordShape {
    int texts = 0;
    int numbers = 0;
};

inline constexpr RecordShape kIncomeShape{0, 20};
inline constexpr RecordShape kDeductionShape{13, 25};
inline constexpr RecordShape kPersonalDeductionShape{47, 17};
inline constexpr RecordShape kIncomeBreakdownShape{40, 25};
inline constexpr RecordShape kTaxComputationShape{0, 41};
inline constexpr RecordShape kHousingLoanShape{0, 8};

// The shape of screen file k (1 to 5); the housing-loan file is k = 6.
RecordShape screenRecordShape(int k);

enum class StoredState {
    missing,    // not there yet: an empty screen, as for a new taxpayer
    readable,   // every value of the shape reads
    unreadable, // there, but it cannot be read whole
};

struct StoredCheck {
    StoredState state = StoredState::missing;
    std::error_code error; // why, when unreadable
};

// Reads without blocking: a pipe or a device where a record should be is unreadable, never waited on.
StoredCheck checkStoredRecord(const std::string& path, RecordShape shape);

// The check and, when readable, the values of the shape, from one reading of the file.
struct StoredRecord {
    StoredCheck check;
    RecordValues values;
};
StoredRecord readStoredRecord(const std::string& path, RecordShape shape);

struct UnreadableRecord {
    std::string path;
    std::error_code error;
};
// The taxpayer's screen files and housing-loan file of the year that are there but cannot be read whole.
std::vector<UnreadableRecord> unreadableRecordsOf(const DataStore& store, PersonCode code,
                                                  std::string_view yearCode);

} // namespace kakutei
