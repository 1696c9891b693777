#include "apps/lumo/panes/TimelineWnd.h"

#include "apps/lumo/dialogs/NewKnobDlg.h"
#include "apps/lumo/document/AnchorEdits.h"
#include "apps/lumo/document/KnobEdits.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/model/TimecodeMeaning.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/DraggingAnchor.h"
#include "apps/lumo/panes/DraggingFrameCursor.h"
#include "apps/lumo/panes/PaneHost.h"
#include "apps/lumo/panes/PopupMenu.h"
#include "wingui/ToolTip.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QInputDevice>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <limits>

namespace vel::lumo {

namespace {

constexpr double LeftmostScroll = -16.0;
constexpr double LargestBarValue = std::numeric_limits<int>::max();

bool HasTouchScreen() {
    const auto devices = QInputDevice::devices();
    return std::any_of(devices.begin(), devices.end(), [](const QInputDevice* device) {
        return device->type() == QInputDevice::DeviceType::TouchScreen;
    });
}

// A scroll bar holds ints: offsets and ranges beyond them stop at the end.
int BarValue(double value) {
    return static_cast<int>(std::clamp(std::floor(value + 0.5), -LargestBarValue, LargestBarValue));
}

void SetBar(QScrollBar* bar, int minimum, int maximum, int page, int line, int position) {
    const QSignalBlocker blocker(bar);
    bar->setRange(minimum, std::max(minimum, maximum - page));
    bar->setPageStep(page);
    bar->setSingleStep(std::max(line, 1));
    bar->setValue(position);
}

// The first knob of the new list that the old one lacked: one just made.
std::optional<std::size_t> FirstAddedRow(const std::vector<Knob>& before,
                                         const std::vector<Knob>& after) {
    const auto added = std::find_if(after.begin(), after.end(), [&before](const Knob& knob) {
        return std::none_of(before.begin(), before.end(),
                            [&knob](const Knob& old) { return old.key == knob.key; });
    });
    if (added == after.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(added - after.begin());
}

const KnobTimeline& NoTimeline() {
    static const KnobTimeline empty;
    return empty;
}

} // namespace

TimelineWnd::TimelineWnd(QWidget* parent, PaneHost* host)
    : Pane(parent, host, QStringLiteral("Timeline"), FocusClick::Eaten),
      surface_(graphics_.CreateSurface()), hBar_(new QScrollBar(Qt::Horizontal, this)),
      vBar_(new QScrollBar(Qt::Vertical, this)) {
    hBar_->setFocusPolicy(Qt::NoFocus);
    vBar_->setFocusPolicy(Qt::NoFocus);
    connect(hBar_, &QScrollBar::valueChanged, this,
            [this](int value) { OnBarMoved(hBar_, geometry_.hScroll, value); });
    connect(vBar_, &QScrollBar::valueChanged, this,
            [this](int value) { OnBarMoved(vBar_, geometry_.vScroll, value); });
    Layout();
}

// A drag still running puts its live changes back while the pane is whole.
TimelineWnd::~TimelineWnd() {
    CancelMode();
}

void TimelineWnd::SetFrame(uint32_t frame) {
    if (frame == frame_) {
        return;
    }
    frame_ = frame;
    ScrollToFrame(frame);
}

void TimelineWnd::ScrollToFrame(uint32_t frame) {
    const double width = geometry_.frameWidth;
    const double x = static_cast<double>(frame) * width - geometry_.hScroll;
    const double viewWidth = geometry_.ViewWidth();
    if (x + width >= viewWidth) {
        geometry_.hScroll += x + width - viewWidth;
    } else if (x < width) {
        geometry_.hScroll =
            std::max(geometry_.hScroll - (width - x), -static_cast<double>(geometry_.hBarHeight));
    }
    RaiseExtent(frame);
    Layout();
    update();
}

// The first row, in the pane's order, whose anchors differ, and there the
// first frame where they do.
void TimelineWnd::ShowFirstChange(const KnobTimeline& before) {
    const LumoDocument* document = GetDocument();
    if (document == nullptr) {
        return;
    }
    static const std::vector<Anchor> none;
    const auto anchors = [](const KnobTimeline& timeline, const KnobKey& key) {
        const KnobTrack* track = timeline.FindTrack(key);
        return track != nullptr ? track->GetAnchors() : none;
    };
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        const std::vector<Anchor> was = anchors(before, rows_[row].key);
        const std::vector<Anchor> is = anchors(document->GetTimeline(), rows_[row].key);
        const auto [old, now] = std::mismatch(was.begin(), was.end(), is.begin(), is.end());
        if (old == was.end() && now == is.end()) {
            continue;
        }
        const uint32_t frame = old == was.end()  ? now->frame
                               : now == is.end() ? old->frame
                                                 : std::min(old->frame, now->frame);
        ScrollVerticallyTo(geometry_.ScrollShowing(row));
        ScrollToFrame(frame);
        return;
    }
}

TimelineHit TimelineWnd::HitTest(QPoint p) const {
    const LumoDocument* document = GetDocument();
    return geometry_.HitTest(graphics::PointF{static_cast<float>(p.x()), static_cast<float>(p.y())},
                             rows_, document ? document->GetTimeline() : NoTimeline());
}

PaneHint TimelineWnd::HintAt(QPoint position, HintKeys) const {
    const LumoDocument* document = GetDocument();
    if (document == nullptr) {
        return {};
    }
    using Region = TimelinePlace::Region;
    const TimelineHit hit = HitTest(position);
    TimelinePlace place;
    place.hasAudio = AudioView(document->GetAudio()).FrameCount() > 0;
    place.frame = hit.frame;
    if (hit.inAudioStrip) {
        place.region = Region::AudioStrip;
    } else if (hit.rowValid && hit.frameValid) {
        place.region = Region::Row;
        place.knob = rows_[hit.row].name;
        place.onSpider = hit.anchorExists;
        if (hit.valueValid) {
            place.value = hit.value;
        }
    } else if (hit.frameValid) {
        place.region = Region::Ruler;
    }
    return TimelineHint(place);
}

// The ruler says what its timecodes mean.
bool TimelineWnd::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        const bool used = Pane::event(event);
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            valueEdit_.OnRelease();
        }
        return used;
    }
    auto* help = static_cast<QHelpEvent*>(event);
    const float y = static_cast<float>(help->pos().y());
    const bool onRuler = y >= geometry_.RulerTop() && y < geometry_.RowsTop();
    wingui::ShowToolTip(help, this, onRuler ? QString::fromUtf8(TimecodeMeaning) : QString());
    return true;
}

