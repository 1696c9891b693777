#pragma once

#include "apps/lumo/model/Knob.h"
#include "apps/lumo/panes/AnchorValueEdit.h"
#include "apps/lumo/panes/Pane.h"
#include "apps/lumo/panes/TimelineGeometry.h"
#include "apps/lumo/panes/TimelinePainter.h"
#include "apps/lumo/panes/TimelineWaveforms.h"
#include "graphics/Graphics.h"

#include <QPoint>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QMenu;
class QScrollBar;

namespace vel::lumo {

class KnobTimeline;

// Time from left to right: the audio strip with the clip's waveform, the
// ruler and one row of anchors ("spiders") per knob, with the frame cursor.
// Anchors and the cursor are dragged with the mouse; the view zooms and
// scrolls.
class TimelineWnd : public Pane {
public:
    TimelineWnd(QWidget* parent, PaneHost* host);
    ~TimelineWnd() override;

    uint32_t GetFrame() const { return frame_; }
    // The main window's frame cursor: scrolls it into view and repaints.
    void SetFrame(uint32_t frame);
    // After an edit made elsewhere (an animation): scrolls the first row and
    // frame whose keys differ from before into view, as a new knob's row is.
    void ShowFirstChange(const KnobTimeline& before);

    // The pane's own commands; Load Audio goes to the main window. Answers 0.
    int OnCommand(uint32_t id);
    // Zooms by steps of the frame width's power, keeping the cursor's x;
    // 0 resets to the scroll bar's width.
    void Zoom(int steps);

    // What lies under a point in pane coordinates.
    TimelineHit HitTest(QPoint p) const;
    const TimelineGeometry& Geometry() const { return geometry_; }
    const std::vector<Knob>& Rows() const { return rows_; }
    // The furthest frame the view has had to reach; it sets the scroll range.
    uint32_t GetExtentFrame() const { return extent_; }
    QScrollBar* HorizontalBar() const { return hBar_; }
    QScrollBar* VerticalBar() const { return vBar_; }

    // The tooltip of a running anchor drag, or none.
    void ShowAnchorTip(std::optional<AnchorTip> tip);
    // Draws this waveform instead of the document's until it is taken back
    // (none) or the document takes the clip it was built of: that of a
    // clip still being loaded, or of the one about to be set.
    void ShowWaveform(std::optional<TimelineWaveform> waveform) {
        waveforms_.Show(std::move(waveform));
        update();
    }
    const TimelineWaveform& ShownWaveform() const { return waveforms_.Shown(); }

    void OnDocumentChange(Document* document, uint32_t changes) override;

protected:
    void OnAttach() override;
    void OnLButtonDown(QMouseEvent* event) override;
    void OnRButtonDown(QMouseEvent* event) override;
    bool OnKeyDown(QKeyEvent* event) override;
    PaneHint HintAt(QPoint position, HintKeys keys) const override;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The row a right click was on, and the frame of the spider its menu
    // offered to delete, if any.
    struct RememberedRow {
        std::size_t row;
        KnobKey key;
        std::optional<uint32_t> spider;
    };

    // The menu of a right click at p, its items carrying command ids.
    std::unique_ptr<QMenu> MakeContextMenu(QPoint p);
    void Layout();
    void PlaceBars();
    void RaiseExtent(uint32_t frame);
    void OnBarMoved(QScrollBar* bar, double& offset, int value);
    void ScrollVerticallyTo(double position);
    void ScrollToFrame(uint32_t frame);
    void Remember(std::size_t row, std::optional<uint32_t> spider);
    // The remembered knob while it still has its row.
    std::optional<KnobKey> RememberedKey() const;
    void DeleteSpider();
    void DeleteKnob();

    graphics::Graphics graphics_;
    graphics::Surface surface_;
    TimelineGeometry geometry_;
    std::vector<Knob> rows_;
    uint32_t frame_ = 0;
    uint32_t extent_ = 0;
    std::optional<RememberedRow> remembered_;
    TimelineWaveforms waveforms_;
    std::optional<AnchorTip> tip_;
    QScrollBar* hBar_;
    QScrollBar* vBar_;
    int wheelRemainder_ = 0;
    AnchorValueEdit valueEdit_{this};
};

} // namespace vel::lumo
