#include "apps/lumo/shell/Main.h"

#include <csignal>

int main(int argc, char* argv[]) {
    // A write beyond the file-size limit must fail the save or export, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    return vel::lumo::Main(argc, argv);
}
