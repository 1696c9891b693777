#include "apps/lumo/animate/AnimateList.h"

#include "apps/lumo/animate/BlinkGenerator.h"
#include "apps/lumo/animate/FlickerGenerator.h"
#include "apps/lumo/animate/LipSyncGenerator.h"

namespace vel::lumo {

std::optional<std::vector<std::string>> ParseAnimateList(const std::string& text) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string word = text.substr(start, comma - start);
        if (word != "lipsync" && word != "blinks" && word != "flicker") {
            return std::nullopt;
        }
        words.push_back(word);
        if (comma == std::string::npos) {
            return words;
        }
        start = comma + 1;
    }
}

std::unique_ptr<KeyGenerator> MakeGenerator(const std::string& word,
                                            const LipSyncSettings& lipSync) {
    if (word == "lipsync") {
        return std::make_unique<LipSyncGenerator>(lipSync);
    }
    if (word == "blinks") {
        return std::make_unique<BlinkGenerator>(BlinkSettings{});
    }
    if (word == "flicker") {
        return std::make_unique<FlickerGenerator>(FlickerSettings{});
    }
    return nullptr;
}

} // namespace vel::lumo
