#include "wingui/FileDialog.h"

#include "tests/support/InstalledRunner.h"

#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace vel::wingui {
namespace {

// Answers a dialog at once, as a user would: looks at what it offers, then
// picks a name or cancels.
class ScriptedRunner : public FileDialogRunner {
public:
    QString folder;
    QString typed;
    bool confirm = true;
    QString title;
    QStringList filters;
    QString selectedFilter;
    QString suffix;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    QStringList preset;

    bool Run(QFileDialog& dialog) override {
        title = dialog.windowTitle();
        filters = dialog.nameFilters();
        selectedFilter = dialog.selectedNameFilter();
        suffix = dialog.defaultSuffix();
        mode = dialog.acceptMode();
        preset = dialog.selectedFiles();
        if (!folder.isEmpty()) {
            dialog.setDirectory(folder);
        }
        if (!typed.isEmpty()) {
            dialog.selectFile(typed);
        }
        return confirm;
    }
};

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        runner.folder = dir.path();
    }

    QTemporaryDir dir;
    ScriptedRunner runner;
    testing::InstalledRunner<BasicFileDialog> installed{&runner};
};

TEST_F(FileDialogTest, SaveOffersTitleAndFiltersInOrderAndAppendsTheDefaultExtension) {
    FileSaveDialog save;
    save.SetTitle("Export Video");
    save.AddFilter("MPEG-4", "*.mp4");
    save.AddFilter("All Files", "*.*");
    save.SetDefaultExtension("mp4");
    runner.typed = "clip";
    ASSERT_TRUE(save.Show(nullptr));
    EXPECT_EQ(runner.title, "Export Video");
    EXPECT_EQ(runner.filters, (QStringList{"MPEG-4 (*.mp4)", "All Files (*)"}));
    EXPECT_EQ(runner.selectedFilter, "MPEG-4 (*.mp4)");
    EXPECT_EQ(runner.mode, QFileDialog::AcceptSave);
    EXPECT_EQ(QString::fromStdString(save.ChosenPath()), dir.filePath("clip.mp4"));

    runner.typed = "clip.mov";
    ASSERT_TRUE(save.Show(nullptr));
    EXPECT_EQ(QString::fromStdString(save.ChosenPath()), dir.filePath("clip.mov"));
}

TEST_F(FileDialogTest, CancellingKeepsThePreviousChoice) {
    FileSaveDialog save;
    runner.typed = "first.glw";
    ASSERT_TRUE(save.Show(nullptr));
    runner.typed = "second.glw";
    runner.confirm = false;
    EXPECT_FALSE(save.Show(nullptr));
    EXPECT_EQ(QString::fromStdString(save.ChosenPath()), dir.filePath("first.glw"));
}

TEST_F(FileDialogTest, OpenStartsFromTheInitialNameAndKeepsAnExistingNameWithoutExtension) {
    QFile existing(dir.filePath("README"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();

    FileOpenDialog open;
    open.SetDefaultExtension("glw");
    open.SetInitialName(dir.filePath("face.glw").toStdString());
    runner.typed = "README";
    ASSERT_TRUE(open.Show(nullptr));
    EXPECT_EQ(runner.mode, QFileDialog::AcceptOpen);
    EXPECT_EQ(runner.title, QFileDialog().windowTitle());
    ASSERT_FALSE(runner.preset.isEmpty());
    EXPECT_TRUE(runner.preset.front().endsWith("face.glw"));
    EXPECT_EQ(QString::fromStdString(open.ChosenPath()), dir.filePath("README"));

    runner.typed = "face";
    ASSERT_TRUE(open.Show(nullptr));
    EXPECT_EQ(QString::fromStdString(open.ChosenPath()), dir.filePath("face.glw"));
}

// Names made on a Latin-1 system show as text with U+FFFD; the path chosen
// is still the one the file system knows.
TEST_F(FileDialogTest, ChosenPathsAreTheFileSystemsBytes) {
    const std::string folder = QFile::encodeName(dir.path()).toStdString();
    const std::string latin = folder + "/f\xeate/f\xeate.glw";
    std::filesystem::create_directory(folder + "/f\xeate");
    std::ofstream(latin) << "face";
    FileOpenDialog open;
    // Typed into the name box of a dialog showing the test's folder, as the
    // listing shows it.
    runner.typed = QFile::decodeName("f\xeate/f\xeate.glw");
    ASSERT_TRUE(open.Show(nullptr));
    EXPECT_EQ(open.ChosenPath(), latin);

    // A new name proposed as bytes comes back as they are when it is taken.
    FileSaveDialog save;
    const std::string proposed = folder + "/f\xeate/vid\xe9o.mp4";
    save.SetInitialName(proposed);
    runner.typed.clear();
    ASSERT_TRUE(save.Show(nullptr));
    EXPECT_EQ(save.ChosenPath(), proposed);
    // The temporary folder cannot remove names that are not UTF-8 itself.
    std::filesystem::remove_all(folder + "/f\xeate");
}

} // namespace
} // namespace vel::wingui
