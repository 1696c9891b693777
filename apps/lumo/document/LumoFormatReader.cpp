#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/LumoFormat.h"
#include "apps/lumo/document/View.h"
#include "apps/lumo/model/StandardKnobs.h"
#include "core/UserFailure.h"
#include "serializer/Deserializer.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vel::lumo {
namespace {

// The lowest frame rate that timecodes can show (one frame per second);
// anything below it is taken for a damaged header.
constexpr uint32_t LowestFrameRate = 1000;

class DocumentReader {
public:
    DocumentReader(LumoDocument& document, serializer::Deserializer& in)
        : document_(document), model_(document.GetModel()), in_(in) {}

    bool ReadFile();

private:
    // Calls handle with the id of each child of the chunk just entered,
    // the reader positioned at the child's contents. True when every
    // handler succeeded and the children ended exactly with their parent.
    template <typename Handler> bool ForEachChild(Handler handle);
    // The same for a record whose first child is its header chunk with
    // headerId: readHeader reads the header (and may step on to the chunks
    // that belong to it), readChild takes each later child's id.
    template <typename Header, typename Child>
    bool ForEachChildAfterHeader(uint32_t headerId, Header readHeader, Child readChild);
    template <typename Header> bool ReadHeaderOnly(uint32_t headerId, Header readHeader);
    // Steps to the next child; true when it has the wanted id.
    bool NextIs(uint32_t id);
    bool ReadKey(KnobKey& key);
    bool ReadKnob(bool withIntent);
    bool ReadShape();
    bool ReadPose(uint64_t shape);
    bool ReadTimeline();
    bool ReadTrack();
    bool ReadAudio();
    void ReadFit();
    bool ReadFitPoint(FitPoint& point);
    void ReadPhoto();
    void ReadExpressionKeys();
    void CompleteTracks();

