#include "apps/lumo/panes/PreviewWnd.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/PhotoEdits.h"
#include "apps/lumo/document/ShapeEdits.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/DetectingDrag.h"
#include "apps/lumo/panes/DraggingPhoto.h"
#include "apps/lumo/panes/DraggingPoint.h"
#include "apps/lumo/panes/DraggingPose.h"
#include "apps/lumo/panes/DraggingShape.h"
#include "apps/lumo/panes/DraggingView.h"
#include "apps/lumo/panes/PaneHost.h"
#include "apps/lumo/panes/PopupMenu.h"
#include "apps/lumo/panes/PoseColors.h"
#include "apps/lumo/render/PumpkinRenderer.h"
#include "apps/lumo/render/TargetMapping.h"
#include "graphics/Drawable.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace vel::lumo {

PreviewWnd::PreviewWnd(QWidget* parent, PaneHost* host)
    : Pane(parent, host, QStringLiteral("Preview"), FocusClick::Eaten), ViewWithSelection(host),
      surface_(graphics_.CreateSurface()) {}

void PreviewWnd::SetFrame(uint32_t frame) {
    if (frame != frame_) {
        frame_ = frame;
        update();
    }
}

void PreviewWnd::WatchLiveKnobs(LiveKnobs* knobs) {
    live_ = LiveKnobs::Watching(knobs, this);
    update();
}

void PreviewWnd::OnDocumentChange(Document*, uint32_t changes) {
    if ((changes & (ChangeBits::Model | ChangeBits::Timeline | ChangeBits::Photo)) != 0) {
        update();
    }
}

bool PreviewWnd::HasShapeSelected() const {
    return GetDocument() != nullptr &&
           GetSelection().shape < GetDocument()->GetModel().GetShapeCount();
}

PreviewHit PreviewWnd::HitTest(QPoint position) const {
    return HitTestPreview(GetDocument(), GetSelection(), frame_, ClientToModel(position),
                          zoom_.Scale());
}

Point PreviewWnd::ClientToShown(QPoint position) const {
    return TargetMapping(static_cast<float>(width()), static_cast<float>(height()))
        .ToModel({static_cast<float>(position.x()), static_cast<float>(position.y())});
}

Point PreviewWnd::ClientToModel(QPoint position) const {
    return zoom_.ToModel(ClientToShown(position));
}

QPoint PreviewWnd::ModelToClient(Point model) const {
    const int w = width();
    const int h = height();
    const double s = std::min(w, h) / 2.0;
    const Point shown = zoom_.ToShown(model);
    // A point off the pane, or no number at all, starts from the pane's edge or centre.
    const auto pixel = [](double v, int limit) {
        return std::isfinite(v) ? static_cast<int>(std::clamp(v, 0.0, double(limit - 1)))
                                : limit / 2;
    };
    const int centreX = w / 2;
    const int centreY = h - h / 2;
    return {pixel(std::floor(s * shown.x + 0.5) + centreX, w),
            pixel(centreY - std::floor(s * shown.y + 0.5), h)};
}

std::vector<Point> PreviewWnd::Shown(std::vector<Point> points) const {
    for (Point& point : points) {
        point = zoom_.ToShown(point);
    }
    return points;
}

void PreviewWnd::OnAttach() {
    zoom_.Fit();
    Pane::OnAttach();
}

void PreviewWnd::SetZoom(const PreviewZoom& zoom) {
    zoom_ = zoom;
    update();
}

void PreviewWnd::ZoomAt(QPoint position, double factor) {
    zoom_.ZoomAround(ClientToShown(position), factor);
    update();
}

void PreviewWnd::Pan(const PreviewZoom& from, QPoint distance) {
    const Point origin = ClientToShown({0, 0});
    const Point moved = ClientToShown(distance);
    zoom_ = from;
    zoom_.Pan({moved.x - origin.x, moved.y - origin.y});
    update();
}

void PreviewWnd::ShowPhoto(bool shown) {
    photoShown_ = shown;
    update();
}

bool PreviewWnd::HasPhotoShown() const {
    return photoShown_ && GetDocument() != nullptr && !GetDocument()->GetPhoto().IsEmpty();
}

void PreviewWnd::StepPhotoOpacity(int steps) {
    constexpr float stepsPerOpacity = 10.0f;
    constexpr float faintest = 0.1f;
    const float opacity = GetDocument()->GetPhoto().GetPlacement().opacity;
    SetPhotoOpacity(*GetDocument(),
                    std::clamp(std::round(opacity * stepsPerOpacity + static_cast<float>(steps)) /
                                   stepsPerOpacity,
                               faintest, 1.0f));
}

