// TCustomGrid's painting: grid lines, the cells in view (fixed, then scrolling), focus and drag
// feedback.
#include <QPaintEvent>
#include <QPainter>
#include <QPen>

#include "platform/gui/Graphics.h"
#include "platform/gui/Grids.h"

namespace zk {

// Remembers the area being painted, so that only the cells meeting it are drawn.
bool TCustomGrid::PaintWidget(QPaintEvent* E, QWidget* Device) {
    const TPoint Off = GetClientOffset();
    const QRect R = E->rect();
    FPaintRect = Bounds(R.x() - Off.X, R.y() - Off.Y, R.width(), R.height());
    return TCustomControl::PaintWidget(E, Device);
}

void TCustomGrid::PaintBorder() {
    if (FBorderStyle == bsNone) return;
    TRect R = Rect(0, 0, GetWidth(), GetHeight());
    if (GetCtl3D()) {
        GetCanvas()->DrawEdge(R, EDGE_SUNKEN, BF_RECT);
    } else {
        GetCanvas()->GetBrush()->SetColor(clWindowFrame);
        GetCanvas()->FrameRect(R);
    }
}

// Lines first, then the four areas of cells: fixed corner, fixed rows,
// fixed columns, scrolling cells; then whatever the cells leave uncovered.
void TCustomGrid::Paint() {
    TGridDrawInfo DI;
    CalcDrawInfo(DI);
    FPaintSelection = GetSelection();
    FPaintFocused = IsActiveControl();
    const TGridAxisDrawInfo& H = DI.Horz;
    const TGridAxisDrawInfo& V = DI.Vert;
    const TRect Corner = Rect(0, 0, H.FixedBoundary, V.FixedBoundary);
    const TRect FixedRowsArea = Rect(H.FixedBoundary, 0, H.GridBoundary, V.FixedBoundary);
    const TRect FixedColsArea = Rect(0, V.FixedBoundary, H.FixedBoundary, V.GridBoundary);
    const TRect CellsArea = Rect(H.FixedBoundary, V.FixedBoundary, H.GridBoundary, V.GridBoundary);
    if (H.EffectiveLineWidth > 0 || V.EffectiveLineWidth > 0) {
        const bool FixedHorz = FOptions.Contains(goFixedHorzLine);
        const bool FixedVert = FOptions.Contains(goFixedVertLine);
        const TColor LineColor = ColorToRGB(GetColor()) == clSilver ? clGray : clSilver;
        DrawLines(DI, FixedHorz, FixedVert, 0, 0, Corner, clBlack, FFixedColor);
        DrawLines(DI, FixedHorz, FixedVert, FTopLeft.X, 0, FixedRowsArea, clBlack, FFixedColor);
        DrawLines(DI, FixedHorz, FixedVert, 0, FTopLeft.Y, FixedColsArea, clBlack, FFixedColor);
        DrawLines(DI, FOptions.Contains(goHorzLine), FOptions.Contains(goVertLine), FTopLeft.X,
                  FTopLeft.Y, CellsArea, LineColor, GetColor());
    }
    DrawCells(DI, 0, 0, Corner, FFixedColor, {gdFixed});
    DrawCells(DI, FTopLeft.X, 0, FixedRowsArea, FFixedColor, {gdFixed});
    DrawCells(DI, 0, FTopLeft.Y, FixedColsArea, FFixedColor, {gdFixed});
    DrawCells(DI, FTopLeft.X, FTopLeft.Y, CellsArea, GetColor(), {});
    if (FOptions.Contains(goRowSelect) && FDefaultDrawing && FPaintFocused)
        DrawFocusRect(BoxRect(FPaintSelection.Left, FPaintSelection.Top, FPaintSelection.Right,
                              FPaintSelection.Bottom));
    FillOutside(DI);
    DrawDragFeedback(DI);
}

// Grid lines of one area: the lines after each column (row) of the area, in
// OnColor when the option for them is set, else in the cells' colour.
void TCustomGrid::DrawLines(const TGridDrawInfo& DI, bool DoHorz, bool DoVert, int Col, int Row,
                            const TRect& Bounds, TColor OnColor, TColor OffColor) {
    if (Bounds.Left >= Bounds.Right || Bounds.Top >= Bounds.Bottom) return;
    if (DI.Horz.EffectiveLineWidth > 0)
        DrawAxisLines(DI.Horz, Col, true, Bounds, DoVert ? OnColor : OffColor);
    if (DI.Vert.EffectiveLineWidth > 0)
        DrawAxisLines(DI.Vert, Row, false, Bounds, DoHorz ? OnColor : OffColor);
}

void TCustomGrid::DrawAxisLines(const TGridAxisDrawInfo& Axis, int Cell, bool Horizontal,
                                const TRect& Bounds, TColor Color) {
    TCanvas* C = GetCanvas();
    C->GetBrush()->SetColor(Color);
    C->GetBrush()->SetStyle(bsSolid);
    const int Width = Axis.EffectiveLineWidth;
    int Pos = Horizontal ? Bounds.Left : Bounds.Top;
    const int Stop = Horizontal ? Bounds.Right : Bounds.Bottom;
    for (int I = Cell; I < Axis.GridCellCount; ++I) {
        Pos += Axis.GetExtent(I);
        if (Pos >= Stop) break;
        const TRect Line = Horizontal ? Rect(Pos, Bounds.Top, Pos + Width, Bounds.Bottom)
                                      : Rect(Bounds.Left, Pos, Bounds.Right, Pos + Width);
        const TRect Shown = MirrorRect(Line);
        if (!IntersectRect(Shown, FPaintRect).IsEmpty()) C->FillRect(Shown);
        Pos += Width;
    }
}

// The cells of one area, row by row from (ACol, ARow), drawing only those
// with a size that meet the area being painted.
void TCustomGrid::DrawCells(const TGridDrawInfo& DI, int ACol, int ARow, const TRect& Area,
                            TColor AColor, TGridDrawState IncludeDrawState) {
    int Top = Area.Top;
    for (int CurRow = ARow; Top < Area.Bottom && CurRow < FRowCount; ++CurRow) {
        const int Bottom = Top + GetRowHeights(CurRow);
        int Left = Area.Left;
        for (int CurCol = ACol; Left < Area.Right && CurCol < FColCount; ++CurCol) {
            const int Right = Left + GetColWidths(CurCol);
            const TRect Where = MirrorRect(Rect(Left, Top, Right, Bottom));
            if (Right > Left && Bottom > Top && !IntersectRect(Where, FPaintRect).IsEmpty())
                DrawOneCell(DI, CurCol, CurRow, Where, AColor, IncludeDrawState);
            Left = Right + DI.Horz.EffectiveLineWidth;
        }
        Top = Bottom + DI.Vert.EffectiveLineWidth;
    }
}

void TCustomGrid::DrawOneCell(const TGridDrawInfo& DI, int ACol, int ARow, const TRect& Where,
                              TColor AColor, TGridDrawState State) {
    if (FPaintFocused && ACol == FCurrent.X && ARow == FCurrent.Y) State.Include(gdFocused);
    if (FPaintSelection.Contains(ACol, ARow)) State.Include(gdSelected);
    // The editor covers the focused cell while it shows over it; hidden (while
    // a border is dragged, say) it leaves the cell to be painted.
    if (State.Contains(gdFocused) && FEditorMode && FInplaceEdit && FInplaceEdit->GetVisible())
        return;
    TCanvas* C = GetCanvas();
    if (FDefaultDrawing) {
        C->GetFont()->Assign(GetFont());
        const bool Highlight =
            State.Contains(gdSelected) &&
            (!State.Contains(gdFocused) || FOptions.Contains(goDrawFocusSelected) ||
             FOptions.Contains(goRowSelect));
        C->GetBrush()->SetColor(Highlight ? clHighlight : AColor);
        if (Highlight) C->GetFont()->SetColor(clHighlightText);
        C->GetBrush()->SetStyle(bsSolid);
        C->FillRect(Where);
    }
    DrawCell(ACol, ARow, Where, State);
    if (!FDefaultDrawing) return;
    if (State.Contains(gdFixed) && GetCtl3D() &&
        (FOptions.Contains(goFixedVertLine) || FOptions.Contains(goFixedHorzLine)))
        DrawFixedEdge(DI, Where);
    const bool EditorAlways = FOptions.Contains(goEditing) && FOptions.Contains(goAlwaysShowEditor);
    if (State.Contains(gdFocused) && !EditorAlways && !FOptions.Contains(goRowSelect))
        DrawFocusRect(Where);
}

// A raised inner edge on the sides where the fixed lines run.
void TCustomGrid::DrawFixedEdge(const TGridDrawInfo& DI, const TRect& Where) {
    unsigned After = 0, Before = 0;
    if (FOptions.Contains(goFixedVertLine)) {
        After = BF_RIGHT;
        Before = BF_LEFT;
    }
    if (FOptions.Contains(goFixedHorzLine)) {
        After |= BF_BOTTOM;
        Before |= BF_TOP;
    }
    TRect Edge = Where;
    if (!(After & BF_RIGHT))
        Edge.Right += DI.Horz.EffectiveLineWidth;
    else if (!(After & BF_BOTTOM))
        Edge.Bottom += DI.Vert.EffectiveLineWidth;
    TRect R = Edge;
    GetCanvas()->DrawEdge(R, BDR_RAISEDINNER, After);
    R = Edge;
    GetCanvas()->DrawEdge(R, BDR_RAISEDINNER, Before);
}

// Dotted and inverting, so that it shows on the highlight as on the window colour.
void TCustomGrid::DrawFocusRect(const TRect& R) {
    if (R.IsEmpty()) return;
    QPainter* P = GetCanvas()->GetPainter();
    if (!P) return;
    P->save();
    P->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen Pen(Qt::white, 1, Qt::DotLine);
    P->setPen(Pen);
    P->setBrush(Qt::NoBrush);
    P->drawRect(QRect(R.Left, R.Top, R.Width() - 1, R.Height() - 1));
    P->restore();
    GetCanvas()->Refresh();
}

void TCustomGrid::FillOutside(const TGridDrawInfo& DI) {
    TCanvas* C = GetCanvas();
    C->GetBrush()->SetColor(GetColor());
    C->GetBrush()->SetStyle(bsSolid);
    const TGridAxisDrawInfo& H = DI.Horz;
    const TGridAxisDrawInfo& V = DI.Vert;
    if (H.GridBoundary < H.GridExtent)
        C->FillRect(MirrorRect(Rect(H.GridBoundary, 0, H.GridExtent, V.GridBoundary)));
    if (V.GridBoundary < V.GridExtent)
        C->FillRect(Rect(0, V.GridBoundary, H.GridExtent, V.GridExtent));
}

// The border being dragged, or where a moved row (column) will land.
void TCustomGrid::DrawDragFeedback(const TGridDrawInfo& DI) {
    TCanvas* C = GetCanvas();
    C->GetBrush()->SetColor(clBlack);
    C->GetBrush()->SetStyle(bsSolid);
    const int Width = GetClientWidth();
    const int Height = GetClientHeight();
    switch (FGridState) {
        case gsColSizing:
            C->FillRect(MirrorRect(Rect(FSizingPos - 1, 0, FSizingPos + 1, Height)));
            break;
        case gsRowSizing:
            C->FillRect(Rect(0, FSizingPos - 1, Width, FSizingPos + 1));
            break;
        case gsRowMoving: {
            const TRect R = CellRect(0, FMovePos);
            const int Y = FMovePos > FMoveIndex ? R.Bottom : R.Top;
            if (!R.IsEmpty()) C->FillRect(Rect(0, Y - 1, DI.Horz.GridBoundary, Y + 1));
            break;
        }
        case gsColMoving: {
            const TRect R = CellRect(FMovePos, 0);
            const int X = FMovePos > FMoveIndex ? R.Right : R.Left;
            if (!R.IsEmpty()) C->FillRect(Rect(X - 1, 0, X + 1, DI.Vert.GridBoundary));
            break;
        }
        default:
            break;
    }
}

}  // namespace zk
