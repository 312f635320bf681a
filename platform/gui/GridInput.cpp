// TCustomGrid's keyboard and mouse: navigation, selection, border sizing, row and column moving.
#include <QWidget>
#include <algorithm>

#include "platform/core/ScopeExit.h"
#include "platform/gui/Application.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Grids.h"

namespace zk {

namespace {

void Restrict(TGridCoord& C, int MinX, int MinY, int MaxX, int MaxY) {
    C.X = std::max(std::min(C.X, MaxX), MinX);
    C.Y = std::max(std::min(C.Y, MaxY), MinY);
}

}  // namespace

// ---- keyboard ----

bool TCustomGrid::HandleKeyEvent(QKeyEvent* E, std::unique_ptr<QKeyEvent>& Replacement) {
    const bool Old = FKeyFromGrid;
    FKeyFromGrid = true;
    TScopeExit Restore([this, Old] { FKeyFromGrid = Old; });
    return TCustomControl::HandleKeyEvent(E, Replacement);
}

bool TCustomGrid::WantsKey(uint16_t Key, TShiftState Shift) const {
    switch (Key) {
        case VK_TAB:
            return FOptions.Contains(goTabs) && !Shift.Contains(ssAlt);
        case VK_RETURN:
            return FOptions.Contains(goEditing) || FEditorMode;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            return true;
        default:
            return TCustomControl::WantsKey(Key, Shift);
    }
}

bool TCustomGrid::CanGridAcceptKey(uint16_t, TShiftState) {
    return true;
}

void TCustomGrid::KeyDown(uint16_t& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    if (!CanGridAcceptKey(Key, Shift)) {
        Key = 0;
        return;
    }
    if (Key == VK_RETURN && !FOptions.Contains(goAlwaysShowEditor)) {
        if (FEditorMode)
            HideEditor();
        else
            ShowEditor();
        Key = 0;
        return;
    }
    if (Key == VK_ESCAPE && FEditorMode && FInplaceEdit) {
        FInplaceEdit->Reset();
        if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
        Key = 0;
        return;
    }
    TGridDrawInfo DI;
    CalcDrawInfo(DI);
    TGridCoord NewCurrent = FCurrent;
    TGridCoord NewTopLeft = FTopLeft;
    if (Shift.Contains(ssCtrl))
        NavigateWithCtrl(Key, DI, NewCurrent, NewTopLeft);
    else
        NavigatePlain(Key, Shift, DI, NewCurrent, NewTopLeft);
    ApplyNavigation(NewCurrent, NewTopLeft, DI, Shift);
}

void TCustomGrid::NavigateWithCtrl(uint16_t Key, const TGridDrawInfo& DI, TGridCoord& NewCurrent,
                                   TGridCoord& NewTopLeft) {
    const int PageWidth = std::max(DI.Horz.LastFullVisibleCell - FTopLeft.X, 1);
    const bool RowSelect = FOptions.Contains(goRowSelect);
    switch (Key) {
        case VK_UP:
            --NewTopLeft.Y;
            break;
        case VK_DOWN:
            ++NewTopLeft.Y;
            break;
        case VK_LEFT:
            if (RowSelect) break;
            NewCurrent.X -= PageWidth;
            NewTopLeft.X -= PageWidth;
            break;
        case VK_RIGHT:
            if (RowSelect) break;
            NewCurrent.X += PageWidth;
            NewTopLeft.X += PageWidth;
            break;
        case VK_PRIOR:
            NewCurrent.Y = FTopLeft.Y;
            break;
        case VK_NEXT:
            NewCurrent.Y = DI.Vert.LastFullVisibleCell;
            break;
        case VK_HOME:
            NewCurrent = {FFixedCols, FFixedRows};
            break;
        case VK_END:
            NewCurrent = {FColCount - 1, FRowCount - 1};
            break;
        default:
            break;
    }
}

void TCustomGrid::NavigatePlain(uint16_t Key, TShiftState& Shift, const TGridDrawInfo& DI,
                                TGridCoord& NewCurrent, TGridCoord& NewTopLeft) {
    const int PageHeight = std::max(DI.Vert.LastFullVisibleCell - FTopLeft.Y, 1);
    const bool RowSelect = FOptions.Contains(goRowSelect);
    switch (Key) {
        case VK_UP:
            --NewCurrent.Y;
            break;
        case VK_DOWN:
            ++NewCurrent.Y;
            break;
        case VK_LEFT:
            RowSelect ? --NewTopLeft.X : --NewCurrent.X;
            break;
        case VK_RIGHT:
            RowSelect ? ++NewTopLeft.X : ++NewCurrent.X;
            break;
        case VK_NEXT:
            NewCurrent.Y += PageHeight;
            NewTopLeft.Y += PageHeight;
            break;
        case VK_PRIOR:
            NewCurrent.Y -= PageHeight;
            NewTopLeft.Y -= PageHeight;
            break;
        case VK_HOME:
            if (RowSelect)
                NewCurrent.Y = FFixedRows;
            else
                NewCurrent.X = FFixedCols;
            break;
        case VK_END:
            if (RowSelect)
                NewCurrent.Y = FRowCount - 1;
            else
                NewCurrent.X = FColCount - 1;
            break;
        case VK_TAB:
            if (!Shift.Contains(ssAlt)) TabToNextCell(Shift, NewCurrent);
            break;
        case VK_F2:
            SetEditorMode(true);
            break;
        default:
            break;
    }
}

// Tab walks the cells row by row, wrapping at the ends, to the next column
// that is a tab stop; Shift+Tab walks back. The walk is not a range selection.
void TCustomGrid::TabToNextCell(TShiftState& Shift, TGridCoord& NewCurrent) {
    const bool Back = Shift.Contains(ssShift);
    Shift.Exclude(ssShift);
    do {
        if (Back) {
            if (--NewCurrent.X < FFixedCols) {
                NewCurrent.X = FColCount - 1;
                if (--NewCurrent.Y < FFixedRows) NewCurrent.Y = FRowCount - 1;
            }
        } else if (++NewCurrent.X >= FColCount) {
            NewCurrent.X = FFixedCols;
            if (++NewCurrent.Y >= FRowCount) NewCurrent.Y = FFixedRows;
        }
    } while (!GetTabStops(NewCurrent.X) && NewCurrent.X != FCurrent.X);
}

void TCustomGrid::ApplyNavigation(TGridCoord NewCurrent, TGridCoord NewTopLeft,
                                  const TGridDrawInfo& DI, TShiftState Shift) {
    const TGridCoord Max = CalcMaxTopLeft({FColCount - 1, FRowCount - 1}, DI);
    Restrict(NewTopLeft, FFixedCols, FFixedRows, Max.X, Max.Y);
    if (!(NewTopLeft == FTopLeft)) MoveTopLeft(NewTopLeft.X, NewTopLeft.Y);
    Restrict(NewCurrent, FFixedCols, FFixedRows, FColCount - 1, FRowCount - 1);
    if (!(NewCurrent == FCurrent)) FocusCell(NewCurrent.X, NewCurrent.Y, !Shift.Contains(ssShift));
}

// A character typed on the grid itself starts editing with goEditing and
// goes to the editor; the grid's own KeyPress (and OnKeyPress) then runs
// from the editor.
void TCustomGrid::KeyPress(char& Key) {
    const bool Typed = Key == 8 || static_cast<unsigned char>(Key) >= 32;
    if (FKeyFromGrid && Typed && FOptions.Contains(goEditing)) {
        FKeyFromGrid = false;
        const char Ch = Key;
        Key = 0;
        ShowEditorChar(Ch);
        return;
    }
    TCustomControl::KeyPress(Key);
}

// ---- mouse ----

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    HideEdit();
    if (!GetComponentState().Contains(csDesigning)) {
        if (CanFocus())
            SetFocus();
        else if (!GetParentForm(this))
            GetWidget()->setFocus(Qt::MouseFocusReason);
        if (!IsActiveControl()) {
            SetMouseCapture(false);
            return;
        }
    }
    if (Button == mbLeft && Shift.Contains(ssDouble)) {
        DblClick();
    } else if (Button == mbLeft && StartSizingOrMoving(Shift, X, Y)) {
        return;
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

// True when a border was grabbed (the click does nothing else).
bool TCustomGrid::StartSizingOrMoving(TShiftState Shift, int X, int Y) {
    TGridDrawInfo DI;
    CalcDrawInfo(DI);
    CalcSizingState(X, Y, FGridState, FSizingIndex, FSizingPos, FSizingOfs, DI);
    if (FGridState != gsNormal) {
        Invalidate();
        return true;
    }
    LeftButtonDown(Shift, X, Y);
    return false;
}

void TCustomGrid::LeftButtonDown(TShiftState Shift, int X, int Y) {
    TGridDrawInfo DI;
    CalcDrawInfo(DI);
    const TGridCoord Hit = CalcCoordFromPoint(X, Y, DI);
    if (Hit.X >= FFixedCols && Hit.Y >= FFixedRows) {
        if (FOptions.Contains(goEditing)) {
            if (Hit == FCurrent) {
                ShowEditor();
            } else {
                MoveCurrent(Hit.X, Hit.Y, true, true);
                UpdateEdit();
            }
            Click();
        } else {
            FGridState = gsSelecting;
            if (Shift.Contains(ssShift))
                MoveAnchor(Hit);
            else
                MoveCurrent(Hit.X, Hit.Y, true, true);
        }
    } else if (FOptions.Contains(goRowMoving) && Hit.X >= 0 && Hit.X < FFixedCols &&
               Hit.Y >= FFixedRows) {
        FMoveIndex = FMovePos = Hit.Y;
        FGridState = gsRowMoving;
        Invalidate();
    } else if (FOptions.Contains(goColMoving) && Hit.Y >= 0 && Hit.Y < FFixedRows &&
               Hit.X >= FFixedCols) {
        FMoveIndex = FMovePos = Hit.X;
        FGridState = gsColMoving;
        Invalidate();
    }
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
    TGridDrawInfo DI;
    CalcDrawInfo(DI);
    const TGridCoord Hit = CalcCoordFromPoint(X, Y, DI);
    const bool InCells =
        Hit.X <= DI.Horz.LastFullVisibleCell + 1 && Hit.Y <= DI.Vert.LastFullVisibleCell + 1;
    switch (FGridState) {
        case gsSelecting:
            if (InCells && Hit.X >= FFixedCols && Hit.Y >= FFixedRows && !(Hit == FAnchor))
                MoveAnchor(Hit);
            break;
        case gsRowMoving:
            if (InCells && Hit.Y >= FFixedRows && Hit.Y != FMovePos) {
                FMovePos = Hit.Y;
                Invalidate();
            }
            break;
        case gsColMoving:
            if (InCells && Hit.X >= FFixedCols && Hit.X != FMovePos) {
                FMovePos = Hit.X;
                Invalidate();
            }
            break;
        case gsRowSizing:
            FSizingPos = Y + FSizingOfs;
            Invalidate();
            break;
        case gsColSizing:
            FSizingPos = MirrorX(X) + FSizingOfs;
            Invalidate();
            break;
        default:
            UpdateSizingCursor(X, Y);
            break;
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    switch (FGridState) {
        case gsSelecting:
            MouseMove(Shift, X, Y);
            FGridState = gsNormal;
            UpdateEdit();
            Click();
            break;
        case gsRowSizing:
        case gsColSizing:
            FinishSizing();
            break;
        case gsRowMoving:
        case gsColMoving:
            FinishMoving();
            break;
        default:
            UpdateEdit();
            break;
    }
    FGridState = gsNormal;
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::FinishSizing() {
    const TGridState State = FGridState;
    FGridState = gsNormal;
    Invalidate();
    // The press hid the editor; it comes back over the resized cell.
    TScopeExit ShowAgain([this] {
        if (FEditorMode) UpdateEdit();
    });
    TGridDrawInfo DI;
    CalcDrawInfo(DI);
    const int NewSize = ResizeLine(State == gsColSizing ? DI.Horz : DI.Vert);
    if (NewSize <= 1) return;
    if (State == gsColSizing)
        SetColWidths(FSizingIndex, NewSize);
    else
        SetRowHeights(FSizingIndex, NewSize);
}

// The new extent of the sized cell: from its start to where the border was dropped.
int TCustomGrid::ResizeLine(const TGridAxisDrawInfo& Axis) const {
    int Line = 0;
    if (FSizingIndex < Axis.FixedCellCount) {
        for (int I = 0; I < FSizingIndex; ++I) Line += Axis.GetExtent(I) + Axis.EffectiveLineWidth;
    } else {
        Line = Axis.FixedBoundary;
        for (int I = Axis.FirstGridCell; I < FSizingIndex; ++I)
            Line += Axis.GetExtent(I) + Axis.EffectiveLineWidth;
    }
    return FSizingPos - Line;
}

void TCustomGrid::FinishMoving() {
    const TGridState State = FGridState;
    FGridState = gsNormal;
    Invalidate();
    if (FMoveIndex != FMovePos) {
        if (State == gsColMoving)
            MoveColumn(FMoveIndex, FMovePos);
        else
            MoveRow(FMoveIndex, FMovePos);
    }
    UpdateEdit();
}

void TCustomGrid::UpdateSizingCursor(int X, int Y) {
    TGridDrawInfo DI;
    CalcDrawInfo(DI);
    TGridState State = gsNormal;
    int Index = 0, Pos = 0, Ofs = 0;
    CalcSizingState(X, Y, State, Index, Pos, Ofs, DI);
    TCursor Shape = GetCursor();
    if (State == gsColSizing) Shape = crHSplit;
    if (State == gsRowSizing) Shape = crVSplit;
    if (Shape == crDefault)
        GetWidget()->unsetCursor();
    else
        GetWidget()->setCursor(CursorToQCursor(Shape));
}

bool TCustomGrid::FindSizingBorder(const TGridAxisDrawInfo& Axis, int Pos, int& Index,
                                   int& SizingPos, int& SizingOfs) {
    int Line = Axis.FixedBoundary;
    int Range = Axis.EffectiveLineWidth;
    int Back = 0;
    if (Range < 7) {
        Range = 7;
        Back = (Range - Axis.EffectiveLineWidth) >> 1;
    }
    for (int I = Axis.FirstGridCell; I < Axis.GridCellCount; ++I) {
        Line += Axis.GetExtent(I);
        if (Line > Axis.GridBoundary) break;
        if (Pos >= Line - Back && Pos <= Line - Back + Range) {
            SizingPos = Line;
            SizingOfs = Line - Pos;
            Index = I;
            return true;
        }
        Line += Axis.EffectiveLineWidth;
    }
    if (Axis.GridBoundary == Axis.GridExtent && Pos >= Axis.GridExtent - Back &&
        Pos <= Axis.GridExtent) {
        SizingPos = Axis.GridExtent;
        SizingOfs = Axis.GridExtent - Pos;
        Index = Axis.LastFullVisibleCell + 1;
        return true;
    }
    return false;
}

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                  int& SizingOfs, TGridDrawInfo& FixedInfo) {
    State = gsNormal;
    Index = -1;
    const bool ColSizing = FOptions.Contains(goColSizing);
    const bool RowSizing = FOptions.Contains(goRowSizing);
    if (!ColSizing && !RowSizing) return;
    FixedInfo.Vert.GridExtent = GetClientHeight();
    FixedInfo.Horz.GridExtent = GetClientWidth();
    const int MX = MirrorX(X);
    if (MX > FixedInfo.Horz.FixedBoundary && ColSizing) {
        if (Y >= FixedInfo.Vert.FixedBoundary) return;
        if (FindSizingBorder(FixedInfo.Horz, MX, Index, SizingPos, SizingOfs)) State = gsColSizing;
    } else if (Y > FixedInfo.Vert.FixedBoundary && RowSizing) {
        if (MX >= FixedInfo.Horz.FixedBoundary) return;
        if (FindSizingBorder(FixedInfo.Vert, Y, Index, SizingPos, SizingOfs)) State = gsRowSizing;
    }
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
    if (FCurrent.Y < FRowCount - 1) SetRow(FCurrent.Y + 1);
    return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
    if (FCurrent.Y > FFixedRows) SetRow(FCurrent.Y - 1);
    return true;
}

// ---- moving and deleting rows and columns ----

void TCustomGrid::MoveAdjust(int& CellPos, int FromIndex, int ToIndex) const {
    if (CellPos == FromIndex)
        CellPos = ToIndex;
    else if (CellPos > FromIndex && CellPos <= ToIndex)
        --CellPos;
    else if (CellPos < FromIndex && CellPos >= ToIndex)
        ++CellPos;
}

void TCustomGrid::MoveExtents(std::vector<int>& Extents, int FromIndex, int ToIndex) {
    if (Extents.empty()) return;
    const int Value = Extents[static_cast<size_t>(FromIndex)];
    Extents.erase(Extents.begin() + FromIndex);
    Extents.insert(Extents.begin() + ToIndex, Value);
}

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex) {
    if (FromIndex == ToIndex) return;
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FColCount || ToIndex >= FColCount)
        throw EInvalidGridOperation("Grid index out of range");
    MoveExtents(FColWidths, FromIndex, ToIndex);
    if (!FTabStops.empty()) {
        const bool Stop = FTabStops[static_cast<size_t>(FromIndex)];
        FTabStops.erase(FTabStops.begin() + FromIndex);
        FTabStops.insert(FTabStops.begin() + ToIndex, Stop);
    }
    MoveAdjust(FCurrent.X, FromIndex, ToIndex);
    MoveAdjust(FAnchor.X, FromIndex, ToIndex);
    MoveAdjust(FInplaceCol, FromIndex, ToIndex);
    MoveAdjust(FTopLeft.X, FromIndex, ToIndex);
    FTopLeft.X = std::max(FTopLeft.X, FFixedCols);
    ColumnMoved(FromIndex, ToIndex);
    if (!FColWidths.empty()) ColWidthsChanged();
    InvalidateGrid();
    UpdateEdit();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex) {
    if (FromIndex == ToIndex) return;
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FRowCount || ToIndex >= FRowCount)
        throw EInvalidGridOperation("Grid index out of range");
    MoveExtents(FRowHeights, FromIndex, ToIndex);
    MoveAdjust(FCurrent.Y, FromIndex, ToIndex);
    MoveAdjust(FAnchor.Y, FromIndex, ToIndex);
    MoveAdjust(FInplaceRow, FromIndex, ToIndex);
    MoveAdjust(FTopLeft.Y, FromIndex, ToIndex);
    FTopLeft.Y = std::max(FTopLeft.Y, FFixedRows);
    RowMoved(FromIndex, ToIndex);
    if (!FRowHeights.empty()) RowHeightsChanged();
    InvalidateGrid();
    UpdateEdit();
}

void TCustomGrid::ColumnMoved(int, int) {}

void TCustomGrid::RowMoved(int, int) {}

void TCustomGrid::DeleteColumn(int ACol) {
    MoveColumn(ACol, FColCount - 1);
    SetColCount(FColCount - 1);
}

void TCustomGrid::DeleteRow(int ARow) {
    MoveRow(ARow, FRowCount - 1);
    SetRowCount(FRowCount - 1);
}

}  // namespace zk