void PreviewWnd::OnLButtonDown(QMouseEvent* event) {
    if (GetDocument() == nullptr) {
        return;
    }
    const QPoint p = event->position().toPoint();
    if ((event->modifiers() & Qt::AltModifier) != 0) {
        SetDragState(std::make_unique<DraggingView>(this, p));
        return;
    }
    if ((event->modifiers() & Qt::ControlModifier) != 0 && HasPhotoShown()) {
        SetDragState(std::make_unique<DraggingPhoto>(this, GetDocument(), p));
        return;
    }
    const PreviewHit hit = HitTest(p);
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    if (!hit.onPoint) {
        Click(p, hit, shift, true);
        return;
    }
    DetectDrag(
        p,
        [this, hit] {
            pointIndex_ = hit.point;
            return std::make_unique<DraggingPoint>(this, GetDocument(), hit.pointShape,
                                                   hit.pointPose, hit.point);
        },
        [this, p, hit, shift] { Click(p, hit, shift, false); });
}

void PreviewWnd::Click(QPoint p, const PreviewHit& hit, bool shift, bool canDrag) {
    if (!hit.insideShape) {
        AddPoint(p);
        return;
    }
    const Selection selection = GetSelection();
    if (hit.shape == selection.shape && IsActive()) {
        if (!shift || !canDrag) {
            AddPoint(p);
            return;
        }
        DetectDrag(
            p,
            [this, p, selection]() -> std::unique_ptr<wingui::DragState> {
                if (selection.pose == selection.referencePose) {
                    return std::make_unique<DraggingShape>(this, GetDocument(), p, selection.shape);
                }
                return std::make_unique<DraggingPose>(this, GetDocument(), p, selection.shape,
                                                      selection.pose);
            },
            [this, p] { AddPoint(p); });
        return;
    }
    SelectShape(hit.shape);
    if (shift && canDrag) {
        DetectDrag(
            p,
            [this, p, hit] {
                return std::make_unique<DraggingShape>(this, GetDocument(), p, hit.shape);
            },
            [] {});
    }
}

void PreviewWnd::DetectDrag(QPoint press,
                            std::function<std::unique_ptr<wingui::DragState>()> makeDrag,
                            std::function<void()> onClick) {
    SetDragState(std::make_unique<DetectingDrag>(
        this, press,
        [this, makeDrag = std::move(makeDrag)](QPoint p) {
            std::unique_ptr<wingui::DragState> drag = makeDrag();
            wingui::DragState* started = drag.get();
            SetDragState(std::move(drag));
            started->OnMouseMove(p);
        },
        std::move(onClick)));
}

void PreviewWnd::AddPoint(QPoint position) {
    const Point m = ClientToModel(position);
    pointIndex_ = 0;
    AppendPoint(*GetDocument(), *Host(), GetSelection(), m);
}

void PreviewWnd::OnMButtonDown(QMouseEvent* event) {
    SetDragState(std::make_unique<DraggingView>(this, event->position().toPoint()));
}

// Ctrl turns the wheel into zoom, a quarter larger per notch, and Shift
// into the photo's size, each notch one step.
void PreviewWnd::wheelEvent(QWheelEvent* event) {
    constexpr double notchFactor = 1.25;
    const double factor = std::pow(notchFactor, event->angleDelta().y() / 120.0);
    const bool resizing = (event->modifiers() & Qt::ShiftModifier) != 0 && HasPhotoShown();
    if (IsDragging() || ((event->modifiers() & Qt::ControlModifier) == 0 && !resizing)) {
        event->ignore();
        return;
    }
    if (resizing) {
        ResizePhoto(*GetDocument(), static_cast<float>(factor));
    } else {
        ZoomAt(event->position().toPoint(), factor);
    }
    event->accept();
}

PaneHint PreviewWnd::HintAt(QPoint position, HintKeys keys) const {
    const LumoDocument* document = GetDocument();
    PreviewPlace place;
    if (document == nullptr) {
        return {};
    }
    const Model& model = document->GetModel();
    const PreviewHit hit = HitTest(position);
    place.hasDocument = true;
    place.emptyModel = model.GetShapeCount() == 0;
    place.zoomed = !zoom_.IsFit();
    place.photo = HasPhotoShown();
    place.onPoint = hit.onPoint && IsActive();
    if (HasShapeSelected()) {
        place.selectedShape = document->GetShapeName(GetSelection().shape);
    }
    place.insideShape = hit.insideShape;
    place.insideSelected = hit.insideShape && hit.shape == GetSelection().shape;
    if (hit.insideShape) {
        place.hitShape = document->GetShapeName(hit.shape);
    }
    return {PreviewHint(place, keys), {}};
}

