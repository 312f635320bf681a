// Text form to binary form stream: a tokenizer and a recursive descent parser.
#include <bit>
#include <charconv>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/core/FormText.h"
#include "platform/core/ValueTypes.h"
#include "platform/core/Variant.h"

namespace zk {

namespace {

constexpr uint32_t MaxCodePoint = 0x10FFFF;

[[noreturn]] void SyntaxError(int Line, const std::string& Msg) {
    throw EParserError("Line " + std::to_string(Line) + ": " + Msg);
}

bool IsDigit(char C) {
    return C >= '0' && C <= '9';
}
bool IsHexDigit(char C) {
    return IsDigit(C) || (C >= 'a' && C <= 'f') || (C >= 'A' && C <= 'F');
}
int HexValue(char C) {
    return IsDigit(C) ? C - '0' : (C | 0x20) - 'a' + 10;
}
bool IsIdentStart(char C) {
    return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || C == '_';
}
bool IsIdentChar(char C) {
    return IsIdentStart(C) || IsDigit(C);
}

// A string constant as written: runs of bytes (quoted text and codes below 128)
// and codes of 128 and above, which make the whole string wide.
class TStringValue {
public:
    void AddByte(char C) {
        if (FPieces.empty() || FPieces.back().IsCode) FPieces.push_back({false, 0, {}});
        FPieces.back().Bytes += C;
    }
    void AddCode(uint32_t Code) {
        if (Code < 0x80)
            AddByte(static_cast<char>(Code));
        else
            FPieces.push_back({true, Code, {}});
    }
    void Append(const TStringValue& Other) {
        for (const TPiece& P : Other.FPieces) {
            if (P.IsCode)
                FPieces.push_back(P);
            else
                for (char C : P.Bytes) AddByte(C);
        }
    }
    void Clear() { FPieces.clear(); }

    bool IsWide() const {
        for (const TPiece& P : FPieces)
            if (P.IsCode) return true;
        return false;
    }
    std::string Narrow() const {
        std::string S;
        for (const TPiece& P : FPieces) S += P.Bytes;
        return S;
    }
    // Byte runs are read as UTF-8; codes above $FFFF become surrogate pairs.
    std::u16string Wide() const {
        std::u16string W;
        for (const TPiece& P : FPieces) {
            if (!P.IsCode) {
                W += Utf8ToUtf16(P.Bytes);
            } else if (P.Code >= 0x10000) {
                W += static_cast<char16_t>(0xD800 + ((P.Code - 0x10000) >> 10));
                W += static_cast<char16_t>(0xDC00 + ((P.Code - 0x10000) & 0x3FF));
            } else {
                W += static_cast<char16_t>(P.Code);
            }
        }
        return W;
    }

private:
    struct TPiece {
        bool IsCode;
        uint32_t Code;
        std::string Bytes;
    };
    std::vector<TPiece> FPieces;
};

enum TTokenKind { tkEof, tkIdent, tkInteger, tkFloat, tkString, tkSymbol };

// Splits the text into tokens, one at a time; only the current token is kept.
class TLexer {
public:
    explicit TLexer(const std::string& Text) : FText(Text) {
        if (FText.compare(0, 3, "\xEF\xBB\xBF") == 0) FPos = 3;  // a UTF-8 byte order mark
        Next();
    }

    TTokenKind Kind = tkEof;
    std::string Text;  // source text of identifiers, numbers and symbols
    int Line = 1;
    int64_t Int = 0;
    char Suffix = 0;  // of a float: 0, 's', 'c' or 'd'
    TStringValue Str;

    void Next();
    bool IsSymbol(char C) const { return Kind == tkSymbol && Text[0] == C; }
    // Whether the character after the current token, past blanks, is C.
    bool NextCharIs(char C) const;
    // Reads the hex digits after a '{' up to and including the '}'.
    std::string ReadBinary();
    // How the current token is named in messages.
    std::string Describe() const;

private:
    const std::string& FText;
    size_t FPos = 0;
    int FLine = 1;

