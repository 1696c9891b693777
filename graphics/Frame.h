#pragma once

#include "graphics/IFrameImpl.h"

#include <memory>
#include <string>
#include <vector>

namespace vel::graphics {

// One drawing pass on one target; destroying it presents the drawing.
// Move-only: moving hands the pass on, it does not end it.
class Frame {
public:
    explicit Frame(std::unique_ptr<IFrameImpl> impl);

    Frame Clone() const;
    void PushClip();
    void PopClip();
    void Clear(Color color);
    void FillRect(RectF rect, Color color);
    void FillPolygon(const std::vector<PointF>& points, Color color);
    Font GetFont() const;
    void SetFont(const Font& font);
    void SetTextColor(Color color);
    void SetPen(Color color, float width);
    RectF GetViewport() const;
    void SetViewport(RectF viewport);
    void DrawLine(UnitPoint a, UnitPoint b);
    void DrawPolyline(const std::vector<UnitPoint>& points);
    void DrawLine(PointF a, PointF b);
    void DrawPolyline(const std::vector<PointF>& points);
    void DrawRect(RectF rect);
    void DrawImage(const Image& image, RectF rect, float opacity);
    void DrawText(PointF origin, const std::string& text);
    void DrawText(PointF origin, const std::u16string& text);
    PointF UnitToDevice(UnitPoint point) const;
    SizeF MeasureText(const std::string& text) const;
    SizeF MeasureText(const std::u16string& text) const;

private:
    std::unique_ptr<IFrameImpl> impl_;
};

} // namespace vel::graphics
