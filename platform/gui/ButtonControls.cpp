// TCheckBox over QCheckBox, TRadioButton over QRadioButton and TGroupBox over QGroupBox.
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>

#include "platform/core/ClassBuilder.h"
#include "platform/gui/Application.h"
#include "platform/gui/Controls_p.h"
#include "platform/gui/StdCtrls.h"

namespace zk {

const TTypeInfo* TypeInfoTLeftRight() {
    static const TTypeInfo* Info = MakeEnumType("TLeftRight", "taLeftJustify, taRightJustify");
    return Info;
}

// ---- TButtonControl ----

ZK_IMPLEMENT_CLASS(TButtonControl)
void TButtonControl::DescribeClass(TClassBuilder<TButtonControl>& C) {
    C.Redeclare("TabStop").Default(true);
}

// Click follows the widget's state, not the mouse: a click that toggles
// nothing (released outside) fires nothing, Space toggles like a click.
TButtonControl::TButtonControl(TComponent* AOwner, QWidget* Widget) : TWinControl(AOwner, Widget) {
    SetControlStyle({csSetCaption, csDoubleClicks});
    SetTabStop(true);
}

std::string TButtonControl::RealGetText() const {
    return static_cast<QAbstractButton*>(GetWidget())->text().toStdString();
}

void TButtonControl::RealSetText(const std::string& Value) {
    static_cast<QAbstractButton*>(GetWidget())->setText(QString::fromUtf8(Value));
}

void TButtonControl::SetAlignment(TAlignment Value) {
    if (Value == taCenter) Value = taRightJustify;
    FAlignment = Value;
    GetWidget()->setLayoutDirection(Value == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TButtonControl::StateChanged() {
    if (!IsLoading() && !IsDestroying()) Click();
}

// ---- TCustomCheckBox ----

ZK_IMPLEMENT_CLASS(TCustomCheckBox)
void TCustomCheckBox::DescribeClass(TClassBuilder<TCustomCheckBox>&) {}

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner)
    : TButtonControl(AOwner, MakeControlWidget<QCheckBox>(this)) {
    SetBounds(0, 0, 97, 17);
    QCheckBox* B = GetCheckBox();
    QObject::connect(B, &QCheckBox::stateChanged, B,
                     [this] { SafeCall(this, [this] { StateChanged(); }); });
}

QCheckBox* TCustomCheckBox::GetCheckBox() const {
    return static_cast<QCheckBox*>(GetWidget());
}

bool TCustomCheckBox::GetChecked() const {
    return GetCheckBox()->checkState() == Qt::Checked;
}

void TCustomCheckBox::SetChecked(bool Value) {
    SetState(Value ? cbChecked : cbUnchecked);
}

TCheckBoxState TCustomCheckBox::GetState() const {
    switch (GetCheckBox()->checkState()) {
        case Qt::Checked:
            return cbChecked;
        case Qt::PartiallyChecked:
            return cbGrayed;
        default:
            return cbUnchecked;
    }
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
    if (Value == cbGrayed && !GetAllowGrayed()) Value = cbUnchecked;
    GetCheckBox()->setCheckState(Value == cbChecked  ? Qt::Checked
                                 : Value == cbGrayed ? Qt::PartiallyChecked
                                                     : Qt::Unchecked);
}

bool TCustomCheckBox::GetAllowGrayed() const {
    return GetCheckBox()->isTristate();
}

void TCustomCheckBox::SetAllowGrayed(bool Value) {
    if (!Value && GetState() == cbGrayed) SetState(cbUnchecked);
    GetCheckBox()->setTristate(Value);
}

// ---- TCheckBox ----

ZK_IMPLEMENT_CLASS(TCheckBox)
void TCheckBox::DescribeClass(TClassBuilder<TCheckBox>& C) {
    C.Prop("Alignment", &TButtonControl::GetAlignment, &TButtonControl::SetAlignment)
        .Type(TypeInfoTLeftRight())
        .Default(taRightJustify);
    C.Prop("AllowGrayed", &TCustomCheckBox::GetAllowGrayed, &TCustomCheckBox::SetAllowGrayed)
        .Default(false);
    C.Prop("Caption", &TControl::GetCaption, &TControl::SetCaption)
        .Type(TypeInfoTCaption())
        .Stored(&TControl::IsCaptionStored);
    C.Prop("Checked", &TCustomCheckBox::GetChecked, &TCustomCheckBox::SetChecked)
        .Stored(&TCustomCheckBox::IsCheckedStored);
    C.Prop("State", &TCustomCheckBox::GetState, &TCustomCheckBox::SetState).Default(cbUnchecked);
    C.Prop("WordWrap", &TButtonControl::GetWordWrap, &TButtonControl::SetWordWrap).Default(false);
}

TCheckBox::TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}

// ---- TRadioButton ----

ZK_IMPLEMENT_CLASS(TRadioButton)
void TRadioButton::DescribeClass(TClassBuilder<TRadioButton>& C) {
    C.Prop("Alignment", &TButtonControl::GetAlignment, &TButtonControl::SetAlignment)
        .Type(TypeInfoTLeftRight())
        .Default(taRightJustify);
    C.Prop("Caption", &TControl::GetCaption, &TControl::SetCaption)
        .Type(TypeInfoTCaption())
        .Stored(&TControl::IsCaptionStored);
    C.Prop("Checked", &TRadioButton::GetChecked, &TRadioButton::SetChecked).Default(false);
    C.Prop("WordWrap", &TButtonControl::GetWordWrap, &TButtonControl::SetWordWrap).Default(false);
}

// Only becoming checked clicks; the sibling that Qt unchecks on the way stays quiet.
TRadioButton::TRadioButton(TComponent* AOwner)
    : TButtonControl(AOwner, MakeControlWidget<QRadioButton>(this)) {
    SetBounds(0, 0, 113, 17);
    QRadioButton* B = GetRadioButton();
    QObject::connect(B, &QRadioButton::toggled, B, [this](bool On) {
        if (On) SafeCall(this, [this] { StateChanged(); });
    });
}

QRadioButton* TRadioButton::GetRadioButton() const {
    return static_cast<QRadioButton*>(GetWidget());
}

bool TRadioButton::GetChecked() const {
    return GetRadioButton()->isChecked();
}

// Qt's auto-exclusive buttons cannot be unchecked directly.
void TRadioButton::SetChecked(bool Value) {
    QRadioButton* B = GetRadioButton();
    if (B->isChecked() == Value) return;
    if (Value) {
        B->setChecked(true);
        return;
    }
    B->setAutoExclusive(false);
    B->setChecked(false);
    B->setAutoExclusive(true);
}

// ---- TCustomGroupBox ----

ZK_IMPLEMENT_CLASS(TCustomGroupBox)
void TCustomGroupBox::DescribeClass(TClassBuilder<TCustomGroupBox>&) {}

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner)
    : TWinControl(AOwner, MakeControlWidget<QGroupBox>(this)) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                     csReplicatable});
    SetBounds(0, 0, 185, 105);
}