void TimelineWnd::ShowAnchorTip(std::optional<AnchorTip> tip) {
    tip_ = tip;
    update();
}

void TimelineWnd::RaiseExtent(uint32_t frame) {
    extent_ = std::max(extent_, frame);
}

void TimelineWnd::Layout() {
    const int barExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    geometry_.clientWidth = static_cast<float>(width());
    geometry_.clientHeight = static_cast<float>(height());
    geometry_.vBarWidth = static_cast<float>(barExtent);
    geometry_.hBarHeight = static_cast<float>(barExtent);
    geometry_.touch = HasTouchScreen();
    geometry_.rows = rows_.size();

    const double viewWidth = geometry_.ViewWidth();
    if (viewWidth > 0) {
        RaiseExtent(geometry_.RightEdgeFrame());
        const int maximum =
            BarValue(static_cast<double>(extent_) * geometry_.frameWidth + viewWidth);
        const int page = std::max(BarValue(viewWidth), 0);
        int position = BarValue(geometry_.hScroll);
        if (static_cast<double>(position) + page > maximum) {
            geometry_.hScroll = LeftmostScroll;
            position = BarValue(LeftmostScroll);
            update();
        }
        SetBar(hBar_, BarValue(LeftmostScroll), maximum, page, BarValue(geometry_.frameWidth),
               position);
    }

    const int maximum = BarValue(static_cast<double>(rows_.size()) * geometry_.RowHeight());
    const int available = BarValue(geometry_.ViewHeight() - geometry_.RowsTop());
    const int page = std::max(std::min(maximum, available), 0);
    int position = BarValue(geometry_.vScroll);
    if (static_cast<double>(position) + page > maximum) {
        geometry_.vScroll = 0;
        position = 0;
        update();
    }
    SetBar(vBar_, 0, maximum, page, BarValue(geometry_.LineStep()), position);
}

void TimelineWnd::PlaceBars() {
    const int bar = static_cast<int>(geometry_.vBarWidth);
    const int top = static_cast<int>(geometry_.RowsTop());
    vBar_->setGeometry(width() - bar, top, bar, std::max(height() - bar - top, 0));
    hBar_->setGeometry(0, height() - bar, std::max(width() - bar, 0), bar);
}

void TimelineWnd::OnBarMoved(QScrollBar* bar, double& offset, int value) {
    if (value == BarValue(offset)) {
        return;
    }
    offset = std::clamp(value, bar->minimum(), bar->maximum());
    Layout();
    update();
}

