#pragma once

#include "apps/lumo/panes/Selection.h"

#include <cstdint>

namespace vel::lumo {

// What the panes ask of the main window. Each request is a synchronous call:
// the new state holds when it returns.
class PaneHost {
public:
    virtual ~PaneHost() = default;

    // Moves the frame cursor; every pane that shows it repaints.
    virtual void RequestFrame(uint32_t frame) = 0;
    // Stores the selection in both selection panes, repaints them and gives
    // the keyboard focus to the preview.
    virtual void RequestSelection(const Selection& selection) = 0;
    // A command a pane hands on (Load Audio from the timeline's menu, say);
    // answers the command's result.
    virtual int OnCommand(uint32_t id) = 0;
    virtual uint32_t GetFrame() const = 0;

protected:
    PaneHost() = default;
    PaneHost(const PaneHost&) = default;
    PaneHost& operator=(const PaneHost&) = default;
};

} // namespace vel::lumo
