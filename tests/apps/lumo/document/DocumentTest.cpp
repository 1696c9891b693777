#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/MacroCommand.h"
#include "apps/lumo/document/View.h"
#include "apps/lumo/document/ViewRegistration.h"
#include "core/File.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace vel::lumo {
namespace {

// Appends a letter to a shared log; fails on request.
class LogCommand : public Command {
public:
    LogCommand(std::string* log, char letter, bool failDo = false, bool failUndo = false)
        : Command(std::string(1, letter)), log_(log), letter_(letter), failDo_(failDo),
          failUndo_(failUndo) {}
    std::unique_ptr<Command> Clone() const override { return std::make_unique<LogCommand>(*this); }
    bool Do() override {
        if (failDo_) {
            return false;
        }
        *log_ += letter_;
        return true;
    }
    bool Undo() override {
        if (failUndo_ || log_->empty() || log_->back() != letter_) {
            return false;
        }
        log_->pop_back();
        return true;
    }

private:
    std::string* log_;
    char letter_;
    bool failDo_;
    bool failUndo_;
};

class RecordingView : public View {
public:
    void OnDocumentChange(Document*, uint32_t changes) override { bits.push_back(changes); }
    std::vector<uint32_t> bits;
};

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() : document(LumoDocument::New()), registration(document->Register(&view)) {}

    std::unique_ptr<LumoDocument> document;
    RecordingView view;
    ViewRegistration registration;
    std::string log;
};

TEST_F(DocumentTest, FailedCommandIsNotRecorded) {
    EXPECT_FALSE(document->Execute(LogCommand(&log, 'a', true)));
    EXPECT_EQ(document->GetUndoCount(), 0u);
    EXPECT_TRUE(view.bits.empty());
    EXPECT_FALSE(document->IsModified());
}

TEST_F(DocumentTest, ExecuteRecordsACopyAndUndoRedoWalkTheHistory) {
    LogCommand a(&log, 'a');
    EXPECT_TRUE(document->Execute(a));
    EXPECT_EQ(view.bits, std::vector<uint32_t>{ChangeBits::Modified});
    EXPECT_TRUE(document->Execute(LogCommand(&log, 'b')));
    EXPECT_EQ(view.bits.size(), 1u);
    EXPECT_EQ(log, "ab");
    EXPECT_TRUE(document->Undo());
    EXPECT_TRUE(document->Undo());
    EXPECT_FALSE(document->Undo());
    EXPECT_EQ(log, "");
    EXPECT_EQ(document->GetRedoCount(), 2u);
    EXPECT_TRUE(document->Redo());
    EXPECT_EQ(log, "a");
    // A new edit after an undo drops what could have been redone.
    EXPECT_TRUE(document->Execute(LogCommand(&log, 'c')));
    EXPECT_EQ(document->GetRedoCount(), 0u);
    EXPECT_FALSE(document->Redo());
    EXPECT_EQ(log, "ac");
}

TEST_F(DocumentTest, FailingUndoStaysOnItsStack) {
    EXPECT_TRUE(document->Execute(LogCommand(&log, 'a', false, true)));
    EXPECT_FALSE(document->Undo());
    EXPECT_EQ(document->GetUndoCount(), 1u);
    EXPECT_EQ(document->GetRedoCount(), 0u);
}

TEST_F(DocumentTest, ModifiedStateFollowsTheSavedDepth) {
    testing::TempFolder folder;
    const std::string path = folder / "a.glw";
    for (char c : std::string("abc")) {
        document->Execute(LogCommand(&log, c));
    }
    EXPECT_TRUE(document->IsModified());
    ASSERT_TRUE(document->Save(path));
    EXPECT_FALSE(document->IsModified());
    EXPECT_EQ(document->GetPath(), path);
    document->Undo();
    EXPECT_TRUE(document->IsModified());
    document->Redo();
    EXPECT_FALSE(document->IsModified());
    // Undoing below the saved depth and executing anew cannot get back to
    // the saved state by redo.
    document->Undo();
    view.bits.clear();
    document->Execute(LogCommand(&log, 'd'));
    EXPECT_TRUE(document->IsModified());
    EXPECT_TRUE(view.bits.empty());
    document->Undo();
    document->Execute(LogCommand(&log, 'e'));
    EXPECT_TRUE(document->IsModified());
}

