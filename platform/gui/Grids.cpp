// TCustomGrid's sizes, layout, coordinates, selection and scrolling; TCustomDrawGrid, TDrawGrid and
// their registration.
#include "platform/gui/Grids.h"

#include <QPalette>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWidget>
#include <algorithm>
#include <mutex>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Filer.h"
#include "platform/core/ScopeExit.h"
#include "platform/gui/Application.h"
#include "platform/gui/Graphics.h"

namespace zk {

namespace {

const char* const SIndexOutOfRange = "Grid index out of range";
const char* const SFixedColTooBig = "Fixed column count must be less than column count";
const char* const SFixedRowTooBig = "Fixed row count must be less than row count";

TGridRect GridRectOf(TGridCoord A, TGridCoord B) {
    return {std::min(A.X, B.X), std::min(A.Y, B.Y), std::max(A.X, B.X), std::max(A.Y, B.Y)};
}

TGridCoord ClampCoord(TGridCoord C, int ColCount, int RowCount) {
    return {std::clamp(C.X, 0, ColCount - 1), std::clamp(C.Y, 0, RowCount - 1)};
}

}  // namespace

// ---- construction ----

ZK_IMPLEMENT_CLASS(TCustomGrid)
void TCustomGrid::DescribeClass(TClassBuilder<TCustomGrid>& C) {
    C.Redeclare("Color").Default(clWindow);
    C.Redeclare("ParentColor").Default(false);
    C.Redeclare("TabStop").Default(true);
    C.Prop("BorderStyle", &TCustomGrid::GetBorderStyle, &TCustomGrid::SetBorderStyle)
        .Type(TypeInfoTBorderStyle())
        .Default(bsSingle);
    // Counts before the fixed counts, as a stream sets them in this order.
    C.Prop("ColCount", &TCustomGrid::GetColCount, &TCustomGrid::SetColCount).Default(5);
    C.Prop("DefaultColWidth", &TCustomGrid::GetDefaultColWidth, &TCustomGrid::SetDefaultColWidth)
        .Default(64);
    C.Prop("DefaultDrawing", &TCustomGrid::GetDefaultDrawing, &TCustomGrid::SetDefaultDrawing)
        .Default(true);
    C.Prop("DefaultRowHeight", &TCustomGrid::GetDefaultRowHeight, &TCustomGrid::SetDefaultRowHeight)
        .Default(24);
    C.Prop("FixedColor", &TCustomGrid::GetFixedColor, &TCustomGrid::SetFixedColor)
        .Type(TypeInfoTColor())
        .Default(clBtnFace);
    C.Prop("FixedCols", &TCustomGrid::GetFixedCols, &TCustomGrid::SetFixedCols).Default(1);
    C.Prop("RowCount", &TCustomGrid::GetRowCount, &TCustomGrid::SetRowCount).Default(5);
    C.Prop("FixedRows", &TCustomGrid::GetFixedRows, &TCustomGrid::SetFixedRows).Default(1);
    C.Prop("GridLineWidth", &TCustomGrid::GetGridLineWidth, &TCustomGrid::SetGridLineWidth)
        .Default(1);
    C.Prop("Options", &TCustomGrid::GetOptions, &TCustomGrid::SetOptions)
        .Default(DefaultGridOptions);
    C.Prop("ScrollBars", &TCustomGrid::GetScrollBars, &TCustomGrid::SetScrollBars).Default(ssBoth);
}

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle({csCaptureMouse, csDoubleClicks});
    SetControlStyleOpaque(true);
    InitScrollBars();
    SetColor(clWindow);
    SetTabStop(true);
    InitializeCurrent();
    SetBounds(0, 0, 320, 120);
    UpdateScrollRange();
}

TCustomGrid::~TCustomGrid() {
    // The widget (and the bars in it) may outlive this object by a moment.
    QObject::disconnect(FHorzBar, nullptr, nullptr, nullptr);
    QObject::disconnect(FVertBar, nullptr, nullptr, nullptr);
}

void TCustomGrid::BeforeDestruction() {
    Destroying();
    FInplaceEdit = nullptr;
    TCustomControl::BeforeDestruction();
}

void TCustomGrid::InitScrollBars() {
    QWidget* W = GetWidget();
    FHorzBar = new QScrollBar(Qt::Horizontal, W);
    FVertBar = new QScrollBar(Qt::Vertical, W);
    for (QScrollBar* Bar : {FHorzBar, FVertBar}) {
        Bar->hide();
        Bar->setFocusPolicy(Qt::NoFocus);
        Bar->setCursor(Qt::ArrowCursor);
        const bool Vertical = Bar == FVertBar;
        QObject::connect(Bar, &QScrollBar::valueChanged, W, [this, Vertical](int Value) {
            if (!IsDestroying()) SafeCall(this, [&] { ScrollBarMoved(Vertical, Value); });
        });
    }
    FCorner = new QWidget(W);
    FCorner->setAutoFillBackground(true);
    QPalette P = FCorner->palette();
    P.setColor(QPalette::Window, ColorToQColor(clBtnFace));
    FCorner->setPalette(P);
    FCorner->hide();
}

