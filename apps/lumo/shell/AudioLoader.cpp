#include "apps/lumo/shell/AudioLoader.h"

#include "apps/lumo/panes/TimelineWnd.h"
#include "wingui/NativePath.h"
#include "wingui/PostToThread.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>
#include <cmath>
#include <utility>

namespace vel::lumo {

namespace {

// Often enough that the progress line follows the reading smoothly.
constexpr int RefreshMilliseconds = 20;
// Repainting the timeline takes the window's thread for a while: the growing
// waveform is shown this often, and only while its end is in view.
constexpr qint64 WaveformMilliseconds = 100;
// A load that ends sooner shows no progress line.
constexpr qint64 ProgressDelayMilliseconds = 300;

} // namespace

AudioLoader::AudioLoader(QMainWindow* window, TimelineWnd* timeline, Finished finished)
    : window_(window), timeline_(timeline), finished_(std::move(finished)) {
    refresh_.setInterval(RefreshMilliseconds);
    QObject::connect(&refresh_, &QTimer::timeout, [this] { Refresh(); });
}

AudioLoader::~AudioLoader() = default;

AudioLoader::Hold::Hold(AudioLoader& loader) : loader_(loader) {
    ++loader_.holds_;
}

// A load that ended meanwhile is handed over once the command holding it
// has returned.
AudioLoader::Hold::~Hold() {
    if (--loader_.holds_ == 0) {
        AudioLoader* loader = &loader_;
        wingui::PostToThread(&loader_.receiver_, [loader] { loader->HandOver(); });
    }
}

void AudioLoader::Start(const std::string& path, std::uint32_t frameRate) {
    Cancel();
    load_ = std::make_unique<AudioFileLoad>(path, frameRate, [this](const AudioFileLoad* load) {
        wingui::PostToThread(&receiver_, [this, load] { OnEnded(load); });
    });
    started_.start();
    shown_.invalidate();
    refresh_.start();
}

bool AudioLoader::Cancel() {
    if (!load_) {
        return false;
    }
    // What it has read is freed on its own thread, which for a long file
    // takes a while: the window does not wait for that.
    if (!loadEnded_) {
        load_->Stop();
        stopping_.push_back(std::move(load_));
    }
    End();
    return true;
}

void AudioLoader::End() {
    load_.reset();
    loadEnded_ = false;
    refresh_.stop();
    timeline_->ShowWaveform(std::nullopt);
    if (line_) {
        line_->hide();
    }
}

void AudioLoader::OnEnded(const AudioFileLoad* load) {
    if (load != load_.get()) {
        std::erase_if(stopping_, [load](const auto& stopping) { return stopping.get() == load; });
        return;
    }
    loadEnded_ = true;
    HandOver();
}

void AudioLoader::HandOver() {
    if (!load_ || !loadEnded_ || holds_ > 0) {
        return;
    }
    const std::string path = load_->Path();
    AudioFileLoad::Outcome outcome = load_->TakeOutcome();
    End();
    finished_(path, std::move(outcome));
}

void AudioLoader::Refresh() {
    const std::uint64_t shown = timeline_->ShownWaveform().Frames();
    if (shown <= timeline_->Geometry().RightEdgeFrame() &&
        (!shown_.isValid() || shown_.elapsed() >= WaveformMilliseconds)) {
        TimelineWaveform soFar = load_->WaveformSoFar();
        if (soFar.Frames() != shown) {
            timeline_->ShowWaveform(std::move(soFar));
            shown_.start();
        }
    }
    if (started_.elapsed() >= ProgressDelayMilliseconds) {
        ShowProgress();
    }
}

void AudioLoader::ShowProgress() {
    if (!line_) {
        line_ = new QWidget;
        auto* layout = new QHBoxLayout(line_);
        layout->setContentsMargins(0, 0, 0, 0);
        text_ = new QLabel(line_);
        text_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        bar_ = new QProgressBar(line_);
        bar_->setRange(0, 100);
        bar_->setMaximumWidth(160);
        layout->addWidget(text_);
        layout->addWidget(bar_);
        window_->statusBar()->addPermanentWidget(line_);
    }
    text_->setText(
        QStringLiteral("Loading %1 (Esc cancels)").arg(wingui::DisplayName(load_->Path())));
    bar_->setValue(static_cast<int>(std::lround(load_->PartRead() * 100)));
    line_->show();
}

} // namespace vel::lumo
