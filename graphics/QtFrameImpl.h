#pragma once

#include "graphics/IFrameImpl.h"
#include "graphics/QtPaintPass.h"

#include <QColor>
#include <memory>

namespace vel::graphics {

class QtSurfaceImpl;

// A frame over QPainter. A primary frame owns the paint pass and ends it when
// destroyed; clones draw into the same pass.
class QtFrameImpl : public IFrameImpl {
public:
    // Primary frame: begins painting on the device, or throws
    // std::runtime_error.
    QtFrameImpl(const QtSurfaceImpl& surface, DeviceContext device, DeviceRect target);
    ~QtFrameImpl() override;

    std::unique_ptr<IFrameImpl> Clone() const override;
    void PushClip() override;
    void PopClip() override;
    void Clear(Color color) override;
    void FillRect(RectF rect, Color color) override;
    void FillPolygon(const std::vector<PointF>& points, Color color) override;
    Font GetFont() const override;
    void SetFont(const Font& font) override;
    void SetTextColor(Color color) override;
    void SetPen(Color color, float width) override;
    RectF GetViewport() const override;
    void SetViewport(RectF viewport) override;
    void DrawLine(UnitPoint a, UnitPoint b) override;
    void DrawPolyline(const std::vector<UnitPoint>& points) override;
    void DrawLine(PointF a, PointF b) override;
    void DrawPolyline(const std::vector<PointF>& points) override;
    void DrawRect(RectF rect) override;
    void DrawImage(const Image& image, RectF rect, float opacity) override;
    void DrawText(PointF origin, const std::string& text) override;
    void DrawText(PointF origin, const std::u16string& text) override;
    PointF UnitToDevice(UnitPoint point) const override;
    SizeF MeasureText(const std::string& text) const override;
    SizeF MeasureText(const std::u16string& text) const override;

private:
    struct Secondary {};
    // A frame on the pass of `source`, with a copy of its state.
    QtFrameImpl(Secondary, const QtFrameImpl& source);

    void UseLinePen();

    std::unique_ptr<QtPaintPass> ownedPass_; // set on a primary frame only
    QtPaintPass* pass_;
    QColor textColor_{Qt::black};
    QColor penColor_{Qt::black};
    float penWidth_ = 1.0f;
    Font font_;
    RectF viewport_;
    int clips_ = 0;
};

} // namespace vel::graphics
