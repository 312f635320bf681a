// Tests for date and time encoding, the clock, FormatDateTime and the date parsers.
#include <gtest/gtest.h>

#include "TestUtil.h"

#include <cmath>
#include <ctime>
#include <ostream>
#include <string>

#include "platform/core/DateUtils.h"
#include "platform/core/SysUtils.h"

namespace zk {
namespace {

struct Ymd {
    int Year, Month, Day;
};

Ymd DecodedDate(TDateTime D) {
    Ymd R{};
    DecodeDate(D, R.Year, R.Month, R.Day);
    return R;
}

std::string DecodedTime(TDateTime T) {
    int H, M, S, Ms;
    DecodeTime(T, H, M, S, Ms);
    return Format("%.2d:%.2d:%.2d.%.3d", {H, M, S, Ms});
}

// A date with a time of day, built the way the parsers build it.
TDateTime At(int Y, int Mo, int D, int H, int Mi, int S, int Ms = 0) {
    TDateTime DT = EncodeDate(Y, Mo, D);
    ReplaceTime(DT, EncodeTime(H, Mi, S, Ms));
    return DT;
}

// ---------------------------------------------------------------- calendar

TEST(Calendar, LeapYearsFollowTheGregorianRules) {
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInMonth(2023, 4), 30);
    EXPECT_EQ(DaysInMonth(2023, 12), 31);
}

struct DateCase {
    int Year, Month, Day;
    double Serial;
};
void PrintTo(const DateCase& C, std::ostream* OS) {
    *OS << C.Year << '-' << C.Month << '-' << C.Day;
}

class EncodeDateTable : public ::testing::TestWithParam<DateCase> {};

TEST_P(EncodeDateTable, CountsDaysFromTheEpochAndBack) {
    const DateCase& C = GetParam();
    EXPECT_EQ(EncodeDate(C.Year, C.Month, C.Day), C.Serial);
    Ymd D = DecodedDate(C.Serial);
    EXPECT_EQ(D.Year, C.Year);
    EXPECT_EQ(D.Month, C.Month);
    EXPECT_EQ(D.Day, C.Day);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, EncodeDateTable,
    ::testing::Values(DateCase{1899, 12, 30, 0}, DateCase{1899, 12, 31, 1}, DateCase{1900, 1, 1, 2},
                      DateCase{1899, 12, 29, -1}, DateCase{1900, 3, 1, 61},
                      DateCase{2000, 1, 1, 36526}, DateCase{2000, 2, 29, 36585},
                      DateCase{2024, 3, 5, 45356}, DateCase{2100, 12, 31, 73415},
                      DateCase{1, 1, 1, -693593}, DateCase{9999, 12, 31, 2958465},
                      DateCase{1600, 12, 31, -109206}));

TEST(Calendar, EveryDayOfFourCenturiesDecodesToItself) {
    int Y = 1800, M = 1, D = 1;
    TDateTime Serial = EncodeDate(Y, M, D);
    for (int I = 0; I < 146097; ++I, Serial += 1) {
        Ymd Got = DecodedDate(Serial);
        ASSERT_TRUE(Got.Year == Y && Got.Month == M && Got.Day == D) << Serial;
        if (++D > DaysInMonth(Y, M)) {
            D = 1;
            if (++M > 12) {
                M = 1;
                ++Y;
            }
        }
    }
}

struct BadDate {
    int Year, Month, Day;
};
void PrintTo(const BadDate& C, std::ostream* OS) {
    *OS << C.Year << '-' << C.Month << '-' << C.Day;
}

class EncodeDateRejects : public ::testing::TestWithParam<BadDate> {};

TEST_P(EncodeDateRejects, RaisesTheEncodeMessage) {
    const BadDate& C = GetParam();
    EXPECT_EQ(test::MessageOf<EConvertError>([&] { EncodeDate(C.Year, C.Month, C.Day); }),
              "Invalid argument to date encode");
    TDateTime D = 123;
    EXPECT_FALSE(TryEncodeDate(C.Year, C.Month, C.Day, D));
}

INSTANTIATE_TEST_SUITE_P(Dates, EncodeDateRejects,
                         ::testing::Values(BadDate{0, 1, 1}, BadDate{10000, 1, 1},
                                           BadDate{2023, 2, 29}, BadDate{1900, 2, 29},
                                           BadDate{2024, 13, 1}, BadDate{2024, 0, 1},
                                           BadDate{2024, 4, 31}, BadDate{2024, 1, 0},
                                           BadDate{-5, 1, 1}));

// ---------------------------------------------------------------- time of day

TEST(EncodeTime, IsTheFractionOfADay) {
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_EQ(EncodeTime(0, 0, 0, 0), 0.0);
    EXPECT_DOUBLE_EQ(EncodeTime(23, 59, 59, 999), 86399999.0 / 86400000.0);
}

struct BadTime {
    int H, M, S, Ms;
};
void PrintTo(const BadTime& C, std::ostream* OS) {
    *OS << C.H << ':' << C.M << ':' << C.S << '.' << C.Ms;
}

class EncodeTimeRejects : public ::testing::TestWithParam<BadTime> {};

TEST_P(EncodeTimeRejects, RaisesTheEncodeMessage) {
    const BadTime& C = GetParam();
    EXPECT_EQ(test::MessageOf<EConvertError>([&] { EncodeTime(C.H, C.M, C.S, C.Ms); }),
              "Invalid argument to time encode");
}

INSTANTIATE_TEST_SUITE_P(Times, EncodeTimeRejects,
                         ::testing::Values(BadTime{24, 0, 0, 0}, BadTime{0, 60, 0, 0},
                                           BadTime{0, 0, 60, 0}, BadTime{0, 0, 0, 1000},
                                           BadTime{-1, 0, 0, 0}, BadTime{0, -1, 0, 0},
                                           BadTime{0, 0, 0, -1}));

TEST(DecodeTime, EveryEncodedTimeComesBack) {
    for (int H = 0; H < 24; ++H)
        for (int M = 0; M < 60; M += 7)
            for (int S = 0; S < 60; S += 13)
                for (int Ms = 0; Ms < 1000; Ms += 111) {
                    TDateTime T = EncodeTime(H, M, S, Ms);
                    ASSERT_EQ(DecodedTime(T), Format("%.2d:%.2d:%.2d.%.3d", {H, M, S, Ms}));
                    ASSERT_EQ(DecodedTime(45356 + T), DecodedTime(T));
                }
}

TEST(DecodeTime, RoundsToTheNearestMillisecond) {
    EXPECT_EQ(DecodedTime(0.5 - 1e-12), "12:00:00.000");
    EXPECT_EQ(DecodedTime(0.1 + 0.2), "07:12:00.000");
    double Sum = 0;
    for (int I = 0; I < 3600; ++I) Sum += EncodeTime(0, 0, 1, 0);
    EXPECT_EQ(DecodedTime(Sum), "01:00:00.000");
}

TEST(DecodeDate, ATimeJustBeforeMidnightRoundsIntoTheNextDay) {
    TDateTime DT = EncodeDate(2024, 3, 5) + 0.99999999999;
    Ymd D = DecodedDate(DT);
    EXPECT_EQ(D.Day, 6);
    EXPECT_EQ(DecodedTime(DT), "00:00:00.000");
}

TEST(NegativeDates, TheFractionIsStillTheTimeOfDay) {
    Ymd D = DecodedDate(-1.25);
    EXPECT_EQ(D.Year, 1899);
    EXPECT_EQ(D.Month, 12);
    EXPECT_EQ(D.Day, 29);
    EXPECT_EQ(DecodedTime(-1.25), "06:00:00.000");
    EXPECT_EQ(DecodedDate(-0.5).Day, 30);
    EXPECT_EQ(DecodedTime(-0.5), "12:00:00.000");
}

TEST(DecodeDate, OutOfRangeValuesDecodeAsZeros) {
    Ymd D = DecodedDate(-700000);
    EXPECT_EQ(D.Year, 0);
    EXPECT_EQ(D.Month, 0);
    EXPECT_EQ(D.Day, 0);
    D = DecodedDate(std::nan(""));
    EXPECT_EQ(D.Year, 0);
}

TEST(DayOfWeek, StartsTheWeekOnSunday) {
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 3)), 1);
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 5)), 3);
    EXPECT_EQ(DayOfWeek(EncodeDate(2000, 1, 1)), 7);
    EXPECT_EQ(DayOfWeek(0), 7);
    EXPECT_EQ(DayOfWeek(-1.25), 6);
    EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);
    EXPECT_EQ(DayOfWeek(At(2024, 3, 5, 23, 59, 59)), 3);
}

