#include "core/stored_record.h"

namespace kakutei {

std::string unreadableLine(const UnreadableRecord& record) {
    return unreadableText(record.path, record.check);
}

std::vector<UnreadableRecord> unreadableRecordsOf(const DataStore& store, PersonCode code,
                                                  std::string_view yearCode) {
    std::vector<UnreadableRecord> found;
    for (int k = 1; k <= 6; ++k) {
        const auto name = names::recordFile(code, k, yearCode);
        if (!name)
            continue;
        const std::string path = store.path(*name);
        const StoredRecord stored = readRecordFile(path, screenRecordSchema(k));
        if (stored.check.state == StoredState::unreadable)
            found.push_back({path, stored.check});
    }
    return found;
}

} // namespace kakutei
