#pragma once
// Everything stored of one client's return for a year, each file read once: the registration and the six
// records. The roster reads a thousand of these, and the checks before printing look at the same reading,
// so neither opens a file twice.

#include "core/data_store.h"
#include "core/stored_record.h"
#include "core/taxpayer_record.h"

#include <array>
#include <string>
#include <vector>

namespace kakutei {

struct StoredReturn {
    PersonCode code = 0;
    std::string taxpayerPath;
    TaxpayerRead taxpayer;
    // k = 1 to 5 the screen files, 6 the housing-loan file; a record whose number does not fit is missing.
    std::array<std::string, 6> paths;
    std::array<StoredRecord, 6> records;

    const StoredRecord& record(int k) const { return records.at(static_cast<std::size_t>(k - 1)); }
    const std::string& path(int k) const { return paths.at(static_cast<std::size_t>(k - 1)); }
    // The records that are there but cannot be read whole (the registration not among them).
    std::vector<UnreadableRecord> unreadableRecords() const;
    // The same with a damaged registration first: everything that keeps the client from being worked on.
    std::vector<UnreadableRecord> unreadableFiles() const;
};

// Reads no record of a code that is not registered at all (its records stay missing).
StoredReturn readStoredReturn(const DataStore& store, PersonCode code, std::string_view yearCode);

} // namespace kakutei
