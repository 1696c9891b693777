#include "apps/lumo/panes/ViewWithSelection.h"

#include "apps/lumo/panes/PaneHost.h"

namespace vel::lumo {

void ViewWithSelection::SetSelection(const Selection& selection) {
    if (host_ != nullptr) {
        host_->RequestSelection(selection);
    } else {
        selection_ = selection;
    }
}

} // namespace vel::lumo