void TCustomGrid::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == FInplaceEdit) {
        FInplaceEdit = nullptr;
        FInplaceCol = FInplaceRow = -1;
    }
    TCustomControl::Notification(AComponent, Operation);
}

void TCustomGrid::Loaded() {
    TCustomControl::Loaded();
    UpdateScrollRange();
}

void TCustomGrid::CreateWnd() {
    TCustomControl::CreateWnd();
    UpdateScrollRange();
    // Options set before the window existed may already want the editor.
    if (FEditorMode) UpdateEdit();
}

// ---- counts and fixed lines ----

void TCustomGrid::SetColCount(int Value) {
    if (FColCount == Value) return;
    if (Value < 1) Value = 1;
    if (Value <= FFixedCols) SetFixedCols(Value - 1);
    ChangeSize(Value, FRowCount);
    if (FOptions.Contains(goRowSelect)) {
        FAnchor.X = FColCount - 1;
        Invalidate();
    }
}

void TCustomGrid::SetRowCount(int Value) {
    if (FRowCount == Value) return;
    if (Value < 1) Value = 1;
    if (Value <= FFixedRows) SetFixedRows(Value - 1);
    ChangeSize(FColCount, Value);
}

// A size the grid cannot take is rolled back before the error passes on.
void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount) {
    const int OldColCount = FColCount;
    const int OldRowCount = FRowCount;
    FColCount = NewColCount;
    FRowCount = NewRowCount;
    try {
        ApplySize();
    } catch (...) {
        FColCount = OldColCount;
        FRowCount = OldRowCount;
        ApplySize();
        throw;
    }
    SizeChanged(OldColCount, OldRowCount);
}

void TCustomGrid::ApplySize() {
    ResizeExtents(FColWidths, FColCount, FDefaultColWidth);
    ResizeExtents(FRowHeights, FRowCount, FDefaultRowHeight);
    if (!FTabStops.empty()) FTabStops.resize(static_cast<size_t>(FColCount), true);
    // The editor's cell is gone: nothing to hand over (a held editor moves on with its content).
    if (FEditorHold == 0 && (FInplaceCol >= FColCount || FInplaceRow >= FRowCount))
        FInplaceCol = FInplaceRow = -1;
    const TGridCoord Coord = ClampCoord(FCurrent, FColCount, FRowCount);
    if (!(Coord == FCurrent)) MoveCurrent(Coord.X, Coord.Y, true, true);
    // SelectCell may refuse, but the current cell has to stay inside the grid.
    FCurrent = ClampCoord(FCurrent, FColCount, FRowCount);
    FAnchor = ClampCoord(FAnchor, FColCount, FRowCount);
    InvalidateGrid();
    UpdateScrollRange();
    if (FEditorMode) UpdateEdit();
}

void TCustomGrid::ResizeExtents(std::vector<int>& Extents, int Count, int Default) {
    if (!Extents.empty()) Extents.resize(static_cast<size_t>(Count), Default);
}

void TCustomGrid::SetFixedCols(int Value) {
    if (FFixedCols == Value) return;
    if (Value < 0) throw EInvalidGridOperation(SIndexOutOfRange);
    if (Value >= FColCount) throw EInvalidGridOperation(SFixedColTooBig);
    FFixedCols = Value;
    InitializeCurrent();
    InvalidateGrid();
    UpdateScrollRange();
    if (FEditorMode) UpdateEdit();
}

void TCustomGrid::SetFixedRows(int Value) {
    if (FFixedRows == Value) return;
    if (Value < 0) throw EInvalidGridOperation(SIndexOutOfRange);
    if (Value >= FRowCount) throw EInvalidGridOperation(SFixedRowTooBig);
    FFixedRows = Value;
    InitializeCurrent();
    InvalidateGrid();
    UpdateScrollRange();
    if (FEditorMode) UpdateEdit();
}

// Back to the first scrolling cell, current and anchored there.
void TCustomGrid::InitializeCurrent() {
    FTopLeft = {FFixedCols, FFixedRows};
    FCurrent = FTopLeft;
    FAnchor = FCurrent;
    if (FOptions.Contains(goRowSelect)) FAnchor.X = FColCount - 1;
}

void TCustomGrid::SizeChanged(int, int) {}

// ---- sizes ----

void TCustomGrid::SetDefaultColWidth(int Value) {
    FColWidths.clear();
    FDefaultColWidth = Value;
    ColWidthsChanged();
    InvalidateGrid();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
    FRowHeights.clear();
    FDefaultRowHeight = Value;
    RowHeightsChanged();
    InvalidateGrid();
}

int TCustomGrid::GetColWidths(int Index) const {
    if (FColWidths.empty() || Index < 0 || Index >= FColCount) return FDefaultColWidth;
    return FColWidths[static_cast<size_t>(Index)];
}

