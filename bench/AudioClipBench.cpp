// What a long sound clip costs the edits that carry it: executing, undoing
// and redoing the command that sets it, and copying the document the way an
// export does, and the export's start, which takes the clip in its own audio
// format. The clip is 10 minutes of 16-bit stereo, at 48 kHz (115 MB) unless
// a benchmark's argument names the rate.

#include "apps/lumo/document/AudioCommands.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/render/ExportAudio.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vel::lumo;

AudioClip TenMinuteClip(uint32_t sampleRate = 48000) {
    const AudioHeader header = AudioHeader::Make(sampleRate, SampleFormat::S16, 2);
    return AudioClip(header,
                     std::vector<uint8_t>(size_t{sampleRate} * 600 * header.bytesPerFrame, 0x11));
}

void ExecuteSetAudio(benchmark::State& state) {
    const auto document = LumoDocument::New();
    const SetAudioCmd command(document.get(), TenMinuteClip());
    for (auto _ : state) {
        benchmark::DoNotOptimize(document->Execute(command));
        // Moves the command to the redo list, which the next execution empties.
        state.PauseTiming();
        document->Undo();
        state.ResumeTiming();
    }
}

void UndoRedoSetAudio(benchmark::State& state) {
    const auto document = LumoDocument::New();
    document->Execute(SetAudioCmd(document.get(), TenMinuteClip()));
    for (auto _ : state) {
        benchmark::DoNotOptimize(document->Undo());
        benchmark::DoNotOptimize(document->Redo());
    }
}

void CopyDocumentForExport(benchmark::State& state) {
    const auto document = LumoDocument::New();
    document->Execute(SetAudioCmd(document.get(), TenMinuteClip()));
    for (auto _ : state) {
        const LumoDocument copy(*document);
        benchmark::DoNotOptimize(copy.GetAudio().sampleRate);
    }
}

void StartExport(benchmark::State& state) {
    const auto document = LumoDocument::New();
    document->Execute(
        SetAudioCmd(document.get(), TenMinuteClip(static_cast<uint32_t>(state.range(0)))));
    for (auto _ : state) {
        const LumoDocument copy(*document);
        ExportAudio audio(copy.GetAudio(), 29970);
        benchmark::DoNotOptimize(audio.Slice(0).data);
    }
}

BENCHMARK(ExecuteSetAudio)->Unit(benchmark::kMicrosecond);
BENCHMARK(UndoRedoSetAudio)->Unit(benchmark::kMicrosecond);
BENCHMARK(CopyDocumentForExport)->Unit(benchmark::kMicrosecond);
BENCHMARK(StartExport)->Arg(44100)->Arg(48000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
