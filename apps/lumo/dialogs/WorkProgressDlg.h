#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <deque>
#include <utility>

class QLabel;
class QProgressBar;

namespace vel::lumo {

// Shows how far long work that counts frames (an export, an animation's
// analysis) has come: frames done of the total, the time taken and the time
// still to go, and lets the user stop it. The work runs elsewhere: it reports
// and asks whether to go on from its own thread. Cancel, Escape and closing
// the window only ask the work to stop.
class WorkProgressDlg : public QDialog {
public:
    WorkProgressDlg(QWidget* owner, const QString& title);

    // Safe from any thread.
    void Report(uint64_t done, uint64_t total);
    bool CancelRequested() const { return cancel_; }
    // The work has ended: closes the dialog. On the dialog's thread.
    void Finish();

    void reject() override;

    // "Frame 3 of 6" and "0:05 elapsed, about 0:10 remaining", the time
    // left at the pace of the recent frames (recentFrames in recentMs).
    static QString FramesText(uint64_t done, uint64_t total);
    static QString TimesText(uint64_t done, uint64_t total, int64_t elapsedMs,
                             uint64_t recentFrames, int64_t recentMs);

private:
    void Refresh();

    std::atomic<uint64_t> done_{0};
    std::atomic<uint64_t> total_{0};
    std::atomic<bool> cancel_{false};
    QElapsedTimer clock_;
    // (time, frames done) over the last few seconds: an export's pace
    // changes, a looped one's most of all once its first loop is encoded.
    std::deque<std::pair<int64_t, uint64_t>> recent_;
    QTimer timer_;
    QLabel* frames_;
    QLabel* times_;
    QProgressBar* bar_;
    QPushButton* cancelButton_;
};

} // namespace vel::lumo
