// TBitBtn and TSpeedButton: glyphs, stock kinds, and the speed button's painting and grouping.
#include "platform/gui/Buttons.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>

#include "platform/core/ClassBuilder.h"

namespace zk {

namespace {

struct TKindInfo {
    const char* Caption;
    TModalResult Result;
    QStyle::StandardPixmap Icon;
};

const TKindInfo& KindInfo(TBitBtnKind Kind) {
    static const TKindInfo Infos[] = {
        {"", mrNone, QStyle::SP_CustomBase},
        {"OK", mrOk, QStyle::SP_DialogOkButton},
        {"Cancel", mrCancel, QStyle::SP_DialogCancelButton},
        {"&Help", mrNone, QStyle::SP_DialogHelpButton},
        {"&Yes", mrYes, QStyle::SP_DialogYesButton},
        {"&No", mrNo, QStyle::SP_DialogNoButton},
        {"&Close", mrNone, QStyle::SP_DialogCloseButton},
        {"Abort", mrAbort, QStyle::SP_MessageBoxCritical},
        {"&Retry", mrRetry, QStyle::SP_BrowserReload},
        {"&Ignore", mrIgnore, QStyle::SP_DialogDiscardButton},
        {"&All", mrAll, QStyle::SP_DialogApplyButton},
    };
    return Infos[Kind];
}

// The first of NumGlyphs glyphs laid side by side: the one for the enabled button.
QImage FirstGlyph(const TBitmap* Glyph, int NumGlyphs) {
    if (Glyph->GetEmpty()) return QImage();
    const QImage& All = Glyph->GetImage();
    const int W = NumGlyphs > 1 ? All.width() / NumGlyphs : All.width();
    return All.copy(0, 0, W, All.height());
}

}  // namespace

// ---- TBitBtn ----

ZK_IMPLEMENT_CLASS(TBitBtn)
void TBitBtn::DescribeClass(TClassBuilder<TBitBtn>& C) {
    C.Redeclare("Caption").Stored(&TBitBtn::IsCustomCaption);
    C.Prop("Glyph", &TBitBtn::GetGlyph, &TBitBtn::SetGlyph);
    C.Prop("Kind", &TBitBtn::GetKind, &TBitBtn::SetKind).Default(bkCustom);
    C.Prop("Layout", &TBitBtn::GetLayout, &TBitBtn::SetLayout).Default(blGlyphLeft);
    C.Prop("NumGlyphs", &TBitBtn::GetNumGlyphs, &TBitBtn::SetNumGlyphs).Default(1);
}

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), FGlyph(Create<TBitmap>()) {
    FGlyph->SetOnChange(TNotifyEvent([this](TObject*) { UpdateIcon(); }));
}

bool TBitBtn::IsCustomCaption() const {
    return FKind == bkCustom || GetCaption() != KindInfo(FKind).Caption;
}

void TBitBtn::SetKind(TBitBtnKind Value) {
    if (FKind == Value) return;
    FKind = Value;
    if (Value != bkCustom) {
        SetCaption(KindInfo(Value).Caption);
        SetModalResult(KindInfo(Value).Result);
        if (Value == bkOK) SetDefault(true);
        if (Value == bkCancel) SetCancel(true);
    }
    UpdateIcon();
}

void TBitBtn::SetLayout(TButtonLayout Value) {
    FLayout = Value;
    GetPushButton()->setLayoutDirection(Value == blGlyphRight ? Qt::RightToLeft : Qt::LeftToRight);
}

void TBitBtn::SetNumGlyphs(int Value) {
    FNumGlyphs = std::clamp(Value, 1, 4);
    UpdateIcon();
}

// A glyph of its own wins over the kind's stock icon.
void TBitBtn::UpdateIcon() {
    QPushButton* B = GetPushButton();
    const QImage Glyph = FirstGlyph(FGlyph.get(), FNumGlyphs);
    if (!Glyph.isNull()) {
        B->setIcon(QIcon(QPixmap::fromImage(Glyph)));
        B->setIconSize(Glyph.size());
    } else if (FKind != bkCustom) {
        B->setIcon(B->style()->standardIcon(KindInfo(FKind).Icon));
    } else {
        B->setIcon(QIcon());
    }
}

// ---- TSpeedButton ----

