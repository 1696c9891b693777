#pragma once

#include "apps/lumo/audio/AudioClip.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <random>
#include <vector>

namespace vel::lumo::test {

// Room noise as recordings carry it: a hiss flat over the spectrum, one that
// falls 3 dB an octave as rooms and fans sound, and the mains hum of a
// recorder with its harmonics over a little hiss.
enum class Noise { White, Pink, Hum };

// The samples of a mono 16-bit clip.
inline std::vector<std::int16_t> Samples16(const AudioClip& clip) {
    std::vector<std::int16_t> samples(clip.Samples().size() / 2);
    std::memcpy(samples.data(), clip.Samples().data(), samples.size() * 2);
    return samples;
}

inline AudioClip Clip16(const std::vector<std::int16_t>& samples, std::uint32_t rate) {
    std::vector<std::uint8_t> bytes(samples.size() * 2);
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    return {AudioHeader::Make(rate, SampleFormat::S16, 1), std::move(bytes)};
}

// The level of the voice where it sounds: the root mean square over the
// 20 ms blocks within 30 dB of the loudest one.
inline double VoiceLevel(const std::vector<std::int16_t>& samples, std::uint32_t rate) {
    const std::size_t block = std::max<std::size_t>(rate / 50, 1);
    std::vector<double> powers;
    for (std::size_t at = 0; at + block <= samples.size(); at += block) {
        double sum = 0.0;
        for (std::size_t i = at; i < at + block; ++i) {
            sum += static_cast<double>(samples[i]) * samples[i];
        }
        powers.push_back(sum / static_cast<double>(block));
    }
    const double loudest = powers.empty() ? 0.0 : *std::max_element(powers.begin(), powers.end());
    double sum = 0.0;
    std::size_t count = 0;
    for (const double power : powers) {
        if (power >= loudest * 1e-3) {
            sum += power;
            ++count;
        }
    }
    return count == 0 ? 0.0 : std::sqrt(sum / static_cast<double>(count));
}

// The clip with the noise mixed in, dbBelow under the voice's level; the
// seed makes the noise repeat.
inline AudioClip WithNoise(const AudioClip& clip, Noise kind, double dbBelow,
                           std::uint32_t seed = 1) {
    std::vector<std::int16_t> samples = Samples16(clip);
    std::vector<double> noise(samples.size());
    std::mt19937 random(seed);
    std::normal_distribution<double> gauss;
    // Pink: the sum of first-order filters of the white noise at spread corners.
    double b0 = 0, b1 = 0, b2 = 0;
    for (std::size_t i = 0; i < noise.size(); ++i) {
        const double white = gauss(random);
        if (kind == Noise::White) {
            noise[i] = white;
        } else if (kind == Noise::Pink) {
            b0 = 0.99765 * b0 + white * 0.0990460;
            b1 = 0.96300 * b1 + white * 0.2965164;
            b2 = 0.57000 * b2 + white * 1.0526913;
            noise[i] = b0 + b1 + b2 + white * 0.1848;
        } else {
            const double t = static_cast<double>(i) / clip.sampleRate;
            double hum = 0.0;
            for (int harmonic = 1; harmonic <= 6; ++harmonic) {
                hum += std::sin(2 * std::numbers::pi * 50.0 * harmonic * t) / harmonic;
            }
            noise[i] = hum + 0.2 * white;
        }
    }
    double power = 0.0;
    for (const double value : noise) {
        power += value * value;
    }
    const double rms =
        std::sqrt(power / static_cast<double>(std::max<std::size_t>(noise.size(), 1)));
    const double gain = VoiceLevel(samples, clip.sampleRate) * std::pow(10.0, -dbBelow / 20.0) /
                        std::max(rms, 1e-12);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(
            std::clamp(std::lround(samples[i] + gain * noise[i]), -32768L, 32767L));
    }
    return Clip16(samples, clip.sampleRate);
}

} // namespace vel::lumo::test
