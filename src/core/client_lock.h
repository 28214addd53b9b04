#pragma once
// Marks on the clients a program has open, so that two workstations on one shared data folder never store
// over each other. A mark is a file "c:\所得税\使用中\<code>.lock" made with an exclusive create (no
// byte-range locks, which network shares do not all honour), holding who made it: the computer, the user,
// the process and the time. A mark left by a program that is gone from this same computer is taken over
// silently; one from another computer is shown, and the user decides.

#include "core/data_store.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <system_error>

namespace kakutei {

namespace names {
inline constexpr std::string_view lockFolder = "c:\\所得税\\使用中\\";
std::string lockFile(PersonCode code);
} // namespace names

struct LockHolder {
    std::string host;
    std::string user;
    std::int64_t process = 0;
    std::int64_t since = 0; // seconds since 1970
    std::string token;      // tells this program's marks from the others'
};

// "山田（コンピューター office-2、プロセス 4711）が 2026/12/10 15:49 から"
std::string describeHolder(const LockHolder& holder);

// Who this program is, as its marks say.
LockHolder thisProgram();

class ClientLocks {
public:
    ClientLocks(const DataStore& store, LockHolder self = thisProgram());
    ~ClientLocks(); // removes every mark this program still holds
    ClientLocks(const ClientLocks&) = delete;
    ClientLocks& operator=(const ClientLocks&) = delete;

    struct Attempt {
        bool held = false;                // the client is marked as open here
        std::optional<LockHolder> holder; // who has it open instead
        std::error_code error;            // the mark could be neither made nor read
    };
    // Marks the client as open here, unless another program has it open. A mark of this program's that
    // another took over since is not ours any more.
    Attempt open(PersonCode code);
    // Replaces the other program's mark with ours: that program can no longer store.
    Attempt takeOver(PersonCode code);
    // Removes our mark, and only ours.
    void close(PersonCode code);
    // Whether the mark on the file is still ours.
    bool holds(PersonCode code) const;
    // Who else has the client open, by looking only: no mark is made. A mark this program made, or one left
    // by a program of this computer that is gone, is nobody's.
    std::optional<LockHolder> holderOf(PersonCode code) const;

private:
    std::optional<LockHolder> readMark(PersonCode code, std::error_code& error) const;
    std::error_code writeMark(PersonCode code);
    const DataStore& store_;
    LockHolder self_;
    std::map<PersonCode, std::string> held_; // code → token of our mark
};

} // namespace kakutei
