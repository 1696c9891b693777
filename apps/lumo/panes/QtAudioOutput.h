#pragma once

#include "apps/lumo/panes/AudioOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <memory>

class QAudioSink;
class QIODevice;

namespace vel::lumo {

// The system's default audio output through a Qt audio sink in push mode,
// in the device's preferred format, with a buffer of about one second.
class QtAudioOutput : public AudioOutput {
public:
    QtAudioOutput();
    ~QtAudioOutput() override;

    AudioHeader Format() const override { return header_; }
    bool Start() override;
    void Stop() override;
    std::uint64_t BufferFrames() const override;
    std::uint64_t FreeFrames() const override;
    std::uint64_t Write(const std::uint8_t* data, std::uint64_t frames) override;
    std::optional<double> HeardSinceStart() const override;

private:
    QAudioDevice device_;
    QAudioFormat format_;
    AudioHeader header_{1, SampleFormat::None, 1, 0};
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* io_ = nullptr;
};

} // namespace vel::lumo
