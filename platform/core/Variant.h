// TVariant: the framework's variant with its conversions and comparison.
#pragma once
#include <cstdint>
#include <string>
#include <variant>

namespace zk {

using TVarType = uint16_t;
inline constexpr TVarType varEmpty = 0x0000;
inline constexpr TVarType varNull = 0x0001;
inline constexpr TVarType varInteger = 0x0003;
inline constexpr TVarType varDouble = 0x0005;
inline constexpr TVarType varDate = 0x0007;
inline constexpr TVarType varOleStr = 0x0008;
inline constexpr TVarType varBoolean = 0x000B;
inline constexpr TVarType varInt64 = 0x0014;
inline constexpr TVarType varString = 0x0100;

// "Integer", "String", "OleStr", ...: the names conversion errors report.
std::string VarTypeAsText(TVarType VarType);

class TVariant {
public:
    TVariant() = default;
    TVariant(bool V) : FType(varBoolean), FValue(V) {}
    TVariant(int V) : FType(varInteger), FValue(static_cast<int32_t>(V)) {}
    TVariant(int64_t V) : FType(varInt64), FValue(V) {}
    TVariant(double V) : FType(varDouble), FValue(V) {}
    TVariant(const char* V) : FType(varString), FValue(std::string(V ? V : "")) {}
    TVariant(std::string V) : FType(varString), FValue(std::move(V)) {}
    TVariant(std::u16string V) : FType(varOleStr), FValue(std::move(V)) {}
    TVariant(const char16_t* V) : TVariant(std::u16string(V ? V : u"")) {}
    // Any other pointer would silently become a Boolean.
    TVariant(const void*) = delete;
    static TVariant Null();
    static TVariant FromDate(double DateTime);

    TVarType VarType() const { return FType; }
    bool IsEmpty() const { return FType == varEmpty; }
    bool IsNull() const { return FType == varNull; }
    bool IsString() const { return FType == varString || FType == varOleStr; }
    bool IsNumeric() const;  // integer, Int64, double, date or Boolean

    // Conversions as the framework's variant casts. A failure raises
    // EVariantError "Could not convert variant of type (%s) into type (%s)",
    // or "Overflow while converting variant of type (%s) into type (%s)".
    bool AsBoolean() const;
    int AsInteger() const;
    int64_t AsInt64() const;
    double AsDouble() const;
    double AsDate() const;
    std::string AsString() const;
    std::u16string AsWideString() const;
    TVariant AsType(TVarType VarType) const;

    // Equality as the framework compares variants: numbers by value, strings
    // exactly, a string and a number by converting the string (unequal when it
    // is not a number). Empty equals only empty; Null only Null. Never throws.
    bool operator==(const TVariant& O) const;
    bool operator!=(const TVariant& O) const { return !(*this == O); }

private:
    [[noreturn]] void ConvertError(TVarType To) const;
    [[noreturn]] void OverflowError(TVarType To) const;
    TVarType FType = varEmpty;
    std::variant<std::monostate, bool, int32_t, int64_t, double, std::string, std::u16string> FValue;
};

// Text of a variant; Null and Empty give "".
std::string VarToStr(const TVariant& V);

// UTF-8 and UTF-16 conversion for wide strings.
std::u16string Utf8ToUtf16(const std::string& S);
std::string Utf16ToUtf8(const std::u16string& S);

}  // namespace zk
