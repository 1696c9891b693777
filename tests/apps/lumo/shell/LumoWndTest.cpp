#include "apps/lumo/document/AnchorCommands.h"
#include "apps/lumo/document/MacroCommand.h"
#include "apps/lumo/document/SelectionCommands.h"
#include "apps/lumo/document/ShapeCommands.h"
#include "apps/lumo/model/StandardKnobs.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/PreviewWnd.h"
#include "apps/lumo/panes/ShapeWnd.h"
#include "apps/lumo/shell/SaveChangesQuestion.h"
#include "tests/apps/lumo/shell/ShellFixture.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WavBytes.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <set>

namespace vel::lumo::test {
namespace {

using testing::TempFolder;

// Writes a document with one shape and answers its path.
std::string SavedDocument(const TempFolder& folder, const std::string& name) {
    auto document = LumoDocument::New();
    document->GetModel().InsertNewShape(0);
    const std::string path = folder / name;
    EXPECT_TRUE(document->Save(path));
    return path;
}

std::vector<std::string> MenuTexts(const QMenu* menu) {
    std::vector<std::string> texts;
    for (const QAction* action : menu->actions()) {
        texts.push_back(action->isSeparator() ? "-" : action->text().toStdString());
    }
    return texts;
}

class LumoWndTest : public ShellTest {};

TEST_F(LumoWndTest, MenusHoldTheCommandsInOrderWithTheirKeys) {
    const QList<QAction*> menus = window->menuBar()->actions();
    ASSERT_EQ(menus.size(), 5);
    EXPECT_EQ(MenuTexts(menus[0]->menu()),
              (std::vector<std::string>{"&New\tCtrl+N", "New from Tem&plate...", "&Open...\tCtrl+O",
                                        "&Close\tCtrl+W", "&Save\tCtrl+S", "Save &As...",
                                        "Save as Te&mplate...", "-", "Export &Video...\tCtrl+F5",
                                        "-", "&Trace Photo...", "Remove P&hoto", "-",
                                        "&Recent Files", "-", "E&xit\tCtrl+Q"}));
    EXPECT_EQ(MenuTexts(menus[1]->menu()),
              (std::vector<std::string>{"Load &Audio", "-", "&Undo\tCtrl+Z", "&Redo\tCtrl+Y"}));
    EXPECT_EQ(MenuTexts(menus[2]->menu()),
              (std::vector<std::string>{"&Lip Sync from Audio...", "Add &Blinks...",
                                        "Candle &Flicker...", "-", "&Expression Keys..."}));
    EXPECT_EQ(MenuTexts(menus[3]->menu()),
              (std::vector<std::string>{"&Play\tF5", "Show on P&rojector", "&Live Voice", "-",
                                        "Home\tHome", "End\tEnd", "-", "&Fit Preview\tCtrl+0",
                                        "&Status Bar", "P&hoto"}));
    EXPECT_EQ(MenuTexts(menus[4]->menu()),
              (std::vector<std::string>{"&Tutorial", "&Keyboard Shortcuts", "-",
                                        "&About Vellumar Gourdglowlight"}));
    for (uint32_t id : {IdNew, IdOpen, IdClose, IdSave, IdSaveAs, IdExportVideo, IdExit,
                        IdLoadAudio, IdUndo, IdRedo, IdLipSync, IdAddBlinks, IdCandleFlicker,
                        IdPlay, IdHome, IdEnd, IdTutorial, IdKeyboardShortcuts, IdAbout}) {
        ASSERT_NE(window->Action(id), nullptr) << id;
        EXPECT_EQ(window->Action(id)->data().toUInt(), id);
    }
}

// Two entries of one menu under the same Alt letter would make that letter pick
// the first and leave the other out of reach of the keyboard.
TEST_F(LumoWndTest, NoTwoEntriesOfAMenuShareTheirUnderlinedLetter) {
    std::vector<const QMenu*> menus;
    for (const QAction* action : window->menuBar()->actions()) {
        menus.push_back(action->menu());
    }
    for (std::size_t m = 0; m < menus.size(); ++m) {
        std::set<QChar> letters;
        for (const QAction* action : menus[m]->actions()) {
            if (action->menu() != nullptr) {
                menus.push_back(action->menu());
            }
            const QString text = action->text().section(QLatin1Char('\t'), 0, 0);
            // "&&" is an ampersand shown, not a mark.
            const QRegularExpressionMatch mark =
                QRegularExpression(QStringLiteral("(?:^|[^&])(?:&&)*&([^&])")).match(text);
            if (mark.hasMatch()) {
                EXPECT_TRUE(letters.insert(mark.captured(1).front().toLower()).second)
                    << text.toStdString() << " in " << menus[m]->title().toStdString();
            }
        }
    }
}

TEST_F(LumoWndTest, MenuStateFollowsTheDocumentHistoryFrameAndPlayback) {
    window->UpdateMenuState();
    EXPECT_FALSE(window->Action(IdSave)->isEnabled());
    EXPECT_FALSE(window->Action(IdUndo)->isEnabled());
    EXPECT_FALSE(window->Action(IdRedo)->isEnabled());
    EXPECT_FALSE(window->Action(IdHome)->isEnabled());
    EXPECT_TRUE(window->Action(IdSaveAs)->isEnabled());
    EXPECT_FALSE(window->Action(IdRecentFile1)->isEnabled());
    EXPECT_EQ(window->Action(IdRecentFile1)->text(), "&1 ");

    Edit(*window);
    window->OnCommand(IdUndo);
    window->SetFrame(5);
    window->UpdateMenuState();
    EXPECT_FALSE(window->Action(IdSave)->isEnabled());
    EXPECT_FALSE(window->Action(IdUndo)->isEnabled());
    EXPECT_TRUE(window->Action(IdRedo)->isEnabled());
    EXPECT_TRUE(window->Action(IdHome)->isEnabled());
    EXPECT_FALSE(window->Action(IdEnd)->isEnabled());

    window->OnCommand(IdRedo);
    window->GetDocument()->Execute(
        InsertAnchorCmd(window->GetDocument(), StandardKnobs()[0].key, 40, 0.5f));
    window->Play();
    window->UpdateMenuState();
    EXPECT_TRUE(window->Action(IdSave)->isEnabled());
    EXPECT_TRUE(window->Action(IdEnd)->isEnabled());
    EXPECT_EQ(window->Action(IdPlay)->text(), "Pause\tF5");
    window->Stop();
    window->UpdateMenuState();
    EXPECT_EQ(window->Action(IdPlay)->text(), "Play\tF5");
}

// The history commands name the step they would act on, however the history
// changed, and read plain and disabled with nothing to act on.
TEST_F(LumoWndTest, UndoAndRedoNameTheStepTheyWouldTake) {
    QMenu* edit = window->menuBar()->actions()[1]->menu();
    const auto openEdit = [edit] {
        Q_EMIT edit->aboutToShow();
    };
    QAction* undo = window->Action(IdUndo);
    QAction* redo = window->Action(IdRedo);
    openEdit();
    EXPECT_EQ(undo->text().toStdString(), "&Undo\tCtrl+Z");
    EXPECT_FALSE(undo->isEnabled());

    // A web at the centre of the face, dragged with the mouse.
    auto document = LumoDocument::New();
    document->GetModel().InsertNewShape(0);
    document->GetModel().InsertPose(0, 0, KnobKey("first"), {{0, 0}, {0.5f, 0}, {0, 0.5f}});
    window->SetDocument(std::move(document));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->RequestSelection({0, 0, 0});
    PreviewWnd* preview = window->Preview();
    const QPoint centre(preview->width() / 2, preview->height() / 2);
    QTest::mousePress(preview, Qt::LeftButton, {}, centre);
    QTest::mouseMove(preview, centre + QPoint(30, 0));
    QTest::mouseRelease(preview, Qt::LeftButton, {}, centre + QPoint(30, 0));
    ASSERT_GT(window->GetDocument()->GetPoint(0, 0, 0).x, 0.0f);
    openEdit();
    EXPECT_EQ(undo->text().toStdString(), "&Undo Move Point\tCtrl+Z");
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(redo->text().toStdString(), "&Redo\tCtrl+Y");

    window->OnCommand(IdUndo);
    openEdit();
    EXPECT_EQ(undo->text().toStdString(), "&Undo\tCtrl+Z");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->text().toStdString(), "&Redo Move Point\tCtrl+Y");

