#include "wingui/OptionsDlg.h"

#include "wingui/ControlText.h"
#include "wingui/DialogFit.h"
#include "wingui/UpDownEdit.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace vel::wingui {

OptionsDlgBase::OptionsDlgBase(QWidget* owner)
    : QDialog(owner),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    connect(buttons_, &QDialogButtonBox::accepted, this, &OptionsDlgBase::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &OptionsDlgBase::reject);
    OkButton()->setDefault(true);
}

OptionsDlgBase::~OptionsDlgBase() = default;

QPushButton* OptionsDlgBase::OkButton() const {
    return buttons_->button(QDialogButtonBox::Ok);
}

QPushButton* OptionsDlgBase::CancelButton() const {
    return buttons_->button(QDialogButtonBox::Cancel);
}

QWidget* OptionsDlgBase::Control(std::uint32_t controlId) const {
    switch (controlId) {
    case kOk:
        return OkButton();
    case kCancel:
        return CancelButton();
    default: {
        const auto found = controls_.find(controlId);
        return found == controls_.end() ? nullptr : found->second;
    }
    }
}

QIcon OptionsDlgBase::Icon(StatusIcon icon) const {
    return icons_[static_cast<int>(icon)];
}

void OptionsDlgBase::SetToolTips(
    std::initializer_list<std::pair<std::uint32_t, const char*>> tips) {
    for (const auto& [controlId, tip] : tips) {
        Control(controlId)->setToolTip(QString::fromUtf8(tip));
    }
}

void OptionsDlgBase::AddControl(std::uint32_t controlId, QWidget* control) {
    controls_[controlId] = control;
    if (auto* box = qobject_cast<QAbstractButton*>(control)) {
        connect(box, &QAbstractButton::clicked, this,
                [this, controlId] { OnControlChanged(controlId); });
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        connect(combo, &QComboBox::activated, this,
                [this, controlId] { OnControlChanged(controlId); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        connect(edit, &QLineEdit::textChanged, this,
                [this, controlId] { OnControlChanged(controlId); });
        editIds_[edit] = controlId;
        edit->installEventFilter(this);
    } else if (auto* upDown = dynamic_cast<UpDownEdit*>(control)) {
        connect(upDown->Edit(), &QLineEdit::textChanged, this,
                [this, controlId] { OnControlChanged(controlId); });
        upDown->SetStepHandler([this, controlId](int delta) { OnStep(controlId, delta); });
        editIds_[upDown] = controlId;
        upDown->installEventFilter(this);
    }
}

void OptionsDlgBase::Bind(std::uint32_t controlId, FieldBase& field) {
    bindings_[controlId] = &field;
}

FieldBase* OptionsDlgBase::BoundField(std::uint32_t controlId) const {
    const auto found = bindings_.find(controlId);
    return found == bindings_.end() ? nullptr : found->second;
}

bool OptionsDlgBase::IsFieldValid(std::uint32_t controlId) const {
    const FieldBase* field = BoundField(controlId);
    return field && field->IsValid();
}

bool OptionsDlgBase::AllFieldsValid() const {
    for (const auto& [id, field] : bindings_) {
        if (!IsFieldValid(id)) {
            return false;
        }
    }
    return true;
}

void OptionsDlgBase::setVisible(bool visible) {
    if (visible && !open_) {
        Open();
    }
    QDialog::setVisible(visible);
}

void OptionsDlgBase::Open() {
    open_ = true;
    icons_ = {style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this),
              style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this),
              style()->standardIcon(QStyle::SP_MessageBoxCritical, nullptr, this)};
    BindFields();
    for (const auto& [id, field] : bindings_) {
        if (QWidget* control = Control(id)) {
            ShowControlText(control, field->ToText());
        }
    }
    const QList<QWidget*> fields = FocusableFields();
    FitAndCentre();
    OrderFocus(fields);
    Refresh();
}

// The controls that Tab visits, in the order it visits them, but for the
// buttons. A control made of several widgets (an edit with arrows) counts once.
QList<QWidget*> OptionsDlgBase::FocusableFields() const {
    QList<QWidget*> fields;
    const auto inside = [&fields](const QWidget* w) {
        return std::any_of(fields.begin(), fields.end(),
                           [w](const QWidget* field) { return field->isAncestorOf(w); });
    };
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(this) &&
            w != buttons_ && !buttons_->isAncestorOf(w) && !inside(w)) {
            fields.append(w);
        }
    }
    return fields;
}

