#pragma once
// Permissions stop nothing for root, and CI runs as root: a test of what an ordinary user meets runs that
// part of itself as one.

#include <functional>
#include <sys/types.h>
#include <vector>

namespace kakutei::testing {

// Runs `body` as user and group 65534 in a child process when the test runs as root (directly otherwise)
// and gives what it returned; -1 when the child could not become that user or did not end normally.
int exitStatusAsOrdinaryUser(const std::function<int()>& body);

// Runs `body` in a child process as user `uid` with primary group `gid` and the supplementary `groups`,
// under `umask`, and gives what it returned (-1 as above). Only root can do this: false in `possible`
// otherwise, and nothing runs.
int exitStatusAs(uid_t uid, gid_t gid, const std::vector<gid_t>& groups, mode_t umask,
                 const std::function<int()>& body, bool* possible = nullptr);

} // namespace kakutei::testing
