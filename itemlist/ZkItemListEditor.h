// The item-list grid: TZkCustomItemListEditor shows a tree of TZkItemProp as lines of name and
// value cells; TZkItemListEditor publishes it. Also the name=value view TZkItemStrings and the
// pre-order views of all items and of shown items.
#pragma once
#include <string>
#include <vector>

#include "itemlist/ZkItemProp.h"
#include "platform/core/Types.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Grids.h"

namespace zk {

class TZkCustomDeltaFont;
class TZkHintWindow;
class TZkInplaceEditList;

// A read-only pre-order view over the tree: every item (AllItems) or the
// items that occupy lines (ShownItems). It is computed from the tree's line
// index, so it is exact after every change, also inside update brackets,
// and indexing costs O(depth x log width) instead of a walk.
class TZkItemList {
public:
    enum TKind { lkAll, lkShown };
    TZkItemList(const TZkCustomItemListEditor* Grid, TKind Kind) : FGrid(Grid), FKind(Kind) {}

    int GetCount() const;
    // "List index out of bounds (%d)" outside 0..Count-1.
    TZkItemProp* GetItem(int Index) const;
    TZkItemProp* operator[](int Index) const { return GetItem(Index); }
    // -1 when Item is not in the list.
    int IndexOf(const TZkItemProp* Item) const;
    bool Contains(const TZkItemProp* Item) const { return IndexOf(Item) >= 0; }

private:
    const TZkCustomItemListEditor* FGrid;  // the grid whose tree this views
    TKind FKind;
};

// The grid's tree as name=value lines: full name, "=", value text; the
// object of a line is the item's Data. Inserting a line adds its path.
class TZkItemStrings : public TStrings {
    ZK_CLASS(TZkItemStrings, TStrings)
public:
    TZkItemStrings() = default;
    explicit TZkItemStrings(TZkCustomItemListEditor* AGrid) : FGrid(AGrid) {}

    TZkCustomItemListEditor* GetGrid() const { return FGrid; }
    bool GetShowVisibleOnly() const { return FShowVisibleOnly; }
    void SetShowVisibleOnly(bool Value) { FShowVisibleOnly = Value; }

    int GetCount() const override;
    std::string Get(int Index) const override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    // The item lands where its collection puts it, not at Index.
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    // Name is a full path.
    int IndexOfName(const std::string& Name) const override;
    // Data as the object of line Index, for callers that keep integers there.
    int GetData(int Index) const;
    void SetData(int Index, int Value);

private:
    TZkItemProp* ItemOf(int Index) const;

