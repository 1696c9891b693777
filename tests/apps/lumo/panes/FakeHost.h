#pragma once

#include "apps/lumo/panes/PaneHost.h"
#include "apps/lumo/panes/TimelineWnd.h"

#include <cstdint>
#include <vector>

namespace vel::lumo::test {

// The main window's side of the pane requests: keeps the frame, hands it to
// the timeline as the main window does, and records what was asked.
class FakeHost : public PaneHost {
public:
    void RequestFrame(uint32_t frame) override {
        frame_ = frame;
        requestedFrames.push_back(frame);
        if (timeline) {
            timeline->SetFrame(frame);
        }
    }
    void RequestSelection(const Selection&) override {}
    int OnCommand(uint32_t id) override {
        commands.push_back(id);
        return 0;
    }
    uint32_t GetFrame() const override { return frame_; }

    TimelineWnd* timeline = nullptr;
    std::vector<uint32_t> requestedFrames;
    std::vector<uint32_t> commands;

private:
    uint32_t frame_ = 0;
};

} // namespace vel::lumo::test