TEST_F(DocumentTest, LoadingLeavesTheDocumentUnmodified) {
    testing::TempFolder folder;
    document->GetModel().InsertNewShape(0);
    ASSERT_TRUE(document->Save(folder / "a.glw"));
    core::FileError error(99, 99);
    auto loaded = LumoDocument::Open(folder / "a.glw", error);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(error.Code(), 0u);
    EXPECT_FALSE(loaded->IsModified());
    EXPECT_EQ(loaded->GetModel().GetShapeCount(), 1u);
    EXPECT_EQ(loaded->GetPath(), folder / "a.glw");

    EXPECT_FALSE(LumoDocument::Open(folder / "missing.glw", error));
    EXPECT_EQ(error.Code(), core::File::NotFound);
}

TEST_F(DocumentTest, ViewsAreNotifiedInOrderEvenWhenOneLeaves) {
    struct Leaving : View {
        void OnDocumentChange(Document*, uint32_t) override {
            registration = ViewRegistration();
            ++calls;
        }
        int calls = 0;
        ViewRegistration registration;
    } leaving;
    RecordingView last;
    leaving.registration = document->Register(&leaving);
    ViewRegistration first = document->Register(&last);
    ViewRegistration second = document->Register(&last);
    document->Notify(ChangeBits::Model);
    EXPECT_EQ(leaving.calls, 1);
    EXPECT_EQ(view.bits, std::vector<uint32_t>{ChangeBits::Model});
    EXPECT_EQ(last.bits, (std::vector<uint32_t>{ChangeBits::Model, ChangeBits::Model}));
    second = ViewRegistration();
    document->Notify(ChangeBits::Timeline);
    EXPECT_EQ(leaving.calls, 1);
    EXPECT_EQ(last.bits.size(), 3u);
}

TEST_F(DocumentTest, AViewThatEndsALaterOneInTheRoundIsTheLastToHearIt) {
    RecordingView later;
    ViewRegistration laterRegistration;
    struct Ending : View {
        void OnDocumentChange(Document*, uint32_t) override { *target = ViewRegistration(); }
        ViewRegistration* target = nullptr;
    } ending;
    ending.target = &laterRegistration;
    ViewRegistration endingRegistration = document->Register(&ending);
    laterRegistration = document->Register(&later);
    document->Notify(ChangeBits::Model);
    EXPECT_TRUE(later.bits.empty());
}

TEST_F(DocumentTest, ARegistrationOutlivingItsDocumentForgetsIt) {
    RecordingView orphan;
    ViewRegistration kept = document->Register(&orphan);
    document.reset();
    EXPECT_EQ(kept.GetDocument(), nullptr);
    kept = ViewRegistration();
}

TEST_F(DocumentTest, RegistrationsFollowTheirViewsAcrossDocumentSwaps) {
    RecordingView a, b, c;
    std::vector<ViewRegistration> panes;
    for (RecordingView* pane : {&a, &b, &c}) {
        panes.push_back(document->Register(pane));
    }
    auto replacement = LumoDocument::New();
    for (ViewRegistration& pane : panes) {
        pane = replacement->Register(pane.GetView());
    }
    document->Notify(ChangeBits::Audio);
    EXPECT_TRUE(a.bits.empty() && b.bits.empty() && c.bits.empty());
    replacement->Notify(ChangeBits::Model);
    for (RecordingView* pane : {&a, &b, &c}) {
        EXPECT_EQ(pane->bits, std::vector<uint32_t>{ChangeBits::Model});
    }
    panes.erase(panes.begin());
    replacement->Notify(ChangeBits::Timeline);
    EXPECT_EQ(a.bits.size(), 1u);
    EXPECT_EQ(c.bits.size(), 2u);
}

