// TZkItemProp: one node of the item tree, its derived values, fonts and change reporting.
#include "itemlist/ZkItemProp.h"

#include "itemlist/ZkDeltaFont.h"
#include "itemlist/ZkItemListEditor.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/SysUtils.h"

namespace zk {

// An item's font reports its changes straight to the item; an event binding
// per font would cost two heap blocks for every item of a big tree.
class TZkItemProp::TItemFont : public TFont {
public:
    explicit TItemFont(TZkItemProp* AItem) : FItem(AItem) {}

protected:
    void Changed() override {
        FItem->FontChanged(this);
        TFont::Changed();
    }

private:
    TZkItemProp* FItem;  // owns this font
};

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
    TZkItemProp* Parent = FCreationCollection ? FCreationCollection->GetParentItem() : nullptr;
    TZkCustomItemListEditor* Grid = FCreationCollection ? FCreationCollection->GetGrid() : nullptr;
    FFont.reset(new TItemFont(this));
    if (Parent)
        FFont->Assign(Parent->GetFont());
    else if (Grid)
        FFont->Assign(Grid->GetFont());
    FParentFont = true;
    FValueFont.reset(new TItemFont(this));
    if (Parent)
        FValueFont->Assign(Parent->GetValueFont());
    else if (Grid)
        FValueFont->Assign(Grid->GetValueFont());
    FParentValueFont = true;
    FEnabled = true;
    FValues.reset(new TZkItemPropValueStrings(this));
}

TZkItemProp::~TZkItemProp() = default;

void TZkItemProp::AfterConstruction() {
    TCollectionItem::AfterConstruction();
    FCreationCollection = nullptr;
    FReadOnlyFlag = false;
    FEditStyle = esSimple;
    SetVisible(true);
}

void TZkItemProp::BeforeDestruction() {
    SetVisible(false);
    // Children leave while this item still hangs in the tree, so every
    // ancestor and the grid hear of each of them.
    FItems.reset();
    TCollectionItem::BeforeDestruction();
}

// ---- tree position ----

