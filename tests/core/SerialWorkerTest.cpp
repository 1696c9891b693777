#include "core/SerialWorker.h"

#include <chrono>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vel::core {
namespace {

using namespace std::chrono_literals;

// Far longer than any job here takes, so that only a fault waits this long.
constexpr auto Patience = 30s;

// Holds the worker's thread in a job until opened, so that later jobs wait.
class Gate {
public:
    std::function<void()> Job() {
        return [this] {
            opened_.wait_for(Patience);
        };
    }
    void Open() { open_.set_value(); }

private:
    std::promise<void> open_;
    std::shared_future<void> opened_ = open_.get_future().share();
};

// What the jobs did, in the order they did it.
class Log {
public:
    void Add(const std::string& name) {
        const std::lock_guard lock(mutex_);
        entries_.push_back(name);
    }
    std::function<void()> Job(std::string name) {
        return [this, name = std::move(name)] {
            Add(name);
        };
    }
    std::vector<std::string> Entries() {
        const std::lock_guard lock(mutex_);
        return entries_;
    }

private:
    std::mutex mutex_;
    std::vector<std::string> entries_;
};

TEST(SerialWorkerTest, RunsJobsInOrderAndWaitsForOneTicketWithoutWaitingForLaterOnes) {
    Log log;
    Gate gate;
    SerialWorker<std::function<void()>> worker;
    worker.Post(log.Job("first"));
    const auto second = worker.Post(log.Job("second"));
    worker.Post(gate.Job());
    const auto last = worker.Post(log.Job("third"));
    EXPECT_EQ(second, 2u);
    EXPECT_EQ(last, 4u);
    worker.WaitFor(second);
    EXPECT_EQ(log.Entries(), (std::vector<std::string>{"first", "second"}));
    gate.Open();
    worker.WaitForAll();
    EXPECT_EQ(log.Entries(), (std::vector<std::string>{"first", "second", "third"}));
}

// A job that owns what it works on, as a write owns its document.
struct OwningJob {
    std::string key;
    std::unique_ptr<std::string> text;
    std::function<void(const std::string&)> done;
    void operator()() const { done(*text); }
};

TEST(SerialWorkerTest, ANewerJobReplacesOnlyTheLastJobAndOnlyWhileItWaits) {
    Log log;
    Gate gate;
    const auto write = [&log](std::string key, std::string text) {
        return OwningJob{key, std::make_unique<std::string>(std::move(text)),
                         [&log](const std::string& what) {
                             log.Add(what);
                         }};
    };
    const auto sameKey = [](const OwningJob& job, const OwningJob& waiting) {
        return !job.key.empty() && job.key == waiting.key;
    };
    SerialWorker<OwningJob> worker;
    worker.Post(OwningJob{{}, std::make_unique<std::string>("held"), [&gate](const std::string&) {
                              gate.Job()();
                          }});
    const auto first = worker.Post(write("a", "a1"), sameKey);
    EXPECT_EQ(worker.Post(write("a", "a2"), sameKey), first);
    worker.Post(write("b", "b1"), sameKey);
    worker.Post(write("a", "a3"), sameKey);
    gate.Open();
    worker.WaitForAll();
    const auto started = worker.Post(write("a", "a4"), sameKey);
    worker.WaitFor(started);
    worker.Post(write("a", "a5"), sameKey);
    worker.WaitForAll();
    EXPECT_EQ(log.Entries(), (std::vector<std::string>{"a2", "b1", "a3", "a4", "a5"}));
}

TEST(SerialWorkerTest, EndingLetsTheRunningJobFinishAndDropsTheWaitingOnes) {
    Log log;
    std::promise<void> started;
    // Given up only when the waiting job is dropped unrun.
    std::promise<void> dropped;
    std::future<void> whenDropped = dropped.get_future();
    {
        SerialWorker<OwningJob> worker;
        worker.Post(
            OwningJob{{}, std::make_unique<std::string>("running"), [&](const std::string& what) {
                          started.set_value();
                          whenDropped.wait_for(Patience);
                          log.Add(what);
                      }});
        started.get_future().wait();
        worker.Post(OwningJob{{},
                              std::make_unique<std::string>("waiting"),
                              [&log, keep = std::make_shared<std::promise<void>>(
                                         std::move(dropped))](const std::string& what) {
                                  log.Add(what);
                              }});
    }
    EXPECT_EQ(log.Entries(), std::vector<std::string>{"running"});
}

} // namespace
} // namespace vel::core
