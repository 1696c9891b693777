#include "apps/lumo/dialogs/WorkProgressDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace vel::lumo {

namespace {

constexpr int BarSteps = 1000;
constexpr int64_t PaceWindowMs = 5000;

QString Clock(int64_t ms) {
    const int64_t s = ms / 1000;
    return s >= 3600 ? QStringLiteral("%1:%2:%3")
                           .arg(s / 3600)
                           .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
                           .arg(s % 60, 2, 10, QLatin1Char('0'))
                     : QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

WorkProgressDlg::WorkProgressDlg(QWidget* owner, const QString& title)
    : QDialog(owner), frames_(new QLabel(this)), times_(new QLabel(this)),
      bar_(new QProgressBar(this)) {
    setWindowTitle(title);
    setModal(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    cancelButton_ = buttons->button(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::rejected, this, &WorkProgressDlg::reject);
    bar_->setRange(0, BarSteps);
    bar_->setMinimumWidth(360);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frames_);
    layout->addWidget(bar_);
    layout->addWidget(times_);
    layout->addWidget(buttons);
    clock_.start();
    connect(&timer_, &QTimer::timeout, this, &WorkProgressDlg::Refresh);
    timer_.start(100);
    Refresh();
}

void WorkProgressDlg::Report(uint64_t done, uint64_t total) {
    total_ = total;
    done_ = done;
}

void WorkProgressDlg::Finish() {
    Refresh();
    QDialog::accept();
}

void WorkProgressDlg::reject() {
    cancel_ = true;
    cancelButton_->setEnabled(false);
    frames_->setText(tr("Stopping..."));
}

QString WorkProgressDlg::FramesText(uint64_t done, uint64_t total) {
    return tr("Frame %1 of %2").arg(done).arg(total);
}

QString WorkProgressDlg::TimesText(uint64_t done, uint64_t total, int64_t elapsedMs,
                                   uint64_t recentFrames, int64_t recentMs) {
    QString elapsed = tr("%1 elapsed").arg(Clock(elapsedMs));
    if (recentFrames == 0 || done > total) {
        return elapsed;
    }
    const auto remaining =
        static_cast<int64_t>(static_cast<double>(recentMs) * static_cast<double>(total - done) /
                             static_cast<double>(recentFrames));
    return tr("%1, about %2 remaining").arg(elapsed, Clock(remaining));
}

void WorkProgressDlg::Refresh() {
    const uint64_t total = total_;
    const uint64_t done = done_;
    if (!cancel_) {
        frames_->setText(FramesText(done, total));
    }
    const int64_t now = clock_.elapsed();
    // A second pass counts its frames from the start again: its pace is
    // measured afresh.
    if (!recent_.empty() && done < recent_.back().second) {
        recent_.clear();
    }
    recent_.emplace_back(now, done);
    while (now - recent_.front().first > PaceWindowMs) {
        recent_.pop_front();
    }
    times_->setText(
        TimesText(done, total, now, done - recent_.front().second, now - recent_.front().first));
    bar_->setValue(total == 0 ? 0
                              : static_cast<int>(static_cast<double>(done) /
                                                 static_cast<double>(total) * BarSteps));
}

} // namespace vel::lumo
