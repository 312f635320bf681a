// TColor: colour values, their identifiers (clRed, clBtnFace) and text conversions.
#pragma once
#include <functional>
#include <string>

namespace zk {

struct TTypeInfo;

// $00BBGGRR for a plain colour; $FF0000nn for system colour nn, resolved by the
// painting layer from the current palette.
using TColor = int;
// "TColor", an alias of Integer, so that streams and the inspector can tell colours apart.
const TTypeInfo* TypeInfoTColor();

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;

// System colours: the high byte marks them, the low byte is the palette index.
inline constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
inline constexpr TColor clScrollBar = clSystemColor | 0;
inline constexpr TColor clBackground = clSystemColor | 1;
inline constexpr TColor clActiveCaption = clSystemColor | 2;
inline constexpr TColor clInactiveCaption = clSystemColor | 3;
inline constexpr TColor clMenu = clSystemColor | 4;
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowFrame = clSystemColor | 6;
inline constexpr TColor clMenuText = clSystemColor | 7;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clCaptionText = clSystemColor | 9;
inline constexpr TColor clActiveBorder = clSystemColor | 10;
inline constexpr TColor clInactiveBorder = clSystemColor | 11;
inline constexpr TColor clAppWorkSpace = clSystemColor | 12;
inline constexpr TColor clHighlight = clSystemColor | 13;
inline constexpr TColor clHighlightText = clSystemColor | 14;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clGrayText = clSystemColor | 17;
inline constexpr TColor clBtnText = clSystemColor | 18;
inline constexpr TColor clInactiveCaptionText = clSystemColor | 19;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;
inline constexpr TColor cl3DDkShadow = clSystemColor | 21;
inline constexpr TColor cl3DLight = clSystemColor | 22;
inline constexpr TColor clInfoText = clSystemColor | 23;
inline constexpr TColor clInfoBk = clSystemColor | 24;
inline constexpr TColor clHotLight = clSystemColor | 26;
inline constexpr TColor clGradientActiveCaption = clSystemColor | 27;
inline constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
inline constexpr TColor clMenuHighlight = clSystemColor | 29;
inline constexpr TColor clMenuBar = clSystemColor | 30;

// No colour at all (transparent), and "whatever the control would use".
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// Identifier of a colour from the table; false for a colour without a name.
bool ColorToIdent(int Color, std::string& Ident);
// Colour of an identifier, ignoring case; false for an unknown identifier.
bool IdentToColor(const std::string& Ident, int& Color);
// The identifier, else "$" and eight upper-case hex digits ("$00123456").
std::string ColorToString(TColor Color);
// An identifier or an integer ("$00123456", "255"); anything else raises
// EConvertError "'%s' is not a valid integer value".
TColor StringToColor(const std::string& S);
// Every colour identifier, in table order, as the inspector lists them.
void GetColorValues(const std::function<void(const std::string&)>& Proc);

bool IsSystemColor(TColor Color);
// The palette index of a system colour; -1 for any other colour.
int SystemColorIndex(TColor Color);

// Registers the colour, cursor, modal-result and font charset identifiers with
// RegisterIntegerConsts. Called by the library's registration; safe to call again.
void RegisterGraphicsConsts();

}  // namespace zk
