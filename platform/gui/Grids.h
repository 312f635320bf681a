// Grids: the owner-drawn grid TCustomGrid, TCustomDrawGrid and TDrawGrid, and its cell editor
// TInplaceEdit.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Event.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TypInfo.h"
#include "platform/core/Types.h"
#include "platform/gui/Controls.h"
#include "platform/gui/MaskEdit.h"

class QScrollBar;
class QWidget;

namespace zk {

class TCustomGrid;

// Raised for indexes outside the grid and for fixed counts that leave no scrolling cell.
ZK_DECLARE_EXCEPTION(EInvalidGridOperation, Exception)

// Member order fixes the set's bits: [goFixedVertLine..goHorzLine, goColSizing,
// goEditing, goAlwaysShowEditor, goThumbTracking] is 25743.
ZK_ENUM(TGridOption, uint8_t, goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine,
        goRangeSelect, goDrawFocusSelected, goRowSizing, goColSizing, goRowMoving, goColMoving,
        goEditing, goTabs, goRowSelect, goAlwaysShowEditor, goThumbTracking)
ZK_SET(TGridOptions, TGridOption)
ZK_ENUM(TGridDrawStateItem, uint8_t, gdSelected, gdFocused, gdFixed)
ZK_SET(TGridDrawState, TGridDrawStateItem)
ZK_ENUM(TGridState, uint8_t, gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving,
        gsColMoving)
// How a cell is edited: typed text only, with an ellipsis button, or with a drop-down list.
ZK_ENUM(TEditStyle, uint8_t, esSimple, esEllipsis, esPickList)

inline const TGridOptions DefaultGridOptions = {goFixedVertLine, goFixedHorzLine, goVertLine,
                                                goHorzLine, goRangeSelect};

struct TGridCoord {
    int X = 0;
    int Y = 0;
    bool operator==(const TGridCoord&) const = default;
};

// A block of cells; all four bounds are inclusive cell indexes.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    TGridCoord TopLeft() const { return {Left, Top}; }
    TGridCoord BottomRight() const { return {Right, Bottom}; }
    bool Contains(int ACol, int ARow) const {
        return ACol >= Left && ACol <= Right && ARow >= Top && ARow <= Bottom;
    }
    bool operator==(const TGridRect&) const = default;
};

// Where one axis of the grid lies in the client area, in pixels from the
// client's left (or top) edge. Cells are separated by EffectiveLineWidth.
struct TGridAxisDrawInfo {
    int EffectiveLineWidth = 0;   // GridLineWidth, or 0 when no line option of this axis is set
    int FixedBoundary = 0;        // end of the fixed cells, their lines included
    int GridBoundary = 0;         // end of the drawn cells; GridExtent when the last one is cut off
    int GridExtent = 0;           // the client width (height)
    int LastFullVisibleCell = 0;  // the last cell shown whole (FirstGridCell when none is)
    int FullVisBoundary = 0;      // end of LastFullVisibleCell, its line included
    int FixedCellCount = 0;
    int FirstGridCell = 0;              // the first scrolled-in cell: LeftCol or TopRow
    int GridCellCount = 0;              // ColCount or RowCount
    std::function<int(int)> GetExtent;  // width (height) of a cell by index
};

struct TGridDrawInfo {
    TGridAxisDrawInfo Horz;
    TGridAxisDrawInfo Vert;
};

ZK_EVENT(TDrawCellEvent,
         void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State))
ZK_EVENT(TGetEditEvent, void(TObject* Sender, int ACol, int ARow, std::string& Value))
ZK_EVENT(TSetEditEvent, void(TObject* Sender, int ACol, int ARow, const std::string& Value))
ZK_EVENT(TSelectCellEvent, void(TObject* Sender, int ACol, int ARow, bool& CanSelect))
ZK_EVENT(TMovedEvent, void(TObject* Sender, int FromIndex, int ToIndex))

// The grid's cell editor: a masked edit without a frame placed over the
// current cell. The grid creates it once through CreateEditor, owns it (as
// owner component and parent) and moves it from cell to cell. Text changes
// reach the grid's SetEditText; Enter, Escape, Tab, Up, Down, Page Up and
// Page Down (and Left/Right/Home/End at the text's edges with
// goAlwaysShowEditor) go to the grid's KeyDown after the editor's own handling.
class TInplaceEdit : public TCustomMaskEdit {
    ZK_CLASS(TInplaceEdit, TCustomMaskEdit)
public:
    explicit TInplaceEdit(TComponent* AOwner);
    ~TInplaceEdit() override;

