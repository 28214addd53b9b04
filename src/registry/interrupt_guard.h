#pragma once
// Interrupts (SIGINT, SIGTERM and SIGHUP; on Windows Ctrl+C, Ctrl+Break and closing the console) never
// end the program while the data is between two states. One file per platform: interrupt_guard_posix.cpp
// and interrupt_guard_windows.cpp.

#include <memory>

namespace kakutei {

// While a backup or a restore runs, an interrupt asks it to stop at the next file instead of ending the
// program in the middle of one: the operation then throws its unfinished work away and the data stays as
// it was.
class InterruptGuard {
public:
    InterruptGuard();
    ~InterruptGuard(); // what an interrupt did before comes back
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

    bool requested() const;

private:
    struct Saved;
    std::unique_ptr<Saved> saved_;
};

// Holds interrupts back while a tree is between two states; they take effect once it is whole again.
class InterruptsHeld {
public:
    InterruptsHeld();
    ~InterruptsHeld();
    InterruptsHeld(const InterruptsHeld&) = delete;
    InterruptsHeld& operator=(const InterruptsHeld&) = delete;

private:
    struct Saved;
    std::unique_ptr<Saved> saved_;
};

} // namespace kakutei
