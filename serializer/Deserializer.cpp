#include "serializer/Deserializer.h"

#include "serializer/ChunkId.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace vel::serializer {
namespace {

constexpr uint64_t Piece = 1 << 20;
constexpr uint64_t RoundUp4(uint64_t count) {
    return (count + 3) & ~uint64_t{3};
}

template <typename T> bool ReadLittleEndian(Deserializer& in, T& value) {
    static_assert(std::endian::native == std::endian::little, "files are little-endian");
    std::array<unsigned char, sizeof(T)> bytes{};
    if (!in.Read(bytes.data(), bytes.size())) {
        return false;
    }
    std::memcpy(&value, bytes.data(), sizeof(T));
    return true;
}

} // namespace

bool Deserializer::Charge(uint64_t count) {
    if (!frames_.empty()) {
        if (frames_.back().remaining < count) {
            return false;
        }
        frames_.back().remaining -= count;
    }
    return true;
}

bool Deserializer::Read(void* buffer, uint64_t count) {
    if (!frames_.empty() && frames_.back().remaining < count) {
        return false;
    }
    Charge(count);
    return count == 0 || ReadBytes(buffer, count);
}

bool Deserializer::ReadU32(uint32_t& value) {
    return ReadLittleEndian(*this, value);
}
bool Deserializer::ReadU64(uint64_t& value) {
    return ReadLittleEndian(*this, value);
}
bool Deserializer::ReadFloat(float& value) {
    return ReadLittleEndian(*this, value);
}

bool Deserializer::ReadBlock(std::vector<unsigned char>& bytes, uint64_t count) {
    bytes.clear();
    if ((!frames_.empty() && frames_.back().remaining < count) || Available() < count) {
        return false;
    }
    // A length the source holds the bytes for is taken in one allocation: growing
    // a large block piece by piece would hold its old and new copies at once. A
    // source of unknown length grows with what arrives, so a damaged length
    // cannot claim memory that no data fills.
    if (Available() != std::numeric_limits<uint64_t>::max()) {
        bytes.reserve(count);
    }
    while (bytes.size() < count) {
        const uint64_t start = bytes.size();
        const uint64_t step = std::min(count - start, std::max(Piece, start));
        bytes.resize(start + step);
        if (!Read(bytes.data() + start, step)) {
            bytes.clear();
            return false;
        }
    }
    return true;
}

bool Deserializer::ReadString(std::string& text) {
    uint32_t count = 0;
    std::vector<unsigned char> bytes;
    if (!ReadU32(count) || !ReadBlock(bytes, RoundUp4(count))) {
        return false;
    }
    const size_t length = count == 0 ? 0 : count - 1;
    text.assign(reinterpret_cast<const char*>(bytes.data()), length);
    return true;
}

bool Deserializer::ReadSignature(std::string_view expected) {
    const uint64_t count = RoundUp4(expected.size() + 1);
    std::vector<unsigned char> bytes;
    if (!ReadBlock(bytes, count)) {
        return false;
    }
    std::vector<unsigned char> wanted(count, 0);
    std::copy(expected.begin(), expected.end(), wanted.begin());
    return bytes == wanted;
}

bool Deserializer::ReadHeader(Frame& frame) {
    uint32_t length = 0;
    if (!ReadU32(frame.id) || !ReadU32(length)) {
        return false;
    }
    frame.remaining = length;
    return length % 4 == 0 && Charge(length);
}

bool Deserializer::EnterChunk() {
    Frame frame{ChunkId("    "), 0};
    if (!ReadHeader(frame)) {
        return false;
    }
    frames_.push_back(frame);
    return true;
}

bool Deserializer::NextChunk() {
    reachedEnd_ = false;
    if (frames_.empty()) {
        return false;
    }
    const uint64_t rest = frames_.back().remaining;
    frames_.back().remaining = 0;
    if (rest != 0 && !Skip(rest)) {
        frames_.back().remaining = rest;
        return false;
    }
    frames_.pop_back();
    reachedEnd_ = frames_.empty() ? Available() == 0 : frames_.back().remaining == 0;
    Frame frame{ChunkId("    "), 0};
    const bool ok = ReadHeader(frame);
    if (ok) {
        reachedEnd_ = false;
    } else {
        frame.remaining = 0;
    }
    frames_.push_back(frame);
    return ok;
}

void Deserializer::LeaveChunk() {
    if (!frames_.empty()) {
        frames_.pop_back();
    }
}

std::optional<Deserializer::Frame> Deserializer::CurrentChunk() const {
    if (frames_.empty()) {
        return std::nullopt;
    }
    return frames_.back();
}

bool Deserializer::Skip(uint64_t count) {
    std::array<unsigned char, 65536> scratch{};
    while (count > 0) {
        const uint64_t step = std::min<uint64_t>(count, scratch.size());
        if (!ReadBytes(scratch.data(), step)) {
            return false;
        }
        count -= step;
    }
    return true;
}

} // namespace vel::serializer