void TimelineWnd::ScrollVerticallyTo(double position) {
    vBar_->setValue(BarValue(std::clamp<double>(position, vBar_->minimum(), vBar_->maximum())));
}

void TimelineWnd::Zoom(int steps) {
    const float width = geometry_.ZoomedWidth(steps);
    if (width == geometry_.frameWidth) {
        return;
    }
    const double x = geometry_.FrameX(frame_);
    geometry_.frameWidth = width;
    geometry_.hScroll = std::max(static_cast<double>(frame_) * width - x,
                                 -static_cast<double>(geometry_.hBarHeight));
    Layout();
    update();
}

int TimelineWnd::OnCommand(uint32_t id) {
    switch (id) {
    case IdLoadAudio:
        return Host()->OnCommand(id);
    case IdNewKnob:
        if (GetDocument()) {
            AddNewKnob(this, *GetDocument());
        }
        break;
    case IdDeleteKnob:
        DeleteKnob();
        break;
    case IdDeleteSpider:
        DeleteSpider();
        break;
    case IdZoomIn:
        Zoom(1);
        break;
    case IdZoomOut:
        Zoom(-1);
        break;
    case IdZoomReset:
        Zoom(0);
        break;
    default:
        break;
    }
    return 0;
}

void TimelineWnd::Remember(std::size_t row, std::optional<uint32_t> spider) {
    remembered_ = RememberedRow{row, rows_[row].key, spider};
}

std::optional<KnobKey> TimelineWnd::RememberedKey() const {
    if (!remembered_ || remembered_->row >= rows_.size() ||
        !(rows_[remembered_->row].key == remembered_->key)) {
        return std::nullopt;
    }
    return remembered_->key;
}

void TimelineWnd::DeleteKnob() {
    const auto key = RememberedKey();
    if (GetDocument() && key) {
        lumo::DeleteKnob(*GetDocument(), *key);
    }
}

// Deletes the spider the menu was offered for, wherever the cursor is by
// then; one undo brings the spider back with the cursor on it.
void TimelineWnd::DeleteSpider() {
    const auto key = RememberedKey();
    if (!GetDocument() || !key || !remembered_->spider) {
        return;
    }
    DeleteAnchor(*GetDocument(), *Host(), *key, *remembered_->spider);
}

std::unique_ptr<QMenu> TimelineWnd::MakeContextMenu(QPoint p) {
    auto menu = std::make_unique<QMenu>(this);
    const auto add = [&menu](const char* text, uint32_t id) {
        return AddMenuItem(*menu, QString::fromUtf8(text), id);
    };
    const TimelineHit hit = HitTest(p);
    if (hit.inAudioStrip) {
        add("Load Audio", IdLoadAudio);
    }
    if (hit.rowValid) {
        Remember(hit.row, hit.anchorExists ? std::optional(hit.frame) : std::nullopt);
    }
    if (hit.anchorExists) {
        add("Delete Spider", IdDeleteSpider)->setEnabled(hit.frame > 0);
    }
    if (!menu->isEmpty()) {
        menu->addSeparator();
    }
    add("New Knob", IdNewKnob);
    if (hit.rowValid) {
        add("Delete Knob", IdDeleteKnob);
    }
    menu->addSeparator();
    add("Zoom In\tCtrl++", IdZoomIn);
    add("Zoom Out\tCtrl+-", IdZoomOut);
    return menu;
}

void TimelineWnd::OnDocumentChange(Document*, uint32_t changes) {
    LumoDocument* document = GetDocument();
    if (!document) {
        return;
    }
    if (changes & ChangeBits::Audio) {
        waveforms_.Follow(document->GetAudio(), document->GetFrameRate());
        update();
    }
    if (changes & ChangeBits::Model) {
        std::vector<Knob> knobs = document->GetKnobs();
        if (knobs != rows_) {
            const std::optional<std::size_t> added = FirstAddedRow(rows_, knobs);
            rows_ = std::move(knobs);
            Layout();
            if (added) {
                ScrollVerticallyTo(geometry_.ScrollShowing(*added));
            }
            update();
        }
    }
    if (changes & ChangeBits::Timeline) {
        Layout();
        update();
    }
}

void TimelineWnd::OnAttach() {
    rows_.clear();
    remembered_.reset();
    waveforms_ = TimelineWaveforms{};
    extent_ = 0;
    if (LumoDocument* document = GetDocument()) {
        rows_ = document->GetKnobs();
        for (const Knob& knob : rows_) {
            const KnobTrack* track = document->GetTimeline().FindTrack(knob.key);
            if (track && !track->IsEmpty()) {
                RaiseExtent(track->GetAnchors().back().frame);
            }
        }
        OnDocumentChange(document, ChangeBits::Audio | ChangeBits::Model | ChangeBits::Timeline);
    }
    Layout();
    update();
}

