#pragma once

#include "core/File.h"
#include "serializer/Serializer.h"

namespace vel::lumo {

// Writes a document's chunk tree into an open file.
class LumoSerializer : public serializer::Serializer {
public:
    explicit LumoSerializer(core::File& file) : file_(file) {}
    bool WriteBytes(const void* bytes, size_t count) override {
        return file_.Write(bytes, count) == count;
    }

private:
    core::File& file_;
};

} // namespace vel::lumo
