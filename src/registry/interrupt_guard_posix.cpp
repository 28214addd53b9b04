#include "registry/interrupt_guard.h"

#include <csignal>
#include <pthread.h>

namespace kakutei {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
volatile std::sig_atomic_t interrupted = 0;

void noteInterrupt(int) {
    interrupted = 1;
}

} // namespace

struct InterruptGuard::Saved {
    struct sigaction previous[3];
};

InterruptGuard::InterruptGuard() : saved_(std::make_unique<Saved>()) {
    interrupted = 0;
    struct sigaction action {};
    action.sa_handler = noteInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // reads and writes carry on; the loop looks at the flag between files
    for (int i = 0; i < 3; ++i) {
        ::sigaction(kSignals[i], nullptr, &saved_->previous[i]);
        // A signal the program was started to ignore (nohup) stays ignored.
        if (saved_->previous[i].sa_handler != SIG_IGN)
            ::sigaction(kSignals[i], &action, nullptr);
    }
}

InterruptGuard::~InterruptGuard() {
    for (int i = 0; i < 3; ++i)
        ::sigaction(kSignals[i], &saved_->previous[i], nullptr);
}

bool InterruptGuard::requested() const {
    return interrupted != 0;
}

// Blocked signals stay pending and arrive when the mask comes back.
struct InterruptsHeld::Saved {
    sigset_t previous;
};

InterruptsHeld::InterruptsHeld() : saved_(std::make_unique<Saved>()) {
    sigset_t held;
    sigemptyset(&held);
    for (int signal : kSignals)
        sigaddset(&held, signal);
    ::pthread_sigmask(SIG_BLOCK, &held, &saved_->previous);
}

InterruptsHeld::~InterruptsHeld() {
    ::pthread_sigmask(SIG_SETMASK, &saved_->previous, nullptr);
}

} // namespace kakutei
