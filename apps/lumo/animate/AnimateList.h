#pragma once

#include "apps/lumo/animate/KeyGenerator.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vel::lumo {

struct LipSyncSettings;

// The words of a comma-separated list of "lipsync", "blinks" and "flicker";
// nothing when the list is empty or holds any other word.
std::optional<std::vector<std::string>> ParseAnimateList(const std::string& text);

// The generator a word of the list names, with its default settings, the
// lip sync with the ones given.
std::unique_ptr<KeyGenerator> MakeGenerator(const std::string& word,
                                            const LipSyncSettings& lipSync);

} // namespace vel::lumo