    // Another document brings its own history.
    window->OnCommand(IdNew);
    openEdit();
    EXPECT_EQ(redo->text().toStdString(), "&Redo\tCtrl+Y");
    EXPECT_FALSE(redo->isEnabled());
}

TEST_F(LumoWndTest, CaptionNamesTheFileAndMarksChanges) {
    EXPECT_EQ(window->windowTitle(), "Vellumar Gourdglowlight");
    Edit(*window);
    EXPECT_EQ(window->windowTitle(), "Untitled* - Vellumar Gourdglowlight");
    window->OnCommand(IdUndo);
    EXPECT_EQ(window->windowTitle(), "Vellumar Gourdglowlight");

    TempFolder folder;
    const std::string path = SavedDocument(folder, "scary face.glw");
    ASSERT_TRUE(window->OpenFile(path));
    EXPECT_EQ(window->windowTitle(), "scary face.glw - Vellumar Gourdglowlight");
    Edit(*window);
    EXPECT_EQ(window->windowTitle(), "scary face.glw* - Vellumar Gourdglowlight");
    EXPECT_EQ(window->OnCommand(IdSave), 0);
    EXPECT_EQ(window->windowTitle(), "scary face.glw - Vellumar Gourdglowlight");
}

// Each command that would drop the open document, and what each answer does.
struct Guarded {
    const char* name;
    std::function<void(LumoWnd&, ScriptedDialogs&, const std::string& other)> run;
};

TEST_F(LumoWndTest, TheUnsavedChangesQuestionGuardsEveryCommandThatDropsTheDocument) {
    TempFolder folder;
    const std::string other = SavedDocument(folder, "other.glw");
    const std::vector<Guarded> commands{
        {"New",
         [](LumoWnd& w, ScriptedDialogs&, const std::string&) {
             w.OnCommand(IdNew);
         }},
        {"Open",
         [](LumoWnd& w, ScriptedDialogs&, const std::string&) {
             w.OnCommand(IdOpen);
         }},
        {"Recent file",
         [](LumoWnd& w, ScriptedDialogs&, const std::string&) {
             w.OnCommand(IdRecentFile1);
         }},
        {"Close",
         [](LumoWnd& w, ScriptedDialogs&, const std::string&) {
             w.close();
         }},
        {"File Close (Ctrl+W)",
         [](LumoWnd& w, ScriptedDialogs&, const std::string&) {
             QTest::keyClick(&w, Qt::Key_W, Qt::ControlModifier);
         }},
        {"Exit (Ctrl+Q)",
         [](LumoWnd& w, ScriptedDialogs&, const std::string&) {
             QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
         }},
        {"Drop",
         [](LumoWnd& w, ScriptedDialogs&, const std::string& other) {
             EXPECT_TRUE(DropFile(w, other));
         }},
    };
    for (const Guarded& command : commands) {
        SCOPED_TRACE(command.name);
        QSettings("Vellumar", "Lumo").clear();
        QSettings("Vellumar", "Lumo").setValue("MRU/1", QString::fromStdString(other));
        window = std::make_unique<LumoWnd>(&clock);
        window->show();

        Edit(*window);
        LumoDocument* edited = window->GetDocument();
        dialogs.answers = {SaveChangesQuestion::Cancel};
        command.run(*window, dialogs, other);
        EXPECT_EQ(window->GetDocument(), edited);
        EXPECT_TRUE(window->isVisible());
        dialogs.files.clear();

        // Save without a file asks for one; cancelling that keeps everything.
        dialogs.answers = {SaveChangesQuestion::Save};
        command.run(*window, dialogs, other);
        EXPECT_EQ(window->GetDocument(), edited);
        EXPECT_TRUE(window->GetDocument()->IsModified());
        EXPECT_TRUE(window->isVisible());
        dialogs.files.clear();

        // A save that fails keeps the changes, the window and the document.
        dialogs.answers = {SaveChangesQuestion::Save};
        dialogs.files = {folder / "missing folder/x.glw"};
        dialogs.messages.clear();
        command.run(*window, dialogs, other);
        EXPECT_EQ(window->GetDocument(), edited);
        EXPECT_TRUE(window->GetDocument()->IsModified());
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].rfind("Error saving to file:\n", 0), 0u);
        EXPECT_NE(dialogs.messages[0].find("x.glw\n\nThe folder does not exist."),
                  std::string::npos);
        dialogs.files.clear();

