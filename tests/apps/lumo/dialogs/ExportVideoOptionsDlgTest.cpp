#include "apps/lumo/dialogs/ExportVideoOptionsDlg.h"

#include "apps/lumo/dialogs/ExportFolderCheck.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/render/VideoSizes.h"
#include "tests/support/InstalledRunner.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Unprivileged.h"
#include "wingui/FileDialog.h"
#include "wingui/UpDownEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace vel::lumo {
namespace {

namespace fs = std::filesystem;
using Dlg = ExportVideoOptionsDlg;

class ExportVideoOptionsDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The videos folder lies in a home of the test's own.
        home_ = qgetenv("HOME");
        qputenv("HOME", QByteArray::fromStdString(home.Path().string()));
        videos = (home / "Videos");
        document = LumoDocument::New();
        // 100 frames long.
        document->GetTimeline().SetAnchor(document->GetKnobs().front().key, 100, 0.5f);
    }
    void TearDown() override { qputenv("HOME", home_); }

    std::unique_ptr<Dlg> Open() {
        auto dlg = std::make_unique<Dlg>(nullptr, *document);
        dlg->show();
        dlg->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
        return dlg;
    }
    static QString Text(Dlg& dlg, uint32_t id) {
        return static_cast<QLabel*>(dlg.Control(id))->text();
    }
    static bool Shown(Dlg& dlg, uint32_t id) { return dlg.Control(id)->isVisible(); }
    static void Type(QWidget* edit, const QString& text) {
        auto* line = qobject_cast<QLineEdit*>(edit);
        if (!line) {
            line = static_cast<wingui::UpDownEdit*>(edit)->Edit();
        }
        line->setFocus();
        line->selectAll();
        QTest::keyClicks(line, text);
    }
    static bool Pink(QWidget* edit) {
        return edit->palette().color(QPalette::Base) == wingui::OptionsDlgBase::kErrorColor;
    }

    testing::TempFolder home;
    std::string videos;
    std::unique_ptr<LumoDocument> document;
    QByteArray home_;
};

TEST_F(ExportVideoOptionsDlgTest, ProposesTheDocumentsNameInTheVideosFolderMadeWhenMissing) {
    ASSERT_FALSE(fs::exists(videos));
    auto unsaved = Open();
    EXPECT_TRUE(fs::is_directory(videos));
    EXPECT_EQ(unsaved->fileName.value, videos + "/lumo.mp4");

    const std::string saved = (home / "scary.glw");
    ASSERT_TRUE(document->Save(saved));
    auto dlg = Open();
    EXPECT_EQ(dlg->fileName.value, videos + "/scary.mp4");
    EXPECT_EQ(static_cast<QLineEdit*>(dlg->Control(Dlg::IdFileName))->text(),
              QString::fromStdString(videos + "/scary.mp4"));
    EXPECT_EQ(static_cast<wingui::UpDownEdit*>(dlg->Control(Dlg::IdEndFrame))->Text(), "00:03;10");
    EXPECT_FALSE(Shown(*dlg, Dlg::IdFileStatus));
    EXPECT_FALSE(Shown(*dlg, Dlg::IdFileIcon));
    // Loops 1: no loop clause.
    // A timecode reads as minutes to a newcomer: the seconds are given too,
    // and the tip says what the timecode means.
    EXPECT_EQ(Text(*dlg, Dlg::IdSummary), "Your animation is 00:03;10 (3.34 seconds) long.");
    EXPECT_TRUE(dlg->Control(Dlg::IdSummary)->toolTip().contains("seconds;frames"));
    EXPECT_TRUE(dlg->OkButton()->isEnabled());
    const ExportOptions options = dlg->Options();
    EXPECT_EQ(options.fileName, videos + "/scary.mp4");
    EXPECT_EQ(options.firstFrame, 0u);
    EXPECT_EQ(options.endFrame, 100u);
    EXPECT_EQ(options.loopCount, 1u);
    EXPECT_FALSE(options.burnIn);
    EXPECT_FALSE(options.fitted);
    EXPECT_FALSE(static_cast<QCheckBox*>(dlg->Control(Dlg::IdFitted))->isChecked());
}

