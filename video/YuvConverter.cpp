#include "video/YuvConverter.h"

#include <algorithm>

// A plain loop that the compiler vectorises: measured four to five times
// faster than FFmpeg's scaler for this one conversion, which would otherwise
// cost a third as much as encoding the frame.

namespace vel::video {

namespace {

// __restrict lets the compiler vectorise without checking for overlaps.
void LumaRow(const uint8_t* __restrict pixels, uint8_t* __restrict luma, size_t count) {
    for (size_t x = 0; x < count; ++x) {
        const uint8_t* p = pixels + 4 * x;
        luma[x] = static_cast<uint8_t>(16 + ((16 * p[0] + 157 * p[1] + 47 * p[2] + 128) >> 8));
    }
}

void ChromaRow(const uint8_t* __restrict a, const uint8_t* __restrict b, uint8_t* __restrict cb,
               uint8_t* __restrict cr, size_t count) {
    for (size_t x = 0; x < count; ++x) {
        const uint8_t* p = a + 8 * x;
        const uint8_t* q = b + 8 * x;
        const int blue = p[0] + p[4] + q[0] + q[4];
        const int green = p[1] + p[5] + q[1] + q[5];
        const int red = p[2] + p[6] + q[2] + q[6];
        cb[x] = static_cast<uint8_t>(128 + ((112 * blue - 86 * green - 26 * red + 512) >> 10));
        cr[x] = static_cast<uint8_t>(128 + ((112 * red - 102 * green - 10 * blue + 512) >> 10));
    }
}

} // namespace

void YuvConverter::Convert(const uint8_t* rows, FrameRegion region, AVFrame& frame) const {
    const uint32_t left = std::min(region.left, width_) & ~1u;
    const uint32_t top = std::min(region.top, height_) & ~1u;
    const uint32_t right = std::min((region.right + 1) & ~1u, width_);
    const uint32_t bottom = std::min((region.bottom + 1) & ~1u, height_);
    const size_t stride = size_t{width_} * 4;
    for (uint32_t y = top; y + 1 < bottom; y += 2) {
        const uint8_t* a = rows + y * stride + size_t{left} * 4;
        const uint8_t* b = a + stride;
        uint8_t* luma = frame.data[0] + size_t{y} * frame.linesize[0] + left;
        LumaRow(a, luma, right - left);
        LumaRow(b, luma + frame.linesize[0], right - left);
        ChromaRow(a, b, frame.data[1] + size_t{y / 2} * frame.linesize[1] + left / 2,
                  frame.data[2] + size_t{y / 2} * frame.linesize[2] + left / 2, (right - left) / 2);
    }
}

} // namespace vel::video
