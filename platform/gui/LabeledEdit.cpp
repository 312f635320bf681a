// TBoundLabel and TLabeledEdit: the label placed beside the edit.
#include "platform/gui/LabeledEdit.h"

#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"

namespace zk {

// ---- TBoundLabel ----

ZK_IMPLEMENT_CLASS(TBoundLabel)
void TBoundLabel::DescribeClass(TClassBuilder<TBoundLabel>& C) {
    C.Redeclare("Left").Stored(false);
    C.Redeclare("Top").Stored(false);
    C.Redeclare("Width").Stored(false);
    C.Redeclare("Height").Stored(false);
}

TBoundLabel::TBoundLabel(TComponent* AOwner) : TLabel(AOwner) {
    SetName("SubLabel");
    SetSubComponent(true);
}

void TBoundLabel::AdjustBounds() {
    TLabel::AdjustBounds();
    if (auto* Edit = DynamicCast<TCustomLabeledEdit>(GetOwner())) Edit->PlaceLabel();
}

// ---- TCustomLabeledEdit ----

ZK_IMPLEMENT_CLASS(TCustomLabeledEdit)
void TCustomLabeledEdit::DescribeClass(TClassBuilder<TCustomLabeledEdit>&) {}

TCustomLabeledEdit::TCustomLabeledEdit(TComponent* AOwner)
    : TCustomEdit(AOwner), FEditLabel(Create<TBoundLabel>(this)) {
    FEditLabel->SetFocusControl(this);
}

void TCustomLabeledEdit::SetParent(TWinControl* AParent) {
    TCustomEdit::SetParent(AParent);
    if (FEditLabel && !IsDestroying()) {
        FEditLabel->SetParent(AParent);
        PlaceLabel();
    }
}

void TCustomLabeledEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    PlaceLabel();
}

void TCustomLabeledEdit::SetVisible(bool Value) {
    TCustomEdit::SetVisible(Value);
    if (FEditLabel) FEditLabel->SetVisible(Value);
}

void TCustomLabeledEdit::EnabledChanged() {
    TCustomEdit::EnabledChanged();
    if (FEditLabel) FEditLabel->SetEnabled(GetEnabled());
}

void TCustomLabeledEdit::PlaceLabel() {
    if (!FEditLabel || FPlacing || IsDestroying()) return;
    TValueRollback<bool> Guard(FPlacing, true);  // the label's own SetBounds comes back here
    const int LW = FEditLabel->GetWidth();
    const int LH = FEditLabel->GetHeight();
    int X = GetLeft();
    int Y = GetTop();
    switch (FLabelPosition) {
        case lpAbove:
            Y -= LH + FLabelSpacing;
            break;
        case lpBelow:
            Y += GetHeight() + FLabelSpacing;
            break;
        case lpLeft:
            X -= LW + FLabelSpacing;
            Y += (GetHeight() - LH) / 2;
            break;
        case lpRight:
            X += GetWidth() + FLabelSpacing;
            Y += (GetHeight() - LH) / 2;
            break;
    }
    FEditLabel->SetBounds(X, Y, LW, LH);
}

void TCustomLabeledEdit::SetLabelPosition(TLabelPosition Value) {
    FLabelPosition = Value;
    PlaceLabel();
}

void TCustomLabeledEdit::SetLabelSpacing(int Value) {
    FLabelSpacing = Value;
    PlaceLabel();
}

// ---- TLabeledEdit ----

ZK_IMPLEMENT_CLASS(TLabeledEdit)
void TLabeledEdit::DescribeClass(TClassBuilder<TLabeledEdit>& C) {
    C.Prop("AutoSelect", &TCustomEdit::GetAutoSelect, &TCustomEdit::SetAutoSelect).Default(true);
    C.Prop("AutoSize", &TCustomEdit::GetAutoSize, &TCustomEdit::SetAutoSize).Default(true);
    C.Prop("CharCase", &TCustomEdit::GetCharCase, &TCustomEdit::SetCharCase).Default(ecNormal);
    C.Prop("EditLabel", &TCustomLabeledEdit::GetEditLabel);
    C.Prop("LabelPosition", &TCustomLabeledEdit::GetLabelPosition,
           &TCustomLabeledEdit::SetLabelPosition)
        .Default(lpAbove);
    C.Prop("LabelSpacing", &TCustomLabeledEdit::GetLabelSpacing,
           &TCustomLabeledEdit::SetLabelSpacing)
        .Default(3);
    C.Prop("MaxLength", &TCustomEdit::GetMaxLength, &TCustomEdit::SetMaxLength).Default(0);
    C.Prop("PasswordChar", &TCustomEdit::GetPasswordChar, &TCustomEdit::SetPasswordChar).Default(0);
    C.Prop("ReadOnly", &TCustomEdit::GetReadOnly, &TCustomEdit::SetReadOnly).Default(false);
    C.Prop("Text", &TControl::GetText, &TControl::SetText).Type(TypeInfoTCaption());
    C.Prop("OnChange", &TCustomEdit::GetOnChange, &TCustomEdit::SetOnChange);
}

TLabeledEdit::TLabeledEdit(TComponent* AOwner) : TCustomLabeledEdit(AOwner) {}

}  // namespace zk
