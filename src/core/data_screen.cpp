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

void DataScreen::calculateForCurrentTaxpayer() {
    if (!holdsCurrentTaxpayer()) {
        nenGO();
        clear();
        data();
    }
    calculate();
}

void DataScreen::discardUnsavedInput() {
    typed_.settle();
    nenGO();
    clear();
    data();
}

void DataScreen::takeTaxpayer(const std::string& code) {
    text60.text = code;
    if (heldCode_ && *heldCode_ != code) {
        nenGO();
        clear();
        data();
    }
}

bool DataScreen::saveRecord(const RecordWriter& record, int k) {
    const auto path = screenFilePath(k);
    if (!path) {
        failedSave_ = text60.text;
        reportSaveFailure(ui_, kSaveFailedTitle, record, StoreErrc::fileNumberOverflow);
        return false;
    }
    if (!saveRecordAt(*path, screenRecordShape(k), record, kSaveFailedTitle))
        return false;
    typed_.settle();
    return true;
}

bool DataScreen::saveRecordAt(const std::string& path, RecordShape shape, const RecordWriter& record,
                              std::string_view failureTitle) {
    // A text that cannot be stored is said first: the user can mend it on the screen at once.
    if (record.problem()) {
        failedSave_ = path;
        reportSaveFailure(ui_, failureTitle, record, StoreErrc::unstorableText);
        return false;
    }
    if (const auto code = personCode())
        if (const auto refusal = store_.saveRefusal(*code)) {
            failedSave_ = path;
            ui_.warn(kOpenElsewhereTitle, *refusal);
            return false;
        }
    const StoredCheck stored = checkStoredRecord(path, shape);
    if (unreadable_.contains(path) || stored.state == StoredState::unreadable) {
        failedSave_ = path;
        const std::string reason = stored.state == StoredState::unreadable
                                       ? describeError(stored.error)
                                       : "「DATA」で読んだときに読めなかったファイルです。";
        ui_.warn(kUnreadableNotSavedTitle,
                 "「" + path + "」は読めないため、上書きしませんでした。\n" + reason +
                     "\nファイルを直すか元に戻してから、「DATA」で読み直して下さい。"
                     "\n（何も保存していません。）");
        return false;
    }
    const std::error_code error = record.writeTo(path);
    if (error) {
        failedSave_ = path;
        if (!failureTitle.empty())
            reportSaveFailure(ui_, failureTitle, record, error);
    }
    return !error;
}

StoredState DataScreen::examineOwnRecord(int k) {
    heldCode_ = text60.text;
    typed_.settle();
    return examineRecord(k);
}

StoredState DataScreen::examineRecord(int k) {
    const auto path = screenFilePath(k);
    if (!path)
        return StoredState::missing;
    return examineRecordAt(*path, screenRecordShape(k));
}

StoredState DataScreen::examineRecordAt(const std::string& path, RecordShape shape) {
    const StoredCheck stored = checkStoredRecord(path, shape);
    if (stored.state != StoredState::unreadable) {
        unreadable_.erase(path);
        return stored.state;
    }
    unreadable_.insert(path);
    ui_.warn(kUnreadableTitle, "「" + path + "」を読めません。\n" + describeError(stored.error) +
                                   "\n画面には表示していません。このファイルに保存することもしません。");
    return stored.state;
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
