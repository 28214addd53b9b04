#include "registry/interrupt_guard.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <windows.h>

// Windows calls a console's handlers on a thread of their own, and ends the program once they return for
// a closed console whatever they answer (or after some seconds if they do not). So one handler, installed
// once, waits there: for a tree to be whole again, and for a guarded backup or restore to stop at its next
// file. Ctrl+C that the program was started to ignore never reaches it.

namespace kakutei {
namespace {

struct Interrupts {
    std::mutex mutex;
    std::condition_variable changed;
    int held = 0;   // InterruptsHeld alive
    int guards = 0; // InterruptGuard alive
    std::atomic<bool> requested{false};
};

Interrupts& interrupts() {
    static Interrupts state;
    return state;
}

BOOL WINAPI onConsoleEvent(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    Interrupts& state = interrupts();
    std::unique_lock lock(state.mutex);
    state.changed.wait(lock, [&] { return state.held == 0; });
    if (state.guards == 0)
        return FALSE; // the next handler, in the end the one that ends the program
    state.requested = true;
    if (event == CTRL_CLOSE_EVENT)
        state.changed.wait(lock, [&] { return state.guards == 0; });
    return TRUE;
}

// One more or one fewer of what `counter` counts; whoever waits for it looks again.
void count(int Interrupts::*counter, int step) {
    Interrupts& state = interrupts();
    {
        const std::lock_guard lock(state.mutex);
        state.*counter += step;
    }
    state.changed.notify_all();
}

// Kept for the program's life: a handler taken away while it runs on its thread would pull the code from
// under it.
void installHandler() {
    static const bool installed = ::SetConsoleCtrlHandler(onConsoleEvent, TRUE) != 0;
    (void)installed;
}

} // namespace

struct InterruptGuard::Saved {};

InterruptGuard::InterruptGuard() {
    installHandler();
    interrupts().requested = false;
    count(&Interrupts::guards, 1);
}

InterruptGuard::~InterruptGuard() {
    count(&Interrupts::guards, -1);
}

bool InterruptGuard::requested() const {
    return interrupts().requested;
}

struct InterruptsHeld::Saved {};

InterruptsHeld::InterruptsHeld() {
    installHandler();
    count(&Interrupts::held, 1);
}

InterruptsHeld::~InterruptsHeld() {
    count(&Interrupts::held, -1);
}

} // namespace kakutei
