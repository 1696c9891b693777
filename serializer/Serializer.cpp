#include "serializer/Serializer.h"

#include "serializer/ChunkId.h"

#include <array>
#include <bit>
#include <cstring>
#include <stdexcept>

namespace vel::serializer {
namespace {

template <typename T> std::array<unsigned char, sizeof(T)> LittleEndian(T value) {
    static_assert(std::endian::native == std::endian::little, "files are little-endian");
    std::array<unsigned char, sizeof(T)> bytes{};
    std::memcpy(bytes.data(), &value, sizeof(T));
    return bytes;
}

// The bytes up to the next multiple of 4 after count bytes.
constexpr std::array<unsigned char, 4> Zeros{};
constexpr size_t PaddingAfter(uint64_t count) {
    return static_cast<size_t>((4 - count % 4) % 4);
}

} // namespace

Serializer::Node& Serializer::Node::WriteU32(uint32_t value) {
    const auto bytes = LittleEndian(value);
    return Write(bytes.data(), bytes.size());
}

Serializer::Node& Serializer::Node::WriteU64(uint64_t value) {
    const auto bytes = LittleEndian(value);
    return Write(bytes.data(), bytes.size());
}

Serializer::Node& Serializer::Node::WriteFloat(float value) {
    const auto bytes = LittleEndian(value);
    return Write(bytes.data(), bytes.size());
}

Serializer::Node& Serializer::Node::WriteString(std::string_view text) {
    const uint64_t count = text.size() + 1;
    const char nul = 0;
    return WriteU32(static_cast<uint32_t>(count))
        .Write(text.data(), text.size())
        .Write(&nul, 1)
        .Write(Zeros.data(), PaddingAfter(count));
}

Serializer::Node& Serializer::Node::WriteSignature(std::string_view signature) {
    const uint64_t count = signature.size() + 1;
    const char nul = 0;
    return Write(signature.data(), signature.size())
        .Write(&nul, 1)
        .Write(Zeros.data(), PaddingAfter(count));
}

Serializer::Node& Serializer::CompositeNode::Write(const void* bytes, size_t count) {
    children_.push_back(std::make_unique<DataNode>(this, bytes, count));
    return *children_.back();
}

Serializer::Node& Serializer::CompositeNode::WriteBorrowed(const void* bytes, size_t count) {
    children_.push_back(std::make_unique<BorrowedNode>(this, bytes, count));
    return *children_.back();
}

Serializer::Node& Serializer::CompositeNode::BeginChunk(uint32_t id) {
    children_.push_back(std::make_unique<ChunkNode>(this, id));
    return *children_.back();
}

Serializer::Node& Serializer::CompositeNode::EndChunk(uint32_t id) {
    return parent_->EndChunk(id);
}

uint64_t Serializer::CompositeNode::ContentSize() const {
    uint64_t total = 0;
    for (const auto& child : children_) {
        total += child->Size();
    }
    return total;
}

bool Serializer::CompositeNode::WriteTo(Serializer& serializer) const {
    for (const auto& child : children_) {
        if (!child->WriteTo(serializer)) {
            return false;
        }
    }
    return true;
}

Serializer::Node& Serializer::RootNode::EndChunk(uint32_t) {
    throw std::logic_error("tried to end a chunk that wasn't open");
}

Serializer::Node& Serializer::ChunkNode::EndChunk(uint32_t id) {
    return id == id_ ? *Parent() : Parent()->EndChunk(id);
}

bool Serializer::ChunkNode::WriteTo(Serializer& serializer) const {
    const uint64_t length = ContentSize();
    if (length > MaxChunkLength) {
        return false;
    }
    const auto id = LittleEndian(id_);
    const auto size = LittleEndian(static_cast<uint32_t>(length));
    return serializer.WriteBytes(id.data(), id.size()) &&
           serializer.WriteBytes(size.data(), size.size()) && CompositeNode::WriteTo(serializer);
}

Serializer::DataNode::DataNode(Node* parent, const void* bytes, size_t count) : parent_(parent) {
    Write(bytes, count);
}

Serializer::Node& Serializer::DataNode::Write(const void* bytes, size_t count) {
    const auto* begin = static_cast<const unsigned char*>(bytes);
    bytes_.insert(bytes_.end(), begin, begin + count);
    return *this;
}

bool Serializer::DataNode::WriteTo(Serializer& serializer) const {
    return serializer.WriteBytes(bytes_.data(), bytes_.size());
}

} // namespace vel::serializer
