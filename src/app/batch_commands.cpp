#include "app/batch_commands.h"

#include "app/check_command.h"
#include "app/compare_command.h"
#include "app/roster_command.h"
#include "app/stream_user_interface.h"
#include "core/data_store.h"
#include "core/person_code.h"
#include "core/record.h"
#include "core/store_error.h"
#include "core/stored_record.h"
#include "core/taxpayer_record.h"
#include "registry/data_management_screen.h"
#include "registry/tree_change.h"
#include "shell/app.h"
#include "shell/main_menu.h"
#include "shell/office_batch.h"
#include "tax/tax_computation_screen.h"

#include <optional>
#include <ostream>
#include <string_view>

namespace kakutei {
namespace {

// The main menu's list, a damaged registration in it with its mark; the file and why go to `err`.
int listTaxpayers(App& app, std::ostream& out, std::ostream& err) {
    for (const std::string& entry : app.mainMenu().list1)
        out << entry << '\n';
    int status = kExitOk;
    for (PersonCode code : registeredCodes(app.store())) {
        const TaxpayerRead read = readTaxpayerRecord(app.store(), code);
        if (read.readable())
            continue;
        err << unreadableText(read.path, read.check) << '\n';
        status = kExitFailure;
    }
    return status;
}

} // namespace

bool finishInterruptedWork(const DataStore& store, std::ostream& err) {
    const Recovery recovery = finishInterruptedChanges(store.root());
    if (!recovery.error)
        return true;
    err << store.root()
        << " には、途中で止まった前回のバックアップ、リストアなどが残っていて、最後まで済ませられません。"
        << describeError(recovery.error) << "データは読んでいません。\n";
    return false;
}

bool prepareDataFolders(const DataStore& store, std::ostream& err) {
    if (const auto error = store.ensureFolders(kYearCode)) {
        err << "データのフォルダを作れません: " << store.root() << ": " << describeError(error) << '\n';
        return false;
    }
    return true;
}

std::optional<PersonCode> registeredCode(const DataStore& store, const std::string& word, std::ostream& err) {
    const CodeReading code = readCode(word);
    if (!code.code) {
        err << "個人コードが読めません: " << word << '\n';
        return std::nullopt;
    }
    // A damaged registration is the command's to report, with the file and why: it is no unknown code.
    if (!readTaxpayerRecord(store, *code.code).registered()) {
        err << "個人コード " << *code.code << " は登録されていません。\n";
        return std::nullopt;
    }
    return code.code;
}

std::vector<PersonCode> codesToProcess(const CommandLine& line, const DataStore& store, std::ostream& err,
                                       bool& failed) {
    if (line.all)
        return registeredCodes(store);
    std::vector<PersonCode> codes;
    for (const std::string& word : line.arguments) {
        if (const auto code = registeredCode(store, word, err))
            codes.push_back(*code);
        else
            failed = true;
    }
    return codes;
}

namespace {

int recalculateAll(App& app, const CommandLine& line, std::ostream& err, StreamUserInterface& ui) {
    bool failed = false;
    const std::vector<PersonCode> codes = codesToProcess(line, app.store(), err, failed);
    const BatchSummary summary = runOfficeBatch(app, OfficeJob::recalculate, codes);
    for (const BatchOutcome& outcome : summary.outcomes)
        if (outcome.result != BatchResult::done)
            err << outcome.who << ": " << outcome.reason << '\n';
    failed = failed || summary.count(BatchResult::done) != summary.outcomes.size();
    return failed || ui.warned() ? kExitFailure : kExitOk;
}

int showReturn(App& app, const std::string& word, std::ostream& out, std::ostream& err) {
    const auto code = registeredCode(app.store(), word, err);
    if (!code)
        return kExitFailure;
    for (int k : {1, 5}) {
        const auto name = names::screenFile(*code, k, kYearCode);
        const std::string path = name ? app.store().path(*name) : std::string();
        const StoredCheck stored = name ? readRecordFile(path, screenRecordSchema(k)).check : StoredCheck{};
        if (stored.state == StoredState::unreadable) {
            err << unreadableText(path, stored) << '\n';
            return kExitFailure;
        }
        if (stored.state == StoredState::missing) {
            err << "個人コード " << *code << " の" << (k == 1 ? "所得金額" : "税額の計算")
                << "がまだありません（" << path << "）。kakutei recalc " << *code << " で計算できます。\n";
            return kExitFailure;
        }
    }
    auto* tax = app.screenAs<TaxComputationScreen>(ScreenId::taxComputation);
    tax->text60.text = std::to_string(*code);
    tax->data();
    for (const tax_computation::Line& line : tax_computation::kLines) {
        out << line.number << '\t' << line.caption;
        if (!line.secondLine.empty())
            out << ' ' << line.secondLine;
        out << '\t' << tax->line(line.number).text << '\n';
    }
    return kExitOk;
}

} // namespace

std::string usageLine() {
    return "使い方: kakutei [--root フォルダ]                    画面を開く（ディスプレイが必要です）\n"
           "        kakutei --help | --version                   この使い方 / 版を表示する\n"
           "        kakutei [--root フォルダ] list               登録されている人の一覧を表示する\n"
           "        kakutei [--root フォルダ] recalc コード…|--all  各画面の計算実行と税額の計算をする\n"
           "        kakutei [--root フォルダ] show コード        税額の計算（９〜53 欄）を表示する\n"
           "        kakutei [--root フォルダ] check コード       申告前チェック（印刷の前に直すところ）\n"
           "        kakutei [--root フォルダ] print コード…|--all --page 1|2 [--office-form] "
           "[--resident-tax]\n"
           "                [--a4-copy] [--pdf ファイル|フォルダ]      申告書を印刷する\n"
           "        kakutei [--root フォルダ] roster [--csv ファイル]  顧客一覧を表示する（CSV に書き出す）\n"
           "        kakutei [--root フォルダ] compare コード [--csv ファイル]  前年比較（９〜53 欄）\n"
           "        kakutei [--root フォルダ] explain コード [--pdf ファイル]  "
           "計算明細書（各欄の計算の過程）を表示する（PDF に保存する）\n"
           "        kakutei [--root フォルダ] backup フォルダ    全データをフォルダへバックアップする\n"
           "        kakutei [--root フォルダ] restore フォルダ --yes   "
           "フォルダのバックアップから全データを戻す";
}

std::string versionLine() {
    return "kakutei " KAKUTEI_VERSION;
}

CommandLine parseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    const auto valueOf = [&](int& i, std::string_view word,
                             std::string_view name) -> std::optional<std::string> {
        if (word.starts_with(std::string(name) + "="))
            return std::string(word.substr(name.size() + 1));
        if (word != name)
            return std::nullopt;
        if (i + 1 >= argc) {
            line.error = std::string(name) + " の後に値を指定して下さい。";
            return std::string();
        }
        return std::string(argv[++i]);
    };
    for (int i = 1; i < argc && line.error.empty(); ++i) {
        const std::string_view word = argv[i];
        if (auto root = valueOf(i, word, "--root")) {
            line.root = *root;
        } else if (auto csv = valueOf(i, word, "--csv")) {
            line.csv = *csv;
        } else if (auto pdf = valueOf(i, word, "--pdf")) {
            line.pdf = *pdf;
        } else if (auto page = valueOf(i, word, "--page")) {
            line.page = *page == "1" ? 1 : *page == "2" ? 2 : -1;
            if (line.page < 0 && line.error.empty())
                line.error = "--page は 1 か 2 です: " + *page;
        } else if (word == "--help" || word == "-h") {
            line.help = true;
        } else if (word == "--version") {
            line.version = true;
        } else if (word == "--yes") {
            line.yes = true;
        } else if (word == "--all") {
            line.all = true;
        } else if (word == "--demo") {
            line.demo = true;
        } else if (word == "--office-form") {
            line.officeForm = true;
        } else if (word == "--resident-tax") {
            line.residentTax = true;
        } else if (word == "--a4-copy") {
            line.a4Copy = true;
        } else if (word.starts_with("-") && word.size() > 1) {
            line.error = "知らないオプションです: " + std::string(word);
        } else if (line.command.empty()) {
            line.command = word;
        } else {
            line.arguments.emplace_back(word);
        }
    }
    return line;
}