    // The grid this editor works for; null until the grid adopts it.
    TCustomGrid* GetGrid() const { return FGrid; }

    // Called by the grid when the editor moves to a cell: the cell's mask and
    // text (GetEditMask, GetEditText) become the editor's, and the text it
    // goes back to on Reset. The grid's SetEditText is not called for this.
    virtual void UpdateContents();
    // Called after the editor was placed over a cell: sets the formatting
    // rectangle (a 2-pixel margin left and top) and scrolls the caret into view.
    virtual void BoundsChanged();

    // Places the editor over Loc (grid client coordinates) and shows it; an
    // empty Loc hides it. UpdateLoc does the same without forcing a repaint.
    void Move(const TRect& Loc);
    void UpdateLoc(const TRect& Loc);
    // Hides the editor, giving the focus back to the grid when it had it.
    void Hide();
    void Deselect();
    // Repaints the editor and the grid's surface under it.
    void Invalidate() override;
    void SetFocus() override;

protected:
    friend class TCustomGrid;
    void SetGrid(TCustomGrid* Value) { FGrid = Value; }

    void Change() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(uint16_t& Key, TShiftState Shift) override;
    void DblClick() override;
    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    // Runs whenever the editor's window loses the focus, to the grid or
    // elsewhere; it does not validate the mask (leaving is the grid's business).
    void DoExit() override;
    bool EditCanModify() const override;
    // Focus arriving at the editor counts as the grid's: the form keeps the
    // grid as its active control, so the grid's DoExit runs when both lose it.
    bool HandleWidgetEvent(QEvent* E) override;

private:
    void SendToGrid(uint16_t& Key, TShiftState Shift);
    void FireGridKeyDown(uint16_t& Key, TShiftState Shift);
    void InternalMove(const TRect& Loc, bool Redraw);
    bool AtLeftEdge() const;
    bool AtRightEdge() const;

    TCustomGrid* FGrid = nullptr;  // the owning grid, which also owns this editor as a component
    bool FLoadingContents = false;
    bool FHiding = false;  // Hide hands the focus to the grid before the editor goes
};

// The owner-drawn grid: rows and columns of cells, the first FixedRows and
// FixedCols of them fixed (they do not scroll), painted cell by cell through
// DrawCell for the visible cells only. Sizes, scrolling, selection, the
// keyboard, the mouse, column and row sizing and moving, and in-place editing
// are the grid's; what a cell holds is the descendant's.
//
// Null behaviour: CellRect answers an empty rectangle for a cell that is not
// in view; MouseCoord answers (-1, -1) off the cells.
class TCustomGrid : public TCustomControl {
    ZK_CLASS(TCustomGrid, TCustomControl)
public:
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;
    void BeforeDestruction() override;

