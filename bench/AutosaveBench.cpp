// What a recovery copy costs: the copy of the document the window's thread
// takes (Snapshot), turning the document into bytes in memory as the window
// once did for comparison (Serialise), and the whole copy with the write to
// the disk that the worker does, for the example, a face of 20,000 shapes
// and the example with an hour of sound (44.1 kHz, 16-bit, mono: 318 MB).

#include "apps/lumo/document/AudioCommands.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/recovery/RecoveryStore.h"
#include "core/FileError.h"
#include "serializer/MemorySerializer.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>

namespace {

using namespace vel::lumo;

std::unique_ptr<LumoDocument> Example() {
    vel::core::FileError error;
    return LumoDocument::Open(LUMO_EXAMPLE, error);
}

std::unique_ptr<LumoDocument> ManyShapes() {
    auto document = LumoDocument::New();
    for (uint64_t shape = 0; shape < 20000; ++shape) {
        document->GetModel().InsertNewShape(shape);
    }
    return document;
}

std::unique_ptr<LumoDocument> LongClip() {
    constexpr uint32_t rate = 44100;
    constexpr size_t hour = size_t{3600} * rate * 2;
    auto document = Example();
    document->Execute(
        SetAudioCmd(document.get(), AudioClip(AudioHeader::Make(rate, SampleFormat::S16, 1),
                                              std::vector<std::uint8_t>(hour, 1))));
    return document;
}

void Snapshot(benchmark::State& state, const LumoDocument& document) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::make_unique<const LumoDocument>(document));
    }
}

void Serialise(benchmark::State& state, const LumoDocument& document) {
    size_t bytes = 0;
    for (auto _ : state) {
        vel::serializer::MemorySerializer out;
        benchmark::DoNotOptimize(document.Write(out));
        bytes = out.Bytes().size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

void Copy(benchmark::State& state, const LumoDocument& document) {
    char pattern[] = "/tmp/lumo-autosave-bench-XXXXXX";
    const std::string folder = ::mkdtemp(pattern);
    const RecoveryStore store(folder + "/recovery");
    const RecoveryRecord record{RecoveryRecord::Untitled, 0, ProcessIdentity::Current()};
    // The copy the window hands the worker, written as the worker writes it.
    for (auto _ : state) {
        const auto copy = std::make_unique<const LumoDocument>(document);
        benchmark::DoNotOptimize(store.Write("bench", *copy, record));
    }
    std::filesystem::remove_all(folder);
}

void SnapshotExample(benchmark::State& state) {
    Snapshot(state, *Example());
}
void SnapshotManyShapes(benchmark::State& state) {
    Snapshot(state, *ManyShapes());
}
void SnapshotLongClip(benchmark::State& state) {
    Snapshot(state, *LongClip());
}
void SerialiseExample(benchmark::State& state) {
    Serialise(state, *Example());
}
void SerialiseManyShapes(benchmark::State& state) {
    Serialise(state, *ManyShapes());
}
void SerialiseLongClip(benchmark::State& state) {
    Serialise(state, *LongClip());
}
void CopyExample(benchmark::State& state) {
    Copy(state, *Example());
}
void CopyManyShapes(benchmark::State& state) {
    Copy(state, *ManyShapes());
}

BENCHMARK(SerialiseExample)->Unit(benchmark::kMillisecond);
BENCHMARK(SerialiseManyShapes)->Unit(benchmark::kMillisecond);
void CopyLongClip(benchmark::State& state) {
    Copy(state, *LongClip());
}

BENCHMARK(SnapshotExample)->Unit(benchmark::kMillisecond);
BENCHMARK(SnapshotManyShapes)->Unit(benchmark::kMillisecond);
BENCHMARK(SnapshotLongClip)->Unit(benchmark::kMillisecond);
BENCHMARK(SerialiseLongClip)->Unit(benchmark::kMillisecond);
BENCHMARK(CopyExample)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CopyManyShapes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CopyLongClip)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
