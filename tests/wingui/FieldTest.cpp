#include "wingui/Field.h"

#include "tests/support/ScopedLocale.h"
#include "wingui/NumberText.h"

#include <cstddef>
#include <gtest/gtest.h>
#include <limits>
#include <utility>

namespace vel::wingui {
namespace {

// Each text read into a field that held something else gives the expected value.
template <class T, std::size_t N>
void ExpectReads(const std::pair<const char*, T> (&cases)[N], T before) {
    Field<T> field;
    for (const auto& [text, expected] : cases) {
        field.value = before;
        EXPECT_TRUE(field.FromText(text));
        EXPECT_EQ(field.value, expected) << text;
    }
}

TEST(Field, BoolReadsYesLikeTextsAsTrue) {
    Field<bool> field;
    for (const char* yes : {"true", "T", "yes", "Y", "1", "tx"}) {
        field.value = false;
        EXPECT_TRUE(field.FromText(yes));
        EXPECT_TRUE(field.value) << yes;
    }
    for (const char* no : {"false", "", "no", "0", " true"}) {
        field.value = true;
        EXPECT_TRUE(field.FromText(no));
        EXPECT_FALSE(field.value) << no;
    }
    EXPECT_EQ(Field<bool>(true).ToText(), "true");
    EXPECT_EQ(Field<bool>(false).ToText(), "false");
}

TEST(Field, FloatTakesTheLeadingDecimalNumber) {
    const testing::ScopedLocale plain(QLocale::c());
    const std::pair<const char*, float> cases[] = {
        {"2.5kg", 2.5f}, {"  -1e2", -100.0f}, {"+.25", 0.25f}, {"abc", 0.0f}, {"", 0.0f},
        {"inf", 0.0f},   {"nan", 0.0f},       {"0x10", 0.0f},  {"-", 0.0f},   {"1e99", 0.0f}};
    ExpectReads(cases, 7.0f);
    EXPECT_EQ(Field<float>(0.5f).ToText(), "0.5");
    EXPECT_EQ(Field<float>(1.0f).ToText(), "1");
    EXPECT_EQ(Field<float>(1e6f).ToText(), "1e+06");
    EXPECT_EQ(Field<float>(-0.1f).ToText(), "-0.1");
}

TEST(Field, UnsignedTakesTheLeadingDigitsAndSaturates) {
    const testing::ScopedLocale plain(QLocale::c());
    const std::pair<const char*, unsigned> cases[] = {{"12abc", 12u},
                                                      {"abc", 0u},
                                                      {"-5", 0u},
                                                      {" 42", 42u},
                                                      {"007", 7u},
                                                      {"4294967295", 4294967295u},
                                                      {"99999999999999999999", 4294967295u}};
    ExpectReads(cases, 3u);
    EXPECT_EQ(Field<unsigned int>(4294967295u).ToText(), "4294967295");
}

TEST(Field, NumbersAreReadAndWrittenInTheUsersLocaleAndAPointStillReads) {
    const testing::ScopedLocale german(testing::German());
    const std::pair<const char*, float> cases[] = {
        {"0,75", 0.75f}, {"1,5", 1.5f}, {"1.5", 1.5f}, {"-2,5e1", -25.0f}, {"3,25 kg", 3.25f}};
    ExpectReads(cases, 7.0f);
    EXPECT_EQ(Field<float>(0.75f).ToText(), "0,75");
    // No group separator: the point would read back as the decimal mark.
    EXPECT_EQ(Field<float>(1234.5f).ToText(), "1234,5");
    EXPECT_EQ(Field<unsigned int>(1234567u).ToText(), "1234567");
    // The timeline's tooltip writes its two decimals the same way.
    EXPECT_EQ(NumberText(0.5, 2), "0,50");

    // A locale with digits of its own reads back what it writes.
    const testing::ScopedLocale arabic(QLocale(QLocale::Arabic, QLocale::Egypt));
    const std::string shown = Field<float>(2.5f).ToText();
    EXPECT_NE(shown, "2.5");
    Field<float> field;
    EXPECT_TRUE(field.FromText(shown));
    EXPECT_EQ(field.value, 2.5f);
    Field<unsigned int> count;
    EXPECT_TRUE(count.FromText(Field<unsigned int>(42u).ToText()));
    EXPECT_EQ(count.value, 42u);
}

TEST(Field, StringRoundTrips) {
    Field<std::string> text;
    EXPECT_TRUE(text.FromText("Mouth OOO"));
    EXPECT_EQ(text.ToText(), "Mouth OOO");
}

} // namespace
} // namespace vel::wingui
