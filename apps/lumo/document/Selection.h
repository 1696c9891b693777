#pragma once

#include <cstdint>

namespace vel::lumo {

// The selection the preview and the shapes-and-poses pane share: a shape at
// or past the shape count means no shape; the reference pose equals the pose
// when only one pose is selected.
struct Selection {
    uint64_t shape = 0;
    uint64_t pose = 0;
    uint64_t referencePose = 0;

    friend bool operator==(const Selection&, const Selection&) = default;
};

} // namespace vel::lumo
