#pragma once
// Whether a client's stored records can be read whole before anything is loaded from them or saved over
// them. A file that is there but cannot be read (damaged, cut short, not a file, no permission) must never
// be replaced by an empty screen: that would lose the only copy of someone's return.

#include "core/data_store.h"
#include "core/record_kinds.h"

#include <string>
#include <vector>

namespace kakutei {

struct UnreadableRecord {
    std::string path;
    StoredCheck check;
};
// "「…/71.txt」を読めません。<the reason>"
std::string unreadableLine(const UnreadableRecord& record);

// The taxpayer's screen files and housing-loan file of the year that are there but cannot be read whole.
std::vector<UnreadableRecord> unreadableRecordsOf(const DataStore& store, PersonCode code,
                                                  std::string_view yearCode);

} // namespace kakutei
