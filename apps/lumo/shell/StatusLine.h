#pragma once

#include "apps/lumo/panes/PaneHints.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <cstdint>

class QLabel;
class QStatusBar;

namespace vel::lumo {

class Pane;

// What the window's status bar shows besides its messages: what the mouse
// would do where it is in any pane, following the mouse and the modifier
// keys; the value under it where a pane shows one; and the frame cursor's
// frame and timecode. The bar's messages cover the hint while they show.
class StatusLine : public QObject {
public:
    explicit StatusLine(QStatusBar* bar);

    // Follows the mouse over the pane.
    void Watch(Pane* pane);
    void ShowFrame(std::uint32_t frame);

    QString HintText() const;
    QString ValueText() const;
    QString FrameText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Asks the pane under the mouse again once the event at hand has done
    // its work (a click may have added a shape, a key changed the focus).
    void RefreshLater(Qt::KeyboardModifiers modifiers);
    void Refresh();
    void Show(const PaneHint& hint);

    QLabel* hint_;
    QLabel* value_;
    QLabel* frame_;
    // The pane under the mouse, held as an object: while a pane is being
    // destroyed, it is no longer a pane.
    QPointer<QObject> pane_;
    QPoint position_;
    Qt::KeyboardModifiers modifiers_;
    bool refreshPending_ = false;
};

} // namespace vel::lumo
