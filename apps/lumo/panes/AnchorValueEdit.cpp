#include "apps/lumo/panes/AnchorValueEdit.h"

#include "apps/lumo/document/AnchorEdits.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/panes/PaneHost.h"
#include "apps/lumo/panes/TimelineWnd.h"
#include "wingui/Field.h"
#include "wingui/InplaceEditBox.h"

#include <QApplication>
#include <algorithm>
#include <cmath>
#include <utility>

namespace vel::lumo {

namespace {

// Wide enough for a value with its sign and decimals.
const QString WidestValue = QStringLiteral("-0000.0000");

} // namespace

AnchorValueEdit::AnchorValueEdit(TimelineWnd* pane)
    : pane_(pane), box_(new wingui::InplaceEditBox(pane)) {
    box_->SetEndedHandler([this] { End(); });
}

void AnchorValueEdit::OnPress(const TimelineHit& hit) {
    const LumoDocument* document = pane_->GetDocument();
    press_ =
        Press{hit.row,      hit.frame, hit.anchorExists, document ? document->GetUndoCount() : 0,
              std::nullopt, false};
}

void AnchorValueEdit::OnRelease() {
    const LumoDocument* document = pane_->GetDocument();
    if (!press_ || press_->released || !document) {
        return;
    }
    press_->released = true;
    if (document->GetUndoCount() == press_->undoCount + 1) {
        press_->ownStep = document->GetUndoCount();
    }
}

// The first click of a double-click beside the spiders set a new one: that
// is two clicks, not an edit. On a spider the first click moved it to the
// mouse; that step is taken back when it is still the last in the history
// (a sound load finishing between the clicks makes its own step).
void AnchorValueEdit::OnDoubleClick(const TimelineHit& hit) {
    const std::optional<Press> press = std::exchange(press_, std::nullopt);
    LumoDocument* document = pane_->GetDocument();
    if (!hit.rowValid || !hit.frameValid || !document) {
        return;
    }
    if (press && press->row == hit.row && press->frame == hit.frame) {
        if (!press->onSpider) {
            return;
        }
        if (press->ownStep && document->GetUndoCount() == *press->ownStep) {
            document->Undo();
        }
    }
    if (document->GetTimeline().HasAnchor(pane_->Rows()[hit.row].key, hit.frame)) {
        Begin(hit.row, hit.frame);
    }
}

void AnchorValueEdit::Begin(std::size_t row, std::uint32_t frame) {
    LumoDocument* document = pane_->GetDocument();
    const Knob& knob = pane_->Rows()[row];
    const float value = document->GetTimeline().ValueAt(knob.key, frame).value_or(knob.typical);
    target_ = Target{document, knob, frame};

    const TimelineGeometry& g = pane_->Geometry();
    const QSize size(box_->fontMetrics().horizontalAdvance(WidestValue), box_->sizeHint().height());
    QRect rect(
        QPoint(static_cast<int>(std::lround(g.FrameX(frame))) - size.width() / 2,
               static_cast<int>(std::lround(g.ValueY(knob, row, value))) - size.height() / 2),
        size);
    rect.moveLeft(
        std::clamp(rect.left(), 0, std::max(static_cast<int>(g.ViewWidth()) - rect.width(), 0)));
    rect.moveTop(
        std::clamp(rect.top(), 0, std::max(static_cast<int>(g.ViewHeight()) - rect.height(), 0)));
    box_->Begin(rect, QString::fromStdString(wingui::Field<float>(value).ToText()));
}

// A text that is no number changes nothing; the edit says so with a beep.
void AnchorValueEdit::End() {
    box_->hide();
    const std::optional<Target> target = std::exchange(target_, std::nullopt);
    LumoDocument* document = pane_->GetDocument();
    if (!target || !box_->IsCommitted() || document != target->document) {
        return;
    }
    const std::optional<float> typed = wingui::ReadNumber(box_->text().toStdString());
    if (!typed) {
        QApplication::beep();
        return;
    }
    const Knob& knob = target->knob;
    const float value = std::clamp(*typed, std::min(knob.minValue, knob.maxValue),
                                   std::max(knob.minValue, knob.maxValue));
    const KnobTimeline& timeline = document->GetTimeline();
    if (!timeline.HasAnchor(knob.key, target->frame) ||
        timeline.ValueAt(knob.key, target->frame) == value) {
        return;
    }
    PlaceAnchor(*document, *pane_->Host(), knob.key, target->frame, {target->frame, value},
                pane_->GetFrame());
}

} // namespace vel::lumo