void TimelineWnd::OnLButtonDown(QMouseEvent* event) {
    if (!GetDocument()) {
        return;
    }
    const TimelineHit hit = HitTest(event->position().toPoint());
    if (hit.rowValid) {
        if (hit.frameValid) {
            valueEdit_.OnPress(hit);
            SetDragState(std::make_unique<DraggingAnchor>(this, hit));
        }
    } else if (hit.frameValid) {
        SetDragState(std::make_unique<DraggingFrameCursor>(this, hit.frame));
    }
}

void TimelineWnd::OnRButtonDown(QMouseEvent* event) {
    const TimelineHit hit = HitTest(event->position().toPoint());
    if (hit.frameValid && hit.frame != frame_) {
        Host()->RequestFrame(hit.frame);
    }
    if (hit.rowValid) {
        Remember(hit.row, std::nullopt);
    }
}

bool TimelineWnd::OnKeyDown(QKeyEvent* event) {
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_PageUp:
        vBar_->triggerAction(QAbstractSlider::SliderPageStepSub);
        return true;
    case Qt::Key_PageDown:
        vBar_->triggerAction(QAbstractSlider::SliderPageStepAdd);
        return true;
    case Qt::Key_Up:
        vBar_->triggerAction(control ? QAbstractSlider::SliderPageStepSub
                                     : QAbstractSlider::SliderSingleStepSub);
        return true;
    case Qt::Key_Down:
        vBar_->triggerAction(control ? QAbstractSlider::SliderPageStepAdd
                                     : QAbstractSlider::SliderSingleStepAdd);
        return true;
    case Qt::Key_Minus:
        OnCommand(IdZoomOut);
        return true;
    case Qt::Key_0:
        if (!control) {
            return false;
        }
        OnCommand(IdZoomReset);
        return true;
    // The main keyboard's plus shares its key with the equals sign.
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        if (!control) {
            return false;
        }
        OnCommand(IdZoomIn);
        return true;
    default:
        return false;
    }
}

void TimelineWnd::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    graphics::Frame frame = surface_.CreateFrame(
        this, graphics::DeviceRect{0, 0, static_cast<int32_t>(std::ceil(width() * ratio)),
                                   static_cast<int32_t>(std::ceil(height() * ratio))});
    frame.Clear(graphics::Color{0x000000});
    const LumoDocument* document = GetDocument();
    if (!document) {
        return;
    }
    const TimelineScene scene{geometry_,
                              rows_,
                              document->GetTimeline(),
                              waveforms_.Shown(),
                              waveforms_.IsShowingOther() ||
                                  AudioView(document->GetAudio()).FrameCount() > 0,
                              IsActive(),
                              frame_,
                              tip_};
    PaintTimeline(frame, scene);
}

void TimelineWnd::resizeEvent(QResizeEvent*) {
    Layout();
    PlaceBars();
}

void TimelineWnd::focusInEvent(QFocusEvent*) {
    update();
}

void TimelineWnd::focusOutEvent(QFocusEvent*) {
    valueEdit_.OnFocusLost();
    update();
}

void TimelineWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const TimelineHit hit = HitTest(event->position().toPoint());
    if (hit.inAudioStrip) {
        OnCommand(IdLoadAudio);
    } else {
        valueEdit_.OnDoubleClick(hit);
    }
}

void TimelineWnd::contextMenuEvent(QContextMenuEvent* event) {
    const std::unique_ptr<QMenu> menu = MakeContextMenu(event->pos());
    if (const uint32_t id = TrackPopupMenu(*menu, event->globalPos())) {
        OnCommand(id);
    }
}

// Ctrl turns the wheel into zoom, in whole notches however fine the wheel.
void TimelineWnd::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (event->modifiers() & Qt::ControlModifier) {
        wheelRemainder_ += delta;
        const int steps = wheelRemainder_ / 120;
        wheelRemainder_ %= 120;
        if (steps != 0) {
            Zoom(steps);
        }
    } else {
        const double lines = QApplication::wheelScrollLines();
        ScrollVerticallyTo(
            vBar_->value() -
            std::floor(static_cast<float>(delta) * geometry_.LineStep() * lines / 120.0 + 0.5));
    }
    event->accept();
}

} // namespace vel::lumo
