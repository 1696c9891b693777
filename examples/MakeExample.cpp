// Makes the example documents: the talking pumpkin (a face whose mouth
// follows a voice clip, blinking eyes, a flickering candle), a heavy
// document for measuring the export's speed, and a still face holding a
// clip of any length for measuring the export's memory.
//
//   lumo-make-example talking-pumpkin VOICE.wav OUT.glw
//   lumo-make-example heavy OUT.glw
//   lumo-make-example clip CLIP.wav FRAME-RATE OUT.glw   (frames per 1000 seconds)

#include "apps/lumo/audio/LoadWav.h"
#include "apps/lumo/audio/SampleAt.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/model/StandardKnobs.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <numbers>
#include <optional>
#include <random>
#include <string>

namespace {

using namespace vel::lumo;

constexpr float Pi = std::numbers::pi_v<float>;

// n points around an outline given as a function of the angle, counter-clockwise from the right.
std::vector<Point> Around(int n, const std::function<Point(float)>& at) {
    std::vector<Point> points;
    points.reserve(static_cast<std::size_t>(std::max(n, 0)));
    for (int i = 0; i < n; ++i) {
        points.push_back(at(2 * Pi * static_cast<float>(i) / static_cast<float>(n)));
    }
    return points;
}

Shape MakeShape(const std::string& name, uint32_t illumination, std::vector<Point> base) {
    return Shape{illumination, name, {Pose{KnobKey(), std::move(base)}}};
}

void AddPose(Shape& shape, std::string_view key, std::vector<Point> points) {
    shape.poses.push_back(Pose{KnobKey(key), std::move(points)});
}

// An eye whose top is pointed a little, and the slit it closes to.
Shape Eye(const std::string& name, float cx, float cy) {
    auto open = [=](float t) {
        const float s = std::sin(t);
        return Point{cx + 0.26f * std::cos(t), cy + s * (s > 0 ? 0.24f : 0.15f)};
    };
    auto closed = [=](float t) {
        return Point{cx + 0.26f * std::cos(t), cy - 0.06f + 0.015f * std::sin(t)};
    };
    Shape eye = MakeShape(name, Shape::CandleColor, Around(32, open));
    AddPose(eye, "eyeblink", Around(32, closed));
    return eye;
}

Shape Pupil(const std::string& name, float cx, float cy) {
    auto open = [=](float t) {
        return Point{cx + 0.08f * std::cos(t), cy + 0.09f * std::sin(t)};
    };
    auto closed = [=](float t) {
        return Point{cx + 0.08f * std::cos(t), cy - 0.06f + 0.004f * std::sin(t)};
    };
    Shape pupil = MakeShape(name, Shape::Dark, Around(24, open));
    AddPose(pupil, "eyeblink", Around(24, closed));
    return pupil;
}

// A grin: the upper and lower lips follow a smile curve; the poses open it
// wide ("mouth") or round it ("mOOO").
Shape Mouth() {
    constexpr int kHalf = 20;
    constexpr float kCy = -0.42f;
    auto outline = [](float width, float smile, float up, float down) {
        std::vector<Point> points;
        for (int i = 0; i <= kHalf; ++i) { // upper lip, right to left
            const float u = 1.0f - 2.0f * static_cast<float>(i) / kHalf;
            const float s = std::sqrt(std::max(0.0f, 1 - u * u));
            points.push_back({width * u, kCy + smile * u * u + up * s});
        }
        for (int i = 1; i < kHalf; ++i) { // lower lip, left to right
            const float u = -1.0f + 2.0f * static_cast<float>(i) / kHalf;
            const float s = std::sqrt(std::max(0.0f, 1 - u * u));
            points.push_back({width * u, kCy + smile * u * u - down * s});
        }
        return points;
    };
    Shape mouth = MakeShape("Mouth", Shape::CandleColor, outline(0.62f, 0.16f, 0.02f, 0.04f));
    AddPose(mouth, "mouth", outline(0.62f, 0.12f, 0.08f, 0.30f));
    AddPose(mouth, "mOOO", outline(0.24f, 0.0f, 0.16f, 0.20f));
    return mouth;
}

Shape Nose() {
    return MakeShape("Nose", Shape::CandleColor,
                     {{0.0f, 0.02f}, {-0.09f, -0.16f}, {0.09f, -0.16f}});
}

void AddStandardKnob(LumoDocument& document, std::string_view key) {
    for (const Knob& knob : StandardKnobs()) {
        if (knob.key == KnobKey(key)) {
            document.GetModel().AddKnob(knob);
        }
    }
}

// Loudness and brightness of the voice in each frame: root mean square and
// zero crossings per sample, both 0..1.
struct VoiceFrame {
    float loudness = 0;
    float crossings = 0;
};

std::vector<VoiceFrame> Analyse(const AudioClip& clip, uint32_t frameRate, uint32_t frames) {
    std::vector<VoiceFrame> result(frames);
    const AudioView view(clip);
    const uint64_t total = view.FrameCount();
    const double perFrame = clip.sampleRate * 1000.0 / frameRate;
    float peak = 1e-6f;
    for (uint32_t f = 0; f < frames; ++f) {
        const auto begin = static_cast<uint64_t>(f * perFrame);
        const uint64_t end = std::min(total, static_cast<uint64_t>((f + 1) * perFrame));
        double sum = 0;
        uint32_t crossings = 0;
        float last = 0;
        for (uint64_t i = begin; i < end; ++i) {
            const float v = SampleAt(view, i * clip.bytesPerFrame);
            sum += v * v;
            crossings += (v > 0) != (last > 0);
            last = v;
        }
        if (end > begin) {
            result[f].loudness = static_cast<float>(std::sqrt(sum / double(end - begin)));
            result[f].crossings = static_cast<float>(crossings) / float(end - begin);
        }
        peak = std::max(peak, result[f].loudness);
    }
    for (VoiceFrame& v : result) {
        v.loudness /= peak;
    }
    return result;
}

// The candle flickers: lightness and hue wander a little every few frames.
void Flicker(KnobTimeline& timeline, uint32_t frames, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> light(0.42f, 0.62f);
    std::uniform_real_distribution<float> hue(26.0f, 42.0f);
    for (uint32_t f = 0; f <= frames; f += 3) {
        timeline.SetAnchor(CandleLightnessKey, f, light(random));
    }
    for (uint32_t f = 0; f <= frames; f += 7) {
        timeline.SetAnchor(CandleHueKey, f, hue(random));
    }
}

// The clip in the file, or nothing when it cannot be read.
std::optional<AudioClip> ReadClip(const std::string& file) {
    AudioClip clip = LoadWav(file);
    if (clip.Samples().empty()) {
        std::fprintf(stderr, "%s: cannot read the clip\n", file.c_str());
        return std::nullopt;
    }
    return clip;
}

// The talking pumpkin's face, still, with its knobs.
std::unique_ptr<LumoDocument> Face() {
    auto document = LumoDocument::New();
    Model& model = document->GetModel();
    for (std::string_view key : {"eyeblink", "mouth", "mOOO"}) {
        AddStandardKnob(*document, key);
    }
    const Shape shapes[] = {Eye("Left Eye", -0.45f, 0.3f),
                            Pupil("Left Pupil", -0.42f, 0.27f),
                            Eye("Right Eye", 0.45f, 0.3f),
                            Pupil("Right Pupil", 0.48f, 0.27f),
                            Nose(),
                            Mouth()};
    for (const Shape& shape : shapes) {
        model.InsertShape(model.GetShapeCount(), shape);
    }
    document->SynchroniseTimeline();
    return document;
}

int TalkingPumpkin(const std::string& voiceFile, const std::string& out) {
    std::optional<AudioClip> voice = ReadClip(voiceFile);
    if (!voice) {
        return 1;
    }
    auto document = Face();
    document->SetAudio(*voice);

    const uint32_t rate = document->GetFrameRate();
    const uint32_t talking = document->GetFrameCount();
    const uint32_t frames = talking + 20; // a moment of silence to close the mouth
    KnobTimeline& timeline = document->GetTimeline();
    const std::vector<VoiceFrame> voiceFrames = Analyse(document->GetAudio(), rate, frames);
    for (uint32_t f = 0; f < frames; ++f) {
        const VoiceFrame& v = voiceFrames[f];
        timeline.SetAnchor(KnobKey("mouth"), f, std::min(1.0f, v.loudness * 1.4f));
        // Loud and dark-sounding (few zero crossings) reads as a rounded vowel.
        const bool rounded = v.loudness > 0.3f && v.crossings < 0.06f;
        timeline.SetAnchor(KnobKey("mOOO"), f, rounded ? 0.7f : 0.0f);
    }
    for (uint32_t blink : {25u, 95u, 150u, 170u}) {
        if (blink + 3 >= frames) {
            continue;
        }
        timeline.SetAnchor(KnobKey("eyeblink"), blink - 3, 0.0f);
        timeline.SetAnchor(KnobKey("eyeblink"), blink, 1.0f);
        timeline.SetAnchor(KnobKey("eyeblink"), blink + 3, 0.0f);
    }
    Flicker(timeline, frames, 7);
    return document->Save(out) ? 0 : 1;
}

// 200 shapes of 60 points with 4 poses each over 600 frames: a grid of
// wobbling stars, lit and dark in turn.
int Heavy(const std::string& out) {
    auto document = LumoDocument::New();
    Model& model = document->GetModel();
    const char* keys[] = {"mouth", "mEEE", "mOOO"};
    for (const char* key : keys) {
        AddStandardKnob(*document, key);
    }
    for (int i = 0; i < 200; ++i) {
        const int column = i % 20;
        const int row = i / 20;
        const float cx = -1.6f + 0.168f * static_cast<float>(column);
        const float cy = -0.85f + 0.19f * static_cast<float>(row);
        auto star = [=](float spikes, float depth) {
            return Around(60, [=](float t) {
                const float r = 0.07f * (1 + depth * std::sin(spikes * t));
                return Point{cx + r * std::cos(t), cy + r * std::sin(t)};
            });
        };
        Shape shape = MakeShape("Star " + std::to_string(i),
                                i % 3 == 2 ? Shape::Dark : Shape::CandleColor, star(5, 0.2f));
        for (int p = 0; p < 3; ++p) {
            AddPose(shape, keys[p], star(static_cast<float>(6 + p), 0.45f));
        }
        model.InsertShape(model.GetShapeCount(), shape);
    }
    document->SynchroniseTimeline();
    KnobTimeline& timeline = document->GetTimeline();
    for (uint32_t f = 0; f <= 600; f += 10) {
        for (int p = 0; p < 3; ++p) {
            timeline.SetAnchor(
                KnobKey(keys[p]), f,
                0.5f + 0.5f * std::sin(static_cast<float>(f) * 0.05f + static_cast<float>(p)));
        }
    }
    Flicker(timeline, 600, 11);
    return document->Save(out) ? 0 : 1;
}

// The frames follow the clip's length, so the frame rate sets how many
// pictures a long clip costs.
int Clip(const std::string& clipFile, const std::string& frameRate, const std::string& out) {
    std::optional<AudioClip> clip = ReadClip(clipFile);
    if (!clip) {
        return 1;
    }
    auto document = Face();
    document->GetTimeline().SetFrameRate(static_cast<uint32_t>(std::stoul(frameRate)));
    document->SetAudio(*clip);
    return document->Save(out) ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string kind = argc > 1 ? argv[1] : "";
    if (kind == "talking-pumpkin" && argc == 4) {
        return TalkingPumpkin(argv[2], argv[3]);
    }
    if (kind == "heavy" && argc == 3) {
        return Heavy(argv[2]);
    }
    if (kind == "clip" && argc == 5) {
        return Clip(argv[2], argv[3], argv[4]);
    }
    std::fputs("usage: lumo-make-example talking-pumpkin VOICE.wav OUT.glw\n"
               "       lumo-make-example heavy OUT.glw\n"
               "       lumo-make-example clip CLIP.wav FRAME-RATE OUT.glw\n",
               stderr);
    return 2;
}
