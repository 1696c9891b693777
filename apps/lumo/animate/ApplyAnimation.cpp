#include "apps/lumo/animate/ApplyAnimation.h"

#include "apps/lumo/document/KnobCommands.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/ReplaceAnchorsCmd.h"
#include "apps/lumo/model/StandardKnobs.h"

#include <algorithm>
#include <memory>

namespace vel::lumo {

namespace {

std::optional<Knob> StandardKnob(const KnobKey& key) {
    for (const Knob& knob : StandardKnobs()) {
        if (knob.key == key) {
            return knob;
        }
    }
    return std::nullopt;
}

bool HasPoseOn(const Model& model, const KnobKey& key) {
    for (uint64_t shape = 0; shape < model.GetShapeCount(); ++shape) {
        for (uint64_t pose = 1; pose < model.GetPoseCount(shape); ++pose) {
            if (model.GetPoseKnobKey(shape, pose) == key) {
                return true;
            }
        }
    }
    return false;
}

std::string KnobName(const LumoDocument& document, const KnobKey& key) {
    if (document.GetModel().HasKnob(key)) {
        return document.GetKnob(key).name;
    }
    const std::optional<Knob> standard = StandardKnob(key);
    return standard ? standard->name : key.Text();
}

} // namespace

MacroCommand MakeAnimationCommand(LumoDocument& document, const std::string& name, FrameRange range,
                                  const Animation& animation) {
    MacroCommand command(name);
    for (const KnobKeys& knob : animation.knobs) {
        if (document.GetModel().HasKnob(knob.key)) {
            continue;
        }
        if (const std::optional<Knob> standard = StandardKnob(knob.key)) {
            command.Append(std::make_unique<AddKnobCmd>(&document, *standard));
        }
    }
    for (const KnobKeys& knob : animation.knobs) {
        command.Append(std::make_unique<ReplaceAnchorsCmd>(&document, knob.key, range.first,
                                                           range.end, knob.anchors));
    }
    return command;
}

bool ApplyAnimation(LumoDocument& document, const std::string& name, FrameRange range,
                    const Animation& animation) {
    return document.Execute(MakeAnimationCommand(document, name, range, animation));
}

std::optional<std::string> MissingPoseWarning(const LumoDocument& document,
                                              const std::vector<KnobKey>& keys) {
    std::vector<std::string> names;
    for (const KnobKey& key : keys) {
        const std::optional<Knob> standard = StandardKnob(key);
        const bool movesPoses = !standard || standard->intent == Knob::Intent::Interpolate;
        if (movesPoses && !HasPoseOn(document.GetModel(), key)) {
            names.push_back(KnobName(document, key));
        }
    }
    if (names.empty()) {
        return std::nullopt;
    }
    std::string list = names.front();
    for (std::size_t i = 1; i < names.size(); ++i) {
        list += (i + 1 == names.size() ? " or " : ", ") + names[i];
    }
    return "No shape has a pose on " + list + " yet: " + (names.size() == 1 ? "its" : "their") +
           " keys will show once one does";
}

} // namespace vel::lumo
