#pragma once

class QPainter;
class QRect;

namespace vel::lumo {

// What the show window shows instead of the face while the user aims the
// projector at the pumpkin: it covers the whole screen, unfitted.
class AimingScreen {
public:
    virtual ~AimingScreen() = default;
    virtual void Draw(QPainter& painter, const QRect& screen) const = 0;

protected:
    AimingScreen() = default;
    AimingScreen(const AimingScreen&) = default;
    AimingScreen& operator=(const AimingScreen&) = default;
};

// White lines on black: a grid of squares from the centre, circles to see
// the projection's distortion, and a line along the screen's very edges to
// see whether the whole picture lands on the pumpkin.
class TestPattern final : public AimingScreen {
public:
    void Draw(QPainter& painter, const QRect& screen) const override;
};

// The whole screen white, to see where the light falls.
class WhiteScreen final : public AimingScreen {
public:
    void Draw(QPainter& painter, const QRect& screen) const override;
};

} // namespace vel::lumo
