#pragma once

#include <cstdint>

namespace vel::serializer {

// A chunk id: four ASCII characters read as a little-endian 32-bit value,
// so the characters appear in file order.
constexpr uint32_t ChunkId(const char (&text)[5]) {
    return static_cast<uint32_t>(static_cast<unsigned char>(text[0])) |
           static_cast<uint32_t>(static_cast<unsigned char>(text[1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(text[2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(text[3])) << 24;
}

// The largest content length a chunk header can express.
constexpr uint64_t MaxChunkLength = 0xFFFFFFFFu;

} // namespace vel::serializer