    // ---- size and layout ----
    int GetColCount() const { return FColCount; }
    // Below 1 counts as 1; FixedCols shrinks below the new count and the
    // current cell moves inside the grid.
    void SetColCount(int Value);
    int GetRowCount() const { return FRowCount; }
    void SetRowCount(int Value);
    int GetFixedCols() const { return FFixedCols; }
    // EInvalidGridOperation "Fixed column count must be less than column count"
    // unless Value < ColCount; the grid scrolls back to its first cell.
    void SetFixedCols(int Value);
    int GetFixedRows() const { return FFixedRows; }
    void SetFixedRows(int Value);
    int GetDefaultColWidth() const { return FDefaultColWidth; }
    // Forgets the columns' own widths.
    void SetDefaultColWidth(int Value);
    int GetDefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int Value);
    // DefaultColWidth for an index outside the grid; Set raises "Grid index out of range".
    int GetColWidths(int Index) const;
    void SetColWidths(int Index, int Value);
    int GetRowHeights(int Index) const;
    void SetRowHeights(int Index, int Value);
    // Whether Tab stops in a column (goTabs); true for an index outside the grid.
    bool GetTabStops(int Index) const;
    void SetTabStops(int Index, bool Value);
    int GetGridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    int GetGridWidth() const;
    int GetGridHeight() const;
    TGridOptions GetOptions() const { return FOptions; }
    // goRowSelect drops goAlwaysShowEditor.
    void SetOptions(TGridOptions Value);
    TColor GetFixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    bool GetDefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value) { FDefaultDrawing = Value; }
    // bsSingle draws a sunken frame around the client area.
    TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TScrollStyle GetScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);

    // ---- current cell, selection, scrolling ----
    int GetCol() const { return FCurrent.X; }
    // Moves the current cell (SelectCell is asked first) and scrolls it into view.
    void SetCol(int Value);
    int GetRow() const { return FCurrent.Y; }
    void SetRow(int Value);
    // The block between the selection anchor and the current cell.
    TGridRect GetSelection() const;
    // Anchor at Value's top-left, current cell at its bottom-right, both
    // kept inside the grid; SelectCell is not asked.
    void SetSelection(TGridRect Value);
    int GetTopRow() const { return FTopLeft.Y; }
    // Scrolls; kept between FixedRows and the last row that still fills the view.
    void SetTopRow(int Value);
    int GetLeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int Value);
    // Scrolling cells shown whole.
    int GetVisibleColCount() const;
    int GetVisibleRowCount() const;

    // Moves the current cell, scrolls it into view and places the editor there.
    // MoveAnchor false keeps the selection's anchor (with goRangeSelect).
    void FocusCell(int ACol, int ARow, bool MoveAnchor);

    // ---- geometry ----
    // The cell in client coordinates; empty when it is not in view. A cell
    // cut off at the client's edge gives its visible part.
    TRect CellRect(int ACol, int ARow) const;
    TRect BoxRect(int ALeft, int ATop, int ARight, int ABottom) const;
    TGridCoord MouseCoord(int X, int Y) const;
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
    // The layout for the current client size, scroll position and sizes.
    void CalcDrawInfo(TGridDrawInfo& DrawInfo) const;
    // Like CalcDrawInfo for a client area of UseWidth x UseHeight.
    void CalcDrawInfoXY(TGridDrawInfo& DrawInfo, int UseWidth, int UseHeight) const;
    // Only the fixed part and the per-axis constants (no extents).
    void CalcFixedInfo(TGridDrawInfo& DrawInfo) const;

    // ---- painting ----
    void InvalidateCell(int ACol, int ARow);
    void InvalidateRow(int ARow);
    void InvalidateCol(int ACol);
    void InvalidateGrid() { Invalidate(); }

    // ---- editing ----
    // True while the editor is wanted (it shows when CanEditShow agrees).
    bool GetEditorMode() const { return FEditorMode; }
    void SetEditorMode(bool Value);
    void ShowEditor();
    // Leaves editor mode and hides the editor, handing its text to SetEditText.
    void HideEditor();
    // Hides the editor and hands its text to SetEditText, keeping editor mode.
    void HideEdit();
    // Reloads the editor from GetEditText/GetEditMask, without handing its text over.
    void InvalidateEditor();
    // The cell editor; null until first shown. Owned by the grid.
    TInplaceEdit* GetInplaceEditor() const { return FInplaceEdit; }

    // The grid (or its editor) has the focus within its form.
    bool IsActiveControl() const;
    TGridState GetGridState() const { return FGridState; }

    TRect GetClientRect() const override;
    void DefineProperties(TFiler* Filer) override;

