#pragma once
// What every data screen shares: the hidden code and year fields, the working year code, the year button and
// the way a screen file is named, read and saved. Each screen adds its own fields and buttons.

#include "core/client_gate.h"
#include "core/data_store.h"
#include "core/field.h"
#include "core/record_kinds.h"
#include "core/unsaved_input.h"
#include "core/user_interface.h"
#include "core/wide_result.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kakutei {

inline constexpr std::string_view kUnreadableTitle = "データを読めません";
inline constexpr std::string_view kUnreadableNotSavedTitle = "読めないファイルには保存しません";
inline constexpr std::string_view kChangedSinceTitle = "ほかで変わったデータです";

class DataScreen {
public:
    DataScreen(DataStore& store, UserInterface& ui) : store_(store), ui_(ui) {}
    virtual ~DataScreen() = default;
    DataScreen(const DataScreen&) = delete;
    DataScreen& operator=(const DataScreen&) = delete;

    virtual ScreenId id() const = 0;

    Field text60;  // Text60: the PersonCode the screen works on
    Field text100; // Text100: the YearCode, set once at start-up

    // "nenGO": the year button.
    void nenGO() { yearCode_ = text100.text; }
    virtual void clear() = 0;   // "クリア"
    virtual void data() = 0;    // "DATA"
    virtual void calculate() {} // "計算実行", on the screens that have one
    // "計算実行" pressed from elsewhere (the menu's run-all buttons, "各データの実行"): a screen whose fields
    // still hold another taxpayer's figures, or nobody's yet, loads the current taxpayer's first, so that
    // nothing of one taxpayer is stored into another's files. False when the calculation stored nothing
    // (the user was told why): whatever would be worked out from its record must not go on.
    bool calculateForCurrentTaxpayer();
    // The call-up hands the screen another taxpayer's code. A screen that shows someone else's figures
    // loads this taxpayer's at once: no window shows, and no 計算実行 stores, one taxpayer's figures under
    // another's code.
    void takeTaxpayer(const std::string& code);
    // The file of the last save that failed or was refused (a calculation refused too), until
    // forgetFailedSave(): the batch commands name it and stop there.
    const std::optional<std::string>& failedSave() const { return failedSave_; }
    void forgetFailedSave() { failedSave_.reset(); }

    // The user's typing since the screen last loaded or stored its figures, and what other windows handed
    // over at the user's word; the windows and App report to it.
    UnsavedInput& typed() { return typed_; }
    // Typed figures that "計算実行" has not stored and no load has replaced: leaving would drop them.
    bool holdsUnsavedInput() const { return typed_.any(); }
    // "保存しない": the screen shows its stored figures again, so that nothing pressed later (a run-all
    // button's 計算実行) stores what the user chose to throw away.
    void discardUnsavedInput();

    const std::string& workingYearCode() const { return yearCode_; }
    // The code (as Text60 had it) whose figures the screen holds: those of its last load of its own record.
    const std::optional<std::string>& heldCode() const { return heldCode_; }
    std::optional<PersonCode> personCode() const;
    // The code in Text60 when it reads and every one of its screen file numbers (k = 1 to 5) fits 16 bits;
    // a calculation without one ends silently.
    std::optional<PersonCode> fileCode() const;

protected:
    // The path of this taxpayer's screen file k in the working year's folder (k = 6 the housing loan file);
    // nullopt when the code in Text60 is unreadable or its file number overflows.
    std::optional<std::string> screenFilePath(int k) const;
    // Stores the record as screen file k, through the client gate; on failure tells the user and returns
    // false, and the stored file stays as it was. A stored file that cannot be read whole, or that changed
    // since this screen read it, is never replaced; nor is anything stored while a record the screen's
    // figures come from (sourceRecords()) cannot be read.
    bool saveRecord(const RecordWriter& record, int k);
    // The same where an ordinary failure of the write itself is left unsaid (`failureTitle` empty); a
    // refusal is always said.
    bool saveRecord(const RecordWriter& record, int k, std::string_view failureTitle);
    // A calculation that cannot be stored: says why and counts as a failed save, so that no batch goes on
    // to store figures computed from the ones it could not store.
    void refuseCalculation(const WideResults& results, int k);
    // Reads screen file k of the working year through its schema. One that is there but cannot be read is
    // said to the user, and saves refuse until a later reading finds it readable.
    StoredRecord readScreenRecord(int k);
    // The same for the screen's own record, which also notes whose figures the screen now holds and what
    // the file held, so that a save can tell whether someone else changed it meanwhile.
    StoredRecord readOwnRecord(int k);
    // The screen files whose figures this screen's calculation uses, beside its own.
    virtual std::vector<int> sourceRecords() const { return {}; }
    bool holdsCurrentTaxpayer() const { return heldCode_ == text60.text; }

    void setWorkingYearCode(std::string yearCode) { yearCode_ = std::move(yearCode); }
    // "DATA" and "前年データ" set the working year and the text colour of what they load.
    struct Loading {
        std::string_view yearCode;
        Colour colour;
    };
    Loading currentYear() const { return {text100.text, colours::black}; }
    static Loading previousYear() { return {kPreviousYearCode, colours::red}; }
    DataStore& store() { return store_; }
    const DataStore& store() const { return store_; }
    UserInterface& ui() { return ui_; }

private:
    DataStore& store_;
    UserInterface& ui_;
    std::string yearCode_;
    bool refuse(const std::string& path, std::string_view title, const std::string& body);
    std::optional<std::string> heldCode_; // Text60 at the last load of the screen's own record
    std::set<std::string> unreadable_;    // files a load could not read
    // What each own file held when this screen last read or wrote it; nothing when it was not there.
    std::map<std::string, std::optional<std::string>> seen_;
    std::optional<std::string> failedSave_;
    UnsavedInput typed_;
};

// Shows the message for a save that failed: the message for the value that could not be stored when that
// was the cause, otherwise the system's description of the error under `title`.
void reportSaveFailure(UserInterface& ui, std::string_view title, const RecordWriter& record,
                       std::error_code error);

} // namespace kakutei
