#include "wingui/MainWindowImpl.h"

#include "wingui/WindowPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QScreen>

namespace vel::wingui {

namespace {
const QString kPlacement = QStringLiteral("WindowPlacement");
const QString kSnap = QStringLiteral("WindowSnap");
} // namespace

MainWindowBase::MainWindowBase(SettingsKey settings, QWidget* parent)
    : QMainWindow(parent), settings_(std::move(settings)) {
    setBackgroundRole(QPalette::Dark);
    setAutoFillBackground(true);
}

MainWindowBase::~MainWindowBase() {
    if (!closed_) {
        OnClosed();
    }
}

// The derived window's close handler runs first and may refuse; once the close
// is accepted the placement is saved and the program asked to quit.
bool MainWindowBase::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::Close && event->isAccepted() && !closed_) {
        OnClosed();
    }
    return handled;
}

void MainWindowBase::OnClosed() {
    closed_ = true;
    SavePlacement();
    SaveSnap();
    if (QCoreApplication* app = QCoreApplication::instance()) {
        QCoreApplication::postEvent(app, new QEvent(QEvent::Quit));
    }
}

bool MainWindowBase::SavePlacement() {
    return settings_.WriteBinary(kPlacement, WindowPlacement::Of(*this).Encode());
}

bool MainWindowBase::RestorePlacement() {
    const std::optional<QByteArray> bytes = settings_.ReadBinary(kPlacement);
    if (!bytes) {
        return false;
    }
    const std::optional<WindowPlacement> placement = WindowPlacement::Decode(*bytes);
    return placement && placement->ApplyTo(*this);
}

bool MainWindowBase::SaveSnap() {
    SnapState state = kNotSnapped;
    const QRect frame = frameGeometry();
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        if (const QScreen* screen = ScreenOf(frame)) {
            state = SnapStateOf(frame, screen->availableGeometry());
        }
    }
    return settings_.WriteDword(kSnap, state);
}

bool MainWindowBase::RestoreSnap() {
    const std::optional<std::uint32_t> saved = settings_.ReadDwordValue(kSnap);
    if (!saved || *saved > kFullHeight) {
        return false;
    }
    const auto state = static_cast<SnapState>(*saved);
    const QRect frame = frameGeometry();
    const QScreen* screen = ScreenOf(frame);
    if (state == kNotSnapped || !screen) {
        return true;
    }
    // The snapped rectangle is the outer one; the window's own geometry lies
    // inside its frame.
    const QRect target = SnappedRect(state, frame, screen->availableGeometry());
    const QRect inner = geometry();
    setGeometry(target.adjusted(inner.left() - frame.left(), inner.top() - frame.top(),
                                inner.right() - frame.right(), inner.bottom() - frame.bottom()));
    return true;
}

// One picture serves every size the desktop asks for.
void MainWindowBase::SetIcons() {
    if (icon_.isNull()) {
        icon_ = QIcon(QStringLiteral(":/wingui/pumpkin.png"));
    }
    setWindowIcon(icon_);
}

void MainWindowBase::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (!isActiveWindow()) {
            QWidget* focus = QApplication::focusWidget();
            if (focus && focus != this && isAncestorOf(focus)) {
                focusWindow_ = focus;
            }
        } else {
            RestoreFocus();
        }
    }
    QMainWindow::changeEvent(event);
}

void MainWindowBase::focusInEvent(QFocusEvent* event) {
    QMainWindow::focusInEvent(event);
    RestoreFocus();
}

void MainWindowBase::RestoreFocus() {
    if (focusWindow_ && focusWindow_->isVisible() && isAncestorOf(focusWindow_)) {
        focusWindow_->setFocus(Qt::ActiveWindowFocusReason);
    }
}

} // namespace vel::wingui
