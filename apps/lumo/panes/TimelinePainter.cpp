#include "apps/lumo/panes/TimelinePainter.h"

#include "apps/lumo/model/KnobTimeline.h"
#include "apps/lumo/model/Timecode.h"
#include "apps/lumo/panes/TimelineGeometry.h"
#include "apps/lumo/panes/TimelineWaveform.h"
#include "graphics/Frame.h"
#include "wingui/NumberText.h"

#include <algorithm>
#include <cmath>

namespace vel::lumo {

namespace {

using graphics::Color;
using graphics::Frame;
using graphics::PointF;
using graphics::RectF;

constexpr Color Black{0x000000};
constexpr Color White{0xFFFFFF};
constexpr Color Grey{0x999999};
constexpr Color LightGrey{0xCCCCCC};
constexpr Color Yellow{0xFFFF00};
constexpr Color Red{0xFF0000};
constexpr Color TipBlue{0x0000CC};
constexpr Color FocusedGround{0x400066};
constexpr Color Ground{0x000033};
constexpr float LabelSize = 24.0f;

Color Background(const TimelineScene& scene) {
    return scene.focused ? FocusedGround : Ground;
}

void DrawCentred(Frame& frame, const std::string& text, RectF box) {
    const graphics::SizeF size = frame.MeasureText(text);
    frame.DrawText(PointF{box.left + (box.right - box.left - size.width) / 2,
                          box.top + (box.bottom - box.top - size.height) / 2},
                   text);
}

// Knob names and the strip's word, grey in the frame's default font.
void DrawLabel(Frame& frame, const graphics::Font& base, const std::string& text, RectF box) {
    graphics::Font font = base;
    font.size = LabelSize;
    frame.SetFont(font);
    frame.SetTextColor(Grey);
    DrawCentred(frame, text, box);
}

// Left of frame 0 the strips stay black.
void FillStrip(Frame& frame, const TimelineGeometry& g, RectF strip, Color color) {
    const float zero = std::clamp(static_cast<float>(-g.hScroll), strip.left, strip.right);
    frame.FillRect(RectF{strip.left, strip.top, zero, strip.bottom}, Black);
    frame.FillRect(RectF{zero, strip.top, strip.right, strip.bottom}, color);
}

// The curve's points from the last anchor left of the view to the first one
// right of it, and a flat run-out after the last anchor.
std::vector<PointF> CurvePoints(const TimelineGeometry& g, const Knob& knob, std::size_t row,
                                const std::vector<Anchor>& anchors, float glyphWidth) {
    std::vector<PointF> points;
    const float right = g.ViewWidth();
    const std::uint32_t leftFrame = g.FrameAt(0.0);
    auto it = std::upper_bound(anchors.begin(), anchors.end(), leftFrame,
                               [](std::uint32_t f, const Anchor& a) { return f < a.frame; });
    if (it != anchors.begin()) {
        --it;
    }
    for (; it != anchors.end(); ++it) {
        points.push_back({g.FrameX(it->frame), g.ValueY(knob, row, it->value)});
        if (points.back().x > right) {
            break;
        }
    }
    if (!points.empty() && points.back().x < right) {
        points.push_back({right + glyphWidth, points.back().y});
    }
    return points;
}

void PaintRows(Frame frame, const TimelineScene& scene) {
    const TimelineGeometry& g = scene.geometry;
    const graphics::Font base = frame.GetFont();
    const float left = std::max(static_cast<float>(-g.hScroll), 0.0f);
    const float right = g.ViewWidth();
    graphics::Font spider{"Webdings", std::max(7.0f, g.frameWidth * 108.0f / 96.0f)};
    for (std::size_t row = 0; row < scene.rows.size(); ++row) {
        const float top = g.RowTop(row);
        if (top > g.ViewHeight()) {
            break;
        }
        const float bottom = top + g.RowHeight();
        if (bottom < 0) {
            continue;
        }
        const Knob& knob = scene.rows[row];
        frame.FillRect(RectF{left, top + g.Margin(), right, bottom - g.Margin()},
                       Background(scene));
        const float typical = g.ValueY(knob, row, knob.typical);
        frame.SetPen(Grey, 1.0f);
        frame.DrawLine(PointF{left, typical}, PointF{right, typical});
        DrawLabel(frame, base, knob.name, RectF{0, top, right, bottom});

        const KnobTrack* track = scene.timeline.FindTrack(knob.key);
        if (!track) {
            continue;
        }
        frame.SetFont(spider);
        frame.SetTextColor(White);
        const graphics::SizeF glyph = frame.MeasureText(std::string("!"));
        const std::vector<PointF> points =
            CurvePoints(g, knob, row, track->GetAnchors(), glyph.width);
        frame.SetPen(Yellow, 1.5f);
        frame.DrawPolyline(points);
        for (PointF p : points) {
            frame.DrawText(PointF{p.x - glyph.width / 2, p.y - glyph.height / 2}, std::string("!"));
        }
    }
}

void PaintAudioStrip(Frame frame, const TimelineScene& scene) {
    const TimelineGeometry& g = scene.geometry;
    const RectF strip{0, 0, g.ViewWidth(), TimelineGeometry::AudioHeight};
    frame.SetViewport(strip);
    FillStrip(frame, g, strip, Background(scene));
    DrawLabel(frame, frame.GetFont(), "Audio", strip);
    if (scene.hasAudio) {
        scene.waveform.Draw(frame, g);
    }
}

void PaintRuler(Frame frame, const TimelineScene& scene) {
    const TimelineGeometry& g = scene.geometry;
    const RectF strip{0, g.RulerTop(), g.ViewWidth(), g.RowsTop()};
    const float height = strip.bottom - strip.top;
    frame.SetViewport(strip);
    FillStrip(frame, g, strip, LightGrey);
    frame.SetPen(Black, 96.0f / 144.0f);
    frame.SetTextColor(Black);
    std::uint64_t f = g.hScroll < 0 ? 0 : g.FrameAt(0.0);
    for (; f <= UINT32_MAX; ++f) {
        const float x = g.FrameX(static_cast<std::uint32_t>(f));
        if (x >= strip.right) {
            break;
        }
        const Timecode timecode =
            Timecode::FromFrame(static_cast<std::uint32_t>(f), DefaultFrameRate);
        const bool second = timecode.frames == 0;
        frame.DrawLine(PointF{x, strip.top + height * (second ? 0.25f : 0.75f)},
                       PointF{x, strip.bottom});
        if (second) {
            frame.DrawText(PointF{x + 1, strip.top}, timecode.Format());
        }
    }
}

void PaintCursor(Frame& frame, const TimelineScene& scene) {
    const TimelineGeometry& g = scene.geometry;
    const float x = g.FrameX(scene.cursor);
    frame.SetPen(Red, 96.0f / 72.0f);
    frame.DrawLine(PointF{x, 0}, PointF{x, g.ViewHeight()});
    const std::string label = TimelineLabel(scene.cursor);
    const graphics::SizeF size = frame.MeasureText(label);
    frame.FillRect(RectF{x, g.RulerTop(), x + size.width + 2, g.RulerTop() + size.height}, Red);
    frame.SetTextColor(White);
    frame.DrawText(PointF{x + 1, g.RulerTop()}, label);
}

void PaintTip(Frame& frame, const TimelineScene& scene, const AnchorTip& tip) {
    const TimelineGeometry& g = scene.geometry;
    if (tip.row >= scene.rows.size()) {
        return;
    }
    const Knob& knob = scene.rows[tip.row];
    const float value = scene.timeline.ValueAt(knob.key, tip.frame).value_or(knob.typical);
    const std::string text = TipValueText(value);
    frame.SetTextColor(White);
    const graphics::SizeF maxSize = frame.MeasureText(knob.maxLabel);
    const graphics::SizeF minSize = frame.MeasureText(knob.minLabel);
    const graphics::SizeF valueSize = frame.MeasureText(text);
    const float width = std::max({maxSize.width, minSize.width, valueSize.width}) + g.vBarWidth;
    const float anchorX = g.FrameX(tip.frame);
    const float x =
        anchorX + g.vBarWidth + width <= g.ViewWidth() ? anchorX + g.vBarWidth : anchorX - width;
    const float top = g.RowTop(tip.row);
    frame.DrawText(PointF{x, top + g.Margin()}, knob.maxLabel);
    frame.DrawText(PointF{x, top + g.RowHeight() - g.Margin() - minSize.height}, knob.minLabel);
    const float y = g.ValueY(knob, tip.row, value) - valueSize.height / 2;
    frame.FillRect(RectF{x, y, x + valueSize.width, y + valueSize.height}, TipBlue);
    frame.DrawText(PointF{x, y}, text);
}

} // namespace

std::string TimelineLabel(std::uint32_t frame) {
    return Timecode::FromFrame(frame, DefaultFrameRate).Format();
}

// Two decimals, as the system's number format shows them by default, written
// as the dialogs' number fields write them.
std::string TipValueText(float value) {
    return wingui::NumberText(value, 2);
}

void PaintTimeline(Frame& frame, const TimelineScene& scene) {
    PaintRows(frame.Clone(), scene);
    PaintAudioStrip(frame.Clone(), scene);
    PaintRuler(frame.Clone(), scene);
    PaintCursor(frame, scene);
    if (scene.tip) {
        PaintTip(frame, scene, *scene.tip);
    }
}

} // namespace vel::lumo
