#include "print/print_offsets.h"

#include "core/record_kinds.h"
#include "core/store_error.h"

namespace kakutei {

StoredOffsets readPrintOffsets(const DataStore& store) {
    const StoredRecord stored = readRecordFile(store.path(names::printSettingsFile), printSettingsSchema());
    StoredOffsets read{stored.check, {}};
    if (stored.readable())
        read.offsets = {static_cast<std::int16_t>(stored.values.numbers.at(0)),
                        static_cast<std::int16_t>(stored.values.numbers.at(1))};
    return read;
}

std::optional<PrintOffsets> loadPrintOffsets(const DataStore& store) {
    const StoredOffsets read = readPrintOffsets(store);
    if (read.check.state != StoredState::readable)
        return std::nullopt;
    return read.offsets;
}

std::error_code storePrintOffsets(const DataStore& store, PrintOffsets offsets) {
    if (readPrintOffsets(store).check.state == StoredState::unreadable)
        return StoreErrc::damagedFile;
    RecordWriter writer(printSettingsSchema());
    writer.integer(offsets.right);
    writer.integer(offsets.down);
    return writer.writeTo(store.path(names::printSettingsFile));
}

} // namespace kakutei
