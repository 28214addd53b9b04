#include "app/batch_commands.h"

#include "app/stream_user_interface.h"
#include "core/data_store.h"
#include "core/store_error.h"
#include "shell/app.h"
#include "shell/main_menu.h"

#include <ostream>
#include <string_view>

namespace kakutei {
namespace {

int listTaxpayers(App& app, std::ostream& out) {
    for (const std::string& entry : app.mainMenu().list1)
        out << entry << '\n';
    return kExitOk;
}

} // namespace

std::string usageLine() {
    return "使い方: kakutei [--root フォルダ]            画面を開く（ディスプレイが必要です）\n"
           "        kakutei [--root フォルダ] list       登録されている人の一覧を表示する";
}

CommandLine parseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (word == "--root") {
            if (i + 1 >= argc) {
                line.error = "--root の後にフォルダを指定して下さい。";
                return line;
            }
            line.root = argv[++i];
        } else if (word.starts_with("--root=")) {
            line.root = std::string(word.substr(7));
        } else if (word == "--yes") {
            line.yes = true;
        } else if (word == "--demo") {
            line.demo = true;
        } else if (word.starts_with("-") && word.size() > 1) {
            line.error = "知らないオプションです: " + std::string(word);
            return line;
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
    DataStore store(resolveRoot(line.root));
    StreamUserInterface ui(err, line.yes);
    App app(store, ui);
    if (line.command == "list" && line.arguments.empty()) {
        if (const auto error = store.ensureFolders(kYearCode)) {
            err << "データのフォルダを作れません: " << store.root() << ": " << describeError(error) << '\n';
            return kExitFailure;
        }
        app.start();
        return listTaxpayers(app, out);
    }
    err << "知らないコマンドです: " << line.command << '\n' << usageLine() << '\n';
    return kExitUsage;
}

} // namespace kakutei