// ---------------------------------------------------------------- replacing the date or the time

TEST(ReplaceTime, KeepsTheDate) {
    TDateTime DT = At(2024, 3, 5, 13, 30, 0);
    ReplaceTime(DT, EncodeTime(8, 0, 0, 0));
    EXPECT_EQ(DT, EncodeDate(2024, 3, 5) + EncodeTime(8, 0, 0, 0));
    ReplaceTime(DT, At(1999, 1, 1, 18, 15, 0));
    EXPECT_EQ(DT, At(2024, 3, 5, 18, 15, 0));
}

TEST(ReplaceTime, CountsTheTimeAwayFromZeroBeforeTheEpoch) {
    TDateTime DT = -2.0;
    ReplaceTime(DT, 0.25);
    EXPECT_EQ(DT, -2.25);
    EXPECT_EQ(DecodedDate(DT).Day, 28);
    EXPECT_EQ(DecodedTime(DT), "06:00:00.000");
}

TEST(ReplaceDate, KeepsTheTime) {
    TDateTime DT = At(2024, 3, 5, 13, 30, 0);
    ReplaceDate(DT, At(2001, 7, 4, 18, 0, 0));
    EXPECT_EQ(DT, At(2001, 7, 4, 13, 30, 0));
    ReplaceDate(DT, EncodeDate(1899, 12, 29));
    EXPECT_EQ(DT, -1 - EncodeTime(13, 30, 0, 0));
    EXPECT_EQ(DecodedDate(DT).Day, 29);
    EXPECT_EQ(DecodedTime(DT), "13:30:00.000");
    ReplaceDate(DT, EncodeDate(2024, 1, 1));
    EXPECT_EQ(DT, At(2024, 1, 1, 13, 30, 0));
}

