#include "tools/inspect/InspectJson.h"

#include "apps/lumo/audio/SampleAt.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vel::lumo {
namespace {

using Json = nlohmann::ordered_json;

Json PointJson(Point point) {
    return Json::array({FloatJson(point.x), FloatJson(point.y)});
}

Json PointsJson(const std::vector<Point>& points) {
    Json list = Json::array();
    for (const Point& point : points) {
        list.push_back(PointJson(point));
    }
    return list;
}

Json IntentJson(Knob::Intent intent) {
    const auto value = static_cast<uint32_t>(intent);
    if (value < KnobIntentNames().size()) {
        return std::string(KnobIntentNames()[value]);
    }
    return value;
}

Json KnobJson(const Knob& knob) {
    return {{"key", knob.key.Text()},
            {"name", knob.name},
            {"typical", FloatJson(knob.typical)},
            {"minLabel", knob.minLabel},
            {"minValue", FloatJson(knob.minValue)},
            {"maxLabel", knob.maxLabel},
            {"maxValue", FloatJson(knob.maxValue)},
            {"intent", IntentJson(knob.intent)}};
}

Json ShapeJson(const Shape& shape) {
    Json poses = Json::array();
    for (const Pose& pose : shape.poses) {
        poses.push_back({{"key", pose.key.Text()}, {"points", PointsJson(pose.points)}});
    }
    return {{"name", shape.name}, {"illumination", shape.illumination}, {"poses", poses}};
}

Json TimelineJson(const LumoDocument& document) {
    Json tracks = Json::object();
    for (const auto& [key, track] : document.GetTimeline().GetTracks()) {
        Json anchors = Json::array();
        for (const Anchor& anchor : track.GetAnchors()) {
            anchors.push_back(Json::array({anchor.frame, FloatJson(anchor.value)}));
        }
        tracks[key.Text()] = anchors;
    }
    return {{"frameRate", document.GetFrameRate()},
            {"frameCount", document.GetFrameCount()},
            {"tracks", tracks}};
}

// Null for a fit that leaves the picture as it is.
Json FitJson(const PumpkinFit& fit) {
    if (fit.IsIdentity()) {
        return nullptr;
    }
    Json handles = Json::array();
    for (std::size_t handle = 0; handle < fit.GetActiveHandleCount(); ++handle) {
        const FitPoint at = fit.GetHandle(handle).value_or(FitPoint{});
        handles.push_back(Json::array({FloatJson(at.x), FloatJson(at.y)}));
    }
    return {{"grid", fit.IsGridOn()}, {"handles", handles}};
}

Json PhotoJson(const TracingPhoto& photo) {
    if (photo.IsEmpty()) {
        return nullptr;
    }
    const TracingPhoto::Placement& placement = photo.GetPlacement();
    return {{"bytes", photo.Bytes().size()},
            {"centre", PointJson(placement.centre)},
            {"height", FloatJson(placement.height)},
            {"opacity", FloatJson(placement.opacity)}};
}

// The knob each of the keys 1 to 9 holds, and whether the document chose
// them or has the defaults.
Json ExpressionKeysJson(const LumoDocument& document) {
    Json keys = Json::array();
    for (const std::optional<KnobKey>& key : document.GetExpressionKeys()) {
        keys.push_back(key ? Json(key->Text()) : Json(nullptr));
    }
    return {{"chosen", document.GetOwnExpressionKeys().has_value()}, {"keys", keys}};
}

uint64_t SampleFrames(const AudioClip& clip) {
    return AudioView(clip).FrameCount();
}

Json HeaderJson(const AudioClip& clip) {
    return {{"sampleRate", clip.sampleRate},
            {"format", FormatCodeText(clip.format)},
            {"channels", clip.channels},
            {"bytesPerSampleFrame", clip.bytesPerFrame},
            {"sampleFrames", SampleFrames(clip)}};
}

} // namespace

Json FloatJson(float value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value > 0 ? "inf" : "-inf";
    }
    // The double nearest the float's shortest decimal prints as that decimal.
    char text[32];
    const auto end = std::to_chars(text, text + sizeof(text) - 1, value).ptr;
    *end = '\0';
    return std::strtod(text, nullptr);
}

std::string FormatCodeText(SampleFormat format) {
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(format));
    return text;
}

Json DocumentJson(const LumoDocument& document) {
    Json knobs = Json::array();
    for (const Knob& knob : document.GetKnobs()) {
        knobs.push_back(KnobJson(knob));
    }
    Json shapes = Json::array();
    for (uint64_t shape = 0; shape < document.GetModel().GetShapeCount(); ++shape) {
        shapes.push_back(ShapeJson(document.GetShape(shape)));
    }
    const AudioClip& clip = document.GetAudio();
    return {{"knobs", knobs},
            {"shapes", shapes},
            {"timeline", TimelineJson(document)},
            {"audio", SampleFrames(clip) == 0 ? Json(nullptr) : HeaderJson(clip)},
            {"fit", FitJson(document.GetFit())},
            {"photo", PhotoJson(document.GetPhoto())},
            {"expressionKeys", ExpressionKeysJson(document)}};
}

Json FrameJson(const LumoDocument& document, uint32_t frame) {
    Json values = Json::object();
    for (const auto& [key, value] : document.GetKnobValues(frame)) {
        values[key.Text()] = FloatJson(value);
    }
    Json shapes = Json::array();
    for (const EvaluatedShape& shape : document.EvaluateFrame(frame)) {
        const Rgba& c = shape.color;
        shapes.push_back({{"color", Json::array({FloatJson(c.red), FloatJson(c.green),
                                                 FloatJson(c.blue), FloatJson(c.alpha)})},
                          {"outline", PointsJson(shape.outline)}});
    }
    return {{"number", frame}, {"knobValues", values}, {"shapes", shapes}};
}

Json ClipJson(const AudioClip& clip) {
    Json result = HeaderJson(clip);
    Json peaks = Json::array();
    const uint64_t frames = SampleFrames(clip);
    const uint32_t sampleBytes = BytesPerSample(clip.format);
    for (uint32_t channel = 0; channel < clip.channels; ++channel) {
        float peak = 0;
        for (uint64_t frame = 0; frame < frames; ++frame) {
            const auto offset =
                static_cast<size_t>(frame * clip.bytesPerFrame + uint64_t{channel} * sampleBytes);
            peak = std::max(peak, std::fabs(SampleAt(clip, offset)));
        }
        peaks.push_back(FloatJson(peak));
    }
    result["peaks"] = peaks;
    return result;
}

} // namespace vel::lumo
