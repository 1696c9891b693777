#include "tests/support/PulseServer.h"

#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

namespace vel::testing {

namespace {

constexpr const char* SinkName = "lumo_test";

} // namespace

PulseServer::PulseServer() {
    const QString program = QStandardPaths::findExecutable("pulseaudio");
    if (program.isEmpty() || QStandardPaths::findExecutable("parec").isEmpty()) {
        problem_ = "pulseaudio or parec is not installed";
        return;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", folder_.path());
    environment.insert("HOME", folder_.path());
    server_.setProcessEnvironment(environment);
    server_.setProcessChannelMode(QProcess::MergedChannels);
    server_.start(program, {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                            "--disable-shm=yes", "--log-target=stderr", "-L",
                            QString("module-null-sink sink_name=%1 rate=48000").arg(SinkName), "-L",
                            "module-native-protocol-unix auth-anonymous=1 socket=" +
                                folder_.filePath("native")});
    if (!server_.waitForStarted(5000)) {
        problem_ = "the sound server did not start";
        return;
    }
    for (int attempt = 0; attempt < 100 && !running_; ++attempt) {
        QProcess probe;
        probe.start("pactl", {"-s", Address(), "info"});
        running_ = probe.waitForFinished(2000) && probe.exitCode() == 0;
        if (!running_) {
            if (server_.state() != QProcess::Running) {
                problem_ = "the sound server stopped: " + server_.readAll();
                return;
            }
            QThread::msleep(50);
        }
    }
    if (!running_) {
        problem_ = "the sound server did not answer";
        return;
    }
    qputenv("PULSE_SERVER", Address().toUtf8());
}

PulseServer::~PulseServer() {
    Stop();
}

void PulseServer::Stop() {
    running_ = false;
    if (server_.state() == QProcess::Running) {
        server_.terminate();
        if (!server_.waitForFinished(3000)) {
            server_.kill();
            server_.waitForFinished(3000);
        }
    }
}

QString PulseServer::Address() const {
    return "unix:" + folder_.filePath("native");
}

void PulseServer::PrepareRecorder(QProcess& recorder, int rate) const {
    recorder.setProgram("parec");
    recorder.setArguments({"-s", Address(), "-d", QString(SinkName) + ".monitor", "--raw",
                           "--format=float32le", "--channels=1", "--rate=" + QString::number(rate),
                           "--latency-msec=5"});
}

} // namespace vel::testing