void TCustomGrid::SetColWidths(int Index, int Value) {
    if (Index < 0 || Index >= FColCount) throw EInvalidGridOperation(SIndexOutOfRange);
    if (FColWidths.empty()) FColWidths.assign(static_cast<size_t>(FColCount), FDefaultColWidth);
    if (FColWidths[static_cast<size_t>(Index)] == Value) return;
    FColWidths[static_cast<size_t>(Index)] = Value;
    InvalidateGrid();
    ColWidthsChanged();
}

int TCustomGrid::GetRowHeights(int Index) const {
    if (FRowHeights.empty() || Index < 0 || Index >= FRowCount) return FDefaultRowHeight;
    return FRowHeights[static_cast<size_t>(Index)];
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
    if (Index < 0 || Index >= FRowCount) throw EInvalidGridOperation(SIndexOutOfRange);
    if (FRowHeights.empty()) FRowHeights.assign(static_cast<size_t>(FRowCount), FDefaultRowHeight);
    if (FRowHeights[static_cast<size_t>(Index)] == Value) return;
    FRowHeights[static_cast<size_t>(Index)] = Value;
    InvalidateGrid();
    RowHeightsChanged();
}

bool TCustomGrid::GetTabStops(int Index) const {
    if (FTabStops.empty() || Index < 0 || Index >= FColCount) return true;
    return FTabStops[static_cast<size_t>(Index)];
}

void TCustomGrid::SetTabStops(int Index, bool Value) {
    if (Index < 0 || Index >= FColCount) throw EInvalidGridOperation(SIndexOutOfRange);
    if (FTabStops.empty()) FTabStops.assign(static_cast<size_t>(FColCount), true);
    FTabStops[static_cast<size_t>(Index)] = Value;
}

void TCustomGrid::SetGridLineWidth(int Value) {
    if (Value < 0) Value = 0;
    if (FGridLineWidth == Value) return;
    FGridLineWidth = Value;
    InvalidateGrid();
    UpdateScrollRange();
    if (FEditorMode) UpdateEdit();
}

void TCustomGrid::ColWidthsChanged() {
    UpdateScrollRange();
    UpdateEdit();
}

void TCustomGrid::RowHeightsChanged() {
    UpdateScrollRange();
    UpdateEdit();
}

int TCustomGrid::GetGridWidth() const {
    TGridDrawInfo DI;
    CalcDrawInfo(DI);
    return DI.Horz.GridBoundary;
}

int TCustomGrid::GetGridHeight() const {
    TGridDrawInfo DI;
    CalcDrawInfo(DI);
    return DI.Vert.GridBoundary;
}

// ---- appearance and options ----

void TCustomGrid::SetOptions(TGridOptions Value) {
    if (FOptions == Value) return;
    if (Value.Contains(goRowSelect)) Value.Exclude(goAlwaysShowEditor);
    FOptions = Value;
    if (!FEditorMode) {
        if (Value.Contains(goAlwaysShowEditor))
            ShowEditor();
        else
            HideEditor();
    }
    if (Value.Contains(goRowSelect)) MoveCurrent(FCurrent.X, FCurrent.Y, true, false);
    InvalidateGrid();
    ColWidthsChanged();
}

void TCustomGrid::SetFixedColor(TColor Value) {
    if (FFixedColor == Value) return;
    FFixedColor = Value;
    InvalidateGrid();
}

void TCustomGrid::SetBorderStyle(TFormBorderStyle Value) {
    if (Value != bsNone) Value = bsSingle;
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    UpdateScrollRange();
    // The editor's place in the widget moved with the client area.
    if (FInplaceEdit) FInplaceEdit->UpdateWidgetGeometry();
    Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
    if (FScrollBars == Value) return;
    FScrollBars = Value;
    UpdateScrollRange();
    Invalidate();
}

int TCustomGrid::BorderWidth() const {
    if (FBorderStyle == bsNone) return 0;
    return GetCtl3D() ? 2 : 1;
}

TPoint TCustomGrid::GetClientOffset() const {
    return {BorderWidth(), BorderWidth()};
}

TRect TCustomGrid::GetClientRect() const {
    const int B = BorderWidth();
    int W = GetWidth() - 2 * B;
    int H = GetHeight() - 2 * B;
    if (FVertBar && !FVertBar->isHidden()) W -= GetSystemMetrics(SM_CXVSCROLL);
    if (FHorzBar && !FHorzBar->isHidden()) H -= GetSystemMetrics(SM_CYHSCROLL);
    return Rect(0, 0, std::max(W, 0), std::max(H, 0));
}

int TCustomGrid::MirrorX(int X) const {
    return UseRightToLeftAlignment() ? GetClientWidth() - X : X;
}

TRect TCustomGrid::MirrorRect(const TRect& R) const {
    if (!UseRightToLeftAlignment()) return R;
    const int W = GetClientWidth();
    return Rect(W - R.Right, R.Top, W - R.Left, R.Bottom);
}