    TZkCustomItemListEditor* FGrid = nullptr;  // owns this view
    bool FShowVisibleOnly = false;
};

// Quantities of the logical layout, mapped onto grid rows and columns by Orientation.
ZK_ENUM(TZkLogicalWhat, uint8_t, lwColumn, lwLine, lwColCount, lwLineCount, lwFixedCols,
        lwFixedLines)

// A grid of items: one line per shown item (name cell, then value cells),
// an optional title line, expand/collapse glyphs, categories, sorting, two
// orientations, in-place editing and pop-up hints. Item logic works in
// logical columns (0 = name) and lines; Orientation maps them onto the grid.
class TZkCustomItemListEditor : public TCustomDrawGrid {
    ZK_CLASS(TZkCustomItemListEditor, TCustomDrawGrid)
public:
    explicit TZkCustomItemListEditor(TComponent* AOwner);
    ~TZkCustomItemListEditor() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    // ---- introduced operations, in slot order ----
    // The item's EditMask when it is a regular expression, else empty.
    virtual std::string GetExpressionMask(int ACol, int ARow);
    // Value columns follow the client width (doAutoColResize).
    virtual void AutoColResize();
    // Line count := fixed lines + shown items (at least one item line).
    virtual void UpdateLineCount();
    virtual int CompareNames(const std::string& S1, const std::string& S2) const;
    // Called right after Items is created.
    virtual void ItemsCreated();
    // Validates the current item when the editor's text was modified.
    virtual void CommitEdit();
    virtual void BeginUpdate();
    virtual void EndUpdate();
    virtual void DoGetPickListItems(int ACol, int ARow, TStrings* List);
    virtual void DoEditButtonClick();
    // A shown item by line index or display name; with AutoCreate a missing
    // index inserts a top-level item, a missing name raises "Property not found: %s".
    virtual TZkItemProp* FindShownItem(const TVariant& Key, bool AutoCreate);
    virtual TZkItemProp* ItemAtCell(int ACol, int ARow, bool SkipFixed) const;
    virtual std::string GetCellText(int ACol, int ARow);
    virtual TFont* GetCellValueFont(int ACol, int ARow);
    virtual bool GetPickListItems(TZkItemProp* Item, TStrings* List, bool ClearFirst);
    // Column 0 sets the name, column c the value string c - 1; a line beyond
    // the shown items gets a new item first.
    virtual void SetCellText(int ACol, int ARow, const std::string& Value);
    virtual void SetArrangeByCategory(bool Value);
    virtual void SetDisplayOptions(TILEDisplayOptions Value);
    virtual void FullCollapse();
    virtual void FullExpand();
    // Filing under categories; where it lands is the categorising logic's.
    virtual void CategorizeItem(TZkItemProp* Item, TStrings* Categories, bool MultiCategory);
    virtual void CategorizeItems(TZkItemProps* Collection, TStrings* Categories,
                                 bool MultiCategory);
    virtual void DeleteItemAt(int ACol, int ARow);
    // The category item that Item, named Name, files under; null when none.
    virtual TZkItemProp* GetCategoryItem(TZkItemProp* Item, const std::string& Name);
    // The category of that name in Collection, added when missing.
    TZkItemProp* FindOrAddCategory(TZkItemProps* Collection, const std::string& Name);
    // Relayout, repaint and editor refresh, unless an update bracket is open.
    virtual void LayoutChanged();

    // ---- dynamic operations ----
    virtual TFont* GetParentFont() const;
    virtual void ValueFontChanged();
    virtual void TitleCaptionFontChanged();
    virtual void CategoryFontChanged();
    virtual void TitleCaptionsChanged();
    // A new collection of TZkItemProp owned by Owner (this grid or an item).
    virtual TZkItemProps* CreateItemCollection(TPersistent* Owner);
    virtual void ItemNotify(TZkItemProp* Item, TCollectionNotification Action);
    virtual void OrientationChanged();
    // Item changed (null: a whole collection).
    virtual void ItemsUpdate(TZkItemProp* Item);
    // A layout change is coming: the editor closes unless an update is open.
    virtual void ItemChanging();
    virtual void GetItemHint(TZkItemProp* Item, int ACol, std::string& Hint, int ARow);
    // A top-level item's showing state, or its subtree's, changed.
    virtual void ItemShownChanged(TZkItemProp* Item);
    virtual void SetShownRecursive(TZkItemProp* Item, bool ParentShown);
    // The shown lines are about to change: the current item is remembered
    // for ItemShownChanged to find its line again.
    void ShownLinesChanging();

    // ---- logical coordinates ----
    int GetLogical(TZkLogicalWhat What) const;
    void SetLogical(TZkLogicalWhat What, int Value);
    bool IsValueCell(int ACol, int ARow) const;
    int LogicalColumnOf(int ACol, int ARow) const;
    int LogicalLineOf(int ACol, int ARow) const;
    // The grid cell of a logical column and line.
    TGridCoord CellOf(int LogicalCol, int LogicalLine) const;
    TZkItemProp* GetCurrentItem() const;
    // Value columns: logical column count - 1.
    int GetValueColCount() const { return GetLogical(lwColCount) - 1; }

