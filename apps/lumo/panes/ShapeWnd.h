#pragma once

#include "apps/lumo/panes/Pane.h"
#include "apps/lumo/panes/ViewWithSelection.h"

namespace vel::lumo {

// The shapes of the pumpkin in one column and the poses of the selected shape
// in another.
class ShapeWnd : public Pane, public ViewWithSelection {
public:
    ShapeWnd(QWidget* parent, PaneHost* host);
};

} // namespace vel::lumo
