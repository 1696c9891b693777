#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/model/StandardKnobs.h"
#include "apps/lumo/shell/DisplayEnvironment.h"
#include "apps/lumo/shell/LumoCommandLine.h"
#include "apps/lumo/shell/RenderCommand.h"
#include "core/FileErrorText.h"
#include "tests/support/AddressSanitizer.h"
#include "tests/support/MediaProbe.h"
#include "tests/support/NoUnnamedFiles.h"
#include "tests/support/SmallDisk.h"
#include "tests/support/TempFolder.h"

#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vel::lumo {
namespace {

// Room enough for the program to start and open a document, not for lip sync
// of a voice over a day long.
constexpr rlim_t LipSyncAddressSpaceMiB = 250;

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

QProcessEnvironment WithoutDisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    return environment;
}

// Starts the built program as a user would from a terminal-less machine: without any display,
// or with one that names no running server.
void StartLumo(QProcess& process, const QStringList& arguments, const QString& display = {}) {
    QProcessEnvironment environment = WithoutDisplay();
    if (!display.isEmpty()) {
        environment.insert("DISPLAY", display);
    }
    process.setProcessEnvironment(environment);
    process.start(LUMO_EXECUTABLE, arguments);
}

Outcome Finish(QProcess& process) {
    EXPECT_TRUE(process.waitForFinished(180000));
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

Outcome RunLumo(const QStringList& arguments, const QString& display = {}) {
    QProcess process;
    StartLumo(process, arguments, display);
    const Outcome outcome = Finish(process);
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return outcome;
}

// A document of five frames with one lit triangle, and one of 5000 frames,
// in a fresh folder.
class LumoProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto document = LumoDocument::New();
        document->GetModel().InsertShape(
            0, Shape{Shape::CandleColor,
                     "Nose",
                     {Pose{KnobKey(), {{0, 0.5f}, {-0.3f, 0}, {0.3f, 0}}}}});
        document->SynchroniseTimeline();
        document->GetTimeline().SetAnchor(CandleLightnessKey, 5, 0.3f);
        ASSERT_TRUE(document->Save(PathOf("nose.glw")));
        document->GetTimeline().SetAnchor(CandleHueKey, 5000, 300);
        ASSERT_TRUE(document->Save(PathOf("long.glw")));
    }
    std::string PathOf(const std::string& name) const { return folder_ / name; }
    QStringList Render(const std::string& document, const std::string& output) const {
        return {"--render", QString::fromStdString("--output=" + PathOf(output)),
                QString::fromStdString(PathOf(document))};
    }
    // The names in the folder besides the two documents.
    std::vector<std::string> Others() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_.Path())) {
            const std::string name = entry.path().filename().string();
            if (name != "nose.glw" && name != "long.glw") {
                names.push_back(name);
            }
        }
        return names;
    }

    testing::TempFolder folder_;
};

TEST_F(LumoProgramTest, HelpPrintsTheUsageOnStandardOutput) {
    const Outcome run = RunLumo({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, LumoCommandLine().GetUsage());
    EXPECT_EQ(run.err, "");
}

TEST_F(LumoProgramTest, ErrorsGoToStandardErrorWithExitCode2) {
    const Outcome run = RunLumo({"--bogus"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "unrecognized option --bogus\n\n" + LumoCommandLine().GetUsage());
}

TEST_F(LumoProgramTest, UnreachableDisplayStillReportsAndExits) {
    const Outcome run = RunLumo({"--bogus"}, ":4093");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.rfind("unrecognized option --bogus\n\n" + LumoCommandLine().GetUsage(), 0),
              0U);
}

// As a build script, help2man or a script under a virtual display runs the program: a display,
// no terminal and the output in pipes. The report is printed and the program ends without
// waiting for a click on a message box.
TEST_F(LumoProgramTest, UnderADisplayReportsIntoPipesEndWithoutAClick) {
    const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfbRun.isEmpty()) {
        GTEST_SKIP() << "xvfb-run is not installed";
    }
    constexpr int patienceMs = 60000;
    const std::vector<std::pair<QStringList, int>> runs{
        {{"--help"}, 0}, {{"--animate=,"}, 2}, {{"--animate=blinks", "--output=", "face.glw"}, 2}};
    for (const auto& [arguments, exitCode] : runs) {
        const std::string shown = arguments.join(' ').toStdString();
        QProcess process;
        process.setChildProcessModifier([] { ::setsid(); });
        process.setProcessEnvironment(WithoutDisplay());
        process.start(xvfbRun, QStringList{"-a", LUMO_EXECUTABLE} + arguments);
        const bool ended = process.waitForFinished(patienceMs);
        if (!ended) {
            ::kill(-static_cast<pid_t>(process.processId()), SIGKILL);
            process.waitForFinished();
        }
        EXPECT_TRUE(ended) << shown << " waits for a click";
        EXPECT_EQ(process.exitCode(), exitCode) << shown;
        const QByteArray printed =
            exitCode == 0 ? process.readAllStandardOutput() : process.readAllStandardError();
        EXPECT_TRUE(printed.endsWith(QByteArray::fromStdString(LumoCommandLine().GetUsage())))
            << shown;
    }
}