protected:
    // ---- overridable steps ----
    // On mouse down and mouse move: whether the point grabs a column border
    // (gsColSizing, only in the fixed rows) or a row border (gsRowSizing, only
    // in the fixed columns). Sets Index to the cell the border ends, SizingPos
    // to the border's position and SizingOfs to the border minus the mouse.
    // FixedInfo is the grid's current layout; its GridExtents are set to the
    // client size here.
    virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                 int& SizingOfs, TGridDrawInfo& FixedInfo);
    // Whether Pos lies in the hot zone of a border between the scrolling cells
    // of Axis (at least 7 pixels wide, centred on the line); sets the border's
    // cell, position and distance from Pos.
    static bool FindSizingBorder(const TGridAxisDrawInfo& Axis, int Pos, int& Index,
                                 int& SizingPos, int& SizingOfs);
    // Called once, when the editor is first needed; returns an editor owned by this grid.
    virtual TInplaceEdit* CreateEditor();
    // Draws one cell; called for every visible cell on each paint (not for
    // the current cell while the editor shows over it).
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) = 0;
    // Asked before the current cell moves there; false refuses the move.
    virtual bool SelectCell(int ACol, int ARow);
    // Remove a column or row: moved to the end, then the count shrinks.
    virtual void DeleteColumn(int ACol);
    virtual void DeleteRow(int ARow);
    // The editor's text and mask for a cell, read when it moves there.
    virtual std::string GetEditText(int ACol, int ARow);
    virtual std::string GetEditMask(int ACol, int ARow);
    // Called after every change of the editor's text (not when the grid loads
    // it) and again when the editor hides or leaves the cell.
    virtual void SetEditText(int ACol, int ARow, const std::string& Value);
    // The edit style of a cell; the grid base answers esSimple.
    virtual TEditStyle GetEditStyle(int ACol, int ARow);
    // Whether the editor may change the text (typing, deleting, pasting).
    virtual bool CanEditModify();
    // Whether the editor may show now: goEditing without goRowSelect, editor
    // mode, a window, and the focus or goAlwaysShowEditor.
    virtual bool CanEditShow();
    // Whether the editor takes a typed character.
    virtual bool CanEditAcceptKey(char Key);
    // Whether the grid acts on a navigation key.
    virtual bool CanGridAcceptKey(uint16_t Key, TShiftState Shift);
    // The editor's text limit; 0 for none.
    virtual int GetEditLimit();
    // After column widths (row heights) changed: scroll range and editor follow.
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    // After a column (row) moved from FromIndex to ToIndex.
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    // After TopRow or LeftCol changed; the editor follows its cell.
    virtual void TopLeftChanged();
    // After ColCount or RowCount changed.
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    // Sets the scroll bars' ranges and visibility from the counts and sizes
    // and keeps TopRow/LeftCol inside them. Runs after every change of the
    // layout; a descendant may override it or narrow a range afterwards with
    // SetScrollBarRange. A bar that appears or goes changes the client area,
    // which Resize then reports.
    virtual void UpdateScrollRange();
    // Sets one scroll bar's range; Max <= Min hides the bar.
    void SetScrollBarRange(bool Vertical, int Min, int Max);
    QScrollBar* GetScrollBar(bool Vertical) const { return Vertical ? FVertBar : FHorzBar; }

    // The framework's steps this grid takes part in.
    void Paint() override;
    void PaintBorder() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void DoExit() override;
    void Resize() override;
    void FontChanged() override;
    void ShowingChanged() override;
    void MouseLeave() override;
    void CreateWnd() override;
    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    bool FocusesOnClick() const override { return true; }
    TPoint GetClientOffset() const override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    bool HandleKeyEvent(QKeyEvent* E, std::unique_ptr<QKeyEvent>& Replacement) override;
    // Focus arriving at the grid's window goes on to an editor that shows.
    bool HandleWidgetEvent(QEvent* E) override;
    bool PaintWidget(QPaintEvent* E, QWidget* Device) override;
    void Loaded() override;

    // ---- operations for descendants ----
    // Moves the current cell after asking SelectCell; Show scrolls it into view.
    // Raises "Grid index out of range" outside the grid.
    void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
    void MoveAnchor(const TGridCoord& NewAnchor);
    void MoveTopLeft(int ALeft, int ATop);
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    // Scrolls so that Coord is in view.
    void ClampInView(const TGridCoord& Coord);
    // The smallest TopLeft that still shows Coord whole at the bottom right.
    TGridCoord CalcMaxTopLeft(const TGridCoord& Coord, const TGridDrawInfo& DrawInfo) const;
    TGridCoord CalcCoordFromPoint(int X, int Y, const TGridDrawInfo& DrawInfo) const;
    // Places the editor on the current cell when it may show, creating it first.
    void UpdateEdit();
    // Hands the editor's text to SetEditText for the cell it edits.
    void UpdateText();
    // While the editor is held, the lines may shift under the cell being
    // edited: moving the current cell or changing the counts neither hands the
    // editor's text to a cell nor reloads it. On the last release the editor
    // belongs to whatever cell is current then, which the holder made the cell
    // of the same content again, and keeps its text, undo and modified state;
    // with Reload (the edited content is gone) it takes the current cell's
    // text afresh. Holds nest.
    void HoldEditor();
    void ReleaseEditor(bool Reload);
    bool IsEditorHeld() const { return FEditorHold > 0; }
    // Shows the editor and gives it Ch as if typed there.
    void ShowEditorChar(char Ch);
    void InvalidateRect(const TRect& R);
    void InvalidateGridRect(const TGridRect& R);

