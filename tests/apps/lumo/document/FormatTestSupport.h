#pragma once

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/LumoFormat.h"
#include "serializer/MemoryDeserializer.h"
#include "serializer/MemorySerializer.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace vel::lumo::testing {

using Bytes = std::vector<unsigned char>;
using Node = serializer::Serializer::Node;

inline Bytes SaveToMemory(const LumoDocument& document) {
    serializer::MemorySerializer out;
    document.Write(out);
    return out.Bytes();
}

// A new document loaded from the bytes, or null when loading failed.
inline std::unique_ptr<LumoDocument> LoadFromMemory(const Bytes& bytes) {
    auto document = LumoDocument::New();
    serializer::MemoryDeserializer in(bytes.data(), bytes.size());
    return document->Read(in) ? std::move(document) : nullptr;
}

// Loads bytes in which one part is damaged, expecting the rest to load as
// in intact; answers the document (null when the load failed) and what the
// load said on standard error.
struct DamagedLoad {
    std::unique_ptr<LumoDocument> document;
    std::string note;
};
inline DamagedLoad LoadDamaged(const Bytes& bytes, const LumoDocument& intact,
                               const std::string& what) {
    ::testing::internal::CaptureStderr();
    DamagedLoad load{LoadFromMemory(bytes), {}};
    load.note = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(load.document) << what;
    if (load.document) {
        const Model& model = load.document->GetModel();
        EXPECT_EQ(model.GetShapeCount(), intact.GetModel().GetShapeCount()) << what;
        for (uint64_t shape = 0; shape < model.GetShapeCount(); ++shape) {
            EXPECT_EQ(model.GetShape(shape), intact.GetShape(shape)) << what;
        }
        EXPECT_EQ(load.document->GetTimeline().GetTracks(), intact.GetTimeline().GetTracks())
            << what;
    }
    return load;
}

// The signature and a "(~~)" chunk holding whatever build writes.
inline Bytes FileWith(const std::function<void(Node&)>& build) {
    serializer::MemorySerializer out;
    Node& file = out.Root().WriteSignature(FileSignature).BeginChunk(chunk::File);
    build(file);
    out.Write();
    return out.Bytes();
}

// Writes a chunk whose contents build writes; returns the parent.
inline Node& Chunk(Node& parent, uint32_t id, const std::function<void(Node&)>& build = {}) {
    Node& inner = parent.BeginChunk(id);
    if (build) {
        build(inner);
    }
    return parent;
}

inline Node& Key(Node& node, const char* text) {
    return node.Write(KnobKey(text).GetBytes().data(), KnobKey::Size);
}

// Where the first chunk with the id starts, or npos.
inline std::size_t ChunkAt(const Bytes& bytes, const char* id) {
    return std::string(bytes.begin(), bytes.end()).find(id);
}

// Overwrites the bytes at the offset with the value's, as a damaged file might.
template <typename T> void Put(Bytes& bytes, std::size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

// The chunk ids of a file as a nested list, "(~~)[LMOD[KNB2] TMLN[tmln]]".
std::string Outline(const Bytes& bytes);

} // namespace vel::lumo::testing
