#include "apps/lumo/document/ExpressionKeyEdits.h"

#include "tests/support/CommandFixture.h"

namespace vel::lumo::test {
namespace {

// Choosing the keys' knobs is one step named "Expression Keys": undo gives
// back the defaults the document had, redo the choice, and the views hear
// the model bit each time; the pumpkin itself stays as it was.
class ExpressionKeyEditsTest : public CommandTest {};

TEST_F(ExpressionKeyEditsTest, AChoiceIsOneNamedStepThatUndoesToTheDefaults) {
    const Snapshot pumpkin = Take();
    const ExpressionKeys defaults = doc_->GetExpressionKeys();
    EXPECT_EQ(defaults[5], Blink);
    ExpressionKeys chosen = defaults;
    chosen[0] = Mouth;
    chosen[5] = std::nullopt;

    EXPECT_TRUE(SetExpressionKeys(*doc_, chosen));
    EXPECT_EQ(doc_->GetUndoCount(), 1U);
    EXPECT_EQ(doc_->GetUndoName(), "Expression Keys");
    EXPECT_EQ(doc_->GetExpressionKeys(), chosen);
    EXPECT_EQ(view_.Take(), (std::vector<uint32_t>{ChangeBits::Model, ChangeBits::Modified}));

    EXPECT_TRUE(doc_->Undo());
    EXPECT_FALSE(doc_->GetOwnExpressionKeys());
    EXPECT_EQ(doc_->GetExpressionKeys(), defaults);
    EXPECT_TRUE(doc_->Redo());
    EXPECT_EQ(doc_->GetOwnExpressionKeys(), chosen);
    EXPECT_EQ(Take(), pumpkin);
}

TEST_F(ExpressionKeyEditsTest, KeysThatHoldTheChoiceAlreadyAreNoStep) {
    view_.Take();
    EXPECT_FALSE(SetExpressionKeys(*doc_, doc_->GetExpressionKeys()));
    EXPECT_EQ(doc_->GetUndoCount(), 0U);
    EXPECT_TRUE(view_.Take().empty());
}

} // namespace
} // namespace vel::lumo::test
