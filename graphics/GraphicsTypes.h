#pragma once

#include <cstdint>
#include <string>

class QImage;
class QPaintDevice;

namespace vel::graphics {

// What frames draw on: a widget during its paint event, or an image.
using DeviceContext = QPaintDevice*;
// A decoded picture that frames can draw.
using Image = QImage;

// A 24-bit opaque colour. Stored blue first like the pixel rows it ends up
// in; as a number it reads 0x00RRGGBB and the top byte is ignored.
struct Color {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;

    constexpr Color() = default;
    constexpr explicit Color(std::uint32_t rgb)
        : blue(static_cast<std::uint8_t>(rgb)), green(static_cast<std::uint8_t>(rgb >> 8)),
          red(static_cast<std::uint8_t>(rgb >> 16)) {}

    constexpr std::uint32_t Rgb() const {
        return (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue;
    }
    friend constexpr bool operator==(Color, Color) = default;
};

// Device-independent pixels (1/96 inch), origin top-left, y downward.
struct PointF {
    float x = 0;
    float y = 0;
    friend constexpr bool operator==(PointF, PointF) = default;
};

struct RectF {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
    friend constexpr bool operator==(RectF, RectF) = default;
};

struct SizeF {
    float width = 0;
    float height = 0;
    friend constexpr bool operator==(SizeF, SizeF) = default;
};

// Relative to a frame's viewport: (0, 0) bottom-left, (1, 1) top-right.
struct UnitPoint {
    double x = 0;
    double y = 0;
};

// A frame's target: whole device pixels inside the paint device, right and
// bottom exclusive (an image's pixel size; a widget's size times its device
// pixel ratio).
struct DeviceRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend constexpr bool operator==(DeviceRect, DeviceRect) = default;
};

enum class FontWeight : std::int32_t { Light = 0, Normal = 1, Bold = 2 };

struct Font {
    std::string face;
    float size = 0;  // points
    float angle = 0; // degrees, counter-clockwise
    FontWeight weight = FontWeight::Normal;
    bool fixedPitch = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    friend bool operator==(const Font&, const Font&) = default;
};

} // namespace vel::graphics
