#pragma once
// The tax accountant panel of the main menu ("税理士名の登録"): the editor of "c:\所得税\税理士名.txt", the
// one accountant entry that every printed return carries.

#include "core/data_store.h"
#include "core/field.h"
#include "core/record_schema.h"
#include "core/user_interface.h"

namespace kakutei {

namespace tax_accountant {
inline constexpr std::string_view kHeading = "税理士名の登録";
inline constexpr std::string_view kNameButton = "税理士名";
inline constexpr std::string_view kAddressButton = "住　　　所";
inline constexpr std::string_view kTelephoneButton = "電話番号";
inline constexpr std::string_view kHideButton = "非表示";
inline constexpr std::string_view kSaveButton = "登録実行";
inline constexpr std::string_view kLoadButton = "呼出";
inline constexpr std::string_view kImportButton = "法定調書より呼出";
inline constexpr std::string_view kSaveFailedTitle = "まず、個人登録を実行して下さい。";
inline constexpr std::string_view kUnreadableTitle = "税理士名を読めません";
inline constexpr std::string_view kReplaceDamagedTitle = "読めない税理士名のファイルがあります";
} // namespace tax_accountant

class TaxAccountantPanel {
public:
    TaxAccountantPanel(DataStore& store, UserInterface& ui) : store_(store), ui_(ui) {}

    Field text5;  // Text5: name
    Field text12; // Text12: address
    Field text4;  // Text4: telephone number

    void clearName() { text5.text.clear(); }      // "税理士名"
    void clearAddress() { text12.text.clear(); }  // "住　　　所"
    void clearTelephone() { text4.text.clear(); } // "電話番号"
    void hideEntry();                             // "非表示": empties the boxes, keeps the file
    void save();                                  // "登録実行"
    void load();                                  // "呼出"
    // Start-up's load: a damaged file leaves the boxes empty without a word (printing refuses it, and a save
    // over it asks first), so that no command that has nothing to do with it fails on it.
    void loadQuietly();
    void importFromYearEndProgram(); // "法定調書より呼出"

private:
    void loadFrom(const std::string& windowsName, const RecordSchema& schema, bool sayDamage = true);
    DataStore& store_;
    UserInterface& ui_;
};

} // namespace kakutei
