// Buttons with glyphs: TBitBtn (a push button with a glyph and stock kinds) and TSpeedButton (a
// flat-capable tool button that can stay down in a group).
#pragma once
#include <cstdint>

#include "platform/gui/Graphics.h"
#include "platform/gui/StdCtrls.h"

namespace zk {

ZK_ENUM(TBitBtnKind, uint8_t, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort,
        bkRetry, bkIgnore, bkAll)
ZK_ENUM(TButtonLayout, uint8_t, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)

// Glyph is owned and copied in; it shows as the button's icon. A Kind other
// than bkCustom gives the stock caption, modal result and icon.
class TBitBtn : public TButton {
    ZK_CLASS(TBitBtn, TButton)
public:
    explicit TBitBtn(TComponent* AOwner);

    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
    TBitBtnKind GetKind() const { return FKind; }
    void SetKind(TBitBtnKind Value);
    TButtonLayout GetLayout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    int GetNumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    bool IsCustomCaption() const;

private:
    void UpdateIcon();

    TOwned<TBitmap> FGlyph;
    TBitBtnKind FKind = bkCustom;
    TButtonLayout FLayout = blGlyphLeft;
    int FNumGlyphs = 1;
};

// Painted by itself: raised, or down while pressed or while Down. Buttons
// with the same GroupIndex (not 0) under one parent stay down one at a time;
// AllowAllUp lets the down one come up again.
class TSpeedButton : public TGraphicControl {
    ZK_CLASS(TSpeedButton, TGraphicControl)
public:
    explicit TSpeedButton(TComponent* AOwner);

    bool GetAllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    bool GetDown() const { return FDown; }
    void SetDown(bool Value);
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value);
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
    int GetGroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    TButtonLayout GetLayout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    int GetNumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    int GetSpacing() const { return FSpacing; }
    void SetSpacing(int Value);

    void Click() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void TextChanged() override;

private:
    TOwned<TBitmap> FGlyph;
    bool FAllowAllUp = false;
    bool FDown = false;
    bool FFlat = false;
    bool FPressed = false;
    bool FHot = false;
    int FGroupIndex = 0;
    TButtonLayout FLayout = blGlyphLeft;
    int FNumGlyphs = 1;
    int FSpacing = 4;
};

}  // namespace zk
