#pragma once

#include "apps/lumo/document/Selection.h"
#include "apps/lumo/model/Point.h"

#include <cstdint>

namespace vel::lumo {

class LumoDocument;
class SelectionHost;

// Edits of whole shapes and their outlines that the panes offer. Each is one
// undo step that also brings back the selection that was current before it;
// each answers whether the document took it.

// Appends an empty lit shape and selects it.
bool InsertNewShape(LumoDocument& document, SelectionHost& host, const Selection& current);

// Deletes the shape and selects the one that takes its place, or the one
// before it when it was the last. Nothing happens for a shape past the end.
bool DeleteShape(LumoDocument& document, SelectionHost& host, const Selection& current,
                 std::uint64_t shape);

// Puts a point after the last one of every pose of the selected shape. With
// no shape selected a new shape comes first; a shape without poses gains an
// empty base pose first and is selected.
bool AppendPoint(LumoDocument& document, SelectionHost& host, const Selection& current,
                 Point point);

} // namespace vel::lumo