ZK_IMPLEMENT_CLASS(TSpeedButton)
void TSpeedButton::DescribeClass(TClassBuilder<TSpeedButton>& C) {
    C.Prop("AllowAllUp", &TSpeedButton::GetAllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
    C.Prop("Caption", &TControl::GetCaption, &TControl::SetCaption).Type(TypeInfoTCaption());
    C.Prop("GroupIndex", &TSpeedButton::GetGroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
    C.Prop("Down", &TSpeedButton::GetDown, &TSpeedButton::SetDown).Default(false);
    C.Prop("Flat", &TSpeedButton::GetFlat, &TSpeedButton::SetFlat).Default(false);
    C.Prop("Glyph", &TSpeedButton::GetGlyph, &TSpeedButton::SetGlyph);
    C.Prop("Layout", &TSpeedButton::GetLayout, &TSpeedButton::SetLayout).Default(blGlyphLeft);
    C.Prop("NumGlyphs", &TSpeedButton::GetNumGlyphs, &TSpeedButton::SetNumGlyphs).Default(1);
    C.Prop("Spacing", &TSpeedButton::GetSpacing, &TSpeedButton::SetSpacing).Default(4);
}

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(Create<TBitmap>()) {
    SetControlStyle({csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csOpaque});
    FGlyph->SetOnChange(TNotifyEvent([this](TObject*) { Invalidate(); }));
    SetBounds(0, 0, 23, 22);
}

// A grouped button stays down; putting one down brings its group's others up.
void TSpeedButton::SetDown(bool Value) {
    if (FGroupIndex == 0) Value = false;
    if (FDown == Value) return;
    if (!Value && !FAllowAllUp) return;
    FDown = Value;
    if (Value && GetParent())
        for (int I = 0; I < GetParent()->GetControlCount(); ++I)
            if (auto* B = DynamicCast<TSpeedButton>(GetParent()->GetControl(I));
                B && B != this && B->FGroupIndex == FGroupIndex && B->FDown) {
                B->FDown = false;
                B->Invalidate();
            }
    Invalidate();
}

void TSpeedButton::Click() {
    if (FGroupIndex != 0) SetDown(FAllowAllUp ? !FDown : true);
    TGraphicControl::Click();
}

void TSpeedButton::SetFlat(bool Value) {
    FFlat = Value;
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
    FLayout = Value;
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int Value) {
    FNumGlyphs = std::clamp(Value, 1, 4);
    Invalidate();
}

void TSpeedButton::SetSpacing(int Value) {
    FSpacing = Value;
    Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && GetEnabled()) {
        FPressed = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        FPressed = false;
        Invalidate();
    }
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSpeedButton::MouseEnter() {
    FHot = true;
    if (FFlat) Invalidate();
    TGraphicControl::MouseEnter();
}

void TSpeedButton::MouseLeave() {
    FHot = false;
    if (FFlat) Invalidate();
    TGraphicControl::MouseLeave();
}

void TSpeedButton::TextChanged() {
    TGraphicControl::TextChanged();
    Invalidate();
}

// A flat button shows its edge only under the mouse or when down.
void TSpeedButton::Paint() {
    TCanvas* Canvas = GetCanvas();
    TRect R = GetClientRect();
    const bool Sunken = FPressed || FDown;
    Canvas->GetBrush()->SetColor(FDown && !FPressed ? clBtnHighlight : clBtnFace);
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->FillRect(R);
    if (!FFlat || FHot || Sunken) {
        TRect E = R;
        Canvas->DrawEdge(E, Sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    }
    const QImage Glyph = FirstGlyph(FGlyph.get(), FNumGlyphs);
    const std::string Caption = GetCaption();
    Canvas->GetFont()->Assign(GetFont());
    const int TW = Caption.empty() ? 0 : Canvas->TextWidth(Caption);
    const int TH = Canvas->TextHeight("Wg");
    const int GW = Glyph.width();
    const int GH = Glyph.height();
    const int Gap = GW && TW ? FSpacing : 0;
    const bool Horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
    const int Offset = Sunken ? 1 : 0;
    const int BW = Horizontal ? GW + Gap + TW : std::max(GW, TW);
    const int BH = Horizontal ? std::max(GH, TH) : GH + Gap + TH;
    const int X = (R.Width() - BW) / 2 + Offset;
    const int Y = (R.Height() - BH) / 2 + Offset;
    int GX = X, GY = Y + (BH - GH) / 2, TX = X + GW + Gap, TY = Y + (BH - TH) / 2;
    switch (FLayout) {
        case blGlyphRight:
            TX = X;
            GX = X + TW + Gap;
            break;
        case blGlyphTop:
            GX = X + (BW - GW) / 2;
            GY = Y;
            TX = X + (BW - TW) / 2;
            TY = Y + GH + Gap;
            break;
        case blGlyphBottom:
            TX = X + (BW - TW) / 2;
            TY = Y;
            GX = X + (BW - GW) / 2;
            GY = Y + TH + Gap;
            break;
        default:
            break;
    }
    if (!Glyph.isNull()) Canvas->DrawImage(Bounds(GX, GY, GW, GH), Glyph);
    if (!Caption.empty()) {
        Canvas->GetBrush()->SetStyle(bsClear);
        if (!GetEnabled()) Canvas->GetFont()->SetColor(clGrayText);
        TRect T = Bounds(TX, TY, TW + 1, TH);
        Canvas->DrawText(Caption, T, DT_SINGLELINE);
    }
}

}  // namespace zk
