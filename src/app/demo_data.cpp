#include "app/demo_data.h"

#include "app/batch_commands.h"
#include "app/stream_user_interface.h"
#include "core/record_kinds.h"
#include "core/taxpayer_record.h"
#include "shell/app.h"
#include "shell/office_batch.h"

#include <map>
#include <sstream>

namespace kakutei {
namespace {

struct DemoTaxpayer {
    TaxpayerRecord record;
    std::map<int, std::string> income, deductions, personal, breakdown;
};

TaxpayerRecord person(PersonCode code, const char* name, const char* reading, const char* condition,
                      const char* kind, std::int16_t year, const char* occupation) {
    TaxpayerRecord r;
    r.personCode = code;
    r.name = name;
    r.reading = reading;
    r.condition = condition;
    r.address1 = "東京都港区芝5-8-1";
    r.addressJanuary = "東京都港区芝5-8-1";
    r.birthEra = "昭和";
    r.birthYear = year;
    r.birthMonth = 4;
    r.birthDay = 1;
    r.sex = "男";
    r.householdHead = name;
    r.relationship = "本人";
    r.occupation = occupation;
    r.telephone = "03-0000-0000";
    r.taxOffice = "芝";
    r.bankName = "見本銀行";
    r.bankBranch = "芝";
    r.accountType = "普通預金";
    r.accountNumber = "1234567";
    r.postalCode1 = "108";
    r.postalCode2 = "0014";
    r.returnKind = kind;
    return r;
}

void writeRecord(const DataStore& store, PersonCode code, int k, const std::map<int, std::string>& set) {
    const RecordSchema& schema = screenRecordSchema(k);
    RecordWriter writer(schema);
    for (int n = 1; n <= static_cast<int>(schema.fields.size()); ++n) {
        const auto it = set.find(n);
        if (schema.fields[static_cast<std::size_t>(n - 1)].kind == FieldKind::text) {
            std::string text = it != set.end() ? it->second : "";
            if (text.size() >= 2 && text.front() == '"' && text.back() == '"') // written as the file shows it
                text = text.substr(1, text.size() - 2);
            writer.text(text);
        } else
            writer.number(it != set.end() ? std::stod(it->second) : 0);
    }
    writer.writeTo(store.path(*names::screenFile(code, k, kYearCode)));
}

} // namespace

bool createDemoData(const std::string& root) {
    DataStore store(root);
    if (store.ensureFolders(kYearCode))
        return false;
    const DemoTaxpayer taxpayers[] = {
        // A salary earner: 5,000,000 yen of salary, social insurance and life insurance, tax withheld.
        {person(1, "見本　一郎", "ﾐﾎﾝ ｲﾁﾛｳ", "該当なし", "白色", 45, "会社員"),
         {{6, "5000000"}, {17, "3460000"}},
         {{5, "\"健康保険・厚生年金\""}, {17, "700000"}, {25, "100000"}},
         {{32, "\"該当なし\""}},
         {{1, "\"給　与\""}, {2, "\"見本商事株式会社\""}, {41, "5000000"}, {42, "200000"}}},
        // A pensioner of 69, registered 老年者, with medical expenses and a wife of 65 without income: the
        // general spouse deduction, since she is not yet 70.
        {person(2, "見本　二郎", "ﾐﾎﾝ ｼﾞﾛｳ", "老年者", "白色", 10, "無職"),
         {{7, "5000000"}},
         {{17, "150000"}, {31, "300000"}},
         {{2, "\"見本　花子\""},
          {3, "\"14.05.05\""},
          {36, "\"昭和\""},
          {37, "\"年号\""},
          {38, "\"年号\""},
          {39, "\"年号\""},
          {40, "\"年号\""},
          {41, "\"年号\""},
          {42, "\"年号\""},
          {43, "\"年号\""},
          {46, "\"配偶者控除\""},
          {63, "380000"}},
         {{1, "\"雑\""}, {2, "\"社会保険庁\""}, {41, "5000000"}, {42, "30000"}}},
        // A blue-return shop owner whose wife works in the shop as a paid family employee, so she brings
        // no spouse deduction, and two dependents: a son of 14 (general) and a daughter of 19 (特定扶養,
        // aged 16 to 22 at the end of 2004).
        {person(3, "見本　三郎", "ﾐﾎﾝ ｻﾌﾞﾛｳ", "該当なし", "青色", 35, "小売業"),
         {{1, "20000000"}, {12, "10000000"}},
         {{17, "600000"}, {21, "840000"}, {25, "120000"}, {27, "30000"}},
         {{4, "\"見本　四郎\""},
          {5, "\"長男\""},
          {7, "\"見本　五月\""},
          {8, "\"長女\""},
          {16, "\"見本　和子\""},
          {18, "\"妻\""},
          {19, "\"12\""},
          {20, "\"店員\""},
          {48, "38"},
          {49, "63"},
          {53, "1800000"},
          {36, "\"年号\""},
          {37, "\"平成\""},
          {38, "\"昭和\""},
          {39, "\"年号\""},
          {40, "\"年号\""},
          {41, "\"昭和\""},
          {42, "\"年号\""},
          {43, "\"年号\""},
          {6, "\"02.05.05\""},
          {9, "\"60.03.03\""},
          {17, "\"40.06.01\""}},
         {}},
    };
    for (const DemoTaxpayer& t : taxpayers) {
        taxpayerRecordWriter(t.record).writeTo(store.path(names::taxpayerFile(t.record.personCode)));
        writeRecord(store, t.record.personCode, 1, t.income);
        writeRecord(store, t.record.personCode, 2, t.deductions);
        writeRecord(store, t.record.personCode, 3, t.personal);
        writeRecord(store, t.record.personCode, 4, t.breakdown);
    }
    RecordWriter accountant(taxAccountantSchema());
    accountant.text("見本　税理士");
    accountant.text("東京都新宿区西新宿2-8-1");
    accountant.text("03-1111-2222");
    accountant.writeTo(store.path(names::taxAccountantFile));
    std::ostringstream quiet;
    StreamUserInterface ui(quiet, false);
    App app(store, ui);
    app.start();
    for (const DemoTaxpayer& t : taxpayers)
        recalculateReturn(app, t.record.personCode);
    return !ui.warned();
}

} // namespace kakutei
