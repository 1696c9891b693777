#pragma once

#include <cstdint>
#include <string>

namespace vel::lumo {

// What to export: document frames [firstFrame, endFrame), loopCount times,
// fitted to the pumpkin by the document's fit when fitted is set.
struct ExportOptions {
    std::string fileName;
    uint32_t firstFrame = 0;
    uint32_t endFrame = 0;
    uint32_t loopCount = 1;
    bool burnIn = false;
    bool fitted = false;
};

} // namespace vel::lumo
