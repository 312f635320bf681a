// TZkCustomItemListEditor: construction, properties, logical coordinates, the line lists, update
// brackets, layout, column sizing and orientation; TZkItemListEditor's published properties.
#include "itemlist/ZkItemListEditor.h"

#include <utility>

#include "itemlist/ZkItemListEditor_p.h"
#include "itemlist/ZkItemListPublish.h"

#include "itemlist/ZkDeltaFont.h"
#include "itemlist/ZkHintWindow.h"
#include "itemlist/ZkInplaceEditList.h"
#include "itemlist/ZkItemListAccessible_p.h"
#include "itemlist/ZkItemListRegistration.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/SysUtils.h"

namespace zk {

ZK_IMPLEMENT_CLASS(TZkCustomItemListEditor)
void TZkCustomItemListEditor::DescribeClass(TClassBuilder<TZkCustomItemListEditor>&) {}

TZkCustomItemListEditor::TZkCustomItemListEditor(TComponent* AOwner) : TCustomDrawGrid(AOwner) {
    RegisterItemListClasses();
    FHintWindow = Create<TZkHintWindow>(this);
    FHintWindow->SetSubComponent(true);
    FHintWindow->SetInterval(0);
    FShowItemHintStyle = shValueAndHint;
    FTitleCaptions.reset(Create<TStringList>());
    FTitleCaptions->Add("Property");
    FTitleCaptions->Add("Value");
    FTitleCaptions->SetOnChange(TNotifyEvent(this, &TZkCustomItemListEditor::TitleCaptionsChange));
    FIndent = 11;
    FDropDownRows = 8;
    InitFonts();
    FMinusGlyph.reset(Create<TPicture>());
    FMinusGlyph->GetBitmap()->LoadFromResourceName("MINUSSIGN");
    FMinusGlyph->SetOnChange(TNotifyEvent(this, &TZkCustomItemListEditor::GlyphChange));
    FPlusGlyph.reset(Create<TPicture>());
    FPlusGlyph->GetBitmap()->LoadFromResourceName("PLUSSIGN");
    FPlusGlyph->SetOnChange(TNotifyEvent(this, &TZkCustomItemListEditor::GlyphChange));
    FStrings.reset(new TZkItemStrings(this));
    FHideSelection = true;
    FDropBlankLines = true;
    SetColCount(2);
    SetRowCount(2);
    SetFixedCols(0);
    SetDefaultColWidth(150);
    SetDefaultRowHeight(18);
    SetWidth(306);
    SetHeight(300);
    SetOptions(TGridOptions::FromInt(25743));
    FDisplayOptions = TILEDisplayOptions::FromInt(15);
}

void TZkCustomItemListEditor::AfterConstruction() {
    // The item collection comes from a virtual factory, so it is made once
    // the whole object exists.
    FItems.reset(CreateItemCollection(this));
    ItemsCreated();
    FConstructed = true;
    SetCol(1);
    TCustomDrawGrid::AfterConstruction();
}

TZkCustomItemListEditor::~TZkCustomItemListEditor() = default;

void TZkCustomItemListEditor::BeforeDestruction() {
    BeginUpdate();
    HideItemHint();
    FStrings.reset();
    // Items go while the grid is whole: each reports its leaving here.
    FItems.reset();
    TCustomDrawGrid::BeforeDestruction();
}

void TZkCustomItemListEditor::InitFonts() {
    FValueFont.reset(NewDeltaFont(&TZkCustomItemListEditor::DeltaFontChange));
    FCategoryFont.reset(NewDeltaFont(&TZkCustomItemListEditor::CategoryFontChange));
    FCategoryFont->SetStyle(FCategoryFont->GetStyle().Include(fsBold));
    FCategoryFont->SetColor(static_cast<TColor>(0x800080));
    FTitleCaptionFont.reset(NewDeltaFont(&TZkCustomItemListEditor::TitleFontChange));
}

TZkCustomDeltaFont* TZkCustomItemListEditor::NewDeltaFont(
    void (TZkCustomItemListEditor::*Handler)(TObject*)) {
    auto* F = Create<TZkCustomDeltaFont>();
    F->Assign(GetFont());
    F->SetOnGetParentFont(TZkGetParentFontEvent(this, &TZkCustomItemListEditor::AskParentFont));
    F->SetOnChange(TNotifyEvent(this, Handler));
    return F;
}

void TZkCustomItemListEditor::AskParentFont(TObject*, TFont*& ParentFont) {
    ParentFont = GetParentFont();
}

TFont* TZkCustomItemListEditor::GetParentFont() const {
    return GetFont();
}

TZkItemProps* TZkCustomItemListEditor::CreateItemCollection(TPersistent* Owner) {
    return Create<TZkItemProps>(Owner, TZkItemProp::StaticClass());
}

void TZkCustomItemListEditor::ItemsCreated() {}

// ---- logical coordinates ----

int TZkCustomItemListEditor::GetLogical(TZkLogicalWhat What) const {
    const bool V = FOrientation == goVertical;
    switch (What) {
        case lwColumn: return V ? GetCol() : GetRow();
        case lwLine: return V ? GetRow() : GetCol();
        case lwColCount: return V ? GetColCount() : GetRowCount();
        case lwLineCount: return V ? GetRowCount() : GetColCount();
        case lwFixedCols: return V ? GetFixedCols() : GetFixedRows();
        case lwFixedLines: return V ? GetFixedRows() : GetFixedCols();
    }
    return 0;
}

void TZkCustomItemListEditor::SetLogical(TZkLogicalWhat What, int Value) {
    const bool V = FOrientation == goVertical;
    switch (What) {
        case lwColumn: V ? SetCol(Value) : SetRow(Value); break;
        case lwLine: V ? SetRow(Value) : SetCol(Value); break;
        case lwColCount: V ? SetGridColCount(Value) : SetRowCount(Value); break;
        case lwLineCount: V ? SetRowCount(Value) : SetGridColCount(Value); break;
        case lwFixedCols: V ? SetFixedCols(Value) : SetFixedRows(Value); break;
        case lwFixedLines: V ? SetFixedRows(Value) : SetFixedCols(Value); break;
    }
}

int TZkCustomItemListEditor::LogicalColumnOf(int ACol, int ARow) const {
    return FOrientation == goVertical ? ACol : ARow;
}

int TZkCustomItemListEditor::LogicalLineOf(int ACol, int ARow) const {
    return FOrientation == goVertical ? ARow : ACol;
}

TGridCoord TZkCustomItemListEditor::CellOf(int LogicalCol, int LogicalLine) const {
    return FOrientation == goVertical ? TGridCoord{LogicalCol, LogicalLine}
                                      : TGridCoord{LogicalLine, LogicalCol};
}

bool TZkCustomItemListEditor::IsValueCell(int ACol, int ARow) const {
    return LogicalColumnOf(ACol, ARow) > 0;
}

TZkItemProp* TZkCustomItemListEditor::ItemAtCell(int ACol, int ARow, bool SkipFixed) const {
    int Index = LogicalLineOf(ACol, ARow) - (SkipFixed ? GetLogical(lwFixedLines) : 0);
    if (Index < 0 || Index >= FShownItems.GetCount()) return nullptr;
    return FShownItems.GetItem(Index);
}

TZkItemProp* TZkCustomItemListEditor::GetCurrentItem() const {
    return ItemAtCell(GetCol(), GetRow(), true);
}

// ---- the lists and the update bracket ----

bool TZkCustomItemListEditor::IsUpdating() const {
    return FUpdateLock > 0;
}

void TZkCustomItemListEditor::BeginUpdate() {
    if (FUpdateLock == 0) FSavedShownCount = FShownItems.GetCount();
    ++FUpdateLock;
}

void TZkCustomItemListEditor::EndUpdate() {
    if (FUpdateLock == 0) return;
    if (--FUpdateLock > 0) return;
    // The lists follow the tree even inside brackets, so the line count is
    // compared too: an items bracket may have closed inside this one.
    const int Shown = FShownItems.GetCount();
    const int Lines = GetLogical(lwFixedLines) + (Shown > 0 ? Shown : 1);
    const bool Repaint = std::exchange(FRepaintPending, false);
    if (Shown != FSavedShownCount || Lines != GetLogical(lwLineCount))
        LayoutChanged();
    else if (Repaint && HandleAllocated())
        Invalidate();
}

void TZkCustomItemListEditor::LayoutChanged() {
    // A bracket on the items ends with a whole-collection update, which lays out once.
    if (FUpdateLock > 0 || !FConstructed || (FItems && FItems->GetUpdateCount() > 0)) return;
    UpdateLineCount();
    Invalidate();
    RefreshEditor();
    if (FAccessibleTree) TZkGridAccessibility::LinesChanged(this);
}

void TZkCustomItemListEditor::RefreshEditor() {
    TInplaceEdit* Editor = GetInplaceEditor();
    if (!Editor || !GetEditorMode()) return;
    // Hidden while the layout was deferred: it shows again over the current cell.
    if (!Editor->GetVisible()) {
        UpdateEdit();
        return;
    }
    if (Editor->GetEditText() != GetEditText(GetCol(), GetRow())) InvalidateEditor();
}

// The lists are views of the tree's line index and are exact at all times;
// rebuilding only brings the layout in step with them.
void TZkCustomItemListEditor::RebuildAllItems() {}

void TZkCustomItemListEditor::RebuildShownItems() {
    if (!FConstructed) return;
    UpdateLineCount();
    Invalidate();
    RefreshEditor();
}

void TZkCustomItemListEditor::ResyncShownSizes(TZkItemProps* Collection) {
    if (!Collection) return;
    for (int I = 0; I < Collection->GetCount(); ++I) {
        TZkItemProp* Item = Collection->GetItem(I);
        ResyncShownSizes(Item->FItems.get());
        Item->SyncSizes();
    }
}

bool TZkCustomItemListEditor::LayoutDeferred() const {
    return FUpdateLock > 0 || !FConstructed || IsDestroying() ||
           (FItems && FItems->GetUpdateCount() > 0);
}

void TZkCustomItemListEditor::ShownLinesChanging() {
    if (FRemembering || !FConstructed || IsDestroying()) return;
    if (LayoutDeferred()) {
        // The layout waits for the bracket, and the editor's cell would go
        // stale meanwhile; its text is its item's already, so it goes now.
        if (!IsEditorHeld()) HideEdit();
        return;
    }
    FRememberedCurrent = GetCurrentItem();
    FRemembering = true;
}

bool TZkCustomItemListEditor::TakeRememberedCurrent(TZkItemProp*& Current) {
    const bool Shifted = FRemembering;
    Current = FRememberedCurrent;
    FRemembering = false;
    FRememberedCurrent = nullptr;
    return Shifted;
}

void TZkCustomItemListEditor::LinesChanged() {
    TZkItemProp* Current = nullptr;
    const bool Shifted = TakeRememberedCurrent(Current);
    LinesChanged(Shifted, Current);
}

void TZkCustomItemListEditor::LinesChanged(bool Shifted, TZkItemProp* Current) {
    // Lines that did not shift keep the current item on its line: only the layout follows.
    if (!Shifted || LayoutDeferred()) {
        LayoutChanged();
        return;
    }
    TEditorHold Hold(*this);
    if (Current) {
        const int Index = FShownItems.IndexOf(Current);
        if (Index < 0) {
            Hold.Reload();
        } else {
            // Counted first, so that the item's line exists when lines came above it.
            UpdateLineCount();
            const int Line = GetLogical(lwFixedLines) + Index;
            if (Line != GetLogical(lwLine) && Line < GetLogical(lwLineCount)) MoveLineQuietly(Line);
        }
    }
    LayoutChanged();
}

void TZkCustomItemListEditor::ItemNotify(TZkItemProp*, TCollectionNotification) {
    LinesChanged();
}

void TZkCustomItemListEditor::ItemShownChanged(TZkItemProp*) {
    if (IsDestroying() || !FItems || FItems->GetUpdateCount() > 0) {
        TZkItemProp* Forgotten = nullptr;
        TakeRememberedCurrent(Forgotten);
        return;
    }
    LinesChanged();
}

// Moves the current line for the layout's sake: the item stays current, so
// nothing is committed, and a blank line is not dropped (the blank item may
// be the one just added).
void TZkCustomItemListEditor::MoveLineQuietly(int Line) {
    TValueRollback<bool> Quiet(FMovingQuietly, true);
    SetLogical(lwLine, Line);
}

void TZkCustomItemListEditor::SetShownRecursive(TZkItemProp* Item, bool) {
    // The line index follows every item on its own; only the layout needs telling.
    if (Item) LayoutChanged();
}

void TZkCustomItemListEditor::ItemsUpdate(TZkItemProp* Item) {
    TZkItemProp* Current = nullptr;
    const bool Shifted = TakeRememberedCurrent(Current);
    if (!FItems) return;
    HideItemHint();  // it may show a value that is gone
    if (Item && FAccessibleTree) TZkGridAccessibility::ValuesChanged(this, Item);
    const bool Idle = FItems->GetUpdateCount() == 0 && FUpdateLock == 0;
    // A whole collection changed (items moved, a bracket closed): the lists
    // are exact already, the layout and the current line follow.
    if (Idle && !Item)
        LinesChanged(Shifted, Current);
    else if (Idle)
        RefreshEditor();
}

void TZkCustomItemListEditor::ItemChanging() {
    if (FUpdateLock == 0) HideEditor();
}

void TZkCustomItemListEditor::UpdateLineCount() {
    int Fixed = GetLogical(lwFixedLines);
    int Shown = FShownItems.GetCount();
    int N = Fixed + (Shown > 0 ? Shown : 1);
    if (N == GetLogical(lwLineCount)) return;
    if (N <= GetLogical(lwLine)) MoveLineQuietly(N - 1);
    SetLogical(lwLineCount, N);
    if (FDisplayOptions.Contains(doColumnTitles) && GetLogical(lwLine) == 0 && N > 1)
        MoveLineQuietly(1);
}

void TZkCustomItemListEditor::FullCollapse() {
    TScopeExit Done([this] {
        FItems->EndUpdate();
        RebuildShownItems();
    });
    FItems->BeginUpdate();
    for (int I = 0; I < FItems->GetCount(); ++I) FItems->GetItem(I)->FullCollapse();
}

void TZkCustomItemListEditor::FullExpand() {
    TScopeExit Done([this] {
        FItems->EndUpdate();
        RebuildShownItems();
    });
    FItems->BeginUpdate();
    for (int I = 0; I < FItems->GetCount(); ++I) FItems->GetItem(I)->FullExpand();
}

void TZkCustomItemListEditor::SelectItem(TZkItemProp* Item) {
    if (Item && Item == GetCurrentItem()) return;
    if (!Item) {
        HideEditor();
        return;
    }
    for (TZkItemProp* P = Item->GetParentItem(); P; P = P->GetParentItem()) P->Expand();
    int Index = FShownItems.IndexOf(Item);
    if (Index < 0) return;
    // Inside a bracket the line count may lag behind the shown items.
    const int Line = GetLogical(lwFixedLines) + Index;
    if (Line >= GetLogical(lwLineCount)) UpdateLineCount();
    SetLogical(lwLine, Line);
}

TZkItemProp* TZkCustomItemListEditor::FindShownItem(const TVariant& Key, bool AutoCreate) {
    if (FShownItems.GetCount() == 0) return nullptr;
    int Index = -1;
    if (!Key.IsString() && Key.IsNumeric()) {
        Index = static_cast<int>(Key.AsInt64());
    } else {
        std::string Name = Key.AsString();
        for (int I = 0; I < FShownItems.GetCount() && Index < 0; ++I)
            if (FShownItems.GetItem(I)->GetDisplayName() == Name) Index = I;
        if (Index < 0) {
            if (AutoCreate) throw Exception("Property not found: %s", {Name});
            return nullptr;
        }
    }
    if (Index >= 0 && Index < FShownItems.GetCount()) return FShownItems.GetItem(Index);
    if (!AutoCreate) return nullptr;
    return FItems->InsertItem(std::clamp(Index, 0, FItems->GetCount()));
}

// ---- cell text ----

std::string TZkCustomItemListEditor::GetCellText(int ACol, int ARow) {
    int C = LogicalColumnOf(ACol, ARow);
    int R = LogicalLineOf(ACol, ARow);
    if (R == 0 && FDisplayOptions.Contains(doColumnTitles))
        return C >= 0 && C < FTitleCaptions->GetCount() ? FTitleCaptions->Get(C) : std::string();
    int I = R - GetLogical(lwFixedLines);
    if (I < 0 || I >= FShownItems.GetCount()) return std::string();
    TZkItemProp* Item = FShownItems.GetItem(I);
    if (C == 0) return Item->GetName();
    return C - 1 < GetValueColCount() ? Item->GetValues()->GetCellValue(C - 1) : std::string();
}

TFont* TZkCustomItemListEditor::GetCellValueFont(int ACol, int ARow) {
    TZkItemProp* Item = ItemAtCell(ACol, ARow, true);
    if (!Item) return FValueFont.get();
    return Item->GetColumnValueFont(GetLogical(lwColumn) - 1);
}

std::string TZkCustomItemListEditor::GetExpressionMask(int ACol, int ARow) {
    TZkItemProp* Item = ItemAtCell(ACol, ARow, true);
    return Item && Item->GetExpressionMask() ? Item->GetEditMask() : std::string();
}

// ---- properties ----

void TZkCustomItemListEditor::SetItems(TZkItemProps* Value) {
    FItems->Assign(Value);
}

void TZkCustomItemListEditor::SetTitleCaptions(TStrings* Value) {
    FTitleCaptions->Assign(Value);
}

bool TZkCustomItemListEditor::IsTitleCaptionsStored() const {
    return FTitleCaptions->GetTextStr() != "Property\r\nValue\r\n";
}

void TZkCustomItemListEditor::SetStrings(TStrings* Value) {
    FStrings->Assign(Value);
}

void TZkCustomItemListEditor::SetValueFont(TFont* Value) {
    FValueFont->Assign(Value);
}

void TZkCustomItemListEditor::SetCategoryFont(TFont* Value) {
    FCategoryFont->Assign(Value);
}

void TZkCustomItemListEditor::SetTitleCaptionFont(TFont* Value) {
    FTitleCaptionFont->Assign(Value);
}

void TZkCustomItemListEditor::SetMinusGlyph(TPicture* Value) {
    FMinusGlyph->Assign(Value);
}

void TZkCustomItemListEditor::SetPlusGlyph(TPicture* Value) {
    FPlusGlyph->Assign(Value);
}

void TZkCustomItemListEditor::SetIndent(int Value) {
    if (Value < 0 || Value == FIndent) return;
    FIndent = Value;
    Invalidate();
}

void TZkCustomItemListEditor::SetHideSelection(bool Value) {
    if (Value == FHideSelection) return;
    FHideSelection = Value;
    Invalidate();
}

void TZkCustomItemListEditor::SetArrangeByCategory(bool Value) {
    FArrangeByCategory = Value;
}

bool TZkCustomItemListEditor::GetSorted() const {
    return FItems && FItems->GetSorted();
}

void TZkCustomItemListEditor::SetSorted(bool Value) {
    if (FItems) FItems->SetSorted(Value);
}

void TZkCustomItemListEditor::SetDropDownRows(int Value) {
    if (Value <= 0 || Value == FDropDownRows) return;
    FDropDownRows = Value;
    if (TZkInplaceEditList* Editor = GetInplaceEditList()) Editor->SetDropDownRows(Value);
}

void TZkCustomItemListEditor::SetPropertyOptions(TILEPropOptions Value) {
    if (!Value.Contains(propEdit) && FPropertyOptions.Contains(propEdit)) Value.Exclude(propAdd);
    if (Value.Contains(propAdd) && !FPropertyOptions.Contains(propAdd)) Value.Include(propEdit);
    if (!Value.Contains(propEdit) && GetLogical(lwColumn) == 0) SetLogical(lwColumn, 1);
    FPropertyOptions = Value;
    if (Value.Contains(propEdit) && IsLoading()) SetLogical(lwColumn, 0);
}

void TZkCustomItemListEditor::SetDisplayOptions(TILEDisplayOptions Value) {
    // The title line and the column count move the current cell: it comes back afterwards.
    TZkItemProp* Current = GetCurrentItem();
    const int Column = GetLogical(lwColumn);
    TEditorHold Hold(*this);
    const bool TitlesChange =
        Value.Contains(doColumnTitles) != FDisplayOptions.Contains(doColumnTitles);
    if (TitlesChange) ApplyColumnTitles(Value.Contains(doColumnTitles));
    if (FDisplayOptions.Contains(doMultiColValues) && !Value.Contains(doMultiColValues))
        SetLogical(lwColCount, 2);
    const bool ReadOnlyRuleChange =
        Value.Contains(doShowReadOnly) != FDisplayOptions.Contains(doShowReadOnly);
    FDisplayOptions = Value;
    AutoColResize();
    // The shown rule changed for read-only items: the line index follows at once.
    if (ReadOnlyRuleChange && FItems) {
        ResyncShownSizes(FItems.get());
        RebuildShownItems();
    }
    LayoutChanged();
    if (!ReturnTo(Current, Column)) Hold.Reload();
}

bool TZkCustomItemListEditor::ReturnTo(TZkItemProp* Item, int Column) {
    if (!FConstructed || Column < 0 || Column >= GetLogical(lwColCount)) return false;
    int Line = GetLogical(lwLine);
    if (Item) {
        const int Index = FShownItems.IndexOf(Item);
        if (Index < 0) return false;
        Line = GetLogical(lwFixedLines) + Index;
    }
    if (Line < GetLogical(lwFixedLines) || Line >= GetLogical(lwLineCount)) return false;
    const TGridCoord Cell = CellOf(Column, Line);
    if (Cell.X == GetCol() && Cell.Y == GetRow()) return true;
    TValueRollback<bool> Quiet(FMovingQuietly, true);
    FocusCell(Cell.X, Cell.Y, true);
    return true;
}

void TZkCustomItemListEditor::SetGridColCount(int Value) {
    SetColCount(Value);
    if (FDisplayOptions.Contains(doAutoColResize)) AutoColResize();
}

void TZkCustomItemListEditor::SetOrientation(TZkGridOrientation Value) {
    if (Value == FOrientation) return;
    FOrientation = Value;
    OrientationChanged();
}

// ---- titles and orientation ----

void TZkCustomItemListEditor::ApplyColumnTitles(bool On) {
    BeginUpdate();
    TScopeExit Done([this] { EndUpdate(); });
    if (FOrientation == goVertical) {
        if (On) {
            if (GetRowCount() < 2) SetRowCount(2);
            SetFixedRows(1);
            if (GetFixedCols() == 1) SetFixedCols(0);
        } else {
            SetFixedRows(0);
        }
    } else {
        if (On) {
            if (GetColCount() < 2) SetGridColCount(2);
            SetFixedCols(1);
            if (GetFixedRows() == 1) SetFixedRows(0);
        } else {
            SetFixedCols(0);
        }
    }
}

void TZkCustomItemListEditor::OrientationChanged() {
    {
        // Counts and fixed lines are out of step until the end: nothing lays
        // out meanwhile, and the editor's text (handed over at every change)
        // is not written again on the way.
        BeginUpdate();
        TScopeExit Done([this] { EndUpdate(); });
        TEditorHider Hider(*this);
        TGridRect Sel = GetSelection();
        int Cols = GetColCount();
        int Rows = GetRowCount();
        // Grow first so that the fixed counts stay below both counts meanwhile.
        if (Rows > Cols) {
            SetGridColCount(Rows);
            SetRowCount(Cols);
        } else {
            SetRowCount(Cols);
            SetGridColCount(Rows);
        }
        ApplyColumnTitles(FDisplayOptions.Contains(doColumnTitles));
        SetSelection(TGridRect{Sel.Top, Sel.Left, Sel.Bottom, Sel.Right});
    }
    LayoutChanged();
}

// ---- column sizing ----

void TZkCustomItemListEditor::AutoColResize() {
    if (FSizingGuard || !HandleAllocated() || !GetShowing() ||
        !FDisplayOptions.Contains(doAutoColResize))
        return;
    const int Cols = GetColCount();
    if (Cols < 2) return;
    const int Width = GetClientWidth();
    int Sum = 0;
    for (int I = 0; I < Cols; ++I) Sum += GetColWidths(I);
    if (Width == Sum + 2) return;
    FSizingGuard = true;
    TScopeExit Done([this] { FSizingGuard = false; });
    if (FDisplayOptions.Contains(doKeyColFixed)) {
        int Each = (Width - GetColWidths(0) - 2) / (Cols - 1);
        for (int I = 1; I < Cols; ++I) SetColWidths(I, std::max(Each, 0));
    } else {
        int Half = (Width - 2) / 2;
        SetColWidths(0, std::max(Half, 0));
        int Each = (Half + (Width - 2) % 2) / (Cols - 1);
        for (int I = 1; I < Cols; ++I) SetColWidths(I, std::max(Each, 0));
    }
}

void TZkCustomItemListEditor::CalcSizingState(int X, int Y, TGridState& State, int& Index,
                                              int& SizingPos, int& SizingOfs,
                                              TGridDrawInfo& FixedInfo) {
    State = gsNormal;
    Index = -1;
    FixedInfo.Vert.GridExtent = GetClientHeight();
    FixedInfo.Horz.GridExtent = GetClientWidth();
    // Borders can be grabbed in every line, not only in the title line.
    if (GetOptions().Contains(goColSizing)) {
        int MX = UseRightToLeftAlignment() ? GetClientWidth() - X : X;
        if (FindSizingBorder(FixedInfo.Horz, MX, Index, SizingPos, SizingOfs)) State = gsColSizing;
    } else if (GetOptions().Contains(goRowSizing)) {
        if (FindSizingBorder(FixedInfo.Vert, Y, Index, SizingPos, SizingOfs)) State = gsRowSizing;
    }
}

void TZkCustomItemListEditor::ColWidthsChanged() {
    TCustomDrawGrid::ColWidthsChanged();
    AutoColResize();
}

void TZkCustomItemListEditor::Resize() {
    TCustomDrawGrid::Resize();
    AutoColResize();
}

void TZkCustomItemListEditor::ShowingChanged() {
    TCustomDrawGrid::ShowingChanged();
    AutoColResize();
}

void TZkCustomItemListEditor::CreateWnd() {
    TCustomDrawGrid::CreateWnd();
    SetScrollBarRange(true, 0, 0);
    UpdateScrollRange();
}

void TZkCustomItemListEditor::Loaded() {
    TCustomDrawGrid::Loaded();
    LayoutChanged();
    if (!FFilterText.empty()) ApplyFilter();
}

void TZkCustomItemListEditor::RowMoved(int FromIndex, int ToIndex) {
    // The lines' items trade places when both are top-level items.
    TZkItemProp* From = ItemAtCell(CellOf(0, FromIndex).X, CellOf(0, FromIndex).Y, true);
    TZkItemProp* To = ItemAtCell(CellOf(0, ToIndex).X, CellOf(0, ToIndex).Y, true);
    if (From && To && From != To && !From->GetParentItem() && !To->GetParentItem()) {
        const int A = From->GetIndex();
        const int B = To->GetIndex();
        From->SetIndex(B);
        To->SetIndex(A);
    }
    TCustomDrawGrid::RowMoved(FromIndex, ToIndex);
}

// ---- fonts ----

void TZkCustomItemListEditor::FontChanged() {
    TCustomDrawGrid::FontChanged();
    // The delta fonts follow first, so category items copy the new CategoryFont.
    if (FTitleCaptionFont) FTitleCaptionFont->FollowParent(GetFont());
    if (FCategoryFont) FCategoryFont->FollowParent(GetFont());
    if (FValueFont) FValueFont->FollowParent(GetFont());
    if (FItems)
        for (int I = 0; I < FItems->GetCount(); ++I) FItems->GetItem(I)->ParentFontChanged(nullptr);
    Invalidate();
}

void TZkCustomItemListEditor::DeltaFontChange(TObject*) {
    ValueFontChanged();
}

void TZkCustomItemListEditor::CategoryFontChange(TObject*) {
    CategoryFontChanged();
}

void TZkCustomItemListEditor::TitleFontChange(TObject*) {
    TitleCaptionFontChanged();
}

void TZkCustomItemListEditor::ValueFontChanged() {
    if (!FItems) return;
    for (int I = 0; I < FItems->GetCount(); ++I) FItems->GetItem(I)->ParentValueFontChanged();
}

void TZkCustomItemListEditor::CategoryFontChanged() {
    if (FArrangeByCategory) Invalidate();
}

void TZkCustomItemListEditor::TitleCaptionFontChanged() {
    if (FDisplayOptions.Contains(doColumnTitles)) Invalidate();
}

void TZkCustomItemListEditor::TitleCaptionsChange(TObject*) {
    TitleCaptionsChanged();
}

void TZkCustomItemListEditor::TitleCaptionsChanged() {
    if (FDisplayOptions.Contains(doColumnTitles)) LayoutChanged();
}

void TZkCustomItemListEditor::GlyphChange(TObject*) {
    Invalidate();
}

int TZkCustomItemListEditor::CompareNames(const std::string& S1, const std::string& S2) const {
    return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

// ---- TZkItemListEditor ----

ZK_IMPLEMENT_CLASS(TZkItemListEditor)
void TZkItemListEditor::DescribeClass(TClassBuilder<TZkItemListEditor>& C) {
    PublishGridProperties(C);
}

TZkItemListEditor::TZkItemListEditor(TComponent* AOwner) : TZkCustomItemListEditor(AOwner) {}

}  // namespace zk
