#pragma once

#include "graphics/GraphicsTypes.h"
#include "graphics/SymbolFont.h"

#include <QFont>
#include <QTextLayout>
#include <memory>
#include <string>

class QPainter;
class QPaintDevice;

namespace vel::graphics {

// The frame's font as the back end reports it.
Font FontFromQFont(const QFont& font);

// Text set with a frame's font in a box of the viewport's width: lines wrap
// at word boundaries (inside a word only when it is wider than the box).
class QtTextLayout {
public:
    // Empty when the text cannot be set (no size, no text).
    static std::unique_ptr<QtTextLayout> Make(const Font& font, const std::u16string& text,
                                              float boxWidth, QPaintDevice* device);

    QtTextLayout(const Font& font, const std::u16string& text, float boxWidth,
                 QPaintDevice* device);

    SizeF Size() const { return size_; }
    void Draw(QPainter& painter, PointF origin) const;

private:
    QTextLayout layout_;
    SizeF size_;
};

} // namespace vel::graphics
