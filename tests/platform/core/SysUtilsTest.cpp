// Tests for Format, the number and text conversions and the exceptions of SysUtils.
#include <gtest/gtest.h>

#include "TestUtil.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/SysUtils.h"

namespace zk {
namespace {

// Format takes an initializer list, so table rows with their own argument lists go
// through this adapter.
std::string FormatArgs(const std::string& Fmt, const std::vector<TVarRec>& A) {
    switch (A.size()) {
        case 0:
            return Format(Fmt, {});
        case 1:
            return Format(Fmt, {A[0]});
        case 2:
            return Format(Fmt, {A[0], A[1]});
        case 3:
            return Format(Fmt, {A[0], A[1], A[2]});
        default:
            return Format(Fmt, {A[0], A[1], A[2], A[3]});
    }
}

// ---------------------------------------------------------------- Format

struct FormatCase {
    std::string Fmt;
    std::vector<TVarRec> Args;
    std::string Expected;
};
void PrintTo(const FormatCase& C, std::ostream* OS) {
    *OS << '"' << C.Fmt << '"';
}

class FormatTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTable, ProducesExpectedText) {
    const FormatCase& C = GetParam();
    EXPECT_EQ(FormatArgs(C.Fmt, C.Args), C.Expected);
}

const double Inf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Integers, FormatTable,
    ::testing::Values(FormatCase{"%d", {42}, "42"}, FormatCase{"%d", {-42}, "-42"},
                      FormatCase{"[%5d]", {42}, "[   42]"}, FormatCase{"[%-5d]", {42}, "[42   ]"},
                      FormatCase{"%.5d", {-12}, "-00012"}, FormatCase{"%.1d", {123}, "123"},
                      FormatCase{"[%6.3d]", {7}, "[   007]"},
                      FormatCase{"%d", {INT64_MIN}, "-9223372036854775808"},
                      FormatCase{"%u", {7u}, "7"}, FormatCase{"%u", {4000000000u}, "4000000000"},
                      FormatCase{"%x", {255}, "FF"}, FormatCase{"%.4x", {255}, "00FF"},
                      FormatCase{"%X", {0xABCDEF}, "ABCDEF"}, FormatCase{"%D", {5}, "5"},
                      FormatCase{"%d items", {3L}, "3 items"}));

INSTANTIATE_TEST_SUITE_P(
    Strings, FormatTable,
    ::testing::Values(FormatCase{"%s", {"abc"}, "abc"}, FormatCase{"%.2s", {"abc"}, "ab"},
                      FormatCase{"[%5s]", {"ab"}, "[   ab]"},
                      FormatCase{"[%-5s]", {"ab"}, "[ab   ]"},
                      FormatCase{"[%1s]", {"abc"}, "[abc]"}, FormatCase{"%s", {'c'}, "c"},
                      FormatCase{"%s", {std::string("std")}, "std"}, FormatCase{"'%s'", {""}, "''"},
                      FormatCase{"plain text", {}, "plain text"}, FormatCase{"100%%", {}, "100%"},
                      FormatCase{"%d%%", {50}, "50%"}));

INSTANTIATE_TEST_SUITE_P(
    Floats, FormatTable,
    ::testing::Values(
        FormatCase{"%f", {3.14159}, "3.14"}, FormatCase{"%.3f", {2.0}, "2.000"},
        FormatCase{"%.0f", {2.5}, "3"}, FormatCase{"%f", {7}, "7.00"},
        FormatCase{"%.2f", {1.005}, "1.01"}, FormatCase{"%.2f", {-0.001}, "0.00"},
        FormatCase{"%.2f", {-1.5}, "-1.50"}, FormatCase{"%.2f", {0.006}, "0.01"},
        FormatCase{"%.1f", {9.96}, "10.0"}, FormatCase{"[%8.2f]", {3.14159}, "[    3.14]"},
        FormatCase{"%g", {0.1}, "0.1"}, FormatCase{"%g", {1e20}, "1E20"},
        FormatCase{"%g", {0.00001}, "1E-5"}, FormatCase{"%g", {0.0001}, "0.0001"},
        FormatCase{"%.3g", {1234.5}, "1.23E3"}, FormatCase{"%.3g", {123.0}, "123"},
        FormatCase{"%g", {100}, "100"}, FormatCase{"%g", {-2.5}, "-2.5"},
        FormatCase{"%e", {1.0}, "1.00000000000000E+000"},
        FormatCase{"%.3e", {12345.0}, "1.23E+004"},
        FormatCase{"%e", {-1.5e-300}, "-1.50000000000000E-300"},
        FormatCase{"%.4e", {0.0}, "0.000E+000"}, FormatCase{"%.2e", {9.99}, "1.0E+001"},
        FormatCase{"%n", {1234567.891}, "1,234,567.89"}, FormatCase{"%.0n", {999.5}, "1,000"},
        FormatCase{"%n", {0.5}, "0.50"}, FormatCase{"%n", {-123456.0}, "-123,456.00"},
        FormatCase{"%m", {-1234.5}, "-1,234.50"}, FormatCase{"%m", {1000000}, "1,000,000.00"},
        FormatCase{"%f", {Inf}, "INF"}, FormatCase{"%g", {-Inf}, "-INF"},
        FormatCase{"%e", {std::nan("")}, "NAN"}));

