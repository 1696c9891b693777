#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vel::lumo {

// The lumo-inspect command: prints documents and WAV files as JSON and
// saves documents again. Returns the exit code: 0 done, 1 a file could not
// be loaded or saved, 2 the command line was wrong.
int RunInspector(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace vel::lumo
