// TFont: charset, colour, height, name, pitch and style of control text, with change events.
#pragma once
#include <cstdint>
#include <string>

#include "platform/core/Colors.h"
#include "platform/core/Event.h"
#include "platform/core/Persistent.h"
#include "platform/core/TypInfo.h"

namespace zk {

ZK_ENUM(TFontStyle, uint8_t, fsBold, fsItalic, fsUnderline, fsStrikeOut)
ZK_SET(TFontStyles, TFontStyle)
ZK_ENUM(TFontPitch, uint8_t, fpDefault, fpVariable, fpFixed)

using TFontCharset = uint8_t;
// "TFontCharset", an alias of Byte.
const TTypeInfo* TypeInfoTFontCharset();

inline constexpr TFontCharset ANSI_CHARSET = 0;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;
inline constexpr TFontCharset SYMBOL_CHARSET = 2;
inline constexpr TFontCharset MAC_CHARSET = 77;
inline constexpr TFontCharset SHIFTJIS_CHARSET = 128;
inline constexpr TFontCharset HANGEUL_CHARSET = 129;
inline constexpr TFontCharset JOHAB_CHARSET = 130;
inline constexpr TFontCharset GB2312_CHARSET = 134;
inline constexpr TFontCharset CHINESEBIG5_CHARSET = 136;
inline constexpr TFontCharset GREEK_CHARSET = 161;
inline constexpr TFontCharset TURKISH_CHARSET = 162;
inline constexpr TFontCharset VIETNAMESE_CHARSET = 163;
inline constexpr TFontCharset HEBREW_CHARSET = 177;
inline constexpr TFontCharset ARABIC_CHARSET = 178;
inline constexpr TFontCharset BALTIC_CHARSET = 186;
inline constexpr TFontCharset RUSSIAN_CHARSET = 204;
inline constexpr TFontCharset THAI_CHARSET = 222;
inline constexpr TFontCharset EASTEUROPE_CHARSET = 238;
inline constexpr TFontCharset OEM_CHARSET = 255;

// Charset identifiers ("DEFAULT_CHARSET"), as streams store them; IdentToCharset ignores case.
bool CharsetToIdent(int Charset, std::string& Ident);
bool IdentToCharset(const std::string& Ident, int& Charset);

using TFontName = std::string;
// "TFontName", an alias of string (tkLString).
const TTypeInfo* TypeInfoTFontName();

class TFont : public TPersistent {
    ZK_CLASS(TFont, TPersistent)
public:
    TFont() = default;

    TFontCharset GetCharset() const { return FCharset; }
    void SetCharset(TFontCharset Value);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    // Negative: character height in pixels, as forms store it; positive: cell height.
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value);
    const TFontName& GetName() const { return FName; }
    // An empty name is ignored: a font always has a family.
    void SetName(const TFontName& Value);
    TFontPitch GetPitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);
    // Points, derived from Height at GetPixelsPerInch(); setting it sets Height.
    int GetSize() const;
    void SetSize(int Value);
    TFontStyles GetStyle() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    // Forms are designed at a fixed resolution, so sizes convert at 96 pixels per inch.
    int GetPixelsPerInch() const { return 96; }

    // Fired after every real change; once for an Assign that changes anything.
    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }

    // From another font: all six attributes, reported as one change. Anything else
    // raises "Cannot assign a %s to a %s".
    void Assign(TPersistent* Source) override;
    // True when all six attributes are equal.
    bool SameAs(const TFont& Other) const;

protected:
    // Called once for each change reported to OnChange: once per setter that alters
    // a value, once per update bracket that altered anything. A descendant that
    // follows its attributes (a font that records what differs from its parent's)
    // overrides it and calls the inherited version, which fires OnChange.
    virtual void Changed();
    // Brackets several changes into one Changed() call at the outermost EndUpdate.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

private:
    // Every setter reports through here, so that brackets can hold changes back.
    void Modified();

    TFontCharset FCharset = DEFAULT_CHARSET;
    TColor FColor = clWindowText;
    int FHeight = -11;
    TFontName FName = "MS Sans Serif";
    TFontPitch FPitch = fpDefault;
    TFontStyles FStyle;
    TNotifyEvent FOnChange;
    int FUpdateCount = 0;
    bool FChangePending = false;
};

}  // namespace zk
