#include "apps/lumo/animate/LiveVoice.h"

#include "apps/lumo/animate/VoiceSpectrum.h"

#include <algorithm>
#include <cmath>

namespace vel::lumo {

namespace {

// The transform's length: the window padded with zeros, for bins of 31 Hz.
constexpr std::size_t TransformSize = 512;
// The quietest floor taken: a silent input must not open the mouth on a whisper of noise.
constexpr float LowestFloorDb = -70.0f;
// A voice opens the mouth once this much over the floor, fully the voice's
// range (VoiceRangeDb) further.
constexpr float MarginDb = 6.0f;
// Each step a falling mouth keeps at most this share of its value, so that it
// does not flutter between steps and still rests within 50 ms of a pause.
constexpr float Release = 0.6f;
// The lips shut where the level drops under this share of the loudest of the
// last steps: the stop of a "p" or "b".
constexpr float StopDrop = 0.2f;
constexpr std::size_t StopReach = 4;

float Clamp01(float value) {
    return std::clamp(value, 0.0f, 1.0f);
}

} // namespace

LiveVoice::LiveVoice() : spectrum_(std::make_unique<VoiceSpectrum>(Window, TransformSize, Rate)) {
    heard_.reserve(Window + Hop);
    learning_.reserve(LearningSteps);
}

LiveVoice::~LiveVoice() = default;

std::vector<MouthShape> LiveVoice::Hear(std::span<const std::int16_t> samples) {
    std::vector<MouthShape> steps;
    while (!samples.empty()) {
        const std::size_t taken = std::min(samples.size(), Window - heard_.size());
        heard_.insert(heard_.end(), samples.begin(),
                      samples.begin() + static_cast<std::ptrdiff_t>(taken));
        samples = samples.subspan(taken);
        if (heard_.size() == Window) {
            steps.push_back(Step());
            heard_.erase(heard_.begin(), heard_.begin() + static_cast<std::ptrdiff_t>(Hop));
        }
    }
    return steps;
}

void LiveVoice::LearnQuiet() {
    floorDb_.reset();
    learning_.clear();
    mouth_ = {};
}

MouthShape LiveVoice::Shape() {
    spectrum_->Take(heard_, 0);
    const double voiced = spectrum_->Band(100, 4000) + 1e-12;
    const auto low = static_cast<float>(spectrum_->Band(100, 500) / voiced);
    const auto open = static_cast<float>(spectrum_->Band(500, 1200) / voiced);
    const auto high = static_cast<float>(spectrum_->Band(1800, 3500) / voiced);
    // A hum keeps its energy at the bottom with nothing high: the lips are shut.
    const float hum = Clamp01((low - 0.75f) / 0.1f) * Clamp01((0.03f - high) / 0.02f);
    MouthShape shape;
    shape.open = Clamp01(0.4f + 1.2f * open) * (1.0f - hum);
    shape.wide = Clamp01((high - 0.1f) / 0.25f);
    shape.round = Clamp01((0.1f - high) / 0.08f) * Clamp01((0.4f - open) / 0.25f) * (1.0f - hum);
    return shape;
}

MouthShape LiveVoice::Step() {
    double sum = 0.0;
    for (const std::int16_t sample : heard_) {
        const double value = sample / 32768.0;
        sum += value * value;
    }
    const double level = std::sqrt(sum / Window);
    const float db = Decibels(level);
    if (!floorDb_) {
        learning_.push_back(db);
        if (learning_.size() == LearningSteps) {
            // The level that nine steps in ten of the quiet stayed under: a
            // click while learning does not raise the floor.
            const auto at = learning_.begin() + static_cast<std::ptrdiff_t>(LearningSteps * 9 / 10);
            std::nth_element(learning_.begin(), at, learning_.end());
            floorDb_ = std::max(*at, LowestFloorDb);
        }
        return mouth_;
    }
    const float loudest =
        recent_.empty() ? 0.0f : *std::max_element(recent_.begin(), recent_.end());
    const float loudness = Clamp01((db - *floorDb_ - MarginDb) / VoiceRangeDb);
    const float floorLevel = std::pow(10.0f, (*floorDb_ + MarginDb) / 20.0f);
    const bool stop = loudest > floorLevel && level < StopDrop * loudest;
    recent_.push_back(static_cast<float>(level));
    if (recent_.size() > StopReach) {
        recent_.erase(recent_.begin());
    }

    MouthShape target;
    if (loudness > 0.0f) {
        target = Shape();
        target.open *= QuietOpening + (1.0f - QuietOpening) * loudness;
    }
    if (stop) {
        target.open = 0.0f;
    }
    mouth_.open = stop ? 0.0f : std::max(target.open, mouth_.open * Release);
    mouth_.wide = std::max(target.wide, mouth_.wide * Release);
    mouth_.round = std::max(target.round, mouth_.round * Release);
    return mouth_;
}

} // namespace vel::lumo
