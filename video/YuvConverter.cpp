#include "video/YuvConverter.h"

#include <algorithm>

namespace vel::video {

namespace {

// Block sizes keep the converter's pointers aligned for its vector code and
// let one converter serve many frames whose changed region moves a little.
constexpr uint32_t kBlockWidth = 32;
constexpr uint32_t kBlockHeight = 16;

uint32_t RoundDown(uint32_t v, uint32_t step) {
    return v / step * step;
}
uint32_t RoundUp(uint32_t v, uint32_t step, uint32_t limit) {
    return std::min(limit, (v + step - 1) / step * step);
}

} // namespace

bool YuvConverter::Convert(const uint8_t* rows, FrameRegion region, AVFrame* frame) {
    const uint32_t left = RoundDown(std::min(region.left, width_), kBlockWidth);
    const uint32_t top = RoundDown(std::min(region.top, height_), kBlockHeight);
    const uint32_t right = RoundUp(std::min(region.right, width_), kBlockWidth, width_);
    const uint32_t bottom = RoundUp(std::min(region.bottom, height_), kBlockHeight, height_);
    if (right <= left || bottom <= top)
        return true;
    const uint32_t w = right - left;
    const uint32_t h = bottom - top;
    if (!sws_ || w != swsWidth_ || h != swsHeight_) {
        sws_.reset(sws_getContext(static_cast<int>(w), static_cast<int>(h), AV_PIX_FMT_BGR0,
                                  static_cast<int>(w), static_cast<int>(h), AV_PIX_FMT_YUV420P,
                                  SWS_BILINEAR, nullptr, nullptr, nullptr));
        if (!sws_)
            return false;
        const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
        sws_setColorspaceDetails(sws_.get(), bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);
        swsWidth_ = w;
        swsHeight_ = h;
    }
    const int stride = static_cast<int>(width_ * 4);
    const uint8_t* src[1] = {rows + static_cast<size_t>(top) * stride + left * 4};
    uint8_t* dst[3] = {
        frame->data[0] + static_cast<size_t>(top) * frame->linesize[0] + left,
        frame->data[1] + static_cast<size_t>(top / 2) * frame->linesize[1] + left / 2,
        frame->data[2] + static_cast<size_t>(top / 2) * frame->linesize[2] + left / 2,
    };
    sws_scale(sws_.get(), src, &stride, 0, static_cast<int>(h), dst, frame->linesize);
    return true;
}

} // namespace vel::video
