#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/shell/Autosaver.h"
#include "apps/lumo/shell/RecoveryDlg.h"
#include "apps/lumo/shell/RecoveryOffer.h"
#include "apps/lumo/shell/RecoveryStore.h"
#include "tests/apps/lumo/shell/RecoveryFolder.h"
#include "tests/apps/lumo/shell/ShellFixture.h"

#include <QPushButton>
#include <csignal>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace vel::lumo::test {
namespace {

TEST(RecoveryRecordTest, ComesBackAsWrittenAndRefusesAnythingLess) {
    RecoveryRecord record;
    record.document = "/home/user/odd\nname=1.glw";
    record.time = 1765000000;
    record.owner = ProcessIdentity::Current();
    const std::string text = record.ToText();
    const auto read = RecoveryRecord::Parse(text);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->document, record.document);
    EXPECT_EQ(read->time, record.time);
    EXPECT_EQ(read->owner, record.owner);
    for (size_t length = 0; length < text.size(); ++length) {
        EXPECT_FALSE(RecoveryRecord::Parse(text.substr(0, length))) << length;
    }
    EXPECT_FALSE(RecoveryRecord::Parse("lumo recovery copy 1\ntime=x\n"));
}

TEST(ProcessIdentityTest, TellsARunningProcessFromOneThatEnded) {
    EXPECT_TRUE(ProcessIdentity::Current().IsRunning());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::pause();
        ::_exit(0);
    }
    const ProcessIdentity identity = ProcessIdentity::Of(child);
    EXPECT_TRUE(identity.IsRunning());
    ProcessIdentity reused = identity;
    reused.started += 1;
    EXPECT_FALSE(reused.IsRunning()) << "another process that got the same id";
    ProcessIdentity earlierBoot = identity;
    earlierBoot.boot = "an earlier boot";
    EXPECT_FALSE(earlierBoot.IsRunning());
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_FALSE(identity.IsRunning());
}

class RecoveryTest : public RecoveryFolder, public ShellTest {
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
};

TEST_F(RecoveryTest, AnEndedRunsWorkComesBackUnsavedAndSavesWhereItCameFrom) {
    const testing::TempFolder files;
    Leave("older", 1, 1000, files / "old.glw");
    Leave("newer", 3, 2000, files / "face.glw");
    dialogs.answers = {RecoveryDlg::Result({0, RecoveryDlg::Recover})};
    EXPECT_TRUE(Offer());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    ASSERT_EQ(dialogs.texts.size(), 3u);
    EXPECT_EQ(dialogs.texts[0], "Lumo closed unexpectedly. Recover your work?");
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

TEST_F(RecoveryTest, ADamagedCopyIsReportedAndKept) {
    Leave("damaged", 0, 1000, "/home/user/face.glw");
    std::ofstream(store.CopyPath("damaged"), std::ios::binary) << std::string(100, '\7');
    std::ofstream(store.RecordPath("unreadable")) << "lumo recovery copy 1\ntime=";
    std::ofstream(store.CopyPath("unreadable")) << "half a copy";

    // A runner that looks at the buttons before it answers.
    struct Looking : ScriptedDialogs {
        int Run(QDialog& dialog) override {
            for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
                if (button->text() == "Recover") {
                    recoverEnabled.push_back(button->isEnabled());
                }
            }
            return ScriptedDialogs::Run(dialog);
        }
        std::vector<bool> recoverEnabled;
    } looking;
    looking.answers = {QDialog::Rejected};
    EXPECT_FALSE(Offer());
    EXPECT_EQ(looking.recoverEnabled, (std::vector<bool>{false, false}));
    ASSERT_EQ(looking.texts.size(), 3u);
    for (size_t row : {1u, 2u}) {
        EXPECT_NE(looking.texts[row].find("Damaged ("), std::string::npos) << looking.texts[row];
        EXPECT_NE(looking.texts[row].find("the copy is kept"), std::string::npos);
    }
    EXPECT_TRUE(std::filesystem::exists(store.CopyPath("damaged")));
    EXPECT_TRUE(std::filesystem::exists(store.CopyPath("unreadable")));
    EXPECT_FALSE(window->GetDocument()->IsModified());
}

TEST_F(RecoveryTest, ACopyOfADocumentOpenInARunningProgramIsNotOffered) {
    Leave("running", 2, 1000, "/home/user/face.glw", ProcessIdentity::Current());
    EXPECT_FALSE(Offer());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(store.ReadRecord("running"));
}

} // namespace
} // namespace vel::lumo::test
