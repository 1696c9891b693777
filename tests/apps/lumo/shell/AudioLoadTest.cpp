#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/TimelineWnd.h"
#include "tests/apps/lumo/shell/ShellFixture.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WavBytes.h"

#include <QElapsedTimer>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>

namespace vel::lumo::test {
namespace {

using testing::TempFolder;

// A WAV file of 4410 sample frames.
std::string ShortVoice(const TempFolder& folder) {
    const Bytes wav = Riff({Fmt{}.AsChunk(), Chunk("data", Bytes(2 * 4410, 0x11))});
    testing::WriteWhole(folder / "voice.wav", std::string(wav.begin(), wav.end()));
    return folder / "voice.wav";
}

// Ten minutes of tone as an MP3, which takes a while to decode: a minute
// encoded, repeated.
std::string LongVoice(const TempFolder& folder) {
    const std::string minute = folder / "minute.mp3";
    const std::string path = folder / "long.mp3";
    const std::string command =
        "ffmpeg -v error -y -f lavfi -i sine=f=220:d=60 -ac 2 -c:a libmp3lame '" + minute +
        "' && ffmpeg -v error -y -stream_loop 9 -i '" + minute + "' -c copy '" + path + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return path;
}

// Half a gigabyte of silence as a WAV file, written sparse so that it
// takes no room on the disk, which takes a while to read all the same.
std::string LongWav(const TempFolder& folder) {
    constexpr std::uint32_t dataBytes = 512u << 20;
    const Bytes header = Riff({Fmt{.channels = 2}.AsChunk(), Chunk("data", {}, dataBytes)});
    testing::WriteWhole(folder / "long.wav", std::string(header.begin(), header.end()));
    std::filesystem::resize_file(folder / "long.wav", header.size() + dataBytes);
    return folder / "long.wav";
}

// Waits for the waveform of the sound being read to show.
bool WaveformGrows(const LumoWnd& window) {
    return QTest::qWaitFor(
        [&] { return window.IsLoadingAudio() && window.Timeline()->ShownWaveform().Frames() > 0; });
}

// Ends the load with the command, within a tenth of a second as measured,
// and takes back its waveform.
void EndsTheLoadAtOnce(LumoWnd& window, const std::function<void()>& command) {
    QElapsedTimer taken;
    taken.start();
    command();
    EXPECT_LT(taken.elapsed(), 100);
    EXPECT_FALSE(window.IsLoadingAudio());
    EXPECT_EQ(window.Timeline()->ShownWaveform().Frames(), 0u);
}

// Answers each dialog as scripted, but only once the window has run its
// events long enough for a short sound to be read; notes the document's
// sound frames at each answer.
class LingeringDialogs : public ScriptedDialogs {
public:
    explicit LingeringDialogs(const LumoWnd& window) : window_(window) {}

    using ScriptedDialogs::Run;
    int Run(QDialog& dialog) override {
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return window_.Timeline()->ShownWaveform().Frames() > 0; }));
        // Two polls of the loader.
        QTest::qWait(50);
        framesAtAnswer.push_back(AudioView(window_.GetDocument()->GetAudio()).FrameCount());
        return ScriptedDialogs::Run(dialog);
    }

    std::vector<std::uint64_t> framesAtAnswer;

private:
    const LumoWnd& window_;
};

class AudioLoadTest : public ShellTest {};

TEST_F(AudioLoadTest, LoadAudioIsOneUndoableStepAndAFileWithoutSoundChangesNothing) {
    TempFolder folder;
    testing::WriteWhole(folder / "noise.wav", "not a wave");
    LumoDocument* document = window->GetDocument();

    dialogs.files = {ShortVoice(folder)};
    window->OnCommand(IdLoadAudio);
    EXPECT_EQ(dialogs.fileTitles.back(), "Load Audio File");
    FinishAudioLoad(*window);
    EXPECT_EQ(AudioView(document->GetAudio()).FrameCount(), 4410u);
    EXPECT_EQ(document->GetUndoCount(), 1u);
    EXPECT_EQ(window->windowTitle(), "Untitled* - Vellumar Gourdglowlight");

    dialogs.files = {folder / "noise.wav"};
    window->OnCommand(IdLoadAudio);
    FinishAudioLoad(*window);
    EXPECT_EQ(AudioView(document->GetAudio()).FrameCount(), 4410u);
    EXPECT_EQ(document->GetUndoCount(), 1u);
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>{"Error loading audio file:\n" + (folder / "noise.wav") +
                                       "\n\nNot a sound file."});
    window->OnCommand(IdUndo);
    EXPECT_EQ(AudioView(document->GetAudio()).FrameCount(), 0u);
    EXPECT_EQ(window->windowTitle(), "Vellumar Gourdglowlight");
}

