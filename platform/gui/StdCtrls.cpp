// TLabel, TCustomEdit/TEdit and TButton.
#include "platform/gui/StdCtrls.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>

#include "platform/core/ClassBuilder.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/Controls_p.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"

namespace zk {

namespace {

unsigned AlignmentFlags(TAlignment A) {
    switch (A) {
        case taRightJustify:
            return DT_RIGHT;
        case taCenter:
            return DT_CENTER;
        default:
            return DT_LEFT;
    }
}

}  // namespace

// ---- TLabel ----

ZK_IMPLEMENT_CLASS(TLabel)
void TLabel::DescribeClass(TClassBuilder<TLabel>& C) {
    C.Prop("Alignment", &TLabel::GetAlignment, &TLabel::SetAlignment).Default(taLeftJustify);
    C.Prop("AutoSize", &TLabel::GetAutoSize, &TLabel::SetAutoSize).Default(true);
    C.Prop("Caption", &TControl::GetCaption, &TControl::SetCaption)
        .Type(TypeInfoTCaption())
        .Stored(&TControl::IsCaptionStored);
    C.Prop("FocusControl", &TLabel::GetFocusControl, &TLabel::SetFocusControl);
    C.Prop("Layout", &TLabel::GetLayout, &TLabel::SetLayout).Default(tlTop);
    C.Prop("ShowAccelChar", &TLabel::GetShowAccelChar, &TLabel::SetShowAccelChar).Default(true);
    C.Prop("Transparent", &TLabel::GetTransparent, &TLabel::SetTransparent).Default(false);
    C.Prop("WordWrap", &TLabel::GetWordWrap, &TLabel::SetWordWrap).Default(false);
}

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(GetControlStyle() + TControlStyle{csOpaque, csReplicatable});
    SetBounds(0, 0, 65, 17);
}

void TLabel::DoDrawText(TRect& R, unsigned Flags) {
    std::string Text = GetCaption();
    if ((Flags & DT_CALCRECT) && (Text.empty() || (FShowAccelChar && Text == "&"))) Text += " ";
    if (!FShowAccelChar) Flags |= DT_NOPREFIX;
    TCanvas* Canvas = GetCanvas();
    Canvas->GetFont()->Assign(GetFont());
    if (GetEnabled() || (Flags & DT_CALCRECT)) {
        Canvas->DrawText(Text, R, Flags);
        return;
    }
    // Disabled text is embossed: a highlight copy one pixel down-right, then the shadow.
    TRect Shifted = OffsetRect(R, 1, 1);
    Canvas->GetFont()->SetColor(clBtnHighlight);
    Canvas->DrawText(Text, Shifted, Flags);
    Canvas->GetFont()->SetColor(clBtnShadow);
    Canvas->DrawText(Text, R, Flags);
}

void TLabel::Paint() {
    TCanvas* Canvas = GetCanvas();
    TRect R = GetClientRect();
    if (!FTransparent) {
        Canvas->GetBrush()->SetColor(GetColor());
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->FillRect(R);
    }
    Canvas->GetBrush()->SetStyle(bsClear);
    const unsigned Flags =
        DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | AlignmentFlags(FAlignment);
    if (FLayout != tlTop) {
        TRect Calc = R;
        DoDrawText(Calc, Flags | DT_CALCRECT);
        const int Spare = GetHeight() - Calc.Bottom;
        R = OffsetRect(R, 0, FLayout == tlBottom ? Spare : Spare / 2);
    }
    DoDrawText(R, Flags);
}

