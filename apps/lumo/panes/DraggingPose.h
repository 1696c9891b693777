#pragma once

#include "apps/lumo/panes/DraggingOffset.h"

#include <cstdint>

namespace vel::lumo {

// Drags every point of one pose of a shape.
class DraggingPose : public DraggingOffset {
public:
    DraggingPose(PreviewWnd* pane, LumoDocument* document, QPoint start, std::uint64_t shape,
                 std::uint64_t pose)
        : DraggingOffset(pane, document, start), shape_(shape), pose_(pose) {}

protected:
    bool Move(float dx, float dy) override;
    void Record(float dx, float dy) const override;

private:
    std::uint64_t shape_;
    std::uint64_t pose_;
};

} // namespace vel::lumo
