// TReader: reading components and values from the binary form format.
#include <cmath>
#include <cstring>
#include <mutex>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Collection.h"
#include "platform/core/Component.h"
#include "platform/core/Filer.h"
#include "platform/core/Filer_p.h"
#include "platform/core/IntegerConsts.h"
#include "platform/core/Stream.h"
#include "platform/core/SysUtils.h"

namespace zk {

ZK_IMPLEMENT_CLASS(TReader)
void TReader::DescribeClass(TClassBuilder<TReader>&) {}

TReader::TReader(TStream* Stream) : TFiler(Stream) {}

TReader::~TReader() = default;

// ---- primitive values ----

void TReader::ReadBuffer(void* Data, int64_t Count) { FStream->ReadBuffer(Data, Count); }

void TReader::CheckLength(int64_t Length) {
    if (Length < 0 || Length > FStream->Remaining()) throw EReadError("Stream read error");
}

std::string TReader::ReadCountedBytes(int64_t Length) {
    CheckLength(Length);
    std::string S(static_cast<size_t>(Length), '\0');
    if (Length) ReadBuffer(S.data(), Length);
    return S;
}

TValueType TReader::ReadValue() {
    uint8_t B;
    ReadBuffer(&B, 1);
    if (B > vaLast) throw EReadError("Invalid value type (%d)", {static_cast<int>(B)});
    return static_cast<TValueType>(B);
}

TValueType TReader::NextValue() {
    TValueType V = ReadValue();
    FStream->Seek(-1, soCurrent);
    return V;
}

bool TReader::EndOfList() {
    // Peeks the raw byte: a component prefix ($F0 | flags) is no value marker.
    uint8_t B;
    ReadBuffer(&B, 1);
    FStream->Seek(-1, soCurrent);
    return B == vaNull;
}

bool TReader::NextIsPrefix() {
    uint8_t B;
    ReadBuffer(&B, 1);
    FStream->Seek(-1, soCurrent);
    return (B & 0xF0) == 0xF0;
}

void TReader::InvalidValue() { throw EReadError("Invalid property value"); }

void TReader::CheckValue(TValueType Expected) {
    if (ReadValue() != Expected) InvalidValue();
}

void TReader::ReadListBegin() { CheckValue(vaList); }

void TReader::ReadListEnd() { CheckValue(vaNull); }

void TReader::ReadSignature() {
    char Sig[4];
    if (FStream->Read(Sig, 4) != 4 || std::memcmp(Sig, FilerSignature, 4) != 0)
        throw EReadError("Invalid stream format");
}

std::string TReader::ReadStr() {
    uint8_t Len;
    ReadBuffer(&Len, 1);
    return ReadCountedBytes(Len);
}

std::string TReader::ReadString() {
    switch (ReadValue()) {
        case vaString:
            return ReadStr();
        case vaLString:
        case vaUTF8String: {
            int32_t Len;
            ReadBuffer(&Len, 4);
            return ReadCountedBytes(Len);
        }
        case vaWString:
            FStream->Seek(-1, soCurrent);
            return Utf16ToUtf8(ReadWideString());
        default:
            InvalidValue();
    }
}

std::u16string TReader::ReadWideString() {
    TValueType V = ReadValue();
    if (V != vaWString) {
        FStream->Seek(-1, soCurrent);
        return Utf8ToUtf16(ReadString());
    }
    int32_t Len;
    ReadBuffer(&Len, 4);
    if (Len < 0) throw EReadError("Stream read error");
    CheckLength(int64_t(Len) * 2);
    std::u16string S(static_cast<size_t>(Len), u'\0');
    for (int32_t I = 0; I < Len; ++I) {
        uint8_t Bytes[2];
        ReadBuffer(Bytes, 2);
        S[I] = static_cast<char16_t>(Bytes[0] | (Bytes[1] << 8));
    }
    return S;
}

int64_t TReader::ReadInt64() {
    switch (ReadValue()) {
        case vaInt8: { int8_t V; ReadBuffer(&V, 1); return V; }
        case vaInt16: { int16_t V; ReadBuffer(&V, 2); return V; }
        case vaInt32: { int32_t V; ReadBuffer(&V, 4); return V; }
        case vaInt64: { int64_t V; ReadBuffer(&V, 8); return V; }
        default: InvalidValue();
    }
}

int TReader::ReadInteger() {
    int64_t V = ReadInt64();
    if (V < INT32_MIN || V > INT32_MAX) InvalidValue();
    return static_cast<int>(V);
}

bool TReader::ReadBoolean() {
    TValueType V = ReadValue();
    if (V != vaTrue && V != vaFalse) InvalidValue();
    return V == vaTrue;
}

std::string TReader::ReadIdent() {
    switch (ReadValue()) {
        case vaIdent: return ReadStr();
        case vaFalse: return "False";
        case vaTrue: return "True";
        case vaNil: return "nil";
        case vaNull: return "Null";
        default: InvalidValue();
    }
}

double TReader::ReadFloat() {
    switch (ReadValue()) {
        case vaExtended: {
            uint8_t B[10];
            ReadBuffer(B, 10);
            return ExtendedToDouble(B);
        }
        case vaDouble:
        case vaDate: {
            double V;
            ReadBuffer(&V, 8);
            return V;
        }
        case vaSingle: {
            float V;
            ReadBuffer(&V, 4);
            return V;
        }
        case vaCurrency: {
            int64_t V;
            ReadBuffer(&V, 8);
            return static_cast<double>(V) / 10000.0;
        }
        default:
            FStream->Seek(-1, soCurrent);
            return static_cast<double>(ReadInt64());
    }
}

double TReader::ReadDate() { return ReadFloat(); }

TVariant TReader::ReadVariant() {
    switch (NextValue()) {
        case vaNil: ReadValue(); return TVariant();
        case vaNull: ReadValue(); return TVariant::Null();
        case vaFalse:
        case vaTrue: return TVariant(ReadBoolean());
        case vaInt8:
        case vaInt16:
        case vaInt32: return TVariant(ReadInteger());
        case vaInt64: return TVariant(ReadInt64());
        case vaDate: return TVariant::FromDate(ReadFloat());
        case vaExtended:
        case vaDouble:
        case vaSingle:
        case vaCurrency: return TVariant(ReadFloat());
        case vaWString: return TVariant(ReadWideString());
        case vaString:
        case vaLString:
        case vaUTF8String: return TVariant(ReadString());
        default: InvalidValue();
    }
}

void TReader::SkipValue() {
    TNesting Guard(*this);
    switch (NextValue()) {
        case vaList:
            ReadValue();
            while (!EndOfList()) SkipValue();
            ReadListEnd();
            break;
        case vaCollection:
            ReadValue();
            while (!EndOfList()) {
                TValueType V = NextValue();
                if (V == vaInt8 || V == vaInt16 || V == vaInt32) ReadInteger();
                ReadListBegin();
                while (!EndOfList()) {
                    ReadStr();
                    SkipValue();
                }
                ReadListEnd();
            }
            ReadListEnd();
            break;
        case vaSet:
            ReadValue();
            while (!ReadStr().empty()) {}
            break;
        case vaBinary: {
            ReadValue();
            int32_t Len;
            ReadBuffer(&Len, 4);
            CheckLength(Len);
            FStream->Seek(Len, soCurrent);
            break;
        }
        case vaIdent:
        case vaFalse:
        case vaTrue:
        case vaNil:
        case vaNull: ReadIdent(); break;
        default: ReadVariant(); break;
    }
}

// ---- defined properties ----

void TReader::DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc&, bool) {
    if (FFoundDefined || !ReadData || !SameText(Name, FPropName)) return;
    FFoundDefined = true;
    ReadData(this);
}