TZkItemProps* TZkItemProp::GetItemCollection() const {
    TCollection* C = GetCollection();
    if (!C) return nullptr;
    return C == FItemCollection ? FItemCollection : DynamicCast<TZkItemProps>(C);
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
    TZkCustomItemListEditor* Grid = GetGrid();
    if (Grid && Grid->GetCurrentItem() == this) {
        int Col = Grid->GetLogical(lwColumn);
        if (Col > 0) {
            if (Col - 1 < Grid->GetValueColCount()) FValues->Get(Col - 1);  // fits the list
            while (FValues->GetCount() < Col) FValues->Add(std::string());
            FValues->Put(Col - 1, Value);
            return;
        }
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
    TZkCustomItemListEditor* Grid = GetGrid();
    return !Grid || Grid->GetDisplayOptions().Contains(doShowReadOnly) || !GetReadOnly() ||
           FCategory;
}

bool TZkItemProp::IsShowing() const {
    if (!IsShownHere()) return false;
    for (TZkItemProp* P = GetParentItem(); P; P = P->GetParentItem())
        if (!P->GetExpanded() || !P->IsShownHere()) return false;
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
            Item->IsShownHere() ? 1 + (Item->GetExpanded() ? Item->FItems->GetTotalShown() : 0) : 0;
        const int DeltaItems = NewItems - Item->FIndexedSize;
        const int DeltaShown = NewShown - Item->FShownSize;
        Item->FDescendantCount = Children;
        if (!DeltaItems && !DeltaShown) return;
        if (DeltaShown && !Announced && Item->FInLineIndex) {
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
    // The descendant count is kept with the line index (SyncSizes), already
    // up to date when the notification arrives.
    SyncSizes();
    if (TZkItemProps* C = GetItemCollection()) C->Notify(Item, Action);
}

void TZkItemProp::ChildUpdate(TZkItemProp* Item) {
    if (TZkItemProps* C = GetItemCollection()) C->Update(Item);
}

// ---- change reporting ----

void TZkItemProp::Changing() {
    TZkItemProps* C = GetItemCollection();
    TZkCustomItemListEditor* Grid = GetGrid();
    if (!Grid || (C && C->GetUpdateCount() > 0) || Grid->IsUpdating()) return;
    Grid->ItemChanging();
}

void TZkItemProp::RepaintLine() const {
    TZkCustomItemListEditor* Grid = GetGrid();
    if (!Grid || !Grid->HandleAllocated()) return;
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
    if (IsShowing()) RepaintLine();
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
    int Index = 0;
    C->Find(Name, Index);
    if (Index > GetIndex()) --Index;
    if (Index != GetIndex()) SetIndex(Index);
}

void TZkItemProp::SetHint(const std::string& Value) {
    if (Value == FHint) return;
    FHint = Value;
    Changed(false);
}

void TZkItemProp::SetEditStyle(TEditStyle Value) {
    if (Value == FEditStyle) return;
    FEditStyle = Value;
    Changed(false);
}

void TZkItemProp::SetEditMask(const std::string& Value) {
    if (Value == FEditMask) return;
    FEditMask = Value;
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
    if (IsShowing()) RepaintLine();
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
    if (FInLineIndex && FShownSize > 0)
        if (TZkCustomItemListEditor* Grid = GetGrid()) Grid->ShownLinesChanging();
    C->InvalidateIndex();
    TCollectionItem::SetIndex(Value);
}

void TZkItemProp::SetCollection(TCollection* Value) {
    if (Value == GetCollection()) return;
    const bool Moving = GetCollection() != nullptr;
    // Never into its own subtree: the item would own itself.
    for (auto* C = DynamicCast<TZkItemProps>(Value); C; ) {
        TZkItemProp* P = C->GetParentItem();
        if (P == this) throw EListError("Invalid property value (%s)", {ClassName()});
        C = P ? P->GetItemCollection() : nullptr;
    }
    TCollectionItem::SetCollection(Value);
    if (Moving) PlaceByName(FName);  // a sorted collection stays sorted
}

// ---- pick list ----

TStringList* TZkItemProp::GetPickList() const {
    if (!FPickList) {
        FPickList.reset(Create<TStringList>());
        auto* Self = const_cast<TZkItemProp*>(this);
        FPickList->SetOnChange(TNotifyEvent(Self, &TZkItemProp::PickListChanged));
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

TFont* TZkItemProp::GetFont() const {
    return FFont.get();
}

TFont* TZkItemProp::GetValueFont() const {
    return FValueFont.get();
}

TFont* TZkItemProp::GetColumnValueFont(int) const {
    return GetValueFont();
}

void TZkItemProp::SetFont(TFont* Value) {
    FFont->Assign(Value);
}

void TZkItemProp::SetValueFont(TFont* Value) {
    FValueFont->Assign(Value);
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
    if (FShownSize > 0 && IsShowing()) RepaintLine();
    Changed(false);
}

void TZkItemProp::ParentFontChanged(TZkItemProp* Source) {
    if (!FParentFont) return;
    if (Source) {
        if (Source->FCategory == FCategory)
            FFont->Assign(Source->GetFont());
        else if (FItems)
            for (int I = 0; I < FItems->GetCount(); ++I) FItems->GetItem(I)->ParentFontChanged(Source);
    } else if (TZkCustomItemListEditor* Grid = GetGrid()) {
        FFont->Assign(FCategory ? static_cast<TFont*>(Grid->GetCategoryFont()) : Grid->GetFont());
    }
    FParentFont = true;
}

void TZkItemProp::ParentValueFontChanged() {
    if (!FParentValueFont) return;
    if (TZkItemProp* Parent = GetParentItem())
        FValueFont->Assign(Parent->GetValueFont());
    else if (TZkCustomItemListEditor* Grid = GetGrid())
        FValueFont->Assign(Grid->GetValueFont());
    FParentValueFont = true;
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
    FHint = Src->FHint;
    FReadOnlyFlag = Src->GetReadOnly();
    FEditStyle = Src->FEditStyle;
    FEditMask = Src->FEditMask;
    if (Src->FPickList)
        GetPickList()->Assign(Src->FPickList.get());
    else if (FPickList)
        FPickList->Clear();
    FEditStyle = Src->FEditStyle;  // the pick list copy may have switched it
    FExpressionMask = Src->FExpressionMask;
    FExpandedFlag = Src->GetExpanded();
    FData = Src->FData;
    FTag = Src->FTag;
    FParentFont = Src->FParentFont;
    FFont->Assign(Src->GetFont());
    FParentFont = Src->FParentFont;
    FParentValueFont = Src->FParentValueFont;
    FValueFont->Assign(Src->GetValueFont());
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
    FOnEditButtonClick = Source->FOnEditButtonClick;
    FOnGetPickList = Source->FOnGetPickList;
    FOnValidate = Source->FOnValidate;
}

void TZkItemProp::Validate() {
    TZkCustomItemListEditor* Grid = GetGrid();
    if (FOnValidate.Assigned())
        FOnValidate(Grid, this, Grid ? Grid->GetLogical(lwColumn) : 1);
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
