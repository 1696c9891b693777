#include "apps/lumo/animate/KeyGenerator.h"

namespace vel::lumo {

std::optional<std::string> KeyGenerator::Problem(const AnimateInput& input) const {
    if (input.range.Length() == 0 || input.frameRate == 0) {
        return "The frame range holds no frames.";
    }
    return std::nullopt;
}

std::optional<std::string> KeyGenerator::Warning(const AnimateInput&) const {
    return std::nullopt;
}

} // namespace vel::lumo
