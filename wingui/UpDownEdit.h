#pragma once

#include <QAbstractSpinBox>
#include <functional>

namespace vel::wingui {

// An edit with up and down arrows that has no range or value of its own: each
// arrow (or Up, Down, Page Up, Page Down, the wheel) is handed to the step
// handler, which decides what the text becomes.
class UpDownEdit : public QAbstractSpinBox {
public:
    explicit UpDownEdit(QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);
    QLineEdit* Edit() const { return lineEdit(); }
    void SetStepHandler(std::function<void(int)> handler) { onStep_ = std::move(handler); }

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    std::function<void(int)> onStep_;
};

} // namespace vel::wingui