private:
    friend class TInplaceEdit;
    class TGridScrollBars;

    void InitScrollBars();
    void ApplyScrollRange();
    void LayoutScrollBars(bool ShowHorz, bool ShowVert);
    void ScrollBarMoved(bool Vertical, int Value);
    void UpdateScrollPos();
    void ChangeSize(int NewColCount, int NewRowCount);
    void ApplySize();
    void InitializeCurrent();
    void TopLeftMoved(const TGridCoord& OldTopLeft);
    void SelectionMoved(const TGridRect& OldSel);
    void ResizeExtents(std::vector<int>& Extents, int Count, int Default);
    TGridCoord ClampedTopLeft(TGridCoord Value) const;
    void UpdateEditor();
    void EndHideEdit();
    int BorderWidth() const;
    int MirrorX(int X) const;
    TRect MirrorRect(const TRect& R) const;
    TGridDrawInfo ScrollInfo(bool ShowHorz, bool ShowVert) const;

    // Painting helpers (GridPaint.cpp).
    void DrawLines(const TGridDrawInfo& DI, bool DoHorz, bool DoVert, int Col, int Row,
                   const TRect& Bounds, TColor OnColor, TColor OffColor);
    void DrawAxisLines(const TGridAxisDrawInfo& Axis, int Cell, bool Horizontal,
                       const TRect& Bounds, TColor Color);
    void DrawCells(const TGridDrawInfo& DI, int ACol, int ARow, const TRect& Area, TColor AColor,
                   TGridDrawState IncludeDrawState);
    void DrawOneCell(const TGridDrawInfo& DI, int ACol, int ARow, const TRect& Where, TColor AColor,
                     TGridDrawState State);
    void DrawFixedEdge(const TGridDrawInfo& DI, const TRect& Where);
    void DrawFocusRect(const TRect& R);
    void DrawDragFeedback(const TGridDrawInfo& DI);
    void FillOutside(const TGridDrawInfo& DI);

    // Input helpers (GridInput.cpp).
    void NavigateWithCtrl(uint16_t Key, const TGridDrawInfo& DI, TGridCoord& NewCurrent,
                          TGridCoord& NewTopLeft);
    void NavigatePlain(uint16_t Key, TShiftState& Shift, const TGridDrawInfo& DI,
                       TGridCoord& NewCurrent, TGridCoord& NewTopLeft);
    void TabToNextCell(TShiftState& Shift, TGridCoord& NewCurrent);
    void ApplyNavigation(TGridCoord NewCurrent, TGridCoord NewTopLeft, const TGridDrawInfo& DI,
                         TShiftState Shift);
    bool StartSizingOrMoving(TShiftState Shift, int X, int Y);
    void LeftButtonDown(TShiftState Shift, int X, int Y);
    void FinishSizing();
    void FinishMoving();
    int ResizeLine(const TGridAxisDrawInfo& Axis) const;
    void UpdateSizingCursor(int X, int Y);
    void MoveAdjust(int& CellPos, int FromIndex, int ToIndex) const;
    void MoveExtents(std::vector<int>& Extents, int FromIndex, int ToIndex);

    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    int FGridLineWidth = 1;
    std::vector<int> FColWidths;   // empty while every column has DefaultColWidth
    std::vector<int> FRowHeights;  // empty while every row has DefaultRowHeight
    std::vector<bool> FTabStops;   // empty while every column is a tab stop
    TGridOptions FOptions = DefaultGridOptions;
    TColor FFixedColor = clBtnFace;
    bool FDefaultDrawing = true;
    TFormBorderStyle FBorderStyle = bsSingle;
    TScrollStyle FScrollBars = ssBoth;
    TGridCoord FCurrent{1, 1};
    TGridCoord FAnchor{1, 1};
    TGridCoord FTopLeft{1, 1};
    bool FEditorMode = false;
    TInplaceEdit* FInplaceEdit = nullptr;  // owned by this grid as a component; cleared when freed
    int FInplaceCol = -1;
    int FInplaceRow = -1;
    int FEditorHold = 0;
    bool FEditorReload = false;  // a release of the current hold reloads the editor
    TGridState FGridState = gsNormal;
    int FSizingIndex = 0;
    int FSizingPos = 0;
    int FSizingOfs = 0;
    int FMoveIndex = 0;
    int FMovePos = 0;
    bool FKeyFromGrid = false;  // a key event of the grid's own widget is being handled
    bool FUpdatingScrollRange = false;
    QScrollBar* FHorzBar = nullptr;  // child widget of the grid's widget, deleted with it
    QScrollBar* FVertBar = nullptr;  // likewise
    QWidget* FCorner = nullptr;      // the square between the scroll bars; likewise
    TRect FPaintRect;                // the area being painted, in client coordinates
    TGridRect FPaintSelection;       // the selection while a paint runs
    bool FPaintFocused = false;      // IsActiveControl while a paint runs
};

