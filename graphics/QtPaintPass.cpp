#include "graphics/QtPaintPass.h"

namespace vel::graphics {

bool QtPaintPass::Begin(QPaintDevice* device, QRectF target) {
    if (!device || !painter_.begin(device)) {
        return false;
    }
    target_ = target;
    painter_.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    ApplyClips();
    return true;
}

void QtPaintPass::PushClip(QRectF rect) {
    clips_.push_back(rect.normalized());
    ApplyClips();
}

void QtPaintPass::PopClip() {
    if (!clips_.empty()) {
        clips_.pop_back();
        ApplyClips();
    }
}

void QtPaintPass::UsePen(const QPen& pen) {
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
}

// Nothing lands outside the target, as on a render target bound to it.
void QtPaintPass::ApplyClips() {
    QRectF clip = target_;
    for (const QRectF& rect : clips_) {
        clip &= rect;
    }
    painter_.setClipRect(clip);
}

} // namespace vel::graphics
