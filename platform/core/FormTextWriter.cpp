// Binary form stream to text: decodes one component and writes its readable form.
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/core/FormText.h"
#include "platform/core/ValueTypes.h"

namespace zk {

namespace {

// Long strings are split into '+'-joined pieces of this many characters.
constexpr size_t MaxPieceChars = 64;
// Binary data is written this many bytes (twice as many hex digits) per line.
constexpr int64_t BinaryBytesPerLine = 32;

[[noreturn]] void ReadError(const char* Msg) {
    throw EReadError(std::string(Msg));
}

// The stream being decoded. Every length is checked against what is left of
// the stream before anything is allocated for it.
class TBinarySource {
public:
    explicit TBinarySource(TStream* Stream) : FStream(Stream) {}

    uint8_t Byte() {
        uint8_t B = 0;
        FStream->ReadBuffer(&B, 1);
        return B;
    }

    // Size bytes, little-endian.
    uint64_t Unsigned(int Size) {
        unsigned char Buf[8] = {};
        FStream->ReadBuffer(Buf, Size);
        uint64_t V = 0;
        for (int I = Size - 1; I >= 0; --I) V = (V << 8) | Buf[I];
        return V;
    }

    std::string Bytes(int64_t Count) {
        if (Count < 0 || Count > FStream->Remaining()) ReadError("Stream read error");
        std::string S(static_cast<size_t>(Count), '\0');
        FStream->ReadBuffer(S.data(), Count);
        return S;
    }

    std::string ShortString() { return Bytes(Byte()); }

    // A 4-byte count of units of UnitSize bytes that must all still be in the stream.
    int64_t Count(int UnitSize) {
        int64_t N = static_cast<int64_t>(Unsigned(4));
        if (N * UnitSize > FStream->Remaining()) ReadError("Stream read error");
        return N;
    }

    bool AtSignature() {
        char Sig[sizeof(FilerSignature)];
        if (FStream->Remaining() < static_cast<int64_t>(sizeof(Sig))) return false;
        FStream->ReadBuffer(Sig, sizeof(Sig));
        return std::memcmp(Sig, FilerSignature, sizeof(Sig)) == 0;
    }

private:
    TStream* FStream;
};

// An 80-bit x87 value as the nearest double; the format keeps the integer bit explicit.
double ExtendedBytesToDouble(const std::string& B) {
    return ExtendedToDouble(reinterpret_cast<const uint8_t*>(B.data()));
}

// The shortest text that reads back to exactly V, always recognisable as a float.
// Infinities are written as a literal too large for any float; NaN has no text.
template <class T>
std::string FloatText(T V) {
    if (std::isnan(V)) ReadError("Invalid floating point value: NaN has no text form");
    if (std::isinf(V)) return V < 0 ? "-1E9999" : "1E9999";
    char Buf[64];
    auto R = std::to_chars(Buf, Buf + sizeof(Buf), V);
    std::string S(Buf, R.ptr);
    if (S.find_first_of(".e") == std::string::npos) S += ".0";
    return S;
}

// Currency is an integer count of ten-thousandths; written exactly.
std::string CurrencyText(int64_t V) {
    uint64_t A = V < 0 ? 0 - static_cast<uint64_t>(V) : static_cast<uint64_t>(V);
    std::string Frac = std::to_string(A % 10000 + 10000).substr(1);
    while (Frac.size() > 1 && Frac.back() == '0') Frac.pop_back();
    return (V < 0 ? "-" : "") + std::to_string(A / 10000) + "." + Frac + "c";
}

// One character of a string value: a code, or bytes copied verbatim inside quotes.
struct TTextChar {
    uint32_t Code;
    uint32_t RawPos;
    uint32_t RawLen;  // 0: write by Code
};

// Single-byte strings: every byte is the character with that code.
std::vector<TTextChar> ByteChars(const std::string& S) {
    std::vector<TTextChar> Chars;
    Chars.reserve(S.size());
    for (unsigned char C : S) Chars.push_back({C, 0, 0});
    return Chars;
}

// UTF-8 strings keep their non-ASCII bytes verbatim so they come back as UTF-8;
// a well-formed sequence counts as one character, a stray byte as one.
std::vector<TTextChar> Utf8Chars(const std::string& S) {
    std::vector<TTextChar> Chars;
    Chars.reserve(S.size());
    for (size_t I = 0; I < S.size();) {
        unsigned char B = S[I];
        if (B < 0x80) {
            Chars.push_back({B, 0, 0});
            ++I;
            continue;
        }
        size_t Len = B >= 0xF8 ? 1 : B >= 0xF0 ? 4 : B >= 0xE0 ? 3 : B >= 0xC0 ? 2 : 1;
        for (size_t K = 1; K < Len; ++K)
            if (I + K >= S.size() || (static_cast<unsigned char>(S[I + K]) & 0xC0) != 0x80) Len = 1;
        Chars.push_back({B, static_cast<uint32_t>(I), static_cast<uint32_t>(Len)});
        I += Len;
    }
    return Chars;
}

// Wide strings are written as code points; a surrogate pair becomes one code.
std::vector<TTextChar> WideChars(const std::u16string& W) {
    std::vector<TTextChar> Chars;
    Chars.reserve(W.size());
    for (size_t I = 0; I < W.size(); ++I) {
        uint32_t C = W[I];
        if (C >= 0xD800 && C < 0xDC00 && I + 1 < W.size() && W[I + 1] >= 0xDC00 &&
            W[I + 1] < 0xE000) {
            C = 0x10000 + ((C - 0xD800) << 10) + (W[I + 1] - 0xDC00);
            ++I;
        }
        Chars.push_back({C, 0, 0});
    }
    return Chars;
}

bool IsIntegerMarker(uint8_t Marker) {
    return Marker == vaInt8 || Marker == vaInt16 || Marker == vaInt32 || Marker == vaInt64;
}

// Writes the text form while it walks the binary form.
class TTextBuilder {
public:
    explicit TTextBuilder(TStream* Input) : FIn(Input) {}

