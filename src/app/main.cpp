// kakutei: the window program, or with a command word the same screens with no window.
#include "app/batch_commands.h"
#include "app/demo_data.h"
#include "app/explain_command.h"
#include "app/print_command.h"
#include "core/data_store.h"
#include "ui/print_output.h"
#include "ui/window_program.h"

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    using namespace kakutei;
    const CommandLine line = parseCommandLine(argc, argv);
    // Bad words, --help and --version are answered before anything opens.
    if (!line.error.empty() || line.help || line.version)
        return runBatchCommand(line, std::cout, std::cerr);
    if (line.command == "print")
        return runPrintCommand(line, *qtPrintOutput(), std::cout, std::cerr);
    if (line.command == "explain")
        return runExplainCommand(line, *qtPrintOutput(), std::cout, std::cerr);
    if (!line.command.empty())
        return runBatchCommand(line, std::cout, std::cerr);
    if (!displayAvailable()) {
        std::cerr << "kakutei: 画面（ディスプレイ）が見つからないため開けません。デスクトップから起動するか、"
                     "画面なしで使うときはコマンドを付けて下さい（例: kakutei list）。\n";
        return kExitFailure;
    }
    if (line.demo) {
        // A copy of its own in a temporary folder: the user's data is never touched.
        char folder[] = "/tmp/kakutei-demo-XXXXXX";
        if (!::mkdtemp(folder) || !createDemoData(folder)) {
            std::cerr << "kakutei: 見本のデータを作れませんでした。\n";
            return kExitFailure;
        }
        std::cerr << "kakutei: 見本のデータで開きます（" << folder << "）。あなたのデータには触れません。\n";
        return runWindowProgram(argc, argv, folder);
    }
    return runWindowProgram(argc, argv, resolveRoot(line.root));
}
