// The owner-drawn grid: counts and fixed lines, layout and coordinates, painting of the visible
// cells, keyboard and mouse.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/Filer.h"
#include "platform/core/Stream.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Grids.h"

namespace zk::test {

namespace {

// A draw grid that records the cells it is asked to draw and lets tests reach its protected steps.
class TRecordingGrid : public TCustomDrawGrid {
public:
    explicit TRecordingGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}
    std::vector<std::pair<int, int>> Drawn;
    std::vector<std::pair<int, int>> Moved;
    int Resized = 0;
    using TCustomGrid::CalcSizingState;
    using TCustomGrid::DeleteRow;
    using TCustomGrid::GetScrollBar;
    using TCustomGrid::SetScrollBarRange;

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override {
        Drawn.emplace_back(ACol, ARow);
        TCustomDrawGrid::DrawCell(ACol, ARow, ARect, AState);
    }
    void Resize() override {
        ++Resized;
        TCustomDrawGrid::Resize();
    }
    void RowMoved(int FromIndex, int ToIndex) override {
        Moved.emplace_back(FromIndex, ToIndex);
        TCustomDrawGrid::RowMoved(FromIndex, ToIndex);
    }
};

void SendKey(QWidget* W, int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier,
             const QString& Text = {}) {
    QKeyEvent Press(QEvent::KeyPress, QtKey, Mods, Text);
    QApplication::sendEvent(W, &Press);
    QKeyEvent Release(QEvent::KeyRelease, QtKey, Mods, Text);
    QApplication::sendEvent(W, &Release);
}

void SendMouse(QWidget* W, QEvent::Type Type, QPoint Pos, Qt::MouseButtons Buttons,
               Qt::KeyboardModifiers Mods = Qt::NoModifier) {
    const Qt::MouseButton Button = Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent E(Type, QPointF(Pos), QPointF(W->mapToGlobal(Pos)), Button, Buttons, Mods);
    QApplication::sendEvent(W, &E);
}

class GridTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Form->SetBounds(20, 20, 500, 400);
        Grid = Create<TRecordingGrid>(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(8, 8, 300, 200);
        Form->Show();
        Application->ProcessMessages();
        Grid->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
    }
    QWidget* W() const { return Grid->GetWidget(); }
    // Client coordinates to the widget's: the border lies around the client area.
    QPoint ToWidget(int X, int Y) const { return QPoint(X + 2, Y + 2); }
    QPoint CellCentre(int ACol, int ARow) const {
        const TRect R = Grid->CellRect(ACol, ARow);
        return ToWidget((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
    void Click(QPoint P, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
        SendMouse(W(), QEvent::MouseButtonPress, P, Qt::LeftButton, Mods);
        SendMouse(W(), QEvent::MouseButtonRelease, P, Qt::NoButton, Mods);
    }
    void Drag(QPoint From, QPoint To) {
        SendMouse(W(), QEvent::MouseButtonPress, From, Qt::LeftButton);
        SendMouse(W(), QEvent::MouseMove, To, Qt::LeftButton);
        SendMouse(W(), QEvent::MouseButtonRelease, To, Qt::NoButton);
    }
    // Paints the whole grid now and returns the cells DrawCell was asked for.
    std::vector<std::pair<int, int>> PaintAll() {
        Grid->Drawn.clear();
        (void)W()->grab();
        return Grid->Drawn;
    }
    // The cells whose rectangles meet the client area, computed from the sizes alone.
    std::set<std::pair<int, int>> ExpectedVisible() const {
        std::set<std::pair<int, int>> Result;
        const int CW = Grid->GetClientWidth(), CH = Grid->GetClientHeight();
        const int LW = Grid->GetGridLineWidth();
        std::vector<int> Cols, Rows;
        for (int X = 0, C = 0; C < Grid->GetColCount() && X < CW; ++C) {
            if (C >= Grid->GetFixedCols() && C < Grid->GetLeftCol()) continue;
            if (Grid->GetColWidths(C) > 0) Cols.push_back(C);
            X += Grid->GetColWidths(C) + LW;
        }
        for (int Y = 0, R = 0; R < Grid->GetRowCount() && Y < CH; ++R) {
            if (R >= Grid->GetFixedRows() && R < Grid->GetTopRow()) continue;
            if (Grid->GetRowHeights(R) > 0) Rows.push_back(R);
            Y += Grid->GetRowHeights(R) + LW;
        }
        for (int R : Rows)
            for (int C : Cols) Result.insert({C, R});
        return Result;
    }
    void ExpectConsistent() const {
        const TGridRect S = Grid->GetSelection();
        EXPECT_GE(Grid->GetColCount(), 1);
        EXPECT_GE(Grid->GetRowCount(), 1);
        EXPECT_GE(Grid->GetFixedCols(), 0);
        EXPECT_LT(Grid->GetFixedCols(), Grid->GetColCount());
        EXPECT_LT(Grid->GetFixedRows(), Grid->GetRowCount());
        EXPECT_TRUE(Grid->GetCol() >= 0 && Grid->GetCol() < Grid->GetColCount()) << Grid->GetCol();
        EXPECT_TRUE(Grid->GetRow() >= 0 && Grid->GetRow() < Grid->GetRowCount()) << Grid->GetRow();
        EXPECT_TRUE(S.Left >= 0 && S.Right < Grid->GetColCount() && S.Left <= S.Right);
        EXPECT_TRUE(S.Top >= 0 && S.Bottom < Grid->GetRowCount() && S.Top <= S.Bottom);
        EXPECT_TRUE(S.Contains(Grid->GetCol(), Grid->GetRow()));
        EXPECT_GE(Grid->GetTopRow(), Grid->GetFixedRows());
        EXPECT_GE(Grid->GetLeftCol(), Grid->GetFixedCols());
        EXPECT_TRUE(Grid->GetTopRow() < Grid->GetRowCount() ||
                    Grid->GetTopRow() == Grid->GetFixedRows());
        EXPECT_TRUE(Grid->GetLeftCol() < Grid->GetColCount() ||
                    Grid->GetLeftCol() == Grid->GetFixedCols());
    }
    TOwned<TForm> Form;
    TRecordingGrid* Grid = nullptr;  // owned by Form
};

}  // namespace

TEST_F(GridTest, StartsWithTheFrameworksDefaults) {
    EXPECT_EQ(Grid->GetColCount(), 5);
    EXPECT_EQ(Grid->GetRowCount(), 5);
    EXPECT_EQ(Grid->GetFixedCols(), 1);
    EXPECT_EQ(Grid->GetFixedRows(), 1);
    EXPECT_EQ(Grid->GetCol(), 1);
    EXPECT_EQ(Grid->GetRow(), 1);
    EXPECT_EQ(Grid->GetOptions(), DefaultGridOptions);
    EXPECT_EQ(Grid->GetColor(), clWindow);
    EXPECT_TRUE(Grid->GetTabStop());
    const TGridOptions ItemListOptions = {goFixedVertLine,    goFixedHorzLine, goVertLine,
                                          goHorzLine,         goColSizing,     goEditing,
                                          goAlwaysShowEditor, goThumbTracking};
    EXPECT_EQ(ItemListOptions.ToInt(), 25743u);
}

TEST_F(GridTest, PublishedPropertiesReadAndWriteTheGrid) {
    TDrawGrid* G = Create<TDrawGrid>(Form.get());
    SetOrdProp(G, "ColCount", 9);
    SetOrdProp(G, "FixedRows", 2);
    SetSetProp(G, "Options", "[goEditing,goTabs]");
    EXPECT_EQ(G->GetColCount(), 9);
    EXPECT_EQ(G->GetFixedRows(), 2);
    EXPECT_EQ(G->GetOptions(), (TGridOptions{goEditing, goTabs}));
    EXPECT_EQ(GetPropInfo(G, "Options")->PropType->Name, "TGridOptions");
    EXPECT_EQ(GetEnumProp(G, "ScrollBars"), "ssBoth");
    EXPECT_EQ(GetEnumProp(G, "BorderStyle"), "bsSingle");
    EXPECT_TRUE(IsPublishedProp(G, "OnDrawCell"));
    EXPECT_TRUE(IsPublishedProp(G, "OnSetEditText"));
}

TEST_F(GridTest, AStreamKeepsCountsFixedLinesAndColumnWidths) {
    TDrawGrid* G = Create<TDrawGrid>(Form.get());
    G->SetName("Grid1");
    G->SetColCount(7);
    G->SetRowCount(3);
    G->SetFixedCols(2);
    G->SetColWidths(4, 99);
    TMemoryStream Stream;
    WriteComponentToStream(&Stream, G);
    Stream.SetPosition(0);
    TOwned<TDrawGrid> Copy(Create<TDrawGrid>(nullptr));
    ReadComponentFromStream(&Stream, Copy.get());
    EXPECT_EQ(Copy->GetColCount(), 7);
    EXPECT_EQ(Copy->GetRowCount(), 3);
    EXPECT_EQ(Copy->GetFixedCols(), 2);
    EXPECT_EQ(Copy->GetColWidths(4), 99);
    EXPECT_EQ(Copy->GetColWidths(3), 64);
}

TEST_F(GridTest, ShrinkingTheCountsKeepsTheCurrentCellInside) {
    Grid->SetRowCount(20);
    Grid->SetColCount(10);
    Grid->SetRow(15);
    Grid->SetCol(8);
    Grid->SetRowCount(6);
    EXPECT_EQ(Grid->GetRow(), 5);
    Grid->SetColCount(3);
    EXPECT_EQ(Grid->GetCol(), 2);
    ExpectConsistent();
}

TEST_F(GridTest, ACountAtOrBelowTheFixedLinesLowersThem) {
    Grid->SetFixedRows(3);
    Grid->SetRowCount(2);
    EXPECT_EQ(Grid->GetFixedRows(), 1);
    Grid->SetColCount(0);
    EXPECT_EQ(Grid->GetColCount(), 1);
    EXPECT_EQ(Grid->GetFixedCols(), 0);
    ExpectConsistent();
}

TEST_F(GridTest, FixedLinesFillingTheGridAreRefusedAndChangeNothing) {
    try {
        Grid->SetFixedCols(5);
        FAIL() << "no exception";
    } catch (const EInvalidGridOperation& E) {
        EXPECT_EQ(E.Message(), "Fixed column count must be less than column count");
    }
    try {
        Grid->SetFixedRows(7);
        FAIL() << "no exception";
    } catch (const EInvalidGridOperation& E) {
        EXPECT_EQ(E.Message(), "Fixed row count must be less than row count");
    }
    EXPECT_EQ(Grid->GetFixedCols(), 1);
    EXPECT_EQ(Grid->GetFixedRows(), 1);
    EXPECT_THROW(Grid->SetCol(5), EInvalidGridOperation);
    EXPECT_EQ(Grid->GetCol(), 1);
}

// Every setter in a random order; the grid's invariants hold after each step.
TEST_F(GridTest, CountsFixedLinesAndCurrentCellStayConsistentUnderEverySetter) {
    std::mt19937 Rng(1234);
    auto Pick = [&](int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Rng); };
    for (int Step = 0; Step < 400; ++Step) {
        try {
            switch (Pick(0, 9)) {
                case 0:
                    Grid->SetColCount(Pick(0, 30));
                    break;
                case 1:
                    Grid->SetRowCount(Pick(0, 300));
                    break;
                case 2:
                    Grid->SetFixedCols(Pick(0, 4));
                    break;
                case 3:
                    Grid->SetFixedRows(Pick(0, 4));
                    break;
                case 4:
                    Grid->SetCol(Pick(0, Grid->GetColCount() - 1));
                    break;
                case 5:
                    Grid->SetRow(Pick(0, Grid->GetRowCount() - 1));
                    break;
                case 6:
                    Grid->SetTopRow(Pick(-5, 400));
                    break;
                case 7:
                    Grid->SetLeftCol(Pick(-5, 40));
                    break;
                case 8:
                    Grid->SetSelection({Pick(-2, 30), Pick(-2, 300), Pick(-2, 30), Pick(-2, 300)});
                    break;
                default:
                    Grid->SetDefaultRowHeight(Pick(5, 40));
                    break;
            }
        } catch (const EInvalidGridOperation&) {
        }
        ExpectConsistent();
        if (HasFailure()) FAIL() << "after step " << Step;
    }
}

TEST_F(GridTest, DrawsExactlyTheVisibleCellsOfAThousandRowGrid) {
    Grid->SetRowCount(1000);
    Grid->SetColCount(20);
    std::vector<std::pair<int, int>> Drawn = PaintAll();
    std::set<std::pair<int, int>> Unique(Drawn.begin(), Drawn.end());
    EXPECT_EQ(Unique.size(), Drawn.size()) << "a cell was drawn twice";
    EXPECT_EQ(Unique, ExpectedVisible());
    // 296 x 196 client minus the bars: 5 columns of 65 pixels and 8 rows of 25, some cut off.
    EXPECT_LT(Drawn.size(), 60u);

    Grid->SetTopRow(500);
    Grid->SetLeftCol(7);
    Drawn = PaintAll();
    Unique = std::set<std::pair<int, int>>(Drawn.begin(), Drawn.end());
    EXPECT_EQ(Unique, ExpectedVisible());
    EXPECT_TRUE(Unique.count({0, 0}));
    EXPECT_TRUE(Unique.count({7, 500}));
    EXPECT_TRUE(Unique.count({0, 500}));
    EXPECT_FALSE(Unique.count({1, 1}));
    EXPECT_FALSE(Unique.count({7, 499}));
}

TEST_F(GridTest, ScrolledToTheEndTheLastRowIsTheLastDrawn) {
    Grid->SetRowCount(1000);
    Grid->SetTopRow(5000);
    const std::vector<std::pair<int, int>> Drawn = PaintAll();
    int MaxRow = 0;
    for (const auto& C : Drawn) MaxRow = std::max(MaxRow, C.second);
    EXPECT_EQ(MaxRow, 999);
    EXPECT_EQ(Grid->GetTopRow() + Grid->GetVisibleRowCount() - 1, 999);
}

TEST_F(GridTest, APartialRepaintDrawsOnlyTheCellsItMeets) {
    Grid->SetRowCount(100);
    const TRect R = Grid->CellRect(2, 3);
    Grid->Drawn.clear();
    QPixmap Pixmap(W()->size());
    W()->render(&Pixmap, QPoint(R.Left + 2, R.Top + 2),
                QRegion(R.Left + 2 + 5, R.Top + 2 + 5, 4, 4));
    ASSERT_EQ(Grid->Drawn.size(), 1u);
    EXPECT_EQ(Grid->Drawn[0], std::make_pair(2, 3));
}

TEST_F(GridTest, MouseToCellAndCellRectAgreeAfterScrollingAndSizing) {
    Grid->SetRowCount(300);
    Grid->SetColCount(30);
    auto CheckAll = [&] {
        for (int R = 0; R < Grid->GetRowCount(); ++R)
            for (int C = 0; C < Grid->GetColCount(); ++C) {
                const TRect Rc = Grid->CellRect(C, R);
                if (Rc.IsEmpty()) continue;
                int HitCol = -2, HitRow = -2;
                Grid->MouseToCell(Rc.Left, Rc.Top, HitCol, HitRow);
                EXPECT_EQ(HitCol, C);
                EXPECT_EQ(HitRow, R);
                Grid->MouseToCell(Rc.Right - 1, Rc.Bottom - 1, HitCol, HitRow);
                EXPECT_EQ(HitCol, C);
                EXPECT_EQ(HitRow, R);
            }
    };
    CheckAll();
    Grid->SetTopRow(120);
    Grid->SetLeftCol(9);
    CheckAll();
    Grid->SetColWidths(10, 17);
    Grid->SetRowHeights(121, 40);
    Grid->SetGridLineWidth(3);
    CheckAll();
    EXPECT_EQ(Grid->CellRect(10, 0).Width(), 17);
    EXPECT_EQ(Grid->CellRect(0, 121).Height(), 40);
    EXPECT_TRUE(Grid->CellRect(5, 5).IsEmpty()) << "scrolled out";
    EXPECT_TRUE(Grid->CellRect(9, 290).IsEmpty()) << "below the view";
    const TGridCoord Off = Grid->MouseCoord(Grid->GetClientWidth() + 50, 5);
    EXPECT_EQ(Off.X, -1);
    EXPECT_EQ(Off.Y, -1);
}

TEST_F(GridTest, CellRectsFollowTheSizesAndLines) {
    Grid->SetColWidths(2, 30);
    EXPECT_EQ(Grid->CellRect(1, 1), Rect(65, 25, 129, 49));
    EXPECT_EQ(Grid->CellRect(2, 1), Rect(130, 25, 160, 49));
    EXPECT_EQ(Grid->CellRect(3, 1).Left, 161);
    Grid->SetOptions({});
    EXPECT_EQ(Grid->CellRect(2, 1), Rect(128, 24, 158, 48)) << "no lines, no gaps";
}

TEST_F(GridTest, ScrollBarsShowOnlyWhenThereIsSomethingToScroll) {
    QScrollBar* V = Grid->GetScrollBar(true);
    QScrollBar* H = Grid->GetScrollBar(false);
    EXPECT_FALSE(H->isHidden()) << "five columns of 65 pixels need more than 296";
    Grid->SetColCount(4);
    EXPECT_TRUE(V->isHidden());
    EXPECT_TRUE(H->isHidden());
    const int FullWidth = Grid->GetClientWidth();
    Grid->Resized = 0;
    Grid->SetRowCount(1000);
    EXPECT_EQ(Grid->Resized, 1) << "the bar narrowed the client area";
    EXPECT_FALSE(V->isHidden());
    EXPECT_TRUE(H->isHidden());
    EXPECT_EQ(Grid->GetClientWidth(), FullWidth - V->width());
    EXPECT_EQ(V->minimum(), 1);
    EXPECT_EQ(V->maximum(), 1000 - Grid->GetVisibleRowCount());
    Grid->SetScrollBars(ssHorizontal);
    EXPECT_TRUE(V->isHidden());
    Grid->SetScrollBars(ssBoth);
    Grid->SetScrollBarRange(true, 0, 0);
    EXPECT_TRUE(V->isHidden()) << "a descendant narrowed the range";
}

TEST_F(GridTest, TheScrollBarAndTopRowFollowEachOther) {
    Grid->SetRowCount(1000);
    int Fired = 0;
    Grid->SetOnTopLeftChanged(TNotifyEvent([&](TObject*) { ++Fired; }));
    QScrollBar* V = Grid->GetScrollBar(true);
    V->setValue(300);
    EXPECT_EQ(Grid->GetTopRow(), 300);
    EXPECT_EQ(Fired, 1);
    Grid->SetTopRow(42);
    EXPECT_EQ(V->value(), 42);
    EXPECT_EQ(Fired, 2);
    Grid->SetTopRow(42);
    EXPECT_EQ(Fired, 2);
}

TEST_F(GridTest, ArrowsPagesHomeAndEndMoveTheCurrentCellAndKeepItInView) {
    Grid->SetRowCount(100);
    Grid->SetColCount(30);
    SendKey(W(), Qt::Key_Down);
    SendKey(W(), Qt::Key_Right);
    EXPECT_EQ(Grid->GetRow(), 2);
    EXPECT_EQ(Grid->GetCol(), 2);
    SendKey(W(), Qt::Key_End);
    EXPECT_EQ(Grid->GetCol(), 29);
    EXPECT_FALSE(Grid->CellRect(29, 2).IsEmpty());
    SendKey(W(), Qt::Key_Home);
    EXPECT_EQ(Grid->GetCol(), 1);
    EXPECT_EQ(Grid->GetLeftCol(), 1);
    const int Page = Grid->GetVisibleRowCount() - 1;
    SendKey(W(), Qt::Key_PageDown);
    EXPECT_EQ(Grid->GetRow(), 2 + Page);
    EXPECT_EQ(Grid->GetTopRow(), 1 + Page);
    SendKey(W(), Qt::Key_PageUp);
    EXPECT_EQ(Grid->GetRow(), 2);
    SendKey(W(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Grid->GetRow(), 99);
    EXPECT_EQ(Grid->GetCol(), 29);
    EXPECT_FALSE(Grid->CellRect(29, 99).IsEmpty());
    SendKey(W(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(Grid->GetRow(), 1);
    EXPECT_EQ(Grid->GetCol(), 1);
    EXPECT_EQ(Grid->GetTopRow(), 1);
    SendKey(W(), Qt::Key_Up);
    EXPECT_EQ(Grid->GetRow(), 1) << "fixed rows are not entered by the keyboard";
}

TEST_F(GridTest, ControlArrowsScrollWithoutMovingTheCurrentCell) {
    Grid->SetRowCount(100);
    SendKey(W(), Qt::Key_Down, Qt::ControlModifier);
    SendKey(W(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Grid->GetTopRow(), 3);
    EXPECT_EQ(Grid->GetRow(), 1);
}

TEST_F(GridTest, ShiftArrowsExtendTheSelectionFromTheAnchor) {
    SendKey(W(), Qt::Key_Down, Qt::ShiftModifier);
    SendKey(W(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Grid->GetSelection(), (TGridRect{1, 1, 2, 2}));
    SendKey(W(), Qt::Key_Down);
    EXPECT_EQ(Grid->GetSelection(), (TGridRect{2, 3, 2, 3}));
}

TEST_F(GridTest, SelectCellIsAskedFirstAndMayRefuse) {
    std::vector<std::pair<int, int>> Asked;
    Grid->SetOnSelectCell(TSelectCellEvent([&](TObject*, int C, int R, bool& CanSelect) {
        Asked.emplace_back(C, R);
        CanSelect = R != 3;
    }));
    SendKey(W(), Qt::Key_Down);
    SendKey(W(), Qt::Key_Down);
    EXPECT_EQ(Grid->GetRow(), 2);
    ASSERT_EQ(Asked.size(), 2u);
    EXPECT_EQ(Asked[1], std::make_pair(1, 3));
}

TEST_F(GridTest, TabWalksTheCellsOnlyWithGoTabs) {
    Grid->SetCol(4);
    SendKey(W(), Qt::Key_Tab);
    EXPECT_EQ(Grid->GetCol(), 4) << "without goTabs Tab is the form's";
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goTabs});
    Grid->SetFocus();
    SendKey(W(), Qt::Key_Tab);
    EXPECT_EQ(Grid->GetCol(), 1);
    EXPECT_EQ(Grid->GetRow(), 2);
    SendKey(W(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Grid->GetCol(), 4);
    EXPECT_EQ(Grid->GetRow(), 1);
    EXPECT_EQ(Grid->GetSelection(), (TGridRect{4, 1, 4, 1})) << "Shift+Tab is no range selection";
}

TEST_F(GridTest, ClickingAndDraggingSelectCells) {
    Click(CellCentre(3, 2));
    EXPECT_EQ(Grid->GetCol(), 3);
    EXPECT_EQ(Grid->GetRow(), 2);
    Drag(CellCentre(1, 1), CellCentre(2, 3));
    EXPECT_EQ(Grid->GetSelection(), (TGridRect{1, 1, 2, 3}));
    EXPECT_EQ(Grid->GetCol(), 1);
    Click(CellCentre(0, 0));
    EXPECT_EQ(Grid->GetCol(), 1) << "a fixed cell is not selected";
}

TEST_F(GridTest, TheWheelMovesTheCurrentRow) {
    QWheelEvent Down(QPointF(50, 50), QPointF(W()->mapToGlobal(QPoint(50, 50))), QPoint(),
                     QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(W(), &Down);
    EXPECT_EQ(Grid->GetRow(), 2);
}

TEST_F(GridTest, AColumnBorderIsDraggedInTheTitleLineOnly) {
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goColSizing});
    const TRect Title = Grid->CellRect(2, 0);
    Drag(ToWidget(Title.Right, 10), ToWidget(Title.Right + 30, 10));
    EXPECT_EQ(Grid->GetColWidths(2), 94);
    const TRect Cell = Grid->CellRect(2, 2);
    Drag(ToWidget(Cell.Right, Cell.Top + 5), ToWidget(Cell.Right + 30, Cell.Top + 5));
    EXPECT_EQ(Grid->GetColWidths(2), 94) << "a data row starts no sizing";
    Grid->SetOptions(Grid->GetOptions() - TGridOptions{goColSizing} + TGridOptions{goRowSizing});
    const TRect Fixed = Grid->CellRect(0, 2);
    Drag(ToWidget(10, Fixed.Bottom), ToWidget(10, Fixed.Bottom - 10));
    EXPECT_EQ(Grid->GetRowHeights(2), 14);
}

TEST_F(GridTest, CalcSizingStateReportsTheBorderAndTheMousesDistance) {
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goColSizing});
    TGridDrawInfo DI;
    Grid->CalcDrawInfo(DI);
    const TRect Title = Grid->CellRect(2, 0);
    TGridState State = gsNormal;
    int Index = -1, Pos = 0, Ofs = 0;
    Grid->CalcSizingState(Title.Right - 2, 5, State, Index, Pos, Ofs, DI);
    EXPECT_EQ(State, gsColSizing);
    EXPECT_EQ(Index, 2);
    EXPECT_EQ(Pos, Title.Right);
    EXPECT_EQ(Ofs, 2);
    Grid->CalcSizingState(Title.Right - 20, 5, State, Index, Pos, Ofs, DI);
    EXPECT_EQ(State, gsNormal);
}

TEST_F(GridTest, RowMovingByTheFixedColumnMovesTheRowAndTheCurrentCell) {
    Grid->SetRowCount(8);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goRowMoving});
    Grid->SetRow(4);
    std::vector<std::pair<int, int>> Events;
    Grid->SetOnRowMoved(TMovedEvent([&](TObject*, int F, int T) { Events.emplace_back(F, T); }));
    const TRect From = Grid->CellRect(0, 4);
    const TRect To = Grid->CellRect(0, 2);
    Drag(ToWidget(10, From.Top + 5), ToWidget(10, To.Top + 5));
    ASSERT_EQ(Events.size(), 1u);
    EXPECT_EQ(Events[0], std::make_pair(4, 2));
    EXPECT_EQ(Grid->GetRow(), 2);
}

