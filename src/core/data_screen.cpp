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
    const auto name = names::recordFile(*code, k, yearCode_);
    if (!name)
        return std::nullopt;
    return store_.path(*name);
}

bool DataScreen::calculateForCurrentTaxpayer() {
    if (!holdsCurrentTaxpayer()) {
        nenGO();
        clear();
        data();
    }
    failedSave_.reset();
    calculate();
    return !failedSave_;
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

bool DataScreen::refuse(const std::string& path, std::string_view title, const std::string& body) {
    failedSave_ = path;
    ui_.warn(title, body);
    return false;
}

void DataScreen::refuseCalculation(const WideResults& results, int k) {
    const Message message = results.message();
    refuse(screenFilePath(k).value_or(text60.text), message.title, message.body);
}

bool DataScreen::saveRecord(const RecordWriter& record, int k) {
    return saveRecord(record, k, kSaveFailedTitle);
}

bool DataScreen::saveRecord(const RecordWriter& record, int k, std::string_view failureTitle) {
    const auto path = screenFilePath(k);
    const auto code = personCode();
    if (!path || !code) {
        failedSave_ = text60.text;
        reportSaveFailure(ui_, failureTitle, record, StoreErrc::fileNumberOverflow);
        return false;
    }
    // A value that cannot be stored is said first: the user can mend it on the screen at once.
    if (record.problem()) {
        failedSave_ = *path;
        reportSaveFailure(ui_, failureTitle, record, StoreErrc::unstorableText);
        return false;
    }
    if (const auto refusal = changeRefusal(store_, {*code, ClientChangeKind::save, heldCode_}))
        return refuse(*path, refusal->title, refusal->body);
    for (int source : sourceRecords()) {
        const auto sourcePath = screenFilePath(source);
        if (!sourcePath)
            continue;
        const StoredRecord stored = readRecordFile(*sourcePath, screenRecordSchema(source));
        if (stored.check.state == StoredState::unreadable)
            return refuse(*path, kUnreadableNotSavedTitle,
                          unreadableText(*sourcePath, stored.check) +
                              "\nこの画面の計算に使う数字が分からないため、保存しませんでした。"
                              "\n（何も保存していません。）");
    }
    std::optional<std::string> current;
    const StoredCheck now = readRecordFile(*path, record.schema(), &current).check;
    if (unreadable_.contains(*path) || now.state == StoredState::unreadable)
        return refuse(*path, kUnreadableNotSavedTitle,
                      "「" + *path + "」は読めないため、上書きしませんでした。\n" +
                          (now.state == StoredState::unreadable
                               ? unreadableReason(now)
                               : "「DATA」で読んだときに読めなかったファイルです。") +
                          "\nファイルを直すか元に戻してから、「DATA」で読み直して下さい。"
                          "\n（何も保存していません。）");
    // Another program, a restore or a recalculation may have stored this file since the screen read it:
    // storing what the screen holds would undo that.
    const auto seen = seen_.find(*path);
    if (seen == seen_.end() ? current.has_value() : seen->second != current)
        return refuse(*path, kChangedSinceTitle,
                      "「" + *path +
                          "」は、この画面で読んだ後に変わりました（ほかのプログラム、リストアなど）。"
                          "保存するとその変更が消えるため、保存しませんでした。\n"
                          "「DATA」で読み直してから、もう一度入力して下さい。\n（何も保存していません。）");
    const std::error_code error = record.writeTo(*path);
    if (error) {
        failedSave_ = *path;
        if (!failureTitle.empty())
            reportSaveFailure(ui_, failureTitle, record, error);
        return false;
    }
    seen_[*path] = record.bytes();
    typed_.settle();
    return true;
}

StoredRecord DataScreen::readOwnRecord(int k) {
    heldCode_ = text60.text;
    typed_.settle();
    const auto path = screenFilePath(k);
    if (!path)
        return {};
    std::optional<std::string> bytes;
    StoredRecord stored = readRecordFile(*path, screenRecordSchema(k), &bytes);
    seen_[*path] = bytes;
    if (stored.check.state != StoredState::unreadable) {
        unreadable_.erase(*path);
        return stored;
    }
    seen_.erase(*path);
    unreadable_.insert(*path);
    ui_.warn(kUnreadableTitle, unreadableText(*path, stored.check) +
                                   "\n画面には表示していません。このファイルに保存することもしません。");
    return stored;
}

StoredRecord DataScreen::readScreenRecord(int k) {
    const auto path = screenFilePath(k);
    if (!path)
        return {};
    const StoredRecord stored = readRecordFile(*path, screenRecordSchema(k));
    if (stored.check.state == StoredState::unreadable)
        ui_.warn(kUnreadableTitle,
                 unreadableText(*path, stored.check) + "\nこのファイルの数字は画面に表示していません。");
    return stored;
}

void reportSaveFailure(UserInterface& ui, std::string_view title, const RecordWriter& record,
                       std::error_code error) {
    if (record.problem()) {
        const Message message = recordProblemMessage(*record.problem());
        ui.warn(message.title, message.body);
    } else if (!title.empty()) {
        ui.warn(title, describeError(error));
    }
}

} // namespace kakutei
