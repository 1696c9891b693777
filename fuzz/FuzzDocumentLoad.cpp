// Loads arbitrary bytes as a document: any input must fail or succeed
// cleanly, within the memory the input justifies.
#include "apps/lumo/document/LumoDocument.h"
#include "serializer/MemoryDeserializer.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto document = vel::lumo::LumoDocument::New();
    vel::serializer::MemoryDeserializer in(data, size);
    if (document->Read(in)) {
        // Whatever loaded must be usable.
        document->EvaluateFrame(document->GetFrameCount());
    }
    return 0;
}
