// TZkCustomItemListEditor: writing cells, edit styles and pick lists, committing, selecting
// cells, deleting lines, the mouse (glyph clicks) and filing items under categories.
#include <algorithm>
#include <optional>

#include "itemlist/ZkInplaceEditList.h"
#include "itemlist/ZkInplaceEditList_p.h"
#include "itemlist/ZkItemListAccessible_p.h"
#include "itemlist/ZkItemListEditor.h"
#include "itemlist/ZkItemListEditor_p.h"
#include "platform/core/ScopeExit.h"

namespace zk {

// ---- the cell editor and cell text ----

TInplaceEdit* TZkCustomItemListEditor::CreateEditor() {
    TZkInplaceEditList* Editor = Create<TZkInplaceEditList>(this);
    Editor->SetDropDownRows(FDropDownRows);
    Editor->SetOnEditButtonClick(TNotifyEvent([this](TObject*) { DoEditButtonClick(); }, this));
    Editor->SetOnGetPickListItems(
        TZkGetPickListItemsEvent(this, &TZkCustomItemListEditor::DoGetPickListItems));
    FInplaceEditor = Editor;
    return Editor;
}

// The base forgets a freed editor; so does this.
TZkInplaceEditList* TZkCustomItemListEditor::GetInplaceEditList() const {
    return GetInplaceEditor() ? FInplaceEditor : nullptr;
}

std::string TZkCustomItemListEditor::GetEditText(int ACol, int ARow) {
    std::string Result = GetCellText(ACol, ARow);
    if (GetOnGetEditText().Assigned()) GetOnGetEditText()(this, ACol, ARow, Result);
    return Result;
}

std::string TZkCustomItemListEditor::GetEditMask(int ACol, int ARow) {
    TZkItemProp* Item = ItemAtCell(ACol, ARow, true);
    std::string Result = !Item || Item->GetExpressionMask() ? std::string() : Item->GetEditMask();
    if (GetOnGetEditMask().Assigned()) GetOnGetEditMask()(this, ACol, ARow, Result);
    return Result;
}

void TZkCustomItemListEditor::SetEditText(int ACol, int ARow, const std::string& Value) {
    if (FUpdateLock > 0) return;
    TCustomDrawGrid::SetEditText(ACol, ARow, Value);
    // The title line is not an item's: the editor passing over it writes nothing.
    if (LogicalLineOf(ACol, ARow) < GetLogical(lwFixedLines)) return;
    // Text typed into the current cell: the editor stays with the item it
    // writes to, also when a sorted rename moves the item.
    std::optional<TEditorHold> Hold;
    if (ACol == GetCol() && ARow == GetRow()) Hold.emplace(*this);
    TZkItemProp* Written = nullptr;
    {
        BeginUpdate();
        TScopeExit Done([this] { EndUpdate(); });
        Written = WriteEditText(ACol, ARow, Value);
    }
    if (Written && !FollowItem(Written, LogicalLineOf(ACol, ARow)) && Hold) Hold->Reload();
}

bool TZkCustomItemListEditor::FollowItem(TZkItemProp* Item, int OldLine) {
    const int Index = FShownItems.IndexOf(Item);
    const int Line = GetLogical(lwFixedLines) + Index;
    if (Index < 0 || Line >= GetLogical(lwLineCount)) return false;
    if (Line == OldLine) return true;
    BeginUpdate();
    TScopeExit Done([this] { EndUpdate(); });
    MoveLineQuietly(Line);
    return true;
}

TZkItemProp* TZkCustomItemListEditor::WriteEditText(int ACol, int ARow, const std::string& Value) {
    const int Index = LogicalLineOf(ACol, ARow) - GetLogical(lwFixedLines);
    if (Index >= FShownItems.GetCount() && !Value.empty()) {
        FItems->AddItem();
        FSavedShownCount = FShownItems.GetCount();
    }
    if (Value == GetCellText(ACol, ARow)) return nullptr;
    TZkItemProp* Item = ItemAtCell(ACol, ARow, true);
    if (!IsValueCell(ACol, ARow)) {
        TZkItemProps* Collection = Item ? Item->GetItemCollection() : FItems.get();
        // A duplicate name is held back once, so typing through one is harmless;
        // entered again it is written, and the name's setter refuses it.
        if (Collection && !Collection->CheckUniqueName(Value, false) && Value != FPendingName) {
            FPendingName = Value;
            return nullptr;
        }
    }
    FPendingName.clear();
    SetCellText(ACol, ARow, Value);
    return Item;
}

void TZkCustomItemListEditor::SetCellText(int ACol, int ARow, const std::string& Value) {
    if (LogicalLineOf(ACol, ARow) < GetLogical(lwFixedLines)) return;
    TZkItemProp* Item = ItemAtCell(ACol, ARow, true);
    if (!Item) Item = FItems->AddItem();
    const int Column = LogicalColumnOf(ACol, ARow);
    if (Column == 0) {
        Item->SetName(Value);
        return;
    }
    TZkItemPropValueStrings* Values = Item->GetValues();
    if (Column - 1 < GetValueColCount()) Values->Get(Column - 1);  // fits the list to the columns
    while (Values->GetCount() < Column) Values->Add(std::string());
    Values->Put(Column - 1, Value);
}

// ---- edit styles, pick lists and the ellipsis button ----

TEditStyle TZkCustomItemListEditor::GetEditStyle(int ACol, int ARow) {
    if (!IsValueCell(ACol, ARow)) return esSimple;
    if (TZkItemProp* Item = ItemAtCell(ACol, ARow, true)) return Item->GetEditStyle();
    if (TZkInplaceEditList* Editor = GetInplaceEditList())
        return GetPickListItems(nullptr, Editor->GetPickList()->GetItems(), true) ? esPickList
                                                                                  : esSimple;
    TOwned<TStringList> List(Create<TStringList>());
    return GetPickListItems(nullptr, List.get(), true) ? esPickList : esSimple;
}

bool TZkCustomItemListEditor::GetPickListItems(TZkItemProp* Item, TStrings* List,
                                               bool ClearFirst) {
    TGridCoord NameCell = CellOf(0, GetLogical(lwLine));
    if (GetCellText(NameCell.X, NameCell.Y).empty()) return false;
    TStrings::TUpdateGuard Guard(*List);
    if (ClearFirst) List->Clear();
    const std::string FullName = Item ? Item->GetFullName() : std::string();
    if (Item && Item->GetOnGetPickList().Assigned())
        Item->GetOnGetPickList()(Item, FullName, List);
    else if (FOnGetPickList.Assigned())
        FOnGetPickList(this, FullName, List);
    const bool Result = List->GetCount() > 0;
    if (TZkInplaceEditList* Editor = GetInplaceEditList()) Editor->SetPickListLoaded(Result);
    return Result;
}

void TZkCustomItemListEditor::DoGetPickListItems(int ACol, int ARow, TStrings* List) {
    if (!IsValueCell(ACol, ARow)) return;
    TZkItemProp* Item = ItemAtCell(ACol, ARow, true);
    if (Item && Item->GetPickList()->GetCount() > 0)
        List->Assign(Item->GetPickList());
    else
        List->Clear();
    GetPickListItems(Item, List, false);
}

void TZkCustomItemListEditor::DoEditButtonClick() {
    TZkItemProp* Item = GetCurrentItem();
    if (Item && Item->GetOnEditButtonClick().Assigned())
        Item->GetOnEditButtonClick()(Item);
    else if (FOnEditButtonClick.Assigned())
        FOnEditButtonClick(Item);
}

// ---- committing and selecting ----

bool TZkCustomItemListEditor::CanEditModify() {
    if (!TCustomDrawGrid::CanEditModify()) return false;
    TZkItemProp* Item = GetCurrentItem();
    return !Item || !Item->GetReadOnly();
}

void TZkCustomItemListEditor::CommitEdit() {
    TInplaceEdit* Editor = GetInplaceEditor();
    if (!Editor || !Editor->GetModified()) return;
    if (TZkItemProp* Item = GetCurrentItem()) Item->Validate();
    // What was committed is what Escape goes back to from now on.
    if (GetInplaceEditor()) GetInplaceEditor()->KeepText();
}

bool TZkCustomItemListEditor::SelectCell(int ACol, int ARow) {
    if (FMovingQuietly) return true;
    const int Target = LogicalLineOf(ACol, ARow);
    const int Current = GetLogical(lwLine);
    TZkItemProp* Blank = GetCurrentItem();
    if (FDropBlankLines && Target != Current && FShownItems.GetCount() > 0 && !FDeletingGuard &&
        Blank && Blank->GetName().empty() && Blank->IsValueEmpty()) {
        const int ShownBefore = FShownItems.GetCount();
        if (FOrientation == goVertical)
            DeleteRow(GetRow());
        else
            DeleteItemAt(GetCol(), GetRow());
        if (Target > Current) {
            // The target moved up by the lines that went (a blank item may have
            // had children); a target among them is gone, and the line stays.
            const int Removed = ShownBefore - FShownItems.GetCount();
            const int Line = std::min(std::max(Current, Target - Removed),
                                      GetLogical(lwLineCount) - 1);
            TGridCoord Up = CellOf(LogicalColumnOf(ACol, ARow), Line);
            FocusCell(Up.X, Up.Y, true);
            return false;
        }
    }
    CommitEdit();
    if (!TCustomDrawGrid::SelectCell(ACol, ARow)) return false;
    const bool Accepted = GetOptions().Contains(goRowSelect) || IsValueCell(ACol, ARow) ||
                          FPropertyOptions.Contains(propEdit);
    if (Accepted && FAccessibleTree) TZkGridAccessibility::CurrentCellMoved(this);
    return Accepted;
}

void TZkCustomItemListEditor::DoExit() {
    try {
        CommitEdit();
    } catch (...) {
        SetFocus();
        throw;
    }
    TCustomDrawGrid::DoExit();
    HideEditor();
}

// ---- deleting lines ----

void TZkCustomItemListEditor::DeleteItemAt(int ACol, int ARow) {
    if (FDeletingGuard) return;
    FDeletingGuard = true;
    TScopeExit Done([this] { FDeletingGuard = false; });
    TZkItemProp* Item = ItemAtCell(ACol, ARow, true);
    const int Last = GetLogical(lwLineCount) - 1;
    if (GetLogical(lwLine) == Last && FShownItems.GetCount() > 1)
        SetLogical(lwLine, Last - 1);
    if (Item) Item->Free();
}

void TZkCustomItemListEditor::DeleteRow(int ARow) {
    if (FOrientation == goVertical)
        DeleteItemAt(GetCol(), ARow);
    else
        TCustomDrawGrid::DeleteRow(ARow);
}

void TZkCustomItemListEditor::DeleteColumn(int ACol) {
    if (FOrientation == goHorizontal)
        DeleteItemAt(ACol, GetRow());
    else
        TCustomDrawGrid::DeleteColumn(ACol);
}

// ---- the keyboard ----

bool TZkCustomItemListEditor::CanAddItem() {
    if (!FPropertyOptions.Contains(propAdd)) return false;
    const TGridCoord Name = CellOf(0, GetLogical(lwLine));
    return !GetCellText(Name.X, Name.Y).empty();
}

int TZkCustomItemListEditor::AddItemLine(const std::string& Name, const std::string& ValueText,
                                         bool Append) {
    const int Fixed = GetLogical(lwFixedLines);
    TZkItemProp* Current = GetCurrentItem();
    if (Current && Current->GetName().empty() && Current->IsValueEmpty()) {
        // Written through the item, as a sorted grid moves it when it is named;
        // the line goes with it, and the editor takes the new text afterwards.
        TEditorHold Hold(*this);
        Hold.Reload();
        BeginUpdate();
        TScopeExit Done([this] { EndUpdate(); });
        Current->SetName(Name);
        Current->GetValues()->SetTextStr(ValueText);
        if (!FollowItem(Current, GetLogical(lwLine))) return GetLogical(lwLine);
        return Fixed + FShownItems.IndexOf(Current);
    }
    TZkItemProp* Item = nullptr;
    if (Append) {
        Item = FItems->AddItem();
    } else {
        // Before the current line's top-level item, so the new line lands there.
        TZkItemProp* Top = Current;
        while (Top && Top->GetParentItem()) Top = Top->GetParentItem();
        Item = FItems->InsertItem(Top ? Top->GetIndex() : FItems->GetCount());
    }
    Item->SetName(Name);
    Item->GetValues()->SetTextStr(ValueText);
    UpdateLineCount();
    return Fixed + FShownItems.IndexOf(Item);
}

void TZkCustomItemListEditor::CancelEdit() {
    TInplaceEdit* Editor = GetInplaceEditor();
    if (Editor && Editor->GetModified()) {
        const std::string Before = Editor->GetText();
        if (TZkInplaceEditList* List = GetInplaceEditList()) {
            List->RestoreContents();
        } else {
            Editor->Reset();
            if (GetCol() >= 0 && GetRow() >= 0) SetEditText(GetCol(), GetRow(), Editor->GetText());
        }
        if (Editor->GetText() != Before) Editor->SelectAll();
        return;
    }
    TZkItemProp* Current = GetCurrentItem();
    if (Current && Current->GetName().empty() && Current->IsValueEmpty())
        DeleteItemAt(GetCol(), GetRow());
}

void TZkCustomItemListEditor::KeyDown(uint16_t& Key, TShiftState Shift) {
    HideItemHint();
    if (DoCommandKey(Key, Shift)) {
        Key = 0;
        return;
    }
    const bool Ctrl = Shift.Contains(ssCtrl);
    const int LastLine = GetLogical(lwLineCount) - 1;
    switch (Key) {
        case VK_RETURN: CommitEdit(); break;
        case VK_ESCAPE: CancelEdit(); break;
        case VK_UP:
            if (Ctrl) {
                SetLogical(lwLine, GetLogical(lwFixedLines));
                Key = 0;
            }
            break;
        case VK_DOWN:
            if (Ctrl) {
                SetLogical(lwLine, LastLine);
                Key = 0;
            } else if (Shift.Empty() && GetLogical(lwLine) == LastLine && CanAddItem()) {
                SetLogical(lwLine, AddItemLine("", "", true));
                Key = 0;
            }
            break;
        case VK_INSERT:
            if (CanAddItem()) {
                SetLogical(lwLine, AddItemLine("", "", false));
                Key = 0;
            }
            break;
        case VK_DELETE:
            if (Ctrl && FPropertyOptions.Contains(propDelete)) {
                DeleteItemAt(GetCol(), GetRow());
                Key = 0;
            }
            break;
        default: break;
    }
    if (Key) TCustomDrawGrid::KeyDown(Key, Shift);
}

// ---- the mouse ----

void TZkCustomItemListEditor::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        int ACol = -1;
        int ARow = -1;
        MouseToCell(X, Y, ACol, ARow);
        const bool OnCell = ACol >= 0 && ARow >= 0;
        const int Line = OnCell ? LogicalLineOf(ACol, ARow) : -1;
        const bool NameCell = OnCell && !IsValueCell(ACol, ARow);
        if (NameCell && GetOptions().Contains(goEditing) && Line != GetLogical(lwLine) &&
            Line >= GetLogical(lwFixedLines) && GetLogical(lwColCount) > 1) {
            TGridCoord First = CellOf(1, Line);
            FocusCell(First.X, First.Y, !Shift.Contains(ssShift));
        }
        TZkItemProp* Item = NameCell ? ItemAtCell(ACol, ARow, true) : nullptr;
        if (Item && Item->HasChildren()) {
            TRect Glyph = GlyphRect(CellRect(ACol, ARow), Item);
            const bool OnGlyph =
                X >= Glyph.Left && X < Glyph.Right && Y >= Glyph.Top && Y < Glyph.Bottom;
            // With TreeKeys a double click anywhere on the name toggles; on the
            // glyph its first press did already.
            const bool Toggle = Shift.Contains(ssDouble) ? FTreeKeys && !OnGlyph : OnGlyph;
            if (Toggle) {
                Item->SetExpanded(!Item->GetExpanded());
                return;
            }
        }
        TGridCoord Fixed{GetFixedCols(), GetFixedRows()};
        if (GetOptions().Contains(goEditing) && GetCol() >= Fixed.X && GetRow() >= Fixed.Y)
            ShowEditor();
    }
    TCustomDrawGrid::MouseDown(Button, Shift, X, Y);
}

