#pragma once

#include <QProcess>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace vel::lumo {
class AudioWnd;
}

namespace vel::lumo::test {

// Seconds on the steady clock.
double Now();

// What a recorder of the sound output delivered (mono float samples), and
// when each piece arrived, so that every sample can be placed in time.
class Recording {
public:
    Recording(QProcess& recorder, double rate) : recorder_(recorder), rate_(rate) {}

    // Starts the recorder and waits until it delivers; false when it
    // delivers nothing.
    bool Start();
    // Runs the application's events once and takes what arrived.
    void Take();
    // Runs the application's events and takes what arrives, for that long.
    void Pump(double seconds);
    // Takes the last of the sound, stops the recorder and places every
    // sample in time; call before asking where samples lie.
    void Finish();

    const std::vector<float>& Samples() const { return samples_; }
    // The latest time by which sample i had certainly been played.
    double PlayedBy(std::size_t i) const;
    // The last sample played by that time, from sample `from` on.
    std::size_t IndexAt(double time, std::size_t from) const;

private:
    void Seal();

    QProcess& recorder_;
    double rate_;
    std::vector<float> samples_;
    std::vector<std::pair<std::size_t, double>> arrivals_; // end index, time
    std::vector<double> earliest_; // per arrival: the least start time from it on
};

// The clip time the pane said was being heard, and when.
struct Heard {
    double time;
    double seconds;
};

// Starts the recording, then plays the pane from the frame for that long,
// asking the heard time at every frame and telling the pane the frame it
// gives, as the main window's loop does; then stops both. False when the
// recorder delivered nothing or the pane did not start.
bool PlayAndRecord(AudioWnd& audio, Recording& recording, std::uint32_t firstFrame,
                   double framesPerSecond, double seconds, std::vector<Heard>& heard);

// The offset in the recording, between from and to, where the part matches
// best, and how well (correlation coefficient).
std::pair<std::size_t, double> BestMatch(const std::vector<float>& recording,
                                         const std::vector<float>& part, std::size_t from,
                                         std::size_t to);

// The correlation coefficient of two runs of samples.
double Correlation(const float* a, const float* b, std::size_t count);

} // namespace vel::lumo::test
