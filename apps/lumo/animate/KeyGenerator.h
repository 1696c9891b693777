#pragma once

#include "apps/lumo/animate/AnimateInput.h"
#include "apps/lumo/model/Anchor.h"
#include "apps/lumo/model/KnobKey.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vel::lumo {

// The new anchors of one knob inside the range.
struct KnobKeys {
    KnobKey key;
    std::vector<Anchor> anchors;
};

// What a generator made: the keys of each of its knobs and one sentence
// saying how they were made.
struct Animation {
    std::vector<KnobKeys> knobs;
    std::string method;
};

// Told how many of the range's frames are done; answers false to stop.
using AnimateProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// Makes the keys of a few standard knobs over a frame range from what the
// document holds: its voice, or a seeded random source.
class KeyGenerator {
public:
    virtual ~KeyGenerator() = default;

    // Its name as the Animate menu offers it, which names its undo step.
    virtual std::string Name() const = 0;
    // The standard knobs it keys, in the order it keys them.
    virtual std::vector<KnobKey> Keys() const = 0;
    // Why it cannot work on this input, or nothing when it can.
    virtual std::optional<std::string> Problem(const AnimateInput& input) const;
    // What the user should know before it runs, such as a long wait; nothing
    // when all is as usual.
    virtual std::optional<std::string> Warning(const AnimateInput& input) const;
    // Nothing when progress asked to stop.
    virtual std::optional<Animation> Generate(const AnimateInput& input,
                                              const AnimateProgress& progress) const = 0;

protected:
    KeyGenerator() = default;
    KeyGenerator(const KeyGenerator&) = default;
    KeyGenerator& operator=(const KeyGenerator&) = default;
};

} // namespace vel::lumo