int runBatchCommand(const CommandLine& line, std::ostream& out, std::ostream& err) {
    if (!line.error.empty()) {
        err << line.error << '\n' << usageLine() << '\n';
        return kExitUsage;
    }
    if (line.help || line.version) {
        out << (line.help ? usageLine() : versionLine()) << '\n';
        return kExitOk;
    }
    const std::size_t arguments = line.arguments.size();
    const bool known =
        (line.command == "list" && arguments == 0) ||
        (line.command == "recalc" && (arguments > 0) != line.all) ||
        (line.command == "show" && arguments == 1) || (line.command == "backup" && arguments == 1) ||
        (line.command == "restore" && arguments == 1) || (line.command == "roster" && arguments == 0) ||
        (line.command == "check" && arguments == 1) || (line.command == "compare" && arguments == 1);
    if (!known) {
        err << "知らないコマンドです: " << line.command << '\n' << usageLine() << '\n';
        return kExitUsage;
    }
    DataStore store(resolveRoot(line.root));
    if (!finishInterruptedWork(store, err))
        return kExitFailure;
    if (line.command == "check") // reads only: it makes no folder either
        return runCheckCommand(store, line.arguments.front(), out, err);
    if (line.command == "compare") // reads only, like check
        return runCompareCommand(store, line.arguments.front(), line.csv, out, err);
    if (!prepareDataFolders(store, err))
        return kExitFailure;
    if (line.command == "roster")
        return runRosterCommand(store, line.csv, out, err);
    StreamUserInterface ui(err, line.yes);
    App app(store, ui);
    app.start();
    if (line.command == "list")
        return listTaxpayers(app, out, err);
    if (line.command == "recalc")
        return recalculateAll(app, line, err, ui);
    if (line.command == "backup" || line.command == "restore") {
        auto* data = app.screenAs<DataManagementScreen>(ScreenId::dataManagement);
        data->nenGO();
        const bool done = line.command == "backup" ? data->backupTo(line.arguments.front())
                                                   : data->restoreFrom(line.arguments.front(), line.yes);
        return done ? kExitOk : kExitFailure;
    }
    return showReturn(app, line.arguments.front(), out, err);
}

} // namespace kakutei
