#include "apps/lumo/render/LoadAudioFile.h"

#include "apps/lumo/audio/LoadWav.h"
#include "core/File.h"
#include "video/FfmpegHandles.h"

#include <optional>
#include <vector>

namespace vel::lumo {

namespace {

using video::CodecContextPtr;
using video::FramePtr;
using video::InputPtr;
using video::PacketPtr;
using video::SwrPtr;

// Integer sources of up to 16 bits stay 16-bit; deeper or float ones become
// float, so nothing is lost to the conversion.
bool KeepsSixteenBits(AVSampleFormat format) {
    switch (av_get_packed_sample_fmt(format)) {
    case AV_SAMPLE_FMT_U8:
    case AV_SAMPLE_FMT_S16:
        return true;
    default:
        return false;
    }
}

// Decodes the file's best audio stream, interleaving its samples through
// the resampler (at the same rate) into the clip's format.
class Decoder {
public:
    std::optional<AudioClip> Run(const std::string& fileName);

private:
    bool Open(const std::string& fileName);
    bool Convert(AVFrame* frame);
    bool Append(const std::uint8_t** data, int frames);
    bool Drain();

    InputPtr input_;
    CodecContextPtr codec_;
    SwrPtr resampler_;
    int stream_ = -1;
    AudioHeader header_;
    AVSampleFormat outFormat_ = AV_SAMPLE_FMT_NONE;
    std::vector<std::uint8_t> samples_;
};

bool Decoder::Open(const std::string& fileName) {
    AVFormatContext* input = nullptr;
    if (avformat_open_input(&input, fileName.c_str(), nullptr, nullptr) < 0) {
        return false;
    }
    input_.reset(input);
    if (avformat_find_stream_info(input, nullptr) < 0) {
        return false;
    }
    const AVCodec* decoder = nullptr;
    stream_ = av_find_best_stream(input, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
    if (stream_ < 0 || !decoder) {
        return false;
    }
    codec_.reset(avcodec_alloc_context3(decoder));
    return codec_ &&
           avcodec_parameters_to_context(codec_.get(), input->streams[stream_]->codecpar) >= 0 &&
           avcodec_open2(codec_.get(), decoder, nullptr) >= 0;
}

// The first frame fixes the clip's format; later frames are converted to it.
bool Decoder::Convert(AVFrame* frame) {
    if (!resampler_) {
        const int channels = frame->ch_layout.nb_channels;
        if (channels <= 0 || frame->sample_rate <= 0) {
            return false;
        }
        const auto format = static_cast<AVSampleFormat>(frame->format);
        outFormat_ = KeepsSixteenBits(format) ? AV_SAMPLE_FMT_S16 : AV_SAMPLE_FMT_FLT;
        header_ = AudioHeader::Make(static_cast<std::uint32_t>(frame->sample_rate),
                                    outFormat_ == AV_SAMPLE_FMT_S16 ? SampleFormat::S16
                                                                    : SampleFormat::F32,
                                    static_cast<std::uint32_t>(channels));
        SwrContext* resampler = nullptr;
        if (swr_alloc_set_opts2(&resampler, &frame->ch_layout, outFormat_, frame->sample_rate,
                                &frame->ch_layout, format, frame->sample_rate, 0, nullptr) < 0) {
            return false;
        }
        resampler_.reset(resampler);
        if (swr_init(resampler) < 0) {
            return false;
        }
    }
    return Append(const_cast<const std::uint8_t**>(frame->extended_data), frame->nb_samples);
}

bool Decoder::Append(const std::uint8_t** data, int frames) {
    const int room = swr_get_out_samples(resampler_.get(), frames);
    if (room < 0) {
        return false;
    }
    const std::size_t old = samples_.size();
    samples_.resize(old + static_cast<std::size_t>(room) * header_.bytesPerFrame);
    std::uint8_t* out = samples_.data() + old;
    const int converted = swr_convert(resampler_.get(), &out, room, data, frames);
    if (converted < 0) {
        return false;
    }
    samples_.resize(old + static_cast<std::size_t>(converted) * header_.bytesPerFrame);
    return true;
}

// Receives every frame the decoder has ready; false on a decoding error.
bool Decoder::Drain() {
    const FramePtr frame(av_frame_alloc());
    if (!frame) {
        return false;
    }
    for (;;) {
        const int result = avcodec_receive_frame(codec_.get(), frame.get());
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) {
            return true;
        }
        if (result < 0 || !Convert(frame.get())) {
            return false;
        }
        av_frame_unref(frame.get());
    }
}

std::optional<AudioClip> Decoder::Run(const std::string& fileName) {
    if (!Open(fileName)) {
        return std::nullopt;
    }
    const PacketPtr packet(av_packet_alloc());
    if (!packet) {
        return std::nullopt;
    }
    while (av_read_frame(input_.get(), packet.get()) >= 0) {
        const bool ours = packet->stream_index == stream_;
        const bool sent = !ours || avcodec_send_packet(codec_.get(), packet.get()) >= 0;
        av_packet_unref(packet.get());
        // A damaged packet is skipped, as players do; the rest still plays.
        if (sent && ours && !Drain()) {
            return std::nullopt;
        }
    }
    avcodec_send_packet(codec_.get(), nullptr);
    if (!Drain() || !resampler_ || !Append(nullptr, 0) || samples_.empty()) {
        return std::nullopt;
    }
    return AudioClip(header_, std::move(samples_));
}

} // namespace

AudioClip LoadAudioFile(const std::string& fileName) {
    // The decoder would wait forever on a pipe: only regular files are read.
    if (core::File probe; !probe.Open(fileName, core::File::ReadAccess, core::File::OpenExisting)) {
        return {};
    }
    AudioClip wav = LoadWav(fileName);
    if (!wav.Samples().empty()) {
        return wav;
    }
    av_log_set_level(AV_LOG_ERROR);
    std::optional<AudioClip> decoded = Decoder().Run(fileName);
    return decoded ? std::move(*decoded) : wav;
}

} // namespace vel::lumo
