// TZkInspectorObject and TZkInspectorObjects.
#include "inspector/ZkInspectorObjects.h"

#include <algorithm>
#include <utility>

#include "inspector/ZkObjectInspector.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"

namespace zk {

// ---- TZkInspectorObject ----

ZK_IMPLEMENT_CLASS(TZkInspectorObject)
void TZkInspectorObject::DescribeClass(TClassBuilder<TZkInspectorObject>& C) {
    C.Prop("Component", &TZkInspectorObject::GetComponent, &TZkInspectorObject::SetComponent)
        .NoDefault();
}

TZkInspectorObject::TZkInspectorObject(TCollection* Collection) : TCollectionItem(Collection) {}

void TZkInspectorObject::BeforeDestruction() {
    TObject* Instance = FInstance;
    TComponent* Notify = FNotifyComponent;
    FInstance = nullptr;
    FNotifyComponent = nullptr;
    if (TZkInspectorObjects* Objects = GetObjects()) {
        Objects->Watch(Instance, false);
        Objects->Watch(Notify, false);
    }
    TCollectionItem::BeforeDestruction();
}

TZkInspectorObjects* TZkInspectorObject::GetObjects() const {
    return DynamicCast<TZkInspectorObjects>(GetCollection());
}

void TZkInspectorObject::SetInstance(TObject* Value) {
    if (Value == FInstance) return;
    if (TZkInspectorObjects* Objects = GetObjects(); Objects && Objects->GetUpdateCount() == 0)
        if (TZkCustomObjectInspector* Inspector = Objects->GetInspector()) Inspector->ObjectsChanging();
    TObject* Old = FInstance;
    FInstance = Value;
    if (TZkInspectorObjects* Objects = GetObjects()) {
        Objects->Watch(Old, false);
        Objects->Watch(Value, true);
    }
    Changed(false);
}

void TZkInspectorObject::SetNotifyComponent(TComponent* Value) {
    if (Value == FNotifyComponent) return;
    TComponent* Old = FNotifyComponent;
    FNotifyComponent = Value;
    if (TZkInspectorObjects* Objects = GetObjects()) {
        Objects->Watch(Old, false);
        Objects->Watch(Value, true);
    }
}

TComponent* TZkInspectorObject::GetComponent() const {
    return DynamicCast<TComponent>(FInstance);
}

void TZkInspectorObject::SetComponent(TComponent* Value) {
    if (Value != GetComponent()) SetInstance(Value);
}

void TZkInspectorObject::Assign(TPersistent* Source) {
    auto* Src = DynamicCast<TZkInspectorObject>(Source);
    if (!Src) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetInstance(Src->FInstance);
    SetNotifyComponent(Src->FNotifyComponent);
    Changed(false);
}

std::string TZkInspectorObject::GetDisplayName() const {
    if (TComponent* C = GetComponent()) return C->GetName();
    if (FInstance && !FInstance->ClassName().empty()) return FInstance->ClassName();
    return TCollectionItem::GetDisplayName();
}

// ---- TZkInspectorObjects ----

ZK_IMPLEMENT_CLASS(TZkInspectorObjects)
void TZkInspectorObjects::DescribeClass(TClassBuilder<TZkInspectorObjects>&) {}

TZkInspectorObjects::TZkInspectorObjects(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TZkInspectorObject::StaticClass()),
      FWatcher(DynamicCast<TComponent>(AOwner)) {}

TZkInspectorObject* TZkInspectorObjects::GetItem(int Index) const {
    return static_cast<TZkInspectorObject*>(TCollection::GetItem(Index));
}

TZkCustomObjectInspector* TZkInspectorObjects::GetInspector() const {
    return DynamicCast<TZkCustomObjectInspector>(FWatcher);
}

void TZkInspectorObjects::BeginUpdate() {
    if (GetUpdateCount() == 0)
        if (TZkCustomObjectInspector* Inspector = GetInspector()) Inspector->ObjectsChanging();
    TOwnedCollection::BeginUpdate();
}

void TZkInspectorObjects::Update(TCollectionItem* Item) {
    TOwnedCollection::Update(Item);
    if (TZkCustomObjectInspector* Inspector = GetInspector())
        Inspector->ObjectsChanged(static_cast<TZkInspectorObject*>(Item));
}

int TZkInspectorObjects::IndexOfInstance(const TObject* Instance) const {
    for (int I = 0; I < GetCount(); ++I)
        if (GetItem(I)->GetInstance() == Instance) return I;
    return -1;
}

void TZkInspectorObjects::Watch(TObject* P, bool On) {
    if (!FWatcher) return;  // a scan's temporary list: nobody to tell, no object to touch
    auto* Component = DynamicCast<TComponent>(P);
    if (!Component || Component == FWatcher) return;
    if (On) {
        if (++FWatched[Component] == 1) FWatcher->FreeNotification(Component);
        return;
    }
    auto It = FWatched.find(Component);
    if (It == FWatched.end() || --It->second > 0) return;
    FWatched.erase(It);
    FWatcher->RemoveFreeNotification(Component);
}

TZkInspectorObject* TZkInspectorObjects::AddInstance(TObject* Instance) {
    TUpdateGuard<TZkInspectorObjects> Guard(*this);
    const int Index = IndexOfInstance(Instance);
    TZkInspectorObject* Entry =
        Index >= 0 ? GetItem(Index) : static_cast<TZkInspectorObject*>(Add());
    Entry->SetInstance(Instance);
    return Entry;
}

TZkInspectorObject* TZkInspectorObjects::AddOwnedInstance(TComponent* Component, TObject* Instance) {
    TUpdateGuard<TZkInspectorObjects> Guard(*this);
    TZkInspectorObject* Entry = AddInstance(Instance);
    Entry->SetNotifyComponent(Component);
    return Entry;
}

int TZkInspectorObjects::RemoveInstance(const TObject* P) {
    for (int I = 0; I < GetCount(); ++I) {
        const TZkInspectorObject* Entry = GetItem(I);
        if (Entry->GetInstance() != P && Entry->GetNotifyComponent() != P) continue;
        TUpdateGuard<TZkInspectorObjects> Guard(*this);
        Delete(I);
        return I;
    }
    return -1;
}

void TZkInspectorObjects::AddInstances(const std::vector<TObject*>& Instances) {
    TUpdateGuard<TZkInspectorObjects> Guard(*this);
    // Duplicates and objects listed already are found in sorted copies: a scan lists ten
    // thousand objects at a time, and a node per object would cost more than the objects.
    std::vector<const TObject*> Listed;
    Listed.reserve(static_cast<size_t>(GetCount()));
    for (int I = 0; I < GetCount(); ++I) Listed.push_back(GetItem(I)->GetInstance());
    std::sort(Listed.begin(), Listed.end());
    std::vector<std::pair<const TObject*, size_t>> Order;
    Order.reserve(Instances.size());
    for (size_t N = 0; N < Instances.size(); ++N) Order.emplace_back(Instances[N], N);
    std::sort(Order.begin(), Order.end());
    std::vector<char> Take(Instances.size(), 0);
    for (size_t N = 0; N < Order.size(); ++N)
        Take[Order[N].second] = (N == 0 || Order[N - 1].first != Order[N].first) &&
                                !std::binary_search(Listed.begin(), Listed.end(), Order[N].first);
    SetCapacity(GetCount() + static_cast<int>(Instances.size()));
    for (size_t N = 0; N < Instances.size(); ++N)
        if (Take[N]) static_cast<TZkInspectorObject*>(Add())->SetInstance(Instances[N]);
}

void TZkInspectorObjects::AssignAssigned(TZkInspectorObjects* Source) {
    TUpdateGuard<TZkInspectorObjects> Guard(*this);
    Clear();
    if (!Source) return;
    for (int I = 0; I < Source->GetCount(); ++I)
        if (Source->GetItem(I)->GetInstance()) Add()->Assign(Source->GetItem(I));
}

}  // namespace zk
