#include "apps/lumo/document/AudioCommands.h"
#include "apps/lumo/document/ShapeCommands.h"
#include "apps/lumo/model/StandardKnobs.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/recovery/DiskStamp.h"
#include "apps/lumo/shell/Autosaver.h"
#include "apps/lumo/shell/ChangedOnDiskQuestion.h"
#include "apps/lumo/shell/InUseQuestion.h"
#include "apps/lumo/shell/RecoveryOffer.h"
#include "apps/lumo/shell/SaveChangesQuestion.h"
#include "tests/apps/lumo/shell/ShellFixture.h"
#include "tests/support/AddressSanitizer.h"
#include "tests/support/SmallDisk.h"
#include "tests/support/Unprivileged.h"

#include <QCoreApplication>
#include <QStatusBar>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vel::lumo::test {
namespace {

using testing::TempFolder;

// The recovery folder is made first, so that the window's copies land in it.
class AutosaveTest : public ShellTest {
protected:
    Autosaver& Autosave() { return window->GetAutosaver(); }
    // One tick of the autosave timer, waited for to the end.
    void Tick() {
        Autosave().Tick();
        Autosave().Finish();
        QCoreApplication::processEvents();
    }
    std::string CopyPath() { return Autosave().Store().CopyPath(Autosave().Id()); }
    uint64_t CopiedShapes() {
        core::FileError error;
        const auto copy = LumoDocument::Open(CopyPath(), error);
        return copy ? copy->GetModel().GetShapeCount() : UINT64_MAX;
    }
    QString Status() {
        const auto* bar = window->findChild<QStatusBar*>();
        return bar != nullptr ? bar->currentMessage() : QString();
    }
};

TEST_F(AutosaveTest, CopiesOnlyWorkThatChangedSinceTheLastCopy) {
    Tick();
    EXPECT_EQ(FileCount(), 0u) << "nothing to recover without a change";

    Edit(*window);
    Tick();
    ASSERT_EQ(FileCount(), 2u);
    EXPECT_EQ(CopiedShapes(), 1u);
    const auto record = Autosave().Store().ReadRecord(Autosave().Id());
    ASSERT_TRUE(record);
    EXPECT_TRUE(record->IsUntitled());
    EXPECT_EQ(record->owner, ProcessIdentity::Current());
    EXPECT_TRUE(record->owner.IsRunning());

    const auto first = DiskStamp::Of(CopyPath());
    Tick();
    EXPECT_EQ(DiskStamp::Of(CopyPath()), first) << "no new copy without a new edit";

    Edit(*window);
    Tick();
    EXPECT_NE(DiskStamp::Of(CopyPath()), first);
    EXPECT_EQ(CopiedShapes(), 2u);

    // Undone back to the saved state, nothing is left at risk.
    window->OnCommand(IdUndo);
    window->OnCommand(IdUndo);
    Tick();
    EXPECT_EQ(FileCount(), 0u);
}

// The process's address space now, in bytes.
rlim_t AddressSpace() {
    std::ifstream statm("/proc/self/statm");
    rlim_t pages = 0;
    statm >> pages;
    return pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
}

// A copy of a long clip is written from the clip's own samples: a run with room for the clip
// and half of it again still writes the copy whole, where a second copy of the samples in
// memory would end the program.
TEST_F(AutosaveTest, ALongClipIsCopiedWithoutASecondCopyInMemory) {
    if (vel::testing::UnderAddressSanitizer || vel::testing::UnderThreadSanitizer) {
        GTEST_SKIP() << "the sanitizers' allocator ends the program where memory runs out";
    }
    constexpr size_t clipBytes = size_t{128} << 20;
    const std::string copyPath = Folder() + "/long.glw";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Made after the fork, so that its writer's thread runs here.
        Autosaver autosave(RecoveryStore(Folder()), std::chrono::seconds(0), [](const QString&) {});
        const auto document = LumoDocument::New();
        autosave.SetDocument(document.get());
        document->Execute(
            SetAudioCmd(document.get(), AudioClip(AudioHeader::Make(44100, SampleFormat::S16, 2),
                                                  std::vector<uint8_t>(clipBytes, 7))));
        const rlim_t room = AddressSpace() + clipBytes / 2;
        const rlimit limit{room, room};
        ::setrlimit(RLIMIT_AS, &limit);
        autosave.Tick();
        autosave.Finish();
        std::error_code renamed;
        std::filesystem::rename(autosave.Store().CopyPath(autosave.Id()), copyPath, renamed);
        ::_exit(renamed ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    core::FileError error;
    const auto copy = LumoDocument::Open(copyPath, error);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->GetAudio().Samples(), std::vector<uint8_t>(clipBytes, 7));
}

TEST_F(AutosaveTest, NoCopyOutlivesASaveADontSaveOrAClose) {
    TempFolder files;
    {
        SCOPED_TRACE("saved");
        Edit(*window);
        Tick();
        ASSERT_EQ(FileCount(), 2u);
        dialogs.files = {files / "saved.glw"};
        EXPECT_EQ(window->OnCommand(IdSave), 0);
        Autosave().Finish();
        EXPECT_EQ(FileCount(), 0u);
    }
    {
        SCOPED_TRACE("given up for a new document");
        Edit(*window);
        Tick();
        ASSERT_EQ(FileCount(), 2u);
        dialogs.answers = {SaveChangesQuestion::DontSave};
        window->OnCommand(IdNew);
        Autosave().Finish();
        EXPECT_EQ(FileCount(), 0u);
    }
    {
        SCOPED_TRACE("kept when closing is cancelled, gone with Don't Save");
        Edit(*window);
        Tick();
        dialogs.answers = {SaveChangesQuestion::Cancel};
        EXPECT_FALSE(window->close());
        Autosave().Finish();
        EXPECT_EQ(FileCount(), 2u);
        dialogs.answers = {SaveChangesQuestion::DontSave};
        EXPECT_TRUE(window->close());
        Autosave().Finish();
        EXPECT_EQ(FileCount(), 0u);
    }
    {
        SCOPED_TRACE("the program ends");
        window = std::make_unique<LumoWnd>(&clock);
        Edit(*window);
        Tick();
        ASSERT_EQ(FileCount(), 2u);
        window.reset();
        EXPECT_EQ(FileCount(), 0u);
    }
}

TEST_F(AutosaveTest, AFullDiskKeepsTheLastCopyAndSaysSoInTheStatusLine) {
    std::filesystem::create_directories(state_ / "lumo");
    const vel::testing::SmallDisk disk(Folder(), 256 * 1024);
    if (!disk.Mounted()) {
        GTEST_SKIP() << "mounting a small disk needs the superuser";
    }
    Edit(*window);
    Tick();
    ASSERT_EQ(CopiedShapes(), 1u);
    EXPECT_TRUE(Status().isEmpty());

    const std::string filler = Folder() + "/filler";
    vel::testing::SmallDisk::Fill(filler);
    Edit(*window);
    Edit(*window);
    Tick();
    EXPECT_EQ(CopiedShapes(), 1u) << "the last good copy stays";
    EXPECT_TRUE(Status().contains(QStringLiteral("No space left on device")))
        << Status().toStdString();
    EXPECT_TRUE(Status().contains(QStringLiteral("last recovery copy is kept")));
    EXPECT_TRUE(dialogs.messages.empty()) << "no box interrupts the user";
    EXPECT_TRUE(dialogs.shown.empty());

    std::filesystem::remove(filler);
    Edit(*window);
    Tick();
    EXPECT_EQ(CopiedShapes(), 4u);
    EXPECT_TRUE(Status().isEmpty()) << "the message goes once copies work again";
}

TEST_F(AutosaveTest, AFolderThatIsNotWhatItShouldBeTurnsAutosaveOffAndSaysWhy) {
    const TempFolder elsewhere;
    const std::string document = elsewhere / "face.glw";
    ASSERT_TRUE(LumoDocument::New()->Save(document));
    // Work another run left where the link leads is not this user's to see.
    ASSERT_EQ(
        RecoveryStore(elsewhere / "copies")
            .Write("left", *LumoDocument::New(), {document, 1000, ProcessIdentity::Of(1 << 30)})
            .Code(),
        0u);
    std::filesystem::create_directories(state_ / "lumo");
    const auto fifo = [this] {
        ::mkfifo(Folder().c_str(), 0700);
    };
    const auto file = [this] {
        std::ofstream(Folder()) << "a file";
    };
    const auto link = [&] {
        std::filesystem::create_directory_symlink(elsewhere / "copies", Folder());
    };
    const auto others = [this] {
        std::filesystem::create_directory(Folder());
        ::chown(Folder().c_str(), vel::testing::UnprivilegedUser, vel::testing::UnprivilegedGroup);
    };
    const std::vector<std::tuple<std::string, std::function<void()>, std::string>> cases = {
        {"a pipe", fifo, "is a pipe, not a folder"},
        {"a file", file, "is a file, not a folder"},
        {"a link", link, "is a symbolic link"},
        {"another user's", others, "belongs to another user"},
    };
    for (const auto& [name, make, says] : cases) {
        SCOPED_TRACE(name);
        if (name == "another user's" && ::geteuid() != 0) {
            continue;
        }
        make();
        LumoWnd other(&clock);
        EXPECT_FALSE(OfferRecovery(other, other.GetAutosaver().Store()));
        EXPECT_TRUE(dialogs.shown.empty());
        ASSERT_TRUE(other.OpenFile(document));
        Edit(other);
        other.GetAutosaver().Tick();
        other.GetAutosaver().Finish();
        QCoreApplication::processEvents();
        EXPECT_EQ(other.statusBar()->currentMessage().toStdString(),
                  "Autosave is off: the recovery folder " + Folder() + " " + says + ".");
        EXPECT_EQ(other.GetAutosaver().Interval(), std::chrono::milliseconds(0));
        size_t files = 0;
        for ([[maybe_unused]] const auto& entry :
             std::filesystem::directory_iterator(elsewhere / "copies")) {
            ++files;
        }
        EXPECT_EQ(files, 2u) << "nothing is written through the link";
        std::filesystem::remove(Folder());
    }
}

TEST_F(AutosaveTest, TheIntervalIsCappedAtADayAndZeroNeverCopies) {
    using std::chrono::seconds;
    const QString name = QStringLiteral("AutosaveSeconds");
    for (const auto& [setting, interval] :
         {std::pair{1u, seconds(1)}, std::pair{86400u, seconds(86400)},
          std::pair{86401u, seconds(86400)}, std::pair{UINT32_MAX, seconds(86400)},
          std::pair{0u, seconds(0)}}) {
        ASSERT_TRUE(window->WriteDword(name, setting));
        LumoWnd other(&clock);
        EXPECT_EQ(other.GetAutosaver().Interval(), interval) << setting;
    }
    LumoWnd never(&clock);
    Edit(never);
    QDeadlineTimer wait(200);
    while (!wait.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    never.GetAutosaver().Finish();
    EXPECT_EQ(FileCount(), 0u);
}

TEST_F(AutosaveTest, ACopyThatCannotGetMemoryIsReportedInTheStatusLine) {
    if (vel::testing::UnderAddressSanitizer || vel::testing::UnderThreadSanitizer) {
        GTEST_SKIP() << "the sanitizers' allocator ends the program where memory runs out";
    }
    // Keys that take far more memory than is left: the window's copy of the
    // document cannot be made.
    constexpr uint32_t Keys = 1 << 23;
    constexpr rlim_t Room = 0;
    KnobTimeline& timeline = window->GetDocument()->GetTimeline();
    for (uint32_t frame = 0; frame < Keys; ++frame) {
        timeline.SetAnchor(CandleLightnessKey, frame, 0.5f);
    }
    Edit(*window);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_AS, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = AddressSpace() + Room;
    ASSERT_EQ(::setrlimit(RLIMIT_AS, &limited), 0);
    Autosave().Tick();
    ::setrlimit(RLIMIT_AS, &saved);
    Autosave().Finish();
    QCoreApplication::processEvents();
    EXPECT_EQ(Status(), QStringLiteral("Autosave failed: Cannot allocate memory."));
    EXPECT_EQ(FileCount(), 0u);
}

// A document saved in a file that another program then changes.
class ChangedOnDiskTest : public ShellTest {
protected:
    ChangedOnDiskTest() {
        auto document = LumoDocument::New();
        document->GetModel().InsertNewShape(0);
        EXPECT_TRUE(document->Save(path));
        EXPECT_TRUE(window->OpenFile(path));
        Edit(*window);
    }
    void ChangeElsewhere() {
        std::ofstream(path, std::ios::binary) << "written by another program";
    }
    uint64_t ShapesIn(const std::string& file) {
        core::FileError error;
        const auto document = LumoDocument::Open(file, error);
        return document ? document->GetModel().GetShapeCount() : UINT64_MAX;
    }

    TempFolder folder;
    std::string path = folder / "face.glw";
};

TEST_F(ChangedOnDiskTest, AnUnchangedFileIsSavedWithoutAQuestion) {
    EXPECT_EQ(window->OnCommand(IdSave), 0);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(ShapesIn(path), 2u);
    Edit(*window);
    EXPECT_EQ(window->OnCommand(IdSave), 0) << "its own save is no change by another program";
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ChangedOnDiskTest, SaveAsksBeforeOverwritingAChangeAndFollowsEachAnswer) {
    ChangeElsewhere();
    dialogs.answers = {ChangedOnDiskQuestion::Cancel};
    EXPECT_EQ(window->OnCommand(IdSave), -1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0], "Vellumar Gourdglowlight: 3 links");
    EXPECT_EQ(dialogs.texts.at(0), "The file was changed by another program since you opened it.");
    EXPECT_NE(dialogs.texts.at(1).find(path), std::string::npos) << "the question names the file";
    EXPECT_EQ(ShapesIn(path), UINT64_MAX) << "cancelled: the other program's file stays";
    EXPECT_TRUE(window->GetDocument()->IsModified());

    const std::string other = folder / "other.glw";
    dialogs.answers = {ChangedOnDiskQuestion::SaveAs};
    dialogs.files = {other};
    EXPECT_EQ(window->OnCommand(IdSave), 0);
    EXPECT_EQ(ShapesIn(other), 2u);
    EXPECT_EQ(ShapesIn(path), UINT64_MAX) << "saved as another file: both are kept";

    std::filesystem::copy_file(other, path, std::filesystem::copy_options::overwrite_existing);
    ASSERT_TRUE(window->OpenFile(path));
    Edit(*window);
    ChangeElsewhere();
    dialogs.answers = {ChangedOnDiskQuestion::Overwrite};
    EXPECT_EQ(window->OnCommand(IdSave), 0);
    EXPECT_EQ(ShapesIn(path), 3u);
    EXPECT_FALSE(window->GetDocument()->IsModified());
}

TEST_F(ChangedOnDiskTest, SaveAsksBeforeWritingAFileThatWasRemoved) {
    std::filesystem::remove(path);
    dialogs.answers = {ChangedOnDiskQuestion::Overwrite};
    EXPECT_EQ(window->OnCommand(IdSave), 0);
    ASSERT_EQ(dialogs.texts.size(), 2u);
    EXPECT_NE(dialogs.texts[1].find("no longer there"), std::string::npos);
    EXPECT_EQ(ShapesIn(path), 2u);
}

TEST_F(ChangedOnDiskTest, AFileOpenInAnotherWindowOpensReadOnlyAnywayOrNotAtAll) {
    LumoWnd other(&clock);
    dialogs.answers = {InUseQuestion::Cancel};
    EXPECT_FALSE(other.OpenFile(path));
    ASSERT_EQ(dialogs.texts.size(), 2u);
    EXPECT_EQ(dialogs.texts[0], "The file is open in another Vellumar Gourdglowlight window.");
    EXPECT_EQ(dialogs.texts[1], path);
    EXPECT_TRUE(other.GetDocument()->GetPath().empty());

    dialogs.answers = {InUseQuestion::ReadOnly};
    ASSERT_TRUE(other.OpenFile(path));
    EXPECT_TRUE(other.IsReadOnly());
    EXPECT_EQ(other.windowTitle().toStdString(), "face.glw (Read-Only) - Vellumar Gourdglowlight");
    Edit(other);
    const std::string copy = folder / "copy.glw";
    dialogs.files = {copy};
    EXPECT_EQ(other.OnCommand(IdSave), 0);
    EXPECT_EQ(dialogs.fileTitles, (std::vector<std::string>{"Save Gourdglowlight File"}));
    EXPECT_EQ(ShapesIn(path), 1u) << "the file stays the first window's";
    EXPECT_EQ(ShapesIn(copy), 2u);
    EXPECT_FALSE(other.IsReadOnly()) << "the copy is the second window's own";

    dialogs.answers = {InUseQuestion::Anyway};
    ASSERT_TRUE(other.OpenFile(path));
    EXPECT_FALSE(other.IsReadOnly());

    window.reset();
    dialogs.texts.clear();
    ASSERT_TRUE(other.OpenFile(path));
    EXPECT_TRUE(dialogs.texts.empty()) << "the first window is closed";
    ASSERT_TRUE(other.OpenFile(path));
    EXPECT_TRUE(dialogs.texts.empty()) << "reopening its own file";
}

// The first window goes (closed or killed) while a second that opened the file anyway still has
// it: a third is still warned.
TEST_F(ChangedOnDiskTest, AWindowThatOpenedTheFileAnywayKeepsOthersWarned) {
    LumoWnd second(&clock);
    dialogs.answers = {InUseQuestion::Anyway};
    ASSERT_TRUE(second.OpenFile(path));
    window.reset();
    dialogs.texts.clear();
    LumoWnd third(&clock);
    dialogs.answers = {InUseQuestion::Cancel};
    EXPECT_FALSE(third.OpenFile(path));
    ASSERT_FALSE(dialogs.texts.empty());
    EXPECT_EQ(dialogs.texts[0], "The file is open in another Vellumar Gourdglowlight window.");
}

} // namespace
} // namespace vel::lumo::test
