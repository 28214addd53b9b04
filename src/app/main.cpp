// kakutei: the window program, or with a command word the same screens with no window.
#include "app/batch_commands.h"
#include "core/data_store.h"
#include "ui/print_command.h"
#include "ui/window_program.h"

#include <iostream>

int main(int argc, char** argv) {
    using namespace kakutei;
    const CommandLine line = parseCommandLine(argc, argv);
    if (line.command == "print" && line.error.empty())
        return runPrintCommand(line, std::cout, std::cerr);
    if (!line.command.empty() || !line.error.empty())
        return runBatchCommand(line, std::cout, std::cerr);
    if (!displayAvailable()) {
        std::cerr << "kakutei: 画面（ディスプレイ）が見つからないため開けません。デスクトップから起動するか、"
                     "画面なしで使うときはコマンドを付けて下さい（例: kakutei list）。\n";
        return kExitFailure;
    }
    return runWindowProgram(argc, argv, resolveRoot(line.root));
}
