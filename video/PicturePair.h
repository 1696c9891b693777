#pragma once

#include "video/FfmpegHandles.h"
#include "video/FrameRegion.h"
#include "video/YuvConverter.h"

#include <cstdint>

namespace vel::video {

// Two yuv420p pictures filled in turn from 32-bit B, G, R, X rows, so that
// one can be filled while the encoder still reads the other. Each picture
// keeps what it was last filled with; filling it again converts only what
// changed since then, over both turns.
class PicturePair {
public:
    // Both start black. Throws XVideoWriter when they cannot be made.
    PicturePair(uint32_t width, uint32_t height);

    // Converts rows, which differ from the rows given before only inside
    // changed (before the first: from black), into the picture whose turn it
    // is and passes the turn on. Answers that picture, or null when it cannot
    // be written to; the caller makes sure nothing reads it meanwhile.
    AVFrame* Fill(const uint8_t* rows, FrameRegion changed);
    // Which picture the next Fill writes: 0 or 1.
    int Next() const { return next_; }

private:
    YuvConverter converter_;
    FramePtr pictures_[2];
    // Per picture: where the rows given since it was last filled differ.
    FrameRegion behind_[2];
    int next_ = 0;
};

} // namespace vel::video
