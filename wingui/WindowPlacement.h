#pragma once

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <optional>

class QScreen;
class QWidget;

namespace vel::wingui {

// A window's placement as it is stored: eleven little-endian 32-bit fields,
// 44 bytes: length (44), flags, show command, minimised position, maximised
// position and the normal rectangle (left, top, right, bottom; right and
// bottom exclusive).
struct WindowPlacement {
    static constexpr std::uint32_t kLength = 44;
    static constexpr std::uint32_t kRestoreToMaximized = 2;
    enum ShowCommand : std::uint32_t {
        kHide = 0,
        kShowNormal = 1,
        kShowMinimized = 2,
        kShowMaximized = 3,
        kMinimize = 6,
        kShowMinNoActive = 7,
        kForceMinimize = 11,
    };

    std::uint32_t length = kLength;
    std::uint32_t flags = 0;
    std::uint32_t showCommand = kShowNormal;
    QPoint minPosition{-1, -1};
    QPoint maxPosition{-1, -1};
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    QByteArray Encode() const;
    // Only a record of exactly 44 bytes whose length field says 44.
    static std::optional<WindowPlacement> Decode(const QByteArray& bytes);

    // The placement of a top-level window, with its normal (restored) rectangle.
    static WindowPlacement Of(const QWidget& window);
    // Places and shows the window; false for a record that cannot be applied.
    bool ApplyTo(QWidget& window) const;
};

// Moves and shrinks a shown window so that its frame, as far as the system
// knows it yet, lies inside the available area of its screen.
void FitFrame(QWidget& window);

enum SnapState : std::uint32_t {
    kNotSnapped = 0,
    kLeftHalf = 1,
    kRightHalf = 2,
    kFullHeight = 3,
};

// How a window rectangle lies in a monitor's work area.
SnapState SnapStateOf(const QRect& window, const QRect& workArea);
// The rectangle a window of that snap state takes in the work area.
QRect SnappedRect(SnapState state, const QRect& window, const QRect& workArea);
// The screen the rectangle lies on most, or none.
QScreen* ScreenOf(const QRect& rect);

} // namespace vel::wingui
