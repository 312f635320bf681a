// TZkItemProp: one node of the item tree, its derived values, fonts and change reporting.
#include "itemlist/ZkItemProp.h"

#include <array>
#include <new>
#include <vector>

#include "itemlist/ZkDeltaFont.h"
#include "itemlist/ZkItemListEditor.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/SysUtils.h"

namespace zk {

// ---- the item pool ----

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool PoolItems = false;  // every block on the heap, so that a stale item is caught
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool PoolItems = false;
#else
constexpr bool PoolItems = true;
#endif
#else
constexpr bool PoolItems = true;
#endif

// Blocks of the sizes items have, kept for the next items instead of going
// back to the heap, whose free path is slow for blocks of this size. A few
// sizes (one per item class), at most MaxBlocks of each; the rest is freed.
class TItemPool {
public:
    ~TItemPool() {
        Gone = true;
        for (TBin& Bin : FBins)
            for (void* Block : Bin.Blocks) ::operator delete(Block);
    }
    void* Take(std::size_t Size) {
        for (TBin& Bin : FBins)
            if (Bin.Size == Size && !Bin.Blocks.empty()) {
                void* Block = Bin.Blocks.back();
                Bin.Blocks.pop_back();
                return Block;
            }
        return ::operator new(Size);
    }
    void Give(void* Block, std::size_t Size) {
        for (TBin& Bin : FBins) {
            if (Bin.Size == 0) Bin.Size = Size;
            if (Bin.Size != Size) continue;
            if (Bin.Blocks.size() < MaxBlocks) {
                Bin.Blocks.push_back(Block);
                return;
            }
            break;
        }
        ::operator delete(Block);
    }
    // Set once this thread's pool is destroyed: items freed later go to the heap.
    static inline thread_local bool Gone = false;

private:
    struct TBin {
        std::size_t Size = 0;
        std::vector<void*> Blocks;
    };
    static constexpr std::size_t MaxBlocks = 2048;
    std::array<TBin, 6> FBins;
};

TItemPool& ItemPool() {
    static thread_local TItemPool Pool;
    return Pool;
}

}  // namespace

void* TZkItemProp::operator new(std::size_t Size) {
    return PoolItems && !TItemPool::Gone ? ItemPool().Take(Size) : ::operator new(Size);
}

void TZkItemProp::operator delete(void* Block, std::size_t Size) {
    if (PoolItems && !TItemPool::Gone)
        ItemPool().Give(Block, Size);
    else
        ::operator delete(Block);
}

void* TZkItemPropValueStrings::operator new(std::size_t Size) {
    return TZkItemProp::operator new(Size);
}

void TZkItemPropValueStrings::operator delete(void* Block, std::size_t Size) {
    TZkItemProp::operator delete(Block, Size);
}

// An item's font reports its changes straight to the item; an event binding
// per font would cost two heap blocks for every item of a big tree.
// The pick list tells its item of changes itself: an event binding per list
// would cost more than the list while it holds "False" and "True".
class TZkItemProp::TItemPickList : public TStringList {
public:
    explicit TItemPickList(TZkItemProp* AItem) : FItem(AItem) {}

protected:
    void Changed() override {
        TStringList::Changed();
        if (GetUpdateCount() == 0) FItem->PickListChanged(this);
    }

private:
    TZkItemProp* FItem;  // owns this list
};

class TZkItemProp::TItemFont : public TFont {
public:
    // Changes made while Item is still null (the first copy) are not the item's.
    void SetItem(TZkItemProp* AItem) { FItem = AItem; }

protected:
    void Changed() override {
        if (FItem) FItem->FontChanged(this);
        TFont::Changed();
    }

private:
    TZkItemProp* FItem = nullptr;  // owns this font
};

struct TZkItemProp::TExtras {
    std::string Hint;
    std::string EditMask;
    TNotifyEvent OnEditButtonClick;
    TZkGetPickListEvent OnGetPickList;
    TZkOnValidateEvent OnValidate;
};

const TZkItemProp::TExtras& TZkItemProp::NoExtras() {
    static const TExtras None;
    return None;
}

namespace {

// The font of items outside any grid.
TFont* DefaultItemFont() {
    static TFont* Font = Create<TFont>();
    return Font;
}

}  // namespace

