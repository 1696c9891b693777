#include "apps/lumo/render/FrameCounter.h"

#include "apps/lumo/model/Timecode.h"

#include <cmath>

namespace vel::lumo {

graphics::DeviceRect DrawFrameCounter(graphics::Frame& frame, uint64_t framesDone,
                                      uint32_t frameRate) {
    graphics::Font font;
    font.face = "Courier New";
    font.size = 24;
    frame.SetFont(font);
    // Timecodes count 32-bit frame numbers; a longer export starts over.
    const std::string text =
        Timecode::FromFrame(static_cast<uint32_t>(framesDone), frameRate).Format();
    const graphics::SizeF size = frame.MeasureText(text);
    const graphics::RectF viewport = frame.GetViewport();
    const float x = viewport.left + (viewport.right - viewport.left - size.width) * 0.5f;
    const float y = viewport.top + (viewport.bottom - viewport.top - size.height) * 0.5f;
    frame.FillRect({x, y, x + size.width, y + size.height}, graphics::Color(0x006600));
    frame.SetTextColor(graphics::Color(0xFF33FF));
    frame.DrawText({x, y}, text);
    // One pixel more on each side for anti-aliased edges.
    return {static_cast<int32_t>(std::floor(x)) - 1, static_cast<int32_t>(std::floor(y)) - 1,
            static_cast<int32_t>(std::ceil(x + size.width)) + 1,
            static_cast<int32_t>(std::ceil(y + size.height)) + 1};
}

} // namespace vel::lumo
