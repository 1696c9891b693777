#include "apps/lumo/panes/PaneHints.h"

#include "tests/support/ScopedLocale.h"

#include <gtest/gtest.h>
#include <ostream>

namespace vel::lumo {

// A failed comparison shows the hint's texts, not its bytes.
void PrintTo(const PaneHint& hint, std::ostream* out) {
    *out << "{text: \"" << hint.text << "\", value: \"" << hint.value << "\"}";
}

namespace test {
namespace {

TEST(PaneHintsTest, AHintPrintsAsItsTexts) {
    EXPECT_EQ(::testing::PrintToString(PaneHint{"Click: zoom", "Mouth: 0.5"}),
              "{text: \"Click: zoom\", value: \"Mouth: 0.5\"}");
}

PreviewPlace InsideMouth() {
    PreviewPlace place;
    place.hasDocument = true;
    place.selectedShape = "Mouth";
    place.insideShape = true;
    place.insideSelected = true;
    place.hitShape = "Mouth";
    return place;
}

TEST(PaneHintsTest, PreviewNamesTheGesturesOfEachPlaceAndModifier) {
    const PreviewPlace mouth = InsideMouth();
    EXPECT_EQ(PreviewHint(mouth, {}), "Click: add a point to Mouth \u00B7 Shift+drag: move Mouth "
                                      "\u00B7 Space: start a new shape \u00B7 Right-click: shape "
                                      "menu");
    EXPECT_EQ(PreviewHint(mouth, {.shift = true}),
              "Shift+drag: move Mouth \u00B7 Right-click: shape menu");
    EXPECT_EQ(PreviewHint(mouth, {.alt = true}), "Alt+drag: pan the picture");

    PreviewPlace marker = mouth;
    marker.onPoint = true;
    EXPECT_EQ(PreviewHint(marker, {}), "Drag: move this point \u00B7 Right-click: point menu");

    PreviewPlace eyes = mouth;
    eyes.insideSelected = false;
    eyes.hitShape = "Eyes";
    EXPECT_EQ(PreviewHint(eyes, {}),
              "Click: select Eyes \u00B7 Shift+drag: move Eyes \u00B7 Right-click: shape menu");

    PreviewPlace outside = mouth;
    outside.insideShape = false;
    outside.insideSelected = false;
    EXPECT_EQ(PreviewHint(outside, {}), "Click: add a point to Mouth \u00B7 Space: start a new "
                                        "shape \u00B7 Ctrl+wheel: zoom");
    outside.zoomed = true;
    EXPECT_EQ(PreviewHint(outside, {}), "Click: add a point to Mouth \u00B7 Space: start a new "
                                        "shape \u00B7 Middle-drag: pan \u00B7 Ctrl+0: whole "
                                        "picture");
    outside.selectedShape.clear();
    outside.zoomed = false;
    EXPECT_EQ(PreviewHint(outside, {}),
              "Click: place the first point of a new shape \u00B7 Ctrl+wheel: zoom");
    outside.emptyModel = true;
    EXPECT_EQ(PreviewHint(outside, {}),
              "Click: place the first point of a shape \u00B7 Ctrl+wheel: zoom");
    EXPECT_EQ(PreviewHint(PreviewPlace{}, {}), "");
}

// Where there is nothing to pick, a photo to trace says how to place it, and
// Ctrl, which drags it, shows that alone.
TEST(PaneHintsTest, PreviewSaysHowToPlaceAPhotoToTrace) {
    PreviewPlace outside;
    outside.hasDocument = true;
    outside.emptyModel = true;
    outside.photo = true;
    const std::string photo =
        "Ctrl+drag: move the photo \u00B7 Shift+wheel: resize it \u00B7 [ and ]: fade it";
    EXPECT_EQ(PreviewHint(outside, {}), "Click: place the first point of a shape \u00B7 "
                                        "Ctrl+wheel: zoom \u00B7 " +
                                            photo);
    EXPECT_EQ(PreviewHint(outside, {.ctrl = true}), photo);
    PreviewPlace mouth = InsideMouth();
    mouth.photo = true;
    EXPECT_EQ(PreviewHint(mouth, {.ctrl = true}), photo);
    mouth.photo = false;
    EXPECT_EQ(PreviewHint(mouth, {.ctrl = true}), PreviewHint(mouth, {}));
}

// A shape the user never named still reads as something to point at.
TEST(PaneHintsTest, PreviewNamesAnUnnamedShapeAsThisShape) {
    PreviewPlace place = InsideMouth();
    place.selectedShape.clear();
    place.hitShape.clear();
    EXPECT_EQ(PreviewHint(place, {.shift = true}),
              "Shift+drag: move this shape \u00B7 Right-click: shape menu");
}

TEST(PaneHintsTest, TimelineNamesTheRowKnobAndFrameAndShowsTheValue) {
    const vel::testing::ScopedLocale locale(QLocale::c());
    TimelinePlace row;
    row.region = TimelinePlace::Region::Row;
    row.knob = "Mouth";
    row.frame = 42;
    row.value = 0.4217f;
    EXPECT_EQ(TimelineHint(row), (PaneHint{"Click: set a spider on Mouth at 00:01;12 \u00B7 Drag "
                                           "a spider: change its value",
                                           "Mouth: 0.42"}));
    row.onSpider = true;
    EXPECT_EQ(TimelineHint(row).text, "Drag: change this spider's value \u00B7 Right-click: "
                                      "delete it or change the knob");

    TimelinePlace ruler;
    ruler.region = TimelinePlace::Region::Ruler;
    ruler.value = 1.0f;
    EXPECT_EQ(TimelineHint(ruler),
              (PaneHint{"Click or drag: move the frame cursor \u00B7 Ctrl+wheel: zoom", ""}));

    TimelinePlace strip;
    strip.region = TimelinePlace::Region::AudioStrip;
    EXPECT_EQ(TimelineHint(strip).text,
              "Double-click: load audio \u00B7 Click or drag: move the frame cursor");
    strip.hasAudio = true;
    EXPECT_EQ(TimelineHint(strip).text,
              "Double-click: load other audio \u00B7 Click or drag: move the frame cursor");
    EXPECT_EQ(TimelineHint(TimelinePlace{}), PaneHint{});
}

TEST(PaneHintsTest, ShapesPaneExplainsEveryLineAndColumn) {
    using Region = ShapesPlace::Region;
    EXPECT_EQ(ShapesHint({Region::Shape, "Eyes", false}),
              "Click: select Eyes \u00B7 Double-click: rename \u00B7 Right-click: shape menu");
    EXPECT_EQ(ShapesHint({Region::Shape, "Eyes", true}),
              "Double-click: rename Eyes \u00B7 Right-click: shape menu");
    EXPECT_EQ(ShapesHint({Region::EditedMark, "Blink", false}), "Click: edit Blink in the preview");
    EXPECT_EQ(ShapesHint({Region::ReferenceMark, "first", false}),
              "Click: show first beside the edited pose for reference");
    EXPECT_EQ(ShapesHint({Region::Pose, "Blink", false}),
              "Click: edit Blink and show it alone \u00B7 Right-click: pose menu");
    EXPECT_EQ(ShapesHint({Region::NewPose, "", false}), "Click: add a pose for a knob");
    EXPECT_NE(ShapesHint({Region::NewShape, "", false}), "");
    EXPECT_EQ(ShapesHint({}), "");
    for (Region region : {Region::Shape, Region::NewShape, Region::EditedMark,
                          Region::ReferenceMark, Region::Pose, Region::NewPose}) {
        EXPECT_NE(ShapesTip(region), "") << static_cast<int>(region);
    }
    EXPECT_EQ(ShapesTip(Region::Nowhere), "");
}

TEST(PaneHintsTest, AnUnfocusedPaneSaysItsFirstClickOnlyActivatesIt) {
    EXPECT_EQ(ActivateHint("preview"),
              "Click: activate the preview (the first click only activates a pane)");
}

} // namespace
} // namespace test
} // namespace vel::lumo
