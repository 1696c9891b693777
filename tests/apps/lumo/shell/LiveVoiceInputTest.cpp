#include "apps/lumo/animate/StandardKeys.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/PreviewWnd.h"
#include "apps/lumo/shell/ShowWnd.h"
#include "tests/apps/lumo/shell/ShellFixture.h"
#include "tests/support/PulseServer.h"
#include "tests/support/SpokenWords.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QProcess>
#include <QStatusBar>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <deque>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vel::lumo::test {
namespace {

vel::testing::PulseServer* server = nullptr;

constexpr std::uint32_t VoiceRate = 16000;

// Speaks into the microphone's pipe as a voice does, in real time, ten
// milliseconds at a time: what it was given to say, and a quiet room
// between.
class Speaker {
public:
    explicit Speaker(const std::string& pipe) : pipe_(::open(pipe.c_str(), O_WRONLY | O_NONBLOCK)) {
        if (pipe_ >= 0) {
            thread_ = std::thread([this] { Run(); });
        }
    }
    ~Speaker() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        if (pipe_ >= 0) {
            ::close(pipe_);
        }
    }
    Speaker(const Speaker&) = delete;
    Speaker& operator=(const Speaker&) = delete;

    bool IsOpen() const { return pipe_ >= 0; }
    void Say(const std::vector<std::int16_t>& samples) {
        const std::lock_guard lock(mutex_);
        words_.insert(words_.end(), samples.begin(), samples.end());
    }
    bool IsSpeaking() const {
        const std::lock_guard lock(mutex_);
        return !words_.empty();
    }

private:
    void Run() {
        std::vector<std::int16_t> piece(VoiceRate / 100);
        auto next = std::chrono::steady_clock::now();
        while (!stop_) {
            {
                const std::lock_guard lock(mutex_);
                for (std::int16_t& sample : piece) {
                    sample = 0;
                    if (!words_.empty()) {
                        sample = words_.front();
                        words_.pop_front();
                    }
                }
            }
            // A full pipe, which no one records, drops the piece; a microphone
            // unplugged by the case takes the pipe's reader away.
            if (::write(pipe_, piece.data(), piece.size() * sizeof(std::int16_t)) < 0 &&
                errno != EAGAIN) {
                return;
            }
            next += std::chrono::milliseconds(10);
            std::this_thread::sleep_until(next);
        }
    }

    int pipe_;
    mutable std::mutex mutex_;
    std::deque<std::int16_t> words_;
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

// A microphone of its own on the private server: a source that reads what
// the case says through a named pipe. (A null output's monitor, the other
// way to hear a test, gave live voice's short buffers only part of its
// sound there.)
class LiveVoiceInputTest : public ShellTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(server != nullptr && server->Running())
            << (server != nullptr ? server->Problem().toStdString() : "");
        const std::string pipe = folder / "microphone";
        module = Pactl({"load-module", "module-pipe-source", "source_name=lumo_microphone",
                        QString::fromStdString("file=" + pipe), "format=s16le",
                        QStringLiteral("rate=%1").arg(VoiceRate), "channels=1"});
        ASSERT_FALSE(module.isEmpty());
        speaker = std::make_unique<Speaker>(pipe);
        ASSERT_TRUE(speaker->IsOpen());
        ASSERT_TRUE(PumpUntil(5.0, [] { return InputIndex().has_value(); }))
            << "the microphone is not among the inputs: " << Inputs();
        window->OnCommand(IdLiveInput1 + static_cast<uint32_t>(*InputIndex()));
    }
    void TearDown() override {
        window.reset();
        speaker.reset();
        Unplug();
    }
    void Unplug() {
        if (!module.isEmpty()) {
            Pactl({"unload-module", module});
            module.clear();
        }
    }

    static QString Pactl(const QStringList& arguments) {
        QProcess pactl;
        pactl.start("pactl", QStringList{"-s", server->Address()} + arguments);
        pactl.waitForFinished(5000);
        return pactl.exitCode() == 0 ? QString::fromUtf8(pactl.readAll()).trimmed() : QString();
    }
    static std::optional<std::size_t> InputIndex() {
        const QList<QAudioDevice> inputs = QMediaDevices::audioInputs();
        for (qsizetype i = 0; i < inputs.size(); ++i) {
            if (inputs[i].id() == "lumo_microphone") {
                return static_cast<std::size_t>(i);
            }
        }
        return std::nullopt;
    }
    static std::string Inputs() {
        std::string names;
        for (const QAudioDevice& input : QMediaDevices::audioInputs()) {
            names += input.id().toStdString() + " ";
        }
        return names;
    }
    // Runs the application's events until the condition holds or the time is up.
    static bool PumpUntil(double seconds, const std::function<bool()>& done) {
        QElapsedTimer timer;
        timer.start();
        while (!done()) {
            if (timer.elapsed() > static_cast<qint64>(seconds * 1000)) {
                return false;
            }
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return true;
    }
    QString Status() const { return window->statusBar()->currentMessage(); }
    float Mouth(const KnobKey& key) const {
        return window->GetLiveKnobs().Get(key).value_or(-1.0f);
    }
    float LargestMouth() const {
        return std::max({Mouth(MouthKey), Mouth(MouthWideKey), Mouth(MouthRoundKey)});
    }

    vel::testing::TempFolder folder;
    QString module;
    std::unique_ptr<Speaker> speaker;
};

