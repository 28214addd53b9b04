#pragma once
// PrintOffsets and the settings file "c:\所得税\印刷要領.txt" (two lines, right then down, no fillers).

#include "core/data_store.h"
#include "core/record_schema.h"

#include <cstdint>
#include <optional>
#include <system_error>

namespace kakutei {

struct PrintOffsets {
    std::int16_t right = 0; // mm; positive moves every entry right
    std::int16_t down = 0;  // mm; positive moves every entry down
};

struct StoredOffsets {
    StoredCheck check;
    PrintOffsets offsets; // when readable
};
StoredOffsets readPrintOffsets(const DataStore& store);
// Nothing when the file is missing or unreadable.
std::optional<PrintOffsets> loadPrintOffsets(const DataStore& store);
// A settings file that is there but cannot be read is never replaced (StoreErrc::damagedFile): the user's
// offsets in it may still be mended by hand.
std::error_code storePrintOffsets(const DataStore& store, PrintOffsets offsets);

} // namespace kakutei
