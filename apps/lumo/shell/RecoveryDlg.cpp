#include "apps/lumo/shell/RecoveryDlg.h"

#include "apps/lumo/dialogs/VersionInfo.h"
#include "wingui/NativePath.h"

#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace vel::lumo {

namespace {

// Above the dialog's own Accepted and Rejected.
constexpr int FirstResult = 16;
constexpr int Choices = RecoveryDlg::DiscardAll + 1;
// Title bars and frames come only once the dialog is shown: this share of
// the screen's height is kept for them.
constexpr int ScreenShareTenths = 9;

QString Describe(const LeftCopy& copy) {
    const QString document = wingui::DisplayPath(copy.record.document);
    const QString name = copy.record.IsUntitled()
                             ? document
                             : wingui::DisplayName(copy.record.document) + " (" + document + ")";
    const QString when =
        QLocale().toString(QDateTime::fromSecsSinceEpoch(copy.record.time), QLocale::ShortFormat);
    QString text = QStringLiteral("%1, copy of %2").arg(name, when);
    if (copy.unrecorded) {
        text += QStringLiteral("\nIts record is damaged; the work in it can still be recovered.");
    }
    if (!copy.damage.empty()) {
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
    auto* layout = new QVBoxLayout(this);
    auto* instruction = new QLabel(
        QStringLiteral("%1 closed unexpectedly. Recover your work?").arg(ProductCaption()), this);
    QFont large = instruction->font();
    large.setPointSizeF(large.pointSizeF() * 1.25);
    large.setWeight(QFont::DemiBold);
    instruction->setFont(large);
    layout->addWidget(instruction);

    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* rows = new QWidget;
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto button = [this](Decision decision, const QString& text) {
        auto* push = new QPushButton(text, this);
        push->setAutoDefault(false);
        connect(push, &QPushButton::clicked, this, [this, decision] { done(Result(decision)); });
        return push;
    };
    QPushButton* newest = nullptr;
    for (std::size_t index = 0; index < copies.size(); ++index) {
        const int row = static_cast<int>(index);
        auto* label = new QLabel(Describe(copies[index]), rows);
        label->setTextFormat(Qt::PlainText);
        grid->addWidget(label, row, 0);
        for (const auto& [choice, text] : {std::pair{Recover, QStringLiteral("Recover")},
                                           std::pair{Discard, QStringLiteral("Discard")},
                                           std::pair{Later, QStringLiteral("Later")}}) {
            QPushButton* push = button({index, choice}, text);
            grid->addWidget(push, row, 1 + choice);
            if (choice == Recover) {
                push->setEnabled(copies[index].damage.empty());
                if (push->isEnabled() && newest == nullptr) {
                    newest = push;
                }
            }
        }
    }
    scroll->setWidget(rows);
    layout->addWidget(scroll, 1);

    auto* whole = new QHBoxLayout;
    whole->addStretch();
    if (std::any_of(copies.begin(), copies.end(), [](const LeftCopy& copy) { return copy.old; })) {
        whole->addWidget(
            button({0, DiscardOld}, QStringLiteral("Discard Copies Older Than 30 Days")));
    }
    whole->addWidget(button({0, DiscardAll}, QStringLiteral("Discard All")));
    layout->addLayout(whole);

    // Recovering loses nothing, so it is what Return does.
    if (newest != nullptr) {
        newest->setDefault(true);
        newest->setFocus();
    }
    FitRows(*scroll, *rows);
}

void RecoveryDlg::FitRows(QScrollArea& scroll, const QWidget& rows) {
    const QSize wanted = rows.sizeHint();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    scroll.setMinimumWidth(wanted.width() + bar);
    const QWidget* owner = parentWidget();
    const QRect area = (owner != nullptr ? owner->screen() : screen())->availableGeometry();
    const int others = layout()->sizeHint().height() - scroll.sizeHint().height();
    const int room = area.height() * ScreenShareTenths / 10 - others;
    scroll.setMinimumHeight(std::max(0, std::min(wanted.height(), room)));
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
