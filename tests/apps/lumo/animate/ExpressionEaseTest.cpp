#include "apps/lumo/animate/ExpressionEase.h"

#include <gtest/gtest.h>
#include <vector>

namespace vel::lumo {
namespace {

std::vector<float> Steps(ExpressionEase& ease, int count) {
    std::vector<float> weights;
    for (int i = 0; i < count; ++i) {
        weights.push_back(ease.Step());
    }
    return weights;
}

void ExpectWeights(const std::vector<float>& actual, const std::vector<float>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i], expected[i], 1e-6f) << "frame " << i;
    }
}

constexpr float Third = 7.0f / 27.0f;      // eased weight a third of the way
constexpr float TwoThirds = 20.0f / 27.0f; // and two thirds

TEST(ExpressionEase, ThreeFramesThereHeldThenThreeFramesBack) {
    ExpressionEase ease;
    EXPECT_TRUE(ease.IsAtRest());
    EXPECT_FALSE(ease.IsMoving());
    ease.Press();
    EXPECT_TRUE(ease.IsMoving());
    ExpectWeights(Steps(ease, 3), {Third, TwoThirds, 1.0f});
    EXPECT_FALSE(ease.IsMoving());
    ExpectWeights(Steps(ease, 2), {1.0f, 1.0f});
    ease.Release();
    EXPECT_FALSE(ease.IsAtRest());
    ExpectWeights(Steps(ease, 4), {TwoThirds, Third, 0.0f, 0.0f});
    EXPECT_TRUE(ease.IsAtRest());
}

TEST(ExpressionEase, RepeatedPressesDoNotRestartIt) {
    ExpressionEase ease;
    ease.Press();
    ease.Step();
    ease.Step();
    ease.Press();
    ExpectWeights(Steps(ease, 2), {1.0f, 1.0f});
    ease.Press();
    EXPECT_FLOAT_EQ(ease.Weight(), 1.0f);
}

TEST(ExpressionEase, APressWhileEasingBackTurnsItRoundWhereItIs) {
    ExpressionEase ease;
    ease.Press();
    Steps(ease, 3);
    ease.Release();
    ease.Step();
    ease.Press();
    ExpectWeights(Steps(ease, 2), {1.0f, 1.0f});

    // A release before it got there goes back from where it got to.
    ease.Release();
    ease.Step();
    ease.Step();
    ease.Press();
    ease.Step();
    ease.Release();
    ExpectWeights(Steps(ease, 3), {Third, 0.0f, 0.0f});
}

} // namespace
} // namespace vel::lumo
