#include "core/taxpayer_record.h"

#include <variant>

namespace kakutei {
namespace {

using TextMember = std::string TaxpayerRecord::*;
using IntegerMember = std::int16_t TaxpayerRecord::*;

struct FieldSpec {
    std::variant<TextMember, IntegerMember> member;
    const char* caption; // names the field in a message about it
};

// File order of the 26 values.
const FieldSpec kFields[kTaxpayerFieldCount] = {
    {&TaxpayerRecord::personCode, "個人コード"},
    {&TaxpayerRecord::name, "氏名"},
    {&TaxpayerRecord::condition, "本人の条件"},
    {&TaxpayerRecord::reading, "フリガナ"},
    {&TaxpayerRecord::address1, "住所"},
    {&TaxpayerRecord::address2, "住所（２行目）"},
    {&TaxpayerRecord::addressJanuary, "１月１日の住所"},
    {&TaxpayerRecord::birthYear, "生年月日（年）"},
    {&TaxpayerRecord::birthMonth, "生年月日（月）"},
    {&TaxpayerRecord::birthDay, "生年月日（日）"},
    {&TaxpayerRecord::sex, "性別"},
    {&TaxpayerRecord::householdHead, "世帯主の氏名"},
    {&TaxpayerRecord::relationship, "続柄"},
    {&TaxpayerRecord::occupation, "職業"},
    {&TaxpayerRecord::tradeName, "屋号"},
    {&TaxpayerRecord::telephone, "電話番号"},
    {&TaxpayerRecord::taxOffice, "税務署名"},
    {&TaxpayerRecord::taxpayerNumber, "納税者番号"},
    {&TaxpayerRecord::bankBranch, "支店"},
    {&TaxpayerRecord::bankName, "銀行"},
    {&TaxpayerRecord::accountType, "預金の種類"},
    {&TaxpayerRecord::accountNumber, "口座番号"},
    {&TaxpayerRecord::postalCode1, "郵便番号"},
    {&TaxpayerRecord::postalCode2, "郵便番号（下４桁）"},
    {&TaxpayerRecord::returnKind, "申告の種類"},
    {&TaxpayerRecord::birthEra, "生年月日（元号）"},
};

} // namespace

RecordWriter taxpayerRecordWriter(const TaxpayerRecord& record) {
    RecordWriter writer;
    for (const FieldSpec& field : kFields) {
        if (const auto* text = std::get_if<TextMember>(&field.member))
            writer.text(record.*(*text), field.caption);
        else
            writer.integer(record.*std::get<IntegerMember>(field.member));
    }
    writer.fillers();
    return writer;
}

TaxpayerRead readTaxpayerRecord(const DataStore& store, PersonCode code, int fieldCount) {
    TaxpayerRead result;
    RecordReader reader;
    if ((result.error = reader.open(store.path(names::taxpayerFile(code)))))
        return result;
    for (int i = 0; i < fieldCount && i < kTaxpayerFieldCount; ++i) {
        const FieldSpec& field = kFields[i];
        if (const auto* text = std::get_if<TextMember>(&field.member)) {
            auto value = reader.text();
            if (!value)
                break;
            result.record.*(*text) = std::move(*value);
        } else {
            const auto value = reader.int16();
            if (!value)
                break;
            result.record.*std::get<IntegerMember>(field.member) = *value;
        }
        ++result.fieldsRead;
    }
    result.error = reader.error();
    return result;
}

std::string clientName(const DataStore& store, PersonCode code) {
    const TaxpayerRead read = readTaxpayerRecord(store, code, 2);
    std::string who = "個人コード " + std::to_string(code);
    if (read.fieldsRead >= 2 && !read.record.name.empty())
        who += "（" + read.record.name + "）";
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
        if (!readTaxpayerRecord(store, static_cast<PersonCode>(code), 2).error)
            codes.push_back(static_cast<PersonCode>(code));
    return codes;
}

std::vector<std::string> buildPersonList(const DataStore& store, PersonCode& currentCode,
                                         std::string& currentName) {
    std::vector<std::string> entries;
    for (int code = kFirstListedCode; code <= kLastListedCode; ++code) {
        const TaxpayerRead read = readTaxpayerRecord(store, static_cast<PersonCode>(code), 2);
        if (read.fieldsRead >= 1)
            currentCode = read.record.personCode;
        if (read.fieldsRead >= 2)
            currentName = read.record.name;
        if (!read.error)
            entries.push_back(personListEntry(currentCode, currentName));
    }
    return entries;
}

} // namespace kakutei