ZK_IMPLEMENT_CLASS(TZkItemProp)
void TZkItemProp::DescribeClass(TClassBuilder<TZkItemProp>& C) {
    C.Prop("Font", &TZkItemProp::GetFont, &TZkItemProp::SetFont).Stored(&TZkItemProp::IsFontStored);
    C.Prop("ValueFont", &TZkItemProp::GetValueFont, &TZkItemProp::SetValueFont)
        .Stored(&TZkItemProp::IsValueFontStored);
    C.Prop("ParentFont", &TZkItemProp::GetParentFont, &TZkItemProp::SetParentFont).Default(true);
    C.Prop("ParentValueFont", &TZkItemProp::GetParentValueFont, &TZkItemProp::SetParentValueFont)
        .Default(true);
    C.Prop("Category", &TZkItemProp::GetCategory, &TZkItemProp::SetCategory).Default(false);
    C.Prop("DefaultCategory", &TZkItemProp::GetDefaultCategory, &TZkItemProp::SetDefaultCategory)
        .Default(false);
    C.Prop("Expanded", &TZkItemProp::GetExpanded, &TZkItemProp::SetExpanded).Default(false);
    C.Prop("Enabled", &TZkItemProp::GetEnabled, &TZkItemProp::SetEnabled).Default(true);
    C.Prop("Name", &TZkItemProp::GetName, &TZkItemProp::SetName);
    C.Prop("Value", &TZkItemProp::GetValue, &TZkItemProp::SetValue);
    C.Prop("Values", &TZkItemProp::GetValues, &TZkItemProp::SetValues);
    C.Prop("Hint", &TZkItemProp::GetHint, &TZkItemProp::SetHint);
    C.Prop("ReadOnly", &TZkItemProp::GetReadOnly, &TZkItemProp::SetReadOnly).Default(false);
    C.Prop("Visible", &TZkItemProp::GetVisible, &TZkItemProp::SetVisible).Default(true);
    C.Prop("EditStyle", &TZkItemProp::GetEditStyle, &TZkItemProp::SetEditStyle).Default(esSimple);
    C.Prop("EditMask", &TZkItemProp::GetEditMask, &TZkItemProp::SetEditMask);
    C.Prop("OnEditButtonClick", &TZkItemProp::GetOnEditButtonClick,
           &TZkItemProp::SetOnEditButtonClick);
    C.Prop("OnGetPickList", &TZkItemProp::GetOnGetPickList, &TZkItemProp::SetOnGetPickList);
    C.Prop("OnValidate", &TZkItemProp::GetOnValidate, &TZkItemProp::SetOnValidate);
    C.Prop("PickList", &TZkItemProp::GetPickList, &TZkItemProp::SetPickList);
    C.Prop("ExpressionMask", &TZkItemProp::GetExpressionMask, &TZkItemProp::SetExpressionMask)
        .NoDefault();
    C.Prop("Items", &TZkItemProp::GetItems, &TZkItemProp::SetItems)
        .Stored(&TZkItemProp::IsItemsStored);
    C.Prop("Tag", &TZkItemProp::GetTag, &TZkItemProp::SetTag).NoDefault();
}

TZkItemProp::TZkItemProp(TCollection* Collection)
    : TCollectionItem(Collection), FCreationCollection(DynamicCast<TZkItemProps>(Collection)) {
    // Fonts follow without copies; only under a category heading, whose font
    // an ordinary item does not follow, the item takes a copy of it.
    TZkItemProp* Parent = FCreationCollection ? FCreationCollection->GetParentItem() : nullptr;
    if (Parent && Parent->FCategory) EnsureFont()->Assign(Parent->CurrentFont());
    FParentFont = true;
    FParentValueFont = true;
    FEnabled = true;
    FValues.reset(new TZkItemPropValueStrings(this));
}

TZkItemProp::~TZkItemProp() = default;

void TZkItemProp::AfterConstruction() {
    FReadOnlyFlag = false;
    FEditStyle = esSimple;
    // Joins its collection visible already: the line index and the grid hear of it once.
    FVisibleFlag = true;
    TCollectionItem::AfterConstruction();
    FCreationCollection = nullptr;
}

void TZkItemProp::BeforeDestruction() {
    // Children leave while this item still hangs in the tree, hidden, so every
    // ancestor and the grid hear of each of them. A leaf leaves in one step.
    if (FItems && FItems->GetCount() > 0) {
        SetVisible(false);
        FItems.reset();
    }
    TCollectionItem::BeforeDestruction();
}

// ---- tree position ----

TZkItemProps* TZkItemProp::ForeignCollection() const {
    TCollection* C = GetCollection();
    return C ? DynamicCast<TZkItemProps>(C) : nullptr;
}

