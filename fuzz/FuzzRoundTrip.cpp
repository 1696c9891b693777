// Whatever loads must save, load again and save to the same bytes.
#include "apps/lumo/document/LumoDocument.h"
#include "serializer/MemoryDeserializer.h"
#include "serializer/MemorySerializer.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

std::unique_ptr<vel::lumo::LumoDocument> Load(const uint8_t* data, size_t size) {
    auto document = vel::lumo::LumoDocument::New();
    vel::serializer::MemoryDeserializer in(data, size);
    return document->Read(in) ? std::move(document) : nullptr;
}

std::vector<unsigned char> Save(const vel::lumo::LumoDocument& document) {
    vel::serializer::MemorySerializer out;
    if (!document.Write(out)) {
        std::fputs("a loaded document could not be saved\n", stderr);
        std::abort();
    }
    return out.Bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto first = Load(data, size);
    if (!first) {
        return 0;
    }
    const auto saved = Save(*first);
    const auto second = Load(saved.data(), saved.size());
    if (!second) {
        std::fputs("a saved document did not load again\n", stderr);
        std::abort();
    }
    if (Save(*second) != saved) {
        std::fputs("a document saved after loading its own file changed\n", stderr);
        std::abort();
    }
    return 0;
}
