#include "serializer/ChunkId.h"
#include "serializer/MemoryDeserializer.h"
#include "serializer/MemorySerializer.h"

#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace vel::serializer {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes Of(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes Written(const std::function<void(Serializer::Node&)>& build) {
    MemorySerializer out;
    build(out.Root());
    EXPECT_TRUE(out.Write());
    return out.Bytes();
}

TEST(SerializerTest, StringsAreCountedTerminatedAndPadded) {
    EXPECT_EQ(Written([](auto& root) { root.WriteString("Mouth"); }),
              (Bytes{6, 0, 0, 0, 'M', 'o', 'u', 't', 'h', 0, 0, 0}));
    EXPECT_EQ(Written([](auto& root) { root.WriteString(""); }), (Bytes{1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Written([](auto& root) { root.WriteString("abc"); }).size(), 8u);
    const Bytes signature = Written([](auto& root) { root.WriteSignature("Sig\r\n\x1a"); });
    EXPECT_EQ(signature, (Bytes{'S', 'i', 'g', '\r', '\n', 0x1a, 0, 0}));
}

TEST(SerializerTest, ChunkLengthsCoverNestedContents) {
    const Bytes bytes = Written([](Serializer::Node& root) {
        root.BeginChunk(ChunkId("OUTR"))
            .WriteU32(0x04030201)
            .BeginChunk(ChunkId("empt"))
            .EndChunk(ChunkId("empt"))
            .BeginChunk(ChunkId("innr"))
            .WriteFloat(1.0f)
            // Ending the outer chunk also ends the inner one.
            .EndChunk(ChunkId("OUTR"))
            .WriteU64(7);
    });
    const Bytes expected{'O', 'U', 'T',  'R',  24, 0, 0,   0,   1,   2,   3, 4, 'e', 'm',
                         'p', 't', 0,    0,    0,  0, 'i', 'n', 'n', 'r', 4, 0, 0,   0,
                         0,   0,   0x80, 0x3f, 7,  0, 0,   0,   0,   0,   0, 0};
    EXPECT_EQ(bytes, expected);
}

// A borrowed block goes out from where it is when the tree is written: it
// was never copied into the tree.
TEST(SerializerTest, BorrowedBytesAreWrittenFromTheirOwnerInTheirPlace) {
    Bytes block = Of("abcd");
    MemorySerializer out;
    out.Root()
        .BeginChunk(ChunkId("blck"))
        .WriteU32(0x04030201)
        .WriteBorrowed(block.data(), block.size())
        .WriteU32(7)
        .EndChunk(ChunkId("blck"));
    block[0] = 'z';
    ASSERT_TRUE(out.Write());
    EXPECT_EQ(out.Bytes(),
              (Bytes{'b', 'l', 'c', 'k', 12, 0, 0, 0, 1, 2, 3, 4, 'z', 'b', 'c', 'd', 7, 0, 0, 0}));
}

TEST(SerializerTest, EndingAChunkFromTheRootThrows) {
    MemorySerializer out;
    auto& node = out.Root().BeginChunk(ChunkId("ABCD")).EndChunk(ChunkId("ABCD"));
    try {
        node.EndChunk(ChunkId("ABCD"));
        FAIL();
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "tried to end a chunk that wasn't open");
    }
    EXPECT_THROW(out.Root().WriteU32(1).EndChunk(ChunkId("XXXX")), std::logic_error);
}

class Refusing : public Serializer {
public:
    explicit Refusing(size_t allowed) : allowed_(allowed) {}
    bool WriteBytes(const void*, size_t count) override {
        ++calls;
        if (count > allowed_) {
            return false;
        }
        allowed_ -= count;
        return true;
    }
    int calls = 0;

private:
    size_t allowed_;
};

TEST(SerializerTest, WritingStopsAtTheFirstRefusedWrite) {
    Refusing out(10);
    out.Root().BeginChunk(ChunkId("AAAA")).WriteU32(1).EndChunk(ChunkId("AAAA")).WriteU32(2);
    EXPECT_FALSE(out.Write());
    EXPECT_EQ(out.calls, 3);
}

TEST(SerializerTest, ReadingTakesStringsAndSignatures) {
    const Bytes bytes = Written([](auto& root) {
        root.WriteSignature("Sig").WriteString("Mouth").WriteString("").WriteString("Shape 0");
    });
    MemoryDeserializer in(bytes.data(), bytes.size());
    std::string text;
    EXPECT_TRUE(in.ReadSignature("Sig"));
    EXPECT_TRUE(in.ReadString(text));
    EXPECT_EQ(text, "Mouth");
    EXPECT_TRUE(in.ReadString(text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(in.ReadString(text));
    EXPECT_EQ(text, "Shape 0");
    EXPECT_FALSE(in.ReadString(text));

    const Bytes wrong = Of(std::string("Sig\0\1", 5));
    MemoryDeserializer bad(wrong.data(), 4);
    EXPECT_FALSE(bad.ReadSignature("Sig\1"));
}

TEST(SerializerTest, HugeCountsFailWithoutAllocating) {
    for (const uint32_t count : {0xFFFFFFFFu, 0xFFFFFFFDu, 0x7FFFFFFFu, 100u}) {
        Bytes bytes = Written([count](auto& root) { root.WriteU32(count).WriteU32(0); });
        MemoryDeserializer in(bytes.data(), bytes.size());
        std::string text;
        EXPECT_FALSE(in.ReadString(text)) << count;
    }
}

// A document's sound is one block of hundreds of megabytes: growing it in
// steps would briefly hold the block twice over.
TEST(SerializerTest, ALargeBlockOfKnownLengthIsReadInOneAllocation) {
    const Bytes bytes((5u << 20) + 4, 7);
    MemoryDeserializer in(bytes.data(), bytes.size());
    Bytes block;
    ASSERT_TRUE(in.ReadBlock(block, bytes.size()));
    EXPECT_EQ(block, bytes);
    EXPECT_EQ(block.capacity(), bytes.size());
}

Bytes Nested() {
    return Written([](Serializer::Node& root) {
        root.BeginChunk(ChunkId("ROOT"))
            .BeginChunk(ChunkId("one "))
            .WriteU32(1)
            .WriteU32(99)
            .EndChunk(ChunkId("one "))
            .BeginChunk(ChunkId("two "))
            .WriteU32(2)
            .EndChunk(ChunkId("ROOT"));
    });
}

TEST(SerializerTest, ReadingWalksChildrenSkippingUnreadBytes) {
    const Bytes bytes = Nested();
    MemoryDeserializer in(bytes.data(), bytes.size());
    ASSERT_TRUE(in.EnterChunk());
    EXPECT_EQ(in.CurrentId(), ChunkId("ROOT"));
    ASSERT_TRUE(in.EnterChunk());
    std::vector<uint32_t> seen;
    do {
        uint32_t value = 0;
        ASSERT_TRUE(in.ReadU32(value));
        seen.push_back(value);
    } while (in.NextChunk());
    EXPECT_EQ(in.CurrentId(), ChunkId("    "));
    EXPECT_EQ(in.CurrentChunk()->remaining, 0u);
    in.LeaveChunk();
    EXPECT_EQ(in.CurrentId(), ChunkId("ROOT"));
    EXPECT_EQ(in.CurrentChunk()->remaining, 0u);
    EXPECT_EQ(seen, (std::vector<uint32_t>{1, 2}));
}

TEST(SerializerTest, ReadsAreBoundedByTheOpenChunk) {
    const Bytes bytes = Nested();
    MemoryDeserializer in(bytes.data(), bytes.size());
    ASSERT_TRUE(in.EnterChunk());
    ASSERT_TRUE(in.EnterChunk());
    uint64_t big = 0;
    uint32_t value = 0;
    std::vector<unsigned char> block;
    EXPECT_FALSE(in.ReadBlock(block, 12));
    ASSERT_TRUE(in.ReadU64(big));
    EXPECT_FALSE(in.ReadU32(value));
    EXPECT_FALSE(in.EnterChunk());
}

Bytes WithLength(uint32_t outer, uint32_t inner) {
    return Written([&](auto& root) {
        root.Write("ROOT", 4).WriteU32(outer).Write("chld", 4).WriteU32(inner).WriteU64(0);
    });
}

TEST(SerializerTest, ReadingRejectsBadChunkLengths) {
    struct Case {
        uint32_t outer, inner;
        bool enters;
    };
    for (const Case c : {Case{16, 8, true}, Case{16, 6, false}, Case{16, 12, false},
                         Case{6, 0, false}, Case{16, 0xFFFFFFFC, false}}) {
        const Bytes bytes = WithLength(c.outer, c.inner);
        MemoryDeserializer in(bytes.data(), bytes.size());
        const bool outer = in.EnterChunk();
        EXPECT_EQ(outer && in.EnterChunk(), c.enters) << c.outer << " " << c.inner;
    }
    // A length of 6 is refused by next chunk too, which leaves a frame to pop.
    const Bytes bytes = Written([](auto& root) {
        root.Write("ROOT", 4).WriteU32(16).Write("AAAA", 4).WriteU32(0).Write("BBBB", 4).WriteU32(
            6);
    });
    MemoryDeserializer in(bytes.data(), bytes.size());
    ASSERT_TRUE(in.EnterChunk());
    ASSERT_TRUE(in.EnterChunk());
    EXPECT_FALSE(in.NextChunk());
    EXPECT_EQ(in.CurrentId(), ChunkId("BBBB"));
    EXPECT_EQ(in.Depth(), 2u);
}

TEST(SerializerTest, TruncatedInputFails) {
    const Bytes whole = Nested();
    const auto walk = [](const Bytes& bytes, size_t size) {
        MemoryDeserializer in(bytes.data(), size);
        uint32_t first = 0;
        uint32_t second = 0;
        return in.EnterChunk() && in.EnterChunk() && in.ReadU32(first) && in.NextChunk() &&
               in.ReadU32(second);
    };
    EXPECT_TRUE(walk(whole, whole.size()));
    for (size_t size = 0; size < whole.size(); ++size) {
        EXPECT_FALSE(walk(whole, size)) << size;
    }
}

} // namespace
} // namespace vel::serializer
