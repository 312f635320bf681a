// TPanel: bevels drawn with the canvas' DrawEdge and the caption centred on one line; TBevel's
// frames and lines; TSplitter's dragging.
#include "platform/gui/ExtCtrls.h"

#include <QRubberBand>
#include <QWidget>

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

// ---- TBevel ----

ZK_IMPLEMENT_CLASS(TBevel)
void TBevel::DescribeClass(TClassBuilder<TBevel>& C) {
    C.Prop("Shape", &TBevel::GetShape, &TBevel::SetShape).Default(bsBox);
    C.Prop("Style", &TBevel::GetStyle, &TBevel::SetStyle).Default(bsLowered);
}

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(GetControlStyle() + TControlStyle{csReplicatable});
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape Value) {
    if (FShape == Value) return;
    FShape = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    Invalidate();
}

// A lowered bevel has its shadow above and left, a raised one its highlight.
void TBevel::Paint() {
    TCanvas* Canvas = GetCanvas();
    TColor First = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor Second = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    const int W = GetWidth();
    const int H = GetHeight();
    auto Line = [Canvas](TColor Color, int X1, int Y1, int X2, int Y2) {
        Canvas->GetPen()->SetColor(Color);
        Canvas->MoveTo(X1, Y1);
        Canvas->LineTo(X2, Y2);
    };
    auto BevelRect = [&](const TRect& R) {
        Canvas->GetPen()->SetColor(First);
        Canvas->Polyline({{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}});
        Canvas->GetPen()->SetColor(Second);
        Canvas->Polyline({{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left, R.Bottom}});
    };
    Canvas->GetPen()->SetWidth(1);
    switch (FShape) {
        case bsBox:
            BevelRect(Rect(0, 0, W - 1, H - 1));
            break;
        case bsFrame: {
            const TColor Keep = First;
            First = Second;
            BevelRect(Rect(1, 1, W - 1, H - 1));
            Second = Keep;
            First = Keep;
            BevelRect(Rect(0, 0, W - 2, H - 2));
            break;
        }
        case bsTopLine:
            Line(First, 0, 0, W, 0);
            Line(Second, 0, 1, W, 1);
            break;
        case bsBottomLine:
            Line(First, 0, H - 2, W, H - 2);
            Line(Second, 0, H - 1, W, H - 1);
            break;
        case bsLeftLine:
            Line(First, 0, 0, 0, H);
            Line(Second, 1, 0, 1, H);
            break;
        case bsRightLine:
            Line(First, W - 2, 0, W - 2, H);
            Line(Second, W - 1, 0, W - 1, H);
            break;
        default:
            break;
    }
}

// ---- TSplitter ----

ZK_IMPLEMENT_CLASS(TSplitter)
void TSplitter::DescribeClass(TClassBuilder<TSplitter>& C) {
    C.Redeclare("Align").Default(alLeft);
    C.Redeclare("Cursor").Default(crHSplit);
    C.Prop("AutoSnap", &TSplitter::GetAutoSnap, &TSplitter::SetAutoSnap).Default(true);
    C.Prop("Beveled", &TSplitter::GetBeveled, &TSplitter::SetBeveled).Default(false);
    C.Prop("MinSize", &TSplitter::GetMinSize, &TSplitter::SetMinSize).Default(30);
    C.Prop("ResizeStyle", &TSplitter::GetResizeStyle, &TSplitter::SetResizeStyle)
        .Default(rsPattern);
    C.Prop("OnCanResize", &TSplitter::GetOnCanResize, &TSplitter::SetOnCanResize);
    C.Prop("OnMoved", &TSplitter::GetOnMoved, &TSplitter::SetOnMoved);
    C.Prop("OnPaint", &TSplitter::GetOnPaint, &TSplitter::SetOnPaint);
}

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 3, 100);
    SetAlign(alLeft);
    SetCursor(crHSplit);
}

TSplitter::~TSplitter() {
    delete FLine;
}

void TSplitter::SetBeveled(bool Value) {
    FBeveled = Value;
    Invalidate();
}

// The cursor follows the direction, unless the program chose another.
void TSplitter::UpdateCursor() {
    if (GetCursor() != crHSplit && GetCursor() != crVSplit) return;
    SetCursor(Horizontal() ? crHSplit : crVSplit);
}

void TSplitter::MouseEnter() {
    TGraphicControl::MouseEnter();
    UpdateCursor();
}

void TSplitter::Paint() {
    TCanvas* Canvas = GetCanvas();
    TRect R = GetClientRect();
    Canvas->GetBrush()->SetColor(GetColor());
    Canvas->FillRect(R);
    if (FBeveled) {
        if (Horizontal())
            R = InflateRect(R, -1, 2);
        else
            R = InflateRect(R, 2, -1);
        Canvas->DrawEdge(R, BDR_RAISEDINNER, BF_RECT);
    }
    if (FOnPaint.Assigned()) FOnPaint(this);
}