// The file is read while the window goes on running its events, and nothing
// reaches the document before the whole clip is there.
TEST_F(AudioLoadTest, SoundIsReadWhileTheWindowRuns) {
    TempFolder folder;
    const std::string voice = LongVoice(folder);
    LumoDocument* document = window->GetDocument();
    int ticksWhileLoading = 0;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (window->IsLoadingAudio()) {
            ++ticksWhileLoading;
            EXPECT_EQ(AudioView(document->GetAudio()).FrameCount(), 0u);
        }
    });
    timer.start();
    window->LoadAudio(voice);
    EXPECT_TRUE(window->IsLoadingAudio());
    FinishAudioLoad(*window);
    EXPECT_GT(ticksWhileLoading, 1);
    EXPECT_NEAR(AudioView(document->GetAudio()).FrameCount() / 44100.0, 600.0, 0.5);
    EXPECT_EQ(document->GetUndoCount(), 1u);
    EXPECT_TRUE(dialogs.messages.empty());
}

// Escape, or another document, ends a load within a tenth of a second,
// however long the file: a WAV file is read in pieces as the others are,
// its waveform growing. Nothing of the load is left.
TEST_F(AudioLoadTest, ACancelledLoadEndsAtOnceAndChangesNothing) {
    TempFolder folder;
    window->show();
    for (const std::string& voice : {LongVoice(folder), LongWav(folder)}) {
        SCOPED_TRACE(voice);
        LumoDocument* document = window->GetDocument();
        dialogs.files = {voice};
        window->OnCommand(IdLoadAudio);
        // The waveform shows as the file is read, and goes with the load.
        ASSERT_TRUE(WaveformGrows(*window));
        EndsTheLoadAtOnce(*window, [&] { QTest::keyClick(window->Timeline(), Qt::Key_Escape); });
        QTest::qWait(100);
        EXPECT_EQ(AudioView(document->GetAudio()).FrameCount(), 0u);
        EXPECT_EQ(document->GetUndoCount(), 0u);
        EXPECT_FALSE(document->IsModified());

        window->LoadAudio(voice);
        ASSERT_TRUE(WaveformGrows(*window));
        EndsTheLoadAtOnce(*window, [&] { window->OnCommand(IdNew); });
        QTest::qWait(100);
        EXPECT_EQ(AudioView(window->GetDocument()->GetAudio()).FrameCount(), 0u);
        EXPECT_EQ(window->GetDocument()->GetUndoCount(), 0u);
    }
    EXPECT_TRUE(dialogs.messages.empty());
    // The readings have stopped too: closing the window has none to wait for.
    QElapsedTimer closing;
    closing.start();
    window.reset();
    EXPECT_LT(closing.elapsed(), 1000);
}

// A sound that finishes loading while a modal command runs waits for the
// command to end, so that neither its dialog nor an export sees the
// document change under it; then it arrives as its own step.
TEST_F(AudioLoadTest, ASoundReadUnderAModalCommandArrivesWhenTheCommandEnds) {
    TempFolder folder;
    const std::string voice = ShortVoice(folder);
    LingeringDialogs lingering(*window);
    for (const std::uint32_t command : {IdExportVideo, IdLipSync, IdAddBlinks, IdCandleFlicker}) {
        SCOPED_TRACE(command);
        window->SetDocument(LumoDocument::New());
        window->LoadAudio(voice);
        lingering.answers = {QDialog::Rejected};
        window->OnCommand(command);
        ASSERT_EQ(lingering.framesAtAnswer.size(), 1u);
        EXPECT_EQ(lingering.framesAtAnswer.front(), 0u);
        lingering.framesAtAnswer.clear();
        FinishAudioLoad(*window);
        EXPECT_EQ(AudioView(window->GetDocument()->GetAudio()).FrameCount(), 4410u);
        EXPECT_EQ(window->GetDocument()->GetUndoCount(), 1u);
    }
}

// A WAV file that states an impossible rate is refused as damaged and
// leaves the document as it was; one whose float samples are not numbers
// loads with them silent, and the status bar says so once.
TEST_F(AudioLoadTest, StrangeWavFilesAreRefusedOrLoadedWithANote) {
    TempFolder folder;
    const Bytes zeroRate = Riff({Fmt{.rate = 0}.AsChunk(), Chunk("data", Bytes(400, 1))});
    testing::WriteWhole(folder / "zero.wav", std::string(zeroRate.begin(), zeroRate.end()));
    window->LoadAudio(folder / "zero.wav");
    FinishAudioLoad(*window);
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>{"Error loading audio file:\n" + (folder / "zero.wav") +
                                       "\n\nDamaged at byte 24."});
    EXPECT_EQ(window->GetDocument()->GetUndoCount(), 0u);
    EXPECT_EQ(window->GetDocument()->GetFrameCount(), LumoDocument::New()->GetFrameCount());

    Bytes samples(4 * 4410, 0);
    std::fill(samples.begin() + 400, samples.begin() + 800, 0xFF);
    const Bytes noNumbers = Riff({Fmt{.tag = 3, .bits = 32}.AsChunk(), Chunk("data", samples)});
    testing::WriteWhole(folder / "float.wav", std::string(noNumbers.begin(), noNumbers.end()));
    window->LoadAudio(folder / "float.wav");
    FinishAudioLoad(*window);
    EXPECT_EQ(AudioView(window->GetDocument()->GetAudio()).FrameCount(), 4410u);
    EXPECT_EQ(window->statusBar()->currentMessage(),
              "Some samples of float.wav are not numbers or are infinite: 100 of them play as "
              "silence.");
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

} // namespace
} // namespace vel::lumo::test
