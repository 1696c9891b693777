#include "apps/lumo/panes/DraggingAnchor.h"

#include "apps/lumo/document/AnchorEdits.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/panes/PaneHost.h"
#include "apps/lumo/panes/TimelineWnd.h"

namespace vel::lumo {

DraggingAnchor::DraggingAnchor(TimelineWnd* pane, const TimelineHit& pressed)
    : Dragging(pane), pane_(pane), document_(pane->GetDocument()), frameAtStart_(pane->GetFrame()),
      row_(pressed.row), key_(pane->Rows()[pressed.row].key), existed_(pressed.anchorExists),
      start_{pressed.frame,
             document_->GetTimeline().ValueAt(key_, pressed.frame).value_or(pressed.value)},
      current_{pressed.frame, pressed.value} {
    KnobTimeline& timeline = document_->GetTimeline();
    const bool changed =
        existed_ ? timeline.MoveAnchor(key_, start_.frame, current_.frame, current_.value)
                 : timeline.InsertAnchor(key_, current_.frame, current_.value);
    if (changed) {
        document_->Notify(ChangeBits::Timeline);
    }
    if (pane_->GetFrame() != current_.frame) {
        pane_->Host()->RequestFrame(current_.frame);
    }
    pane_->ShowAnchorTip(AnchorTip{row_, current_.frame});
}

DraggingAnchor::~DraggingAnchor() {
    pane_->ShowAnchorTip(std::nullopt);
}

void DraggingAnchor::OnMouseMove(QPoint p) {
    const TimelineHit hit = pane_->HitTest(p);
    if (!hit.rowValid || !hit.valueValid || hit.row != row_) {
        return;
    }
    Anchor to{current_.frame, hit.value};
    if (current_.frame != 0 && hit.frameValid && !hit.anchorExists) {
        to.frame = hit.frame;
    }
    MoveLive(to);
}

void DraggingAnchor::MoveLive(Anchor to) {
    if (document_->GetTimeline().MoveAnchor(key_, current_.frame, to.frame, to.value)) {
        current_ = to;
        document_->Notify(ChangeBits::Timeline);
    }
    pane_->ShowAnchorTip(AnchorTip{row_, current_.frame});
}

void DraggingAnchor::Restore() {
    if (restored_) {
        return;
    }
    restored_ = true;
    KnobTimeline& timeline = document_->GetTimeline();
    const bool changed = existed_
                             ? timeline.MoveAnchor(key_, current_.frame, start_.frame, start_.value)
                             : timeline.DeleteAnchor(key_, current_.frame);
    if (changed) {
        document_->Notify(ChangeBits::Timeline);
    }
    if (pane_->GetFrame() != frameAtStart_) {
        pane_->Host()->RequestFrame(frameAtStart_);
    }
}

void DraggingAnchor::OnCancel() {
    Restore();
}

// The live changes are taken back first, so that the history records the
// whole gesture as one step from where it began.
void DraggingAnchor::OnLButtonUp(QPoint) {
    Restore();
    PlaceAnchor(*document_, *pane_->Host(), key_,
                existed_ ? std::optional(start_.frame) : std::nullopt, current_, pane_->GetFrame());
}

} // namespace vel::lumo
