#include "sample_taxpayer.h"

#include "temp_root.h"

#include <gtest/gtest.h>

#include <iterator>

namespace kakutei::testing {

TaxpayerRecord sampleRecord() {
    TaxpayerRecord r;
    r.personCode = 15;
    r.name = "山田　太郎";
    r.condition = "寡夫";
    r.reading = "ﾔﾏﾀﾞ ﾀﾛｳ";
    r.address1 = "東京都港区芝5-8,1";
    r.address2 = "芝ビル①";
    r.addressJanuary = "東京都港区芝5-8,1";
    r.birthYear = 35;
    r.birthMonth = 4;
    r.birthDay = 1;
    r.sex = "男";
    r.householdHead = "山田　太郎";
    r.relationship = "本人";
    r.occupation = "会社役員";
    r.tradeName = "";
    r.telephone = "03-1234-5678";
    r.taxOffice = "芝";
    r.taxpayerNumber = "";
    r.bankBranch = "芝";
    r.bankName = "髙﨑銀行";
    r.accountType = "普通預金";
    r.accountNumber = "1234567";
    r.postalCode1 = "108";
    r.postalCode2 = "0014";
    r.returnKind = "青色";
    r.birthEra = "昭和";
    return r;
}

std::string sampleBytes() {
    const char* lines[] = {"15",
                           "\"山田　太郎\"",
                           "\"寡夫\"",
                           "\"ﾔﾏﾀﾞ ﾀﾛｳ\"",
                           "\"東京都港区芝5-8,1\"",
                           "\"芝ビル①\"",
                           "\"東京都港区芝5-8,1\"",
                           "35",
                           "4",
                           "1",
                           "\"男\"",
                           "\"山田　太郎\"",
                           "\"本人\"",
                           "\"会社役員\"",
                           "\"\"",
                           "\"03-1234-5678\"",
                           "\"芝\"",
                           "\"\"",
                           "\"芝\"",
                           "\"髙﨑銀行\"",
                           "\"普通預金\"",
                           "\"1234567\"",
                           "\"108\"",
                           "\"0014\"",
                           "\"青色\"",
                           "\"昭和\"",
                           "\"予備1\"",
                           "\"予備2\"",
                           "\"予備3\"",
                           "\"予備4\"",
                           "\"予備5\"",
                           "\"予備6\"",
                           "\"予備7\"",
                           "\"予備8\"",
                           "\"予備9\"",
                           "\"予備10\"",
                           "\"予備11\"",
                           "\"予備12\""};
    static_assert(std::size(lines) == 38);
    std::string bytes;
    for (const char* line : lines)
        bytes += sjis(line) + "\r\n";
    return bytes;
}

void registerWhole(TaxpayerRecord& record) {
    record.taxOffice = "芝";
    record.birthEra = "昭和";
    record.birthYear = 35;
    record.birthMonth = 1;
    record.birthDay = 1;
}

void registerTaxpayer(const DataStore& store, PersonCode code, const std::string& name) {
    TaxpayerRecord record;
    record.personCode = code;
    record.name = name;
    ASSERT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(code))));
}

} // namespace kakutei::testing
