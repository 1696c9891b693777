#include "video/AudioFileDecoder.h"

#include "core/FileErrorText.h"
#include "video/AudioFileError.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace vel::video {

namespace {

// Lossy codecs keep far less than 16 bits of precision, and integer sources
// of up to 16 bits lose nothing: both become 16-bit. Deeper or float
// sources become float.
DecodedAudioFormat ClipFormat(AVCodecID codec, int rate, int channels, int decoded) {
    DecodedAudioFormat format{static_cast<std::uint32_t>(std::max(rate, 0)),
                              static_cast<std::uint32_t>(std::max(channels, 0)), true};
    const AVCodecDescriptor* descriptor = avcodec_descriptor_get(codec);
    const bool lossy = descriptor && (descriptor->props & AV_CODEC_PROP_LOSSY) != 0 &&
                       (descriptor->props & AV_CODEC_PROP_LOSSLESS) == 0;
    const AVSampleFormat packed = av_get_packed_sample_fmt(static_cast<AVSampleFormat>(decoded));
    if (lossy || packed == AV_SAMPLE_FMT_U8 || packed == AV_SAMPLE_FMT_S16) {
        format.isFloat = false;
    }
    return format;
}

AVSampleFormat ResamplerFormat(const DecodedAudioFormat& format) {
    return format.isFloat ? AV_SAMPLE_FMT_FLT : AV_SAMPLE_FMT_S16;
}

} // namespace

DecodedAudio AudioFileDecoder::Run(const std::string& fileName) {
    av_log_set_level(AV_LOG_ERROR);
    Open(fileName);
    OpenStream();
    Reserve();
    Decode();
    if (samples_.empty()) {
        if (guessed_) {
            throw AudioFileError("not a sound file");
        }
        if (damagedAt_) {
            throw AudioFileError::DamagedAt(static_cast<std::uint64_t>(*damagedAt_));
        }
        throw AudioFileError("it holds no sound");
    }
    return DecodedAudio{format_, std::move(samples_)};
}

void AudioFileDecoder::Open(const std::string& fileName) {
    AVIOContext* io = nullptr;
    // The file protocol by name, so that no part of the name can pick another.
    const int opened = avio_open(&io, ("file:" + fileName).c_str(), AVIO_FLAG_READ);
    if (opened < 0) {
        throw AudioFileError(core::FileErrorText(core::FileError::FromErrno(AVUNERROR(opened)),
                                                 core::FileOperation::Reading));
    }
    io_.reset(io);
    const AVInputFormat* format = nullptr;
    const int score = av_probe_input_buffer2(io, &format, fileName.c_str(), nullptr, 0, 0);
    if (score < 0) {
        throw AudioFileError("not a sound file");
    }
    guessed_ = score < AVPROBE_SCORE_EXTENSION / 2;
    AVFormatContext* input = avformat_alloc_context();
    if (!input) {
        throw std::bad_alloc();
    }
    input->pb = io;
    // A failure frees the context but leaves the file to us.
    if (avformat_open_input(&input, fileName.c_str(), format, nullptr) < 0) {
        FailReading();
    }
    input_.reset(input);
    if (avformat_find_stream_info(input, nullptr) < 0) {
        FailReading();
    }
}

void AudioFileDecoder::OpenStream() {
    stream_ = av_find_best_stream(input_.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (stream_ < 0) {
        throw AudioFileError("no sound stream");
    }
    const AVCodecParameters* parameters = input_->streams[stream_]->codecpar;
    const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
    codec_.reset(decoder ? avcodec_alloc_context3(decoder) : nullptr);
    if (!codec_ || avcodec_parameters_to_context(codec_.get(), parameters) < 0 ||
        avcodec_open2(codec_.get(), decoder, nullptr) < 0) {
        throw AudioFileError(std::string("its sound is in a form that cannot be decoded (") +
                             avcodec_get_name(parameters->codec_id) + ")");
    }
    frame_.reset(av_frame_alloc());
    if (!frame_) {
        throw std::bad_alloc();
    }
}

// From the length the file states, before anything is decoded: a clip that
// memory cannot hold is refused at once, and one that fits is given its
// room in one piece, so that it is never copied to grow.
void AudioFileDecoder::Reserve() {
    const AVStream* stream = input_->streams[stream_];
    double seconds = 0;
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0) {
        seconds = static_cast<double>(stream->duration) * av_q2d(stream->time_base);
    } else if (input_->duration != AV_NOPTS_VALUE && input_->duration > 0) {
        seconds = static_cast<double>(input_->duration) / AV_TIME_BASE;
    }
    const DecodedAudioFormat expected = ClipFormat(
        codec_->codec_id, codec_->sample_rate, codec_->ch_layout.nb_channels, codec_->sample_fmt);
    // A little more than stated, so that a clip running slightly longer still fits.
    const double bytes =
        (seconds * 1.01 + 1) * expected.sampleRate * static_cast<double>(expected.BytesPerFrame());
    if (!(bytes < static_cast<double>(memoryLimit_))) {
        throw AudioFileError::TooLarge(static_cast<std::uint64_t>(std::min(bytes, 1e19)),
                                       memoryLimit_);
    }
    samples_.reserve(static_cast<std::size_t>(bytes));
}

