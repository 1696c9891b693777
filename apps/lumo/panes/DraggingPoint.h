#pragma once

#include "apps/lumo/panes/PreviewDragging.h"

#include <cstdint>

namespace vel::lumo {

// Drags one point of one pose; the drop records one move of the point.
class DraggingPoint : public PreviewDragging {
public:
    DraggingPoint(PreviewWnd* pane, LumoDocument* document, std::uint64_t shape, std::uint64_t pose,
                  std::uint64_t index);

    void OnMouseMove(QPoint p) override;
    void OnCancel() override;
    void OnLButtonUp(QPoint p) override;

private:
    std::uint64_t shape_;
    std::uint64_t pose_;
    std::uint64_t index_;
    Point start_;
};

} // namespace vel::lumo
