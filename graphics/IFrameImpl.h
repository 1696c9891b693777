#pragma once

#include "graphics/GraphicsTypes.h"

#include <memory>
#include <string>
#include <vector>

namespace vel::graphics {

// One drawing pass: drawing begins when a primary frame is made and the
// pixels are in the device when it is destroyed.
class IFrameImpl {
public:
    virtual ~IFrameImpl() = default;
    virtual std::unique_ptr<IFrameImpl> Clone() const = 0;
    virtual void PushClip() = 0;
    virtual void PopClip() = 0;
    virtual void Clear(Color color) = 0;
    virtual void FillRect(RectF rect, Color color) = 0;
    virtual void FillPolygon(const std::vector<PointF>& points, Color color) = 0;
    virtual Font GetFont() const = 0;
    virtual void SetFont(const Font& font) = 0;
    virtual void SetTextColor(Color color) = 0;
    virtual void SetPen(Color color, float width) = 0;
    virtual RectF GetViewport() const = 0;
    virtual void SetViewport(RectF viewport) = 0;
    virtual void DrawLine(UnitPoint a, UnitPoint b) = 0;
    virtual void DrawPolyline(const std::vector<UnitPoint>& points) = 0;
    virtual void DrawLine(PointF a, PointF b) = 0;
    virtual void DrawPolyline(const std::vector<PointF>& points) = 0;
    virtual void DrawRect(RectF rect) = 0;
    // The whole image stretched smoothly over the rectangle, at an opacity
    // from 0 (not at all) to 1; nothing for a rectangle whose right is not
    // beyond its left or whose bottom is not below its top.
    virtual void DrawImage(const Image& image, RectF rect, float opacity) = 0;
    virtual void DrawText(PointF origin, const std::string& text) = 0;
    virtual void DrawText(PointF origin, const std::u16string& text) = 0;
    virtual PointF UnitToDevice(UnitPoint point) const = 0;
    virtual SizeF MeasureText(const std::string& text) const = 0;
    virtual SizeF MeasureText(const std::u16string& text) const = 0;
};

} // namespace vel::graphics
