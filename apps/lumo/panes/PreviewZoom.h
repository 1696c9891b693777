#pragma once

#include "apps/lumo/model/Point.h"

namespace vel::lumo {

// How closely the preview looks at the picture: the model seen around a
// centre, magnified by a scale. At scale 1 around the origin the whole
// picture shows, as an export frames it. "Shown" points are model points as
// the fitted picture would place them; the model itself never changes.
class PreviewZoom {
public:
    static constexpr double MaxScale = 64.0;

    double Scale() const { return scale_; }
    Point Centre() const { return centre_; }
    bool IsFit() const { return scale_ == 1.0 && centre_ == Point{}; }

    Point ToModel(Point shown) const;
    Point ToShown(Point model) const;

    // Multiplies the scale by the factor, between the whole picture and
    // MaxScale, keeping the model point shown at `shown` where it is. Fully
    // zoomed out, the picture is whole again.
    void ZoomAround(Point shown, double factor);
    // Moves the picture by a distance in shown units.
    void Pan(Point shownDistance);
    void Fit();

private:
    double scale_ = 1.0;
    Point centre_;
};

} // namespace vel::lumo
