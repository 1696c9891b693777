#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/model/StandardKnobs.h"
#include "apps/lumo/shell/LumoCommandLine.h"
#include "apps/lumo/shell/RenderCommand.h"
#include "tests/support/TempFolder.h"
#include "tests/video/MediaProbe.h"

#include <QProcess>
#include <algorithm>
#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built program as a user would from a terminal-less machine: without any display,
// or with one that names no running server.
Outcome RunLumo(const QStringList& arguments, const QString& display = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    if (!display.isEmpty()) {
        environment.insert("DISPLAY", display);
    }
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

TEST(LumoProgram, UnreachableDisplayStillReportsAndExits) {
    const Outcome run = RunLumo({"--bogus"}, ":4093");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.rfind("unrecognized option --bogus\n\n" + LumoCommandLine().GetUsage(), 0),
              0U);
}

TEST(LumoProgram, TheEditorWithoutADisplaySaysSoInOneLine) {
    for (const QString& display : {QString(), QStringLiteral(":4093")}) {
        const Outcome run = RunLumo({"--maximize", "some file.glw"}, display);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("lumo: cannot open the window: ", 0), 0U) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

// A document of five frames with one lit triangle, in a fresh folder.
class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto document = LumoDocument::New();
        document->GetModel().InsertShape(
            0, Shape{Shape::CandleColor,
                     "Nose",
                     {Pose{KnobKey(), {{0, 0.5f}, {-0.3f, 0}, {0.3f, 0}}}}});
        document->SynchroniseTimeline();
        document->GetTimeline().SetAnchor(CandleLightnessKey, 5, 0.3f);
        ASSERT_TRUE(document->Save(PathOf("nose.glw")));
    }
    std::string PathOf(const char* name) const { return folder_ / name; }

    testing::TempFolder folder_;
};

TEST_F(RenderTest, WritesTheWholeAnimationBesideTheDocumentAndSaysWhere) {
    const Outcome run = RunLumo({"--render", QString::fromStdString(PathOf("nose.glw"))});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, PathOf("nose.mp4") + "\n");
    EXPECT_NE(run.err.find("frame 5 of 5, about 0:00 left\n"), std::string::npos);
    EXPECT_EQ(test::ProbeStream(PathOf("nose.mp4"), "v:0").at("nb_read_frames"), "5");
}

TEST_F(RenderTest, LoopsPlayTheAnimationOverAndMustBeACount) {
    const Outcome run =
        RunLumo({"--render", "--loops=3", QString::fromStdString(PathOf("nose.glw"))});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(test::ProbeStream(PathOf("nose.mp4"), "v:0").at("nb_read_frames"), "15");
    for (const char* loops : {"--loops=0", "--loops=2x", "--loops=-1", "--loops=4294967296"}) {
        const Outcome bad =
            RunLumo({"--render", loops, QString::fromStdString(PathOf("nose.glw"))});
        EXPECT_EQ(bad.exitCode, 1) << loops;
        EXPECT_EQ(bad.err, "lumo: --loops needs a whole number of at least 1\n") << loops;
    }
}

TEST_F(RenderTest, FailuresAreOneLineNamingTheFile) {
    Outcome run = RunLumo({"--render", QString::fromStdString(PathOf("missing.glw"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              PathOf("missing.glw") + ": cannot open the document: the file does not exist\n");

    run = RunLumo({"--render", QString::fromStdString("--output=" + PathOf("nose.glw")),
                   QString::fromStdString(PathOf("nose.glw"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, PathOf("nose.glw") + ": the video would replace the document itself\n");

    const std::string output = PathOf("no/such/folder.mp4");
    run = RunLumo({"--render", QString::fromStdString("--output=" + output),
                   QString::fromStdString(PathOf("nose.glw"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, output + ": cannot write the video: No such file or directory\n");
}

TEST(RenderCommand, DefaultVideoNameNeverIsTheDocument) {
    EXPECT_EQ(DefaultVideoName("/home/me/pumpkin.glw"), "/home/me/pumpkin.mp4");
    EXPECT_EQ(DefaultVideoName("pumpkin"), "pumpkin.mp4");
    EXPECT_EQ(DefaultVideoName("odd.mp4"), "odd.mp4.mp4");
}

} // namespace
} // namespace vel::lumo