TZkItemProp* TZkItemProp::GetParentItem() const {
    TZkItemProps* C = GetItemCollection();
    return C ? C->GetParentItem() : nullptr;
}

TZkCustomItemListEditor* TZkItemProp::GetGrid() const {
    TZkItemProps* C = GetItemCollection();
    if (!C) C = FCreationCollection;
    return C ? C->GetGrid() : nullptr;
}

int TZkItemProp::GetLevel() const {
    int Level = 0;
    for (TZkItemProp* P = GetParentItem(); P; P = P->GetParentItem()) ++Level;
    return Level;
}

TZkItemProps* TZkItemProp::GetItems() const {
    if (!FItems) {
        TZkCustomItemListEditor* Grid = GetGrid();
        auto* Self = const_cast<TZkItemProp*>(this);
        FItems.reset(Grid ? Grid->CreateItemCollection(Self) : Self->CreateItems());
        ItemsCollectionCreated(FItems.get());
    }
    return FItems.get();
}

void TZkItemProp::ItemsCollectionCreated(TZkItemProps* Items) const {
    TZkItemProps* Own = GetItemCollection();
    TZkCustomItemListEditor* Grid = GetGrid();
    Items->FSorted = Own ? Own->GetSorted() : (Grid && Grid->GetSorted());
    if (Items->FCategories) Items->FCategories->SetSorted(Items->FSorted);
}

TZkItemProps* TZkItemProp::CreateItems() {
    return Create<TZkItemProps>(static_cast<TPersistent*>(this), TZkItemProp::StaticClass());
}

void TZkItemProp::SetItems(TZkItemProps* Value) {
    GetItems()->Assign(Value);
}

bool TZkItemProp::IsItemsStored() const {
    return HasChildren() || (FItems && (FItems->IsCategoriesStored() || FItems->IsDefaultCategoryNameStored()));
}

// ---- derived values ----

bool TZkItemProp::GetReadOnly() const {
    return FReadOnlyFlag || !FEnabled;
}

bool TZkItemProp::GetVisible() const {
    return FVisibleFlag;
}

bool TZkItemProp::GetExpanded() const {
    return FExpandedFlag && HasChildren();
}

bool TZkItemProp::HasChildren() const {
    return FItems && FItems->GetCount() > 0;
}

int TZkItemProp::GetShownCount() const {
    return FShownSize > 0 && GetExpanded() ? FItems->GetTotalShown() : 0;
}

std::string TZkItemProp::GetValue() const {
    TZkCustomItemListEditor* Grid = GetGrid();
    if (Grid && Grid->GetCurrentItem() == this) {
        int Col = Grid->GetLogical(lwColumn);
        if (Col > 0) return Col - 1 < FValues->GetCount() || Col - 1 < Grid->GetValueColCount()
                                ? FValues->Get(Col - 1)
                                : std::string();
    }
    return FValues->GetValueText();
}

void TZkItemProp::SetValue(const std::string& Value) {
    // The current line takes the value into the current value column.
    TZkCustomItemListEditor* Grid = GetGrid();
    // Only a line on show can be current; asking the shown lines costs more than asking the item.
    if (const int Col = Grid ? Grid->GetLogical(lwColumn) : 0;
        Col > 0 && IsShowing() && Grid->GetCurrentItem() == this) {
        if (Col - 1 < Grid->GetValueColCount()) FValues->Get(Col - 1);  // fits the list
        while (FValues->GetCount() < Col) FValues->Add(std::string());
        FValues->Put(Col - 1, Value);
        return;
    }
    FValues->SetTextStr(Value);
}

void TZkItemProp::SetValues(TStrings* Value) {
    if (auto* Src = DynamicCast<TStringList>(Value))
        FValues->SetTextStr(Src->GetTextStr());  // the source may be fitted to a grid while read
    else
        FValues->Assign(Value);
}

std::string TZkItemProp::GetDisplayName() const {
    return FName + "=" + FValues->GetValueText();
}

std::string TZkItemProp::GetFullName() const {
    TZkItemProp* Parent = GetParentItem();
    if (!Parent) return FName;
    TZkItemProps* C = GetItemCollection();
    return Parent->GetFullName() + C->GetPathDelimiter() + FName;
}

bool TZkItemProp::IsValueEmpty() const {
    return Trim(FValues->GetTextStr()).empty();
}

// ---- the shown rule ----

