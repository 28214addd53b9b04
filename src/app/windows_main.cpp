// kakutei.exe on Windows: the commands with no window. The window program needs Qt, which this build
// leaves out; printing and the work sheet therefore say so instead of running.
#include "app/batch_commands.h"
#include "core/windows_text.h"

#include <iostream>
#include <string>
#include <vector>
#include <windows.h>

#include <shellapi.h>

namespace {

// The words as typed, in UTF-8 like every text of the program, whatever the console's code page.
std::vector<std::string> commandWords() {
    int count = 0;
    wchar_t** words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i)
        out.push_back(kakutei::utf8FromWide(words[i]));
    ::LocalFree(words);
    return out;
}

} // namespace

int main() {
    using namespace kakutei;
    // Every message is UTF-8; the console shows it as such.
    ::SetConsoleOutputCP(CP_UTF8);
    const std::vector<std::string> words = commandWords();
    std::vector<const char*> argv;
    for (const std::string& word : words)
        argv.push_back(word.c_str());
    const CommandLine line = parseCommandLine(static_cast<int>(argv.size()), argv.data());
    if (line.error.empty() && !line.help && !line.version) {
        if (line.command == "print" || line.command == "explain") {
            std::cerr
                << "kakutei: 「" << line.command
                << "」は Windows のコマンド版では使えません（画面と印刷には Qt 版の kakutei が必要です）。\n";
            return kExitFailure;
        }
        if (line.command.empty()) {
            std::cerr << "kakutei: Windows のコマンド版です。コマンドを付けて下さい（例: kakutei list）。\n";
            return kExitUsage;
        }
    }
    return runBatchCommand(line, std::cout, std::cerr);
}
