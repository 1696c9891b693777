#include "apps/lumo/document/PhotoEdits.h"

#include "tests/support/CommandFixture.h"

#include <functional>
#include <string>

namespace vel::lumo::test {
namespace {

constexpr uint32_t Photo = ChangeBits::Photo;

std::vector<uint8_t> JpegBytes() {
    return {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F', 'I', 'F'};
}

// Each edit of the photo is one step with the user's name for it: undo puts
// the photo back exactly, redo brings the edited one back, the views hear
// the photo bit each time, and the pumpkin itself stays as it was. A
// refused edit records nothing and tells no view.
class PhotoEditsTest : public CommandTest {
protected:
    TracingPhoto OneStep(const std::function<bool()>& edit, const std::string& name) {
        view_.Take();
        const Snapshot pumpkin = Take();
        const TracingPhoto before = doc_->GetPhoto();
        const std::size_t steps = doc_->GetUndoCount();
        EXPECT_TRUE(edit()) << name;
        EXPECT_EQ(doc_->GetUndoCount(), steps + 1) << name;
        EXPECT_EQ(doc_->GetUndoName(), name);
        view_.Take();
        const TracingPhoto done = doc_->GetPhoto();
        EXPECT_FALSE(done == before) << name;

        EXPECT_TRUE(doc_->Undo());
        EXPECT_EQ(doc_->GetPhoto(), before) << name;
        EXPECT_EQ(view_.Take(), std::vector<uint32_t>{Photo}) << name;
        EXPECT_TRUE(doc_->Redo());
        EXPECT_EQ(doc_->GetPhoto(), done) << name;
        EXPECT_EQ(view_.Take(), std::vector<uint32_t>{Photo}) << name;
        EXPECT_EQ(Take(), pumpkin) << name;
        return done;
    }

    void Refused(const std::function<bool()>& edit, const std::string& what) {
        view_.Take();
        const TracingPhoto before = doc_->GetPhoto();
        const std::size_t steps = doc_->GetUndoCount();
        EXPECT_FALSE(edit()) << what;
        EXPECT_EQ(doc_->GetUndoCount(), steps) << what;
        EXPECT_EQ(doc_->GetPhoto(), before) << what;
        EXPECT_TRUE(view_.Take().empty()) << what;
    }

    void Trace() {
        OneStep([&] { return TracePhoto(*doc_, JpegBytes()); }, "Trace Photo");
    }
};

TEST_F(PhotoEditsTest, TracingAndRemovingAPhotoAreNamedSteps) {
    Trace();
    EXPECT_EQ(doc_->GetPhoto().Bytes(), JpegBytes());
    EXPECT_EQ(doc_->GetPhoto().GetPlacement(), TracingPhoto::Placement{});
    EXPECT_TRUE(doc_->IsModified());

    // Another photo takes the place of the first, at the usual placement.
    ASSERT_TRUE(MovePhoto(*doc_, 0.5f, 0.5f));
    std::vector<uint8_t> other = JpegBytes();
    other.push_back(7);
    const TracingPhoto replaced = OneStep([&] { return TracePhoto(*doc_, other); }, "Trace Photo");
    EXPECT_EQ(replaced.Bytes(), other);
    EXPECT_EQ(replaced.GetPlacement(), TracingPhoto::Placement{});

    EXPECT_TRUE(OneStep([&] { return RemovePhoto(*doc_); }, "Remove Photo").IsEmpty());
    Refused([&] { return RemovePhoto(*doc_); }, "nothing to remove");
}

TEST_F(PhotoEditsTest, BytesThatAreNoPhotoOrTooManyAreRefused) {
    Refused([&] { return TracePhoto(*doc_, {'G', 'I', 'F', '8', '9', 'a'}); }, "a GIF");
    Refused([&] { return TracePhoto(*doc_, {}); }, "nothing");
    std::vector<uint8_t> large = JpegBytes();
    large.resize(TracingPhoto::MaxBytes + 1);
    Refused([&] { return TracePhoto(*doc_, large); }, "over 20 MB");
    large.resize(TracingPhoto::MaxBytes);
    OneStep([&] { return TracePhoto(*doc_, large); }, "Trace Photo");
}

TEST_F(PhotoEditsTest, MovingResizingAndFadingAreNamedSteps) {
    Refused([&] { return MovePhoto(*doc_, 0.1f, 0.0f); }, "no photo to move");
    Refused([&] { return SetPhotoOpacity(*doc_, 0.2f); }, "no photo to fade");
    Trace();
    const TracingPhoto moved =
        OneStep([&] { return MovePhoto(*doc_, 0.25f, -0.5f); }, "Move Photo");
    EXPECT_EQ(moved.GetPlacement().centre, (Point{0.25f, -0.5f}));
    const TracingPhoto resized = OneStep([&] { return ResizePhoto(*doc_, 1.25f); }, "Resize Photo");
    EXPECT_FLOAT_EQ(resized.GetPlacement().height, 2.5f);
    EXPECT_EQ(resized.GetPlacement().centre, (Point{0.25f, -0.5f}));
    const TracingPhoto faded =
        OneStep([&] { return SetPhotoOpacity(*doc_, 0.2f); }, "Photo Opacity");
    EXPECT_FLOAT_EQ(faded.GetPlacement().opacity, 0.2f);
    EXPECT_EQ(faded.Bytes().data(), moved.Bytes().data());

    Refused([&] { return MovePhoto(*doc_, 0.0f, 0.0f); }, "no move");
    Refused([&] { return SetPhotoOpacity(*doc_, 1.5f); }, "more than opaque");
    Refused([&] { return ResizePhoto(*doc_, 0.0f); }, "no size");
    Refused([&] { return ResizePhoto(*doc_, 1e30f); }, "far too large");
}

} // namespace
} // namespace vel::lumo::test
