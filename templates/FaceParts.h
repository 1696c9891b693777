#pragma once

#include "apps/lumo/model/Shape.h"
#include "templates/Outlines.h"

#include <string>
#include <vector>

namespace vel::lumo::faces {

enum class Side { Left, Right };

// A lit eye whose lid comes down to the line, leaving a slit, when the eyes
// blink and when its side winks. Outlines are the face's own, before the
// place.
Shape Eye(const std::string& name, Side side, const Place& place, const Outline& open,
          float lidLine);

// A dark pupil, or a lit glint on one, that looks from left to right as Eyes
// Pan goes from 0 to 1 and is squashed with its eye's lid.
Shape Pupil(const std::string& name, std::uint32_t illumination, Side side, const Place& place,
            const Outline& centred, float pan, float lidLine);

// A lit cut that never moves: a nose, a brow, a whisker.
Shape Still(const std::string& name, const Place& place, const Outline& outline);

// A mouth as its two lips: half its width, how far the corners rise (smile)
// and how much higher the right corner is than the left (tilt), and how far
// the upper and lower lips open above and below that curve in the middle.
struct Lips {
    float halfWidth = 0.0f;
    float smile = 0.0f;
    float tilt = 0.0f;
    float upper = 0.0f;
    float lower = 0.0f;
};

// The mouth at rest and at each mouth knob's full value.
struct MouthPoses {
    Lips rest;
    Lips open;  // Mouth
    Lips wide;  // Mouth EEE
    Lips round; // Mouth OOO
};

// A tooth left standing in the cut: where along the mouth (-1 the left
// corner, 1 the right), half its width in those units, and how much of the
// mouth's opening it fills there. Teeth of one lip never meet those of the
// other where their depths add up to less than 1.
struct Tooth {
    float at = 0.0f;
    float halfWidth = 0.0f;
    float depth = 0.0f;
    bool fromTop = true;
    bool pointed = false;
};

// A lit mouth centred at the face's point, with its poses on the three mouth
// knobs.
Shape Mouth(const std::string& name, const Place& place, Point centre, const MouthPoses& poses,
            const std::vector<Tooth>& teeth);

} // namespace vel::lumo::faces
