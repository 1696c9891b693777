#include "apps/lumo/shell/LumoCommandLine.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built program as a user would from a terminal-less machine: without any display.
Outcome RunLumo(const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(LUMO_EXECUTABLE, arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

TEST(LumoProgram, HelpPrintsTheUsageOnStandardOutput) {
    const Outcome run = RunLumo({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, LumoCommandLine().GetUsage());
    EXPECT_EQ(run.err, "");
}

TEST(LumoProgram, ErrorsGoToStandardErrorWithExitCode2) {
    const Outcome run = RunLumo({"--bogus"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "unrecognized option --bogus\n\n" + LumoCommandLine().GetUsage());
}

TEST(LumoProgram, ValidCommandLineExitsQuietly) {
    const Outcome run = RunLumo({"--maximize", "some file.glw"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
}

} // namespace
} // namespace vel::lumo
