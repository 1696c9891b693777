#include "apps/lumo/recovery/RecoveryRecord.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vel::lumo::test {
namespace {

TEST(RecoveryRecordTest, ComesBackAsWrittenAndRefusesAnythingLess) {
    RecoveryRecord record;
    record.document = "/home/user/odd\nname=1.glw";
    record.time = 1765000000;
    record.owner = ProcessIdentity::Current();
    const std::string text = record.ToText();
    const auto read = RecoveryRecord::Parse(text);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->document, record.document);
    EXPECT_EQ(read->time, record.time);
    EXPECT_EQ(read->owner, record.owner);
    for (size_t length = 0; length < text.size(); ++length) {
        EXPECT_FALSE(RecoveryRecord::Parse(text.substr(0, length))) << length;
    }
    EXPECT_FALSE(RecoveryRecord::Parse("lumo recovery copy 1\ntime=x\n"));
}

TEST(ProcessIdentityTest, TellsARunningProcessFromOneThatEnded) {
    EXPECT_TRUE(ProcessIdentity::Current().IsRunning());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::pause();
        ::_exit(0);
    }
    const ProcessIdentity identity = ProcessIdentity::Of(child);
    EXPECT_TRUE(identity.IsRunning());
    ProcessIdentity reused = identity;
    reused.started += 1;
    EXPECT_FALSE(reused.IsRunning()) << "another process that got the same id";
    ProcessIdentity earlierBoot = identity;
    earlierBoot.boot = "an earlier boot";
    EXPECT_FALSE(earlierBoot.IsRunning());
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_FALSE(identity.IsRunning());
}

} // namespace
} // namespace vel::lumo::test
