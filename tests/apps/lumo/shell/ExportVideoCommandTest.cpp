#include "apps/lumo/shell/ExportVideoCommand.h"

#include "apps/lumo/dialogs/ExportVideoOptionsDlg.h"
#include "apps/lumo/dialogs/WorkProgressDlg.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/shell/ExportNotice.h"
#include "tests/support/Files.h"
#include "tests/support/InstalledRunner.h"
#include "tests/support/MediaProbe.h"
#include "tests/support/TempFolder.h"
#include "wingui/DialogRunner.h"
#include "wingui/UpDownEdit.h"
#include "wingui/UrlOpener.h"

#include <QApplication>
#include <QComboBox>
#include <QCommandLinkButton>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

namespace fs = std::filesystem;
using Dlg = ExportVideoOptionsDlg;

// Answers the dialogs of a command one after the other through the dialog
// runner, the way a user would. A dialog its answer leaves open runs on as
// it would for the user: the progress until the export has ended.
class Answers : public wingui::DialogRunner {
public:
    using Answer = std::function<void(QDialog&)>;
    explicit Answers(std::deque<Answer> answers) : answers_(std::move(answers)) {}
    size_t Left() const { return answers_.size(); }

    int Run(QDialog& dialog) override {
        if (answers_.empty()) {
            ADD_FAILURE() << "an unexpected dialog: " << dialog.windowTitle().toStdString();
            return QDialog::Rejected;
        }
        const Answer answer = std::move(answers_.front());
        answers_.pop_front();
        dialog.show();
        answer(dialog);
        return dialog.isVisible() ? dialog.exec() : dialog.result();
    }

private:
    std::deque<Answer> answers_;
    testing::InstalledRunner<DialogRunner> installed_{this};
};

// Notes the locations handed to the desktop while it lives.
class Opened : public wingui::UrlOpener {
public:
    bool Open(const QUrl& url) override {
        urls.push_back(url);
        return handled;
    }

    std::vector<QUrl> urls;
    // Whether the desktop has a program for the location.
    bool handled = true;

private:
    testing::InstalledRunner<UrlOpener> installed_{this};
};

// Lets the export run to its end.
void Watch(QDialog& progress) {
    EXPECT_TRUE(dynamic_cast<WorkProgressDlg*>(&progress));
}

class ExportVideoCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = qgetenv("HOME");
        path_ = qgetenv("PATH");
        qputenv("HOME", QByteArray::fromStdString(folder.Path().string()));
        // The desktop's notifier found first is a stand-in that notes how it
        // was called.
        const fs::path script = tools / "notify-send";
        std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$@\" >\"$0.log\"\n";
        fs::permissions(script, fs::perms::owner_all);
        UseTools(tools.Path().string() + ":" + path_.toStdString());
        document = LumoDocument::New();
        document->GetTimeline().SetAnchor(document->GetKnobs().front().key, 60, 0.5f);
    }
    void TearDown() override {
        // Notices wait for the user: none is left for the next case.
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMessageBox*>(window)) {
                delete window;
            }
        }
        qputenv("HOME", home_);
        qputenv("PATH", path_);
    }
    // The notice of a video shown last, if one is up.
    static QMessageBox* Notice() {
        QMessageBox* notice = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
                notice = box;
            }
        }
        return notice;
    }
    static void UseTools(const std::string& path) {
        qputenv("PATH", QByteArray::fromStdString(path));
    }
    // The arguments the stand-in tool was called with, one a line; empty
    // when it was not called within a few seconds.
    std::string Called(const char* tool) const {
        const fs::path log = tools / (std::string(tool) + ".log");
        if (!QTest::qWaitFor([&] { return fs::exists(log); }, 5000)) {
            return {};
        }
        // Written by a shell that may still be writing.
        QTest::qWait(100);
        return Contents(log);
    }

    // Fills in the export dialog and presses OK.
    static Answers::Answer Choose(const std::string& file, const char* first, const char* end,
                                  const char* loops) {
        return [=](QDialog& shown) {
            auto* dlg = dynamic_cast<Dlg*>(&shown);
            ASSERT_TRUE(dlg);
            static_cast<QLineEdit*>(dlg->Control(Dlg::IdFileName))
                ->setText(QString::fromStdString(file));
            for (auto [id, text] : {std::pair{Dlg::IdFirstFrame, first},
                                    {Dlg::IdEndFrame, end},
                                    {Dlg::IdLoops, loops}}) {
                static_cast<wingui::UpDownEdit*>(dlg->Control(id))->Edit()->setText(text);
            }
            QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
        };
    }
    static Answers::Answer Press(QDialogButtonBox::StandardButton which) {
        return [which](QDialog& shown) {
            auto* box = shown.findChild<QDialogButtonBox*>();
            ASSERT_TRUE(box);
            QTest::mouseClick(box->button(which), Qt::LeftButton);
        };
    }
    // Answers a question by clicking the link of that text.
    static Answers::Answer Link(const char* text) {
        return [text](QDialog& shown) {
            auto* link = shown.findChild<QCommandLinkButton*>(text);
            ASSERT_TRUE(link);
            QTest::mouseClick(link, Qt::LeftButton);
        };
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder.Path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string Contents(const std::string& file) const {
        std::ifstream in(file);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    testing::TempFolder folder;
    testing::TempFolder tools;
    std::unique_ptr<LumoDocument> document;
    ExportChoices remembered;
    QByteArray home_;
    QByteArray path_;
};

TEST_F(ExportVideoCommandTest, WritesTheChosenRangeAndLoops) {
    const std::string file = folder / "out.mp4";
    Answers answers({Choose(file, "10", "13", "2"), Watch});
    EXPECT_EQ(ExportVideo(nullptr, document.get(), remembered), 1);
    EXPECT_EQ(answers.Left(), 0u);
    EXPECT_EQ(test::ProbeStream(file, "v:0").at("nb_read_frames"), "6");
    EXPECT_EQ(Files(), (std::vector<std::string>{"Videos", "out.mp4"}));
}

TEST_F(ExportVideoCommandTest, TheNextExportStartsFromTheLastFolderLoopsAndSize) {
    fs::create_directory(folder / "clips");
    const std::string file = folder / "clips/first.mp4";
    // The size three steps down the list: 800 × 600.
    const auto sized = [&](QDialog& shown) {
        auto* box = static_cast<QComboBox*>(dynamic_cast<Dlg&>(shown).Control(Dlg::IdSize));
        box->setFocus();
        for (int step = 0; step < 3; ++step) {
            QTest::keyClick(box, Qt::Key_Down);
        }
        Choose(file, "0", "3", "2")(shown);
    };
    Answers answers({sized, Watch, [&](QDialog& shown) {
                         auto* dlg = dynamic_cast<Dlg*>(&shown);
                         ASSERT_TRUE(dlg);
                         EXPECT_EQ(dlg->fileName.value, folder / "clips/lumo.mp4");
                         EXPECT_EQ(dlg->loops.value, 2u);
                         EXPECT_EQ(dlg->size.value, (CanvasSize{800, 600}));
                         Press(QDialogButtonBox::Cancel)(shown);
                     }});
    EXPECT_EQ(ExportVideo(nullptr, document.get(), remembered), 1);
    EXPECT_EQ(ExportVideo(nullptr, document.get(), remembered), 0);
    EXPECT_EQ(answers.Left(), 0u);
    const auto video = test::ProbeStream(file, "v:0");
    EXPECT_EQ(video.at("width"), "800");
    EXPECT_EQ(video.at("height"), "600");
}

TEST_F(ExportVideoCommandTest, TheNoticeNamesTheVideoWithoutWaitingAndOpensItsFolder) {
    const std::string file = folder / "out.mp4";
    // Notifications are for a user away from the program.
    AnnounceVideo(nullptr, file, false);
    QMessageBox* notice = Notice();
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->windowTitle(), "Vellumar Gourdglowlight");
    EXPECT_EQ(notice->text().toStdString(), "Your video is ready:\n" + file);
    EXPECT_FALSE(notice->isModal());
    QAbstractButton* open = nullptr;
    for (QAbstractButton* button : notice->buttons()) {
        if (button->text() == "Open &Folder") {
            open = button;
        }
    }
    ASSERT_TRUE(open);
    Opened opened;
    QTest::mouseClick(open, Qt::LeftButton);
    EXPECT_EQ(opened.urls,
              std::vector<QUrl>{QUrl::fromLocalFile(QString::fromStdString(folder.Path()))});
}

TEST_F(ExportVideoCommandTest, AFolderTheDesktopCannotOpenIsSaidSo) {
    const std::string file = folder / "<b>out.mp4";
    AnnounceVideo(nullptr, file, false);
    QMessageBox* notice = Notice();
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->textFormat(), Qt::PlainText);
    Opened opened;
    opened.handled = false;
    QString said;
    Answers answers({[&](QDialog& shown) {
        auto* box = dynamic_cast<QMessageBox*>(&shown);
        ASSERT_TRUE(box);
        said = box->text();
        box->accept();
    }});
    for (QAbstractButton* button : notice->buttons()) {
        if (button->text() == "Open &Folder") {
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }
    EXPECT_EQ(answers.Left(), 0u);
    EXPECT_EQ(said.toStdString(),
              "The folder cannot be opened: this desktop has no program for folders.\n" +
                  folder.Path().string());
}

