#pragma once

#include "apps/lumo/panes/DraggingOffset.h"

#include <cstdint>

namespace vel::lumo {

// Drags a whole shape: every pose, the base pose included.
class DraggingShape : public DraggingOffset {
public:
    DraggingShape(PreviewWnd* pane, LumoDocument* document, QPoint start, std::uint64_t shape)
        : DraggingOffset(pane, document, start), shape_(shape) {}

protected:
    bool Move(float dx, float dy) override;
    void Record(float dx, float dy) const override;

private:
    std::uint64_t shape_;
};

} // namespace vel::lumo
