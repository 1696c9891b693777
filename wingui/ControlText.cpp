#include "wingui/ControlText.h"

#include "wingui/UpDownEdit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace vel::wingui {

void ShowControlText(QWidget* control, const std::string& text) {
    const QString qtext = QString::fromStdString(text);
    if (auto* box = qobject_cast<QAbstractButton*>(control)) {
        box->setChecked(text.starts_with('t'));
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        const int index = combo->findText(qtext, Qt::MatchStartsWith);
        if (index >= 0) {
            combo->setCurrentIndex(index);
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(qtext);
    } else if (auto* upDown = dynamic_cast<UpDownEdit*>(control)) {
        upDown->SetText(qtext);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(qtext);
    }
}

std::string ReadControlText(const QWidget* control) {
    if (auto* box = qobject_cast<const QAbstractButton*>(control)) {
        return box->isChecked() ? "true" : "false";
    }
    if (auto* combo = qobject_cast<const QComboBox*>(control)) {
        return combo->currentText().toStdString();
    }
    if (auto* edit = qobject_cast<const QLineEdit*>(control)) {
        return edit->text().toStdString();
    }
    if (auto* upDown = dynamic_cast<const UpDownEdit*>(control)) {
        return upDown->Text().toStdString();
    }
    if (auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text().toStdString();
    }
    return {};
}

} // namespace vel::wingui
