#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/TimelineWnd.h"
#include "tests/apps/lumo/shell/ShellFixture.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WavBytes.h"

#include <QTest>
#include <QTimer>
#include <cstdlib>

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

TEST_F(ShellTest, LoadAudioIsOneUndoableStepAndAFileWithoutSoundChangesNothing) {
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
TEST_F(ShellTest, SoundIsReadWhileTheWindowRuns) {
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

// Escape, or another document, ends a load; nothing of it is left.
TEST_F(ShellTest, ACancelledLoadChangesNothing) {
    TempFolder folder;
    const std::string voice = LongVoice(folder);
    LumoDocument* document = window->GetDocument();
    window->show();

    dialogs.files = {voice};
    window->OnCommand(IdLoadAudio);
    // The waveform shows as the file is read, and goes with the load.
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->Timeline()->ShownWaveform().Frames() > 0; }));
    ASSERT_TRUE(window->IsLoadingAudio());
    QTest::keyClick(window->Timeline(), Qt::Key_Escape);
    EXPECT_FALSE(window->IsLoadingAudio());
    EXPECT_EQ(window->Timeline()->ShownWaveform().Frames(), 0u);
    QTest::qWait(100);
    EXPECT_EQ(AudioView(document->GetAudio()).FrameCount(), 0u);
    EXPECT_EQ(document->GetUndoCount(), 0u);
    EXPECT_FALSE(document->IsModified());
    EXPECT_TRUE(dialogs.messages.empty());

    window->LoadAudio(voice);
    window->SetDocument(LumoDocument::New());
    EXPECT_FALSE(window->IsLoadingAudio());
    QTest::qWait(100);
    EXPECT_EQ(AudioView(window->GetDocument()->GetAudio()).FrameCount(), 0u);
    EXPECT_EQ(window->GetDocument()->GetUndoCount(), 0u);
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
} // namespace vel::lumo::test
