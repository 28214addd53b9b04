#include "core/stored_record.h"

#include "core/record.h"

namespace kakutei {

RecordShape screenRecordShape(int k) {
    switch (k) {
    case 1:
        return kIncomeShape;
    case 2:
        return kDeductionShape;
    case 3:
        return kPersonalDeductionShape;
    case 4:
        return kIncomeBreakdownShape;
    case 5:
        return kTaxComputationShape;
    default:
        return kHousingLoanShape;
    }
}

StoredCheck checkStoredRecord(const std::string& path, RecordShape shape) {
    // The reader opens without blocking and refuses anything but a regular file.
    RecordReader reader(path);
    for (int i = 0; i < shape.texts && reader.ok(); ++i)
        reader.text();
    for (int i = 0; i < shape.numbers && reader.ok(); ++i)
        reader.number();
    if (reader.ok())
        return {StoredState::readable, {}};
    if (reader.error() == std::errc::no_such_file_or_directory)
        return {StoredState::missing, {}};
    return {StoredState::unreadable, reader.error()};
}

std::vector<UnreadableRecord> unreadableRecordsOf(const DataStore& store, PersonCode code,
                                                  std::string_view yearCode) {
    std::vector<UnreadableRecord> found;
    const auto look = [&](const std::optional<std::string>& name, RecordShape shape) {
        if (!name)
            return;
        const std::string path = store.path(*name);
        const StoredCheck stored = checkStoredRecord(path, shape);
        if (stored.state == StoredState::unreadable)
            found.push_back({path, stored.error});
    };
    for (int k = 1; k <= 5; ++k)
        look(names::screenFile(code, k, yearCode), screenRecordShape(k));
    look(names::housingLoanFile(code, yearCode), kHousingLoanShape);
    return found;
}

} // namespace kakutei
