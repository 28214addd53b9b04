// What only Windows has: drive letters, and console events instead of signals.
#include "registry/drives.h"
#include "registry/interrupt_guard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <windows.h>

namespace kakutei {
namespace {

TEST(WindowsDrives, EveryDriveLetterButC) {
    const std::vector<std::string> volumes = mountedVolumes();
    const DWORD drives = ::GetLogicalDrives();
    std::vector<std::string> expected;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        if (letter != 'C' && (drives & (1u << (letter - 'A'))))
            expected.push_back(std::string(1, letter) + ":");
    EXPECT_EQ(volumes, expected);
    EXPECT_FALSE(expected.empty()) << "a Windows without a second drive letter shows nothing here";
}

// Ctrl+C from a console of this test's own, so that it reaches no other program.
bool ctrlC() {
    return ::GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0) != 0;
}

bool becomesTrue(const InterruptGuard& guard, std::chrono::milliseconds within) {
    const auto until = std::chrono::steady_clock::now() + within;
    while (!guard.requested() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return guard.requested();
}

TEST(WindowsInterrupts, CtrlCAsksAGuardedRunToStopOnceTheTreeIsWhole) {
    ::FreeConsole();
    if (!::AllocConsole())
        GTEST_SKIP() << "no console could be made to send Ctrl+C in";
    ::SetConsoleCtrlHandler(nullptr, FALSE); // Ctrl+C on, whatever this test was started with
    InterruptGuard guard;
    {
        const InterruptsHeld held;
        ASSERT_TRUE(ctrlC());
        EXPECT_FALSE(becomesTrue(guard, std::chrono::milliseconds(300)));
    }
    EXPECT_TRUE(becomesTrue(guard, std::chrono::seconds(5)));
    InterruptGuard next;
    EXPECT_FALSE(next.requested());
}

} // namespace
} // namespace kakutei
