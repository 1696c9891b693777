#include "apps/lumo/panes/QtAudioOutput.h"

#include <QAudioSink>
#include <QMediaDevices>

namespace vel::lumo {

namespace {

SampleFormat ToSampleFormat(QAudioFormat::SampleFormat format) {
    switch (format) {
    case QAudioFormat::UInt8:
        return SampleFormat::U8;
    case QAudioFormat::Int16:
        return SampleFormat::S16;
    case QAudioFormat::Int32:
        return SampleFormat::S32;
    case QAudioFormat::Float:
        return SampleFormat::F32;
    default:
        return SampleFormat::None;
    }
}

constexpr qint64 BufferMicroseconds = 1000000;

} // namespace

QtAudioOutput::QtAudioOutput() : device_(QMediaDevices::defaultAudioOutput()) {
    if (device_.isNull()) {
        return;
    }
    format_ = device_.preferredFormat();
    const SampleFormat format = ToSampleFormat(format_.sampleFormat());
    if (!format_.isValid() || format == SampleFormat::None || format_.channelCount() <= 0 ||
        format_.sampleRate() <= 0) {
        return;
    }
    header_ = AudioHeader::Make(static_cast<std::uint32_t>(format_.sampleRate()), format,
                                static_cast<std::uint32_t>(format_.channelCount()));
}

QtAudioOutput::~QtAudioOutput() {
    Stop();
}

bool QtAudioOutput::Start() {
    if (header_.format == SampleFormat::None) {
        return false;
    }
    Stop();
    sink_ = std::make_unique<QAudioSink>(device_, format_);
    sink_->setBufferSize(format_.bytesForDuration(BufferMicroseconds));
    io_ = sink_->start();
    if (!io_ || sink_->error() != QAudio::NoError) {
        Stop();
        return false;
    }
    return true;
}

void QtAudioOutput::Stop() {
    if (sink_) {
        sink_->stop();
        sink_->reset();
        sink_.reset();
    }
    io_ = nullptr;
}

std::uint64_t QtAudioOutput::BufferFrames() const {
    return sink_ ? static_cast<std::uint64_t>(sink_->bufferSize()) / header_.bytesPerFrame : 0;
}

std::uint64_t QtAudioOutput::FreeFrames() const {
    return sink_ ? static_cast<std::uint64_t>(sink_->bytesFree()) / header_.bytesPerFrame : 0;
}

std::uint64_t QtAudioOutput::Write(const std::uint8_t* data, std::uint64_t frames) {
    if (!io_) {
        return 0;
    }
    const std::uint64_t bytes = frames * header_.bytesPerFrame;
    const qint64 written =
        io_->write(reinterpret_cast<const char*>(data), static_cast<qint64>(bytes));
    return written > 0 ? static_cast<std::uint64_t>(written) / header_.bytesPerFrame : 0;
}

// On the sound server the sink's processed time is the stream's playing
// position, which already leaves out the server's own delay: recorded at the
// output it runs within a fifth of a frame of the sound.
std::optional<double> QtAudioOutput::HeardSinceStart() const {
    if (!sink_ || sink_->error() == QAudio::FatalError || sink_->error() == QAudio::OpenError) {
        return std::nullopt;
    }
    return static_cast<double>(sink_->processedUSecs()) / 1e6;
}

} // namespace vel::lumo