// Tab leads through the fields to the buttons, and the dialog opens with its
// first field focused and its text selected, so that what the user types at
// once replaces it.
void OptionsDlgBase::OrderFocus(const QList<QWidget*>& fields) {
    QList<QWidget*> order = fields;
    for (int i = 0; i < buttons_->layout()->count(); ++i) {
        if (auto* button =
                qobject_cast<QAbstractButton*>(buttons_->layout()->itemAt(i)->widget())) {
            order.append(button);
        }
    }
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    if (fields.isEmpty()) {
        return;
    }
    QWidget* first = fields.front();
    first->setFocus(Qt::TabFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(first)) {
        edit->selectAll();
    } else if (auto* upDown = qobject_cast<QAbstractSpinBox*>(first)) {
        upDown->selectAll();
    }
}

// The dialog opens centred over its owner and wholly inside the free area of
// the owner's screen.
void OptionsDlgBase::FitAndCentre() {
    if (!testAttribute(Qt::WA_Resized)) {
        adjustSize();
    }
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    // The dialog is not shown yet and so has no frame; it will get one like
    // its owner's.
    const QSize frame =
        owner ? owner->frameGeometry().size() - owner->geometry().size() : QSize(0, 0);
    const QRect area = (owner ? owner->screen() : screen())->availableGeometry();
    FitInto(area.size() - frame);
    if (!owner) {
        return;
    }
    const QRect outer = owner->frameGeometry();
    const QSize size = geometry().size() + frame;
    const QRect centred(outer.left() + (outer.width() - size.width()) / 2,
                        outer.top() + (outer.height() - size.height()) / 2, size.width(),
                        size.height());
    move(KeptInside(centred, area).topLeft());
}

// A dialog larger than the room (a small screen, a large scale factor) gets
// narrower or shorter where its fields allow, and scrolls its fields above its
// buttons where they do not.
void OptionsDlgBase::FitInto(const QSize& room) {
    const auto fits = [&room](const QSize& size) {
        return size.width() <= room.width() && size.height() <= room.height();
    };
    if (fits(size())) {
        return;
    }
    QSize fitted = size().boundedTo(room);
    if (layout() && layout()->hasHeightForWidth()) {
        fitted.setHeight(layout()->totalHeightForWidth(fitted.width()));
    }
    if (!fits(fitted) || !fits(minimumSize().expandedTo(minimumSizeHint()))) {
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        fitted =
            (size() + QSize(height() > room.height() ? bar : 0, width() > room.width() ? bar : 0))
                .boundedTo(room);
        ScrollFieldsAboveButtons(*this, *buttons_);
    }
    resize(fitted);
}

void OptionsDlgBase::accept() {
    if (AllFieldsValid()) {
        QDialog::accept();
    }
}

void OptionsDlgBase::done(int result) {
    QDialog::done(result);
    if (open_) {
        open_ = false;
        OnClose();
    }
}

void OptionsDlgBase::OnControlChanged(std::uint32_t controlId) {
    FieldBase* field = BoundField(controlId);
    QWidget* control = Control(controlId);
    if (!field || !control) {
        return;
    }
    field->FromText(ReadControlText(control));
    Refresh();
}

// The field alone decides what a step means; the arrows' own range and
// position play no part.
void OptionsDlgBase::OnStep(std::uint32_t controlId, int delta) {
    FieldBase* field = BoundField(controlId);
    QWidget* control = Control(controlId);
    if (!field || !control) {
        return;
    }
    field->Step(delta);
    field->FromText(field->ToText());
    ShowControlText(control, field->ToText());
}

void OptionsDlgBase::Refresh() {
    UpdateStatus();
    OkButton()->setEnabled(AllFieldsValid());
    for (const auto& [edit, id] : editIds_) {
        auto* widget = static_cast<QWidget*>(edit);
        QPalette palette;
        if (!IsFieldValid(id)) {
            palette = widget->palette();
            palette.setColor(QPalette::Base, kErrorColor);
        }
        widget->setPalette(palette);
    }
}

// Leaving an edit shows its entry in the field's normal form.
bool OptionsDlgBase::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        const auto found = editIds_.find(watched);
        if (found != editIds_.end()) {
            if (FieldBase* field = BoundField(found->second)) {
                ShowControlText(static_cast<QWidget*>(watched), field->ToText());
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vel::wingui
