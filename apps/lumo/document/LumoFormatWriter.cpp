#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/LumoFormat.h"

#include <optional>

namespace vel::lumo {
namespace {

using Node = serializer::Serializer::Node;

Node& WriteKey(Node& node, const KnobKey& key) {
    return node.Write(key.GetBytes().data(), KnobKey::Size);
}

void WriteKnob(Node& parent, const Knob& knob) {
    WriteKey(parent.BeginChunk(chunk::Knob), knob.key)
        .WriteString(knob.name)
        .WriteFloat(knob.typical)
        .WriteString(knob.minLabel)
        .WriteFloat(knob.minValue)
        .WriteString(knob.maxLabel)
        .WriteFloat(knob.maxValue)
        .WriteU32(static_cast<uint32_t>(knob.intent))
        .EndChunk(chunk::Knob);
}

void WriteShape(Node& parent, const Shape& shape) {
    Node* node = &parent.BeginChunk(chunk::Shape)
                      .BeginChunk(chunk::ShapeHeader)
                      .WriteU32(shape.illumination)
                      .WriteString(shape.name)
                      .EndChunk(chunk::ShapeHeader);
    for (const Pose& pose : shape.poses) {
        node = &WriteKey(node->BeginChunk(chunk::Pose).BeginChunk(chunk::PoseHeader), pose.key)
                    .EndChunk(chunk::PoseHeader)
                    .BeginChunk(chunk::Points);
        for (const Point& point : pose.points) {
            node = &node->WriteFloat(point.x).WriteFloat(point.y);
        }
        node = &node->EndChunk(chunk::Pose);
    }
    node->EndChunk(chunk::Shape);
}

void WriteTimeline(Node& parent, const LumoDocument& document) {
    const KnobTimeline& timeline = document.GetTimeline();
    Node* node = &parent.BeginChunk(chunk::Timeline)
                      .BeginChunk(chunk::TimelineHeader)
                      .WriteU32(timeline.GetFrameRate())
                      .WriteU32(document.GetFrameCount())
                      .WriteU32(timeline.GetReserved())
                      .EndChunk(chunk::TimelineHeader);
    for (const Knob& knob : document.GetKnobs()) {
        node = &WriteKey(node->BeginChunk(chunk::Track).BeginChunk(chunk::TrackHeader), knob.key)
                    .EndChunk(chunk::TrackHeader)
                    .BeginChunk(chunk::Anchors);
        if (const KnobTrack* track = timeline.FindTrack(knob.key)) {
            for (const Anchor& anchor : track->GetAnchors()) {
                node = &node->WriteU32(anchor.frame).WriteFloat(anchor.value);
            }
        }
        node = &node->EndChunk(chunk::Track);
    }
    node->EndChunk(chunk::Timeline);
}

// Only whole sample frames are stored. The sample chunk is padded with zero
// bytes to keep chunk lengths a multiple of 4, and the header records the
// exact sample byte count so that the padding never becomes audio.
void WriteAudio(Node& parent, const AudioClip& clip) {
    const std::vector<uint8_t>& samples = clip.Samples();
    if (clip.bytesPerFrame == 0 || samples.size() < clip.bytesPerFrame) {
        return;
    }
    const uint64_t bytes = samples.size() - samples.size() % clip.bytesPerFrame;
    const unsigned char zeros[4] = {};
    parent.BeginChunk(chunk::Audio)
        .BeginChunk(chunk::AudioHeader)
        .WriteU32(clip.sampleRate)
        .WriteU32(static_cast<uint32_t>(clip.format))
        .WriteU32(clip.channels)
        .WriteU64(clip.bytesPerFrame)
        .WriteU64(bytes)
        .EndChunk(chunk::AudioHeader)
        .BeginChunk(chunk::Samples)
        .WriteBorrowed(samples.data(), static_cast<size_t>(bytes))
        .Write(zeros, static_cast<size_t>((4 - bytes % 4) % 4))
        .EndChunk(chunk::Audio);
}

// Written only when the face is fitted, so that a document that never was
// keeps the bytes older versions wrote.
void WriteFit(Node& parent, const PumpkinFit& fit) {
    if (fit == PumpkinFit{}) {
        return;
    }
    Node* node = &parent.BeginChunk(chunk::Fit).WriteU32(fit.IsGridOn() ? fitflag::GridOn : 0);
    for (const FitPoint& corner : fit.GetCorners()) {
        node = &node->WriteFloat(corner.x).WriteFloat(corner.y);
    }
    for (const FitPoint& offset : fit.GetGridOffsets()) {
        node = &node->WriteFloat(offset.x).WriteFloat(offset.y);
    }
    node->EndChunk(chunk::Fit);
}

// Written only when there is a photo, so that a document without one keeps
// the bytes older versions wrote. The bytes are padded like the samples.
void WritePhoto(Node& parent, const TracingPhoto& photo) {
    if (photo.IsEmpty()) {
        return;
    }
    const std::vector<uint8_t>& bytes = photo.Bytes();
    const TracingPhoto::Placement& placement = photo.GetPlacement();
    const unsigned char zeros[4] = {};
    parent.BeginChunk(chunk::Photo)
        .WriteFloat(placement.centre.x)
        .WriteFloat(placement.centre.y)
        .WriteFloat(placement.height)
        .WriteFloat(placement.opacity)
        .WriteU32(static_cast<uint32_t>(bytes.size()))
        .WriteBorrowed(bytes.data(), bytes.size())
        .Write(zeros, (4 - bytes.size() % 4) % 4)
        .EndChunk(chunk::Photo);
}

// Written only when the document chose its keys, so that one that never did
// keeps the bytes older versions wrote and the defaults of its knobs.
void WriteExpressionKeys(Node& parent, const std::optional<ExpressionKeys>& keys) {
    if (!keys) {
        return;
    }
    Node* node = &parent.BeginChunk(chunk::ExpressionKeys);
    for (const std::optional<KnobKey>& key : *keys) {
        node = &WriteKey(*node, key.value_or(KnobKey()));
    }
    node->EndChunk(chunk::ExpressionKeys);
}

} // namespace

void BuildDocumentTree(const LumoDocument& document, serializer::Serializer::Node& root) {
    Node& model =
        root.WriteSignature(FileSignature).BeginChunk(chunk::File).BeginChunk(chunk::Model);
    for (const Knob& knob : document.GetKnobs()) {
        WriteKnob(model, knob);
    }
    const Model& pumpkin = document.GetModel();
    for (uint64_t shape = 0; shape < pumpkin.GetShapeCount(); ++shape) {
        WriteShape(model, pumpkin.GetShape(shape));
    }
    Node& file = model.EndChunk(chunk::Model);
    WriteTimeline(file, document);
    WriteAudio(file, document.GetAudio());
    WriteFit(file, document.GetFit());
    WritePhoto(file, document.GetPhoto());
    WriteExpressionKeys(file, document.GetOwnExpressionKeys());
    file.EndChunk(chunk::File);
}

} // namespace vel::lumo
