#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/recovery/RecoveryStore.h"
#include "apps/lumo/shell/Autosaver.h"
#include "apps/lumo/shell/DiscardAllQuestion.h"
#include "apps/lumo/shell/RecoveryDlg.h"
#include "apps/lumo/shell/RecoveryOffer.h"
#include "tests/apps/lumo/shell/ShellFixture.h"
#include "tests/support/NamedPipe.h"
#include "tests/support/SmallDisk.h"

#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTest>
#include <ctime>
#include <fstream>
#include <unistd.h>

namespace vel::lumo::test {
namespace {

class RecoveryTest : public ShellTest {
protected:
    RecoveryStore store{Folder()};

    // Leaves a copy of a document with that many shapes, as a run that ended
    // at that time would.
    void Leave(const std::string& id, uint64_t shapes, int64_t time, const std::string& document,
               ProcessIdentity owner = Ended()) {
        auto copy = LumoDocument::New();
        for (uint64_t shape = 0; shape < shapes; ++shape) {
            copy->GetModel().InsertNewShape(shape);
        }
        ASSERT_EQ(store.Write(id, *copy, {document, time, owner}).Code(), 0u);
    }
    static ProcessIdentity Ended() {
        ProcessIdentity owner = ProcessIdentity::Current();
        owner.boot = "an earlier boot";
        return owner;
    }
    bool Offer() { return OfferRecovery(*window, store); }
    QString Status() const { return window->statusBar()->currentMessage(); }
};

// A runner that looks at the buttons before it answers.
struct LookingDialogs : ScriptedDialogs {
    int Run(QDialog& dialog) override {
        std::vector<bool> enabled;
        std::vector<std::string> whole;
        for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == "Recover") {
                enabled.push_back(button->isEnabled());
            } else if (button->text().startsWith("Discard ")) {
                whole.push_back(button->text().toStdString());
            }
        }
        recoverEnabled.push_back(enabled);
        wholeList.push_back(whole);
        return ScriptedDialogs::Run(dialog);
    }
    // For each dialog shown, whether each row's Recover could be clicked, and
    // the buttons for the whole list.
    std::vector<std::vector<bool>> recoverEnabled;
    std::vector<std::vector<std::string>> wholeList;
};

constexpr int64_t Day = 24 * 60 * 60;

TEST_F(RecoveryTest, AnEndedRunsWorkComesBackUnsavedAndSavesWhereItCameFrom) {
    const testing::TempFolder files;
    Leave("older", 1, 1000, files / "old.glw");
    Leave("newer", 3, 2000, files / "face.glw");
    dialogs.answers = {RecoveryDlg::Result({0, RecoveryDlg::Recover})};
    EXPECT_TRUE(Offer());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    ASSERT_EQ(dialogs.texts.size(), 3u);
    EXPECT_EQ(dialogs.shown[0], "Vellumar Gourdglowlight: 0 links");
    EXPECT_EQ(dialogs.texts[0], "Vellumar Gourdglowlight closed unexpectedly. Recover your work?");
    EXPECT_NE(dialogs.texts[1].find("face.glw (" + files / "face.glw" + ")"), std::string::npos)
        << "newest first";
    EXPECT_NE(dialogs.texts[2].find("old.glw"), std::string::npos);

    LumoDocument* document = window->GetDocument();
    EXPECT_EQ(document->GetModel().GetShapeCount(), 3u);
    EXPECT_TRUE(document->IsModified());
    EXPECT_TRUE(document->GetPath().empty());
    EXPECT_EQ(window->windowTitle().toStdString(), "Untitled* - Vellumar Gourdglowlight");

    // The copy is this run's now: another start leaves it alone.
    Autosaver& autosave = window->GetAutosaver();
    autosave.Finish();
    EXPECT_FALSE(store.ReadRecord("newer"));
    const auto own = store.ReadRecord(autosave.Id());
    ASSERT_TRUE(own);
    EXPECT_EQ(own->owner, ProcessIdentity::Current());
    EXPECT_EQ(own->document, files / "face.glw");
    dialogs.shown.clear();
    dialogs.answers = {RecoveryDlg::Result({0, RecoveryDlg::Later})};
    LumoWnd second(&clock);
    EXPECT_FALSE(OfferRecovery(second, store));
    ASSERT_EQ(dialogs.texts.size(), 5u) << "only the older copy is offered";
    EXPECT_NE(dialogs.texts[4].find("old.glw"), std::string::npos);

    dialogs.files = {files / "face.glw"};
    EXPECT_EQ(window->OnCommand(IdSave), 0);
    EXPECT_EQ(dialogs.proposed.back(), files / "face.glw");
    autosave.Finish();
    EXPECT_FALSE(store.ReadRecord(autosave.Id())) << "saved work needs no copy";
    EXPECT_TRUE(store.ReadRecord("older")) << "a copy put off till later stays";
}