INSTANTIATE_TEST_SUITE_P(IndexesAndStars, FormatTable,
                         ::testing::Values(FormatCase{"%1:s %0:s", {"a", "b"}, "b a"},
                                           FormatCase{"%1:s %s", {"a", "b", "c"}, "b c"},
                                           FormatCase{"%0:s-%0:s", {"x"}, "x-x"},
                                           FormatCase{"%s %0:s %s", {"a", "b"}, "a a b"},
                                           FormatCase{"[%*d]", {5, 42}, "[   42]"},
                                           FormatCase{"[%*d]", {-5, 42}, "[42   ]"},
                                           FormatCase{"%.*f", {1, 2.25}, "2.3"},
                                           FormatCase{"[%*.*f]", {6, 1, 2.0}, "[   2.0]"},
                                           FormatCase{"%1:-4d|", {1, 2}, "2   |"}));

TEST(FormatPointer, WritesAllHexDigitsOfTheAddress) {
    const void* P = reinterpret_cast<const void*>(static_cast<uintptr_t>(0x1234ABCD));
    std::string Expected = std::string(sizeof(void*) * 2 - 8, '0') + "1234ABCD";
    EXPECT_EQ(Format("%p", {P}), Expected);
}

class FormatRejects : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatRejects, RaisesConvertErrorNamingTheFormat) {
    const FormatCase& C = GetParam();
    EXPECT_EQ(test::MessageOf<EConvertError>([&] { FormatArgs(C.Fmt, C.Args); }),
              "Format '" + C.Fmt + "' invalid or incompatible with argument");
}

INSTANTIATE_TEST_SUITE_P(
    BadArguments, FormatRejects,
    ::testing::Values(FormatCase{"%d", {1.5}, ""}, FormatCase{"%d", {"12"}, ""},
                      FormatCase{"%x", {2.0}, ""}, FormatCase{"%s", {5}, ""},
                      FormatCase{"%s", {1.0}, ""}, FormatCase{"%f", {"1.5"}, ""},
                      FormatCase{"%p", {5}, ""}, FormatCase{"%d", {}, ""},
                      FormatCase{"%s and %s", {"one"}, ""}, FormatCase{"%3:d", {1}, ""},
                      FormatCase{"%*d", {"x", 1}, ""}, FormatCase{"%*d", {3}, ""}));

INSTANTIATE_TEST_SUITE_P(BadFormats, FormatRejects,
                         ::testing::Values(FormatCase{"100%", {1}, ""}, FormatCase{"%q", {1}, ""},
                                           FormatCase{"%5", {1}, ""}, FormatCase{"%-", {1}, ""},
                                           FormatCase{"%.", {1}, ""}));

TEST(FormatErrors, MessageKeepsPercentSignsOfTheFormat) {
    EXPECT_EQ(test::MessageOf<EConvertError>([] { Format("%d%%", {"x"}); }),
              "Format '%d%%' invalid or incompatible with argument");
}

// ---------------------------------------------------------------- exceptions

TEST(Exceptions, FormattingConstructorBuildsTheMessage) {
    EConvertError E("'%s' is not %d", {"x", 5});
    EXPECT_EQ(E.Message(), "'x' is not 5");
    EXPECT_STREQ(E.what(), "'x' is not 5");
}

TEST(Exceptions, ClassNameFollowsTheDynamicType) {
    try {
        throw EReadError("bad stream");
    } catch (const Exception& E) {
        EXPECT_STREQ(E.ClassName(), "EReadError");
        EXPECT_NE(dynamic_cast<const EStreamError*>(&E), nullptr);
        EXPECT_EQ(E.Message(), "bad stream");
    }
}

