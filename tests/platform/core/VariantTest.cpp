// TVariant: conversions between the variant types, their error messages and comparison.
#include <gtest/gtest.h>

#include "platform/core/DateUtils.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Variant.h"

namespace zk {
namespace {

std::string ConversionError(const std::function<void()>& Fn) {
    try {
        Fn();
    } catch (const EVariantError& E) {
        return E.Message();
    }
    return "no exception";
}

struct TToString {
    TVariant Value;
    const char* Text;
};
class VariantToString : public ::testing::TestWithParam<TToString> {};
TEST_P(VariantToString, GivesTheFrameworksText) { EXPECT_EQ(GetParam().Text, GetParam().Value.AsString()); }
INSTANTIATE_TEST_SUITE_P(Table, VariantToString,
                         ::testing::Values(TToString{TVariant(), ""}, TToString{TVariant(true), "True"},
                                           TToString{TVariant(false), "False"}, TToString{TVariant(-12), "-12"},
                                           TToString{TVariant(int64_t(1) << 40), "1099511627776"},
                                           TToString{TVariant(0.1), "0.1"}, TToString{TVariant(1e20), "1E20"},
                                           TToString{TVariant::FromDate(EncodeDate(2024, 3, 5)), "03/05/2024 12:00:00 AM"},
                                           TToString{TVariant(u"wide"), "wide"}));

TEST(VariantConversion, FromStrings) {
    EXPECT_EQ(42, TVariant(" 42").AsInteger());
    EXPECT_EQ(3, TVariant("2.5e0").AsInteger() + 1);  // 2.5 rounds to even
    EXPECT_EQ(-3, TVariant("-3").AsInt64());
    EXPECT_DOUBLE_EQ(1.25, TVariant("1.25").AsDouble());
    EXPECT_TRUE(TVariant("true").AsBoolean());
    EXPECT_FALSE(TVariant("FALSE").AsBoolean());
    EXPECT_TRUE(TVariant("5").AsBoolean());
    EXPECT_FALSE(TVariant("0").AsBoolean());
    EXPECT_DOUBLE_EQ(EncodeDate(2024, 3, 5), TVariant("03/05/2024").AsDate());
}

TEST(VariantConversion, FromNumbersAndBooleans) {
    EXPECT_EQ(-1, TVariant(true).AsInteger());
    EXPECT_EQ(0, TVariant(false).AsInteger());
    EXPECT_EQ(2, TVariant(2.5).AsInteger());
    EXPECT_EQ(4, TVariant(3.5).AsInteger());
    EXPECT_EQ(-2, TVariant(-2.5).AsInteger());
    EXPECT_EQ(0, TVariant().AsInteger());
    EXPECT_TRUE(TVariant(2).AsBoolean());
    EXPECT_EQ(u"7", TVariant(7).AsWideString());
}

TEST(VariantConversion, FailuresNameBothTypes) {
    EXPECT_EQ("Could not convert variant of type (String) into type (Integer)",
              ConversionError([] { TVariant("x1").AsInteger(); }));
    EXPECT_EQ("Could not convert variant of type (String) into type (Boolean)",
              ConversionError([] { TVariant("maybe").AsBoolean(); }));
    EXPECT_EQ("Could not convert variant of type (OleStr) into type (Double)",
              ConversionError([] { TVariant(u"x").AsDouble(); }));
    EXPECT_EQ("Could not convert variant of type (Null) into type (Integer)",
              ConversionError([] { TVariant::Null().AsInteger(); }));
    EXPECT_EQ("Could not convert variant of type (Null) into type (String)",
              ConversionError([] { TVariant::Null().AsString(); }));
    EXPECT_EQ("Could not convert variant of type (String) into type (Date)",
              ConversionError([] { TVariant("13/45/2024").AsDate(); }));
    EXPECT_EQ("Overflow while converting variant of type (Int64) into type (Integer)",
              ConversionError([] { TVariant(int64_t(1) << 40).AsInteger(); }));
    EXPECT_EQ("Overflow while converting variant of type (Double) into type (Int64)",
              ConversionError([] { TVariant(1e30).AsInt64(); }));
    EXPECT_EQ("", VarToStr(TVariant::Null()));
}

TEST(VariantComparison, ComparesByValueAcrossTypes) {
    EXPECT_EQ(TVariant(1), TVariant(int64_t(1)));
    EXPECT_EQ(TVariant(1), TVariant(1.0));
    EXPECT_EQ(TVariant("1"), TVariant(1));
    EXPECT_NE(TVariant("a"), TVariant(1));
    EXPECT_EQ(TVariant("True"), TVariant(true));
    EXPECT_NE(TVariant("abc"), TVariant("ABC"));
    EXPECT_EQ(TVariant("abc"), TVariant(u"abc"));
    EXPECT_NE(TVariant(), TVariant(0));
    EXPECT_NE(TVariant(), TVariant(""));
    EXPECT_EQ(TVariant(), TVariant());
    EXPECT_EQ(TVariant::Null(), TVariant::Null());
    EXPECT_NE(TVariant::Null(), TVariant());
    EXPECT_NE(TVariant(true), TVariant(false));
}

TEST(WideStrings, Utf8RoundTripsIncludingSurrogates) {
    std::string S = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // a, e-acute, euro, emoji
    std::u16string W = Utf8ToUtf16(S);
    EXPECT_EQ(5u, W.size());
    EXPECT_EQ(S, Utf16ToUtf8(W));
    EXPECT_EQ(u"\xFFFD", Utf8ToUtf16("\xC3"));  // truncated sequence
}

}  // namespace
}  // namespace zk
