#pragma once

#include "apps/lumo/document/LumoCommand.h"
#include "apps/lumo/model/Anchor.h"
#include "apps/lumo/model/KnobKey.h"

#include <cstdint>
#include <vector>

namespace vel::lumo {

// Puts a new set of anchors on one knob's track between two frames (first
// included, end excluded) and keeps the anchors outside untouched. The
// track's first anchor cannot go, so where it lies inside the range it takes
// the value of a new anchor at its frame, or keeps its own.
class ReplaceAnchorsCmd : public LumoCommand<ReplaceAnchorsCmd> {
public:
    // The anchors must lie inside the range, in ascending frame order.
    ReplaceAnchorsCmd(LumoDocument* document, KnobKey key, std::uint32_t first, std::uint32_t end,
                      std::vector<Anchor> anchors);

    bool Do() override;
    bool Undo() override;

private:
    // Leaves exactly these anchors inside the range.
    void Put(const std::vector<Anchor>& anchors);

    KnobKey key_;
    std::uint32_t first_;
    std::uint32_t end_;
    std::vector<Anchor> anchors_;
    std::vector<Anchor> replaced_;
};

} // namespace vel::lumo