QGroupBox* TCustomGroupBox::GetGroupBox() const {
    return static_cast<QGroupBox*>(GetWidget());
}

// Qt's style decides how much room the frame and the title take.
void TCustomGroupBox::AdjustClientRect(TRect& Rect) const {
    TWinControl::AdjustClientRect(Rect);
    const QMargins M = GetGroupBox()->contentsMargins();
    Rect.Left += M.left();
    Rect.Top += M.top();
    Rect.Right -= M.right();
    Rect.Bottom -= M.bottom();
}

std::string TCustomGroupBox::RealGetText() const {
    return GetGroupBox()->title().toStdString();
}

void TCustomGroupBox::RealSetText(const std::string& Value) {
    GetGroupBox()->setTitle(QString::fromUtf8(Value));
    Realign();
}

void TCustomGroupBox::FontChanged() {
    TWinControl::FontChanged();
    Realign();
}

// ---- TGroupBox ----

ZK_IMPLEMENT_CLASS(TGroupBox)
void TGroupBox::DescribeClass(TClassBuilder<TGroupBox>& C) {
    C.Prop("Caption", &TControl::GetCaption, &TControl::SetCaption)
        .Type(TypeInfoTCaption())
        .Stored(&TControl::IsCaptionStored);
}

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}

}  // namespace zk
