#include "apps/lumo/panes/CommandIds.h"
#include "tests/apps/lumo/shell/ShellFixture.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WavBytes.h"

namespace vel::lumo::test {
namespace {

using testing::TempFolder;

class FileDropTest : public ShellTest {};

TEST_F(FileDropTest, ADroppedDocumentOpensAndADroppedSoundLoadsAsOneStep) {
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

// A file manager sends a name that is not UTF-8 percent-encoded byte for byte: the file is
// opened under its own bytes, and its name shows with only the byte that cannot be shown
// replaced.
TEST_F(FileDropTest, DroppedNamesThatAreNotUtf8KeepTheirBytes) {
    TempFolder folder;
    // "fête" as a Latin-1 system names it.
    const std::string document = folder / "f\xeate.glw";
    const std::string sound = folder / "f\xeate.wav";
    const auto Url = [](const std::string& path) {
        return QUrl::fromEncoded("file://" +
                                 QByteArray::fromStdString(path).toPercentEncoding("/"));
    };
    ASSERT_TRUE(LumoDocument::New()->Save(document));
    const Bytes wav = Riff({Fmt{}.AsChunk(), Chunk("data", Bytes(2 * 4410, 0x11))});
    testing::WriteWhole(sound, std::string(wav.begin(), wav.end()));

    ASSERT_TRUE(DropFiles(*window, {Url(document)}));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window->GetDocument()->GetPath(), document);
    EXPECT_EQ(window->windowTitle(),
              "f" + QString(QChar::ReplacementCharacter) + "te.glw - Vellumar Gourdglowlight");

    ASSERT_TRUE(DropFiles(*window, {Url(sound)}));
    FinishAudioLoad(*window);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(AudioView(window->GetDocument()->GetAudio()).FrameCount(), 4410u);
}

// A drag the window would not know what to do with is refused at once.
TEST_F(FileDropTest, OtherDropsAreRefused) {
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
