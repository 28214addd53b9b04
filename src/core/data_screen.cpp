#include "core/data_screen.h"

#include "core/person_code.h"
#include "core/store_error.h"

namespace kakutei {

std::optional<PersonCode> DataScreen::personCode() const {
    return readCode(text60.text).code;
}

std::optional<PersonCode> DataScreen::fileCode() const {
    const auto code = personCode();
    if (!code || !names::screenFile(*code, 5, yearCode_))
        return std::nullopt;
    return code;
}

std::optional<std::string> DataScreen::screenFilePath(int k) const {
    const auto code = personCode();
    if (!code)
        return std::nullopt;
    const auto name = names::screenFile(*code, k, yearCode_);
    if (!name)
        return std::nullopt;
    return store_.path(*name);
}

bool DataScreen::saveRecord(const RecordWriter& record, int k) {
    const auto path = screenFilePath(k);
    const std::error_code error =
        path ? record.writeTo(*path) : make_error_code(StoreErrc::fileNumberOverflow);
    if (error)
        reportSaveFailure(ui_, kSaveFailedTitle, record, error);
    return !error;
}

void reportSaveFailure(UserInterface& ui, std::string_view title, const RecordWriter& record,
                       std::error_code error) {
    if (record.problem()) {
        const Message message = unstorableTextMessage(*record.problem());
        ui.warn(message.title, message.body);
    } else {
        ui.warn(title, describeError(error));
    }
}

} // namespace kakutei
