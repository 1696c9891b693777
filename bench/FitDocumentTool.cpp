// Writes a copy of a document with its face fitted to a pumpkin: every
// corner moved and the 3 × 3 grid on and bent, so that a show or an export of
// the copy does all of the fit's work. bench/show-lateness-bench uses it.
// Usage: lumo-bench-fit-document DOCUMENT COPY

#include "apps/lumo/document/FitEdits.h"
#include "apps/lumo/document/LumoDocument.h"
#include "core/File.h"

#include <cstdio>

int main(int argc, char** argv) {
    using namespace vel::lumo;
    if (argc != 3) {
        std::fprintf(stderr, "usage: lumo-bench-fit-document DOCUMENT COPY\n");
        return 2;
    }
    vel::core::FileError error;
    const std::unique_ptr<LumoDocument> document = LumoDocument::Open(argv[1], error);
    if (!document) {
        std::fprintf(stderr, "%s: cannot open the document\n", argv[1]);
        return 1;
    }
    const bool fitted =
        MoveFitHandle(*document, 0, {0.08f, 0.05f}) && MoveFitHandle(*document, 1, {0.9f, 0.1f}) &&
        MoveFitHandle(*document, 2, {0.95f, 0.92f}) &&
        MoveFitHandle(*document, 3, {0.04f, 0.85f}) && SetFitGrid(*document, true) &&
        MoveFitHandle(*document, 8, {0.55f, 0.45f}) && MoveFitHandle(*document, 5, {0.3f, 0.2f});
    if (!fitted || !document->Save(argv[2])) {
        std::fprintf(stderr, "%s: cannot write the fitted copy\n", argv[2]);
        return 1;
    }
    return 0;
}
