// TCollection, TOwnedCollection and TCollectionItem.
#include "platform/core/Collection.h"

#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/SysUtils.h"

namespace zk {

// ---- TCollectionItem ----

ZK_IMPLEMENT_CLASS(TCollectionItem)
void TCollectionItem::DescribeClass(TClassBuilder<TCollectionItem>&) {}

TCollectionItem::TCollectionItem(TCollection* Collection) : FPendingCollection(Collection) {}

void TCollectionItem::AfterConstruction() {
    TCollection* Pending = FPendingCollection;
    FPendingCollection = nullptr;
    if (Pending) SetCollection(Pending);
}

TCollectionItem::~TCollectionItem() {
    if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::BeforeDestruction() {
    if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
    if (FCollection == Value) return;
    if (Value && !InheritsFrom(Value->GetItemClass()))
        throw EListError("Invalid property value (%s)", {ClassName()});
    if (FCollection) FCollection->RemoveItem(this);
    if (Value) Value->InsertItem(this);
}

void TCollectionItem::SetIndex(int Value) {
    if (!FCollection || FIndex < 0 || FIndex == Value) return;
    auto& Items = FCollection->FItems;
    if (Value < 0 || Value >= static_cast<int>(Items.size()))
        throw EListError("List index out of bounds (%d)", {Value});
    int Cur = FIndex;
    if (Cur < Value)
        std::rotate(Items.begin() + Cur, Items.begin() + Cur + 1, Items.begin() + Value + 1);
    else
        std::rotate(Items.begin() + Value, Items.begin() + Cur, Items.begin() + Cur + 1);
    FCollection->Reindex(std::min(Cur, Value), std::max(Cur, Value) + 1);
    Changed(true);
}

std::string TCollectionItem::GetDisplayName() const {
    return ClassName();
}

std::string TCollectionItem::GetNamePath() const {
    if (!FCollection) return ClassName();
    return Format("%s[%d]", {FCollection->GetNamePath(), FIndex});
}

TPersistent* TCollectionItem::GetOwner() const {
    return FCollection;
}

void TCollectionItem::Changed(bool AllItems) {
    if (FCollection && FCollection->FUpdateCount == 0)
        FCollection->Update(AllItems ? nullptr : this);
}

// ---- TCollection ----

ZK_IMPLEMENT_CLASS(TCollection)
void TCollection::DescribeClass(TClassBuilder<TCollection>&) {}

TCollection::TCollection(const TClassInfo* ItemClass) : FItemClass(ItemClass) {}

TCollection::~TCollection() {
    TCollection::BeforeDestruction();
}

void TCollection::BeforeDestruction() {
    if (FItems.empty()) return;
    // Nobody listens to a collection on its way out.
    FUpdateCount = 1;
    Clear();
}

TCollectionItem* TCollection::Add() {
    if (!FItemClass || !FItemClass->CreateItem)
        throw EListError("Invalid property value (%s)",
                         {FItemClass ? FItemClass->ClassName() : std::string("nil")});
    // The item joins in its AfterConstruction; one whose constructor dropped
    // the collection is added now.
    TCollectionItem* Item = FItemClass->CreateItem(this);
    if (Item->FCollection != this) {
        try {
            Item->SetCollection(this);
        } catch (...) {
            Item->Free();
            throw;
        }
    }
    return Item;
}

TCollectionItem* TCollection::Insert(int Index) {
    TCollectionItem* Item = Add();
    Item->SetIndex(Index);
    return Item;
}

void TCollection::Delete(int Index) {
    TCollectionItem* Item = GetItem(Index);
    Notify(Item, cnDeleting);
    Item->Free();
}

void TCollection::Clear() {
    if (FItems.empty()) return;
    TUpdateGuard<TCollection> Guard(*this);
    while (!FItems.empty()) FItems.back()->Free();
}

TCollectionItem* TCollection::GetItem(int Index) const {
    if (Index < 0 || Index >= GetCount())
        throw EListError("List index out of bounds (%d)", {Index});
    return FItems[Index];
}

void TCollection::SetItem(int Index, TCollectionItem* Value) {
    GetItem(Index)->Assign(Value);
}

TCollectionItem* TCollection::FindItemID(int ID) const {
    for (TCollectionItem* Item : FItems)
        if (Item->FID == ID) return Item;
    return nullptr;
}

void TCollection::BeginUpdate() {
    ++FUpdateCount;
}

void TCollection::EndUpdate() {
    --FUpdateCount;
    Changed();
}

void TCollection::Changed() {
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::InsertItem(TCollectionItem* Item) {
    FItems.push_back(Item);
    Item->FCollection = this;
    Item->FIndex = GetCount() - 1;
    Item->FID = FNextID++;
    try {
        Notify(Item, cnAdded);
    } catch (...) {
        // A refused item is not kept: the caller frees it.
        FItems.pop_back();
        Item->FCollection = nullptr;
        Item->FIndex = -1;
        throw;
    }
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
    Notify(Item, cnExtracting);
    // Notify may have moved the item; find it by its kept index.
    int Index = Item->FIndex;
    if (Index < 0 || Index >= GetCount() || FItems[Index] != Item) return;
    FItems.erase(FItems.begin() + Index);
    Reindex(Index, GetCount());
    Item->FCollection = nullptr;
    Item->FIndex = -1;
    Changed();
}

void TCollection::Reindex(int From, int To) {
    for (int I = From; I < To; ++I) FItems[I]->FIndex = I;
}

void TCollection::Reorder(const std::vector<TCollectionItem*>& Order) {
    bool Same = Order.size() == FItems.size();
    for (size_t I = 0; Same && I < Order.size(); ++I)
        Same = Order[I] && Order[I]->FCollection == this;
    std::vector<bool> Seen(FItems.size(), false);
    for (size_t I = 0; Same && I < Order.size(); ++I) {
        const int At = Order[I]->FIndex;
        Same = At >= 0 && static_cast<size_t>(At) < Seen.size() && !Seen[static_cast<size_t>(At)];
        if (Same) Seen[static_cast<size_t>(At)] = true;
    }
    if (!Same) throw EListError("Invalid reorder");
    FItems = Order;
    Reindex(0, GetCount());
}

void TCollection::Assign(TPersistent* Source) {
    auto* Src = DynamicCast<TCollection>(Source);
    if (!Src) {
        TPersistent::Assign(Source);
        return;
    }
    TUpdateGuard<TCollection> Guard(*this);
    Clear();
    for (TCollectionItem* Item : Src->FItems) Add()->Assign(Item);
}

std::string TCollection::GetPropName() const {
    TPersistent* Owner = GetOwner();
    if (!Owner) return std::string();
    for (const TPropInfo* P : GetPropList(Owner->ClassType(), TTypeKinds{tkClass}, false))
        if (GetObjectProp(Owner, P) == this) return P->Name;
    return std::string();
}

std::string TCollection::GetNamePath() const {
    TPersistent* Owner = GetOwner();
    if (!Owner) return ClassName();
    std::string S = Owner->GetNamePath();
    if (S.empty()) return ClassName();
    std::string P = GetPropName();
    if (P.empty()) return ClassName();
    return S + "." + P;
}

// ---- TOwnedCollection ----

ZK_IMPLEMENT_CLASS(TOwnedCollection)
void TOwnedCollection::DescribeClass(TClassBuilder<TOwnedCollection>&) {}

TOwnedCollection::TOwnedCollection(TPersistent* AOwner, const TClassInfo* ItemClass)
    : TCollection(ItemClass), FOwner(AOwner) {}

}  // namespace zk