void AudioFileDecoder::Decode() {
    const PacketPtr packet(av_packet_alloc());
    if (!packet) {
        throw std::bad_alloc();
    }
    for (;;) {
        const int read = av_read_frame(input_.get(), packet.get());
        if (read < 0) {
            // What was read so far stays; an error before the end is where the damage begins.
            if (read != AVERROR_EOF && !avio_feof(io_.get())) {
                NoteDamage(avio_tell(io_.get()));
            }
            break;
        }
        if (packet->stream_index == stream_) {
            const std::int64_t position = packet->pos >= 0 ? packet->pos : avio_tell(io_.get());
            if (avcodec_send_packet(codec_.get(), packet.get()) < 0) {
                NoteDamage(position);
            } else {
                Drain(position);
            }
            Tell(position);
        }
        av_packet_unref(packet.get());
    }
    avcodec_send_packet(codec_.get(), nullptr);
    Drain(avio_tell(io_.get()));
    if (resampler_) {
        Append(nullptr, 0);
    }
}

void AudioFileDecoder::Drain(std::int64_t position) {
    for (;;) {
        const int result = avcodec_receive_frame(codec_.get(), frame_.get());
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) {
            return;
        }
        if (result < 0) {
            NoteDamage(position);
            return;
        }
        Convert(*frame_, position);
        av_frame_unref(frame_.get());
    }
}

// The first frame fixes the clip's rate, channels and format; a later frame
// in another rate or sample format is converted to them, one with another
// channel count is skipped.
void AudioFileDecoder::Convert(AVFrame& frame, std::int64_t position) {
    const int channels = frame.ch_layout.nb_channels;
    if (channels <= 0 || frame.sample_rate <= 0 ||
        (resampler_ && channels != static_cast<int>(format_.channels))) {
        NoteDamage(position);
        return;
    }
    if (!resampler_) {
        format_ = ClipFormat(codec_->codec_id, frame.sample_rate, channels, frame.format);
    }
    if (!resampler_ || frame.sample_rate != inRate_ || frame.format != inFormat_) {
        if (resampler_) {
            Append(nullptr, 0);
        }
        SwrContext* resampler = nullptr;
        const int made = swr_alloc_set_opts2(&resampler, &frame.ch_layout, ResamplerFormat(format_),
                                             static_cast<int>(format_.sampleRate), &frame.ch_layout,
                                             static_cast<AVSampleFormat>(frame.format),
                                             frame.sample_rate, 0, nullptr);
        resampler_.reset(resampler);
        if (made < 0 || swr_init(resampler) < 0) {
            resampler_.reset();
            NoteDamage(position);
            return;
        }
        inRate_ = frame.sample_rate;
        inFormat_ = frame.format;
    }
    Append(const_cast<const std::uint8_t**>(frame.extended_data), frame.nb_samples);
}

void AudioFileDecoder::Append(const std::uint8_t** data, int frames) {
    const int room = swr_get_out_samples(resampler_.get(), frames);
    if (room <= 0) {
        return;
    }
    const std::size_t old = samples_.size();
    const std::uint64_t wanted = old + static_cast<std::uint64_t>(room) * format_.BytesPerFrame();
    if (wanted > memoryLimit_ || wanted > samples_.max_size()) {
        throw AudioFileError::TooLarge(wanted, memoryLimit_);
    }
    const auto size = static_cast<std::size_t>(wanted);
    // Beyond the room reserved, growth by a quarter keeps the copy's peak low.
    if (size > samples_.capacity()) {
        samples_.reserve(std::max(size, samples_.capacity() + samples_.capacity() / 4));
    }
    samples_.resize(size);
    std::uint8_t* out = samples_.data() + old;
    const int converted = swr_convert(resampler_.get(), &out, room, data, frames);
    samples_.resize(old +
                    static_cast<std::size_t>(std::max(converted, 0)) * format_.BytesPerFrame());
}

void AudioFileDecoder::Tell(std::int64_t position) {
    if (!listener_) {
        return;
    }
    const std::int64_t size = avio_size(io_.get());
    const double partRead =
        size > 0 ? std::clamp(static_cast<double>(position) / static_cast<double>(size), 0.0, 1.0)
                 : 0.0;
    if (!listener_(DecodedAudioView{format_, samples_.data(), samples_.size()}, partRead)) {
        throw DecodingStopped{};
    }
}

void AudioFileDecoder::NoteDamage(std::int64_t position) {
    if (!damagedAt_) {
        damagedAt_ = std::max<std::int64_t>(position, 0);
    }
}

// Where the container could not be read: a file that ends before what it
// promised is cut off; anything else is damaged where reading stopped.
void AudioFileDecoder::FailReading() const {
    if (guessed_) {
        throw AudioFileError("not a sound file");
    }
    const std::int64_t at = std::max<std::int64_t>(avio_tell(io_.get()), 0);
    const std::int64_t size = avio_size(io_.get());
    if (avio_feof(io_.get()) || (size >= 0 && at >= size)) {
        throw AudioFileError("cut off at byte " + std::to_string(size));
    }
    throw AudioFileError::DamagedAt(static_cast<std::uint64_t>(at));
}

} // namespace vel::video
