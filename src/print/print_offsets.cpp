#include "print/print_offsets.h"

#include "core/record.h"

namespace kakutei {

std::optional<PrintOffsets> loadPrintOffsets(const DataStore& store) {
    RecordReader reader(store.path(names::printSettingsFile));
    const auto right = reader.int16();
    const auto down = reader.int16();
    if (!reader.ok())
        return std::nullopt;
    return PrintOffsets{*right, *down};
}

std::error_code storePrintOffsets(const DataStore& store, PrintOffsets offsets) {
    RecordWriter writer;
    writer.integer(offsets.right);
    writer.integer(offsets.down);
    return writer.writeTo(store.path(names::printSettingsFile));
}

} // namespace kakutei
