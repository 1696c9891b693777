#include "wingui/DialogFit.h"

#include <QLayout>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

namespace vel::wingui {

namespace {

bool Detach(QLayout& layout, QWidget& widget) {
    if (layout.indexOf(&widget) >= 0) {
        layout.removeWidget(&widget);
        return true;
    }
    for (int i = 0; i < layout.count(); ++i) {
        QLayout* inner = layout.itemAt(i)->layout();
        if (inner && Detach(*inner, widget)) {
            return true;
        }
    }
    return false;
}

// Hands the dialog's own children to the page where they stand, and sizes
// the page to hold them all.
void MovePlacedChildren(QWidget& dialog, QWidget& buttons, QWidget& page) {
    QRect used;
    for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child == &buttons || child->isWindow()) {
            continue;
        }
        const bool hidden = child->isHidden();
        const QRect place = child->geometry();
        child->setParent(&page);
        child->setGeometry(place);
        child->setHidden(hidden);
        used |= place;
    }
    page.setFixedSize(used.right() + 1, used.bottom() + 1);
}

} // namespace

void ScrollFieldsAboveButtons(QWidget& dialog, QWidget& buttons) {
    auto* page = new QWidget;
    if (QLayout* fields = dialog.layout()) {
        Detach(*fields, buttons);
        // Takes the layout along with the widgets it manages.
        page->setLayout(fields);
    } else {
        MovePlacedChildren(dialog, buttons, *page);
    }
    dialog.setMinimumSize(0, 0);
    dialog.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);

    auto* scroll = new QScrollArea(&dialog);
    scroll->setFrameShape(QFrame::NoFrame);
    // Tab passes through to the fields; the area follows the focus.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setWidget(page);

    const QStyle* style = dialog.style();
    auto* outer = new QVBoxLayout(&dialog);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll, 1);
    auto* row = new QVBoxLayout;
    row->setContentsMargins(style->pixelMetric(QStyle::PM_LayoutLeftMargin),
                            style->pixelMetric(QStyle::PM_LayoutTopMargin) / 2,
                            style->pixelMetric(QStyle::PM_LayoutRightMargin),
                            style->pixelMetric(QStyle::PM_LayoutBottomMargin));
    row->addWidget(&buttons);
    outer->addLayout(row);
    buttons.show();
}

QRect KeptInside(const QRect& rect, const QRect& area) {
    const int left = std::max(area.left(), std::min(rect.left(), area.right() + 1 - rect.width()));
    const int top = std::max(area.top(), std::min(rect.top(), area.bottom() + 1 - rect.height()));
    return QRect(QPoint(left, top), rect.size());
}

} // namespace vel::wingui