TEST_F(RecoveryTest, DiscardRemovesACopyAndLaterOrClosingKeepsIt) {
    Leave("one", 1, 1000, RecoveryRecord::Untitled);
    Leave("two", 2, 2000, RecoveryRecord::Untitled);
    Leave("three", 3, 3000, RecoveryRecord::Untitled);
    dialogs.answers = {RecoveryDlg::Result({1, RecoveryDlg::Discard}),
                       RecoveryDlg::Result({0, RecoveryDlg::Later}), QDialog::Rejected};
    EXPECT_FALSE(Offer());
    EXPECT_EQ(dialogs.shown.size(), 3u);
    EXPECT_TRUE(store.ReadRecord("three"));
    EXPECT_FALSE(store.ReadRecord("two"));
    EXPECT_FALSE(std::filesystem::exists(store.CopyPath("two")));
    EXPECT_TRUE(store.ReadRecord("one"));
    EXPECT_FALSE(window->GetDocument()->IsModified());
}

TEST_F(RecoveryTest, OnlyRecordsAreReadUntilACopyIsRecoveredAndADamagedOneIsKept) {
    const int64_t now = std::time(nullptr);
    Leave("good", 2, now - 2 * Day, RecoveryRecord::Untitled);
    Leave("damaged", 0, now - Day, "/home/user/face.glw");
    std::ofstream(store.CopyPath("damaged"), std::ios::binary) << std::string(100, '\7');
    Leave("pipe", 0, now, "/home/user/pipe.glw");
    std::filesystem::remove(store.CopyPath("pipe"));
    const vel::testing::NamedPipe pipe(store.CopyPath("pipe"));

    LookingDialogs looking;
    looking.answers = {RecoveryDlg::Result({0, RecoveryDlg::Recover}),
                       RecoveryDlg::Result({1, RecoveryDlg::Recover}), QDialog::Rejected};
    bool recovered = true;
    EXPECT_TRUE(pipe.RunsWithoutWaiting([&] { recovered = Offer(); }));
    EXPECT_FALSE(recovered);
    ASSERT_EQ(looking.recoverEnabled.size(), 3u);
    EXPECT_EQ(looking.recoverEnabled[0], (std::vector<bool>{true, true, true}))
        << "no copy is read before it is recovered";
    EXPECT_EQ(looking.recoverEnabled[1], (std::vector<bool>{false, true, true}));
    EXPECT_EQ(looking.recoverEnabled[2], (std::vector<bool>{false, false, true}));
    const std::string& damaged = looking.texts.at(looking.texts.size() - 2);
    EXPECT_NE(damaged.find("Damaged (not a document file"), std::string::npos) << damaged;
    EXPECT_NE(damaged.find("the copy is kept"), std::string::npos);
    EXPECT_NE(looking.texts.at(looking.texts.size() - 3).find("Damaged (not a regular file"),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(store.CopyPath("damaged")));
    EXPECT_TRUE(store.ReadRecord("damaged"));
    EXPECT_FALSE(window->GetDocument()->IsModified());
}

TEST_F(RecoveryTest, ACopyWhoseRecordIsDamagedOrMissingCanBeRecovered) {
    Leave("unreadable", 2, 1000, "/home/user/face.glw");
    std::ofstream(store.RecordPath("unreadable")) << "lumo recovery copy 1\ntime=";
    Leave("unrecorded", 3, 2000, "/home/user/face.glw");
    std::filesystem::remove(store.RecordPath("unrecorded"));
    // Without a record, the time the copy was written orders them.
    const auto now = std::filesystem::file_time_type::clock::now();
    std::filesystem::last_write_time(store.CopyPath("unreadable"), now - std::chrono::hours(48));
    std::filesystem::last_write_time(store.CopyPath("unrecorded"), now - std::chrono::hours(24));
    // A record whose copy is gone holds no work.
    Leave("gone", 1, 3000, "/home/user/gone.glw");
    std::filesystem::remove(store.CopyPath("gone"));

    LookingDialogs looking;
    looking.answers = {RecoveryDlg::Result({0, RecoveryDlg::Recover})};
    ASSERT_TRUE(Offer());
    EXPECT_EQ(looking.recoverEnabled.at(0), (std::vector<bool>{true, true}));
    ASSERT_EQ(looking.texts.size(), 3u);
    for (const size_t row : {1u, 2u}) {
        EXPECT_EQ(looking.texts[row].rfind("Untitled, copy of ", 0), 0u) << looking.texts[row];
        EXPECT_NE(looking.texts[row].find("record is damaged"), std::string::npos);
    }
    EXPECT_FALSE(store.ReadRecord("gone"));
    EXPECT_EQ(window->GetDocument()->GetModel().GetShapeCount(), 3u) << "the newer copy";
    EXPECT_TRUE(window->GetDocument()->IsModified());
    window->GetAutosaver().Finish();
    EXPECT_FALSE(std::filesystem::exists(store.CopyPath("unrecorded")));
    EXPECT_TRUE(std::filesystem::exists(store.CopyPath("unreadable")));
}