TEST_F(DocumentTest, MacroIsAllOrNothing) {
    MacroCommand failing("failing");
    failing.Append(std::make_unique<LogCommand>(&log, 'a'));
    failing.Append(std::make_unique<LogCommand>(&log, 'b', true));
    failing.Append(std::make_unique<LogCommand>(&log, 'c'));
    EXPECT_FALSE(document->Execute(failing));
    EXPECT_EQ(log, "");
    EXPECT_EQ(document->GetUndoCount(), 0u);

    EXPECT_TRUE(document->Execute(MacroCommand("empty")));
    MacroCommand macro("ab");
    macro.Append(std::make_unique<LogCommand>(&log, 'a'));
    macro.Append(std::make_unique<LogCommand>(&log, 'b'));
    EXPECT_TRUE(document->Execute(macro));
    EXPECT_EQ(log, "ab");
    EXPECT_TRUE(document->Undo());
    EXPECT_EQ(log, "");
    EXPECT_TRUE(document->Redo());
    EXPECT_EQ(log, "ab");

    // An undo that fails half way puts back what it had already undone.
    MacroCommand stuck("stuck");
    stuck.Append(std::make_unique<LogCommand>(&log, 'x', false, true));
    stuck.Append(std::make_unique<LogCommand>(&log, 'y'));
    EXPECT_TRUE(document->Execute(stuck));
    EXPECT_FALSE(document->Undo());
    EXPECT_EQ(log, "abxy");
}

TEST_F(DocumentTest, CopyHasThePumpkinButNoHistoryOrViews) {
    testing::TempFolder folder;
    document->GetModel().InsertNewShape(0);
    document->GetTimeline().SetAnchor(KnobKey("canhue"), 90, 3.0f);
    AudioClip clip = AudioClip{AudioHeader::Make(8000, SampleFormat::U8, 1), {1, 2, 3}};
    document->SetAudio(clip);
    document->Execute(LogCommand(&log, 'a'));
    ASSERT_TRUE(document->Save(folder / "a.glw"));
    document->Execute(LogCommand(&log, 'b'));
    view.bits.clear();

    LumoDocument copy(*document);
    EXPECT_EQ(copy.GetUndoCount(), 0u);
    EXPECT_FALSE(copy.IsModified());
    EXPECT_EQ(copy.GetPath(), "");
    copy.Notify(ChangeBits::Model);
    EXPECT_TRUE(view.bits.empty());
    EXPECT_EQ(copy.GetModel().GetShape(0), document->GetModel().GetShape(0));
    EXPECT_EQ(copy.GetTimeline(), document->GetTimeline());
    EXPECT_EQ(copy.GetAudio(), document->GetAudio());
    copy.GetModel().DeleteShape(0);
    EXPECT_EQ(document->GetModel().GetShapeCount(), 1u);
}

TEST_F(DocumentTest, FrameCountFollowsAudioAndAnchors) {
    EXPECT_EQ(document->GetFrameCount(), 1u);
    AudioClip second{AudioHeader::Make(44100, SampleFormat::S16, 1),
                     std::vector<uint8_t>(44100 * 2)};
    document->SetAudio(second);
    EXPECT_EQ(document->GetFrameCount(), 31u);
    document->GetTimeline().SetAnchor(KnobKey("canhue"), 500, 1.0f);
    EXPECT_EQ(document->GetFrameCount(), 500u);
    // A silly clip saturates instead of wrapping around.
    AudioClip huge{AudioHeader::Make(1, SampleFormat::U8, 1), std::vector<uint8_t>(5000000)};
    document->SetAudio(huge);
    EXPECT_EQ(document->GetFrameCount(), 149850001u);
    document->GetTimeline().SetFrameRate(0xFFFFFFFF);
    EXPECT_EQ(document->GetFrameCount(), 0xFFFFFFFFu);
}

TEST_F(DocumentTest, EvaluatesFramesFromTheTimeline) {
    document->GetModel().InsertNewShape(0);
    document->GetModel().InsertPose(0, 0, KnobKey(), {{0, 0}, {1, 0}, {0, 1}});
    const auto shapes = document->EvaluateFrame(0);
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_EQ(shapes[0].outline.size(), 3u);
    EXPECT_EQ(document->GetPoint(0, 0, 1), (Point{1, 0}));
    EXPECT_EQ(document->GetPoint(0, 0, 3), (Point{0, 0}));
    EXPECT_EQ(document->GetKnobValues(0).count(KnobKey("canhue")), 1u);
}

} // namespace
} // namespace vel::lumo
