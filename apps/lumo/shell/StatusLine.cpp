#include "apps/lumo/shell/StatusLine.h"

#include "apps/lumo/model/TimecodeMeaning.h"
#include "apps/lumo/panes/Pane.h"
#include "apps/lumo/panes/TimelinePainter.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTimer>

namespace vel::lumo {

namespace {

// The modifiers as they are once the key event has happened: platforms
// differ in whether a modifier key's own event counts it.
Qt::KeyboardModifiers ModifiersAfter(const QKeyEvent& event) {
    Qt::KeyboardModifiers modifiers = event.modifiers();
    const Qt::KeyboardModifier own = event.key() == Qt::Key_Shift     ? Qt::ShiftModifier
                                     : event.key() == Qt::Key_Alt     ? Qt::AltModifier
                                     : event.key() == Qt::Key_Control ? Qt::ControlModifier
                                                                      : Qt::NoModifier;
    if (own != Qt::NoModifier) {
        modifiers.setFlag(own, event.type() == QEvent::KeyPress);
    }
    return modifiers;
}

} // namespace

StatusLine::StatusLine(QStatusBar* bar)
    : QObject(bar), hint_(new QLabel(bar)), value_(new QLabel(bar)), frame_(new QLabel(bar)) {
    hint_->setObjectName(QStringLiteral("hint"));
    value_->setObjectName(QStringLiteral("value"));
    frame_->setObjectName(QStringLiteral("frame"));
    frame_->setToolTip(QStringLiteral("The frame cursor's frame number and time. ") +
                       QString::fromUtf8(TimecodeMeaning));
    // A long hint is cut rather than widening the window.
    hint_->setMinimumWidth(1);
    bar->addWidget(hint_, 1);
    bar->addPermanentWidget(value_);
    bar->addPermanentWidget(frame_);
}

void StatusLine::Watch(Pane* pane) {
    pane->installEventFilter(this);
}

void StatusLine::ShowFrame(std::uint32_t frame) {
    frame_->setText(QStringLiteral("Frame %1 \u00B7 %2")
                        .arg(frame)
                        .arg(QString::fromStdString(TimelineLabel(frame))));
}

QString StatusLine::HintText() const {
    return hint_->text();
}

QString StatusLine::ValueText() const {
    return value_->text();
}

QString StatusLine::FrameText() const {
    return frame_->text();
}

bool StatusLine::eventFilter(QObject* watched, QEvent* event) {
    // A pane being destroyed is only a widget by the time its last events
    // (focus out, leave) arrive: it has no hint left to give.
    auto* pane = dynamic_cast<Pane*>(watched);
    if (pane == nullptr) {
        if (pane_ == watched) {
            pane_ = nullptr;
        }
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto* move = static_cast<QMouseEvent*>(event);
        pane_ = pane;
        position_ = move->position().toPoint();
        Show(pane->Hint(position_, move->modifiers()));
        break;
    }
    case QEvent::Enter:
        pane_ = pane;
        position_ = static_cast<QEnterEvent*>(event)->position().toPoint();
        RefreshLater(QGuiApplication::keyboardModifiers());
        break;
    case QEvent::Leave:
        if (pane_ == pane) {
            pane_ = nullptr;
            Show({});
        }
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        RefreshLater(ModifiersAfter(*static_cast<QKeyEvent*>(event)));
        break;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
        RefreshLater(QGuiApplication::keyboardModifiers());
        break;
    default:
        break;
    }
    return false;
}

void StatusLine::RefreshLater(Qt::KeyboardModifiers modifiers) {
    modifiers_ = modifiers;
    if (!refreshPending_) {
        refreshPending_ = true;
        QTimer::singleShot(0, this, [this] { Refresh(); });
    }
}

void StatusLine::Refresh() {
    refreshPending_ = false;
    if (const auto* pane = dynamic_cast<const Pane*>(pane_.data())) {
        Show(pane->Hint(position_, modifiers_));
    }
}

void StatusLine::Show(const PaneHint& hint) {
    hint_->setText(QString::fromStdString(hint.text));
    value_->setText(QString::fromStdString(hint.value));
}

} // namespace vel::lumo
