// TWinControl: child controls, showing, window creation, tab order and focus.
#include <QWidget>
#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Controls_p.h"
#include "platform/gui/Forms.h"

namespace zk {

ZK_IMPLEMENT_CLASS(TWinControl)
void TWinControl::DescribeClass(TClassBuilder<TWinControl>& C) {
    C.Redeclare("Color").Default(clBtnFace);
    C.Prop("Ctl3D", &TWinControl::GetCtl3D, &TWinControl::SetCtl3D)
        .Stored(&TWinControl::IsCtl3DStored);
    C.Prop("ParentCtl3D", &TWinControl::GetParentCtl3D, &TWinControl::SetParentCtl3D).Default(true);
    C.Prop("TabOrder", &TWinControl::GetTabOrder, &TWinControl::SetTabOrder).Default(-1);
    C.Prop("TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop).Default(false);
    C.Prop("OnEnter", &TWinControl::GetOnEnter, &TWinControl::SetOnEnter);
    C.Prop("OnExit", &TWinControl::GetOnExit, &TWinControl::SetOnExit);
    C.Prop("OnKeyDown", &TWinControl::GetOnKeyDown, &TWinControl::SetOnKeyDown);
    C.Prop("OnKeyPress", &TWinControl::GetOnKeyPress, &TWinControl::SetOnKeyPress);
    C.Prop("OnKeyUp", &TWinControl::GetOnKeyUp, &TWinControl::SetOnKeyUp);
    C.Prop("OnMouseWheel", &TWinControl::GetOnMouseWheel, &TWinControl::SetOnMouseWheel);
    C.Prop("OnMouseWheelDown", &TWinControl::GetOnMouseWheelDown,
           &TWinControl::SetOnMouseWheelDown);
    C.Prop("OnMouseWheelUp", &TWinControl::GetOnMouseWheelUp, &TWinControl::SetOnMouseWheelUp);
    C.Message(CM_SHOWINGCHANGED, &TWinControl::CMShowingChanged);
}

TWinControl::TWinControl(TComponent* AOwner)
    : TWinControl(AOwner, MakeControlWidget<QWidget>(this)) {}

TWinControl::TWinControl(TComponent* AOwner, QWidget* Widget) : TControl(AOwner, Widget) {
    InitWinControl();
}

void TWinControl::InitWinControl() {
    FColor = clBtnFace;
    GetWidget()->setAutoFillBackground(true);
    UpdateWidgetPalette();
}

TWinControl::~TWinControl() {
    TWinControl::BeforeDestruction();
}

void TWinControl::BeforeDestruction() {
    Destroying();
    if (TCustomForm* Form = GetParentForm(this); Form && Form != this)
        Form->DefocusControl(this, true);
    // Children go first, whoever owns them; each leaves this list as it goes.
    while (GetControlCount() > 0) GetControl(GetControlCount() - 1)->Free();
    TControl::BeforeDestruction();
}

// ---- children ----

int TWinControl::GetControlCount() const {
    return static_cast<int>(FControls.size() + FWinControls.size());
}

TControl* TWinControl::GetControl(int Index) const {
    const int Graphic = static_cast<int>(FControls.size());
    if (Index < 0 || Index >= GetControlCount())
        throw EListError("List index out of bounds (%d)", {Index});
    return Index < Graphic ? FControls[static_cast<size_t>(Index)]
                           : FWinControls[static_cast<size_t>(Index - Graphic)];
}

bool TWinControl::ContainsControl(const TControl* Control) const {
    for (const TControl* C = Control; C; C = C->GetParent())
        if (C == this) return true;
    return false;
}

void TWinControl::InsertControl(TControl* AControl) {
    assert(AControl && !AControl->FParent &&
           "InsertControl: the control must leave its old parent first");
    AControl->FParent = this;
    auto* W = DynamicCast<TWinControl>(AControl);
    if (W) {
        FWinControls.push_back(W);
        FTabList.push_back(W);
    } else {
        FControls.push_back(AControl);
    }
    AControl->FWidget->setParent(GetClientWidget());
    AControl->UpdateWidgetGeometry();
    if (!W) StackGraphicControl(AControl);
    AControl->Perform(CM_PARENTCOLORCHANGED);
    AControl->Perform(CM_PARENTFONTCHANGED);
    AControl->ParentShowHintChanged();
    AControl->ParentBiDiModeChanged();
    if (W) W->ParentCtl3DChanged();
    AControl->UpdateWidgetVisibility();
    AControl->UpdateAnchorRules();
    if (W) {
        W->UpdateShowing();
        UpdateTabChain();
    }
    AlignControl(AControl);
}

void TWinControl::RemoveControl(TControl* AControl) {
    auto* W = DynamicCast<TWinControl>(AControl);
    if (W)
        if (TCustomForm* Form = GetParentForm(this)) Form->DefocusControl(W, true);
    if (W) {
        FWinControls.erase(std::remove(FWinControls.begin(), FWinControls.end(), W),
                           FWinControls.end());
        FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), W), FTabList.end());
    } else {
        FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
    }
    AControl->FParent = nullptr;
    // A control on its way out is deleted with its widget right after.
    if (!AControl->IsDestroying()) {
        AControl->FWidget->setParent(nullptr);
        AControl->FWidget->hide();
        if (W) W->UpdateShowing();
    }
    if (!IsDestroying()) Realign();
}

