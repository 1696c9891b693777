#include "apps/lumo/document/AnchorCommands.h"
#include "apps/lumo/document/AudioCommands.h"
#include "apps/lumo/document/KnobCommands.h"
#include "apps/lumo/document/PointCommands.h"
#include "apps/lumo/document/PoseCommands.h"
#include "apps/lumo/document/ShapeCommands.h"
#include "tests/support/CommandFixture.h"

namespace vel::lumo::test {
namespace {

constexpr uint32_t M = ChangeBits::Model;
constexpr uint32_t T = ChangeBits::Timeline;

using EditCommandTest = CommandTest;

TEST_F(EditCommandTest, InsertShapeNamesTheShapeAfterItsPositionEachTime) {
    const Snapshot done = RoundTrip(InsertShapeCmd(doc_.get(), 2), {M}, {M});
    ASSERT_EQ(done.shapes.size(), 3u);
    EXPECT_EQ(done.shapes[2].name, "Shape 2");
    EXPECT_EQ(done.shapes[2].illumination, Shape::CandleColor);
    EXPECT_TRUE(done.shapes[2].poses.empty());
}

TEST_F(EditCommandTest, DeleteShapeRestoresTheWholeShapeInPlace) {
    const Shape eye = GetModel().GetShape(0);
    const Snapshot done = RoundTrip(DeleteShapeCmd(doc_.get(), 0), {M}, {M});
    ASSERT_EQ(done.shapes.size(), 1u);
    EXPECT_EQ(done.shapes[0].illumination, Shape::Dark);
    doc_->Undo();
    EXPECT_EQ(GetModel().GetShape(0), eye);
}

TEST_F(EditCommandTest, ShapeNameAndIlluminationComeBackOnUndo) {
    EXPECT_EQ(RoundTrip(SetShapeNameCmd(doc_.get(), 1, "Mouth"), {M}, {M}).shapes[1].name, "Mouth");
    doc_->Undo();
    EXPECT_EQ(GetModel().GetShapeName(1), "Shape 1");
    // Values other than dark and lit are kept as they are.
    EXPECT_EQ(RoundTrip(SetShapeIlluminationCmd(doc_.get(), 1, 7), {M}, {M}).shapes[1].illumination,
              7u);
    doc_->Undo();
    EXPECT_EQ(GetModel().GetShapeIllumination(1), Shape::Dark);
}

TEST_F(EditCommandTest, MoveShapeMovesEveryPoseAndUndoMovesThemBack) {
    const Snapshot done = RoundTrip(MoveShapeCmd(doc_.get(), 0, 0.25f, -0.5f), {M}, {M});
    EXPECT_EQ(done.shapes[0].poses[0].points[1], (Point{1.25f, -0.5f}));
    EXPECT_EQ(done.shapes[0].poses[2].points[2], (Point{2.25f, 0.5f}));
    EXPECT_EQ(done.shapes[1], GetModel().GetShape(1));
}

TEST_F(EditCommandTest, PoseInsertDeleteAndKnobChangeRoundTrip) {
    const std::vector<Point> points{{5, 5}, {6, 5}, {5, 6}};
    Snapshot done = RoundTrip(InsertPoseCmd(doc_.get(), 0, 1, Mouth, points), {M}, {M});
    ASSERT_EQ(done.shapes[0].poses.size(), 4u);
    EXPECT_EQ(done.shapes[0].poses[1], (Pose{Mouth, points}));
    EXPECT_EQ(done.shapes[0].poses[2].key, Blink);

    doc_->Undo();
    const Pose blink = GetModel().GetShape(0).poses[1];
    done = RoundTrip(DeletePoseCmd(doc_.get(), 0, 1), {M}, {M});
    EXPECT_EQ(done.shapes[0].poses.size(), 2u);
    doc_->Undo();
    EXPECT_EQ(GetModel().GetShape(0).poses[1], blink);

    done = RoundTrip(ChangePoseKnobCmd(doc_.get(), 0, 2, Blink), {M}, {M});
    EXPECT_EQ(done.shapes[0].poses[2].key, Blink);
    doc_->Undo();
    EXPECT_EQ(GetModel().GetPoseKnobKey(0, 2), Mouth);
}

TEST_F(EditCommandTest, MovePoseMovesOnlyThatPose) {
    const Snapshot done = RoundTrip(MovePoseCmd(doc_.get(), 0, 1, 1.0f, 2.0f), {M}, {M});
    EXPECT_EQ(done.shapes[0].poses[1].points[0], (Point{1.0f, 2.5f}));
    EXPECT_EQ(done.shapes[0].poses[0], GetModel().GetShape(0).poses[0]);
}

TEST_F(EditCommandTest, InsertPointPutsTheSamePointIntoEveryPose) {
    const Snapshot done = RoundTrip(InsertPointCmd(doc_.get(), 0, 3, {9, 9}), {M}, {M});
    for (const Pose& pose : done.shapes[0].poses) {
        ASSERT_EQ(pose.points.size(), 4u);
        EXPECT_EQ(pose.points[3], (Point{9, 9}));
    }
}

TEST_F(EditCommandTest, DeletePointGivesEachPoseItsOwnCoordinatesBack) {
    // Execution removes the point once; undo reinserts it and then sets it
    // in each further pose.
    const Snapshot done = RoundTrip(DeletePointCmd(doc_.get(), 0, 1), {M}, {M, M, M});
    for (const Pose& pose : done.shapes[0].poses) {
        EXPECT_EQ(pose.points.size(), 2u);
    }
    EXPECT_EQ(done.shapes[0].poses[2].points[1], (Point{2, 1}));
}

TEST_F(EditCommandTest, MovePointChangesOnePoint) {
    const Snapshot done = RoundTrip(MovePointCmd(doc_.get(), 0, 2, 1, {4, 4}), {M}, {M});
    EXPECT_EQ(done.shapes[0].poses[2].points[1], (Point{4, 4}));
    EXPECT_EQ(done.shapes[0].poses[1].points[1], (Point{1, 0.5f}));
}

TEST_F(EditCommandTest, AddKnobGivesItATrackAndUndoTakesBoth) {
    const Knob mouth = StandardKnobs()[7];
    const Snapshot done = RoundTrip(AddKnobCmd(doc_.get(), mouth), {M}, {M});
    EXPECT_EQ(done.knobs.back(), mouth);
    const KnobTrack* track = GetTimeline().FindTrack(Mouth);
    ASSERT_NE(track, nullptr);
    EXPECT_EQ(track->GetAnchors(), (std::vector<Anchor>{{0, mouth.typical}}));
    doc_->Undo();
    EXPECT_EQ(GetTimeline().FindTrack(Mouth), nullptr);
}

TEST_F(EditCommandTest, DeleteKnobComesBackLastWithEveryAnchor) {
    GetModel().AddKnob(StandardKnobs()[7]);
    doc_->SynchroniseTimeline();
    const std::vector<Anchor> anchors = GetTimeline().FindTrack(Blink)->GetAnchors();
    ASSERT_EQ(anchors.size(), 3u);
    const Snapshot before = Take();

    ASSERT_TRUE(doc_->Execute(DeleteKnobCmd(doc_.get(), Blink)));
    EXPECT_EQ(view_.Take(), (std::vector<uint32_t>{M, ChangeBits::Modified}));
    EXPECT_FALSE(GetModel().HasKnob(Blink));
    EXPECT_EQ(GetTimeline().FindTrack(Blink), nullptr);
    // The pose that names the knob keeps its key.
    EXPECT_EQ(GetModel().GetPoseKnobKey(0, 1), Blink);
    const Snapshot done = Take();

    // Undo re-adds the knob (model bit), then sets each of its three anchors.
    ASSERT_TRUE(doc_->Undo());
    EXPECT_EQ(view_.Take(), (std::vector<uint32_t>{M, T, T, T}));
    const std::vector<Knob> knobs = GetModel().GetKnobs();
    ASSERT_EQ(knobs.size(), before.knobs.size());
    EXPECT_EQ(knobs.back(), before.knobs[3]);
    EXPECT_EQ(knobs[3], before.knobs[4]);
    EXPECT_EQ(GetTimeline(), before.timeline);
    EXPECT_EQ(GetTimeline().FindTrack(Blink)->GetAnchors(), anchors);

    ASSERT_TRUE(doc_->Redo());
    EXPECT_EQ(view_.Take(), std::vector<uint32_t>{M});
    EXPECT_EQ(Take(), done);
}

TEST_F(EditCommandTest, AnchorInsertDeleteAndMoveRoundTrip) {
    Snapshot done = RoundTrip(InsertAnchorCmd(doc_.get(), Blink, 45, 1.0f), {T}, {T});
    EXPECT_EQ(done.timeline.ValueAt(Blink, 45), 1.0f);
    doc_->Undo();

    done = RoundTrip(DeleteAnchorCmd(doc_.get(), Blink, 30), {T}, {T});
    EXPECT_FALSE(done.timeline.HasAnchor(Blink, 30));
    doc_->Undo();
    EXPECT_EQ(GetTimeline().ValueAt(Blink, 30), 0.75f);

    done = RoundTrip(MoveAnchorCmd(doc_.get(), Blink, 30, 40, 0.5f), {T}, {T});
    EXPECT_FALSE(done.timeline.HasAnchor(Blink, 30));
    EXPECT_EQ(done.timeline.ValueAt(Blink, 40), 0.5f);
    doc_->Undo();
    EXPECT_EQ(GetTimeline().ValueAt(Blink, 30), 0.75f);

    // Within one frame, including the first anchor, only the value changes.
    done = RoundTrip(MoveAnchorCmd(doc_.get(), Blink, 0, 0, 0.5f), {T}, {T});
    EXPECT_EQ(done.timeline.ValueAt(Blink, 0), 0.5f);
}

TEST_F(EditCommandTest, SetAudioSwapsClipsWithoutReloading) {
    const AudioClip clip(AudioHeader::Make(8000, SampleFormat::S16, 1), {1, 2, 3, 4});
    const AudioClip empty = doc_->GetAudio();
    const Snapshot done =
        RoundTrip(SetAudioCmd(doc_.get(), clip), {ChangeBits::Audio}, {ChangeBits::Audio});
    EXPECT_EQ(done.audio, clip);
    doc_->Undo();
    EXPECT_EQ(doc_->GetAudio(), empty);

    // The command, its copy in the history and a copy of the document all
    // hold the caller's samples rather than copies of them.
    doc_->Redo();
    EXPECT_EQ(doc_->GetAudio().Samples().data(), clip.Samples().data());
    EXPECT_EQ(LumoDocument(*doc_).GetAudio().Samples().data(), clip.Samples().data());
}

TEST_F(EditCommandTest, RefusalsLeaveEverythingUnchangedAndUnrecorded) {
    LumoDocument* d = doc_.get();
    const KnobKey unknown("nosuch");
    std::vector<std::unique_ptr<Command>> refused;
    refused.push_back(std::make_unique<InsertShapeCmd>(d, 3));
    refused.push_back(std::make_unique<DeleteShapeCmd>(d, 2));
    refused.push_back(std::make_unique<SetShapeNameCmd>(d, 2, "x"));
    refused.push_back(std::make_unique<SetShapeIlluminationCmd>(d, 2, 0));
    refused.push_back(std::make_unique<MoveShapeCmd>(d, 2, 1.0f, 1.0f));
    refused.push_back(std::make_unique<InsertPoseCmd>(d, 0, 4, Blink, std::vector<Point>{}));
    refused.push_back(std::make_unique<InsertPoseCmd>(d, 2, 0, Blink, std::vector<Point>{}));
    refused.push_back(std::make_unique<DeletePoseCmd>(d, 0, 3));
    refused.push_back(std::make_unique<ChangePoseKnobCmd>(d, 0, 3, Blink));
    refused.push_back(std::make_unique<ChangePoseKnobCmd>(d, 2, 0, Blink));
    refused.push_back(std::make_unique<MovePoseCmd>(d, 0, 3, 1.0f, 1.0f));
    refused.push_back(std::make_unique<InsertPointCmd>(d, 0, 4, Point{}));
    refused.push_back(std::make_unique<InsertPointCmd>(d, 2, 0, Point{}));
    // One past the last point: deleting nothing must not record an undo
    // that would add a point.
    refused.push_back(std::make_unique<DeletePointCmd>(d, 0, 3));
    refused.push_back(std::make_unique<DeletePointCmd>(d, 2, 0));
    refused.push_back(std::make_unique<MovePointCmd>(d, 0, 0, 3, Point{}));
    refused.push_back(std::make_unique<MovePointCmd>(d, 0, 3, 0, Point{}));
    refused.push_back(std::make_unique<AddKnobCmd>(d, StandardKnobs()[0]));
    refused.push_back(std::make_unique<DeleteKnobCmd>(d, unknown));
    refused.push_back(std::make_unique<InsertAnchorCmd>(d, Blink, 30, 0.0f));
    refused.push_back(std::make_unique<InsertAnchorCmd>(d, unknown, 90, 0.0f));
    refused.push_back(std::make_unique<DeleteAnchorCmd>(d, Blink, 0));
    refused.push_back(std::make_unique<DeleteAnchorCmd>(d, Blink, 45));
    refused.push_back(std::make_unique<DeleteAnchorCmd>(d, unknown, 30));
    refused.push_back(std::make_unique<MoveAnchorCmd>(d, Blink, 30, 60, 0.0f));
    refused.push_back(std::make_unique<MoveAnchorCmd>(d, Blink, 0, 10, 0.0f));
    refused.push_back(std::make_unique<MoveAnchorCmd>(d, Blink, 45, 45, 0.0f));
    refused.push_back(std::make_unique<MoveAnchorCmd>(d, unknown, 0, 0, 0.0f));

    const Snapshot before = Take();
    const uint32_t frames = doc_->GetFrameCount();
    for (size_t i = 0; i < refused.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(doc_->Execute(*refused[i]));
        EXPECT_EQ(Take(), before);
        EXPECT_TRUE(view_.Take().empty());
        EXPECT_EQ(doc_->GetUndoCount(), 0u);
        EXPECT_FALSE(doc_->IsModified());
    }
    EXPECT_EQ(doc_->GetFrameCount(), frames);
}

} // namespace
} // namespace vel::lumo::test
