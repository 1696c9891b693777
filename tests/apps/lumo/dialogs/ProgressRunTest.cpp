#include "apps/lumo/dialogs/ProgressRun.h"

#include "tests/support/InstalledRunner.h"
#include "wingui/DialogRunner.h"

#include <QDialog>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace vel::lumo {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds AnHour = std::chrono::hours(1);

// Shows the progress dialog modally and presses Escape on it after a while,
// noting the titles it was shown with.
class PressingEscape : public wingui::DialogRunner {
public:
    int Run(QDialog& dialog) override {
        titles.push_back(dialog.windowTitle().toStdString());
        QTimer::singleShot(200, &dialog, [&dialog] { QTest::keyClick(&dialog, Qt::Key_Escape); });
        return dialog.exec();
    }
    std::vector<std::string> titles;

private:
    testing::InstalledRunner<DialogRunner> installed_{this};
};

// Runs until told to stop, counting its steps.
void UntilCancelled(const ProgressCallback& progress) {
    for (std::uint64_t done = 0; progress(done, 1000); ++done) {
        std::this_thread::sleep_for(milliseconds(1));
    }
}

TEST(ProgressRun, WorkThatEndsBeforeTheDelayShowsNoDialogAndDoesNotWaitForTheDelay) {
    PressingEscape runner;
    std::thread::id worker;
    std::vector<std::uint64_t> reported;
    // Were the delay waited out, the run would outlast the test's time.
    EXPECT_TRUE(RunWithProgress(nullptr, "Quick", AnHour, [&](const ProgressCallback& progress) {
        worker = std::this_thread::get_id();
        for (std::uint64_t done = 1; done <= 3; ++done) {
            EXPECT_TRUE(progress(done, 3));
        }
    }));
    EXPECT_NE(worker, std::this_thread::get_id());
    EXPECT_TRUE(runner.titles.empty());
}

TEST(ProgressRun, WorkThatOutlastsTheDelayShowsItsTitleAndCancelStopsIt) {
    PressingEscape runner;
    std::atomic<bool> stopped = false;
    EXPECT_FALSE(RunWithProgress(nullptr, "Lip Sync from Audio", milliseconds(50),
                                 [&](const ProgressCallback& progress) {
                                     UntilCancelled(progress);
                                     stopped = true;
                                 }));
    EXPECT_TRUE(stopped);
    EXPECT_EQ(runner.titles, std::vector<std::string>{"Lip Sync from Audio"});
    // Without a delay the dialog shows at once.
    EXPECT_FALSE(RunWithProgress(nullptr, "Exporting Video", milliseconds(0), UntilCancelled));
    EXPECT_EQ(runner.titles.size(), 2u);
}

TEST(ProgressRun, WhatTheWorkThrowsComesBackShownOrNot) {
    PressingEscape runner;
    for (const milliseconds delay : {AnHour, milliseconds(0)}) {
        EXPECT_THROW(RunWithProgress(nullptr, "Failing", delay,
                                     [](const ProgressCallback&) {
                                         throw std::runtime_error("The disk is full.");
                                     }),
                     std::runtime_error);
    }
}

} // namespace
} // namespace vel::lumo
