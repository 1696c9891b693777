#include "apps/lumo/audio/SampleAt.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/panes/AudioWnd.h"
#include "tests/apps/lumo/panes/PaneTestHost.h"
#include "tests/apps/lumo/panes/PlaybackRecording.h"
#include "tests/apps/lumo/panes/PulseServer.h"

#include <QApplication>
#include <QProcess>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace vel::lumo {
namespace {

test::PulseServer* server = nullptr;

TEST(AudioPlaybackTest, WhatComesOutIsTheDocumentFromTheFrameAndHeardTimeFollowsIt) {
    if (!server->Running())
        GTEST_SKIP() << "no private sound server: " << server->Problem().toStdString();
    uint32_t error = 0;
    auto document = LumoDocument::Open(LUMO_EXAMPLE, error);
    ASSERT_TRUE(document);
    const AudioClip& clip = document->GetAudio();
    test::PaneTestHost host;
    AudioWnd audio(nullptr, &host);
    audio.SetDocument(document.get());
    ASSERT_FALSE(audio.PlaybackClip().Samples().empty()) << "the output offers no usable format";

    const double rate = clip.sampleRate;
    QProcess recorder;
    server->PrepareRecorder(recorder, static_cast<int>(clip.sampleRate));
    test::Recording recording(recorder, rate);
    const double fps = document->GetFrameRate() / 1000.0;
    const uint32_t firstFrame = 60;
    std::vector<test::Heard> heard;
    ASSERT_TRUE(test::PlayAndRecord(audio, recording, recorder, firstFrame, fps, 3.0, heard));
    const std::vector<float>& recorded = recording.Samples();

    // The loudest third of a second in the first two seconds played.
    const auto reference = [&](std::size_t from, std::size_t count) {
        std::vector<float> part(count);
        for (std::size_t j = 0; j < count; ++j)
            part[j] = SampleAt(clip, (from + j) * clip.bytesPerFrame);
        return part;
    };
    const double outputRate = audio.PlaybackClip().sampleRate;
    const double startSeconds = std::floor(firstFrame * outputRate / fps + 0.5) / outputRate;
    const auto start = static_cast<std::size_t>(std::lround(startSeconds * rate));
    const auto window = static_cast<std::size_t>(rate / 3);
    std::size_t loudest = start;
    double loudestEnergy = 0;
    for (std::size_t from = start; from + window < start + 2 * clip.sampleRate;
         from += window / 4) {
        double energy = 0;
        for (float v : reference(from, window))
            energy += double{v} * v;
        if (energy > loudestEnergy)
            std::tie(loudest, loudestEnergy) = std::pair(from, energy);
    }
    const auto [lag, score] =
        test::BestMatch(recorded, reference(loudest, window), 0, recorded.size());
    ASSERT_GT(score, 0.9) << "the recording does not hold the document's sound";
    ASSERT_GE(lag, loudest - start);
    const std::size_t startInRecording = lag - (loudest - start);
    ASSERT_LE(startInRecording + 2 * window, recorded.size());
    EXPECT_GT(test::Correlation(recorded.data() + startInRecording,
                                reference(start, 2 * window).data(), 2 * window),
              0.9)
        << "the sound does not begin at the frame's sample";
    double before = 0;
    for (std::size_t j = startInRecording - std::min(startInRecording, window);
         j < startInRecording; ++j)
        before = std::max(before, std::fabs(double{recorded[j]}));
    EXPECT_LT(before, 1e-3) << "something played before the frame's sample";

    // Where the recording was at each moment the pictures asked.
    double worst = 0, sum = 0;
    int count = 0;
    for (const test::Heard& h : heard) {
        if (h.time < heard.front().time + 0.3)
            continue;
        const std::size_t index = recording.IndexAt(h.time, startInRecording);
        const double actual = startSeconds + static_cast<double>(index - startInRecording) / rate;
        const double offset = (h.seconds - actual) * fps;
        worst = std::max(worst, std::fabs(offset));
        sum += offset;
        ++count;
    }
    ASSERT_GT(count, 0);
    std::printf("heard time against the recording: mean %+.3f frames, worst %.3f frames\n",
                sum / count, worst);
    EXPECT_LT(worst, 1.0);
}

} // namespace
} // namespace vel::lumo

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    // The server comes before the application, so that its audio finds it;
    // listing the cases needs none.
    std::unique_ptr<vel::lumo::test::PulseServer> pulse;
    if (!testing::GTEST_FLAG(list_tests))
        pulse = std::make_unique<vel::lumo::test::PulseServer>();
    vel::lumo::server = pulse.get();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