// ---------------------------------------------------------------- clock

TEST(Clock, NowIsTheLocalDateAndTime) {
    const std::time_t Secs = std::time(nullptr);
    std::tm Local{};
    localtime_r(&Secs, &Local);
    const TDateTime N = Now();
    Ymd D = DecodedDate(N);
    EXPECT_EQ(D.Year, Local.tm_year + 1900);
    EXPECT_EQ(D.Month, Local.tm_mon + 1);
    const double Expected = EncodeDate(Local.tm_year + 1900, Local.tm_mon + 1, Local.tm_mday) +
                            EncodeTime(Local.tm_hour, Local.tm_min, Local.tm_sec, 0);
    EXPECT_NEAR(N, Expected, 5.0 / 86400);
}

TEST(Clock, DateAndTimeSplitNow) {
    const TDateTime D = Date(), T = Time(), N = Now();
    EXPECT_EQ(D, std::trunc(D));
    EXPECT_GE(T, 0.0);
    EXPECT_LT(T, 1.0);
    EXPECT_NEAR(D + T, N, 5.0 / 86400);
}

// ---------------------------------------------------------------- FormatDateTime

struct FormatCase {
    std::string Fmt;
    std::string Expected;
};
void PrintTo(const FormatCase& C, std::ostream* OS) {
    *OS << '"' << C.Fmt << '"';
}

class FormatDateTimeTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatDateTimeTable, FormatsTuesdayAfternoon) {
    const TDateTime DT = At(2024, 3, 5, 14, 7, 9, 45);
    EXPECT_EQ(FormatDateTime(GetParam().Fmt, DT), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(DateFields, FormatDateTimeTable,
                         ::testing::Values(FormatCase{"d", "5"}, FormatCase{"dd", "05"},
                                           FormatCase{"ddd", "Tue"}, FormatCase{"dddd", "Tuesday"},
                                           FormatCase{"ddddd", "03/05/2024"},
                                           FormatCase{"dddddd", "Tuesday, March 5, 2024"},
                                           FormatCase{"m", "3"}, FormatCase{"mm", "03"},
                                           FormatCase{"mmm", "Mar"}, FormatCase{"mmmm", "March"},
                                           FormatCase{"yy", "24"}, FormatCase{"yyyy", "2024"},
                                           FormatCase{"yyyy-mm-dd", "2024-03-05"},
                                           FormatCase{"dd/mm/yyyy", "05/03/2024"},
                                           FormatCase{"DD MMM YYYY", "05 Mar 2024"}));

INSTANTIATE_TEST_SUITE_P(
    TimeFields, FormatDateTimeTable,
    ::testing::Values(FormatCase{"h", "14"}, FormatCase{"hh", "14"}, FormatCase{"n", "7"},
                      FormatCase{"nn", "07"}, FormatCase{"s", "9"}, FormatCase{"ss", "09"},
                      FormatCase{"z", "45"}, FormatCase{"zzz", "045"},
                      FormatCase{"hh:nn:ss.zzz", "14:07:09.045"}, FormatCase{"hh:mm", "14:07"},
                      FormatCase{"h mm", "14 07"}, FormatCase{"hh dd mm", "14 05 03"},
                      FormatCase{"mm hh mm", "03 14 07"}, FormatCase{"t", "2:07 PM"},
                      FormatCase{"tt", "02:07:09 PM"}, FormatCase{"c", "03/05/2024 02:07:09 PM"}));

INSTANTIATE_TEST_SUITE_P(
    AmPm, FormatDateTimeTable,
    ::testing::Values(FormatCase{"h am/pm", "2 pm"}, FormatCase{"h AM/PM", "2 PM"},
                      FormatCase{"h:nn a/p", "2:07 p"}, FormatCase{"h:nn A/P", "2:07 P"},
                      FormatCase{"hh AMPM", "02 PM"}, FormatCase{"ampm", "PM"},
                      FormatCase{"am/pm hh", "pm 02"}, FormatCase{"hh 'am/pm'", "14 am/pm"}));

INSTANTIATE_TEST_SUITE_P(
    Literals, FormatDateTimeTable,
    ::testing::Values(FormatCase{"'Date:' yyyy", "Date: 2024"}, FormatCase{"\"h\"h", "h14"},
                      FormatCase{"yyyy/mm/dd", "2024/03/05"}, FormatCase{"[x] #", "[x] #"},
                      FormatCase{"'unterminated", "unterminated"}, FormatCase{"", ""}));

TEST(DateTimeToStr, WritesTheFixedFormats) {
    EXPECT_EQ(DateToStr(EncodeDate(2024, 3, 5)), "03/05/2024");
    EXPECT_EQ(DateToStr(EncodeDate(1, 1, 1)), "01/01/0001");
    EXPECT_EQ(TimeToStr(EncodeTime(0, 5, 9, 0)), "12:05:09 AM");
    EXPECT_EQ(TimeToStr(EncodeTime(13, 0, 0, 0)), "01:00:00 PM");
    EXPECT_EQ(TimeToStr(EncodeTime(12, 0, 0, 0)), "12:00:00 PM");
    EXPECT_EQ(TimeToStr(EncodeTime(11, 59, 59, 999)), "11:59:59 AM");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5)), "03/05/2024 12:00:00 AM");
    EXPECT_EQ(DateTimeToStr(-1.25), "12/29/1899 06:00:00 AM");
    EXPECT_EQ(DateTimeToStr(At(9999, 12, 31, 23, 59, 59)), "12/31/9999 11:59:59 PM");
}

// ---------------------------------------------------------------- parsing

