// Actions and action lists: execution and update through the list, property propagation to the
// linked clients, shortcuts, and the links of controls.
#include "platform/gui/ActnList.h"

#include <algorithm>
#include <cassert>

#include "platform/core/ClassBuilder.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/ImgList.h"

namespace zk {

// ---- TBasicActionLink ----

ZK_IMPLEMENT_CLASS(TBasicActionLink)
void TBasicActionLink::DescribeClass(TClassBuilder<TBasicActionLink>&) {}

TBasicActionLink::~TBasicActionLink() {
    if (FAction) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
    if (FAction == Value) return;
    if (FAction) FAction->UnRegisterChanges(this);
    FAction = Value;
    if (Value) Value->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* AComponent) {
    if (!FAction) return false;
    FAction->SetActionComponent(AComponent);
    struct TReset {
        TBasicAction* A;
        ~TReset() { A->SetActionComponent(nullptr); }
    } Reset{FAction};
    return FAction->Execute();
}

bool TBasicActionLink::Update() {
    return FAction && FAction->Update();
}

// ---- TActionLink: linked while the client shows the action's value ----

ZK_IMPLEMENT_CLASS(TActionLink)
void TActionLink::DescribeClass(TClassBuilder<TActionLink>&) {}

bool TActionLink::IsCaptionLinked() const {
    return Is<TCustomAction>(GetAction());
}
bool TActionLink::IsCheckedLinked() const {
    return Is<TCustomAction>(GetAction());
}
bool TActionLink::IsEnabledLinked() const {
    return Is<TCustomAction>(GetAction());
}
bool TActionLink::IsHelpContextLinked() const {
    return Is<TCustomAction>(GetAction());
}
bool TActionLink::IsHintLinked() const {
    return Is<TCustomAction>(GetAction());
}
bool TActionLink::IsImageIndexLinked() const {
    return Is<TCustomAction>(GetAction());
}
bool TActionLink::IsShortCutLinked() const {
    return Is<TCustomAction>(GetAction());
}
bool TActionLink::IsVisibleLinked() const {
    return Is<TCustomAction>(GetAction());
}
bool TActionLink::IsOnExecuteLinked() const {
    return GetAction() != nullptr;
}

// ---- TControlActionLink ----

ZK_IMPLEMENT_CLASS(TControlActionLink)
void TControlActionLink::DescribeClass(TClassBuilder<TControlActionLink>&) {}

namespace {

const TCustomAction* CustomActionOf(const TBasicActionLink* Link) {
    return DynamicCast<TCustomAction>(Link->GetAction());
}

// The control's published Boolean or Integer property Name, when it has one.
const TPropInfo* ClientProp(const TControl* Client, const char* Name, TTypeKind Kind) {
    const TPropInfo* P = GetPropInfo(Client, Name);
    return P && P->Kind() == Kind && P->HasWrite() ? P : nullptr;
}

}  // namespace

bool TControlActionLink::IsCaptionLinked() const {
    const TCustomAction* A = CustomActionOf(this);
    return A && FClient->GetCaption() == A->GetCaption();
}

bool TControlActionLink::IsCheckedLinked() const {
    const TCustomAction* A = CustomActionOf(this);
    const TPropInfo* P = ClientProp(FClient, CheckedPropName(), tkEnumeration);
    return A && P && (GetOrdProp(FClient, P) != 0) == A->GetChecked();
}

bool TControlActionLink::IsEnabledLinked() const {
    const TCustomAction* A = CustomActionOf(this);
    return A && FClient->GetEnabled() == A->GetEnabled();
}

bool TControlActionLink::IsHelpContextLinked() const {
    const TCustomAction* A = CustomActionOf(this);
    return A && FClient->GetHelpContext() == A->GetHelpContext();
}

bool TControlActionLink::IsHintLinked() const {
    const TCustomAction* A = CustomActionOf(this);
    return A && FClient->GetHint() == A->GetHint();
}

bool TControlActionLink::IsImageIndexLinked() const {
    const TCustomAction* A = CustomActionOf(this);
    const TPropInfo* P = ClientProp(FClient, "ImageIndex", tkInteger);
    return A && P && GetOrdProp(FClient, P) == A->GetImageIndex();
}

bool TControlActionLink::IsVisibleLinked() const {
    const TCustomAction* A = CustomActionOf(this);
    return A && FClient->GetVisible() == A->GetVisible();
}

bool TControlActionLink::IsOnExecuteLinked() const {
    return GetAction() && FClient->GetOnClick() == TNotifyEvent(GetAction()->GetOnExecute());
}

void TControlActionLink::SetCaption(const std::string& Value) {
    if (IsCaptionLinked()) FClient->SetCaption(Value);
}

void TControlActionLink::SetChecked(bool Value) {
    if (IsCheckedLinked())
        SetOrdProp(FClient, ClientProp(FClient, CheckedPropName(), tkEnumeration), Value);
}

void TControlActionLink::SetEnabled(bool Value) {
    if (IsEnabledLinked()) FClient->SetEnabled(Value);
}

void TControlActionLink::SetHelpContext(int Value) {
    if (IsHelpContextLinked()) FClient->SetHelpContext(Value);
}

void TControlActionLink::SetHint(const std::string& Value) {
    if (IsHintLinked()) FClient->SetHint(Value);
}

void TControlActionLink::SetImageIndex(int Value) {
    if (IsImageIndexLinked())
        SetOrdProp(FClient, ClientProp(FClient, "ImageIndex", tkInteger), Value);
}

void TControlActionLink::SetVisible(bool Value) {
    if (IsVisibleLinked()) FClient->SetVisible(Value);
}

// ---- TBasicAction ----

ZK_IMPLEMENT_CLASS(TBasicAction)
void TBasicAction::DescribeClass(TClassBuilder<TBasicAction>&) {}

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction() {
    TBasicAction::BeforeDestruction();
}

// Clients forget the action before the free notifications reach them.
void TBasicAction::BeforeDestruction() {
    while (!FClients.empty()) FClients.back()->SetAction(nullptr);
    TComponent::BeforeDestruction();
}

void TBasicAction::RegisterChanges(TBasicActionLink* Link) {
    FClients.push_back(Link);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Link) {
    FClients.erase(std::remove(FClients.begin(), FClients.end(), Link), FClients.end());
}

void TBasicAction::Change() {}

bool TBasicAction::Execute() {
    if (!FOnExecute.Assigned()) return false;
    FOnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!FOnUpdate.Assigned()) return false;
    FOnUpdate(this);
    return true;
}

