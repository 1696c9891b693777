#include "apps/lumo/panes/ShapeWnd.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/PoseEdits.h"
#include "apps/lumo/document/ShapeEdits.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/KnobMenu.h"
#include "apps/lumo/panes/PaneHost.h"
#include "apps/lumo/panes/PopupMenu.h"
#include "apps/lumo/panes/PoseColors.h"
#include "wingui/InplaceEditBox.h"
#include "wingui/ToolTip.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QImage>
#include <QInputDevice>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

namespace vel::lumo {

namespace {

// The system's border width, in DIPs.
constexpr float Border = 1.0f;
constexpr std::uint32_t Background = 0x333300;
constexpr std::uint32_t TextGrey = 0xCCCCCC;
constexpr std::uint32_t BulletGrey = 0x666666;
constexpr std::uint32_t White = 0xFFFFFF;
const char* const Bullet = "\"";

bool HasTouchScreen() {
    const QList<const QInputDevice*> devices = QInputDevice::devices();
    return std::any_of(devices.begin(), devices.end(), [](const QInputDevice* device) {
        return device->type() == QInputDevice::DeviceType::TouchScreen;
    });
}

// The line under y, counted from the column's top; none above it.
std::optional<std::uint64_t> LineAt(float y, float lineHeight) {
    const double line = std::trunc((y - Border) / lineHeight);
    if (!(line >= 0.0) || line >= 1.8e19) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(line);
}

} // namespace

ShapeWnd::ShapeWnd(QWidget* parent, PaneHost* host)
    : Pane(parent, host, QStringLiteral("Shapes and Poses"), FocusClick::Used),
      ViewWithSelection(host), surface_(graphics_.CreateSurface()),
      textFont_(surface_.GetDefaultFont()), glyphFont_(textFont_),
      editBox_(new wingui::InplaceEditBox(this)) {
    glyphFont_.face = "Webdings";
    // Text is measured on a scratch picture wide enough not to wrap it.
    QImage scratch(1024, 64, QImage::Format_RGB32);
    {
        graphics::Frame frame = surface_.CreateFrame(&scratch, {0, 0, 1024, 64});
        frame.SetFont(glyphFont_);
        glyph_ = frame.MeasureText(Bullet);
        frame.SetFont(textFont_);
        text_ = frame.MeasureText("M");
    }
    lineHeight_ = (HasTouchScreen() ? 2.0f : 1.2f) * std::max(glyph_.height, text_.height);
    glyphOffset_ = (text_.height - glyph_.height) / 2;
    editBox_->SetEndedHandler([this] { EndRename(); });
}

void ShapeWnd::OnDocumentChange(Document*, uint32_t changes) {
    if ((changes & ChangeBits::Model) != 0) {
        update();
    }
}

std::uint64_t ShapeWnd::ShapeCount() const {
    return GetDocument() != nullptr ? GetDocument()->GetModel().GetShapeCount() : 0;
}

bool ShapeWnd::HasShapeSelected() const {
    return GetSelection().shape < ShapeCount();
}

float ShapeWnd::PosesLeft() const {
    return 0.6f * static_cast<float>(width()) + Border;
}

float ShapeWnd::LineTop(std::uint64_t line) const {
    return Border + static_cast<float>(line) * lineHeight_;
}

QPoint ShapeWnd::ShapeLine(std::uint64_t shape) const {
    return {qRound(Border + 1.2f * glyph_.width + 2), qRound(LineTop(shape) + lineHeight_ / 2)};
}

QPoint ShapeWnd::PoseLine(std::uint64_t pose, int column) const {
    const float x = PosesLeft() + (column == 1   ? 0.5f * glyph_.width
                                   : column == 2 ? 1.5f * glyph_.width
                                                 : 2.2f * glyph_.width + 2);
    return {qRound(x), qRound(LineTop(pose) + lineHeight_ / 2)};
}

ShapeHit ShapeWnd::HitTest(QPoint position) const {
    ShapeHit hit;
    if (GetDocument() == nullptr) {
        return hit;
    }
    const float x = static_cast<float>(position.x());
    const float y = static_cast<float>(position.y());
    const float w = static_cast<float>(width());
    const float h = static_cast<float>(height());
    if (y < Border || y > h) {
        return hit;
    }
    const std::optional<std::uint64_t> line = LineAt(y, lineHeight_);
    if (!line) {
        return hit;
    }
    if (x >= Border && x <= 0.4f * w + Border) {
        hit.onShape = *line < ShapeCount();
        hit.shape = *line;
        hit.onNewShape = *line == ShapeCount();
    } else if (HasShapeSelected() && x >= PosesLeft() && x <= w) {
        const std::uint64_t poses = GetDocument()->GetModel().GetPoseCount(GetSelection().shape);
        hit.pose = *line;
        hit.onPose = *line < poses;
        hit.onNewPose = *line == poses;
        hit.inColumn1 = hit.onPose && x - PosesLeft() < glyph_.width;
        hit.inColumn2 = hit.onPose && !hit.inColumn1 && x - PosesLeft() < 2 * glyph_.width;
    }
    return hit;
}

ShapesPlace ShapeWnd::PlaceAt(QPoint position) const {
    using Region = ShapesPlace::Region;
    const ShapeHit hit = HitTest(position);
    ShapesPlace place;
    if (hit.onShape) {
        place.region = Region::Shape;
        place.name = GetDocument()->GetShapeName(hit.shape);
        place.selected = hit.shape == GetSelection().shape;
    } else if (hit.onNewShape) {
        place.region = Region::NewShape;
    } else if (hit.onPose) {
        place.region = hit.inColumn1   ? Region::EditedMark
                       : hit.inColumn2 ? Region::ReferenceMark
                                       : Region::Pose;
        place.name = GetDocument()->GetModel().GetPoseName(GetSelection().shape, hit.pose);
    } else if (hit.onNewPose) {
        place.region = Region::NewPose;
    }
    return place;
}

PaneHint ShapeWnd::HintAt(QPoint position, HintKeys) const {
    return {ShapesHint(PlaceAt(position)), {}};
}

bool ShapeWnd::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return Pane::event(event);
    }
    auto* help = static_cast<QHelpEvent*>(event);
    wingui::ShowToolTip(help, this, QString::fromStdString(ShapesTip(PlaceAt(help->pos()).region)));
    return true;
}

