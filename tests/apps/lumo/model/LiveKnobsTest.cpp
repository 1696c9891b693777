#include "apps/lumo/model/LiveKnobs.h"

#include <gtest/gtest.h>
#include <memory>

namespace vel::lumo {
namespace {

const KnobKey Mouth("mouth");
const KnobKey Blink("eyeblink");

struct CountingWatcher : LiveKnobs::Watcher {
    void OnLiveKnobsChange() override { ++heard; }
    int heard = 0;
};

TEST(LiveKnobsTest, OverridesOnlyTheKnobsSetAndOnlyKnobsTheFrameHas) {
    LiveKnobs live;
    const KnobValues frame{{Mouth, 0.1f}, {Blink, 0.7f}};
    EXPECT_EQ(live.Over(frame), frame);
    live.Set({{Mouth, 0.9f}, {KnobKey("nothere"), 1.0f}});
    EXPECT_EQ(live.Over(frame), (KnobValues{{Mouth, 0.9f}, {Blink, 0.7f}}));
    EXPECT_EQ(live.Get(Mouth), 0.9f);
    EXPECT_FALSE(live.Get(Blink).has_value());
    live.Release({Mouth, KnobKey("nothere")});
    EXPECT_TRUE(live.IsEmpty());
    EXPECT_EQ(live.Over(frame), frame);
}

TEST(LiveKnobsTest, WatchersHearEachChangeOnceAndNothingWhenNothingChanged) {
    LiveKnobs live;
    CountingWatcher watcher;
    const LiveKnobs::Watching watching(&live, &watcher);
    live.Set({{Mouth, 0.5f}, {Blink, 0.5f}});
    EXPECT_EQ(watcher.heard, 1);
    live.Set({{Mouth, 0.5f}});
    live.Release({KnobKey("nothere")});
    EXPECT_EQ(watcher.heard, 1);
    live.Set({{Mouth, 0.6f}});
    live.Release({Mouth, Blink});
    EXPECT_EQ(watcher.heard, 3);
}

TEST(LiveKnobsTest, AWatchingThatEndsOrMovesIsNeverCalledThroughItsOldPlace) {
    LiveKnobs live;
    CountingWatcher first;
    CountingWatcher second;
    { const LiveKnobs::Watching gone(&live, &first); }
    LiveKnobs::Watching moved(&live, &second);
    const LiveKnobs::Watching kept(std::move(moved));
    live.Set({{Mouth, 1.0f}});
    EXPECT_EQ(first.heard, 0);
    EXPECT_EQ(second.heard, 1);
    EXPECT_EQ(kept.GetKnobs(), &live);
}

TEST(LiveKnobsTest, AWatchingOutlivesTheSetItWatched) {
    CountingWatcher watcher;
    auto live = std::make_unique<LiveKnobs>();
    LiveKnobs::Watching watching(live.get(), &watcher);
    live.reset();
    EXPECT_EQ(watching.GetKnobs(), nullptr);
    watching = LiveKnobs::Watching();
}

} // namespace
} // namespace vel::lumo
