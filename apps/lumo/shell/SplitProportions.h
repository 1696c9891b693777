#pragma once

#include <QPoint>
#include <QSize>
#include <optional>

namespace vel::lumo {

// The two splitters' places as shares of the client area, so that resizing
// the window keeps the panes' proportions. The shares come from the splits
// as they were last set, never from splits already scaled, so that many
// small resizes do not round them away.
class SplitProportions {
public:
    // The splits as set for this client size.
    void Take(QSize client, QPoint splits);
    // The splits in the same proportions for another client size; nothing
    // before splits were taken for a client with an area.
    std::optional<QPoint> For(QSize client) const;

private:
    QSize client_;
    QPoint splits_;
};

} // namespace vel::lumo
