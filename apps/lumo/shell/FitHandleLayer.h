#pragma once

#include "apps/lumo/model/PumpkinFit.h"
#include "apps/lumo/shell/AimingScreens.h"
#include "apps/lumo/shell/FitOnScreen.h"

#include <QPointF>
#include <cstddef>
#include <memory>
#include <optional>
#include <utility>

class QPainter;
class QRect;

namespace vel::lumo {

// What the show window draws over the face while the user fits it to the
// pumpkin: the fit's handles with the lines between them, the selected one
// marked, in black and white so that they show on the dark ground and on a
// white face alike; or, instead of the face, a screen to aim the projector.
// The layer keeps only what it shows; the fit belongs to the document.
class FitHandleLayer {
public:
    // How near the pointer must come to a handle to take it, in pixels.
    static constexpr double GrabRadius = 14;

    bool AreHandlesShown() const { return handlesShown_; }
    void ShowHandles(bool shown) { handlesShown_ = shown; }

    // The selected handle among those the fit lets the user move now: the
    // top-left corner when the one selected last is no longer active.
    std::size_t Selected(const PumpkinFit& fit) const;
    void Select(std::size_t handle) { selected_ = handle; }
    // The next handle in the order Tab visits them, or the one before.
    void SelectNext(const PumpkinFit& fit, bool backward);
    // The active handle nearest the point within the grab radius.
    static std::optional<std::size_t> HandleAt(const PumpkinFit& fit, const FitOnScreen& place,
                                               QPointF point);
    // Where the handle shows on the screen; none when it shows nowhere.
    static std::optional<QPointF> HandleOnScreen(const PumpkinFit& fit, const FitOnScreen& place,
                                                 std::size_t handle);

    // Shows the screen instead of the face, or the face again for none.
    void ShowAiming(std::unique_ptr<AimingScreen> screen) { aiming_ = std::move(screen); }
    bool IsAiming() const { return aiming_ != nullptr; }

    // The aiming screen over the whole screen, or the handles (when shown)
    // over the face that the caller has drawn where the place says.
    void Draw(QPainter& painter, const QRect& screen, const PumpkinFit& fit,
              const FitOnScreen& place) const;

private:
    static void DrawLines(QPainter& painter, const PumpkinFit& fit, const FitOnScreen& place);
    void DrawHandles(QPainter& painter, const QRect& screen, const PumpkinFit& fit,
                     const FitOnScreen& place) const;

    bool handlesShown_ = false;
    std::size_t selected_ = 0;
    std::unique_ptr<AimingScreen> aiming_;
};

} // namespace vel::lumo
