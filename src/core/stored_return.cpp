#include "core/stored_return.h"

namespace kakutei {

std::vector<UnreadableRecord> StoredReturn::unreadableRecords() const {
    std::vector<UnreadableRecord> found;
    for (std::size_t i = 0; i < records.size(); ++i)
        if (records[i].check.state == StoredState::unreadable)
            found.push_back({paths[i], records[i].check});
    return found;
}

std::vector<UnreadableRecord> StoredReturn::unreadableFiles() const {
    std::vector<UnreadableRecord> found;
    if (taxpayer.check.state == StoredState::unreadable)
        found.push_back({taxpayerPath, taxpayer.check});
    for (UnreadableRecord& record : unreadableRecords())
        found.push_back(std::move(record));
    return found;
}

StoredReturn readStoredReturn(const DataStore& store, PersonCode code, std::string_view yearCode) {
    StoredReturn stored;
    stored.code = code;
    stored.taxpayerPath = store.path(names::taxpayerFile(code));
    stored.taxpayer = readTaxpayerRecord(store, code);
    // Most codes of a roster's range are free: without a registration there is nothing more to read.
    if (!stored.taxpayer.registered())
        return stored;
    for (int k = 1; k <= 6; ++k) {
        const auto name = names::recordFile(code, k, yearCode);
        if (!name)
            continue;
        const auto i = static_cast<std::size_t>(k - 1);
        stored.paths[i] = store.path(*name);
        stored.records[i] = readRecordFile(stored.paths[i], screenRecordSchema(k));
    }
    return stored;
}

} // namespace kakutei
