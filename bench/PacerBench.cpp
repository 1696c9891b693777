// Plays the example in the real main window for 600 frames and reports how far
// each frame came after its deadline (median and 99th percentile), how much
// processor time the process burned per second of playback, and how much of it
// the pacer's spinning took. Run it on a real display or on the offscreen
// platform: lumo-bench-pacer examples/talking-pumpkin.glw
// With "edits" after the document, a shape is renamed once a second while
// playing, so that an autosave (its interval from the settings) falls during
// playback; compare with AutosaveSeconds set to 1 and to 0.
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/ShapeCommands.h"
#include "apps/lumo/shell/LumoWnd.h"
#include "apps/lumo/shell/PacerClock.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace {

using vel::lumo::PacerClock;

// The system's clock, counting the time spent spinning.
class MeasuringClock : public PacerClock {
public:
    TimePoint Now() const override { return steady_.Now(); }
    void SleepUntil(TimePoint when) override { steady_.SleepUntil(when); }
    void Spin() override {
        const TimePoint before = steady_.Now();
        steady_.Spin();
        spinning += steady_.Now() - before;
    }
    Duration spinning{};

private:
    vel::lumo::SteadyPacerClock steady_;
};

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(p * static_cast<double>(values.size() - 1))];
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: lumo-bench-pacer DOCUMENT.glw [edits]\n");
        return 2;
    }
    constexpr int frames = 600;
    const bool edits = argc > 2 && std::string(argv[2]) == "edits";
    QApplication application(argc, argv);
    MeasuringClock clock;
    vel::lumo::LumoWnd window(&clock);
    window.resize(1280, 900);
    window.show();
    if (!window.OpenFile(argv[1])) {
        return 1;
    }
    // Long enough to play every measured frame.
    vel::lumo::LumoDocument& document = *window.GetDocument();
    document.GetTimeline().InsertAnchor(document.GetKnobs().front().key, frames + 1,
                                        document.GetKnobs().front().typical);
    QCoreApplication::processEvents();
    window.Play();
    const double framesPerSecond = window.GetDocument()->GetFrameRate() / 1000.0;
    const auto period = std::chrono::duration<double>(1.0 / framesPerSecond);
    std::vector<double> lateness;
    const double cpuBefore = CpuSeconds();
    window.PlaybackStep();
    const PacerClock::TimePoint start = clock.Now();
    QCoreApplication::processEvents();
    for (int frame = 1; frame <= frames && window.IsPlaying(); ++frame) {
        window.PlaybackStep();
        const std::chrono::duration<double> late = clock.Now() - start - frame * period;
        lateness.push_back(late.count() * 1000.0);
        if (edits && frame % 30 == 0) {
            document.Execute(vel::lumo::SetShapeNameCmd(&document, 0, std::to_string(frame)));
        }
        QCoreApplication::processEvents();
    }
    const double seconds = std::chrono::duration<double>(clock.Now() - start).count();
    const double cpu = CpuSeconds() - cpuBefore;
    std::printf("frames %zu over %.2f s at %.3f fps\n", lateness.size(), seconds, framesPerSecond);
    std::printf("deadline error: median %.3f ms, 99th percentile %.3f ms, max %.3f ms\n",
                Percentile(lateness, 0.5), Percentile(lateness, 0.99), Percentile(lateness, 1.0));
    std::printf("processor time: %.1f %% of one core (painting included), spinning %.1f %%\n",
                100.0 * cpu / seconds,
                100.0 * std::chrono::duration<double>(clock.spinning).count() / seconds);
    return 0;
}
