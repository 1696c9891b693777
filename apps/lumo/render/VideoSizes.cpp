#include "apps/lumo/render/VideoSizes.h"

#include <algorithm>
#include <charconv>

namespace vel::lumo {

namespace {

constexpr VideoSizeChoice Sizes[] = {
    {VideoSize, "widescreen HD"},
    {{1280, 720}, "smaller widescreen"},
    {{1024, 768}, "4:3 projector"},
    {{800, 600}, "small 4:3 projector"},
    {{1080, 1920}, "tall, for a window or a door"},
    {{3840, 2160}, "widescreen 4K"},
};

// A whole number of decimal digits only, the whole text.
std::optional<uint32_t> ReadSide(std::string_view text) {
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::span<const VideoSizeChoice> VideoSizes() {
    return Sizes;
}

std::string VideoSizeName(CanvasSize size) {
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

std::string VideoSizeLabel(const VideoSizeChoice& choice) {
    return std::to_string(choice.size.width) + " \u00d7 " + std::to_string(choice.size.height) +
           " (" + choice.use + ")";
}

std::optional<CanvasSize> ParseVideoSize(std::string_view text) {
    const std::size_t cross = text.find_first_of("xX");
    if (cross == std::string_view::npos) {
        return std::nullopt;
    }
    const std::optional<uint32_t> width = ReadSide(text.substr(0, cross));
    const std::optional<uint32_t> height = ReadSide(text.substr(cross + 1));
    if (!width || !height) {
        return std::nullopt;
    }
    const CanvasSize size{*width, *height};
    const bool listed = std::any_of(std::begin(Sizes), std::end(Sizes),
                                    [&](const VideoSizeChoice& c) { return c.size == size; });
    return listed ? std::optional<CanvasSize>(size) : std::nullopt;
}

std::string VideoSizeNames() {
    std::string names;
    for (const VideoSizeChoice& choice : Sizes) {
        names += (names.empty() ? "" : ", ") + VideoSizeName(choice.size);
    }
    return names;
}

} // namespace vel::lumo