        dialogs.answers = {SaveChangesQuestion::DontSave};
        dialogs.files = {other};
        command.run(*window, dialogs, other);
        dialogs.files.clear();
        EXPECT_TRUE(window->GetDocument() != edited || !window->isVisible());
        EXPECT_TRUE(dialogs.answers.empty());
        EXPECT_EQ(dialogs.shown, std::vector<std::string>(4, "Vellumar Gourdglowlight: 3 links"));
        dialogs.shown.clear();
    }
}

TEST_F(LumoWndTest, SavingToTheQuestionsFileLetsTheCommandGoOn) {
    TempFolder folder;
    Edit(*window);
    dialogs.answers = {SaveChangesQuestion::Save};
    dialogs.files = {folder / "kept"};
    window->OnCommand(IdNew);
    EXPECT_EQ(window->GetDocument()->GetModel().GetShapeCount(), 0u);
    auto reloaded = LumoDocument::New();
    ASSERT_TRUE(reloaded->Load(folder / "kept.glw"));
    EXPECT_EQ(reloaded->GetModel().GetShapeCount(), 1u);
    EXPECT_EQ(window->GetRecentFiles().GetEntries(), std::vector<std::string>{folder / "kept.glw"});
}

TEST_F(LumoWndTest, RecentFilesMoveToTheFrontKeepFourAndShowAmpersands) {
    TempFolder folder;
    std::vector<std::string> paths;
    for (const char* name : {"a.glw", "b & c.glw", "d.glw", "e.glw", "f.glw"}) {
        paths.push_back(SavedDocument(folder, name));
    }
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(window->OpenFile(paths[i]));
    }
    EXPECT_EQ(window->GetRecentFiles().GetEntries(),
              (std::vector<std::string>{paths[2], paths[1], paths[0]}));
    window->OpenFile(paths[2]);
    window->OpenFile(paths[0]);
    EXPECT_EQ(window->GetRecentFiles().GetEntries(),
              (std::vector<std::string>{paths[0], paths[2], paths[1]}));
    window->OpenFile(paths[3]);
    window->OpenFile(paths[4]);
    EXPECT_EQ(window->GetRecentFiles().GetEntries(),
              (std::vector<std::string>{paths[4], paths[3], paths[0], paths[2]}));

    window->OpenFile(paths[1]);
    window->UpdateMenuState();
    EXPECT_EQ(window->Action(IdRecentFile1)->text().toStdString(), "&1 " + folder / "b && c.glw");

    // The list comes back in the next run, and a vanished file stays in it.
    window = std::make_unique<LumoWnd>(&clock);
    EXPECT_EQ(window->GetRecentFiles().GetEntries().size(), 4u);
    std::filesystem::remove(paths[4]);
    window->OnCommand(IdRecentFile1 + 1);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0],
              "Error loading file:\n" + paths[4] + "\n\nThe file does not exist.");
    EXPECT_EQ(window->GetRecentFiles().GetEntries()[1], paths[4]);
}

