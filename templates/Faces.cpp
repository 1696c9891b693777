#include "templates/Faces.h"

#include "templates/FaceParts.h"

#include <cmath>
#include <numbers>

// Every face is drawn in its own units: centred on the origin, y up, about
// two units wide and tall, the left eye at negative x. The right eye is the
// left one mirrored.

namespace vel::lumo::faces {

namespace {

constexpr float Pi = std::numbers::pi_v<float>;
constexpr int EyePoints = 32;
constexpr int PupilPoints = 24;
constexpr int EdgePoints = 10;

struct EyeDesign {
    Outline eye; // the left one
    // Where the lid comes down to.
    float lidLine = 0.0f;
    // The left pupil's centre, and its outline about the origin.
    Point pupilAt;
    Outline pupil;
    // How far the pupil looks to either side.
    float pan = 0.0f;
    // A lit glint about the pupil's centre, the same on both sides; or none.
    Outline glint;
};

void AddEyes(std::vector<Shape>& shapes, const std::string& prefix, const Place& place,
             const EyeDesign& design) {
    for (Side side : {Side::Left, Side::Right}) {
        const bool left = side == Side::Left;
        const std::string which = prefix + (left ? "Left " : "Right ");
        const Point at{left ? design.pupilAt.x : -design.pupilAt.x, design.pupilAt.y};
        shapes.push_back(Eye(which + "Eye", side, place,
                             left ? design.eye : Mirrored(design.eye, 0), design.lidLine));
        shapes.push_back(Pupil(which + "Pupil", Shape::Dark, side, place,
                               Shifted(design.pupil, at.x, at.y), design.pan, design.lidLine));
        if (!design.glint.empty()) {
            shapes.push_back(Pupil(which + "Glint", Shape::CandleColor, side, place,
                                   Shifted(design.glint, at.x, at.y), design.pan, design.lidLine));
        }
    }
}

// A still cut on the left and its mirror image on the right.
void AddPair(std::vector<Shape>& shapes, const std::string& prefix, const std::string& name,
             const Place& place, const Outline& left) {
    shapes.push_back(Still(prefix + "Left " + name, place, left));
    shapes.push_back(Still(prefix + "Right " + name, place, Mirrored(left, 0)));
}

// A letter Z standing on its lower left corner, size units tall.
Outline Zed(Point corner, float size) {
    const Outline unit{{0.0f, 1.0f}, {0.9f, 1.0f}, {0.9f, 0.8f}, {0.3f, 0.2f}, {0.9f, 0.2f},
                       {0.9f, 0.0f}, {0.0f, 0.0f}, {0.0f, 0.2f}, {0.6f, 0.8f}, {0.0f, 0.8f}};
    Outline letter;
    for (Point point : unit) {
        letter.push_back({corner.x + size * point.x, corner.y + size * point.y});
    }
    return letter;
}

// The lower half of an ellipse under a straight lid: an eye half shut.
Outline HalfShut(Point centre, float rx, float ry) {
    constexpr int arc = 24;
    constexpr int lid = 8;
    Outline points;
    for (int i = 0; i <= arc; ++i) {
        const float t = Pi + Pi * static_cast<float>(i) / arc;
        points.push_back({centre.x + rx * std::cos(t), centre.y + ry * std::sin(t)});
    }
    for (int i = 1; i < lid; ++i) {
        points.push_back({centre.x + rx - 2 * rx * static_cast<float>(i) / lid, centre.y});
    }
    return points;
}

Outline Circle(float radius) {
    return Ellipse(PupilPoints, {0.0f, 0.0f}, radius, radius);
}

std::vector<Shape> ClassicGrin(const Place& place, const std::string& prefix) {
    std::vector<Shape> shapes;
    AddEyes(shapes, prefix, place,
            {.eye = Polygon({{-0.66f, 0.12f}, {-0.18f, 0.12f}, {-0.44f, 0.5f}}, EdgePoints),
             .lidLine = 0.12f,
             .pupilAt = {-0.42f, 0.22f},
             .pupil = Circle(0.07f),
             .pan = 0.06f,
             .glint = {}});
    shapes.push_back(Still(prefix + "Nose", place, {{-0.1f, -0.1f}, {0.1f, -0.1f}, {0.0f, 0.1f}}));
    shapes.push_back(Mouth(prefix + "Mouth", place, {0.0f, -0.42f},
                           {.rest = {0.7f, 0.2f, 0.0f, 0.05f, 0.16f},
                            .open = {0.68f, 0.16f, 0.0f, 0.12f, 0.36f},
                            .wide = {0.88f, 0.16f, 0.0f, 0.04f, 0.14f},
                            .round = {0.34f, 0.04f, 0.0f, 0.16f, 0.22f}},
                           {{-1.0f / 3, 0.1f, 0.6f, true, false},
                            {1.0f / 3, 0.1f, 0.6f, true, false},
                            {0.0f, 0.1f, 0.55f, false, false},
                            {-2.0f / 3, 0.07f, 0.5f, false, false},
                            {2.0f / 3, 0.07f, 0.5f, false, false}}));
    return shapes;
}

std::vector<Shape> ScaryTeeth(const Place& place, const std::string& prefix) {
    std::vector<Shape> shapes;
    AddPair(shapes, prefix, "Brow", place,
            {{-0.8f, 0.58f}, {-0.14f, 0.34f}, {-0.12f, 0.41f}, {-0.5f, 0.58f}, {-0.76f, 0.66f}});
    AddEyes(shapes, prefix, place,
            {.eye = Polygon(
                 {{-0.7f, 0.42f}, {-0.66f, 0.1f}, {-0.52f, 0.17f}, {-0.4f, 0.04f}, {-0.16f, 0.2f}},
                 EdgePoints),
             .lidLine = 0.08f,
             .pupilAt = {-0.46f, 0.2f},
             .pupil = Circle(0.05f),
             .pan = 0.06f,
             .glint = {}});
    shapes.push_back(
        Still(prefix + "Nose", place, {{-0.08f, -0.14f}, {0.08f, -0.14f}, {0.0f, 0.14f}}));
    std::vector<Tooth> teeth;
    for (int i = -2; i <= 2; ++i) {
        teeth.push_back({static_cast<float>(i) / 3, 0.15f, 0.65f, true, true});
    }
    for (int i = -3; i <= 3; i += 2) {
        teeth.push_back({static_cast<float>(i) / 6, 0.15f, 0.6f, false, true});
    }
    shapes.push_back(Mouth(prefix + "Mouth", place, {0.0f, -0.45f},
                           {.rest = {0.78f, 0.22f, 0.0f, 0.12f, 0.24f},
                            .open = {0.76f, 0.16f, 0.0f, 0.18f, 0.42f},
                            .wide = {0.96f, 0.18f, 0.0f, 0.08f, 0.16f},
                            .round = {0.4f, 0.06f, 0.0f, 0.2f, 0.26f}},
                           teeth));
    return shapes;
}

std::vector<Shape> Cute(const Place& place, const std::string& prefix) {
    std::vector<Shape> shapes;
    AddEyes(shapes, prefix, place,
            {.eye = Ellipse(EyePoints, {-0.4f, 0.2f}, 0.2f, 0.23f),
             .lidLine = 0.06f,
             .pupilAt = {-0.4f, 0.17f},
             .pupil = Ellipse(PupilPoints, {0.0f, 0.0f}, 0.11f, 0.12f),
             .pan = 0.06f,
             .glint = Ellipse(PupilPoints, {0.04f, 0.05f}, 0.035f, 0.035f)});
    AddPair(shapes, prefix, "Cheek", place, Ellipse(PupilPoints, {-0.68f, -0.14f}, 0.11f, 0.06f));
    shapes.push_back(
        Still(prefix + "Nose", place, {{-0.06f, 0.02f}, {0.0f, -0.05f}, {0.06f, 0.02f}}));
    shapes.push_back(Mouth(prefix + "Mouth", place, {0.0f, -0.3f},
                           {.rest = {0.26f, 0.1f, 0.0f, 0.02f, 0.12f},
                            .open = {0.26f, 0.08f, 0.0f, 0.05f, 0.3f},
                            .wide = {0.36f, 0.1f, 0.0f, 0.02f, 0.12f},
                            .round = {0.14f, 0.0f, 0.0f, 0.1f, 0.14f}},
                           {{0.5f, 0.15f, 0.45f, true, true}}));
    return shapes;
}

std::vector<Shape> Surprised(const Place& place, const std::string& prefix) {
    std::vector<Shape> shapes;
    AddPair(shapes, prefix, "Brow", place,
            Band(16, {-0.36f, 0.2f}, 0.36f, 0.42f, 0.3f * Pi, 0.75f * Pi));
    AddEyes(shapes, prefix, place,
            {.eye = Ellipse(EyePoints, {-0.36f, 0.2f}, 0.17f, 0.27f),
             .lidLine = 0.06f,
             .pupilAt = {-0.36f, 0.18f},
             .pupil = Circle(0.05f),
             .pan = 0.08f,
             .glint = {}});
    shapes.push_back(
        Still(prefix + "Nose", place, {{-0.07f, -0.1f}, {0.07f, -0.1f}, {0.0f, 0.06f}}));
    shapes.push_back(Mouth(prefix + "Mouth", place, {0.0f, -0.45f},
                           {.rest = {0.18f, 0.0f, 0.0f, 0.16f, 0.2f},
                            .open = {0.2f, 0.0f, 0.0f, 0.24f, 0.34f},
                            .wide = {0.28f, 0.02f, 0.0f, 0.1f, 0.16f},
                            .round = {0.13f, 0.0f, 0.0f, 0.2f, 0.26f}},
                           {}));
    return shapes;
}

std::vector<Shape> SlyCat(const Place& place, const std::string& prefix) {
    std::vector<Shape> shapes;
    AddPair(shapes, prefix, "Ear", place, {{-0.8f, 0.56f}, {-0.44f, 0.66f}, {-0.74f, 0.9f}});
    const Point eye{-0.4f, 0.22f};
    AddEyes(shapes, prefix, place,
            {.eye = Rotated(Almond(EyePoints, eye, 0.22f, 0.05f, 0.13f), eye, -0.3f),
             .lidLine = 0.18f,
             .pupilAt = {-0.4f, 0.2f},
             .pupil = Ellipse(PupilPoints, {0.0f, 0.0f}, 0.035f, 0.11f),
             .pan = 0.08f,
             .glint = {}});
    shapes.push_back(
        Still(prefix + "Nose", place, {{-0.07f, 0.0f}, {0.0f, -0.08f}, {0.07f, 0.0f}}));
    for (int i = 0; i < 3; ++i) {
        const float y = -0.16f - 0.06f * static_cast<float>(i);
        const float spread = 0.1f * static_cast<float>(1 - i);
        AddPair(shapes, prefix, "Whisker " + std::to_string(i + 1), place,
                {{-0.36f, y - 0.012f}, {-0.36f, y + 0.012f}, {-0.96f, y + spread}});
    }
    shapes.push_back(Mouth(prefix + "Mouth", place, {0.0f, -0.32f},
                           {.rest = {0.28f, 0.1f, 0.07f, 0.01f, 0.08f},
                            .open = {0.26f, 0.06f, 0.05f, 0.05f, 0.24f},
                            .wide = {0.36f, 0.1f, 0.07f, 0.01f, 0.08f},
                            .round = {0.15f, 0.0f, 0.02f, 0.08f, 0.12f}},
                           {{-0.5f, 0.125f, 0.5f, true, true}, {0.5f, 0.125f, 0.5f, true, true}}));
    return shapes;
}

std::vector<Shape> Vampire(const Place& place, const std::string& prefix) {
    std::vector<Shape> shapes;
    AddPair(shapes, prefix, "Brow", place,
            {{-0.72f, 0.44f}, {-0.16f, 0.3f}, {-0.14f, 0.36f}, {-0.7f, 0.52f}});
    AddEyes(shapes, prefix, place,
            {.eye = Polygon({{-0.66f, 0.3f}, {-0.6f, 0.16f}, {-0.36f, 0.12f}, {-0.2f, 0.22f}},
                            EdgePoints),
             .lidLine = 0.14f,
             .pupilAt = {-0.42f, 0.2f},
             .pupil = Circle(0.05f),
             .pan = 0.06f,
             .glint = {}});
    shapes.push_back(
        Still(prefix + "Nose", place, {{-0.06f, -0.1f}, {0.06f, -0.1f}, {0.0f, 0.1f}}));
    shapes.push_back(
        Mouth(prefix + "Mouth", place, {0.0f, -0.4f},
              {.rest = {0.5f, 0.14f, 0.0f, 0.03f, 0.16f},
               .open = {0.48f, 0.1f, 0.0f, 0.1f, 0.36f},
               .wide = {0.64f, 0.12f, 0.0f, 0.03f, 0.14f},
               .round = {0.26f, 0.0f, 0.0f, 0.14f, 0.2f}},
              {{-0.375f, 0.125f, 0.8f, true, true}, {0.375f, 0.125f, 0.8f, true, true}}));
    return shapes;
}

std::vector<Shape> Sleepy(const Place& place, const std::string& prefix) {
    std::vector<Shape> shapes;
    AddEyes(shapes, prefix, place,
            {.eye = HalfShut({-0.4f, 0.2f}, 0.2f, 0.13f),
             .lidLine = 0.07f,
             .pupilAt = {-0.4f, 0.17f},
             .pupil = Circle(0.075f),
             .pan = 0.07f,
             .glint = {}});
    for (int i = 0; i < 3; ++i) {
        const float step = static_cast<float>(i);
        shapes.push_back(
            Still(prefix + "Z " + std::to_string(i + 1), place,
                  Zed({0.5f + 0.2f * step, 0.5f + 0.17f * step}, 0.16f - 0.035f * step)));
    }
    shapes.push_back(
        Still(prefix + "Nose", place, {{-0.07f, -0.1f}, {0.07f, -0.1f}, {0.0f, 0.06f}}));
    shapes.push_back(Mouth(prefix + "Mouth", place, {0.04f, -0.42f},
                           {.rest = {0.14f, -0.02f, 0.0f, 0.04f, 0.08f},
                            .open = {0.17f, 0.0f, 0.0f, 0.12f, 0.3f},
                            .wide = {0.22f, 0.0f, 0.0f, 0.03f, 0.08f},
                            .round = {0.1f, 0.0f, 0.0f, 0.1f, 0.14f}},
                           {}));
    return shapes;
}

// Three small faces side by side, one for each of three pumpkins in front of
// one projector.
std::vector<Shape> Trio(const Place& place, const std::string& prefix) {
    constexpr float gap = 1.12f;
    constexpr float size = 0.5f;
    std::vector<Shape> shapes;
    const auto add = [&](std::vector<Shape> face) {
        shapes.insert(shapes.end(), face.begin(), face.end());
    };
    add(ClassicGrin({place.x - gap, place.y, size}, prefix + "Pumpkin 1 "));
    add(Cute({place.x, place.y, size}, prefix + "Pumpkin 2 "));
    add(ScaryTeeth({place.x + gap, place.y, size}, prefix + "Pumpkin 3 "));
    return shapes;
}

} // namespace

std::vector<Face> StarterFaces() {
    const Place whole;
    return {
        {"classic-grin.glw", "Classic Grin", ClassicGrin(whole, "")},
        {"scary-teeth.glw", "Scary Teeth", ScaryTeeth(whole, "")},
        {"cute.glw", "Cute", Cute(whole, "")},
        {"surprised.glw", "Surprised", Surprised(whole, "")},
        {"sly-cat.glw", "Sly Cat", SlyCat(whole, "")},
        {"vampire.glw", "Vampire", Vampire(whole, "")},
        {"sleepy.glw", "Sleepy", Sleepy(whole, "")},
        {"trio.glw", "Trio for Three Pumpkins", Trio(whole, "")},
    };
}

} // namespace vel::lumo::faces
