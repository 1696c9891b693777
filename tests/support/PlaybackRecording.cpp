#include "tests/support/PlaybackRecording.h"

#include "apps/lumo/panes/AudioWnd.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>

namespace vel::lumo::test {

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool Recording::Start() {
    recorder_.start();
    if (!recorder_.waitForStarted(5000)) {
        return false;
    }
    // The recorder delivers once the server has set up its stream.
    for (const double end = Now() + 20; samples_.empty() && Now() < end;) {
        Pump(0.05);
    }
    Pump(0.3);
    return !samples_.empty();
}

void Recording::Pump(double seconds) {
    for (const double end = Now() + seconds; Now() < end;) {
        recorder_.waitForReadyRead(2);
        Take();
    }
}

void Recording::Finish() {
    Pump(0.5);
    recorder_.kill();
    recorder_.waitForFinished();
    Seal();
}

void Recording::Take() {
    QCoreApplication::processEvents();
    const QByteArray bytes = recorder_.readAllStandardOutput();
    const std::size_t count = static_cast<std::size_t>(bytes.size()) / sizeof(float);
    if (count == 0) {
        return;
    }
    const std::size_t old = samples_.size();
    samples_.resize(old + count);
    std::memcpy(samples_.data() + old, bytes.data(), count * sizeof(float));
    arrivals_.emplace_back(samples_.size(), Now());
}

// A piece that arrived at t ending at sample e says sample i was played by
// t − (e − 1 − i) / rate; the tightest bound comes from the pieces after it.
void Recording::Seal() {
    earliest_.assign(arrivals_.size(), std::numeric_limits<double>::infinity());
    double least = std::numeric_limits<double>::infinity();
    for (std::size_t k = arrivals_.size(); k-- > 0;) {
        least = std::min(least,
                         arrivals_[k].second - static_cast<double>(arrivals_[k].first - 1) / rate_);
        earliest_[k] = least;
    }
}

double Recording::PlayedBy(std::size_t i) const {
    const auto piece = std::upper_bound(
        arrivals_.begin(), arrivals_.end(), i,
        [](std::size_t index, const auto& arrival) { return index < arrival.first; });
    if (piece == arrivals_.end()) {
        return std::numeric_limits<double>::infinity();
    }
    return earliest_[static_cast<std::size_t>(piece - arrivals_.begin())] +
           static_cast<double>(i) / rate_;
}

std::size_t Recording::IndexAt(double time, std::size_t from) const {
    std::size_t low = from, high = samples_.size();
    while (high - low > 1) {
        const std::size_t middle = (low + high) / 2;
        (PlayedBy(middle) <= time ? low : high) = middle;
    }
    return low;
}

bool PlayAndRecord(AudioWnd& audio, Recording& recording, std::uint32_t firstFrame,
                   double framesPerSecond, double seconds, std::vector<Heard>& heard) {
    const bool started = recording.Start() && audio.Start(firstFrame, framesPerSecond);
    for (const double end = Now() + seconds; started && Now() < end;) {
        const std::optional<double> heardSeconds = audio.HeardSeconds();
        if (!heardSeconds) {
            break;
        }
        heard.push_back({Now(), *heardSeconds});
        audio.SetFrame(static_cast<std::uint32_t>(*heardSeconds * framesPerSecond));
        recording.Pump(1.0 / framesPerSecond);
    }
    audio.Stop();
    recording.Finish();
    return started;
}

double Correlation(const float* a, const float* b, std::size_t count) {
    double dot = 0, aa = 0, bb = 0;
    for (std::size_t j = 0; j < count; ++j) {
        dot += double{a[j]} * b[j];
        aa += double{a[j]} * a[j];
        bb += double{b[j]} * b[j];
    }
    return aa > 0 && bb > 0 ? dot / std::sqrt(aa * bb) : 0;
}

std::pair<std::size_t, double> BestMatch(const std::vector<float>& recording,
                                         const std::vector<float>& part, std::size_t from,
                                         std::size_t to) {
    std::pair<std::size_t, double> best{from, -1};
    for (std::size_t lag = from; lag < to && lag + part.size() <= recording.size(); ++lag) {
        const double score = Correlation(recording.data() + lag, part.data(), part.size());
        if (score > best.second) {
            best = {lag, score};
        }
    }
    return best;
}

} // namespace vel::lumo::test
