#pragma once

namespace vel::lumo {

// Everything from parsing the command line to the end of the program; returns the exit code.
int Main(int& argc, char* argv[]);

} // namespace vel::lumo
