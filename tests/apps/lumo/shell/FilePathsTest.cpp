#include "apps/lumo/panes/CommandIds.h"
#include "tests/apps/lumo/shell/ShellFixture.h"
#include "tests/support/NamedPipe.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WavBytes.h"

#include <QAction>
#include <QFile>
#include <QStandardPaths>
#include <filesystem>
#include <gmock/gmock.h>
#include <unistd.h>

namespace vel::lumo::test {
namespace {

using testing::NamedPipe;
using testing::TempFolder;

std::string Saved(const std::string& path) {
    EXPECT_TRUE(LumoDocument::New()->Save(path));
    return path;
}

// Works in another folder for as long as it lives.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder() { std::filesystem::current_path(previous_); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    std::filesystem::path previous_;
};

QVariant StoredEntry(int number) {
    return QSettings("Vellumar", "Lumo").value(QStringLiteral("MRU/%1").arg(number));
}

class FilePathsTest : public ShellTest {};

TEST_F(FilePathsTest, RecentFilesOpenFromWhereverTheProgramStarts) {
    TempFolder folder;
    const std::string face = Saved(folder / "face.glw");
    std::filesystem::create_directory(folder / "work");
    {
        const WorkingFolder work(folder / "work");
        ASSERT_TRUE(window->OpenFile("../work/./../face.glw"));
    }
    EXPECT_EQ(window->GetRecentFiles().GetEntries(), std::vector<std::string>{face});

    const WorkingFolder elsewhere("/");
    window = std::make_unique<LumoWnd>(&clock);
    window->OnCommand(IdRecentFile1);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window->GetDocument()->GetPath(), face);
}

TEST_F(FilePathsTest, NamesThatAreNotUtf8KeepTheirBytesThroughTheRecentFiles) {
    TempFolder folder;
    // "fête.glw" as a Latin-1 system names it.
    const std::string latin = Saved(folder / "f\xeate.glw");
    const std::string utf8 = Saved(folder / "f\xc3\xaate.glw");
    ASSERT_TRUE(window->OpenFile(utf8));
    ASSERT_TRUE(window->OpenFile(latin));
    // Names that are text stay text, so the settings read as they always have.
    EXPECT_EQ(StoredEntry(1).typeId(), QMetaType::QByteArray);
    EXPECT_EQ(StoredEntry(2).toString(), QString::fromStdString(utf8));

    window = std::make_unique<LumoWnd>(&clock);
    EXPECT_EQ(window->GetRecentFiles().GetEntries(), (std::vector<std::string>{latin, utf8}));
    window->UpdateMenuState();
    EXPECT_EQ(window->Action(IdRecentFile1)->text(), "&1 " + QString::fromStdString(folder / "f") +
                                                         QChar::ReplacementCharacter + "te.glw");
    window->OnCommand(IdRecentFile1 + 1);
    window->OnCommand(IdRecentFile1 + 1);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window->GetDocument()->GetPath(), latin);

    // The open dialog shows the name as text; choosing it opens the file.
    dialogs.files = {latin};
    window->OnCommand(IdOpen);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window->GetDocument()->GetPath(), latin);
}

TEST_F(FilePathsTest, PipesWhereFilesShouldBeAreRefusedWithoutWaiting) {
    TempFolder folder;
    const NamedPipe glw(folder / "pipe.glw");
    const NamedPipe wav(folder / "pipe.wav");
    const NamedPipe mp3(folder / "pipe.mp3");
    LumoDocument* document = window->GetDocument();
    const auto expectRefused = [&](const NamedPipe& pipe, const std::function<void()>& command,
                                   const std::string& what) {
        dialogs.messages.clear();
        EXPECT_TRUE(pipe.RunsWithoutWaiting(command)) << pipe.Path();
        ASSERT_EQ(dialogs.messages.size(), 1u) << pipe.Path();
        EXPECT_EQ(dialogs.messages[0], what + "\n" + pipe.Path() + "\n\nNot a regular file.");
    };

    // The command line opens its document as Open does after the dialog.
    expectRefused(
        glw, [&] { EXPECT_FALSE(window->OpenFile(glw.Path())); }, "Error loading file:");
    dialogs.files = {glw.Path()};
    expectRefused(
        glw, [&] { window->OnCommand(IdOpen); }, "Error loading file:");
    EXPECT_EQ(window->GetDocument(), document);
    EXPECT_TRUE(window->GetRecentFiles().GetEntries().empty());

    QSettings("Vellumar", "Lumo").setValue("MRU/1", QString::fromStdString(glw.Path()));
    window = std::make_unique<LumoWnd>(&clock);
    document = window->GetDocument();
    expectRefused(
        glw, [&] { window->OnCommand(IdRecentFile1); }, "Error loading file:");
    EXPECT_EQ(window->GetDocument(), document);

    // The sound readers are not asked: the one for compressed files would
    // wait as well.
    for (const NamedPipe* sound : {&wav, &mp3}) {
        dialogs.files = {sound->Path()};
        expectRefused(
            *sound,
            [&] {
                window->OnCommand(IdLoadAudio);
                FinishAudioLoad(*window);
            },
            "Error loading audio file:");
    }
    EXPECT_FALSE(document->IsModified());
    EXPECT_EQ(document->GetUndoCount(), 0u);
}

TEST_F(FilePathsTest, ASettingsFileThatIsNoFileGivesTheDefaultsAndStaysAsItIs) {
    const std::string settings =
        QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                          "/Vellumar/Lumo.conf")
            .toStdString();
    QSettings("Vellumar", "Lumo").setValue("MRU/1", "/one.glw");
    window.reset();
    QSettings("Vellumar", "Lumo").sync();
    std::filesystem::rename(settings, settings + ".kept");
    {
        const NamedPipe pipe(settings);
        ::testing::internal::CaptureStderr();
        EXPECT_TRUE(pipe.RunsWithoutWaiting([&] {
            window = std::make_unique<LumoWnd>(&clock);
            window->show();
            window->close();
            window.reset();
        }));
        EXPECT_THAT(::testing::internal::GetCapturedStderr(),
                    ::testing::HasSubstr(" " + settings +
                                         ": not a regular file; the settings start from their "
                                         "defaults and are not saved\n"));
        EXPECT_FALSE(std::filesystem::is_regular_file(settings));
    }
    std::filesystem::rename(settings + ".kept", settings);
    window = std::make_unique<LumoWnd>(&clock);
    EXPECT_EQ(window->GetRecentFiles().GetEntries(), std::vector<std::string>{"/one.glw"});
}

} // namespace
} // namespace vel::lumo::test