// ---------------------------------------------------------------- integers

TEST(IntToStr, WritesSignedDecimal) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-17), "-17");
    EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(IntToStr(INT64_MAX), "9223372036854775807");
}

TEST(IntToHex, PadsUpperCaseDigitsToTheWidth) {
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0, 1), "0");
    EXPECT_EQ(IntToHex(0x1234, 2), "1234");
    EXPECT_EQ(IntToHex(0xabc, 0), "ABC");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFFFFFFFFFF");
}

struct IntCase {
    std::string Text;
    int64_t Value;
};
void PrintTo(const IntCase& C, std::ostream* OS) {
    *OS << '"' << C.Text << '"';
}

class StrToIntAccepts : public ::testing::TestWithParam<IntCase> {};

TEST_P(StrToIntAccepts, ParsesTheValue) {
    EXPECT_EQ(StrToInt(GetParam().Text), GetParam().Value);
    EXPECT_EQ(StrToInt64(GetParam().Text), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrToIntAccepts,
    ::testing::Values(IntCase{"0", 0}, IntCase{"123", 123}, IntCase{"-123", -123}, IntCase{"+5", 5},
                      IntCase{"  42", 42}, IntCase{"\t7", 7}, IntCase{"007", 7},
                      IntCase{"$FF", 255}, IntCase{"$ff", 255}, IntCase{"0x1F", 31},
                      IntCase{"0X7fffffff", 2147483647}, IntCase{"-$10", -16},
                      IntCase{"2147483647", 2147483647}, IntCase{"-2147483648", -2147483648LL}));

class StrToIntRejects : public ::testing::TestWithParam<std::string> {};

TEST_P(StrToIntRejects, RaisesWithTheText) {
    const std::string& S = GetParam();
    EXPECT_EQ(test::MessageOf<EConvertError>([&] { StrToInt(S); }), "'" + S + "' is not a valid integer value");
    int V = 99;
    EXPECT_FALSE(TryStrToInt(S, V));
    EXPECT_EQ(StrToIntDef(S, -7), -7);
}

INSTANTIATE_TEST_SUITE_P(Texts, StrToIntRejects,
                         ::testing::Values("", " ", "12 ", "abc", "1.5", "2147483648",
                                           "-2147483649", "$", "0x", "$100000000", "--1", "1e3",
                                           "+", "12a", "$G"));

TEST(StrToInt, HexIsABitPatternOfTheWidth) {
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("$80000000"), INT32_MIN);
    EXPECT_EQ(StrToInt64("$FFFFFFFF"), 4294967295LL);
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
}

TEST(StrToInt64, CoversTheWholeRange) {
    EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(StrToInt64("4294967296"), 4294967296LL);
    EXPECT_EQ(test::MessageOf<EConvertError>([] { StrToInt("4294967296"); }),
              "'4294967296' is not a valid integer value");
    EXPECT_EQ(test::MessageOf<EConvertError>([] { StrToInt64("9223372036854775808"); }),
              "'9223372036854775808' is not a valid integer value");
    EXPECT_EQ(test::MessageOf<EConvertError>([] { StrToInt64("$10000000000000000"); }),
              "'$10000000000000000' is not a valid integer value");
    int64_t V = 0;
    EXPECT_TRUE(TryStrToInt64(" -12", V));
    EXPECT_EQ(V, -12);
    EXPECT_FALSE(TryStrToInt64("-12 ", V));
}

TEST(StrToIntDef, ReturnsTheParsedValueWhenValid) {
    EXPECT_EQ(StrToIntDef("$10", -1), 16);
}

// ---------------------------------------------------------------- floats

struct FloatTextCase {
    double Value;
    std::string Text;
};
void PrintTo(const FloatTextCase& C, std::ostream* OS) {
    *OS << C.Text;
}

class FloatToStrTable : public ::testing::TestWithParam<FloatTextCase> {};