    LumoDocument& document_;
    Model& model_;
    serializer::Deserializer& in_;
};

template <typename Handler> bool DocumentReader::ForEachChild(Handler handle) {
    if (!in_.EnterChunk()) {
        return false;
    }
    bool ok = true;
    do {
        ok = handle(in_.CurrentId());
    } while (ok && in_.NextChunk());
    ok = ok && in_.ReachedEnd();
    in_.LeaveChunk();
    return ok;
}

template <typename Header, typename Child>
bool DocumentReader::ForEachChildAfterHeader(uint32_t headerId, Header readHeader,
                                             Child readChild) {
    return ForEachChild([&, first = true](uint32_t id) mutable {
        if (!first) {
            return readChild(id);
        }
        first = false;
        return id == headerId && readHeader();
    });
}

template <typename Header>
bool DocumentReader::ReadHeaderOnly(uint32_t headerId, Header readHeader) {
    return ForEachChildAfterHeader(headerId, readHeader, [](uint32_t) { return true; });
}

bool DocumentReader::NextIs(uint32_t id) {
    return in_.NextChunk() && in_.CurrentId() == id;
}

bool DocumentReader::ReadKey(KnobKey& key) {
    KnobKey::Bytes bytes{};
    if (!in_.Read(bytes.data(), bytes.size())) {
        return false;
    }
    key = KnobKey::FromBytes(bytes);
    return true;
}

bool DocumentReader::ReadFile() {
    if (!in_.ReadSignature(FileSignature) || !in_.EnterChunk() || in_.CurrentId() != chunk::File) {
        return false;
    }
    const bool ok = ForEachChild([this](uint32_t id) {
        const uint64_t length = in_.CurrentChunk()->remaining;
        switch (id) {
        case chunk::Model:
            return length == 0 || ForEachChild([this](uint32_t child) {
                       switch (child) {
                       case chunk::Knob:
                           return ReadKnob(true);
                       case chunk::OldKnob:
                           return ReadKnob(false);
                       case chunk::Shape:
                           return ReadShape();
                       default:
                           return true;
                       }
                   });
        case chunk::Timeline:
            return ReadTimeline();
        case chunk::Audio:
            return length == 0 || ReadAudio();
        case chunk::Fit:
            ReadFit();
            return true;
        case chunk::Photo:
            ReadPhoto();
            return true;
        case chunk::ExpressionKeys:
            ReadExpressionKeys();
            return true;
        default:
            return true;
        }
    });
    CompleteTracks();
    return ok;
}

bool DocumentReader::ReadKnob(bool withIntent) {
    Knob knob;
    uint32_t intent = 0;
    if (!ReadKey(knob.key) || !in_.ReadString(knob.name) || !in_.ReadFloat(knob.typical) ||
        !in_.ReadString(knob.minLabel) || !in_.ReadFloat(knob.minValue) ||
        !in_.ReadString(knob.maxLabel) || !in_.ReadFloat(knob.maxValue) ||
        (withIntent && !in_.ReadU32(intent))) {
        return false;
    }
    if (withIntent) {
        knob.intent = static_cast<Knob::Intent>(intent);
    } else if (knob.key == CandleHueKey) {
        knob.intent = Knob::Intent::Hue;
    } else if (knob.key == CandleSaturationKey) {
        knob.intent = Knob::Intent::Saturation;
    } else if (knob.key == CandleLightnessKey) {
        knob.intent = Knob::Intent::Lightness;
    }
    if (model_.AddKnob(knob)) {
        document_.SynchroniseTimeline();
        document_.Notify(ChangeBits::Model);
    }
    return true;
}

bool DocumentReader::ReadShape() {
    uint64_t shape = 0;
    const auto header = [&] {
        uint32_t illumination = 0;
        std::string name;
        shape = model_.GetShapeCount();
        model_.InsertNewShape(shape);
        document_.Notify(ChangeBits::Model);
        if (!in_.ReadU32(illumination)) {
            return false;
        }
        document_.SetShapeIllumination(shape, illumination);
        return in_.ReadString(name) && document_.SetShapeName(shape, name);
    };
    return ForEachChildAfterHeader(chunk::ShapeHeader, header, [&](uint32_t id) {
        return id != chunk::Pose || ReadPose(shape);
    });
}

bool DocumentReader::ReadPose(uint64_t shape) {
    return ReadHeaderOnly(chunk::PoseHeader, [&] {
        KnobKey key;
        if (!ReadKey(key) || !NextIs(chunk::Points) ||
            in_.CurrentChunk()->remaining % record::Point != 0) {
            return false;
        }
        // Grown as the points arrive, so that a forged length costs no memory.
        std::vector<Point> points;
        for (uint64_t left = in_.CurrentChunk()->remaining / record::Point; left > 0; --left) {
            Point point;
            if (!in_.ReadFloat(point.x) || !in_.ReadFloat(point.y)) {
                return false;
            }
            points.push_back(point);
        }
        if (!model_.InsertPose(shape, model_.GetPoseCount(shape), key, points)) {
            return false;
        }
        document_.Notify(ChangeBits::Model);
        return true;
    });
}

bool DocumentReader::ReadTimeline() {
    const auto header = [this] {
        uint32_t rate = 0;
        uint32_t frames = 0;
        uint32_t reserved = 0;
        if (!in_.ReadU32(rate) || !in_.ReadU32(frames) || !in_.ReadU32(reserved)) {
            return false;
        }
        // The stored frame count is not trusted: the document recomputes its
        // length from its anchors and audio.
        document_.GetTimeline().SetFrameRate(rate < LowestFrameRate ? DefaultFrameRate : rate);
        return true;
    };
    return ForEachChildAfterHeader(chunk::TimelineHeader, header, [this](uint32_t id) {
        return id != chunk::Track || ReadTrack();
    });
}

bool DocumentReader::ReadTrack() {
    return ReadHeaderOnly(chunk::TrackHeader, [this] {
        KnobKey key;
        if (!ReadKey(key) || !NextIs(chunk::Anchors) ||
            in_.CurrentChunk()->remaining % record::Anchor != 0) {
            return false;
        }
        // A track of a key that is no knob is read past: no save keeps it, so
        // it must not lengthen the animation either.
        const std::vector<Knob> knobs = model_.GetKnobs();
        const bool knob =
            std::any_of(knobs.begin(), knobs.end(), [&key](const Knob& k) { return k.key == key; });
        for (uint64_t left = in_.CurrentChunk()->remaining / record::Anchor; left > 0; --left) {
            uint32_t frame = 0;
            float value = 0;
            if (!in_.ReadU32(frame) || !in_.ReadFloat(value)) {
                return false;
            }
            if (!knob) {
                continue;
            }
            document_.GetTimeline().SetAnchor(key, frame, value);
            document_.Notify(ChangeBits::Timeline);
        }
        return true;
    });
}

bool DocumentReader::ReadAudio() {
    return ReadHeaderOnly(chunk::AudioHeader, [this] {
        AudioHeader header;
        uint64_t bytes = 0;
        uint32_t format = 0;
        if (!in_.ReadU32(header.sampleRate) || !in_.ReadU32(format) ||
            !in_.ReadU32(header.channels) || !in_.ReadU64(header.bytesPerFrame)) {
            return false;
        }
        header.format = static_cast<SampleFormat>(format);
        const uint64_t frameBytes = uint64_t{BytesPerSample(header.format)} * header.channels;
        if (header.bytesPerFrame == 0) {
            header.bytesPerFrame = frameBytes;
        }
        // Files this program writes say how many sample bytes precede the
        // padding; older files hold whole sample frames only.
        const bool counted = in_.CurrentChunk()->remaining >= record::SampleByteCount;
        if (counted && !in_.ReadU64(bytes)) {
            return false;
        }
        if (!NextIs(chunk::Samples)) {
            return false;
        }
        if (header.bytesPerFrame == 0) {
            return true;
        }
        const uint64_t stored = in_.CurrentChunk()->remaining;
        std::vector<uint8_t> samples;
        if (!counted) {
            bytes = stored;
        }
        // A frame size that contradicts the format would let sample readers
        // step outside the data.
        if (header.bytesPerFrame != frameBytes || bytes > stored ||
            bytes % header.bytesPerFrame != 0 || !in_.ReadBlock(samples, bytes)) {
            return false;
        }
        // A clip without one sample frame is no sound, which a save leaves
        // out: taking its header would give this load a length no save keeps.
        if (samples.empty()) {
            return true;
        }
        AudioClip clip(header, std::move(samples));
        document_.SetAudio(clip);
        return true;
    });
}

void NoteLeftOutFit(const char* why) {
    core::ReportToStandardError(std::string("the fit to the pumpkin ") + why +
                                "; it was left out and the face shows unfitted");
}

bool DocumentReader::ReadFitPoint(FitPoint& point) {
    return in_.ReadFloat(point.x) && in_.ReadFloat(point.y);
}

// A damaged fit costs the fit alone: the face shows unfitted, the rest of
// the document loads, and a note says why.
void DocumentReader::ReadFit() {
    PumpkinFit fit;
    uint32_t flags = 0;
    if (in_.CurrentChunk()->remaining < record::Fit || !in_.ReadU32(flags)) {
        NoteLeftOutFit("is cut short");
        return;
    }
    FitPoint point;
    bool ok = true;
    for (std::size_t corner = 0; ok && corner < PumpkinFit::CornerCount; ++corner) {
        ok = ReadFitPoint(point) && fit.SetCorner(corner, point);
    }
    for (std::size_t handle = 0; ok && handle < PumpkinFit::GridCount; ++handle) {
        ok = ReadFitPoint(point) && fit.SetGridOffset(handle, point);
    }
    if (!ok) {
        NoteLeftOutFit("holds a coordinate that is no number or far too large");
        return;
    }
    fit.SetGridOn((flags & fitflag::GridOn) != 0);
    document_.SetFit(fit);
}

void NoteLeftOutPhoto(const char* why) {
    core::ReportToStandardError(std::string("the photo to trace ") + why +
                                "; it was left out and the preview shows none");
}

// A damaged photo costs the photo alone, as a damaged fit does.
void DocumentReader::ReadPhoto() {
    TracingPhoto::Placement placement;
    uint32_t count = 0;
    std::vector<uint8_t> bytes;
    if (!in_.ReadFloat(placement.centre.x) || !in_.ReadFloat(placement.centre.y) ||
        !in_.ReadFloat(placement.height) || !in_.ReadFloat(placement.opacity) ||
        !in_.ReadU32(count) || !in_.ReadBlock(bytes, count)) {
        NoteLeftOutPhoto("is cut short");
        return;
    }
    if (!TracingPhoto::IsAcceptable(placement)) {
        NoteLeftOutPhoto("lies at a place or size that is no number or far too large");
        return;
    }
    if (count > TracingPhoto::MaxBytes) {
        NoteLeftOutPhoto("is larger than 20 MB");
        return;
    }
    std::optional<TracingPhoto> photo = TracingPhoto::Make(std::move(bytes), placement);
    if (!photo) {
        NoteLeftOutPhoto("is neither a PNG nor a JPEG file");
        return;
    }
    document_.SetPhoto(*photo);
}

// A damaged choice of keys costs the choice alone: the keys hold the
// defaults, and a note says why. Bytes after the ninth key are for later
// versions.
void DocumentReader::ReadExpressionKeys() {
    if (in_.CurrentChunk()->remaining < record::ExpressionKeys) {
        core::ReportToStandardError(
            "the knobs of the expression keys are cut short; the keys hold the usual ones");
        return;
    }
    ExpressionKeys keys;
    for (std::optional<KnobKey>& key : keys) {
        KnobKey read;
        if (!ReadKey(read)) {
            return;
        }
        if (read != KnobKey()) {
            key = read;
        }
    }
    document_.SetExpressionKeys(keys);
}

// A track that the file gave a knob before the knob itself lacks the
// anchor at frame 0 that every knob's track starts with.
void DocumentReader::CompleteTracks() {
    KnobTimeline& timeline = document_.GetTimeline();
    for (const Knob& knob : model_.GetKnobs()) {
        if (!timeline.HasAnchor(knob.key, 0)) {
            timeline.SetAnchor(knob.key, 0, knob.typical);
            document_.Notify(ChangeBits::Timeline);
        }
    }
}

} // namespace

bool ReadDocument(LumoDocument& document, serializer::Deserializer& in) {
    return DocumentReader(document, in).ReadFile();
}

} // namespace vel::lumo