TEST_F(ExportVideoCommandTest, TheDesktopTellsOfTheVideoWhileTheUserIsElsewhere) {
    const std::string file = folder / "out.mp4";
    AnnounceVideo(nullptr, file, true);
    EXPECT_EQ(Called("notify-send"),
              "Vellumar Gourdglowlight\nYour video is ready:\n" + file + "\n");
    EXPECT_FALSE(Notice());
    // The desktop reads the body as markup.
    fs::remove(tools / "notify-send.log");
    AnnounceVideo(nullptr, folder / "Tom & Jerry <3.mp4", true);
    EXPECT_EQ(Called("notify-send"), "Vellumar Gourdglowlight\nYour video is ready:\n" +
                                         (folder / "Tom &amp; Jerry &lt;3.mp4") + "\n");
    // A desktop without notifications: the notice waits for the user's return.
    fs::remove(tools / "notify-send");
    UseTools(tools.Path().string());
    AnnounceVideo(nullptr, file, true);
    EXPECT_TRUE(Notice());
}

TEST_F(ExportVideoCommandTest, WritesNothingWithoutADocumentOrWhenTheDialogIsLeft) {
    EXPECT_EQ(ExportVideo(nullptr, nullptr, remembered), 0);
    {
        Answers answers({Press(QDialogButtonBox::Cancel)});
        EXPECT_EQ(ExportVideo(nullptr, document.get(), remembered), 0);
        EXPECT_EQ(answers.Left(), 0u);
    }
    // Loops 0 and an empty range keep OK from ending the dialog.
    for (const auto& range : {std::pair{"13", "0"}, {"10", "1"}}) {
        Answers answers({[&](QDialog& shown) {
            Choose(folder / "none.mp4", "10", range.first, range.second)(shown);
            EXPECT_TRUE(shown.isVisible());
            Press(QDialogButtonBox::Cancel)(shown);
        }});
        EXPECT_EQ(ExportVideo(nullptr, document.get(), remembered), 0);
        EXPECT_EQ(answers.Left(), 0u);
    }
    EXPECT_EQ(Files(), std::vector<std::string>{"Videos"});
}

TEST_F(ExportVideoCommandTest, CancelDuringTheExportKeepsTheExistingFileByteForByte) {
    const std::string file = folder / "keep.mp4";
    std::ofstream(file) << "precious\n";
    Answers answers(
        {Choose(file, "0", "60", "1000"), Link("Replace"), Press(QDialogButtonBox::Cancel)});
    EXPECT_EQ(ExportVideo(nullptr, document.get(), remembered), 0);
    EXPECT_EQ(answers.Left(), 0u);
    EXPECT_EQ(Contents(file), "precious\n");
    EXPECT_EQ(Files(), (std::vector<std::string>{"Videos", "keep.mp4"}));
}

TEST_F(ExportVideoCommandTest, AFileAlreadyThereIsReplacedOnlyWhenTheUserSaysSo) {
    const std::string file = folder / "keep.mp4";
    std::ofstream(file) << "precious\n";
    std::string question;
    Answers keep({Choose(file, "0", "3", "1"),
                  [&](QDialog& shown) {
                      for (const QLabel* label : shown.findChildren<QLabel*>()) {
                          question += label->text().toStdString() + "\n";
                      }
                      Link("Choose Another Name")(shown);
                  },
                  [&](QDialog& shown) {
                      // The options come back as they were chosen.
                      auto* dlg = dynamic_cast<Dlg*>(&shown);
                      ASSERT_TRUE(dlg);
                      EXPECT_EQ(dlg->fileName.value, file);
                      Press(QDialogButtonBox::Cancel)(shown);
                  }});
    EXPECT_EQ(ExportVideo(nullptr, document.get(), remembered), 0);
    EXPECT_EQ(keep.Left(), 0u);
    EXPECT_EQ(question, "A file with that name is already there.\n" + file + "\nwould be lost.\n");
    EXPECT_EQ(Contents(file), "precious\n");

    Answers replace({Choose(file, "0", "3", "1"), Link("Replace"), Watch});
    EXPECT_EQ(ExportVideo(nullptr, document.get(), remembered), 1);
    EXPECT_EQ(replace.Left(), 0u);
    EXPECT_EQ(test::ProbeStream(file, "v:0").at("nb_read_frames"), "3");
}

TEST_F(ExportVideoCommandTest, AFailureIsOneMessageWithItsReason) {
    // Room for less than the video: the dialog cannot know, the export finds out.
    QString shown;
    Answers answers({Choose(folder / "big.mp4", "0", "60", "1"), Watch, [&](QDialog& dialog) {
                         auto* box = dynamic_cast<QMessageBox*>(&dialog);
                         ASSERT_TRUE(box);
                         EXPECT_EQ(box->windowTitle(), "Vellumar Gourdglowlight");
                         EXPECT_EQ(box->icon(), QMessageBox::Critical);
                         shown = box->text();
                         box->accept();
                     }});
    EXPECT_TRUE(testing::WithFileSizeLimit(
        4096, [&] { return ExportVideo(nullptr, document.get(), remembered) == 0; }));
    EXPECT_EQ(shown.toStdString(), "Sorry, something went wrong while trying to create your "
                                   "video.\n\nThe video cannot be written: File too large.");
    EXPECT_EQ(Files(), std::vector<std::string>{"Videos"});
}

} // namespace
} // namespace vel::lumo
