#include "apps/lumo/document/LumoDocument.h"

#include "apps/lumo/document/LumoDeserializer.h"
#include "apps/lumo/document/LumoFormat.h"
#include "apps/lumo/document/LumoSerializer.h"
#include "apps/lumo/document/View.h"
#include "apps/lumo/model/PumpkinModel.h"
#include "serializer/Serializer.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace vel::lumo {

LumoDocument::LumoDocument(std::unique_ptr<Model> model) : model_(std::move(model)) {
    SynchroniseTimeline();
}

LumoDocument::LumoDocument(const LumoDocument& other)
    : Document(FreshBase{}), audio_(other.audio_), model_(other.model_->Clone()),
      timeline_(other.timeline_), fit_(other.fit_), photo_(other.photo_),
      expressionKeys_(other.expressionKeys_) {}

std::unique_ptr<LumoDocument> LumoDocument::New() {
    return std::make_unique<LumoDocument>(std::make_unique<PumpkinModel>());
}

std::unique_ptr<LumoDocument> LumoDocument::Open(const std::string& path, core::FileError& error) {
    auto document = New();
    const bool loaded = document->Load(path);
    error = document->GetFileError();
    return loaded ? std::move(document) : nullptr;
}

void LumoDocument::SynchroniseTimeline() {
    timeline_.Synchronise(model_->GetKnobs());
}

Point LumoDocument::GetPoint(uint64_t shape, uint64_t pose, uint64_t index) const {
    const auto points = model_->GetPosePoints(shape, pose);
    return index < points.size() ? points[index] : Point{};
}

std::vector<EvaluatedShape> LumoDocument::EvaluateFrame(uint32_t frame) const {
    return model_->EvaluateFrame(timeline_.ValuesAt(frame));
}

std::vector<EvaluatedShape> LumoDocument::EvaluateFrame(uint32_t frame,
                                                        const LiveKnobs* live) const {
    return live != nullptr ? model_->EvaluateFrame(live->Over(timeline_.ValuesAt(frame)))
                           : EvaluateFrame(frame);
}

uint32_t LumoDocument::GetFrameCount() const {
    const uint64_t sampleFrames =
        audio_.bytesPerFrame == 0 ? 0 : audio_.Samples().size() / audio_.bytesPerFrame;
    uint64_t audioLength = 0;
    if (audio_.sampleRate != 0) {
        // Saturates where the product would not fit 64 bits.
        constexpr uint64_t most = std::numeric_limits<uint64_t>::max();
        const uint64_t rate = timeline_.GetFrameRate();
        const uint64_t frames = rate != 0 && sampleFrames > most / rate
                                    ? most / audio_.sampleRate
                                    : rate * sampleFrames / audio_.sampleRate;
        audioLength = (std::min(frames, most - 1000) + 999) / 1000 + 1;
    }
    const uint64_t count = std::max(audioLength, uint64_t{timeline_.GetHighestAnchorFrame()});
    return static_cast<uint32_t>(std::min<uint64_t>(count, std::numeric_limits<uint32_t>::max()));
}

void LumoDocument::SetAudio(AudioClip& clip) {
    std::swap(audio_, clip);
    Notify(ChangeBits::Audio);
}

bool LumoDocument::SetShapeIllumination(uint64_t shape, uint32_t illumination) {
    if (!model_->SetShapeIllumination(shape, illumination)) {
        return false;
    }
    Notify(ChangeBits::Model);
    return true;
}

bool LumoDocument::SetShapeName(uint64_t shape, const std::string& name) {
    if (!model_->SetShapeName(shape, name)) {
        return false;
    }
    Notify(ChangeBits::Model);
    return true;
}

void LumoDocument::SetFit(const PumpkinFit& fit) {
    fit_ = fit;
    Notify(ChangeBits::Fit);
}

void LumoDocument::SetPhoto(const TracingPhoto& photo) {
    photo_ = photo;
    Notify(ChangeBits::Photo);
}

ExpressionKeys LumoDocument::GetExpressionKeys() const {
    return expressionKeys_ ? *expressionKeys_ : DefaultExpressionKeys(model_->GetKnobs());
}

void LumoDocument::SetExpressionKeys(const std::optional<ExpressionKeys>& keys) {
    expressionKeys_ = keys;
    Notify(ChangeBits::Model);
}

bool LumoDocument::Read(serializer::Deserializer& in) {
    return ReadDocument(*this, in);
}

bool LumoDocument::Write(serializer::Serializer& out) const {
    BuildDocumentTree(*this, out.Root());
    return out.Write();
}

bool LumoDocument::LoadFile(core::File& file) {
    LumoDeserializer in(file);
    return Read(in);
}

bool LumoDocument::SaveFile(core::File& file) {
    LumoSerializer out(file);
    return Write(out);
}

} // namespace vel::lumo
