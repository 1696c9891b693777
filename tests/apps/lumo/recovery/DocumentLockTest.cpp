#include "apps/lumo/recovery/DocumentLock.h"

#include "tests/support/TempFolder.h"

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vel::lumo::test {
namespace {

using testing::TempFolder;

// A program started while the document is open (a file manager, a help viewer) must not keep
// the lock once the window lets go of it.
TEST(DocumentLockTest, AProgramStartedWhileTheLockIsHeldDoesNotKeepIt) {
    TempFolder folder;
    DocumentLock::Outcome outcome{};
    auto lock = DocumentLock::Take(folder.Path(), "/home/user/face.glw", outcome);
    ASSERT_TRUE(lock);
    // The program says when it runs: only then has it dropped what it must not keep.
    int ready[2];
    ASSERT_EQ(::pipe2(ready, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, ready[1], STDOUT_FILENO);
    char shell[] = "sh";
    char option[] = "-c";
    char script[] = "echo running; exec sleep 600";
    char* arguments[] = {shell, option, script, nullptr};
    pid_t child = 0;
    ASSERT_EQ(::posix_spawnp(&child, shell, &actions, nullptr, arguments, environ), 0);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(ready[1]);
    char running = 0;
    EXPECT_EQ(::read(ready[0], &running, 1), 1);
    ::close(ready[0]);
    lock.reset();
    EXPECT_TRUE(DocumentLock::Take(folder.Path(), "/home/user/face.glw", outcome));
    EXPECT_EQ(outcome, DocumentLock::Outcome::Taken);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
}

TEST(DocumentLockTest, AProgramThatIsKilledLetsGoOfItsFiles) {
    TempFolder folder;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        DocumentLock::Outcome outcome{};
        const auto lock = DocumentLock::Take(folder.Path(), "/home/user/face.glw", outcome);
        const char taken = lock ? 'y' : 'n';
        [[maybe_unused]] const auto written = ::write(ready[1], &taken, 1);
        ::pause();
        ::_exit(0);
    }
    char taken = 0;
    ASSERT_EQ(::read(ready[0], &taken, 1), 1);
    EXPECT_EQ(taken, 'y');
    DocumentLock::Outcome outcome{};
    EXPECT_FALSE(DocumentLock::Take(folder.Path(), "/home/user/../user/face.glw", outcome));
    EXPECT_EQ(outcome, DocumentLock::Outcome::HeldElsewhere);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(DocumentLock::Take(folder.Path(), "/home/user/face.glw", outcome));
    EXPECT_EQ(outcome, DocumentLock::Outcome::Taken);
    ::close(ready[0]);
    ::close(ready[1]);
}

} // namespace
} // namespace vel::lumo::test
