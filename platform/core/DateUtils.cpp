// Date and time encoding, the clock, FormatDateTime and the date and time parsers.
#include "platform/core/DateUtils.h"

#include <chrono>
#include <cmath>
#include <ctime>

#include "platform/core/SysUtils.h"

namespace zk {

namespace {

constexpr int64_t MSecsPerDay = 86400000;
// Days from 0001-01-01 (day 1) to 1899-12-30 (day 0 of TDateTime).
constexpr int64_t DateDelta = 693594;

const char* const ShortDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const LongDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                    "Thursday", "Friday", "Saturday"};
const char* const ShortMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const LongMonthNames[] = {"January",   "February", "March",    "April",
                                      "May",       "June",     "July",     "August",
                                      "September", "October",  "November", "December"};

// A TDateTime as whole days and milliseconds into the day, rounded to the nearest
// millisecond so that 12:00 stored as 0.4999999... still reads 12:00:00.000.
// Negative values keep the time as a positive fraction: -1.25 is day -1 at 06:00.
struct TStamp {
    int64_t Days = 0;
    int64_t MSec = 0;
    bool Valid = false;
};

TStamp ToStamp(TDateTime DT) {
    TStamp S;
    // Beyond this the millisecond count no longer fits; such values decode as zeros.
    if (!std::isfinite(DT) || std::fabs(DT) > 1e10) return S;
    const int64_t Total = std::llround(std::fabs(DT) * static_cast<double>(MSecsPerDay));
    S.Days = Total / MSecsPerDay;
    S.MSec = Total % MSecsPerDay;
    if (DT < 0) S.Days = -S.Days;
    S.Valid = true;
    return S;
}

// Whole days plus time of day, the time counted away from zero for days before 1899-12-30.
TDateTime Compose(double Days, double TimeOfDay) {
    TimeOfDay = std::fabs(TimeOfDay);
    return Days >= 0 ? Days + TimeOfDay : Days - TimeOfDay;
}

void DecodeDays(int64_t Days, int& Year, int& Month, int& Day) {
    int64_t T = Days + DateDelta;
    if (T <= 0) {
        Year = Month = Day = 0;
        return;
    }
    constexpr int64_t D1 = 365, D4 = D1 * 4 + 1, D100 = D4 * 25 - 1, D400 = D100 * 4 + 1;
    --T;
    int64_t Y = 1 + (T / D400) * 400;
    T %= D400;
    int64_t I = T / D100, D = T % D100;
    if (I == 4) {
        --I;
        D += D100;
    }
    Y += I * 100;
    Y += (D / D4) * 4;
    D %= D4;
    I = D / D1;
    D %= D1;
    if (I == 4) {
        --I;
        D += D1;
    }
    Y += I;
    Year = static_cast<int>(Y);
    int M = 1;
    while (D >= DaysInMonth(Year, M)) {
        D -= DaysInMonth(Year, M);
        ++M;
    }
    Month = M;
    Day = static_cast<int>(D) + 1;
}

std::string TwoOrMore(int Value, int Digits) {
    std::string S = std::to_string(Value);
    if (static_cast<int>(S.size()) < Digits)
        S.insert(0, static_cast<size_t>(Digits) - S.size(), '0');
    return S;
}

bool StartsWithNoCase(const std::string& S, size_t P, const char* What) {
    for (size_t I = 0; What[I]; ++I) {
        if (P + I >= S.size()) return false;
        char C = S[P + I];
        if (C >= 'a' && C <= 'z') C = static_cast<char>(C - 32);
        if (C != What[I]) return false;
    }
    return true;
}

// True when the format holds an am/pm marker outside quotes; hours are then 12-hour.
bool HasAmPm(const std::string& Fmt) {
    char Quote = 0;
    for (size_t P = 0; P < Fmt.size(); ++P) {
        const char C = Fmt[P];
        if (Quote) {
            if (C == Quote) Quote = 0;
        } else if (C == '\'' || C == '"') {
            Quote = C;
        } else if ((C == 'a' || C == 'A') &&
                   (StartsWithNoCase(Fmt, P, "AM/PM") || StartsWithNoCase(Fmt, P, "A/P") ||
                    StartsWithNoCase(Fmt, P, "AMPM"))) {
            return true;
        }
    }
    return false;
}

class TDateFormatter {
public:
    explicit TDateFormatter(TDateTime DT) : FDateTime(DT) {
        TStamp S = ToStamp(DT);
        if (S.Valid) {
            DecodeDays(S.Days, FYear, FMonth, FDay);
            FHour = static_cast<int>(S.MSec / 3600000);
            FMin = static_cast<int>(S.MSec / 60000 % 60);
            FSec = static_cast<int>(S.MSec / 1000 % 60);
            FMSec = static_cast<int>(S.MSec % 1000);
        }
    }

