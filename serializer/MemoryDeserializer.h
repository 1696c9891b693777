#pragma once

#include "serializer/Deserializer.h"

#include <cstddef>

namespace vel::serializer {

// Reads from a block of memory that outlives the reader.
class MemoryDeserializer : public Deserializer {
public:
    MemoryDeserializer(const void* data, size_t size)
        : data_(static_cast<const unsigned char*>(data)), size_(size) {}

protected:
    bool ReadBytes(void* buffer, uint64_t count) override;
    bool Skip(uint64_t count) override;
    uint64_t Available() const override { return size_ - position_; }

private:
    const unsigned char* data_;
    size_t size_;
    size_t position_ = 0;
};

} // namespace vel::serializer