// Graphic controls lie under the windowed ones, as they are drawn on the parent's surface.
void TWinControl::StackGraphicControl(TControl* AControl) {
    if (!FWinControls.empty()) AControl->FWidget->stackUnder(FWinControls.front()->FWidget);
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllLevels) const {
    for (int I = GetControlCount() - 1; I >= 0; --I) {
        TControl* C = GetControl(I);
        if (!C->GetVisible() || (!AllowDisabled && !C->GetEnabled())) continue;
        if (!C->GetBoundsRect().Contains(Pos)) continue;
        if (AllLevels)
            if (auto* W = DynamicCast<TWinControl>(C))
                if (TControl* Inner = W->ControlAtPos({Pos.X - C->GetLeft(), Pos.Y - C->GetTop()},
                                                      AllowDisabled, true))
                    return Inner;
        return C;
    }
    return nullptr;
}

// Children whose owner is the root being written, in Controls order.
void TWinControl::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
    for (int I = 0; I < GetControlCount(); ++I) {
        TControl* C = GetControl(I);
        if (C->GetOwner() == Root) Proc(C);
    }
}

void TWinControl::NotifyControls(uint32_t Msg) {
    for (int I = 0; I < GetControlCount(); ++I) GetControl(I)->Perform(Msg);
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::ColorChanged() {
    TControl::ColorChanged();
    NotifyControls(CM_PARENTCOLORCHANGED);
}

// ---- showing and the window ----

void TWinControl::SetVisible(bool Value) {
    if (GetVisible() == Value) return;
    TControl::SetVisible(Value);
    UpdateShowing();
}

bool TWinControl::TopLevelMayShow() const {
    return !IsLoading();
}

void TWinControl::UpdateShowing() {
    const bool ParentShows =
        IsTopLevel() ? TopLevelMayShow() : (GetParent() && GetParent()->FShowing);
    const bool NewShowing = GetVisible() && ParentShows && !IsDestroying();
    if (NewShowing && !FHandleAllocated) CreateHandle();
    const bool Changed = FShowing != NewShowing;
    FShowing = NewShowing;
    // Children are showing before their window appears, and stop after it went.
    if (NewShowing)
        for (size_t I = 0; I < FWinControls.size(); ++I) FWinControls[I]->UpdateShowing();
    if (Changed) Perform(CM_SHOWINGCHANGED);
    if (!NewShowing)
        for (size_t I = 0; I < FWinControls.size(); ++I) FWinControls[I]->UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) {
    ShowingChanged();
}

void TWinControl::ShowingChanged() {
    if (IsTopLevel()) GetWidget()->setVisible(FShowing);
}

void TWinControl::UpdateWidgetVisibility() {
    if (!IsTopLevel()) TControl::UpdateWidgetVisibility();
}

void TWinControl::HandleNeeded() {
    if (FHandleAllocated) return;
    if (GetParent()) GetParent()->HandleNeeded();
    CreateHandle();
}

QWidget* TWinControl::GetHandle() {
    HandleNeeded();
    return GetWidget();
}

void TWinControl::CreateHandle() {
    if (FHandleAllocated) return;
    FHandleAllocated = true;
    CreateWnd();
}

void TWinControl::DestroyHandle() {
    if (!FHandleAllocated) return;
    for (size_t I = 0; I < FWinControls.size(); ++I) FWinControls[I]->DestroyHandle();
    DestroyWnd();
    FHandleAllocated = false;
}

void TWinControl::CreateWnd() {}

void TWinControl::DestroyWnd() {}

void TWinControl::Loaded() {
    ComputeLoadedAnchorRules();
    FixupTabList();
    TControl::Loaded();
    Realign();
    UpdateShowing();
    UpdateTabChain();
}

// ---- Ctl3D ----

void TWinControl::SetCtl3D(bool Value) {
    FParentCtl3D = false;
    if (FCtl3D == Value) return;
    FCtl3D = Value;
    Ctl3DChanged();
    for (size_t I = 0; I < FWinControls.size(); ++I) FWinControls[I]->ParentCtl3DChanged();
}

void TWinControl::SetParentCtl3D(bool Value) {
    if (FParentCtl3D == Value) return;
    FParentCtl3D = Value;
    ParentCtl3DChanged();
}

void TWinControl::ParentCtl3DChanged() {
    if (!FParentCtl3D || !GetParent()) return;
    SetCtl3D(GetParent()->GetCtl3D());
    FParentCtl3D = true;
}

void TWinControl::Ctl3DChanged() {
    Invalidate();
}

// ---- tab order ----

int TWinControl::GetTabOrder() const {
    if (!GetParent()) return -1;
    const auto& L = GetParent()->FTabList;
    auto It = std::find(L.begin(), L.end(), this);
    return It == L.end() ? -1 : static_cast<int>(It - L.begin());
}

void TWinControl::SetTabOrder(int Value) {
    // A stream sets every control's order before all siblings exist; the
    // parent sorts them out in its Loaded.
    if (IsLoading()) {
        FTabOrder = Value;
        return;
    }
    UpdateTabOrder(Value);
}

void TWinControl::UpdateTabOrder(int Value) {
    if (!GetParent()) return;
    auto& L = GetParent()->FTabList;
    const int Cur = GetTabOrder();
    const int Count = static_cast<int>(L.size());
    if (Cur < 0) return;
    Value = std::clamp(Value, 0, Count - 1);
    if (Value == Cur) return;
    L.erase(L.begin() + Cur);
    L.insert(L.begin() + Value, this);
    UpdateTabChain();
}

void TWinControl::FixupTabList() {
    const size_t Count = FWinControls.size();
    std::vector<TWinControl*> Slots(Count, nullptr);
    for (TWinControl* C : FWinControls)
        if (C->FTabOrder >= 0 && static_cast<size_t>(C->FTabOrder) < Count)
            Slots[static_cast<size_t>(C->FTabOrder)] = C;
    for (size_t I = 0; I < Count; ++I)
        if (Slots[I]) Slots[I]->UpdateTabOrder(static_cast<int>(I));
}

void TWinControl::SetTabStop(bool Value) {
    if (FTabStop == Value) return;
    FTabStop = Value;
    UpdateFocusPolicy();
}

void TWinControl::UpdateFocusPolicy() {
    Qt::FocusPolicy Policy =
        FTabStop ? Qt::StrongFocus : (FocusesOnClick() ? Qt::ClickFocus : Qt::NoFocus);
    GetWidget()->setFocusPolicy(Policy);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
    for (TWinControl* C : FTabList) {
        List.push_back(C);
        C->GetTabOrderList(List);
    }
}

// Qt's chain follows the tab lists of the whole window.
void TWinControl::UpdateTabChain() {
    TWinControl* Top = this;
    while (Top->GetParent()) Top = Top->GetParent();
    if (Top->IsLoading()) return;
    std::vector<TWinControl*> List;
    Top->GetTabOrderList(List);
    for (size_t I = 1; I < List.size(); ++I)
        QWidget::setTabOrder(List[I - 1]->GetWidget(), List[I]->GetWidget());
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward,
                                          bool CheckTabStop, bool CheckParent) const {
    std::vector<TWinControl*> List;
    GetTabOrderList(List);
    if (List.empty()) return nullptr;
    const int Count = static_cast<int>(List.size());
    int Start = static_cast<int>(std::find(List.begin(), List.end(), CurControl) - List.begin());
    if (Start == Count) Start = GoForward ? Count - 1 : 0;
    int I = Start;
    for (int Step = 0; Step < Count; ++Step) {
        I = GoForward ? (I + 1) % Count : (I + Count - 1) % Count;
        TWinControl* C = List[static_cast<size_t>(I)];
        if (C == CurControl) break;
        if ((!CheckTabStop || C->GetTabStop()) && (!CheckParent || C->GetParent() == this) &&
            C->CanFocus())
            return C;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    if (TWinControl* Next = FindNextControl(CurControl, GoForward, CheckTabStop, false))
        Next->SetFocus();
}

// The first control inside this one becomes the form's active control: it
// takes the focus now when the form is active, else when the form activates,
// so a form that is not showing can change pages.
void TWinControl::SelectFirst() {
    TCustomForm* Form = GetParentForm(this);
    if (!Form) return;
    TWinControl* First = FindNextControl(nullptr, true, true, false);
    if (!First) First = FindNextControl(nullptr, true, false, false);
    if (First) Form->SetActiveControl(First);
}

// ---- focus ----

bool TWinControl::CanFocus() const {
    TCustomForm* Form = GetParentForm(this);
    if (!Form) return false;
    for (const TControl* C = this; C && C != Form; C = C->GetParent())
        if (!C->GetVisible() || !C->GetEnabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    TCustomForm* Form = GetParentForm(this);
    if (!Form) throw EInvalidOperation("Control '%s' has no parent window", {GetName()});
    Form->FocusControl(this);
}

bool TWinControl::Focused() const {
    if (GetWidget()->hasFocus()) return true;
    TCustomForm* Form = GetParentForm(this);
    return Form && Form->GetFocusedControl() == this && Screen && Screen->GetActiveForm() == Form;
}

}  // namespace zk
