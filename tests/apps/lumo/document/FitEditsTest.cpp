#include "apps/lumo/document/FitEdits.h"

#include "tests/support/CommandFixture.h"

#include <functional>
#include <limits>
#include <string>

namespace vel::lumo::test {
namespace {

constexpr uint32_t Fit = ChangeBits::Fit;
constexpr std::size_t GridCentre = PumpkinFit::CornerCount + 4;

// Each edit of the fit is one step with the user's name for it: undo puts
// the fit back exactly, redo brings the edited one back, and the views hear
// the fit bit each time. The rest of the document stays as it was.
class FitEditsTest : public CommandTest {
protected:
    PumpkinFit OneStep(const std::function<bool()>& edit, const std::string& name) {
        view_.Take();
        const Snapshot pumpkin = Take();
        const PumpkinFit before = doc_->GetFit();
        const std::size_t steps = doc_->GetUndoCount();
        EXPECT_TRUE(edit()) << name;
        EXPECT_EQ(doc_->GetUndoCount(), steps + 1) << name;
        EXPECT_EQ(doc_->GetUndoName(), name);
        const std::vector<uint32_t> modified =
            steps == 0 ? std::vector<uint32_t>{Fit, ChangeBits::Modified}
                       : std::vector<uint32_t>{Fit};
        EXPECT_EQ(view_.Take(), modified) << name;
        const PumpkinFit done = doc_->GetFit();
        EXPECT_NE(done, before) << name;

        EXPECT_TRUE(doc_->Undo());
        EXPECT_EQ(doc_->GetFit(), before) << name;
        EXPECT_EQ(doc_->GetRedoName(), name);
        EXPECT_EQ(view_.Take(), std::vector<uint32_t>{Fit}) << name;
        EXPECT_TRUE(doc_->Redo());
        EXPECT_EQ(doc_->GetFit(), done) << name;
        EXPECT_EQ(view_.Take(), std::vector<uint32_t>{Fit}) << name;
        EXPECT_EQ(Take(), pumpkin) << name;
        return done;
    }

    // A refused edit records nothing and tells no view.
    void Refused(const std::function<bool()>& edit, const std::string& what) {
        view_.Take();
        const PumpkinFit before = doc_->GetFit();
        const std::size_t steps = doc_->GetUndoCount();
        EXPECT_FALSE(edit()) << what;
        EXPECT_EQ(doc_->GetUndoCount(), steps) << what;
        EXPECT_EQ(doc_->GetFit(), before) << what;
        EXPECT_TRUE(view_.Take().empty()) << what;
    }
};

TEST_F(FitEditsTest, MovingAHandleIsOneNamedStep) {
    const PumpkinFit moved = OneStep(
        [&] {
            return MoveFitHandle(*doc_, 1, {0.9f, 0.1f});
        },
        "Move Fit Handle");
    EXPECT_EQ(moved.GetCorners()[1], (FitPoint{0.9f, 0.1f}));
    EXPECT_TRUE(doc_->IsModified());

    OneStep([&] { return SetFitGrid(*doc_, true); }, "Fit Grid");
    const PumpkinFit bent = OneStep(
        [&] {
            return MoveFitHandle(*doc_, GridCentre, {0.55f, 0.45f});
        },
        "Move Fit Handle");
    EXPECT_TRUE(bent.IsBent());
    EXPECT_NEAR(bent.GetHandle(GridCentre)->x, 0.55f, 1e-5f);
    EXPECT_NEAR(bent.GetHandle(GridCentre)->y, 0.45f, 1e-5f);
}

TEST_F(FitEditsTest, SwitchingTheGridAndResettingAreNamedSteps) {
    OneStep([&] { return SetFitGrid(*doc_, true); }, "Fit Grid");
    EXPECT_TRUE(doc_->GetFit().IsGridOn());
    ASSERT_TRUE(MoveFitHandle(*doc_, 3, {0.1f, 0.8f}));
    const PumpkinFit reset = OneStep([&] { return ResetFit(*doc_); }, "Reset Fit");
    EXPECT_TRUE(reset.IsIdentity());
    EXPECT_TRUE(reset.IsGridOn());
    OneStep([&] { return SetFitGrid(*doc_, false); }, "Fit Grid");
    EXPECT_EQ(doc_->GetFit(), PumpkinFit{});
}

TEST_F(FitEditsTest, EditsThatChangeNothingOrThatTheFitRefusesAreNoSteps) {
    Refused([&] { return ResetFit(*doc_); }, "reset of an unfitted face");
    Refused([&] { return SetFitGrid(*doc_, false); }, "grid already off");
    Refused([&] { return MoveFitHandle(*doc_, 0, {0, 0}); }, "corner where it is");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Refused([&] { return MoveFitHandle(*doc_, 2, {nan, 0.5f}); }, "no number");
    Refused([&] { return MoveFitHandle(*doc_, 2, {1e30f, 0.5f}); }, "far too far");
    Refused(
        [&] {
            return MoveFitHandle(*doc_, PumpkinFit::HandleCount, {0.5f, 0.5f});
        },
        "no such handle");
    EXPECT_FALSE(doc_->IsModified());
}

TEST_F(FitEditsTest, ACopyOfTheDocumentCarriesTheFit) {
    ASSERT_TRUE(MoveFitHandle(*doc_, 0, {0.2f, 0.1f}));
    const LumoDocument copy(*doc_);
    EXPECT_EQ(copy.GetFit(), doc_->GetFit());
}

} // namespace
} // namespace vel::lumo::test
