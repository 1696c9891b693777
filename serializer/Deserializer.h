#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vel::serializer {

// Reads a chunked stream strictly in order. Every read is bounded by the
// innermost open chunk, and entering a chunk charges its whole length to
// the enclosing one, so a damaged length cannot make a reader run past the
// chunk that holds it. Nothing throws; every operation answers false.
class Deserializer {
public:
    struct Frame {
        uint32_t id;
        uint64_t remaining;
    };

    Deserializer() = default;
    Deserializer(const Deserializer&) = delete;
    Deserializer& operator=(const Deserializer&) = delete;
    virtual ~Deserializer() = default;

    bool Read(void* buffer, uint64_t count);
    bool ReadU32(uint32_t& value);
    bool ReadU64(uint64_t& value);
    bool ReadFloat(float& value);
    bool ReadString(std::string& text);
    // Reads count bytes, growing the buffer only as the bytes arrive and
    // never beyond what the source still holds.
    bool ReadBlock(std::vector<unsigned char>& bytes, uint64_t count);
    bool ReadSignature(std::string_view expected);

    bool EnterChunk();
    bool NextChunk();
    // Whether the last failed NextChunk met the clean end of the enclosing
    // chunk, as opposed to damaged or truncated contents.
    bool ReachedEnd() const { return reachedEnd_; }
    void LeaveChunk();
    std::optional<Frame> CurrentChunk() const;
    // The id of the innermost open chunk, 0 when none is open.
    uint32_t CurrentId() const { return frames_.empty() ? 0 : frames_.back().id; }
    size_t Depth() const { return frames_.size(); }

protected:
    // Fills the buffer from the source; true when all count bytes came.
    virtual bool ReadBytes(void* buffer, uint64_t count) = 0;
    // Reads and discards count bytes.
    virtual bool Skip(uint64_t count);
    // How many bytes the source can still deliver, when it knows.
    virtual uint64_t Available() const { return std::numeric_limits<uint64_t>::max(); }

private:
    bool Charge(uint64_t count);
    bool ReadHeader(Frame& frame);

    std::vector<Frame> frames_;
    bool reachedEnd_ = false;
};

} // namespace vel::serializer
