#include "apps/lumo/document/AnchorEdits.h"
#include "apps/lumo/document/KnobEdits.h"
#include "apps/lumo/document/PoseEdits.h"
#include "apps/lumo/document/SelectionHost.h"
#include "apps/lumo/document/ShapeEdits.h"
#include "tests/support/CommandFixture.h"

namespace vel::lumo::test {
namespace {

// Stands for the main window: keeps what the edits hand it and counts the
// requests.
class RecordingHost : public SelectionHost {
public:
    void RequestFrame(uint32_t newFrame) override {
        frame = newFrame;
        ++frameRequests;
    }
    void RequestSelection(const Selection& newSelection) override {
        selection = newSelection;
        ++selectionRequests;
    }
    uint32_t GetFrame() const override { return frame; }

    Selection selection;
    uint32_t frame = 0;
    int frameRequests = 0;
    int selectionRequests = 0;
};

// The compound edits against the command fixture's document: each is one
// history entry that undo and redo take back and bring back whole, with the
// selection or frame it set.
class DocumentEditsTest : public CommandTest {
protected:
    // Runs the edit, which must be taken as one step, then undoes and redoes
    // it; answers the document after the edit.
    template <class Edit> Snapshot OneStep(Edit edit) {
        const Snapshot before = Take();
        const std::size_t undoCount = doc_->GetUndoCount();
        EXPECT_TRUE(edit());
        EXPECT_EQ(doc_->GetUndoCount(), undoCount + 1);
        const Snapshot done = Take();
        EXPECT_TRUE(doc_->Undo());
        EXPECT_EQ(Take(), before);
        afterUndo_ = host_.selection;
        frameAfterUndo_ = host_.frame;
        EXPECT_TRUE(doc_->Redo());
        EXPECT_EQ(Take(), done);
        return done;
    }

    // An edit that is refused leaves the document and its history alone.
    template <class Edit> void Refused(Edit edit) {
        const Snapshot before = Take();
        const std::size_t undoCount = doc_->GetUndoCount();
        EXPECT_FALSE(edit());
        EXPECT_EQ(doc_->GetUndoCount(), undoCount);
        EXPECT_EQ(Take(), before);
    }

