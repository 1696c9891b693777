#pragma once

#include "serializer/Serializer.h"

#include <vector>

namespace vel::serializer {

// Collects the written bytes in memory: for copies, tests and fuzzing.
class MemorySerializer : public Serializer {
public:
    bool WriteBytes(const void* bytes, size_t count) override;
    const std::vector<unsigned char>& Bytes() const { return bytes_; }

private:
    std::vector<unsigned char> bytes_;
};

} // namespace vel::serializer
