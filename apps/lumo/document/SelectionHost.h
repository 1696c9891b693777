#pragma once

#include "apps/lumo/document/Selection.h"

#include <cstdint>

namespace vel::lumo {

// Where the selection and the frame cursor live: the main window, which owns
// the document and so outlives its history. Edits hand their selection and
// frame to it as values; each request is synchronous, so the new state holds
// when it returns.
class SelectionHost {
public:
    virtual ~SelectionHost() = default;

    // Moves the frame cursor; every pane that shows it repaints.
    virtual void RequestFrame(uint32_t frame) = 0;
    // Stores the selection in both selection panes, repaints them and gives
    // the keyboard focus to the preview.
    virtual void RequestSelection(const Selection& selection) = 0;
    virtual uint32_t GetFrame() const = 0;

protected:
    SelectionHost() = default;
    SelectionHost(const SelectionHost&) = default;
    SelectionHost& operator=(const SelectionHost&) = default;
};

} // namespace vel::lumo