bool ShapeWnd::SelectLine(const ShapeHit& hit) {
    const Selection current = GetSelection();
    if (hit.onShape) {
        SelectShape(hit.shape);
    } else if (hit.onPose && hit.inColumn1) {
        SetSelection({current.shape, hit.pose, current.referencePose});
    } else if (hit.onPose && hit.inColumn2) {
        SetSelection({current.shape, current.pose, hit.pose});
    } else if (hit.onPose) {
        SetSelection({current.shape, hit.pose, hit.pose});
    } else {
        return false;
    }
    return true;
}

void ShapeWnd::OnLButtonDown(QMouseEvent* event) {
    if (GetDocument() == nullptr) {
        return;
    }
    const ShapeHit hit = HitTest(event->position().toPoint());
    if (hit.onNewShape) {
        InsertNewShape(*GetDocument(), *Host(), GetSelection());
    } else if (hit.onNewPose) {
        ChooseNewPose();
    } else if (!SelectLine(hit)) {
        SelectShape(ShapeCount());
    }
}

void ShapeWnd::OnRButtonDown(QMouseEvent* event) {
    if (GetDocument() != nullptr && !SelectLine(HitTest(event->position().toPoint()))) {
        SelectShape(ShapeCount());
    }
}

void ShapeWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    Pane::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && HitTest(event->position().toPoint()).onShape) {
        OnCommand(IdRenameShape);
    }
}

