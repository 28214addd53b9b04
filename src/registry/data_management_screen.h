#pragma once
// The data management screen (Form12, "データ"): deletes a taxpayer, copies one to a new code, and backs all
// data up to another drive (a folder here) and restores it.

#include "core/data_screen.h"
#include "core/screen_host.h"

#include <functional>
#include <string_view>
#include <vector>

namespace kakutei {

namespace data_management {
inline constexpr std::string_view kFormName = "Form12";
inline constexpr std::string_view kCaption = "データ";
inline constexpr std::string_view kDisplay = "表示";
inline constexpr std::string_view kCallUp = "個人呼出";
inline constexpr std::string_view kDelete = "を削除する";
inline constexpr std::string_view kChangeCode = "に個人コードを変更する";
inline constexpr std::string_view kRefresh = "たった今削除";
inline constexpr std::string_view kBackup = "ドライブへ、全データのバックアップをする";
inline constexpr std::string_view kDeleteTarget = "まず相手ドライブのデータを削除";
inline constexpr std::string_view kRestore = "ドライブより、全データのリストアする";
inline constexpr std::string_view kDeleteLocal = "まずCドライブのデータを削除";
inline constexpr std::string_view kBackupOne = "のみをバックアップ";
inline constexpr std::string_view kRestoreOne = "のみをリストア";
inline constexpr std::string_view kChooseFolder = "フォルダを選択…";
} // namespace data_management

class DataManagementScreen : public DataScreen {
public:
    DataManagementScreen(DataStore& store, UserInterface& ui, ScreenHost& host)
        : DataScreen(store, ui), host_(host) {}
    ScreenId id() const override { return ScreenId::dataManagement; }

    std::vector<std::string> list1; // List1
    Field text1;                    // Text1: the code
    Field text2;                    // Text2: the name
    Field text3;                    // Text3: the new code
    Field drive1;                   // Drive1: where backups go
    Field drive2;                   // Drive2: where restores come from
    Field drive3;                   // Drive3: one taxpayer's backup and restore
    int progress = 0;               // ProgressBar1, 0 to 100
    // Called whenever the bar moves, so that a window can show it during the long loops.
    std::function<void()> progressChanged;

    void display(); // "表示"
    void clickList(std::size_t index);
    void callUp();         // "個人呼出"
    void deleteTaxpayer(); // "を削除する"
    void copyToNewCode();  // "に個人コードを変更する"
    void refresh(); // "たった今削除": this screen is replaced, so nothing may touch it afterwards
    void backup();  // "ドライブへ、全データのバックアップをする"
    void deleteTargetData(); // "まず相手ドライブのデータを削除"
    void restore();          // "ドライブより、全データのリストアする"
    void deleteLocalData();  // "まずCドライブのデータを削除"
    void backupOne();        // "のみをバックアップ"
    void restoreOne();       // "のみをリストア"
    void clear() override {}
    void data() override { display(); }

    PersonCode currentCode() const { return currentCode_; }
    const std::string& currentName() const { return currentName_; }

    // The same, for the batch commands: false when something went wrong, which the user has been told.
    bool backupTo(const std::string& folder);
    bool restoreFrom(const std::string& folder, bool confirmed);

private:
    struct Tally {
        int failed = 0;
        std::error_code first;
        void note(std::error_code error);
    };
    // The file set of one code: the five screen files and the TaxpayerRecord, as "c:\…" names.
    std::vector<std::string> fileSet(PersonCode code) const;
    void copySet(const DataStore& from, const DataStore& to, PersonCode code, Tally& tally);
    void deleteAll(const DataStore& where);
    void setProgress(int value);
    bool confirm(std::string_view title, std::string_view body);
    void report(std::string_view title, const Tally& tally);

    ScreenHost& host_;
    PersonCode currentCode_ = 0;
    std::string currentName_;
};

} // namespace kakutei
