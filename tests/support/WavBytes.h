#pragma once

#include "tests/support/TempFolder.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace vel::lumo::test {

using Bytes = std::vector<std::uint8_t>;

inline void PutLE(Bytes& out, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

inline void Append(Bytes& out, const Bytes& more) {
    out.insert(out.end(), more.begin(), more.end());
}

inline Bytes Tag(const char* code) {
    return Bytes(code, code + 4);
}

// A chunk with the given id and body, padded to an even size; declaredSize
// overrides the size written in the header (for forged files).
inline Bytes Chunk(const char* id, const Bytes& body, std::int64_t declaredSize = -1) {
    Bytes out = Tag(id);
    PutLE(out, declaredSize < 0 ? body.size() : static_cast<std::uint64_t>(declaredSize), 4);
    Append(out, body);
    if (body.size() % 2 != 0) {
        out.push_back(0);
    }
    return out;
}

inline Bytes Riff(const std::vector<Bytes>& chunks, const char* form = "WAVE") {
    Bytes body = Tag(form);
    for (const Bytes& chunk : chunks) {
        Append(body, chunk);
    }
    return Chunk("RIFF", body);
}

struct Fmt {
    std::uint16_t tag = 1;
    std::uint16_t channels = 1;
    std::uint32_t rate = 44100;
    std::uint16_t bits = 16;
    std::int32_t blockAlign = -1; // -1: bits × channels / 8
    bool extensible = false;
    std::uint16_t validBits = 0;
    std::uint8_t subFormatTag = 1;

    Bytes Body() const {
        Bytes out;
        const std::uint16_t align =
            blockAlign < 0 ? static_cast<std::uint16_t>(bits * channels / 8) : blockAlign;
        PutLE(out, extensible ? 0xFFFE : tag, 2);
        PutLE(out, channels, 2);
        PutLE(out, rate, 4);
        PutLE(out, std::uint64_t{rate} * align, 4);
        PutLE(out, align, 2);
        PutLE(out, bits, 2);
        if (extensible) {
            PutLE(out, 22, 2);
            PutLE(out, validBits, 2);
            PutLE(out, 0, 4);
            Append(out, Bytes{subFormatTag, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00,
                              0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71});
        }
        return out;
    }
    Bytes AsChunk() const { return Chunk("fmt ", Body()); }
};

// A file in a temporary folder of its own, removed when the test ends.
class TempFile {
public:
    explicit TempFile(const Bytes& content) : path_(folder_ / "clip.wav") {
        std::ofstream(path_, std::ios::binary)
            .write(reinterpret_cast<const char*>(content.data()),
                   static_cast<std::streamsize>(content.size()));
    }
    const std::string& Path() const { return path_; }

private:
    testing::TempFolder folder_;
    std::string path_;
};

} // namespace vel::lumo::test
