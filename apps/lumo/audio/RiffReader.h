#pragma once

#include "core/File.h"
#include "serializer/ChunkId.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vel::lumo {

// A four-character chunk code as it appears in the file ("RIFF", "fmt "),
// made by serializer::ChunkId.
using FourCC = std::uint32_t;

struct RiffChunk {
    FourCC id = 0;
    std::uint32_t size = 0;       // as declared; may run past the end of the file
    FourCC formType = 0;          // RIFF and LIST chunks only
    std::uint64_t dataOffset = 0; // first byte of the body (the form type for RIFF/LIST)
};

// Walks the chunks of a RIFF file for reading. Every search starts at the current
// position and moves forward chunk by chunk, skipping bodies padded to an even
// size, until the end of the parent chunk or, without a parent, of the file. A
// chunk that is found is entered: the position is at its body (after the form
// type for RIFF and LIST). Positions are 64-bit, so no declared size can wrap.
class RiffReader {
public:
    RiffReader() = default;
    RiffReader(const RiffReader&) = delete;
    RiffReader& operator=(const RiffReader&) = delete;

    // Opens a regular file for reading; false when that fails or the name
    // is not a regular file.
    bool Open(const std::string& fileName);

    std::optional<RiffChunk> FindRiff(FourCC formType, const RiffChunk* parent = nullptr);
    std::optional<RiffChunk> FindChunk(FourCC id, const RiffChunk* parent = nullptr);

    // Reads up to count bytes at the current position and moves past them; fewer
    // arrive at the end of the file or on a read error.
    std::size_t Read(void* buffer, std::size_t count);

    // Moves to just after the chunk and its pad byte.
    void Ascend(const RiffChunk& chunk);

    // How much of the chunk's body the file really holds: its declared size, cut
    // at the end of the file.
    std::uint64_t BodyBytesInFile(const RiffChunk& chunk) const;

private:
    std::optional<RiffChunk> Find(FourCC id, std::optional<FourCC> formType,
                                  const RiffChunk* parent);
    static std::uint64_t End(const RiffChunk& chunk);

    core::File file_;
    std::uint64_t fileSize_ = 0;
    std::uint64_t position_ = 0;
};

} // namespace vel::lumo
