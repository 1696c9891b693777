#include "apps/lumo/panes/ShapeWnd.h"

namespace vel::lumo {

ShapeWnd::ShapeWnd(QWidget* parent, PaneHost* host)
    : Pane(parent, host, QStringLiteral("Shapes and Poses"), FocusClick::Used),
      ViewWithSelection(host) {}

} // namespace vel::lumo
