#pragma once
// Permissions stop nothing for root, and CI runs as root: a test of what an ordinary user meets runs that
// part of itself as one.

#include <functional>

namespace kakutei::testing {

// Runs `body` as user and group 65534 in a child process when the test runs as root (directly otherwise)
// and gives what it returned; -1 when the child could not become that user or did not end normally.
int exitStatusAsOrdinaryUser(const std::function<int()>& body);

} // namespace kakutei::testing
