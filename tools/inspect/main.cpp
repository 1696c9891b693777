#include "tools/inspect/Inspector.h"

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // Under a file-size limit a write must fail and be reported, not kill
    // the program.
    std::signal(SIGXFSZ, SIG_IGN);
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const int code = vel::lumo::RunInspector(arguments, std::cout, std::cerr);
    std::cout.flush();
    return std::cout ? code : 1;
}
