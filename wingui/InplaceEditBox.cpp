#include "wingui/InplaceEditBox.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace vel::wingui {

InplaceEditBox::InplaceEditBox(QWidget* parent) : QLineEdit(parent) {
    hide();
}

void InplaceEditBox::Begin(const QRect& rect, const QString& text) {
    commit_ = true;
    setGeometry(rect);
    setText(text);
    selectAll();
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
}

void InplaceEditBox::End(bool commit) {
    commit_ = commit;
    if (parentWidget()) {
        parentWidget()->setFocus(Qt::OtherFocusReason);
    }
}

// Tab must be caught before the widget moves the focus to the next child.
bool InplaceEditBox::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            End(true);
            return true;
        case Qt::Key_Escape:
            End(false);
            return true;
        default:
            break;
        }
    }
    return QLineEdit::event(event);
}

void InplaceEditBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // The edit's own context menu takes the focus only for a moment.
    if (event->reason() != Qt::PopupFocusReason && onEnded_) {
        onEnded_();
    }
}

} // namespace vel::wingui
