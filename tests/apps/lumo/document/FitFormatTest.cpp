#include "apps/lumo/model/StandardKnobs.h"
#include "tests/apps/lumo/document/FormatTestSupport.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace vel::lumo {
namespace {

using namespace testing;

// A document with one shape, an anchor and a fitted face: pinned corners
// and a bent grid.
std::unique_ptr<LumoDocument> FittedDocument() {
    auto document = LumoDocument::New();
    Model& model = document->GetModel();
    model.InsertNewShape(0);
    model.InsertPose(0, 0, KnobKey(), {{0, 0}, {0.5f, 0}, {0, 0.5f}});
    document->GetTimeline().SetAnchor(CandleHueKey, 40, 120.0f);
    PumpkinFit fit;
    EXPECT_TRUE(fit.SetCorner(0, {0.1f, 0.05f}));
    EXPECT_TRUE(fit.SetCorner(2, {0.85f, 0.95f}));
    fit.SetGridOn(true);
    EXPECT_TRUE(fit.SetGridOffset(4, {0.02f, -0.01f}));
    document->SetFit(fit);
    return document;
}

std::size_t FitAt(const Bytes& bytes) {
    return ChunkAt(bytes, "PFIT");
}

TEST(FitFormat, TheFitRoundTripsInAChunkOfItsOwnAfterTheRest) {
    const auto original = FittedDocument();
    const Bytes saved = SaveToMemory(*original);
    EXPECT_EQ(Outline(saved), "(~~)[LMOD[KNB2 KNB2 KNB2 SHAP[shap POSE[pose PT2F]]] "
                              "TMLN[tmln TRAK[trak ANCH] TRAK[trak ANCH] TRAK[trak ANCH]] PFIT]");
    uint32_t length = 0;
    std::memcpy(&length, saved.data() + FitAt(saved) + 4, sizeof length);
    EXPECT_EQ(length, record::Fit);
    const auto loaded = LoadFromMemory(saved);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetFit(), original->GetFit());
    EXPECT_EQ(SaveToMemory(*loaded), saved);

    // The grid's bends are kept while it is off.
    PumpkinFit off = original->GetFit();
    off.SetGridOn(false);
    original->SetFit(off);
    const auto reloaded = LoadFromMemory(SaveToMemory(*original));
    ASSERT_TRUE(reloaded);
    EXPECT_EQ(reloaded->GetFit(), off);
}

TEST(FitFormat, ADocumentThatWasNeverFittedWritesNoFitAndLoadsUnfitted) {
    const auto document = FittedDocument();
    document->SetFit(PumpkinFit{});
    const Bytes saved = SaveToMemory(*document);
    EXPECT_EQ(FitAt(saved), std::string::npos);
    const auto loaded = LoadFromMemory(saved);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded->GetFit().IsIdentity());
    EXPECT_EQ(SaveToMemory(*loaded), saved);
}

TEST(FitFormat, ALongerFitChunkHasItsTailReadPast) {
    Bytes saved = SaveToMemory(*FittedDocument());
    saved.insert(saved.end(), {7, 7, 7, 7});
    Put<uint32_t>(saved, 32, static_cast<uint32_t>(saved.size() - 36));
    Put<uint32_t>(saved, FitAt(saved) + 4, record::Fit + 4);
    const auto loaded = LoadFromMemory(saved);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetFit(), FittedDocument()->GetFit());
}

// A damaged fit is left out with a note on standard error; the rest of the
// document loads.
class DamagedFit : public ::testing::Test {
protected:
    void ExpectLeftOut(const Bytes& bytes, const std::string& what, const std::string& why) {
        const auto [loaded, note] = LoadDamaged(bytes, *intact_, what);
        ASSERT_TRUE(loaded) << what;
        EXPECT_TRUE(loaded->GetFit().IsIdentity()) << what;
        EXPECT_EQ(note, "lumo: the fit to the pumpkin " + why +
                            "; it was left out and the face shows unfitted\n")
            << what;
        // What loads saves as a document that was never fitted.
        EXPECT_EQ(FitAt(SaveToMemory(*loaded)), std::string::npos) << what;
    }

    std::unique_ptr<LumoDocument> intact_ = FittedDocument();
    Bytes saved_ = SaveToMemory(*intact_);
    // The first corner's x, and the last grid offset's y.
    std::size_t firstValue_ = FitAt(saved_) + 8 + 4;
    std::size_t lastValue_ = FitAt(saved_) + 8 + record::Fit - 4;
};

TEST_F(DamagedFit, AShortChunk) {
    Bytes bytes = saved_;
    bytes.resize(bytes.size() - 4);
    Put<uint32_t>(bytes, 32, static_cast<uint32_t>(bytes.size() - 36));
    Put<uint32_t>(bytes, FitAt(bytes) + 4, record::Fit - 4);
    ExpectLeftOut(bytes, "short", "is cut short");
    Bytes empty = saved_;
    empty.resize(FitAt(empty) + 8);
    Put<uint32_t>(empty, 32, static_cast<uint32_t>(empty.size() - 36));
    Put<uint32_t>(empty, FitAt(empty) + 4, 0);
    ExpectLeftOut(empty, "empty", "is cut short");
}

TEST_F(DamagedFit, CoordinatesThatAreNoNumbersOrFarTooLarge) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    for (float bad : {nan, infinity, -infinity, 1e30f, -2e6f}) {
        for (std::size_t at : {firstValue_, lastValue_}) {
            Bytes bytes = saved_;
            Put(bytes, at, bad);
            ExpectLeftOut(bytes, std::to_string(bad) + " at " + std::to_string(at),
                          "holds a coordinate that is no number or far too large");
        }
    }
}

} // namespace
} // namespace vel::lumo
