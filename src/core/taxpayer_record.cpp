#include "core/taxpayer_record.h"

#include "core/record_kinds.h"
#include "core/store_error.h"

#include <variant>

namespace kakutei {
namespace {

using TextMember = std::string TaxpayerRecord::*;
using IntegerMember = std::int16_t TaxpayerRecord::*;
using Member = std::variant<TextMember, IntegerMember>;

// The members behind the 26 values, in file order (the schema says what each value is).
const Member kMembers[kTaxpayerFieldCount] = {
    &TaxpayerRecord::personCode,     &TaxpayerRecord::name,        &TaxpayerRecord::condition,
    &TaxpayerRecord::reading,        &TaxpayerRecord::address1,    &TaxpayerRecord::address2,
    &TaxpayerRecord::addressJanuary, &TaxpayerRecord::birthYear,   &TaxpayerRecord::birthMonth,
    &TaxpayerRecord::birthDay,       &TaxpayerRecord::sex,         &TaxpayerRecord::householdHead,
    &TaxpayerRecord::relationship,   &TaxpayerRecord::occupation,  &TaxpayerRecord::tradeName,
    &TaxpayerRecord::telephone,      &TaxpayerRecord::taxOffice,   &TaxpayerRecord::taxpayerNumber,
    &TaxpayerRecord::bankBranch,     &TaxpayerRecord::bankName,    &TaxpayerRecord::accountType,
    &TaxpayerRecord::accountNumber,  &TaxpayerRecord::postalCode1, &TaxpayerRecord::postalCode2,
    &TaxpayerRecord::returnKind,     &TaxpayerRecord::birthEra,
};

} // namespace

RecordWriter taxpayerRecordWriter(const TaxpayerRecord& record) {
    RecordWriter writer(taxpayerRecordSchema());
    for (const Member& member : kMembers) {
        if (const auto* text = std::get_if<TextMember>(&member))
            writer.text(record.*(*text));
        else
            writer.integer(record.*std::get<IntegerMember>(member));
    }
    return writer;
}

namespace {

// The record of `stored` when it reads and holds `code`; otherwise the check says why not.
TaxpayerRecord recordOf(StoredRecord& stored, PersonCode code) {
    TaxpayerRecord record;
    if (!stored.readable())
        return record;
    std::size_t text = 0;
    std::size_t number = 0;
    for (const Member& member : kMembers) {
        if (const auto* field = std::get_if<TextMember>(&member))
            record.*(*field) = stored.values.texts.at(text++);
        else // the schema has kept it within 16 bits
            record.*std::get<IntegerMember>(member) =
                static_cast<std::int16_t>(stored.values.numbers.at(number++));
    }
    // Every reader takes the code from the file name: a record holding another is not this client's.
    if (record.personCode != code) {
        stored.check = {StoredState::unreadable, StoreErrc::codeMismatch, 1, "個人コード", FieldKind::int16};
        return {};
    }
    return record;
}

} // namespace

StoredCheck checkTaxpayerBytes(std::string_view bytes, PersonCode code) {
    StoredRecord stored = parseRecord(bytes, taxpayerRecordSchema());
    recordOf(stored, code);
    return stored.check;
}

TaxpayerRead readTaxpayerRecord(const DataStore& store, PersonCode code) {
    TaxpayerRead read;
    read.path = store.path(names::taxpayerFile(code));
    StoredRecord stored = readRecordFile(read.path, taxpayerRecordSchema());
    read.record = recordOf(stored, code);
    read.check = stored.check;
    return read;
}

std::optional<std::string> registrationProblem(const TaxpayerRead& read, PersonCode code) {
    if (read.check.state == StoredState::missing)
        return "個人コード " + std::to_string(code) + " は登録されていません。";
    if (read.check.state == StoredState::unreadable)
        return "個人コード " + std::to_string(code) + " の登録が壊れています。" +
               unreadableText(read.path, read.check) +
               "\n「個人登録」で登録し直すか、「データ」でこの人をバックアップから戻して下さい。";
    return std::nullopt;
}

std::string clientName(const DataStore& store, PersonCode code) {
    const TaxpayerRead read = readTaxpayerRecord(store, code);
    std::string who = "個人コード " + std::to_string(code);
    if (read.readable() && !read.record.name.empty())
        who += "（" + read.record.name + "）";
    else if (read.check.state == StoredState::unreadable)
        who += "（登録を読めません）";
    return who;
}

std::string personListEntry(PersonCode code, std::string_view name) {
    std::string entry = code < 100 ? "0" : "";
    entry += std::to_string(code);
    entry += " : ";
    entry += name;
    return entry;
}

std::vector<PersonCode> registeredCodes(const DataStore& store) {
    std::vector<PersonCode> codes;
    for (int code = kFirstListedCode; code <= kLastListedCode; ++code)
        if (readTaxpayerRecord(store, static_cast<PersonCode>(code)).registered())
            codes.push_back(static_cast<PersonCode>(code));
    return codes;
}

std::vector<std::string> buildPersonList(const DataStore& store, PersonCode& currentCode,
                                         std::string& currentName) {
    std::vector<std::string> entries;
    for (int number = kFirstListedCode; number <= kLastListedCode; ++number) {
        const auto code = static_cast<PersonCode>(number);
        const TaxpayerRead read = readTaxpayerRecord(store, code);
        if (!read.registered())
            continue;
        if (!read.readable()) {
            entries.push_back(personListEntry(code, kDamagedRegistration));
            continue;
        }
        currentCode = read.record.personCode;
        currentName = read.record.name;
        entries.push_back(personListEntry(currentCode, currentName));
    }
    return entries;
}

} // namespace kakutei
