#pragma once

#include "apps/lumo/audio/AudioClip.h"
#include "apps/lumo/panes/TimelineWaveform.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace vel::lumo {

// One sound file read for Load Audio on a thread of its own, with the
// timeline's waveform built as the samples arrive, so that the window goes
// on painting and playing meanwhile. Ending the object stops the reading.
class AudioFileLoad {
public:
    struct Outcome {
        bool loaded = false;
        AudioClip clip;
        TimelineWaveform waveform;
        // Why the file gave no clip, in the user's words.
        std::string failure;
        // Float samples that were not finite and became silence.
        std::uint64_t silencedSamples = 0;
    };

    // Told on the reading's thread, as the last thing it does, that the
    // reading has ended, finished or stopped.
    using Ended = std::function<void(const AudioFileLoad* load)>;

    // frameRate is the document's, which sizes the waveform.
    AudioFileLoad(std::string path, std::uint32_t frameRate, Ended ended);
    ~AudioFileLoad();
    AudioFileLoad(const AudioFileLoad&) = delete;
    AudioFileLoad& operator=(const AudioFileLoad&) = delete;

    const std::string& Path() const { return path_; }
    // Asks the reading to stop without waiting for it; it then ends soon,
    // with nothing to tell.
    void Stop() { stop_ = true; }
    // The part of the file read, 0 to 1.
    double PartRead() const { return partRead_; }
    // The waveform of what has been read so far.
    TimelineWaveform WaveformSoFar() const;
    // What came of it, once ended.
    Outcome TakeOutcome();

private:
    void Run();
    bool Read(const AudioView& readSoFar, double partRead);

    const std::string path_;
    const std::uint32_t frameRate_;
    const Ended ended_;
    std::atomic<double> partRead_{0.0};
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    TimelineWaveform waveform_;
    Outcome outcome_;
    // Last, so that it starts once everything it uses is in place.
    std::thread thread_;
};

} // namespace vel::lumo