// The visible, enabled sibling that touches the bar on the side it is aligned to.
TControl* TSplitter::FindResizeControl() const {
    TWinControl* Parent = GetParent();
    if (!Parent) return nullptr;
    TPoint P{GetLeft(), GetTop()};
    switch (GetAlign()) {
        case alLeft:
            --P.X;
            break;
        case alRight:
            P.X += GetWidth();
            break;
        case alTop:
            --P.Y;
            break;
        case alBottom:
            P.Y += GetHeight();
            break;
        default:
            return nullptr;
    }
    for (int I = 0; I < Parent->GetControlCount(); ++I) {
        TControl* C = Parent->GetControl(I);
        if (C == this || !C->GetVisible() || !C->GetEnabled()) continue;
        TRect R = C->GetBoundsRect();
        // A control dragged to nothing still counts as beside the bar.
        if (R.Width() == 0) (GetAlign() == alLeft || GetAlign() == alTop) ? --R.Left : ++R.Right;
        if (R.Height() == 0) (GetAlign() == alLeft || GetAlign() == alTop) ? --R.Top : ++R.Bottom;
        if (R.Contains(P)) return C;
    }
    return nullptr;
}

int TSplitter::CurrentSize() const {
    TControl* C = FindResizeControl();
    if (!C) return 0;
    return Horizontal() ? C->GetWidth() : C->GetHeight();
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    TControl* C = Button == mbLeft ? FindResizeControl() : nullptr;
    if (!C) return;
    FDragging = true;
    FDownPos = {X, Y};
    // What the parent can give: its extent less MinSize for the rest and less
    // every other control aligned the same way, this bar included.
    TWinControl* Parent = GetParent();
    const TRect Client = Parent->GetClientRect();
    FMaxSize = (Horizontal() ? Client.Width() : Client.Height()) - FMinSize;
    for (int I = 0; I < Parent->GetControlCount(); ++I) {
        TControl* Other = Parent->GetControl(I);
        if (!Other->GetVisible() || Other == C) continue;
        const TAlign A = Other->GetAlign();
        if (Horizontal() && (A == alLeft || A == alRight)) FMaxSize -= Other->GetWidth();
        if (!Horizontal() && (A == alTop || A == alBottom)) FMaxSize -= Other->GetHeight();
    }
    FNewSize = CurrentSize();
}

int TSplitter::NewSizeAt(int X, int Y) const {
    int Split = Horizontal() ? X - FDownPos.X : Y - FDownPos.Y;
    if (GetAlign() == alRight || GetAlign() == alBottom) Split = -Split;
    int Size = CurrentSize() + Split;
    if (Size < FMinSize) Size = FAutoSnap && Size < FMinSize / 2 ? 0 : FMinSize;
    if (Size > FMaxSize) Size = std::max(FMaxSize, FMinSize);
    return Size;
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
    UpdateCursor();
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging || !FindResizeControl()) return;
    int Size = NewSizeAt(X, Y);
    if (Size == FNewSize || !CanResize(Size)) return;
    FNewSize = Size;
    if (FResizeStyle == rsUpdate)
        ApplySize(Size);
    else if (FResizeStyle != rsNone)
        ShowLine(Size);
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const bool WasDragging = FDragging && Button == mbLeft;
    if (WasDragging) StopSizing();
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!WasDragging) return;
    if (FResizeStyle != rsUpdate && FNewSize != CurrentSize()) ApplySize(FNewSize);
    if (FOnMoved.Assigned()) FOnMoved(this);
}

bool TSplitter::CanResize(int& NewSize) {
    bool Accept = true;
    if (FOnCanResize.Assigned()) FOnCanResize(this, NewSize, Accept);
    return Accept;
}

void TSplitter::StopSizing() {
    FDragging = false;
    delete FLine;
    FLine = nullptr;
}

void TSplitter::ApplySize(int Size) {
    TControl* C = FindResizeControl();
    if (!C) return;
    if (Horizontal()) {
        if (GetAlign() == alRight) C->SetLeft(C->GetLeft() + C->GetWidth() - Size);
        C->SetWidth(Size);
    } else {
        if (GetAlign() == alBottom) C->SetTop(C->GetTop() + C->GetHeight() - Size);
        C->SetHeight(Size);
    }
}

// Where the bar would go, shown over the parent while the mouse is down.
void TSplitter::ShowLine(int Size) {
    TControl* C = FindResizeControl();
    if (!C || !GetParent()) return;
    if (!FLine) FLine = new QRubberBand(QRubberBand::Line, GetParent()->GetClientWidget());
    const int Delta = Size - (Horizontal() ? C->GetWidth() : C->GetHeight());
    int X = GetLeft();
    int Y = GetTop();
    if (Horizontal())
        X += GetAlign() == alLeft ? Delta : -Delta;
    else
        Y += GetAlign() == alTop ? Delta : -Delta;
    FLine->setGeometry(X, Y, GetWidth(), GetHeight());
    FLine->show();
}

}  // namespace zk
