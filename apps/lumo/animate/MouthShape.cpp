#include "apps/lumo/animate/MouthShape.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace vel::lumo {

namespace {

// Mouth shapes of the US English phonemes: open vowels open, "ee" vowels
// wide, "oo" and "oh" vowels and w round, lips shut for m, b and p, and the
// tongue and teeth sounds a little open.
constexpr std::array<std::pair<std::string_view, MouthShape>, 39> Shapes{{
    {"AA", {1.00f, 0.00f, 0.00f}}, {"AE", {0.85f, 0.35f, 0.00f}}, {"AH", {0.70f, 0.00f, 0.00f}},
    {"AO", {0.80f, 0.00f, 0.45f}}, {"AW", {0.80f, 0.00f, 0.35f}}, {"AY", {0.85f, 0.20f, 0.00f}},
    {"EH", {0.60f, 0.50f, 0.00f}}, {"ER", {0.40f, 0.00f, 0.45f}}, {"EY", {0.50f, 0.70f, 0.00f}},
    {"IH", {0.40f, 0.65f, 0.00f}}, {"IY", {0.30f, 1.00f, 0.00f}}, {"OW", {0.55f, 0.00f, 0.85f}},
    {"OY", {0.55f, 0.00f, 0.60f}}, {"UH", {0.40f, 0.00f, 0.65f}}, {"UW", {0.30f, 0.00f, 1.00f}},
    {"W", {0.15f, 0.00f, 0.90f}},  {"Y", {0.25f, 0.60f, 0.00f}},  {"R", {0.25f, 0.00f, 0.55f}},
    {"L", {0.35f, 0.20f, 0.00f}},  {"M", {0.00f, 0.00f, 0.00f}},  {"B", {0.00f, 0.00f, 0.00f}},
    {"P", {0.00f, 0.00f, 0.00f}},  {"F", {0.15f, 0.20f, 0.00f}},  {"V", {0.15f, 0.20f, 0.00f}},
    {"TH", {0.25f, 0.20f, 0.00f}}, {"DH", {0.25f, 0.20f, 0.00f}}, {"S", {0.20f, 0.40f, 0.00f}},
    {"Z", {0.20f, 0.40f, 0.00f}},  {"T", {0.25f, 0.30f, 0.00f}},  {"D", {0.25f, 0.30f, 0.00f}},
    {"N", {0.25f, 0.20f, 0.00f}},  {"SH", {0.25f, 0.00f, 0.50f}}, {"ZH", {0.25f, 0.00f, 0.50f}},
    {"CH", {0.25f, 0.00f, 0.45f}}, {"JH", {0.25f, 0.00f, 0.45f}}, {"K", {0.35f, 0.10f, 0.00f}},
    {"G", {0.35f, 0.10f, 0.00f}},  {"NG", {0.30f, 0.10f, 0.00f}}, {"HH", {0.50f, 0.00f, 0.00f}},
}};

} // namespace

MouthShape MouthShape::ForPhone(std::string_view phone) {
    for (const auto& [name, shape] : Shapes) {
        if (name == phone) {
            return shape;
        }
    }
    return {};
}

bool MouthShape::ClosesLips(std::string_view phone) {
    return phone == "M" || phone == "B" || phone == "P";
}

float Decibels(double level) {
    return static_cast<float>(20.0 * std::log10(std::max(level, 1e-6)));
}

} // namespace vel::lumo
