#include "apps/lumo/model/Timecode.h"

#include <algorithm>
#include <array>

namespace vel::lumo {

namespace {

constexpr std::uint32_t SecondsPerMinute = 60;
constexpr std::uint32_t MinutesPerHour = 60;

// Frame labels skipped at the start of each minute not divisible by ten.
std::uint32_t DroppedLabels(std::uint32_t rate) {
    switch (rate) {
    case DefaultFrameRate:
        return 2;
    case 2 * DefaultFrameRate:
        return 4;
    default:
        return 0;
    }
}

// Frame labels per second: the rate rounded up, so that 29.97 counts 30
// labels and 23.976 counts 24, and never 0, so that a rate below one frame
// per second labels one frame per second instead of dividing by zero.
std::uint32_t LabelsPerSecond(std::uint32_t rate) {
    return std::max<std::uint32_t>(1,
                                   static_cast<std::uint32_t>((std::uint64_t{rate} + 999) / 1000));
}

void AppendTwoDigits(std::string& text, std::uint32_t value) {
    static constexpr std::string_view digits = "0123456789";
    text += digits[value / 10 % 10];
    text += digits[value % 10];
}

bool IsSeparator(char c) {
    return std::string_view(":;,./- ").find(c) != std::string_view::npos;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsWhiteSpace(char c) {
    return std::string_view(" \t\n\v\f\r").find(c) != std::string_view::npos;
}

} // namespace

Timecode Timecode::FromFrame(std::uint32_t frameNumber, std::uint32_t frameRate) {
    const std::uint64_t base = LabelsPerSecond(frameRate);
    const std::uint64_t drop = DroppedLabels(frameRate);
    std::uint64_t label = frameNumber;
    if (drop != 0) {
        const std::uint64_t minuteFrames = base * SecondsPerMinute - drop;
        const std::uint64_t tenMinuteFrames = minuteFrames * 10 + drop;
        const std::uint64_t tens = frameNumber / tenMinuteFrames;
        const std::uint64_t rest = frameNumber % tenMinuteFrames;
        label += 9 * drop * tens;
        if (rest > drop) {
            label += drop * ((rest - drop) / minuteFrames);
        }
    }
    const std::uint64_t totalSeconds = label / base;
    Timecode timecode;
    timecode.frameNumber = frameNumber;
    timecode.frameRate = frameRate;
    timecode.frames = static_cast<std::uint32_t>(label % base);
    timecode.seconds = static_cast<std::uint32_t>(totalSeconds % SecondsPerMinute);
    timecode.hours = static_cast<std::uint32_t>(totalSeconds /
                                                (std::uint64_t{SecondsPerMinute} * MinutesPerHour));
    const std::uint64_t minutes = totalSeconds / SecondsPerMinute;
    timecode.minutes =
        static_cast<std::uint32_t>(timecode.hours != 0 ? minutes % MinutesPerHour : minutes);
    return timecode;
}

std::string Timecode::Format() const {
    std::string text;
    text.reserve(12);
    if (hours != 0) {
        AppendTwoDigits(text, hours % 100);
        text += ':';
    }
    AppendTwoDigits(text, minutes);
    text += ':';
    AppendTwoDigits(text, seconds);
    text += DroppedLabels(frameRate) != 0 ? ';' : ':';
    AppendTwoDigits(text, frames);
    return text;
}

std::uint32_t Timecode::FrameFromFields(std::uint32_t hours, std::uint32_t minutes,
                                        std::uint32_t seconds, std::uint32_t frames,
                                        std::uint32_t frameRate) {
    const std::uint32_t drop = DroppedLabels(frameRate);
    const std::uint32_t base = LabelsPerSecond(frameRate);
    const std::uint32_t total =
        ((hours * MinutesPerHour + minutes) * SecondsPerMinute + seconds) * base + frames;
    const std::uint32_t k = (minutes / 10 + hours * 6) * drop;
    if (minutes % 10 == 0) {
        return total - 9 * k;
    }
    const std::uint32_t e = (seconds != 0 || frames > drop) ? drop : frames;
    return total - 9 * k - ((minutes % 10 - 1) * drop + e);
}

Timecode Timecode::Parse(std::string_view text) {
    const auto invalid = FromFrame(0, DefaultFrameRate);
    std::size_t position = 0;
    while (position < text.size() && IsWhiteSpace(text[position])) {
        ++position;
    }
    if (position == text.size() || !IsDigit(text[position])) {
        return invalid;
    }
    // fields[0] is the frames; each separator shifts the fields toward the hours.
    std::array<std::uint32_t, 4> fields{};
    std::size_t separators = 0;
    for (; position < text.size(); ++position) {
        const char c = text[position];
        if (IsDigit(c)) {
            fields[0] = fields[0] * 10 + static_cast<std::uint32_t>(c - '0');
        } else if (IsSeparator(c) && ++separators < fields.size()) {
            std::shift_right(fields.begin(), fields.end(), 1);
            fields[0] = 0;
        } else {
            return invalid;
        }
    }
    return FromFrame(FrameFromFields(fields[3], fields[2], fields[1], fields[0], DefaultFrameRate),
                     DefaultFrameRate);
}

} // namespace vel::lumo
