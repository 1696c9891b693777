#pragma once

#include "apps/lumo/shell/AudioFileLoad.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QMainWindow;
class QProgressBar;
class QWidget;

namespace vel::lumo {

class TimelineWnd;

// Load Audio's reading in the background: runs one AudioFileLoad at a time,
// shows its waveform in the timeline as it grows and, once it takes longer
// than a moment, a progress line in the window's status bar, and hands over
// what came of it when it is done.
class AudioLoader {
public:
    // While one lives, what came of a load is kept and handed over once the
    // last one has ended: a modal command (a dialog, an export copying the
    // document) works on the document it began with.
    class Hold {
    public:
        explicit Hold(AudioLoader& loader);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        AudioLoader& loader_;
    };

    // Told on the window's thread when a load has finished and nothing holds
    // it; not when it was cancelled.
    using Finished = std::function<void(const std::string& path, AudioFileLoad::Outcome outcome)>;

    AudioLoader(QMainWindow* window, TimelineWnd* timeline, Finished finished);
    ~AudioLoader();
    AudioLoader(const AudioLoader&) = delete;
    AudioLoader& operator=(const AudioLoader&) = delete;

    // Starts reading the file, cancelling a load in progress.
    void Start(const std::string& path, std::uint32_t frameRate);
    // Stops the load in progress and takes back what it showed; false when
    // there was none.
    bool Cancel();
    bool IsLoading() const { return load_ != nullptr; }

private:
    // On the window's thread once a load's reading has ended.
    void OnEnded(const AudioFileLoad* load);
    void HandOver();
    void Refresh();
    void ShowProgress();
    void End();

    QMainWindow* window_;
    TimelineWnd* timeline_;
    Finished finished_;
    // Where the loads' ends arrive; before the loads, so that it outlives
    // their threads.
    QObject receiver_;
    std::unique_ptr<AudioFileLoad> load_;
    bool loadEnded_ = false;
    // Cancelled loads until their threads have ended.
    std::vector<std::unique_ptr<AudioFileLoad>> stopping_;
    int holds_ = 0;
    // Shows the growing waveform and the progress line.
    QTimer refresh_;
    QElapsedTimer started_;
    // Since the growing waveform was last shown.
    QElapsedTimer shown_;
    // Made on first need; the status bar owns them.
    QWidget* line_ = nullptr;
    QLabel* text_ = nullptr;
    QProgressBar* bar_ = nullptr;
};

} // namespace vel::lumo
