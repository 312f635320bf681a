// Tests for the integer identifier registry and the colour, cursor and modal result tables.
#include <gtest/gtest.h>

#include "TestUtil.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "platform/core/Colors.h"
#include "platform/core/Cursors.h"
#include "platform/core/IntegerConsts.h"
#include "platform/core/ModalResult.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TypInfo.h"

namespace zk {
namespace {

struct TNamedValue {
    const char* Name;
    int Constant;   // the constant as the header declares it
    int64_t Value;  // the value it must have, written out independently
};

std::ostream& operator<<(std::ostream& Out, const TNamedValue& V) {
    return Out << V.Name;
}

std::string PrintName(const testing::TestParamInfo<TNamedValue>& Info) {
    return Info.param.Name;
}

// Sys(n) is system colour n as its bit pattern, so that the table below states values
// without going through the header's arithmetic.
constexpr int64_t Sys(uint32_t Index) {
    return static_cast<int32_t>(0xFF000000u | Index);
}

const TNamedValue ColorTable[] = {
    {"clBlack", clBlack, 0x000000},
    {"clMaroon", clMaroon, 0x000080},
    {"clGreen", clGreen, 0x008000},
    {"clOlive", clOlive, 0x008080},
    {"clNavy", clNavy, 0x800000},
    {"clPurple", clPurple, 0x800080},
    {"clTeal", clTeal, 0x808000},
    {"clGray", clGray, 0x808080},
    {"clSilver", clSilver, 0xC0C0C0},
    {"clRed", clRed, 0x0000FF},
    {"clLime", clLime, 0x00FF00},
    {"clYellow", clYellow, 0x00FFFF},
    {"clBlue", clBlue, 0xFF0000},
    {"clFuchsia", clFuchsia, 0xFF00FF},
    {"clAqua", clAqua, 0xFFFF00},
    {"clWhite", clWhite, 0xFFFFFF},
    {"clMoneyGreen", clMoneyGreen, 0xC0DCC0},
    {"clSkyBlue", clSkyBlue, 0xF0CAA6},
    {"clCream", clCream, 0xF0FBFF},
    {"clMedGray", clMedGray, 0xA4A0A0},
    {"clScrollBar", clScrollBar, Sys(0)},
    {"clBackground", clBackground, Sys(1)},
    {"clActiveCaption", clActiveCaption, Sys(2)},
    {"clInactiveCaption", clInactiveCaption, Sys(3)},
    {"clMenu", clMenu, Sys(4)},
    {"clWindow", clWindow, Sys(5)},
    {"clWindowFrame", clWindowFrame, Sys(6)},
    {"clMenuText", clMenuText, Sys(7)},
    {"clWindowText", clWindowText, Sys(8)},
    {"clCaptionText", clCaptionText, Sys(9)},
    {"clActiveBorder", clActiveBorder, Sys(10)},
    {"clInactiveBorder", clInactiveBorder, Sys(11)},
    {"clAppWorkSpace", clAppWorkSpace, Sys(12)},
    {"clHighlight", clHighlight, Sys(13)},
    {"clHighlightText", clHighlightText, Sys(14)},
    {"clBtnFace", clBtnFace, Sys(15)},
    {"clBtnShadow", clBtnShadow, Sys(16)},
    {"clGrayText", clGrayText, Sys(17)},
    {"clBtnText", clBtnText, Sys(18)},
    {"clInactiveCaptionText", clInactiveCaptionText, Sys(19)},
    {"clBtnHighlight", clBtnHighlight, Sys(20)},
    {"cl3DDkShadow", cl3DDkShadow, Sys(21)},
    {"cl3DLight", cl3DLight, Sys(22)},
    {"clInfoText", clInfoText, Sys(23)},
    {"clInfoBk", clInfoBk, Sys(24)},
    {"clHotLight", clHotLight, Sys(26)},
    {"clGradientActiveCaption", clGradientActiveCaption, Sys(27)},
    {"clGradientInactiveCaption", clGradientInactiveCaption, Sys(28)},
    {"clMenuHighlight", clMenuHighlight, Sys(29)},
    {"clMenuBar", clMenuBar, Sys(30)},
    {"clNone", clNone, 0x1FFFFFFF},
    {"clDefault", clDefault, 0x20000000},
};

const TNamedValue CursorTable[] = {
    {"crDefault", crDefault, 0},       {"crNone", crNone, -1},
    {"crArrow", crArrow, -2},          {"crCross", crCross, -3},
    {"crIBeam", crIBeam, -4},          {"crSizeNESW", crSizeNESW, -6},
    {"crSizeNS", crSizeNS, -7},        {"crSizeNWSE", crSizeNWSE, -8},
    {"crSizeWE", crSizeWE, -9},        {"crUpArrow", crUpArrow, -10},
    {"crHourGlass", crHourGlass, -11}, {"crDrag", crDrag, -12},
    {"crNoDrop", crNoDrop, -13},       {"crHSplit", crHSplit, -14},
    {"crVSplit", crVSplit, -15},       {"crMultiDrag", crMultiDrag, -16},
    {"crSQLWait", crSQLWait, -17},     {"crNo", crNo, -18},
    {"crAppStart", crAppStart, -19},   {"crHelp", crHelp, -20},
    {"crHandPoint", crHandPoint, -21}, {"crSizeAll", crSizeAll, -22},
};

const TNamedValue ModalResultTable[] = {
    {"mrNone", mrNone, 0},
    {"mrOk", mrOk, 1},
    {"mrCancel", mrCancel, 2},
    {"mrAbort", mrAbort, 3},
    {"mrRetry", mrRetry, 4},
    {"mrIgnore", mrIgnore, 5},
    {"mrYes", mrYes, 6},
    {"mrNo", mrNo, 7},
    {"mrAll", mrAll, 8},
    {"mrNoToAll", mrNoToAll, 9},
    {"mrYesToAll", mrYesToAll, 10},
};

using TValuesProc = void (*)(const std::function<void(const std::string&)>&);

std::vector<std::string> Collect(TValuesProc Proc) {
    std::vector<std::string> Names;
    Proc([&Names](const std::string& S) { Names.push_back(S); });
    return Names;
}

template <size_t N>
std::vector<std::string> NamesOf(const TNamedValue (&Table)[N]) {
    std::vector<std::string> Names;
    for (const TNamedValue& V : Table) Names.push_back(V.Name);
    return Names;
}

// ---- colours ----

class ColorTableTest : public testing::TestWithParam<TNamedValue> {};

TEST_P(ColorTableTest, ConstantIdentifierAndTextAgree) {
    const TNamedValue& V = GetParam();
    EXPECT_EQ(V.Constant, V.Value);
    int Color = 12345;
    ASSERT_TRUE(IdentToColor(V.Name, Color));
    EXPECT_EQ(Color, V.Value);
    std::string Ident;
    ASSERT_TRUE(ColorToIdent(V.Constant, Ident));
    EXPECT_EQ(Ident, V.Name);
    EXPECT_EQ(ColorToString(V.Constant), V.Name);
    EXPECT_EQ(StringToColor(V.Name), V.Value);
}

INSTANTIATE_TEST_SUITE_P(Colors, ColorTableTest, testing::ValuesIn(ColorTable), PrintName);

TEST(ColorsTest, GetColorValuesListsTheTableInOrder) {
    std::vector<std::string> Names = Collect(GetColorValues);
    EXPECT_EQ(Names, NamesOf(ColorTable));
    ASSERT_EQ(Names.size(), 52u);
    EXPECT_EQ(Names.front(), "clBlack");
    EXPECT_EQ(Names[Names.size() - 2], "clNone");
    EXPECT_EQ(Names.back(), "clDefault");
    EXPECT_NE(std::find(Names.begin(), Names.end(), "clMenuBar"), Names.end());
}

TEST(ColorsTest, PlainValuesAreWrittenAsEightHexDigits) {
    EXPECT_EQ(ColorToString(0x123456), "$00123456");
    EXPECT_EQ(StringToColor("$00123456"), 0x123456);
    EXPECT_EQ(ColorToString(0x00ABCDEF), "$00ABCDEF");
    EXPECT_EQ(ColorToString(static_cast<int>(0xFF000019u)), "$FF000019");  // index 25 has no name
    EXPECT_EQ(StringToColor("$FF000019"), static_cast<int>(0xFF000019u));
    EXPECT_EQ(ColorToString(StringToColor("$00FEDCBA")), "$00FEDCBA");
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_EQ(ColorToString(255), "clRed");
}

TEST(ColorsTest, IdentifiersIgnoreCase) {
    EXPECT_EQ(StringToColor("clred"), clRed);
    EXPECT_EQ(StringToColor("CLBTNFACE"), clBtnFace);
    int Color = 0;
    EXPECT_TRUE(IdentToColor("ClWiNdOw", Color));
    EXPECT_EQ(Color, clWindow);
}

TEST(ColorsTest, UnknownTextRaisesConvertError) {
    EXPECT_EQ(test::MessageOf<EConvertError>([] { StringToColor("nonsense"); }),
              "'nonsense' is not a valid integer value");
    EXPECT_EQ(test::MessageOf<EConvertError>([] { StringToColor(""); }), "'' is not a valid integer value");
    int Color = 77;
    EXPECT_FALSE(IdentToColor("clNothing", Color));
    EXPECT_EQ(Color, 77);
    std::string Ident = "kept";
    EXPECT_FALSE(ColorToIdent(0x123456, Ident));
    EXPECT_EQ(Ident, "kept");
}

TEST(ColorsTest, SystemColors) {
    EXPECT_TRUE(IsSystemColor(clBtnFace));
    EXPECT_EQ(SystemColorIndex(clBtnFace), 15);
    EXPECT_EQ(SystemColorIndex(clScrollBar), 0);
    EXPECT_EQ(SystemColorIndex(clMenuBar), 30);
    EXPECT_FALSE(IsSystemColor(clWhite));
    EXPECT_FALSE(IsSystemColor(clNone));
    EXPECT_FALSE(IsSystemColor(clDefault));
    EXPECT_EQ(SystemColorIndex(clRed), -1);
}

TEST(ColorsTest, TypeInfoIsAnIntegerAlias) {
    const TTypeInfo* T = TypeInfoTColor();
    ASSERT_NE(T, nullptr);
    EXPECT_EQ(T->Name, "TColor");
    EXPECT_EQ(T->Kind, tkInteger);
    EXPECT_NE(T, TypeInfoInteger());
    EXPECT_EQ(T, TypeInfoTColor());
}

// ---- cursors ----

class CursorTableTest : public testing::TestWithParam<TNamedValue> {};

TEST_P(CursorTableTest, ConstantIdentifierAndTextAgree) {
    const TNamedValue& V = GetParam();
    EXPECT_EQ(V.Constant, V.Value);
    int Cursor = 12345;
    ASSERT_TRUE(IdentToCursor(V.Name, Cursor));
    EXPECT_EQ(Cursor, V.Value);
    std::string Ident;
    ASSERT_TRUE(CursorToIdent(V.Constant, Ident));
    EXPECT_EQ(Ident, V.Name);
    EXPECT_EQ(CursorToString(V.Constant), V.Name);
    EXPECT_EQ(StringToCursor(V.Name), V.Value);
}

INSTANTIATE_TEST_SUITE_P(Cursors, CursorTableTest, testing::ValuesIn(CursorTable), PrintName);

TEST(CursorsTest, ValuesAndConversions) {
    EXPECT_EQ(Collect(GetCursorValues), NamesOf(CursorTable));
    EXPECT_EQ(CursorToString(5), "5");
    EXPECT_EQ(CursorToString(-5), "-5");  // there is no cursor -5
    EXPECT_EQ(StringToCursor("-4"), crIBeam);
    EXPECT_EQ(StringToCursor("7"), 7);
    EXPECT_EQ(StringToCursor("crhandpoint"), crHandPoint);
    EXPECT_EQ(test::MessageOf<EConvertError>([] { StringToCursor("crBogus"); }),
              "'crBogus' is not a valid integer value");
    EXPECT_EQ(TypeInfoTCursor()->Name, "TCursor");
    EXPECT_EQ(TypeInfoTCursor()->Kind, tkInteger);
}

// ---- modal results ----

class ModalResultTableTest : public testing::TestWithParam<TNamedValue> {};

TEST_P(ModalResultTableTest, ConstantIdentifierAndTextAgree) {
    const TNamedValue& V = GetParam();
    EXPECT_EQ(V.Constant, V.Value);
    int Result = 12345;
    ASSERT_TRUE(IdentToModalResult(V.Name, Result));
    EXPECT_EQ(Result, V.Value);
    EXPECT_EQ(ModalResultToString(V.Constant), V.Name);
    EXPECT_EQ(StringToModalResult(V.Name), V.Value);
}

INSTANTIATE_TEST_SUITE_P(ModalResults, ModalResultTableTest, testing::ValuesIn(ModalResultTable),
                         PrintName);

TEST(ModalResultTest, ValuesAndConversions) {
    EXPECT_EQ(Collect(GetModalResultValues), NamesOf(ModalResultTable));
    EXPECT_EQ(ModalResultToString(11), "11");
    EXPECT_EQ(ModalResultToString(-1), "-1");
    EXPECT_EQ(StringToModalResult("1"), mrOk);
    EXPECT_EQ(StringToModalResult("MROK"), mrOk);
    EXPECT_EQ(test::MessageOf<EConvertError>([] { StringToModalResult("ok"); }),
              "'ok' is not a valid integer value");
    EXPECT_EQ(TypeInfoTModalResult()->Name, "TModalResult");
    EXPECT_EQ(TypeInfoTModalResult()->Kind, tkInteger);
}

// ---- identifier maps and the registry ----

const TIdentMapEntry SampleMap[] = {{1, "One"}, {2, "Two"}, {2, "Deux"}, {-3, "MinusThree"}};

TEST(IntegerConstsTest, MapLookUps) {
    int V = 0;
    EXPECT_TRUE(IdentToInt("two", V, SampleMap, std::size(SampleMap)));
    EXPECT_EQ(V, 2);
    EXPECT_TRUE(IdentToInt("DEUX", V, SampleMap, std::size(SampleMap)));
    EXPECT_EQ(V, 2);
    EXPECT_TRUE(IdentToInt("minusthree", V, SampleMap, std::size(SampleMap)));
    EXPECT_EQ(V, -3);
    V = 9;
    EXPECT_FALSE(IdentToInt("Three", V, SampleMap, std::size(SampleMap)));
    EXPECT_EQ(V, 9);
    std::string S;
    EXPECT_TRUE(IntToIdent(2, S, SampleMap, std::size(SampleMap)));
    EXPECT_EQ(S, "Two");  // the first name of a value wins
    EXPECT_FALSE(IntToIdent(4, S, SampleMap, std::size(SampleMap)));
    EXPECT_EQ(S, "Two");
    EXPECT_FALSE(IdentToInt("One", V, SampleMap, 0));
}

bool SampleIdentToInt(const std::string& Ident, int& Int) {
    return IdentToInt(Ident, Int, SampleMap, std::size(SampleMap));
}
bool SampleIntToIdent(int Int, std::string& Ident) {
    return IntToIdent(Int, Ident, SampleMap, std::size(SampleMap));
}

TEST(IntegerConstsTest, RegistryFindsByDescriptor) {
    static const TTypeInfo* Sample = MakeAliasType("TSampleConsts", TypeInfoInteger());
    EXPECT_EQ(FindIdentToInt(Sample), nullptr);
    EXPECT_EQ(FindIntToIdent(Sample), nullptr);
    RegisterIntegerConsts(Sample, SampleIdentToInt, SampleIntToIdent);
    EXPECT_EQ(FindIdentToInt(Sample), &SampleIdentToInt);
    EXPECT_EQ(FindIntToIdent(Sample), &SampleIntToIdent);
    // An alias is a type of its own: Integer gains nothing.
    EXPECT_EQ(FindIdentToInt(TypeInfoInteger()), nullptr);
    EXPECT_EQ(FindIdentToInt(nullptr), nullptr);
}

TEST(IntegerConstsTest, GraphicsConstsAreRegistered) {
    RegisterGraphicsConsts();
    RegisterGraphicsConsts();  // a second call changes nothing
    TIntToIdent ToIdent = FindIntToIdent(TypeInfoTColor());
    TIdentToInt ToInt = FindIdentToInt(TypeInfoTColor());
    ASSERT_NE(ToIdent, nullptr);
    ASSERT_NE(ToInt, nullptr);
    std::string S;
    EXPECT_TRUE(ToIdent(clBtnFace, S));
    EXPECT_EQ(S, "clBtnFace");
    int V = 0;
    EXPECT_TRUE(ToInt("clYellow", V));
    EXPECT_EQ(V, clYellow);
    EXPECT_FALSE(ToIdent(0x123456, S));

    ASSERT_NE(FindIntToIdent(TypeInfoTCursor()), nullptr);
    EXPECT_TRUE(FindIntToIdent(TypeInfoTCursor())(crHourGlass, S));
    EXPECT_EQ(S, "crHourGlass");
    ASSERT_NE(FindIdentToInt(TypeInfoTModalResult()), nullptr);
    EXPECT_TRUE(FindIdentToInt(TypeInfoTModalResult())("mrCancel", V));
    EXPECT_EQ(V, mrCancel);
}

}  // namespace
}  // namespace zk