bool TZkItemProp::IsShownHere() const {
    if (!FVisibleFlag) return false;
    if (FCategory || !GetReadOnly()) return true;
    TZkCustomItemListEditor* Grid = GetGrid();
    return !Grid || Grid->GetDisplayOptions().Contains(doShowReadOnly);
}

bool TZkItemProp::IsShowing() const {
    if (!LineShown()) return false;
    for (TZkItemProp* P = GetParentItem(); P; P = P->GetParentItem())
        if (!P->GetExpanded() || !P->LineShown()) return false;
    return true;
}

// Sizes are pushed up at once, level by level, so the line index is
// consistent whenever anyone reads it, also in the middle of a notification.
void TZkItemProp::SyncSizes() {
    bool Announced = false;
    for (TZkItemProp* Item = this; Item;) {
        const int Children = Item->FItems ? Item->FItems->GetTotalItems() : 0;
        const int NewItems = 1 + Children;
        const int NewShown =
            Item->LineShown() ? 1 + (Item->GetExpanded() ? Item->FItems->GetTotalShown() : 0) : 0;
        const int DeltaItems = NewItems - Item->FIndexedSize;
        const int DeltaShown = NewShown - Item->FShownSize;
        Item->FDescendantCount = Children;
        if (!DeltaItems && !DeltaShown) return;
        if (DeltaShown && !Announced && Item->FInLineIndex) {
            if (Item->GetItemCollection()->LinesReachGrid())
                if (TZkCustomItemListEditor* Grid = Item->GetGrid()) Grid->ShownLinesChanging();
            Announced = true;
        }
        Item->FIndexedSize = NewItems;
        Item->FShownSize = NewShown;
        if (!Item->FInLineIndex) return;
        Item->GetItemCollection()->IndexResized(Item, DeltaItems, DeltaShown);
        Item = Item->GetParentItem();
    }
}

void TZkItemProp::VisibilityChanged() {
    SyncSizes();
    if (TZkItemProps* C = GetItemCollection()) C->ItemShownChanged(this);
}

void TZkItemProp::ChildNotify(TZkItemProp* Item, TCollectionNotification Action) {
    // The descendant count is kept with the line index (SyncSizes), which the
    // child's collection brought up to date before it told this item.
    if (TZkItemProps* C = GetItemCollection()) C->Notify(Item, Action);
}

void TZkItemProp::ChildUpdate(TZkItemProp* Item) {
    if (TZkItemProps* C = GetItemCollection()) C->Update(Item);
}

// ---- change reporting ----

void TZkItemProp::Changing() {
    if (TZkItemProps* C = GetItemCollection(); C && C->GetUpdateCount() > 0) return;
    TZkCustomItemListEditor* Grid = GetGrid();
    if (!Grid || Grid->IsUpdating()) return;
    Grid->ItemChanging();
}

void TZkItemProp::RepaintLine() const {
    TZkCustomItemListEditor* Grid = GetGrid();
    if (!Grid || !Grid->HandleAllocated()) return;
    // Finding the line is dear in a long list; a bracket repaints once when it closes.
    if (Grid->IsUpdating()) {
        Grid->RepaintWhenUpdated();
        return;
    }
    if (!IsShowing()) return;
    int Index = Grid->GetShownItems().IndexOf(this);
    if (Index < 0) return;
    TGridCoord Cell = Grid->CellOf(0, Index + Grid->GetLogical(lwFixedLines));
    if (Grid->GetOrientation() == goVertical)
        Grid->InvalidateRow(Cell.Y);
    else
        Grid->InvalidateCol(Cell.X);
}

// ---- setters ----

void TZkItemProp::SetName(const std::string& Value) {
    if (Value == FName) return;
    if (TZkItemProps* C = GetItemCollection()) {
        // Only a unique-name grid cares who else has the name; skip the scan otherwise.
        if (!C->CheckUniqueName(Value, false)) {
            int Index = C->IndexOfName(Value);
            if (Index >= 0 && C->GetItem(Index) != this) C->CheckUniqueName(Value, true);
        }
    }
    Changing();
    NameChanging(Value);
    FName = Value;
    RepaintLine();
    Changed(false);
}

void TZkItemProp::NameChanging(const std::string& NewName) {
    TZkCustomItemListEditor* Grid = GetGrid();
    if (!FCategory && Grid && Grid->GetArrangeByCategory()) {
        TZkItemProp* Target = Grid->GetCategoryItem(this, NewName);
        if (Target && Target != GetParentItem()) SetCollection(Target->GetItems());
    }
    PlaceByName(NewName);
}

