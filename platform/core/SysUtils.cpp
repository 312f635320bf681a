// Format, the number and text conversions and the tick counter declared in SysUtils.h.
#include "platform/core/SysUtils.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <system_error>
#include <vector>

namespace zk {

namespace {

bool IsBlank(char C) {
    return static_cast<unsigned char>(C) <= ' ';
}
bool IsDigit(char C) {
    return C >= '0' && C <= '9';
}
bool IsAlpha(char C) {
    return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}
char ToUpperAscii(char C) {
    return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 32) : C;
}
char ToLowerAscii(char C) {
    return (C >= 'A' && C <= 'Z') ? static_cast<char>(C + 32) : C;
}

// A finite value as decimal digits: Digits has no leading or trailing zeros (empty for
// zero) and Exponent is the power of ten of the first digit.
struct TDecimal {
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;
};

void StripTrailingZeros(std::string& Digits) {
    while (!Digits.empty() && Digits.back() == '0') Digits.pop_back();
}

// The shortest correctly rounded digits of V, at most Significant of them (1..17).
TDecimal ToDecimal(double V, int Significant) {
    TDecimal R;
    R.Negative = std::signbit(V);
    double A = std::fabs(V);
    if (A == 0) return R;
    if (Significant < 1) Significant = 1;
    if (Significant > 17) Significant = 17;
    char Buf[64];
    auto Res =
        std::to_chars(Buf, Buf + sizeof(Buf), A, std::chars_format::scientific, Significant - 1);
    const char* P = Buf;
    while (P < Res.ptr && *P != 'e') {
        if (IsDigit(*P)) R.Digits += *P;
        ++P;
    }
    if (P < Res.ptr) {
        ++P;
        bool NegExp = *P == '-';
        if (*P == '-' || *P == '+') ++P;
        int E = 0;
        std::from_chars(P, Res.ptr, E);
        R.Exponent = NegExp ? -E : E;
    }
    StripTrailingZeros(R.Digits);
    return R;
}

// Keeps Keep significant digits, rounding half away from zero on the decimal digits so
// that 1.005 shown with two decimals reads "1.01", as a user expects.
void RoundDecimal(TDecimal& D, int Keep) {
    if (Keep < 0) {
        D.Digits.clear();
        return;
    }
    if (static_cast<int>(D.Digits.size()) <= Keep) return;
    bool Up = D.Digits[static_cast<size_t>(Keep)] >= '5';
    D.Digits.resize(static_cast<size_t>(Keep));
    if (Up) {
        int I = Keep - 1;
        while (I >= 0 && D.Digits[static_cast<size_t>(I)] == '9') {
            D.Digits[static_cast<size_t>(I)] = '0';
            --I;
        }
        if (I < 0) {
            D.Digits.insert(D.Digits.begin(), '1');
            ++D.Exponent;
        } else {
            ++D.Digits[static_cast<size_t>(I)];
        }
    }
    StripTrailingZeros(D.Digits);
}

// The framework converts doubles through 15 significant digits before any further
// rounding; beyond that we hand out the exact shortest digits.
TDecimal DecimalFor(double V, int Significant) {
    TDecimal D = ToDecimal(V, Significant <= 15 ? 15 : Significant);
    RoundDecimal(D, Significant);
    return D;
}

std::string NonFinite(double V) {
    if (std::isnan(V)) return "NAN";
    return V < 0 ? "-INF" : "INF";
}

void InsertThousands(std::string& Whole) {
    for (int I = static_cast<int>(Whole.size()) - 3; I > 0; I -= 3)
        Whole.insert(static_cast<size_t>(I), 1, ',');
}

std::string FixedText(double V, int Decimals, bool Thousands) {
    if (!std::isfinite(V)) return NonFinite(V);
    TDecimal D = ToDecimal(V, 15);
    if (!D.Digits.empty()) RoundDecimal(D, D.Exponent + 1 + Decimals);
    const int Count = static_cast<int>(D.Digits.size());
    auto DigitAt = [&](int I) {
        return I >= 0 && I < Count ? D.Digits[static_cast<size_t>(I)] : '0';
    };
    std::string Whole;
    if (D.Digits.empty() || D.Exponent < 0) {
        Whole = "0";
    } else {
        for (int I = 0; I <= D.Exponent; ++I) Whole += DigitAt(I);
    }
    if (Thousands) InsertThousands(Whole);
    std::string R;
    // A value that rounds to zero is shown without a sign.
    if (D.Negative && !D.Digits.empty()) R = "-";
    R += Whole;
    if (Decimals > 0) {
        R += '.';
        for (int K = 1; K <= Decimals; ++K) R += DigitAt(D.Exponent + K);
    }
    return R;
}

std::string GeneralText(double V, int Precision) {
    if (!std::isfinite(V)) return NonFinite(V);
    TDecimal D = DecimalFor(V, Precision);
    if (D.Digits.empty()) return "0";
    std::string R = D.Negative ? "-" : "";
    const int Count = static_cast<int>(D.Digits.size());
    if (D.Exponent < -4 || D.Exponent >= Precision) {
        R += D.Digits[0];
        if (Count > 1) R += '.' + D.Digits.substr(1);
        R += 'E';
        R += std::to_string(D.Exponent);
    } else if (D.Exponent < 0) {
        R += "0.";
        R.append(static_cast<size_t>(-D.Exponent - 1), '0');
        R += D.Digits;
    } else {
        for (int I = 0; I <= D.Exponent; ++I)
            R += I < Count ? D.Digits[static_cast<size_t>(I)] : '0';
        if (Count > D.Exponent + 1) R += '.' + D.Digits.substr(static_cast<size_t>(D.Exponent) + 1);
    }
    return R;
}

std::string ScientificText(double V, int Precision) {
    if (!std::isfinite(V)) return NonFinite(V);
    TDecimal D = DecimalFor(V, Precision);
    std::string Digits = D.Digits;
    int Exponent = D.Digits.empty() ? 0 : D.Exponent;
    Digits.resize(static_cast<size_t>(Precision), '0');
    std::string R = (D.Negative && !D.Digits.empty()) ? "-" : "";
    R += Digits[0];
    if (Precision > 1) R += '.' + Digits.substr(1);
    R += 'E';
    R += Exponent < 0 ? '-' : '+';
    std::string E = std::to_string(Exponent < 0 ? -Exponent : Exponent);
    if (E.size() < 3) E.insert(0, 3 - E.size(), '0');
    return R + E;
}

std::string HexDigits(uint64_t Value, int MinDigits) {
    static const char Hex[] = "0123456789ABCDEF";
    std::string R;
    do {
        R.insert(R.begin(), Hex[Value & 0xF]);
        Value >>= 4;
    } while (Value != 0);
    if (static_cast<int>(R.size()) < MinDigits)
        R.insert(0, static_cast<size_t>(MinDigits) - R.size(), '0');
    return R;
}

std::string PadDigits(std::string Digits, int MinDigits) {
    if (static_cast<int>(Digits.size()) < MinDigits)
        Digits.insert(0, static_cast<size_t>(MinDigits) - Digits.size(), '0');
    return Digits;
}

[[noreturn]] void FormatError(const std::string& Fmt) {
    throw EConvertError("Format '%s' invalid or incompatible with argument", {Fmt});
}

bool IsDigitText(const std::string& S, size_t From, size_t To) {
    if (From >= To) return false;
    for (size_t I = From; I < To; ++I)
        if (!IsDigit(S[I])) return false;
    return true;
}

// Shared by the 32- and 64-bit parsers. Hex text is a bit pattern, so "$FFFFFFFF" is -1
// as a 32-bit value, like the framework; decimal text must fit the signed range.
bool ParseInteger(const std::string& S, int Bits, int64_t& Value) {
    size_t P = 0;
    const size_t N = S.size();
    while (P < N && IsBlank(S[P]) && S[P] != '\0') ++P;
    bool Negative = false;
    if (P < N && (S[P] == '+' || S[P] == '-')) {
        Negative = S[P] == '-';
        ++P;
    }
    bool HexText = false;
    if (P < N && S[P] == '$') {
        HexText = true;
        ++P;
    } else if (P + 1 < N && S[P] == '0' && (S[P + 1] == 'x' || S[P + 1] == 'X')) {
        HexText = true;
        P += 2;
    }
    if (P >= N) return false;
    uint64_t Magnitude = 0;
    if (HexText) {
        const uint64_t Limit = Bits == 32 ? 0xFFFFFFFFull : ~0ull;
        for (; P < N; ++P) {
            char C = ToUpperAscii(S[P]);
            int Digit;
            if (IsDigit(C))
                Digit = C - '0';
            else if (C >= 'A' && C <= 'F')
                Digit = C - 'A' + 10;
            else
                return false;
            if (Magnitude > (Limit >> 4)) return false;
            Magnitude = (Magnitude << 4) | static_cast<uint64_t>(Digit);
        }
        uint64_t Bitsv = Negative ? (~Magnitude + 1) : Magnitude;
        if (Bits == 32)
            Value = static_cast<int32_t>(static_cast<uint32_t>(Bitsv));
        else
            Value = static_cast<int64_t>(Bitsv);
        return true;
    }
    const uint64_t Limit = Bits == 32 ? (Negative ? 0x80000000ull : 0x7FFFFFFFull)
                                      : (Negative ? 0x8000000000000000ull : 0x7FFFFFFFFFFFFFFFull);
    for (; P < N; ++P) {
        if (!IsDigit(S[P])) return false;
        uint64_t Digit = static_cast<uint64_t>(S[P] - '0');
        if (Magnitude > (Limit - Digit) / 10) return false;
        Magnitude = Magnitude * 10 + Digit;
    }
    Value = Negative ? static_cast<int64_t>(~Magnitude + 1) : static_cast<int64_t>(Magnitude);
    return true;
}

// Accepts [sign] digits [. digits] [e [sign] digits] with at least one mantissa digit.
bool ParseFloat(const std::string& Text, double& Value) {
    size_t B = 0, E = Text.size();
    while (B < E && IsBlank(Text[B])) ++B;
    while (E > B && IsBlank(Text[E - 1])) --E;
    if (B == E) return false;
    std::string S = Text.substr(B, E - B);
    size_t P = 0;
    bool Negative = false;
    if (S[P] == '+' || S[P] == '-') {
        Negative = S[P] == '-';
        ++P;
    }
    const size_t MantissaStart = P;
    size_t MantissaDigits = 0;
    int FirstNonZero = -1;  // decimal magnitude of the leading non-zero digit
    int IntDigits = 0;
    bool SeenPoint = false;
    int FracIndex = 0;
    for (; P < S.size(); ++P) {
        char C = S[P];
        if (IsDigit(C)) {
            ++MantissaDigits;
            if (!SeenPoint) {
                ++IntDigits;
                if (C != '0' && FirstNonZero == -1) FirstNonZero = 0;
            } else {
                ++FracIndex;
                if (C != '0' && FirstNonZero == -1) FirstNonZero = FracIndex;
            }
        } else if (C == '.' && !SeenPoint) {
            SeenPoint = true;
        } else {
            break;
        }
    }
    if (MantissaDigits == 0) return false;
    if (P < S.size()) {
        if (S[P] != 'e' && S[P] != 'E') return false;
        size_t Q = P + 1;
        if (Q < S.size() && (S[Q] == '+' || S[Q] == '-')) ++Q;
        if (!IsDigitText(S, Q, S.size())) return false;
    }
    const char* First = S.data() + MantissaStart;
    const char* Last = S.data() + S.size();
    double V = 0;
    auto Res = std::from_chars(First, Last, V, std::chars_format::general);
    if (Res.ptr != Last) return false;
    if (Res.ec == std::errc::result_out_of_range) {
        if (FirstNonZero == -1) {
            V = 0;
        } else {
            // Work out the order of magnitude to tell underflow (0) from overflow (error).
            long Exp = 0;
            if (P < S.size()) {
                const char* EP = S.data() + P + 1;
                bool NegExp = *EP == '-';
                if (*EP == '+' || *EP == '-') ++EP;
                long Abs = 0;
                for (; EP < Last && Abs < 100000; ++EP) Abs = Abs * 10 + (*EP - '0');
                Exp = NegExp ? -Abs : Abs;
            }
            long Magnitude = (FirstNonZero == 0 ? IntDigits : -FirstNonZero) + Exp;
            if (Magnitude > 0) return false;
            V = 0;
        }
    } else if (Res.ec != std::errc()) {
        return false;
    }
    Value = Negative ? -V : V;
    return true;
}

}  // namespace

