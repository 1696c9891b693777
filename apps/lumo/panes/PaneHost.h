#pragma once

#include "apps/lumo/document/SelectionHost.h"

#include <cstdint>

namespace vel::lumo {

// What the panes ask of the main window: the selection and the frame cursor,
// and the commands a pane hands on.
class PaneHost : public SelectionHost {
public:
    // A command a pane hands on (Load Audio from the timeline's menu, say);
    // answers the command's result.
    virtual int OnCommand(uint32_t id) = 0;

protected:
    PaneHost() = default;
    PaneHost(const PaneHost&) = default;
    PaneHost& operator=(const PaneHost&) = default;
};

} // namespace vel::lumo