// ---- layout information ----

void TCustomGrid::CalcFixedInfo(TGridDrawInfo& DrawInfo) const {
    auto Fixed = [this](TGridAxisDrawInfo& Axis, bool HasLines, int FixedCount, int FirstCell,
                        int CellCount, std::function<int(int)> Extent) {
        Axis.EffectiveLineWidth = HasLines ? FGridLineWidth : 0;
        Axis.FixedBoundary = 0;
        for (int I = 0; I < FixedCount; ++I)
            Axis.FixedBoundary += Extent(I) + Axis.EffectiveLineWidth;
        Axis.FixedCellCount = FixedCount;
        Axis.FirstGridCell = FirstCell;
        Axis.GridCellCount = CellCount;
        Axis.GetExtent = std::move(Extent);
    };
    const bool VertLines = FOptions.Contains(goFixedVertLine) || FOptions.Contains(goVertLine);
    const bool HorzLines = FOptions.Contains(goFixedHorzLine) || FOptions.Contains(goHorzLine);
    Fixed(DrawInfo.Horz, VertLines, FFixedCols, FTopLeft.X, FColCount,
          [this](int I) { return GetColWidths(I); });
    Fixed(DrawInfo.Vert, HorzLines, FFixedRows, FTopLeft.Y, FRowCount,
          [this](int I) { return GetRowHeights(I); });
}

// Walks the scrolling cells from the first scrolled-in one until the client
// area is full; the loop ends at the first cell that does not fit whole.
void TCustomGrid::CalcDrawInfoXY(TGridDrawInfo& DrawInfo, int UseWidth, int UseHeight) const {
    CalcFixedInfo(DrawInfo);
    auto Axis = [](TGridAxisDrawInfo& A, int UseExtent) {
        A.GridExtent = UseExtent;
        A.GridBoundary = A.FixedBoundary;
        A.FullVisBoundary = A.FixedBoundary;
        A.LastFullVisibleCell = A.FirstGridCell;
        for (int I = A.FirstGridCell; I < A.GridCellCount; ++I) {
            A.GridBoundary += A.GetExtent(I) + A.EffectiveLineWidth;
            if (A.GridBoundary > A.GridExtent + A.EffectiveLineWidth) {
                A.GridBoundary = A.GridExtent;
                break;
            }
            A.LastFullVisibleCell = I;
            A.FullVisBoundary = A.GridBoundary;
        }
    };
    Axis(DrawInfo.Horz, UseWidth);
    Axis(DrawInfo.Vert, UseHeight);
}

void TCustomGrid::CalcDrawInfo(TGridDrawInfo& DrawInfo) const {
    const TRect R = GetClientRect();
    CalcDrawInfoXY(DrawInfo, R.Width(), R.Height());
}

TGridCoord TCustomGrid::CalcMaxTopLeft(const TGridCoord& Coord,
                                       const TGridDrawInfo& DrawInfo) const {
    auto MaxCell = [](const TGridAxisDrawInfo& Axis, int Start) {
        int Result = Start;
        int Line = Axis.GridExtent + Axis.EffectiveLineWidth;
        for (int I = Start; I >= Axis.FixedCellCount; --I) {
            const int Extent = Axis.GetExtent(I);
            if (Extent <= 0) continue;
            Line -= Extent + Axis.EffectiveLineWidth;
            if (Line < Axis.FixedBoundary) {
                if (Result == Start && Axis.GetExtent(Start) <= 0) Result = I;
                break;
            }
            Result = I;
        }
        return Result;
    };
    return {MaxCell(DrawInfo.Horz, Coord.X), MaxCell(DrawInfo.Vert, Coord.Y)};
}

