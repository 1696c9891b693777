#include "apps/lumo/model/Timecode.h"

#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

std::string Label(std::uint32_t frame, std::uint32_t rate = DefaultFrameRate) {
    return Timecode::FromFrame(frame, rate).Format();
}

std::uint32_t Parsed(std::string_view text) {
    return Timecode::Parse(text).frameNumber;
}

TEST(TimecodeTest, DropFrameLabelsAcrossMinuteBoundaries) {
    EXPECT_EQ(Label(0), "00:00;00");
    EXPECT_EQ(Label(29), "00:00;29");
    EXPECT_EQ(Label(30), "00:01;00");
    EXPECT_EQ(Label(1799), "00:59;29");
    EXPECT_EQ(Label(1800), "01:00;02");
    EXPECT_EQ(Label(1801), "01:00;03");
    EXPECT_EQ(Label(3597), "01:59;29");
    EXPECT_EQ(Label(3598), "02:00;02");
}

TEST(TimecodeTest, EveryTenthMinuteKeepsItsFirstLabels) {
    EXPECT_EQ(Label(17981), "09:59;29");
    EXPECT_EQ(Label(17982), "10:00;00");
    EXPECT_EQ(Label(17983), "10:00;01");
    EXPECT_EQ(Label(17984), "10:00;02");
    EXPECT_EQ(Label(17982 + 1800), "11:00;02");
    EXPECT_EQ(Label(35963), "19:59;29");
    EXPECT_EQ(Label(35964), "20:00;00");
    EXPECT_EQ(Parsed("20:00;00"), 35964u);
}

TEST(TimecodeTest, HoursAppearFromTheFirstHour) {
    EXPECT_EQ(Label(107891), "59:59;29");
    EXPECT_EQ(Label(107892), "01:00:00;00");
    const Timecode twoHours = Timecode::FromFrame(2 * 107892 + 1800, DefaultFrameRate);
    EXPECT_EQ(twoHours.hours, 2u);
    EXPECT_EQ(twoHours.minutes, 1u);
    EXPECT_EQ(twoHours.Format(), "02:01:00;02");
}

TEST(TimecodeTest, ParsedLabelsNameTheirFrames) {
    EXPECT_EQ(Parsed("00:01:00;00"), 1800u);
    EXPECT_EQ(Parsed("00:01:00;01"), 1800u);
    EXPECT_EQ(Parsed("00:01:00;02"), 1800u);
    EXPECT_EQ(Parsed("00:01:00;03"), 1801u);
    EXPECT_EQ(Parsed("00:01:01;00"), 1828u);
    EXPECT_EQ(Parsed("10:00;00"), 17982u);
    EXPECT_EQ(Parsed("10:00;01"), 17983u);
    EXPECT_EQ(Parsed("09:59;29"), 17981u);
    EXPECT_EQ(Parsed("01:00:00;00"), 107892u);
}

TEST(TimecodeTest, FormatAndParseRoundTripAtDropFrame) {
    // The first forty thousand frames and the turn of the first hour.
    for (const auto& [first, last] : {std::pair(0u, 40000u), std::pair(107800u, 108000u)}) {
        for (std::uint32_t frame = first; frame < last; ++frame) {
            ASSERT_EQ(Parsed(Label(frame)), frame) << Label(frame);
        }
    }
}

TEST(TimecodeTest, ParseAcceptsShortFormsAndRefusesOthers) {
    EXPECT_EQ(Parsed("123"), 123u);
    EXPECT_EQ(Parsed("1;02"), 32u);
    EXPECT_EQ(Parsed("1.02"), 32u);
    EXPECT_EQ(Parsed("  12"), 12u);
    EXPECT_EQ(Parsed("1 2"), 32u);
    EXPECT_EQ(Parsed("abc"), 0u);
    EXPECT_EQ(Parsed("1:2:3:4:5"), 0u);
    EXPECT_EQ(Parsed(""), 0u);
    EXPECT_EQ(Parsed("   "), 0u);
    EXPECT_EQ(Parsed("12x"), 0u);
    EXPECT_EQ(Parsed(";12"), 0u);
    const Timecode parsed = Timecode::Parse("1:2;3");
    EXPECT_EQ(parsed.frameRate, DefaultFrameRate);
    EXPECT_EQ(parsed.Format(), "01:02;03");
}

TEST(TimecodeTest, NonDropRatesCountPlainSeconds) {
    EXPECT_EQ(Label(1800, 30000), "01:00:00");
    EXPECT_EQ(Label(1799, 30000), "00:59:29");
    EXPECT_EQ(Label(25 * 3600, 25000), "01:00:00:00");
    EXPECT_EQ(Timecode::FrameFromFields(0, 1, 0, 0, 30000), 1800u);
    EXPECT_EQ(Timecode::FrameFromFields(1, 0, 0, 0, 25000), 90000u);
}

TEST(TimecodeTest, SlowRatesNeverDivideByZero) {
    EXPECT_EQ(Label(0, 0), "00:00:00");
    EXPECT_EQ(Label(61, 0), "01:01:00");
    EXPECT_EQ(Label(59, 999), "00:59:00");
    EXPECT_EQ(Timecode::FrameFromFields(0, 1, 1, 0, 0), 61u);
}

TEST(TimecodeTest, FractionalRatesLabelAndCountAlike) {
    // 23.976 counts 24 labels a second in both directions.
    EXPECT_EQ(Label(24, 23976), "00:01:00");
    EXPECT_EQ(Timecode::FrameFromFields(0, 0, 1, 0, 23976), 24u);
    // 59.94 drops four labels a minute, both ways.
    EXPECT_EQ(Label(3599, 59940), "00:59;59");
    EXPECT_EQ(Label(3600, 59940), "01:00;04");
    EXPECT_EQ(Timecode::FrameFromFields(0, 1, 0, 4, 59940), 3600u);
    EXPECT_EQ(Timecode::FrameFromFields(0, 1, 0, 3, 59940), 3600u);
    EXPECT_EQ(Label(35964, 59940), "10:00;00");
    EXPECT_EQ(Timecode::FrameFromFields(0, 10, 0, 0, 59940), 35964u);
}

} // namespace
} // namespace vel::lumo