    char At(size_t Pos) const { return Pos < FText.size() ? FText[Pos] : '\0'; }
    bool AtEnd() const { return FPos >= FText.size(); }
    void SkipBlanks(size_t& Pos, int& Line) const;
    void ScanIdent();
    void ScanNumber();
    void ScanHexNumber(bool Negative);
    void ScanDecimal(bool Negative);
    void ScanString();
    void ScanQuoted();
    void ScanCode();
    void InvalidCharacter(char C) const;
};

// Blanks are all control characters and spaces; CR LF, LF and CR each end a line.
void TLexer::SkipBlanks(size_t& Pos, int& Line) const {
    while (Pos < FText.size()) {
        char C = FText[Pos];
        if (C == '\n' || (C == '\r' && At(Pos + 1) != '\n'))
            ++Line;
        else if (C == '\0' || static_cast<unsigned char>(C) > ' ')
            return;
        ++Pos;
    }
}

bool TLexer::NextCharIs(char C) const {
    size_t Pos = FPos;
    int L = FLine;
    SkipBlanks(Pos, L);
    return Pos < FText.size() && FText[Pos] == C;
}

void TLexer::InvalidCharacter(char C) const {
    unsigned char U = static_cast<unsigned char>(C);
    if (U > ' ' && U < 127) SyntaxError(FLine, std::string("Invalid character '") + C + "'");
    SyntaxError(FLine, "Invalid character #" + std::to_string(U));
}

void TLexer::Next() {
    SkipBlanks(FPos, FLine);
    Line = FLine;
    Text.clear();
    if (AtEnd()) {
        Kind = tkEof;
        return;
    }
    char C = FText[FPos];
    if (IsIdentStart(C)) return ScanIdent();
    if (IsDigit(C) || C == '-' || C == '$') return ScanNumber();
    if (C == '\'' || C == '#') return ScanString();
    if (C == '\0' || std::strchr("=:[]()<>{},+", C) == nullptr) InvalidCharacter(C);
    Kind = tkSymbol;
    Text = C;
    ++FPos;
}

// Identifiers may be dotted: Font.Style, Form2.Button1.
void TLexer::ScanIdent() {
    size_t Start = FPos;
    for (;;) {
        while (IsIdentChar(At(FPos))) ++FPos;
        if (At(FPos) != '.' || !IsIdentStart(At(FPos + 1))) break;
        ++FPos;
    }
    Kind = tkIdent;
    Text.assign(FText, Start, FPos - Start);
}

void TLexer::ScanNumber() {
    size_t Start = FPos;
    bool Negative = At(FPos) == '-';
    if (Negative) ++FPos;
    if (At(FPos) == '$')
        ScanHexNumber(Negative);
    else
        ScanDecimal(Negative);
    if (IsIdentChar(At(FPos)) || At(FPos) == '.' || At(FPos) == '$')
        SyntaxError(Line, "Invalid number");
    Text.assign(FText, Start, FPos - Start);
}

// $hex: up to 64 bits, the top bit giving negative values as two's complement.
void TLexer::ScanHexNumber(bool Negative) {
    ++FPos;
    size_t Start = FPos;
    uint64_t V = 0;
    int Significant = 0;
    for (; IsHexDigit(At(FPos)); ++FPos) {
        if (Significant > 0 || At(FPos) != '0') ++Significant;
        V = (V << 4) | static_cast<uint64_t>(HexValue(At(FPos)));
    }
    if (FPos == Start) SyntaxError(Line, "Invalid number");
    if (Significant > 16) SyntaxError(Line, "Number out of range");
    Kind = tkInteger;
    Int = static_cast<int64_t>(Negative ? 0 - V : V);
}

// Digits with an optional fraction and exponent; a '.', an exponent or a
// suffix s, c or d makes it a float.
void TLexer::ScanDecimal(bool Negative) {
    size_t Start = FPos - (Negative ? 1 : 0);
    if (!IsDigit(At(FPos))) SyntaxError(Line, "Invalid number");
    while (IsDigit(At(FPos))) ++FPos;
    bool IsFloat = false;
    if (At(FPos) == '.') {
        IsFloat = true;
        for (++FPos; IsDigit(At(FPos));) ++FPos;
    }
    if (At(FPos) == 'e' || At(FPos) == 'E') {
        IsFloat = true;
        ++FPos;
        if (At(FPos) == '+' || At(FPos) == '-') ++FPos;
        if (!IsDigit(At(FPos))) SyntaxError(Line, "Invalid number");
        while (IsDigit(At(FPos))) ++FPos;
    }
    size_t End = FPos;
    char S = static_cast<char>(At(FPos) | 0x20);
    Suffix = 0;
    if (S == 's' || S == 'c' || S == 'd') {
        IsFloat = true;
        Suffix = S;
        ++FPos;
    }
    Kind = IsFloat ? tkFloat : tkInteger;
    if (IsFloat) return;
    auto R = std::from_chars(FText.data() + Start, FText.data() + End, Int);
    if (R.ec != std::errc()) SyntaxError(Line, "Number out of range");
}

// Quoted text and #codes written without blanks between them form one string.
void TLexer::ScanString() {
    Kind = tkString;
    Str.Clear();
    for (;;) {
        if (At(FPos) == '\'')
            ScanQuoted();
        else if (At(FPos) == '#')
            ScanCode();
        else
            break;
    }
}

// Bytes inside quotes are taken as they are, so UTF-8 text stays UTF-8.
void TLexer::ScanQuoted() {
    for (++FPos;; ++FPos) {
        char C = At(FPos);
        if (AtEnd() || C == '\r' || C == '\n') SyntaxError(Line, "Unterminated string");
        if (C == '\'') {
            if (At(FPos + 1) != '\'') break;
            ++FPos;
        }
        Str.AddByte(C);
    }
    ++FPos;
}

// #nnn or #$hex: a Unicode code point.
void TLexer::ScanCode() {
    ++FPos;
    bool Hex = At(FPos) == '$';
    if (Hex) ++FPos;
    size_t Start = FPos;
    uint64_t Code = 0;
    for (; Hex ? IsHexDigit(At(FPos)) : IsDigit(At(FPos)); ++FPos) {
        Code = Code * (Hex ? 16 : 10) + static_cast<uint64_t>(HexValue(At(FPos)));
        if (Code > MaxCodePoint) SyntaxError(Line, "Invalid character code");
    }
    if (FPos == Start) SyntaxError(Line, "Invalid character code");
    Str.AddCode(static_cast<uint32_t>(Code));
}

std::string TLexer::ReadBinary() {
    std::string Data;
    int High = -1;
    for (;; ++FPos) {
        SkipBlanks(FPos, FLine);
        Line = FLine;
        char C = At(FPos);
        if (AtEnd()) SyntaxError(Line, "'}' expected but end of file found");
        if (C == '}') break;
        if (!IsHexDigit(C)) SyntaxError(Line, "Invalid binary data");
        if (High < 0) {
            High = HexValue(C);
        } else {
            Data += static_cast<char>(High << 4 | HexValue(C));
            High = -1;
        }
    }
    if (High >= 0) SyntaxError(Line, "Invalid binary data");
    ++FPos;
    return Data;
}

std::string TLexer::Describe() const {
    switch (Kind) {
        case tkEof:
            return "end of file";
        case tkString:
            return "string";
        default:
            return "'" + Text + "'";
    }
}

// The decimal exponent of a float literal's leading significant digit, which
// tells overflow from underflow; NoDigit when every digit is zero.
constexpr long NoDigit = std::numeric_limits<long>::min();

long LeadingExponent(const std::string& T) {
    size_t I = T[0] == '-' ? 1 : 0;
    const size_t IntStart = I;
    while (I < T.size() && IsDigit(T[I])) ++I;
    const long IntDigits = static_cast<long>(I - IntStart);
    long Lead = NoDigit;
    for (size_t K = IntStart; K < I && Lead == NoDigit; ++K)
        if (T[K] != '0') Lead = IntDigits - 1 - static_cast<long>(K - IntStart);
    if (I < T.size() && T[I] == '.') {
        const size_t FracStart = ++I;
        for (; I < T.size() && IsDigit(T[I]); ++I)
            if (Lead == NoDigit && T[I] != '0') Lead = -static_cast<long>(I - FracStart) - 1;
    }
    if (Lead == NoDigit) return NoDigit;
    long E = 0;
    if (I < T.size()) {  // the exponent
        bool Negative = T[++I] == '-';
        if (T[I] == '+' || T[I] == '-') ++I;
        for (; I < T.size(); ++I) E = std::min(E * 10 + (T[I] - '0'), 1000000L);
        if (Negative) E = -E;
    }
    return Lead + E;
}

// Literals beyond the type's range read as infinity, or zero when too small.
template <class T>
T ParseFloat(const std::string& Text) {
    T V{};
    auto R = std::from_chars(Text.data(), Text.data() + Text.size(), V);
    if (R.ec != std::errc::result_out_of_range) return V;
    long Exp = LeadingExponent(Text);
    bool Negative = Text[0] == '-';
    if (Exp == NoDigit || Exp < 0) return Negative ? -T(0) : T(0);
    return Negative ? -std::numeric_limits<T>::infinity() : std::numeric_limits<T>::infinity();
}

// Currency is stored as an integer count of ten-thousandths, so the literal is
// scaled exactly in decimal; digits beyond the fourth place round half away from zero.
bool ParseCurrency(const std::string& T, int64_t& Value) {
    size_t I = T[0] == '-' ? 1 : 0;
    const bool Negative = I == 1;
    std::string Digits;
    long Scale = 4;
    for (; I < T.size() && IsDigit(T[I]); ++I) Digits += T[I];
    if (I < T.size() && T[I] == '.')
        for (++I; I < T.size() && IsDigit(T[I]); ++I, --Scale) Digits += T[I];
    if (I < T.size()) {  // the exponent
        bool NegExp = T[++I] == '-';
        if (T[I] == '+' || T[I] == '-') ++I;
        long E = 0;
        for (; I < T.size(); ++I) E = std::min(E * 10 + (T[I] - '0'), 1000000L);
        Scale += NegExp ? -E : E;
    }
    bool RoundUp = false;
    if (Scale < 0) {
        size_t Drop =
            static_cast<size_t>(std::min<long>(-Scale, static_cast<long>(Digits.size()) + 1));
        size_t Keep = Digits.size() >= Drop ? Digits.size() - Drop : 0;
        RoundUp = Drop <= Digits.size() && Digits[Keep] >= '5';
        Digits.resize(Keep);
        Scale = 0;
    }
    const uint64_t Limit = Negative ? uint64_t(1) << 63 : (uint64_t(1) << 63) - 1;
    uint64_t V = 0;
    for (char D : Digits) {
        if (V > (Limit - static_cast<uint64_t>(D - '0')) / 10) return false;
        V = V * 10 + static_cast<uint64_t>(D - '0');
    }
    for (long K = 0; K < Scale && V != 0; ++K) {
        if (V > Limit / 10) return false;
        V *= 10;
    }
    if (RoundUp && V++ == Limit) return false;
    Value = Negative ? static_cast<int64_t>(0 - V) : static_cast<int64_t>(V);
    return true;
}

void PutUnsigned(std::string& Out, uint64_t V, int Size) {
    for (int I = 0; I < Size; ++I, V >>= 8) Out += static_cast<char>(V & 0xFF);
}

// Parses the text form and writes the binary form as it goes.
class TParser {
public:
    explicit TParser(const std::string& Text) : FLex(Text) {}
    std::string Convert();

private:
    TLexer FLex;
    std::string FOut;
    int FDepth = 0;

