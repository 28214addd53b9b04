// kakutei.exe on Windows: the commands with no window. The window program needs Qt, which this build
// leaves out; printing and the work sheet's PDF therefore say so instead of running.
#include "app/batch_commands.h"
#include "app/explain_command.h"
#include "core/windows_text.h"
#include "ui/print_output.h"

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

// `explain` writes its text without any print output; only --pdf would need one, and that is refused first.
class NoPrintOutput : public kakutei::PrintOutput {
public:
    std::unique_ptr<kakutei::PrintSurface> printer(const kakutei::OutputGate&) override { return nullptr; }
    std::unique_ptr<kakutei::PrintSurface> pdfFile(const kakutei::OutputGate&, const std::string&) override {
        return nullptr;
    }
    std::unique_ptr<kakutei::PrintSurface> pdfFolder(const kakutei::OutputGate&,
                                                     const std::string&) override {
        return nullptr;
    }
    std::error_code workSheet(const kakutei::OutputGate&, const kakutei::Explanation&,
                              const std::string&) override {
        return std::make_error_code(std::errc::not_supported);
    }
};

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
        if (line.command == "print" || (line.command == "explain" && line.pdf)) {
            std::cerr << "kakutei: " << (line.command == "print" ? "印刷" : "計算明細書の PDF")
                      << "は Windows のコマンド版ではできません（印刷には Qt 版の kakutei が必要です）。\n";
            return kExitFailure;
        }
        if (line.command == "explain") {
            NoPrintOutput output;
            return runExplainCommand(line, output, std::cout, std::cerr);
        }
        if (line.command.empty()) {
            std::cerr << "kakutei: Windows のコマンド版です。コマンドを付けて下さい（例: kakutei list）。\n";
            return kExitUsage;
        }
    }
    return runBatchCommand(line, std::cout, std::cerr);
}
