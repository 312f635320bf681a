// TList and TThreadList.
#include "platform/core/List.h"

#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/core/SysUtils.h"

namespace zk {

ZK_IMPLEMENT_CLASS(TList)
void TList::DescribeClass(TClassBuilder<TList>&) {}

TList::~TList() {
    FItems.clear();
}

void TList::Error(const char* Msg, int Data) {
    throw EListError(Msg, {Data});
}

void TList::SetCount(int NewCount) {
    if (NewCount < 0) Error("List count out of bounds (%d)", NewCount);
    if (NewCount < GetCount())
        for (int I = GetCount() - 1; I >= NewCount; --I) Delete(I);
    else
        FItems.resize(NewCount, nullptr);
}

void TList::SetCapacity(int NewCapacity) {
    if (NewCapacity < GetCount()) Error("List capacity out of bounds (%d)", NewCapacity);
    FItems.reserve(NewCapacity);
}

void* TList::Get(int Index) const {
    if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
    return FItems[Index];
}

void TList::Put(int Index, void* Item) {
    if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
    void* Old = FItems[Index];
    if (Old == Item) return;
    FItems[Index] = Item;
    if (Old) Notify(Old, lnDeleted);
    if (Item) Notify(Item, lnAdded);
}

int TList::Add(void* Item) {
    FItems.push_back(Item);
    if (Item) Notify(Item, lnAdded);
    return GetCount() - 1;
}

void TList::Insert(int Index, void* Item) {
    if (Index < 0 || Index > GetCount()) Error("List index out of bounds (%d)", Index);
    FItems.insert(FItems.begin() + Index, Item);
    if (Item) Notify(Item, lnAdded);
}

void TList::Delete(int Index) {
    if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
    void* Item = FItems[Index];
    FItems.erase(FItems.begin() + Index);
    if (Item) Notify(Item, lnDeleted);
}

int TList::Remove(void* Item) {
    int Index = IndexOf(Item);
    if (Index >= 0) Delete(Index);
    return Index;
}

void* TList::Extract(void* Item) {
    int Index = IndexOf(Item);
    if (Index < 0) return nullptr;
    FItems.erase(FItems.begin() + Index);
    Notify(Item, lnExtracted);
    return Item;
}

void TList::Clear() {
    while (!FItems.empty()) Delete(GetCount() - 1);
    FItems.shrink_to_fit();
}

int TList::IndexOf(const void* Item) const {
    auto It = std::find(FItems.begin(), FItems.end(), Item);
    return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TList::Exchange(int Index1, int Index2) {
    if (Index1 < 0 || Index1 >= GetCount()) Error("List index out of bounds (%d)", Index1);
    if (Index2 < 0 || Index2 >= GetCount()) Error("List index out of bounds (%d)", Index2);
    std::swap(FItems[Index1], FItems[Index2]);
}

void TList::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    if (NewIndex < 0 || NewIndex >= GetCount()) Error("List index out of bounds (%d)", NewIndex);
    void* Item = Get(CurIndex);
    FItems.erase(FItems.begin() + CurIndex);
    FItems.insert(FItems.begin() + NewIndex, Item);
}

void* TList::First() const {
    return Get(0);
}
void* TList::Last() const {
    return Get(GetCount() - 1);
}

void TList::Pack() {
    for (int I = GetCount() - 1; I >= 0; --I)
        if (!FItems[I]) Delete(I);
}

void TList::Sort(const std::function<int(void*, void*)>& Compare) {
    std::stable_sort(FItems.begin(), FItems.end(),
                     [&](void* A, void* B) { return Compare(A, B) < 0; });
}

void TList::Assign(const TList* Source) {
    Clear();
    if (!Source) return;
    FItems.reserve(Source->FItems.size());
    for (void* Item : Source->FItems) Add(Item);
}

void TList::Notify(void*, TListNotification) {}

ZK_IMPLEMENT_CLASS(TThreadList)
void TThreadList::DescribeClass(TClassBuilder<TThreadList>&) {}

void TThreadList::Add(void* Item) {
    TLock L(*this);
    if (FDuplicates == dupAccept || L->IndexOf(Item) < 0)
        L->Add(Item);
    else if (FDuplicates == dupError)
        throw EListError("List does not allow duplicates ($0%x)",
                         {static_cast<int64_t>(reinterpret_cast<intptr_t>(Item))});
}

void TThreadList::Remove(void* Item) {
    TLock L(*this);
    L->Remove(Item);
}

void TThreadList::Clear() {
    TLock L(*this);
    L->Clear();
}

TList* TThreadList::LockList() {
    FLock.lock();
    return &FList;
}

void TThreadList::UnlockList() {
    FLock.unlock();
}

}  // namespace zk