TEST_F(LumoWndTest, RecentFilesStopAtTheFirstMissingEntry) {
    QSettings settings("Vellumar", "Lumo");
    settings.setValue("MRU/1", "/one.glw");
    settings.setValue("MRU/3", "/three.glw");
    settings.sync();
    window = std::make_unique<LumoWnd>(&clock);
    EXPECT_EQ(window->GetRecentFiles().GetEntries(), std::vector<std::string>{"/one.glw"});
}

TEST_F(LumoWndTest, ADocumentThatCannotBeOpenedLeavesTheOpenOneAsItWas) {
    TempFolder folder;
    testing::WriteWhole(folder / "bad.glw", "not a pumpkin");
    Edit(*window);
    LumoDocument* before = window->GetDocument();
    EXPECT_FALSE(window->OpenFile(folder / "bad.glw"));
    EXPECT_EQ(window->GetDocument(), before);
    EXPECT_TRUE(before->IsModified());
    EXPECT_TRUE(window->GetRecentFiles().GetEntries().empty());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], "Error loading file:\n" + folder / "bad.glw" +
                                       "\n\nNot a document file, or the file is damaged.");
}

TEST_F(LumoWndTest, LongPathsOpenAndSave) {
    TempFolder folder;
    std::string deep = folder.Path().string();
    while (deep.size() < 300) {
        deep += "/a-rather-long-folder-name";
        std::filesystem::create_directory(deep);
    }
    Edit(*window);
    dialogs.files = {deep + "/face.glw"};
    EXPECT_EQ(window->OnCommand(IdSaveAs), 0);
    EXPECT_FALSE(window->GetDocument()->IsModified());
    EXPECT_TRUE(window->OpenFile(deep + "/face.glw"));
}