// A grid whose cells are drawn by OnDrawCell and whose editing and
// selection are answered by events.
class TCustomDrawGrid : public TCustomGrid {
    ZK_CLASS(TCustomDrawGrid, TCustomGrid)
public:
    explicit TCustomDrawGrid(TComponent* AOwner);

    const TMovedEvent& GetOnColumnMoved() const { return FOnColumnMoved; }
    void SetOnColumnMoved(const TMovedEvent& Value) { FOnColumnMoved = Value; }
    const TDrawCellEvent& GetOnDrawCell() const { return FOnDrawCell; }
    void SetOnDrawCell(const TDrawCellEvent& Value) { FOnDrawCell = Value; }
    const TGetEditEvent& GetOnGetEditMask() const { return FOnGetEditMask; }
    void SetOnGetEditMask(const TGetEditEvent& Value) { FOnGetEditMask = Value; }
    const TGetEditEvent& GetOnGetEditText() const { return FOnGetEditText; }
    void SetOnGetEditText(const TGetEditEvent& Value) { FOnGetEditText = Value; }
    const TMovedEvent& GetOnRowMoved() const { return FOnRowMoved; }
    void SetOnRowMoved(const TMovedEvent& Value) { FOnRowMoved = Value; }
    const TSelectCellEvent& GetOnSelectCell() const { return FOnSelectCell; }
    void SetOnSelectCell(const TSelectCellEvent& Value) { FOnSelectCell = Value; }
    const TSetEditEvent& GetOnSetEditText() const { return FOnSetEditText; }
    void SetOnSetEditText(const TSetEditEvent& Value) { FOnSetEditText = Value; }
    const TNotifyEvent& GetOnTopLeftChanged() const { return FOnTopLeftChanged; }
    void SetOnTopLeftChanged(const TNotifyEvent& Value) { FOnTopLeftChanged = Value; }

protected:
    // Each fires its event after (or, for the queries, to adjust) the base's answer.
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    std::string GetEditMask(int ACol, int ARow) override;
    std::string GetEditText(int ACol, int ARow) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    bool SelectCell(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const std::string& Value) override;
    void TopLeftChanged() override;

private:
    TMovedEvent FOnColumnMoved;
    TDrawCellEvent FOnDrawCell;
    TGetEditEvent FOnGetEditMask;
    TGetEditEvent FOnGetEditText;
    TMovedEvent FOnRowMoved;
    TSelectCellEvent FOnSelectCell;
    TSetEditEvent FOnSetEditText;
    TNotifyEvent FOnTopLeftChanged;
};

// TCustomDrawGrid with its events published.
class TDrawGrid : public TCustomDrawGrid {
    ZK_CLASS(TDrawGrid, TCustomDrawGrid)
public:
    explicit TDrawGrid(TComponent* AOwner);
};

// Registers the streamable classes of the grid and masked edit units
// (TDrawGrid, TMaskEdit). Idempotent.
void RegisterGridClasses();

}  // namespace zk
