#pragma once

namespace vel::lumo {

// How far a held expression key has taken its knob from the timeline's value
// towards the far one, as a weight from 0 (the timeline's) to 1 (the far
// value). It moves one step per drawn frame, easing there in Frames steps
// while the key is held and back in as many after release. A press while it
// is held, as a key's auto-repeat gives, changes nothing; a press while it
// eases back turns it round where it is, so the face never jumps.
class ExpressionEase {
public:
    static constexpr int Frames = 3;

    void Press() { held_ = true; }
    void Release() { held_ = false; }

    // One drawn frame on; answers the weight after it.
    float Step();
    float Weight() const;
    // Whether the next step changes the weight.
    bool IsMoving() const { return held_ ? step_ < Frames : step_ > 0; }
    // Released and back on the timeline.
    bool IsAtRest() const { return !held_ && step_ == 0; }

private:
    bool held_ = false;
    int step_ = 0;
};

} // namespace vel::lumo
