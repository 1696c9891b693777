#include "apps/lumo/recovery/RecoveryWriter.h"

#include "apps/lumo/document/LumoDocument.h"
#include "tests/support/TempFolder.h"

#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <mutex>
#include <vector>

namespace vel::lumo::test {
namespace {

using namespace std::chrono_literals;

std::unique_ptr<const LumoDocument> WithShapes(uint64_t shapes) {
    auto document = LumoDocument::New();
    for (uint64_t shape = 0; shape < shapes; ++shape) {
        document->GetModel().InsertNewShape(shape);
    }
    return document;
}

// A writer whose first write is held until Release, so that what is asked
// for meanwhile waits.
class HeldWriter {
public:
    explicit HeldWriter(const RecoveryStore& store)
        : writer_(store, [this](const std::string& id, const core::FileError& error) {
              EXPECT_EQ(error.Code(), 0u) << id;
              const bool first = Note(id);
              if (first) {
                  released_.wait_for(30s);
              }
          }) {
        writer_.Write("held", WithShapes(0), Record());
    }

    RecoveryWriter& Writer() { return writer_; }
    void Release() { release_.set_value(); }
    std::vector<std::string> Written() {
        const std::lock_guard lock(mutex_);
        return written_;
    }
    static RecoveryRecord Record() {
        return {"/home/user/face.glw", 1000, ProcessIdentity::Current()};
    }

private:
    // Answers whether it is the first write.
    bool Note(const std::string& id) {
        const std::lock_guard lock(mutex_);
        written_.push_back(id);
        return written_.size() == 1;
    }

    std::mutex mutex_;
    std::vector<std::string> written_;
    std::promise<void> release_;
    std::shared_future<void> released_ = release_.get_future().share();
    // Last, so that its thread ends before the rest goes.
    RecoveryWriter writer_;
};

uint64_t ShapesIn(const RecoveryStore& store, const std::string& id) {
    core::FileError error;
    const auto copy = LumoDocument::Open(store.CopyPath(id), error);
    return copy ? copy->GetModel().GetShapeCount() : 0;
}

TEST(RecoveryWriterTest, ANewerCopyReplacesAWaitingOneButNeverOvertakesARemoval) {
    const testing::TempFolder folder;
    const RecoveryStore store(folder.Path());
    HeldWriter held(store);
    RecoveryWriter& writer = held.Writer();
    writer.Write("face", WithShapes(1), HeldWriter::Record());
    writer.Write("face", WithShapes(2), HeldWriter::Record());
    writer.Write("other", WithShapes(1), HeldWriter::Record());
    writer.Remove("other");
    writer.Write("other", WithShapes(3), HeldWriter::Record());
    held.Release();
    writer.Finish();
    EXPECT_EQ(held.Written(), (std::vector<std::string>{"held", "face", "other", "other"}));
    EXPECT_EQ(ShapesIn(store, "face"), 2u);
    EXPECT_EQ(ShapesIn(store, "other"), 3u) << "written again after its removal";
}

TEST(RecoveryWriterTest, EndingFinishesWhatWasAskedForAndACopyReplacesTheOneItHolds) {
    const testing::TempFolder folder;
    const RecoveryStore store(folder.Path());
    {
        HeldWriter held(store);
        held.Writer().Write("untitled", WithShapes(1), HeldWriter::Record());
        held.Writer().Write("face", WithShapes(2), HeldWriter::Record(), "untitled");
        held.Release();
    }
    EXPECT_FALSE(std::filesystem::exists(store.CopyPath("untitled")));
    EXPECT_EQ(ShapesIn(store, "face"), 2u);
}

} // namespace
} // namespace vel::lumo::test
