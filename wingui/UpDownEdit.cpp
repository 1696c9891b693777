#include "wingui/UpDownEdit.h"

#include <QLineEdit>

namespace vel::wingui {

UpDownEdit::UpDownEdit(QWidget* parent) : QAbstractSpinBox(parent) {}

QString UpDownEdit::Text() const {
    return lineEdit()->text();
}

void UpDownEdit::SetText(const QString& text) {
    lineEdit()->setText(text);
}

void UpDownEdit::stepBy(int steps) {
    if (onStep_) {
        onStep_(steps);
    }
}

QAbstractSpinBox::StepEnabled UpDownEdit::stepEnabled() const {
    if (isReadOnly() || !onStep_) {
        return StepNone;
    }
    return StepUpEnabled | StepDownEnabled;
}

} // namespace vel::wingui