TEST_F(RecoveryTest, CopiesOlderThanAMonthOrAllOfThemAreDiscardedAtOnce) {
    const int64_t now = std::time(nullptr);
    Leave("recent", 1, now - Day, RecoveryRecord::Untitled);
    LookingDialogs looking;
    looking.answers = {QDialog::Rejected};
    EXPECT_FALSE(Offer());
    EXPECT_EQ(looking.wholeList.at(0), (std::vector<std::string>{"Discard All"}));

    Leave("old", 2, now - 31 * Day, RecoveryRecord::Untitled);
    Leave("older", 3, now - 300 * Day, RecoveryRecord::Untitled);
    looking.answers = {RecoveryDlg::Result({0, RecoveryDlg::DiscardOld}),
                       RecoveryDlg::Result({0, RecoveryDlg::Later})};
    EXPECT_FALSE(Offer());
    EXPECT_EQ(looking.wholeList.at(1),
              (std::vector<std::string>{"Discard Copies Older Than 30 Days", "Discard All"}));
    EXPECT_EQ(looking.recoverEnabled.at(2).size(), 1u) << "the recent copy alone stays";
    EXPECT_TRUE(store.ReadRecord("recent"));
    EXPECT_FALSE(store.ReadRecord("old"));
    EXPECT_FALSE(std::filesystem::exists(store.CopyPath("older")));

    // Everything goes only when the user says so a second time.
    Leave("old", 2, now - 31 * Day, RecoveryRecord::Untitled);
    looking.answers = {RecoveryDlg::Result({0, RecoveryDlg::DiscardAll}), DiscardAllQuestion::Keep,
                       QDialog::Rejected};
    EXPECT_FALSE(Offer());
    EXPECT_TRUE(store.ReadRecord("recent"));
    EXPECT_TRUE(store.ReadRecord("old"));
    looking.answers = {RecoveryDlg::Result({0, RecoveryDlg::DiscardAll}),
                       DiscardAllQuestion::Discard};
    EXPECT_FALSE(Offer());
    EXPECT_EQ(FileCount(), 0u);
}

TEST_F(RecoveryTest, RecoveringOnAFullDiskKeepsTheCopyTheWorkCameFrom) {
    std::filesystem::create_directories(state_ / "lumo");
    const vel::testing::SmallDisk disk(Folder(), 512 * 1024);
    if (!disk.Mounted()) {
        GTEST_SKIP() << "mounting a small disk needs the superuser";
    }
    Leave("left", 3, 1000, RecoveryRecord::Untitled);
    const std::string filler = Folder() + "/filler";
    vel::testing::SmallDisk::Fill(filler);
    dialogs.answers = {RecoveryDlg::Result({0, RecoveryDlg::Recover})};
    ASSERT_TRUE(Offer());
    Autosaver& autosave = window->GetAutosaver();
    autosave.Finish();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Status().contains(QStringLiteral("No space left on device")))
        << Status().toStdString();
    EXPECT_TRUE(Status().contains(QStringLiteral("last recovery copy is kept")));
    ASSERT_TRUE(store.ReadRecord("left")) << "the only copy of the work is still there";
    EXPECT_TRUE(std::filesystem::exists(store.CopyPath("left")));

    std::filesystem::remove(filler);
    Edit(*window);
    autosave.Tick();
    autosave.Finish();
    EXPECT_TRUE(store.ReadRecord(autosave.Id()));
    EXPECT_FALSE(store.ReadRecord("left")) << "replaced once the new copy is on the disk";
    EXPECT_FALSE(std::filesystem::exists(store.CopyPath("left")));
}

TEST_F(RecoveryTest, TheDialogRecoversOnReturnNamesTheProductAndScrollsManyCopies) {
    std::vector<LeftCopy> copies;
    for (int64_t index = 0; index < 60; ++index) {
        copies.push_back(
            {"copy" + std::to_string(index),
             {"/home/user/face" + std::to_string(index) + ".glw", 2000 - index, Ended()},
             false,
             {},
             false});
    }
    copies[0].damage = "the file is truncated";
    RecoveryDlg dialog(window.get(), copies);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Vellumar Gourdglowlight"));
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_LE(dialog.frameGeometry().height(), screen.height());
    EXPECT_LE(dialog.frameGeometry().width(), screen.width());
    ASSERT_NE(dialog.findChild<QScrollArea*>(), nullptr);
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), RecoveryDlg::Result({1, RecoveryDlg::Recover}))
        << "the newest copy that can be recovered";
}

TEST_F(RecoveryTest, ACopyOfADocumentOpenInARunningProgramIsNotOffered) {
    Leave("running", 2, 1000, "/home/user/face.glw", ProcessIdentity::Current());
    EXPECT_FALSE(Offer());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(store.ReadRecord("running"));
}

} // namespace
} // namespace vel::lumo::test
