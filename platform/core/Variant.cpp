// TVariant conversions and comparison, and UTF-8/UTF-16 helpers.
#include "platform/core/Variant.h"

#include <cmath>
#include <limits>

#include "platform/core/DateUtils.h"
#include "platform/core/SysUtils.h"

namespace zk {

std::string VarTypeAsText(TVarType VarType) {
    switch (VarType) {
        case varEmpty:
            return "Empty";
        case varNull:
            return "Null";
        case varInteger:
            return "Integer";
        case varDouble:
            return "Double";
        case varDate:
            return "Date";
        case varOleStr:
            return "OleStr";
        case varBoolean:
            return "Boolean";
        case varInt64:
            return "Int64";
        case varString:
            return "String";
        default:
            return "Unknown";
    }
}

TVariant TVariant::Null() {
    TVariant V;
    V.FType = varNull;
    return V;
}

TVariant TVariant::FromDate(double DateTime) {
    TVariant V(DateTime);
    V.FType = varDate;
    return V;
}

bool TVariant::IsNumeric() const {
    return FType == varInteger || FType == varInt64 || FType == varDouble || FType == varDate ||
           FType == varBoolean;
}

void TVariant::ConvertError(TVarType To) const {
    throw EVariantError("Could not convert variant of type (%s) into type (%s)",
                        {VarTypeAsText(FType), VarTypeAsText(To)});
}

void TVariant::OverflowError(TVarType To) const {
    throw EVariantError("Overflow while converting variant of type (%s) into type (%s)",
                        {VarTypeAsText(FType), VarTypeAsText(To)});
}

namespace {

// Text to a number the way variant casts read it: an integer, else a float.
bool TextToDouble(const std::string& S, double& Value) {
    int64_t I;
    if (TryStrToInt64(Trim(S), I)) {
        Value = static_cast<double>(I);
        return true;
    }
    return TryStrToFloat(S, Value);
}

}  // namespace

bool TVariant::AsBoolean() const {
    switch (FType) {
        case varEmpty:
            return false;
        case varBoolean:
            return std::get<bool>(FValue);
        case varInteger:
            return std::get<int32_t>(FValue) != 0;
        case varInt64:
            return std::get<int64_t>(FValue) != 0;
        case varDouble:
        case varDate:
            return std::get<double>(FValue) != 0.0;
        case varString:
        case varOleStr: {
            std::string S = Trim(AsString());
            if (SameText(S, "True")) return true;
            if (SameText(S, "False")) return false;
            double D;
            if (TextToDouble(S, D)) return D != 0.0;
            ConvertError(varBoolean);
        }
        default:
            ConvertError(varBoolean);
    }
}

int64_t TVariant::AsInt64() const {
    switch (FType) {
        case varEmpty:
            return 0;
        case varBoolean:
            return std::get<bool>(FValue) ? -1 : 0;
        case varInteger:
            return std::get<int32_t>(FValue);
        case varInt64:
            return std::get<int64_t>(FValue);
        case varDouble:
        case varDate: {
            double D = std::nearbyint(std::get<double>(FValue));  // round half to even
            if (!(D >= -9223372036854775808.0 && D < 9223372036854775808.0))
                OverflowError(varInt64);
            return static_cast<int64_t>(D);
        }
        case varString:
        case varOleStr: {
            std::string S = AsString();
            int64_t I;
            if (TryStrToInt64(Trim(S), I)) return I;
            double D;
            if (!TryStrToFloat(S, D)) ConvertError(varInt64);
            return TVariant(D).AsInt64();
        }
        default:
            ConvertError(varInt64);
    }
}

int TVariant::AsInteger() const {
    if (FType == varString || FType == varOleStr) {
        std::string S = AsString();
        int64_t I;
        double D;
        if (TryStrToInt64(Trim(S), I)) {
            if (I < INT32_MIN || I > INT32_MAX) OverflowError(varInteger);
            return static_cast<int>(I);
        }
        if (!TryStrToFloat(S, D)) ConvertError(varInteger);
        return TVariant(D).AsInteger();
    }
    if (FType == varNull) ConvertError(varInteger);
    int64_t V = AsInt64();
    if (V < INT32_MIN || V > INT32_MAX) OverflowError(varInteger);
    return static_cast<int>(V);
}

double TVariant::AsDouble() const {
    switch (FType) {
        case varEmpty:
            return 0.0;
        case varBoolean:
            return std::get<bool>(FValue) ? -1.0 : 0.0;
        case varInteger:
            return std::get<int32_t>(FValue);
        case varInt64:
            return static_cast<double>(std::get<int64_t>(FValue));
        case varDouble:
        case varDate:
            return std::get<double>(FValue);
        case varString:
        case varOleStr: {
            double D;
            if (!TextToDouble(AsString(), D)) ConvertError(varDouble);
            return D;
        }
        default:
            ConvertError(varDouble);
    }
}

double TVariant::AsDate() const {
    if (FType == varString || FType == varOleStr) {
        TDateTime D;
        if (TryStrToDateTime(AsString(), D)) return D;
        ConvertError(varDate);
    }
    if (FType == varNull) ConvertError(varDate);
    try {
        return AsDouble();
    } catch (const EVariantError&) {
        ConvertError(varDate);
    }
}

std::string TVariant::AsString() const {
    switch (FType) {
        case varEmpty:
            return std::string();
        case varBoolean:
            return std::get<bool>(FValue) ? "True" : "False";
        case varInteger:
            return IntToStr(std::get<int32_t>(FValue));
        case varInt64:
            return IntToStr(std::get<int64_t>(FValue));
        case varDouble:
            return FloatToStr(std::get<double>(FValue));
        case varDate:
            return DateTimeToStr(std::get<double>(FValue));
        case varString:
            return std::get<std::string>(FValue);
        case varOleStr:
            return Utf16ToUtf8(std::get<std::u16string>(FValue));
        default:
            ConvertError(varString);
    }
}

std::u16string TVariant::AsWideString() const {
    if (FType == varOleStr) return std::get<std::u16string>(FValue);
    if (FType == varNull) ConvertError(varOleStr);
    return Utf8ToUtf16(AsString());
}

TVariant TVariant::AsType(TVarType VarType) const {
    if (VarType == FType) return *this;
    switch (VarType) {
        case varEmpty:
            return TVariant();
        case varNull:
            return Null();
        case varBoolean:
            return TVariant(AsBoolean());
        case varInteger:
            return TVariant(AsInteger());
        case varInt64:
            return TVariant(AsInt64());
        case varDouble:
            return TVariant(AsDouble());
        case varDate:
            return FromDate(AsDate());
        case varString:
            return TVariant(AsString());
        case varOleStr:
            return TVariant(AsWideString());
        default:
            ConvertError(VarType);
    }
}

bool TVariant::operator==(const TVariant& O) const {
    if (FType == varEmpty || O.FType == varEmpty) return FType == O.FType;
    if (FType == varNull || O.FType == varNull) return FType == O.FType;
    if (IsString() && O.IsString()) return AsString() == O.AsString();
    if (FType == varBoolean && O.FType == varBoolean) return AsBoolean() == O.AsBoolean();
    if ((FType == varInteger || FType == varInt64) &&
        (O.FType == varInteger || O.FType == varInt64))
        return AsInt64() == O.AsInt64();
    if (IsString() || O.IsString()) {
        const TVariant& Str = IsString() ? *this : O;
        const TVariant& Num = IsString() ? O : *this;
        if (Num.FType == varBoolean) {
            std::string S = Trim(Str.AsString());
            if (SameText(S, "True")) return Num.AsBoolean();
            if (SameText(S, "False")) return !Num.AsBoolean();
        }
        double D;
        return TextToDouble(Str.AsString(), D) && D == Num.AsDouble();
    }
    return AsDouble() == O.AsDouble();
}

std::string VarToStr(const TVariant& V) {
    return V.IsNull() ? std::string() : V.AsString();
}

std::u16string Utf8ToUtf16(const std::string& S) {
    std::u16string Out;
    Out.reserve(S.size());
    size_t I = 0, N = S.size();
    while (I < N) {
        unsigned char C = S[I];
        uint32_t Code;
        int Extra;
        if (C < 0x80) {
            Code = C;
            Extra = 0;
        } else if ((C & 0xE0) == 0xC0) {
            Code = C & 0x1F;
            Extra = 1;
        } else if ((C & 0xF0) == 0xE0) {
            Code = C & 0x0F;
            Extra = 2;
        } else if ((C & 0xF8) == 0xF0) {
            Code = C & 0x07;
            Extra = 3;
        } else {
            Out.push_back(0xFFFD);
            ++I;
            continue;
        }
        bool Ok = true;
        for (int K = 1; K <= Extra; ++K) {
            if (I + K >= N || (static_cast<unsigned char>(S[I + K]) & 0xC0) != 0x80) {
                Ok = false;
                break;
            }
            Code = (Code << 6) | (static_cast<unsigned char>(S[I + K]) & 0x3F);
        }
        if (!Ok) {
            Out.push_back(0xFFFD);
            ++I;
            continue;
        }
        I += Extra + 1;
        if (Code >= 0x10000) {
            Code -= 0x10000;
            Out.push_back(static_cast<char16_t>(0xD800 + (Code >> 10)));
            Out.push_back(static_cast<char16_t>(0xDC00 + (Code & 0x3FF)));
        } else {
            Out.push_back(static_cast<char16_t>(Code));
        }
    }
    return Out;
}

std::string Utf16ToUtf8(const std::u16string& S) {
    std::string Out;
    Out.reserve(S.size());
    for (size_t I = 0; I < S.size(); ++I) {
        uint32_t Code = S[I];
        if (Code >= 0xD800 && Code < 0xDC00 && I + 1 < S.size() && S[I + 1] >= 0xDC00 &&
            S[I + 1] < 0xE000) {
            Code = 0x10000 + ((Code - 0xD800) << 10) + (S[I + 1] - 0xDC00);
            ++I;
        }
        if (Code < 0x80) {
            Out += static_cast<char>(Code);
        } else if (Code < 0x800) {
            Out += static_cast<char>(0xC0 | (Code >> 6));
            Out += static_cast<char>(0x80 | (Code & 0x3F));
        } else if (Code < 0x10000) {
            Out += static_cast<char>(0xE0 | (Code >> 12));
            Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
            Out += static_cast<char>(0x80 | (Code & 0x3F));
        } else {
            Out += static_cast<char>(0xF0 | (Code >> 18));
            Out += static_cast<char>(0x80 | ((Code >> 12) & 0x3F));
            Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
            Out += static_cast<char>(0x80 | (Code & 0x3F));
        }
    }
    return Out;
}

}  // namespace zk