TEST_F(GridTest, DeleteRowMovesTheRowToTheEndAndDropsIt) {
    Grid->SetRowCount(6);
    Grid->SetRowHeights(2, 40);
    Grid->SetRow(5);
    Grid->DeleteRow(2);
    EXPECT_EQ(Grid->GetRowCount(), 5);
    ASSERT_EQ(Grid->Moved.size(), 1u);
    EXPECT_EQ(Grid->Moved[0], std::make_pair(2, 5));
    EXPECT_EQ(Grid->GetRowHeights(2), 24) << "the deleted row's height went with it";
    EXPECT_EQ(Grid->GetRow(), 4);
    ExpectConsistent();
}

TEST_F(GridTest, RendersFixedCellsLinesSelectionAndText) {
    TDrawGrid* G = Create<TDrawGrid>(Form.get());
    G->SetParent(Form.get());
    G->SetBounds(10, 10, 420, 330);
    G->SetColCount(10);
    G->SetRowCount(30);
    G->SetOptions(G->GetOptions() + TGridOptions{goEditing, goColSizing});
    G->SetOnDrawCell(TDrawCellEvent([G](TObject*, int C, int R, TRect Rc, TGridDrawState State) {
        TCanvas* Canvas = G->GetCanvas();
        std::string Text;
        if (R == 0 && C > 0)
            Text = std::string(1, static_cast<char>('A' + C - 1));
        else if (C == 0 && R > 0)
            Text = std::to_string(R);
        else if (C > 0 && R > 0 && (C + R) % 3 == 0)
            Text = "R" + std::to_string(R) + "C" + std::to_string(C);
        Canvas->GetBrush()->SetStyle(bsClear);
        if (!State.Contains(gdFixed) && !State.Contains(gdSelected))
            Canvas->GetFont()->SetColor(clNavy);
        Canvas->TextRect(Rc, Rc.Left + 2, Rc.Top + 2, Text);
    }));
    G->SetFocus();
    G->SetRow(3);
    G->SetCol(2);
    G->ShowEditor();
    ASSERT_NE(G->GetInplaceEditor(), nullptr);
    G->GetInplaceEditor()->SetText("edited");
    Application->ProcessMessages();
    const QImage Image = G->GetWidget()->grab().toImage();
    Image.save("/tmp/g3_grid.png");
    auto Pixel = [&](int X, int Y) { return QColorToColor(Image.pixelColor(X + 2, Y + 2)); };
    const TRect Fixed = G->CellRect(0, 5);
    EXPECT_EQ(Pixel(Fixed.Right - 4, Fixed.Top + 4), ColorToRGB(clBtnFace));
    const TRect Plain = G->CellRect(4, 5);
    EXPECT_EQ(Pixel(Plain.Right - 3, Plain.Bottom - 3), clWhite);
    EXPECT_EQ(Pixel(Plain.Right, Plain.Top + 5), clSilver) << "grid line";
    EXPECT_EQ(Pixel(Fixed.Right, Fixed.Top + 5), clBlack) << "fixed line";
    const TRect Editor = G->CellRect(2, 3);
    EXPECT_EQ(G->GetInplaceEditor()->GetBoundsRect(), Editor);
}

}  // namespace zk::test
