// What a recovery copy costs: turning the document into bytes on the
// window's thread, and the whole copy with the write to the disk that the
// worker does, for the example and for a face of 20,000 shapes.

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/shell/RecoveryStore.h"
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
    for (auto _ : state) {
        vel::serializer::MemorySerializer out;
        document.Write(out);
        benchmark::DoNotOptimize(store.Write("bench", out.Bytes(), record));
    }
    std::filesystem::remove_all(folder);
}

void SerialiseExample(benchmark::State& state) {
    Serialise(state, *Example());
}
void SerialiseManyShapes(benchmark::State& state) {
    Serialise(state, *ManyShapes());
}
void CopyExample(benchmark::State& state) {
    Copy(state, *Example());
}
void CopyManyShapes(benchmark::State& state) {
    Copy(state, *ManyShapes());
}

BENCHMARK(SerialiseExample)->Unit(benchmark::kMillisecond);
BENCHMARK(SerialiseManyShapes)->Unit(benchmark::kMillisecond);
BENCHMARK(CopyExample)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CopyManyShapes)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
