#pragma once

#include "apps/lumo/animate/LiveLife.h"
#include "apps/lumo/animate/LiveVoice.h"
#include "apps/lumo/audio/AudioClip.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class QAudioSource;

namespace vel::lumo {

class LiveKnobs;
class LiveLatencyLog;

// The microphone heard live: its sound, as it arrives in small pieces, moves
// the three mouth knobs of the live set, and the face's life (blinks, the
// flame) goes on with it. It gives up, releasing the knobs and
// telling why in the user's words, when the microphone cannot be opened, goes
// away or stops sending sound (a sound server that ended); it never waits on
// the microphone, so the show goes on whatever the sound does.
class LiveMicrophone : public QObject {
public:
    // How long without sound counts as a microphone that stopped.
    static constexpr int SilentDeviceMs = 1500;

    // Told once, after the microphone has stopped for good.
    using Failure = std::function<void(const QString& message)>;
    // Told the sound heard, whole samples in SoundFormat, once the live knobs
    // have moved with it.
    using Listener = std::function<void(std::span<const std::uint8_t> sound)>;

    // Whether another hand holds the knob now (a held expression key): the
    // voice and the face's life leave such a knob alone.
    using Held = std::function<bool(const KnobKey& key)>;

    // The format of the sound it hears.
    static AudioHeader SoundFormat();

    // The knobs must outlive the microphone.
    LiveMicrophone(LiveKnobs& knobs, LiveLife life, Failure onFailure, Held held = {});
    ~LiveMicrophone() override;
    LiveMicrophone(const LiveMicrophone&) = delete;
    LiveMicrophone& operator=(const LiveMicrophone&) = delete;

    // Starts hearing the device; false, the failure told, when it cannot.
    bool Start(const QAudioDevice& device);
    bool IsHearing() const { return source_ != nullptr; }
    // "Quiet now": the noise floor is learnt again.
    void LearnQuiet();
    // None stops telling.
    void SetListener(Listener listener) { listener_ = std::move(listener); }
    // The knobs its face's life moves, not the voice's.
    std::vector<KnobKey> LifeKeys() const { return life_.Keys(); }

private:
    class Receiver;
    void OnSound(const char* data, std::size_t size);
    void Check();
    void Fail(const QString& message);
    void Close();

    LiveKnobs* knobs_;
    Failure onFailure_;
    Held held_;
    Listener listener_;
    LiveVoice voice_;
    LiveLife life_;
    QElapsedTimer sinceStart_;
    QAudioDevice device_;
    std::unique_ptr<QAudioSource> source_;
    std::unique_ptr<Receiver> receiver_;
    QMediaDevices devices_;
    QTimer watchdog_;
    QElapsedTimer sinceSound_;
    std::vector<char> bytes_;
    std::unique_ptr<LiveLatencyLog> log_;
};

} // namespace vel::lumo
