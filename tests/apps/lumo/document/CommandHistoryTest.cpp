#include "apps/lumo/document/KnobCommands.h"
#include "apps/lumo/document/MacroCommand.h"
#include "apps/lumo/document/PointCommands.h"
#include "apps/lumo/document/PoseCommands.h"
#include "apps/lumo/document/ShapeCommands.h"
#include "tests/support/CommandFixture.h"
#include "tests/support/TempFolder.h"

#include <string>

namespace vel::lumo::test {
namespace {

constexpr uint32_t M = ChangeBits::Model;
constexpr uint32_t Modified = ChangeBits::Modified;

using CommandHistoryTest = CommandTest;

// What the preview does for a click on empty space: a shape, its base pose
// and its first point, as one history entry.
MacroCommand NewShapeAt(LumoDocument* doc, uint64_t shape, Point point) {
    MacroCommand macro("Add Point");
    macro.Append(std::make_unique<InsertShapeCmd>(doc, shape));
    macro.Append(
        std::make_unique<InsertPoseCmd>(doc, shape, 0, KnobKey("first"), std::vector<Point>{}));
    macro.Append(std::make_unique<InsertPointCmd>(doc, shape, 0, point));
    return macro;
}

TEST_F(CommandHistoryTest, MacroIsOneEntryUndoneAsAWhole) {
    const Snapshot before = Take();
    ASSERT_TRUE(doc_->Execute(NewShapeAt(doc_.get(), 2, {3, 4})));
    EXPECT_EQ(view_.Take(), (std::vector<uint32_t>{M, M, M, Modified}));
    EXPECT_EQ(doc_->GetUndoCount(), 1u);
    EXPECT_EQ(GetModel().GetPosePoints(2, 0), std::vector<Point>{(Point{3, 4})});
    const Snapshot done = Take();

    ASSERT_TRUE(doc_->Undo());
    EXPECT_EQ(view_.Take(), (std::vector<uint32_t>{M, M, M}));
    EXPECT_EQ(Take(), before);
    ASSERT_TRUE(doc_->Redo());
    EXPECT_EQ(Take(), done);
}

TEST_F(CommandHistoryTest, MacroWhoseLaterStepFailsTakesBackTheEarlierOnes) {
    const Snapshot before = Take();
    MacroCommand macro("New Shape");
    macro.Append(std::make_unique<InsertShapeCmd>(doc_.get(), 0));
    macro.Append(std::make_unique<DeleteKnobCmd>(doc_.get(), KnobKey("nosuch")));
    macro.Append(std::make_unique<InsertShapeCmd>(doc_.get(), 0));

    EXPECT_FALSE(doc_->Execute(macro));
    // The first shape went in and came out again; nothing else ran.
    EXPECT_EQ(view_.Take(), (std::vector<uint32_t>{M, M}));
    EXPECT_EQ(Take(), before);
    EXPECT_EQ(doc_->GetUndoCount(), 0u);
    EXPECT_FALSE(doc_->IsModified());
}

TEST_F(CommandHistoryTest, MacroWhoseUndoFailsHalfWayStaysDone) {
    MacroCommand macro("Change Pose Knob");
    macro.Append(std::make_unique<AddKnobCmd>(doc_.get(), StandardKnobs()[7]));
    macro.Append(std::make_unique<ChangePoseKnobCmd>(doc_.get(), 0, 2, KnobKey("first")));
    ASSERT_TRUE(doc_->Execute(macro));
    // Something outside the history took the knob away, so the macro's
    // first step cannot be undone: its second step is redone.
    GetModel().DeleteKnob(Mouth);
    doc_->SynchroniseTimeline();
    const Snapshot stuck = Take();
    view_.Take();

    EXPECT_FALSE(doc_->Undo());
    EXPECT_EQ(view_.Take(), (std::vector<uint32_t>{M, M}));
    EXPECT_EQ(Take(), stuck);
    EXPECT_EQ(doc_->GetUndoCount(), 1u);
    EXPECT_EQ(doc_->GetRedoCount(), 0u);
}

TEST_F(CommandHistoryTest, ModifiedStateFollowsTheSavedDepth) {
    const vel::testing::TempFolder folder;
    for (uint64_t shape = 2; shape < 5; ++shape) {
        doc_->Execute(InsertShapeCmd(doc_.get(), shape));
    }
    // Only the first execute flipped the state.
    EXPECT_EQ(view_.Take(), (std::vector<uint32_t>{M, Modified, M, M}));
    ASSERT_TRUE(doc_->Save(folder / "face.glw"));
    EXPECT_FALSE(doc_->IsModified());

    doc_->Undo();
    EXPECT_TRUE(doc_->IsModified());
    doc_->Redo();
    EXPECT_FALSE(doc_->IsModified());
    doc_->Redo();
    EXPECT_FALSE(doc_->IsModified());

    // A refused command leaves the state alone and sends nothing.
    view_.Take();
    EXPECT_FALSE(doc_->Execute(DeleteShapeCmd(doc_.get(), 9)));
    EXPECT_FALSE(doc_->IsModified());
    EXPECT_TRUE(view_.Take().empty());

    // Going back past the save and on again with other edits never meets
    // the saved state again, even at the saved depth.
    doc_->Undo();
    doc_->Execute(SetShapeNameCmd(doc_.get(), 2, "Nose"));
    EXPECT_EQ(doc_->GetUndoCount(), 3u);
    EXPECT_TRUE(doc_->IsModified());
    doc_->Undo();
    EXPECT_TRUE(doc_->IsModified());
}

} // namespace
} // namespace vel::lumo::test
