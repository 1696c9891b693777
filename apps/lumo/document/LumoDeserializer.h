#pragma once

#include "core/File.h"
#include "serializer/Deserializer.h"

#include <limits>

namespace vel::lumo {

// Reads a document's chunks from an open file, never trusting a length
// beyond what the file holds.
class LumoDeserializer : public serializer::Deserializer {
public:
    explicit LumoDeserializer(core::File& file) : file_(file) {}

protected:
    bool ReadBytes(void* buffer, uint64_t count) override {
        return count <= std::numeric_limits<size_t>::max() &&
               file_.Read(buffer, static_cast<size_t>(count)) == count;
    }
    uint64_t Available() const override {
        return file_.Remaining().value_or(std::numeric_limits<uint64_t>::max());
    }

private:
    core::File& file_;
};

} // namespace vel::lumo
