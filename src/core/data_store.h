#pragma once
// Where every file lives. The program names its files as it always has ("c:\所得税\個人名\7.txt"); drive C
// is a root folder, and path() is the one place that turns such a name into a path below it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace kakutei {

using PersonCode = std::int16_t;

inline constexpr std::string_view kYearCode = "H16";
inline constexpr std::string_view kPreviousYearCode = "H14";

namespace names {
inline constexpr std::string_view baseFolder = "c:\\所得税\\";
inline constexpr std::string_view personFolder = "c:\\所得税\\個人名\\";
inline constexpr std::string_view taxAccountantFile = "c:\\所得税\\税理士名.txt";
inline constexpr std::string_view printSettingsFile = "c:\\所得税\\印刷要領.txt";
inline constexpr std::string_view companionPersonFolder = "c:\\年末調整\\個人名\\";

std::string yearDataFolder(std::string_view yearCode);
std::string taxpayerFile(PersonCode code);
// The screen file of screen k; nullopt when code × 10 + k overflows a 16-bit number.
std::optional<std::string> screenFile(PersonCode code, int k, std::string_view yearCode);
std::optional<std::string> housingLoanFile(PersonCode code, std::string_view yearCode);
// Screen file k for k = 1 to 5, the housing loan file for k = 6.
std::optional<std::string> recordFile(PersonCode code, int k, std::string_view yearCode);
std::string companionTaxAccountantFile(std::string_view yearCode);
} // namespace names

// --root, else $KAKUTEI_ROOT, else the platform's own place: $XDG_DATA_HOME/kakutei or ~/.local/share/kakutei
// on Linux, the real drive C on Windows.
std::string resolveRoot(std::optional<std::string> commandLineRoot);

// What the program keeps of the clients other workstations may have open, and of the windows bound to each
// client. The window program and the commands install one; core/client_gate.h asks it.
class ClientGate {
public:
    virtual ~ClientGate() = default;
    // Why the client's files must not change now because another program has the client open; nothing
    // when they may.
    virtual std::optional<std::string> openElsewhereRefusal(PersonCode code) = 0;
    // After a change to the client's files that its own windows did not make (a delete, a restore, a code
    // change): the windows bound to the client reload.
    virtual void changed(PersonCode code) = 0;
};

class DataStore {
public:
    explicit DataStore(std::string root);

    const std::string& root() const { return root_; }
    std::string path(std::string_view windowsName) const;

    // The start-up's folder check: the root itself, then BaseFolder with PersonFolder, then the year folder.
    std::error_code ensureFolders(std::string_view yearCode) const;
    // Removes the temporary files of writes that a crash or a power cut interrupted, once they are an hour
    // old: the files they were to replace are whole.
    void removeInterruptedWrites(std::string_view yearCode) const;
    // BaseFolder and PersonFolder only, as registration and backup need them.
    std::error_code ensureBaseFolders() const;

    // Every change to a client's files asks the gate (core/client_gate.h); without one, no other program is
    // known to have anyone open.
    void setClientGate(ClientGate* gate) { gate_ = gate; }
    ClientGate* clientGate() const { return gate_; }

private:
    std::string root_;
    ClientGate* gate_ = nullptr;
};

} // namespace kakutei
