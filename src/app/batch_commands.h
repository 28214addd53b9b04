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
    bool yes = false; // --yes answers questions with OK
    bool demo = false;
    int page = 0;                   // print: --page 1|2
    std::optional<std::string> pdf; // print: --pdf FILE or FOLDER
    bool officeForm = false;        // print: --office-form
    bool residentTax = false;       // print: --resident-tax
    bool a4Copy = false;            // print: --a4-copy
    std::string command;            // empty: the window program
    std::vector<std::string> arguments;
    std::string error; // set when the words could not be understood
};

CommandLine parseCommandLine(int argc, const char* const* argv);

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Runs a batch command; `out` gets its output, `err` its messages ("title: body").
int runBatchCommand(const CommandLine& line, std::ostream& out, std::ostream& err);

class App;
class DataStore;
// Makes the year's data folders; when it cannot, says why on `err` and returns false.
bool prepareDataFolders(const DataStore& store, std::ostream& err);
// The code given on the command line, if it names a registered taxpayer; otherwise says why on `err`.
std::optional<std::int16_t> registeredCode(const DataStore& store, const std::string& word,
                                           std::ostream& err);
// What `recalc` does for one taxpayer, as a user at the main menu would: call up, open the income,
// deductions (1), personal deductions and breakdown screens pressing each one's 計算実行, then 税額の計算.
// Stops at the first save that fails and gives that file: the tax is never worked out from a stale one.
std::optional<std::string> recalculateReturn(App& app, std::int16_t code);

// One line that says how to start the program.
std::string usageLine();

} // namespace kakutei
