#pragma once
// The commands that run the screens with no window: `kakutei [--root DIR] COMMAND …`.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace kakutei {

struct CommandLine {
    std::optional<std::string> root;
    bool help = false;    // --help, -h: the usage on stdout
    bool version = false; // --version
    bool yes = false;     // --yes answers questions with OK
    bool demo = false;
    int page = 0;                   // print: --page 1|2
    std::optional<std::string> pdf; // print: --pdf FILE or FOLDER
    bool officeForm = false;        // print: --office-form
    bool residentTax = false;       // print: --resident-tax
    bool a4Copy = false;            // print: --a4-copy
    bool all = false;               // recalc, print: --all, every registered taxpayer
    std::optional<std::string> csv; // roster, compare: --csv FILE
    std::string command;            // empty: the window program
    std::vector<std::string> arguments;
    std::string error; // set when the words could not be understood
};

CommandLine parseCommandLine(int argc, const char* const* argv);

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Runs a batch command, or answers --help and --version; `out` gets its output, `err` its messages
// ("title: body").
int runBatchCommand(const CommandLine& line, std::ostream& out, std::ostream& err);

class App;
class DataStore;
// Finishes a restore, backup, copy or deletion that a crash or a kill stopped half-way in the data folder,
// before anything reads it: no command reads a tree that is half old and half new. When one cannot be
// finished, says why on `err` and returns false.
bool finishInterruptedWork(const DataStore& store, std::ostream& err);
// Makes the year's data folders; when it cannot, says why on `err` and returns false.
bool prepareDataFolders(const DataStore& store, std::ostream& err);
// The code given on the command line, if it names a registered taxpayer; otherwise says why on `err`.
std::optional<std::int16_t> registeredCode(const DataStore& store, const std::string& word,
                                           std::ostream& err);
// The codes the command names: every registered taxpayer with --all, otherwise each word that names one
// (the others are named on `err` and set `failed`).
std::vector<std::int16_t> codesToProcess(const CommandLine& line, const DataStore& store, std::ostream& err,
                                         bool& failed);

// One line that says how to start the program.
std::string usageLine();

// "kakutei" and the version it was built as.
std::string versionLine();

} // namespace kakutei