void TZkItemProp::PlaceByName(const std::string& Name) {
    TZkItemProps* C = GetItemCollection();
    if (!C || !C->GetSorted()) return;
    // A stream holds the order the items had; a level that was not sorted stays so.
    if (TZkCustomItemListEditor* Grid = C->GetGrid(); Grid && Grid->IsLoading()) return;
    // Items added in order (a scan lists properties by name) stay where they were added.
    const int Last = C->GetCount() - 1;
    if (GetIndex() == Last && (Last == 0 || C->CompareNames(C->GetItem(Last - 1)->GetName(), Name) < 0))
        return;
    int Index = 0;
    C->Find(Name, Index);
    if (Index > GetIndex()) --Index;
    if (Index != GetIndex()) SetIndex(Index);
}

// ---- extras ----

TZkItemProp::TExtras& TZkItemProp::Extras() {
    if (!FExtras) FExtras = std::make_unique<TExtras>();
    return *FExtras;
}

const std::string& TZkItemProp::GetHint() const {
    return (FExtras ? *FExtras : NoExtras()).Hint;
}

const std::string& TZkItemProp::GetEditMask() const {
    return (FExtras ? *FExtras : NoExtras()).EditMask;
}

const TNotifyEvent& TZkItemProp::GetOnEditButtonClick() const {
    return (FExtras ? *FExtras : NoExtras()).OnEditButtonClick;
}

void TZkItemProp::SetOnEditButtonClick(const TNotifyEvent& Value) {
    if (FExtras || Value.Assigned()) Extras().OnEditButtonClick = Value;
}

const TZkGetPickListEvent& TZkItemProp::GetOnGetPickList() const {
    return (FExtras ? *FExtras : NoExtras()).OnGetPickList;
}

void TZkItemProp::SetOnGetPickList(const TZkGetPickListEvent& Value) {
    if (FExtras || Value.Assigned()) Extras().OnGetPickList = Value;
}

const TZkOnValidateEvent& TZkItemProp::GetOnValidate() const {
    return (FExtras ? *FExtras : NoExtras()).OnValidate;
}

void TZkItemProp::SetOnValidate(const TZkOnValidateEvent& Value) {
    if (FExtras || Value.Assigned()) Extras().OnValidate = Value;
}

void TZkItemProp::SetHint(const std::string& Value) {
    if (Value == GetHint()) return;
    Extras().Hint = Value;
    Changed(false);
}

void TZkItemProp::SetEditStyle(TEditStyle Value) {
    if (Value == FEditStyle) return;
    FEditStyle = Value;
    Changed(false);
}

void TZkItemProp::SetEditMask(const std::string& Value) {
    if (Value == GetEditMask()) return;
    Extras().EditMask = Value;
    Changed(false);
}

void TZkItemProp::SetExpressionMask(bool Value) {
    if (Value == FExpressionMask) return;
    FExpressionMask = Value;
    Changed(false);
}

void TZkItemProp::SetReadOnly(bool Value) {
    if (Value == GetReadOnly()) return;
    FReadOnlyFlag = Value;
    TZkCustomItemListEditor* Grid = GetGrid();
    if (Grid && !Grid->GetDisplayOptions().Contains(doShowReadOnly)) VisibilityChanged();
    Changed(false);
}

void TZkItemProp::SetVisible(bool Value) {
    if (Value == FVisibleFlag) return;
    FVisibleFlag = Value;
    VisibilityChanged();
}

void TZkItemProp::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    bool WasShown = IsShownHere();
    FEnabled = Value;
    // Disabled reads as read-only, which may hide the line.
    if (IsShownHere() != WasShown) VisibilityChanged();
    RepaintLine();
    Changed(false);
}

void TZkItemProp::SetExpanded(bool Value) {
    if (Value == GetExpanded()) return;
    if (Value)
        Expand();
    else
        Collapse();
}

void TZkItemProp::SetCategory(bool Value) {
    if (Value == FCategory) return;
    bool WasShown = IsShownHere();
    KeepChildFonts(Value);
    FCategory = Value;
    if (!Value) SetDefaultCategory(false);
    if (IsShownHere() != WasShown) VisibilityChanged();
    ParentFontChanged(nullptr);
    Changed(false);
}

void TZkItemProp::SetDefaultCategory(bool Value) {
    if (Value == FDefaultCategory) return;
    FDefaultCategory = Value;
    if (Value) SetCategory(true);
    if (TZkItemProps* C = GetItemCollection()) C->DefaultCategoryChanged(this);
}