TEST_F(ExportVideoOptionsDlgTest, ANameTypedAtOnceReplacesTheProposedOne) {
    auto dlg = Open();
    for (char c : std::string("take")) {
        QTest::keyClick(dlg->windowHandle(), c);
    }
    EXPECT_EQ(dlg->fileName.value, videos + "/take.mp4");
    // Tab leads on through the fields to the buttons.
    for (uint32_t id : {Dlg::IdBrowse, Dlg::IdLoops, Dlg::IdMinutes, Dlg::IdFirstFrame,
                        Dlg::IdEndFrame, Dlg::IdSize, Dlg::IdBurnIn, Dlg::IdFitted}) {
        QTest::keyClick(dlg->windowHandle(), Qt::Key_Tab);
        EXPECT_TRUE(dlg->Control(id)->hasFocus()) << id;
    }
    QTest::keyClick(dlg->windowHandle(), Qt::Key_Tab);
    EXPECT_TRUE(dlg->OkButton()->hasFocus() || dlg->CancelButton()->hasFocus());
}

TEST_F(ExportVideoOptionsDlgTest, TypedNamesAreCompletedAndJudged) {
    auto dlg = Open();
    QWidget* edit = dlg->Control(Dlg::IdFileName);
    Type(edit, "out");
    EXPECT_EQ(dlg->fileName.value, videos + "/out.mp4");
    Type(edit, "../elsewhere/./out");
    EXPECT_EQ(dlg->fileName.value, (home / "elsewhere/out.mp4"));

    fs::create_directory(home / "clips");
    const std::string mov = (home / "clips/take.MOV");
    Type(edit, QString::fromStdString(mov));
    EXPECT_EQ(dlg->fileName.value, mov);
    EXPECT_TRUE(Shown(*dlg, Dlg::IdFileStatus));
    EXPECT_EQ(Text(*dlg, Dlg::IdFileStatus),
              "The file name should end in \".mp4\" for best results.");
    EXPECT_TRUE(dlg->OkButton()->isEnabled());
    Type(edit, QString::fromStdString((home / "clips/take.Mp4")));
    EXPECT_FALSE(Shown(*dlg, Dlg::IdFileStatus));

    std::ofstream((home / "old.mp4")) << "old";
    Type(edit, QString::fromStdString((home / "old.mp4")));
    EXPECT_EQ(Text(*dlg, Dlg::IdFileStatus),
              "A file with that name already exists: the export asks before replacing it.");
    EXPECT_TRUE(dlg->OkButton()->isEnabled());

    Type(edit, "take?.mp4");
    EXPECT_EQ(Text(*dlg, Dlg::IdFileStatus),
              "The file name may not contain any of these characters: < > : | ? *.");
    EXPECT_FALSE(dlg->OkButton()->isEnabled());
    EXPECT_TRUE(Pink(edit));

    // An empty entry means the default name; leaving the edit shows it.
    Type(edit, "");
    QTest::keyClick(static_cast<QLineEdit*>(edit), Qt::Key_Backspace);
    EXPECT_EQ(dlg->fileName.value, videos + "/lumo.mp4");
    dlg->Control(Dlg::IdBurnIn)->setFocus();
    EXPECT_EQ(static_cast<QLineEdit*>(edit)->text(), QString::fromStdString(videos + "/lumo.mp4"));
}

