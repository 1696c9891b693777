#include "apps/lumo/audio/WaveFormat.h"

#include <algorithm>

namespace vel::lumo {

namespace {

constexpr std::uint16_t PcmTag = 1;
constexpr std::uint16_t FloatTag = 3;
constexpr std::uint16_t ExtensibleTag = 0xFFFE;
constexpr std::uint16_t ExtensibleExtraSize = 22;

constexpr WaveFormat::Guid SubFormat(std::uint8_t tag) {
    return {tag,  0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
            0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
}
constexpr WaveFormat::Guid PcmSubFormat = SubFormat(PcmTag);
constexpr WaveFormat::Guid FloatSubFormat = SubFormat(FloatTag);

class RecordReader {
public:
    explicit RecordReader(const std::uint8_t* bytes) : bytes_(bytes) {}
    std::uint16_t U16() {
        const auto value = static_cast<std::uint16_t>(bytes_[0] | bytes_[1] << 8);
        bytes_ += 2;
        return value;
    }
    std::uint32_t U32() {
        const std::uint32_t low = U16();
        return low | std::uint32_t{U16()} << 16;
    }

private:
    const std::uint8_t* bytes_;
};

} // namespace

WaveFormat WaveFormat::Parse(const std::array<std::uint8_t, RecordSize>& record) {
    RecordReader in(record.data());
    WaveFormat format;
    format.formatTag = in.U16();
    format.channels = in.U16();
    format.samplesPerSecond = in.U32();
    format.averageBytesPerSecond = in.U32();
    format.blockAlign = in.U16();
    format.bitsPerSample = in.U16();
    format.extraSize = in.U16();
    format.validBitsPerSample = in.U16();
    format.channelMask = in.U32();
    std::copy(record.end() - 16, record.end(), format.subFormat.begin());
    return format;
}

void WaveFormat::Normalise() {
    if (extraSize != 0) {
        return;
    }
    extraSize = ExtensibleExtraSize;
    validBitsPerSample = bitsPerSample;
    if (formatTag == PcmTag) {
        formatTag = ExtensibleTag;
        subFormat = PcmSubFormat;
    } else if (formatTag == FloatTag) {
        formatTag = ExtensibleTag;
        subFormat = FloatSubFormat;
    }
}

bool WaveFormat::IsAccepted() const {
    const bool isFloat = subFormat == FloatSubFormat;
    // Only 32-bit floats are read as floats; narrower "floats" would be misread.
    return formatTag == ExtensibleTag && extraSize >= ExtensibleExtraSize &&
           (subFormat == PcmSubFormat || isFloat) && channels != 0 && bitsPerSample >= 8 &&
           bitsPerSample <= 32 && bitsPerSample % 8 == 0 && validBitsPerSample >= 8 &&
           validBitsPerSample <= bitsPerSample && (!isFloat || bitsPerSample == 32) &&
           std::uint32_t{blockAlign} == std::uint32_t{bitsPerSample} * channels / 8;
}

SampleFormat WaveFormat::ClipFormat() const {
    if (subFormat == FloatSubFormat) {
        return SampleFormat::F32;
    }
    if (subFormat != PcmSubFormat) {
        return SampleFormat::None;
    }
    // Samples keep their container, so a frame is one block even when the valid
    // bits would fit in fewer bytes; they sit at the top of the container.
    const std::uint32_t bytes =
        std::max<std::uint32_t>(bitsPerSample / 8, (validBitsPerSample + 7u) / 8);
    return IntegerFormat(bytes, validBitsPerSample);
}

} // namespace vel::lumo
