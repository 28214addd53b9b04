// Marks on open clients: made with an exclusive create, said with who holds them, taken over only on
// purpose, never removed by a program whose mark was taken over, and taken back silently from a program
// that is gone from this computer.
#include "core/client_lock.h"

#include "temp_root.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace kakutei {
namespace {

using testing::TempRoot;

struct ClientLockFixture : ::testing::Test {
    TempRoot root;
    DataStore store{root.path()};
    ClientLockFixture() { store.ensureFolders(kYearCode); }
    std::string mark(PersonCode code) const { return store.path(names::lockFile(code)); }

    // A child process that marks `code` and then waits for a byte on `release` before it ends without
    // cleaning up, as a program that crashes would. It is ended when the test ends, whatever happens.
    struct Child {
        pid_t pid;
        int release;
        ~Child() { end(*this); }
    };
    Child markInChild(PersonCode code) {
        int ready[2], release[2];
        EXPECT_EQ(::pipe(ready), 0);
        EXPECT_EQ(::pipe(release), 0);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ClientLocks locks(store);
            const bool held = locks.open(code).held;
            char byte = held ? '1' : '0';
            (void)!::write(ready[1], &byte, 1);
            (void)!::read(release[0], &byte, 1);
            ::_exit(0); // no destructor: the mark stays behind
        }
        char byte = 0;
        EXPECT_EQ(::read(ready[0], &byte, 1), 1);
        EXPECT_EQ(byte, '1');
        ::close(ready[0]);
        ::close(ready[1]);
        ::close(release[0]);
        return {pid, release[1]};
    }
    static void end(Child& child) {
        if (child.release < 0)
            return;
        (void)!::write(child.release, "x", 1);
        ::close(child.release);
        child.release = -1;
        int status = 0;
        ::waitpid(child.pid, &status, 0);
    }
};

TEST_F(ClientLockFixture, AnotherProcessIsToldWhoHasTheClientAndSinceWhen) {
    Child child = markInChild(7);
    ClientLocks here(store);
    const ClientLocks::Attempt attempt = here.open(7);
    EXPECT_FALSE(attempt.held);
    ASSERT_TRUE(attempt.holder);
    EXPECT_EQ(attempt.holder->process, child.pid);
    EXPECT_EQ(attempt.holder->host, thisProgram().host);
    EXPECT_EQ(attempt.holder->user, thisProgram().user);
    EXPECT_LE(std::abs(attempt.holder->since - static_cast<std::int64_t>(std::time(nullptr))), 60);
    EXPECT_NE(describeHolder(*attempt.holder).find("プロセス " + std::to_string(child.pid)),
              std::string::npos);
    EXPECT_TRUE(here.open(8).held); // other clients are free

    // The other program ends without removing its mark (a crash): on this same computer it is taken over
    // without a word.
    end(child);
    EXPECT_TRUE(here.open(7).held);
    EXPECT_TRUE(here.holds(7));
}

TEST_F(ClientLockFixture, ATakenOverMarkIsNeitherStoredByNorRemovedByItsFormerHolder) {
    ClientLocks first(store);
    ClientLocks second(store); // same process: alive, so never stale
    ASSERT_TRUE(first.open(7).held);
    EXPECT_FALSE(second.open(7).held);
    ASSERT_TRUE(second.takeOver(7).held);
    EXPECT_FALSE(first.holds(7));
    EXPECT_FALSE(first.open(7).held); // the first now sees the second as the holder
    first.close(7);
    EXPECT_TRUE(std::filesystem::exists(mark(7)));
    EXPECT_TRUE(second.holds(7));
    second.close(7);
    EXPECT_FALSE(std::filesystem::exists(mark(7)));
}

// The former holder closes the client, or ends, without having looked again: what it removes is decided
// by the mark on the disk, not by its memory of having made one, so the new holder's mark stays.
TEST_F(ClientLockFixture, AMarkTakenOverSurvivesTheFormerHoldersCloseAndExit) {
    ClientLocks second(store);
    for (const bool byClosing : {true, false}) {
        SCOPED_TRACE(byClosing ? "close" : "exit");
        {
            ClientLocks first(store);
            ASSERT_TRUE(first.open(7).held);
            ASSERT_TRUE(second.takeOver(7).held);
            if (byClosing)
                first.close(7);
        }
        EXPECT_TRUE(std::filesystem::exists(mark(7)));
        EXPECT_TRUE(second.holds(7));
        second.close(7);
    }
}

TEST_F(ClientLockFixture, MarksFromAnotherComputerOrUnreadableOnesAreNeverTakenSilently) {
    ClientLocks here(store);
    ASSERT_TRUE(here.open(1).held); // makes the folder
    here.close(1);
    struct Case {
        const char* what;
        std::string bytes;
        const char* host;
    } cases[] = {
        // Process 1 is not ours to judge on another computer, whatever it is doing here.
        {"another computer", "\"office-2\"\r\n\"suzuki\"\r\n999999\r\n1100000000\r\n\"abc\"\r\n", "office-2"},
        {"cut short", "\"office-2\"\r\n", "?"},
    };
    for (const Case& c : cases) {
        root.writeBytes("所得税/使用中/7.lock", c.bytes);
        const ClientLocks::Attempt attempt = here.open(7);
        EXPECT_FALSE(attempt.held) << c.what;
        ASSERT_TRUE(attempt.holder) << c.what;
        EXPECT_EQ(attempt.holder->host, c.host) << c.what;
        EXPECT_EQ(root.readBytes("所得税/使用中/7.lock"), c.bytes) << c.what;
    }
    EXPECT_TRUE(here.takeOver(7).held);
}

TEST_F(ClientLockFixture, EveryMarkGoesWithTheProgram) {
    {
        ClientLocks here(store);
        ASSERT_TRUE(here.open(7).held);
        ASSERT_TRUE(here.open(8).held);
        EXPECT_TRUE(std::filesystem::exists(mark(8)));
    }
    EXPECT_FALSE(std::filesystem::exists(mark(7)));
    EXPECT_FALSE(std::filesystem::exists(mark(8)));
}

} // namespace
} // namespace kakutei
