#pragma once

#include "apps/lumo/document/Selection.h"

#include <cstdint>

namespace vel::lumo {

class PaneHost;

// The second base of the panes that show the shared selection. Setting a
// selection asks the host, which stores it in every such pane.
class ViewWithSelection {
public:
    explicit ViewWithSelection(PaneHost* host) : host_(host) {}
    virtual ~ViewWithSelection() = default;
    ViewWithSelection(const ViewWithSelection&) = delete;
    ViewWithSelection& operator=(const ViewWithSelection&) = delete;

    virtual Selection GetSelection() const { return selection_; }
    virtual void SetSelection(const Selection& selection);
    virtual void SelectShape(uint64_t shape) { SetSelection({shape, 0, 0}); }

    // The host's side: keeps the triple it decided on.
    void StoreSelection(const Selection& selection) { selection_ = selection; }

private:
    PaneHost* host_;
    Selection selection_;
};

} // namespace vel::lumo
