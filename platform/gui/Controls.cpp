// TControl: the backing widget, published properties, notifications and the widget-event doorway.
#include "platform/gui/Controls.h"

#include <QCoreApplication>
#include <QPalette>
#include <QWidget>
#include <cassert>

#include "platform/core/ClassBuilder.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/ActnList.h"
#include "platform/gui/Application.h"
#include "platform/gui/Controls_p.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Menus.h"

namespace zk {

const TTypeInfo* TypeInfoTBorderStyle() {
    static const TTypeInfo* Info = MakeEnumType("TBorderStyle", "bsNone, bsSingle");
    return Info;
}

TAnchors AnchorAlign(TAlign Align) {
    switch (Align) {
        case alTop:
            return {akLeft, akTop, akRight};
        case alBottom:
            return {akLeft, akRight, akBottom};
        case alLeft:
            return {akLeft, akTop, akBottom};
        case alRight:
            return {akRight, akTop, akBottom};
        case alClient:
            return {akLeft, akTop, akRight, akBottom};
        default:
            return {akLeft, akTop};
    }
}

// ---- TSizeConstraints ----

ZK_IMPLEMENT_CLASS(TSizeConstraints)
void TSizeConstraints::DescribeClass(TClassBuilder<TSizeConstraints>& C) {
    C.Prop("MaxHeight", &TSizeConstraints::GetMaxHeight, &TSizeConstraints::SetMaxHeight)
        .Default(0);
    C.Prop("MaxWidth", &TSizeConstraints::GetMaxWidth, &TSizeConstraints::SetMaxWidth).Default(0);
    C.Prop("MinHeight", &TSizeConstraints::GetMinHeight, &TSizeConstraints::SetMinHeight)
        .Default(0);
    C.Prop("MinWidth", &TSizeConstraints::GetMinWidth, &TSizeConstraints::SetMinWidth).Default(0);
}

TSizeConstraints::TSizeConstraints(TControl* Control) : FControl(Control) {}

void TSizeConstraints::SetMaxHeight(int Value) {
    if (Value < 0) Value = 0;
    if (Value == FMaxHeight) return;
    FMaxHeight = Value;
    if (Value > 0 && Value < FMinHeight) FMinHeight = Value;
    Change();
}

void TSizeConstraints::SetMaxWidth(int Value) {
    if (Value < 0) Value = 0;
    if (Value == FMaxWidth) return;
    FMaxWidth = Value;
    if (Value > 0 && Value < FMinWidth) FMinWidth = Value;
    Change();
}

void TSizeConstraints::SetMinHeight(int Value) {
    if (Value < 0) Value = 0;
    if (Value == FMinHeight) return;
    FMinHeight = Value;
    if (FMaxHeight > 0 && Value > FMaxHeight) FMaxHeight = Value;
    Change();
}

void TSizeConstraints::SetMinWidth(int Value) {
    if (Value < 0) Value = 0;
    if (Value == FMinWidth) return;
    FMinWidth = Value;
    if (FMaxWidth > 0 && Value > FMaxWidth) FMaxWidth = Value;
    Change();
}

void TSizeConstraints::Apply(int& Width, int& Height) const {
    if (FMaxWidth > 0 && Width > FMaxWidth)
        Width = FMaxWidth;
    else if (FMinWidth > 0 && Width < FMinWidth)
        Width = FMinWidth;
    if (FMaxHeight > 0 && Height > FMaxHeight)
        Height = FMaxHeight;
    else if (FMinHeight > 0 && Height < FMinHeight)
        Height = FMinHeight;
}

void TSizeConstraints::Assign(TPersistent* Source) {
    auto* S = DynamicCast<TSizeConstraints>(Source);
    if (!S) {
        TPersistent::Assign(Source);
        return;
    }
    FMinHeight = S->FMinHeight;
    FMaxHeight = S->FMaxHeight;
    FMinWidth = S->FMinWidth;
    FMaxWidth = S->FMaxWidth;
    Change();
}

TPersistent* TSizeConstraints::GetOwner() const {
    return FControl;
}

std::string TSizeConstraints::GetNamePath() const {
    std::string Owner = FControl ? FControl->GetNamePath() : std::string();
    return Owner.empty() ? "Constraints" : Owner + ".Constraints";
}

void TSizeConstraints::Change() {
    if (FControl) FControl->ConstraintsChanged();
}

// ---- TControl: construction ----

ZK_IMPLEMENT_CLASS(TControl)
void TControl::DescribeClass(TClassBuilder<TControl>& C) {
    C.Prop("Left", &TControl::GetLeft, &TControl::SetLeft);
    C.Prop("Top", &TControl::GetTop, &TControl::SetTop);
    C.Prop("Width", &TControl::GetWidth, &TControl::SetWidth);
    C.Prop("Height", &TControl::GetHeight, &TControl::SetHeight);
    // Align before Anchors: setting Align resets Anchors.
    C.Prop("Align", &TControl::GetAlign, &TControl::SetAlign).Default(alNone);
    C.Prop("Anchors", &TControl::GetAnchors, &TControl::SetAnchors)
        .Default(TAnchors{akLeft, akTop})
        .Stored(&TControl::IsAnchorsStored);
    C.Prop("BiDiMode", &TControl::GetBiDiMode, &TControl::SetBiDiMode)
        .Stored(&TControl::IsBiDiModeStored);
    C.Prop("Color", &TControl::GetColor, &TControl::SetColor)
        .Type(TypeInfoTColor())
        .Default(clWindow)
        .Stored(&TControl::IsColorStored);
    C.Prop("Constraints", &TControl::GetConstraints, &TControl::SetConstraints);
    C.Prop("Cursor", &TControl::GetCursor, &TControl::SetCursor)
        .Type(TypeInfoTCursor())
        .Default(crDefault);
    C.Prop("DragKind", &TControl::GetDragKind, &TControl::SetDragKind).Default(dkDrag);
    C.Prop("DragMode", &TControl::GetDragMode, &TControl::SetDragMode).Default(dmManual);
    C.Prop("Enabled", &TControl::GetEnabled, &TControl::SetEnabled)
        .Default(true)
        .Stored(&TControl::IsEnabledStored);
    C.Prop("Font", &TControl::GetFont, &TControl::SetFont).Stored(&TControl::IsFontStored);
    C.Prop("HelpContext", &TControl::GetHelpContext, &TControl::SetHelpContext)
        .Default(0)
        .Stored(&TControl::IsHelpContextStored);
    C.Prop("HelpKeyword", &TControl::GetHelpKeyword, &TControl::SetHelpKeyword);
    C.Prop("HelpType", &TControl::GetHelpType, &TControl::SetHelpType).Default(htContext);
    C.Prop("Hint", &TControl::GetHint, &TControl::SetHint).Stored(&TControl::IsHintStored);
    C.Prop("ParentBiDiMode", &TControl::GetParentBiDiMode, &TControl::SetParentBiDiMode)
        .Default(true);
    C.Prop("ParentColor", &TControl::GetParentColor, &TControl::SetParentColor).Default(true);
    C.Prop("ParentFont", &TControl::GetParentFont, &TControl::SetParentFont).Default(true);
    C.Prop("ParentShowHint", &TControl::GetParentShowHint, &TControl::SetParentShowHint)
        .Default(true);
    C.Prop("PopupMenu", &TControl::GetPopupMenu, &TControl::SetPopupMenu);
    C.Prop("Action", &TControl::GetAction, &TControl::SetAction);
    C.Prop("ShowHint", &TControl::GetShowHint, &TControl::SetShowHint)
        .Stored(&TControl::IsShowHintStored);
    C.Prop("Visible", &TControl::GetVisible, &TControl::SetVisible)
        .Default(true)
        .Stored(&TControl::IsVisibleStored);
    C.Prop("OnClick", &TControl::GetOnClick, &TControl::SetOnClick)
        .Stored(&TControl::IsOnClickStored);
    C.Prop("OnDblClick", &TControl::GetOnDblClick, &TControl::SetOnDblClick);
    C.Prop("OnMouseDown", &TControl::GetOnMouseDown, &TControl::SetOnMouseDown);
    C.Prop("OnMouseMove", &TControl::GetOnMouseMove, &TControl::SetOnMouseMove);
    C.Prop("OnMouseUp", &TControl::GetOnMouseUp, &TControl::SetOnMouseUp);
    C.Prop("OnResize", &TControl::GetOnResize, &TControl::SetOnResize);
    C.Message(CM_FONTCHANGED, &TControl::CMFontChanged);
    C.Message(CM_PARENTFONTCHANGED, &TControl::CMParentFontChanged);
    C.Message(CM_COLORCHANGED, &TControl::CMColorChanged);
    C.Message(CM_PARENTCOLORCHANGED, &TControl::CMParentColorChanged);
    C.Message(CM_TEXTCHANGED, &TControl::CMTextChanged);
    C.Message(CM_ENABLEDCHANGED, &TControl::CMEnabledChanged);
    C.Message(CM_VISIBLECHANGED, &TControl::CMVisibleChanged);
    C.Message(CM_MOUSEENTER, &TControl::CMMouseEnter);
    C.Message(CM_MOUSELEAVE, &TControl::CMMouseLeave);
}

TControl::TControl(TComponent* AOwner) : TControl(AOwner, MakeControlWidget<QWidget>(this)) {}

TControl::TControl(TComponent* AOwner, QWidget* Widget)
    : TComponent(AOwner),
      FWidget(Widget),
      FConstraints(new TSizeConstraints(this)),
      FFont(Create<TFont>()) {
    InitWidget();
}

void TControl::InitWidget() {
    assert(dynamic_cast<IControlWidget*>(FWidget) &&
           "a control's widget must come from MakeControlWidget");
    FFont->SetOnChange(TNotifyEvent(this, &TControl::FontChange));
    FWidget->setMouseTracking(true);
    FWidget->setFocusPolicy(Qt::NoFocus);
    FWidget->setLayoutDirection(Qt::LeftToRight);
    FWidget->hide();
    UpdateWidgetFont();
    UpdateWidgetPalette();
}

TControl::~TControl() {
    TControl::BeforeDestruction();
    FReceiver.reset();
    auto* Bridge = dynamic_cast<IControlWidget*>(FWidget);
    if (Bridge) Bridge->DetachControl();
    if (Bridge && Bridge->InEvent()) {
        // Freed from inside one of its own widget's handlers: Qt still uses the widget.
        FWidget->hide();
        FWidget->setParent(nullptr);
        FWidget->deleteLater();
    } else {
        delete FWidget;
    }
}

void TControl::BeforeDestruction() {
    Destroying();
    ReleaseCaptureOf(this);
    FActionLink.reset();
    if (FParent) SetParent(nullptr);
    TComponent::BeforeDestruction();
}

TMessageReceiver* TControl::GetMessageReceiver() {
    if (!FReceiver) FReceiver = std::make_unique<TMessageReceiver>(this);
    return FReceiver.get();
}

intptr_t TControl::Perform(uint32_t Msg, intptr_t WParam, intptr_t LParam) {
    return SendMessage(this, Msg, WParam, LParam);
}

void PostMessage(TControl* Control, uint32_t Msg, intptr_t WParam, intptr_t LParam) {
    assert(Control && "PostMessage to a null control");
    PostMessage(Control->GetMessageReceiver(), Msg, WParam, LParam);
}

TControl* FindControl(QWidget* Widget) {
    for (QWidget* W = Widget; W; W = W->parentWidget())
        if (auto* Bridge = dynamic_cast<IControlWidget*>(W))
            if (TControl* Control = Bridge->GetControl()) return Control;
    return nullptr;
}

// ---- parent and streaming ----

void TControl::SetParent(TWinControl* AParent) {
    if (FParent == AParent) return;
    for (TControl* P = AParent; P; P = P->FParent)
        if (P == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const {
    return FParent;
}

void TControl::SetParentComponent(TComponent* Value) {
    if (auto* W = DynamicCast<TWinControl>(Value)) SetParent(W);
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (!FAnchorRulesLoaded) ComputeAnchorRules();
    FAnchorRulesLoaded = false;
    RequestAlign();
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove) {
        if (AComponent == FPopupMenu) FPopupMenu = nullptr;
        if (FActionLink && AComponent == FActionLink->GetAction()) FActionLink.reset();
    }
    TComponent::Notification(AComponent, Operation);
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
    if (FPopupMenu == Value) return;
    // The action may still need the link to the old menu (a component can be both).
    if (FPopupMenu && static_cast<TComponent*>(FPopupMenu) != GetAction())
        FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = Value;
    if (Value) Value->FreeNotification(this);
}

// ---- the action ----

TBasicAction* TControl::GetAction() const {
    return FActionLink ? FActionLink->GetAction() : nullptr;
}

TControlActionLink* TControl::CreateActionLink() {
    return new TControlActionLink(this);
}

void TControl::SetAction(TBasicAction* Value) {
    TBasicAction* Old = GetAction();
    if (Old == Value) return;
    if (Old && static_cast<TComponent*>(Old) != static_cast<TComponent*>(FPopupMenu))
        Old->RemoveFreeNotification(this);
    if (!Value) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink) {
        FActionLink.reset(CreateActionLink());
    }
    FActionLink->SetAction(Value);
    ActionChange(Value, Value->IsLoading() || IsLoading());
    Value->FreeNotification(this);
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
    auto* A = DynamicCast<TCustomAction>(Sender);
    if (!A) return;
    if (!CheckDefaults || GetCaption().empty() || GetCaption() == GetName())
        SetCaption(A->GetCaption());
    if (!CheckDefaults || FEnabled) SetEnabled(A->GetEnabled());
    if (!CheckDefaults || FHint.empty()) SetHint(A->GetHint());
    if (!CheckDefaults || FVisible) SetVisible(A->GetVisible());
    if (!CheckDefaults || FHelpContext == 0) SetHelpContext(A->GetHelpContext());
    const TPropInfo* Checked = GetPropInfo(this, "Checked");
    if (Checked && Checked->Kind() == tkEnumeration && Checked->HasWrite() &&
        (!CheckDefaults || GetOrdProp(this, Checked) == 0))
        SetOrdProp(this, Checked, A->GetChecked());
    const TPropInfo* Image = GetPropInfo(this, "ImageIndex");
    if (Image && Image->Kind() == tkInteger && Image->HasWrite() &&
        (!CheckDefaults || GetOrdProp(this, Image) == -1))
        SetOrdProp(this, Image, A->GetImageIndex());
}

void TControl::InitiateAction() {
    if (FActionLink) FActionLink->Update();
}

bool TControl::IsCaptionStored() const {
    return !FActionLink || !FActionLink->IsCaptionLinked();
}
bool TControl::IsEnabledStored() const {
    return !FActionLink || !FActionLink->IsEnabledLinked();
}
bool TControl::IsHelpContextStored() const {
    return !FActionLink || !FActionLink->IsHelpContextLinked();
}
bool TControl::IsHintStored() const {
    return !FActionLink || !FActionLink->IsHintLinked();
}
bool TControl::IsVisibleStored() const {
    return !FActionLink || !FActionLink->IsVisibleLinked();
}
bool TControl::IsOnClickStored() const {
    return !FActionLink || !FActionLink->IsOnExecuteLinked();
}

// ---- state properties ----

void TControl::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    Perform(CM_VISIBLECHANGED, Value);
    RequestAlign();
}

