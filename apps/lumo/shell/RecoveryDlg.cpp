#include "apps/lumo/shell/RecoveryDlg.h"

#include "apps/lumo/dialogs/VersionInfo.h"
#include "wingui/NativePath.h"

#include <QDateTime>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace vel::lumo {

namespace {

// Above the dialog's own Accepted and Rejected.
constexpr int FirstResult = 16;
constexpr int Choices = 3;

QString Describe(const LeftCopy& copy) {
    const QString document = wingui::DisplayPath(copy.record.document);
    const QString name = copy.record.IsUntitled()
                             ? document
                             : wingui::DisplayName(copy.record.document) + " (" + document + ")";
    const QString when =
        QLocale().toString(QDateTime::fromSecsSinceEpoch(copy.record.time), QLocale::ShortFormat);
    QString text = QStringLiteral("%1, copy of %2").arg(name, when);
    if (!copy.document) {
        text += QStringLiteral("\nDamaged (%1); the copy is kept.")
                    .arg(QString::fromStdString(copy.damage));
    }
    return text;
}

} // namespace

RecoveryDlg::RecoveryDlg(QWidget* owner, const std::vector<LeftCopy>& copies) : QDialog(owner) {
    if (owner != nullptr) {
        setWindowIcon(owner->windowIcon());
    }
    setWindowTitle(ProductCaption());
    auto* layout = new QGridLayout(this);
    auto* instruction =
        new QLabel(QStringLiteral("Lumo closed unexpectedly. Recover your work?"), this);
    QFont large = instruction->font();
    large.setPointSizeF(large.pointSizeF() * 1.25);
    large.setWeight(QFont::DemiBold);
    instruction->setFont(large);
    layout->addWidget(instruction, 0, 0, 1, 1 + Choices);
    for (std::size_t index = 0; index < copies.size(); ++index) {
        const int row = static_cast<int>(index) + 1;
        auto* label = new QLabel(Describe(copies[index]), this);
        label->setTextFormat(Qt::PlainText);
        layout->addWidget(label, row, 0);
        const auto button = [&](Choice choice, const QString& text) {
            auto* push = new QPushButton(text, this);
            push->setAutoDefault(false);
            connect(push, &QPushButton::clicked, this, [this, index, choice] {
                done(Result({index, choice}));
            });
            layout->addWidget(push, row, 1 + choice);
            return push;
        };
        QPushButton* recover = button(Recover, QStringLiteral("Recover"));
        recover->setEnabled(copies[index].document != nullptr);
        // The newest work that can be recovered is one key press away.
        if (recover->isEnabled() && focusWidget() == nullptr) {
            recover->setFocus();
        }
        button(Discard, QStringLiteral("Discard"));
        button(Later, QStringLiteral("Later"));
    }
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int RecoveryDlg::Result(Decision decision) {
    return FirstResult + static_cast<int>(decision.index) * Choices + decision.choice;
}

std::optional<RecoveryDlg::Decision> RecoveryDlg::Decode(int result, std::size_t copies) {
    if (result < FirstResult) {
        return std::nullopt;
    }
    const auto offset = static_cast<std::size_t>(result - FirstResult);
    if (offset / Choices >= copies) {
        return std::nullopt;
    }
    return Decision{offset / Choices, static_cast<Choice>(offset % Choices)};
}

} // namespace vel::lumo