void TLabel::AdjustBounds() {
    if (IsLoading() || !FAutoSize) return;
    TRect R = GetClientRect();
    DoDrawText(R, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    // A wrapping label keeps its width and grows downwards.
    if (FWordWrap) {
        SetBounds(GetLeft(), GetTop(), GetWidth(), R.Bottom);
        return;
    }
    int X = GetLeft();
    TAlignment A = FAlignment;
    if (UseRightToLeftAlignment() && A != taCenter)
        A = A == taLeftJustify ? taRightJustify : taLeftJustify;
    if (A == taRightJustify) X += GetWidth() - R.Right;
    SetBounds(X, GetTop(), R.Right, R.Bottom);
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::TextChanged() {
    TGraphicControl::TextChanged();
    AdjustBounds();
}

void TLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TLabel::SetAutoSize(bool Value) {
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    AdjustBounds();
}

void TLabel::SetLayout(TTextLayout Value) {
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TLabel::SetWordWrap(bool Value) {
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    TControlStyle S = GetControlStyle();
    if (Value)
        S.Exclude(csOpaque);
    else
        S.Include(csOpaque);
    SetControlStyle(S);
    GetWidget()->setAttribute(Qt::WA_OpaquePaintEvent, !Value);
    Invalidate();
}

void TLabel::SetShowAccelChar(bool Value) {
    if (FShowAccelChar == Value) return;
    FShowAccelChar = Value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetFocusControl(TWinControl* Value) {
    if (FFocusControl == Value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TLabel::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
    TGraphicControl::Notification(AComponent, Operation);
}

// ---- TCustomEdit ----

ZK_IMPLEMENT_CLASS(TCustomEdit)
void TCustomEdit::DescribeClass(TClassBuilder<TCustomEdit>& C) {
    C.Redeclare("Color").Default(clWindow);
    C.Redeclare("ParentColor").Default(false);
    C.Redeclare("TabStop").Default(true);
}

TCustomEdit::TCustomEdit(TComponent* AOwner)
    : TWinControl(AOwner, MakeControlWidget<QLineEdit>(this)) {
    SetControlStyle({csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight, csCaptureMouse});
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
    AdjustHeight();
    QObject::connect(GetLineEdit(), &QLineEdit::textChanged, GetLineEdit(), [this] {
        if (!IsLoading() && !IsDestroying()) SafeCall(this, [this] { Change(); });
    });
}

QLineEdit* TCustomEdit::GetLineEdit() const {
    return static_cast<QLineEdit*>(GetWidget());
}

std::string TCustomEdit::GetTextHint() const {
    return GetLineEdit()->placeholderText().toStdString();
}

void TCustomEdit::SetTextHint(const std::string& Value) {
    GetLineEdit()->setPlaceholderText(QString::fromStdString(Value));
}

std::string TCustomEdit::RealGetText() const {
    return GetLineEdit()->text().toStdString();
}

void TCustomEdit::RealSetText(const std::string& Value) {
    GetLineEdit()->setText(QString::fromUtf8(ApplyCharCase(Value)));
}

std::string TCustomEdit::ApplyCharCase(const std::string& S) const {
    switch (FCharCase) {
        case ecUpperCase:
            return UpperCase(S);
        case ecLowerCase:
            return LowerCase(S);
        default:
            return S;
    }
}

void TCustomEdit::Change() {
    if (FOnChange.Assigned()) FOnChange(this);
}

void TCustomEdit::SetAutoSize(bool Value) {
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    AdjustHeight();
}

// The font's line height plus the frame, as the framework sizes edits.
void TCustomEdit::AdjustHeight() {
    if (!FAutoSize || IsLoading()) return;
    const int Frame = GetBorderStyle() == bsNone ? 2 : (GetCtl3D() ? 8 : 6);
    SetHeight(QFontMetrics(GetWidget()->font()).height() + Frame);
}

void TCustomEdit::FontChanged() {
    TWinControl::FontChanged();
    AdjustHeight();
}

void TCustomEdit::Loaded() {
    TWinControl::Loaded();
    AdjustHeight();
}

TFormBorderStyle TCustomEdit::GetBorderStyle() const {
    return GetLineEdit()->hasFrame() ? bsSingle : bsNone;
}

void TCustomEdit::SetBorderStyle(TFormBorderStyle Value) {
    GetLineEdit()->setFrame(Value != bsNone);
    AdjustHeight();
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
    if (FCharCase == Value) return;
    FCharCase = Value;
    const std::string Text = GetText();
    const std::string Cased = ApplyCharCase(Text);
    if (Cased != Text) SetText(Cased);
}

int TCustomEdit::GetMaxLength() const {
    const int M = GetLineEdit()->maxLength();
    return M >= 32767 ? 0 : M;
}

void TCustomEdit::SetMaxLength(int Value) {
    GetLineEdit()->setMaxLength(Value > 0 ? Value : 32767);
}

void TCustomEdit::SetPasswordChar(char Value) {
    FPasswordChar = Value;
    GetLineEdit()->setEchoMode(Value ? QLineEdit::Password : QLineEdit::Normal);
}

bool TCustomEdit::GetReadOnly() const {
    return GetLineEdit()->isReadOnly();
}

void TCustomEdit::SetReadOnly(bool Value) {
    GetLineEdit()->setReadOnly(Value);
}

bool TCustomEdit::GetModified() const {
    return GetLineEdit()->isModified();
}

void TCustomEdit::SetModified(bool Value) {
    GetLineEdit()->setModified(Value);
}

int TCustomEdit::GetSelStart() const {
    const QLineEdit* E = GetLineEdit();
    return E->hasSelectedText() ? E->selectionStart() : E->cursorPosition();
}

void TCustomEdit::SetSelStart(int Value) {
    GetLineEdit()->setCursorPosition(Value);
}

int TCustomEdit::GetSelLength() const {
    return GetLineEdit()->selectionLength();
}

void TCustomEdit::SetSelLength(int Value) {
    GetLineEdit()->setSelection(GetSelStart(), Value);
}

std::string TCustomEdit::GetSelText() const {
    return GetLineEdit()->selectedText().toStdString();
}

void TCustomEdit::SetSelText(const std::string& Value) {
    GetLineEdit()->insert(QString::fromUtf8(Value));
}

void TCustomEdit::SelectAll() {
    GetLineEdit()->selectAll();
}

void TCustomEdit::ClearSelection() {
    GetLineEdit()->del();
}

void TCustomEdit::Clear() {
    SetText(std::string());
}

bool TCustomEdit::HandleWidgetEvent(QEvent* E) {
    if (E->type() == QEvent::FocusIn)
        FMouseFocus = static_cast<QFocusEvent*>(E)->reason() == Qt::MouseFocusReason;
    return TWinControl::HandleWidgetEvent(E);
}

// Entering by keyboard or code selects everything, so typing replaces it.
void TCustomEdit::DoEnter() {
    if (FAutoSelect && !FMouseFocus) SelectAll();
    FMouseFocus = false;
    TWinControl::DoEnter();
}

void TCustomEdit::KeyPress(char& Key) {
    TWinControl::KeyPress(Key);
    if (FCharCase == ecUpperCase && Key >= 'a' && Key <= 'z')
        Key = static_cast<char>(Key - 'a' + 'A');
    if (FCharCase == ecLowerCase && Key >= 'A' && Key <= 'Z')
        Key = static_cast<char>(Key - 'A' + 'a');
}

// ---- TEdit ----

ZK_IMPLEMENT_CLASS(TEdit)
void TEdit::DescribeClass(TClassBuilder<TEdit>& C) {
    C.Prop("AutoSelect", &TCustomEdit::GetAutoSelect, &TCustomEdit::SetAutoSelect).Default(true);
    C.Prop("AutoSize", &TCustomEdit::GetAutoSize, &TCustomEdit::SetAutoSize).Default(true);
    C.Prop("BorderStyle", &TCustomEdit::GetBorderStyle, &TCustomEdit::SetBorderStyle)
        .Type(TypeInfoTBorderStyle())
        .Default(bsSingle);
    C.Prop("CharCase", &TCustomEdit::GetCharCase, &TCustomEdit::SetCharCase).Default(ecNormal);
    C.Prop("MaxLength", &TCustomEdit::GetMaxLength, &TCustomEdit::SetMaxLength).Default(0);
    C.Prop("PasswordChar", &TCustomEdit::GetPasswordChar, &TCustomEdit::SetPasswordChar).Default(0);
    C.Prop("ReadOnly", &TCustomEdit::GetReadOnly, &TCustomEdit::SetReadOnly).Default(false);
    C.Prop("Text", &TControl::GetText, &TControl::SetText).Type(TypeInfoTCaption());
    C.Prop("TextHint", &TCustomEdit::GetTextHint, &TCustomEdit::SetTextHint);
    C.Prop("OnChange", &TCustomEdit::GetOnChange, &TCustomEdit::SetOnChange);
}

TEdit::TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

// ---- TButton ----

ZK_IMPLEMENT_CLASS(TButton)
void TButton::DescribeClass(TClassBuilder<TButton>& C) {
    C.Redeclare("TabStop").Default(true);
    C.Prop("Cancel", &TButton::GetCancel, &TButton::SetCancel).Default(false);
    C.Prop("Caption", &TControl::GetCaption, &TControl::SetCaption)
        .Type(TypeInfoTCaption())
        .Stored(&TControl::IsCaptionStored);
    C.Prop("Default", &TButton::GetDefault, &TButton::SetDefault).Default(false);
    C.Prop("ModalResult", &TButton::GetModalResult, &TButton::SetModalResult)
        .Type(TypeInfoTModalResult())
        .Default(mrNone);
}

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner, MakeControlWidget<QPushButton>(this)) {
    SetControlStyle({csSetCaption, csDoubleClicks});
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
    QPushButton* B = GetPushButton();
    B->setAutoDefault(false);
    QObject::connect(B, &QPushButton::clicked, B, [this] {
        if (!IsDestroying()) SafeCall(this, [this] { Click(); });
    });
}

QPushButton* TButton::GetPushButton() const {
    return static_cast<QPushButton*>(GetWidget());
}

std::string TButton::RealGetText() const {
    return GetPushButton()->text().toStdString();
}

void TButton::RealSetText(const std::string& Value) {
    GetPushButton()->setText(QString::fromUtf8(Value));
}

void TButton::Click() {
    if (TCustomForm* Form = GetParentForm(this)) Form->SetModalResult(FModalResult);
    TWinControl::Click();
}

void TButton::SetDefault(bool Value) {
    FDefault = Value;
    GetPushButton()->setDefault(Value);
}

// Enter clicks the focused button, else the default one unless another
// button has the focus; Escape clicks the cancel button.
bool TButton::DialogKey(uint16_t Key, TShiftState Shift) {
    if (!Shift.Empty() || !CanFocus() || !GetEnabled()) return false;
    bool Takes = false;
    if (Key == VK_RETURN) {
        TCustomForm* Form = GetParentForm(this);
        TWinControl* Active = Form ? Form->GetActiveControl() : nullptr;
        Takes = Active == this || (FDefault && !Is<TButton>(Active));
    } else if (Key == VK_ESCAPE) {
        Takes = FCancel;
    }
    if (Takes) Click();
    return Takes;
}

}  // namespace zk