bool TControl::GetShowing() const {
    return FVisible && FParent && FParent->GetShowing();
}

void TControl::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    FWidget->setEnabled(Value);
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const std::string& Value) {
    if (RealGetText() == Value) return;
    RealSetText(Value);
    Perform(CM_TEXTCHANGED);
}

void TControl::RealSetText(const std::string& Value) {
    FText = Value;
    if (IsTopLevel()) FWidget->setWindowTitle(QString::fromUtf8(Value));
}

void TControl::SetColor(TColor Value) {
    if (FColor == Value) return;
    FColor = Value;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool Value) {
    if (FParentColor == Value) return;
    FParentColor = Value;
    if (FParent) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetFont(TFont* Value) {
    assert(Value && "SetFont(nullptr): assign a font, the control owns its own");
    if (Value) FFont->Assign(Value);
}

void TControl::SetParentFont(bool Value) {
    if (FParentFont == Value) return;
    FParentFont = Value;
    if (FParent) Perform(CM_PARENTFONTCHANGED);
}

// Any change of the font itself, through SetFont or Font's own setters.
void TControl::FontChange(TObject*) {
    FParentFont = false;
    Perform(CM_FONTCHANGED);
}

namespace {

std::string ShortHint(const std::string& Hint) {
    size_t Bar = Hint.find('|');
    return Bar == std::string::npos ? Hint : Hint.substr(0, Bar);
}

}  // namespace

void TControl::UpdateToolTip() {
    std::string Tip = FShowHint ? ShortHint(FHint) : std::string();
    FWidget->setToolTip(QString::fromUtf8(Tip));
}

void TControl::SetHint(const std::string& Value) {
    FHint = Value;
    UpdateToolTip();
}

void TControl::SetShowHint(bool Value) {
    FParentShowHint = false;
    if (FShowHint == Value) return;
    FShowHint = Value;
    UpdateToolTip();
    if (auto* W = DynamicCast<TWinControl>(this))
        for (int I = 0; I < W->GetControlCount(); ++I) W->GetControl(I)->ParentShowHintChanged();
}

void TControl::SetParentShowHint(bool Value) {
    if (FParentShowHint == Value) return;
    FParentShowHint = Value;
    ParentShowHintChanged();
}

void TControl::ParentShowHintChanged() {
    if (!FParentShowHint || !FParent) return;
    FShowHint = FParent->GetShowHint();
    UpdateToolTip();
    if (auto* W = DynamicCast<TWinControl>(this))
        for (int I = 0; I < W->GetControlCount(); ++I) W->GetControl(I)->ParentShowHintChanged();
}

void TControl::SetCursor(TCursor Value) {
    if (FCursor == Value) return;
    FCursor = Value;
    if (Value == crDefault)
        FWidget->unsetCursor();
    else
        FWidget->setCursor(CursorToQCursor(Value));
}

void TControl::SetBiDiMode(TBiDiMode Value) {
    FParentBiDiMode = false;
    if (FBiDiMode == Value) return;
    FBiDiMode = Value;
    bool Mirrored = Value == bdRightToLeft || Value == bdRightToLeftNoAlign;
    FWidget->setLayoutDirection(Mirrored ? Qt::RightToLeft : Qt::LeftToRight);
    Invalidate();
    if (auto* W = DynamicCast<TWinControl>(this))
        for (int I = 0; I < W->GetControlCount(); ++I) W->GetControl(I)->ParentBiDiModeChanged();
}

void TControl::SetParentBiDiMode(bool Value) {
    if (FParentBiDiMode == Value) return;
    FParentBiDiMode = Value;
    ParentBiDiModeChanged();
}

void TControl::ParentBiDiModeChanged() {
    if (!FParentBiDiMode || !FParent) return;
    SetBiDiMode(FParent->GetBiDiMode());
    FParentBiDiMode = true;
}

void TControl::SetControlStyle(TControlStyle Value) {
    FControlStyle = Value;
    if (FControlStyle.Contains(csOpaque)) FWidget->setAttribute(Qt::WA_OpaquePaintEvent, true);
}

bool TControl::GetMouseCapture() const {
    return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool Value) {
    if (Value)
        SetCaptureControl(this);
    else if (GetMouseCapture())
        SetCaptureControl(nullptr);
}

// ---- widget state ----

void TControl::UpdateWidgetFont() {
    FWidget->setFont(FontToQFont(*FFont));
}

// The background takes Color, the text Font.Color; a disabled control keeps
// the style's grey text.
void TControl::UpdateWidgetPalette() {
    for (QWidget* W : {FWidget, GetClientWidget()}) {
        QPalette P = W->palette();
        P.setColor(W->backgroundRole(), ColorToQColor(FColor));
        const QColor Text = ColorToQColor(FFont->GetColor());
        P.setColor(QPalette::Active, W->foregroundRole(), Text);
        P.setColor(QPalette::Inactive, W->foregroundRole(), Text);
        W->setPalette(P);
    }
}

void TControl::UpdateWidgetVisibility() {
    if (FParent)
        FWidget->setVisible(FVisible);
    else if (!IsTopLevel())
        FWidget->hide();
}

void TControl::Invalidate() {
    FWidget->update();
}

void TControl::Repaint() {
    FWidget->repaint();
}

void TControl::Update() {
    QCoreApplication::sendPostedEvents(FWidget->window(), QEvent::UpdateRequest);
}

// ---- notifications ----

void TControl::CMFontChanged(TMessage&) {
    FontChanged();
}

void TControl::FontChanged() {
    UpdateWidgetFont();
    UpdateWidgetPalette();
    Invalidate();
}

void TControl::CMParentFontChanged(TMessage&) {
    if (!FParentFont || !FParent) return;
    SetFont(FParent->GetFont());
    FParentFont = true;
}

void TControl::CMColorChanged(TMessage&) {
    ColorChanged();
}

void TControl::ColorChanged() {
    UpdateWidgetPalette();
    Invalidate();
}

void TControl::CMParentColorChanged(TMessage&) {
    if (!FParentColor || !FParent) return;
    SetColor(FParent->GetColor());
    FParentColor = true;
}

void TControl::CMTextChanged(TMessage&) {
    TextChanged();
}

void TControl::TextChanged() {
    Invalidate();
}

void TControl::CMEnabledChanged(TMessage&) {
    EnabledChanged();
}

void TControl::EnabledChanged() {
    Invalidate();
}

void TControl::CMVisibleChanged(TMessage&) {
    VisibleChanged();
}

void TControl::VisibleChanged() {
    UpdateWidgetVisibility();
}

void TControl::CMMouseEnter(TMessage&) {
    MouseEnter();
}

void TControl::MouseEnter() {}

void TControl::CMMouseLeave(TMessage&) {
    MouseLeave();
}

void TControl::MouseLeave() {}

// ---- the doorway from widgets ----

bool TWidgetEvents::Deliver(TControl* Control, QEvent* E) {
    if (Control->IsDestroying()) return false;
    bool Result = false;
    SafeCall(Control, [&] { Result = Control->HandleWidgetEvent(E); });
    return Result;
}

bool TWidgetEvents::Key(TControl* Control, QKeyEvent* E, std::unique_ptr<QKeyEvent>& Replacement) {
    if (Control->IsDestroying()) return false;
    bool Result = false;
    SafeCall(Control, [&] { Result = Control->HandleKeyEvent(E, Replacement); });
    return Result;
}

bool TWidgetEvents::Paint(TControl* Control, QPaintEvent* E, QWidget* Device) {
    if (Control->IsDestroying()) return false;
    bool Result = false;
    SafeCall(Control, [&] { Result = Control->PaintWidget(E, Device); });
    return Result;
}

bool TWidgetEvents::WantsTab(TControl* Control, QKeyEvent* E) {
    auto* W = DynamicCast<TWinControl>(Control);
    if (!W || W->IsDestroying()) return false;
    bool Result = false;
    TShiftState Shift = ShiftStateFromQt(E->modifiers().toInt(), 0);
    SafeCall(Control, [&] { Result = W->WantsKey(VK_TAB, Shift); });
    return Result;
}

bool TWidgetEvents::FocusNext(TControl* Control, bool Next) {
    TCustomForm* Form = GetParentForm(Control);
    if (!Form || Control->IsDestroying()) return false;
    SafeCall(Control, [&] {
        TWinControl* Current = Form->GetActiveControl();
        if (!Current) Current = DynamicCast<TWinControl>(Control);
        Form->SelectNext(Current, Next, true);
    });
    return true;
}

bool TControl::PaintWidget(QPaintEvent*, QWidget*) {
    return false;
}

}  // namespace zk
