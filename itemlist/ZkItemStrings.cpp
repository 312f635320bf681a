// The pre-order views of the grid's items (TZkItemList) and the name=value view of the tree
// (TZkItemStrings).
#include "itemlist/ZkItemListEditor.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/SysUtils.h"

namespace zk {

// ---- TZkItemList ----

int TZkItemList::GetCount() const {
    TZkItemProps* Top = FGrid->GetItems();
    if (!Top) return 0;
    return FKind == lkAll ? Top->GetTotalItems() : Top->GetTotalShown();
}

TZkItemProp* TZkItemList::GetItem(int Index) const {
    if (Index < 0 || Index >= GetCount())
        throw EListError("List index out of bounds (%d)", {Index});
    // Descend level by level: each level's index says which subtree holds the position.
    const TZkItemProps* Level = FGrid->GetItems();
    int Offset = Index;
    for (;;) {
        TZkItemProp* Item = FKind == lkAll ? Level->LocateItem(Offset) : Level->LocateShown(Offset);
        if (!Item) break;
        if (Offset == 0) return Item;
        --Offset;
        Level = Item->FItems.get();
        if (!Level) break;
    }
    throw EListError("List index out of bounds (%d)", {Index});
}

int TZkItemList::IndexOf(const TZkItemProp* Item) const {
    if (!Item || !FGrid->GetItems()) return -1;
    if (FKind == lkShown && !Item->IsShowing()) return -1;
    int Position = 0;
    for (const TZkItemProp* At = Item;;) {
        TZkItemProps* Level = At->GetItemCollection();
        if (!Level || !At->FInLineIndex) return -1;
        Position += FKind == lkAll ? Level->ItemsBefore(At) : Level->ShownBefore(At);
        TZkItemProp* Parent = Level->GetParentItem();
        if (!Parent) return Level == FGrid->GetItems() ? Position : -1;
        ++Position;  // the parent's own line
        At = Parent;
    }
}

// ---- TZkItemStrings ----

ZK_IMPLEMENT_CLASS(TZkItemStrings)
void TZkItemStrings::DescribeClass(TClassBuilder<TZkItemStrings>& C) {
    C.Prop("ShowVisibleOnly", &TZkItemStrings::GetShowVisibleOnly,
           &TZkItemStrings::SetShowVisibleOnly)
        .Default(false);
}

TZkItemProp* TZkItemStrings::ItemOf(int Index) const {
    if (!FGrid) throw EStringListError("List index out of bounds (%d)", {Index});
    return FShowVisibleOnly ? FGrid->GetShownItems().GetItem(Index)
                            : FGrid->GetAllItems().GetItem(Index);
}

int TZkItemStrings::GetCount() const {
    if (!FGrid) return 0;
    return FShowVisibleOnly ? FGrid->GetShownItems().GetCount() : FGrid->GetAllItems().GetCount();
}

std::string TZkItemStrings::Get(int Index) const {
    TZkItemProp* Item = ItemOf(Index);
    return Item->GetFullName() + "=" + Item->GetValues()->GetValueText();
}

// The object of a line carries the item's Data, an integer, as the framework's lists do.
TObject* TZkItemStrings::GetObject(int Index) const {
    return reinterpret_cast<TObject*>(static_cast<intptr_t>(ItemOf(Index)->GetData()));
}

void TZkItemStrings::PutObject(int Index, TObject* AObject) {
    ItemOf(Index)->SetData(static_cast<int>(reinterpret_cast<intptr_t>(AObject)));
}

int TZkItemStrings::GetData(int Index) const {
    return ItemOf(Index)->GetData();
}

void TZkItemStrings::SetData(int Index, int Value) {
    ItemOf(Index)->SetData(Value);
}

void TZkItemStrings::Insert(int Index, const std::string& S) {
    if (Index < 0 || Index > GetCount())
        throw EStringListError("List index out of bounds (%d)", {Index});
    size_t Eq = S.find('=');
    std::string Path = Eq == std::string::npos ? S : S.substr(0, Eq);
    std::string Value = Eq == std::string::npos ? std::string() : S.substr(Eq + 1);
    FGrid->GetItems()->AddPath(Path, Value,
                               !FGrid->GetPropertyOptions().Contains(propUnique));
}

void TZkItemStrings::Delete(int Index) {
    ItemOf(Index)->Free();
}

void TZkItemStrings::Clear() {
    if (FGrid && FGrid->GetItems()) FGrid->GetItems()->Clear();
}

int TZkItemStrings::IndexOfName(const std::string& Name) const {
    if (!FGrid || !FGrid->GetItems()) return -1;
    TZkItemProp* Item = FGrid->GetItems()->FindPath(Name);
    if (!Item) return -1;
    return FShowVisibleOnly ? FGrid->GetShownItems().IndexOf(Item)
                            : FGrid->GetAllItems().IndexOf(Item);
}

}  // namespace zk
