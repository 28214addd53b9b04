#pragma once
// The data management screen (Form12, "データ"): deletes a taxpayer, copies one to a new code, and backs all
// data up to another drive (a folder here) and restores it.

#include "core/data_screen.h"
#include "core/screen_host.h"

#include "core/record_schema.h"

#include <functional>
#include <optional>
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

// A file or a client that a backup, restore or delete left as it was, and why.
struct LeftAlone {
    std::string where;
    std::string why;
};

class InterruptGuard;
class TreeChange;
class TreeReader;
struct SourceFile;

class DataManagementScreen : public DataScreen {
public:
    // Finishes a restore, copy or deletion that a crash or a power cut stopped half-way, before anything
    // reads the data: the screen is made at start-up.
    DataManagementScreen(DataStore& store, UserInterface& ui, ScreenHost& host);
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
    // A file of a group: its name below 所得税 as it is read and as it is written, and how its bytes are
    // judged whole.
    struct GroupFile {
        std::string source;
        std::string target;
        std::function<StoredCheck(std::string_view bytes)> check;
    };
    // Files that are copied, replaced and removed together: one taxpayer's, or one shared file.
    struct FileGroup {
        std::optional<PersonCode> client; // whose files they are, for the client gate
        std::vector<GroupFile> files;
    };
    struct Staged {
        std::vector<LeftAlone> unusable; // their groups were left as they were
        std::vector<PersonCode> clients; // the clients whose files the change puts or removes
        int found = 0;                   // files found to copy
        std::error_code error;           // ends the operation; nothing has changed
        bool interrupted = false;
    };
    // One taxpayer's files: the five screen files, the housing loan file and the TaxpayerRecord.
    FileGroup setOf(PersonCode code) const;
    std::vector<FileGroup> everyGroup() const;
    // Into the data its rules hold (a replaced file keeps its permissions, a new one takes its folder's) and
    // each client's files change only through the client gate; a backup keeps the data's own permissions,
    // whatever the folder it goes to would give.
    enum class Into { data, backup };
    // Stages each group whole (present files put, missing ones removed) or, when one of its files cannot be
    // used, not at all.
    Staged stage(TreeReader& from, TreeChange& to, const std::vector<FileGroup>& groups,
                 const InterruptGuard* guard, Into into);
    // The same for one set; says why and returns false when nothing can be done.
    bool stageSet(TreeReader& from, TreeChange& to, const FileGroup& group, Into into,
                  std::string_view title, std::string_view refusal, std::string_view unchanged);
    bool removeGroups(const std::string& base, const std::vector<FileGroup>& groups, Into into,
                      std::string_view title);
    // The clients whose files a change put or removed: their windows reload.
    void changedClients(const std::vector<PersonCode>& codes);
    bool commit(TreeChange& change, std::string_view title, std::string_view unchanged);
    bool finishEarlierChanges(const std::string& base, std::string_view title);
    bool apartFromData(const std::string& folder, std::string_view title);
    bool stagedWell(const Staged& staged, std::string_view title, std::string_view unchanged);
    std::string dataPath(const std::string& treeName) const;
    void setProgress(int value);
    bool confirm(std::string_view title, std::string_view body);

    ScreenHost& host_;
    PersonCode currentCode_ = 0;
    std::string currentName_;
};

} // namespace kakutei
