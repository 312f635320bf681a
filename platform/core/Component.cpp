// TComponent: ownership, names and free notification.
#include "platform/core/Component.h"

#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Filer.h"
#include "platform/core/SysUtils.h"

namespace zk {

ZK_IMPLEMENT_CLASS(TComponent)
void TComponent::DescribeClass(TClassBuilder<TComponent>& C) {
    // The name is written in the component's header, not as a property.
    C.Prop("Name", &TComponent::GetName, &TComponent::SetName)
        .Type(TypeInfoTComponentName())
        .Stored(false);
    C.Prop("Tag", &TComponent::GetTag, &TComponent::SetTag).Default(0);
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    // Reached by a plain delete too: do what Free() would have done; a second
    // run finds nothing left to do.
    TComponent::BeforeDestruction();
}

void TComponent::BeforeDestruction() {
    Destroying();
    NotifyFreeNotifies();
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::NotifyFreeNotifies() {
    // Each notified component drops its link back, which shrinks the list.
    while (!FFreeNotifies.empty()) {
        TComponent* Other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& Back = Other->FFreeNotifies;
        Back.erase(std::remove(Back.begin(), Back.end(), this), Back.end());
        Other->Notification(this, opRemove);
    }
}

void TComponent::Destroying() {
    if (FComponentState.Contains(csDestroying)) return;
    FComponentState.Include(csDestroying);
    for (TComponent* C : FComponents) C->Destroying();
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* Instance = FComponents.back();
        Remove(Instance);
        Instance->Free();
    }
}

TComponent* TComponent::GetComponents(int Index) const {
    if (Index < 0 || Index >= GetComponentCount())
        throw EListError("List index out of bounds (%d)", {Index});
    return FComponents[Index];
}

int TComponent::GetComponentIndex() const {
    if (!FOwner) return -1;
    auto& L = FOwner->FComponents;
    return static_cast<int>(std::find(L.begin(), L.end(), this) - L.begin());
}

void TComponent::SetComponentIndex(int Value) {
    if (!FOwner) return;
    auto& L = FOwner->FComponents;
    int Cur = GetComponentIndex();
    Value = std::clamp(Value, 0, static_cast<int>(L.size()) - 1);
    if (Cur == Value) return;
    L.erase(L.begin() + Cur);
    L.insert(L.begin() + Value, this);
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
    if (AName.empty()) return nullptr;
    for (TComponent* C : FComponents)
        if (SameText(C->FName, AName)) return C;
    return nullptr;
}

void TComponent::ValidateInsert(TComponent*) {}

void TComponent::InsertComponent(TComponent* AComponent) {
    ValidateInsert(AComponent);
    // The newcomer's name must be unique among its new siblings; checked before
    // it leaves its old owner, so a refusal changes nothing.
    if (!AComponent->FName.empty() && FindComponent(AComponent->FName))
        throw EComponentError("A component named %s already exists", {AComponent->FName});
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    Insert(AComponent);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (AComponent->FOwner != this) return;
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
    auto It = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (It != FComponents.end()) FComponents.erase(It);
    AComponent->FOwner = nullptr;
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
    // Owned components hear of every arrival and departure too; a handler may
    // free components, so the index is re-checked each round.
    for (int I = GetComponentCount() - 1; I >= 0; --I) {
        if (I >= GetComponentCount()) continue;
        FComponents[I]->Notification(AComponent, Operation);
    }
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
        FFreeNotifies.push_back(AComponent);
        AComponent->FreeNotification(this);
    }
    FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    auto Drop = [](std::vector<TComponent*>& L, TComponent* C) {
        L.erase(std::remove(L.begin(), L.end(), C), L.end());
    };
    Drop(FFreeNotifies, AComponent);
    Drop(AComponent->FFreeNotifies, this);
}

void TComponent::ValidateRename(TComponent* AComponent, const std::string& CurName,
                                const std::string& NewName) {
    if (AComponent && !SameText(CurName, NewName) && AComponent->FOwner == this &&
        FindComponent(NewName))
        throw EComponentError("A component named %s already exists", {NewName});
}

void TComponent::SetName(const std::string& NewName) {
    if (FName == NewName) return;
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EComponentError("'%s' is not a valid component name", {NewName});
    if (FOwner)
        FOwner->ValidateRename(this, FName, NewName);
    else
        ValidateRename(nullptr, FName, NewName);
    ChangeName(NewName);
}

void TComponent::SetComponentStateItem(TComponentStateItem Item, bool On) {
    if (On)
        FComponentState.Include(Item);
    else
        FComponentState.Exclude(Item);
}

void TComponent::SetSubComponent(bool Value) {
    if (Value)
        FComponentStyle.Include(csSubComponent);
    else
        FComponentStyle.Exclude(csSubComponent);
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
    SetComponentStateItem(csDesigning, Value);
    if (SetChildren)
        for (TComponent* C : FComponents) C->SetDesigning(Value, true);
}

void TComponent::SetInline(bool Value) {
    SetComponentStateItem(csInline, Value);
}

void TComponent::Loading() {
    FComponentState.Include(csLoading);
}

void TComponent::Loaded() {
    FComponentState.Exclude(csLoading);
}

void TComponent::SetReading(bool Value) {
    SetComponentStateItem(csReading, Value);
}

// Non-visual components keep their place on the form in DesignInfo.
void TComponent::DefineProperties(TFiler* Filer) {
    TPersistent::DefineProperties(Filer);
    auto Part = [this](bool High) {
        return static_cast<int16_t>(High ? (FDesignInfo >> 16) & 0xFFFF : FDesignInfo & 0xFFFF);
    };
    auto SetPart = [this](bool High, int Value) {
        const uint32_t Word = static_cast<uint16_t>(Value);
        const uint32_t Info = static_cast<uint32_t>(FDesignInfo);
        FDesignInfo = static_cast<int32_t>(High ? (Info & 0xFFFFu) | (Word << 16)
                                                : (Info & 0xFFFF0000u) | Word);
    };
    for (bool High : {false, true})
        Filer->DefineProperty(
            High ? "Top" : "Left", [SetPart, High](TReader* R) { SetPart(High, R->ReadInteger()); },
            [Part, High](TWriter* W) { W->WriteInteger(Part(High)); }, Part(High) != 0);
}

std::string TComponent::GetNamePath() const {
    return FName;
}

void TComponent::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
    if (Root != this) return;
    // Sub-components are written as properties of their owner, not as children.
    for (TComponent* C : FComponents)
        if (!C->HasParent() && !C->GetComponentStyle().Contains(csSubComponent)) Proc(C);
}

void TComponent::ReadState(TReader* Reader) { Reader->ReadData(this); }

void TComponent::WriteState(TWriter* Writer) { Writer->WriteData(this); }

bool TComponent::QueryInterface(const TGUID& IID, void** Obj) {
    if (IID == IInterfaceComponentReference::IID) {
        if (Obj) *Obj = static_cast<IInterfaceComponentReference*>(this);
        return true;
    }
    return false;
}

}  // namespace zk
