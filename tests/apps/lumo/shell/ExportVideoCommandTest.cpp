#include "apps/lumo/shell/ExportVideoCommand.h"

#include "apps/lumo/dialogs/ExportProgressDlg.h"
#include "apps/lumo/dialogs/ExportVideoOptionsDlg.h"
#include "apps/lumo/document/LumoDocument.h"
#include "tests/support/TempFolder.h"
#include "tests/video/MediaProbe.h"
#include "wingui/UpDownEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

namespace fs = std::filesystem;
using Dlg = ExportVideoOptionsDlg;

// Answers the modal dialogs of a command one after the other, each as soon
// as it is up, the way a user would.
class Answers {
public:
    using Answer = std::function<void(QWidget*)>;
    explicit Answers(std::deque<Answer> answers) : answers_(std::move(answers)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Next(); });
        timer_.start(5);
    }
    size_t Left() const { return answers_.size(); }

private:
    void Next() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == last_ || answers_.empty() || !modal->isVisible())
            return;
        last_ = modal;
        Answer answer = std::move(answers_.front());
        answers_.pop_front();
        answer(modal);
    }

    std::deque<Answer> answers_;
    QTimer timer_;
    QWidget* last_ = nullptr;
};

class ExportVideoCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = qgetenv("HOME");
        qputenv("HOME", QByteArray::fromStdString(folder.Path().string()));
        document = LumoDocument::New();
        document->GetTimeline().SetAnchor(document->GetKnobs().front().key, 60, 0.5f);
    }
    void TearDown() override { qputenv("HOME", home_); }

    // Fills in the export dialog and presses OK.
    static Answers::Answer Choose(const std::string& file, const char* first, const char* end,
                                  const char* loops) {
        return [=](QWidget* modal) {
            auto* dlg = dynamic_cast<Dlg*>(modal);
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
        return [which](QWidget* modal) {
            auto* box = modal->findChild<QDialogButtonBox*>();
            ASSERT_TRUE(box);
            QTest::mouseClick(box->button(which), Qt::LeftButton);
        };
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string Contents(const std::string& file) const {
        std::ifstream in(file);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    testing::TempFolder folder;
    std::unique_ptr<LumoDocument> document;
    QByteArray home_;
};

TEST_F(ExportVideoCommandTest, WritesTheChosenRangeAndLoops) {
    const std::string file = folder / "out.mp4";
    Answers answers({Choose(file, "10", "13", "2")});
    EXPECT_EQ(ExportVideo(nullptr, document.get()), 1);
    EXPECT_EQ(answers.Left(), 0u);
    EXPECT_EQ(test::ProbeStream(file, "v:0").at("nb_read_frames"), "6");
    EXPECT_EQ(Files(), (std::vector<std::string>{"Videos", "out.mp4"}));
}

TEST_F(ExportVideoCommandTest, WritesNothingWithoutADocumentOrWhenTheDialogIsLeft) {
    EXPECT_EQ(ExportVideo(nullptr, nullptr), 0);
    {
        Answers answers({Press(QDialogButtonBox::Cancel)});
        EXPECT_EQ(ExportVideo(nullptr, document.get()), 0);
        EXPECT_EQ(answers.Left(), 0u);
    }
    // Loops 0 and an empty range keep OK from ending the dialog.
    for (auto [end, loops] : {std::pair{"13", "0"}, {"10", "1"}}) {
        Answers answers({[&](QWidget* modal) {
            Choose(folder / "none.mp4", "10", end, loops)(modal);
            EXPECT_TRUE(modal->isVisible());
            Press(QDialogButtonBox::Cancel)(modal);
        }});
        EXPECT_EQ(ExportVideo(nullptr, document.get()), 0);
        EXPECT_EQ(answers.Left(), 0u);
    }
    EXPECT_EQ(Files(), std::vector<std::string>{"Videos"});
}

TEST_F(ExportVideoCommandTest, CancelDuringTheExportKeepsTheExistingFileByteForByte) {
    const std::string file = folder / "keep.mp4";
    std::ofstream(file) << "precious\n";
    Answers answers({Choose(file, "0", "60", "1000"), Press(QDialogButtonBox::Cancel)});
    EXPECT_EQ(ExportVideo(nullptr, document.get()), 0);
    EXPECT_EQ(answers.Left(), 0u);
    EXPECT_EQ(Contents(file), "precious\n");
    EXPECT_EQ(Files(), (std::vector<std::string>{"Videos", "keep.mp4"}));
}

TEST_F(ExportVideoCommandTest, AFailureIsOneMessageWithFfmpegsText) {
    QString shown;
    Answers answers({Choose(folder / "missing/out.mp4", "0", "5", "1"), [&](QWidget* modal) {
                         auto* box = dynamic_cast<QMessageBox*>(modal);
                         ASSERT_TRUE(box);
                         EXPECT_EQ(box->windowTitle(), "Vellumar Gourdglowlight");
                         EXPECT_EQ(box->icon(), QMessageBox::Critical);
                         shown = box->text();
                         box->accept();
                     }});
    EXPECT_EQ(ExportVideo(nullptr, document.get()), 0);
    EXPECT_EQ(shown.toStdString(), "Sorry, something went wrong while trying to create your "
                                   "video.\n\nThe error code was -2: No such file or directory.");
    EXPECT_EQ(Files(), std::vector<std::string>{"Videos"});
}

TEST(ExportProgressDlg, ShowsFramesAndTimesAndCancelOnlyAsksToStop) {
    EXPECT_EQ(ExportProgressDlg::FramesText(1, 6), "Frame 1 of 6");
    EXPECT_EQ(ExportProgressDlg::TimesText(0, 6, 1500), "0:01 elapsed");
    EXPECT_EQ(ExportProgressDlg::TimesText(2, 6, 5000), "0:05 elapsed, about 0:10 remaining");
    EXPECT_EQ(ExportProgressDlg::TimesText(1, 1000, 3700000),
              "1:01:40 elapsed, about 1026:45:00 remaining");

    ExportProgressDlg progress(nullptr);
    progress.show();
    progress.Report(3, 6);
    QTest::keyClick(&progress, Qt::Key_Escape);
    EXPECT_TRUE(progress.CancelRequested());
    EXPECT_TRUE(progress.isVisible());
    progress.Finish();
    QCoreApplication::processEvents();
    EXPECT_FALSE(progress.isVisible());
}

} // namespace
} // namespace vel::lumo