    // ---- the tree and its lists ----
    TZkItemProps* GetItems() const { return FItems.get(); }
    void SetItems(TZkItemProps* Value);
    const TZkItemList& GetAllItems() const { return FAllItems; }
    const TZkItemList& GetShownItems() const { return FShownItems; }
    void RebuildAllItems();
    void RebuildShownItems();
    // Expands the ancestors and makes Item's line current; null hides the editor.
    void SelectItem(TZkItemProp* Item);
    int GetUpdateLock() const { return FUpdateLock; }
    // A line changed inside an update bracket: the grid repaints as a whole when it closes.
    void RepaintWhenUpdated() { FRepaintPending = true; }
    bool IsUpdating() const;

    // ---- properties ----
    TStringList* GetTitleCaptions() const { return FTitleCaptions.get(); }
    void SetTitleCaptions(TStrings* Value);
    TILEDisplayOptions GetDisplayOptions() const { return FDisplayOptions; }
    int GetDropDownRows() const { return FDropDownRows; }
    void SetDropDownRows(int Value);
    TILEPropOptions GetPropertyOptions() const { return FPropertyOptions; }
    void SetPropertyOptions(TILEPropOptions Value);
    const std::string& GetPathDelimiter() const { return FPathDelimiter; }
    void SetPathDelimiter(const std::string& Value) { FPathDelimiter = Value; }
    bool GetCaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
    bool GetSorted() const;
    void SetSorted(bool Value);
    TZkCustomDeltaFont* GetValueFont() const { return FValueFont.get(); }
    void SetValueFont(TFont* Value);
    TZkCustomDeltaFont* GetCategoryFont() const { return FCategoryFont.get(); }
    void SetCategoryFont(TFont* Value);
    TZkCustomDeltaFont* GetTitleCaptionFont() const { return FTitleCaptionFont.get(); }
    void SetTitleCaptionFont(TFont* Value);
    int GetIndent() const { return FIndent; }
    void SetIndent(int Value);
    TPicture* GetMinusGlyph() const { return FMinusGlyph.get(); }
    void SetMinusGlyph(TPicture* Value);
    TPicture* GetPlusGlyph() const { return FPlusGlyph.get(); }
    void SetPlusGlyph(TPicture* Value);
    TZkItemStrings* GetStrings() const { return FStrings.get(); }
    void SetStrings(TStrings* Value);
    bool GetArrangeByCategory() const { return FArrangeByCategory; }
    TZkGridOrientation GetOrientation() const { return FOrientation; }
    void SetOrientation(TZkGridOrientation Value);
    bool GetHideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    TZkHintWindow* GetHintWindow() const { return FHintWindow; }
    TGridShowHints GetShowItemHintStyle() const { return FShowItemHintStyle; }
    void SetShowItemHintStyle(TGridShowHints Value) { FShowItemHintStyle = Value; }
    bool GetDropBlankLines() const { return FDropBlankLines; }
    void SetDropBlankLines(bool Value) { FDropBlankLines = Value; }
    const std::string& GetPendingName() const { return FPendingName; }
    // ColCount, then AutoColResize under doAutoColResize.
    void SetGridColCount(int Value);
    void ApplyColumnTitles(bool On);

    const TNotifyEvent& GetOnEditButtonClick() const { return FOnEditButtonClick; }
    void SetOnEditButtonClick(const TNotifyEvent& Value) { FOnEditButtonClick = Value; }
    const TZkGetPickListEvent& GetOnGetPickList() const { return FOnGetPickList; }
    void SetOnGetPickList(const TZkGetPickListEvent& Value) { FOnGetPickList = Value; }
    const TZkOnValidateEvent& GetOnValidate() const { return FOnValidate; }
    void SetOnValidate(const TZkOnValidateEvent& Value) { FOnValidate = Value; }
    const TZkGetCategoryEvent& GetOnCategorize() const { return FOnCategorize; }
    void SetOnCategorize(const TZkGetCategoryEvent& Value) { FOnCategorize = Value; }
    const TZkOnShowHintsEvent& GetOnShowHints() const { return FOnShowHints; }
    void SetOnShowHints(const TZkOnShowHintsEvent& Value) { FOnShowHints = Value; }

