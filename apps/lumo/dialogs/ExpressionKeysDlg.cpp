#include "apps/lumo/dialogs/ExpressionKeysDlg.h"

#include "apps/lumo/document/ExpressionKeyEdits.h"
#include "apps/lumo/document/LumoDocument.h"
#include "wingui/DialogRunner.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

namespace vel::lumo {

ExpressionKeysDlg::ExpressionKeysDlg(QWidget* owner, const LumoDocument& document)
    : OptionsDlg(owner) {
    setWindowTitle(QStringLiteral("Expression Keys"));
    for (const Knob& knob : document.GetKnobs()) {
        choices_.emplace_back(knob.name + " (" + knob.key.Text() + ")", knob.key);
    }
    const ExpressionKeys keys = document.GetExpressionKeys();
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(QStringLiteral("While a key is held in the show or the preview, its "
                                           "knob goes to the far end of its range and comes back "
                                           "when the key is let go."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* form = new QFormLayout;
    for (std::size_t index = 0; index < ExpressionKeyCount; ++index) {
        auto* list = new QComboBox(this);
        list->addItem(QString::fromUtf8(NoKnob));
        fields_[index].value = NoKnob;
        for (const auto& [text, key] : choices_) {
            list->addItem(QString::fromStdString(text));
            if (keys[index] == key) {
                fields_[index].value = text;
            }
        }
        AddControl(IdFirstKey + static_cast<std::uint32_t>(index), list);
        form->addRow(QStringLiteral("Key &%1:").arg(index + 1), list);
    }
    layout->addLayout(form);
    layout->addWidget(ButtonBox());
}

void ExpressionKeysDlg::BindFields() {
    for (std::size_t index = 0; index < ExpressionKeyCount; ++index) {
        Bind(IdFirstKey + static_cast<std::uint32_t>(index), fields_[index]);
    }
}

ExpressionKeys ExpressionKeysDlg::Keys() const {
    ExpressionKeys keys;
    for (std::size_t index = 0; index < ExpressionKeyCount; ++index) {
        const auto found = std::find_if(choices_.begin(), choices_.end(), [&](const auto& choice) {
            return choice.first == fields_[index].value;
        });
        if (found != choices_.end()) {
            keys[index] = found->second;
        }
    }
    return keys;
}

bool ExpressionKeysDlg::Run() {
    return wingui::DialogRunner::Exec(*this) == QDialog::Accepted;
}

bool ChooseExpressionKeys(QWidget* owner, LumoDocument& document) {
    ExpressionKeysDlg dialog(owner, document);
    return dialog.Run() && SetExpressionKeys(document, dialog.Keys());
}

} // namespace vel::lumo
