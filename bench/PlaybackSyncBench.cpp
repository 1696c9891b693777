// How well the pictures keep to the sound over a long playback: plays a
// 10-minute 48 kHz stereo clip (or as many seconds as the first argument
// says) through a private sound server, records what comes out, and compares
// the clip time the audio pane reports as heard (which the main window's
// loop shows) with where the recording actually was, minute by minute.
// Usage: lumo-bench-playback-sync [SECONDS]

#include "apps/lumo/audio/SampleAt.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/panes/AudioWnd.h"
#include "tests/support/PaneTestHost.h"
#include "tests/support/PlaybackRecording.h"
#include "tests/support/PulseServer.h"

#include <QApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace {

using namespace vel::lumo;

constexpr std::uint32_t Rate = 48000;

// Noise whose loudness wanders, so that every stretch of it is unlike any
// other and the recording can be matched against it anywhere.
AudioClip NoiseClip(std::uint32_t seconds) {
    const AudioHeader header = AudioHeader::Make(Rate, SampleFormat::S16, 2);
    std::vector<std::uint8_t> samples(std::size_t{Rate} * seconds * header.bytesPerFrame);
    auto* out = reinterpret_cast<std::int16_t*>(samples.data());
    std::uint32_t state = 12345;
    for (std::size_t i = 0; i < std::size_t{Rate} * seconds; ++i) {
        state = state * 1664525u + 1013904223u;
        const double loudness = 0.3 + 0.2 * std::sin(static_cast<double>(i) / Rate * 1.7);
        const double noise = static_cast<double>(static_cast<std::int32_t>(state)) / 2147483648.0;
        out[2 * i] = out[2 * i + 1] = static_cast<std::int16_t>(32767 * loudness * noise);
    }
    return AudioClip(header, std::move(samples));
}

std::vector<float> Part(const AudioClip& clip, std::size_t from, std::size_t count) {
    std::vector<float> part(count);
    for (std::size_t j = 0; j < count; ++j) {
        part[j] = SampleAt(clip, (from + j) * clip.bytesPerFrame);
    }
    return part;
}

} // namespace

int main(int argc, char** argv) {
    const auto seconds = static_cast<std::uint32_t>(argc > 1 ? std::atoi(argv[1]) : 600);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    vel::testing::PulseServer server;
    if (!server.Running()) {
        std::fprintf(stderr, "no private sound server: %s\n", qPrintable(server.Problem()));
        return 1;
    }
    QApplication app(argc, argv);

    auto document = LumoDocument::New();
    AudioClip clip = NoiseClip(seconds + 2);
    document->SetAudio(clip);
    const AudioClip& audioClip = document->GetAudio();
    test::PaneTestHost host;
    AudioWnd audio(nullptr, &host);
    audio.SetDocument(document.get());
    QProcess recorder;
    server.PrepareRecorder(recorder, Rate);
    test::Recording recording(recorder, Rate);
    const double fps = document->GetFrameRate() / 1000.0;
    std::vector<test::Heard> heard;
    if (!test::PlayAndRecord(audio, recording, 0, fps, seconds, heard)) {
        std::fprintf(stderr, "playback or recording did not start\n");
        return 1;
    }
    const std::vector<float>& recorded = recording.Samples();

    // Where clip time c lies in the recording, every 15 seconds: the first
    // searched widely, the others near where the one before says.
    const std::size_t window = Rate / 5;
    std::vector<std::pair<double, double>> checkpoints; // recording index, clip seconds
    std::size_t lead = 0;
    for (std::uint32_t c = 1; c + 1 < seconds; c += 15) {
        const std::size_t expected = lead + std::size_t{c} * Rate;
        const std::size_t reach = checkpoints.empty() ? 3 * Rate : Rate / 10;
        const auto [index, score] =
            test::BestMatch(recorded, Part(audioClip, std::size_t{c} * Rate, window),
                            expected > reach ? expected - reach : 0, expected + reach);
        if (score < 0.8) {
            std::printf("clip second %u: not found in the recording (score %.2f)\n", c, score);
            continue;
        }
        if (checkpoints.empty()) {
            lead = index - std::size_t{c} * Rate;
        }
        checkpoints.emplace_back(static_cast<double>(index), c);
        std::printf(
            "clip second %4u at recording sample %zu: %+.2f ms from a steady run\n", c, index,
            (static_cast<double>(index) - double(lead + std::size_t{c} * Rate)) / Rate * 1000);
    }
    if (checkpoints.size() < 2) {
        std::fprintf(stderr, "too little of the clip found in the recording\n");
        return 1;
    }

    // The clip time being played at each moment the pictures asked.
    const auto clipSecondsAt = [&](double index) {
        auto after =
            std::upper_bound(checkpoints.begin(), checkpoints.end(), std::pair(index, 1e300));
        after = std::clamp(after, checkpoints.begin() + 1, checkpoints.end() - 1);
        const auto& [i0, s0] = *(after - 1);
        const auto& [i1, s1] = *after;
        return s0 + (index - i0) / (i1 - i0) * (s1 - s0);
    };
    struct Minute {
        double sum = 0, worst = 0;
        int count = 0;
    };
    std::map<int, Minute> minutes;
    for (const test::Heard& h : heard) {
        const double sinceStart = h.time - heard.front().time;
        if (sinceStart < 1.0) {
            continue;
        }
        const auto index = static_cast<double>(recording.IndexAt(h.time, 0));
        const double offset = (h.seconds - clipSecondsAt(index)) * fps;
        Minute& m = minutes[static_cast<int>(sinceStart / 60)];
        m.sum += offset;
        m.worst = std::max(m.worst, std::fabs(offset));
        ++m.count;
    }
    double worst = 0;
    for (const auto& [minute, m] : minutes) {
        std::printf("minute %2d: heard time minus recorded position mean %+.3f frames, worst "
                    "%.3f frames (%d frames)\n",
                    minute, m.sum / m.count, m.worst, m.count);
        worst = std::max(worst, m.worst);
    }
    std::printf("over %u s: worst offset %.3f frames\n", seconds, worst);
    return 0;
}
