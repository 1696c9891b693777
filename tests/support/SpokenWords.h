#pragma once

#include "apps/lumo/audio/ConvertAudio.h"
#include "apps/lumo/audio/LoadWav.h"
#include "tests/support/TempFolder.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vel::lumo::test {

// The text as espeak-ng says it in American English: mono 16-bit samples at
// the rate.
inline std::vector<std::int16_t> SpokenWords(const std::string& text, std::uint32_t rate) {
    vel::testing::TempFolder folder;
    const std::string wav = folder / "voice.wav";
    EXPECT_EQ(std::system(("espeak-ng -v en-us -w '" + wav + "' '" + text + "'").c_str()), 0);
    const AudioClip clip =
        ConvertAudio(LoadWav(wav), AudioHeader::Make(rate, SampleFormat::S16, 1));
    std::vector<std::int16_t> samples(clip.Samples().size() / sizeof(std::int16_t));
    std::memcpy(samples.data(), clip.Samples().data(), samples.size() * sizeof(std::int16_t));
    return samples;
}

} // namespace vel::lumo::test
