#include "apps/lumo/dialogs/WorkProgressDlg.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

TEST(WorkProgressDlg, ShowsFramesAndTimesAndCancelOnlyAsksToStop) {
    EXPECT_EQ(WorkProgressDlg::FramesText(1, 6), "Frame 1 of 6");
    EXPECT_EQ(WorkProgressDlg::TimesText(0, 6, 1500, 0, 1500), "0:01 elapsed");
    EXPECT_EQ(WorkProgressDlg::TimesText(2, 6, 5000, 2, 5000),
              "0:05 elapsed, about 0:10 remaining");
    // The pace of the recent frames counts, not that of the whole export.
    EXPECT_EQ(WorkProgressDlg::TimesText(300, 1300, 60000, 250, 5000),
              "1:00 elapsed, about 0:20 remaining");
    EXPECT_EQ(WorkProgressDlg::TimesText(1, 1000, 3700000, 1, 3700000),
              "1:01:40 elapsed, about 1026:45:00 remaining");

    WorkProgressDlg progress(nullptr, "Exporting Video");
    progress.show();
    progress.Report(3, 6);
    QTest::keyClick(&progress, Qt::Key_Escape);
    EXPECT_TRUE(progress.CancelRequested());
    EXPECT_TRUE(progress.isVisible());
    progress.Finish();
    QCoreApplication::processEvents();
    EXPECT_FALSE(progress.isVisible());
}

TEST(WorkProgressDlg, ASecondPassStartsItsPaceAfresh) {
    WorkProgressDlg progress(nullptr, "Exporting Video");
    progress.Report(900, 1000);
    // Longer than the pace is measured over, so that only the first pass's
    // frames are left in it.
    QTest::qWait(5300);
    progress.Report(10, 1000);
    QTest::qWait(250);
    const auto* frames = progress.findChildren<QLabel*>().front();
    const auto* times = progress.findChildren<QLabel*>().at(1);
    EXPECT_EQ(frames->text(), "Frame 10 of 1000");
    EXPECT_FALSE(times->text().contains("about 0:00 remaining")) << times->text().toStdString();
}

} // namespace
} // namespace vel::lumo