    void Append(const std::string& Fmt, int Level) {
        // The fixed settings never nest deeper; the guard stops a format naming itself.
        if (Level > 2) return;
        const TFormatSettings& FS = FormatSettings();
        const bool Use12Hour = HasAmPm(Fmt);
        const size_t N = Fmt.size();
        size_t P = 0;
        char LastToken = ' ';
        while (P < N) {
            const char Starter = Fmt[P++];
            char Token = Starter;
            if (Token >= 'a' && Token <= 'z') Token = static_cast<char>(Token - 32);
            if (Token >= 'A' && Token <= 'Z') {
                // "m" right after an hour means minutes.
                if (Token == 'M' && LastToken == 'H') Token = 'N';
                LastToken = Token;
            }
            auto Count = [&]() {
                int C = 1;
                while (P < N && Fmt[P] == Starter) {
                    ++P;
                    ++C;
                }
                return C;
            };
            switch (Token) {
                case 'Y':
                    if (Count() <= 2)
                        FOut += TwoOrMore(FYear % 100, 2);
                    else
                        FOut += TwoOrMore(FYear, 4);
                    break;
                case 'M': {
                    const int C = Count();
                    if (C <= 2)
                        FOut += TwoOrMore(FMonth, C);
                    else if (FMonth >= 1 && FMonth <= 12)
                        FOut += (C == 3 ? ShortMonthNames : LongMonthNames)[FMonth - 1];
                    break;
                }
                case 'D': {
                    const int C = Count();
                    if (C <= 2)
                        FOut += TwoOrMore(FDay, C);
                    else if (C == 3)
                        FOut += ShortDayNames[DayOfWeek(FDateTime) - 1];
                    else if (C == 4)
                        FOut += LongDayNames[DayOfWeek(FDateTime) - 1];
                    else if (C == 5)
                        Append(FS.ShortDateFormat, Level + 1);
                    else
                        Append(FS.LongDateFormat, Level + 1);
                    break;
                }
                case 'H': {
                    const int C = Count();
                    int H = FHour;
                    if (Use12Hour) {
                        if (H == 0)
                            H = 12;
                        else if (H > 12)
                            H -= 12;
                    }
                    FOut += TwoOrMore(H, C > 2 ? 2 : C);
                    break;
                }
                case 'N': {
                    const int C = Count();
                    FOut += TwoOrMore(FMin, C > 2 ? 2 : C);
                    break;
                }
                case 'S': {
                    const int C = Count();
                    FOut += TwoOrMore(FSec, C > 2 ? 2 : C);
                    break;
                }
                case 'Z': {
                    const int C = Count();
                    FOut += TwoOrMore(FMSec, C > 3 ? 3 : C);
                    break;
                }
                case 'T':
                    Append(Count() == 1 ? FS.ShortTimeFormat : FS.LongTimeFormat, Level + 1);
                    break;
                case 'C':
                    Count();
                    // Unlike the framework, midnight keeps its time so the text always
                    // has the same shape.
                    Append(FS.ShortDateFormat, Level + 1);
                    FOut += ' ';
                    Append(FS.LongTimeFormat, Level + 1);
                    break;
                case 'A': {
                    const size_t At = P - 1;
                    const bool PM = FHour >= 12;
                    if (StartsWithNoCase(Fmt, At, "AM/PM")) {
                        // Keeps the case written in the format: "am/pm" gives "pm".
                        FOut += Fmt.substr(PM ? At + 3 : At, 2);
                        P = At + 5;
                    } else if (StartsWithNoCase(Fmt, At, "A/P")) {
                        FOut += Fmt[PM ? At + 2 : At];
                        P = At + 3;
                    } else if (StartsWithNoCase(Fmt, At, "AMPM")) {
                        FOut += PM ? FS.TimePMString : FS.TimeAMString;
                        P = At + 4;
                    } else {
                        FOut += Starter;
                    }
                    break;
                }
                case '/':
                    FOut += FS.DateSeparator;
                    break;
                case ':':
                    FOut += FS.TimeSeparator;
                    break;
                case '\'':
                case '"': {
                    const size_t End = Fmt.find(Starter, P);
                    if (End == std::string::npos) {
                        FOut.append(Fmt, P, std::string::npos);
                        P = N;
                    } else {
                        FOut.append(Fmt, P, End - P);
                        P = End + 1;
                    }
                    break;
                }
                default:
                    FOut += Starter;
            }
        }
    }

