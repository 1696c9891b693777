#include "apps/lumo/model/StandardKnobs.h"
#include "tests/apps/lumo/document/FormatTestSupport.h"

#include <gtest/gtest.h>
#include <string>

namespace vel::lumo {
namespace {

using namespace testing;

const KnobKey LeftWink{"eyelwink"};
const KnobKey Round{"mOOO"};

// A document with every standard knob, one shape and its own choice of keys.
std::unique_ptr<LumoDocument> DocumentWithKeys() {
    auto document = LumoDocument::New();
    Model& model = document->GetModel();
    for (const Knob& knob : StandardKnobs()) {
        model.AddKnob(knob);
    }
    document->SynchroniseTimeline();
    model.InsertNewShape(0);
    model.InsertPose(0, 0, KnobKey(), {{0, 0}, {0.5f, 0}, {0, 0.5f}});
    ExpressionKeys keys;
    keys[0] = Round;
    keys[8] = LeftWink;
    document->SetExpressionKeys(keys);
    return document;
}

std::size_t KeysAt(const Bytes& bytes) {
    return ChunkAt(bytes, "XKEY");
}

TEST(ExpressionKeysFormat, TheChoiceRoundTripsEmptyKeysIncluded) {
    const auto original = DocumentWithKeys();
    const Bytes saved = SaveToMemory(*original);
    ASSERT_NE(KeysAt(saved), std::string::npos);
    uint32_t length = 0;
    std::memcpy(&length, saved.data() + KeysAt(saved) + 4, sizeof length);
    EXPECT_EQ(length, record::ExpressionKeys);
    const auto loaded = LoadFromMemory(saved);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetOwnExpressionKeys(), original->GetOwnExpressionKeys());
    EXPECT_FALSE(loaded->GetExpressionKeys()[1]);
    EXPECT_EQ(SaveToMemory(*loaded), saved);

    // A copy keeps the choice.
    const LumoDocument copy(*original);
    EXPECT_EQ(copy.GetOwnExpressionKeys(), original->GetOwnExpressionKeys());
}

// A document that never chose writes what older versions wrote, and one
// that did differs only by the chunk at the end, which older readers skip as
// they skip any chunk they do not know.
TEST(ExpressionKeysFormat, OlderReadersSeeTheRestOfTheFileUnchanged) {
    const auto document = DocumentWithKeys();
    const Bytes withKeys = SaveToMemory(*document);
    document->SetExpressionKeys(std::nullopt);
    const Bytes without = SaveToMemory(*document);
    EXPECT_EQ(KeysAt(without), std::string::npos);
    EXPECT_EQ(Bytes(withKeys.begin() + 36, withKeys.begin() + KeysAt(withKeys)),
              Bytes(without.begin() + 36, without.end()));

    Bytes unknown = withKeys;
    std::memcpy(unknown.data() + KeysAt(unknown), "XKEZ", 4);
    const auto older = LoadFromMemory(unknown);
    ASSERT_TRUE(older);
    EXPECT_FALSE(older->GetOwnExpressionKeys());
    EXPECT_EQ(SaveToMemory(*older), without);
}

TEST(ExpressionKeysFormat, WithoutAChoiceTheKeysHoldTheStandardKnobsTheDocumentHas) {
    auto document = LumoDocument::New();
    // A new document has the candle knobs alone: only the dimmed candle.
    ExpressionKeys keys = document->GetExpressionKeys();
    EXPECT_EQ(keys[7], CandleLightnessKey);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), std::nullopt), 8);

    document->GetModel().AddKnob(StandardKnobs()[5]);
    document->SynchroniseTimeline();
    keys = document->GetExpressionKeys();
    EXPECT_EQ(keys[0], LeftWink);
    EXPECT_FALSE(keys[1]);
}

TEST(ExpressionKeysFormat, AFarValueIsTheEndFarthestFromTheTypicalOne) {
    const std::vector<Knob>& standard = StandardKnobs();
    const auto knob = [&](const KnobKey& key) {
        return *std::find_if(standard.begin(), standard.end(),
                             [&](const Knob& k) { return k.key == key; });
    };
    EXPECT_EQ(FarValue(knob(LeftWink)), 1.0f);          // closed, the min end
    EXPECT_EQ(FarValue(knob(Round)), 1.0f);             // round, the max end
    EXPECT_EQ(FarValue(knob(KnobKey("eyepan"))), 1.0f); // both as far: the max end
    EXPECT_EQ(FarValue(knob(CandleLightnessKey)), 0.0f);
}

// A damaged choice is left out with a note on standard error; the keys hold
// the defaults and the rest of the document loads.
TEST(ExpressionKeysFormat, ADamagedChoiceCostsTheChoiceAlone) {
    const auto intact = DocumentWithKeys();
    const Bytes saved = SaveToMemory(*intact);
    const std::size_t at = KeysAt(saved);

    Bytes cut = saved;
    cut.resize(at + 8 + 40);
    Put<uint32_t>(cut, 32, static_cast<uint32_t>(cut.size() - 36));
    Put<uint32_t>(cut, at + 4, 40);
    const auto [loaded, note] = LoadDamaged(cut, *intact, "cut short");
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(loaded->GetOwnExpressionKeys());
    EXPECT_EQ(note, "lumo: the knobs of the expression keys are cut short; the keys hold the "
                    "usual ones\n");

    // Bytes after the ninth key are for later versions and cost nothing.
    Bytes longer = saved;
    longer.insert(longer.end(), {0, 0, 0, 0});
    Put<uint32_t>(longer, 32, static_cast<uint32_t>(longer.size() - 36));
    Put<uint32_t>(longer, at + 4, static_cast<uint32_t>(record::ExpressionKeys + 4));
    const auto [later, quiet] = LoadDamaged(longer, *intact, "longer");
    ASSERT_TRUE(later);
    EXPECT_EQ(later->GetOwnExpressionKeys(), intact->GetOwnExpressionKeys());
    EXPECT_EQ(quiet, "");
}

} // namespace
} // namespace vel::lumo
