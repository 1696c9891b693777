// Helper for the export benchmark:
//   lumo-bench-export frames DOC.glw OUT.bgra   the whole animation's pictures, raw B, G, R, X
//   lumo-bench-export export DOC.glw OUT.mp4 LOOPS [burn-in]   the export run, LOOPS times
//       over; with burn-in every frame carries the counter and so is encoded
// Both print the number of frames.

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/render/ExportPicture.h"
#include "apps/lumo/render/ExportRun.h"

#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>

namespace {

using namespace vel::lumo;

int DumpFrames(const LumoDocument& document, const std::string& out) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(out.c_str(), "wb"), std::fclose);
    if (!file) {
        return 1;
    }
    const uint32_t frames = document.GetFrameCount();
    const int width = static_cast<int>(VideoSize.width);
    const int height = static_cast<int>(VideoSize.height);
    ExportPicture picture(width, height);
    for (uint32_t f = 0; f < frames; ++f) {
        picture.Draw(document.EvaluateFrame(f), std::nullopt, document.GetFrameRate());
        if (std::fwrite(picture.Rows(), size_t{VideoSize.width} * 4, VideoSize.height,
                        file.get()) != VideoSize.height) {
            return 1;
        }
    }
    std::printf("%u\n", frames);
    return 0;
}

int Export(const LumoDocument& document, const std::string& out, uint32_t loops, bool burnIn) {
    ExportJob job;
    ExportOptions options{out, 0, document.GetFrameCount(), loops, burnIn};
    uint64_t frames = 0;
    RunExport(job, options, document, [&](uint64_t done, uint64_t) {
        frames = done;
        return true;
    });
    std::printf("%llu\n", static_cast<unsigned long long>(frames));
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const std::string mode = argc > 3 ? argv[1] : "";
    vel::core::FileError error;
    const auto document = argc > 3 ? LumoDocument::Open(argv[2], error) : nullptr;
    if (!document || (mode != "frames" && mode != "export")) {
        std::fputs("usage: lumo-bench-export frames DOC.glw OUT.bgra\n"
                   "       lumo-bench-export export DOC.glw OUT.mp4 LOOPS [burn-in]\n",
                   stderr);
        return 2;
    }
    try {
        if (mode == "frames") {
            return DumpFrames(*document, argv[3]);
        }
        return Export(*document, argv[3], argc > 4 ? std::stoul(argv[4]) : 1,
                      argc > 5 && std::string(argv[5]) == "burn-in");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
