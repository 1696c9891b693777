// What one repaint of the preview costs at 1920 x 1080: the example face and
// a busy document of 200 shapes of 60 points each, with the first shape
// selected so that its markers are drawn too. Each repetition is one repaint
// into a picture; the median of 100 is the figure to read.

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/panes/PaneHost.h"
#include "apps/lumo/panes/PreviewWnd.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

using namespace vel::lumo;

class IdleHost : public PaneHost {
public:
    void RequestFrame(uint32_t) override {}
    void RequestSelection(const Selection&) override {}
    int OnCommand(uint32_t) override { return 0; }
    uint32_t GetFrame() const override { return 0; }
};

// Rings of 60 points spread over the face, every fourth one dark.
std::unique_ptr<LumoDocument> BusyDocument() {
    auto document = LumoDocument::New();
    for (int s = 0; s < 200; ++s) {
        Shape shape;
        shape.illumination = s % 4 == 3 ? Shape::Dark : Shape::CandleColor;
        shape.name = "Ring " + std::to_string(s);
        Pose pose{KnobKey("first"), {}};
        const int column = s % 20;
        const int row = s / 20;
        const float cx = -1.5f + 3.0f * float(column) / 19.0f;
        const float cy = -0.9f + 1.8f * float(row) / 9.0f;
        for (int i = 0; i < 60; ++i) {
            const float a = 6.2831853f * float(i) / 60.0f;
            const float r = 0.08f + 0.02f * std::sin(5.0f * a);
            pose.points.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
        }
        shape.poses.push_back(pose);
        document->GetModel().InsertShape(document->GetModel().GetShapeCount(), shape);
    }
    return document;
}

void Repaint(benchmark::State& state, LumoDocument& document, uint32_t frame) {
    IdleHost host;
    PreviewWnd preview(nullptr, &host);
    preview.resize(1920, 1080);
    preview.SetDocument(&document);
    preview.StoreSelection({0, 0, 0});
    preview.SetFrame(frame);
    preview.show();
    preview.activateWindow();
    preview.setFocus();
    QApplication::processEvents();
    QImage picture(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        preview.render(&picture);
        benchmark::DoNotOptimize(picture.constBits());
    }
    state.counters["markers"] = preview.hasFocus() ? 1 : 0;
}

void ExampleFace(benchmark::State& state) {
    vel::core::FileError error;
    const auto document = LumoDocument::Open(LUMO_EXAMPLE, error);
    if (!document) {
        state.SkipWithError("the example does not open");
        return;
    }
    Repaint(state, *document, document->GetFrameCount() / 2);
}

void TwoHundredShapes(benchmark::State& state) {
    const auto document = BusyDocument();
    Repaint(state, *document, 0);
}

BENCHMARK(ExampleFace)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(100);
BENCHMARK(TwoHundredShapes)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(100);

} // namespace