void PreviewWnd::OnRButtonDown(QMouseEvent* event) {
    if (GetDocument() == nullptr) {
        return;
    }
    const PreviewHit hit = HitTest(event->position().toPoint());
    if (hit.insideShape) {
        SelectShape(hit.shape);
    } else if (!hit.onPoint) {
        SelectShape(GetDocument()->GetModel().GetShapeCount());
    }
}

void PreviewWnd::contextMenuEvent(QContextMenuEvent* event) {
    if (GetDocument() == nullptr) {
        return;
    }
    const PreviewHit hit = HitTest(event->pos());
    QMenu menu(this);
    if (hit.onPoint) {
        AddMenuItem(menu, QStringLiteral("Delete Web"), IdDeleteWeb);
        pointIndex_ = hit.point;
    }
    if (hit.insideShape) {
        AddMenuItem(menu, QStringLiteral("Delete Shape"), IdDeleteShape);
        QMenu* illumination = menu.addMenu(QStringLiteral("Illumination"));
        AddMenuItem(*illumination, QStringLiteral("Candle Color"), IdIlluminationCandle);
        AddMenuItem(*illumination, QStringLiteral("Dark"), IdIlluminationDark);
    }
    // The items act on what they were offered for, whatever is selected by
    // the time one is chosen.
    if (const std::uint32_t id = TrackPopupMenu(menu, event->globalPos())) {
        Run(id, hit);
    }
}

void PreviewWnd::OnCommand(std::uint32_t id) {
    PreviewHit selected;
    selected.shape = GetSelection().shape;
    selected.pointShape = selected.shape;
    selected.point = pointIndex_;
    Run(id, selected);
}

void PreviewWnd::Run(std::uint32_t id, const PreviewHit& target) {
    LumoDocument* document = GetDocument();
    if (document == nullptr) {
        return;
    }
    switch (id) {
    case IdDeleteWeb:
        DeletePoint(*document, target.pointShape, target.point);
        break;
    case IdDeleteShape:
        DeleteShape(*document, *Host(), GetSelection(), target.shape);
        break;
    case IdIlluminationDark:
        SetIllumination(*document, target.shape, 0);
        break;
    case IdIlluminationCandle:
        SetIllumination(*document, target.shape, 1);
        break;
    default:
        break;
    }
}

bool PreviewWnd::OnKeyDown(QKeyEvent* event) {
    if (event->key() == Qt::Key_Shift || event->key() == Qt::Key_Alt ||
        event->key() == Qt::Key_Control) {
        UpdateCursor(mapFromGlobal(QCursor::pos()), event->modifiers());
    }
    if (event->key() == Qt::Key_BracketLeft || event->key() == Qt::Key_BracketRight) {
        if (HasPhotoShown()) {
            StepPhotoOpacity(event->key() == Qt::Key_BracketLeft ? -1 : 1);
        }
        return true;
    }
    // Ctrl+0 here fits the preview; the timeline keeps the key for its own zoom.
    if (event->key() == Qt::Key_0 && (event->modifiers() & Qt::ControlModifier) != 0) {
        FitPreview();
        return true;
    }
    if (event->key() == Qt::Key_Delete) {
        return true;
    }
    if (event->key() != Qt::Key_Space) {
        return false;
    }
    if (GetDocument() != nullptr) {
        InsertNewShape(*GetDocument(), *Host(), GetSelection());
    }
    return true;
}

void PreviewWnd::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Shift || event->key() == Qt::Key_Alt ||
        event->key() == Qt::Key_Control) {
        UpdateCursor(mapFromGlobal(QCursor::pos()), event->modifiers());
    }
    Pane::keyReleaseEvent(event);
}

std::unique_ptr<wingui::DragState> PreviewWnd::OnVirtJoystick(std::uint32_t,
                                                              QPoint& virtualPosition) {
    if (!HasShapeSelected()) {
        return nullptr;
    }
    const std::uint64_t shape = GetSelection().shape;
    const std::vector<Point> base = GetDocument()->GetPosePoints(shape, 0);
    virtualPosition = ModelToClient(base.empty() ? Point{} : base.front());
    return std::make_unique<DraggingShape>(this, GetDocument(), virtualPosition, shape);
}

void PreviewWnd::mouseMoveEvent(QMouseEvent* event) {
    UpdateCursor(event->position().toPoint(), event->modifiers());
}

