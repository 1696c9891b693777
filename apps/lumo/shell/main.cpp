#include "apps/lumo/shell/Main.h"

int main(int argc, char* argv[]) {
    return vel::lumo::Main(argc, argv);
}