TEST_F(LumoWndTest, UndoingAnEditBringsBackTheSelectionThatCameWithIt) {
    LumoDocument* document = window->GetDocument();
    window->RequestSelection({7, 1, 2});
    MacroCommand macro("New Shape");
    macro.Append(std::make_unique<InsertShapeCmd>(document, 0));
    macro.Append(
        std::make_unique<SelectPoseCmd>(window.get(), Selection{0, 0, 0}, Selection{7, 1, 2}));
    ASSERT_TRUE(document->Execute(macro));
    EXPECT_EQ(window->Shapes()->GetSelection(), (Selection{0, 0, 0}));
    window->OnCommand(IdUndo);
    EXPECT_EQ(window->Preview()->GetSelection(), (Selection{7, 1, 2}));
    EXPECT_EQ(window->Shapes()->GetSelection(), (Selection{7, 1, 2}));
    window->OnCommand(IdRedo);
    EXPECT_EQ(window->Shapes()->GetSelection(), (Selection{0, 0, 0}));
    EXPECT_EQ(document->GetModel().GetShapeCount(), 1u);
}

TEST_F(LumoWndTest, SplitsOutsideTheWindowAreComputedByQuarters) {
    QSettings settings("Vellumar", "Lumo");
    settings.setValue("xSplit", 5000);
    settings.setValue("ySplit", 300);
    settings.sync();
    window = std::make_unique<LumoWnd>(&clock);
    window->show();
    window->resize(1200, 900);
    QCoreApplication::processEvents();
    const QSize client = window->ClientArea()->size();
    int w = 1920;
    int h = 1080;
    while (w > client.width() - 4 * 96 || h > 3 * client.height() / 4) {
        w = 3 * w / 4;
        h = 3 * h / 4;
    }
    EXPECT_EQ(window->GetXSplit(), w);
    EXPECT_EQ(window->GetYSplit(), h);

    for (const QSize tiny : {QSize(0, 0), QSize(3, 2), QSize(200, 1)}) {
        window->ClientArea()->resize(tiny);
        window->Layout();
    }
}

TEST_F(LumoWndTest, SplittersFollowTheMouseAndEscapePutsThemBack) {
    window->show();
    QCoreApplication::processEvents();
    QWidget* client = window->ClientArea();
    const int x = window->GetXSplit();
    const int y = window->GetYSplit();
    // The crossing moves both splits.
    QTest::mousePress(client, Qt::LeftButton, {}, QPoint(x + 1, y + 1));
    QTest::mouseMove(client, QPoint(x - 40, y + 30));
    EXPECT_EQ(window->GetXSplit(), x - 40);
    EXPECT_EQ(window->GetYSplit(), y + 30);
    EXPECT_EQ(client->cursor().shape(), Qt::SizeAllCursor);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(window->GetXSplit(), x);
    EXPECT_EQ(window->GetYSplit(), y);

    QTest::mousePress(client, Qt::LeftButton, {}, QPoint(x + 1, 10));
    QTest::mouseMove(client, QPoint(x + 50, 12));
    QTest::mouseRelease(client, Qt::LeftButton, {}, QPoint(x + 50, 12));
    EXPECT_EQ(window->GetXSplit(), x + 50);
    EXPECT_EQ(window->GetYSplit(), y);

    window->close();
    EXPECT_EQ(QSettings("Vellumar", "Lumo").value("xSplit").toInt(), x + 50);
}

// Many small steps, as a window manager resizes, round nothing away; a
// window shrunk past the splits and grown again has them where they were.
TEST_F(LumoWndTest, AResizedWindowKeepsTheSplittersProportions) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QCoreApplication::processEvents();
    QWidget* client = window->ClientArea();
    const int x = window->GetXSplit();
    const int y = window->GetYSplit();
    QTest::mousePress(client, Qt::LeftButton, {}, QPoint(x + 1, y + 1));
    QTest::mouseMove(client, QPoint(x + 100, y - 60));
    QTest::mouseRelease(client, Qt::LeftButton, {}, QPoint(x + 100, y - 60));
    const QSize size = client->size();
    const QPoint splits(window->GetXSplit(), window->GetYSplit());
    ASSERT_EQ(splits, QPoint(x + 100, y - 60));

    for (int step = 1; step <= 60; ++step) {
        window->resize(window->size() - QSize(10, 8));
    }
    const QSize small = client->size();
    ASSERT_LT(small.width(), splits.x());
    EXPECT_NEAR(window->GetXSplit(), splits.x() * small.width() / double(size.width()), 1.0);
    EXPECT_NEAR(window->GetYSplit(), splits.y() * small.height() / double(size.height()), 1.0);

    window->resize(window->size() + QSize(600, 480));
    EXPECT_EQ(client->size(), size);
    EXPECT_EQ(QPoint(window->GetXSplit(), window->GetYSplit()), splits);
}

} // namespace
} // namespace vel::lumo::test
