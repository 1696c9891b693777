// What the editor holds for a long sound: loads a file the way Load Audio
// does into the main window's document, with the audio pane on a sound
// output (a private sound server), lets the panes take it up, then saves the
// document to a new file the way Save As does. Prints the clip's size, the
// times, and the peak resident memory after each step.
// Usage: lumo-bench-load-audio SOUND [DOCUMENT]

#include "apps/lumo/document/AudioCommands.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/render/LoadAudioFile.h"
#include "apps/lumo/shell/LumoWnd.h"
#include "tests/apps/lumo/panes/PulseServer.h"

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

namespace {

using namespace vel::lumo;

// The process's peak resident memory so far, in MiB.
long PeakMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6)) / 1024;
        }
    }
    return -1;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s SOUND [DOCUMENT]\n", argv[0]);
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const test::PulseServer server;
    if (!server.Running())
        std::fprintf(stderr, "no sound output: %s\n", qPrintable(server.Problem()));
    QApplication app(argc, argv);
    LumoWnd window;
    window.show();
    QCoreApplication::processEvents();
    std::printf("start: peak %ld MiB\n", PeakMiB());

    LumoDocument* document = window.GetDocument();
    auto start = std::chrono::steady_clock::now();
    try {
        document->Execute(SetAudioCmd(document, LoadAudioFile(argv[1])));
    } catch (const std::exception& error) {
        std::printf("refused after %.1f s, peak %ld MiB: %s\n", SecondsSince(start), PeakMiB(),
                    error.what());
        return 1;
    }
    QCoreApplication::processEvents();
    const AudioClip& clip = document->GetAudio();
    std::printf("clip: %u Hz, %u channels, %llu bytes per frame, %zu MiB\n", clip.sampleRate,
                clip.channels, static_cast<unsigned long long>(clip.bytesPerFrame),
                clip.Samples().size() >> 20);
    std::printf("loaded: %.1f s, peak %ld MiB\n", SecondsSince(start), PeakMiB());

    if (argc > 2) {
        start = std::chrono::steady_clock::now();
        const bool saved = document->Save(argv[2]);
        std::printf("saved%s: %.1f s, peak %ld MiB\n", saved ? "" : " (failed)",
                    SecondsSince(start), PeakMiB());
    }
    return 0;
}
