// Geometry and layout: SetBounds, Align, Anchors and Constraints, laid out by the parent.
#include <QWidget>
#include <algorithm>
#include <cassert>

#include "platform/core/ScopeExit.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Controls_p.h"

namespace zk {

// ---- bounds ----

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    FConstraints->Apply(AWidth, AHeight);
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    const bool Resized = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    UpdateWidgetGeometry();
    UpdateAnchorRules();
    RequestAlign();
    if (!Resized) return;
    if (auto* W = DynamicCast<TWinControl>(this)) W->Realign();
    if (!IsLoading()) Resize();
}

void TControl::UpdateWidgetGeometry() {
    if (IsTopLevel()) {
        FWidget->move(FLeft, FTop);
        FWidget->resize(FWidth, FHeight);
        return;
    }
    const TPoint Off = FParent ? FParent->GetClientOffset() : TPoint{};
    FWidget->setGeometry(FLeft + Off.X, FTop + Off.Y, FWidth, FHeight);
}

void TControl::AdjustSize() {
    SetBounds(FLeft, FTop, FWidth, FHeight);
}

// The limits may have freed room the layout can give, so the parent lays out again.
void TControl::ConstraintsChanged() {
    AdjustSize();
    RequestAlign();
}

void TControl::SetConstraints(TSizeConstraints* Value) {
    assert(Value && "SetConstraints(nullptr): assign limits, the control owns its constraints");
    if (Value) FConstraints->Assign(Value);
}

TRect TControl::GetClientRect() const {
    return Rect(0, 0, FWidth, FHeight);
}

void TControl::SetClientWidth(int Value) {
    SetBounds(FLeft, FTop, FWidth - GetClientRect().Width() + Value, FHeight);
}

void TControl::SetClientHeight(int Value) {
    SetBounds(FLeft, FTop, FWidth, FHeight - GetClientRect().Height() + Value);
}

TPoint TControl::GetClientOrigin() const {
    const TPoint Off = GetClientOffset();
    const QPoint G = GetClientWidget()->mapToGlobal(QPoint(Off.X, Off.Y));
    return {G.x(), G.y()};
}

TPoint TControl::ClientToScreen(TPoint P) const {
    const TPoint O = GetClientOrigin();
    return {P.X + O.X, P.Y + O.Y};
}

TPoint TControl::ScreenToClient(TPoint P) const {
    const TPoint O = GetClientOrigin();
    return {P.X - O.X, P.Y - O.Y};
}

// ---- Align and Anchors ----

void TControl::SetAlign(TAlign Value) {
    if (FAlign != Value) {
        const TAlign Old = FAlign;
        FAlign = Value;
        FAnchors = AnchorAlign(Value);
        if (!IsLoading()) {
            // Turning between a row and a column keeps the thickness.
            const bool OldRow = Old == alTop || Old == alBottom;
            const bool NewColumn = Value == alLeft || Value == alRight;
            const bool Turning = OldRow == NewColumn && Old != alNone && Old != alClient &&
                                 Old != alCustom && Value != alNone && Value != alClient &&
                                 Value != alCustom;
            if (Turning)
                SetBounds(FLeft, FTop, FHeight, FWidth);
            else
                AdjustSize();
        }
        UpdateAnchorRules();
    }
    RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) {
    if (FAnchors == Value) return;
    FAnchors = Value;
    UpdateAnchorRules();
}

void TControl::RequestAlign() {
    if (FParent) FParent->AlignControl(this);
}

void TControl::UpdateAnchorRules() {
    if (FAnchorMove || IsLoading()) return;
    ComputeAnchorRules();
}

// A right or bottom anchor alone remembers the near edge's position; with
// the opposite anchor too, the size. Distances are kept against the parent's
// client size at the time they were taken.
void TControl::ComputeAnchorRules() {
    if (FAnchors == TAnchors{akLeft, akTop} || !FParent) {
        FOriginalParentSize = {0, 0};
        return;
    }
    FAnchorRules.X =
        FAnchors.Contains(akRight) ? (FAnchors.Contains(akLeft) ? FWidth : FLeft) : FLeft;
    FAnchorRules.Y =
        FAnchors.Contains(akBottom) ? (FAnchors.Contains(akTop) ? FHeight : FTop) : FTop;
    const TRect R = FParent->GetClientRect();
    FOriginalParentSize = {R.Width(), R.Height()};
}