void TBasicAction::SetOnExecute(const TNotifyEvent& Value) {
    if (FOnExecute == Value) return;
    FOnExecute = Value;
    Change();
}

void TBasicAction::SetOnUpdate(const TNotifyEvent& Value) {
    FOnUpdate = Value;
}

// ---- TContainedAction ----

ZK_IMPLEMENT_CLASS(TContainedAction)
void TContainedAction::DescribeClass(TClassBuilder<TContainedAction>&) {}

TContainedAction::TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}

TContainedAction::~TContainedAction() {
    TContainedAction::BeforeDestruction();
}

void TContainedAction::BeforeDestruction() {
    SetActionList(nullptr);
    TBasicAction::BeforeDestruction();
}

void TContainedAction::Change() {
    if (FActionList) FActionList->Change();
}

bool TContainedAction::Execute() {
    if (FActionList && FActionList->ExecuteAction(this)) return true;
    return TBasicAction::Execute();
}

bool TContainedAction::Update() {
    if (FActionList && FActionList->UpdateAction(this)) return true;
    return TBasicAction::Update();
}

void TContainedAction::SetActionList(TCustomActionList* Value) {
    if (FActionList == Value) return;
    if (FActionList) FActionList->RemoveAction(this);
    if (Value) Value->AddAction(this);
}

int TContainedAction::GetIndex() const {
    return FActionList ? FActionList->IndexOfAction(this) : -1;
}

void TContainedAction::SetIndex(int Value) {
    if (!FActionList) return;
    auto& List = FActionList->FActions;
    const int Cur = GetIndex();
    Value = std::clamp(Value, 0, static_cast<int>(List.size()) - 1);
    if (Cur == Value) return;
    List.erase(List.begin() + Cur);
    List.insert(List.begin() + Value, this);
    FActionList->Change();
}

void TContainedAction::SetCategory(const std::string& Value) {
    if (FCategory == Value) return;
    FCategory = Value;
    if (FActionList) FActionList->Change();
}

TComponent* TContainedAction::GetParentComponent() const {
    return FActionList;
}

void TContainedAction::SetParentComponent(TComponent* Value) {
    if (auto* List = DynamicCast<TCustomActionList>(Value)) SetActionList(List);
}

// ---- TCustomAction ----

ZK_IMPLEMENT_CLASS(TCustomAction)
void TCustomAction::DescribeClass(TClassBuilder<TCustomAction>&) {}

TCustomAction::TCustomAction(TComponent* AOwner)
    : TContainedAction(AOwner), FSecondaryShortCuts(Create<TShortCutList>()) {}

