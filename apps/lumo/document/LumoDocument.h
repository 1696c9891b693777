#pragma once

#include "apps/lumo/audio/AudioClip.h"
#include "apps/lumo/document/Document.h"
#include "apps/lumo/model/EvaluatedShape.h"
#include "apps/lumo/model/ExpressionKeys.h"
#include "apps/lumo/model/KnobTimeline.h"
#include "apps/lumo/model/KnobValues.h"
#include "apps/lumo/model/LiveKnobs.h"
#include "apps/lumo/model/Model.h"
#include "apps/lumo/model/PumpkinFit.h"
#include "apps/lumo/model/TracingPhoto.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vel::serializer {
class Deserializer;
class Serializer;
} // namespace vel::serializer

namespace vel::lumo {

// The one open pumpkin: its model, knob timeline and audio clip, stored in
// the program's document files.
class LumoDocument : public Document {
public:
    // A new document: the model's knobs each get a track with one anchor at
    // the knob's typical value; no audio.
    explicit LumoDocument(std::unique_ptr<Model> model);
    // A full copy of the pumpkin with a fresh history, no path and no views.
    LumoDocument(const LumoDocument& other);

    // A new document with a new pumpkin model.
    static std::unique_ptr<LumoDocument> New();
    // A new document loaded from the file, or null; error receives the
    // file error (0 when the contents were at fault).
    static std::unique_ptr<LumoDocument> Open(const std::string& path, core::FileError& error);

    Model& GetModel() { return *model_; }
    const Model& GetModel() const { return *model_; }
    KnobTimeline& GetTimeline() { return timeline_; }
    const KnobTimeline& GetTimeline() const { return timeline_; }
    // Gives every knob of the model a track and drops the tracks of keys
    // that are no longer knobs; for adding and deleting knobs.
    void SynchroniseTimeline();

    std::vector<Knob> GetKnobs() const { return model_->GetKnobs(); }
    std::vector<Knob> GetStandardKnobs() const { return model_->GetStandardKnobs(); }
    Knob GetKnob(const KnobKey& key) const { return model_->GetKnob(key); }
    Shape GetShape(uint64_t shape) const { return model_->GetShape(shape); }
    std::string GetShapeName(uint64_t shape) const { return model_->GetShapeName(shape); }
    std::vector<Point> GetPosePoints(uint64_t shape, uint64_t pose) const {
        return model_->GetPosePoints(shape, pose);
    }
    // (0, 0) when there is no such point.
    Point GetPoint(uint64_t shape, uint64_t pose, uint64_t index) const;

    KnobValues GetKnobValues(uint32_t frame) const { return timeline_.ValuesAt(frame); }
    std::vector<EvaluatedShape> EvaluateFrame(uint32_t frame) const;
    // The frame as the eye sees it while live knobs override the timeline.
    std::vector<EvaluatedShape> EvaluateFrame(uint32_t frame, const LiveKnobs* live) const;
    // The animation's length: the audio's length in frames or the highest
    // anchor frame, whichever is larger.
    uint32_t GetFrameCount() const;
    uint32_t GetFrameRate() const { return timeline_.GetFrameRate(); }

    const AudioClip& GetAudio() const { return audio_; }
    // Exchanges the clip with the document's, so the caller receives the
    // old one, and notifies the audio bit.
    void SetAudio(AudioClip& clip);
    bool SetShapeIllumination(uint64_t shape, uint32_t illumination);
    bool SetShapeName(uint64_t shape, const std::string& name);

    // How the face is fitted to the pumpkin; the identity unless fitted.
    const PumpkinFit& GetFit() const { return fit_; }
    // Replaces the fit and notifies the fit bit.
    void SetFit(const PumpkinFit& fit);

    // The photo traced in the preview; empty when there is none.
    const TracingPhoto& GetPhoto() const { return photo_; }
    // Replaces the photo and notifies the photo bit.
    void SetPhoto(const TracingPhoto& photo);

    // The knobs the keys 1 to 9 hold: the document's own choice, or the
    // defaults for its knobs while it has none.
    ExpressionKeys GetExpressionKeys() const;
    // The choice itself; nothing while the defaults hold.
    const std::optional<ExpressionKeys>& GetOwnExpressionKeys() const { return expressionKeys_; }
    // Replaces the choice and notifies the model bit.
    void SetExpressionKeys(const std::optional<ExpressionKeys>& keys);

    // The document file format, from and to any byte stream.
    bool Read(serializer::Deserializer& in);
    bool Write(serializer::Serializer& out) const;

protected:
    bool LoadFile(core::File& file) override;
    bool SaveFile(core::File& file) override;

private:
    AudioClip audio_;
    std::unique_ptr<Model> model_;
    KnobTimeline timeline_;
    PumpkinFit fit_;
    TracingPhoto photo_;
    std::optional<ExpressionKeys> expressionKeys_;
};

} // namespace vel::lumo
