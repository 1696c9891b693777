#include "apps/lumo/panes/CommandIds.h"
#include "tests/apps/lumo/shell/ShellFixture.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WavBytes.h"

namespace vel::lumo::test {
namespace {

using testing::TempFolder;

TEST_F(ShellTest, ADroppedDocumentOpensAndADroppedSoundLoadsAsOneStep) {
    TempFolder folder;
    auto saved = LumoDocument::New();
    saved->GetModel().InsertNewShape(0);
    ASSERT_TRUE(saved->Save(folder / "face.glw"));

    ASSERT_TRUE(DropFile(*window, folder / "face.glw"));
    LumoDocument* document = window->GetDocument();
    EXPECT_EQ(document->GetPath(), folder / "face.glw");
    EXPECT_EQ(document->GetModel().GetShapeCount(), 1u);

    // Any case of a sound file's ending.
    const Bytes wav = Riff({Fmt{}.AsChunk(), Chunk("data", Bytes(2 * 4410, 0x11))});
    testing::WriteWhole(folder / "voice.WAV", std::string(wav.begin(), wav.end()));
    ASSERT_TRUE(DropFile(*window, folder / "voice.WAV"));
    FinishAudioLoad(*window);
    EXPECT_EQ(AudioView(document->GetAudio()).FrameCount(), 4410u);
    EXPECT_EQ(document->GetUndoCount(), 1u);
    window->OnCommand(IdUndo);
    EXPECT_EQ(AudioView(document->GetAudio()).FrameCount(), 0u);
    EXPECT_TRUE(dialogs.messages.empty());
}

// A drag the window would not know what to do with is refused at once.
TEST_F(ShellTest, OtherDropsAreRefused) {
    TempFolder folder;
    testing::WriteWhole(folder / "notes.txt", "a note");
    testing::WriteWhole(folder / "a.wav", "");
    testing::WriteWhole(folder / "b.wav", "");
    LumoDocument* document = window->GetDocument();

    EXPECT_FALSE(DropFile(*window, folder / "notes.txt"));
    EXPECT_FALSE(DropFile(*window, folder / "no ending"));
    EXPECT_FALSE(
        DropFiles(*window, {QUrl::fromLocalFile(QString::fromStdString(folder / "a.wav")),
                            QUrl::fromLocalFile(QString::fromStdString(folder / "b.wav"))}));
    EXPECT_FALSE(DropFiles(*window, {QUrl("https://example.com/voice.mp3")}));
    EXPECT_FALSE(DropFiles(*window, {}));
    EXPECT_FALSE(window->IsLoadingAudio());
    EXPECT_EQ(window->GetDocument(), document);
    EXPECT_EQ(document->GetUndoCount(), 0u);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
} // namespace vel::lumo::test
