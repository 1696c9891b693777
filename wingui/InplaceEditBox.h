#pragma once

#include <QLineEdit>
#include <functional>

namespace vel::wingui {

// A one-line edit laid over an item to rename it. Tab or Enter ends the edit
// and commits it, Escape ends it without; either way the focus returns to the
// parent, and the owner learns that the edit ended when the box loses the
// focus (the ended handler), then reads the commit flag and the text.
class InplaceEditBox : public QLineEdit {
public:
    explicit InplaceEditBox(QWidget* parent);

    // Shows the box over the rectangle with the text selected and the focus.
    // Losing the focus otherwise (a click elsewhere) counts as a commit.
    void Begin(const QRect& rect, const QString& text);
    bool IsCommitted() const { return commit_; }
    void SetEndedHandler(std::function<void()> handler) { onEnded_ = std::move(handler); }

protected:
    bool event(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void End(bool commit);

    bool commit_ = false;
    std::function<void()> onEnded_;
};

} // namespace vel::wingui