std::string Format(const std::string& Fmt, std::initializer_list<TVarRec> Args) {
    std::vector<const TVarRec*> Arg;
    Arg.reserve(Args.size());
    for (const TVarRec& A : Args) Arg.push_back(&A);
    size_t ArgIndex = 0;
    std::string R;
    const size_t N = Fmt.size();
    size_t P = 0;

    auto NextArg = [&]() -> const TVarRec& {
        if (ArgIndex >= Arg.size()) FormatError(Fmt);
        return *Arg[ArgIndex++];
    };
    // Digits or '*'; nullopt when neither is present.
    auto ReadNumber = [&]() -> std::optional<int64_t> {
        if (P < N && Fmt[P] == '*') {
            ++P;
            const TVarRec& A = NextArg();
            if (!A.IsInteger()) FormatError(Fmt);
            int64_t V = A.AsInteger();
            if (V > std::numeric_limits<int>::max() || V < -std::numeric_limits<int>::max())
                FormatError(Fmt);
            return V;
        }
        if (P >= N || !IsDigit(Fmt[P])) return std::nullopt;
        int64_t V = 0;
        while (P < N && IsDigit(Fmt[P])) {
            V = V * 10 + (Fmt[P] - '0');
            if (V > std::numeric_limits<int>::max()) FormatError(Fmt);
            ++P;
        }
        return V;
    };

    while (P < N) {
        char C = Fmt[P++];
        if (C != '%') {
            R += C;
            continue;
        }
        if (P >= N) FormatError(Fmt);
        if (Fmt[P] == '%') {
            R += '%';
            ++P;
            continue;
        }
        // The index and the width share their syntax; a ':' tells which one it was.
        const size_t Save = P;
        const size_t SaveArg = ArgIndex;
        std::optional<int64_t> First = ReadNumber();
        if (First && P < N && Fmt[P] == ':') {
            if (*First < 0) FormatError(Fmt);
            ++P;
            ArgIndex = static_cast<size_t>(*First);
        } else {
            P = Save;
            ArgIndex = SaveArg;
        }
        bool LeftAlign = false;
        if (P < N && Fmt[P] == '-') {
            LeftAlign = true;
            ++P;
        }
        int64_t Width = ReadNumber().value_or(0);
        if (Width < 0) {
            // A negative width from '*' left-aligns, as a '-' would.
            LeftAlign = true;
            Width = -Width;
        }
        int64_t Precision = -1;
        if (P < N && Fmt[P] == '.') {
            ++P;
            // A missing or negative precision means the type's default.
            Precision = ReadNumber().value_or(-1);
            if (Precision < 0) Precision = -1;
        }
        if (P >= N) FormatError(Fmt);
        const char Type = ToUpperAscii(Fmt[P++]);
        const TVarRec& A = NextArg();
        std::string Text;
        switch (Type) {
            case 'D': {
                if (!A.IsInteger()) FormatError(Fmt);
                int64_t V = A.AsInteger();
                uint64_t Magnitude =
                    V < 0 ? ~static_cast<uint64_t>(V) + 1 : static_cast<uint64_t>(V);
                Text = PadDigits(std::to_string(Magnitude), static_cast<int>(Precision));
                if (V < 0) Text.insert(Text.begin(), '-');
                break;
            }
            case 'U': {
                if (!A.IsInteger()) FormatError(Fmt);
                Text = PadDigits(std::to_string(static_cast<uint64_t>(A.AsInteger())),
                                 static_cast<int>(Precision));
                break;
            }
            case 'X': {
                if (!A.IsInteger()) FormatError(Fmt);
                Text = HexDigits(static_cast<uint64_t>(A.AsInteger()), static_cast<int>(Precision));
                break;
            }
            case 'S': {
                if (!A.IsString()) FormatError(Fmt);
                Text = A.AsString();
                if (Precision >= 0 && Text.size() > static_cast<size_t>(Precision))
                    Text.resize(static_cast<size_t>(Precision));
                break;
            }
            case 'P': {
                if (!A.IsPointer()) FormatError(Fmt);
                Text = HexDigits(reinterpret_cast<uintptr_t>(A.AsPointer()),
                                 static_cast<int>(sizeof(void*) * 2));
                break;
            }
            case 'F':
            case 'G':
            case 'E':
            case 'N':
            case 'M': {
                double V;
                if (A.IsFloat())
                    V = A.AsFloat();
                else if (A.IsInteger())
                    V = static_cast<double>(A.AsInteger());
                else
                    FormatError(Fmt);
                const int Prec = static_cast<int>(Precision);
                if (Type == 'F')
                    Text = FixedText(V, Prec < 0 ? 2 : Prec, false);
                else if (Type == 'N' || Type == 'M')
                    Text = FixedText(V, Prec < 0 ? 2 : Prec, true);
                else if (Type == 'G')
                    Text = GeneralText(V, Prec <= 0 ? 15 : std::min(Prec, 17));
                else
                    Text = ScientificText(V, Prec <= 0 ? 15 : std::min(Prec, 17));
                break;
            }
            default:
                FormatError(Fmt);
        }
        if (Width > 0 && Text.size() < static_cast<size_t>(Width)) {
            const size_t Pad = static_cast<size_t>(Width) - Text.size();
            if (LeftAlign)
                Text.append(Pad, ' ');
            else
                Text.insert(0, Pad, ' ');
        }
        R += Text;
    }
    return R;
}

