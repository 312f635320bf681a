// Tests for the text form of the form stream: both conversions, round trips and every error.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "platform/core/FormText.h"
#include "platform/core/ValueTypes.h"

namespace zk {
namespace {

std::string T2B(const std::string& Text) {
    return ObjectTextToBinary(Text);
}
std::string B2T(const std::string& Binary) {
    return ObjectBinaryToText(Binary);
}

std::string ParserErrorOf(const std::string& Text) {
    try {
        ObjectTextToBinary(Text);
    } catch (const EParserError& E) {
        return E.Message();
    }
    return "<no exception>";
}

std::string ReadErrorOf(const std::string& Binary) {
    try {
        ObjectBinaryToText(Binary);
    } catch (const EReadError& E) {
        return E.Message();
    }
    return "<no exception>";
}

// Builds binary streams byte by byte.
class TBin {
public:
    TBin& Sig() { return Raw("TPF0"); }
    TBin& Raw(const std::string& S) {
        FData += S;
        return *this;
    }
    TBin& B(std::initializer_list<int> Bytes) {
        for (int X : Bytes) FData += static_cast<char>(X);
        return *this;
    }
    TBin& Le(uint64_t V, int Size) {
        for (int I = 0; I < Size; ++I, V >>= 8) FData += static_cast<char>(V & 0xFF);
        return *this;
    }
    TBin& Short(const std::string& S) {
        FData += static_cast<char>(S.size());
        return Raw(S);
    }
    // A component header without prefix.
    TBin& Obj(const std::string& Class, const std::string& Name) {
        return Short(Class).Short(Name);
    }
    TBin& Prop(const std::string& Name) { return Short(Name); }
    TBin& End() { return B({0}); }
    const std::string& Str() const { return FData; }
    operator std::string() const { return FData; }

private:
    std::string FData;
};

// The binary of "object A: TA  X = <value>  end" with the value's bytes given.
std::string OneValue(const std::string& ValueBytes) {
    return TBin().Sig().Obj("TA", "A").Prop("X").Raw(ValueBytes).End().End();
}

std::string OneValueText(const std::string& Value) {
    return "object A: TA\n  X = " + Value + "\nend\n";
}

// The value bytes of the single property X of a one-value stream.
std::string ValueBytesOf(const std::string& Binary) {
    const size_t Start = 4 + 3 + 2 + 2;  // signature, "TA", "A", "X"
    return Binary.substr(Start, Binary.size() - Start - 2);
}

std::string ValueOf(const std::string& Text) {
    return ValueBytesOf(T2B(OneValueText(Text)));
}

std::string Marker(TValueType V) {
    return std::string(1, static_cast<char>(V));
}

std::string Le(uint64_t V, int Size) {
    return TBin().Le(V, Size);
}

// ---------------------------------------------------------------- the fixture of every construct

const char* const AllConstructs =
    "OBJECT Form1 : TForm1\r\n"
    "  Left = 10\r\n"
    "  Top = -5\r\n"
    "  Width = $FF\r\n"
    "  Tag = -$10\r\n"
    "  Ratio = 1.5\r\n"
    "  Huge = 1E20\r\n"
    "  Tiny = -2.5e-3\r\n"
    "  Scale = 0.5s\r\n"
    "  Price = 12.5c\r\n"
    "  When = 45000.25D\r\n"
    "  Caption = 'It''s a form'#13#10'second line'\r\n"
    "  Hint = 'first part, ' +\r\n"
    "         'second part'   +   #33\r\n"
    "  Accented = 'Gr\xC3\xBC\xC3\x9F"
    "e'\r\n"
    "  Wide = 'Gr'#252#223'e'\r\n"
    "  Emoji = #$1F600\r\n"
    "  Empty = ''\r\n"
    "  Enabled = TRUE\r\n"
    "  Visible = false\r\n"
    "  PopupMenu = Nil\r\n"
    "  Color = clBtnFace\r\n"
    "  ActiveControl = Form2.Button1\r\n"
    "  Font.Style = [fsBold,fsItalic]\r\n"
    "  Anchors = [ ]\r\n"
    "  Items.Strings = ('one' 'two')\r\n"
    "  Nothing = ( )\r\n"
    "  Mixed = (1 'two' 3.5 Ident ('nested') [a] <> {} ())\r\n"
    "  Columns = <\r\n"
    "    item\r\n"
    "      Width = 64\r\n"
    "      SubItems = <item Tag = 1 end>\r\n"
    "    end\r\n"
    "    Item [7]\r\n"
    "      Width = 32\r\n"
    "    END>\r\n"
    "  NoColumns = <>\r\n"
    "  Data = {\r\n"
    "    000102030405060708090a0b0c0d0e0f\r\n"
    "    101112131415161718191A1B1C1D1E1F 20 21 2 2\r\n"
    "  }\r\n"
    "  NoData = {}\r\n"
    "  object Panel1: TPanel\r\n"
    "    inherited Button1: TButton [2]\r\n"
    "      Caption = 'OK'\r\n"
    "    end\r\n"
    "  end\r\n"
    "  inline [300] Frame1: TFrame1\r\n"
    "  end\r\n"
    "  object TLabel\r\n"
    "  end\r\n"
    "  object : TShape\r\n"
    "  end\r\n"
    "end\r\n";

const char* const AllConstructsNormal =
    "object Form1: TForm1\n"
    "  Left = 10\n"
    "  Top = -5\n"
    "  Width = 255\n"
    "  Tag = -16\n"
    "  Ratio = 1.5\n"
    "  Huge = 1e+20\n"
    "  Tiny = -0.0025\n"
    "  Scale = 0.5s\n"
    "  Price = 12.5c\n"
    "  When = 45000.25d\n"
    "  Caption = 'It''s a form'#13#10'second line'\n"
    "  Hint = 'first part, second part!'\n"
    "  Accented = 'Gr\xC3\xBC\xC3\x9F"
    "e'\n"
    "  Wide = 'Gr'#252#223'e'\n"
    "  Emoji = #128512\n"
    "  Empty = ''\n"
    "  Enabled = True\n"
    "  Visible = False\n"
    "  PopupMenu = nil\n"
    "  Color = clBtnFace\n"
    "  ActiveControl = Form2.Button1\n"
    "  Font.Style = [fsBold, fsItalic]\n"
    "  Anchors = []\n"
    "  Items.Strings = (\n"
    "    'one'\n"
    "    'two')\n"
    "  Nothing = ()\n"
    "  Mixed = (\n"
    "    1\n"
    "    'two'\n"
    "    3.5\n"
    "    Ident\n"
    "    (\n"
    "      'nested')\n"
    "    [a]\n"
    "    <>\n"
    "    {}\n"
    "    ())\n"
    "  Columns = <\n"
    "    item\n"
    "      Width = 64\n"
    "      SubItems = <\n"
    "        item\n"
    "          Tag = 1\n"
    "        end>\n"
    "    end\n"
    "    item [7]\n"
    "      Width = 32\n"
    "    end>\n"
    "  NoColumns = <>\n"
    "  Data = {\n"
    "    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\n"
    "    202122}\n"
    "  NoData = {}\n"
    "  object Panel1: TPanel\n"
    "    inherited Button1: TButton [2]\n"
    "      Caption = 'OK'\n"
    "    end\n"
    "  end\n"
    "  inline Frame1: TFrame1 [300]\n"
    "  end\n"
    "  object TLabel\n"
    "  end\n"
    "  object TShape\n"
    "  end\n"
    "end\n";

TEST(FormTextConstructs, NormalisesToTheWritersLayout) {
    EXPECT_EQ(B2T(T2B(AllConstructs)), AllConstructsNormal);
}

TEST(FormTextConstructs, NormalFormIsStable) {
    std::string Binary = T2B(AllConstructs);
    std::string Text = B2T(Binary);
    EXPECT_EQ(T2B(Text), Binary);
    EXPECT_EQ(B2T(T2B(Text)), Text);
}

TEST(FormTextConstructs, LineEndsDoNotMatter) {
    std::string Lf, Cr;
    for (const char* P = AllConstructs; *P; ++P) {
        if (*P == '\r') {
            Cr += '\r';
            continue;
        }
        Lf += *P;
        if (*P != '\n') Cr += *P;
    }
    EXPECT_EQ(T2B(Lf), T2B(AllConstructs));
    EXPECT_EQ(T2B(Cr), T2B(AllConstructs));
}

TEST(FormTextConstructs, ByteOrderMarkIsSkipped) {
    EXPECT_EQ(T2B(std::string("\xEF\xBB\xBF") + AllConstructsNormal), T2B(AllConstructsNormal));
}

TEST(FormTextConstructs, DocumentExample) {
    const std::string Text =
        "object Form1: TForm1\n"
        "  Left = 10\n"
        "  Caption = 'It''s a form'#13#10'second line'\n"
        "  Font.Style = [fsBold, fsItalic]\n"
        "  Items.Strings = (\n"
        "    'one'\n"
        "    'two')\n"
        "  Columns = <\n"
        "    item\n"
        "      Width = 64\n"
        "    end>\n"
        "  Data = {\n"
        "    0102030405}\n"
        "  OnClick = Button1Click\n"
        "  object Button1: TButton\n"
        "  end\n"
        "end\n";
    // clang-format off
    const std::string Binary =
        TBin()
            .Sig()
            .Obj("TForm1", "Form1")
            .Prop("Left").B({vaInt8, 10})
            .Prop("Caption").B({vaString, 24}).Raw("It's a form\r\nsecond line")
            .Prop("Font.Style").B({vaSet}).Short("fsBold").Short("fsItalic").B({0})
            .Prop("Items.Strings").B({vaList, vaString}).Short("one")
                .B({vaString}).Short("two").End()
            .Prop("Columns").B({vaCollection, vaList}).Prop("Width").B({vaInt8, 64}).End().End()
            .Prop("Data").B({vaBinary, 5, 0, 0, 0, 1, 2, 3, 4, 5})
            .Prop("OnClick").B({vaIdent}).Short("Button1Click")
            .End()
            .Obj("TButton", "Button1").End().End()
            .End();
    // clang-format on
    EXPECT_EQ(T2B(Text), Binary);
    EXPECT_EQ(B2T(Binary), Text);
}

// ---------------------------------------------------------------- components

TEST(FormTextComponents, PrefixFlagsAndChildPositions) {
    const std::string Text =
        "object Root: TRoot\n"
        "  inherited A: TA\n"
        "  end\n"
        "  inline B: TB\n"
        "  end\n"
        "  object C: TC [5]\n"
        "  end\n"
        "  inherited D: TD [-200]\n"
        "  end\n"
        "  inline E: TE [100000]\n"
        "  end\n"
        "end\n";
    // clang-format off
    const std::string Binary = TBin()
                                   .Sig()
                                   .Obj("TRoot", "Root")
                                   .End()
                                   .B({0xF1}).Obj("TA", "A").End().End()
                                   .B({0xF4}).Obj("TB", "B").End().End()
                                   .B({0xF2, vaInt8, 5}).Obj("TC", "C").End().End()
                                   .B({0xF3, vaInt16}).Le(uint64_t(-200), 2)
                                   .Obj("TD", "D").End().End()
                                   .B({0xF6, vaInt32}).Le(100000, 4).Obj("TE", "E").End().End()
                                   .End();
    // clang-format on
    EXPECT_EQ(T2B(Text), Binary);
    EXPECT_EQ(B2T(Binary), Text);
}

TEST(FormTextComponents, ChildPositionAfterTheKeywordIsAccepted) {
    EXPECT_EQ(T2B("inherited [4] A: TA end"), T2B("inherited A: TA [4] end"));
    EXPECT_EQ(T2B("object [0] TA end"), T2B("object TA [0] end"));
}

TEST(FormTextComponents, EmptyNames) {
    std::string Binary = TBin().Sig().Obj("TA", "").End().End();
    EXPECT_EQ(T2B("object TA\nend"), Binary);
    EXPECT_EQ(T2B("object : TA\nend"), Binary);
    EXPECT_EQ(B2T(Binary), "object TA\nend\n");
}

TEST(FormTextComponents, KeywordsAreCaseInsensitive) {
    EXPECT_EQ(T2B("Object A: TA Object B: TB End END"), T2B("object A: TA object B: TB end end"));
    EXPECT_EQ(T2B("INHERITED A: TA end"), TBin().Sig().B({0xF1}).Obj("TA", "A").End().End().Str());
}

TEST(FormTextComponents, KeywordsFollowedByEqualsAreProperties) {
    // clang-format off
    std::string Binary = TBin()
                             .Sig()
                             .Obj("TA", "A")
                             .Prop("Object").B({vaInt8, 1})
                             .Prop("end").B({vaInt8, 2})
                             .Prop("Inline").B({vaInt8, 3})
                             .End()
                             .End();
    // clang-format on
    EXPECT_EQ(T2B("object A: TA\n  Object = 1\n  end = 2\n  Inline = 3\nend"), Binary);
    EXPECT_EQ(T2B(B2T(Binary)), Binary);
}

TEST(FormTextComponents, DottedNames) {
    std::string Binary = TBin()
                             .Sig()
                             .Obj("TA", "A")
                             .Prop("Font.Color")
                             .B({vaIdent})
                             .Short("Form2.Button1")
                             .End()
                             .End();
    EXPECT_EQ(T2B("object A: TA Font.Color = Form2.Button1 end"), Binary);
}

TEST(FormTextComponents, DeepButAllowedNesting) {
    std::string Text, Close;
    for (int I = 0; I < MaxFilerNesting; ++I) {
        Text += "object A" + std::to_string(I) + ": TA\n";
        Close += "end\n";
    }
    Text += Close;
    std::string Binary = T2B(Text);
    EXPECT_EQ(T2B(B2T(Binary)), Binary);
}

// ---------------------------------------------------------------- integers

struct IntegerCase {
    const char* Text;
    TValueType Type;
    int64_t Value;
};

class FormTextIntegers : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(FormTextIntegers, SmallestMarkerAndRoundTrip) {
    const IntegerCase& C = GetParam();
    int Size = C.Type == vaInt8 ? 1 : C.Type == vaInt16 ? 2 : C.Type == vaInt32 ? 4 : 8;
    std::string Expected = Marker(C.Type) + Le(static_cast<uint64_t>(C.Value), Size);
    EXPECT_EQ(ValueOf(C.Text), Expected);
    EXPECT_EQ(B2T(OneValue(Expected)), OneValueText(std::to_string(C.Value)));
}

INSTANTIATE_TEST_SUITE_P(
    FormTextBoundaries, FormTextIntegers,
    ::testing::Values(IntegerCase{"0", vaInt8, 0}, IntegerCase{"-0", vaInt8, 0},
                      IntegerCase{"127", vaInt8, 127}, IntegerCase{"-128", vaInt8, -128},
                      IntegerCase{"128", vaInt16, 128}, IntegerCase{"-129", vaInt16, -129},
                      IntegerCase{"32767", vaInt16, 32767}, IntegerCase{"-32768", vaInt16, -32768},
                      IntegerCase{"32768", vaInt32, 32768}, IntegerCase{"-32769", vaInt32, -32769},
                      IntegerCase{"2147483647", vaInt32, 2147483647},
                      IntegerCase{"-2147483648", vaInt32, -2147483647 - 1},
                      IntegerCase{"2147483648", vaInt64, 2147483648LL},
                      IntegerCase{"-2147483649", vaInt64, -2147483649LL},
                      IntegerCase{"9223372036854775807", vaInt64, INT64_MAX},
                      IntegerCase{"-9223372036854775808", vaInt64, INT64_MIN},
                      IntegerCase{"007", vaInt8, 7}, IntegerCase{"$7f", vaInt8, 127},
                      IntegerCase{"$FF", vaInt16, 255}, IntegerCase{"-$80", vaInt8, -128},
                      IntegerCase{"$FFFFFFFF", vaInt64, 4294967295LL},
                      IntegerCase{"$FFFFFFFFFFFFFFFF", vaInt8, -1},
                      IntegerCase{"$8000000000000000", vaInt64, INT64_MIN},
                      IntegerCase{"$00000000000000000001", vaInt8, 1}));

TEST(FormTextIntegersWide, NonMinimalMarkersAreRead) {
    EXPECT_EQ(B2T(OneValue(Marker(vaInt32) + Le(5, 4))), OneValueText("5"));
    EXPECT_EQ(B2T(OneValue(Marker(vaInt64) + Le(uint64_t(-7), 8))), OneValueText("-7"));
    EXPECT_EQ(B2T(OneValue(Marker(vaInt16) + Le(uint64_t(-1), 2))), OneValueText("-1"));
}

// ---------------------------------------------------------------- floats

std::string DoubleValue(TValueType Type, double V) {
    return Marker(Type) + Le(std::bit_cast<uint64_t>(V), 8);
}
std::string SingleValue(float V) {
    return Marker(vaSingle) + Le(std::bit_cast<uint32_t>(V), 4);
}

class FormTextDoubles : public ::testing::TestWithParam<double> {};

TEST_P(FormTextDoubles, RoundTripExactly) {
    for (TValueType Type : {vaDouble, vaDate}) {
        std::string Binary = OneValue(DoubleValue(Type, GetParam()));
        std::string Text = B2T(Binary);
        size_t Start = Text.find('=') + 2;
        std::string Value = Text.substr(Start, Text.find('\n', Start) - Start);
        EXPECT_NE(Value.find_first_of(".eE"), std::string::npos) << Value;
        EXPECT_EQ(T2B(Text), Binary) << Text;
    }
}

INSTANTIATE_TEST_SUITE_P(FormTextValues, FormTextDoubles,
                         ::testing::Values(0.0, -0.0, 1.0, -1.0, 0.1, 1.0 / 3.0, M_PI, 1e20, 1e21,
                                           1e22, 123456789.0, 1234567890123456789.0, 45000.25,
                                           1e-300, DBL_MIN, DBL_TRUE_MIN, -DBL_TRUE_MIN, DBL_MAX,
                                           -DBL_MAX, DBL_EPSILON, 0.30000000000000004,
                                           std::numeric_limits<double>::infinity(),
                                           -std::numeric_limits<double>::infinity()));

class FormTextSingles : public ::testing::TestWithParam<float> {};

TEST_P(FormTextSingles, RoundTripExactly) {
    std::string Binary = OneValue(SingleValue(GetParam()));
    std::string Text = B2T(Binary);
    EXPECT_EQ(Text.substr(Text.size() - 6, 2), "s\n") << Text;
    EXPECT_EQ(T2B(Text), Binary) << Text;
}

INSTANTIATE_TEST_SUITE_P(FormTextValues, FormTextSingles,
                         ::testing::Values(0.0f, -0.0f, 1.0f, 0.1f, 0.5f, 3.4028235e38f, -FLT_MAX,
                                           FLT_MIN, FLT_TRUE_MIN, 16777217.0f, 1e-10f,
                                           std::numeric_limits<float>::infinity()));

TEST(FormTextFloats, WrittenForms) {
    EXPECT_EQ(B2T(OneValue(DoubleValue(vaDouble, 1.0))), OneValueText("1.0"));
    EXPECT_EQ(B2T(OneValue(DoubleValue(vaDouble, -0.0))), OneValueText("-0.0"));
    EXPECT_EQ(B2T(OneValue(DoubleValue(vaDouble, 0.1))), OneValueText("0.1"));
    EXPECT_EQ(B2T(OneValue(DoubleValue(vaDouble, 1e20))), OneValueText("1e+20"));
    EXPECT_EQ(B2T(OneValue(DoubleValue(vaDate, 45000.5))), OneValueText("45000.5d"));
    EXPECT_EQ(B2T(OneValue(SingleValue(0.1f))), OneValueText("0.1s"));
    EXPECT_EQ(B2T(OneValue(SingleValue(2.0f))), OneValueText("2.0s"));
    EXPECT_EQ(B2T(OneValue(DoubleValue(vaDouble, HUGE_VAL))), OneValueText("1E9999"));
    EXPECT_EQ(B2T(OneValue(DoubleValue(vaDouble, -HUGE_VAL))), OneValueText("-1E9999"));
}

TEST(FormTextFloats, ReadForms) {
    EXPECT_EQ(ValueOf("1.5"), DoubleValue(vaDouble, 1.5));
    EXPECT_EQ(ValueOf("1E20"), DoubleValue(vaDouble, 1e20));
    EXPECT_EQ(ValueOf("-2.5e-3"), DoubleValue(vaDouble, -2.5e-3));
    EXPECT_EQ(ValueOf("2.5E+3"), DoubleValue(vaDouble, 2500.0));
    EXPECT_EQ(ValueOf("7."), DoubleValue(vaDouble, 7.0));
    EXPECT_EQ(ValueOf("5s"), SingleValue(5.0f));
    EXPECT_EQ(ValueOf("0.1S"), SingleValue(0.1f));
    EXPECT_EQ(ValueOf("2d"), DoubleValue(vaDate, 2.0));
    EXPECT_EQ(ValueOf("45000.75D"), DoubleValue(vaDate, 45000.75));
    EXPECT_EQ(ValueOf("1e400"), DoubleValue(vaDouble, HUGE_VAL));
    EXPECT_EQ(ValueOf("-1e400"), DoubleValue(vaDouble, -HUGE_VAL));
    EXPECT_EQ(ValueOf("1e-400"), DoubleValue(vaDouble, 0.0));
    EXPECT_EQ(ValueOf("-0.0001e-400"), DoubleValue(vaDouble, -0.0));
    EXPECT_EQ(ValueOf("0e99999"), DoubleValue(vaDouble, 0.0));
    EXPECT_EQ(ValueOf("1e39s"), SingleValue(HUGE_VALF));
    EXPECT_EQ(ValueOf("1e-50s"), SingleValue(0.0f));
}

TEST(FormTextFloats, ExtendedIsReadAsTheNearestDouble) {
    auto Extended = [](uint64_t Mantissa, unsigned SignExp) {
        return OneValue(Marker(vaExtended) + Le(Mantissa, 8) + Le(SignExp, 2));
    };
    EXPECT_EQ(B2T(Extended(0x8000000000000000ULL, 0x3FFF)), OneValueText("1.0"));
    EXPECT_EQ(B2T(Extended(0xA000000000000000ULL, 0xC000)), OneValueText("-2.5"));
    EXPECT_EQ(B2T(Extended(0, 0)), OneValueText("0.0"));
    EXPECT_EQ(B2T(Extended(0x8000000000000000ULL, 0x7FFF)), OneValueText("1E9999"));
    EXPECT_EQ(B2T(Extended(0x8000000000000000ULL, 0x7FFE)), OneValueText("1E9999"));
    EXPECT_EQ(B2T(Extended(0x8000000000000000ULL, 0x0001)), OneValueText("0.0"));
    EXPECT_EQ(B2T(Extended(0xCCCCCCCCCCCCCCCDULL, 0x3FFB)), OneValueText("0.1"));
    EXPECT_EQ(ReadErrorOf(Extended(0xC000000000000000ULL, 0x7FFF)),
              "Invalid floating point value: NaN has no text form");
    // Read, then written back as a double.
    EXPECT_EQ(ValueBytesOf(T2B(B2T(Extended(0x8000000000000000ULL, 0x3FFF)))),
              DoubleValue(vaDouble, 1.0));
}

TEST(FormTextFloats, NaNHasNoTextForm) {
    EXPECT_EQ(ReadErrorOf(OneValue(DoubleValue(vaDouble, std::nan("")))),
              "Invalid floating point value: NaN has no text form");
    EXPECT_EQ(ReadErrorOf(OneValue(SingleValue(std::nanf("")))),
              "Invalid floating point value: NaN has no text form");
}

// ---------------------------------------------------------------- currency

std::string CurrencyValue(int64_t V) {
    return Marker(vaCurrency) + Le(static_cast<uint64_t>(V), 8);
}

TEST(FormTextCurrency, WrittenExactly) {
    EXPECT_EQ(B2T(OneValue(CurrencyValue(0))), OneValueText("0.0c"));
    EXPECT_EQ(B2T(OneValue(CurrencyValue(10000))), OneValueText("1.0c"));
    EXPECT_EQ(B2T(OneValue(CurrencyValue(125000))), OneValueText("12.5c"));
    EXPECT_EQ(B2T(OneValue(CurrencyValue(-1))), OneValueText("-0.0001c"));
    EXPECT_EQ(B2T(OneValue(CurrencyValue(12345))), OneValueText("1.2345c"));
    EXPECT_EQ(B2T(OneValue(CurrencyValue(INT64_MAX))), OneValueText("922337203685477.5807c"));
    EXPECT_EQ(B2T(OneValue(CurrencyValue(INT64_MIN))), OneValueText("-922337203685477.5808c"));
}

TEST(FormTextCurrency, ReadExactly) {
    EXPECT_EQ(ValueOf("12.5c"), CurrencyValue(125000));
    EXPECT_EQ(ValueOf("5C"), CurrencyValue(50000));
    EXPECT_EQ(ValueOf("1.2345c"), CurrencyValue(12345));
    EXPECT_EQ(ValueOf("1.23456c"), CurrencyValue(12346));
    EXPECT_EQ(ValueOf("1.23454c"), CurrencyValue(12345));
    EXPECT_EQ(ValueOf("-0.00005c"), CurrencyValue(-1));
    EXPECT_EQ(ValueOf("0.00001c"), CurrencyValue(0));
    EXPECT_EQ(ValueOf("1e3c"), CurrencyValue(10000000));
    EXPECT_EQ(ValueOf("12345e-8c"), CurrencyValue(1));
    EXPECT_EQ(ValueOf("922337203685477.5807c"), CurrencyValue(INT64_MAX));
    EXPECT_EQ(ValueOf("-922337203685477.5808c"), CurrencyValue(INT64_MIN));
    EXPECT_EQ(ValueOf("0e99999c"), CurrencyValue(0));
}

TEST(FormTextCurrency, RoundTripBoundaries) {
    for (int64_t V : {int64_t(0), int64_t(1), int64_t(-1), int64_t(9999), int64_t(10001), INT64_MAX,
                      INT64_MIN, INT64_MIN + 1}) {
        std::string Binary = OneValue(CurrencyValue(V));
        EXPECT_EQ(T2B(B2T(Binary)), Binary) << V;
    }
}

// ---------------------------------------------------------------- strings

TEST(FormTextStrings, ShortLongAndEmpty) {
    EXPECT_EQ(ValueOf("''"), Marker(vaString) + std::string(1, '\0'));
    std::string A255(255, 'a'), A256(256, 'a');
    EXPECT_EQ(ValueOf("'" + A255 + "'"), Marker(vaString) + "\xFF" + A255);
    EXPECT_EQ(ValueOf("'" + A256 + "'"), Marker(vaLString) + Le(256, 4) + A256);
    EXPECT_EQ(B2T(OneValue(Marker(vaString) + std::string(1, '\0'))), OneValueText("''"));
}

TEST(FormTextStrings, QuotesAndCodes) {
    EXPECT_EQ(ValueOf("'It''s'"), Marker(vaString) + "\x04It's");
    EXPECT_EQ(ValueOf("''''"), Marker(vaString) + "\x01'");
    EXPECT_EQ(ValueOf("#65#$42'c'#0"), Marker(vaString) + std::string("\x04"
                                                                      "ABc\0",
                                                                      5));
    EXPECT_EQ(ValueOf("'a' + 'b'+'c'"), Marker(vaString) +
                                            "\x03"
                                            "abc");
    EXPECT_EQ(ValueOf("'a' +\n    #10"), Marker(vaString) +
                                             "\x02"
                                             "a\n");
    EXPECT_EQ(B2T(OneValue(Marker(vaString) + "\x06"
                                              "a'\t\x7F"
                                              "b~")),
              OneValueText("'a'''#9#127'b~'"));
}

TEST(FormTextStrings, RawNonAsciiIsUtf8) {
    EXPECT_EQ(ValueOf("'caf\xC3\xA9'"), Marker(vaUTF8String) + Le(5, 4) + "caf\xC3\xA9");
    EXPECT_EQ(ValueOf("'\xE2\x82\xAC' + '1'"), Marker(vaUTF8String) + Le(4, 4) +
                                                   "\xE2\x82\xAC"
                                                   "1");
    // Bytes inside quotes are kept as they are, even when they are not UTF-8.
    EXPECT_EQ(ValueOf("'\xFF'"), Marker(vaUTF8String) + Le(1, 4) + "\xFF");
}

TEST(FormTextStrings, CodesOf128AndAboveAreWide) {
    EXPECT_EQ(ValueOf("'caf'#233"),
              Marker(vaWString) + Le(4, 4) + std::string("c\0a\0f\0\xE9\0", 8));
    EXPECT_EQ(ValueOf("#$1F600"),
              Marker(vaWString) + Le(2, 4) + std::string("\x3D\xD8\x00\xDE", 4));
    EXPECT_EQ(ValueOf("#55296"), Marker(vaWString) + Le(1, 4) + std::string("\x00\xD8", 2));
    // Raw UTF-8 in a wide string is decoded, also across '+' pieces.
    EXPECT_EQ(ValueOf("'\xC3' + '\xA9'#128"),
              Marker(vaWString) + Le(2, 4) + std::string("\xE9\0\x80\0", 4));
    EXPECT_EQ(ValueOf("#1114111"),
              Marker(vaWString) + Le(2, 4) + std::string("\xFF\xDB\xFF\xDF", 4));
}

TEST(FormTextStrings, HowEachMarkerIsWritten) {
    // UTF-8 keeps its text; wide strings write every non-ASCII character as a code.
    EXPECT_EQ(B2T(OneValue(Marker(vaUTF8String) + Le(5, 4) + "caf\xC3\xA9")),
              OneValueText("'caf\xC3\xA9'"));
    EXPECT_EQ(B2T(OneValue(Marker(vaWString) + Le(4, 4) + std::string("c\0a\0f\0\xE9\0", 8))),
              OneValueText("'caf'#233"));
    EXPECT_EQ(B2T(OneValue(Marker(vaWString) + Le(2, 4) + std::string("\x3D\xD8\x00\xDE", 4))),
              OneValueText("#128512"));
    EXPECT_EQ(B2T(OneValue(Marker(vaWString) + Le(1, 4) + std::string("\x00\xDC", 2))),
              OneValueText("#56320"));
    // Single-byte strings read bytes of 128 and above as the codes of those bytes.
    EXPECT_EQ(B2T(OneValue(Marker(vaString) + "\x04"
                                              "caf\xE9")),
              OneValueText("'caf'#233"));
    EXPECT_EQ(B2T(OneValue(Marker(vaLString) + Le(2, 4) + "ab")), OneValueText("'ab'"));
    EXPECT_EQ(B2T(OneValue(Marker(vaUTF8String) + Le(2, 4) + "ab")), OneValueText("'ab'"));
    EXPECT_EQ(B2T(OneValue(Marker(vaWString) + Le(2, 4) + std::string("a\0b\0", 4))),
              OneValueText("'ab'"));
}

TEST(FormTextStrings, EveryWriterStringRoundTripsByteExactly) {
    std::vector<std::string> Values = {
        Marker(vaString) + std::string(1, '\0'),
        Marker(vaString) +
            "\x03"
            "a'b",
        Marker(vaString) + std::string("\x03\0\r\n", 4),
        Marker(vaString) + "\xFF" + std::string(255, 'x'),
        Marker(vaLString) + Le(256, 4) + std::string(256, 'y'),
        Marker(vaLString) + Le(1000, 4) + std::string(1000, '\''),
        Marker(vaUTF8String) + Le(5, 4) + "caf\xC3\xA9",
        Marker(vaUTF8String) + Le(4, 4) + "\xF0\x9F\x98\x80",
        Marker(vaUTF8String) + Le(3, 4) + "\xC3\x28\xFF",  // not UTF-8, kept byte for byte
        Marker(vaUTF8String) + Le(1, 4) + "\x80",
        Marker(vaWString) + Le(1, 4) + std::string("\xE9\0", 2),
        Marker(vaWString) + Le(3, 4) + std::string("a\0\xAC\x20\x0A\0", 6),
        Marker(vaWString) + Le(2, 4) + std::string("\x3D\xD8\x00\xDE", 4),
        Marker(vaWString) + Le(2, 4) + std::string("\x00\xDC\x00\xD8", 4),  // lone surrogates
        Marker(vaWString) + Le(1, 4) + std::string("\xFF\xFF", 2),
    };
    std::string Long;
    for (int I = 0; I < 300; ++I) Long += (I % 7 == 0) ? "\xC3\xA9" : (I % 11 == 0) ? "'" : "z";
    Values.push_back(Marker(vaUTF8String) + Le(Long.size(), 4) + Long);
    std::string Wide;
    for (int I = 0; I < 200; ++I)
        Wide += I % 3 ? std::string("q\0", 2) : std::string("\x01\x04", 2);
    Values.push_back(Marker(vaWString) + Le(200, 4) + Wide);
    for (const std::string& V : Values) {
        std::string Binary = OneValue(V);
        EXPECT_EQ(T2B(B2T(Binary)), Binary) << B2T(Binary);
    }
}

TEST(FormTextStrings, LongStringsAreSplitInto64CharacterPieces) {
    std::string A64(64, 'a'), B64(64, 'b');
    EXPECT_EQ(B2T(T2B(OneValueText("'" + A64 + "'"))), OneValueText("'" + A64 + "'"));
    EXPECT_EQ(B2T(T2B(OneValueText("'" + A64 + B64 + "c'"))),
              OneValueText("'" + A64 + "' +\n    '" + B64 + "' +\n    'c'"));
    // Pieces count characters, not the text they are written as.
    std::string Doubled(128, '\'');
    EXPECT_EQ(B2T(T2B(OneValueText("'" + Doubled + "'''"))),
              OneValueText("'" + Doubled + "' +\n    ''''"));
    std::string E;
    for (int I = 0; I < 65; ++I) E += "\xC3\xA9";
    EXPECT_EQ(B2T(T2B(OneValueText("'" + E + "'"))),
              OneValueText("'" + E.substr(0, 128) + "' +\n    '\xC3\xA9'"));
}

TEST(FormTextStrings, PiecesInsideListsIndentOneLevelDeeper) {
    std::string A70(70, 'a');
    std::string Text =
        "object A: TA\n  X = (\n    '" + A70.substr(0, 64) + "' +\n      'aaaaaa'\n    'b')\nend\n";
    EXPECT_EQ(B2T(T2B(Text)), Text);
}

// ---------------------------------------------------------------- identifiers and sets

TEST(FormTextIdents, BooleansNilAndIdentifiers) {
    EXPECT_EQ(ValueOf("True"), Marker(vaTrue));
    EXPECT_EQ(ValueOf("tRUE"), Marker(vaTrue));
    EXPECT_EQ(ValueOf("FALSE"), Marker(vaFalse));
    EXPECT_EQ(ValueOf("nil"), Marker(vaNil));
    EXPECT_EQ(ValueOf("NIL"), Marker(vaNil));
    EXPECT_EQ(ValueOf("clBtnFace"), Marker(vaIdent) +
                                        "\x09"
                                        "clBtnFace");
    EXPECT_EQ(ValueOf("Form2.Button1"), Marker(vaIdent) +
                                            "\x0D"
                                            "Form2.Button1");
    EXPECT_EQ(ValueOf("_x1"), Marker(vaIdent) +
                                  "\x03"
                                  "_x1");
    EXPECT_EQ(B2T(OneValue(Marker(vaTrue))), OneValueText("True"));
    EXPECT_EQ(B2T(OneValue(Marker(vaFalse))), OneValueText("False"));
    EXPECT_EQ(B2T(OneValue(Marker(vaNil))), OneValueText("nil"));
    EXPECT_EQ(B2T(OneValue(Marker(vaIdent) + "\x05"
                                             "alTop")),
              OneValueText("alTop"));
}

TEST(FormTextIdents, LongestIdentifier) {
    std::string Name(255, 'n');
    EXPECT_EQ(ValueOf(Name), Marker(vaIdent) + "\xFF" + Name);
}

TEST(FormTextSets, EmptyAndNonEmpty) {
    EXPECT_EQ(ValueOf("[]"), Marker(vaSet) + std::string(1, '\0'));
    EXPECT_EQ(ValueOf("[ fsBold , fsItalic ]"), Marker(vaSet) +
                                                    "\x06"
                                                    "fsBold\x08"
                                                    "fsItalic" +
                                                    std::string(1, '\0'));
    EXPECT_EQ(ValueOf("[0, 31]"), Marker(vaSet) +
                                      "\x01"
                                      "0\x02"
                                      "31" +
                                      std::string(1, '\0'));
    EXPECT_EQ(B2T(OneValue(Marker(vaSet) + std::string(1, '\0'))), OneValueText("[]"));
    EXPECT_EQ(B2T(OneValue(Marker(vaSet) +
                           "\x01"
                           "a\x01"
                           "b\x01"
                           "c" +
                           std::string(1, '\0'))),
              OneValueText("[a, b, c]"));
}

// ---------------------------------------------------------------- lists, collections, binary

TEST(FormTextLists, EmptyNestedAndMixed) {
    EXPECT_EQ(ValueOf("()"), Marker(vaList) + std::string(1, '\0'));
    EXPECT_EQ(ValueOf("(())"), Marker(vaList) + Marker(vaList) + std::string(2, '\0'));
    EXPECT_EQ(ValueOf("(1 'a' x)"), Marker(vaList) + "\x02\x01" + Marker(vaString) +
                                        "\x01"
                                        "a" +
                                        Marker(vaIdent) +
                                        "\x01"
                                        "x" +
                                        std::string(1, '\0'));
    const std::string Text =
        "object A: TA\n"
        "  X = (\n"
        "    (\n"
        "      ()\n"
        "      <\n"
        "        item\n"
        "        end>)\n"
        "    {\n"
        "      FF}\n"
        "    [a])\n"
        "end\n";
    EXPECT_EQ(B2T(T2B(Text)), Text);
}

TEST(FormTextCollections, EmptyNestedAndIndexed) {
    EXPECT_EQ(ValueOf("<>"), Marker(vaCollection) + std::string(1, '\0'));
    EXPECT_EQ(ValueOf("<item end>"), Marker(vaCollection) + Marker(vaList) + std::string(2, '\0'));
    EXPECT_EQ(ValueOf("<item [3] end item [-1000] end>"),
              Marker(vaCollection) + Marker(vaInt8) + "\x03" + Marker(vaList) +
                  std::string(1, '\0') + Marker(vaInt16) + Le(uint64_t(-1000), 2) + Marker(vaList) +
                  std::string(2, '\0'));
    const std::string Text =
        "object A: TA\n"
        "  X = <\n"
        "    item\n"
        "      Inner = <\n"
        "        item\n"
        "          Deep = <>\n"
        "        end\n"
        "        item [2]\n"
        "          Y = 1\n"
        "        end>\n"
        "      Z = 'z'\n"
        "    end\n"
        "    item\n"
        "    end>\n"
        "end\n";
    EXPECT_EQ(B2T(T2B(Text)), Text);
}

TEST(FormTextCollections, IndexMarkersReadBack) {
    std::string Binary = OneValue(Marker(vaCollection) + Marker(vaInt32) + Le(70000, 4) +
                                  Marker(vaList) + std::string(2, '\0'));
    EXPECT_EQ(B2T(Binary), "object A: TA\n  X = <\n    item [70000]\n    end>\nend\n");
    EXPECT_EQ(T2B(B2T(Binary)), Binary);
}

TEST(FormTextBinary, LinesOf32Bytes) {
    std::string Data;
    for (int I = 0; I < 70; ++I) Data += static_cast<char>(I * 37);
    std::string Binary = OneValue(Marker(vaBinary) + Le(70, 4) + Data);
    std::string Text = B2T(Binary);
    EXPECT_EQ(Text.substr(0, 24), "object A: TA\n  X = {\n   ");
    size_t Lines = 0;
    for (char C : Text) Lines += C == '\n';
    EXPECT_EQ(Lines, 6u);  // header, "X = {", three data lines, "end"
    std::string Expected = "object A: TA\n  X = {";
    for (int I = 0; I < 70; ++I) {
        if (I % 32 == 0) Expected += "\n    ";
        Expected += "0123456789ABCDEF"[(I * 37 & 0xFF) >> 4];
        Expected += "0123456789ABCDEF"[I * 37 & 15];
    }
    EXPECT_EQ(Text, Expected + "}\nend\n");
    EXPECT_EQ(T2B(Text), Binary);
    EXPECT_EQ(ValueOf("{}"), Marker(vaBinary) + Le(0, 4));
    EXPECT_EQ(ValueOf("{ a B\n c D }"), Marker(vaBinary) + Le(2, 4) + "\xAB\xCD");
    EXPECT_EQ(B2T(OneValue(Marker(vaBinary) + Le(0, 4))), OneValueText("{}"));
}

// ---------------------------------------------------------------- text errors

struct TextErrorCase {
    std::string Text;
    std::string Message;
};
void PrintTo(const TextErrorCase& C, std::ostream* OS) {
    *OS << C.Message;
}

class FormTextErrors : public ::testing::TestWithParam<TextErrorCase> {};

TEST_P(FormTextErrors, NameTheLine) {
    EXPECT_EQ(ParserErrorOf(GetParam().Text), GetParam().Message);
}

const std::string Head = "object A: TA\n";

INSTANTIATE_TEST_SUITE_P(
    FormTextMessages, FormTextErrors,
    ::testing::Values(
        TextErrorCase{"", "Line 1: 'object' expected but end of file found"},
        TextErrorCase{"\n\n  ", "Line 3: 'object' expected but end of file found"},
        TextErrorCase{"form A: TA end", "Line 1: 'object' expected but 'form' found"},
        TextErrorCase{"'x'", "Line 1: 'object' expected but string found"},
        TextErrorCase{Head + "  X = (\n    1\nend\n", "Line 4: ')' expected but 'end' found"},
        TextErrorCase{Head + "  X = (\n    1\n", "Line 4: ')' expected but end of file found"},
        TextErrorCase{Head + "  X = (1 = 2)\nend", "Line 2: ')' expected but '=' found"},
        TextErrorCase{Head + "  X = 12abc\nend", "Line 2: Invalid number"},
        TextErrorCase{Head + "  X = 1e\nend", "Line 2: Invalid number"},
        TextErrorCase{Head + "  X = 1e+\nend", "Line 2: Invalid number"},
        TextErrorCase{Head + "  X = -\nend", "Line 2: Invalid number"},
        TextErrorCase{Head + "  X = -x\nend", "Line 2: Invalid number"},
        TextErrorCase{Head + "  X = $\nend", "Line 2: Invalid number"},
        TextErrorCase{Head + "  X = $G\nend", "Line 2: Invalid number"},
        TextErrorCase{Head + "  X = $1G\nend", "Line 2: Invalid number"},
        TextErrorCase{Head + "  X = 1.5.3\nend", "Line 2: Invalid number"},
        TextErrorCase{Head + "  X = 1.5sx\nend", "Line 2: Invalid number"},
        TextErrorCase{Head + "  X = 1$\nend", "Line 2: Invalid number"},
        TextErrorCase{Head + "  X = 9223372036854775808\nend", "Line 2: Number out of range"},
        TextErrorCase{Head + "  X = -9223372036854775809\nend", "Line 2: Number out of range"},
        TextErrorCase{Head + "  X = $10000000000000000\nend", "Line 2: Number out of range"},
        TextErrorCase{Head + "  X = 922337203685477.5808c\nend", "Line 2: Number out of range"},
        TextErrorCase{Head + "  X = 922337203685477.58075c\nend", "Line 2: Number out of range"},
        TextErrorCase{Head + "  X = -922337203685477.5809c\nend", "Line 2: Number out of range"},
        TextErrorCase{Head + "  X = 1e30c\nend", "Line 2: Number out of range"},
        TextErrorCase{Head + "  X = 'abc\nend", "Line 2: Unterminated string"},
        TextErrorCase{Head + "  X = 'abc\r\nend", "Line 2: Unterminated string"},
        TextErrorCase{Head + "  X = 'abc", "Line 2: Unterminated string"},
        TextErrorCase{Head + "  X = 'ok'#13'abc\nend", "Line 2: Unterminated string"},
        TextErrorCase{Head + "  X = 'a' +\n    'b\nend", "Line 3: Unterminated string"},
        TextErrorCase{Head + "  X = #\nend", "Line 2: Invalid character code"},
        TextErrorCase{Head + "  X = #$\nend", "Line 2: Invalid character code"},
        TextErrorCase{Head + "  X = #1114112\nend", "Line 2: Invalid character code"},
        TextErrorCase{Head + "  X = #$110000\nend", "Line 2: Invalid character code"},
        TextErrorCase{Head + "  X = #99999999999999999999999\nend",
                      "Line 2: Invalid character code"},
        TextErrorCase{Head + "  X = @\nend", "Line 2: Invalid character '@'"},
        TextErrorCase{Head + "  X = \"a\"\nend", "Line 2: Invalid character '\"'"},
        TextErrorCase{Head + "  X = 1 // note\nend", "Line 2: Invalid character '/'"},
        TextErrorCase{Head + "  X = \xC3\xA9\nend", "Line 2: Invalid character #195"},
        TextErrorCase{Head + std::string("  X = \0\nend", 11), "Line 2: Invalid character #0"},
        TextErrorCase{Head + "  Font. = 1\nend", "Line 2: Invalid character '.'"},
        TextErrorCase{Head + "  X 1\nend", "Line 2: '=' expected but '1' found"},
        TextErrorCase{Head + "  X\nend", "Line 3: '=' expected but 'end' found"},
        TextErrorCase{Head + "  X =\nend", "Line 3: Value expected but 'end' found"},
        TextErrorCase{Head + "  X = )\nend", "Line 2: Value expected but ')' found"},
        TextErrorCase{Head + "  X = object\nend", "Line 2: Value expected but 'object' found"},
        TextErrorCase{Head + "  X = 'a' +\n  1\nend", "Line 3: String expected but '1' found"},
        TextErrorCase{Head + "  X = 'a' + end", "Line 2: String expected but 'end' found"},
        TextErrorCase{Head, "Line 2: 'end' expected but end of file found"},
        TextErrorCase{Head + "  X = 1\n  5 = 2\nend", "Line 3: 'end' expected but '5' found"},
        TextErrorCase{Head + "  object B: TB\n  end\n  X = 1\nend",
                      "Line 4: 'end' expected but 'X' found"},
        TextErrorCase{Head + "end\nx", "Line 3: End of file expected but 'x' found"},
        TextErrorCase{Head + "end\r\nend", "Line 3: End of file expected but 'end' found"},
        TextErrorCase{Head + "end\r\r\r(", "Line 5: End of file expected but '(' found"},
        TextErrorCase{"object : 5 end", "Line 1: Identifier expected but '5' found"},
        TextErrorCase{"object A: end", "Line 1: Identifier expected but 'end' found"},
        TextErrorCase{"object end", "Line 1: Identifier expected but 'end' found"},
        TextErrorCase{"object [x] A: TA end", "Line 1: Integer expected but 'x' found"},
        TextErrorCase{"object [1.5] A: TA end", "Line 1: Integer expected but '1.5' found"},
        TextErrorCase{"object [3000000000] A: TA end", "Line 1: Number out of range"},
        TextErrorCase{"object A: TA [1\nend", "Line 2: ']' expected but 'end' found"},
        TextErrorCase{"object [1] A: TA [2]\nend", "Line 1: 'end' expected but '[' found"},
        TextErrorCase{Head + "  X = [a b]\nend", "Line 2: ']' expected but 'b' found"},
        TextErrorCase{Head + "  X = [a,]\nend", "Line 2: Identifier expected but ']' found"},
        TextErrorCase{Head + "  X = ['a']\nend", "Line 2: Identifier expected but string found"},
        TextErrorCase{Head + "  X = [a\nend", "Line 3: ']' expected but 'end' found"},
        TextErrorCase{Head + "  X = <foo>\nend", "Line 2: 'item' expected but 'foo' found"},
        TextErrorCase{Head + "  X = <item X = 1>\nend", "Line 2: 'end' expected but '>' found"},
        TextErrorCase{Head + "  X = <item [a] end>\nend", "Line 2: Integer expected but 'a' found"},
        TextErrorCase{Head + "  X = <item end\nend", "Line 3: 'item' expected but 'end' found"},
        TextErrorCase{Head + "  X = {12 3}\nend", "Line 2: Invalid binary data"},
        TextErrorCase{Head + "  X = {\n  12\n  zz}\nend", "Line 4: Invalid binary data"},
        TextErrorCase{Head + "  X = {12\n", "Line 3: '}' expected but end of file found"},
        TextErrorCase{Head + "  " + std::string(256, 'p') + " = 1\nend",
                      "Line 2: Identifier too long"},
        TextErrorCase{Head + "  X = " + std::string(256, 'v') + "\nend",
                      "Line 2: Identifier too long"}));

TEST(FormTextErrorsKind, ParserErrorIsAConvertError) {
    EXPECT_THROW(ObjectTextToBinary("object"), EParserError);
    EXPECT_THROW(ObjectTextToBinary("object"), EConvertError);
    try {
        ObjectTextToBinary("x");
    } catch (const Exception& E) {
        EXPECT_STREQ(E.ClassName(), "EParserError");
    }
}

TEST(FormTextErrorsKind, LineNumbersCountEveryLineEnd) {
    EXPECT_EQ(ParserErrorOf("object A: TA\r\n\r\n  X = @"), "Line 3: Invalid character '@'");
    EXPECT_EQ(ParserErrorOf("object A: TA\r\r  X = @"), "Line 3: Invalid character '@'");
    EXPECT_EQ(ParserErrorOf("object A: TA\n\r  X = @"), "Line 3: Invalid character '@'");
    EXPECT_EQ(ParserErrorOf("object A: TA\n  X = {\r\n 00\r\n 0}"), "Line 4: Invalid binary data");
}

TEST(FormTextErrorsKind, NestingTooDeep) {
    std::string Objects, Close;
    for (int I = 0; I < 300; ++I) {
        Objects += "object A: TA\n";
        Close += "end\n";
    }
    EXPECT_EQ(ParserErrorOf(Objects + Close), "Line 257: Nesting too deep");
    EXPECT_EQ(
        ParserErrorOf(Head + "  X = " + std::string(300, '(') + std::string(300, ')') + "\nend"),
        "Line 2: Nesting too deep");
    std::string Items;
    for (int I = 0; I < 300; ++I) Items += "<item X = ";
    EXPECT_EQ(ParserErrorOf(Head + "  X = " + Items), "Line 2: Nesting too deep");
    // Components, lists and collections share one count: 255 components, then a list is too deep.
    std::string Mixed;
    for (int I = 0; I < MaxFilerNesting; ++I) Mixed += "object A: TA\n";
    EXPECT_EQ(ParserErrorOf(Mixed + "  X = (1)"), "Line 257: Nesting too deep");
    std::string Lists = Head + "  X = " + std::string(MaxFilerNesting - 1, '(') + "1" +
                        std::string(MaxFilerNesting - 1, ')') + "\nend\n";
    EXPECT_NO_THROW(T2B(Lists));
}

// ---------------------------------------------------------------- binary errors

struct BinaryErrorCase {
    std::string Name;
    std::string Binary;
    std::string Message;
};
void PrintTo(const BinaryErrorCase& C, std::ostream* OS) {
    *OS << C.Name;
}

class FormTextBinaryErrors : public ::testing::TestWithParam<BinaryErrorCase> {};

TEST_P(FormTextBinaryErrors, AreReadErrors) {
    EXPECT_EQ(ReadErrorOf(GetParam().Binary), GetParam().Message);
}

INSTANTIATE_TEST_SUITE_P(
    FormTextMessages, FormTextBinaryErrors,
    ::testing::Values(
        BinaryErrorCase{"Empty", "", "Invalid stream format"},
        BinaryErrorCase{"ShortSignature", "TP", "Invalid stream format"},
        BinaryErrorCase{"WrongSignature", TBin().Raw("TPF1").Obj("TA", "A").End().End(),
                        "Invalid stream format"},
        BinaryErrorCase{"TextGiven", "object A: TA\nend\n", "Invalid stream format"},
        BinaryErrorCase{"UnknownMarker", OneValue("\x16"), "Invalid value type (22)"},
        BinaryErrorCase{"UnknownMarkerFF", OneValue("\xFF"), "Invalid value type (255)"},
        BinaryErrorCase{"NullAsValue", OneValue(std::string(1, '\0')), "Invalid property value"},
        BinaryErrorCase{"LStringTooLong", OneValue(Marker(vaLString) + Le(1000, 4) + "abc"),
                        "Stream read error"},
        BinaryErrorCase{"UTF8TooLong", OneValue(Marker(vaUTF8String) + Le(0xFFFFFFFF, 4)),
                        "Stream read error"},
        BinaryErrorCase{"WStringTooLong", OneValue(Marker(vaWString) + Le(0x7FFFFFFF, 4)),
                        "Stream read error"},
        BinaryErrorCase{
            "WStringOddBytes",
            TBin().Sig().Obj("TA", "A").Prop("X").Raw(Marker(vaWString) + Le(2, 4) + "abc").Str(),
            "Stream read error"},
        BinaryErrorCase{"BinaryTooLong", OneValue(Marker(vaBinary) + Le(0xFFFFFFF0, 4)),
                        "Stream read error"},
        BinaryErrorCase{"ShortStringTooLong", TBin().Sig().B({200}).Raw("TA"), "Stream read error"},
        BinaryErrorCase{"UnknownPrefixFlag", TBin().Sig().B({0xF8}).Obj("TA", "A").End().End(),
                        "Invalid component prefix"},
        BinaryErrorCase{"InheritedAndInline", TBin().Sig().B({0xF5}).Obj("TA", "A").End().End(),
                        "Invalid component prefix"},
        BinaryErrorCase{"ChildPosInt64",
                        TBin().Sig().B({0xF2, vaInt64}).Le(1, 8).Obj("TA", "A").End().End(),
                        "Invalid stream format"},
        BinaryErrorCase{"ChildPosString",
                        TBin().Sig().B({0xF2, vaString}).Short("1").Obj("TA", "A").End().End(),
                        "Invalid stream format"},
        BinaryErrorCase{"ItemIndexString",
                        OneValue(Marker(vaCollection) + Marker(vaString) +
                                 "\x01"
                                 "a"),
                        "Invalid stream format"},
        BinaryErrorCase{"ItemWithoutList",
                        OneValue(Marker(vaCollection) + Marker(vaInt8) + "\x01" + Marker(vaInt8)),
                        "Invalid stream format"},
        BinaryErrorCase{"MissingChildrenEnd", TBin().Sig().Obj("TA", "A").End(),
                        "Stream read error"}));

std::string NestedComponents(int Depth) {
    TBin B;
    B.Sig();
    for (int I = 0; I < Depth; ++I) B.Obj("TA", "A").End();
    for (int I = 0; I < Depth; ++I) B.End();
    return B;
}

std::string NestedLists(int Depth) {
    return OneValue(std::string(Depth, static_cast<char>(vaList)) + std::string(Depth, '\0'));
}

std::string NestedCollections(int Depth) {
    std::string V;
    for (int I = 0; I < Depth; ++I) V += Marker(vaCollection) + Marker(vaList) + "\x01X";
    V += Marker(vaNil);
    for (int I = 0; I < Depth; ++I)
        V += std::string(2, '\0');  // ends the item, then the collection
    return OneValue(V);
}

TEST(FormTextBinaryNesting, TooDeepIsRejected) {
    EXPECT_EQ(ReadErrorOf(NestedComponents(300)), "Nesting too deep");
    EXPECT_EQ(ReadErrorOf(NestedLists(300)), "Nesting too deep");
    EXPECT_EQ(ReadErrorOf(NestedCollections(300)), "Nesting too deep");
    EXPECT_EQ(ReadErrorOf(NestedComponents(MaxFilerNesting + 1)), "Nesting too deep");
    EXPECT_EQ(ReadErrorOf(NestedLists(MaxFilerNesting)),
              "Nesting too deep");  // the component counts too
}

TEST(FormTextBinaryNesting, DeepestAllowedRoundTrips) {
    for (const std::string& Binary :
         {NestedComponents(MaxFilerNesting), NestedLists(MaxFilerNesting - 1),
          NestedCollections(MaxFilerNesting - 1)}) {
        std::string Text = B2T(Binary);
        EXPECT_EQ(T2B(Text), Binary);
    }
}

// ---------------------------------------------------------------- round trips and streams

// A stream using every marker the writer produces, with every prefix form.
std::string EveryWriterMarker() {
    // clang-format off
    return TBin()
        .Sig()
        .B({0xF3, vaInt8, 1}).Obj("TForm1", "Form1")
        .Prop("I8").B({vaInt8, 0x80})
        .Prop("I16").B({vaInt16}).Le(uint64_t(-129), 2)
        .Prop("I32").B({vaInt32}).Le(uint64_t(INT32_MIN), 4)
        .Prop("I64").B({vaInt64}).Le(uint64_t(INT64_MAX), 8)
        .Prop("D").B({vaDouble}).Le(std::bit_cast<uint64_t>(0.1), 8)
        .Prop("S").B({vaSingle}).Le(std::bit_cast<uint32_t>(1.1f), 4)
        .Prop("C").B({vaCurrency}).Le(123456789, 8)
        .Prop("Dt").B({vaDate}).Le(std::bit_cast<uint64_t>(45291.999988426), 8)
        .Prop("Str").B({vaString}).Short("It's")
        .Prop("LStr").B({vaLString}).Le(300, 4).Raw(std::string(300, '-'))
        .Prop("U8").B({vaUTF8String}).Le(8, 4).Raw("\xE2\x82\xAC 1,00")
        .Prop("W").B({vaWString}).Le(2, 4).Raw(std::string("\xAC\x20!\0", 4))
        .Prop("Id").B({vaIdent}).Short("clWindow")
        .Prop("F").B({vaFalse}).Prop("T").B({vaTrue}).Prop("N").B({vaNil})
        .Prop("Set").B({vaSet}).Short("akLeft").Short("akTop").B({0})
        .Prop("Lines.Strings").B({vaList, vaString}).Short("a")
            .B({vaUTF8String}).Le(2, 4).Raw("\xC3\xA9").End()
        .Prop("Cols").B({vaCollection, vaList}).Prop("W").B({vaInt8, 5}).End()
            .B({vaList}).End().End()
        .Prop("Bin").B({vaBinary}).Le(40, 4).Raw(std::string(40, '\x5A'))
        .End()
        .B({0xF1}).Obj("TPanel", "Panel1").End()
        .B({0xF6, vaInt16}).Le(1000, 2).Obj("TFrame1", "Frame1").End().End()
        .End()
        .Obj("TLabel", "").End().End()
        .End();
    // clang-format on
}

TEST(FormTextRoundTrip, BinaryTextBinaryIsByteExact) {
    std::string Binary = EveryWriterMarker();
    std::string Text = B2T(Binary);
    EXPECT_EQ(T2B(Text), Binary) << Text;
    EXPECT_EQ(B2T(T2B(Text)), Text);
}

TEST(FormTextRoundTrip, TruncationAtEveryByteIsAReadError) {
    for (const std::string& Binary : {EveryWriterMarker(), T2B(AllConstructs)}) {
        for (size_t N = 0; N < Binary.size(); ++N)
            EXPECT_THROW(B2T(Binary.substr(0, N)), EReadError) << "prefix of " << N << " bytes";
        EXPECT_NO_THROW(B2T(Binary));
    }
}

TEST(FormTextRoundTrip, TextTextIsStableAfterOneNormalisation) {
    const std::string Loose =
        "object   f : TF [ 1 ]\n"
        "X=$FFFF Y=-0 Z=1.50E1 W='a'+'b'#97 V=( 1 2 ) U=<item end> T={ab\n cd} S=[ x ,y ]\n"
        "object g:TG end\n"
        "end   \n\n";
    std::string Text1 = B2T(T2B(Loose));
    EXPECT_EQ(Text1,
              "object f: TF [1]\n"
              "  X = 65535\n"
              "  Y = 0\n"
              "  Z = 15.0\n"
              "  W = 'aba'\n"
              "  V = (\n"
              "    1\n"
              "    2)\n"
              "  U = <\n"
              "    item\n"
              "    end>\n"
              "  T = {\n"
              "    ABCD}\n"
              "  S = [x, y]\n"
              "  object g: TG\n"
              "  end\n"
              "end\n");
    EXPECT_EQ(B2T(T2B(Text1)), Text1);
}

TEST(FormTextRoundTrip, TrailingBytesAfterTheComponentAreLeftAlone) {
    std::string Binary = TBin().Sig().Obj("TA", "A").End().End();
    EXPECT_EQ(B2T(Binary + "garbage"), "object A: TA\nend\n");
}

TEST(FormTextStreams, ReadFromThePositionAndAppendAtTheOutputPosition) {
    std::string Binary = TBin().Sig().Obj("TA", "A").End().End();
    TStringStream In("xyz" + Binary);
    In.SetPosition(3);
    TStringStream Out("header:");
    Out.Seek(0, soEnd);
    ObjectBinaryToText(&In, &Out);
    EXPECT_EQ(Out.GetDataString(), "header:object A: TA\nend\n");
    EXPECT_EQ(In.GetPosition(), static_cast<int64_t>(3 + Binary.size()));

    TStringStream TextIn("skip object A: TA end");
    TextIn.SetPosition(5);
    TMemoryStream BinOut;
    ObjectTextToBinary(&TextIn, &BinOut);
    EXPECT_EQ(std::string(BinOut.Data().begin(), BinOut.Data().end()), Binary);
}

TEST(FormTextStreams, NothingIsWrittenOnError) {
    TStringStream In(TBin().Sig().Obj("TA", "A").Prop("X").B({vaInt8}).Str());
    TStringStream Out;
    EXPECT_THROW(ObjectBinaryToText(&In, &Out), EReadError);
    EXPECT_EQ(Out.GetSize(), 0);
    TStringStream TextIn("object A: TA X = @ end");
    EXPECT_THROW(ObjectTextToBinary(&TextIn, &Out), EParserError);
    EXPECT_EQ(Out.GetSize(), 0);
}

}  // namespace
}  // namespace zk
