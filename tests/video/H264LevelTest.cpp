#include "video/H264Level.h"

#include <gtest/gtest.h>

namespace vel::video {
namespace {

constexpr int64_t Rate = 1800000;

TEST(H264LevelTest, TheExportSizesAtNtscRateTakeTheLowestLevelThatHoldsThem) {
    struct Case {
        uint32_t width, height;
        int level;
    };
    for (const Case& c : {Case{800, 600, 31}, Case{1024, 768, 31}, Case{1280, 720, 31},
                          Case{1920, 1080, 40}, Case{1080, 1920, 40}, Case{3840, 2160, 51}}) {
        EXPECT_EQ(H264Level(c.width, c.height, 29970, 1000, Rate), c.level)
            << c.width << "x" << c.height;
    }
}

TEST(H264LevelTest, EachLimitMovesTheLevelUpAtItsEdge) {
    // Macroblocks per second: 3600 a frame fill level 3.1 at exactly 30.
    EXPECT_EQ(H264Level(1280, 720, 30000, 1000, Rate), 31);
    EXPECT_EQ(H264Level(1280, 720, 30001, 1000, Rate), 32);
    EXPECT_EQ(H264Level(1920, 1080, 60000, 1000, Rate), 42);
    // Frame size: a partial macroblock counts whole; 1620 fit level 3, 1621 not.
    EXPECT_EQ(H264Level(720, 576, 25000, 1000, Rate), 30);
    EXPECT_EQ(H264Level(720, 577, 25000, 1000, Rate), 31);
    // A side longer than the root of eight frames: 512 macroblocks across
    // need 32768 a frame, though the frame holds only 512.
    EXPECT_EQ(H264Level(8192, 16, 1000, 1000, Rate), 51);
    // The bit rate: a tiny picture still needs a level that takes 1.8 Mbit/s.
    EXPECT_EQ(H264Level(64, 36, 29970, 1000, 64000), 10);
    EXPECT_EQ(H264Level(64, 36, 29970, 1000, Rate), 20);
    // The denominator counts: 30000/1001 is below 30.
    EXPECT_EQ(H264Level(1280, 720, 30000, 1001, Rate), 31);
}

TEST(H264LevelTest, WhatNoLevelHoldsAnswersNothing) {
    EXPECT_EQ(H264Level(16384, 16384, 30000, 1000, Rate), 0);
    EXPECT_EQ(H264Level(3840, 2160, 1000000, 1000, Rate), 0);
    EXPECT_EQ(H264Level(1920, 1080, 30000, 0, Rate), 0);
    EXPECT_EQ(H264Level(1920, 1080, 30000, 1000, 900000000), 0);
}

} // namespace
} // namespace vel::video
