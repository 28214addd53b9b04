#include "core/stored_return.h"

namespace kakutei {

std::vector<UnreadableRecord> StoredReturn::unreadableRecords() const {
    std::vector<UnreadableRecord> found;
    for (std::size_t i = 0; i < records.size(); ++i)
        if (records[i].check.state == StoredState::unreadable)
            found.push_back({paths[i], records[i].check.error});
    return found;
}

StoredReturn readStoredReturn(const DataStore& store, PersonCode code, std::string_view yearCode) {
    StoredReturn stored;
    stored.code = code;
    stored.taxpayerPath = store.path(names::taxpayerFile(code));
    stored.taxpayer = readTaxpayerRecord(store, code);
    // Most codes of a roster's range are free: without a registration there is nothing more to read.
    if (stored.taxpayer.error == std::errc::no_such_file_or_directory)
        return stored;
    for (int k = 1; k <= 6; ++k) {
        const auto name =
            k == 6 ? names::housingLoanFile(code, yearCode) : names::screenFile(code, k, yearCode);
        if (!name)
            continue;
        const auto i = static_cast<std::size_t>(k - 1);
        stored.paths[i] = store.path(*name);
        stored.records[i] =
            readStoredRecord(stored.paths[i], k == 6 ? kHousingLoanShape : screenRecordShape(k));
    }
    return stored;
}

} // namespace kakutei
