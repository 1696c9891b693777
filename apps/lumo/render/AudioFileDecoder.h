#pragma once

#include "apps/lumo/audio/AudioClip.h"
#include "video/FfmpegHandles.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vel::lumo {

// Decodes the best sound stream of a file with FFmpeg into one clip at the
// stream's rate and channel count, interleaved by the resampler straight
// into the clip's bytes. Lossy sources and integer ones of up to 16 bits
// become 16-bit samples; deeper and float ones become float. Damaged
// packets are skipped, as players do. Free of the user interface, so it can
// run on any thread.
class AudioFileDecoder {
public:
    // The clip may take at most memoryLimit bytes.
    explicit AudioFileDecoder(std::uint64_t memoryLimit) : memoryLimit_(memoryLimit) {}

    // Throws AudioFileError naming why the file gives no sound, or why it is
    // refused.
    AudioClip Run(const std::string& fileName);

private:
    struct IoClose {
        void operator()(AVIOContext* p) const { avio_closep(&p); }
    };

    void Open(const std::string& fileName);
    void OpenStream();
    void Reserve();
    void Decode();
    // Receives every frame the decoder has ready; position is where the
    // packet that was sent came from.
    void Drain(std::int64_t position);
    void Convert(AVFrame& frame, std::int64_t position);
    void Append(const std::uint8_t** data, int frames);
    void NoteDamage(std::int64_t position);
    [[noreturn]] void FailReading() const;

    std::uint64_t memoryLimit_;
    // Declared before the input, which reads through it and must close first.
    std::unique_ptr<AVIOContext, IoClose> io_;
    video::InputPtr input_;
    video::CodecContextPtr codec_;
    video::FramePtr frame_;
    video::SwrPtr resampler_;
    int stream_ = -1;
    // What the resampler takes in.
    int inRate_ = 0;
    int inFormat_ = AV_SAMPLE_FMT_NONE;
    AudioHeader header_;
    std::vector<std::uint8_t> samples_;
    // Whether the file's kind was only guessed (from its name, or from bytes
    // that could be anything): if nothing comes of it, it is no sound file.
    bool guessed_ = false;
    std::optional<std::int64_t> damagedAt_;
};

} // namespace vel::lumo