// Whether a run without a terminal, its output and error streams on these descriptors (-1:
// closed), would print to nobody.
bool NowhereToPrintWith(int out, int error) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::setsid();
        for (const auto& [from, to] : {std::pair{out, STDOUT_FILENO}, {error, STDERR_FILENO}}) {
            if (from < 0) {
                ::close(to);
            } else {
                ::dup2(from, to);
            }
        }
        ::_exit(NowhereToPrint() ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

// A desktop menu starts the program with its streams closed or on /dev/null: only then does
// the report need a box.
TEST_F(LumoProgramTest, OnlyAStartFromAMenuHasNowhereToPrint) {
    const testing::TempFolder folder;
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    const int file = ::open((folder / "report").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    EXPECT_TRUE(NowhereToPrintWith(null, null));
    EXPECT_TRUE(NowhereToPrintWith(-1, -1));
    EXPECT_FALSE(NowhereToPrintWith(null, pipe[1]));
    EXPECT_FALSE(NowhereToPrintWith(pipe[1], -1));
    EXPECT_FALSE(NowhereToPrintWith(null, file));
    for (const int descriptor : {null, file, pipe[0], pipe[1]}) {
        ::close(descriptor);
    }
}

TEST_F(LumoProgramTest, TheEditorWithoutADisplaySaysSoInOneLine) {
    for (const QString& display : {QString(), QStringLiteral(":4093")}) {
        const Outcome run = RunLumo({"--maximize", "some file.glw"}, display);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("lumo: cannot open the window: ", 0), 0U) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST_F(LumoProgramTest, ARenderWritesTheWholeAnimationBesideTheDocumentAndSaysWhere) {
    const Outcome run = RunLumo({"--render", QString::fromStdString(PathOf("nose.glw"))});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, PathOf("nose.mp4") + "\n");
    EXPECT_NE(run.err.find("frame 5 of 5, about 0:00 left\n"), std::string::npos);
    EXPECT_EQ(test::ProbeStream(PathOf("nose.mp4"), "v:0").at("nb_read_frames"), "5");
}

TEST_F(LumoProgramTest, LoopsPlayTheAnimationOverAndMustBeACount) {
    const Outcome run =
        RunLumo({"--render", "--loops=3", QString::fromStdString(PathOf("nose.glw"))});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(test::ProbeStream(PathOf("nose.mp4"), "v:0").at("nb_read_frames"), "15");
    for (const char* loops : {"--loops=0", "--loops=2x", "--loops=-1", "--loops=4294967296"}) {
        const Outcome bad =
            RunLumo({"--render", loops, QString::fromStdString(PathOf("nose.glw"))});
        EXPECT_EQ(bad.exitCode, 1) << loops;
        EXPECT_EQ(bad.err, "lumo: --loops needs a whole number of at least 1\n") << loops;
    }
}

TEST_F(LumoProgramTest, SizeAndMinutesShapeTheVideoAndABadOneIsRefused) {
    const Outcome run = RunLumo(
        {"--render", "--size=800x600", "--minutes=1", QString::fromStdString(PathOf("nose.glw"))});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const auto video = test::ProbeStream(PathOf("nose.mp4"), "v:0");
    EXPECT_EQ(video.at("width"), "800");
    EXPECT_EQ(video.at("height"), "600");
    // Five frames 360 times over: a minute and a tenth of a second.
    EXPECT_EQ(video.at("nb_read_frames"), "1800");
    EXPECT_GE(std::atof(video.at("duration").c_str()), 60.0);

    const Outcome size = RunLumo(
        {"--render", "--size=1366x768", "--minutes=1", QString::fromStdString(PathOf("long.glw"))});
    EXPECT_EQ(size.exitCode, 2);
    EXPECT_EQ(size.err, "--size takes one of 1920x1080, 1280x720, 1024x768, 800x600, 1080x1920, "
                        "3840x2160, not '1366x768'\n\n" +
                            LumoCommandLine().GetUsage());
    for (const char* minutes : {"--minutes=0", "--minutes=1441", "--minutes=2h"}) {
        const Outcome bad =
            RunLumo({"--render", minutes, QString::fromStdString(PathOf("long.glw"))});
        EXPECT_EQ(bad.exitCode, 1) << minutes;
        EXPECT_EQ(bad.err, "lumo: --minutes needs a whole number from 1 to 1440 (a day)\n")
            << minutes;
    }
    EXPECT_EQ(Others(), std::vector<std::string>{"nose.mp4"});
}

// Whether the first picture of the video is lit at a pixel.
bool LitAt(const std::string& video, int x, int y) {
    const std::vector<uint8_t> rgb = test::DecodeRgb(video);
    return rgb.at((static_cast<size_t>(y) * 1920 + x) * 3) > 128;
}

TEST_F(LumoProgramTest, FittedDrawsTheDocumentsFitAndIsOffByDefault) {
    // The nose, lit round (960, 480), squeezed into the left half.
    core::FileError error;
    auto document = LumoDocument::Open(PathOf("nose.glw"), error);
    ASSERT_TRUE(document);
    PumpkinFit fit;
    fit.SetCorner(1, {0.5f, 0.0f});
    fit.SetCorner(2, {0.5f, 1.0f});
    document->SetFit(fit);
    ASSERT_TRUE(document->Save(PathOf("fitted.glw")));

    Outcome run = RunLumo({"--render", "--fitted", QString::fromStdString(PathOf("fitted.glw"))});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(LitAt(PathOf("fitted.mp4"), 480, 480));
    EXPECT_FALSE(LitAt(PathOf("fitted.mp4"), 960, 480));
    // Off by default.
    run = RunLumo(Render("fitted.glw", "plain.mp4"));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(LitAt(PathOf("plain.mp4"), 960, 480));

    run = RunLumo({"--render", "--fitted=maybe", QString::fromStdString(PathOf("fitted.glw"))});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.rfind("'maybe' is not a valid value for option", 0), 0u) << run.err;
}

TEST_F(LumoProgramTest, FailuresAreOneLineNamingTheFile) {
    Outcome run = RunLumo({"--render", QString::fromStdString(PathOf("missing.glw"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "lumo: " + PathOf("missing.glw") +
                           ": cannot open the document: the file does not exist\n");

    run = RunLumo({"--render", QString::fromStdString("--output=" + PathOf("nose.glw")),
                   QString::fromStdString(PathOf("nose.glw"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              "lumo: " + PathOf("nose.glw") + ": the video would replace the document itself\n");

    const std::string output = PathOf("no/such/folder.mp4");
    run = RunLumo({"--render", QString::fromStdString("--output=" + output),
                   QString::fromStdString(PathOf("nose.glw"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "lumo: " + output + ": cannot write the video: the folder does not exist\n");
}

// A show needs the document, a display and the screen it is asked for; each
// failure is one line, a screen that is no number the usage.
TEST_F(LumoProgramTest, AShowSaysInOneLineWhatIsMissing) {
    Outcome run = RunLumo({"--show", QString::fromStdString(PathOf("missing.glw"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "lumo: " + PathOf("missing.glw") +
                           ": cannot open the document: the file does not exist\n");

    const QString nose = QString::fromStdString(PathOf("nose.glw"));
    run = RunLumo({"--show", nose});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.rfind("lumo: cannot open the window: ", 0), 0U) << run.err;

    run = RunLumo({"--show", "--screen=first", nose});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "'first' is not a valid value for option --screen\n\n" +
                           LumoCommandLine().GetUsage());

    QProcess process;
    QProcessEnvironment environment = WithoutDisplay();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(LUMO_EXECUTABLE, {"--show", "--screen=3", nose});
    run = Finish(process);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "lumo: --screen=3 names no screen: there is 1 screen\n");
}

TEST_F(LumoProgramTest, OnlyRegularFilesAreReplaced) {
    const std::string fifo = PathOf("pipe.mp4");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    Outcome run = RunLumo(Render("nose.glw", "pipe.mp4"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "lumo: " + fifo + ": cannot write the video: not a regular file\n");

    const std::string device = PathOf("null.mp4");
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        run = RunLumo(Render("nose.glw", "null.mp4"));
        EXPECT_EQ(run.err, "lumo: " + device + ": cannot write the video: not a regular file\n");
        struct stat info {};
        ASSERT_EQ(::stat(device.c_str(), &info), 0);
        EXPECT_TRUE(S_ISCHR(info.st_mode));
    }
    struct stat info {};
    ASSERT_EQ(::stat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));

    // Read-only is refused as saving refuses it, whoever runs the program.
    const std::string locked = PathOf("locked.mp4");
    std::ofstream(locked) << "old";
    ::chmod(locked.c_str(), 0444);
    run = RunLumo(Render("nose.glw", "locked.mp4"));
    EXPECT_EQ(run.err, "lumo: " + locked + ": cannot write the video: access denied\n");
    auto document = LumoDocument::New();
    EXPECT_FALSE(document->Save(locked));
    EXPECT_EQ(core::FileErrorText(document->GetFileError(), core::FileOperation::Writing),
              "access denied");
    EXPECT_EQ(std::filesystem::file_size(locked), 3u);
}

TEST_F(LumoProgramTest, LongestNamesWork) {
    const std::string name = std::string(250, 'v') + ".mp4";
    const Outcome run = RunLumo(Render("nose.glw", name));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Others(), std::vector<std::string>{name});
}

// Where the file system cannot make files without a name, the video is
// written under a short hidden name and only then takes the target's.
TEST_F(LumoProgramTest, ExportsWhereFilesWithoutANameAreRefused) {
    constexpr int cannotRefuse = 77;
    const std::string name = std::string(250, 'v') + ".mp4";
    QProcess process;
    process.setChildProcessModifier([] {
        if (!testing::RefuseUnnamedFiles()) {
            ::_exit(cannotRefuse);
        }
    });
    StartLumo(process, Render("nose.glw", name));
    const Outcome run = Finish(process);
    if (run.exitCode == cannotRefuse) {
        GTEST_SKIP() << "the system does not let a test refuse files without a name";
    }
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(test::ProbeStream(PathOf(name), "v:0").at("nb_read_frames"), "5");
    EXPECT_EQ(Others(), std::vector<std::string>{name});
}

TEST_F(LumoProgramTest, KilledOrHungUpExportsLeaveNothing) {
    for (const int signal : {SIGHUP, SIGKILL}) {
        QProcess process;
        process.setReadChannel(QProcess::StandardError);
        StartLumo(process, Render("long.glw", "long.mp4"));
        ASSERT_TRUE(process.waitForStarted());
        // Wait for the first progress line: the export is under way.
        while (process.state() == QProcess::Running && process.waitForReadyRead(60000) &&
               process.peek(1 << 16).indexOf("frame") < 0) {
        }
        ASSERT_EQ(::kill(static_cast<pid_t>(process.processId()), signal), 0);
        const Outcome run = Finish(process);
        if (signal == SIGHUP) {
            EXPECT_NE(run.err.find("the export was interrupted"), std::string::npos);
        }
        EXPECT_EQ(Others(), std::vector<std::string>{}) << signal;
    }
}

// The run ended with the failure line alone, long before the last frame,
// without the encoder's own lines.
void ExpectStoppedEarly(const Outcome& run, const std::string& failure) {
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_GE(run.err.size(), failure.size()) << run.err;
    EXPECT_EQ(run.err.substr(run.err.size() - failure.size()), failure);
    EXPECT_EQ(run.err.find("frame 2500 of"), std::string::npos);
    EXPECT_EQ(run.err.find("No frames"), std::string::npos);
}

TEST_F(LumoProgramTest, FileSizeLimitStopsAtTheFirstFailedWrite) {
    QProcess process;
    process.setChildProcessModifier([] {
        const rlimit limit{100000, 100000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    StartLumo(process, Render("long.glw", "long.mp4"));
    ExpectStoppedEarly(Finish(process), "lumo: " + PathOf("long.mp4") +
                                            ": cannot write the video: File too large\n");
    EXPECT_EQ(Others(), std::vector<std::string>{});
}

TEST_F(LumoProgramTest, FullDiskStopsAtTheFirstFailedWrite) {
    const testing::SmallDisk disk(PathOf("disk"), 100000);
    if (!disk.Mounted()) {
        GTEST_SKIP() << "no permission to mount a small file system to fill";
    }
    ExpectStoppedEarly(RunLumo(Render("long.glw", "disk/long.mp4")),
                       "lumo: " + PathOf("disk/long.mp4") +
                           ": cannot write the video: No space left on device\n");
    EXPECT_TRUE(std::filesystem::is_empty(PathOf("disk")));
}

TEST_F(LumoProgramTest, FrameRatesBeyondWhatAVideoHoldsAreNamed) {
    core::FileError error;
    const auto document = LumoDocument::Open(PathOf("nose.glw"), error);
    ASSERT_TRUE(document);
    // Just below 2^31 the video's own rounding of the rate passes the limit.
    for (const uint32_t rate : {2147483647u, 2147483648u, 4294967295u}) {
        document->GetTimeline().SetFrameRate(rate);
        ASSERT_TRUE(document->Save(PathOf("fast.glw")));
        const Outcome run = RunLumo(Render("fast.glw", "fast.mp4"));
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "lumo: " + PathOf("fast.mp4") +
                               ": cannot write the video: the frame rate of " +
                               std::to_string(rate) +
                               " frames per 1000 seconds is more than a video can hold\n");
        EXPECT_EQ(Others(), std::vector<std::string>{"fast.glw"});
    }
}

// Lip sync on the command line says how far it is and, where memory runs
// out, ends with a message and exit status 1 instead of an abort.
TEST_F(LumoProgramTest, LipSyncShowsItsProgressAndRunningOutOfMemoryIsAFailure) {
    const std::string output = PathOf("synced.glw");
    const QStringList lipSync{"--animate=lipsync", QString::fromStdString("--output=" + output)};
    Outcome run = RunLumo(lipSync + QStringList{LUMO_EXAMPLE});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("lipsync: 100 %, about 0:00 left\n"), std::string::npos) << run.err;
    std::filesystem::remove(output);
    if (testing::UnderAddressSanitizer || testing::UnderThreadSanitizer) {
        GTEST_SKIP() << "the sanitizers' runtimes end the program at an address-space limit";
    }
    // A voice of one sample a second, over a day long at the recogniser's
    // rate, runs out in the analysis; twenty minutes at 16 kHz already when
    // the document is read.
    const std::vector<std::pair<AudioClip, std::string>> voices{
        {AudioClip(AudioHeader::Make(1, SampleFormat::S16, 1), std::vector<uint8_t>(200000, 9)),
         "lipsync: there is not enough memory. Nothing was written."},
        {AudioClip(AudioHeader::Make(16000, SampleFormat::S16, 1),
                   std::vector<uint8_t>(16000 * 2 * 1200, 9)),
         "cannot open the document: there is not enough memory"}};
    for (const auto& [voice, failure] : voices) {
        auto document = LumoDocument::New();
        AudioClip clip = voice;
        document->SetAudio(clip);
        ASSERT_TRUE(document->Save(PathOf("voice.glw")));
        QProcess process;
        process.setChildProcessModifier([] {
            constexpr rlim_t room = rlim_t{LipSyncAddressSpaceMiB} << 20;
            const rlimit limit{room, room};
            ::setrlimit(RLIMIT_AS, &limit);
        });
        StartLumo(process, lipSync + QStringList{QString::fromStdString(PathOf("voice.glw"))});
        run = Finish(process);
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << failure;
        EXPECT_EQ(run.exitCode, 1) << failure;
        const std::string line = "lumo: " + PathOf("voice.glw") + ": " + failure + "\n";
        ASSERT_GE(run.err.size(), line.size()) << run.err;
        EXPECT_EQ(run.err.substr(run.err.size() - line.size()), line);
        EXPECT_FALSE(std::filesystem::exists(output));
    }
}

TEST_F(LumoProgramTest, DefaultVideoNameNeverIsTheDocument) {
    EXPECT_EQ(DefaultVideoName("/home/me/pumpkin.glw"), "/home/me/pumpkin.mp4");
    EXPECT_EQ(DefaultVideoName("pumpkin"), "pumpkin.mp4");
    EXPECT_EQ(DefaultVideoName("odd.mp4"), "odd.mp4.mp4");
}

} // namespace
} // namespace vel::lumo
