#include "video/PicturePair.h"

#include "video/H264Encoder.h"

namespace vel::video {

PicturePair::PicturePair(uint32_t width, uint32_t height)
    : converter_(width, height), pictures_{BlackPicture(width, height),
                                           BlackPicture(width, height)} {}

AVFrame* PicturePair::Fill(const uint8_t* rows, FrameRegion changed) {
    for (FrameRegion& behind : behind_) {
        behind = Union(behind, changed);
    }
    AVFrame& picture = *pictures_[next_];
    // The encoder may still hold the picture; writable copies it first.
    if (av_frame_make_writable(&picture) < 0) {
        return nullptr;
    }
    converter_.Convert(rows, behind_[next_], picture);
    behind_[next_] = {};
    next_ = 1 - next_;
    return &picture;
}

} // namespace vel::video
