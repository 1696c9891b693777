// Makes the starter faces: one document per face, with every standard knob
// and the candle lit warm, and an index of their file and display names.
//
//   lumo-make-templates FOLDER

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/model/StandardKnobs.h"
#include "core/FailureMessage.h"
#include "core/FileErrorText.h"
#include "core/ReplacingFile.h"
#include "templates/Faces.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

namespace {

using namespace vel::lumo;

// A pumpkin's candle: orange, full and fairly bright.
constexpr float WarmHue = 30.0f;
constexpr float WarmSaturation = 1.0f;
constexpr float WarmLightness = 0.55f;

constexpr const char* Program = "lumo-make-templates";

// The index's name in the folder; one face a line, as "FILE<tab>NAME".
constexpr const char* IndexName = "faces.txt";

bool HasKnob(const Model& model, const KnobKey& key) {
    const std::vector<Knob> knobs = model.GetKnobs();
    return std::any_of(knobs.begin(), knobs.end(),
                       [&](const Knob& knob) { return knob.key == key; });
}

std::unique_ptr<LumoDocument> FaceDocument(const faces::Face& face) {
    auto document = LumoDocument::New();
    Model& model = document->GetModel();
    for (const Knob& knob : StandardKnobs()) {
        if (!HasKnob(model, knob.key)) {
            model.AddKnob(knob);
        }
    }
    for (const Shape& shape : face.shapes) {
        model.InsertShape(model.GetShapeCount(), shape);
    }
    document->SynchroniseTimeline();
    KnobTimeline& timeline = document->GetTimeline();
    timeline.SetAnchor(CandleHueKey, 0, WarmHue);
    timeline.SetAnchor(CandleSaturationKey, 0, WarmSaturation);
    timeline.SetAnchor(CandleLightnessKey, 0, WarmLightness);
    // The eye knobs' typical values each shut the eyes a little, and they add
    // up: the faces start with their eyes wide open.
    for (std::string_view eyes : {"eyeblink", "eyelwink", "eyerwink"}) {
        timeline.SetAnchor(KnobKey(eyes), 0, 0.0f);
    }
    return document;
}

int Fail(const std::string& path, const vel::core::FileError& error) {
    return vel::core::Fail(path, vel::core::FileErrorText(error, vel::core::FileOperation::Writing),
                           std::cerr, Program);
}

int WriteIndex(const std::string& path, const std::string& text) {
    vel::core::ReplacingFile file;
    if (file.Open(path) && file.GetFile().Write(text.data(), text.size()) == text.size() &&
        file.Commit()) {
        return 0;
    }
    return Fail(path, file.Failure());
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: lumo-make-templates FOLDER\n", stderr);
        return 2;
    }
    const std::string folder = argv[1];
    std::string index;
    for (const faces::Face& face : faces::StarterFaces()) {
        const std::string path = folder + "/" + face.file;
        auto document = FaceDocument(face);
        if (!document->Save(path)) {
            return Fail(path, document->GetFileError());
        }
        index += face.file + "\t" + face.name + "\n";
    }
    return WriteIndex(folder + "/" + IndexName, index);
}