// A voice into the microphone moves the mouth; the quiet room before and
// after it leaves the mouth at rest.
TEST_F(LiveVoiceInputTest, AVoiceIntoTheMicrophoneMovesTheMouthAndSilenceRestsIt) {
    window->OnCommand(IdLiveVoice);
    ASSERT_TRUE(window->IsLive()) << Status().toStdString();
    PumpUntil(1.5, [] { return false; });
    ASSERT_TRUE(window->IsLive()) << Status().toStdString();
    EXPECT_GE(Mouth(MouthKey), 0.0f) << "the live voice drives the mouth";
    EXPECT_LE(LargestMouth(), 0.1f) << "the quiet room";

    speaker->Say(SpokenWords("Trick or treat! Who is there?", VoiceRate));
    float opened = 0.0f;
    EXPECT_TRUE(PumpUntil(10.0, [&] {
        opened = std::max(opened, Mouth(MouthKey));
        return !speaker->IsSpeaking();
    }));
    PumpUntil(0.2, [&] {
        opened = std::max(opened, Mouth(MouthKey));
        return false;
    });
    EXPECT_GT(opened, 0.5f);
    PumpUntil(0.5, [] { return false; });
    EXPECT_LE(LargestMouth(), 0.1f) << "the pause after the voice";
    EXPECT_TRUE(window->IsLive()) << Status().toStdString();
}

TEST_F(LiveVoiceInputTest, LInThePreviewAndInTheShowTurnsLiveVoiceOnAndOff) {
    window->show();
    QTest::keyClick(window->Preview(), Qt::Key_L);
    EXPECT_TRUE(window->IsLive()) << Status().toStdString();
    QTest::keyClick(window->Preview(), Qt::Key_L);
    EXPECT_FALSE(window->IsLive());
    EXPECT_EQ(Status(), "Live voice is off.");

    window->OnCommand(IdShowOnProjector);
    ShowWnd& show = *window->Show();
    QTest::keyClick(&show, Qt::Key_L);
    EXPECT_TRUE(window->IsLive()) << Status().toStdString();
    QTest::keyClick(&show, Qt::Key_Q);
    EXPECT_TRUE(window->IsLive()) << "quiet now learns again, and stays live";
    QTest::keyClick(&show, Qt::Key_L);
    EXPECT_FALSE(window->IsLive());
    EXPECT_TRUE(window->IsShowing());
}

// A held expression key wins over the voice for its knob: the mouth stays
// open while 7 holds it and the voice goes on, and follows the voice again
// once the key is let go.
TEST_F(LiveVoiceInputTest, AHeldExpressionKeyKeepsItsKnobWhileTheVoiceGoesOn) {
    SetDocumentOf(LUMO_EXAMPLE);
    window->show();
    window->Preview()->setFocus();
    window->OnCommand(IdLiveVoice);
    PumpUntil(1.2, [] { return false; });
    QTest::keyPress(window->Preview(), Qt::Key_7);
    PumpUntil(0.3, [] { return false; });
    speaker->Say(SpokenWords("Trick or treat! Who is there?", VoiceRate));
    float lowest = 1.0f;
    EXPECT_TRUE(PumpUntil(10.0, [&] {
        lowest = std::min(lowest, Mouth(MouthKey));
        return !speaker->IsSpeaking();
    }));
    EXPECT_FLOAT_EQ(lowest, 1.0f) << "the voice moved the held mouth";

    QTest::keyRelease(window->Preview(), Qt::Key_7);
    PumpUntil(0.7, [] { return false; });
    EXPECT_LE(LargestMouth(), 0.1f) << "the quiet after the voice, heard again";
    EXPECT_TRUE(window->IsLive()) << Status().toStdString();
}

