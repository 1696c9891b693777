#include "serializer/MemorySerializer.h"

namespace vel::serializer {

bool MemorySerializer::WriteBytes(const void* bytes, size_t count) {
    const auto* begin = static_cast<const unsigned char*>(bytes);
    bytes_.insert(bytes_.end(), begin, begin + count);
    return true;
}

} // namespace vel::serializer
