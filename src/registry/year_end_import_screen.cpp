#include "registry/year_end_import_screen.h"

#include "core/person_code.h"
#include "core/record_kinds.h"
#include "core/store_error.h"
#include "registry/registration_screen.h"

#include <array>

namespace kakutei {

namespace yei = year_end_import;

namespace {

struct EmployeeFile {
    std::string reading;
    std::string name;
    std::string address;
    std::string era;
    std::int16_t birthYear = 0;
    std::int16_t birthMonth = 0;
    std::int16_t birthDay = 0;
    std::array<std::string, 7> conditions; // fields 10 to 16
};

// Fields 10 to 16: the text each must hold, and the condition option it switches on (an index of the
// registration screen's options). The registration screen has no special widow, so 特別寡婦 becomes 寡　婦.
struct ConditionRule {
    std::string_view text;
    std::size_t option;
};
constexpr ConditionRule kConditionRules[7] = {
    {"特別障害者", 5}, {"障害者", 4}, {"老年者", 0},   {"寡婦", 1},
    {"特別寡婦", 1},   {"寡夫", 2},   {"勤労学生", 3},
};

std::error_code readEmployee(const std::string& path, EmployeeFile& file) {
    const StoredRecord stored = readRecordFile(path, yearEndEmployeeSchema());
    if (stored.check.state == StoredState::missing)
        return std::make_error_code(std::errc::no_such_file_or_directory);
    if (!stored.readable())
        return stored.check.error;
    // Texts: reading, name, address, era, one not used, then the conditions; numbers: the employee's code in
    // the other program, then the birth date.
    const RecordValues& values = stored.values;
    file.reading = values.texts.at(0);
    file.name = values.texts.at(1);
    file.address = values.texts.at(2);
    file.era = values.texts.at(3);
    for (std::size_t i = 0; i < file.conditions.size(); ++i)
        file.conditions[i] = values.texts.at(5 + i);
    file.birthYear = static_cast<std::int16_t>(values.numbers.at(1));
    file.birthMonth = static_cast<std::int16_t>(values.numbers.at(2));
    file.birthDay = static_cast<std::int16_t>(values.numbers.at(3));
    return {};
}

std::error_code employeePath(const DataStore& store, const Field& company, const Field& personal,
                             std::string& path) {
    const CodeReading personalCode = readCode(personal.text);
    const CodeReading companyCode = readCode(company.text);
    if (!personalCode.code)
        return personalCode.error;
    if (!companyCode.code)
        return companyCode.error;
    const int n = *companyCode.code * 100 + *personalCode.code;
    if (n < -32768 || n > 32767)
        return StoreErrc::overflow;
    path = store.path(std::string(names::companionPersonFolder) + std::to_string(n) + ".txt");
    return {};
}

} // namespace

void YearEndImportScreen::clearCodes() {
    text1.text.clear();
    text2.text.clear();
}

void YearEndImportScreen::run() {
    std::string path;
    EmployeeFile file;
    std::error_code error = employeePath(store_, text1, text2, path);
    if (!error)
        error = readEmployee(path, file);
    if (error) {
        clearCodes();
        ui_.warn(yei::kFailedTitle, describeError(error));
        return;
    }
    RegistrationScreen& r = registration_;
    r.text17.text = file.reading;
    r.text5.text = file.name;
    r.text2.text = file.address;
    for (std::size_t i = 0; i < registration::kEras.size(); ++i)
        if (file.era == registration::kEras[i])
            r.switchEra(i);
    r.text6.text = std::to_string(file.birthYear);
    r.text7.text = std::to_string(file.birthMonth);
    r.text14.text = std::to_string(file.birthDay);
    for (std::size_t i = 0; i < file.conditions.size(); ++i)
        if (file.conditions[i] == kConditionRules[i].text)
            r.switchCondition(kConditionRules[i].option);
    host_.discardScreen(ScreenId::yearEndImport);
}

} // namespace kakutei
