#include "apps/lumo/animate/StandardKeys.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/PreviewWnd.h"
#include "apps/lumo/shell/ShowWnd.h"
#include "tests/apps/lumo/shell/ShellFixture.h"
#include "tests/support/PulseServer.h"

#include <QApplication>
#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QProcess>
#include <QStatusBar>
#include <QTest>
#include <algorithm>
#include <functional>
#include <optional>

namespace vel::lumo::test {
namespace {

vel::testing::PulseServer* server = nullptr;

// A microphone of its own on the private server: a null output into which
// the test plays, whose monitor is the microphone (through a source of its
// own, since the system's list of inputs leaves monitors out).
class LiveVoiceInputTest : public ShellTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(server != nullptr && server->Running())
            << (server != nullptr ? server->Problem().toStdString() : "");
        sinkModule =
            Pactl({"load-module", "module-null-sink", "sink_name=lumo_voice", "rate=16000"});
        module = Pactl({"load-module", "module-remap-source", "master=lumo_voice.monitor",
                        "source_name=lumo_microphone"});
        ASSERT_FALSE(sinkModule.isEmpty());
        ASSERT_FALSE(module.isEmpty());
        ASSERT_TRUE(PumpUntil(5.0, [this] { return InputIndex().has_value(); }))
            << "the voice's monitor is not among the inputs: " << Inputs();
        window->OnCommand(IdLiveInput1 + static_cast<uint32_t>(*InputIndex()));
    }
    void TearDown() override {
        window.reset();
        for (const QString& loaded : {module, sinkModule}) {
            if (!loaded.isEmpty()) {
                Pactl({"unload-module", loaded});
            }
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
    QString sinkModule;
    QString module;
};

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

// Unplugged while live: a message, the knobs back to the timeline, and L
// tries again, here finding no other microphone.
TEST_F(LiveVoiceInputTest, AMicrophoneThatGoesAwayEndsLiveVoiceWithAMessageAndLRetries) {
    window->OnCommand(IdLiveVoice);
    ASSERT_TRUE(window->IsLive());
    PumpUntil(0.3, [] { return false; });
    Pactl({"unload-module", module});
    module.clear();
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
    Pactl({"unload-module", module});
    module.clear();
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