    // ---- painting and hints ----
    // Text measured word-wrapped in Font, plus the hint window's margins.
    void MeasureHint(int MaxWidth, const std::string& Text, TRect& R, TFont* Font);
    // The rectangle of an item's glyph in its name cell.
    TRect GlyphRect(const TRect& CellRect, const TZkItemProp* Item) const;
    // The grid or its editor has the focus.
    bool HasFocus() const;

    // ---- search ----
    // Shows only the lines whose name, value text or full name contains
    // FilterText (ASCII letters folded), with their ancestors; clearing it
    // gives back the tree as it was, expansion included. Lines added or
    // changed meanwhile are not searched again until ApplyFilter.
    const std::string& GetFilterText() const { return FFilterText; }
    void SetFilterText(const std::string& Value);
    // Searching also reaches items under collapsed ones, which open while
    // the text stays; otherwise only what is expanded is searched.
    bool GetFilterCollapsed() const { return FFilterCollapsed; }
    void SetFilterCollapsed(bool Value);
    // Searches the tree again as it is now.
    void ApplyFilter();
    // The byte offset of FilterText in Text, npos when absent or no search runs.
    size_t FilterMatch(const std::string& Text) const;

    // ---- options beyond the classic grid; each is off by default ----
    // Alt+Right and Alt+Left open and close the current line, Alt+Shift+Right
    // opens it fully, and a double click on a name cell toggles it.
    bool GetTreeKeys() const { return FTreeKeys; }
    void SetTreeKeys(bool Value) { FTreeKeys = Value; }
    // The wheel scrolls the view: the current line stays and nothing is committed.
    bool GetWheelScrolls() const { return FWheelScrolls; }
    void SetWheelScrolls(bool Value) { FWheelScrolls = Value; }
    // Ctrl+Shift+C copies the selected lines, Ctrl+Shift+V pastes lines (see PasteLines).
    bool GetClipboardKeys() const { return FClipboardKeys; }
    void SetClipboardKeys(bool Value) { FClipboardKeys = Value; }

    // The grid shows itself to Qt's accessibility layer as a tree table: a
    // row per line with name and value cells, expand and collapse actions,
    // focus and value events.
    bool GetAccessibleTree() const { return FAccessibleTree; }
    void SetAccessibleTree(bool Value);

    // Draws through the widget's QStyle: branch glyphs and editor buttons
    // sized from the font and the device pixel ratio, the whole current line
    // in the palette's highlight (muted while the window is inactive), text
    // elided with "...", line heights from the font, category lines as
    // shaded bands. Off, the classic look.
    bool GetNativeLook() const { return FNativeLook; }
    void SetNativeLook(bool Value);
    // Side of the branch glyph in the native look, in device-independent pixels.
    int NativeGlyphSize() const;
    // The indent per level the look uses: Indent, or one glyph and a margin natively.
    int LevelIndent() const;

    // ---- clipboard text ----
    // The selected lines as "full name=value" lines, the value as its cell
    // shows it (the current value column, or the first).
    std::string CopyLines();
    // Writes each "full name=value" line into the item of that full name and
    // commits it as leaving its cell would (validation and messages
    // included). A line that fails is reported and leaves its item as it
    // was; the others go on. Returns the number of lines committed.
    int PasteLines(const std::string& Text);

    // ---- view state ----
    // The first scrolled-in line (TopRow, or LeftCol when horizontal).
    int GetTopLine() const;
    void SetTopLine(int Value);
    // Full names of the items the user opened (not those a search opened).
    std::vector<std::string> GetExpandedPaths() const;
    // Opens the items of these full names, where they have children.
    void ExpandPaths(const std::vector<std::string>& Paths);