// ---- categories ----

TZkItemProp* TZkCustomItemListEditor::FindOrAddCategory(TZkItemProps* Collection,
                                                        const std::string& Name) {
    int Index = Collection->IndexOfCategory(Name);
    return Index >= 0 ? Collection->GetItem(Index) : Collection->AddCategory(Name);
}

TZkItemProp* TZkCustomItemListEditor::GetCategoryItem(TZkItemProp* Item, const std::string& Name) {
    if (IsLoading()) return Item->GetParentItem();
    TZkItemProp* Parent = Item->GetParentItem();
    TZkItemProps* Collection =
        Parent && Parent->GetCategory() ? Parent->GetItemCollection() : Item->GetItemCollection();
    if (!Collection) return nullptr;
    TZkItemProp* Result = Collection->GetDefaultCategoryItem();
    if (!Result && Collection == FItems.get()) Result = Collection->EnsureDefaultCategory();
    std::string CategoryName;
    if (Collection->FCategories) {
        TStringList* Lines = Collection->FCategories.get();
        for (int I = 0; I < Lines->GetCount(); ++I) {
            if (CompareNames(Lines->GetName(I), Name) != 0) continue;
            CategoryName = Lines->GetValueFromIndex(I);
            break;
        }
    }
    if (FOnCategorize.Assigned()) FOnCategorize(this, Item, Name, CategoryName);
    return CategoryName.empty() ? Result : FindOrAddCategory(Collection, CategoryName);
}

