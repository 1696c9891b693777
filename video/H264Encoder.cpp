#include "video/H264Encoder.h"

#include "video/H264Level.h"
#include "video/XVideoWriter.h"

#include <algorithm>
#include <cmath>

extern "C" {
#include <libavutil/imgutils.h>
}

namespace vel::video {

namespace {

// A 1920 × 1080 picture's bit rate; a larger picture gets as many bits for
// each of its pixels, so that it looks as sharp, and a smaller one keeps it.
constexpr int64_t FullHdBitRate = 1800000;
constexpr int64_t FullHdPixels = int64_t{1920} * 1080;
// Chosen by measurement on flat-coloured animation at this bit rate.
constexpr const char* Preset = "veryfast";
constexpr const char* Tune = "animation";

int64_t VideoBitRate(uint32_t width, uint32_t height) {
    return std::max(FullHdBitRate, FullHdBitRate * width * height / FullHdPixels);
}

void Check(int rc) {
    if (rc < 0) {
        throw XVideoWriter(rc);
    }
}

} // namespace

uint32_t FrameRateNumerator(float fps) {
    const double n = std::floor(static_cast<double>(fps) * 1000.0 + 0.5);
    return n >= 1.0 && n <= 4294967295.0 ? static_cast<uint32_t>(n) : 0;
}

CodecContextPtr OpenH264Encoder(uint32_t width, uint32_t height, AVRational frameRate,
                                bool globalHeader, const RatePass& pass) {
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (!codec) {
        throw XVideoWriter(AVERROR_ENCODER_NOT_FOUND);
    }
    CodecContextPtr c(avcodec_alloc_context3(codec));
    if (!c) {
        throw XVideoWriter(AVERROR(ENOMEM));
    }
    c->width = static_cast<int>(width);
    c->height = static_cast<int>(height);
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->framerate = frameRate;
    c->time_base = av_inv_q(c->framerate);
    c->sample_aspect_ratio = {1, 1};
    c->field_order = AV_FIELD_PROGRESSIVE;
    c->bit_rate = VideoBitRate(width, height);
    c->profile = FF_PROFILE_H264_MAIN;
    // Players check the level before they play a file; where no level takes
    // the size and rate, the encoder names one itself.
    if (const int level = H264Level(width, height, static_cast<uint32_t>(frameRate.num),
                                    static_cast<uint32_t>(frameRate.den), c->bit_rate)) {
        c->level = level;
    }
    c->color_range = AVCOL_RANGE_MPEG;
    c->colorspace = AVCOL_SPC_BT709;
    c->color_primaries = AVCOL_PRI_BT709;
    c->color_trc = AVCOL_TRC_BT709;
    if (globalHeader) {
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    AVDictionary* options = nullptr;
    av_dict_set(&options, "preset", Preset, 0);
    av_dict_set(&options, "tune", Tune, 0);
    if (pass.kind != RatePass::Kind::Single) {
        c->flags |= pass.kind == RatePass::Kind::First ? AV_CODEC_FLAG_PASS1 : AV_CODEC_FLAG_PASS2;
        av_dict_set(&options, "stats", pass.stats.c_str(), 0);
    }
    const int rc = avcodec_open2(c.get(), codec, &options);
    av_dict_free(&options);
    Check(rc);
    return c;
}

FramePtr BlackPicture(uint32_t width, uint32_t height) {
    FramePtr picture(av_frame_alloc());
    if (!picture) {
        throw XVideoWriter(AVERROR(ENOMEM));
    }
    picture->format = AV_PIX_FMT_YUV420P;
    picture->width = static_cast<int>(width);
    picture->height = static_cast<int>(height);
    Check(av_frame_get_buffer(picture.get(), 0));
    const ptrdiff_t linesizes[4] = {picture->linesize[0], picture->linesize[1],
                                    picture->linesize[2], 0};
    Check(av_image_fill_black(picture->data, linesizes, AV_PIX_FMT_YUV420P, AVCOL_RANGE_MPEG,
                              picture->width, picture->height));
    return picture;
}

} // namespace vel::video