void ShapeWnd::contextMenuEvent(QContextMenuEvent* event) {
    if (GetDocument() == nullptr) {
        return;
    }
    const ShapeHit hit = HitTest(event->pos());
    QMenu menu(this);
    Target offered{hit.shape, 0};
    if (hit.onShape) {
        AddMenuItem(menu, QStringLiteral("Delete Shape"), IdDeleteShape);
        AddMenuItem(menu, QStringLiteral("Rename Shape"), IdRenameShape);
    } else if (hit.onPose && hit.pose > 0) {
        offered = {GetSelection().shape, hit.pose};
        KnobMenu(*GetDocument())
            .Fill(*menu.addMenu(QStringLiteral("Knob")), IdKnobFirst, IdKnobLast);
        AddMenuItem(menu, QStringLiteral("Delete Pose"), IdDeletePose);
    }
    // The items act on the line they were offered for: a click on a reference
    // mark leaves another pose edited.
    if (const std::uint32_t id = TrackPopupMenu(menu, event->globalPos())) {
        Run(id, offered);
    }
}

void ShapeWnd::OnCommand(std::uint32_t id) {
    const Selection selection = GetSelection();
    Run(id, {selection.shape, selection.pose});
}

void ShapeWnd::Run(std::uint32_t id, Target target) {
    if (GetDocument() == nullptr || target.shape >= ShapeCount()) {
        return;
    }
    if (id >= IdKnobFirst && id <= IdKnobLast) {
        ChooseKnob(target, id - IdKnobFirst);
    } else if (id == IdRenameShape) {
        BeginRename(target.shape);
    } else if (id == IdDeleteShape) {
        DeleteShape(*GetDocument(), *Host(), GetSelection(), target.shape);
    } else if (id == IdDeletePose) {
        DeleteKnobPose(*GetDocument(), *Host(), GetSelection(), target.shape, target.pose);
    }
}

bool ShapeWnd::IsKnobPose(Target target) const {
    return lumo::IsKnobPose(*GetDocument(), target.shape, target.pose);
}

// The knob of the pose, with the knob it needs, in one step.
void ShapeWnd::ChooseKnob(Target target, std::uint32_t offset) {
    if (!IsKnobPose(target)) {
        return;
    }
    LumoDocument& document = *GetDocument();
    if (const std::optional<KnobMenu::Choice> choice = KnobMenu(document).Resolve(offset, this)) {
        SetPoseKnob(document, target.shape, target.pose, choice->key, choice->added);
    }
}

void ShapeWnd::ChooseNewPose() {
    LumoDocument& document = *GetDocument();
    const Selection selection = GetSelection();
    const KnobMenu knobs(document);
    QMenu menu(this);
    knobs.Fill(menu, IdKnobFirst, IdKnobLast);
    const QSize size = menu.sizeHint();
    const QPoint anchor(qRound(PosesLeft() + 2.2f * glyph_.width),
                        qRound(LineTop(document.GetModel().GetPoseCount(selection.shape))));
    const std::uint32_t id =
        TrackPopupMenu(menu, mapToGlobal(anchor) - QPoint(size.width(), size.height() / 2));
    if (id < IdKnobFirst || id > IdKnobLast) {
        return;
    }
    if (const std::optional<KnobMenu::Choice> choice = knobs.Resolve(id - IdKnobFirst, this)) {
        AddPose(document, *Host(), selection, choice->key, choice->added);
    }
}

void ShapeWnd::BeginRename(std::uint64_t shape) {
    renaming_ = shape;
    const float left = Border + 1.2f * glyph_.width;
    const float right = 0.4f * static_cast<float>(width()) + Border;
    const QRect box(qRound(left), qRound(LineTop(renaming_)), qRound(right - left),
                    qRound(lineHeight_));
    editBox_->Begin(box, QString::fromStdString(GetDocument()->GetShapeName(renaming_)));
}

