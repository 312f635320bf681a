// TFont, its published properties and the font charset identifiers.
#include "platform/core/Font.h"

#include <cstdlib>
#include <iterator>

#include "platform/core/ClassBuilder.h"
#include "platform/core/IntegerConsts.h"

namespace zk {

namespace {

const TIdentMapEntry CharsetMap[] = {
    {ANSI_CHARSET, "ANSI_CHARSET"},
    {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
    {MAC_CHARSET, "MAC_CHARSET"},
    {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},
    {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
    {JOHAB_CHARSET, "JOHAB_CHARSET"},
    {GB2312_CHARSET, "GB2312_CHARSET"},
    {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
    {GREEK_CHARSET, "GREEK_CHARSET"},
    {TURKISH_CHARSET, "TURKISH_CHARSET"},
    {VIETNAMESE_CHARSET, "VIETNAMESE_CHARSET"},
    {HEBREW_CHARSET, "HEBREW_CHARSET"},
    {ARABIC_CHARSET, "ARABIC_CHARSET"},
    {BALTIC_CHARSET, "BALTIC_CHARSET"},
    {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
    {THAI_CHARSET, "THAI_CHARSET"},
    {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
    {OEM_CHARSET, "OEM_CHARSET"},
};

// Number * Numerator / Denominator rounded half away from zero, without
// intermediate overflow; -1 for a zero denominator or a result out of range,
// as stored form sizes have always been converted.
int MulDiv(int Number, int Numerator, int Denominator) {
    if (Denominator == 0) return -1;
    const int64_t Product = static_cast<int64_t>(Number) * Numerator;
    const bool Negative = (Product < 0) != (Denominator < 0);
    const uint64_t A = static_cast<uint64_t>(std::llabs(Product));
    const uint64_t B = static_cast<uint64_t>(std::llabs(static_cast<int64_t>(Denominator)));
    const uint64_t Q = (2 * A + B) / (2 * B);
    if (Q > static_cast<uint64_t>(INT32_MAX)) return -1;
    return Negative ? -static_cast<int>(Q) : static_cast<int>(Q);
}

}  // namespace

bool CharsetToIdent(int Charset, std::string& Ident) {
    return IntToIdent(Charset, Ident, CharsetMap, std::size(CharsetMap));
}

bool IdentToCharset(const std::string& Ident, int& Charset) {
    return IdentToInt(Ident, Charset, CharsetMap, std::size(CharsetMap));
}

const TTypeInfo* TypeInfoTFontCharset() {
    static const TTypeInfo* T = MakeAliasType("TFontCharset", TypeInfoByte());
    return T;
}

const TTypeInfo* TypeInfoTFontName() {
    static const TTypeInfo* T = MakeAliasType("TFontName", TypeInfoString());
    return T;
}

ZK_IMPLEMENT_CLASS(TFont)
void TFont::DescribeClass(TClassBuilder<TFont>& C) {
    // Charset, Color, Height and Style are always written: a form must not depend on
    // the defaults of whichever version reads it. Size is Height in other units.
    C.Prop("Charset", &TFont::GetCharset, &TFont::SetCharset)
        .Type(TypeInfoTFontCharset())
        .NoDefault();
    C.Prop("Color", &TFont::GetColor, &TFont::SetColor).Type(TypeInfoTColor()).NoDefault();
    C.Prop("Height", &TFont::GetHeight, &TFont::SetHeight).NoDefault();
    C.Prop("Name", &TFont::GetName, &TFont::SetName).Type(TypeInfoTFontName());
    C.Prop("Pitch", &TFont::GetPitch, &TFont::SetPitch).Default(fpDefault);
    C.Prop("Size", &TFont::GetSize, &TFont::SetSize).Stored(false);
    C.Prop("Style", &TFont::GetStyle, &TFont::SetStyle).NoDefault();
}

void TFont::SetCharset(TFontCharset Value) {
    if (Value == FCharset) return;
    FCharset = Value;
    Modified();
}

void TFont::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    Modified();
}

void TFont::SetHeight(int Value) {
    if (Value == FHeight) return;
    FHeight = Value;
    Modified();
}

void TFont::SetName(const TFontName& Value) {
    if (Value.empty() || Value == FName) return;
    FName = Value;
    Modified();
}

void TFont::SetPitch(TFontPitch Value) {
    if (Value == FPitch) return;
    FPitch = Value;
    Modified();
}

int TFont::GetSize() const {
    return -MulDiv(FHeight, 72, GetPixelsPerInch());
}

void TFont::SetSize(int Value) {
    SetHeight(-MulDiv(Value, GetPixelsPerInch(), 72));
}

void TFont::SetStyle(TFontStyles Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Modified();
}

void TFont::Assign(TPersistent* Source) {
    const TFont* Font = DynamicCast<TFont>(Source);
    if (!Font) {
        inherited::Assign(Source);
        return;
    }
    BeginUpdate();
    try {
        SetCharset(Font->FCharset);
        SetColor(Font->FColor);
        SetHeight(Font->FHeight);
        SetName(Font->FName);
        SetPitch(Font->FPitch);
        SetStyle(Font->FStyle);
    } catch (...) {
        // What did change is still reported before the error goes on.
        EndUpdate();
        throw;
    }
    EndUpdate();
}

bool TFont::SameAs(const TFont& Other) const {
    return FCharset == Other.FCharset && FColor == Other.FColor && FHeight == Other.FHeight &&
           FName == Other.FName && FPitch == Other.FPitch && FStyle == Other.FStyle;
}

void TFont::Changed() {
    if (FOnChange) FOnChange(this);
}

void TFont::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0 && FChangePending) {
        FChangePending = false;
        Changed();
    }
}

void TFont::Modified() {
    if (FUpdateCount > 0)
        FChangePending = true;
    else
        Changed();
}

}  // namespace zk