TGridCoord TCustomGrid::CalcCoordFromPoint(int X, int Y, const TGridDrawInfo& DrawInfo) const {
    auto Calc = [](const TGridAxisDrawInfo& Axis, int N) {
        const bool InFixed = N < Axis.FixedBoundary;
        const int Start = InFixed ? 0 : Axis.FirstGridCell;
        const int Stop = InFixed ? Axis.FixedCellCount : Axis.GridCellCount;
        int Line = InFixed ? 0 : Axis.FixedBoundary;
        if (N < 0) return -1;
        for (int I = Start; I < Stop; ++I) {
            Line += Axis.GetExtent(I) + Axis.EffectiveLineWidth;
            if (N < Line) return I;
            if (Line > Axis.GridExtent) break;
        }
        return -1;
    };
    return {Calc(DrawInfo.Horz, MirrorX(X)), Calc(DrawInfo.Vert, Y)};
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const {
    TGridDrawInfo DI;
    CalcDrawInfo(DI);
    TGridCoord Result = CalcCoordFromPoint(X, Y, DI);
    if (Result.X < 0 || Result.Y < 0) Result = {-1, -1};
    return Result;
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
    const TGridCoord C = MouseCoord(X, Y);
    ACol = C.X;
    ARow = C.Y;
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const {
    return BoxRect(ACol, ARow, ACol, ARow);
}

namespace {

// Start of cell Line on the axis, or 0 when it lies past the visible extent.
int LinePos(const TGridAxisDrawInfo& Axis, int Line) {
    int Result = 0;
    int Start = 0;
    if (Line >= Axis.FixedCellCount) {
        if (Line >= Axis.FirstGridCell) Result = Axis.FixedBoundary;
        Start = Axis.FirstGridCell;
    }
    for (int I = Start; I < Line; ++I) {
        Result += Axis.GetExtent(I) + Axis.EffectiveLineWidth;
        if (Result > Axis.GridExtent) return 0;
    }
    return Result;
}

// The pixel span of cells Min..Max on one axis; false when none of them is in view.
bool AxisSpan(const TGridAxisDrawInfo& Axis, int Min, int Max, int& ScreenMin, int& ScreenMax) {
    if (Min >= Axis.FixedCellCount && Min < Axis.FirstGridCell) {
        if (Max < Axis.FirstGridCell) return false;
        Min = Axis.FirstGridCell;
    }
    if (Max > Axis.LastFullVisibleCell) {
        Max = Axis.LastFullVisibleCell;
        if (Max < Axis.GridCellCount - 1) ++Max;
        if (LinePos(Axis, Max) == 0) --Max;
    }
    if (Max < Min) return false;
    ScreenMin = LinePos(Axis, Min);
    ScreenMax = LinePos(Axis, Max);
    if (ScreenMax == 0)
        ScreenMax = ScreenMin + Axis.GetExtent(Min);
    else
        ScreenMax += Axis.GetExtent(Max);
    ScreenMax = std::min(ScreenMax, Axis.GridExtent);
    return ScreenMax > ScreenMin;
}

}  // namespace

TRect TCustomGrid::BoxRect(int ALeft, int ATop, int ARight, int ABottom) const {
    if (ALeft > ARight || ATop > ABottom || ALeft < 0 || ATop < 0) return {};
    TGridDrawInfo DI;
    CalcDrawInfo(DI);
    if (ARight >= FColCount || ABottom >= FRowCount) return {};
    if (ALeft > DI.Horz.LastFullVisibleCell + 1 || ATop > DI.Vert.LastFullVisibleCell + 1)
        return {};
    TRect R;
    if (!AxisSpan(DI.Horz, ALeft, ARight, R.Left, R.Right)) return {};
    if (!AxisSpan(DI.Vert, ATop, ABottom, R.Top, R.Bottom)) return {};
    return MirrorRect(R);
}

int TCustomGrid::GetVisibleColCount() const {
    TGridDrawInfo DI;
    CalcDrawInfo(DI);
    return DI.Horz.LastFullVisibleCell - FTopLeft.X + 1;
}

int TCustomGrid::GetVisibleRowCount() const {
    TGridDrawInfo DI;
    CalcDrawInfo(DI);
    return DI.Vert.LastFullVisibleCell - FTopLeft.Y + 1;
}

// ---- current cell and selection ----

void TCustomGrid::SetCol(int Value) {
    if (FCurrent.X != Value) FocusCell(Value, FCurrent.Y, true);
}

void TCustomGrid::SetRow(int Value) {
    if (FCurrent.Y != Value) FocusCell(FCurrent.X, Value, true);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor) {
    MoveCurrent(ACol, ARow, MoveAnchor, true);
    UpdateEdit();
    Click();
}

TGridRect TCustomGrid::GetSelection() const {
    return GridRectOf(FCurrent, FAnchor);
}

void TCustomGrid::SetSelection(TGridRect Value) {
    const TGridRect OldSel = GetSelection();
    const TGridCoord OldCurrent = FCurrent;
    FAnchor = ClampCoord(Value.TopLeft(), FColCount, FRowCount);
    FCurrent = ClampCoord(Value.BottomRight(), FColCount, FRowCount);
    SelectionMoved(OldSel);
    if (FEditorMode && !(OldCurrent == FCurrent)) UpdateEdit();
}

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show) {
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount)
        throw EInvalidGridOperation(SIndexOutOfRange);
    if (!SelectCell(ACol, ARow)) return;
    // SelectCell may have changed the grid.
    if (ACol >= FColCount || ARow >= FRowCount) return;
    const TGridRect OldSel = GetSelection();
    const TGridCoord OldCurrent = FCurrent;
    FCurrent = {ACol, ARow};
    if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
    if (MoveAnchor || !FOptions.Contains(goRangeSelect)) {
        FAnchor = FCurrent;
        if (FOptions.Contains(goRowSelect)) FAnchor.X = FColCount - 1;
    }
    if (FOptions.Contains(goRowSelect)) FCurrent.X = FFixedCols;
    if (Show) ClampInView(FCurrent);
    SelectionMoved(OldSel);
    InvalidateCell(OldCurrent.X, OldCurrent.Y);
    InvalidateCell(ACol, ARow);
}

