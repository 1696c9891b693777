#pragma once

#include "serializer/ChunkId.h"
#include "serializer/Serializer.h"

#include <string_view>

namespace vel::serializer {
class Deserializer;
}

namespace vel::lumo {

class LumoDocument;

inline constexpr std::string_view FileSignature{"Vellumar Gourdglowlight\r\n\x1a", 26};

// Chunk ids of the document file.
namespace chunk {
using serializer::ChunkId;
inline constexpr uint32_t File = ChunkId("(~~)");
inline constexpr uint32_t Model = ChunkId("LMOD");
inline constexpr uint32_t Knob = ChunkId("KNB2");
inline constexpr uint32_t OldKnob = ChunkId("KNOB");
inline constexpr uint32_t Shape = ChunkId("SHAP");
inline constexpr uint32_t ShapeHeader = ChunkId("shap");
inline constexpr uint32_t Pose = ChunkId("POSE");
inline constexpr uint32_t PoseHeader = ChunkId("pose");
inline constexpr uint32_t Points = ChunkId("PT2F");
inline constexpr uint32_t Timeline = ChunkId("TMLN");
inline constexpr uint32_t TimelineHeader = ChunkId("tmln");
inline constexpr uint32_t Track = ChunkId("TRAK");
inline constexpr uint32_t TrackHeader = ChunkId("trak");
inline constexpr uint32_t Anchors = ChunkId("ANCH");
inline constexpr uint32_t Audio = ChunkId("AUDI");
inline constexpr uint32_t AudioHeader = ChunkId("desc");
inline constexpr uint32_t Samples = ChunkId("smpl");
inline constexpr uint32_t Fit = ChunkId("PFIT");
inline constexpr uint32_t Photo = ChunkId("PHOT");
inline constexpr uint32_t ExpressionKeys = ChunkId("XKEY");
} // namespace chunk

// Sizes of the fixed records inside their chunks.
namespace record {
// A point of a pose: x and y, each a 32-bit float.
inline constexpr uint64_t Point = 8;
// An anchor of a track: the frame (32 bits unsigned) and the value (32-bit float).
inline constexpr uint64_t Anchor = 8;
// The audio header's count of sample bytes (64 bits), absent from older files.
inline constexpr uint64_t SampleByteCount = 8;
// The fit to the pumpkin: flags (32 bits), then x and y (32-bit floats) of
// the four corners and of the grid's nine offsets.
inline constexpr uint64_t Fit = 4 + 8 * (4 + 9);
// The photo to trace, before its bytes: the centre's x and y, the height and
// the opacity (32-bit floats), then the count of the photo's bytes (32 bits).
inline constexpr uint64_t PhotoHeader = 4 * 4 + 4;
// The knobs of the keys 1 to 9: each a knob key of eight bytes, all NULs for
// a key that holds none.
inline constexpr uint64_t ExpressionKeys = uint64_t{9} * 8;
} // namespace record

// The bits of the fit's flags.
namespace fitflag {
inline constexpr uint32_t GridOn = 1;
} // namespace fitflag

// Builds the whole file, signature first, on the serializer's root.
void BuildDocumentTree(const LumoDocument& document, serializer::Serializer::Node& root);

// Reads a file into a new document, applying each record through the
// document's ordinary operations. False on anything malformed; what was
// read before stays in the document, which the caller then discards.
bool ReadDocument(LumoDocument& document, serializer::Deserializer& in);

} // namespace vel::lumo
