// Tests for TEditMask: mask parsing, accepted characters, text conversions, typing, validation.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "platform/core/DateUtils.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/MaskEngine.h"

namespace zk {
namespace {

const char* const DateMask = "!90/00/0000;1;_";
const char* const TimeMask = "!90:00:00 >LL;1;_";
const char* const DateTimeMask = "!90/00/0000 90:00:00 >LL;1;_";
const char* const PhoneMask = "\\(999\\) 000-0000;1;_";

// The message of the EDBEditError raised by Fn, or a marker when nothing is raised.
template <typename F>
std::string EditErrorOf(F&& Fn) {
    try {
        Fn();
    } catch (const EDBEditError& E) {
        return E.Message();
    }
    return "<no exception>";
}

// Keys for the typing simulation besides plain characters.
constexpr char KeyBackspace = '\b';
constexpr char KeyDelete = '\x7f';
constexpr char KeyHome = '\x01';

// Plays Keys into an editor starting at Cursor; one '+' or '-' per key for accepted or refused.
std::string Type(const TEditMask& M, std::string& Edit, int& Cursor, const std::string& Keys) {
    std::string Results;
    for (char K : Keys) {
        bool Ok = true;
        if (K == KeyBackspace || K == KeyDelete) {
            Ok = M.DeleteChar(Edit, Cursor, K == KeyBackspace);
        } else if (K == KeyHome) {
            Cursor = 0;
        } else {
            Ok = M.InsertChar(Edit, Cursor, K);
        }
        Results += Ok ? '+' : '-';
    }
    return Results;
}

// What an editor shows after Keys are typed into an empty mask.
std::string Typed(const TEditMask& M, const std::string& Keys) {
    std::string Edit = M.EmptyEditText();
    int Cursor = 0;
    Type(M, Edit, Cursor, Keys);
    return Edit;
}

struct ParseCase {
    const char* Mask;
    int EditLength;
    bool MaskSave;
    char Blank;
    bool LeadingBlanks;
    const char* Empty;
};
void PrintTo(const ParseCase& C, std::ostream* OS) {
    *OS << '"' << C.Mask << '"';
}

class MaskParsing : public ::testing::TestWithParam<ParseCase> {};

TEST_P(MaskParsing, ReadsFieldsDirectivesAndPositions) {
    const ParseCase& C = GetParam();
    TEditMask M(C.Mask);
    EXPECT_EQ(M.GetMask(), C.Mask);
    EXPECT_EQ(M.GetEditLength(), C.EditLength);
    EXPECT_EQ(M.IsEmpty(), C.EditLength == 0);
    EXPECT_EQ(M.GetMaskSave(), C.MaskSave);
    EXPECT_EQ(M.GetBlank(), C.Blank);
    EXPECT_EQ(M.GetLeadingBlanks(), C.LeadingBlanks);
    EXPECT_EQ(M.EmptyEditText(), C.Empty);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, MaskParsing,
    ::testing::Values(ParseCase{"", 0, true, '_', false, ""},
                      ParseCase{DateMask, 10, true, '_', true, "__/__/____"},
                      ParseCase{TimeMask, 11, true, '_', true, "__:__:__ __"},
                      ParseCase{DateTimeMask, 22, true, '_', true, "__/__/____ __:__:__ __"},
                      ParseCase{PhoneMask, 14, true, '_', false, "(___) ___-____"},
                      ParseCase{"000;0;*", 3, false, '*', false, "***"},
                      ParseCase{"000;1;*", 3, true, '*', false, "***"},
                      ParseCase{"000;x", 3, true, '_', false, "___"},
                      ParseCase{"000;", 3, true, '_', false, "___"},
                      ParseCase{"000;;*", 3, true, '*', false, "***"},
                      ParseCase{"000;0;", 3, false, '_', false, "___"},
                      ParseCase{"000;0;;", 3, false, ';', false, ";;;"},
                      ParseCase{">LL<ll<>cc", 6, true, '_', false, "______"},
                      ParseCase{"00_00", 5, true, '_', false, "__ __"},
                      ParseCase{"99:99/99", 8, true, '_', false, "__:__/__"},
                      ParseCase{"\\\\\\;9;0", 3, false, '_', false, "\\;_"},
                      ParseCase{"\\!\\>\\_9", 4, true, '_', false, "!>__"},
                      ParseCase{"\\LL\\0", 3, true, '_', false, "L_0"},
                      ParseCase{"9\\", 1, true, '_', false, "_"},
                      ParseCase{"!", 0, true, '_', true, ""},
                      ParseCase{"<>", 0, true, '_', false, ""},
                      ParseCase{"99!", 2, true, '_', true, "__"},
                      ParseCase{"a-b", 3, true, '_', false, "_-b"}));

struct PositionCase {
    const char* Mask;
    int Pos;
    bool Literal;
    bool Required;
    char LiteralChar;
};
void PrintTo(const PositionCase& C, std::ostream* OS) {
    *OS << '"' << C.Mask << "\" @" << C.Pos;
}

class MaskPositions : public ::testing::TestWithParam<PositionCase> {};

TEST_P(MaskPositions, KnowLiteralsAndRequiredCharacters) {
    const PositionCase& C = GetParam();
    TEditMask M(C.Mask);
    EXPECT_EQ(M.IsLiteral(C.Pos), C.Literal);
    EXPECT_EQ(M.IsRequired(C.Pos), C.Required);
    EXPECT_EQ(M.LiteralChar(C.Pos), C.LiteralChar);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, MaskPositions,
    ::testing::Values(
        PositionCase{DateMask, 0, false, false, 0}, PositionCase{DateMask, 1, false, true, 0},
        PositionCase{DateMask, 2, true, false, '/'}, PositionCase{DateMask, 9, false, true, 0},
        PositionCase{DateMask, 10, false, false, 0}, PositionCase{DateMask, -1, false, false, 0},
        PositionCase{TimeMask, 2, true, false, ':'}, PositionCase{TimeMask, 8, true, false, ' '},
        PositionCase{TimeMask, 9, false, true, 0}, PositionCase{PhoneMask, 0, true, false, '('},
        PositionCase{PhoneMask, 4, true, false, ')'}, PositionCase{PhoneMask, 1, false, false, 0},
        PositionCase{PhoneMask, 6, false, true, 0}, PositionCase{"Ll", 0, false, true, 0},
        PositionCase{"Ll", 1, false, false, 0}, PositionCase{"Aa", 0, false, true, 0},
        PositionCase{"Aa", 1, false, false, 0}, PositionCase{"Cc", 0, false, true, 0},
        PositionCase{"Cc", 1, false, false, 0}, PositionCase{"#", 0, false, false, 0},
        PositionCase{"9_9", 1, true, false, ' '}, PositionCase{"9\\_9", 1, true, false, '_'},
        PositionCase{"9\\99", 1, true, false, '9'}, PositionCase{"x9", 0, true, false, 'x'}));

struct AcceptCase {
    const char* Mask;
    int Pos;
    char Typed;
    char Stored;  // 0: refused
};
void PrintTo(const AcceptCase& C, std::ostream* OS) {
    *OS << '"' << C.Mask << "\" @" << C.Pos << " <- " << static_cast<int>(C.Typed);
}

class MaskAccepts : public ::testing::TestWithParam<AcceptCase> {};

TEST_P(MaskAccepts, FiltersAndConvertsTheTypedCharacter) {
    const AcceptCase& C = GetParam();
    EXPECT_EQ(TEditMask(C.Mask).Accepts(C.Pos, C.Typed), C.Stored);
}

INSTANTIATE_TEST_SUITE_P(
    CharacterClasses, MaskAccepts,
    ::testing::Values(
        AcceptCase{"L", 0, 'a', 'a'}, AcceptCase{"L", 0, 'Z', 'Z'}, AcceptCase{"L", 0, '5', 0},
        AcceptCase{"L", 0, ' ', 0}, AcceptCase{"L", 0, '_', 0}, AcceptCase{"L", 0, '\xe9', 0},
        AcceptCase{"l", 0, 'q', 'q'}, AcceptCase{"l", 0, '-', 0}, AcceptCase{"A", 0, '7', '7'},
        AcceptCase{"A", 0, 'x', 'x'}, AcceptCase{"A", 0, '.', 0}, AcceptCase{"a", 0, 'K', 'K'},
        AcceptCase{"a", 0, '0', '0'}, AcceptCase{"a", 0, '+', 0}, AcceptCase{"C", 0, '.', '.'},
        AcceptCase{"C", 0, '%', '%'}, AcceptCase{"C", 0, '~', '~'}, AcceptCase{"C", 0, ' ', 0},
        AcceptCase{"C", 0, '_', 0}, AcceptCase{"C", 0, '\t', 0}, AcceptCase{"C", 0, '\0', 0},
        AcceptCase{"c", 0, '/', '/'}, AcceptCase{"0", 0, '5', '5'}, AcceptCase{"0", 0, 'a', 0},
        AcceptCase{"0", 0, '+', 0}, AcceptCase{"9", 0, '0', '0'}, AcceptCase{"9", 0, ' ', 0},
        AcceptCase{"#", 0, '+', '+'}, AcceptCase{"#", 0, '-', '-'}, AcceptCase{"#", 0, '3', '3'},
        AcceptCase{"#", 0, 'x', 0}, AcceptCase{"9/9", 1, '/', 0}, AcceptCase{"9/9", 3, '1', 0},
        AcceptCase{"9/9", -1, '1', 0}, AcceptCase{"C;0;*", 0, '*', 0},
        AcceptCase{"C;0;*", 0, '_', '_'}));

INSTANTIATE_TEST_SUITE_P(
    CaseDirectives, MaskAccepts,
    ::testing::Values(AcceptCase{">L", 0, 'a', 'A'}, AcceptCase{">L", 0, 'A', 'A'},
                      AcceptCase{">C", 0, 'x', 'X'}, AcceptCase{">C", 0, '1', '1'},
                      AcceptCase{"<L", 0, 'Q', 'q'}, AcceptCase{"<a", 0, 'Q', 'q'},
                      AcceptCase{"><>L", 0, 'q', 'q'}, AcceptCase{"<<>L", 0, 'Q', 'Q'},
                      AcceptCase{">L<>L", 1, 'b', 'b'}, AcceptCase{">L<L", 1, 'B', 'b'},
                      AcceptCase{">L-L", 2, 'b', 'B'}, AcceptCase{"<>>L", 0, 'b', 'B'},
                      AcceptCase{"\\>L", 1, 'b', 'b'}, AcceptCase{TimeMask, 9, 'p', 'P'},
                      AcceptCase{TimeMask, 10, 'm', 'M'}, AcceptCase{TimeMask, 9, '1', 0}));

struct TextCase {
    const char* Mask;
    const char* Text;      // given to FormatText
    const char* EditText;  // what FormatText makes of it
    const char* Stripped;  // StripText(EditText)
};
void PrintTo(const TextCase& C, std::ostream* OS) {
    *OS << '"' << C.Mask << "\" \"" << C.Text << '"';
}

class MaskTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(MaskTexts, FormatAndStripAgree) {
    const TextCase& C = GetParam();
    TEditMask M(C.Mask);
    EXPECT_EQ(M.FormatText(C.Text), C.EditText);
    EXPECT_EQ(M.StripText(C.EditText), C.Stripped);
    EXPECT_EQ(M.FormatText(C.Stripped), C.EditText);
}

INSTANTIATE_TEST_SUITE_P(
    SavedLiterals, MaskTexts,
    ::testing::Values(TextCase{DateMask, "03/05/2024", "03/05/2024", "03/05/2024"},
                      TextCase{DateMask, " 3/05/2024", "_3/05/2024", " 3/05/2024"},
                      TextCase{DateMask, "", "__/__/____", ""},
                      TextCase{DateMask, "12/05", "12/05/____", "12/05"},
                      TextCase{DateMask, "3/5/2024", "_3/_5/2024", " 3/ 5/2024"},
                      TextCase{DateMask, "12/31/19999", "12/31/1999", "12/31/1999"},
                      TextCase{"90/00/0000;1;_", "3/5/2024", "3_/5_/2024", "3 /5 /2024"},
                      TextCase{PhoneMask, "(555) 555-1234", "(555) 555-1234", "(555) 555-1234"},
                      TextCase{PhoneMask, "(   ) 555-1234", "(___) 555-1234", "(   ) 555-1234"},
                      TextCase{PhoneMask, "(555)", "(555) ___-____", "(555"},
                      TextCase{PhoneMask, "(5", "(5__) ___-____", "(5"},
                      TextCase{"999%;1;_", "123%", "123%", "123%"},
                      TextCase{"999%;1;_", "123", "123%", "123%"},
                      TextCase{"999%;1;_", "12", "12_%", "12"},
                      TextCase{"00_00;1;_", "12 34", "12 34", "12 34"},
                      TextCase{">LL-00;1;_", "ab-12", "ab-12", "ab-12"},
                      TextCase{"000-0000;1;*", "555-12", "555-12**", "555-12"},
                      TextCase{"000-0000;1;*", "555-1 3", "555-1*3*", "555-1 3"}));

INSTANTIATE_TEST_SUITE_P(
    UnsavedLiterals, MaskTexts,
    ::testing::Values(TextCase{"000-0000;0;_", "5551234", "555-1234", "5551234"},
                      TextCase{"000-0000;0;_", "555", "555-____", "555"},
                      TextCase{"000-0000;0;_", "555123456", "555-1234", "5551234"},
                      TextCase{"000-0000;0;_", "", "___-____", ""},
                      TextCase{"!999-9999;0;_", "1234", "___-1234", "1234"},
                      TextCase{"!999-9999;0;_", "12 4", "___-12_4", "12 4"},
                      TextCase{"!999-9999;0;_", "12345  ", "123-45__", "12345  "},
                      TextCase{"!999-9999;0;_", "12345678", "234-5678", "2345678"},
                      TextCase{"!90/00/0000;0;_", "3052024", "_3/05/2024", "3052024"},
                      TextCase{"000-0000;0;*", "555", "555-****", "555"},
                      TextCase{"CCC;0;*", "a b", "a*b", "a b"},
                      TextCase{"\\(999\\) 000-0000;0;_", "5555551234", "(555) 555-1234",
                               "5555551234"},
                      TextCase{"\\(999\\) 000-0000;0;_", " 55555", "(_55) 555-____", " 55555"}));

// Whatever an editor shows survives the trip through the saved text.
TEST(MaskTexts, EveryEditTextComesBackFromItsSavedText) {
    const char* const Masks[] = {
        DateMask,        TimeMask,        DateTimeMask, PhoneMask,           "000-0000;0;_",
        "!999-9999;0;_", "!999-9999;1;*", "99%9;1;_",   "\\(999\\) 000;0;_", ">ccc<aaa#9;1;_"};
    uint32_t Seed = 12345;
    auto Next = [&Seed] { return Seed = Seed * 1103515245u + 12345u, (Seed >> 16) & 0x7fff; };
    const std::string Fill = "7a+Z";
    for (const char* Mask : Masks) {
        TEditMask M(Mask);
        for (int Round = 0; Round < 300; ++Round) {
            std::string Edit = M.EmptyEditText();
            for (int I = 0; I < M.GetEditLength(); ++I) {
                if (M.IsLiteral(I) || Next() % 3 == 0) continue;
                for (char C : Fill) {
                    if (char Stored = M.Accepts(I, C)) Edit[I] = Stored;
                }
            }
            ASSERT_EQ(M.FormatText(M.StripText(Edit)), Edit) << Mask;
        }
    }
}

TEST(MaskTexts, AnEmptyMaskPassesTextsThrough) {
    TEditMask M;
    EXPECT_TRUE(M.IsEmpty());
    EXPECT_EQ(M.FormatText("any text"), "any text");
    EXPECT_EQ(M.StripText(" any__ "), " any__ ");
    EXPECT_EQ(M.FirstInvalidPos("x"), -1);
    EXPECT_NO_THROW(M.Validate(""));
}

TEST(MaskTexts, AssigningAnotherMaskStartsAfresh) {
    TEditMask M("!000;0;*");
    M = "999";
    EXPECT_EQ(M.GetMask(), "999");
    EXPECT_TRUE(M.GetMaskSave());
    EXPECT_EQ(M.GetBlank(), '_');
    EXPECT_FALSE(M.GetLeadingBlanks());
    EXPECT_EQ(M.EmptyEditText(), "___");
}

struct DateValue {
    int Year, Month, Day;
    const char* Text;
};
void PrintTo(const DateValue& C, std::ostream* OS) {
    *OS << C.Text;
}

class DateMaskTexts : public ::testing::TestWithParam<DateValue> {};

TEST_P(DateMaskTexts, ShowsDateToStrAndParsesBack) {
    const DateValue& C = GetParam();
    const TDateTime D = EncodeDate(C.Year, C.Month, C.Day);
    ASSERT_EQ(DateToStr(D), C.Text);
    TEditMask M(DateMask);
    const std::string Edit = M.FormatText(DateToStr(D));
    EXPECT_EQ(Edit, C.Text);
    EXPECT_TRUE(M.IsComplete(Edit));
    EXPECT_EQ(M.StripText(Edit), C.Text);
    EXPECT_EQ(StrToDate(M.StripText(Edit)), D);
    EXPECT_EQ(Typed(M, C.Text), Edit);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DateMaskTexts,
    ::testing::Values(DateValue{2024, 3, 5, "03/05/2024"}, DateValue{2024, 12, 31, "12/31/2024"},
                      DateValue{1999, 1, 1, "01/01/1999"}, DateValue{2000, 2, 29, "02/29/2000"},
                      DateValue{1899, 12, 30, "12/30/1899"}, DateValue{9999, 10, 9, "10/09/9999"}));

struct TimeValue {
    int Hour, Min, Sec;
    const char* Text;
};
void PrintTo(const TimeValue& C, std::ostream* OS) {
    *OS << C.Text;
}

class TimeMaskTexts : public ::testing::TestWithParam<TimeValue> {};

TEST_P(TimeMaskTexts, ShowsTimeToStrAndParsesBack) {
    const TimeValue& C = GetParam();
    const TDateTime T = EncodeTime(C.Hour, C.Min, C.Sec, 0);
    ASSERT_EQ(TimeToStr(T), C.Text);
    TEditMask M(TimeMask);
    const std::string Edit = M.FormatText(TimeToStr(T));
    EXPECT_EQ(Edit, C.Text);
    EXPECT_TRUE(M.IsComplete(Edit));
    EXPECT_EQ(M.StripText(Edit), C.Text);
    EXPECT_EQ(StrToTime(M.StripText(Edit)), T);
    EXPECT_EQ(Typed(M, LowerCase(C.Text)), Edit);
}

INSTANTIATE_TEST_SUITE_P(
    Times, TimeMaskTexts,
    ::testing::Values(TimeValue{13, 5, 9, "01:05:09 PM"}, TimeValue{0, 0, 0, "12:00:00 AM"},
                      TimeValue{12, 0, 0, "12:00:00 PM"}, TimeValue{9, 7, 3, "09:07:03 AM"},
                      TimeValue{23, 59, 59, "11:59:59 PM"}, TimeValue{0, 30, 0, "12:30:00 AM"}));

struct DateTimeValue {
    int Year, Month, Day, Hour, Min, Sec;
    const char* Text;
};
void PrintTo(const DateTimeValue& C, std::ostream* OS) {
    *OS << C.Text;
}

class DateTimeMaskTexts : public ::testing::TestWithParam<DateTimeValue> {};

TEST_P(DateTimeMaskTexts, ShowsDateTimeToStrAndParsesBack) {
    const DateTimeValue& C = GetParam();
    const TDateTime DT = EncodeDate(C.Year, C.Month, C.Day) + EncodeTime(C.Hour, C.Min, C.Sec, 0);
    ASSERT_EQ(DateTimeToStr(DT), C.Text);
    TEditMask M(DateTimeMask);
    const std::string Edit = M.FormatText(DateTimeToStr(DT));
    EXPECT_EQ(Edit, C.Text);
    EXPECT_TRUE(M.IsComplete(Edit));
    EXPECT_EQ(M.StripText(Edit), C.Text);
    EXPECT_EQ(StrToDateTime(M.StripText(Edit)), DT);
    EXPECT_EQ(Typed(M, C.Text), Edit);
}

INSTANTIATE_TEST_SUITE_P(
    DateTimes, DateTimeMaskTexts,
    ::testing::Values(DateTimeValue{2024, 3, 5, 0, 0, 0, "03/05/2024 12:00:00 AM"},
                      DateTimeValue{2024, 3, 5, 13, 5, 9, "03/05/2024 01:05:09 PM"},
                      DateTimeValue{2024, 3, 5, 12, 0, 0, "03/05/2024 12:00:00 PM"},
                      DateTimeValue{1999, 12, 31, 23, 59, 59, "12/31/1999 11:59:59 PM"},
                      DateTimeValue{2001, 1, 9, 8, 4, 0, "01/09/2001 08:04:00 AM"}));

struct TypedDate {
    const char* Mask;
    const char* Keys;
    const char* EditText;
    const char* Text;
};
void PrintTo(const TypedDate& C, std::ostream* OS) {
    *OS << '"' << C.Keys << '"';
}

class TypedDates : public ::testing::TestWithParam<TypedDate> {};

// Single-digit fields typed with their separator become leading blanks the parsers skip.
TEST_P(TypedDates, ParseBack) {
    const TypedDate& C = GetParam();
    TEditMask M(C.Mask);
    const std::string Edit = Typed(M, C.Keys);
    EXPECT_EQ(Edit, C.EditText);
    EXPECT_EQ(M.FirstInvalidPos(Edit), -1);
    EXPECT_EQ(M.StripText(Edit), C.Text);
    TDateTime Parsed = 0;
    EXPECT_TRUE(TryStrToDate(M.StripText(Edit), Parsed) ||
                TryStrToTime(M.StripText(Edit), Parsed) ||
                TryStrToDateTime(M.StripText(Edit), Parsed))
        << M.StripText(Edit);
}

INSTANTIATE_TEST_SUITE_P(
    Typing, TypedDates,
    ::testing::Values(TypedDate{DateMask, "3/05/2024", "_3/05/2024", " 3/05/2024"},
                      TypedDate{DateMask, " 305/2024", "_3/05/2024", " 3/05/2024"},
                      TypedDate{DateMask, "03052024", "03/05/2024", "03/05/2024"},
                      TypedDate{DateMask, "12/31/1999", "12/31/1999", "12/31/1999"},
                      TypedDate{TimeMask, "1:05:09 pm", "_1:05:09 PM", " 1:05:09 PM"},
                      TypedDate{TimeMask, "010509am", "01:05:09 AM", "01:05:09 AM"},
                      TypedDate{DateTimeMask, "3/05/2024 1:05:09 pm", "_3/05/2024 _1:05:09 PM",
                                " 3/05/2024  1:05:09 PM"},
                      TypedDate{DateTimeMask, "030520241200:00am", "03/05/2024 12:00:00 AM",
                                "03/05/2024 12:00:00 AM"}));

TEST(TypedDates, GiveTheValuesTyped) {
    TEditMask Dates(DateMask), Times(TimeMask), Both(DateTimeMask);
    EXPECT_EQ(StrToDate(Dates.StripText(Typed(Dates, "3/05/2024"))), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToTime(Times.StripText(Typed(Times, "1:05:09 pm"))), EncodeTime(13, 5, 9, 0));
    EXPECT_EQ(StrToDateTime(Both.StripText(Typed(Both, "3/05/2024 1:05:09 pm"))),
              EncodeDate(2024, 3, 5) + EncodeTime(13, 5, 9, 0));
}

// Digits alone cannot tell month 3 from month 30; the separator has to say so.
TEST(TypedDates, SevenDigitsWithoutASeparatorFillFromTheLeft) {
    TEditMask M(DateMask);
    const std::string Edit = Typed(M, "3052024");
    EXPECT_EQ(Edit, "30/52/024_");
    EXPECT_EQ(M.FirstInvalidPos(Edit), 9);
    EXPECT_EQ(EditErrorOf([&] { M.Validate(Edit); }), "Invalid input value");
}

struct TypingCase {
    const char* Mask;
    const char* Keys;
    const char* EditText;
    int Cursor;
    const char* Results;
};
void PrintTo(const TypingCase& C, std::ostream* OS) {
    *OS << '"' << C.Mask << "\" keys \"";
    for (const char* P = C.Keys; *P; ++P) {
        if (*P == KeyBackspace)
            *OS << "<bs>";
        else if (*P == KeyDelete)
            *OS << "<del>";
        else if (*P == KeyHome)
            *OS << "<home>";
        else
            *OS << *P;
    }
    *OS << '"';
}

class MaskTyping : public ::testing::TestWithParam<TypingCase> {};

TEST_P(MaskTyping, EditsLikeTheMaskedEdit) {
    const TypingCase& C = GetParam();
    TEditMask M(C.Mask);
    std::string Edit = M.EmptyEditText();
    int Cursor = 0;
    EXPECT_EQ(Type(M, Edit, Cursor, C.Keys), C.Results);
    EXPECT_EQ(Edit, C.EditText);
    EXPECT_EQ(Cursor, C.Cursor);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MaskTyping,
    ::testing::Values(TypingCase{DateMask, "03052024", "03/05/2024", 10, "++++++++"},
                      TypingCase{DateMask, "031520240", "03/15/2024", 10, "++++++++-"},
                      TypingCase{DateMask, "a3", "3_/__/____", 1, "-+"},
                      TypingCase{DateMask, "3/5/2024", "_3/5_/2024", 10, "++++++++"},
                      TypingCase{DateMask, "12//", "12/__/____", 3, "++++"},
                      TypingCase{DateMask, "1:", "1_/__/____", 1, "+-"},
                      TypingCase{DateMask, "1205\b\b", "12/__/____", 3, "++++++"},
                      TypingCase{DateMask, "1205\b\b\b", "1_/__/____", 1, "+++++++"},
                      TypingCase{DateMask, "\b", "__/__/____", 0, "-"},
                      TypingCase{DateMask, "1205\x01\x7f", "_2/05/____", 0, "++++++"},
                      TypingCase{DateMask,
                                 "1234\x01"
                                 "9",
                                 "92/34/____", 1, "++++++"},
                      TypingCase{DateMask, "0305202\x7f", "03/05/202_", 9, "++++++++"},
                      TypingCase{DateMask, "03052024\x7f", "03/05/2024", 10, "++++++++-"},
                      TypingCase{TimeMask, "0105091m", "01:05:09 M_", 10, "++++++-+"},
                      TypingCase{TimeMask, "010509 pm", "01:05:09 PM", 11, "+++++++++"},
                      TypingCase{TimeMask, "12 ", "12:__:__ __", 9, "+++"},
                      TypingCase{">LL<ll<>ll", "aBcDeF", "ABcdeF", 6, "++++++"},
                      TypingCase{">LL<ll<>ll", "a1B", "AB____", 2, "+-+"},
                      TypingCase{PhoneMask, "5551234567", "(555) 123-4567", 14, "++++++++++"},
                      TypingCase{PhoneMask, "(555) 555-1234", "(555) 555-1234", 14,
                                 "++++++++++++++"},
                      TypingCase{PhoneMask, "(555)", "(555) ___-____", 6, "+++++"},
                      TypingCase{PhoneMask, ")12", "(___) 12_-____", 8, "+++"},
                      TypingCase{PhoneMask, "-1", "(___) ___-1___", 11, "++"},
                      TypingCase{PhoneMask, "55 5", "(55_) 5__-____", 7, "++++"},
                      TypingCase{PhoneMask, "555123\b\b\b", "(555) ___-____", 6, "+++++++++"},
                      TypingCase{"000-0000;0;*", "55\b", "5**-****", 1, "+++"},
                      TypingCase{"000-0000;0;*", "5*", "5**-****", 1, "+-"},
                      TypingCase{"!999-9999;0;_", "12-", "_12-____", 4, "+++"},
                      TypingCase{"999-9999;0;_", "12-", "12_-____", 4, "+++"},
                      TypingCase{"!099-9999;0;_", "1-", "1__-____", 4, "++"},
                      TypingCase{"cc-cc", "a-b", "a--b_", 4, "+++"},
                      TypingCase{"c-c", "-", "--_", 2, "+"}, TypingCase{"#9", "-5", "-5", 2, "++"},
                      TypingCase{"9", "12", "1", 1, "+-"}));

TEST(MaskTyping, ALiteralUnderTheCursorIsTypedOver) {
    TEditMask M("c-c");
    std::string Edit = M.EmptyEditText();
    int Cursor = 1;
    EXPECT_TRUE(M.InsertChar(Edit, Cursor, '-'));
    EXPECT_EQ(Edit, "_-_");
    EXPECT_EQ(Cursor, 2);
    Cursor = 1;
    EXPECT_TRUE(M.InsertChar(Edit, Cursor, 'x'));
    EXPECT_EQ(Edit, "_-x");
    EXPECT_EQ(Cursor, 3);
}

TEST(MaskTyping, DeleteOnALiteralBlanksTheNextPosition) {
    TEditMask M(DateMask);
    std::string Edit = "03/05/2024";
    int Cursor = 2;
    EXPECT_TRUE(M.DeleteChar(Edit, Cursor, false));
    EXPECT_EQ(Edit, "03/_5/2024");
    EXPECT_EQ(Cursor, 3);
    Cursor = 3;
    EXPECT_TRUE(M.DeleteChar(Edit, Cursor, true));
    EXPECT_EQ(Edit, "0_/_5/2024");
    EXPECT_EQ(Cursor, 1);
}

TEST(MaskTyping, ARefusedKeyLeavesTextAndCursorAlone) {
    TEditMask M(DateMask);
    std::string Edit = "12/__/____";
    int Cursor = 3;
    EXPECT_FALSE(M.InsertChar(Edit, Cursor, 'x'));
    EXPECT_FALSE(M.InsertChar(Edit, Cursor, ':'));
    EXPECT_EQ(Edit, "12/__/____");
    EXPECT_EQ(Cursor, 3);
}

TEST(MaskTyping, TextsOfAnotherLengthAreTakenAsPadded) {
    TEditMask M(DateMask);
    std::string Edit = "1";
    int Cursor = 1;
    EXPECT_TRUE(M.InsertChar(Edit, Cursor, '2'));
    EXPECT_EQ(Edit, "12/__/____");
    EXPECT_EQ(Cursor, 3);
    Edit = "12/05/2024 and more";
    Cursor = 50;
    EXPECT_TRUE(M.DeleteChar(Edit, Cursor, true));
    EXPECT_EQ(Edit, "12/05/202_");
    EXPECT_EQ(Cursor, 9);
}

TEST(MaskTyping, AnEmptyMaskEditsPlainText) {
    TEditMask M;
    std::string Edit = "ac";
    int Cursor = 1;
    EXPECT_TRUE(M.InsertChar(Edit, Cursor, 'b'));
    EXPECT_EQ(Edit, "abc");
    EXPECT_EQ(Cursor, 2);
    EXPECT_TRUE(M.DeleteChar(Edit, Cursor, true));
    EXPECT_EQ(Edit, "ac");
    EXPECT_EQ(Cursor, 1);
    EXPECT_TRUE(M.DeleteChar(Edit, Cursor, false));
    EXPECT_EQ(Edit, "a");
    EXPECT_FALSE(M.DeleteChar(Edit, Cursor, false));
    M.ClearRange(Edit, 0, 5);
    EXPECT_EQ(Edit, "");
}

struct RangeCase {
    int SelStart, SelLength;
    const char* EditText;
};
void PrintTo(const RangeCase& C, std::ostream* OS) {
    *OS << C.SelStart << '+' << C.SelLength;
}

class MaskClearRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(MaskClearRange, BlanksOnlyTheEnteredCharacters) {
    const RangeCase& C = GetParam();
    TEditMask M(PhoneMask);
    std::string Edit = "(555) 123-4567";
    M.ClearRange(Edit, C.SelStart, C.SelLength);
    EXPECT_EQ(Edit, C.EditText);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, MaskClearRange,
    ::testing::Values(RangeCase{0, 14, "(___) ___-____"}, RangeCase{2, 6, "(5__) __3-4567"},
                      RangeCase{4, 2, "(555) 123-4567"}, RangeCase{9, 1, "(555) 123-4567"},
                      RangeCase{10, 100, "(555) 123-____"}, RangeCase{-3, 5, "(_55) 123-4567"},
                      RangeCase{3, 0, "(555) 123-4567"}, RangeCase{20, 3, "(555) 123-4567"},
                      RangeCase{1, 2147483647, "(___) ___-____"}));

struct StepCase {
    int Pos, Next, Prev;
};
void PrintTo(const StepCase& C, std::ostream* OS) {
    *OS << C.Pos;
}

class MaskSteps : public ::testing::TestWithParam<StepCase> {};

TEST_P(MaskSteps, SkipLiterals) {
    const StepCase& C = GetParam();
    TEditMask M(PhoneMask);
    EXPECT_EQ(M.NextEditPos(C.Pos), C.Next);
    EXPECT_EQ(M.PrevEditPos(C.Pos), C.Prev);
}

INSTANTIATE_TEST_SUITE_P(Phone, MaskSteps,
                         ::testing::Values(StepCase{-5, 1, -1}, StepCase{0, 1, -1},
                                           StepCase{1, 1, 1}, StepCase{3, 3, 3}, StepCase{4, 6, 3},
                                           StepCase{5, 6, 3}, StepCase{9, 10, 8},
                                           StepCase{13, 13, 13}, StepCase{14, 14, 13},
                                           StepCase{99, 14, 13}));

struct ValidateCase {
    const char* Mask;
    const char* EditText;
    int FirstInvalid;
};
void PrintTo(const ValidateCase& C, std::ostream* OS) {
    *OS << '"' << C.Mask << "\" \"" << C.EditText << '"';
}

class MaskValidate : public ::testing::TestWithParam<ValidateCase> {};

TEST_P(MaskValidate, FindsTheFirstInvalidPosition) {
    const ValidateCase& C = GetParam();
    TEditMask M(C.Mask);
    EXPECT_EQ(M.FirstInvalidPos(C.EditText), C.FirstInvalid);
    EXPECT_EQ(M.IsComplete(C.EditText), C.FirstInvalid < 0);
    EXPECT_EQ(EditErrorOf([&] { M.Validate(C.EditText); }),
              C.FirstInvalid < 0 ? "<no exception>" : "Invalid input value");
}

INSTANTIATE_TEST_SUITE_P(
    EditTexts, MaskValidate,
    ::testing::Values(
        ValidateCase{DateMask, "__/__/____", 1}, ValidateCase{DateMask, "_3/05/2024", -1},
        ValidateCase{DateMask, " 3/05/2024", -1}, ValidateCase{DateMask, "03/05/202_", 9},
        ValidateCase{DateMask, "0a/05/2024", 1}, ValidateCase{DateMask, "_3/_5/2024", 3},
        ValidateCase{DateMask, "12/05", 6}, ValidateCase{DateMask, "", 1},
        ValidateCase{TimeMask, "01:05:09 P_", 10}, ValidateCase{TimeMask, "01:05:09 p1", 10},
        ValidateCase{TimeMask, "01:05:09 pm", -1}, ValidateCase{TimeMask, "__:__:__ __", 1},
        ValidateCase{PhoneMask, "(___) 555-1234", -1},
        ValidateCase{PhoneMask, "(555) 555-123_", 13}, ValidateCase{"99-99;1;_", "__-__", -1},
        ValidateCase{"000;0;*", "1*3", 1}, ValidateCase{"000;0;*", "1_3", 1},
        ValidateCase{"#L", "x", 0}, ValidateCase{"CC", "a ", 1}));

TEST(MaskValidate, RaisesAnEditErrorTheFrameworkCanCatch) {
    TEditMask M(DateMask);
    try {
        M.Validate("__/__/____");
        FAIL() << "no exception";
    } catch (const Exception& E) {
        EXPECT_STREQ(E.ClassName(), "EDBEditError");
        EXPECT_EQ(E.Message(), "Invalid input value");
        EXPECT_NE(dynamic_cast<const EDBEditError*>(&E), nullptr);
    }
}

}  // namespace
}  // namespace zk