    // ---- keyboard editing ----
    // propAdd is set and the current line's name is not empty.
    bool CanAddItem();
    // Fills the current blank line, or adds (Append) or inserts a top-level
    // item there, named Name with ValueText; returns its line.
    int AddItemLine(const std::string& Name, const std::string& ValueText, bool Append);
    // Escape: back to the cell's text when it was edited, else a blank
    // current line goes.
    void CancelEdit();
    // The cell editor; null until first shown.
    TZkInplaceEditList* GetInplaceEditList() const;

protected:
    // ---- grid base steps ----
    void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                         int& SizingOfs, TGridDrawInfo& FixedInfo) override;
    TInplaceEdit* CreateEditor() override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void DeleteColumn(int ACol) override;
    void DeleteRow(int ARow) override;
    std::string GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const std::string& Value) override;
    std::string GetEditMask(int ACol, int ARow) override;
    TEditStyle GetEditStyle(int ACol, int ARow) override;
    bool CanEditModify() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void DoExit() override;
    void Resize() override;
    void ColWidthsChanged() override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void FontChanged() override;
    void ShowingChanged() override;
    void MouseLeave() override;
    void CreateWnd() override;
    void Loaded() override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    // The keys of TreeKeys and ClipboardKeys, from the grid or its editor;
    // true when Key was one of them, which then reaches nothing else.
    virtual bool DoCommandKey(uint16_t Key, TShiftState Shift);

    // Publishes the grid's properties, with their stream defaults, for a
    // class that publishes the grid (the item list, the inspector); defined
    // in ZkItemListPublish.h. The inspector searches collapsed rows by default.
    template <class C>
    static void PublishGridProperties(TClassBuilder<C>& B, bool FilterCollapsedDefault = false);

    // Accessors for the published properties.
    bool IsTitleCaptionsStored() const;
    void SetColCountProp(int Value) { SetGridColCount(Value); }
    void SetOptionsProp(TGridOptions Value) { SetOptions(Value); }

