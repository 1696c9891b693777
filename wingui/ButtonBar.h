#pragma once

#include "wingui/Button.h"
#include "wingui/ButtonBarTarget.h"
#include "wingui/DragController.h"
#include "wingui/RepeatTiming.h"

#include <QFont>
#include <QWidget>
#include <optional>
#include <vector>

class QPainter;

namespace vel::wingui {

// A row of text buttons, each as tall as the bar and a whole number of squares
// wide, driven through drag states. Commands go to the target; keys the bar
// does not use travel on to the parent widget.
class ButtonBar : public QWidget {
public:
    ButtonBar(QWidget* parent, ButtonBarTarget* target);
    ~ButtonBar() override;

    // Makes font 0 and the buttons. Call once after construction, so that a
    // derived bar's CreateButtons runs; later calls do nothing.
    void Create();

    virtual void CreateButtons() {}
    virtual void Layout();
    virtual void DrawButton(QPainter& painter, const Button& button);

    std::uint32_t AddFont(const QFont& font);
    const QFont& Font(std::uint32_t index) const;
    void AddButton(std::uint32_t commandId, const QString& label, ButtonKind kind,
                   std::uint32_t fontIndex = 0);
    const std::vector<Button>& Buttons() const { return buttons_; }
    // Gives a button a new label and lays the bar out again.
    void SetLabel(std::size_t index, const QString& label);
    void SetTip(std::size_t index, const QString& tip);

    ButtonBarTarget* Target() const { return target_; }
    bool IsDragging() const { return drag_.IsDragging(); }
    // Abandons the gesture in progress, if any.
    void CancelMode();

    RepeatTiming Repeat() const;
    void SetRepeatTiming(const RepeatTiming& timing) { repeat_ = timing; }

    // Where the mouse pointer is now, in the bar's coordinates.
    QPoint CursorPos() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    ButtonBarTarget* target_;
    bool created_ = false;
    std::vector<QFont> fonts_;
    std::vector<Button> buttons_;
    DragController drag_;
    std::optional<RepeatTiming> repeat_;
};

} // namespace vel::wingui
