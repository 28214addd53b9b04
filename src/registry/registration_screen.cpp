#include "registry/registration_screen.h"

#include "core/person_code.h"
#include "core/store_error.h"
#include "registry/tax_office.h"

namespace kakutei {

namespace reg = registration;

namespace {

template <std::size_t N> void switchOnly(std::array<OptionButton, N>& options, std::size_t index) {
    for (std::size_t i = 0; i < N; ++i)
        options[i].on = i == index;
}

template <std::size_t N>
std::optional<std::size_t> indexOf(const std::array<std::string_view, N>& texts, std::string_view text) {
    for (std::size_t i = 0; i < N; ++i)
        if (texts[i] == text)
            return i;
    return std::nullopt;
}

// A birth date box that does not read as a 16-bit number stores 1.
std::int16_t birthPart(const Field& field) {
    return readCode(field.text).code.value_or(1);
}

} // namespace

RegistrationScreen::RegistrationScreen(DataStore& store, UserInterface& ui, ScreenHost& host)
    : DataScreen(store, ui), eraOptions(makeOptions(reg::kEras)),
      sexOptions(makeOptions(reg::kSexes)), blueReturnOption{std::string(reg::kBlueReturn), false},
      whiteReturnOption{std::string(reg::kWhiteReturn), false},
      conditionOptions(makeOptions(reg::kConditionCaptions)),
      accountOptions(makeOptions(reg::kAccountCaptions)), host_(host) {}

void RegistrationScreen::switchEra(std::size_t index) {
    switchOnly(eraOptions, index);
    era_ = reg::kEras[index];
}

void RegistrationScreen::switchSex(std::size_t index) {
    switchOnly(sexOptions, index);
    sex_ = reg::kSexes[index];
}

void RegistrationScreen::switchBlueReturn() {
    blueReturnOption.on = true;
    whiteReturnOption.on = false;
    returnKind_ = "青色";
    blueColours_ = true;
}

void RegistrationScreen::switchWhiteReturn() {
    whiteReturnOption.on = true;
    blueReturnOption.on = false;
    returnKind_ = "白色";
    blueColours_ = false;
}

void RegistrationScreen::switchCondition(std::size_t index) {
    switchOnly(conditionOptions, index);
    text22.text = reg::kConditionTexts[index];
}

void RegistrationScreen::switchAccount(std::size_t index) {
    switchOnly(accountOptions, index);
    text21.text = reg::kAccountTexts[index];
}

void RegistrationScreen::clear() {
    for (Field* field :
         {&text1,  &text17, &text5,  &text2,  &text3,  &text6,  &text7,  &text14, &text8,  &text9,  &text10,
          &text11, &text12, &text15, &text16, &text18, &text19, &text21, &text4,  &text13, &text20, &text24})
        field->text.clear();
    for (OptionButton& option : eraOptions)
        option.on = false;
    for (OptionButton& option : sexOptions)
        option.on = false;
    switchBlueReturn();
    switchCondition(reg::kNoConditionIndex);
}

TaxpayerRecord RegistrationScreen::recordFromScreen(PersonCode code) const {
    TaxpayerRecord r;
    r.personCode = code;
    r.name = text5.text;
    r.condition = text22.text;
    r.reading = text17.text;
    r.address1 = text2.text;
    r.address2 = text24.text;
    r.addressJanuary = text3.text;
    r.birthYear = birthPart(text6);
    r.birthMonth = birthPart(text7);
    r.birthDay = birthPart(text14);
    r.sex = sex_;
    r.householdHead = text8.text;
    r.relationship = text9.text;
    r.occupation = text10.text;
    r.tradeName = text11.text;
    r.telephone = text12.text;
    r.taxOffice = text15.text;
    r.taxpayerNumber = text16.text;
    r.bankBranch = text18.text;
    r.bankName = text19.text;
    r.accountType = text21.text;
    r.accountNumber = text4.text;
    r.postalCode1 = text13.text;
    r.postalCode2 = text20.text;
    r.returnKind = returnKind_;
    r.birthEra = era_;
    return r;
}

void RegistrationScreen::registerTaxpayer() {
    const CodeReading code = readCode(text1.text);
    if (!code.code) {
        ui().warn(reg::kNewRegistrationTitle, codeProblem(text1.text));
        return;
    }
    const RecordWriter writer = taxpayerRecordWriter(recordFromScreen(*code.code));
    // An unstorable text is said before anything else: nobody should be asked to overwrite a record that
    // cannot be written anyway. The screen keeps what was typed.
    if (writer.problem()) {
        reportSaveFailure(ui(), reg::kNewRegistrationTitle, writer, {});
        return;
    }
    if (const auto error = store().ensureBaseFolders()) {
        ui().warn(reg::kNewRegistrationTitle, describeError(error));
        return;
    }
    const std::string path = store().path(names::taxpayerFile(*code.code));
    const std::error_code created = writer.writeTo(path, WriteMode::createNew);
    if (!created) {
        ui().beep();
        clear();
        return;
    }
    if (created != std::errc::file_exists) {
        ui().warn(reg::kNewRegistrationTitle, describeError(created));
        return;
    }
    ui().warn(reg::kSameCodeTitle, describeError(created));
    // A registration that cannot be read is replaced only by a user who was told what is lost with it.
    const TaxpayerRead stored = readTaxpayerRecord(store(), *code.code);
    const bool replace = ui().ask(reg::kOverwriteTitle, stored.check.state == StoredState::unreadable
                                                            ? "今の登録は読めません。" +
                                                                  unreadableText(stored.path, stored.check) +
                                                                  "\n入力した内容で置き換えますか。"
                                                            : std::string());
    ui().beep();
    if (!replace) {
        clear();
        return;
    }
    if (const auto refusal = changeRefusal(store(), {*code.code, ClientChangeKind::registration, {}})) {
        ui().warn(refusal->title, refusal->body);
        return;
    }
    if (!overwrite(writer, path))
        return;
    clientChanged(store(), *code.code);
    ui().beep();
    clear();
    ui().beep();
}

bool RegistrationScreen::overwrite(const RecordWriter& writer, const std::string& path) {
    if (const auto error = writer.writeTo(path, WriteMode::replace)) {
        // The record on disk stays whole, and the screen keeps what was typed.
        ui().warn(reg::kNewRegistrationTitle, describeError(error));
        return false;
    }
    return true;
}

void RegistrationScreen::callUp() {
    const CodeReading code = readCode(text1.text);
    std::string problem = code.code ? std::string() : codeProblem(text1.text);
    TaxpayerRead read;
    if (code.code) {
        read = readTaxpayerRecord(store(), *code.code);
        if (read.check.state == StoredState::unreadable)
            problem = unreadableText(read.path, read.check);
        else if (!read.readable())
            problem = describeError(std::make_error_code(std::errc::no_such_file_or_directory));
    }
    if (!problem.empty()) {
        clear();
        ui().warn(reg::kCallUp, problem);
        return;
    }
    ui().beep();
    showRecord(read.record);
}

void RegistrationScreen::showRecord(const TaxpayerRecord& r) {
    text5.text = r.name;
    text2.text = r.address1;
    text24.text = r.address2;
    text3.text = r.addressJanuary;
    text8.text = r.householdHead;
    text9.text = r.relationship;
    text10.text = r.occupation;
    text11.text = r.tradeName;
    text12.text = r.telephone;
    text13.text = r.postalCode1;
    text20.text = r.postalCode2;
    text6.text = std::to_string(r.birthYear);
    text7.text = std::to_string(r.birthMonth);
    text14.text = std::to_string(r.birthDay);
    text17.text = r.reading;
    text15.text = r.taxOffice;
    text16.text = r.taxpayerNumber;
    text22.text = r.condition;
    text18.text = r.bankBranch;
    text19.text = r.bankName;
    text21.text = r.accountType;
    text4.text = r.accountNumber;
    // Options follow their texts exactly; a text that matches none leaves its group as it was.
    if (const auto era = indexOf(reg::kEras, r.birthEra))
        switchEra(*era);
    if (r.returnKind == "青色")
        switchBlueReturn();
    else if (r.returnKind == "白色")
        switchWhiteReturn();
    if (const auto sex = indexOf(reg::kSexes, r.sex))
        switchSex(*sex);
    if (const auto condition = indexOf(reg::kConditionTexts, r.condition))
        switchCondition(*condition);
}

void RegistrationScreen::data() {
    const auto code = readCode(text25.text).code;
    if (!code)
        return;
    text1.text = std::to_string(*code);
    callUp();
}

void RegistrationScreen::copyAddress() {
    text3.text = text2.text;
}

void RegistrationScreen::selfAsHead() {
    text8.text = text5.text;
    text9.text = reg::kSelf;
}

void RegistrationScreen::wifeAsRelation() {
    text8.text.clear();
    text9.text = reg::kWife;
}

void RegistrationScreen::companyOfficer() {
    text10.text = reg::kCompanyOfficer;
}

void RegistrationScreen::clearBirthDate() {
    text6.text.clear();
    text7.text.clear();
    text14.text.clear();
}

void RegistrationScreen::proposeTaxOffice() {
    if (auto office = kakutei::proposeTaxOffice(text2.text))
        text15.text = std::move(*office);
}

void RegistrationScreen::openYearEndImport() {
    host_.openScreen(ScreenId::yearEndImport);
}

} // namespace kakutei
