#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vel::lumo {

// What the status bar says about the place under the mouse: what a click or
// a drag there would do, and the value shown there, if any.
struct PaneHint {
    std::string text;
    std::string value;
    friend bool operator==(const PaneHint&, const PaneHint&) = default;
};

// The modifier keys held, as the hints care about them.
struct HintKeys {
    bool shift = false;
    bool alt = false;
    bool ctrl = false;
};

// The hint of a pane that the next click only activates.
std::string ActivateHint(const std::string& pane);

// What lies under the mouse in the preview. Shape names are empty where
// there is no such shape.
struct PreviewPlace {
    bool hasDocument = false;
    bool emptyModel = false;
    bool zoomed = false;
    // A photo to trace shows behind the shapes.
    bool photo = false;
    bool onPoint = false;
    std::string selectedShape;
    bool insideShape = false;
    bool insideSelected = false;
    std::string hitShape;
};
std::string PreviewHint(const PreviewPlace& place, HintKeys keys);

// Where the mouse is in the timeline: the strip, the ruler, or a knob's row
// at a frame, on a spider or beside one.
struct TimelinePlace {
    enum class Region { Nowhere, AudioStrip, Ruler, Row };
    Region region = Region::Nowhere;
    bool hasAudio = false;
    std::string knob;
    std::uint32_t frame = 0;
    bool onSpider = false;
    std::optional<float> value;
};
PaneHint TimelineHint(const TimelinePlace& place);

// Where the mouse is in the shapes pane.
struct ShapesPlace {
    enum class Region { Nowhere, Shape, NewShape, EditedMark, ReferenceMark, Pose, NewPose };
    Region region = Region::Nowhere;
    std::string name;
    bool selected = false;
};
std::string ShapesHint(const ShapesPlace& place);
// What a region of the shapes pane is, for its tooltip.
std::string ShapesTip(ShapesPlace::Region region);

} // namespace vel::lumo
