#include "templates/FaceParts.h"

#include "apps/lumo/animate/StandardKeys.h"

#include <algorithm>
#include <cmath>

namespace vel::lumo::faces {

namespace {

constexpr KnobKey EyePanKey{"eyepan"};
constexpr KnobKey LeftWinkKey{"eyelwink"};
constexpr KnobKey RightWinkKey{"eyerwink"};

// How much of its height a shut eye keeps: a slit that still reads as an eye.
constexpr float ShutFactor = 0.08f;
// Points along each lip from the middle to a corner.
constexpr int LipSteps = 24;
// How sharply the lips meet at the corners: 0.5 would be an ellipse.
constexpr float CornerSharpness = 0.7f;

Shape MakeShape(const std::string& name, std::uint32_t illumination, Outline base) {
    return Shape{illumination, name, {Pose{KnobKey(), std::move(base)}}};
}

void AddPose(Shape& shape, const KnobKey& key, Outline points) {
    shape.poses.push_back(Pose{key, std::move(points)});
}

void AddShutPoses(Shape& shape, Side side, const Outline& shut) {
    AddPose(shape, EyeBlinkKey, shut);
    AddPose(shape, side == Side::Left ? LeftWinkKey : RightWinkKey, shut);
}

// How much of the tooth stands at u: 1 on the tooth, 0 beside it; a square
// tooth's sides slope over one step so that its outline never doubles back.
float ToothProfile(const Tooth& tooth, float u) {
    const float distance = std::abs(u - tooth.at);
    if (tooth.pointed) {
        return std::max(0.0f, 1.0f - distance / tooth.halfWidth);
    }
    constexpr float step = 1.0f / LipSteps;
    return std::clamp((tooth.halfWidth - distance) / step, 0.0f, 1.0f);
}

// The upper lip from the right corner to the left, then the lower lip back,
// the corners once each.
Outline MouthOutline(const Lips& lips, const std::vector<Tooth>& teeth) {
    const auto lip = [&](float u, bool top) {
        const float curve = lips.smile * u * u + lips.tilt * u;
        const float envelope = std::pow(std::max(0.0f, 1.0f - u * u), CornerSharpness);
        const float opening = (lips.upper + lips.lower) * envelope;
        float y = top ? curve + lips.upper * envelope : curve - lips.lower * envelope;
        for (const Tooth& tooth : teeth) {
            if (tooth.fromTop == top) {
                const float bite = tooth.depth * ToothProfile(tooth, u) * opening;
                y += top ? -bite : bite;
            }
        }
        return Point{lips.halfWidth * u, y};
    };
    Outline points;
    for (int i = -LipSteps; i <= LipSteps; ++i) {
        points.push_back(lip(-static_cast<float>(i) / LipSteps, true));
    }
    for (int i = 1 - LipSteps; i < LipSteps; ++i) {
        points.push_back(lip(static_cast<float>(i) / LipSteps, false));
    }
    return points;
}

} // namespace

Shape Eye(const std::string& name, Side side, const Place& place, const Outline& open,
          float lidLine) {
    Shape eye = MakeShape(name, Shape::CandleColor, place.At(open));
    AddShutPoses(eye, side, place.At(Squashed(open, lidLine, ShutFactor)));
    return eye;
}

Shape Pupil(const std::string& name, std::uint32_t illumination, Side side, const Place& place,
            const Outline& centred, float pan, float lidLine) {
    Shape pupil = MakeShape(name, illumination, place.At(Shifted(centred, -pan, 0.0f)));
    AddPose(pupil, EyePanKey, place.At(Shifted(centred, pan, 0.0f)));
    AddShutPoses(pupil, side, place.At(Squashed(centred, lidLine, ShutFactor)));
    return pupil;
}

Shape Still(const std::string& name, const Place& place, const Outline& outline) {
    return MakeShape(name, Shape::CandleColor, place.At(outline));
}

Shape Mouth(const std::string& name, const Place& place, Point centre, const MouthPoses& poses,
            const std::vector<Tooth>& teeth) {
    const auto outline = [&](const Lips& lips) {
        return place.At(Shifted(MouthOutline(lips, teeth), centre.x, centre.y));
    };
    Shape mouth = MakeShape(name, Shape::CandleColor, outline(poses.rest));
    AddPose(mouth, MouthKey, outline(poses.open));
    AddPose(mouth, MouthWideKey, outline(poses.wide));
    AddPose(mouth, MouthRoundKey, outline(poses.round));
    return mouth;
}

} // namespace vel::lumo::faces
