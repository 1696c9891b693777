#pragma once

namespace vel::lumo {

class LumoDocument;
class ViewWithSelection;

// Edits of whole shapes that both selection panes offer. Each is one undo
// step that also brings back the selection it changed.

// Appends an empty lit shape and selects it.
void InsertNewShape(LumoDocument& document, ViewWithSelection& view);

// Deletes the selected shape and selects the one that takes its place, or
// the one before it when it was the last. Nothing happens when no shape is
// selected.
void DeleteSelectedShape(LumoDocument& document, ViewWithSelection& view);

} // namespace vel::lumo
