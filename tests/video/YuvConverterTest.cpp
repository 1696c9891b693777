#include "video/YuvConverter.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <vector>

extern "C" {
#include <libavutil/frame.h>
}

namespace vel::video {
namespace {

constexpr uint8_t kUntouched = 0x55;

struct FrameFree {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};

// A yuv420p frame whose every byte starts out as kUntouched.
std::unique_ptr<AVFrame, FrameFree> MakeFrame(int width, int height) {
    std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
    frame->width = width;
    frame->height = height;
    frame->format = AV_PIX_FMT_YUV420P;
    EXPECT_EQ(av_frame_get_buffer(frame.get(), 0), 0);
    for (int plane = 0; plane < 3; ++plane) {
        const int rows = plane == 0 ? height : height / 2;
        std::fill_n(frame->data[plane], size_t(frame->linesize[plane]) * rows, kUntouched);
    }
    return frame;
}

uint8_t Luma(const AVFrame& frame, int x, int y) {
    return frame.data[0][y * frame.linesize[0] + x];
}

// BT.709 in limited range, straight from its definition.
struct Reference {
    double y, cb, cr;
};
Reference Bt709(double red, double green, double blue) {
    const double luma = 0.2126 * red + 0.7152 * green + 0.0722 * blue;
    return {16 + 219 * luma / 255, 128 + 224 * (blue - luma) / 1.8556 / 255,
            128 + 224 * (red - luma) / 1.5748 / 255};
}

TEST(YuvConverter, OddRegionEdgesTakeTheLastColumnAndRow) {
    constexpr int kSide = 6;
    const std::vector<uint8_t> white(size_t{kSide} * kSide * 4, 0xFF);
    const auto frame = MakeFrame(kSide, kSide);
    // Right and bottom edges 3 (exclusive) widen to 4; the left and top 1 to 0.
    YuvConverter(kSide, kSide).Convert(white.data(), {1, 1, 3, 3}, *frame);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            EXPECT_EQ(Luma(*frame, x, y), x < 4 && y < 4 ? 235 : kUntouched) << x << "," << y;
        }
    }
    EXPECT_EQ(frame->data[1][frame->linesize[1] + 1], 128);
    EXPECT_EQ(frame->data[2][2], kUntouched);

    // A region reaching past the frame ends at its edge.
    const auto whole = MakeFrame(kSide, kSide);
    YuvConverter(kSide, kSide).Convert(white.data(), {0, 0, 99, 7}, *whole);
    EXPECT_EQ(Luma(*whole, kSide - 1, kSide - 1), 235);
}

TEST(YuvConverter, MatchesTheBt709Formula) {
    // Each 2 × 2 block one colour, so that the block's chroma is that colour's.
    constexpr int kBlocks = 64;
    constexpr int kWidth = 2 * kBlocks;
    std::mt19937 random(7);
    std::vector<uint8_t> colours(kBlocks * 3);
    for (auto& c : colours) {
        c = static_cast<uint8_t>(random());
    }
    std::vector<uint8_t> rows(size_t{kWidth} * 2 * 4);
    for (int x = 0; x < kWidth; ++x) {
        for (int y = 0; y < 2; ++y) {
            uint8_t* p = &rows[(size_t(y) * kWidth + x) * 4];
            const uint8_t* rgb = &colours[x / 2 * 3];
            p[0] = rgb[2];
            p[1] = rgb[1];
            p[2] = rgb[0];
            p[3] = 0;
        }
    }
    const auto frame = MakeFrame(kWidth, 2);
    YuvConverter(kWidth, 2).Convert(rows.data(), {0, 0, kWidth, 2}, *frame);
    for (int b = 0; b < kBlocks; ++b) {
        const uint8_t* rgb = &colours[b * 3];
        const Reference want = Bt709(rgb[0], rgb[1], rgb[2]);
        EXPECT_NEAR(Luma(*frame, 2 * b, 0), want.y, 1.0) << b;
        EXPECT_NEAR(Luma(*frame, 2 * b + 1, 1), want.y, 1.0) << b;
        EXPECT_NEAR(frame->data[1][b], want.cb, 1.0) << b;
        EXPECT_NEAR(frame->data[2][b], want.cr, 1.0) << b;
    }
}

} // namespace
} // namespace vel::video