std::string IntToStr(int64_t Value) {
    return std::to_string(Value);
}

std::string IntToHex(int64_t Value, int Digits) {
    return HexDigits(static_cast<uint64_t>(Value), Digits);
}

bool TryStrToInt(const std::string& S, int& Value) {
    int64_t V;
    if (!ParseInteger(S, 32, V)) return false;
    Value = static_cast<int>(V);
    return true;
}

bool TryStrToInt64(const std::string& S, int64_t& Value) {
    return ParseInteger(S, 64, Value);
}

int StrToInt(const std::string& S) {
    int V;
    if (!TryStrToInt(S, V)) throw EConvertError("'%s' is not a valid integer value", {S});
    return V;
}

int64_t StrToInt64(const std::string& S) {
    int64_t V;
    if (!TryStrToInt64(S, V)) throw EConvertError("'%s' is not a valid integer value", {S});
    return V;
}

int StrToIntDef(const std::string& S, int Default) {
    int V;
    return TryStrToInt(S, V) ? V : Default;
}

std::string FloatToStr(double Value) {
    return GeneralText(Value, 15);
}

bool TryStrToFloat(const std::string& S, double& Value) {
    return ParseFloat(S, Value);
}

double StrToFloat(const std::string& S) {
    double V;
    if (!ParseFloat(S, V)) throw EConvertError("'%s' is not a valid floating point value", {S});
    return V;
}

