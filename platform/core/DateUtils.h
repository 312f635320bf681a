// Date and time as days since 1899-12-30, with fixed, host-independent formats.
#pragma once
#include <cstdint>
#include <string>

namespace zk {

using TDateTime = double;  // integral part: days since 1899-12-30; fraction: time of day
using TDate = double;
using TTime = double;

// The fixed format settings: dates "mm/dd/yyyy", times "hh:nn:ss AMPM".
struct TFormatSettings {
    char DateSeparator = '/';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "mm/dd/yyyy";
    std::string LongDateFormat = "dddd, mmmm d, yyyy";
    std::string ShortTimeFormat = "h:nn AMPM";
    std::string LongTimeFormat = "hh:nn:ss AMPM";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
};
const TFormatSettings& FormatSettings();

bool IsLeapYear(int Year);
int DaysInMonth(int Year, int Month);
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date);
TDateTime EncodeDate(int Year, int Month, int Day);  // EConvertError "Invalid argument to date encode"
void DecodeDate(TDateTime Date, int& Year, int& Month, int& Day);
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time);
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);  // "Invalid argument to time encode"
void DecodeTime(TDateTime Time, int& Hour, int& Min, int& Sec, int& MSec);
int DayOfWeek(TDateTime Date);  // 1 = Sunday

TDateTime Now();
TDateTime Date();
TDateTime Time();
// Keeps the time part of DateTime and takes the date part of NewDate.
void ReplaceDate(TDateTime& DateTime, TDateTime NewDate);
void ReplaceTime(TDateTime& DateTime, TDateTime NewTime);

// The framework's format specifiers: d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn
// s ss z zzz AM/PM am/pm AMPM c t tt / : and quoted literals.
std::string FormatDateTime(const std::string& Format, TDateTime DateTime);
std::string DateToStr(TDateTime Date);      // "mm/dd/yyyy"
std::string TimeToStr(TDateTime Time);      // "hh:nn:ss AMPM"
std::string DateTimeToStr(TDateTime DateTime);  // date, space, time; midnight included

// Parsing accepts one- or two-digit fields and an optional AM/PM marker.
TDateTime StrToDate(const std::string& S);      // "'%s' is not a valid date"
TDateTime StrToTime(const std::string& S);      // "'%s' is not a valid time"
TDateTime StrToDateTime(const std::string& S);  // "'%s' is not a valid date and time"
bool TryStrToDate(const std::string& S, TDateTime& Value);
bool TryStrToTime(const std::string& S, TDateTime& Value);
bool TryStrToDateTime(const std::string& S, TDateTime& Value);

}  // namespace zk
