#include "apps/lumo/shell/LumoCommandLine.h"

namespace vel::lumo {

LumoCommandLine::LumoCommandLine() {
    // The program path and the document are often absolute paths.
    slashIntroducesOptions = false;
    AddArgument(program);
    SetHelpOption(help);
    inOptionalArguments = 1;
    AddArgument(fileName);
}

} // namespace vel::lumo
