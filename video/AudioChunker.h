#pragma once

#include "video/FfmpegHandles.h"

#include <cstdint>

namespace vel::video {

// Collects 16-bit stereo 44100 Hz PCM in whatever slices it comes and hands
// it out in frames of the audio encoder's size and sample format.
class AudioChunker {
public:
    // Throws XVideoWriter when FFmpeg cannot make its converter.
    AudioChunker(const AVCodecContext& encoder);

    // Appends frames sample frames of interleaved left, right 16-bit samples.
    bool Push(const uint8_t* samples, uint32_t frames);

    // The next frame for the encoder, stamped with its first sample's number;
    // a shorter last frame when flushing; null when there is not enough.
    FramePtr Pop(bool flush);

    // Sample frames pushed so far.
    int64_t Pushed() const { return pushed_; }

private:
    const AVCodecContext& encoder_;
    SwrPtr swr_;
    AudioFifoPtr fifo_;
    FramePtr scratch_;
    int64_t pushed_ = 0;
    int64_t popped_ = 0;
};

} // namespace vel::video
