#pragma once

#include <cstdint>
#include <string>

namespace vel::lumo {

// What to export: document frames [firstFrame, endFrame), loopCount times.
struct ExportOptions {
    std::string fileName;
    uint32_t firstFrame = 0;
    uint32_t endFrame = 0;
    uint32_t loopCount = 1;
    bool burnIn = false;
};

} // namespace vel::lumo
