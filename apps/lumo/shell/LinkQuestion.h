#pragma once

#include <QDialog>

class QCommandLinkButton;
class QVBoxLayout;

namespace vel::lumo {

// A question in the program's caption: a large instruction, a line of
// explanation and one command link per answer. A link ends the dialog with
// its answer; Escape and the close box reject it.
class LinkQuestion : public QDialog {
public:
    LinkQuestion(QWidget* owner, const QString& instruction, const QString& content);

    // The link is named after its text, so it can be found.
    QCommandLinkButton* AddLink(int answer, const QString& text, const QString& note);

private:
    QVBoxLayout* layout_;
};

} // namespace vel::lumo
