#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace vel::lumo {

// Eight ASCII bytes naming a knob, NUL-padded; a key of exactly eight
// characters has no terminator. Keys compare and order as the little-endian
// unsigned 64-bit integer of their bytes, which is how files and the
// timeline's track map order them.
class KnobKey {
public:
    static constexpr std::size_t Size = 8;
    using Bytes = std::array<char, Size>;

    constexpr KnobKey() = default;

    // Copies at most eight characters of the text and pads with NULs.
    explicit constexpr KnobKey(std::string_view text) {
        for (std::size_t i = 0; i < Size && i < text.size(); ++i) {
            bytes_[i] = text[i];
        }
    }

    static constexpr KnobKey FromBytes(const Bytes& bytes) {
        KnobKey key;
        key.bytes_ = bytes;
        return key;
    }

    constexpr const Bytes& GetBytes() const { return bytes_; }

    // The bytes up to the first NUL, at most eight characters.
    std::string Text() const;

    constexpr std::uint64_t Value() const {
        std::uint64_t value = 0;
        for (std::size_t i = Size; i-- > 0;) {
            value = (value << 8) | static_cast<unsigned char>(bytes_[i]);
        }
        return value;
    }

    friend constexpr bool operator==(const KnobKey&, const KnobKey&) = default;
    friend constexpr std::strong_ordering operator<=>(const KnobKey& a, const KnobKey& b) {
        return a.Value() <=> b.Value();
    }

private:
    Bytes bytes_{};
};

} // namespace vel::lumo
