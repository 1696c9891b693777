#include "wingui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtEndian>
#include <array>
#include <cstddef>

namespace vel::wingui {

namespace {

constexpr int kFields = 11;

QRect FromEdges(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

// Right and bottom edges as stored: one past the last pixel.
int Right(const QRect& r) {
    return r.left() + r.width();
}
int Bottom(const QRect& r) {
    return r.top() + r.height();
}

// A rectangle that no screen shows any more (a monitor was removed) is moved
// onto the primary screen, as a window the user cannot reach is lost to them.
QRect OnAScreen(QRect rect) {
    if (ScreenOf(rect) != nullptr) {
        return rect;
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) {
        return rect;
    }
    const QRect area = primary->availableGeometry();
    rect.setSize(rect.size().boundedTo(area.size()));
    rect.moveTopLeft(area.topLeft());
    return rect;
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
    window.setGeometry(OnAScreen(FromEdges(left, top, right, bottom)));
    // A program that starts minimised (or hidden) looks as if it had not
    // started: a minimised window comes back as it was before minimising.
    const bool minimized = showCommand == kShowMinimized || showCommand == kMinimize ||
                           showCommand == kShowMinNoActive || showCommand == kForceMinimize;
    if (showCommand == kShowMaximized || (minimized && (flags & kRestoreToMaximized))) {
        window.showMaximized();
    } else {
        window.showNormal();
    }
    return true;
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
