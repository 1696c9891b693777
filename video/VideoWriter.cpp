#include "video/VideoWriter.h"

#include "video/AudioFormat.h"
#include "video/H264Encoder.h"
#include "video/XVideoWriter.h"

#include <algorithm>
#include <cstdio>

namespace vel::video {

namespace {

constexpr int64_t AudioBitRate = 192000;

void Check(int rc) {
    if (rc < 0) {
        throw XVideoWriter(rc);
    }
}

// The frame rate as the writer keeps it, refusing what it cannot encode:
// FFmpeg holds rates as signed 32-bit fractions.
uint32_t CheckedRate(uint32_t width, uint32_t height, float fps) {
    const uint32_t rate = FrameRateNumerator(fps);
    if (width == 0 || height == 0 || width % 2 != 0 || height % 2 != 0 || width > 16384 ||
        height > 16384 || rate == 0) {
        throw XVideoWriter(AVERROR(EINVAL));
    }
    if (rate > INT32_MAX) {
        throw XVideoWriter(AVERROR(ERANGE));
    }
    return rate;
}

} // namespace

void VideoWriter::FormatFree::operator()(AVFormatContext* p) const {
    // The I/O context belongs to the writer's FileIo.
    p->pb = nullptr;
    avformat_free_context(p);
}

VideoWriter::VideoWriter(uint32_t width, uint32_t height, float fps, const std::string& fileName,
                         const std::string& firstPassStats, uint64_t expectedFrames)
    : width_(width), height_(height), rateNumerator_(CheckedRate(width, height, fps)) {
    if (fileName.empty()) {
        throw XVideoWriter(AVERROR(ENOENT));
    }
    ownFile_ = std::make_unique<core::File>();
    if (!ownFile_->Open(fileName, core::File::ReadWriteAccess, core::File::CreateAlways)) {
        throw XVideoWriter(AVERROR(ownFile_->Failure().System()));
    }
    Start(*ownFile_, firstPassStats, expectedFrames);
}

VideoWriter::VideoWriter(uint32_t width, uint32_t height, float fps, core::File& file,
                         const std::string& firstPassStats, uint64_t expectedFrames)
    : width_(width), height_(height), rateNumerator_(CheckedRate(width, height, fps)) {
    Start(file, firstPassStats, expectedFrames);
}

void VideoWriter::Start(core::File& file, const std::string& firstPassStats,
                        uint64_t expectedFrames) {
    // FFmpeg's own messages would add lines to the program's output.
    av_log_set_level(AV_LOG_QUIET);
    AVFormatContext* format = nullptr;
    Check(avformat_alloc_output_context2(&format, nullptr, "mp4", nullptr));
    format_.reset(format);
    io_ = std::make_unique<FileIo>(file, true);
    format_->pb = io_->Context();
    format_->flags |= AVFMT_FLAG_CUSTOM_IO;
    FileIo::ServeReopening(*format_, file);
    video_ = OpenH264Encoder(
        width_, height_, {static_cast<int>(rateNumerator_), static_cast<int>(rateDenominator_)},
        (format_->oformat->flags & AVFMT_GLOBALHEADER) != 0,
        firstPassStats.empty() ? RatePass{} : RatePass{RatePass::Kind::Second, firstPassStats});
    audio_ = OpenAudioEncoder();
    videoStream_ = AddStream(*video_);
    audioStream_ = AddStream(*audio_);
    videoStream_->avg_frame_rate = video_->framerate;

    packet_.reset(av_packet_alloc());
    if (!packet_) {
        throw XVideoWriter(AVERROR(ENOMEM));
    }
    pictures_ = std::make_unique<PicturePair>(width_, height_);
    chunker_ = std::make_unique<AudioChunker>(*audio_);

    AVDictionary* options = nullptr;
    if (expectedFrames > WholeIndexSeconds * rateNumerator_ / rateDenominator_) {
        // A piece starts at every keyframe, and at least every minute. The
        // header waits for the first piece, so that it can say where the
        // pictures and the sound start after the encoders' delay.
        av_dict_set(&options, "movflags", "+empty_moov+delay_moov+default_base_moof+frag_keyframe",
                    0);
        av_dict_set(&options, "frag_duration", "60000000", 0);
    } else {
        av_dict_set(&options, "movflags", "+faststart", 0);
    }
    const int rc = avformat_write_header(format_.get(), &options);
    av_dict_free(&options);
    Check(rc);
    worker_ = std::make_unique<Worker>();
}

VideoWriter::Worker::Ticket VideoWriter::Post(std::function<void()> job) {
    return worker_->Post([this, job = std::move(job)] {
        if (lastError_ != 0) {
            return;
        }
        try {
            job();
        } catch (const std::bad_alloc&) {
            Healthy(AVERROR(ENOMEM));
        }
    });
}

CodecContextPtr VideoWriter::OpenAudioEncoder() const {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
    if (!codec) {
        throw XVideoWriter(AVERROR_ENCODER_NOT_FOUND);
    }
    CodecContextPtr c(avcodec_alloc_context3(codec));
    if (!c) {
        throw XVideoWriter(AVERROR(ENOMEM));
    }
    c->sample_fmt = AV_SAMPLE_FMT_FLTP;
    c->sample_rate = static_cast<int>(AudioRate);
    c->ch_layout = AV_CHANNEL_LAYOUT_STEREO;
    c->bit_rate = AudioBitRate;
    c->profile = FF_PROFILE_AAC_LOW;
    c->time_base = {1, static_cast<int>(AudioRate)};
    if (format_->oformat->flags & AVFMT_GLOBALHEADER) {
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    // The default coder's search costs a tenth of the whole export; at
    // 192 kbit/s the fast one sounds the same.
    AVDictionary* options = nullptr;
    av_dict_set(&options, "aac_coder", "fast", 0);
    const int rc = avcodec_open2(c.get(), codec, &options);
    av_dict_free(&options);
    Check(rc);
    return c;
}

AVStream* VideoWriter::AddStream(const AVCodecContext& encoder) {
    AVStream* stream = avformat_new_stream(format_.get(), nullptr);
    if (!stream) {
        throw XVideoWriter(AVERROR(ENOMEM));
    }
    Check(avcodec_parameters_from_context(stream->codecpar, &encoder));
    stream->time_base = encoder.time_base;
    return stream;
}

VideoWriter::~VideoWriter() {
    if (finished_) {
        return;
    }
    const int rc = Finalize();
    if (rc < 0) {
        std::fprintf(stderr, "Finalize failed with %08x.\n", static_cast<uint32_t>(rc));
    }
}

void VideoWriter::Finish() {
    if (finished_) {
        return;
    }
    Check(Finalize());
}

int VideoWriter::Finalize() {
    finished_ = true;
    worker_->WaitForAll();
    if (lastVideoTime_ < 0) {
        std::fputs("No frames were processed.  This is normal in certain tests.\n", stderr);
    }
    int rc = FlushVideo();
    while (FramePtr frame = chunker_->Pop(true)) {
        const int sent = Send(*audio_, *audioStream_, frame.get());
        rc = rc < 0 ? rc : sent;
    }
    const int flushed = Send(*audio_, *audioStream_, nullptr);
    rc = rc < 0 ? rc : flushed;
    const int trailer = av_write_trailer(format_.get());
    rc = rc < 0 ? rc : trailer;
    avio_flush(format_->pb);
    return Healthy(rc) ? 0 : lastError_.load();
}

bool VideoWriter::Healthy(int rc) {
    // The file's own reason ("No space left on device") says more than
    // what the muxer made of it.
    if (io_->Error() != 0) {
        rc = io_->Error();
    }
    // The first failure is the one to report: what follows comes of it.
    int none = 0;
    if (rc < 0) {
        lastError_.compare_exchange_strong(none, rc);
    }
    return rc >= 0;
}

int VideoWriter::FlushVideo() {
    if (videoFlushed_) {
        return 0;
    }
    videoFlushed_ = true;
    return Send(*video_, *videoStream_, nullptr);
}

int VideoWriter::Send(AVCodecContext& encoder, AVStream& stream, const AVFrame* frame) {
    int rc = avcodec_send_frame(&encoder, frame);
    while (rc >= 0) {
        rc = avcodec_receive_packet(&encoder, packet_.get());
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) {
            return 0;
        }
        if (rc < 0) {
            break;
        }
        if (keeping_ && &stream == videoStream_) {
            kept_.emplace_back(av_packet_clone(packet_.get()));
            if (!kept_.back()) {
                return AVERROR(ENOMEM);
            }
        }
        av_packet_rescale_ts(packet_.get(), encoder.time_base, stream.time_base);
        packet_->stream_index = stream.index;
        rc = av_interleaved_write_frame(format_.get(), packet_.get());
    }
    return rc;
}

bool VideoWriter::WriteVideoFrame(const uint8_t* rows) {
    return WriteVideoFrame(rows, {0, 0, width_, height_});
}

bool VideoWriter::WriteVideoFrame(const uint8_t* rows, FrameRegion changed) {
    if (finished_ || videoFlushed_ || !rows || sampleTime_ <= lastVideoTime_ || lastError_ != 0) {
        return false;
    }
    // The picture to fill was last read by the encoding two frames ago; the
    // other may still be encoding meanwhile.
    const int next = pictures_->Next();
    worker_->WaitFor(readers_[next]);
    AVFrame* picture = pictures_->Fill(rows, changed);
    if (!picture) {
        return false;
    }
    picture->pts = sampleTime_;
    readers_[next] = Post([this, picture] {
        const int rc = Send(*video_, *videoStream_, picture);
        // Written out at every frame, so that a full disk shows at once.
        avio_flush(format_->pb);
        Healthy(rc);
    });
    lastVideoTime_ = sampleTime_;
    return true;
}

void VideoWriter::KeepVideo() {
    worker_->WaitForAll();
    keeping_ = true;
    kept_.clear();
}

bool VideoWriter::WriteKeptFrame(uint32_t index) {
    if (finished_ || sampleTime_ <= lastVideoTime_) {
        return false;
    }
    worker_->WaitForAll();
    if (lastError_ != 0) {
        return false;
    }
    if (keeping_) {
        const int flushed = FlushVideo();
        keeping_ = false;
        if (flushed < 0) {
            return false;
        }
    }
    if (index >= kept_.size()) {
        return false;
    }
    // Decoding order is kept: the index-th packet moves with its run.
    const int64_t shift = sampleTime_ - index;
    PacketPtr copy(av_packet_clone(kept_[index].get()));
    if (!copy) {
        return false;
    }
    copy->pts += shift;
    copy->dts += shift;
    av_packet_rescale_ts(copy.get(), video_->time_base, videoStream_->time_base);
    copy->stream_index = videoStream_->index;
    const int rc = av_interleaved_write_frame(format_.get(), copy.get());
    avio_flush(format_->pb);
    if (!Healthy(rc)) {
        return false;
    }
    lastVideoTime_ = sampleTime_;
    return true;
}

bool VideoWriter::WriteAudio(uint64_t bytesPerSampleFrame, const void* bytes, uint64_t byteCount) {
    if (finished_ || bytesPerSampleFrame != AudioBytesPerFrame || lastError_ != 0) {
        return false;
    }
    const uint64_t frames = byteCount / bytesPerSampleFrame;
    if (frames == 0) {
        return true;
    }
    if (!bytes || frames > UINT32_MAX) {
        return false;
    }
    const int64_t start =
        av_rescale(sampleTime_, int64_t{AudioRate} * rateDenominator_, rateNumerator_);
    const auto* first = static_cast<const uint8_t*>(bytes);
    Post([this, start, samples = std::vector<uint8_t>(first, first + frames * AudioBytesPerFrame)] {
        WriteSlice(start, samples);
    });
    return true;
}

void VideoWriter::WriteSlice(int64_t start, const std::vector<uint8_t>& samples) {
    // Audio left out for earlier frames becomes silence, so that this slice
    // still plays with its picture.
    int64_t gap = start - chunker_->Pushed();
    if (gap > audio_->frame_size) {
        static const uint8_t silence[4096 * AudioBytesPerFrame] = {};
        for (; gap > 0; gap -= 4096) {
            if (!QueueAudio(silence, static_cast<uint32_t>(std::min<int64_t>(gap, 4096)))) {
                return;
            }
        }
    }
    QueueAudio(samples.data(), static_cast<uint32_t>(samples.size() / AudioBytesPerFrame));
}

bool VideoWriter::QueueAudio(const uint8_t* samples, uint32_t frames) {
    // The converter fails only for want of memory.
    if (!chunker_->Push(samples, frames)) {
        Healthy(AVERROR(ENOMEM));
        return false;
    }
    while (FramePtr frame = chunker_->Pop(false)) {
        if (!Healthy(Send(*audio_, *audioStream_, frame.get()))) {
            return false;
        }
    }
    return true;
}

} // namespace vel::video
