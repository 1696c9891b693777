#pragma once

#include "apps/lumo/model/Anchor.h"
#include "apps/lumo/model/KnobKey.h"

#include <cstdint>
#include <optional>

namespace vel::lumo {

class LumoDocument;
class SelectionHost;

// Edits of a knob's anchors that the timeline offers. Each is one undo step
// that leaves the frame cursor on the anchor and brings the cursor back on
// undo; each answers whether the document took it.

// Deletes the anchor at the frame; the track's first anchor cannot go.
bool DeleteAnchor(LumoDocument& document, SelectionHost& host, const KnobKey& key,
                  std::uint32_t frame);

// Sets the anchor: moved from the frame `from` when given, inserted
// otherwise. Undo puts the cursor back on the frame it had before.
bool PlaceAnchor(LumoDocument& document, SelectionHost& host, const KnobKey& key,
                 std::optional<std::uint32_t> from, Anchor to, std::uint32_t frameBefore);

} // namespace vel::lumo
