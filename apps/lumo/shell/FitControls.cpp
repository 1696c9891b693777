#include "apps/lumo/shell/FitControls.h"

#include "apps/lumo/document/FitEdits.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/PaneHost.h"
#include "apps/lumo/shell/DraggingFitHandle.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <optional>

namespace vel::lumo {
namespace {

bool IsModifierAlone(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr;
}

} // namespace

FitControls::FitControls(QWidget* window, LumoDocument* document, PaneHost* editor)
    : window_(window), document_(document), editor_(editor) {}

bool FitControls::OnKey(QKeyEvent& event) {
    if (drag_.Forward(event)) {
        return true;
    }
    if (layer_.IsAiming()) {
        if (IsModifierAlone(event.key())) {
            return false;
        }
        layer_.ShowAiming(nullptr);
        window_->update();
        return true;
    }
    if (OnEditorKey(event)) {
        return true;
    }
    if ((event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
        return false;
    }
    switch (event.key()) {
    case Qt::Key_F:
        layer_.ShowHandles(!layer_.AreHandlesShown());
        break;
    case Qt::Key_T:
        layer_.ShowAiming(std::make_unique<TestPattern>());
        break;
    case Qt::Key_W:
        layer_.ShowAiming(std::make_unique<WhiteScreen>());
        break;
    default:
        return layer_.AreHandlesShown() && OnHandleKey(event);
    }
    window_->update();
    return true;
}

// Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo, Ctrl+S saves, L and Q turn
// live voice on and off and learn the quiet, and R, while the handles are
// hidden, records a take, through the editor, which keeps the history and
// knows the file.
bool FitControls::OnEditorKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    std::optional<uint32_t> command;
    if (modifiers == Qt::ControlModifier) {
        switch (event.key()) {
        case Qt::Key_Z:
            command = IdUndo;
            break;
        case Qt::Key_Y:
            command = IdRedo;
            break;
        case Qt::Key_S:
            command = IdSave;
            break;
        default:
            break;
        }
    } else if (modifiers == (Qt::ControlModifier | Qt::ShiftModifier) && event.key() == Qt::Key_Z) {
        command = IdRedo;
    } else if (modifiers == Qt::NoModifier && event.key() == Qt::Key_L) {
        command = IdLiveVoice;
    } else if (modifiers == Qt::NoModifier && event.key() == Qt::Key_Q) {
        command = IdQuietNow;
    } else if (modifiers == Qt::NoModifier && event.key() == Qt::Key_R &&
               !layer_.AreHandlesShown()) {
        command = IdRecordTake;
    }
    if (!command) {
        return false;
    }
    editor_->OnCommand(*command);
    return true;
}

bool FitControls::OnHandleKey(const QKeyEvent& event) {
    const int pixels = (event.modifiers() & Qt::ShiftModifier) != 0 ? LargeStep : 1;
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        layer_.SelectNext(document_->GetFit(), event.key() == Qt::Key_Backtab);
        window_->update();
        return true;
    case Qt::Key_Left:
        Nudge({-1, 0}, pixels);
        return true;
    case Qt::Key_Right:
        Nudge({1, 0}, pixels);
        return true;
    case Qt::Key_Up:
        Nudge({0, -1}, pixels);
        return true;
    case Qt::Key_Down:
        Nudge({0, 1}, pixels);
        return true;
    case Qt::Key_G:
        SetFitGrid(*document_, !document_->GetFit().IsGridOn());
        return true;
    case Qt::Key_R:
        ResetFit(*document_);
        return true;
    default:
        return false;
    }
}

// Pixels of the screen, which are smaller than the window's own on a screen
// that scales.
void FitControls::Nudge(QPoint direction, int pixels) {
    const PumpkinFit& fit = document_->GetFit();
    const std::size_t handle = layer_.Selected(fit);
    const std::optional<FitPoint> at = fit.GetHandle(handle);
    if (!at) {
        return;
    }
    const double distance = pixels / window_->devicePixelRatioF();
    MoveFitHandle(*document_, handle, place_.Moved(*at, QPointF(direction) * distance));
}

bool FitControls::OnMouse(QMouseEvent& event) {
    if (event.type() == QEvent::MouseButtonPress && event.button() == Qt::LeftButton) {
        return OnLButtonDown(event);
    }
    return drag_.Forward(event);
}

bool FitControls::OnLButtonDown(const QMouseEvent& event) {
    if (!layer_.AreHandlesShown() || layer_.IsAiming()) {
        return false;
    }
    const std::optional<std::size_t> handle =
        FitHandleLayer::HandleAt(document_->GetFit(), place_, event.position());
    if (!handle) {
        return false;
    }
    layer_.Select(*handle);
    window_->update();
    drag_.SetState(std::make_unique<DraggingFitHandle>(window_, document_, place_, *handle,
                                                       event.position().toPoint()));
    return true;
}

void FitControls::Paint(QPainter& painter, const QRect& picture) {
    place_ = FitOnScreen(QRectF(picture));
    layer_.Draw(painter, window_->rect(), document_->GetFit(), place_);
}

} // namespace vel::lumo
