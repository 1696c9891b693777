#pragma once

#include <string_view>

namespace vel::lumo {

// A mouth as the three mouth knobs see it: how far open (0 closed, 1 open),
// how wide (an "ee") and how round (an "oo"), each 0..1.
struct MouthShape {
    float open = 0.0f;
    float wide = 0.0f;
    float round = 0.0f;

    // The shape that says the phoneme (an upper-case ARPAbet name); closed
    // for silence and for names it does not know.
    static MouthShape ForPhone(std::string_view phone);
    // Whether the lips close for the phoneme: m, b and p.
    static bool ClosesLips(std::string_view phone);
};

// How the voice's loudness opens the mouth, the same in lip sync and live:
// levels this far below the voice's loud parts open it not at all...
inline constexpr float VoiceRangeDb = 30.0f;
// ...and even a whisper opens it this share of the way.
inline constexpr float QuietOpening = 0.35f;

// A level (0..1 of full scale) in decibels, silence at -120.
float Decibels(double level);

} // namespace vel::lumo