TCustomAction::~TCustomAction() = default;

// Each client's link hears the value while the action still has the old one,
// so the link can tell whether the client showed the action's value.
template <class V, class F>
void TCustomAction::Propagate(V& Field, const V& Value, F ToLink) {
    if (Field == Value) return;
    for (TBasicActionLink* Link : Clients())
        if (auto* L = DynamicCast<TActionLink>(Link)) ToLink(L);
    Field = Value;
    Change();
}

void TCustomAction::SetAutoCheck(bool Value) {
    if (FAutoCheck == Value) return;
    FAutoCheck = Value;
    Change();
}

void TCustomAction::SetCaption(const std::string& Value) {
    Propagate(FCaption, Value, [&](TActionLink* L) { L->SetCaption(Value); });
}

void TCustomAction::SetChecked(bool Value) {
    if (FChecked == Value) return;
    Propagate(FChecked, Value, [&](TActionLink* L) { L->SetChecked(Value); });
    if (!Value || FGroupIndex <= 0 || !GetActionList()) return;
    for (int I = 0; I < GetActionList()->GetActionCount(); ++I)
        if (auto* Other = DynamicCast<TCustomAction>(GetActionList()->GetAction(I)))
            if (Other != this && Other->FGroupIndex == FGroupIndex) Other->SetChecked(false);
}

void TCustomAction::SetEnabled(bool Value) {
    Propagate(FEnabled, Value, [&](TActionLink* L) { L->SetEnabled(Value); });
}

void TCustomAction::SetGroupIndex(int Value) {
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    Change();
}

void TCustomAction::SetHelpContext(int Value) {
    Propagate(FHelpContext, Value, [&](TActionLink* L) { L->SetHelpContext(Value); });
}

void TCustomAction::SetHint(const std::string& Value) {
    Propagate(FHint, Value, [&](TActionLink* L) { L->SetHint(Value); });
}

void TCustomAction::SetImageIndex(int Value) {
    Propagate(FImageIndex, Value, [&](TActionLink* L) { L->SetImageIndex(Value); });
}

void TCustomAction::SetShortCut(TShortCut Value) {
    Propagate(FShortCut, Value, [&](TActionLink* L) { L->SetShortCut(Value); });
}

void TCustomAction::SetVisible(bool Value) {
    Propagate(FVisible, Value, [&](TActionLink* L) { L->SetVisible(Value); });
}

void TCustomAction::SetSecondaryShortCuts(TShortCutList* Value) {
    assert(Value && "SetSecondaryShortCuts(nullptr): assign a list, the action owns its own");
    if (Value) FSecondaryShortCuts->Assign(Value);
}

bool TCustomAction::HasShortCut(TShortCut Value) const {
    return Value != 0 && (FShortCut == Value || FSecondaryShortCuts->IndexOfShortCut(Value) >= 0);
}

bool TCustomAction::Execute() {
    Update();
    if (!FEnabled) return false;
    if (FAutoCheck) SetChecked(!FChecked);
    return TContainedAction::Execute();
}

// ---- TAction ----

ZK_IMPLEMENT_CLASS(TAction)
void TAction::DescribeClass(TClassBuilder<TAction>& C) {
    C.Prop("AutoCheck", &TCustomAction::GetAutoCheck, &TCustomAction::SetAutoCheck).Default(false);
    C.Prop("Caption", &TCustomAction::GetCaption, &TCustomAction::SetCaption)
        .Type(TypeInfoTCaption());
    C.Prop("Category", &TContainedAction::GetCategory, &TContainedAction::SetCategory);
    C.Prop("Checked", &TCustomAction::GetChecked, &TCustomAction::SetChecked).Default(false);
    C.Prop("Enabled", &TCustomAction::GetEnabled, &TCustomAction::SetEnabled).Default(true);
    C.Prop("GroupIndex", &TCustomAction::GetGroupIndex, &TCustomAction::SetGroupIndex).Default(0);
    C.Prop("HelpContext", &TCustomAction::GetHelpContext, &TCustomAction::SetHelpContext)
        .Default(0);
    C.Prop("HelpKeyword", &TCustomAction::GetHelpKeyword, &TCustomAction::SetHelpKeyword);
    C.Prop("HelpType", &TCustomAction::GetHelpType, &TCustomAction::SetHelpType).Default(htKeyword);
    C.Prop("Hint", &TCustomAction::GetHint, &TCustomAction::SetHint);
    C.Prop("ImageIndex", &TCustomAction::GetImageIndex, &TCustomAction::SetImageIndex).Default(-1);
    C.Prop("SecondaryShortCuts", &TCustomAction::GetSecondaryShortCuts,
           &TCustomAction::SetSecondaryShortCuts)
        .Stored(&TCustomAction::IsSecondaryShortCutsStored);
    C.Prop("ShortCut", &TCustomAction::GetShortCut, &TCustomAction::SetShortCut)
        .Type(TypeInfoTShortCut())
        .Default(0);
    C.Prop("Visible", &TCustomAction::GetVisible, &TCustomAction::SetVisible).Default(true);
    C.Prop("OnExecute", &TBasicAction::GetOnExecute, &TBasicAction::SetOnExecute);
    C.Prop("OnHint", &TCustomAction::GetOnHint, &TCustomAction::SetOnHint);
    C.Prop("OnUpdate", &TBasicAction::GetOnUpdate, &TBasicAction::SetOnUpdate);
}

