#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace vel::serializer {

// Builds a tree of chunks in memory and writes it in one pass, every chunk
// length known before its header goes out. Subclasses deliver the bytes.
class Serializer {
public:
    class Node {
    public:
        virtual ~Node() = default;
        virtual Node& Write(const void* bytes, size_t count) = 0;
        // Takes the bytes where they are instead of copying them, so that a
        // large block (a sound clip) is not held twice while it is saved;
        // they must stay unchanged until the tree is written.
        virtual Node& WriteBorrowed(const void* bytes, size_t count) = 0;
        virtual Node& BeginChunk(uint32_t id) = 0;
        virtual Node& EndChunk(uint32_t id) = 0;
        virtual uint64_t Size() const = 0;
        virtual bool WriteTo(Serializer& serializer) const = 0;

        // Little-endian typed writes and the padded string and signature
        // encodings; each returns the node to continue with.
        Node& WriteU32(uint32_t value);
        Node& WriteU64(uint64_t value);
        Node& WriteFloat(float value);
        Node& WriteString(std::string_view text);
        Node& WriteSignature(std::string_view signature);
    };

    class CompositeNode : public Node {
    public:
        explicit CompositeNode(Node* parent) : parent_(parent) {}
        Node& Write(const void* bytes, size_t count) override;
        Node& WriteBorrowed(const void* bytes, size_t count) override;
        Node& BeginChunk(uint32_t id) override;
        Node& EndChunk(uint32_t id) override;
        uint64_t Size() const override { return ContentSize(); }
        bool WriteTo(Serializer& serializer) const override;

    protected:
        uint64_t ContentSize() const;
        Node* Parent() const { return parent_; }

    private:
        Node* parent_;
        std::vector<std::unique_ptr<Node>> children_;
    };

    class RootNode : public CompositeNode {
    public:
        RootNode() : CompositeNode(nullptr) {}
        Node& EndChunk(uint32_t id) override;
    };

    class ChunkNode : public CompositeNode {
    public:
        ChunkNode(Node* parent, uint32_t id) : CompositeNode(parent), id_(id) {}
        Node& EndChunk(uint32_t id) override;
        uint64_t Size() const override { return 8 + ContentSize(); }
        // Refuses, writing nothing, when the contents do not fit the
        // 32-bit length.
        bool WriteTo(Serializer& serializer) const override;

    private:
        uint32_t id_;
    };

    class DataNode : public Node {
    public:
        DataNode(Node* parent, const void* bytes, size_t count);
        Node& Write(const void* bytes, size_t count) override;
        Node& WriteBorrowed(const void* bytes, size_t count) override {
            return parent_->WriteBorrowed(bytes, count);
        }
        Node& BeginChunk(uint32_t id) override { return parent_->BeginChunk(id); }
        Node& EndChunk(uint32_t id) override { return parent_->EndChunk(id); }
        uint64_t Size() const override { return bytes_.size(); }
        bool WriteTo(Serializer& serializer) const override;

    private:
        Node* parent_;
        std::vector<unsigned char> bytes_;
    };

    class BorrowedNode : public Node {
    public:
        BorrowedNode(Node* parent, const void* bytes, size_t count)
            : parent_(parent), bytes_(bytes), count_(count) {}
        Node& Write(const void* bytes, size_t count) override {
            return parent_->Write(bytes, count);
        }
        Node& WriteBorrowed(const void* bytes, size_t count) override {
            return parent_->WriteBorrowed(bytes, count);
        }
        Node& BeginChunk(uint32_t id) override { return parent_->BeginChunk(id); }
        Node& EndChunk(uint32_t id) override { return parent_->EndChunk(id); }
        uint64_t Size() const override { return count_; }
        bool WriteTo(Serializer& serializer) const override {
            return serializer.WriteBytes(bytes_, count_);
        }

    private:
        Node* parent_;
        const void* bytes_;
        size_t count_;
    };

    Serializer() = default;
    Serializer(const Serializer&) = delete;
    Serializer& operator=(const Serializer&) = delete;
    virtual ~Serializer() = default;

    Node& Root() { return root_; }
    // Writes the whole tree; false when the destination refused bytes or a
    // chunk was too large.
    bool Write() { return root_.WriteTo(*this); }

    // Delivers bytes to the destination; true when all were taken.
    virtual bool WriteBytes(const void* bytes, size_t count) = 0;

private:
    RootNode root_;
};

} // namespace vel::serializer