private:
    friend class TZkItemProps;
    friend class TZkItemProp;
    friend class TZkItemList;
    friend class TZkInplaceEditList;
    friend class TZkGridAccessible;
    friend class TZkGridAccessibility;
    class TEditorHider;
    class TEditorHold;
    struct TFilterPath;

    void InitFonts();
    TZkCustomDeltaFont* NewDeltaFont(void (TZkCustomItemListEditor::*Handler)(TObject*));
    void DeltaFontChange(TObject* Sender);
    void CategoryFontChange(TObject* Sender);
    void TitleFontChange(TObject* Sender);
    void GlyphChange(TObject* Sender);
    void TitleCaptionsChange(TObject* Sender);
    void AskParentFont(TObject* Sender, TFont*& ParentFont);
    void ResyncShownSizes(TZkItemProps* Collection);
    void RefreshEditor();
    // Moves the current line under the same item (the lines moved): no commit, no blank-line drop.
    void MoveLineQuietly(int Line);
    // A bracket is open (or the grid is not whole): layout waits.
    bool LayoutDeferred() const;
    // Whether the shown lines shifted since ShownLinesChanging, and the item
    // that was current then; both are forgotten at once.
    bool TakeRememberedCurrent(TZkItemProp*& Current);
    // The items changed: lays out, and when the lines shifted makes the line
    // of the item that was current before current again, the editor going
    // along; when that item no longer shows, the editor reloads.
    void LinesChanged();
    void LinesChanged(bool Shifted, TZkItemProp* Current);
    // Makes Item's line (or, without Item, the current line) and logical
    // Column current again, quietly; false when that cell is gone.
    bool ReturnTo(TZkItemProp* Item, int Column);
    // Item may have moved from OldLine (a sorted rename): its line becomes
    // current, quietly. False when Item no longer shows; the caller holds the editor.
    bool FollowItem(TZkItemProp* Item, int OldLine);
    // SetEditText's writing step; returns the item written to, if any.
    TZkItemProp* WriteEditText(int ACol, int ARow, const std::string& Value);
    void ShowItemHint(int X, int Y);
    void HideItemHint();
    TFont* CellFont(TZkItemProp* Item, int ACol, int ARow, bool& Disabled);
    int SizingZone(int LineWidth) const;
    // Search steps: marks FilteredOut under Items (the path of their parent
    // in Path, whose full name matched already with Inherited); true when
    // an item below matched on its own.
    bool FilterLevel(TZkItemProps* Items, TFilterPath& Path, bool Inherited);
    // Forgets every mark; items the search opened close again.
    void ClearFilterMarks(TZkItemProps* Items);
    bool WheelScroll(int Lines);
    // One "full name=value" line into its item; false when it was refused.
    bool PasteLine(const std::string& Line);
    // The native look's cell painting and the line height it takes from the font.
    void DrawNativeCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    void DrawNativeTitle(int ACol, int ARow, const TRect& ARect);
    int NativeRowHeight() const;
    // Paints the part of a cell's text the search found, behind the text.
    void MarkFilterMatch(const std::string& Text, const TRect& Clip, int X, int Y);

    TOwned<TZkItemProps> FItems;
    TOwned<TStringList> FTitleCaptions;
    TILEDisplayOptions FDisplayOptions = TILEDisplayOptions::FromInt(15);
    int FDropDownRows = 8;
    TZkInplaceEditList* FInplaceEditor = nullptr;  // owned by the grid base as its cell editor
    std::string FPendingName;
    bool FDeletingGuard = false;
    int FSavedShownCount = 0;
    int FUpdateLock = 0;
    bool FRepaintPending = false;
    bool FSizingGuard = false;
    TNotifyEvent FOnEditButtonClick;
    TZkGetPickListEvent FOnGetPickList;
    TZkOnValidateEvent FOnValidate;
    TILEPropOptions FPropertyOptions;
    TZkItemList FAllItems{this, TZkItemList::lkAll};
    TZkItemList FShownItems{this, TZkItemList::lkShown};
    std::string FPathDelimiter = ".";
    bool FCaseSensitive = false;
    TOwned<TZkCustomDeltaFont> FValueFont;
    int FIndent = 11;
    TOwned<TPicture> FMinusGlyph;
    TOwned<TPicture> FPlusGlyph;
    TOwned<TZkItemStrings> FStrings;
    bool FArrangeByCategory = false;
    TOwned<TZkCustomDeltaFont> FCategoryFont;
    TZkGetCategoryEvent FOnCategorize;
    TOwned<TZkCustomDeltaFont> FTitleCaptionFont;
    TZkGridOrientation FOrientation = goVertical;
    bool FHideSelection = true;
    TZkHintWindow* FHintWindow = nullptr;  // owned as a sub-component
    TGridShowHints FShowItemHintStyle = shValueAndHint;
    TZkOnShowHintsEvent FOnShowHints;
    TPoint FLastHintPos{-1, -1};
    bool FDropBlankLines = true;
    bool FConstructed = false;  // the constructor has finished; layout may run
    // The current item before the shown lines changed; cleared by every
    // notification that ends such a change, so it never outlives its item.
    TZkItemProp* FRememberedCurrent = nullptr;
    bool FRemembering = false;
    bool FMovingQuietly = false;  // MoveLineQuietly is running
    std::string FFilterText;
    std::string FFilterFolded;  // FilterText with ASCII letters folded to lower case
    bool FFilterCollapsed = false;
    bool FTreeKeys = false;
    bool FWheelScrolls = false;
    bool FClipboardKeys = false;
    bool FAccessibleTree = false;
    bool FAccessibleBuilt = false;  // Qt asked for the grid's tree-table interface once
    bool FNativeLook = false;
    int FClassicRowHeight = 18;  // DefaultRowHeight to go back to when the native look ends
};

// The item-list grid with its properties published.
class TZkItemListEditor : public TZkCustomItemListEditor {
    ZK_CLASS(TZkItemListEditor, TZkCustomItemListEditor)
public:
    explicit TZkItemListEditor(TComponent* AOwner);
};

}  // namespace zk
