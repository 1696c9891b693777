#include "video/FirstPass.h"

#include "video/H264Encoder.h"
#include "video/XVideoWriter.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace vel::video {

namespace {

std::string MakeFolder() {
    const std::filesystem::path pattern =
        std::filesystem::temp_directory_path() / "lumo-rate-XXXXXX";
    std::string name = pattern.string();
    if (!mkdtemp(name.data())) {
        throw XVideoWriter(AVERROR(errno));
    }
    return name;
}

} // namespace

FirstPass::FirstPass(uint32_t width, uint32_t height, float fps)
    : folder_(MakeFolder()), stats_(folder_ + "/stats"), converter_(width, height) {
    // FFmpeg's own messages would add lines to the program's output.
    av_log_set_level(AV_LOG_QUIET);
    try {
        const AVRational rate{static_cast<int>(FrameRateNumerator(fps)), 1000};
        encoder_ = OpenH264Encoder(width, height, rate, true, {RatePass::Kind::First, stats_});
        picture_ = BlackPicture(width, height);
        packet_.reset(av_packet_alloc());
        if (!packet_) {
            throw XVideoWriter(AVERROR(ENOMEM));
        }
    } catch (...) {
        encoder_.reset();
        std::filesystem::remove_all(folder_);
        throw;
    }
}

FirstPass::~FirstPass() {
    encoder_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void FirstPass::Send(const AVFrame* frame) {
    int rc = avcodec_send_frame(encoder_.get(), frame);
    while (rc >= 0) {
        rc = avcodec_receive_packet(encoder_.get(), packet_.get());
        av_packet_unref(packet_.get());
    }
    if (rc != AVERROR(EAGAIN) && rc != AVERROR_EOF) {
        throw XVideoWriter(rc);
    }
}

void FirstPass::WriteVideoFrame(const uint8_t* rows, FrameRegion changed) {
    const int rc = av_frame_make_writable(picture_.get());
    if (rc < 0) {
        throw XVideoWriter(rc);
    }
    converter_.Convert(rows, changed, *picture_);
    picture_->pts = time_++;
    Send(picture_.get());
}

const std::string& FirstPass::Finish() {
    if (encoder_) {
        Send(nullptr);
        // Closing the encoder puts the statistics under their name.
        encoder_.reset();
    }
    return stats_;
}

} // namespace vel::video
