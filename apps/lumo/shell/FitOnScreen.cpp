#include "apps/lumo/shell/FitOnScreen.h"

namespace vel::lumo {

QPointF FitOnScreen::ToScreen(FitPoint point) const {
    return {picture_.left() + point.x * picture_.width(),
            picture_.top() + point.y * picture_.height()};
}

FitPoint FitOnScreen::ToFit(QPointF point) const {
    if (picture_.isEmpty()) {
        return {};
    }
    return {static_cast<float>((point.x() - picture_.left()) / picture_.width()),
            static_cast<float>((point.y() - picture_.top()) / picture_.height())};
}

FitPoint FitOnScreen::Moved(FitPoint point, QPointF distance) const {
    if (picture_.isEmpty()) {
        return point;
    }
    return {static_cast<float>(point.x + distance.x() / picture_.width()),
            static_cast<float>(point.y + distance.y() / picture_.height())};
}

} // namespace vel::lumo
