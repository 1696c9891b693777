#pragma once

#include "apps/lumo/panes/Selection.h"

#include <cstdint>

namespace vel::lumo {

class LumoDocument;
class PaneHost;

// Edits of whole shapes that both selection panes offer. Each is one undo
// step that also brings back the selection that was current before it.

// Appends an empty lit shape and selects it.
void InsertNewShape(LumoDocument& document, PaneHost& host, const Selection& current);

// Deletes the shape and selects the one that takes its place, or the one
// before it when it was the last. Nothing happens for a shape past the end.
void DeleteShape(LumoDocument& document, PaneHost& host, const Selection& current,
                 std::uint64_t shape);

} // namespace vel::lumo
