#include "video/H264Level.h"

namespace vel::video {

namespace {

// One row of the standard's level limits.
struct LevelLimits {
    int idc;
    uint64_t macroblocksPerSecond;
    uint64_t frameMacroblocks;
    uint64_t kilobitsPerSecond; // the Main profile's video bit rate
};

// Level 1b is left out: it only ever follows level 1.
constexpr LevelLimits Levels[] = {
    {10, 1485, 99, 64},
    {11, 3000, 396, 192},
    {12, 6000, 396, 384},
    {13, 11880, 396, 768},
    {20, 11880, 396, 2000},
    {21, 19800, 792, 4000},
    {22, 20250, 1620, 4000},
    {30, 40500, 1620, 10000},
    {31, 108000, 3600, 14000},
    {32, 216000, 5120, 20000},
    {40, 245760, 8192, 20000},
    {41, 245760, 8192, 50000},
    {42, 522240, 8704, 50000},
    {50, 589824, 22080, 135000},
    {51, 983040, 36864, 240000},
    {52, 2073600, 36864, 240000},
    {60, 4177920, 139264, 240000},
    {61, 8355840, 139264, 480000},
    {62, 16711680, 139264, 800000},
};

constexpr uint64_t MacroblockSide = 16;

} // namespace

int H264Level(uint32_t width, uint32_t height, uint32_t rateNumerator, uint32_t rateDenominator,
              int64_t bitRate) {
    if (rateDenominator == 0 || bitRate < 0) {
        return 0;
    }
    const uint64_t across = (uint64_t{width} + MacroblockSide - 1) / MacroblockSide;
    const uint64_t down = (uint64_t{height} + MacroblockSide - 1) / MacroblockSide;
    const uint64_t frame = across * down;
    for (const LevelLimits& level : Levels) {
        // Neither side may exceed the square root of eight frames' worth.
        const uint64_t sideLimit = 8 * level.frameMacroblocks;
        if (frame <= level.frameMacroblocks && across * across <= sideLimit &&
            down * down <= sideLimit &&
            frame * rateNumerator <= level.macroblocksPerSecond * rateDenominator &&
            static_cast<uint64_t>(bitRate) <= level.kilobitsPerSecond * 1000) {
            return level.idc;
        }
    }
    return 0;
}

} // namespace vel::video