void TCustomGrid::MoveAnchor(const TGridCoord& NewAnchor) {
    if (!FOptions.Contains(goRangeSelect)) {
        MoveCurrent(NewAnchor.X, NewAnchor.Y, true, true);
        return;
    }
    const TGridRect OldSel = GetSelection();
    FAnchor = ClampCoord(NewAnchor, FColCount, FRowCount);
    if (FOptions.Contains(goRowSelect)) FAnchor.X = FColCount - 1;
    ClampInView(NewAnchor);
    SelectionMoved(OldSel);
}

void TCustomGrid::SelectionMoved(const TGridRect& OldSel) {
    InvalidateGridRect(OldSel);
    InvalidateGridRect(GetSelection());
}

bool TCustomGrid::SelectCell(int, int) {
    return true;
}

// ---- scrolling ----

void TCustomGrid::SetTopRow(int Value) {
    MoveTopLeft(FTopLeft.X, Value);
}

void TCustomGrid::SetLeftCol(int Value) {
    MoveTopLeft(Value, FTopLeft.Y);
}

TGridCoord TCustomGrid::ClampedTopLeft(TGridCoord Value) const {
    TGridDrawInfo DI;
    CalcDrawInfo(DI);
    const TGridCoord Max = CalcMaxTopLeft({FColCount - 1, FRowCount - 1}, DI);
    Value.X = std::clamp(Value.X, FFixedCols, std::max(FFixedCols, Max.X));
    Value.Y = std::clamp(Value.Y, FFixedRows, std::max(FFixedRows, Max.Y));
    return Value;
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop) {
    const TGridCoord New = ClampedTopLeft({ALeft, ATop});
    if (New == FTopLeft) return;
    const TGridCoord Old = FTopLeft;
    FTopLeft = New;
    TopLeftMoved(Old);
}

void TCustomGrid::TopLeftMoved(const TGridCoord&) {
    UpdateScrollPos();
    InvalidateGrid();
    TopLeftChanged();
}

void TCustomGrid::TopLeftChanged() {
    if (FEditorMode && FInplaceEdit) FInplaceEdit->UpdateLoc(CellRect(FCurrent.X, FCurrent.Y));
}

// Scrolls only once the window exists: before that the view has no size.
void TCustomGrid::ClampInView(const TGridCoord& Coord) {
    if (!HandleAllocated()) return;
    TGridDrawInfo DI;
    CalcDrawInfo(DI);
    const bool Outside = Coord.X > DI.Horz.LastFullVisibleCell ||
                         Coord.Y > DI.Vert.LastFullVisibleCell || Coord.X < FTopLeft.X ||
                         Coord.Y < FTopLeft.Y;
    if (!Outside) return;
    const TGridCoord Old = FTopLeft;
    const TGridCoord Max = CalcMaxTopLeft(Coord, DI);
    if (Coord.X < FTopLeft.X)
        FTopLeft.X = Coord.X;
    else if (Coord.X > DI.Horz.LastFullVisibleCell)
        FTopLeft.X = Max.X;
    if (Coord.Y < FTopLeft.Y)
        FTopLeft.Y = Coord.Y;
    else if (Coord.Y > DI.Vert.LastFullVisibleCell)
        FTopLeft.Y = Max.Y;
    FTopLeft.X = std::max(FTopLeft.X, FFixedCols);
    FTopLeft.Y = std::max(FTopLeft.Y, FFixedRows);
    if (!(FTopLeft == Old)) TopLeftMoved(Old);
}

// ---- scroll bars ----

