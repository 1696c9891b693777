#include "apps/lumo/shell/LumoCommandLine.h"

#include "apps/lumo/shell/UsageReport.h"

#include <QApplication>
#include <QMessageBox>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>

namespace vel::lumo {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

const std::vector<std::string> usageLines = {
    "lumo",
    "  An editor for producing gourdglowlight animations.",
    "",
    "SYNOPSIS:",
    "",
    "lumo [--animate=<list>] [--demo] [--fitted] [(--help|-?)] [--language=<english|any>] "
    "[--loops=<n>] [--maximize] "
    "[--minutes=<n>] [--output=<file>] [--render] [--screen=<n>] [--show] "
    "[--size=<width>x<height>] [--transcript=<text>] [<file-name>]",
    "",
    "OPTIONS:",
    "",
    "--animate=<list>",
    "  adds lip sync from the document's voice, blinks or candle flicker, as a comma-separated "
    "list "
    "of lipsync, blinks and flicker, and writes the document to --output without opening the "
    "window",
    "",
    "--demo",
    "  opens the main window at a standard size for making screen shots for the documentation",
    "",
    "--fitted",
    "  draws every frame that --render writes fitted to the pumpkin by the document's fit "
    "(default: unfitted)",
    "",
    "(--help|-?)",
    "  displays information about the command line",
    "",
    "--language=<english|any>",
    "  how --animate=lipsync reads the voice: english recognises the phonemes of English speech, "
    "any reads the mouth from the sound of a voice in any language (default: english)",
    "",
    "--loops=<n>",
    "  how many times --render plays the animation over (default: 1)",
    "",
    "--maximize",
    "  opens the main window maximized",
    "",
    "--minutes=<n>",
    "  loops the animation that --render writes on until the video plays for at least that many "
    "minutes, up to a day (default: --loops alone)",
    "",
    "--output=<file>",
    "  the video file that --render writes (default: the document's name with .mp4), or the "
    "document file that --animate writes",
    "",
    "--render",
    "  renders the document to an MP4 video without opening the window",
    "",
    "--screen=<n>",
    "  the screen --show plays on, counted from 1 (default: the one chosen last in the main "
    "window, else the first)",
    "",
    "--show",
    "  plays the document full screen in a loop, as on the projector, without opening the main "
    "window; Escape ends it",
    "",
    "--size=<width>x<height>",
    "  the picture size of the video that --render writes: 1920x1080, 1280x720, 1024x768, "
    "800x600, 1080x1920, 3840x2160 (default: 1920x1080); the face keeps its shape, with black "
    "bars where the size is narrower or taller",
    "",
    "--transcript=<text>",
    "  the words spoken in the document's voice, for --animate=lipsync",
    "",
    "ARGUMENTS:",
    "",
    "[<file-name>]",
    "  name of an existing gourdglowlight (.glw) file to open",
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(LumoCommandLineTest, UsageTextLineForLine) {
    const LumoCommandLine commandLine;
    const std::string usage = commandLine.GetUsage();
    EXPECT_THAT(Lines(usage), ElementsAreArray(usageLines));
    EXPECT_EQ(usage.back(), '\n');
}

TEST(LumoCommandLineTest, ReadsTheProgramsOwnOptionsAndFile) {
    LumoCommandLine commandLine;
    EXPECT_EQ(commandLine.program.value, "lumo.exe");
    EXPECT_TRUE(commandLine.Parse(std::vector<std::string>{"/usr/bin/lumo", "--maximize",
                                                           "--render", "/home/me/my pumpkin.glw"}));
    EXPECT_EQ(commandLine.program.value, "/usr/bin/lumo");
    EXPECT_TRUE(commandLine.maximize);
    EXPECT_TRUE(commandLine.render);
    EXPECT_FALSE(commandLine.demo);
    EXPECT_FALSE(commandLine.help);
    EXPECT_FALSE(commandLine.fitted);
    EXPECT_EQ(commandLine.fileName.value, "/home/me/my pumpkin.glw");
    EXPECT_TRUE(
        commandLine.Parse(std::vector<std::string>{"lumo", "--render", "--fitted", "a.glw"}));
    EXPECT_TRUE(commandLine.fitted);

    EXPECT_FALSE(commandLine.Parse(std::vector<std::string>{"lumo", "my", "pumpkin.glw"}));
    EXPECT_THAT(commandLine.GetErrors(),
                ElementsAre("unexpected positional argument 'pumpkin.glw'"));
}

TEST(LumoCommandLineTest, SizeTakesOnlyTheListedSizesAndSaysWhichTheyAre) {
    LumoCommandLine commandLine;
    ASSERT_TRUE(commandLine.Parse(std::vector<std::string>{"lumo", "--render", "a.glw"}));
    EXPECT_EQ(commandLine.size.Size(), VideoSize);
    ASSERT_TRUE(commandLine.Parse(
        std::vector<std::string>{"lumo", "--render", "--size=1080X1920", "--minutes=90", "a.glw"}));
    EXPECT_EQ(commandLine.size.Size(), (CanvasSize{1080, 1920}));
    EXPECT_EQ(commandLine.minutes.value, "90");
    EXPECT_THAT(commandLine.GetConflicts(), IsEmpty());

    for (const char* bad :
         {"1921x1080", "1920x1080x2", "big", "x", "1920 x 1080", "-800x600", "800x600 "}) {
        ASSERT_TRUE(commandLine.Parse(
            std::vector<std::string>{"lumo", "--render", std::string("--size=") + bad, "a.glw"}));
        EXPECT_THAT(commandLine.GetConflicts(),
                    ElementsAre("--size takes one of 1920x1080, 1280x720, 1024x768, 800x600, "
                                "1080x1920, 3840x2160, not '" +
                                std::string(bad) + "'"));
    }
    EXPECT_FALSE(commandLine.Parse(std::vector<std::string>{"lumo", "--size=", "a.glw"}));
}

TEST(LumoCommandLineTest, ShowTakesAScreenCountedFromOneAndNothingElse) {
    LumoCommandLine commandLine;
    EXPECT_TRUE(commandLine.Parse(std::vector<std::string>{"lumo", "--show", "a.glw"}));
    EXPECT_TRUE(commandLine.show);
    EXPECT_EQ(commandLine.screen.Number(), 0u);
    EXPECT_TRUE(
        commandLine.Parse(std::vector<std::string>{"lumo", "--show", "--screen=2", "a.glw"}));
    EXPECT_EQ(commandLine.screen.Number(), 2u);
    EXPECT_THAT(commandLine.GetConflicts(), IsEmpty());

    for (const std::string bad : {"0", "two", "-1", "", "1x", "99999999999"}) {
        LumoCommandLine wrong;
        EXPECT_FALSE(wrong.Parse(std::vector<std::string>{"lumo", "--show", "--screen=" + bad}));
        EXPECT_THAT(wrong.GetErrors(),
                    ElementsAre("'" + bad + "' is not a valid value for option --screen"));
    }

    LumoCommandLine alone;
    EXPECT_TRUE(alone.Parse(std::vector<std::string>{"lumo", "--screen=2", "a.glw"}));
    EXPECT_THAT(alone.GetConflicts(), ElementsAre("--screen goes with --show"));
    for (const std::string other : {"--render", "--animate=blinks"}) {
        LumoCommandLine both;
        EXPECT_TRUE(both.Parse(
            std::vector<std::string>{"lumo", "--show", other, "--output=b.glw", "a.glw"}));
        EXPECT_THAT(both.GetConflicts(),
                    testing::Contains("--show cannot be given with --render or --animate"));
    }
}

TEST(LumoCommandLineTest, HelpIsTheUsageAlone) {
    LumoCommandLine commandLine;
    commandLine.Parse(std::vector<std::string>{"lumo", "-?"});
    const UsageReport report(commandLine);
    EXPECT_FALSE(report.HasErrors());
    EXPECT_EQ(report.GetExitCode(), 0);
    EXPECT_EQ(report.GetText(), commandLine.GetUsage());
}

TEST(LumoCommandLineTest, ErrorsComeFirstThenAnEmptyLine) {
    LumoCommandLine commandLine;
    commandLine.Parse(std::vector<std::string>{"lumo", "--help", "--bogus", "-x"});
    const UsageReport report(commandLine);
    EXPECT_TRUE(report.HasErrors());
    EXPECT_EQ(report.GetExitCode(), 2);
    EXPECT_EQ(report.GetText(),
              "unrecognized option --bogus\nunrecognized option -x\n\n" + commandLine.GetUsage());
}

TEST(LumoCommandLineTest, MessageBoxShowsThePlainText) {
    int argc = 1;
    char name[] = "shell_tests";
    char* argv[] = {name, nullptr};
    const QApplication application(argc, argv);

    LumoCommandLine commandLine;
    commandLine.Parse(std::vector<std::string>{"lumo", "--help"});
    const auto helpBox = UsageReport(commandLine).CreateMessageBox();
    EXPECT_EQ(helpBox->windowTitle(), "Vellumar Gourdglowlight");
    EXPECT_EQ(helpBox->icon(), QMessageBox::Information);
    EXPECT_EQ(helpBox->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(helpBox->textFormat(), Qt::PlainText);
    EXPECT_EQ(helpBox->text().toStdString(), commandLine.GetUsage());

    commandLine.Parse(std::vector<std::string>{"lumo", "--bogus"});
    EXPECT_EQ(UsageReport(commandLine).CreateMessageBox()->icon(), QMessageBox::Critical);
}

} // namespace
} // namespace vel::lumo