void PreviewWnd::UpdateCursor(QPoint position, Qt::KeyboardModifiers modifiers) {
    if (IsDragging()) {
        return;
    }
    const PreviewHit hit = HitTest(position);
    // Ctrl drags the photo, wherever the mouse is.
    const bool photo = (modifiers & Qt::ControlModifier) != 0 && HasPhotoShown();
    if ((modifiers & Qt::AltModifier) != 0) {
        setCursor(Qt::OpenHandCursor);
    } else if (hit.onPoint && !photo) {
        setCursor(Qt::CrossCursor);
    } else if (photo || (hit.insideShape && (modifiers & Qt::ShiftModifier) != 0)) {
        setCursor(Qt::SizeAllCursor);
    } else {
        unsetCursor();
    }
}

void PreviewWnd::focusInEvent(QFocusEvent* event) {
    Pane::focusInEvent(event);
    update();
}

void PreviewWnd::focusOutEvent(QFocusEvent* event) {
    Pane::focusOutEvent(event);
    update();
}

void PreviewWnd::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    graphics::Frame frame =
        surface_.CreateFrame(this, {0, 0, static_cast<std::int32_t>(width() * ratio),
                                    static_cast<std::int32_t>(height() * ratio)});
    frame.Clear(graphics::Color{0x000000});
    if (GetDocument() == nullptr) {
        return;
    }
    DrawPhoto(frame);
    std::vector<EvaluatedShape> shapes = GetDocument()->EvaluateFrame(frame_, live_.GetKnobs());
    for (EvaluatedShape& shape : shapes) {
        shape.outline = Shown(std::move(shape.outline));
    }
    DrawPumpkin(frame, shapes);
    if (shapes.empty()) {
        DrawEmptyHint(frame);
    }
    if (!IsActive()) {
        return;
    }
    const Selection selection = GetSelection();
    const bool comparing = selection.pose != selection.referencePose;
    DrawMarkers(frame, selection.pose, comparing ? EditedPoseColor : SinglePoseColor);
    if (comparing) {
        DrawMarkers(frame, selection.referencePose, ReferencePoseColor);
    }
}

void PreviewWnd::DrawMarkers(graphics::Frame& frame, std::uint64_t pose,
                             std::uint32_t color) const {
    const std::vector<graphics::PointF> points =
        ModelToTarget(frame, Shown(GetDocument()->GetPosePoints(GetSelection().shape, pose)));
    frame.SetFont(graphics::Font{"Webdings", 12});
    frame.SetTextColor(graphics::Color{color});
    const graphics::SizeF glyph = frame.MeasureText("\"");
    if (points.size() >= 2 && std::all_of(points.begin(), points.end(), graphics::IsDrawable)) {
        for (auto [pen, width] : {std::pair{0x000000u, 2.0f}, std::pair{color, 1.0f}}) {
            frame.SetPen(graphics::Color{pen}, width);
            frame.DrawPolyline(points);
            frame.DrawLine(points.back(), points.front());
        }
    }
    for (graphics::PointF p : points) {
        if (graphics::IsDrawable(p)) {
            frame.DrawText({p.x - glyph.width / 2, p.y - glyph.height / 2}, "\"");
        }
    }
}

// Behind the shapes, never in what DrawPumpkin draws, so that no export and
// no other window shows it.
void PreviewWnd::DrawPhoto(graphics::Frame& frame) {
    if (!HasPhotoShown()) {
        return;
    }
    const TracingPhoto& photo = GetDocument()->GetPhoto();
    const QImage& image = photo_.Image(photo);
    if (image.isNull()) {
        return;
    }
    const TracingPhoto::Placement& placement = photo.GetPlacement();
    const float halfHeight = placement.height / 2;
    const float halfWidth =
        halfHeight * static_cast<float>(image.width()) / static_cast<float>(image.height());
    const TargetMapping mapping(frame.GetViewport());
    const graphics::PointF topLeft = mapping.ToTarget(
        zoom_.ToShown({placement.centre.x - halfWidth, placement.centre.y + halfHeight}));
    const graphics::PointF bottomRight = mapping.ToTarget(
        zoom_.ToShown({placement.centre.x + halfWidth, placement.centre.y - halfHeight}));
    frame.DrawImage(image, {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y}, placement.opacity);
}

// A new document is black; the hint says where to begin.
void PreviewWnd::DrawEmptyHint(graphics::Frame& frame) const {
    static const std::string hint = "Click to place the first point of a shape.";
    constexpr std::uint32_t faint = 0x505050;
    frame.SetFont(surface_.GetDefaultFont());
    frame.SetTextColor(graphics::Color{faint});
    const graphics::SizeF size = frame.MeasureText(hint);
    frame.DrawText({(static_cast<float>(width()) - size.width) / 2,
                    (static_cast<float>(height()) - size.height) / 2},
                   hint);
}

} // namespace vel::lumo