TGridDrawInfo TCustomGrid::ScrollInfo(bool ShowHorz, bool ShowVert) const {
    const int B = BorderWidth();
    const int W = GetWidth() - 2 * B - (ShowVert ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    const int H = GetHeight() - 2 * B - (ShowHorz ? GetSystemMetrics(SM_CYHSCROLL) : 0);
    TGridDrawInfo DI;
    CalcDrawInfoXY(DI, std::max(W, 0), std::max(H, 0));
    return DI;
}

// A bar shows when ScrollBars allows it and there is something to scroll;
// showing one narrows the view, which may call for the other.
void TCustomGrid::UpdateScrollRange() {
    if (FUpdatingScrollRange || !FHorzBar) return;
    const TRect OldClient = GetClientRect();
    {
        FUpdatingScrollRange = true;
        TScopeExit Done([this] { FUpdatingScrollRange = false; });
        ApplyScrollRange();
    }
    // A bar that came or went resized the client area, as a new size would.
    if (!(GetClientRect() == OldClient) && !IsLoading()) Resize();
}

void TCustomGrid::ApplyScrollRange() {
    const bool AllowHorz = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    const bool AllowVert = FScrollBars == ssVertical || FScrollBars == ssBoth;
    const TGridCoord Last{FColCount - 1, FRowCount - 1};
    bool ShowHorz = false, ShowVert = false;
    for (int Pass = 0; Pass < 3; ++Pass) {
        const TGridCoord Max = CalcMaxTopLeft(Last, ScrollInfo(ShowHorz, ShowVert));
        const bool NeedHorz = AllowHorz && Max.X > FFixedCols;
        const bool NeedVert = AllowVert && Max.Y > FFixedRows;
        if (NeedHorz == ShowHorz && NeedVert == ShowVert) break;
        ShowHorz = ShowHorz || NeedHorz;
        ShowVert = ShowVert || NeedVert;
    }
    LayoutScrollBars(ShowHorz, ShowVert);
    TGridDrawInfo DI;
    CalcDrawInfo(DI);
    const TGridCoord Max = CalcMaxTopLeft(Last, DI);
    {
        const QSignalBlocker BlockH(FHorzBar), BlockV(FVertBar);
        FHorzBar->setRange(FFixedCols, std::max(FFixedCols, Max.X));
        FVertBar->setRange(FFixedRows, std::max(FFixedRows, Max.Y));
        FHorzBar->setPageStep(std::max(1, DI.Horz.LastFullVisibleCell - FTopLeft.X + 1));
        FVertBar->setPageStep(std::max(1, DI.Vert.LastFullVisibleCell - FTopLeft.Y + 1));
        FHorzBar->setTracking(FOptions.Contains(goThumbTracking));
        FVertBar->setTracking(FOptions.Contains(goThumbTracking));
    }
    const TGridCoord Old = FTopLeft;
    FTopLeft = ClampedTopLeft(FTopLeft);
    UpdateScrollPos();
    if (!(FTopLeft == Old)) TopLeftMoved(Old);
}

void TCustomGrid::LayoutScrollBars(bool ShowHorz, bool ShowVert) {
    const int B = BorderWidth();
    const int SW = GetSystemMetrics(SM_CXVSCROLL);
    const int SH = GetSystemMetrics(SM_CYHSCROLL);
    const int W = std::max(GetWidth() - 2 * B, 0);
    const int H = std::max(GetHeight() - 2 * B, 0);
    FVertBar->setGeometry(B + W - SW, B, SW, std::max(H - (ShowHorz ? SH : 0), 0));
    FHorzBar->setGeometry(B, B + H - SH, std::max(W - (ShowVert ? SW : 0), 0), SH);
    FCorner->setGeometry(B + W - SW, B + H - SH, SW, SH);
    FVertBar->setVisible(ShowVert);
    FHorzBar->setVisible(ShowHorz);
    FCorner->setVisible(ShowHorz && ShowVert);
}

void TCustomGrid::SetScrollBarRange(bool Vertical, int Min, int Max) {
    QScrollBar* Bar = Vertical ? FVertBar : FHorzBar;
    {
        const QSignalBlocker Block(Bar);
        Bar->setRange(Min, std::max(Min, Max));
    }
    const bool ShowVert = Vertical ? Max > Min : !FVertBar->isHidden();
    const bool ShowHorz = Vertical ? !FHorzBar->isHidden() : Max > Min;
    LayoutScrollBars(ShowHorz, ShowVert);
}

void TCustomGrid::UpdateScrollPos() {
    const QSignalBlocker BlockH(FHorzBar), BlockV(FVertBar);
    FHorzBar->setValue(FTopLeft.X);
    FVertBar->setValue(FTopLeft.Y);
}

void TCustomGrid::ScrollBarMoved(bool Vertical, int Value) {
    if (FUpdatingScrollRange) return;
    if (Vertical)
        MoveTopLeft(FTopLeft.X, Value);
    else
        MoveTopLeft(Value, FTopLeft.Y);
}

void TCustomGrid::Resize() {
    UpdateScrollRange();
    if (FEditorMode && FInplaceEdit) FInplaceEdit->UpdateLoc(CellRect(FCurrent.X, FCurrent.Y));
    TCustomControl::Resize();
}

void TCustomGrid::ShowingChanged() {
    TCustomControl::ShowingChanged();
    if (GetShowing()) UpdateScrollRange();
}

void TCustomGrid::FontChanged() {
    TCustomControl::FontChanged();
    InvalidateGrid();
}

void TCustomGrid::MouseLeave() {
    TCustomControl::MouseLeave();
}

// ---- invalidation ----

void TCustomGrid::InvalidateRect(const TRect& R) {
    if (R.IsEmpty()) return;
    const TPoint Off = GetClientOffset();
    GetWidget()->update(R.Left + Off.X, R.Top + Off.Y, R.Width(), R.Height());
}

void TCustomGrid::InvalidateGridRect(const TGridRect& R) {
    TRect Box = BoxRect(std::max(R.Left, 0), std::max(R.Top, 0), std::min(R.Right, FColCount - 1),
                        std::min(R.Bottom, FRowCount - 1));
    Box.Right += FGridLineWidth;
    Box.Bottom += FGridLineWidth;
    InvalidateRect(Box);
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) {
    InvalidateGridRect({ACol, ARow, ACol, ARow});
}

void TCustomGrid::InvalidateRow(int ARow) {
    InvalidateGridRect({0, ARow, FColCount - 1, ARow});
}

void TCustomGrid::InvalidateCol(int ACol) {
    InvalidateGridRect({ACol, 0, ACol, FRowCount - 1});
}

// ---- streaming of the sizes ----

void TCustomGrid::DefineProperties(TFiler* Filer) {
    TCustomControl::DefineProperties(Filer);
    auto Define = [Filer](const char* Name, std::vector<int>& Extents,
                          std::function<void(int, int)> Set) {
        Filer->DefineProperty(
            Name,
            [Set](TReader* Reader) {
                Reader->ReadListBegin();
                for (int I = 0; !Reader->EndOfList(); ++I) Set(I, Reader->ReadInteger());
                Reader->ReadListEnd();
            },
            [&Extents](TWriter* Writer) {
                Writer->WriteListBegin();
                for (int V : Extents) Writer->WriteInteger(V);
                Writer->WriteListEnd();
            },
            !Extents.empty());
    };
    Define("ColWidths", FColWidths, [this](int I, int V) {
        if (I < FColCount) SetColWidths(I, V);
    });
    Define("RowHeights", FRowHeights, [this](int I, int V) {
        if (I < FRowCount) SetRowHeights(I, V);
    });
}

// ---- TCustomDrawGrid ----

ZK_IMPLEMENT_CLASS(TCustomDrawGrid)
void TCustomDrawGrid::DescribeClass(TClassBuilder<TCustomDrawGrid>&) {}

TCustomDrawGrid::TCustomDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

void TCustomDrawGrid::ColumnMoved(int FromIndex, int ToIndex) {
    if (FOnColumnMoved.Assigned()) FOnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    if (FOnDrawCell.Assigned()) FOnDrawCell(this, ACol, ARow, ARect, AState);
}

std::string TCustomDrawGrid::GetEditMask(int ACol, int ARow) {
    std::string Result = TCustomGrid::GetEditMask(ACol, ARow);
    if (FOnGetEditMask.Assigned()) FOnGetEditMask(this, ACol, ARow, Result);
    return Result;
}

std::string TCustomDrawGrid::GetEditText(int ACol, int ARow) {
    std::string Result = TCustomGrid::GetEditText(ACol, ARow);
    if (FOnGetEditText.Assigned()) FOnGetEditText(this, ACol, ARow, Result);
    return Result;
}

void TCustomDrawGrid::RowMoved(int FromIndex, int ToIndex) {
    if (FOnRowMoved.Assigned()) FOnRowMoved(this, FromIndex, ToIndex);
}

bool TCustomDrawGrid::SelectCell(int ACol, int ARow) {
    bool Result = TCustomGrid::SelectCell(ACol, ARow);
    if (FOnSelectCell.Assigned()) FOnSelectCell(this, ACol, ARow, Result);
    return Result;
}

void TCustomDrawGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
    TCustomGrid::SetEditText(ACol, ARow, Value);
    if (FOnSetEditText.Assigned()) FOnSetEditText(this, ACol, ARow, Value);
}

