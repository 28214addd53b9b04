#include "core/stored_record.h"

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

StoredRecord readStoredRecord(const std::string& path, RecordShape shape) {
    // The reader opens without blocking and refuses anything but a regular file.
    RecordReader reader(path);
    StoredRecord stored;
    stored.values.texts.reserve(static_cast<std::size_t>(shape.texts));
    stored.values.numbers.reserve(static_cast<std::size_t>(shape.numbers));
    for (int i = 0; i < shape.texts && reader.ok(); ++i)
        stored.values.texts.push_back(reader.text().value_or(""));
    for (int i = 0; i < shape.numbers && reader.ok(); ++i)
        stored.values.numbers.push_back(reader.number().value_or(0));
    if (reader.ok())
        stored.check = {StoredState::readable, {}};
    else if (reader.error() == std::errc::no_such_file_or_directory)
        stored.check = {StoredState::missing, {}};
    else
        stored.check = {StoredState::unreadable, reader.error()};
    if (!reader.ok())
        stored.values = {};
    return stored;
}

StoredCheck checkStoredRecord(const std::string& path, RecordShape shape) {
    return readStoredRecord(path, shape).check;
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
