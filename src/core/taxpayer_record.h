#pragma once
// TaxpayerRecord: one taxpayer's registered personal data, "c:\所得税\個人名\<code>.txt", 26 values and the
// twelve fillers. A registration is read whole or not at all: one that is there but cannot be read is a
// damaged registration, never "not registered".

#include "core/data_store.h"
#include "core/record_schema.h"

#include <cstdint>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace kakutei {

inline constexpr int kTaxpayerFieldCount = 26;

struct TaxpayerRecord {
    PersonCode personCode = 0;  // 1
    std::string name;           // 2 氏名
    std::string condition;      // 3 本人の条件
    std::string reading;        // 4 フリガナ
    std::string address1;       // 5 住所
    std::string address2;       // 6
    std::string addressJanuary; // 7 １月１日の住所
    std::int16_t birthYear = 0; // 8
    std::int16_t birthMonth = 0;
    std::int16_t birthDay = 0;
    std::string sex;            // 11 "男" / "女"
    std::string householdHead;  // 12 世帯主の氏名
    std::string relationship;   // 13 続柄
    std::string occupation;     // 14 職業
    std::string tradeName;      // 15 屋号
    std::string telephone;      // 16 電話番号
    std::string taxOffice;      // 17 税務署名
    std::string taxpayerNumber; // 18 納税者番号
    std::string bankBranch;     // 19 支店
    std::string bankName;       // 20 銀行
    std::string accountType;    // 21 普通預金 / 当座預金
    std::string accountNumber;  // 22 口座番号
    std::string postalCode1;    // 23 郵便番号
    std::string postalCode2;    // 24
    std::string returnKind;     // 25 "青色" / "白色"
    std::string birthEra;       // 26 明治 / 大正 / 昭和 / 平成

    bool operator==(const TaxpayerRecord&) const = default;
};

RecordWriter taxpayerRecordWriter(const TaxpayerRecord& record);

struct TaxpayerRead {
    std::string path;
    StoredCheck check;     // unreadable too when field 1 holds another code than the file name
    TaxpayerRecord record; // every field when readable, else empty

    bool registered() const { return check.state != StoredState::missing; }
    bool readable() const { return check.state == StoredState::readable; }
};

TaxpayerRead readTaxpayerRecord(const DataStore& store, PersonCode code);
// The same check over the bytes of a registration file, as backup and restore hold them.
StoredCheck checkTaxpayerBytes(std::string_view bytes, PersonCode code);

// "個人コード 7 は登録されていません。" or "「…/7.txt」を読めません。…": why a client cannot be worked on.
// Nothing when the registration reads.
std::optional<std::string> registrationProblem(const TaxpayerRead& read, PersonCode code);

// Only these codes are listed, backed up and restored.
inline constexpr PersonCode kFirstListedCode = 1;
inline constexpr PersonCode kLastListedCode = 1000;

// "個人コード 7（山田太郎）", "個人コード 7（登録を読めません）" for a damaged registration: how messages
// name a client.
std::string clientName(const DataStore& store, PersonCode code);

// "03 : 山田太郎": codes below 100 get one leading "0".
std::string personListEntry(PersonCode code, std::string_view name);
// What the lists show instead of the name of a registration that cannot be read.
inline constexpr std::string_view kDamagedRegistration = "※登録を読めません";

// The codes 1 to 1000 that have a registration, readable or damaged: everyone the person list lists.
std::vector<PersonCode> registeredCodes(const DataStore& store);

// The person list over codes 1 to 1000, one entry per registration; a damaged one is listed with
// kDamagedRegistration in place of the name. It reads through the caller's current-taxpayer slots, so the
// last one listed whose registration reads is left current.
std::vector<std::string> buildPersonList(const DataStore& store, PersonCode& currentCode,
                                         std::string& currentName);

} // namespace kakutei