void TZkItemProp::SetData(int Value) {
    if (Value == FData) return;
    FData = Value;
    Changed(false);
}

void TZkItemProp::SetIndex(int Value) {
    TZkItemProps* C = GetItemCollection();
    if (!C || Value == GetIndex()) return;
    // Its lines move: the grid remembers its current item to follow it.
    if (FInLineIndex && FShownSize > 0 && C->LinesReachGrid())
        if (TZkCustomItemListEditor* Grid = GetGrid()) Grid->ShownLinesChanging();
    C->InvalidateIndex();
    TCollectionItem::SetIndex(Value);
}

void TZkItemProp::SetCollection(TCollection* Value) {
    if (Value == GetCollection()) return;
    const bool Moving = GetCollection() != nullptr;
    // Never into its own subtree: the item would own itself. Without children it has none.
    for (auto* C = FItems ? DynamicCast<TZkItemProps>(Value) : nullptr; C;) {
        TZkItemProp* P = C->GetParentItem();
        if (P == this) throw EListError("Invalid property value (%s)", {ClassName()});
        C = P ? P->GetItemCollection() : nullptr;
    }
    // Under a parent of the other kind (a category heading over an ordinary
    // item, or the reverse) the item keeps the font it shows now.
    if (auto* Items = DynamicCast<TZkItemProps>(Value); Items && !FFont)
        if (TZkItemProp* NewParent = Items->GetParentItem(); NewParent && NewParent->FCategory != FCategory)
            EnsureFont();
    TCollectionItem::SetCollection(Value);
    if (Moving) PlaceByName(FName);  // a sorted collection stays sorted
}

// ---- pick list ----

TStringList* TZkItemProp::GetPickList() const {
    if (!FPickList) {
        FPickList.reset(Create<TItemPickList>(const_cast<TZkItemProp*>(this)));
    }
    return FPickList.get();
}

void TZkItemProp::SetPickList(TStringList* Value) {
    GetPickList()->Assign(Value);
}

void TZkItemProp::PickListChanged(TObject*) {
    bool Empty = !FPickList || FPickList->GetCount() == 0;
    if (FEditStyle == esSimple && !Empty)
        SetEditStyle(esPickList);
    else if (FEditStyle == esPickList && Empty)
        SetEditStyle(esSimple);
}

// ---- fonts ----

TFont* TZkItemProp::TopFont() const {
    TZkCustomItemListEditor* Grid = GetGrid();
    if (!Grid) return DefaultItemFont();
    return FCategory ? static_cast<TFont*>(Grid->GetCategoryFont()) : Grid->GetFont();
}

TFont* TZkItemProp::CurrentFont() const {
    if (FFont) return FFont.get();
    TZkItemProp* Parent = GetParentItem();
    return Parent && Parent->FCategory == FCategory ? Parent->CurrentFont() : TopFont();
}

TFont* TZkItemProp::CurrentValueFont() const {
    if (FValueFont) return FValueFont.get();
    if (TZkItemProp* Parent = GetParentItem()) return Parent->CurrentValueFont();
    TZkCustomItemListEditor* Grid = GetGrid();
    return Grid ? static_cast<TFont*>(Grid->GetValueFont()) : DefaultItemFont();
}

TFont* TZkItemProp::EnsureFont() const {
    if (!FFont) {
        auto* Font = new TItemFont;
        Font->Assign(CurrentFont());
        Font->SetItem(const_cast<TZkItemProp*>(this));
        FFont.reset(Font);
    }
    return FFont.get();
}

TFont* TZkItemProp::EnsureValueFont() const {
    if (!FValueFont) {
        auto* Font = new TItemFont;
        Font->Assign(CurrentValueFont());
        Font->SetItem(const_cast<TZkItemProp*>(this));
        FValueFont.reset(Font);
    }
    return FValueFont.get();
}

TFont* TZkItemProp::GetFont() const {
    return EnsureFont();
}

TFont* TZkItemProp::GetValueFont() const {
    return EnsureValueFont();
}

TFont* TZkItemProp::GetColumnValueFont(int) const {
    return CurrentValueFont();
}

void TZkItemProp::SetFont(TFont* Value) {
    EnsureFont()->Assign(Value);
}

void TZkItemProp::SetValueFont(TFont* Value) {
    EnsureValueFont()->Assign(Value);
}

bool TZkItemProp::IsFontStored() const {
    TZkItemProp* Parent = GetParentItem();
    return !FParentFont || (Parent && Parent->FCategory != FCategory);
}

