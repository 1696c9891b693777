#include "apps/lumo/audio/SampleAt.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/panes/AudioWnd.h"
#include "tests/apps/lumo/panes/PaneTestHost.h"
#include "tests/apps/lumo/panes/PulseServer.h"

#include <QApplication>
#include <QProcess>
#include <QThread>
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

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// What the recorder delivered, and when each piece arrived.
struct Recording {
    std::vector<float> samples;
    std::vector<std::pair<std::size_t, double>> arrivals; // end index, time

    void Read(QProcess& recorder) {
        const QByteArray bytes = recorder.readAllStandardOutput();
        const std::size_t count = static_cast<std::size_t>(bytes.size()) / sizeof(float);
        if (count == 0)
            return;
        const std::size_t old = samples.size();
        samples.resize(old + count);
        std::memcpy(samples.data() + old, bytes.data(), count * sizeof(float));
        arrivals.emplace_back(samples.size(), Now());
    }

    // The latest time by which sample i had certainly been played.
    double PlayedBy(std::size_t i, double rate) const {
        double best = 1e300;
        for (auto [end, time] : arrivals)
            if (end > i)
                best = std::min(best, time - static_cast<double>(end - 1 - i) / rate);
        return best;
    }
};

// The offset in the recording where the reference part matches best, and
// how well (correlation coefficient).
std::pair<std::size_t, double> BestMatch(const std::vector<float>& recording,
                                         const std::vector<float>& part) {
    double partEnergy = 0;
    for (float v : part)
        partEnergy += double{v} * v;
    std::pair<std::size_t, double> best{0, -1};
    for (std::size_t lag = 0; lag + part.size() <= recording.size(); ++lag) {
        double dot = 0, energy = 0;
        for (std::size_t j = 0; j < part.size(); ++j) {
            dot += double{recording[lag + j]} * part[j];
            energy += double{recording[lag + j]} * recording[lag + j];
        }
        const double score = energy > 0 ? dot / std::sqrt(energy * partEnergy) : 0;
        if (score > best.second)
            best = {lag, score};
    }
    return best;
}

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
    recorder.start();
    ASSERT_TRUE(recorder.waitForStarted(5000));
    Recording recording;
    const auto pump = [&](double seconds) {
        for (const double end = Now() + seconds; Now() < end;) {
            QCoreApplication::processEvents();
            recorder.waitForReadyRead(2);
            recording.Read(recorder);
        }
    };
    // The recorder delivers once the server has set up its stream.
    for (const double end = Now() + 20; recording.samples.empty() && Now() < end;)
        pump(0.05);
    ASSERT_FALSE(recording.samples.empty()) << "the recorder delivered nothing";
    pump(0.3);

    const double fps = document->GetFrameRate() / 1000.0;
    const uint32_t firstFrame = 60;
    ASSERT_TRUE(audio.Start(firstFrame, fps));
    const double outputRate = audio.PlaybackClip().sampleRate;
    const double startSeconds = std::floor(firstFrame * outputRate / fps + 0.5) / outputRate;
    std::vector<std::pair<double, double>> heard; // time, clip seconds
    for (const double end = Now() + 3.0; Now() < end;) {
        const std::optional<double> seconds = audio.HeardSeconds();
        ASSERT_TRUE(seconds);
        heard.emplace_back(Now(), *seconds);
        audio.SetFrame(static_cast<uint32_t>(*seconds * fps));
        pump(1.0 / fps);
    }
    audio.Stop();
    pump(0.5);
    recorder.kill();
    recorder.waitForFinished();

    // The loudest third of a second in the first two seconds played.
    const auto reference = [&](std::size_t from, std::size_t count) {
        std::vector<float> part(count);
        for (std::size_t j = 0; j < count; ++j)
            part[j] = SampleAt(clip, (from + j) * clip.bytesPerFrame);
        return part;
    };
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
    const auto [lag, score] = BestMatch(recording.samples, reference(loudest, window));
    ASSERT_GT(score, 0.9) << "the recording does not hold the document's sound";
    ASSERT_GE(lag, loudest - start);
    const std::size_t startInRecording = lag - (loudest - start);
    const std::vector<float> played(recording.samples.begin() + startInRecording,
                                    recording.samples.begin() + startInRecording + 2 * window);
    std::vector<float> expected = reference(start, 2 * window);
    double dot = 0, a = 0, b = 0;
    for (std::size_t j = 0; j < played.size(); ++j) {
        dot += double{played[j]} * expected[j];
        a += double{played[j]} * played[j];
        b += double{expected[j]} * expected[j];
    }
    EXPECT_GT(dot / std::sqrt(a * b), 0.9) << "the sound does not begin at the frame's sample";
    double before = 0;
    for (std::size_t j = startInRecording - std::min(startInRecording, window);
         j < startInRecording; ++j)
        before = std::max(before, std::fabs(double{recording.samples[j]}));
    EXPECT_LT(before, 1e-3) << "something played before the frame's sample";

    // Where the recording was at each moment the pictures asked.
    double worst = 0, sum = 0;
    int count = 0;
    for (auto [time, seconds] : heard) {
        if (time < heard.front().first + 0.3)
            continue;
        std::size_t low = startInRecording, high = recording.samples.size();
        while (high - low > 1) {
            const std::size_t middle = (low + high) / 2;
            (recording.PlayedBy(middle, rate) <= time ? low : high) = middle;
        }
        const double actual = startSeconds + static_cast<double>(low - startInRecording) / rate;
        const double offset = (seconds - actual) * fps;
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
