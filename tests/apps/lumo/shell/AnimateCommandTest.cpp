#include "apps/lumo/shell/AnimateCommand.h"

#include "apps/lumo/animate/StandardKeys.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/model/StandardKnobs.h"
#include "apps/lumo/shell/LumoCommandLine.h"
#include "apps/lumo/shell/UsageReport.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kExample = LUMO_EXAMPLE;

std::vector<std::string> Conflicts(const std::vector<std::string>& words) {
    LumoCommandLine commandLine;
    EXPECT_TRUE(commandLine.Parse(words));
    return commandLine.GetConflicts();
}

TEST(AnimateCommandTest, TheListOfAnimationsTakesOnlyKnownWordsAndNeedsAnOutput) {
    EXPECT_THAT(Conflicts({"lumo", "--animate=lipsync,blinks,flicker", "a.glw", "--output=b.glw",
                           "--transcript=Boo!"}),
                IsEmpty());
    EXPECT_THAT(Conflicts({"lumo", "--animate=blinks", "a.glw"}),
                ElementsAre("--animate needs --output=<file> to name the document it writes"));
    EXPECT_THAT(Conflicts({"lumo", "--animate=blinks", "--render", "a.glw", "--output=b.glw"}),
                ElementsAre("--animate and --render cannot be given together"));
    EXPECT_THAT(Conflicts({"lumo", "--transcript=Boo!", "a.glw"}),
                ElementsAre("--transcript goes with --animate=lipsync"));
    EXPECT_THAT(
        Conflicts({"lumo", "--animate=lipsync", "a.glw", "--output=b.glw", "--transcript=1 2 3"}),
        ElementsAre("--transcript holds no word: give the words the voice says"));
    EXPECT_THAT(
        Conflicts({"lumo", "--animate=lipsync", "a.glw", "--output=b.glw", "--transcript= "}),
        IsEmpty());

    for (const char* list :
         {"--animate=blinks,wink", "--animate=", "--animate=blinks,", "--animate=Blinks"}) {
        LumoCommandLine commandLine;
        EXPECT_FALSE(
            commandLine.Parse(std::vector<std::string>{"lumo", list, "a.glw", "--output=b.glw"}));
        const std::string value = std::string(list).substr(10);
        EXPECT_THAT(commandLine.GetErrors(),
                    ElementsAre("'" + value + "' is not a valid value for option --animate"));
        EXPECT_EQ(UsageReport(commandLine).GetExitCode(), 2);
    }
    LumoCommandLine commandLine;
    commandLine.Parse(std::vector<std::string>{"lumo", "--animate=flicker", "a.glw"});
    const UsageReport report(commandLine, commandLine.GetConflicts());
    EXPECT_EQ(report.GetExitCode(), 2);
    EXPECT_EQ(report.GetText().rfind("--animate needs --output=<file>", 0), 0u);
}

// English is recognised unless the voice is to be read in any language, and
// the spoken text, English alone, does not go with that.
TEST(AnimateCommandTest, LipSyncReadsEnglishOrAnyLanguage) {
    const auto lipSync = [](const std::vector<std::string>& words) {
        LumoCommandLine commandLine;
        EXPECT_TRUE(commandLine.Parse(words));
        EXPECT_THAT(commandLine.GetConflicts(), IsEmpty());
        return commandLine.LipSync();
    };
    EXPECT_TRUE(lipSync({"lumo", "--animate=lipsync", "a.glw", "--output=b.glw"}).useRecogniser);
    EXPECT_TRUE(lipSync({"lumo", "--animate=lipsync", "a.glw", "--output=b.glw",
                         "--language=english", "--transcript=Boo!"})
                    .useRecogniser);
    EXPECT_FALSE(lipSync({"lumo", "--animate=lipsync", "a.glw", "--output=b.glw", "--language=any"})
                     .useRecogniser);
    EXPECT_THAT(Conflicts({"lumo", "--language=any", "a.glw"}),
                ElementsAre("--language goes with --animate=lipsync"));
    EXPECT_THAT(Conflicts({"lumo", "--animate=lipsync", "a.glw", "--output=b.glw", "--language=any",
                           "--transcript=Hola"}),
                ElementsAre("--transcript is read as English: it does not go with "
                            "--language=any"));
    for (const char* language : {"--language=spanish", "--language=", "--language=Any"}) {
        LumoCommandLine commandLine;
        EXPECT_FALSE(commandLine.Parse(std::vector<std::string>{
            "lumo", "--animate=lipsync", language, "a.glw", "--output=b.glw"}));
        const std::string value = std::string(language).substr(11);
        EXPECT_THAT(commandLine.GetErrors(),
                    ElementsAre("'" + value + "' is not a valid value for option --language"));
        EXPECT_EQ(UsageReport(commandLine).GetExitCode(), 2);
    }
}

std::size_t AnchorCount(const LumoDocument& document, const KnobKey& key) {
    const KnobTrack* track = document.GetTimeline().FindTrack(key);
    return track ? track->GetAnchors().size() : 0;
}

TEST(AnimateCommandTest, WritesTheAnimatedDocumentAndLeavesTheSourceAlone) {
    vel::testing::TempFolder folder;
    const std::string source = folder / "pumpkin.glw";
    std::filesystem::copy_file(kExample, source);
    const auto before = std::filesystem::last_write_time(source);
    const std::string output = folder / "auto.glw";
    ASSERT_EQ(AnimateCommand(source, "lipsync,blinks,flicker", output, {}), 0);
    EXPECT_EQ(std::filesystem::last_write_time(source), before);

    core::FileError error;
    const auto original = LumoDocument::Open(source, error);
    const auto animated = LumoDocument::Open(output, error);
    ASSERT_TRUE(original && animated);
    EXPECT_FALSE(animated->IsModified());
    // Lip sync added the wide mouth, which the example has no knob for.
    EXPECT_FALSE(original->GetModel().HasKnob(MouthWideKey));
    EXPECT_TRUE(animated->GetModel().HasKnob(MouthWideKey));
    const double seconds = animated->GetFrameCount() / 29.97;
    for (const KnobKey& key : {MouthKey, MouthWideKey, MouthRoundKey}) {
        EXPECT_GT(AnchorCount(*animated, key), 5u) << key.Text();
        EXPECT_LE(AnchorCount(*animated, key), 8 * seconds + 1) << key.Text();
    }
    EXPECT_NE(animated->GetTimeline().FindTrack(EyeBlinkKey)->GetAnchors(),
              original->GetTimeline().FindTrack(EyeBlinkKey)->GetAnchors());
    EXPECT_NE(animated->GetTimeline().FindTrack(CandleLightnessKey)->GetAnchors(),
              original->GetTimeline().FindTrack(CandleLightnessKey)->GetAnchors());
}

TEST(AnimateCommandTest, LipSyncWithoutAVoiceFailsAndWritesNothing) {
    vel::testing::TempFolder folder;
    const std::string silent = folder / "silent.glw";
    auto document = LumoDocument::New();
    document->GetTimeline().SetAnchor(CandleLightnessKey, 90, 0.5f);
    ASSERT_TRUE(document->Save(silent));
    const std::string output = folder / "out.glw";
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(AnimateCommand(silent, "blinks,lipsync", output, {}), 1);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("lumo: " + silent + ": lipsync: The document has no voice", 0), 0u)
        << said;
    EXPECT_FALSE(std::filesystem::exists(output));
    // A document that cannot be read is named too.
    EXPECT_EQ(AnimateCommand(folder / "missing.glw", "blinks", output, {}), 1);
    EXPECT_FALSE(std::filesystem::exists(output));
}

} // namespace
} // namespace vel::lumo