    RecordingHost host_;
    Selection afterUndo_;
    uint32_t frameAfterUndo_ = 0;
};

TEST_F(DocumentEditsTest, APointWithNoShapeSelectedMakesTheShapeItsBasePoseAndThePointInOneStep) {
    const Selection none{5, 1, 1};
    const Snapshot done = OneStep([&] {
        return AppendPoint(*doc_, host_, none, Point{0.25f, -0.5f});
    });
    ASSERT_EQ(done.shapes.size(), 3u);
    ASSERT_EQ(done.shapes[2].poses.size(), 1u);
    EXPECT_EQ(done.shapes[2].poses[0], (Pose{KnobKey("first"), {{0.25f, -0.5f}}}));
    EXPECT_EQ(afterUndo_, none);
    EXPECT_EQ(host_.selection, (Selection{2, 0, 0}));
}

TEST_F(DocumentEditsTest, APointOnAShapeWithPosesGoesAfterTheLastOneOfEveryPose) {
    host_.selection = {0, 2, 1};
    const Snapshot done = OneStep([&] {
        return AppendPoint(*doc_, host_, host_.selection, Point{7, 7});
    });
    for (const Pose& pose : done.shapes[0].poses) {
        ASSERT_EQ(pose.points.size(), 4u);
        EXPECT_EQ(pose.points[3], (Point{7, 7}));
    }
    EXPECT_EQ(host_.selectionRequests, 0);
}

TEST_F(DocumentEditsTest, NewAndDeletedShapesMoveTheSelectionAndUndoBringsItBack) {
    const Selection current{1, 0, 0};
    Snapshot done = OneStep([&] { return InsertNewShape(*doc_, host_, current); });
    EXPECT_EQ(done.shapes.size(), 3u);
    EXPECT_EQ(host_.selection, (Selection{2, 0, 0}));
    EXPECT_EQ(afterUndo_, current);

    // The last shape hands the selection to the one before it.
    done = OneStep([&] { return DeleteShape(*doc_, host_, {2, 0, 0}, 2); });
    EXPECT_EQ(done.shapes.size(), 2u);
    EXPECT_EQ(host_.selection, (Selection{1, 0, 0}));
    EXPECT_EQ(afterUndo_, (Selection{2, 0, 0}));
    done = OneStep([&] { return DeleteShape(*doc_, host_, current, 0); });
    EXPECT_EQ(done.shapes[0].illumination, Shape::Dark);
    EXPECT_EQ(host_.selection, (Selection{0, 0, 0}));

    Refused([&] { return DeleteShape(*doc_, host_, current, 9); });
}

TEST_F(DocumentEditsTest, AKnobChosenForAPoseComesWithTheKnobItNeedsInOneStep) {
    const Knob& eyepan = StandardKnobs()[4];
    const Snapshot done = OneStep([&] { return SetPoseKnob(*doc_, 0, 2, eyepan.key, eyepan); });
    EXPECT_EQ(done.shapes[0].poses[2].key, eyepan.key);
    ASSERT_EQ(done.knobs.size(), GetModel().GetKnobs().size());
    EXPECT_EQ(done.knobs.back(), eyepan);
    EXPECT_NE(done.timeline.FindTrack(eyepan.key), nullptr);

    Refused([&] { return SetPoseKnob(*doc_, 0, 2, eyepan.key, std::nullopt); });
    Refused([&] { return SetPoseKnob(*doc_, 0, 0, Blink, std::nullopt); });
    Refused([&] { return SetPoseKnob(*doc_, 0, 3, Blink, std::nullopt); });
}

TEST_F(DocumentEditsTest, ANewPoseCopiesTheBasePoseAndItsNewKnobIsAStepOfItsOwn) {
    const Knob& wink = StandardKnobs()[5];
    const Selection current{0, 1, 2};
    Snapshot done = OneStep([&] { return AddPose(*doc_, host_, current, Blink, std::nullopt); });
    ASSERT_EQ(done.shapes[0].poses.size(), 4u);
    EXPECT_EQ(done.shapes[0].poses[3], (Pose{Blink, done.shapes[0].poses[0].points}));
    EXPECT_EQ(host_.selection, (Selection{0, 3, 2}));
    EXPECT_EQ(afterUndo_, current);

    const Snapshot before = Take();
    ASSERT_TRUE(AddPose(*doc_, host_, current, wink.key, wink));
    done = Take();
    EXPECT_EQ(done.shapes[0].poses[4].key, wink.key);
    EXPECT_EQ(done.knobs.back(), wink);
    ASSERT_TRUE(doc_->Undo());
    EXPECT_EQ(GetModel().GetPoseCount(0), 4u);
    EXPECT_EQ(GetModel().GetKnobs().back(), wink);
    ASSERT_TRUE(doc_->Undo());
    EXPECT_EQ(Take(), before);

    Refused([&] { return AddPose(*doc_, host_, {2, 0, 0}, wink.key, wink); });
}

TEST_F(DocumentEditsTest, DeletingAKnobPoseSelectsItsNeighbourAndTheBasePoseStays) {
    const Selection current{0, 2, 1};
    Snapshot done = OneStep([&] { return DeleteKnobPose(*doc_, host_, current, 0, 1); });
    EXPECT_EQ(done.shapes[0].poses[1].key, Mouth);
    EXPECT_EQ(host_.selection, (Selection{0, 1, 1}));
    EXPECT_EQ(afterUndo_, current);
    done = OneStep([&] { return DeleteKnobPose(*doc_, host_, current, 0, 1); });
    EXPECT_EQ(done.shapes[0].poses.size(), 1u);
    EXPECT_EQ(host_.selection, (Selection{0, 0, 0}));

    Refused([&] { return DeleteKnobPose(*doc_, host_, current, 0, 0); });
    Refused([&] { return DeleteKnobPose(*doc_, host_, current, 1, 1); });
}

TEST_F(DocumentEditsTest, AnchorEditsLeaveTheCursorOnTheAnchorAndUndoPutsItBack) {
    host_.frame = 12;
    Snapshot done = OneStep([&] { return PlaceAnchor(*doc_, host_, Blink, 30, {45, 0.5f}, 12); });
    EXPECT_EQ(done.timeline.ValueAt(Blink, 45), 0.5f);
    EXPECT_FALSE(done.timeline.HasAnchor(Blink, 30));
    EXPECT_EQ(frameAfterUndo_, 12u);
    EXPECT_EQ(host_.frame, 45u);

    done = OneStep([&] { return PlaceAnchor(*doc_, host_, Blink, std::nullopt, {7, 1.0f}, 45); });
    EXPECT_TRUE(done.timeline.HasAnchor(Blink, 7));
    EXPECT_EQ(frameAfterUndo_, 45u);
    EXPECT_EQ(host_.frame, 7u);

    done = OneStep([&] { return DeleteAnchor(*doc_, host_, Blink, 60); });
    EXPECT_FALSE(done.timeline.HasAnchor(Blink, 60));
    EXPECT_EQ(frameAfterUndo_, 60u);

    Refused([&] { return DeleteAnchor(*doc_, host_, Blink, 0); });
    Refused([&] { return PlaceAnchor(*doc_, host_, Blink, 0, {5, 0.5f}, 0); });
}

// The history says which step undo would take back and redo would do again:
// a compound edit by the user's action, whatever its first part.
TEST_F(DocumentEditsTest, TheHistoryNamesTheStepsUndoAndRedoWouldTake) {
    EXPECT_EQ(doc_->GetUndoName(), "");
    EXPECT_EQ(doc_->GetRedoName(), "");
    ASSERT_TRUE(MovePoint(*doc_, 0, 1, 2, {0.5f, 0.5f}));
    EXPECT_EQ(doc_->GetUndoName(), "Move Point");
    // This point comes with a new shape and its base pose, in that order.
    ASSERT_TRUE(AppendPoint(*doc_, host_, {5, 0, 0}, {1, 1}));
    EXPECT_EQ(doc_->GetUndoName(), "Add Point");

    ASSERT_TRUE(doc_->Undo());
    EXPECT_EQ(doc_->GetUndoName(), "Move Point");
    EXPECT_EQ(doc_->GetRedoName(), "Add Point");
    ASSERT_TRUE(doc_->Undo());
    EXPECT_EQ(doc_->GetUndoName(), "");
    EXPECT_EQ(doc_->GetRedoName(), "Move Point");
    ASSERT_TRUE(doc_->Redo());
    EXPECT_EQ(doc_->GetUndoName(), "Move Point");
    EXPECT_EQ(doc_->GetRedoName(), "Add Point");

    // A refused edit changes neither name; a new one leaves nothing to redo.
    EXPECT_FALSE(DeleteKnob(*doc_, KnobKey("nosuch")));
    EXPECT_EQ(doc_->GetUndoName(), "Move Point");
    ASSERT_TRUE(DeleteKnob(*doc_, Blink));
    EXPECT_EQ(doc_->GetUndoName(), "Delete Knob");
    EXPECT_EQ(doc_->GetRedoName(), "");
}

} // namespace
} // namespace vel::lumo::test
