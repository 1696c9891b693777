#pragma once

#include "apps/lumo/audio/AudioClip.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vel::lumo {

// Formats other than the four named ones: little-endian integers of 2 to 4 bytes
// whose valid bits sit at the top; 0.0 for codes that describe no such sample.
float PackedSample(const std::uint8_t* bytes, std::uint32_t size, std::uint32_t validBits);

// The sample whose first byte is at byteOffset, normally in -1..1; 0.0 when the
// sample does not lie wholly inside the view or its format cannot be read.
// Inline: conversion and envelopes call it for every sample.
inline float SampleAt(const AudioView& view, std::size_t byteOffset) {
    const std::uint32_t size = BytesPerSample(view.format);
    if (byteOffset > view.byteCount || view.byteCount - byteOffset < size || size == 0) {
        return 0.0f;
    }
    const std::uint8_t* bytes = view.data + byteOffset;
    switch (view.format) {
    case SampleFormat::U8:
        return static_cast<float>(bytes[0] / 127.5 - 1.0);
    case SampleFormat::S16: {
        std::int16_t value;
        std::memcpy(&value, bytes, sizeof value);
        return static_cast<float>(value / 32767.5);
    }
    case SampleFormat::S32: {
        std::int32_t value;
        std::memcpy(&value, bytes, sizeof value);
        return static_cast<float>(value) * 0x1p-31f;
    }
    case SampleFormat::F32: {
        float value;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }
    default:
        return IsFloat(view.format) ? 0.0f : PackedSample(bytes, size, ValidBits(view.format));
    }
}

} // namespace vel::lumo
