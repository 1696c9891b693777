#pragma once

#include "video/FfmpegHandles.h"
#include "video/FrameRegion.h"
#include "video/YuvConverter.h"

#include <cstdint>
#include <string>

namespace vel::video {

// The first of two encoding passes over a run of pictures: it encodes them
// only to learn where the bits are best spent, into statistics by which a
// VideoWriter made with them encodes the same pictures at exactly its bit
// rate. Pictures are given as to VideoWriter::WriteVideoFrame.
class FirstPass {
public:
    // Throws XVideoWriter when the encoder or its statistics cannot be made.
    FirstPass(uint32_t width, uint32_t height, float fps);
    FirstPass(const FirstPass&) = delete;
    FirstPass& operator=(const FirstPass&) = delete;
    // Removes the statistics; a second pass reading them keeps what it opened.
    ~FirstPass();

    // Throws XVideoWriter when the picture cannot be encoded.
    void WriteVideoFrame(const uint8_t* rows, FrameRegion changed);
    // Ends the pass and answers the statistics' file name.
    const std::string& Finish();

private:
    void Send(const AVFrame* frame);

    std::string folder_;
    std::string stats_;
    CodecContextPtr encoder_;
    FramePtr picture_;
    PacketPtr packet_;
    YuvConverter converter_;
    int64_t time_ = 0;
};

} // namespace vel::video