void TReader::DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData, const TStreamProc&,
                                   bool) {
    if (FFoundDefined || !ReadData || !SameText(Name, FPropName)) return;
    FFoundDefined = true;
    CheckValue(vaBinary);
    int32_t Len;
    ReadBuffer(&Len, 4);
    CheckLength(Len);
    TMemoryStream Data;
    Data.SetSize(Len);
    if (Len) ReadBuffer(const_cast<uint8_t*>(Data.GetMemory()), Len);
    Data.SetPosition(0);
    ReadData(&Data);
}

bool TReader::ReadDefinedProperty(TPersistent* Instance, const std::string& Name) {
    std::string SavedName = FPropName;
    bool SavedFound = FFoundDefined;
    FPropName = Name;
    FFoundDefined = false;
    Instance->DefineProperties(this);
    bool Found = FFoundDefined;
    FPropName = SavedName;
    FFoundDefined = SavedFound;
    return Found;
}

// An 80-bit x87 extended float to the nearest double (denormals and
// infinities included); the text form's converter reads them the same way.
double ExtendedToDouble(const uint8_t* B) {
    uint64_t Mantissa = 0;
    for (int I = 7; I >= 0; --I) Mantissa = (Mantissa << 8) | B[I];
    unsigned SignExp = B[8] | (B[9] << 8);
    int Exp = static_cast<int>(SignExp & 0x7FFF);
    double V;
    if (Exp == 0x7FFF)
        V = (Mantissa << 1) == 0 ? HUGE_VAL : std::nan("");
    else if (Mantissa == 0)
        V = 0.0;
    else
        V = std::ldexp(static_cast<double>(Mantissa), (Exp == 0 ? 1 : Exp) - 16383 - 63);
    return (SignExp & 0x8000) ? -V : V;
}

}  // namespace zk
