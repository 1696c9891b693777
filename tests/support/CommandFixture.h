#pragma once

#include "apps/lumo/document/Command.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/View.h"
#include "apps/lumo/document/ViewRegistration.h"
#include "apps/lumo/model/StandardKnobs.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

namespace vel::lumo::test {

// Remembers every notification, so a test can compare the change bits sent.
class RecordingView : public View {
public:
    void OnDocumentChange(Document*, uint32_t changes) override { changes_.push_back(changes); }

    // The bits received since the last call.
    std::vector<uint32_t> Take() { return std::exchange(changes_, {}); }

private:
    std::vector<uint32_t> changes_;
};

// Everything a command may touch, for comparing the document before and after.
struct Snapshot {
    std::vector<Knob> knobs;
    std::vector<Shape> shapes;
    KnobTimeline timeline;
    AudioClip audio;

    bool operator==(const Snapshot&) const = default;
};

inline const KnobKey Blink{"eyeblink"};
inline const KnobKey Mouth{"mouth"};

// A document with two shapes, the first with three poses of three points,
// the knob "eyeblink" with anchors at frames 0, 30 and 60, and a view that
// records what it is told. The setup goes straight to the model, so the
// document starts unmodified with an empty history.
class CommandTest : public ::testing::Test {
protected:
    CommandTest() {
        Model& model = doc_->GetModel();
        model.InsertNewShape(0);
        model.SetShapeName(0, "Eye");
        model.InsertPose(0, 0, KnobKey("first"), {{0, 0}, {1, 0}, {0, 1}});
        model.InsertPose(0, 1, Blink, {{0, 0.5f}, {1, 0.5f}, {0, 1.5f}});
        model.InsertPose(0, 2, Mouth, {{2, 0}, {3, 0}, {2, 1}});
        model.InsertNewShape(1);
        model.SetShapeIllumination(1, Shape::Dark);
        model.InsertPose(1, 0, KnobKey("first"), {{-1, -1}, {1, -1}});
        model.AddKnob(StandardKnobs()[3]);
        doc_->SynchroniseTimeline();
        doc_->GetTimeline().InsertAnchor(Blink, 30, 0.75f);
        doc_->GetTimeline().InsertAnchor(Blink, 60, 0.25f);
        registration_ = doc_->Register(&view_);
    }

    Model& GetModel() { return doc_->GetModel(); }
    KnobTimeline& GetTimeline() { return doc_->GetTimeline(); }

    Snapshot Take() const {
        const Model& model = doc_->GetModel();
        Snapshot snapshot{model.GetKnobs(), {}, doc_->GetTimeline(), doc_->GetAudio()};
        for (uint64_t shape = 0; shape < model.GetShapeCount(); ++shape) {
            snapshot.shapes.push_back(model.GetShape(shape));
        }
        return snapshot;
    }

    // Executes, undoes and redoes the command, leaving it done. Execution and redo send
    // doBits (execution then bit 0, as the document becomes modified), undo
    // sends undoBits; undo restores the document exactly and redo brings
    // back what execution made. Returns the state after execution.
    Snapshot RoundTrip(const Command& command, const std::vector<uint32_t>& doBits,
                       const std::vector<uint32_t>& undoBits) {
        view_.Take();
        const Snapshot before = Take();
        EXPECT_TRUE(doc_->Execute(command));
        std::vector<uint32_t> executeBits = doBits;
        executeBits.push_back(ChangeBits::Modified);
        EXPECT_EQ(view_.Take(), executeBits);
        const Snapshot done = Take();
        EXPECT_NE(done, before);

        EXPECT_TRUE(doc_->Undo());
        EXPECT_EQ(view_.Take(), undoBits);
        EXPECT_EQ(Take(), before);

        EXPECT_TRUE(doc_->Redo());
        EXPECT_EQ(view_.Take(), doBits);
        EXPECT_EQ(Take(), done);
        EXPECT_EQ(doc_->GetUndoCount(), 1u);
        return done;
    }

    std::unique_ptr<LumoDocument> doc_ = LumoDocument::New();
    RecordingView view_;
    ViewRegistration registration_;
};

} // namespace vel::lumo::test