std::string BoolToStr(bool B, bool UseBoolStrs) {
    if (UseBoolStrs) return B ? "True" : "False";
    return B ? "-1" : "0";
}

std::string Trim(const std::string& S) {
    size_t B = 0, E = S.size();
    while (B < E && IsBlank(S[B])) ++B;
    while (E > B && IsBlank(S[E - 1])) --E;
    return S.substr(B, E - B);
}

std::string TrimLeft(const std::string& S) {
    size_t B = 0;
    while (B < S.size() && IsBlank(S[B])) ++B;
    return S.substr(B);
}

std::string TrimRight(const std::string& S) {
    size_t E = S.size();
    while (E > 0 && IsBlank(S[E - 1])) --E;
    return S.substr(0, E);
}

std::string UpperCase(const std::string& S) {
    std::string R = S;
    for (char& C : R) C = ToUpperAscii(C);
    return R;
}

std::string LowerCase(const std::string& S) {
    std::string R = S;
    for (char& C : R) C = ToLowerAscii(C);
    return R;
}

bool SameText(const std::string& S1, const std::string& S2) {
    if (S1.size() != S2.size()) return false;
    for (size_t I = 0; I < S1.size(); ++I)
        if (ToUpperAscii(S1[I]) != ToUpperAscii(S2[I])) return false;
    return true;
}

