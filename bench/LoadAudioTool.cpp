// What the editor holds for a long sound and how the window fares while it
// loads: loads a file the way Load Audio does into the main window's
// document, with the audio pane on a sound output (a private sound server),
// and times when the waveform first shows, when the whole of it shows, when
// the sound is ready to play, and the longest time the window's thread ran
// no events. Then the same with everything on the window's thread, as Load
// Audio once did, and, given a document name, takes a recovery copy the way
// the autosave does (into $XDG_STATE_HOME) and saves the way Save As does.
// Prints the clip's size, the times, and the peak resident memory.
// Usage: lumo-bench-load-audio SOUND [DOCUMENT]

#include "apps/lumo/document/AudioCommands.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/panes/AudioWnd.h"
#include "apps/lumo/panes/TimelineWnd.h"
#include "apps/lumo/render/LoadAudioFile.h"
#include "apps/lumo/shell/Autosaver.h"
#include "apps/lumo/shell/LumoWnd.h"
#include "tests/support/PulseServer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>
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

struct Timings {
    std::optional<double> firstWaveform;
    std::optional<double> wholeWaveform;
    std::optional<double> ready;
    double longestStall = 0;
};

// Runs the window's events from start() until the document's sound is ready
// to play or the load ends, noting the times from a timer that fires every
// millisecond the thread is free.
Timings Watch(LumoWnd& window, const std::function<void()>& start) {
    Timings timings;
    QElapsedTimer clock;
    double last = 0;
    bool done = false;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const double now = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        timings.longestStall = std::max(timings.longestStall, now - last);
        last = now;
        const TimelineWaveform& shown = window.Timeline()->ShownWaveform();
        if (!timings.firstWaveform && shown.Envelope().byteCount > 0) {
            timings.firstWaveform = now;
        }
        if (!timings.wholeWaveform &&
            shown.IsOf(window.GetDocument()->GetAudio(), window.GetDocument()->GetFrameRate())) {
            timings.wholeWaveform = now;
        }
        if (!timings.ready && window.Audio()->PlaybackFrames() > 0) {
            timings.ready = now;
        }
        done = timings.ready || !window.IsLoadingAudio();
    });
    clock.start();
    ticker.start();
    QTimer::singleShot(0, start);
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return timings;
}

void Print(const char* what, const Timings& timings) {
    const auto seconds = [](const std::optional<double>& t) {
        return t ? std::to_string(*t).substr(0, 5) + " s" : std::string("never");
    };
    std::printf("%s: waveform first shown %s, whole %s; ready to play %s; longest stall %.0f ms\n",
                what, seconds(timings.firstWaveform).c_str(),
                seconds(timings.wholeWaveform).c_str(), seconds(timings.ready).c_str(),
                timings.longestStall * 1000);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s SOUND [DOCUMENT]\n", argv[0]);
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const vel::testing::PulseServer server;
    if (!server.Running()) {
        std::fprintf(stderr, "no sound output: %s\n", qPrintable(server.Problem()));
    }
    QApplication app(argc, argv);
    LumoWnd window;
    window.resize(1200, 800);
    window.show();
    QCoreApplication::processEvents();
    std::printf("start: peak %ld MiB\n", PeakMiB());

    const std::string sound = argv[1];
    const Timings loaded = Watch(window, [&] { window.LoadAudio(sound); });
    LumoDocument* document = window.GetDocument();
    const AudioClip clip = document->GetAudio();
    if (!loaded.ready) {
        std::printf("refused after %.1f s, peak %ld MiB\n", loaded.longestStall, PeakMiB());
        return 1;
    }
    std::printf("clip: %u Hz, %u channels, %llu bytes per frame, %zu MiB\n", clip.sampleRate,
                clip.channels, static_cast<unsigned long long>(clip.bytesPerFrame),
                clip.Samples().size() >> 20);
    std::printf("loaded: %.1f s, peak %ld MiB\n", *loaded.ready, PeakMiB());
    Print("Load Audio", loaded);

    if (argc > 2) {
        // The window's share is the tick; the writer's thread does the rest.
        Autosaver& autosave = window.GetAutosaver();
        QElapsedTimer clock;
        clock.start();
        autosave.Tick();
        const double tick = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        autosave.Finish();
        std::printf("autosaved: window %.1f ms, written in %.1f s, peak %ld MiB\n", tick,
                    static_cast<double>(clock.elapsed()) / 1000, PeakMiB());
        clock.restart();
        const bool saved = document->Save(argv[2]);
        std::printf("saved%s: %.1f s, peak %ld MiB\n", saved ? "" : " (failed)",
                    static_cast<double>(clock.elapsed()) / 1000, PeakMiB());
    }

    window.SetDocument(LumoDocument::New());
    Print("all on the window's thread", Watch(window, [&] {
              LumoDocument* fresh = window.GetDocument();
              fresh->Execute(SetAudioCmd(fresh, LoadAudioFile(sound)));
          }));
    return 0;
}