    const std::string& Text() const { return FOut; }

private:
    TDateTime FDateTime;
    int FYear = 0, FMonth = 0, FDay = 0, FHour = 0, FMin = 0, FSec = 0, FMSec = 0;
    std::string FOut;
};

// A cursor over the text being parsed.
struct TScanner {
    const std::string& S;
    size_t P = 0;

    void SkipBlanks() {
        while (P < S.size() && (S[P] == ' ' || S[P] == '\t')) ++P;
    }
    bool AtEnd() const { return P >= S.size(); }
    // Blanks, then MinDigits..MaxDigits digits; the edit masks put a blank where a
    // leading digit is missing, so the blanks belong to the field.
    bool Number(int MinDigits, int MaxDigits, int& Value, int* DigitsRead = nullptr) {
        SkipBlanks();
        int Count = 0;
        Value = 0;
        while (P < S.size() && S[P] >= '0' && S[P] <= '9' && Count < MaxDigits) {
            Value = Value * 10 + (S[P] - '0');
            ++P;
            ++Count;
        }
        if (P < S.size() && S[P] >= '0' && S[P] <= '9') return false;
        if (DigitsRead) *DigitsRead = Count;
        return Count >= MinDigits;
    }
    bool Char(char C) {
        if (P < S.size() && S[P] == C) {
            ++P;
            return true;
        }
        return false;
    }
};

bool ScanDate(TScanner& Sc, TDateTime& Value) {
    int Month, Day, Year, YearDigits;
    if (!Sc.Number(1, 2, Month)) return false;
    if (Sc.AtEnd()) return false;
    const char Sep = Sc.S[Sc.P];
    if (Sep != '/' && Sep != '-' && Sep != '.') return false;
    ++Sc.P;
    if (!Sc.Number(1, 2, Day) || !Sc.Char(Sep)) return false;
    if (!Sc.Number(2, 4, Year, &YearDigits)) return false;
    if (YearDigits == 3) return false;
    // Two-digit years pivot at 50: 00-49 are this century, 50-99 the last.
    if (YearDigits == 2) Year += Year < 50 ? 2000 : 1900;
    return TryEncodeDate(Year, Month, Day, Value);
}

bool ScanTime(TScanner& Sc, TDateTime& Value) {
    int Hour, Min, Sec = 0, MSec = 0;
    if (!Sc.Number(1, 2, Hour) || !Sc.Char(':') || !Sc.Number(1, 2, Min)) return false;
    if (Sc.Char(':')) {
        if (!Sc.Number(1, 2, Sec)) return false;
        if (Sc.Char('.') && !Sc.Number(1, 3, MSec)) return false;
    }
    Sc.SkipBlanks();
    const bool AM = StartsWithNoCase(Sc.S, Sc.P, "AM");
    const bool PM = StartsWithNoCase(Sc.S, Sc.P, "PM");
    if (AM || PM) {
        Sc.P += 2;
        if (Hour > 12) return false;
        if (Hour == 12) Hour = 0;
        if (PM) Hour += 12;
    }
    Sc.SkipBlanks();
    return TryEncodeTime(Hour, Min, Sec, MSec, Value);
}

}  // namespace

const TFormatSettings& FormatSettings() {
    static const TFormatSettings Settings;
    return Settings;
}

bool IsLeapYear(int Year) {
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int DaysInMonth(int Year, int Month) {
    static const int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month < 1 || Month > 12) return 0;
    return Month == 2 && IsLeapYear(Year) ? 29 : Days[Month - 1];
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date) {
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 ||
        Day > DaysInMonth(Year, Month))
        return false;
    int64_t DayOfYear = Day;
    for (int M = 1; M < Month; ++M) DayOfYear += DaysInMonth(Year, M);
    const int64_t I = Year - 1;
    Date = static_cast<double>(I * 365 + I / 4 - I / 100 + I / 400 + DayOfYear - DateDelta);
    return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
    TDateTime D;
    if (!TryEncodeDate(Year, Month, Day, D)) throw EConvertError("Invalid argument to date encode");
    return D;
}

void DecodeDate(TDateTime Date, int& Year, int& Month, int& Day) {
    TStamp S = ToStamp(Date);
    if (!S.Valid) {
        Year = Month = Day = 0;
        return;
    }
    DecodeDays(S.Days, Year, Month, Day);
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time) {
    if (Hour < 0 || Hour >= 24 || Min < 0 || Min >= 60 || Sec < 0 || Sec >= 60 || MSec < 0 ||
        MSec >= 1000)
        return false;
    const int64_t Total = ((static_cast<int64_t>(Hour) * 60 + Min) * 60 + Sec) * 1000 + MSec;
    Time = static_cast<double>(Total) / static_cast<double>(MSecsPerDay);
    return true;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
    TDateTime T;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, T))
        throw EConvertError("Invalid argument to time encode");
    return T;
}

