#include "apps/lumo/animate/TakeRecorder.h"

#include "apps/lumo/animate/ApplyAnimation.h"
#include "apps/lumo/animate/LipSyncGenerator.h"
#include "apps/lumo/audio/ConvertAudio.h"
#include "apps/lumo/document/AudioCommands.h"
#include "apps/lumo/document/LumoDocument.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace vel::lumo {

namespace {

// Frame rates count the frames of this many seconds.
constexpr double RateSeconds = 1000.0;

bool HoldsSound(const AudioClip& clip) {
    return clip.bytesPerFrame != 0 && !clip.Samples().empty();
}

// One sample frame of silence in the format, whatever silence is there.
std::vector<std::uint8_t> SilentFrame(const AudioHeader& format) {
    const AudioClip zero(AudioHeader::Make(format.sampleRate, SampleFormat::F32, 1),
                         std::vector<std::uint8_t>(sizeof(float), 0));
    return ConvertAudio(zero, format).Samples();
}

// The sample frame at which a frame of the document begins.
std::uint64_t SampleFrameAt(std::uint32_t frame, std::uint32_t frameRate,
                            std::uint32_t sampleRate) {
    return static_cast<std::uint64_t>(
        std::llround(static_cast<double>(frame) * RateSeconds * sampleRate / frameRate));
}

} // namespace

TakeRecorder::TakeRecorder(const AudioHeader& sound, std::uint32_t frameRate,
                           std::uint32_t firstFrame)
    : sound_(sound), frameRate_(frameRate), firstFrame_(firstFrame) {}

void TakeRecorder::Hear(std::span<const std::uint8_t> bytes, const KnobValues& live) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    if (sound_.bytesPerFrame == 0 || frameRate_ == 0) {
        return;
    }
    const std::uint64_t heard = bytes_.size() / sound_.bytesPerFrame;
    while (SampleFrameAt(frames_, frameRate_, sound_.sampleRate) < heard) {
        for (const auto& [key, value] : live) {
            auto& row = rows_[key];
            row.resize(frames_);
            row.push_back(value);
        }
        ++frames_;
    }
}

AudioClip TakeRecorder::Clip(const AudioClip& before) const {
    const std::size_t whole = bytes_.size() - bytes_.size() % sound_.bytesPerFrame;
    AudioClip take(sound_,
                   std::vector<std::uint8_t>(bytes_.begin(),
                                             bytes_.begin() + static_cast<std::ptrdiff_t>(whole)));
    const bool kept = HoldsSound(before);
    const AudioHeader format = kept ? static_cast<const AudioHeader&>(before) : sound_;
    if (kept) {
        take = ConvertAudio(take, format);
    }
    const std::vector<std::uint8_t>& old = kept ? before.Samples() : take.Samples();
    const std::uint64_t oldFrames = kept ? AudioView(before).FrameCount() : 0;
    const std::uint64_t start = SampleFrameAt(firstFrame_, frameRate_, format.sampleRate);
    const std::uint64_t end = start + AudioView(take).FrameCount();

    std::vector<std::uint8_t> samples(
        old.begin(), old.begin() + static_cast<std::ptrdiff_t>(std::min(start, oldFrames) *
                                                               format.bytesPerFrame));
    const std::vector<std::uint8_t> silence = SilentFrame(format);
    for (std::uint64_t frame = oldFrames; frame < start; ++frame) {
        samples.insert(samples.end(), silence.begin(), silence.end());
    }
    samples.insert(samples.end(), take.Samples().begin(), take.Samples().end());
    if (end < oldFrames) {
        samples.insert(samples.end(),
                       old.begin() + static_cast<std::ptrdiff_t>(end * format.bytesPerFrame),
                       old.end());
    }
    return {format, std::move(samples)};
}

bool TakeRecorder::Apply(LumoDocument& document) const {
    if (frames_ == 0) {
        return false;
    }
    Animation animation;
    const double framesPerSecond = frameRate_ / RateSeconds;
    for (const auto& [key, row] : rows_) {
        std::vector<float> values(frames_);
        std::optional<float> held = *std::find_if(
            row.begin(), row.end(), [](const auto& value) { return value.has_value(); });
        for (std::uint32_t f = 0; f < frames_; ++f) {
            const std::optional<float> recorded = f < row.size() ? row[f] : std::nullopt;
            const std::optional<float> timeline =
                document.GetTimeline().ValueAt(key, firstFrame_ + f);
            values[f] = recorded.value_or(timeline.value_or(*held));
            held = recorded ? recorded : held;
        }
        animation.knobs.push_back(
            {key, ReduceKeys(values, firstFrame_, LipSyncGenerator::Limit(framesPerSecond),
                             LipSyncGenerator::KeyTolerance)});
    }
    MacroCommand take(StepName);
    take.Append(std::make_unique<SetAudioCmd>(&document, Clip(document.GetAudio())));
    take.Append(
        MakeAnimationCommand(document, StepName, {firstFrame_, firstFrame_ + frames_}, animation)
            .Clone());
    return document.Execute(take);
}

} // namespace vel::lumo
