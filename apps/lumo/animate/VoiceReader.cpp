#include "apps/lumo/animate/VoiceReader.h"

#include "apps/lumo/audio/ConvertAudio.h"

#include <algorithm>
#include <cmath>

namespace vel::lumo {

namespace {

AudioHeader Target() {
    return AudioHeader::Make(VoiceSamples::Rate, SampleFormat::S16, 1);
}

} // namespace

VoiceReader::VoiceReader(const AnimateInput& input) : view_(input.audio) {
    const std::uint64_t available = ConvertedFrames(view_, Target());
    const double fps = input.FramesPerSecond();
    if (available == 0 || fps <= 0.0) {
        return;
    }
    first_ = std::min(available,
                      static_cast<std::uint64_t>(input.range.first / fps * VoiceSamples::Rate));
    end_ =
        std::min(available,
                 static_cast<std::uint64_t>(std::ceil(input.range.end / fps * VoiceSamples::Rate)));
}

VoiceSamples VoiceReader::Read(std::uint64_t from, std::uint64_t count) const {
    VoiceSamples voice;
    const std::uint64_t begin = std::min(from, Size());
    const std::uint64_t length = std::min(count, Size() - begin);
    voice.startSeconds = static_cast<double>(first_ + begin) / VoiceSamples::Rate;
    voice.samples.resize(length);
    ConvertAudioFrames(view_, Target(), first_ + begin, length,
                       reinterpret_cast<std::uint8_t*>(voice.samples.data()));
    return voice;
}

} // namespace vel::lumo
