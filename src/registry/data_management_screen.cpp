#include "registry/data_management_screen.h"

#include "core/file_io.h"
#include "core/person_code.h"
#include "core/store_error.h"
#include "core/taxpayer_record.h"

namespace kakutei {

namespace dm = data_management;

namespace {

constexpr std::string_view kSharedFiles[] = {names::taxAccountantFile, names::printSettingsFile};

std::string describeFolder(const Field& drive) {
    return drive.text.empty() ? "（未選択）" : drive.text;
}

} // namespace

void DataManagementScreen::Tally::note(std::error_code error) {
    if (!error)
        return;
    if (failed++ == 0)
        first = error;
}

void DataManagementScreen::setProgress(int value) {
    progress = value;
    if (progressChanged)
        progressChanged();
}

bool DataManagementScreen::confirm(std::string_view title, std::string_view body) {
    return ui().ask(title, body);
}

void DataManagementScreen::report(std::string_view title, const Tally& tally) {
    if (tally.failed == 0)
        return;
    ui().warn(title, std::to_string(tally.failed) + " 個のファイルをコピーできませんでした。" +
                         describeError(tally.first) + "\nコピーできたファイルは完全です。");
}

std::vector<std::string> DataManagementScreen::fileSet(PersonCode code) const {
    std::vector<std::string> files;
    for (int k = 1; k <= 5; ++k)
        if (const auto name = names::screenFile(code, k, workingYearCode()))
            files.push_back(*name);
    files.push_back(names::taxpayerFile(code));
    return files;
}

void DataManagementScreen::display() {
    nenGO();
    list1 = buildPersonList(store(), currentCode_, currentName_);
}

void DataManagementScreen::clickList(std::size_t index) {
    if (index >= list1.size())
        return;
    const std::string& entry = list1[index];
    const auto code = readCode(entry.substr(0, entry.find(" : "))).code;
    text1.text = code ? std::to_string(*code) : entry.substr(0, entry.find(" : "));
    callUp();
}

void DataManagementScreen::callUp() {
    const auto code = readCode(text1.text).code;
    const TaxpayerRead read = code ? readTaxpayerRecord(store(), *code, 2) : TaxpayerRead{};
    if (!code || read.error) {
        display();
        return;
    }
    currentCode_ = read.record.personCode;
    currentName_ = read.record.name;
    ui().beep();
    text2.text = currentName_;
}

void DataManagementScreen::deleteTaxpayer() {
    nenGO();
    const auto code = readCode(text1.text).code;
    if (!code) {
        ui().warn("個人の削除", "削除する個人コードを入れて下さい。");
        return;
    }
    if (confirm(currentName_ + " 氏を削除しますか", "")) {
        // The housing loan file is not part of the set and stays.
        for (const std::string& name : fileSet(*code))
            (void)removeFile(store().path(name));
    }
    ui().beep();
    refresh();
}

void DataManagementScreen::copyToNewCode() {
    nenGO();
    const auto from = readCode(text1.text).code;
    const auto to = readCode(text3.text).code;
    const char* problem = nullptr;
    if (!from)
        problem = "元の個人コードを入れて下さい。";
    else if (!to || *to == 0)
        problem = "新しい個人コードは 1 から 1000 までの数字で入れて下さい。";
    else if (*to == *from)
        problem = "新しい個人コードが元の個人コードと同じです。";
    TaxpayerRead record;
    if (!problem) {
        record = readTaxpayerRecord(store(), *from);
        if (record.error)
            problem = "元の個人コードの登録がありません。何もコピーしていません。";
    }
    if (problem) {
        ui().warn("個人コードの変更", problem);
        return;
    }
    Tally tally;
    const std::vector<std::string> source = fileSet(*from);
    const std::vector<std::string> target = fileSet(*to);
    for (std::size_t i = 0; i + 1 < source.size() && i + 1 < target.size(); ++i)
        if (fileExists(store().path(source[i])))
            tally.note(copyFile(store().path(source[i]), store().path(target[i])));
    record.record.personCode = *to;
    const RecordWriter writer = taxpayerRecordWriter(record.record);
    tally.note(writer.writeTo(store().path(names::taxpayerFile(*to))));
    syncFileSystem(store().root());
    report("個人コードの変更", tally);
    ui().beep();
    refresh();
}

void DataManagementScreen::refresh() {
    host_.discardScreen(ScreenId::dataManagement);
    host_.openScreen(ScreenId::dataManagement);
}

void DataManagementScreen::copySet(const DataStore& from, const DataStore& to, PersonCode code,
                                   Tally& tally) {
    for (const std::string& name : fileSet(code)) {
        bool missing = false;
        const std::error_code error = copyFile(from.path(name), to.path(name), &missing);
        // A taxpayer without this file simply has none to copy.
        if (!missing)
            tally.note(error);
    }
}

void DataManagementScreen::deleteAll(const DataStore& where) {
    for (int code = kFirstListedCode; code <= kLastListedCode; ++code) {
        setProgress(code * 100 / kLastListedCode);
        for (const std::string& name : fileSet(static_cast<PersonCode>(code)))
            (void)removeFile(where.path(name));
    }
    for (std::string_view name : kSharedFiles)
        (void)removeFile(where.path(name));
}

bool DataManagementScreen::backupTo(const std::string& folder) {
    nenGO();
    if (folder.empty() || !folderExists(folder)) {
        ui().warn("バックアップ", "バックアップ先のフォルダが見つかりません: " + folder);
        return false;
    }
    const DataStore target(folder);
    deleteAll(target);
    if (!folderExists(target.path(names::baseFolder))) {
        if (const auto error = target.ensureBaseFolders()) {
            ui().warn("バックアップ", "バックアップ先にフォルダを作れません。" + describeError(error));
            return false;
        }
        (void)createFolder(target.path(names::yearDataFolder(workingYearCode())));
    }
    Tally tally;
    for (int code = kFirstListedCode; code <= kLastListedCode; ++code) {
        setProgress(code * 100 / kLastListedCode);
        copySet(store(), target, static_cast<PersonCode>(code), tally);
    }
    for (std::string_view name : kSharedFiles)
        if (fileExists(store().path(name)))
            tally.note(copyFile(store().path(name), target.path(name)));
    syncFileSystem(folder);
    setProgress(0);
    display();
    report("バックアップ", tally);
    return tally.failed == 0;
}

bool DataManagementScreen::restoreFrom(const std::string& folder, bool confirmed) {
    nenGO();
    const DataStore source(folder);
    if (folder.empty() || !folderExists(source.path(names::baseFolder))) {
        ui().warn(
            "リストア",
            "このフォルダにはバックアップ（所得税フォルダ）がありません。Cドライブのデータはそのままです: " +
                folder);
        return false;
    }
    if (!confirmed &&
        !confirm("リストア", "いまのデータ（個人コード 1〜1000 の登録と" + workingYearCode() +
                                 "年分の各画面のデータ、税理士名、印刷調整）をすべて削除して、" + folder +
                                 " のバックアップから戻します。よろしいですか。"))
        return false;
    deleteAll(store());
    Tally tally;
    for (int code = kFirstListedCode; code <= kLastListedCode; ++code) {
        setProgress(code * 100 / kLastListedCode);
        copySet(source, store(), static_cast<PersonCode>(code), tally);
    }
    for (std::string_view name : kSharedFiles)
        if (fileExists(source.path(name)))
            tally.note(copyFile(source.path(name), store().path(name)));
    syncFileSystem(store().root());
    setProgress(0);
    display();
    ui().beep();
    report("リストア", tally);
    return tally.failed == 0;
}

void DataManagementScreen::backup() {
    backupTo(drive1.text);
}

void DataManagementScreen::restore() {
    restoreFrom(drive2.text, false);
}

void DataManagementScreen::deleteTargetData() {
    nenGO();
    if (drive1.text.empty() || !folderExists(drive1.text))
        return;
    if (confirm("相手ドライブのデータを削除",
                describeFolder(drive1) + " にあるバックアップ（個人コード 1〜1000 の登録と" +
                    workingYearCode() +
                    "年分の各画面のデータ、税理士名、印刷調整）を削除します。よろしいですか。"))
        deleteAll(DataStore(drive1.text));
}

void DataManagementScreen::deleteLocalData() {
    nenGO();
    if (confirm("Cドライブのデータを削除",
                "いまのデータ（個人コード 1〜1000 の登録と" + workingYearCode() +
                    "年分の各画面のデータ、税理士名、印刷調整）をすべて削除します。よろしいですか。"))
        deleteAll(store());
}

void DataManagementScreen::backupOne() {
    nenGO();
    const auto code = readCode(text1.text).code;
    if (!code || drive3.text.empty() || !folderExists(drive3.text)) {
        ui().warn("バックアップ", "個人コードとバックアップ先のフォルダを選んで下さい。");
        return;
    }
    const DataStore target(drive3.text);
    target.ensureBaseFolders();
    (void)createFolder(target.path(names::yearDataFolder(workingYearCode())));
    Tally tally;
    copySet(store(), target, *code, tally);
    syncFileSystem(drive3.text);
    report("バックアップ", tally);
}

void DataManagementScreen::restoreOne() {
    nenGO();
    const auto code = readCode(text1.text).code;
    const DataStore source(drive3.text);
    if (!code || drive3.text.empty() || !fileExists(source.path(names::taxpayerFile(*code)))) {
        ui().warn("リストア", "選んだフォルダに、この個人コードのバックアップがありません。");
        return;
    }
    if (!confirm("リストア", "個人コード " + std::to_string(*code) + " のデータを " + drive3.text +
                                 " のバックアップで置き換えます。よろしいですか。"))
        return;
    Tally tally;
    copySet(source, store(), *code, tally);
    syncFileSystem(store().root());
    display();
    report("リストア", tally);
}

} // namespace kakutei