TAction::TAction(TComponent* AOwner) : TCustomAction(AOwner) {}

// ---- TCustomActionList ----

ZK_IMPLEMENT_CLASS(TCustomActionList)
void TCustomActionList::DescribeClass(TClassBuilder<TCustomActionList>&) {}

TCustomActionList::TCustomActionList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomActionList::~TCustomActionList() {
    TCustomActionList::BeforeDestruction();
}

void TCustomActionList::BeforeDestruction() {
    while (!FActions.empty()) FActions.back()->SetActionList(nullptr);
    TComponent::BeforeDestruction();
}

TContainedAction* TCustomActionList::GetAction(int Index) const {
    if (Index < 0 || Index >= GetActionCount())
        throw EListError("List index out of bounds (%d)", {Index});
    return FActions[static_cast<size_t>(Index)];
}

int TCustomActionList::IndexOfAction(const TContainedAction* Action) const {
    auto It = std::find(FActions.begin(), FActions.end(), Action);
    return It == FActions.end() ? -1 : static_cast<int>(It - FActions.begin());
}

void TCustomActionList::AddAction(TContainedAction* Action) {
    FActions.push_back(Action);
    Action->FActionList = this;
    Action->FreeNotification(this);
    Change();
}

void TCustomActionList::RemoveAction(TContainedAction* Action) {
    auto It = std::find(FActions.begin(), FActions.end(), Action);
    if (It == FActions.end()) return;
    FActions.erase(It);
    Action->FActionList = nullptr;
    Action->RemoveFreeNotification(this);
    if (!IsDestroying()) Change();
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action) {
    bool Handled = false;
    if (FOnExecute.Assigned()) FOnExecute(Action, Handled);
    return Handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* Action) {
    bool Handled = false;
    if (FOnUpdate.Assigned()) FOnUpdate(Action, Handled);
    return Handled;
}

bool TCustomActionList::IsShortCut(uint16_t Key, TShiftState Shift) {
    const TShortCut Value = ShortCut(Key, Shift);
    if (Value == 0) return false;
    const std::vector<TContainedAction*> Actions = FActions;
    for (TContainedAction* A : Actions)
        if (auto* Custom = DynamicCast<TCustomAction>(A); Custom && Custom->HasShortCut(Value))
            return Custom->Execute();
    return false;
}

void TCustomActionList::SetImages(TCustomImageList* Value) {
    if (FImages == Value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (Value) Value->FreeNotification(this);
    Change();
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove) {
        if (AComponent == FImages) FImages = nullptr;
        if (auto* A = DynamicCast<TContainedAction>(AComponent)) RemoveAction(A);
    }
    TComponent::Notification(AComponent, Operation);
}

void TCustomActionList::Change() {
    if (FOnChange.Assigned() && !IsLoading()) FOnChange(this);
}

void TCustomActionList::GetChildren(const std::function<void(TComponent*)>& Proc,
                                    TComponent* Root) {
    for (TContainedAction* A : FActions)
        if (A->GetOwner() == Root) Proc(A);
}

// ---- TActionList ----

ZK_IMPLEMENT_CLASS(TActionList)
void TActionList::DescribeClass(TClassBuilder<TActionList>& C) {
    C.Prop("Images", &TCustomActionList::GetImages, &TCustomActionList::SetImages);
    C.Prop("OnChange", &TCustomActionList::GetOnChange, &TCustomActionList::SetOnChange);
    C.Prop("OnExecute", &TCustomActionList::GetOnExecute, &TCustomActionList::SetOnExecute);
    C.Prop("OnUpdate", &TCustomActionList::GetOnUpdate, &TCustomActionList::SetOnUpdate);
}

TActionList::TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}

}  // namespace zk
