#include "wingui/PostToThread.h"

#include <QCoreApplication>
#include <QObject>
#include <QTest>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

namespace vel::wingui {
namespace {

// The worker lives on while its calls run, as a reading or a writer does.
TEST(PostToThread, CallsFromAWorkerRunOnTheContextsThreadInTheirOrder) {
    QObject context;
    std::vector<int> order;
    std::vector<std::thread::id> threads;
    std::atomic<bool> ran = false;
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i) {
            PostToThread(&context, [&, i] {
                order.push_back(i);
                threads.push_back(std::this_thread::get_id());
                ran = i == 99;
            });
        }
        while (!ran) {
            std::this_thread::yield();
        }
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return ran.load(); }, 5000));
    worker.join();
    ASSERT_EQ(order.size(), 100u);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
        EXPECT_EQ(threads[static_cast<std::size_t>(i)], std::this_thread::get_id());
    }
}

TEST(PostToThread, ACallWaitingWhenItsContextGoesIsDropped) {
    auto context = std::make_unique<QObject>();
    bool called = false;
    std::thread worker([&] { PostToThread(context.get(), [&] { called = true; }); });
    worker.join();
    context.reset();
    QCoreApplication::processEvents();
    EXPECT_FALSE(called);
}

} // namespace
} // namespace vel::wingui
