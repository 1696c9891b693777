// What a long document costs the timeline and the audio pane: repainting the
// timeline (a 10-minute 48 kHz stereo clip, 10 knob rows of 500 anchors
// each) at the start, in the middle and zoomed all the way out, each the
// median of 100 repaints; and reading that clip from a WAV or an MP3 file,
// reducing it to the timeline's waveform and converting it to the output's
// format, as opening the document or loading its audio does.

#include "apps/lumo/audio/ConvertAudio.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/panes/PaneHost.h"
#include "apps/lumo/panes/TimelineWnd.h"
#include "apps/lumo/render/LoadAudioFile.h"
#include "tests/support/WavBytes.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace vel::lumo;

constexpr std::uint32_t Rate = 48000;
constexpr std::uint32_t Seconds = 600;

// A voice-like signal: a tone whose pitch and loudness wander.
AudioClip TenMinuteClip() {
    const AudioHeader header = AudioHeader::Make(Rate, SampleFormat::S16, 2);
    std::vector<std::uint8_t> samples(std::size_t{Rate} * Seconds * header.bytesPerFrame);
    auto* out = reinterpret_cast<std::int16_t*>(samples.data());
    double phase = 0;
    for (std::size_t i = 0; i < std::size_t{Rate} * Seconds; ++i) {
        const double t = static_cast<double>(i) / Rate;
        phase += 2 * M_PI * (200 + 80 * std::sin(t * 1.3)) / Rate;
        const double loudness = 0.5 + 0.5 * std::sin(t * 2.1);
        out[2 * i] = out[2 * i + 1] = static_cast<std::int16_t>(12000 * loudness * std::sin(phase));
    }
    return AudioClip(header, std::move(samples));
}

const AudioClip& Clip() {
    static const AudioClip clip = TenMinuteClip();
    return clip;
}

std::unique_ptr<LumoDocument> LongDocument() {
    auto document = LumoDocument::New();
    for (int k = 0; k < 7; ++k) {
        const std::string key = "knob" + std::to_string(k);
        document->GetModel().AddKnob(Knob{KnobKey(key), "Knob " + std::to_string(k), 0.5f, "min",
                                          0.0f, "max", 1.0f, Knob::Intent::Interpolate});
    }
    document->SynchroniseTimeline();
    const std::uint32_t frames = Seconds * 2997 / 100;
    for (const Knob& knob : document->GetKnobs()) {
        for (std::uint32_t a = 1; a < 500; ++a) {
            document->GetTimeline().InsertAnchor(
                knob.key, a * frames / 500, 0.5f + 0.4f * std::sin(static_cast<float>(a) * 0.7f));
        }
    }
    AudioClip clip = Clip();
    document->SetAudio(clip);
    return document;
}

class NoHost : public PaneHost {
public:
    void RequestFrame(uint32_t frame) override { frame_ = frame; }
    void RequestSelection(const Selection&) override {}
    int OnCommand(uint32_t) override { return 0; }
    uint32_t GetFrame() const override { return frame_; }

private:
    uint32_t frame_ = 0;
};

// Arguments: the frame the cursor sits on, and zoom steps.
void RepaintTimeline(benchmark::State& state) {
    const auto document = LongDocument();
    NoHost host;
    TimelineWnd pane(nullptr, &host);
    pane.resize(1280, 1000);
    pane.show();
    pane.SetDocument(document.get());
    pane.SetFrame(static_cast<uint32_t>(state.range(0)));
    pane.Zoom(static_cast<int>(state.range(1)));
    QApplication::processEvents();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        pane.repaint();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

// Argument: 0 for WAV, 1 for MP3.
void LoadClipFile(benchmark::State& state) {
    using namespace vel::lumo::test;
    const Fmt format{1, 2, Rate, 16};
    const TempFile wav(Riff({format.AsChunk(), Chunk("data", Clip().Samples())}));
    std::string file = wav.Path();
    if (state.range(0) == 1) {
        file += ".mp3";
        const std::string command =
            "ffmpeg -v error -y -i '" + wav.Path() + "' -b:a 128k '" + file + "'";
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("the ffmpeg tool could not make the MP3");
            return;
        }
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadAudioFile(file).Samples().data());
    }
    if (file != wav.Path()) {
        std::filesystem::remove(file);
    }
}

void BuildWaveform(benchmark::State& state) {
    for (auto _ : state) {
        TimelineWaveform waveform;
        waveform.Build(Clip(), 29970);
        benchmark::DoNotOptimize(waveform.Envelope().data);
    }
}

// Argument: the output's rate; float samples as the sound server offers them.
void ConvertForOutput(benchmark::State& state) {
    const AudioHeader target =
        AudioHeader::Make(static_cast<std::uint32_t>(state.range(0)), SampleFormat::F32, 2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ConvertAudio(Clip(), target).Samples().data());
    }
}

BENCHMARK(RepaintTimeline)
    ->ArgNames({"frame", "zoom"})
    ->Args({0, 0})
    ->Args({9000, 0})
    ->Args({9000, -30})
    ->Args({9000, 10})
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(100)
    ->ReportAggregatesOnly()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(LoadClipFile)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildWaveform)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(ConvertForOutput)->Arg(44100)->Arg(48000)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
