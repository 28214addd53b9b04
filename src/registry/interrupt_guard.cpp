#include "registry/interrupt_guard.h"

namespace kakutei {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
volatile std::sig_atomic_t interrupted = 0;

void noteInterrupt(int) {
    interrupted = 1;
}

} // namespace

InterruptGuard::InterruptGuard() {
    interrupted = 0;
    struct sigaction action {};
    action.sa_handler = noteInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // reads and writes carry on; the loop looks at the flag between files
    for (int i = 0; i < 3; ++i) {
        ::sigaction(kSignals[i], nullptr, &previous_[i]);
        // A signal the program was started to ignore (nohup) stays ignored.
        if (previous_[i].sa_handler != SIG_IGN)
            ::sigaction(kSignals[i], &action, nullptr);
    }
}

InterruptGuard::~InterruptGuard() {
    for (int i = 0; i < 3; ++i)
        ::sigaction(kSignals[i], &previous_[i], nullptr);
}

bool InterruptGuard::requested() const {
    return interrupted != 0;
}

} // namespace kakutei