TEST_F(ExportVideoOptionsDlgTest, AFolderThatCannotTakeTheVideoIsSaidBeforeOk) {
    auto dlg = Open();
    QWidget* edit = dlg->Control(Dlg::IdFileName);
    std::ofstream(home / "plain") << "not a folder";
    for (const char* name : {"missing/out.mp4", "plain/out.mp4"}) {
        Type(edit, QString::fromStdString(home / name));
        EXPECT_TRUE(Shown(*dlg, Dlg::IdFileStatus));
        EXPECT_EQ(Text(*dlg, Dlg::IdFileStatus), "The folder of the file does not exist.");
        EXPECT_FALSE(dlg->OkButton()->isEnabled());
        EXPECT_TRUE(Pink(edit));
    }
    fs::create_directory(home / "missing");
    Type(edit, QString::fromStdString(home / "missing/out.mp4"));
    EXPECT_FALSE(Shown(*dlg, Dlg::IdFileStatus));
    EXPECT_TRUE(dlg->OkButton()->isEnabled());
}

TEST_F(ExportVideoOptionsDlgTest, TheVideosFolderMustTakeNewFiles) {
    const testing::TempFolder folder;
    EXPECT_EQ(ExportFolderProblem(folder / "out.mp4"), "");
    EXPECT_EQ(ExportFolderProblem(folder / "none/out.mp4"),
              "The folder of the file does not exist.");
    fs::create_directory(folder / "taken.mp4");
    EXPECT_EQ(ExportFolderProblem(folder / "taken.mp4"),
              "A folder has that name: the video needs a name of its own.");
    fs::create_directory(folder / "locked");
    fs::permissions(folder / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_TRUE(testing::AsUnprivilegedUser(folder.Path(), [&] {
        return ExportFolderProblem(folder / "locked/out.mp4") ==
                   "The folder of the file cannot be written to." &&
               ExportFolderProblem(folder / "out.mp4").empty();
    }));
}

TEST_F(ExportVideoOptionsDlgTest, StartsFromTheRememberedFolderLoopsAndFitting) {
    fs::create_directory(home / "clips");
    Dlg dlg(nullptr, *document, {home / "clips", 4, true});
    EXPECT_EQ(dlg.fileName.value, home / "clips/lumo.mp4");
    EXPECT_EQ(dlg.loops.value, 4u);
    EXPECT_TRUE(dlg.fitted.value);
    const ExportChoices choices = dlg.Choices();
    EXPECT_EQ(choices.folder, home / "clips");
    EXPECT_EQ(choices.loops, 4u);
    EXPECT_TRUE(choices.fitted);
    // Nothing remembered yet: the videos folder, one loop, unfitted.
    const Dlg fresh(nullptr, *document);
    EXPECT_EQ(fresh.fileName.value, videos + "/lumo.mp4");
    EXPECT_EQ(fresh.loops.value, 1u);
    EXPECT_FALSE(fresh.fitted.value);
}

TEST_F(ExportVideoOptionsDlgTest, TheFittedBoxIsWhatTheExportAndTheNextDialogGet) {
    auto dlg = Open();
    auto* box = static_cast<QCheckBox*>(dlg->Control(Dlg::IdFitted));
    EXPECT_EQ(box->text(), "Fitted to the &pumpkin");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_TRUE(dlg->Options().fitted);
    EXPECT_TRUE(dlg->Choices().fitted);
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_FALSE(dlg->Options().fitted);
    EXPECT_FALSE(dlg->Choices().fitted);
}

TEST_F(ExportVideoOptionsDlgTest, TheSizeAndMinutesAreWhatTheExportAndTheNextDialogGet) {
    auto dlg = Open();
    auto* box = static_cast<QComboBox*>(dlg->Control(Dlg::IdSize));
    ASSERT_EQ(box->count(), static_cast<int>(VideoSizes().size()));
    for (int i = 0; i < box->count(); ++i) {
        EXPECT_EQ(box->itemText(i).toStdString(), VideoSizeLabel(VideoSizes()[i]));
    }
    EXPECT_EQ(box->currentText(), "1920 × 1080 (widescreen HD)");
    EXPECT_EQ(dlg->Options().size, VideoSize);
    const auto labels = dlg->findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&](QLabel* label) {
        return label->buddy() == box && label->text() == "Picture si&ze:";
    }));

    // Two steps down the list: the first 4:3 size.
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down);
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(dlg->Options().size, (CanvasSize{1024, 768}));
    EXPECT_EQ(dlg->Choices().size, (CanvasSize{1024, 768}));

    // 100 frames for at least half an hour: 53946 frames, 540 loops, which
    // the loop count then no longer decides.
    QWidget* minutes = dlg->Control(Dlg::IdMinutes);
    Type(dlg->Control(Dlg::IdLoops), "7");
    Type(minutes, "30");
    EXPECT_TRUE(Text(*dlg, Dlg::IdSummary).contains("it will loop 540 times"))
        << Text(*dlg, Dlg::IdSummary).toStdString();
    EXPECT_EQ(dlg->Options().minutes, 30u);
    EXPECT_EQ(dlg->Options().loopCount, 7u);
    EXPECT_EQ(dlg->Choices().minutes, 30u);
    Type(minutes, "1441");
    EXPECT_EQ(Text(*dlg, Dlg::IdSummary),
              "Your animation is 00:03;10 (3.34 seconds) long, but a video can play for at most "
              "1440 minutes (a day).");
    EXPECT_TRUE(Pink(static_cast<wingui::UpDownEdit*>(minutes)->Edit()));
    EXPECT_FALSE(dlg->OkButton()->isEnabled());
    Type(minutes, "30");

    // The next dialog starts from them.
    Dlg next(nullptr, *document, dlg->Choices());
    next.show();
    EXPECT_EQ(static_cast<QComboBox*>(next.Control(Dlg::IdSize))->currentText(),
              "1024 × 768 (4:3 projector)");
    EXPECT_EQ(next.Options().size, (CanvasSize{1024, 768}));
    EXPECT_EQ(static_cast<wingui::UpDownEdit*>(next.Control(Dlg::IdMinutes))->Text(), "30");
}

