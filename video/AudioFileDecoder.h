#pragma once

#include "video/DecodedAudio.h"
#include "video/FfmpegHandles.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vel::video {

// Thrown out of AudioFileDecoder::Run when its listener asks it to stop.
struct DecodingStopped {};

// Decodes the best sound stream of a file with FFmpeg into one clip at the
// stream's rate and channel count, interleaved by the resampler straight
// into the clip's bytes. Lossy sources and integer ones of up to 16 bits
// become 16-bit samples; deeper and float ones become float. Damaged
// packets are skipped, as players do. Free of the user interface, so it can
// run on any thread.
class AudioFileDecoder {
public:
    // Told, on the decoding thread, after each packet: the samples decoded so
    // far (they stay where they are until the next call) and the part of the
    // file read. Answers false to stop.
    using Listener = std::function<bool(const DecodedAudioView& decoded, double partRead)>;

    // The clip may take at most memoryLimit bytes.
    explicit AudioFileDecoder(std::uint64_t memoryLimit, Listener listener = {})
        : memoryLimit_(memoryLimit), listener_(std::move(listener)) {}

    // Throws AudioFileError naming why the file gives no sound, or why it is
    // refused, and DecodingStopped when the listener stopped it.
    DecodedAudio Run(const std::string& fileName);

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
    void Tell(std::int64_t position);
    void NoteDamage(std::int64_t position);
    [[noreturn]] void FailReading() const;

    std::uint64_t memoryLimit_;
    Listener listener_;
    // Declared before the input, which reads through it and must close first.
    std::unique_ptr<AVIOContext, IoClose> io_;
    InputPtr input_;
    CodecContextPtr codec_;
    FramePtr frame_;
    SwrPtr resampler_;
    int stream_ = -1;
    // What the resampler takes in.
    int inRate_ = 0;
    int inFormat_ = AV_SAMPLE_FMT_NONE;
    DecodedAudioFormat format_;
    std::vector<std::uint8_t> samples_;
    // Whether the file's kind was only guessed (from its name, or from bytes
    // that could be anything): if nothing comes of it, it is no sound file.
    bool guessed_ = false;
    std::optional<std::int64_t> damagedAt_;
};

} // namespace vel::video
