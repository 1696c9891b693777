#include "wingui/ButtonBar.h"

#include "wingui/ButtonDragging.h"
#include "wingui/ToolTip.h"

#include <QApplication>
#include <QCursor>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <climits>

namespace vel::wingui {

ButtonBar::ButtonBar(QWidget* parent, ButtonBarTarget* target) : QWidget(parent), target_(target) {
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::ClickFocus);
    setCursor(Qt::ArrowCursor);
}

ButtonBar::~ButtonBar() = default;

void ButtonBar::Create() {
    if (created_) {
        return;
    }
    created_ = true;
    fonts_.push_back(QApplication::font());
    CreateButtons();
    Layout();
}

std::uint32_t ButtonBar::AddFont(const QFont& font) {
    fonts_.push_back(font);
    return static_cast<std::uint32_t>(fonts_.size() - 1);
}

const QFont& ButtonBar::Font(std::uint32_t index) const {
    return index < fonts_.size() ? fonts_[index] : fonts_.front();
}

void ButtonBar::AddButton(std::uint32_t commandId, const QString& label, ButtonKind kind,
                          std::uint32_t fontIndex) {
    Button button;
    button.commandId = commandId;
    button.fontIndex = fontIndex;
    button.label = label;
    button.kind = kind;
    buttons_.push_back(std::move(button));
}

void ButtonBar::SetLabel(std::size_t index, const QString& label) {
    buttons_.at(index).label = label;
    Layout();
    update();
}

void ButtonBar::Layout() {
    const QRect client = rect();
    const QFontMetrics system(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    const int m = system.horizontalAdvance(QLatin1Char('M'));
    const int unit = std::max({client.height(), system.height(), 1});
    const int limit = INT_MAX - INT_MAX % unit;
    int x = client.left();
    for (Button& button : buttons_) {
        const QFontMetrics metrics(Font(button.fontIndex));
        long long w = static_cast<long long>(metrics.horizontalAdvance(button.label)) + m;
        w = w < limit ? (w + unit - 1) / unit * unit : limit;
        button.rect = QRect(x, client.top(), static_cast<int>(w), client.height());
        x = static_cast<int>(std::min<long long>(static_cast<long long>(x) + w, INT_MAX));
    }
}

void ButtonBar::DrawButton(QPainter& painter, const Button& button) {
    QStyleOptionButton option;
    option.initFrom(this);
    // The bar takes the focus on a click; its buttons show no focus frame.
    option.state &= ~QStyle::State_HasFocus;
    option.rect = button.rect;
    option.state |= button.pressed ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);

    QRect text = button.rect;
    if (button.pressed) {
        text.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    painter.setFont(Font(button.fontIndex));
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(text, Qt::AlignCenter | Qt::TextSingleLine, button.label);
}

void ButtonBar::CancelMode() {
    drag_.CancelMode();
}

RepeatTiming ButtonBar::Repeat() const {
    return repeat_ ? *repeat_ : RepeatTiming::FromSystem();
}

QPoint ButtonBar::CursorPos() const {
    return mapFromGlobal(QCursor::pos());
}

void ButtonBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (const Button& button : buttons_) {
        painter.save();
        DrawButton(painter, button);
        painter.restore();
    }
}

void ButtonBar::resizeEvent(QResizeEvent*) {
    Layout();
}

void ButtonBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint p = event->position().toPoint();
    for (Button& button : buttons_) {
        if (!button.rect.contains(p)) {
            continue;
        }
        switch (button.kind) {
        case ButtonKind::Push:
            drag_.SetState(std::make_unique<DraggingPushButton>(*this, button));
            break;
        case ButtonKind::Autorepeat:
            drag_.SetState(std::make_unique<DraggingAutorepeat>(*this, button));
            break;
        case ButtonKind::Joystick:
            drag_.SetState(std::make_unique<DraggingJoystick>(*this, button));
            break;
        case ButtonKind::Inert:
            break;
        }
        return;
    }
}

void ButtonBar::SetTip(std::size_t index, const QString& tip) {
    buttons_.at(index).tip = tip;
}

bool ButtonBar::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const auto found = std::find_if(buttons_.begin(), buttons_.end(), [help](const Button& b) {
            return b.rect.contains(help->pos());
        });
        if (found == buttons_.end()) {
            ShowToolTip(help, this, {});
        } else {
            ShowToolTip(help, this, found->tip, found->rect);
        }
        return true;
    }
    return drag_.Forward(*event) || QWidget::event(event);
}

} // namespace vel::wingui
