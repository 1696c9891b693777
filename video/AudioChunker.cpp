#include "video/AudioChunker.h"

#include "video/XVideoWriter.h"

#include <algorithm>

namespace vel::video {

AudioChunker::AudioChunker(const AVCodecContext& encoder)
    : encoder_(encoder), scratch_(av_frame_alloc()) {
    SwrContext* swr = nullptr;
    AVChannelLayout layout = encoder.ch_layout;
    int rc = swr_alloc_set_opts2(&swr, &layout, encoder.sample_fmt, encoder.sample_rate, &layout,
                                 AV_SAMPLE_FMT_S16, encoder.sample_rate, 0, nullptr);
    swr_.reset(swr);
    if (rc >= 0) {
        rc = swr_init(swr_.get());
    }
    if (rc < 0) {
        throw XVideoWriter(rc);
    }
    fifo_.reset(
        av_audio_fifo_alloc(encoder.sample_fmt, encoder.ch_layout.nb_channels, encoder.frame_size));
    if (!fifo_ || !scratch_) {
        throw XVideoWriter(AVERROR(ENOMEM));
    }
}

bool AudioChunker::Push(const uint8_t* samples, uint32_t frames) {
    if (frames == 0) {
        return true;
    }
    scratch_->format = encoder_.sample_fmt;
    scratch_->nb_samples = static_cast<int>(frames);
    if (av_channel_layout_copy(&scratch_->ch_layout, &encoder_.ch_layout) < 0 ||
        av_frame_get_buffer(scratch_.get(), 0) < 0) {
        return false;
    }
    const int converted = swr_convert(swr_.get(), scratch_->data, static_cast<int>(frames),
                                      &samples, static_cast<int>(frames));
    const bool ok =
        converted >= 0 && av_audio_fifo_write(fifo_.get(), reinterpret_cast<void**>(scratch_->data),
                                              converted) == converted;
    av_frame_unref(scratch_.get());
    if (ok) {
        pushed_ += converted;
    }
    return ok;
}

FramePtr AudioChunker::Pop(bool flush) {
    const int available = av_audio_fifo_size(fifo_.get());
    if (available == 0 || (available < encoder_.frame_size && !flush)) {
        return nullptr;
    }
    FramePtr frame(av_frame_alloc());
    if (!frame) {
        return nullptr;
    }
    frame->format = encoder_.sample_fmt;
    frame->sample_rate = encoder_.sample_rate;
    frame->nb_samples = std::min(available, encoder_.frame_size);
    if (av_channel_layout_copy(&frame->ch_layout, &encoder_.ch_layout) < 0 ||
        av_frame_get_buffer(frame.get(), 0) < 0 ||
        av_audio_fifo_read(fifo_.get(), reinterpret_cast<void**>(frame->data), frame->nb_samples) !=
            frame->nb_samples) {
        return nullptr;
    }
    frame->pts = popped_;
    popped_ += frame->nb_samples;
    return frame;
}

} // namespace vel::video
