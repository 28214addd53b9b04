#pragma once
// While a backup or a restore runs, SIGINT, SIGTERM and SIGHUP ask it to stop at the next file instead of
// ending the program in the middle of one: the operation then throws its unfinished work away and the
// data stays as it was.

#include <csignal>

namespace kakutei {

class InterruptGuard {
public:
    InterruptGuard();
    ~InterruptGuard(); // the handlers from before come back
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

    bool requested() const;

private:
    struct sigaction previous_[3];
};

} // namespace kakutei
