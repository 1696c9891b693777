#include "apps/lumo/panes/PaneHints.h"

#include "apps/lumo/panes/TimelinePainter.h"

#include <initializer_list>

namespace vel::lumo {

namespace {

// Hints list their gestures one after the other, each "Gesture: what it does".
std::string Join(std::initializer_list<std::string> parts) {
    std::string out;
    for (const std::string& part : parts) {
        if (part.empty()) {
            continue;
        }
        if (!out.empty()) {
            out += " \u00B7 ";
        }
        out += part;
    }
    return out;
}

// A shape without a name is still something the user can point at.
std::string Named(const std::string& name) {
    return name.empty() ? std::string("this shape") : name;
}

std::string PreviewZoomHint(bool zoomed) {
    return zoomed ? "Middle-drag: pan \u00B7 Ctrl+0: whole picture" : "Ctrl+wheel: zoom";
}

std::string PhotoHint(bool photo) {
    return photo ? "Ctrl+drag: move the photo \u00B7 Shift+wheel: resize it \u00B7 [ and ]: fade it"
                 : std::string();
}

} // namespace

std::string ActivateHint(const std::string& pane) {
    return "Click: activate the " + pane + " (the first click only activates a pane)";
}

std::string PreviewHint(const PreviewPlace& place, HintKeys keys) {
    if (!place.hasDocument) {
        return {};
    }
    if (keys.alt) {
        return "Alt+drag: pan the picture";
    }
    if (keys.ctrl && place.photo) {
        return PhotoHint(true);
    }
    if (place.onPoint) {
        return "Drag: move this point \u00B7 Right-click: point menu";
    }
    const std::string zoom = PreviewZoomHint(place.zoomed);
    if (place.insideShape && place.insideSelected) {
        const std::string shape = Named(place.selectedShape);
        if (keys.shift) {
            return Join({"Shift+drag: move " + shape, "Right-click: shape menu"});
        }
        return Join({"Click: add a point to " + shape, "Shift+drag: move " + shape,
                     "Space: start a new shape", "Right-click: shape menu",
                     place.zoomed ? zoom : std::string()});
    }
    if (place.insideShape) {
        const std::string shape = Named(place.hitShape);
        return Join({"Click: select " + shape, "Shift+drag: move " + shape,
                     "Right-click: shape menu", place.zoomed ? zoom : std::string()});
    }
    const std::string photo = PhotoHint(place.photo);
    if (place.emptyModel) {
        return Join({"Click: place the first point of a shape", zoom, photo});
    }
    if (place.selectedShape.empty()) {
        return Join({"Click: place the first point of a new shape", zoom, photo});
    }
    return Join(
        {"Click: add a point to " + place.selectedShape, "Space: start a new shape", zoom, photo});
}

PaneHint TimelineHint(const TimelinePlace& place) {
    using Region = TimelinePlace::Region;
    PaneHint hint;
    switch (place.region) {
    case Region::Nowhere:
        break;
    case Region::AudioStrip:
        hint.text =
            Join({place.hasAudio ? "Double-click: load other audio" : "Double-click: load audio",
                  "Click or drag: move the frame cursor"});
        break;
    case Region::Ruler:
        hint.text = Join({"Click or drag: move the frame cursor", "Ctrl+wheel: zoom"});
        break;
    case Region::Row:
        hint.text = place.onSpider ? Join({"Drag: change this spider's value",
                                           "Right-click: delete it or change the knob"})
                                   : Join({"Click: set a spider on " + place.knob + " at " +
                                               TimelineLabel(place.frame),
                                           "Drag a spider: change its value"});
        break;
    }
    if (place.region == Region::Row && place.value) {
        hint.value = place.knob + ": " + TipValueText(*place.value);
    }
    return hint;
}

std::string ShapesHint(const ShapesPlace& place) {
    using Region = ShapesPlace::Region;
    switch (place.region) {
    case Region::Shape:
        return place.selected
                   ? Join({"Double-click: rename " + Named(place.name), "Right-click: shape menu"})
                   : Join({"Click: select " + Named(place.name), "Double-click: rename",
                           "Right-click: shape menu"});
    case Region::NewShape:
        return "Click: start a new shape, then click in the preview to place its points";
    case Region::EditedMark:
        return "Click: edit " + place.name + " in the preview";
    case Region::ReferenceMark:
        return "Click: show " + place.name + " beside the edited pose for reference";
    case Region::Pose:
        return Join({"Click: edit " + place.name + " and show it alone", "Right-click: pose menu"});
    case Region::NewPose:
        return "Click: add a pose for a knob";
    case Region::Nowhere:
        break;
    }
    return {};
}

std::string ShapesTip(ShapesPlace::Region region) {
    using Region = ShapesPlace::Region;
    switch (region) {
    case Region::Shape:
        return "Shapes of the pumpkin, the topmost last";
    case Region::NewShape:
        return "Starts a new shape";
    case Region::EditedMark:
        return "Edited pose: the pose whose points the preview moves";
    case Region::ReferenceMark:
        return "Reference pose: shown with the edited pose for comparison";
    case Region::Pose:
        return "Poses of the selected shape: its outline for each knob's value";
    case Region::NewPose:
        return "Adds a pose that a knob drives";
    case Region::Nowhere:
        break;
    }
    return {};
}

} // namespace vel::lumo
