// TZkItemProps: a level of the item tree — finding, adding, sorting, change reporting, and the
// line index that lets the grid find the n-th item or line without walking the tree.
#include <algorithm>
#include <bit>

#include "itemlist/ZkItemListEditor.h"
#include "itemlist/ZkItemProp.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/Sort.h"
#include "platform/core/SysUtils.h"

namespace zk {

ZK_IMPLEMENT_CLASS(TZkItemProps)
void TZkItemProps::DescribeClass(TClassBuilder<TZkItemProps>& C) {
    C.Prop("Categories", &TZkItemProps::GetCategories, &TZkItemProps::SetCategories)
        .Stored(&TZkItemProps::IsCategoriesStored);
    C.Prop("DefaultCategoryName", &TZkItemProps::GetDefaultCategoryName,
           &TZkItemProps::SetDefaultCategoryName)
        .Stored(&TZkItemProps::IsDefaultCategoryNameStored);
}

TZkItemProps::TZkItemProps(TPersistent* AOwner, const TClassInfo* ItemClass)
    : TOwnedCollection(AOwner, ItemClass),
      FParentItem(DynamicCast<TZkItemProp>(AOwner)),
      FOwnerGrid(DynamicCast<TZkCustomItemListEditor>(AOwner)) {}

TZkItemProps::~TZkItemProps() = default;

TZkCustomItemListEditor* TZkItemProps::GetGrid() const {
    for (const TZkItemProps* C = this; C;) {
        if (C->FOwnerGrid) return C->FOwnerGrid;
        TZkItemProp* Item = C->FParentItem;
        if (!Item) return nullptr;
        C = Item->GetItemCollection();
        if (!C) C = Item->FCreationCollection;
    }
    return nullptr;
}

std::string TZkItemProps::GetPathDelimiter() const {
    TZkCustomItemListEditor* Grid = GetGrid();
    return Grid ? Grid->GetPathDelimiter() : std::string(".");
}

TZkItemProp* TZkItemProps::GetItem(int Index) const {
    return static_cast<TZkItemProp*>(TCollection::GetItem(Index));
}

// ---- change reporting ----

void TZkItemProps::Changing() {
    if (GetUpdateCount() > 0) return;
    if (TZkCustomItemListEditor* Grid = GetGrid()) Grid->ItemChanging();
}

void TZkItemProps::BeginUpdate() {
    Changing();
    TOwnedCollection::BeginUpdate();
}

void TZkItemProps::Update(TCollectionItem* Item) {
    TOwnedCollection::Update(Item);
    auto* Changed = static_cast<TZkItemProp*>(Item);
    if (TZkItemProp* Parent = GetParentItem())
        Parent->ChildUpdate(Changed);
    else if (FOwnerGrid)
        FOwnerGrid->ItemsUpdate(Changed);
}

void TZkItemProps::Notify(TCollectionItem* Item, TCollectionNotification Action) {
    auto* Prop = static_cast<TZkItemProp*>(Item);
    if (Item->GetCollection() == this) {
        if (Action != cnDeleting) Prop->SyncSizes();  // refreshes its own sizes only
        // The grid remembers its current item while the lines are still whole.
        if (Action != cnDeleting && Prop->FShownSize > 0 && LinesReachGrid())
            if (TZkCustomItemListEditor* Grid = GetGrid()) Grid->ShownLinesChanging();
        if (Action == cnAdded) {
            Prop->FItemCollection = this;
            IndexAdded(Prop);
        } else if (Action == cnExtracting) {
            IndexRemoved(Prop);
            if (Prop == FDefaultCategoryItem) FDefaultCategoryItem = nullptr;
        }
        if (Action != cnDeleting)
            if (TZkItemProp* Parent = GetParentItem()) Parent->SyncSizes();
    }
    TOwnedCollection::Notify(Item, Action);
    if (TZkItemProp* Parent = GetParentItem())
        Parent->ChildNotify(Prop, Action);
    else if (FOwnerGrid)
        FOwnerGrid->ItemNotify(Prop, Action);
}

bool TZkItemProps::LinesReachGrid() const {
    return !FParentItem || (FParentItem->GetExpanded() && FParentItem->IsShowing());
}

void TZkItemProps::ItemShownChanged(TZkItemProp* Item) {
    if (TZkItemProp* Parent = GetParentItem())
        Parent->VisibilityChanged();
    else if (FOwnerGrid)
        FOwnerGrid->ItemShownChanged(Item);
}

// ---- adding ----

TZkItemProp* TZkItemProps::AddItem() {
    Changing();
    auto* Item = static_cast<TZkItemProp*>(Add());
    TCollection::Changed();
    return Item;
}

void TZkItemProps::SetCapacity(int Count) {
    TOwnedCollection::SetCapacity(Count);
    FItemTree.reserve(static_cast<size_t>(std::max(Count, 0)));
    FShownTree.reserve(static_cast<size_t>(std::max(Count, 0)));
}

TZkItemProp* TZkItemProps::AddCategory(const std::string& Name) {
    TZkItemProp* Item = AddItem();
    Item->SetCategory(true);
    Item->SetReadOnly(true);
    Item->SetName(Name);
    return Item;
}

TZkItemProp* TZkItemProps::InsertItem(int Index) {
    Changing();
    auto* Item = static_cast<TZkItemProp*>(Insert(Index));
    TCollection::Changed();
    return Item;
}

void TZkItemProps::Assign(TPersistent* Source) {
    if (auto* Src = DynamicCast<TZkItemProps>(Source)) {
        if (Src->FCategories)
            GetCategories()->Assign(Src->FCategories.get());
        else if (FCategories)
            FCategories->Clear();
        FSorted = Src->FSorted;
        if (FCategories) FCategories->SetSorted(FSorted);
    }
    TOwnedCollection::Assign(Source);
}

// ---- finding ----

int TZkItemProps::CompareNames(const std::string& S1, const std::string& S2) const {
    if (TZkCustomItemListEditor* Grid = GetGrid()) return Grid->CompareNames(S1, S2);
    return AnsiCompareText(S1, S2);
}

int TZkItemProps::IndexOfName(const std::string& Name) const {
    for (int I = 0; I < GetCount(); ++I)
        if (CompareNames(GetItem(I)->GetName(), Name) == 0) return I;
    return -1;
}

int TZkItemProps::IndexOfCategory(const std::string& Name) const {
    for (int I = 0; I < GetCount(); ++I) {
        TZkItemProp* Item = GetItem(I);
        if (Item->GetCategory() && CompareNames(Item->GetName(), Name) == 0) return I;
    }
    return -1;
}

static void SplitPath(const std::string& Path, const std::string& Delimiter, std::string& First,
                      std::string& Rest, bool& HasRest) {
    size_t At = Delimiter.empty() ? std::string::npos : Path.find(Delimiter);
    HasRest = At != std::string::npos;
    First = HasRest ? Path.substr(0, At) : Path;
    Rest = HasRest ? Path.substr(At + Delimiter.size()) : std::string();
}

TZkItemProp* TZkItemProps::FindPath(const std::string& Path) const {
    std::string First, Rest;
    bool HasRest = false;
    SplitPath(Path, GetPathDelimiter(), First, Rest, HasRest);
    int Index = IndexOfName(First);
    if (Index < 0) return nullptr;
    TZkItemProp* Item = GetItem(Index);
    if (!HasRest) return Item;
    return Item->HasChildren() ? Item->GetItems()->FindPath(Rest) : nullptr;
}

TZkItemProp* TZkItemProps::AddPath(const std::string& Path, const std::string& ValueText,
                                   bool AlwaysAddLeaf) {
    Changing();
    TScopeExit Done([this] { TCollection::Changed(); });
    std::string First, Rest;
    bool HasRest = false;
    SplitPath(Path, GetPathDelimiter(), First, Rest, HasRest);
    int Index = (!HasRest && AlwaysAddLeaf) ? -1 : IndexOfName(First);
    TZkItemProp* Item = nullptr;
    if (Index < 0) {
        Item = AddItem();
        Item->SetName(First);
    } else {
        Item = GetItem(Index);
    }
    if (!HasRest) {
        Item->GetValues()->SetTextStr(ValueText);
        return Item;
    }
    return Item->GetItems()->AddPath(Rest, ValueText, AlwaysAddLeaf);
}

TZkItemProp* TZkItemProps::FindItem(const TVariant& Key, bool AutoCreate) {
    if (GetCount() == 0) return nullptr;
    int Index = 0;
    if (!Key.IsString() && Key.IsNumeric()) {
        Index = static_cast<int>(Key.AsInt64());
    } else {
        std::string Name = Key.AsString();
        Index = IndexOfName(Name);
        if (Index < 0) {
            if (AutoCreate) throw Exception("Property not found: %s", {Name});
            return nullptr;
        }
    }
    if (Index >= 0 && Index < GetCount()) return GetItem(Index);
    if (!AutoCreate) return nullptr;
    return InsertItem(std::clamp(Index, 0, GetCount()));
}

bool TZkItemProps::Find(const std::string& Name, int& Index) const {
    bool Found = false;
    int Low = 0;
    int High = GetCount() - 1;
    while (Low <= High) {
        int Mid = (Low + High) / 2;
        int C = CompareNames(GetItem(Mid)->GetName(), Name);
        if (C < 0) {
            Low = Mid + 1;
        } else {
            High = Mid - 1;
            if (C == 0) Found = true;
        }
    }
    Index = Low;
    return Found;
}

bool TZkItemProps::CheckUniqueName(const std::string& Name, bool RaiseError) const {
    TZkCustomItemListEditor* Grid = GetGrid();
    if (!Grid || !Grid->GetPropertyOptions().Contains(propUnique) || Name.empty()) return true;
    if (IndexOfName(Name) < 0) return true;
    if (RaiseError) throw Exception("Property name is not unique: %s", {Name});
    return false;
}

// ---- sorting ----

void TZkItemProps::SetSorted(bool Value) {
    if (Value == FSorted) return;
    if (Value) BeginUpdate();
    TScopeExit Done([this, Value] {
        if (!Value) return;
        EndUpdate();
        if (TZkCustomItemListEditor* Grid = GetGrid()) Grid->Invalidate();
    });
    for (int I = 0; I < GetCount(); ++I)
        if (TZkItemProp* Item = GetItem(I); Item->FItems) Item->FItems->SetSorted(Value);
    if (Value) Sort(true);
    FSorted = Value;
    if (FCategories) FCategories->SetSorted(Value);
}

void TZkItemProps::Sort(bool ThisLevelOnly) {
    CustomSort([this](TZkItemProp* A, TZkItemProp* B) { return CompareNames(A->GetName(), B->GetName()); },
               ThisLevelOnly);
}

void TZkItemProps::CustomSort(const TItemCompare& Compare, bool ThisLevelOnly) {
    if (FSorted || GetCount() == 0) return;
    TUpdateGuard<TZkItemProps> Guard(*this);
    // Sorted aside and put in place at once: moving items one by one costs a
    // shift of the level for every exchange.
    std::vector<TCollectionItem*> Order;
    Order.reserve(static_cast<size_t>(GetCount()));
    for (int I = 0; I < GetCount(); ++I) Order.push_back(GetItem(I));
    BoundedQuickSort(
        0, GetCount() - 1,
        [&](int I, int J) {
            return Compare(static_cast<TZkItemProp*>(Order[static_cast<size_t>(I)]),
                           static_cast<TZkItemProp*>(Order[static_cast<size_t>(J)]));
        },
        [&](int I, int J) { std::swap(Order[static_cast<size_t>(I)], Order[static_cast<size_t>(J)]); });
    Changing();
    Reorder(Order);
    InvalidateIndex();
    TCollection::Changed();
    if (ThisLevelOnly) return;
    for (int I = 0; I < GetCount(); ++I)
        if (TZkItemProp* Item = GetItem(I); Item->FItems) Item->FItems->CustomSort(Compare, false);
}

// ---- categories ----

TStringList* TZkItemProps::GetCategories() const {
    if (!FCategories) {
        FCategories.reset(Create<TStringList>());
        FCategories->SetSorted(FSorted);
    }
    return FCategories.get();
}

void TZkItemProps::SetCategories(TStringList* Value) {
    GetCategories()->Assign(Value);
}

bool TZkItemProps::IsCategoriesStored() const {
    return FCategories && FCategories->GetCount() > 0;
}

bool TZkItemProps::IsDefaultCategoryNameStored() const {
    return FDefaultCategoryName != "Miscellaneous";
}

void TZkItemProps::SetDefaultCategoryName(const std::string& Value) {
    if (Value == FDefaultCategoryName) return;
    FDefaultCategoryName = Value;
    TZkCustomItemListEditor* Grid = GetGrid();
    if (Grid && Grid->GetArrangeByCategory() && !Grid->IsLoading()) EnsureDefaultCategory();
}

void TZkItemProps::DefaultCategoryChanged(TZkItemProp* Item) {
    if (Item->GetDefaultCategory()) {
        if (FDefaultCategoryItem == Item) return;
        TZkItemProp* Old = FDefaultCategoryItem;
        FDefaultCategoryItem = Item;
        if (Old) Old->SetDefaultCategory(false);
    } else if (FDefaultCategoryItem == Item) {
        FDefaultCategoryItem = nullptr;
    }
}

TZkItemProp* TZkItemProps::EnsureDefaultCategory() {
    if (FDefaultCategoryName.empty()) return nullptr;
    int Index = IndexOfCategory(FDefaultCategoryName);
    TZkItemProp* Item = Index >= 0 ? GetItem(Index) : AddCategory(FDefaultCategoryName);
    Item->SetDefaultCategory(true);
    return Item;
}

// ---- line index ----
// Fenwick trees over the items' subtree sizes (all items, shown lines): the
// prefix of the first k entries is where item k's subtree starts. Appending
// keeps them valid; moves and removals in the middle mark them for a rebuild
// on the next look-up, which costs one pass over this level only.

namespace {

void FenwickAdd(std::vector<int>& Tree, int Index, int Delta) {
    for (size_t I = static_cast<size_t>(Index) + 1; I <= Tree.size(); I += I & (~I + 1))
        Tree[I - 1] += Delta;
}

int FenwickPrefix(const std::vector<int>& Tree, int Count) {
    int Sum = 0;
    for (size_t I = static_cast<size_t>(Count); I > 0; I -= I & (~I + 1)) Sum += Tree[I - 1];
    return Sum;
}

void FenwickAppend(std::vector<int>& Tree, int Value) {
    size_t N = Tree.size() + 1;  // 1-based position of the new entry
    size_t Low = N & (~N + 1);
    Tree.push_back(Value + FenwickPrefix(Tree, static_cast<int>(N - 1)) -
                   FenwickPrefix(Tree, static_cast<int>(N - Low)));
}

// The entry holding position Offset (0-based); Offset becomes the position inside it.
int FenwickLocate(const std::vector<int>& Tree, int& Offset) {
    size_t Pos = 0;
    int Rest = Offset;
    for (size_t Step = std::bit_floor(Tree.size()); Step; Step >>= 1)
        if (Pos + Step <= Tree.size() && Tree[Pos + Step - 1] <= Rest) {
            Pos += Step;
            Rest -= Tree[Pos - 1];
        }
    Offset = Rest;
    return static_cast<int>(Pos);
}

}  // namespace

// The trees are usable while they have one entry per item. An item being
// extracted stays in the list (at size 0) until the collection erases it,
// and a tree built meanwhile no longer fits once it is gone.
bool TZkItemProps::IndexUsable() const {
    return FIndexValid && static_cast<int>(FItemTree.size()) == GetCount();
}

void TZkItemProps::IndexAdded(TZkItemProp* Item) {
    Item->FInLineIndex = true;
    FTotalItems += Item->FIndexedSize;
    FTotalShown += Item->FShownSize;
    if (!FIndexValid) return;
    // The item is in the list already, so a fitting tree is one entry short.
    if (Item->GetIndex() != static_cast<int>(FItemTree.size()) ||
        static_cast<int>(FItemTree.size()) + 1 != GetCount()) {
        FIndexValid = false;
        return;
    }
    FenwickAppend(FItemTree, Item->FIndexedSize);
    FenwickAppend(FShownTree, Item->FShownSize);
}

void TZkItemProps::IndexRemoved(TZkItemProp* Item) {
    if (!Item->FInLineIndex) return;
    Item->FInLineIndex = false;
    FTotalItems -= Item->FIndexedSize;
    FTotalShown -= Item->FShownSize;
    if (!IndexUsable()) {
        FIndexValid = false;
        return;
    }
    // The last entry depends on no other, so it can simply go.
    if (Item->GetIndex() == static_cast<int>(FItemTree.size()) - 1) {
        FItemTree.pop_back();
        FShownTree.pop_back();
    } else {
        FIndexValid = false;
    }
}

void TZkItemProps::IndexResized(TZkItemProp* Item, int DeltaItems, int DeltaShown) {
    FTotalItems += DeltaItems;
    FTotalShown += DeltaShown;
    if (!IndexUsable()) {
        FIndexValid = false;
        return;
    }
    int Index = Item->GetIndex();
    if (Index < 0 || Index >= static_cast<int>(FItemTree.size())) {
        FIndexValid = false;
        return;
    }
    if (DeltaItems) FenwickAdd(FItemTree, Index, DeltaItems);
    if (DeltaShown) FenwickAdd(FShownTree, Index, DeltaShown);
}

void TZkItemProps::EnsureIndex() const {
    if (IndexUsable()) return;
    size_t N = static_cast<size_t>(GetCount());
    FItemTree.assign(N, 0);
    FShownTree.assign(N, 0);
    for (size_t I = 0; I < N; ++I) {
        TZkItemProp* Item = GetItem(static_cast<int>(I));
        if (Item->FInLineIndex) {
            FItemTree[I] += Item->FIndexedSize;
            FShownTree[I] += Item->FShownSize;
        }
        size_t Up = (I + 1) + ((I + 1) & (~(I + 1) + 1));
        if (Up <= N) {
            FItemTree[Up - 1] += FItemTree[I];
            FShownTree[Up - 1] += FShownTree[I];
        }
    }
    FIndexValid = true;
}

void TZkItemProps::RecountShown() {
    int Total = 0;
    for (int I = 0, Count = GetCount(); I < Count; ++I) {
        TZkItemProp* Item = GetItem(I);
        TZkItemProps* Children = Item->FItems.get();
        if (Children) Children->RecountShown();
        if (!Item->FInLineIndex) continue;
        const bool Open = Item->FExpandedFlag && Children && Children->GetCount() > 0;
        Item->FShownSize = Item->LineShown() ? 1 + (Open ? Children->FTotalShown : 0) : 0;
        Total += Item->FShownSize;
    }
    FTotalShown = Total;
    InvalidateIndex();
}

TZkItemProp* TZkItemProps::LocateItem(int& Offset) const {
    if (Offset < 0 || Offset >= FTotalItems) return nullptr;
    EnsureIndex();
    int Index = FenwickLocate(FItemTree, Offset);
    return Index < GetCount() ? GetItem(Index) : nullptr;
}

TZkItemProp* TZkItemProps::LocateShown(int& Offset) const {
    if (Offset < 0 || Offset >= FTotalShown) return nullptr;
    EnsureIndex();
    int Index = FenwickLocate(FShownTree, Offset);
    return Index < GetCount() ? GetItem(Index) : nullptr;
}

int TZkItemProps::ItemsBefore(const TZkItemProp* Item) const {
    EnsureIndex();
    return FenwickPrefix(FItemTree, Item->GetIndex());
}

int TZkItemProps::ShownBefore(const TZkItemProp* Item) const {
    EnsureIndex();
    return FenwickPrefix(FShownTree, Item->GetIndex());
}

}  // namespace zk