TEST_P(FloatToStrTable, UsesGeneralFormatWith15Digits) {
    EXPECT_EQ(FloatToStr(GetParam().Value), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FloatToStrTable,
    ::testing::Values(
        FloatTextCase{0.1, "0.1"}, FloatTextCase{1.5, "1.5"}, FloatTextCase{100, "100"},
        FloatTextCase{0, "0"}, FloatTextCase{-0.0, "0"}, FloatTextCase{-2.5, "-2.5"},
        FloatTextCase{1e20, "1E20"}, FloatTextCase{1.5e-7, "1.5E-7"},
        FloatTextCase{123456789012345678.0, "1.23456789012346E17"}, FloatTextCase{0.0001, "0.0001"},
        FloatTextCase{0.00001, "1E-5"}, FloatTextCase{1e15, "1E15"},
        FloatTextCase{999999999999999.0, "999999999999999"},
        FloatTextCase{9999999999999999.0, "1E16"}, FloatTextCase{123456.789, "123456.789"},
        FloatTextCase{1.0 / 3, "0.333333333333333"}, FloatTextCase{2.0 / 3, "0.666666666666667"},
        FloatTextCase{0.1 + 0.2, "0.3"},
        FloatTextCase{-1.23456789012345e-5, "-1.23456789012345E-5"},
        FloatTextCase{std::numeric_limits<double>::max(), "1.79769313486232E308"},
        FloatTextCase{std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
        FloatTextCase{Inf, "INF"}, FloatTextCase{-Inf, "-INF"},
        FloatTextCase{std::nan(""), "NAN"}));

class StrToFloatAccepts : public ::testing::TestWithParam<FloatTextCase> {};

TEST_P(StrToFloatAccepts, ParsesTheValue) {
    EXPECT_EQ(StrToFloat(GetParam().Text), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(Texts, StrToFloatAccepts,
                         ::testing::Values(FloatTextCase{1.5, "1.5"}, FloatTextCase{2.5, " 2.5 "},
                                           FloatTextCase{-3, "-3"}, FloatTextCase{4.25, "+4.25"},
                                           FloatTextCase{1000, "1e3"}, FloatTextCase{0.01, "1E-2"},
                                           FloatTextCase{150, "1.5e+2"}, FloatTextCase{0.5, ".5"},
                                           FloatTextCase{5, "5."}, FloatTextCase{12.5, "00012.50"},
                                           FloatTextCase{0, "1e-400"}, FloatTextCase{0, "0e999"},
                                           FloatTextCase{1e20, "1E20"},
                                           FloatTextCase{0.1, "\t0.1\n"}));

TEST(StrToFloat, KeepsTheSignOfNegativeZero) {
    EXPECT_TRUE(std::signbit(StrToFloat("-0")));
}

class StrToFloatRejects : public ::testing::TestWithParam<std::string> {};

TEST_P(StrToFloatRejects, RaisesWithTheText) {
    const std::string& S = GetParam();
    EXPECT_EQ(test::MessageOf<EConvertError>([&] { StrToFloat(S); }),
              "'" + S + "' is not a valid floating point value");
    double V = 0;
    EXPECT_FALSE(TryStrToFloat(S, V));
}

INSTANTIATE_TEST_SUITE_P(Texts, StrToFloatRejects,
                         ::testing::Values("", "  ", "1.2.3", "abc", "1e", "1e+", "1,5", "INF",
                                           "nan", "- 1", "0x10", "1e400", ".", "+", "1 2", "e5",
                                           "1.5f"));

TEST(FloatText, ParsingTheTextGivesTheSameText) {
    for (double V : {0.1, 1.0 / 7, 123456.789, 6.02214076e23, -1.602176634e-19, 1e-5, 42.0}) {
        const std::string S = FloatToStr(V);
        EXPECT_EQ(FloatToStr(StrToFloat(S)), S) << S;
        EXPECT_NEAR(StrToFloat(S), V, std::fabs(V) * 1e-14) << S;
    }
}

TEST(BoolToStr, UsesNumbersUnlessAskedForWords) {
    EXPECT_EQ(BoolToStr(true), "-1");
    EXPECT_EQ(BoolToStr(false), "0");
    EXPECT_EQ(BoolToStr(true, true), "True");
    EXPECT_EQ(BoolToStr(false, true), "False");
}

// ---------------------------------------------------------------- text

TEST(Trim, RemovesControlCharactersAndBlanks) {
    EXPECT_EQ(Trim("\t a b \r\n"), "a b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(TrimLeft("  a b  "), "a b  ");
    EXPECT_EQ(TrimRight("  a b  "), "  a b");
    EXPECT_EQ(Trim("\xC3\xA9"), "\xC3\xA9");
}

TEST(CaseConversion, TouchesOnlyAsciiLetters) {
    EXPECT_EQ(UpperCase("abc_xyz 09\xC3\xA9"), "ABC_XYZ 09\xC3\xA9");
    EXPECT_EQ(LowerCase("ABC_XYZ 09\xC3\x89"), "abc_xyz 09\xC3\x89");
}

TEST(SameText, IgnoresAsciiCaseOnly) {
    EXPECT_TRUE(SameText("Caption", "CAPTION"));
    EXPECT_FALSE(SameText("Caption", "Captions"));
    EXPECT_FALSE(SameText("\xC3\xA9", "\xC3\x89"));
}

TEST(CompareText, FoldsLettersToUpperCase) {
    EXPECT_LT(CompareText("apple", "Banana"), 0);
    EXPECT_EQ(CompareText("Name", "nAME"), 0);
    EXPECT_GT(CompareText("_x", "zeta"), 0);  // '_' comes after the upper-case letters
    EXPECT_LT(CompareText("ab", "abc"), 0);
    EXPECT_GT(CompareText("abc", "ab"), 0);
    EXPECT_EQ(AnsiCompareText("_x", "zeta") > 0, true);
    EXPECT_EQ(AnsiCompareText("Name", "nAME"), 0);
}

TEST(CompareStr, ComparesUnsignedBytes) {
    EXPECT_GT(CompareStr("a", "B"), 0);
    EXPECT_LT(CompareStr("A", "a"), 0);
    EXPECT_GT(CompareStr("\xC3", "z"), 0);
    EXPECT_EQ(CompareStr("same", "same"), 0);
}

TEST(AnsiCompareStr, SortsMixedCaseNamesNaturally) {
    std::vector<std::string> Names = {"b", "_x", "A", "B", "ab", "a", "Ab"};
    std::sort(Names.begin(), Names.end(),
              [](const std::string& L, const std::string& R) { return AnsiCompareStr(L, R) < 0; });
    EXPECT_EQ(Names, (std::vector<std::string>{"a", "A", "ab", "Ab", "b", "B", "_x"}));
    EXPECT_EQ(AnsiCompareStr("Form1", "Form1"), 0);
    EXPECT_GT(AnsiCompareStr("A", "a"), 0);
}

struct IdentCase {
    std::string Ident;
    bool AllowDots;
    bool Valid;
};
void PrintTo(const IdentCase& C, std::ostream* OS) {
    *OS << '"' << C.Ident << '"';
}

class IsValidIdentTable : public ::testing::TestWithParam<IdentCase> {};

TEST_P(IsValidIdentTable, Classifies) {
    EXPECT_EQ(IsValidIdent(GetParam().Ident, GetParam().AllowDots), GetParam().Valid);
}

INSTANTIATE_TEST_SUITE_P(
    Names, IsValidIdentTable,
    ::testing::Values(IdentCase{"Button1", false, true}, IdentCase{"_private", false, true},
                      IdentCase{"a", false, true}, IdentCase{"", false, false},
                      IdentCase{"1st", false, false}, IdentCase{"has space", false, false},
                      IdentCase{"Form1.Button1", false, false},
                      IdentCase{"Form1.Button1", true, true}, IdentCase{"a.b.c", true, true},
                      IdentCase{"a..b", true, false}, IdentCase{".a", true, false},
                      IdentCase{"a.", true, false}, IdentCase{"a.1b", true, false},
                      IdentCase{"caf\xC3\xA9", false, false}));

TEST(QuotedStr, DoublesInnerQuotes) {
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(QuotedStr(""), "''");
    EXPECT_EQ(QuotedStr("''"), "''''''");
}

TEST(StringReplaceAll, ReplacesEveryOccurrenceOnce) {
    EXPECT_EQ(StringReplaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(StringReplaceAll("a.b.c", ".", ""), "abc");
    EXPECT_EQ(StringReplaceAll("abcabc", "bc", "X"), "aXaX");
    EXPECT_EQ(StringReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(StringReplaceAll("abc", "zz", "x"), "abc");
    EXPECT_EQ(StringReplaceAll("aaaa", "aa", "b"), "bb");
}

TEST(GetTickCount, AdvancesWithTime) {
    const uint32_t Start = GetTickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const uint32_t Elapsed = GetTickCount() - Start;  // unsigned, so a wrap is harmless
    EXPECT_GE(Elapsed, 25u);
    EXPECT_LT(Elapsed, 10000u);
}

}  // namespace
}  // namespace zk