// ---- the parent's layout ----

void TWinControl::EnableAlign() {
    --FAlignLevel;
    if (FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::AlignControl(TControl* AControl) {
    if (IsDestroying()) return;
    if (FAlignLevel != 0 || IsLoading()) {
        FControlState.Include(csAlignmentNeeded);
        return;
    }
    DisableAlign();
    // Requests made by the children while they move are already covered.
    TScopeExit Done([this] {
        FControlState.Exclude(csAlignmentNeeded);
        EnableAlign();
    });
    TRect R = GetClientRect();
    AdjustClientRect(R);
    AlignControls(AControl, R);
}

void TWinControl::AdjustClientRect(TRect&) const {}

bool TWinControl::AlignWork() const {
    for (int I = 0; I < GetControlCount(); ++I) {
        const TControl* C = GetControl(I);
        if (C->GetAlign() != alNone || !(C->GetAnchors() == TAnchors{akLeft, akTop})) return true;
    }
    return false;
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    if (!AlignWork()) return;
    for (TAlign A : {alTop, alBottom, alLeft, alRight, alClient, alCustom, alNone})
        DoAlign(A, AControl, Rect);
}

namespace {

// Whether C1 takes its place before C2 among the children aligned the same way.
bool InsertBefore(const TControl* C1, const TControl* C2, TAlign A) {
    switch (A) {
        case alTop:
            return C1->GetTop() < C2->GetTop();
        case alBottom:
            return C1->GetTop() + C1->GetHeight() >= C2->GetTop() + C2->GetHeight();
        case alLeft:
            return C1->GetLeft() < C2->GetLeft();
        case alRight:
            return C1->GetLeft() + C1->GetWidth() >= C2->GetLeft() + C2->GetWidth();
        default:
            return false;
    }
}

}  // namespace

void TWinControl::DoAlign(TAlign AAlign, TControl* AControl, TRect& Rect) {
    std::vector<TControl*> List;
    auto Takes = [AAlign](const TControl* C) {
        return C->GetAlign() == AAlign && (AAlign == alNone || C->GetVisible());
    };
    if (AControl && AControl->GetParent() == this && Takes(AControl)) List.push_back(AControl);
    for (int I = 0; I < GetControlCount(); ++I) {
        TControl* C = GetControl(I);
        if (C == AControl || !Takes(C)) continue;
        size_t J = 0;
        while (J < List.size() && !InsertBefore(C, List[J], AAlign)) ++J;
        List.insert(List.begin() + static_cast<std::ptrdiff_t>(J), C);
    }
    for (TControl* C : List) {
        if (C->GetParent() != this) continue;
        if (AAlign == alNone)
            DoAnchors(C);
        else if (AAlign != alCustom)
            DoPosition(C, AAlign, Rect);
    }
}

void TWinControl::DoPosition(TControl* AControl, TAlign AAlign, TRect& Rect) {
    int NewLeft = Rect.Left;
    int NewTop = Rect.Top;
    int NewWidth = Rect.Width();
    int NewHeight = Rect.Height();
    if (NewWidth < 0 || AAlign == alLeft || AAlign == alRight) NewWidth = AControl->GetWidth();
    if (NewHeight < 0 || AAlign == alTop || AAlign == alBottom) NewHeight = AControl->GetHeight();
    switch (AAlign) {
        case alTop:
            Rect.Top += NewHeight;
            break;
        case alBottom:
            Rect.Bottom -= NewHeight;
            NewTop = Rect.Bottom;
            break;
        case alLeft:
            Rect.Left += NewWidth;
            break;
        case alRight:
            Rect.Right -= NewWidth;
            NewLeft = Rect.Right;
            break;
        default:
            break;
    }
    {
        AControl->FAnchorMove = true;
        TScopeExit Reset([AControl] { AControl->FAnchorMove = false; });
        AControl->SetBounds(NewLeft, NewTop, NewWidth, NewHeight);
    }
    // A control that kept another size (its constraints) gives back or takes the difference.
    const int DW = NewWidth - AControl->GetWidth();
    const int DH = NewHeight - AControl->GetHeight();
    switch (AAlign) {
        case alTop:
            Rect.Top -= DH;
            break;
        case alBottom:
            Rect.Bottom += DH;
            break;
        case alLeft:
            Rect.Left -= DW;
            break;
        case alRight:
            Rect.Right += DW;
            break;
        case alClient:
            Rect.Right += DW;
            Rect.Bottom += DH;
            break;
        default:
            break;
    }
}

// A control with neither anchor of an axis keeps its position on that axis.
void TWinControl::DoAnchors(TControl* AControl) {
    const TAnchors A = AControl->GetAnchors();
    if (A == TAnchors{akLeft, akTop}) return;
    const TPoint Orig = AControl->FOriginalParentSize;
    const TPoint Rule = AControl->FAnchorRules;
    const TRect Client = GetClientRect();
    int NewLeft = AControl->GetLeft();
    int NewTop = AControl->GetTop();
    int NewWidth = AControl->GetWidth();
    int NewHeight = AControl->GetHeight();
    if (Orig.X != 0 && A.Contains(akRight)) {
        if (A.Contains(akLeft))
            NewWidth = Client.Width() - (Orig.X - Rule.X);
        else
            NewLeft = Client.Width() - (Orig.X - Rule.X);
    }
    if (Orig.Y != 0 && A.Contains(akBottom)) {
        if (A.Contains(akTop))
            NewHeight = Client.Height() - (Orig.Y - Rule.Y);
        else
            NewTop = Client.Height() - (Orig.Y - Rule.Y);
    }
    AControl->FAnchorMove = true;
    TScopeExit Reset([AControl] { AControl->FAnchorMove = false; });
    AControl->SetBounds(NewLeft, NewTop, NewWidth, NewHeight);
}

// Run by the first control to finish loading, before any layout moves
// anything, so every control's distances come from the loaded design.
void TWinControl::ComputeLoadedAnchorRules() {
    for (int I = 0; I < GetControlCount(); ++I) {
        TControl* C = GetControl(I);
        if (!C->IsLoading() || C->FAnchorRulesLoaded) continue;
        C->ComputeAnchorRules();
        C->FAnchorRulesLoaded = true;
        if (auto* W = DynamicCast<TWinControl>(C)) W->ComputeLoadedAnchorRules();
    }
}

// ---- z-order ----

void TControl::BringToFront() {
    if (!FParent) {
        RaiseWindow(FWidget);
        return;
    }
    if (auto* W = DynamicCast<TWinControl>(this)) {
        auto& L = FParent->FWinControls;
        L.erase(std::remove(L.begin(), L.end(), W), L.end());
        L.push_back(W);
        FWidget->raise();
    } else {
        auto& L = FParent->FControls;
        L.erase(std::remove(L.begin(), L.end(), this), L.end());
        L.push_back(this);
        FWidget->raise();
        FParent->StackGraphicControl(this);
    }
    RequestAlign();
}

void TControl::SendToBack() {
    if (!FParent) {
        if (!IsTopLevel()) FWidget->lower();
        return;
    }
    if (auto* W = DynamicCast<TWinControl>(this)) {
        auto& L = FParent->FWinControls;
        L.erase(std::remove(L.begin(), L.end(), W), L.end());
        L.insert(L.begin(), W);
        FWidget->lower();
        for (auto It = FParent->FControls.rbegin(); It != FParent->FControls.rend(); ++It)
            (*It)->FWidget->lower();
    } else {
        auto& L = FParent->FControls;
        L.erase(std::remove(L.begin(), L.end(), this), L.end());
        L.insert(L.begin(), this);
        FWidget->lower();
    }
    RequestAlign();
}

}  // namespace zk
