#pragma once

namespace vel::lumo {

// What a shown timecode means, for its tooltip: a newcomer reads "00:03;19"
// as minutes.
inline constexpr const char* TimecodeMeaning =
    "Times are minutes:seconds;frames: 00:03;19 is 3 seconds and 19 frames";

} // namespace vel::lumo
