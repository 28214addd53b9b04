#include "registry/data_management_screen.h"

#include "core/file_io.h"
#include "core/person_code.h"
#include "core/store_error.h"
#include "core/taxpayer_record.h"
#include "registry/drives.h"
#include "registry/interrupt_guard.h"
#include "registry/tree_change.h"

#include <set>

namespace kakutei {

namespace dm = data_management;

namespace {

constexpr std::string_view kSharedFiles[] = {names::taxAccountantFile, names::printSettingsFile};
constexpr std::size_t kNamedProblems = 10;

std::string describeFolder(const Field& drive) {
    return drive.text.empty() ? "（未選択）" : drive.text;
}

// "c:\所得税\個人名\7.txt" → "個人名/7.txt"
std::string treeName(std::string_view windowsName) {
    if (windowsName.starts_with(names::baseFolder))
        windowsName.remove_prefix(names::baseFolder.size());
    std::string name(windowsName);
    for (char& c : name)
        if (c == '\\')
            c = '/';
    return name;
}

std::string codeText(PersonCode code) {
    return "個人コード " + std::to_string(code);
}

// "納税者7 氏", from the record of the code.
std::string whoIs(const DataStore& store, PersonCode code) {
    const TaxpayerRead read = readTaxpayerRecord(store, code);
    if (read.readable())
        return read.record.name + " 氏";
    return "名前を読めない人";
}

std::function<StoredCheck(std::string_view)> schemaCheck(const RecordSchema& schema) {
    return [&schema](std::string_view bytes) { return parseRecord(bytes, schema).check; };
}

std::string whyUnusable(const SourceFile& file) {
    switch (file.state) {
    case SourceState::link:
        return "リンクです（リンク先は読みません）";
    case SourceState::notRegular:
        return "普通のファイルではありません";
    case SourceState::tooLarge:
        return "大きすぎて記録のファイルではありません";
    default:
        return describeError(file.error);
    }
}

std::string listUnusable(const std::vector<LeftAlone>& files) {
    std::set<std::string> seen;
    std::string text;
    std::size_t named = 0;
    for (const LeftAlone& file : files) {
        if (!seen.insert(file.where).second)
            continue;
        if (named++ < kNamedProblems)
            text += "\n" + file.where + ": " + file.why;
    }
    if (named > kNamedProblems)
        text += "\nほか " + std::to_string(named - kNamedProblems) + " 個";
    return text;
}

std::string_view whyNotApart(Overlap overlap) {
    switch (overlap) {
    case Overlap::same:
        return "選んだフォルダはデータのフォルダそのものです";
    case Overlap::inside:
        return "選んだフォルダはデータのフォルダの中にあります";
    case Overlap::contains:
        return "選んだフォルダはデータのフォルダを含んでいます";
    default:
        return "選んだフォルダかデータのフォルダが見つかりません";
    }
}

} // namespace

DataManagementScreen::DataManagementScreen(DataStore& store, UserInterface& ui, ScreenHost& host)
    : DataScreen(store, ui), host_(host) {
    finishEarlierChanges(store.root(), "データの修復");
}

void DataManagementScreen::setProgress(int value) {
    progress = value;
    if (progressChanged)
        progressChanged();
}

bool DataManagementScreen::confirm(std::string_view title, std::string_view body) {
    return ui().ask(title, body);
}

std::string DataManagementScreen::dataPath(const std::string& name) const {
    return store().path(names::baseFolder) + "/" + name;
}

DataManagementScreen::FileGroup DataManagementScreen::setOf(PersonCode code) const {
    FileGroup group;
    group.client = code;
    for (int k = 1; k <= 6; ++k)
        if (const auto name = names::recordFile(code, k, workingYearCode()))
            group.files.push_back({treeName(*name), treeName(*name), schemaCheck(screenRecordSchema(k))});
    const std::string registration = treeName(names::taxpayerFile(code));
    group.files.push_back({registration, registration,
                           [code](std::string_view bytes) { return checkTaxpayerBytes(bytes, code); }});
    return group;
}

std::vector<DataManagementScreen::FileGroup> DataManagementScreen::everyGroup() const {
    std::vector<FileGroup> groups;
    for (int code = kFirstListedCode; code <= kLastListedCode; ++code)
        groups.push_back(setOf(static_cast<PersonCode>(code)));
    const std::pair<std::string_view, const RecordSchema*> shared[] = {
        {names::taxAccountantFile, &taxAccountantSchema()},
        {names::printSettingsFile, &printSettingsSchema()}};
    for (const auto& [name, schema] : shared)
        groups.push_back({std::nullopt, {{treeName(name), treeName(name), schemaCheck(*schema)}}});
    return groups;
}

DataManagementScreen::Staged DataManagementScreen::stage(TreeReader& from, TreeChange& to,
                                                         const std::vector<FileGroup>& groups,
                                                         const InterruptGuard* guard, Into into) {
    Staged staged;
    std::size_t done = 0;
    for (const FileGroup& group : groups) {
        if (guard && guard->requested()) {
            staged.interrupted = true;
            return staged;
        }
        if (groups.size() > 1)
            setProgress(static_cast<int>(++done * 100 / groups.size()));
        std::vector<SourceFile> files;
        bool usable = true;
        for (const GroupFile& file : group.files) {
            files.push_back(from.read(file.source));
            const SourceState state = files.back().state;
            if (state != SourceState::ok && state != SourceState::missing) {
                usable = false;
                staged.unusable.push_back({files.back().where, whyUnusable(files.back())});
                continue;
            }
            // Every record is read whole through its schema before it is copied: a damaged one never takes
            // the place of a good one, in either direction.
            if (state == SourceState::ok)
                if (const StoredCheck check = file.check(files.back().bytes);
                    check.state == StoredState::unreadable) {
                    usable = false;
                    staged.unusable.push_back({file.source, unreadableReason(check)});
                }
        }
        if (usable && into == Into::data && group.client)
            if (const auto refusal = changeRefusal(store(), {*group.client, ClientChangeKind::restore, {}})) {
                usable = false;
                staged.unusable.push_back({codeText(*group.client), refusal->body});
            }
        if (!usable)
            continue;
        if (group.client)
            staged.clients.push_back(*group.client);
        for (std::size_t i = 0; i < files.size(); ++i) {
            const std::string& target = group.files[i].target;
            if (files[i].state == SourceState::ok) {
                ++staged.found;
                staged.error =
                    into == Into::backup ? to.copy(target, files[i], from) : to.put(target, files[i].bytes);
            } else {
                staged.error = to.remove(target);
            }
            if (staged.error)
                return staged;
        }
    }
    return staged;
}

bool DataManagementScreen::stageSet(TreeReader& from, TreeChange& to, const FileGroup& group, Into into,
                                    std::string_view title, std::string_view refusal,
                                    std::string_view unchanged) {
    const Staged staged = stage(from, to, {group}, nullptr, into);
    if (!staged.unusable.empty()) {
        ui().warn(title, std::string(refusal) + std::string(unchanged) + listUnusable(staged.unusable));
        return false;
    }
    return stagedWell(staged, title, unchanged);
}

bool DataManagementScreen::stagedWell(const Staged& staged, std::string_view title,
                                      std::string_view unchanged) {
    if (staged.interrupted) {
        ui().warn(title, "中断しました。" + std::string(unchanged));
        return false;
    }
    if (staged.error) {
        ui().warn(title, "途中でファイルを書けなくなりました。" + describeError(staged.error) +
                             std::string(unchanged));
        return false;
    }
    return true;
}

bool DataManagementScreen::commit(TreeChange& change, std::string_view title, std::string_view unchanged) {
    if (const auto error = change.commit()) {
        ui().warn(title, "置き換えを済ませられませんでした。" + describeError(error) +
                             std::string(unchanged) +
                             "（一部だけ置き換わったときは、次に起動したときに残りを済ませます。）");
        return false;
    }
    return true;
}

bool DataManagementScreen::finishEarlierChanges(const std::string& base, std::string_view title) {
    const Recovery recovery = finishInterruptedChanges(base);
    if (!recovery.error)
        return true;
    ui().warn(title, base + " には、途中で止まった前回のバックアップ、リストアなどが残っていて、最後まで" +
                         "済ませられません。" + describeError(recovery.error));
    return false;
}

bool DataManagementScreen::apartFromData(const std::string& folder, std::string_view title) {
    const Overlap overlap = overlapWithData(store().root(), folder);
    if (overlap == Overlap::none)
        return true;
    ui().warn(title, std::string(whyNotApart(overlap)) + "（選んだフォルダ: " + folder +
                         "、データのフォルダ: " + store().root() +
                         "）。何も変えていません。別のフォルダを選んで下さい。");
    return false;
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
    const TaxpayerRead read = code ? readTaxpayerRecord(store(), *code) : TaxpayerRead{};
    if (!code || !read.registered()) {
        display();
        return;
    }
    // A damaged registration is called up too: deleting or restoring that client is how it is mended.
    currentCode_ = *code;
    currentName_ = read.readable() ? read.record.name : std::string(kDamagedRegistration);
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
    // The question names whoever the typed code belongs to, not whoever the screen last showed.
    const TaxpayerRead read = readTaxpayerRecord(store(), *code);
    if (!read.registered()) {
        ui().warn("個人の削除", codeText(*code) + " の登録はありません。何も削除していません。");
        return;
    }
    if (const auto refusal = changeRefusal(store(), {*code, ClientChangeKind::removal, {}})) {
        ui().warn("個人の削除", refusal->body + "\n何も削除していません。");
        return;
    }
    const std::string name = read.readable() ? read.record.name : codeText(*code) + "（登録を読めません）";
    if (confirm(name + " 氏を削除しますか", "")) {
        removeGroups(store().root(), {setOf(*code)}, Into::data, "個人の削除");
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
    std::string why = problem ? problem : "";
    if (!problem) {
        record = readTaxpayerRecord(store(), *from);
        if (!record.registered())
            why = "元の個人コードの登録がありません。何もコピーしていません。";
        else if (!record.readable())
            why = "元の個人コードの登録を読めません。何もコピーしていません。\n" +
                  unreadableText(record.path, record.check);
    }
    for (const auto code : {from, to})
        if (why.empty() && code)
            if (const auto refusal = changeRefusal(store(), {*code, ClientChangeKind::codeChange, {}}))
                why = refusal->body + "\n何もコピーしていません。";
    if (!why.empty()) {
        ui().warn("個人コードの変更", why);
        return;
    }
    bool occupied = false;
    for (const GroupFile& file : setOf(*to).files)
        occupied = occupied || fileExists(dataPath(file.target));
    if (occupied &&
        !confirm("個人コードの変更", codeText(*to) + " には " + whoIs(store(), *to) + "のデータがあります。" +
                                         codeText(*to) + " のデータをすべて " + codeText(*from) + " の " +
                                         whoIs(store(), *from) + "のデータで置き換えますか。"))
        return;

    // The new code's files become the old code's as a set: one the old code lacks is removed, so that
    // no return mixes two taxpayers.
    FileGroup group{*to, {}};
    for (int k = 1; k <= 6; ++k) {
        const auto source = names::recordFile(*from, k, workingYearCode());
        const auto target = names::recordFile(*to, k, workingYearCode());
        if (source && target)
            group.files.push_back({treeName(*source), treeName(*target), schemaCheck(screenRecordSchema(k))});
    }
    record.record.personCode = *to;
    const RecordWriter writer = taxpayerRecordWriter(record.record);
    constexpr std::string_view unchanged = "どちらの個人コードのデータも元のままです。";
    TreeReader reader(store().root());
    TreeChange change(store().root());
    if (!stageSet(reader, change, group, Into::backup, "個人コードの変更",
                  "次のファイルが使えないため、コピーしませんでした。", unchanged))
        return;
    if (const auto error = writer.problem()
                               ? make_error_code(StoreErrc::unstorableText)
                               : change.put(treeName(names::taxpayerFile(*to)), writer.bytes())) {
        ui().warn("個人コードの変更",
                  "新しい個人コードの登録を書けません。" + describeError(error) + std::string(unchanged));
        return;
    }
    if (!commit(change, "個人コードの変更", unchanged))
        return;
    changedClients({*to});
    ui().beep();
    refresh();
}

void DataManagementScreen::refresh() {
    host_.discardScreen(ScreenId::dataManagement);
    host_.openScreen(ScreenId::dataManagement);
}

bool DataManagementScreen::removeGroups(const std::string& base, const std::vector<FileGroup>& groups,
                                        Into into, std::string_view title) {
    TreeChange change(base);
    std::error_code error = change.error();
    std::size_t done = 0;
    std::vector<LeftAlone> left;
    std::vector<PersonCode> removed;
    for (const FileGroup& group : groups) {
        if (groups.size() > 1)
            setProgress(static_cast<int>(++done * 100 / groups.size()));
        if (into == Into::data && group.client) {
            if (const auto refusal = changeRefusal(store(), {*group.client, ClientChangeKind::removal, {}})) {
                left.push_back({codeText(*group.client), refusal->body});
                continue;
            }
            removed.push_back(*group.client);
        }
        for (const GroupFile& file : group.files)
            if (!error)
                error = change.remove(file.target);
    }
    if (error) {
        ui().warn(title,
                  "削除できないファイルがあります。" + describeError(error) + "何も削除していません。");
        return false;
    }
    if (!commit(change, title, ""))
        return false;
    changedClients(removed);
    if (!left.empty()) {
        ui().warn(title, "次の人は、ほかの所で開いているため削除していません。" + listUnusable(left));
        return false;
    }
    return true;
}

void DataManagementScreen::changedClients(const std::vector<PersonCode>& codes) {
    for (PersonCode code : codes)
        clientChanged(store(), code);
}

bool DataManagementScreen::backupTo(const std::string& folder) {
    nenGO();
    if (folder.empty() || !folderExists(folder)) {
        ui().warn("バックアップ", "バックアップ先のフォルダが見つかりません: " + folder);
        return false;
    }
    if (!apartFromData(folder, "バックアップ") || !finishEarlierChanges(folder, "バックアップ"))
        return false;
    constexpr std::string_view unchanged = "前のバックアップはそのままです。";
    // The new backup is made beside the old one, which it replaces only once it is complete.
    const InterruptGuard guard;
    TreeReader reader(store().root());
    TreeChange change(folder);
    if (const auto error = reader.error() ? reader.error() : change.error()) {
        ui().warn("バックアップ",
                  "バックアップを始められません。" + describeError(error) + std::string(unchanged));
        return false;
    }
    const Staged staged = stage(reader, change, everyGroup(), &guard, Into::backup);
    if (!stagedWell(staged, "バックアップ", unchanged))
        return false;
    // A data folder that is empty (another --root, a disk not mounted) must not wipe the last backup.
    if (staged.found == 0) {
        ui().warn("バックアップ", staged.unusable.empty()
                                      ? "バックアップするデータがありません（" + store().root() + "）。" +
                                            std::string(unchanged)
                                      : "次のファイルは使えないため、バックアップしていません。" +
                                            std::string(unchanged) + listUnusable(staged.unusable));
        return false;
    }
    if (!commit(change, "バックアップ", unchanged))
        return false;
    setProgress(0);
    display();
    if (!staged.unusable.empty()) {
        ui().warn("バックアップ", "次のファイルは使えないため、その人のバックアップは前のままにしました。" +
                                      listUnusable(staged.unusable));
        return false;
    }
    return true;
}

bool DataManagementScreen::restoreFrom(const std::string& folder, bool confirmed) {
    nenGO();
    const DataStore source(folder);
    constexpr std::string_view unchanged = "Cドライブのデータはそのままです。";
    if (!folder.empty() && folderExists(folder) && !apartFromData(folder, "リストア"))
        return false;
    if (folder.empty() || !folderExists(source.path(names::baseFolder))) {
        ui().warn(
            "リストア",
            "このフォルダにはバックアップ（所得税フォルダ）がありません。Cドライブのデータはそのままです: " +
                folder);
        return false;
    }
    if (!finishEarlierChanges(store().root(), "リストア") || !finishEarlierChanges(folder, "リストア"))
        return false;
    // Everything is read and checked, and the new data written beside the old, before the question; the
    // old data is replaced only after it.
    const InterruptGuard guard;
    TreeReader reader(folder);
    TreeChange change(store().root());
    if (const auto error = reader.error() ? reader.error() : change.error()) {
        ui().warn("リストア", "リストアを始められません。" + describeError(error) + std::string(unchanged));
        return false;
    }
    const Staged staged = stage(reader, change, everyGroup(), &guard, Into::data);
    if (!stagedWell(staged, "リストア", unchanged))
        return false;
    if (staged.found == 0) {
        ui().warn("リストア", staged.unusable.empty()
                                  ? "このフォルダのバックアップには、戻せるデータがありません。" +
                                        std::string(unchanged) + " " + folder
                                  : "次の理由で、戻せるデータがありません。" + std::string(unchanged) +
                                        listUnusable(staged.unusable));
        return false;
    }
    std::string question = "いまのデータ（個人コード 1〜1000 の登録と" + workingYearCode() +
                           "年分の各画面のデータ、税理士名、印刷調整）をすべて削除して、" + folder +
                           " のバックアップから戻します。よろしいですか。";
    if (!staged.unusable.empty())
        question += "\n次の理由で、その人のデータは今のままにします。" + listUnusable(staged.unusable);
    if (!confirmed && !confirm("リストア", question))
        return false;
    if (guard.requested()) {
        ui().warn("リストア", "中断しました。" + std::string(unchanged));
        return false;
    }
    if (!commit(change, "リストア", unchanged))
        return false;
    changedClients(staged.clients);
    setProgress(0);
    display();
    ui().beep();
    if (!staged.unusable.empty()) {
        ui().warn("リストア",
                  "次の理由で、その人のデータは元のままにしました。" + listUnusable(staged.unusable));
        return false;
    }
    return true;
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
    if (!apartFromData(drive1.text, "相手ドライブのデータを削除") ||
        !finishEarlierChanges(drive1.text, "相手ドライブのデータを削除"))
        return;
    if (confirm("相手ドライブのデータを削除",
                describeFolder(drive1) + " にあるバックアップ（個人コード 1〜1000 の登録と" +
                    workingYearCode() +
                    "年分の各画面のデータ、税理士名、印刷調整）を削除します。よろしいですか。"))
        removeGroups(drive1.text, everyGroup(), Into::backup, "相手ドライブのデータを削除");
}

void DataManagementScreen::deleteLocalData() {
    nenGO();
    if (confirm("Cドライブのデータを削除",
                "いまのデータ（個人コード 1〜1000 の登録と" + workingYearCode() +
                    "年分の各画面のデータ、税理士名、印刷調整）をすべて削除します。よろしいですか。"))
        removeGroups(store().root(), everyGroup(), Into::data, "Cドライブのデータを削除");
}

void DataManagementScreen::backupOne() {
    nenGO();
    const auto code = readCode(text1.text).code;
    if (!code || drive3.text.empty() || !folderExists(drive3.text)) {
        ui().warn("バックアップ", "個人コードとバックアップ先のフォルダを選んで下さい。");
        return;
    }
    if (!fileExists(store().path(names::taxpayerFile(*code)))) {
        ui().warn("バックアップ", codeText(*code) + " の登録はありません。何もバックアップしていません。");
        return;
    }
    if (!apartFromData(drive3.text, "バックアップ") || !finishEarlierChanges(drive3.text, "バックアップ"))
        return;
    constexpr std::string_view unchanged = "前のバックアップはそのままです。";
    TreeReader reader(store().root());
    TreeChange change(drive3.text);
    if (stageSet(reader, change, setOf(*code), Into::backup, "バックアップ",
                 "次のファイルは使えないため、バックアップしませんでした。", unchanged))
        commit(change, "バックアップ", unchanged);
}

void DataManagementScreen::restoreOne() {
    nenGO();
    const auto code = readCode(text1.text).code;
    const DataStore source(drive3.text);
    if (!code || drive3.text.empty() || !fileExists(source.path(names::taxpayerFile(*code)))) {
        ui().warn("リストア", "選んだフォルダに、この個人コードのバックアップがありません。");
        return;
    }
    if (!apartFromData(drive3.text, "リストア") || !finishEarlierChanges(store().root(), "リストア") ||
        !finishEarlierChanges(drive3.text, "リストア"))
        return;
    constexpr std::string_view unchanged = "データは元のままです。";
    TreeReader reader(drive3.text);
    TreeChange change(store().root());
    if (!stageSet(reader, change, setOf(*code), Into::data, "リストア", "次の理由で、戻しませんでした。",
                  unchanged))
        return;
    std::string question = codeText(*code) + " のデータを " + drive3.text + " のバックアップで置き換えます。";
    if (!change.removals().empty()) {
        question += "バックアップにない次のファイルは削除します:";
        for (const std::string& name : change.removals())
            question += " " + name.substr(name.find('/') + 1);
        question += "。";
    }
    if (!confirm("リストア", question + "よろしいですか。"))
        return;
    if (!commit(change, "リストア", unchanged))
        return;
    changedClients({*code});
    display();
}

} // namespace kakutei
