#include "graphics/QtText.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTextLine>
#include <algorithm>
#include <cmath>

namespace vel::graphics {

namespace {

bool IsFace(const std::string& face, const char* name) {
    return QString::fromStdString(face).compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

QString LayoutText(const Font& font, const std::u16string& text) {
    QString out =
        IsFace(font.face, SymbolFace) ? SymbolText(text) : QString::fromStdU16String(text);
    // QTextLayout breaks lines only at the Unicode line separator.
    out.replace(QLatin1Char('\n'), QChar::LineSeparator);
    out.remove(QLatin1Char('\r'));
    return out;
}

// Other faces go to fontconfig, which finds metric-compatible stand-ins
// ("Courier New" is set in Liberation Mono).
QString Family(const std::string& face) {
    if (IsFace(face, SymbolFace)) {
        return QString::fromLatin1(SymbolStandIn);
    }
    return QString::fromStdString(face);
}

// Sized so that it is size × 96 / 72 logical pixels high on the device.
QFont ToQFont(const Font& font, const QPaintDevice* device) {
    QFont out;
    if (!font.face.empty()) {
        out.setFamily(Family(font.face));
    }
    const int dpiY = device ? device->logicalDpiY() : 96;
    out.setPointSizeF(font.size * 96.0 / std::max(dpiY, 1));
    switch (font.weight) {
    case FontWeight::Light:
        out.setWeight(QFont::Thin);
        break;
    case FontWeight::Normal:
        out.setWeight(QFont::Normal);
        break;
    case FontWeight::Bold:
        out.setWeight(QFont::Bold);
        break;
    }
    out.setItalic(font.italic);
    return out;
}

// Width of a line without its trailing white space, which Qt counts on the
// last line.
qreal InkWidth(const QTextLine& line, const QString& text) {
    int end = line.textStart() + line.textLength();
    while (end > line.textStart() && text.at(end - 1).isSpace()) {
        --end;
    }
    if (end == line.textStart()) {
        return 0;
    }
    const qreal width = std::abs(line.cursorToX(end) - line.cursorToX(line.textStart()));
    return std::min(width, line.naturalTextWidth());
}

} // namespace

Font FontFromQFont(const QFont& font) {
    Font out;
    out.face = font.family().toStdString();
    out.size = font.pointSizeF() > 0 ? static_cast<float>(font.pointSizeF())
                                     : static_cast<float>(font.pixelSize() * 72.0 / 96.0);
    const int weight = font.weight();
    out.weight = weight < QFont::Normal    ? FontWeight::Light
                 : weight == QFont::Normal ? FontWeight::Normal
                                           : FontWeight::Bold;
    out.fixedPitch = font.fixedPitch();
    out.italic = font.italic();
    out.underline = font.underline();
    out.strikeout = font.strikeOut();
    return out;
}

std::unique_ptr<QtTextLayout> QtTextLayout::Make(const Font& font, const std::u16string& text,
                                                 float boxWidth, QPaintDevice* device) {
    if (text.empty() || !(font.size > 0)) {
        return nullptr;
    }
    return std::make_unique<QtTextLayout>(font, text, boxWidth, device);
}

QtTextLayout::QtTextLayout(const Font& font, const std::u16string& text, float boxWidth,
                           QPaintDevice* device)
    : layout_(LayoutText(font, text), ToQFont(font, device), device) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout_.setTextOption(option);
    const qreal width = std::max(0.0f, boxWidth);
    qreal y = 0;
    qreal widest = 0;
    layout_.beginLayout();
    for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
        widest = std::max(widest, InkWidth(line, layout_.text()));
    }
    layout_.endLayout();
    size_ = {static_cast<float>(widest), static_cast<float>(y)};
}

void QtTextLayout::Draw(QPainter& painter, PointF origin) const {
    layout_.draw(&painter, QPointF(origin.x, origin.y));
}

} // namespace vel::graphics
