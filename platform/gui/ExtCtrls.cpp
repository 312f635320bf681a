// TPanel: bevels drawn with the canvas' DrawEdge and the caption centred on one line.
#include "platform/gui/ExtCtrls.h"

#include "platform/core/ClassBuilder.h"
#include "platform/gui/Graphics.h"

namespace zk {

ZK_IMPLEMENT_CLASS(TCustomPanel)
void TCustomPanel::DescribeClass(TClassBuilder<TCustomPanel>& C) {
    C.Redeclare("ParentColor").Default(false);
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                     csDoubleClicks, csReplicatable});
    SetColor(clBtnFace);
    SetParentColor(false);
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::Changed() {
    Realign();
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
    if (FBevelInner == Value) return;
    FBevelInner = Value;
    Changed();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
    if (FBevelOuter == Value) return;
    FBevelOuter = Value;
    Changed();
}

void TCustomPanel::SetBevelWidth(int Value) {
    if (Value < 1) Value = 1;
    if (FBevelWidth == Value) return;
    FBevelWidth = Value;
    Changed();
}

void TCustomPanel::SetBorderWidth(int Value) {
    if (Value < 0) Value = 0;
    if (FBorderWidth == Value) return;
    FBorderWidth = Value;
    Changed();
}

void TCustomPanel::SetBorderStyle(TFormBorderStyle Value) {
    if (Value != bsSingle) Value = bsNone;
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    Changed();
}

void TCustomPanel::Ctl3DChanged() {
    Changed();
}

int TCustomPanel::BorderStyleWidth() const {
    if (FBorderStyle != bsSingle) return 0;
    return GetCtl3D() ? 2 : 1;
}

void TCustomPanel::AdjustClientRect(TRect& Rect) const {
    TCustomControl::AdjustClientRect(Rect);
    int Inset = BorderStyleWidth() + FBorderWidth;
    if (FBevelOuter != bvNone) Inset += FBevelWidth;
    if (FBevelInner != bvNone) Inset += FBevelWidth;
    Rect = InflateRect(Rect, -Inset, -Inset);
}

// Raised: highlight above and left, shadow below and right; lowered the
// other way round; a space bevel is a ring of the panel's colour.
void TCustomPanel::DrawBevel(TRect& R, TBevelCut Bevel) {
    if (Bevel == bvNone) return;
    if (Bevel == bvSpace) {
        R = InflateRect(R, -FBevelWidth, -FBevelWidth);
        return;
    }
    const unsigned Edge = Bevel == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER;
    for (int I = 0; I < FBevelWidth; ++I) GetCanvas()->DrawEdge(R, Edge, BF_RECT | BF_ADJUST);
}

void TCustomPanel::Paint() {
    TCanvas* Canvas = GetCanvas();
    TRect R = GetClientRect();
    Canvas->GetBrush()->SetColor(GetColor());
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->FillRect(R);
    if (FBorderStyle == bsSingle) {
        if (GetCtl3D()) {
            Canvas->DrawEdge(R, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        } else {
            Canvas->GetBrush()->SetColor(clWindowFrame);
            Canvas->FrameRect(R);
            R = InflateRect(R, -1, -1);
        }
    }
    DrawBevel(R, FBevelOuter);
    R = InflateRect(R, -FBorderWidth, -FBorderWidth);
    DrawBevel(R, FBevelInner);
    const std::string Text = GetCaption();
    if (Text.empty()) return;
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->GetFont()->Assign(GetFont());
    const int FontHeight = Canvas->TextHeight("W");
    R.Top = (R.Bottom + R.Top - FontHeight) / 2;
    R.Bottom = R.Top + FontHeight;
    const unsigned Align = FAlignment == taLeftJustify    ? DT_LEFT
                           : FAlignment == taRightJustify ? DT_RIGHT
                                                          : DT_CENTER;
    Canvas->DrawText(Text, R, DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE | Align);
}

ZK_IMPLEMENT_CLASS(TPanel)
void TPanel::DescribeClass(TClassBuilder<TPanel>& C) {
    C.Prop("Alignment", &TCustomPanel::GetAlignment, &TCustomPanel::SetAlignment).Default(taCenter);
    C.Prop("BevelInner", &TCustomPanel::GetBevelInner, &TCustomPanel::SetBevelInner)
        .Default(bvNone);
    C.Prop("BevelOuter", &TCustomPanel::GetBevelOuter, &TCustomPanel::SetBevelOuter)
        .Default(bvRaised);
    C.Prop("BevelWidth", &TCustomPanel::GetBevelWidth, &TCustomPanel::SetBevelWidth).Default(1);
    C.Prop("BorderStyle", &TCustomPanel::GetBorderStyle, &TCustomPanel::SetBorderStyle)
        .Type(TypeInfoTBorderStyle())
        .Default(bsNone);
    C.Prop("BorderWidth", &TCustomPanel::GetBorderWidth, &TCustomPanel::SetBorderWidth).Default(0);
    C.Prop("Caption", &TControl::GetCaption, &TControl::SetCaption)
        .Type(TypeInfoTCaption())
        .Stored(&TControl::IsCaptionStored);
}

TPanel::TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}

}  // namespace zk