// Letters fold to upper case, as the framework does, so '_' sorts after every letter.
int CompareText(const std::string& S1, const std::string& S2) {
    const size_t N = std::min(S1.size(), S2.size());
    for (size_t I = 0; I < N; ++I) {
        int C1 = static_cast<unsigned char>(ToUpperAscii(S1[I]));
        int C2 = static_cast<unsigned char>(ToUpperAscii(S2[I]));
        if (C1 != C2) return C1 - C2;
    }
    if (S1.size() == S2.size()) return 0;
    return S1.size() < S2.size() ? -1 : 1;
}

int CompareStr(const std::string& S1, const std::string& S2) {
    const size_t N = std::min(S1.size(), S2.size());
    for (size_t I = 0; I < N; ++I) {
        int C1 = static_cast<unsigned char>(S1[I]);
        int C2 = static_cast<unsigned char>(S2[I]);
        if (C1 != C2) return C1 - C2;
    }
    if (S1.size() == S2.size()) return 0;
    return S1.size() < S2.size() ? -1 : 1;
}

// The host's collation would make sort orders differ between machines, so this folds
// ASCII letters to upper case (same as CompareText) and compares unsigned bytes.
int AnsiCompareText(const std::string& S1, const std::string& S2) {
    return CompareText(S1, S2);
}