void ShapeWnd::EndRename() {
    editBox_->hide();
    LumoDocument* document = GetDocument();
    if (!editBox_->IsCommitted() || document == nullptr) {
        return;
    }
    const std::string name = editBox_->text().toStdString();
    if (!name.empty() && renaming_ < ShapeCount() && name != document->GetShapeName(renaming_)) {
        RenameShape(*document, renaming_, name);
    }
}

void ShapeWnd::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    graphics::Frame frame =
        surface_.CreateFrame(this, {0, 0, static_cast<std::int32_t>(width() * ratio),
                                    static_cast<std::int32_t>(height() * ratio)});
    frame.Clear(graphics::Color{Background});
    if (GetDocument() == nullptr) {
        return;
    }
    DrawColumns(frame);
    if (HasShapeSelected()) {
        DrawPoses(frame);
    }
}

void ShapeWnd::DrawColumns(graphics::Frame& frame) const {
    const LumoDocument& document = *GetDocument();
    const std::uint64_t count = ShapeCount();
    const float nameLeft = Border + 1.2f * glyph_.width;
    const float bottom = static_cast<float>(height());
    const std::uint64_t selected = GetSelection().shape;
    for (std::uint64_t i = 0; i <= count && LineTop(i) < bottom; ++i) {
        const bool highlighted = i == selected;
        frame.SetFont(textFont_);
        frame.SetTextColor(graphics::Color{highlighted ? White : TextGrey});
        frame.DrawText({nameLeft, LineTop(i)}, i < count ? document.GetShapeName(i) : "New Shape");
        if (i == count) {
            break;
        }
        frame.SetFont(glyphFont_);
        frame.SetTextColor(graphics::Color{highlighted ? White : BulletGrey});
        frame.DrawText({Border, LineTop(i) + glyphOffset_}, Bullet);
    }
}

void ShapeWnd::DrawPoses(graphics::Frame& frame) const {
    const Model& model = GetDocument()->GetModel();
    const Selection selection = GetSelection();
    const std::uint64_t poses = model.GetPoseCount(selection.shape);
    const bool single = selection.pose == selection.referencePose;
    const float left = PosesLeft();
    const float bottom = static_cast<float>(height());
    for (std::uint64_t j = 0; j <= poses && LineTop(j) < bottom; ++j) {
        const bool named = j == selection.pose || j == selection.referencePose;
        frame.SetFont(textFont_);
        frame.SetTextColor(graphics::Color{named ? White : TextGrey});
        frame.DrawText({left + 2.2f * glyph_.width, LineTop(j)},
                       j < poses ? model.GetPoseName(selection.shape, j) : "New Pose...");
        if (j == poses) {
            break;
        }
        frame.SetFont(glyphFont_);
        const std::uint32_t edited = single ? White : EditedPoseColor;
        const std::uint32_t reference = single ? White : ReferencePoseColor;
        frame.SetTextColor(graphics::Color{j == selection.pose ? edited : BulletGrey});
        frame.DrawText({left, LineTop(j) + glyphOffset_}, Bullet);
        frame.SetTextColor(graphics::Color{j == selection.referencePose ? reference : BulletGrey});
        frame.DrawText({left + glyph_.width, LineTop(j) + glyphOffset_}, Bullet);
    }

    // The connector from the selected shape's name to the bar beside its poses.
    frame.SetFont(textFont_);
    const float nameRight = Border + 1.2f * glyph_.width +
                            frame.MeasureText(GetDocument()->GetShapeName(selection.shape)).width;
    const float barX = left - glyph_.width;
    const float barTop = LineTop(0);
    const float barBottom = LineTop(poses) + text_.height;
    frame.SetPen(graphics::Color{White}, 1.0f);
    frame.DrawLine(
        graphics::PointF{nameRight + glyph_.width, LineTop(selection.shape) + text_.height / 2},
        graphics::PointF{barX, (barTop + barBottom) / 2});
    frame.DrawLine(graphics::PointF{barX, barTop}, graphics::PointF{barX, barBottom});
}

} // namespace vel::lumo