// Unplugged while live: a message, the knobs back to the timeline, and L
// tries again, here finding no other microphone.
TEST_F(LiveVoiceInputTest, AMicrophoneThatGoesAwayEndsLiveVoiceWithAMessageAndLRetries) {
    window->OnCommand(IdLiveVoice);
    ASSERT_TRUE(window->IsLive());
    PumpUntil(0.3, [] { return false; });
    Unplug();
    EXPECT_TRUE(PumpUntil(5.0, [this] { return !window->IsLive(); }));
    EXPECT_TRUE(Status().startsWith("Live voice is off: the microphone")) << Status().toStdString();
    EXPECT_FALSE(window->GetLiveKnobs().Get(MouthKey).has_value());
    window->UpdateMenuState();
    EXPECT_FALSE(window->Action(IdLiveVoice)->isChecked());
    QTest::keyClick(window.get(), Qt::Key_L);
    EXPECT_FALSE(window->IsLive());
    EXPECT_EQ(Status(), "Live voice is off: no microphone was found.");
}

// In the show R resets the fit while F shows the handles, and records
// otherwise; a take that heard nothing leaves the document as it was.
TEST_F(LiveVoiceInputTest, RInTheShowRecordsUnlessTheHandlesAreShown) {
    window->OnCommand(IdShowOnProjector);
    ShowWnd& show = *window->Show();
    QTest::keyClick(&show, Qt::Key_F);
    QTest::keyClick(&show, Qt::Key_R);
    EXPECT_FALSE(window->IsRecording());
    QTest::keyClick(&show, Qt::Key_F);
    QTest::keyClick(&show, Qt::Key_R);
    EXPECT_TRUE(window->IsRecording());
    EXPECT_TRUE(window->IsLive()) << "R turns live voice on";
    EXPECT_TRUE(Status().contains("Recording a take from frame 0")) << Status().toStdString();
    QTest::keyClick(&show, Qt::Key_R);
    EXPECT_FALSE(window->IsRecording());
    EXPECT_TRUE(window->IsShowing());
    EXPECT_TRUE(Status().startsWith("The take")) << Status().toStdString();
    if (Status().contains("no sound")) {
        EXPECT_EQ(window->GetDocument()->GetUndoCount(), 0u);
    }
}

// Unplugged mid-take: the take ends with what was heard and says why.
TEST_F(LiveVoiceInputTest, AMicrophoneThatGoesAwayEndsTheTakeWithAMessage) {
    window->OnCommand(IdRecordTake);
    ASSERT_TRUE(window->IsRecording());
    Unplug();
    EXPECT_TRUE(PumpUntil(5.0, [this] { return !window->IsRecording(); }));
    EXPECT_FALSE(window->IsLive());
    EXPECT_TRUE(Status().startsWith("Live voice is off: the microphone")) << Status().toStdString();
    EXPECT_TRUE(Status().contains("The take ends with what was heard")) << Status().toStdString();
    window->UpdateMenuState();
    EXPECT_FALSE(window->Action(IdRecordTake)->isChecked());
}

// Last, since the server does not come back.
TEST_F(LiveVoiceInputTest, ZAServerThatEndsEndsLiveVoiceWithoutHangingTheWindow) {
    window->OnCommand(IdLiveVoice);
    ASSERT_TRUE(window->IsLive());
    PumpUntil(0.3, [] { return false; });
    server->Stop();
    EXPECT_TRUE(PumpUntil(5.0, [this] { return !window->IsLive(); }));
    EXPECT_TRUE(Status().startsWith("Live voice is off")) << Status().toStdString();
    QTest::keyClick(window.get(), Qt::Key_L);
    EXPECT_FALSE(window->IsLive());
    EXPECT_TRUE(Status().startsWith("Live voice is off")) << Status().toStdString();
}

} // namespace
} // namespace vel::lumo::test

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    // A write into a pipe whose reader went away fails rather than ends the
    // program.
    std::signal(SIGPIPE, SIG_IGN);
    // The server comes before the application, so that its sound finds it;
    // listing the cases needs none.
    std::unique_ptr<vel::testing::PulseServer> pulse;
    if (!::testing::GTEST_FLAG(list_tests)) {
        pulse = std::make_unique<vel::testing::PulseServer>();
    }
    vel::lumo::test::server = pulse.get();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