bool TZkItemProp::IsValueFontStored() const {
    return !FParentValueFont;
}

void TZkItemProp::FontChanged(TFont* Sender) {
    if (Sender == FFont.get()) {
        FParentFont = false;
        if (FItems)
            for (int I = 0; I < FItems->GetCount(); ++I) FItems->GetItem(I)->ParentFontChanged(this);
    } else if (Sender == FValueFont.get()) {
        FParentValueFont = false;
        if (FItems)
            for (int I = 0; I < FItems->GetCount(); ++I) FItems->GetItem(I)->ParentValueFontChanged();
    }
    if (FShownSize > 0) RepaintLine();
    Changed(false);
}

// An item without a copy follows by itself; it repaints and passes the news
// on to descendants that keep copies.
void TZkItemProp::ParentFontChanged(TZkItemProp* Source) {
    if (!FParentFont) return;
    TZkItemProp* Parent = GetParentItem();
    const bool Follows = Source ? Source->FCategory == FCategory
                                : !Parent || Parent->FCategory == FCategory;
    if (Source && !Follows) {
        if (FItems)
            for (int I = 0; I < FItems->GetCount(); ++I) FItems->GetItem(I)->ParentFontChanged(Source);
    } else if (FFont || (!Source && Parent)) {
        // From the grid a nested item takes the grid's font itself, as a copy.
        EnsureFont()->Assign(Source ? Source->CurrentFont() : TopFont());
    } else {
        if (FShownSize > 0) RepaintLine();
        if (FItems)
            for (int I = 0; I < FItems->GetCount(); ++I) FItems->GetItem(I)->ParentFontChanged(this);
    }
    FParentFont = true;
}

void TZkItemProp::ParentValueFontChanged() {
    if (!FParentValueFont) return;
    if (FValueFont) {
        TZkItemProp* Parent = GetParentItem();
        TZkCustomItemListEditor* Grid = GetGrid();
        if (Parent)
            FValueFont->Assign(Parent->CurrentValueFont());
        else if (Grid)
            FValueFont->Assign(Grid->GetValueFont());
    } else {
        if (FShownSize > 0) RepaintLine();
        if (FItems)
            for (int I = 0; I < FItems->GetCount(); ++I) FItems->GetItem(I)->ParentValueFontChanged();
    }
    FParentValueFont = true;
}

void TZkItemProp::KeepChildFonts(bool NewCategory) {
    if (!FItems) return;
    for (int I = 0; I < FItems->GetCount(); ++I) {
        TZkItemProp* Child = FItems->GetItem(I);
        if (!Child->FFont && Child->FCategory != NewCategory) Child->EnsureFont();
    }
}

void TZkItemProp::SetParentFont(bool Value) {
    if (Value == FParentFont) return;
    FParentFont = Value;
    if (Value) ParentFontChanged(GetParentItem());
}

void TZkItemProp::SetParentValueFont(bool Value) {
    if (Value == FParentValueFont) return;
    FParentValueFont = Value;
    ParentValueFontChanged();
}

// ---- expand and collapse ----

void TZkItemProp::Expand() {
    if (GetExpanded()) return;
    FExpandedFlag = true;
    if (GetExpanded()) VisibilityChanged();
}

void TZkItemProp::Collapse() {
    if (!GetExpanded()) return;
    FExpandedFlag = false;
    FFilterExpanded = false;  // closed by hand: it stays closed when the search ends
    VisibilityChanged();
}

void TZkItemProp::FullExpand() {
    if (!FItems) {
        FExpandedFlag = true;
        return;
    }
    TScopeExit Done([this] {
        FItems->EndUpdate();
        VisibilityChanged();
    });
    FItems->BeginUpdate();
    FExpandedFlag = true;
    for (int I = 0; I < FItems->GetCount(); ++I) FItems->GetItem(I)->FullExpand();
}

void TZkItemProp::FullCollapse() {
    if (!FItems) {
        FExpandedFlag = false;
        return;
    }
    TScopeExit Done([this] {
        FItems->EndUpdate();
        VisibilityChanged();
    });
    FItems->BeginUpdate();
    FExpandedFlag = false;
    for (int I = 0; I < FItems->GetCount(); ++I) FItems->GetItem(I)->FullCollapse();
}

// ---- copying and validation ----

