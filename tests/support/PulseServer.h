#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace vel::testing {

// A private sound server with one null output whose monitor can be recorded,
// so that a test hears exactly what the program played.
class PulseServer {
public:
    // Starts the server and makes it this process's server; Running() tells
    // whether that worked.
    PulseServer();
    ~PulseServer();
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    bool Running() const { return running_; }
    // Ends the server, as a sound server that stops under the program does.
    void Stop();
    // What went wrong when it is not running.
    const QString& Problem() const { return problem_; }
    QString Address() const;
    // Records the null output at the rate, mono, 32-bit float, to standard
    // output; the caller starts it.
    void PrepareRecorder(QProcess& recorder, int rate) const;

private:
    QTemporaryDir folder_;
    QProcess server_;
    bool running_ = false;
    QString problem_;
};

} // namespace vel::testing
