#pragma once

#include "apps/lumo/document/Selection.h"
#include "apps/lumo/model/Point.h"

#include <cstdint>
#include <string>

namespace vel::lumo {

class LumoDocument;
class SelectionHost;

// Edits of whole shapes and their outlines that the panes offer. Each is one
// undo step named as the user's action, and answers whether the document
// took it. The first three also bring back the selection that was current
// before them.

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

// Deletes the point from every pose of the shape.
bool DeletePoint(LumoDocument& document, std::uint64_t shape, std::uint64_t index);

// Puts one point of one pose where a drag left it.
bool MovePoint(LumoDocument& document, std::uint64_t shape, std::uint64_t pose, std::uint64_t index,
               Point point);

// Moves every pose of the shape by the offset of a drag.
bool MoveShape(LumoDocument& document, std::uint64_t shape, float dx, float dy);

bool RenameShape(LumoDocument& document, std::uint64_t shape, const std::string& name);

bool SetIllumination(LumoDocument& document, std::uint64_t shape, std::uint32_t illumination);

} // namespace vel::lumo