TEST_F(ExportVideoOptionsDlgTest, LoopsAndRangeExplainThemselvesAndGuardOk) {
    auto dlg = Open();
    QWidget* loops = dlg->Control(Dlg::IdLoops);
    QWidget* first = dlg->Control(Dlg::IdFirstFrame);
    QWidget* end = dlg->Control(Dlg::IdEndFrame);

    Type(loops, "3");
    EXPECT_EQ(Text(*dlg, Dlg::IdSummary),
              "Your animation is 00:03;10 (3.34 seconds) long, and it will loop 3 times for a "
              "total running time of 00:10;00 (10.01 seconds).");
    Type(loops, "0");
    EXPECT_EQ(Text(*dlg, Dlg::IdSummary),
              "Your animation is 00:03;10 (3.34 seconds) long, but you must set the Loops to at "
              "least 1.");
    EXPECT_TRUE(Pink(static_cast<wingui::UpDownEdit*>(loops)->Edit()));
    EXPECT_FALSE(dlg->OkButton()->isEnabled());
    // The down arrow cannot go below 0; the up arrow mends it.
    QTest::keyClick(loops, Qt::Key_Down);
    EXPECT_EQ(dlg->loops.value, 0u);
    QTest::keyClick(loops, Qt::Key_Up);
    EXPECT_EQ(dlg->loops.value, 1u);
    EXPECT_TRUE(dlg->OkButton()->isEnabled());

    Type(first, "100");
    EXPECT_EQ(dlg->firstFrame.value, 100u);
    EXPECT_EQ(Text(*dlg, Dlg::IdSummary), "The frame range must contain at least one frame.");
    EXPECT_TRUE(Pink(static_cast<wingui::UpDownEdit*>(end)->Edit()));
    EXPECT_FALSE(Pink(static_cast<wingui::UpDownEdit*>(first)->Edit()));
    EXPECT_FALSE(dlg->OkButton()->isEnabled());
    QTest::keyClick(end, Qt::Key_Up);
    EXPECT_EQ(dlg->endFrame.value, 101u);
    EXPECT_EQ(Text(*dlg, Dlg::IdSummary), "Your animation is 00:00;01 (0.03 seconds) long.");
    EXPECT_TRUE(dlg->OkButton()->isEnabled());

    // Timecodes are typed as well as frame numbers and shown as timecodes.
    Type(first, "1:00;02");
    EXPECT_EQ(dlg->firstFrame.value, 1800u);
    dlg->Control(Dlg::IdBurnIn)->setFocus();
    EXPECT_EQ(static_cast<wingui::UpDownEdit*>(first)->Text(), "01:00;02");
    QTest::keyClick(dlg->Control(Dlg::IdBurnIn), Qt::Key_Space);
    EXPECT_TRUE(dlg->Options().burnIn);
}

