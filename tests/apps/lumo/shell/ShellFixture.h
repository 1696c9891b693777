#pragma once

#include "apps/lumo/document/ShapeCommands.h"
#include "apps/lumo/shell/LumoWnd.h"
#include "apps/lumo/shell/PacerClock.h"
#include "core/File.h"
#include "tests/apps/lumo/shell/RecoveryFolder.h"
#include "tests/support/InstalledRunner.h"
#include "wingui/DialogRunner.h"
#include "wingui/FileDialog.h"

#include <QCommandLinkButton>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QUrl>
#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace vel::lumo::test {

// Time that moves only when the pacer waits, so playback steps at once.
class FakeClock : public PacerClock {
public:
    TimePoint Now() const override { return now; }
    void SleepUntil(TimePoint when) override {
        ++sleeps;
        now = std::max(now, when);
    }
    void Spin() override {
        ++spins;
        now += std::chrono::microseconds(100);
    }

    TimePoint now{};
    int sleeps = 0;
    int spins = 0;
};

// Answers every modal dialog at once, the way the user of a test would: the
// next scripted answer, OK for a message. Remembers what was shown.
class ScriptedDialogs : public wingui::DialogRunner, public wingui::FileDialogRunner {
public:
    ScriptedDialogs() = default;

    int Run(QDialog& dialog) override {
        if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
            messages.push_back(box->text().toStdString());
            return QMessageBox::Ok;
        }
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            texts.push_back(label->text().toStdString());
        }
        shown.push_back(dialog.windowTitle().toStdString() + ": " +
                        std::to_string(dialog.findChildren<QCommandLinkButton*>().size()) +
                        " links");
        if (answers.empty()) {
            ADD_FAILURE() << "an unexpected dialog";
            return QDialog::Rejected;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    bool Run(QFileDialog& dialog) override {
        fileTitles.push_back(dialog.windowTitle().toStdString());
        proposed.push_back(dialog.selectedFiles().value(0).toStdString());
        if (files.empty()) {
            return false;
        }
        dialog.selectFile(QString::fromStdString(files.front()));
        files.pop_front();
        return true;
    }

    std::deque<int> answers;
    // A path to choose, or none to cancel.
    std::deque<std::string> files;
    std::vector<std::string> shown;
    std::vector<std::string> messages;
    std::vector<std::string> fileTitles;
    // The texts of the questions shown, and the files the dialogs proposed.
    std::vector<std::string> texts;
    std::vector<std::string> proposed;

private:
    testing::InstalledRunner<wingui::DialogRunner> installedDialogs_{this};
    testing::InstalledRunner<wingui::BasicFileDialog> installedFiles_{this};
};

// One undoable change: a shape added at the end.
inline void Edit(LumoWnd& window) {
    LumoDocument* document = window.GetDocument();
    ASSERT_TRUE(document->Execute(InsertShapeCmd(document, document->GetModel().GetShapeCount())));
}

// Runs the window's events until the sound it is loading is read and taken.
inline void FinishAudioLoad(const LumoWnd& window) {
    const QDeadlineTimer deadline(60000);
    while (window.IsLoadingAudio() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_FALSE(window.IsLoadingAudio());
}

// Drags the files over the window and drops them there, as a file manager
// does, and runs what the drop left to do; answers whether the window
// took the drag.
inline bool DropFiles(QWidget& window, const QList<QUrl>& files) {
    QMimeData data;
    data.setUrls(files);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    QCoreApplication::processEvents();
    return drop.isAccepted();
}

inline bool DropFile(QWidget& window, const std::string& path) {
    return DropFiles(window, {QUrl::fromLocalFile(QString::fromStdString(path))});
}

// A main window on a fake clock with no settings from earlier tests, and
// recovery copies and file locks of its own, so that cases running at the
// same time never find each other's files open. Each test file derives a
// fixture named after its feature, so that a filter such as 'FileDrop*'
// picks that feature's cases.
class ShellTest : public ::testing::Test, public RecoveryFolder {
protected:
    ShellTest() {
        QSettings("Vellumar", "Lumo").clear();
        window = std::make_unique<LumoWnd>(&clock);
        window->resize(1200, 900);
    }
    // The application keeps a held button beyond the window it was pressed
    // on, and a later case would find the mouse still down.
    ~ShellTest() override {
        EXPECT_EQ(QGuiApplication::mouseButtons(), Qt::NoButton)
            << "a case left a mouse button held";
    }

    // Puts the document of the file into the window, without the claim on
    // the file that opening it from the menu takes.
    void SetDocumentOf(const std::string& path) {
        core::FileError error;
        std::unique_ptr<LumoDocument> document = LumoDocument::Open(path, error);
        ASSERT_TRUE(document) << path;
        window->SetDocument(std::move(document));
    }

    FakeClock clock;
    ScriptedDialogs dialogs;
    std::unique_ptr<LumoWnd> window;
};

} // namespace vel::lumo::test
