#include "wingui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstddef>

namespace vel::wingui {

namespace {

constexpr int kFields = 11;

// From corner points, so that no difference of edges can overflow.
QRect FromEdges(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// Right and bottom edges as stored: one past the last pixel.
int Right(const QRect& r) {
    return r.left() + r.width();
}
int Bottom(const QRect& r) {
    return r.top() + r.height();
}

// The rectangle no larger than the area and moved inside it. Edges are
// 32-bit; their differences are not.
QRect Inside(std::int32_t left, std::int32_t top, std::int64_t width, std::int64_t height,
             const QRect& area) {
    const auto w = static_cast<int>(std::min<std::int64_t>(width, area.width()));
    const auto h = static_cast<int>(std::min<std::int64_t>(height, area.height()));
    return QRect(std::clamp(left, area.left(), Right(area) - w),
                 std::clamp(top, area.top(), Bottom(area) - h), w, h);
}

// Where a saved rectangle is shown: inside the available area of the screen
// it lies on most, or at the top left of the primary one when no screen shows
// it any more (a monitor was removed). So no record, however damaged, hides
// the window or makes it larger than a screen.
std::optional<QRect> OnAScreen(std::int32_t left, std::int32_t top, std::int32_t right,
                               std::int32_t bottom) {
    const QScreen* screen = ScreenOf(FromEdges(left, top, right, bottom));
    const bool lost = screen == nullptr;
    if (lost) {
        screen = QGuiApplication::primaryScreen();
    }
    if (!screen) {
        return std::nullopt;
    }
    const QRect area = screen->availableGeometry();
    return Inside(lost ? area.left() : left, lost ? area.top() : top, std::int64_t{right} - left,
                  std::int64_t{bottom} - top, area);
}

} // namespace

QByteArray WindowPlacement::Encode() const {
    const std::array<std::uint32_t, kFields> fields{length,
                                                    flags,
                                                    showCommand,
                                                    static_cast<std::uint32_t>(minPosition.x()),
                                                    static_cast<std::uint32_t>(minPosition.y()),
                                                    static_cast<std::uint32_t>(maxPosition.x()),
                                                    static_cast<std::uint32_t>(maxPosition.y()),
                                                    static_cast<std::uint32_t>(left),
                                                    static_cast<std::uint32_t>(top),
                                                    static_cast<std::uint32_t>(right),
                                                    static_cast<std::uint32_t>(bottom)};
    QByteArray bytes(kLength, '\0');
    for (int i = 0; i < kFields; ++i) {
        qToLittleEndian(fields[i], bytes.data() + std::ptrdiff_t{4} * i);
    }
    return bytes;
}

std::optional<WindowPlacement> WindowPlacement::Decode(const QByteArray& bytes) {
    if (bytes.size() != kLength) {
        return std::nullopt;
    }
    std::array<std::int32_t, kFields> f{};
    for (int i = 0; i < kFields; ++i) {
        f[i] = qFromLittleEndian<std::int32_t>(bytes.constData() + std::ptrdiff_t{4} * i);
    }
    if (static_cast<std::uint32_t>(f[0]) != kLength) {
        return std::nullopt;
    }
    WindowPlacement p;
    p.flags = static_cast<std::uint32_t>(f[1]);
    p.showCommand = static_cast<std::uint32_t>(f[2]);
    p.minPosition = QPoint(f[3], f[4]);
    p.maxPosition = QPoint(f[5], f[6]);
    p.left = f[7];
    p.top = f[8];
    p.right = f[9];
    p.bottom = f[10];
    return p;
}

WindowPlacement WindowPlacement::Of(const QWidget& window) {
    WindowPlacement p;
    const Qt::WindowStates state = window.windowState();
    if (state & Qt::WindowMinimized) {
        p.showCommand = kShowMinimized;
        if (state & Qt::WindowMaximized) {
            p.flags = kRestoreToMaximized;
        }
    } else if (state & Qt::WindowMaximized) {
        p.showCommand = kShowMaximized;
    }
    QRect normal = window.normalGeometry();
    if (normal.isEmpty()) {
        normal = window.geometry();
    }
    p.left = normal.left();
    p.top = normal.top();
    p.right = Right(normal);
    p.bottom = Bottom(normal);
    return p;
}

bool WindowPlacement::ApplyTo(QWidget& window) const {
    if (right <= left || bottom <= top || showCommand > kForceMinimize) {
        return false;
    }
    const std::optional<QRect> shown = OnAScreen(left, top, right, bottom);
    if (!shown) {
        return false;
    }
    window.setGeometry(*shown);
    // A program that starts minimised (or hidden) looks as if it had not
    // started: a minimised window comes back as it was before minimising.
    const bool minimized = showCommand == kShowMinimized || showCommand == kMinimize ||
                           showCommand == kShowMinNoActive || showCommand == kForceMinimize;
    if (showCommand == kShowMaximized || (minimized && (flags & kRestoreToMaximized))) {
        window.showMaximized();
    } else {
        window.showNormal();
        FitFrame(window);
    }
    return true;
}

void FitFrame(QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QScreen* screen = ScreenOf(frame);
    if (frame == window.geometry() || !screen) {
        return;
    }
    const QRect fitted = Inside(frame.left(), frame.top(), frame.width(), frame.height(),
                                screen->availableGeometry());
    window.resize(fitted.size() - (frame.size() - window.size()));
    window.move(fitted.topLeft());
}

SnapState SnapStateOf(const QRect& window, const QRect& workArea) {
    const int wl = workArea.left();
    const int wr = Right(workArea);
    const int mid = wl + (wr - wl) / 2;
    if (window.top() != workArea.top() || Bottom(window) != Bottom(workArea)) {
        return kNotSnapped;
    }
    if (window.left() == wl && Right(window) == mid) {
        return kLeftHalf;
    }
    if (window.left() == mid && Right(window) == wr) {
        return kRightHalf;
    }
    return kFullHeight;
}

QRect SnappedRect(SnapState state, const QRect& window, const QRect& workArea) {
    const int wl = workArea.left();
    const int wt = workArea.top();
    const int wr = Right(workArea);
    const int wb = Bottom(workArea);
    const int mid = wl + (wr - wl) / 2;
    switch (state) {
    case kLeftHalf:
        return FromEdges(wl, wt, mid, wb);
    case kRightHalf:
        return FromEdges(mid, wt, wr, wb);
    case kFullHeight:
        return FromEdges(window.left(), wt, Right(window), wb);
    case kNotSnapped:
        break;
    }
    return window;
}

QScreen* ScreenOf(const QRect& rect) {
    QScreen* best = nullptr;
    long long bestArea = 0;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect common = screen->geometry().intersected(rect);
        const long long area = static_cast<long long>(common.width()) * common.height();
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    return best;
}

} // namespace vel::wingui