struct ParseCase {
    std::string Text;
    double Expected;
};
void PrintTo(const ParseCase& C, std::ostream* OS) {
    *OS << '"' << C.Text << '"';
}

class StrToDateAccepts : public ::testing::TestWithParam<ParseCase> {};

TEST_P(StrToDateAccepts, ParsesMonthDayYear) {
    EXPECT_EQ(StrToDate(GetParam().Text), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, StrToDateAccepts,
                         ::testing::Values(ParseCase{"3/5/2024", EncodeDate(2024, 3, 5)},
                                           ParseCase{"03/05/2024", EncodeDate(2024, 3, 5)},
                                           ParseCase{" 3/05/2024", EncodeDate(2024, 3, 5)},
                                           ParseCase{"03/ 5/2024", EncodeDate(2024, 3, 5)},
                                           ParseCase{"3-5-2024", EncodeDate(2024, 3, 5)},
                                           ParseCase{"3.5.2024", EncodeDate(2024, 3, 5)},
                                           ParseCase{"  12/31/1999  ", EncodeDate(1999, 12, 31)},
                                           ParseCase{"1/1/49", EncodeDate(2049, 1, 1)},
                                           ParseCase{"1/1/50", EncodeDate(1950, 1, 1)},
                                           ParseCase{"1/1/00", EncodeDate(2000, 1, 1)},
                                           ParseCase{"2/29/2024", EncodeDate(2024, 2, 29)},
                                           ParseCase{"12/29/1899", -1},
                                           ParseCase{"01/01/0001", EncodeDate(1, 1, 1)}));

class StrToDateRejects : public ::testing::TestWithParam<std::string> {};

TEST_P(StrToDateRejects, RaisesWithTheText) {
    const std::string& S = GetParam();
    EXPECT_EQ(test::MessageOf<EConvertError>([&] { StrToDate(S); }), "'" + S + "' is not a valid date");
    TDateTime V;
    EXPECT_FALSE(TryStrToDate(S, V));
}

INSTANTIATE_TEST_SUITE_P(Texts, StrToDateRejects,
                         ::testing::Values("", "3/5", "13/1/2024", "2/30/2024", "3/5/202",
                                           "3/5/20245", "3/5-2024", "a/b/c", "3/5/2024 x",
                                           "3/5/2024 10:00", "003/5/2024", "0/1/2024", "3/5/2",
                                           "3//2024", "3 /5/2024", "1/1/0000"));

class StrToTimeAccepts : public ::testing::TestWithParam<ParseCase> {};

TEST_P(StrToTimeAccepts, ParsesHoursMinutesAndSeconds) {
    EXPECT_EQ(StrToTime(GetParam().Text), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrToTimeAccepts,
    ::testing::Values(ParseCase{"1:05", EncodeTime(1, 5, 0, 0)},
                      ParseCase{"13:05:09", EncodeTime(13, 5, 9, 0)},
                      ParseCase{"1:05:09 PM", EncodeTime(13, 5, 9, 0)},
                      ParseCase{" 1:05:09 PM", EncodeTime(13, 5, 9, 0)},
                      ParseCase{"01:05:09 am", EncodeTime(1, 5, 9, 0)},
                      ParseCase{"12:00 AM", EncodeTime(0, 0, 0, 0)},
                      ParseCase{"12:00 PM", EncodeTime(12, 0, 0, 0)},
                      ParseCase{"12:30:00 am", EncodeTime(0, 30, 0, 0)},
                      ParseCase{"11:59:59.999 pm", EncodeTime(23, 59, 59, 999)},
                      ParseCase{"0:00", 0.0}, ParseCase{"23:59:59", EncodeTime(23, 59, 59, 0)},
                      ParseCase{"1:05pm", EncodeTime(13, 5, 0, 0)},
                      ParseCase{"10: 5: 9", EncodeTime(10, 5, 9, 0)},
                      ParseCase{"  9:30  ", EncodeTime(9, 30, 0, 0)}));

class StrToTimeRejects : public ::testing::TestWithParam<std::string> {};

TEST_P(StrToTimeRejects, RaisesWithTheText) {
    const std::string& S = GetParam();
    EXPECT_EQ(test::MessageOf<EConvertError>([&] { StrToTime(S); }), "'" + S + "' is not a valid time");
    TDateTime V;
    EXPECT_FALSE(TryStrToTime(S, V));
}

INSTANTIATE_TEST_SUITE_P(Texts, StrToTimeRejects,
                         ::testing::Values("", "1", "24:00", "13:00 PM", "1:60", "1:05:60",
                                           "1:05 XM", "1:05:09 PM extra", "1::05", "a:b",
                                           "1:05:", "1:05:09.", "1:05:09.1000", "100:00"));

class StrToDateTimeAccepts : public ::testing::TestWithParam<ParseCase> {};

TEST_P(StrToDateTimeAccepts, ParsesADateAndAnOptionalTime) {
    EXPECT_EQ(StrToDateTime(GetParam().Text), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrToDateTimeAccepts,
    ::testing::Values(ParseCase{"3/5/2024 1:05:09 PM", At(2024, 3, 5, 13, 5, 9)},
                      ParseCase{" 3/05/2024  1:05:09 PM", At(2024, 3, 5, 13, 5, 9)},
                      ParseCase{"3/5/2024", EncodeDate(2024, 3, 5)},
                      ParseCase{"03/05/2024 12:00:00 AM", EncodeDate(2024, 3, 5)},
                      ParseCase{"12/29/1899 06:00:00 AM", -1.25},
                      ParseCase{"1/1/24 23:59", At(2024, 1, 1, 23, 59, 0)}));

class StrToDateTimeRejects : public ::testing::TestWithParam<std::string> {};

TEST_P(StrToDateTimeRejects, RaisesWithTheText) {
    const std::string& S = GetParam();
    EXPECT_EQ(test::MessageOf<EConvertError>([&] { StrToDateTime(S); }),
              "'" + S + "' is not a valid date and time");
    TDateTime V;
    EXPECT_FALSE(TryStrToDateTime(S, V));
}

INSTANTIATE_TEST_SUITE_P(Texts, StrToDateTimeRejects,
                         ::testing::Values("", "1:05 PM", "3/5/2024 25:00", "2/30/2024 1:00",
                                           "3/5/2024 1:05 PM x", "3/5/2024 x"));

// ---------------------------------------------------------------- round trips

TEST(RoundTrip, DateTimeTextParsesBackToTheSecond) {
    int Checked = 0;
    for (int Year = 1; Year <= 9999; Year += 37) {
        const int Month = 1 + Year % 12;
        const int Day = 1 + Year % DaysInMonth(Year, Month);
        const int Hour = Year % 24, Min = (Year * 7) % 60, Sec = (Year * 13) % 60;
        const TDateTime X = At(Year, Month, Day, Hour, Min, Sec);
        const std::string Text = DateTimeToStr(X);
        ASSERT_EQ(StrToDateTime(Text), X) << Text;
        ASSERT_EQ(StrToDate(DateToStr(X)), EncodeDate(Year, Month, Day)) << Text;
        ASSERT_EQ(StrToTime(TimeToStr(X)), EncodeTime(Hour, Min, Sec, 0)) << Text;
        ++Checked;
    }
    EXPECT_GT(Checked, 200);
}

TEST(RoundTrip, EverySecondOfADayParsesBack) {
    for (int S = 0; S < 86400; S += 1) {
        const TDateTime X = At(2024, 3, 5, S / 3600, S / 60 % 60, S % 60);
        ASSERT_EQ(StrToDateTime(DateTimeToStr(X)), X) << DateTimeToStr(X);
    }
}

TEST(RoundTrip, MaskedTextWithBlanksForMissingDigitsParses) {
    EXPECT_EQ(StrToDate(" 3/05/2024"), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToTime(" 1:05:09 PM"), EncodeTime(13, 5, 9, 0));
    EXPECT_EQ(StrToDateTime(" 3/05/2024  1:05:09 PM"), At(2024, 3, 5, 13, 5, 9));
}

}  // namespace
}  // namespace zk
