#include "apps/lumo/audio/RiffReader.h"

#include <algorithm>

namespace vel::lumo {

namespace {

const FourCC RiffId = serializer::ChunkId("RIFF");
const FourCC ListId = serializer::ChunkId("LIST");

std::uint32_t LittleEndian32(const std::uint8_t* bytes) {
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | std::uint32_t{bytes[3]} << 24;
}

} // namespace

bool RiffReader::Open(const std::string& fileName) {
    if (!file_.Open(fileName, core::File::ReadAccess, core::File::OpenExisting)) {
        return false;
    }
    const std::optional<std::uint64_t> size = file_.Size();
    if (!size) {
        file_.Close();
        return false;
    }
    fileSize_ = *size;
    position_ = 0;
    return true;
}

std::optional<RiffChunk> RiffReader::FindRiff(FourCC formType, const RiffChunk* parent) {
    return Find(RiffId, formType, parent);
}

std::optional<RiffChunk> RiffReader::FindChunk(FourCC id, const RiffChunk* parent) {
    return Find(id, std::nullopt, parent);
}

std::optional<RiffChunk> RiffReader::Find(FourCC id, std::optional<FourCC> formType,
                                          const RiffChunk* parent) {
    const std::uint64_t limit = parent ? std::min(End(*parent), fileSize_) : fileSize_;
    while (position_ < limit && limit - position_ >= 8) {
        std::uint8_t header[8];
        if (Read(header, sizeof header) != sizeof header) {
            return std::nullopt;
        }
        RiffChunk chunk;
        chunk.id = LittleEndian32(header);
        chunk.size = LittleEndian32(header + 4);
        chunk.dataOffset = position_;
        // The form type is read even when the declared size is too small for it:
        // writers that stream leave the RIFF size 0.
        std::uint8_t form[4];
        if ((chunk.id == RiffId || chunk.id == ListId) && Read(form, sizeof form) == sizeof form) {
            chunk.formType = LittleEndian32(form);
        }
        if (chunk.id == id && (!formType || chunk.formType == *formType)) {
            return chunk;
        }
        Ascend(chunk);
    }
    return std::nullopt;
}

std::size_t RiffReader::Read(void* buffer, std::size_t count) {
    const std::size_t wanted = static_cast<std::size_t>(
        std::min<std::uint64_t>(count, fileSize_ - std::min(position_, fileSize_)));
    const std::size_t done = file_.ReadAt(buffer, wanted, position_);
    position_ += done;
    return done;
}

void RiffReader::Ascend(const RiffChunk& chunk) {
    position_ = End(chunk);
}

std::uint64_t RiffReader::BodyBytesInFile(const RiffChunk& chunk) const {
    if (chunk.dataOffset >= fileSize_) {
        return 0;
    }
    return std::min<std::uint64_t>(chunk.size, fileSize_ - chunk.dataOffset);
}

std::uint64_t RiffReader::End(const RiffChunk& chunk) {
    return chunk.dataOffset + chunk.size + (chunk.size & 1);
}

} // namespace vel::lumo