void TCustomDrawGrid::TopLeftChanged() {
    TCustomGrid::TopLeftChanged();
    if (FOnTopLeftChanged.Assigned()) FOnTopLeftChanged(this);
}

// ---- TDrawGrid ----

ZK_IMPLEMENT_CLASS(TDrawGrid)
void TDrawGrid::DescribeClass(TClassBuilder<TDrawGrid>& C) {
    C.Prop("OnColumnMoved", &TCustomDrawGrid::GetOnColumnMoved, &TCustomDrawGrid::SetOnColumnMoved);
    C.Prop("OnDrawCell", &TCustomDrawGrid::GetOnDrawCell, &TCustomDrawGrid::SetOnDrawCell);
    C.Prop("OnGetEditMask", &TCustomDrawGrid::GetOnGetEditMask, &TCustomDrawGrid::SetOnGetEditMask);
    C.Prop("OnGetEditText", &TCustomDrawGrid::GetOnGetEditText, &TCustomDrawGrid::SetOnGetEditText);
    C.Prop("OnRowMoved", &TCustomDrawGrid::GetOnRowMoved, &TCustomDrawGrid::SetOnRowMoved);
    C.Prop("OnSelectCell", &TCustomDrawGrid::GetOnSelectCell, &TCustomDrawGrid::SetOnSelectCell);
    C.Prop("OnSetEditText", &TCustomDrawGrid::GetOnSetEditText, &TCustomDrawGrid::SetOnSetEditText);
    C.Prop("OnTopLeftChanged", &TCustomDrawGrid::GetOnTopLeftChanged,
           &TCustomDrawGrid::SetOnTopLeftChanged);
}

TDrawGrid::TDrawGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}

void RegisterGridClasses() {
    static std::once_flag Once;
    std::call_once(Once, [] {
        RegisterClasses({TDrawGrid::StaticClass(), TMaskEdit::StaticClass()});
    });
}

}  // namespace zk
