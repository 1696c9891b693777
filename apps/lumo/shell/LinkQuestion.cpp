#include "apps/lumo/shell/LinkQuestion.h"

#include "apps/lumo/dialogs/VersionInfo.h"

#include <QCommandLinkButton>
#include <QLabel>
#include <QVBoxLayout>

namespace vel::lumo {

LinkQuestion::LinkQuestion(QWidget* owner, const QString& instruction, const QString& content)
    : QDialog(owner), layout_(new QVBoxLayout(this)) {
    if (owner != nullptr) {
        setWindowIcon(owner->windowIcon());
    }
    setWindowTitle(ProductCaption());
    auto* heading = new QLabel(instruction, this);
    QFont large = heading->font();
    large.setPointSizeF(large.pointSizeF() * 1.25);
    large.setWeight(QFont::DemiBold);
    heading->setFont(large);
    heading->setTextFormat(Qt::PlainText);
    layout_->addWidget(heading);
    auto* explanation = new QLabel(content, this);
    explanation->setTextFormat(Qt::PlainText);
    layout_->addWidget(explanation);
    layout_->setSizeConstraint(QLayout::SetFixedSize);
}

QCommandLinkButton* LinkQuestion::AddLink(int answer, const QString& text, const QString& note) {
    auto* button = new QCommandLinkButton(text, note, this);
    button->setObjectName(text);
    connect(button, &QCommandLinkButton::clicked, this, [this, answer] { done(answer); });
    layout_->addWidget(button);
    return button;
}

} // namespace vel::lumo