    [[noreturn]] void Expected(const std::string& What) const {
        SyntaxError(FLex.Line, What + " expected but " + FLex.Describe() + " found");
    }
    void Enter() {
        if (++FDepth > MaxFilerNesting) SyntaxError(FLex.Line, "Nesting too deep");
    }
    void Leave() { --FDepth; }
    bool IsKeyword(const char* Word) const;
    bool IsComponentStart() const;
    std::string ComponentIdent();
    bool StartsValue() const;
    void Skip(char Symbol);
    std::string Ident();
    void PutShortString(const std::string& S);
    void PutInteger(int64_t V);
    int64_t BracketedIndex();
    void Component();
    void ComponentHeader(uint8_t Flags);
    void Property();
    void Value();
    void NumberValue();
    void FloatValue();
    void IdentValue();
    void StringValue();
    void ListValue();
    void SetValue();
    void CollectionValue();
    void CollectionItem();
    void BinaryValue();
};

std::string TParser::Convert() {
    FOut.append(FilerSignature, sizeof(FilerSignature));
    if (!IsComponentStart()) Expected("'object'");
    Component();
    if (FLex.Kind != tkEof) Expected("End of file");
    return std::move(FOut);
}

// Keywords are case-insensitive; one followed by '=' is a property name.
bool TParser::IsKeyword(const char* Word) const {
    return FLex.Kind == tkIdent && SameText(FLex.Text, Word) && !FLex.NextCharIs('=');
}

bool TParser::IsComponentStart() const {
    return IsKeyword("object") || IsKeyword("inherited") || IsKeyword("inline");
}

bool TParser::StartsValue() const {
    switch (FLex.Kind) {
        case tkInteger:
        case tkFloat:
        case tkString:
            return true;
        case tkIdent:
            return !IsKeyword("end") && !IsComponentStart();
        case tkSymbol:
            return std::strchr("[(<{", FLex.Text[0]) != nullptr;
        default:
            return false;
    }
}

void TParser::Skip(char Symbol) {
    if (!FLex.IsSymbol(Symbol)) Expected(std::string("'") + Symbol + "'");
    FLex.Next();
}

std::string TParser::Ident() {
    if (FLex.Kind != tkIdent) Expected("Identifier");
    if (FLex.Text.size() > 255) SyntaxError(FLex.Line, "Identifier too long");
    std::string S = std::move(FLex.Text);
    FLex.Next();
    return S;
}

// Names and classes of components: any identifier but the structural keywords.
std::string TParser::ComponentIdent() {
    for (const char* Word : {"end", "object", "inherited", "inline"})
        if (FLex.Kind == tkIdent && SameText(FLex.Text, Word)) Expected("Identifier");
    return Ident();
}

void TParser::PutShortString(const std::string& S) {
    FOut += static_cast<char>(S.size());
    FOut += S;
}

// Integers take the smallest marker that holds them.
void TParser::PutInteger(int64_t V) {
    if (V >= INT8_MIN && V <= INT8_MAX) {
        FOut += static_cast<char>(vaInt8);
        PutUnsigned(FOut, static_cast<uint64_t>(V), 1);
    } else if (V >= INT16_MIN && V <= INT16_MAX) {
        FOut += static_cast<char>(vaInt16);
        PutUnsigned(FOut, static_cast<uint64_t>(V), 2);
    } else if (V >= INT32_MIN && V <= INT32_MAX) {
        FOut += static_cast<char>(vaInt32);
        PutUnsigned(FOut, static_cast<uint64_t>(V), 4);
    } else {
        FOut += static_cast<char>(vaInt64);
        PutUnsigned(FOut, static_cast<uint64_t>(V), 8);
    }
}

// "[n]": a child position or a collection item index, at most 32-bit.
int64_t TParser::BracketedIndex() {
    Skip('[');
    if (FLex.Kind != tkInteger) Expected("Integer");
    int64_t V = FLex.Int;
    if (V < INT32_MIN || V > INT32_MAX) SyntaxError(FLex.Line, "Number out of range");
    FLex.Next();
    Skip(']');
    return V;
}

void TParser::Component() {
    uint8_t Flags = IsKeyword("inherited") ? ffInherited : IsKeyword("inline") ? ffInline : 0;
    Enter();
    FLex.Next();
    ComponentHeader(Flags);
    while (FLex.Kind == tkIdent && !IsKeyword("end") && !IsComponentStart()) Property();
    FOut += static_cast<char>(vaNull);
    while (IsComponentStart()) Component();
    if (!IsKeyword("end")) Expected("'end'");
    FOut += static_cast<char>(vaNull);
    FLex.Next();
    Leave();
}

// "[n] Name: Class", "Name: Class", ": Class" or "Class"; "[n]" may also follow the class.
void TParser::ComponentHeader(uint8_t Flags) {
    bool HasPos = FLex.IsSymbol('[');
    int64_t Pos = HasPos ? BracketedIndex() : 0;
    std::string Name, ClassName;
    if (FLex.IsSymbol(':')) {
        FLex.Next();
        ClassName = ComponentIdent();
    } else {
        ClassName = ComponentIdent();
        if (FLex.IsSymbol(':')) {
            FLex.Next();
            Name = std::move(ClassName);
            ClassName = ComponentIdent();
        }
    }
    if (!HasPos && FLex.IsSymbol('[')) {
        HasPos = true;
        Pos = BracketedIndex();
    }
    if (HasPos) Flags |= ffChildPos;
    if (Flags != 0) FOut += static_cast<char>(0xF0 | Flags);
    if (HasPos) PutInteger(Pos);
    PutShortString(ClassName);
    PutShortString(Name);
}

void TParser::Property() {
    PutShortString(Ident());
    Skip('=');
    Value();
}

void TParser::Value() {
    if (!StartsValue()) Expected("Value");
    switch (FLex.Kind) {
        case tkInteger:
            PutInteger(FLex.Int);
            FLex.Next();
            return;
        case tkFloat:
            return FloatValue();
        case tkString:
            return StringValue();
        case tkIdent:
            return IdentValue();
        default:
            break;
    }
    switch (FLex.Text[0]) {
        case '[':
            return SetValue();
        case '(':
            return ListValue();
        case '<':
            return CollectionValue();
        default:
            return BinaryValue();
    }
}

// Unsuffixed floats are doubles; s, c and d give single, currency and date.
void TParser::FloatValue() {
    std::string T = FLex.Text;
    if (FLex.Suffix != 0) T.pop_back();
    switch (FLex.Suffix) {
        case 's':
            FOut += static_cast<char>(vaSingle);
            PutUnsigned(FOut, std::bit_cast<uint32_t>(ParseFloat<float>(T)), 4);
            break;
        case 'c': {
            int64_t V = 0;
            if (!ParseCurrency(T, V)) SyntaxError(FLex.Line, "Number out of range");
            FOut += static_cast<char>(vaCurrency);
            PutUnsigned(FOut, static_cast<uint64_t>(V), 8);
            break;
        }
        default:
            FOut += static_cast<char>(FLex.Suffix == 'd' ? vaDate : vaDouble);
            PutUnsigned(FOut, std::bit_cast<uint64_t>(ParseFloat<double>(T)), 8);
            break;
    }
    FLex.Next();
}

void TParser::IdentValue() {
    if (SameText(FLex.Text, "True")) {
        FOut += static_cast<char>(vaTrue);
    } else if (SameText(FLex.Text, "False")) {
        FOut += static_cast<char>(vaFalse);
    } else if (SameText(FLex.Text, "nil")) {
        FOut += static_cast<char>(vaNil);
    } else {
        FOut += static_cast<char>(vaIdent);
        PutShortString(Ident());
        return;
    }
    FLex.Next();
}

// Any code of 128 or more makes the string wide; otherwise non-ASCII bytes
// make it UTF-8, and plain ASCII is a short or long string by its length.
void TParser::StringValue() {
    TStringValue S = FLex.Str;
    for (FLex.Next(); FLex.IsSymbol('+'); FLex.Next()) {
        FLex.Next();
        if (FLex.Kind != tkString) Expected("String");
        S.Append(FLex.Str);
    }
    if (S.IsWide()) {
        std::u16string W = S.Wide();
        if (W.size() > INT32_MAX) SyntaxError(FLex.Line, "String too long");
        FOut += static_cast<char>(vaWString);
        PutUnsigned(FOut, W.size(), 4);
        for (char16_t C : W) PutUnsigned(FOut, C, 2);
        return;
    }
    std::string N = S.Narrow();
    bool Ascii = true;
    for (char C : N) Ascii = Ascii && static_cast<unsigned char>(C) < 0x80;
    if (Ascii && N.size() <= 255) {
        FOut += static_cast<char>(vaString);
        PutShortString(N);
        return;
    }
    if (N.size() > INT32_MAX) SyntaxError(FLex.Line, "String too long");
    FOut += static_cast<char>(Ascii ? vaLString : vaUTF8String);
    PutUnsigned(FOut, N.size(), 4);
    FOut += N;
}

void TParser::ListValue() {
    Enter();
    FOut += static_cast<char>(vaList);
    FLex.Next();
    while (!FLex.IsSymbol(')')) {
        if (!StartsValue()) Expected("')'");
        Value();
    }
    FOut += static_cast<char>(vaNull);
    FLex.Next();
    Leave();
}

// Elements are identifiers; numbers are taken for sets of integers.
void TParser::SetValue() {
    FOut += static_cast<char>(vaSet);
    FLex.Next();
    for (bool More = !FLex.IsSymbol(']'); More;) {
        if (FLex.Kind == tkInteger) {
            PutShortString(FLex.Text);
            FLex.Next();
        } else {
            PutShortString(Ident());
        }
        More = FLex.IsSymbol(',');
        if (More) FLex.Next();
    }
    Skip(']');
    FOut += static_cast<char>(0);
}

void TParser::CollectionValue() {
    Enter();
    FOut += static_cast<char>(vaCollection);
    FLex.Next();
    while (!FLex.IsSymbol('>')) {
        if (FLex.Kind != tkIdent || !SameText(FLex.Text, "item")) Expected("'item'");
        CollectionItem();
    }
    FOut += static_cast<char>(vaNull);
    FLex.Next();
    Leave();
}

// "item" or "item [n]", properties, "end".
void TParser::CollectionItem() {
    FLex.Next();
    if (FLex.IsSymbol('[')) PutInteger(BracketedIndex());
    FOut += static_cast<char>(vaList);
    while (FLex.Kind == tkIdent && !IsKeyword("end")) Property();
    if (!IsKeyword("end")) Expected("'end'");
    FOut += static_cast<char>(vaNull);
    FLex.Next();
}

void TParser::BinaryValue() {
    std::string Data = FLex.ReadBinary();
    if (Data.size() > INT32_MAX) SyntaxError(FLex.Line, "Binary data too long");
    FOut += static_cast<char>(vaBinary);
    PutUnsigned(FOut, Data.size(), 4);
    FOut += Data;
    FLex.Next();
}

}  // namespace

void ObjectTextToBinary(TStream* Input, TStream* Output) {
    std::string Text(static_cast<size_t>(std::max<int64_t>(Input->Remaining(), 0)), '\0');
    Input->ReadBuffer(Text.data(), static_cast<int64_t>(Text.size()));
    std::string Binary = TParser(Text).Convert();
    Output->WriteBuffer(Binary.data(), static_cast<int64_t>(Binary.size()));
}

std::string ObjectTextToBinary(const std::string& Text) {
    TStringStream In(Text);
    TStringStream Out;
    ObjectTextToBinary(&In, &Out);
    return Out.GetDataString();
}

}  // namespace zk
