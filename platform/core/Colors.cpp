// Colour identifiers, colour text conversions and the registration of the graphics identifiers.
#include "platform/core/Colors.h"

#include <iterator>
#include <mutex>

#include "platform/core/Cursors.h"
#include "platform/core/Font.h"
#include "platform/core/IntegerConsts.h"
#include "platform/core/ModalResult.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TypInfo.h"

namespace zk {

namespace {

// The order is the inspector's pick-list order: plain colours, system colours, then
// the two special values.
const TIdentMapEntry ColorMap[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
};

}  // namespace

const TTypeInfo* TypeInfoTColor() {
    static const TTypeInfo* T = MakeAliasType("TColor", TypeInfoInteger());
    return T;
}

bool ColorToIdent(int Color, std::string& Ident) {
    return IntToIdent(Color, Ident, ColorMap, std::size(ColorMap));
}

bool IdentToColor(const std::string& Ident, int& Color) {
    return IdentToInt(Ident, Color, ColorMap, std::size(ColorMap));
}

std::string ColorToString(TColor Color) {
    std::string Ident;
    if (ColorToIdent(Color, Ident)) return Ident;
    // Through uint32_t so that a system colour gives eight digits, not sixteen.
    return "$" + IntToHex(static_cast<uint32_t>(Color), 8);
}

TColor StringToColor(const std::string& S) {
    int Color;
    if (IdentToColor(S, Color)) return Color;
    return StrToInt(S);
}

void GetColorValues(const std::function<void(const std::string&)>& Proc) {
    for (const TIdentMapEntry& E : ColorMap) Proc(E.Name);
}

bool IsSystemColor(TColor Color) {
    return (static_cast<uint32_t>(Color) & 0xFF000000u) == 0xFF000000u;
}

int SystemColorIndex(TColor Color) {
    return IsSystemColor(Color) ? static_cast<int>(static_cast<uint32_t>(Color) & 0xFFu) : -1;
}

void RegisterGraphicsConsts() {
    static std::once_flag Once;
    std::call_once(Once, [] {
        RegisterIntegerConsts(TypeInfoTColor(), IdentToColor, ColorToIdent);
        RegisterIntegerConsts(TypeInfoTCursor(), IdentToCursor, CursorToIdent);
        RegisterIntegerConsts(TypeInfoTModalResult(), IdentToModalResult, ModalResultToIdent);
        RegisterIntegerConsts(TypeInfoTFontCharset(), IdentToCharset, CharsetToIdent);
    });
}

}  // namespace zk