    std::string Convert() {
        if (!FIn.AtSignature()) ReadError("Invalid stream format");
        Component(FIn.Byte(), 0);
        return std::move(FOut);
    }

private:
    TBinarySource FIn;
    std::string FOut;
    int FDepth = 0;

    void Indent(int Level) { FOut.append(static_cast<size_t>(Level) * 2, ' '); }
    void Enter() {
        if (++FDepth > MaxFilerNesting) ReadError("Nesting too deep");
    }
    void Leave() { --FDepth; }

    int64_t Integer(uint8_t Marker);
    int64_t SmallInteger(uint8_t Marker);
    void Component(uint8_t First, int Level);
    void ComponentHeader(uint8_t First);
    void Properties(int Level);
    void Value(uint8_t Marker, int Level);
    bool ScalarValue(uint8_t Marker);
    bool StringValue(uint8_t Marker, int Level);
    void Chars(const std::string& Raw, const std::vector<TTextChar>& Chars, int Level);
    void Piece(const std::string& Raw, const TTextChar* First, const TTextChar* Last);
    void ListValue(int Level);
    void CollectionValue(int Level);
    void SetValue();
    void BinaryValue(int Level);
};

int64_t TTextBuilder::Integer(uint8_t Marker) {
    switch (Marker) {
        case vaInt8:
            return static_cast<int8_t>(FIn.Unsigned(1));
        case vaInt16:
            return static_cast<int16_t>(FIn.Unsigned(2));
        case vaInt32:
            return static_cast<int32_t>(FIn.Unsigned(4));
        default:
            return static_cast<int64_t>(FIn.Unsigned(8));
    }
}

// Child positions and collection item indexes are at most 32-bit.
int64_t TTextBuilder::SmallInteger(uint8_t Marker) {
    if (Marker != vaInt8 && Marker != vaInt16 && Marker != vaInt32)
        ReadError("Invalid stream format");
    return Integer(Marker);
}

void TTextBuilder::Component(uint8_t First, int Level) {
    Enter();
    Indent(Level);
    ComponentHeader(First);
    FOut += '\n';
    Properties(Level + 1);
    for (uint8_t B = FIn.Byte(); B != vaNull; B = FIn.Byte()) Component(B, Level + 1);
    Indent(Level);
    FOut += "end\n";
    Leave();
}

// A prefix byte $F0 | flags may precede the class name. Inherited and inline
// together have no text form, so such a stream is refused rather than altered.
void TTextBuilder::ComponentHeader(uint8_t First) {
    uint8_t Flags = 0;
    int64_t Pos = 0;
    uint8_t ClassLen = First;
    if ((First & 0xF0) == 0xF0) {
        Flags = First & 0x0F;
        constexpr uint8_t Known = ffInherited | ffChildPos | ffInline;
        if ((Flags & ~Known) || ((Flags & ffInherited) && (Flags & ffInline)))
            ReadError("Invalid component prefix");
        if (Flags & ffChildPos) Pos = SmallInteger(FIn.Byte());
        ClassLen = FIn.Byte();
    }
    std::string ClassName = FIn.Bytes(ClassLen);
    std::string Name = FIn.ShortString();
    FOut += (Flags & ffInline) ? "inline " : (Flags & ffInherited) ? "inherited " : "object ";
    if (!Name.empty()) FOut += Name + ": ";
    FOut += ClassName;
    if (Flags & ffChildPos) FOut += " [" + std::to_string(Pos) + "]";
}

void TTextBuilder::Properties(int Level) {
    for (uint8_t Len = FIn.Byte(); Len != 0; Len = FIn.Byte()) {
        std::string Name = FIn.Bytes(Len);
        Indent(Level);
        FOut += Name;
        FOut += " = ";
        Value(FIn.Byte(), Level);
        FOut += '\n';
    }
}

// Level is the indentation of the line the value starts on; continuation
// lines of the value go one level deeper.
void TTextBuilder::Value(uint8_t Marker, int Level) {
    if (ScalarValue(Marker) || StringValue(Marker, Level)) return;
    switch (Marker) {
        case vaList:
            ListValue(Level);
            break;
        case vaCollection:
            CollectionValue(Level);
            break;
        case vaSet:
            SetValue();
            break;
        case vaBinary:
            BinaryValue(Level);
            break;
        default:
            if (Marker > vaLast)
                throw EReadError("Invalid value type (%d)", {static_cast<int>(Marker)});
            ReadError("Invalid property value");
    }
}

bool TTextBuilder::ScalarValue(uint8_t Marker) {
    if (IsIntegerMarker(Marker)) {
        FOut += std::to_string(Integer(Marker));
        return true;
    }
    switch (Marker) {
        case vaExtended:
            FOut += FloatText(ExtendedBytesToDouble(FIn.Bytes(10)));
            return true;
        case vaDouble:
            FOut += FloatText(std::bit_cast<double>(FIn.Unsigned(8)));
            return true;
        case vaSingle:
            FOut += FloatText(std::bit_cast<float>(static_cast<uint32_t>(FIn.Unsigned(4)))) + "s";
            return true;
        case vaDate:
            FOut += FloatText(std::bit_cast<double>(FIn.Unsigned(8))) + "d";
            return true;
        case vaCurrency:
            FOut += CurrencyText(static_cast<int64_t>(FIn.Unsigned(8)));
            return true;
        case vaIdent:
            FOut += FIn.ShortString();
            return true;
        case vaFalse:
            FOut += "False";
            return true;
        case vaTrue:
            FOut += "True";
            return true;
        case vaNil:
            FOut += "nil";
            return true;
        default:
            return false;
    }
}

bool TTextBuilder::StringValue(uint8_t Marker, int Level) {
    std::string Raw;
    switch (Marker) {
        case vaString:
            Raw = FIn.ShortString();
            Chars(Raw, ByteChars(Raw), Level);
            return true;
        case vaLString:
            Raw = FIn.Bytes(FIn.Count(1));
            Chars(Raw, ByteChars(Raw), Level);
            return true;
        case vaUTF8String:
            Raw = FIn.Bytes(FIn.Count(1));
            Chars(Raw, Utf8Chars(Raw), Level);
            return true;
        case vaWString: {
            Raw = FIn.Bytes(FIn.Count(2) * 2);
            std::u16string W(Raw.size() / 2, u'\0');
            for (size_t I = 0; I < W.size(); ++I)
                W[I] = static_cast<char16_t>(static_cast<unsigned char>(Raw[2 * I]) |
                                             (static_cast<unsigned char>(Raw[2 * I + 1]) << 8));
            Chars(Raw, WideChars(W), Level);
            return true;
        }
        default:
            return false;
    }
}

void TTextBuilder::Chars(const std::string& Raw, const std::vector<TTextChar>& Chars, int Level) {
    if (Chars.empty()) FOut += "''";
    for (size_t Start = 0; Start < Chars.size(); Start += MaxPieceChars) {
        if (Start > 0) {
            FOut += " +\n";
            Indent(Level + 1);
        }
        size_t End = std::min(Chars.size(), Start + MaxPieceChars);
        Piece(Raw, Chars.data() + Start, Chars.data() + End);
    }
}

// Printable ASCII and verbatim bytes go inside quotes, everything else as #code.
void TTextBuilder::Piece(const std::string& Raw, const TTextChar* First, const TTextChar* Last) {
    bool InQuotes = false;
    for (const TTextChar* C = First; C != Last; ++C) {
        bool Quoted = C->RawLen > 0 || (C->Code >= 32 && C->Code < 127);
        if (Quoted != InQuotes) {
            FOut += '\'';
            InQuotes = Quoted;
        }
        if (C->RawLen > 0) {
            FOut.append(Raw, C->RawPos, C->RawLen);
        } else if (Quoted) {
            FOut += static_cast<char>(C->Code);
            if (C->Code == '\'') FOut += '\'';
        } else {
            FOut += '#';
            FOut += std::to_string(C->Code);
        }
    }
    if (InQuotes) FOut += '\'';
}

void TTextBuilder::ListValue(int Level) {
    Enter();
    FOut += '(';
    for (uint8_t B = FIn.Byte(); B != vaNull; B = FIn.Byte()) {
        FOut += '\n';
        Indent(Level + 1);
        Value(B, Level + 1);
    }
    FOut += ')';
    Leave();
}

// Items are written "item" or, with the optional index, "item [n]".
void TTextBuilder::CollectionValue(int Level) {
    Enter();
    FOut += '<';
    for (uint8_t B = FIn.Byte(); B != vaNull; B = FIn.Byte()) {
        FOut += '\n';
        Indent(Level + 1);
        FOut += "item";
        if (B != vaList) {
            FOut += " [" + std::to_string(SmallInteger(B)) + "]";
            if (FIn.Byte() != vaList) ReadError("Invalid stream format");
        }
        FOut += '\n';
        Properties(Level + 2);
        Indent(Level + 1);
        FOut += "end";
    }
    FOut += '>';
    Leave();
}

void TTextBuilder::SetValue() {
    FOut += '[';
    bool First = true;
    for (std::string E = FIn.ShortString(); !E.empty(); E = FIn.ShortString()) {
        if (!First) FOut += ", ";
        FOut += E;
        First = false;
    }
    FOut += ']';
}

void TTextBuilder::BinaryValue(int Level) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string Data = FIn.Bytes(FIn.Count(1));
    FOut += '{';
    for (size_t I = 0; I < Data.size(); ++I) {
        if (I % BinaryBytesPerLine == 0) {
            FOut += '\n';
            Indent(Level + 1);
        }
        unsigned char B = Data[I];
        FOut += Hex[B >> 4];
        FOut += Hex[B & 15];
    }
    FOut += '}';
}

}  // namespace

void ObjectBinaryToText(TStream* Input, TStream* Output) {
    std::string Text = TTextBuilder(Input).Convert();
    Output->WriteBuffer(Text.data(), static_cast<int64_t>(Text.size()));
}

std::string ObjectBinaryToText(const std::string& Binary) {
    TStringStream In(Binary);
    TStringStream Out;
    ObjectBinaryToText(&In, &Out);
    return Out.GetDataString();
}

}  // namespace zk
