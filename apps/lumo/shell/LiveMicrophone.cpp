#include "apps/lumo/shell/LiveMicrophone.h"

#include "apps/lumo/animate/StandardKeys.h"
#include "apps/lumo/model/LiveKnobs.h"
#include "apps/lumo/shell/LiveLatencyLog.h"

#include <QAudioFormat>
#include <QAudioSource>
#include <QIODevice>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>

namespace vel::lumo {

namespace {

// The input's own buffer: half a step of the analysis. The source looks for
// sound once a buffer, so a complete step waits at most half a step for it.
constexpr qint64 BufferMicroseconds = 5000;
constexpr int WatchdogMs = 250;

QAudioFormat VoiceFormat() {
    QAudioFormat format;
    format.setSampleRate(static_cast<int>(LiveVoice::Rate));
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

} // namespace

AudioHeader LiveMicrophone::SoundFormat() {
    return AudioHeader::Make(LiveVoice::Rate, SampleFormat::S16, 1);
}

// Where the source writes the sound as it arrives.
class LiveMicrophone::Receiver : public QIODevice {
public:
    explicit Receiver(LiveMicrophone& microphone) : microphone_(&microphone) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        microphone_->OnSound(data, static_cast<std::size_t>(std::max<qint64>(size, 0)));
        return size;
    }

private:
    LiveMicrophone* microphone_;
};

LiveMicrophone::LiveMicrophone(LiveKnobs& knobs, LiveLife life, Failure onFailure, Held held)
    : knobs_(&knobs), onFailure_(std::move(onFailure)), held_(std::move(held)),
      life_(std::move(life)), log_(LiveLatencyLog::FromEnvironment()) {
    watchdog_.setInterval(WatchdogMs);
    connect(&watchdog_, &QTimer::timeout, this, [this] { Check(); });
    connect(&devices_, &QMediaDevices::audioInputsChanged, this, [this] { Check(); });
}

// Closing from the source's own handlers leaves the source to the event loop,
// which may never come again once the microphone goes: here nothing of the
// source's runs any more, so it goes at once.
LiveMicrophone::~LiveMicrophone() {
    if (source_) {
        source_->stop();
    }
    source_.reset();
    receiver_.reset();
    Close();
}

bool LiveMicrophone::Start(const QAudioDevice& device) {
    Close();
    if (device.isNull()) {
        Fail(QStringLiteral("Live voice is off: no microphone was found."));
        return false;
    }
    device_ = device;
    source_ = std::make_unique<QAudioSource>(device, VoiceFormat());
    source_->setBufferSize(VoiceFormat().bytesForDuration(BufferMicroseconds));
    receiver_ = std::make_unique<Receiver>(*this);
    source_->start(receiver_.get());
    if (source_->error() != QAudio::NoError) {
        Fail(QStringLiteral("Live voice is off: the microphone \u201c%1\u201d could not be opened.")
                 .arg(device.description()));
        return false;
    }
    voice_.LearnQuiet();
    sinceSound_.start();
    sinceStart_.start();
    watchdog_.start();
    return true;
}

void LiveMicrophone::LearnQuiet() {
    voice_.LearnQuiet();
    knobs_->Set({{MouthKey, 0.0f}, {MouthWideKey, 0.0f}, {MouthRoundKey, 0.0f}});
}

void LiveMicrophone::OnSound(const char* data, std::size_t size) {
    if (!source_) {
        return;
    }
    bytes_.insert(bytes_.end(), data, data + size);
    const std::size_t whole = bytes_.size() / sizeof(std::int16_t);
    if (whole == 0) {
        return;
    }
    sinceSound_.restart();
    const auto start = LiveLatencyLog::Clock::now();
    std::vector<std::int16_t> samples(whole);
    std::memcpy(samples.data(), bytes_.data(), whole * sizeof(std::int16_t));
    bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(whole * 2));
    if (!voice_.Hear(samples).empty()) {
        const MouthShape& mouth = voice_.Mouth();
        KnobValues values = life_.At(static_cast<double>(sinceStart_.elapsed()) / 1000.0);
        values.insert(
            {{MouthKey, mouth.open}, {MouthWideKey, mouth.wide}, {MouthRoundKey, mouth.round}});
        if (held_) {
            std::erase_if(values, [this](const auto& value) { return held_(value.first); });
        }
        knobs_->Set(values);
        if (log_) {
            log_->Heard(mouth.open, start);
        }
    }
    if (listener_) {
        listener_({reinterpret_cast<const std::uint8_t*>(samples.data()),
                   samples.size() * sizeof(std::int16_t)});
    }
}

// A device that went away, a stream the server ended or one that has
// stopped delivering: each ends live voice with its reason.
void LiveMicrophone::Check() {
    if (!source_) {
        return;
    }
    const QString name = device_.description();
    const QList<QAudioDevice> inputs = QMediaDevices::audioInputs();
    if (std::none_of(inputs.begin(), inputs.end(),
                     [this](const QAudioDevice& input) { return input.id() == device_.id(); })) {
        Fail(QStringLiteral("Live voice is off: the microphone \u201c%1\u201d went away.")
                 .arg(name));
    } else if (source_->error() != QAudio::NoError || source_->state() == QAudio::StoppedState ||
               sinceSound_.hasExpired(SilentDeviceMs)) {
        Fail(QStringLiteral(
                 "Live voice is off: the microphone \u201c%1\u201d stopped sending sound.")
                 .arg(name));
    }
}

void LiveMicrophone::Fail(const QString& message) {
    Close();
    if (onFailure_) {
        onFailure_(message);
    }
}

// The source may be what called: it goes once its handler has returned.
void LiveMicrophone::Close() {
    watchdog_.stop();
    if (source_) {
        source_->stop();
        source_.release()->deleteLater();
    }
    // The source may still hold it until it goes.
    if (receiver_) {
        receiver_.release()->deleteLater();
    }
    bytes_.clear();
    std::vector<KnobKey> keys = life_.Keys();
    keys.insert(keys.end(), {MouthKey, MouthWideKey, MouthRoundKey});
    knobs_->Release(keys);
}

} // namespace vel::lumo