void DecodeTime(TDateTime Time, int& Hour, int& Min, int& Sec, int& MSec) {
    const int64_t Ms = ToStamp(Time).MSec;
    Hour = static_cast<int>(Ms / 3600000);
    Min = static_cast<int>(Ms / 60000 % 60);
    Sec = static_cast<int>(Ms / 1000 % 60);
    MSec = static_cast<int>(Ms % 1000);
}

int DayOfWeek(TDateTime Date) {
    // 1899-12-30, day 0, was a Saturday.
    const int64_t Days = ToStamp(Date).Days;
    return static_cast<int>(((Days + 6) % 7 + 7) % 7) + 1;
}

TDateTime Now() {
    using namespace std::chrono;
    const auto Point = system_clock::now();
    const std::time_t Secs = system_clock::to_time_t(Point);
    const auto Ms = duration_cast<milliseconds>(Point.time_since_epoch()).count() % 1000;
    std::tm Local{};
#ifdef _WIN32
    localtime_s(&Local, &Secs);
#else
    localtime_r(&Secs, &Local);
#endif
    TDateTime D, T;
    if (!TryEncodeDate(Local.tm_year + 1900, Local.tm_mon + 1, Local.tm_mday, D)) return 0;
    // A leap second reads as the last second of the minute.
    const int Sec = Local.tm_sec > 59 ? 59 : Local.tm_sec;
    TryEncodeTime(Local.tm_hour, Local.tm_min, Sec, static_cast<int>(Ms < 0 ? Ms + 1000 : Ms), T);
    return D + T;
}

TDateTime Date() {
    return std::trunc(Now());
}

TDateTime Time() {
    const TDateTime N = Now();
    return N - std::trunc(N);
}

void ReplaceTime(TDateTime& DateTime, TDateTime NewTime) {
    DateTime = Compose(std::trunc(DateTime), NewTime - std::trunc(NewTime));
}

void ReplaceDate(TDateTime& DateTime, TDateTime NewDate) {
    TDateTime Temp = NewDate;
    ReplaceTime(Temp, DateTime);
    DateTime = Temp;
}

std::string FormatDateTime(const std::string& Format, TDateTime DateTime) {
    TDateFormatter F(DateTime);
    F.Append(Format, 0);
    return F.Text();
}

std::string DateToStr(TDateTime Date) {
    return FormatDateTime("ddddd", Date);
}
std::string TimeToStr(TDateTime Time) {
    return FormatDateTime("tt", Time);
}
std::string DateTimeToStr(TDateTime DateTime) {
    return FormatDateTime("c", DateTime);
}

bool TryStrToDate(const std::string& S, TDateTime& Value) {
    TScanner Sc{S};
    TDateTime D;
    if (!ScanDate(Sc, D)) return false;
    Sc.SkipBlanks();
    if (!Sc.AtEnd()) return false;
    Value = D;
    return true;
}

bool TryStrToTime(const std::string& S, TDateTime& Value) {
    TScanner Sc{S};
    TDateTime T;
    if (!ScanTime(Sc, T) || !Sc.AtEnd()) return false;
    Value = T;
    return true;
}

bool TryStrToDateTime(const std::string& S, TDateTime& Value) {
    TScanner Sc{S};
    TDateTime D, T = 0;
    if (!ScanDate(Sc, D)) return false;
    const size_t AfterDate = Sc.P;
    Sc.SkipBlanks();
    if (!Sc.AtEnd()) {
        if (Sc.P == AfterDate) return false;  // the time needs a blank before it
        if (!ScanTime(Sc, T) || !Sc.AtEnd()) return false;
    }
    Value = Compose(D, T);
    return true;
}

TDateTime StrToDate(const std::string& S) {
    TDateTime V;
    if (!TryStrToDate(S, V)) throw EConvertError("'%s' is not a valid date", {S});
    return V;
}

TDateTime StrToTime(const std::string& S) {
    TDateTime V;
    if (!TryStrToTime(S, V)) throw EConvertError("'%s' is not a valid time", {S});
    return V;
}

TDateTime StrToDateTime(const std::string& S) {
    TDateTime V;
    if (!TryStrToDateTime(S, V)) throw EConvertError("'%s' is not a valid date and time", {S});
    return V;
}

}  // namespace zk