void TZkItemProp::Assign(TPersistent* Source) {
    auto* Src = DynamicCast<TZkItemProp>(Source);
    if (!Src) {
        TCollectionItem::Assign(Source);
        return;
    }
    FCategory = Src->FCategory;
    SetDefaultCategory(Src->FDefaultCategory);
    // A plain copy: naming would file the copy by its name, under the
    // categories and the uniqueness rule that the caller is working around.
    FName = Src->FName;
    if (FExtras || Src->FExtras) {
        Extras().Hint = Src->GetHint();
        Extras().EditMask = Src->GetEditMask();
    }
    FReadOnlyFlag = Src->GetReadOnly();
    FEditStyle = Src->FEditStyle;
    if (Src->FPickList)
        GetPickList()->Assign(Src->FPickList.get());
    else if (FPickList)
        FPickList->Clear();
    FEditStyle = Src->FEditStyle;  // the pick list copy may have switched it
    FExpressionMask = Src->FExpressionMask;
    FExpandedFlag = Src->GetExpanded();
    FData = Src->FData;
    FTag = Src->FTag;
    // Fonts are copied where either side has a copy of its own; two items
    // that both follow go on following.
    if (FFont || Src->FFont) EnsureFont()->Assign(Src->CurrentFont());
    FParentFont = Src->FParentFont;
    if (FValueFont || Src->FValueFont) EnsureValueFont()->Assign(Src->CurrentValueFont());
    FParentValueFont = Src->FParentValueFont;
    SetValues(Src->FValues.get());
    SetVisible(Src->FVisibleFlag);
    if (Src->FItems)
        GetItems()->Assign(Src->FItems.get());
    else if (FItems)
        FItems->Clear();
    VisibilityChanged();
    PlaceByName(FName);
    Changed(false);
}

void TZkItemProp::AssignEvents(TZkItemProp* Source) {
    if (!Source) return;
    SetOnEditButtonClick(Source->GetOnEditButtonClick());
    SetOnGetPickList(Source->GetOnGetPickList());
    SetOnValidate(Source->GetOnValidate());
}

void TZkItemProp::Validate() {
    TZkCustomItemListEditor* Grid = GetGrid();
    if (const TZkOnValidateEvent& OnValidate = GetOnValidate(); OnValidate.Assigned())
        OnValidate(Grid, this, Grid ? Grid->GetLogical(lwColumn) : 1);
    else if (Grid && Grid->GetOnValidate().Assigned())
        Grid->GetOnValidate()(Grid, this, Grid->GetLogical(lwColumn));
}

// ---- TZkItemPropValueStrings ----

ZK_IMPLEMENT_CLASS(TZkItemPropValueStrings)
void TZkItemPropValueStrings::DescribeClass(TClassBuilder<TZkItemPropValueStrings>&) {}

void TZkItemPropValueStrings::FitToGrid(int Index, bool Shorten) const {
    TZkCustomItemListEditor* Grid = FItem ? FItem->GetGrid() : nullptr;
    if (!Grid) return;
    int Columns = Grid->GetValueColCount();
    if (Index >= Columns || GetCount() == Columns) return;
    if (!Shorten && Index < GetCount()) return;
    auto* Self = const_cast<TZkItemPropValueStrings*>(this);
    TValueRollback<bool> Quiet(Self->FSuppressChange, true);
    while (Self->GetCount() < Columns) Self->TStringList::Add(std::string());
    while (Shorten && Self->GetCount() > Columns) Self->TStringList::Delete(Self->GetCount() - 1);
}

// Reading pads a short list but never shortens one: a stream writer reads
// through here, and what it reads must be all there is.
std::string TZkItemPropValueStrings::Get(int Index) const {
    FitToGrid(Index, false);
    return TStringList::Get(Index);
}

std::string TZkItemPropValueStrings::GetCellValue(int Index) const {
    FitToGrid(Index, true);
    return Index < GetCount() ? TStringList::Get(Index) : std::string();
}

void TZkItemPropValueStrings::Put(int Index, const std::string& S) {
    if (Index >= 0 && Index < GetCount() && TStringList::Get(Index) == S) return;
    TStringList::Put(Index, S);
}

std::string TZkItemPropValueStrings::GetValueText() const {
    return TrimRight(GetTextStr());
}

void TZkItemPropValueStrings::Changing() {
    if (!FSuppressChange) TStringList::Changing();
}

void TZkItemPropValueStrings::Changed() {
    if (FSuppressChange) return;
    TStringList::Changed();
    if (FItem && GetUpdateCount() == 0) FItem->Changed(false);
}

}  // namespace zk
