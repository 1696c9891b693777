#include "apps/lumo/shell/AudioFileLoad.h"

#include "apps/lumo/render/LoadAudioFile.h"
#include "core/UserFailure.h"

#include <new>
#include <utility>

namespace vel::lumo {

AudioFileLoad::AudioFileLoad(std::string path, std::uint32_t frameRate, Ended ended)
    : path_(std::move(path)), frameRate_(frameRate), ended_(std::move(ended)),
      thread_([this] { Run(); }) {}

AudioFileLoad::~AudioFileLoad() {
    stop_ = true;
    thread_.join();
}

TimelineWaveform AudioFileLoad::WaveformSoFar() const {
    const std::lock_guard lock(mutex_);
    return waveform_;
}

AudioFileLoad::Outcome AudioFileLoad::TakeOutcome() {
    const std::lock_guard lock(mutex_);
    return std::move(outcome_);
}

bool AudioFileLoad::Read(const AudioView& readSoFar, double partRead) {
    partRead_ = partRead;
    if (stop_) {
        return false;
    }
    const std::lock_guard lock(mutex_);
    waveform_.Grow(readSoFar, frameRate_);
    return true;
}

void AudioFileLoad::Run() {
    Outcome outcome;
    try {
        outcome.clip = LoadAudioFile(
            path_, AvailableMemory(),
            [this](const AudioView& view, double part) { return Read(view, part); },
            &outcome.silencedSamples);
        const std::lock_guard lock(mutex_);
        waveform_.Finish(outcome.clip, frameRate_);
        outcome.waveform = waveform_;
        outcome.loaded = true;
    } catch (const std::bad_alloc&) {
        outcome.failure = video::AudioFileError::OutOfMemory().what();
    } catch (const std::exception&) {
        outcome.failure = core::FailureReason(std::current_exception());
    } catch (const AudioLoadStopped&) {
        // Stopped on purpose: there is nothing to tell.
    }
    {
        const std::lock_guard lock(mutex_);
        outcome_ = std::move(outcome);
    }
    ended_(this);
}

} // namespace vel::lumo
