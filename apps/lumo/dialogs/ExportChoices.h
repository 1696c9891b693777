#pragma once

#include "apps/lumo/model/Model.h"

#include <string>

namespace vel::lumo {

// What the next Export Video dialog starts from, kept while the program
// runs: the folder, loop count, fitting, picture size and least minutes of
// the last export the user confirmed.
// An empty folder stands for the user's videos folder.
struct ExportChoices {
    std::string folder;
    unsigned int loops = 1;
    bool fitted = false;
    CanvasSize size = VideoSize;
    unsigned int minutes = 0;
};

} // namespace vel::lumo
