#pragma once

#include "apps/lumo/model/Model.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vel::lumo {

// One picture size a video can be exported at, with what it is for.
struct VideoSizeChoice {
    CanvasSize size;
    const char* use;
};

// The sizes the export offers, the default (VideoSize) first. Only these
// are taken: each is one that players and projectors commonly play.
std::span<const VideoSizeChoice> VideoSizes();

// "1280x720", as --size takes it.
std::string VideoSizeName(CanvasSize size);
// "1280 × 720 (smaller widescreen)", as the dialog shows it.
std::string VideoSizeLabel(const VideoSizeChoice& choice);
// The listed size that text names as WIDTHxHEIGHT (x or X); nothing for
// any other text.
std::optional<CanvasSize> ParseVideoSize(std::string_view text);
// Every listed size by name, comma-separated, for messages.
std::string VideoSizeNames();

} // namespace vel::lumo
