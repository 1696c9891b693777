#pragma once

#include <QPainter>
#include <QPen>
#include <QRectF>
#include <vector>

namespace vel::graphics {

// The painter of one drawing pass and the clips in force on it, shared by a
// primary frame (which owns it) and its clones. Clips form one stack across
// all frames of the pass, as pushes and pops of one render target would.
class QtPaintPass {
public:
    // Begins painting; false when the device cannot be painted on.
    bool Begin(QPaintDevice* device, QRectF target);

    QPainter& Painter() { return painter_; }
    QRectF Target() const { return target_; }
    QPaintDevice* Device() const { return painter_.device(); }

    void PushClip(QRectF rect);
    void PopClip();

    // Painter set-up for the next line or text.
    void UsePen(const QPen& pen);

private:
    void ApplyClips();

    QPainter painter_;
    QRectF target_;
    std::vector<QRectF> clips_;
};

} // namespace vel::graphics
