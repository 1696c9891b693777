#include "serializer/MemoryDeserializer.h"

#include <cstring>

namespace vel::serializer {

bool MemoryDeserializer::ReadBytes(void* buffer, uint64_t count) {
    if (count > size_ - position_) {
        position_ = size_;
        return false;
    }
    std::memcpy(buffer, data_ + position_, count);
    position_ += count;
    return true;
}

bool MemoryDeserializer::Skip(uint64_t count) {
    if (count > size_ - position_) {
        position_ = size_;
        return false;
    }
    position_ += count;
    return true;
}

} // namespace vel::serializer
