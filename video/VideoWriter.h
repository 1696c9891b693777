#pragma once

#include "core/File.h"
#include "core/SerialWorker.h"
#include "video/AudioChunker.h"
#include "video/FfmpegHandles.h"
#include "video/FileIo.h"
#include "video/FrameRegion.h"
#include "video/PicturePair.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vel::video {

// Writes an MP4 file (H.264 Main profile at 1.8 Mbit/s and the lowest level
// that takes the size and rate, AAC-LC stereo
// 44100 Hz at 192 kbit/s, index at the front) from 32-bit B, G, R, X frames
// and 16-bit stereo 44100 Hz PCM slices. The caller writes one frame and its
// audio, then advances the time by one frame. Encoding and writing to the
// file run on a thread of the writer's own, so that the caller can draw the
// next frame meanwhile; what failed there shows in the calls that follow.
class VideoWriter {
public:
    // The index of a whole file is held in memory until the end, about
    // 2.7 KB for every second of video; a video expected to last longer than
    // this is written with its index in pieces as it goes (fragments), so
    // that memory stays flat however long it runs.
    static constexpr uint64_t WholeIndexSeconds = uint64_t{4} * 3600;

    // Creates fileName and readies both streams; throws XVideoWriter with
    // FFmpeg's error code on failure. width and height must be even. Given
    // the statistics of a FirstPass over the pictures to come, the video
    // spends exactly its bit rate on them. expectedFrames, when known, is
    // how many frames the caller means to write.
    VideoWriter(uint32_t width, uint32_t height, float fps, const std::string& fileName,
                const std::string& firstPassStats = {}, uint64_t expectedFrames = 0);
    // The same, writing into a file the caller opened for reading and
    // writing and keeps open while the writer lives.
    VideoWriter(uint32_t width, uint32_t height, float fps, core::File& file,
                const std::string& firstPassStats = {}, uint64_t expectedFrames = 0);
    VideoWriter(const VideoWriter&) = delete;
    VideoWriter& operator=(const VideoWriter&) = delete;
    // Finishes the file if neither Finish nor Abandon was called; never
    // throws. A failure is written as one line to standard error.
    ~VideoWriter();

    // Writes one frame (width × 4 bytes per row, rows packed, first row at
    // the top) at the current time; the rows are read before it returns.
    // Answers false on failure (also one of an earlier write), or when a frame
    // was already written at this time.
    bool WriteVideoFrame(const uint8_t* rows);
    // The same, where the caller promises that the pixels outside changed
    // equal those of the previous frame (before the first frame: black).
    bool WriteVideoFrame(const uint8_t* rows, FrameRegion changed);
    // Writes the whole sample frames of a slice of interleaved left, right
    // 16-bit samples; a trailing partial sample frame is dropped. The bytes
    // are read before it returns.
    bool WriteAudio(uint64_t bytesPerSampleFrame, const void* bytes, uint64_t byteCount);
    void AdvanceTime() { ++sampleTime_; }

    // Keeps the compressed pictures of the frames written from now on, so
    // that the run can be written again without encoding it again. Call it
    // before the first frame, which then starts a closed group of pictures.
    void KeepVideo();
    // Writes the index-th kept picture again at the current time. The first
    // call ends the encoding: no new frame can be written after it.
    bool WriteKeptFrame(uint32_t index);

    // Completes the file; throws XVideoWriter when it could not be
    // completed (for example the disk is full). Nothing can be written after.
    void Finish();
    // Gives the file up unfinished, without waiting for the encoders to
    // empty; nothing can be written after.
    void Abandon() { finished_ = true; }
    // The FFmpeg code of the first failed encoding or file write, 0 when none
    // failed: after it nothing more is written and every later write fails,
    // where a refused frame leaves it 0. A failure shows here at the latest
    // when the next frame is written.
    int LastError() const { return lastError_; }

    uint32_t Width() const { return width_; }
    uint32_t Height() const { return height_; }
    uint32_t FrameRateNumerator() const { return rateNumerator_; }
    uint32_t FrameRateDenominator() const { return rateDenominator_; }

private:
    struct FormatFree {
        void operator()(AVFormatContext* p) const;
    };

    using Worker = core::SerialWorker<std::function<void()>>;

    void Start(core::File& file, const std::string& firstPassStats, uint64_t expectedFrames);
    // Queues work for the encoding thread, which skips it after a failure.
    Worker::Ticket Post(std::function<void()> job);
    // Notes a failure of rc or of the file; answers whether all is well.
    bool Healthy(int rc);
    CodecContextPtr OpenAudioEncoder() const;
    AVStream* AddStream(const AVCodecContext& encoder);
    bool QueueAudio(const uint8_t* samples, uint32_t frames);
    void WriteSlice(int64_t start, const std::vector<uint8_t>& samples);
    int Send(AVCodecContext& encoder, AVStream& stream, const AVFrame* frame);
    int Finalize();
    int FlushVideo();

    uint32_t width_;
    uint32_t height_;
    uint32_t rateNumerator_;
    uint32_t rateDenominator_ = 1000;
    std::unique_ptr<core::File> ownFile_;
    std::unique_ptr<FileIo> io_;
    std::unique_ptr<AVFormatContext, FormatFree> format_;
    CodecContextPtr video_;
    CodecContextPtr audio_;
    AVStream* videoStream_ = nullptr;
    AVStream* audioStream_ = nullptr;
    PacketPtr packet_;
    std::unique_ptr<PicturePair> pictures_;
    // Per picture: the job that encodes it.
    Worker::Ticket readers_[2] = {};
    std::unique_ptr<AudioChunker> chunker_;
    // In frames: the time of the next frame, and of the last frame written.
    int64_t sampleTime_ = 0;
    int64_t lastVideoTime_ = -1;
    bool finished_ = false;
    bool videoFlushed_ = false;
    bool keeping_ = false;
    std::vector<PacketPtr> kept_;
    std::atomic<int> lastError_ = 0;
    // Destroyed first: the thread ends before what it works on.
    std::unique_ptr<Worker> worker_;
};

} // namespace vel::video