TEST_F(ExportVideoOptionsDlgTest, ASummaryThatGrowsALineGrowsTheDialogWithIt) {
    auto dlg = Open();
    dlg->resize(dlg->minimumSizeHint().width(), dlg->minimumSizeHint().height());
    QTest::qWait(50);
    Type(dlg->Control(Dlg::IdLoops), "1000");
    Type(dlg->Control(Dlg::IdMinutes), "1000");
    auto* summary = static_cast<QLabel*>(dlg->Control(Dlg::IdSummary));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return summary->height() >= summary->heightForWidth(summary->width());
    })) << summary->text().toStdString()
        << ": " << summary->height() << " pixels high";
}

// Chooses a name in the save dialog at once.
class ChoosingRunner : public wingui::FileDialogRunner {
public:
    QString chosen;
    QString title;
    QString suffix;
    QStringList preset;
    bool Run(QFileDialog& dialog) override {
        title = dialog.windowTitle();
        suffix = dialog.defaultSuffix();
        preset = dialog.selectedFiles();
        dialog.selectFile(chosen);
        return true;
    }
};

TEST_F(ExportVideoOptionsDlgTest, BrowseStartsFromTheNameAndTakesTheChosenOne) {
    auto dlg = Open();
    ChoosingRunner runner;
    runner.chosen = QString::fromStdString((home / "picked"));
    {
        const testing::InstalledRunner<wingui::BasicFileDialog> installed(&runner);
        QTest::mouseClick(static_cast<QPushButton*>(dlg->Control(Dlg::IdBrowse)), Qt::LeftButton);
    }
    EXPECT_EQ(runner.title, "Export Video");
    EXPECT_EQ(runner.suffix, "mp4");
    EXPECT_EQ(runner.preset, QStringList{QString::fromStdString(videos + "/lumo.mp4")});
    EXPECT_EQ(dlg->fileName.value, (home / "picked.mp4"));
    EXPECT_EQ(static_cast<QLineEdit*>(dlg->Control(Dlg::IdFileName))->text(),
              QString::fromStdString((home / "picked.mp4")));
}

// A name made on a Latin-1 system shows as text with U+FFFD; the video is
// still named with the document's own bytes, typed into nothing or browsed.
TEST_F(ExportVideoOptionsDlgTest, ANameThatIsNotUtf8KeepsItsBytes) {
    ASSERT_TRUE(document->Save(home / "f\xeate.glw"));
    const std::string video = videos + "/f\xeate.mp4";
    fs::create_directories(videos);
    std::ofstream(video) << "old";
    auto dlg = Open();
    EXPECT_EQ(dlg->fileName.value, video);
    EXPECT_EQ(Text(*dlg, Dlg::IdFileStatus),
              "A file with that name already exists: the export asks before replacing it.");
    EXPECT_EQ(static_cast<QLineEdit*>(dlg->Control(Dlg::IdFileName))->text(),
              QString::fromStdString(videos + "/f") + QChar::ReplacementCharacter + "te.mp4");
    EXPECT_EQ(dlg->Options().fileName, video);

    ChoosingRunner runner;
    runner.chosen = QString::fromStdString(video);
    {
        const testing::InstalledRunner<wingui::BasicFileDialog> installed(&runner);
        QTest::mouseClick(static_cast<QPushButton*>(dlg->Control(Dlg::IdBrowse)), Qt::LeftButton);
    }
    EXPECT_EQ(dlg->Options().fileName, video);
}

} // namespace
} // namespace vel::lumo