void TZkCustomItemListEditor::CategorizeItem(TZkItemProp* Item, TStrings* Categories,
                                             bool MultiCategory) {
    // Category items are what items are filed under; a default category would file into itself.
    TZkItemProp* Parent = Item->GetParentItem();
    if (!Parent || Item->GetCategory()) return;
    TZkItemProp* Target = GetCategoryItem(Item, Item->GetName());
    if (!Target) return;
    if (IsLoading() || !MultiCategory) {
        if (Item->GetParentItem() != Target) Item->SetCollection(Target->GetItems());
    } else if (Parent != Target &&
               !(Parent->GetCategory() &&
                 Parent == Item->GetItemCollection()->GetDefaultCategoryItem())) {
        TZkItemProp* Copy = Item->GetItemCollection()->AddItem();
        Copy->Assign(Item);
        Copy->SetCollection(Target->GetItems());
    }
    if (!Categories) return;
    int First = -1;
    for (int I = 0; I < Categories->GetCount() && First < 0; ++I)
        if (CompareNames(Categories->GetName(I), Item->GetName()) == 0) First = I;
    if (First < 0) return;
    for (int I = First + 1; I < Categories->GetCount(); ++I) {
        if (CompareNames(Categories->GetName(I), Item->GetName()) != 0) continue;
        const std::string Extra = Categories->GetValueFromIndex(I);
        TZkItemProp* Holder = Item->GetParentItem();
        if (MultiCategory) {
            if (Holder && Holder->GetCategory() && CompareNames(Holder->GetName(), Extra) == 0)
                continue;
            TZkItemProps* Where = Holder && Holder->GetCategory() ? Holder->GetItemCollection()
                                                                  : Item->GetItemCollection();
            TZkItemProp* Category = FindOrAddCategory(Where, Extra);
            TZkItemProp* Copy = Category->GetItems()->AddItem();
            Copy->Assign(Item);
        } else {
            TZkItemProp* Category = FindOrAddCategory(Item->GetItemCollection(), Extra);
            Item->SetCollection(Category->GetItems());
        }
    }
}

void TZkCustomItemListEditor::CategorizeItems(TZkItemProps* Collection, TStrings* Categories,
                                              bool MultiCategory) {
    if (!Collection) return;
    std::vector<TZkItemProp*> Snapshot;
    Snapshot.reserve(static_cast<size_t>(Collection->GetCount()));
    for (int I = 0; I < Collection->GetCount(); ++I) Snapshot.push_back(Collection->GetItem(I));
    for (TZkItemProp* Item : Snapshot) CategorizeItem(Item, Categories, MultiCategory);
}

}  // namespace zk
