#pragma once

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace vel::testing {

// A named pipe where a file should be. Code that opens it and waits for the
// other end is let go after a few seconds, so that a test of code that would
// hang fails instead of hanging. The code must not write to the pipe.
class NamedPipe {
public:
    explicit NamedPipe(std::string path) : path_(std::move(path)) {
        if (::mkfifo(path_.c_str(), 0644) != 0)
            throw std::system_error(errno, std::generic_category(), "named pipe");
    }

    ~NamedPipe() { ::unlink(path_.c_str()); }
    NamedPipe(const NamedPipe&) = delete;
    NamedPipe& operator=(const NamedPipe&) = delete;

    const std::string& Path() const { return path_; }

    // Runs the action; false when it had to be let go.
    bool RunsWithoutWaiting(const std::function<void()>& action) const {
        std::mutex mutex;
        std::condition_variable finished;
        bool done = false;
        bool released = false;
        std::thread watchdog([&] {
            std::unique_lock lock(mutex);
            if (finished.wait_for(lock, std::chrono::seconds(5), [&] { return done; }))
                return;
            released = true;
            // The other end, come and gone, lets a waiting open return, and
            // a read after it ends at once.
            while (!done) {
                for (const int end : {O_WRONLY, O_RDONLY}) {
                    const int fd = ::open(path_.c_str(), end | O_NONBLOCK | O_CLOEXEC);
                    if (fd >= 0)
                        ::close(fd);
                }
                finished.wait_for(lock, std::chrono::milliseconds(100), [&] { return done; });
            }
        });
        action();
        {
            const std::lock_guard lock(mutex);
            done = true;
        }
        finished.notify_all();
        watchdog.join();
        return !released;
    }

private:
    std::string path_;
};

} // namespace vel::testing