// Case-insensitive first; names equal but for case put lower case first ("a" < "A" < "b"),
// which keeps mixed-case lists in the order a reader expects.
int AnsiCompareStr(const std::string& S1, const std::string& S2) {
    int R = CompareText(S1, S2);
    if (R != 0) return R;
    for (size_t I = 0; I < S1.size(); ++I) {
        if (S1[I] != S2[I]) return (S1[I] >= 'a' && S1[I] <= 'z') ? -1 : 1;
    }
    return 0;
}

bool IsValidIdent(const std::string& Ident, bool AllowDots) {
    if (Ident.empty()) return false;
    bool AtStart = true;
    for (char C : Ident) {
        if (AtStart) {
            if (!IsAlpha(C) && C != '_') return false;
            AtStart = false;
        } else if (C == '.') {
            if (!AllowDots) return false;
            AtStart = true;
        } else if (!IsAlpha(C) && !IsDigit(C) && C != '_') {
            return false;
        }
    }
    return !AtStart;
}

std::string QuotedStr(const std::string& S) {
    std::string R = "'";
    for (char C : S) {
        if (C == '\'') R += '\'';
        R += C;
    }
    R += '\'';
    return R;
}

std::string StringReplaceAll(const std::string& S, const std::string& From, const std::string& To) {
    if (From.empty()) return S;
    std::string R;
    size_t P = 0;
    for (;;) {
        size_t Q = S.find(From, P);
        if (Q == std::string::npos) break;
        R.append(S, P, Q - P);
        R += To;
        P = Q + From.size();
    }
    R.append(S, P, std::string::npos);
    return R;
}

uint32_t GetTickCount() {
    auto Ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<uint32_t>(static_cast<uint64_t>(Ms.count()));
}

}  // namespace zk
