// The item-list grid: line counts, expanding and collapsing, orientation and titles, column
// sizing, streaming, cell text, writing cells, look-ups, row moving and the glyph click.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "ItemListTestUtil.h"
#include "itemlist/ZkDeltaFont.h"
#include "platform/core/Colors.h"
#include "platform/core/StringList.h"
#include "platform/core/TestUtil.h"

namespace zk::test {

namespace {

class ItemListEditorTest : public ItemListTest {
protected:
    void UseValueColumns(int ValueColumns) {
        Grid->SetDisplayOptions(Grid->GetDisplayOptions() + TILEDisplayOptions{doMultiColValues});
        Grid->SetGridColCount(ValueColumns + 1);
    }
    void WithoutTitles() {
        Grid->SetDisplayOptions(Grid->GetDisplayOptions() - TILEDisplayOptions{doColumnTitles});
    }
    // The middle of an item's expand/collapse glyph, in widget coordinates.
    QPoint GlyphCentre(const TZkItemProp* I) const {
        const TRect R = Grid->CellRect(0, RowOf(I));
        const int GW = Grid->GetMinusGlyph()->GetWidth();
        const int GH = Grid->GetMinusGlyph()->GetHeight();
        const int Left = R.Left + I->GetLevel() * Grid->GetIndent();
        const int Top = R.Top + (Grid->GetDefaultRowHeight() - GH) / 2;
        return ToWidget(Left + GW / 2, Top + GH / 2);
    }
    QPoint NameCellRightEnd(const TZkItemProp* I) const {
        const TRect R = Grid->CellRect(0, RowOf(I));
        return ToWidget(R.Right - 6, (R.Top + R.Bottom) / 2);
    }
    TStringList* Captions() const { return Grid->GetTitleCaptions(); }
};

}  // namespace

// ---- line counts ----

TEST_F(ItemListEditorTest, ANewGridHasATitleLineAndOneEmptyItemLine) {
    EXPECT_EQ(Grid->GetColCount(), 2);
    EXPECT_EQ(Grid->GetRowCount(), 2);
    EXPECT_EQ(Grid->GetFixedRows(), 1);
    EXPECT_EQ(Grid->GetFixedCols(), 0);
    EXPECT_EQ(Grid->GetCol(), 1);
    EXPECT_EQ(Grid->GetOptions().ToInt(), 25743u);
    EXPECT_EQ(Grid->GetDisplayOptions().ToInt(), 15u);
    EXPECT_EQ(Grid->GetIndent(), 11);
    EXPECT_EQ(Captions()->GetTextStr(), "Property\r\nValue\r\n");
    EXPECT_EQ(Grid->GetShownItems().GetCount(), 0);
    EXPECT_EQ(Grid->GetCurrentItem(), nullptr);
    EXPECT_EQ(MessageOf([&] { (void)Grid->GetAllItems()[0]; }), "List index out of bounds (0)");
    WithoutTitles();
    EXPECT_EQ(Grid->GetFixedRows(), 0);
    EXPECT_EQ(Grid->GetRowCount(), 1) << "still one item line";
    Build("A\nB");
    EXPECT_EQ(Grid->GetRowCount(), 2);
    Items()->Clear();
    EXPECT_EQ(Grid->GetRowCount(), 1);
}

TEST_F(ItemListEditorTest, CollapsingDropsAllDescendantLinesAndExpandingKeepsTheirState) {
    Build("A |e\n  B |e\n    C\n  D\nE");
    EXPECT_EQ(Shown(), "A,B,C,D,E");
    EXPECT_EQ(Grid->GetRowCount(), 6);
    Item("A")->Collapse();
    EXPECT_EQ(Shown(), "A,E");
    EXPECT_EQ(Grid->GetRowCount(), 3);
    EXPECT_TRUE(Item("A.B")->GetExpanded()) << "kept while hidden";
    Item("A")->Expand();
    EXPECT_EQ(Shown(), "A,B,C,D,E");
    Item("A.B")->SetExpanded(false);
    EXPECT_EQ(Shown(), "A,B,D,E");
    Item("A")->FullExpand();
    EXPECT_EQ(Shown(), "A,B,C,D,E");
    Item("A")->FullCollapse();
    EXPECT_EQ(Shown(), "A,E");
    EXPECT_FALSE(Item("A.B")->GetExpanded()) << "FullCollapse reaches every level";
    Grid->FullExpand();
    EXPECT_EQ(Shown(), "A,B,C,D,E");
    Grid->FullCollapse();
    EXPECT_EQ(Shown(), "A,E");
    EXPECT_EQ(Grid->GetRowCount(), 3);
}

TEST_F(ItemListEditorTest, TheCurrentItemKeepsTheFocusWhenLinesAboveItGo) {
    Build("A |e\n  B\n  C\nE\nF");
    Grid->SelectItem(Item("E"));
    EXPECT_EQ(Grid->GetRow(), 4);
    Item("A")->Collapse();
    EXPECT_EQ(Grid->GetCurrentItem(), Item("E"));
    EXPECT_EQ(Grid->GetRow(), 2);
    Grid->SelectItem(Item("F"));
    Items()->Delete(Item("F")->GetIndex());
    EXPECT_LT(Grid->GetRow(), Grid->GetRowCount()) << "the last line went";
    EXPECT_EQ(Grid->GetRowCount(), 3);
}

TEST_F(ItemListEditorTest, SelectingAnItemInsideABracketOfTheItemsReachesItsLine) {
    Build("A\nB");
    Items()->BeginUpdate();
    TZkItemProp* C = Items()->AddItem();
    C->SetName("C");
    EXPECT_EQ(MessageOf([&] { Grid->SelectItem(C); }), "<no exception>");
    Items()->EndUpdate();
    EXPECT_EQ(Grid->GetRowCount(), 4);
    EXPECT_EQ(Grid->GetCurrentItem(), C);
}

TEST_F(ItemListEditorTest, AnUpdateBracketHoldsTheLayoutUntilItCloses) {
    Grid->BeginUpdate();
    Build("A\nB\nC");
    EXPECT_EQ(Grid->GetShownItems().GetCount(), 3) << "the lists are exact inside the bracket";
    EXPECT_EQ(Grid->GetRowCount(), 2) << "the layout waits";
    Grid->BeginUpdate();
    Grid->EndUpdate();
    EXPECT_EQ(Grid->GetRowCount(), 2) << "an inner bracket ends nothing";
    Grid->EndUpdate();
    EXPECT_EQ(Grid->GetRowCount(), 4);
    Items()->BeginUpdate();
    Items()->AddItem()->SetName("D");
    Item("A")->GetItems()->AddItem()->SetName("A1");
    Item("A")->SetExpanded(true);
    Items()->EndUpdate();
    EXPECT_EQ(Shown(), "A,A1,B,C,D");
    EXPECT_EQ(Grid->GetRowCount(), 6);
}

TEST_F(ItemListEditorTest, BracketsClosedInEitherOrderLeaveTheRightLineCount) {
    Build("A\nB");
    Items()->BeginUpdate();
    Items()->AddItem()->SetName("C");
    Grid->BeginUpdate();
    Items()->EndUpdate();
    Grid->EndUpdate();
    EXPECT_EQ(Shown(), "A,B,C");
    EXPECT_EQ(Grid->GetRowCount(), 4);
}

TEST_F(ItemListEditorTest, MovingTheCurrentItemToAnotherCollectionKeepsTheLinesExact) {
    Build("a |e\n  c\nb");
    Grid->SelectItem(Item("a.c"));
    TZkItemProp* C = Item("a.c");
    EXPECT_EQ(MessageOf([&] { C->SetCollection(Items()); }), "<no exception>");
    EXPECT_EQ(All(), "a,b,c");
    EXPECT_EQ(Shown(), "a,b,c");
    EXPECT_EQ(Grid->GetRowCount(), 4);
    EXPECT_EQ(Item("a")->GetDescendantCount(), 0);
}

TEST_F(ItemListEditorTest, ItemAtCellMapsLinesToShownItems) {
    Build("A |e\n  A1\nB");
    EXPECT_EQ(Grid->ItemAtCell(0, 1, true), Item("A"));
    EXPECT_EQ(Grid->ItemAtCell(1, 2, true), Item("A.A1"));
    EXPECT_EQ(Grid->ItemAtCell(0, 1, false), Item("A.A1")) << "fixed lines counted as items";
    EXPECT_EQ(Grid->ItemAtCell(0, 0, true), nullptr);
    EXPECT_EQ(Grid->ItemAtCell(0, 4, true), nullptr);
    EXPECT_EQ(Grid->GetCellValueFont(1, 1), Item("A")->GetValueFont());
    Items()->Clear();
    EXPECT_EQ(Grid->ItemAtCell(0, 1, true), nullptr);
    EXPECT_EQ(Grid->GetCellValueFont(1, 1), static_cast<TFont*>(Grid->GetValueFont()));
}

TEST_F(ItemListEditorTest, TheGridsFontReachesItsDeltaFontsAndTheItems) {
    Build("A\nCat |c");
    Grid->GetFont()->SetColor(clGreen);
    Grid->GetFont()->SetSize(14);
    EXPECT_EQ(Grid->GetValueFont()->GetColor(), clGreen);
    EXPECT_EQ(Grid->GetTitleCaptionFont()->GetSize(), 14);
    EXPECT_EQ(Grid->GetCategoryFont()->GetSize(), 14);
    EXPECT_EQ(Grid->GetCategoryFont()->GetColor(), static_cast<TColor>(0x800080));
    EXPECT_TRUE(Grid->GetCategoryFont()->GetStyle().Contains(fsBold));
    EXPECT_EQ(Item("A")->GetFont()->GetSize(), 14);
    EXPECT_EQ(Item("A")->GetValueFont()->GetColor(), clGreen);
    EXPECT_EQ(Item("Cat")->GetFont()->GetColor(), static_cast<TColor>(0x800080));
    Grid->GetValueFont()->SetStyle({fsItalic});
    EXPECT_EQ(Item("A")->GetValueFont()->GetStyle(), TFontStyles{fsItalic});
}

// ---- orientation and titles ----

TEST_F(ItemListEditorTest, SwitchingTheOrientationTwiceRestoresCountsAndSelection) {
    Build("A=1\nB=2\nC=3");
    Grid->SetRow(3);
    ASSERT_EQ(Grid->GetCurrentItem(), Item("C"));
    Grid->SetOrientation(goHorizontal);
    EXPECT_EQ(Grid->GetColCount(), 4);
    EXPECT_EQ(Grid->GetRowCount(), 2);
    EXPECT_EQ(Grid->GetFixedCols(), 1);
    EXPECT_EQ(Grid->GetFixedRows(), 0);
    EXPECT_EQ(Grid->GetCol(), 3);
    EXPECT_EQ(Grid->GetRow(), 1);
    EXPECT_EQ(Grid->GetCurrentItem(), Item("C"));
    EXPECT_EQ(Grid->GetLogical(lwLine), 3);
    EXPECT_EQ(Grid->GetLogical(lwColumn), 1);
    EXPECT_EQ(Grid->GetLogical(lwLineCount), 4);
    EXPECT_EQ(Grid->GetLogical(lwColCount), 2);
    EXPECT_EQ(Grid->GetLogical(lwFixedLines), 1);
    EXPECT_EQ(Grid->GetLogical(lwFixedCols), 0);
    Grid->SetOrientation(goVertical);
    EXPECT_EQ(Grid->GetColCount(), 2);
    EXPECT_EQ(Grid->GetRowCount(), 4);
    EXPECT_EQ(Grid->GetFixedRows(), 1);
    EXPECT_EQ(Grid->GetFixedCols(), 0);
    EXPECT_EQ(Grid->GetSelection(), (TGridRect{1, 3, 1, 3}));
    EXPECT_EQ(Grid->GetCurrentItem(), Item("C"));
}

TEST_F(ItemListEditorTest, HorizontalLinesFollowTheTree) {
    Grid->SetOrientation(goHorizontal);
    Build("A |e\n  A1\nB");
    EXPECT_EQ(Grid->GetColCount(), 4);
    Item("A")->Collapse();
    EXPECT_EQ(Grid->GetColCount(), 3);
    WithoutTitles();
    EXPECT_EQ(Grid->GetFixedCols(), 0);
    EXPECT_EQ(Grid->GetColCount(), 2);
}

TEST_F(ItemListEditorTest, ApplyColumnTitlesSetsTheFixedLineOfEitherOrientation) {
    Grid->ApplyColumnTitles(false);
    EXPECT_EQ(Grid->GetFixedRows(), 0);
    Grid->SetFixedCols(1);
    Grid->ApplyColumnTitles(true);
    EXPECT_EQ(Grid->GetFixedRows(), 1);
    EXPECT_EQ(Grid->GetFixedCols(), 0) << "a fixed name column gives way to the title line";
    EXPECT_GE(Grid->GetRowCount(), 2);
    Grid->SetOrientation(goHorizontal);
    EXPECT_EQ(Grid->GetFixedCols(), 1);
    Grid->ApplyColumnTitles(false);
    EXPECT_EQ(Grid->GetFixedCols(), 0);
    Grid->SetFixedRows(1);
    Grid->ApplyColumnTitles(true);
    EXPECT_EQ(Grid->GetFixedCols(), 1);
    EXPECT_EQ(Grid->GetFixedRows(), 0);
    EXPECT_GE(Grid->GetColCount(), 2);
}

TEST_F(ItemListEditorTest, SwitchingMultiColValuesOffLeavesOneValueColumn) {
    UseValueColumns(3);
    EXPECT_EQ(Grid->GetLogical(lwColCount), 4);
    EXPECT_EQ(Grid->GetColCount(), 4);
    Grid->SetDisplayOptions(Grid->GetDisplayOptions() - TILEDisplayOptions{doMultiColValues});
    EXPECT_EQ(Grid->GetColCount(), 2);
    Grid->SetOrientation(goHorizontal);
    Grid->SetDisplayOptions(Grid->GetDisplayOptions() + TILEDisplayOptions{doMultiColValues});
    Grid->SetLogical(lwColCount, 3);
    EXPECT_EQ(Grid->GetRowCount(), 3);
    Grid->SetDisplayOptions(Grid->GetDisplayOptions() - TILEDisplayOptions{doMultiColValues});
    EXPECT_EQ(Grid->GetRowCount(), 2);
    EXPECT_EQ(Grid->GetLogical(lwColCount), 2);
}

// ---- column sizing ----

TEST_F(ItemListEditorTest, WithAFixedKeyColumnTheValueColumnsTakeTheRest) {
    Grid->SetWidth(406);
    Application->ProcessMessages();
    int CW = Grid->GetClientWidth();
    EXPECT_EQ(Grid->GetColWidths(0), 150);
    EXPECT_EQ(Grid->GetColWidths(1), CW - 150 - 2);
    Grid->SetColWidths(0, 100);
    EXPECT_EQ(Grid->GetColWidths(0), 100) << "the name column keeps its new width";
    EXPECT_EQ(Grid->GetColWidths(1), CW - 100 - 2);
    Grid->SetWidth(500);
    Application->ProcessMessages();
    CW = Grid->GetClientWidth();
    EXPECT_EQ(Grid->GetColWidths(0), 100);
    EXPECT_EQ(Grid->GetColWidths(1), CW - 100 - 2);
    UseValueColumns(2);
    EXPECT_EQ(Grid->GetColWidths(0), 100);
    EXPECT_EQ(Grid->GetColWidths(1), (CW - 100 - 2) / 2);
    EXPECT_EQ(Grid->GetColWidths(2), (CW - 100 - 2) / 2);
}

TEST_F(ItemListEditorTest, WithoutAFixedKeyColumnTheNameColumnSnapsToHalfTheWidth) {
    Grid->SetDisplayOptions(TILEDisplayOptions{doColumnTitles, doAutoColResize, doShowReadOnly});
    Grid->SetWidth(407);
    Application->ProcessMessages();
    const int CW = Grid->GetClientWidth();
    EXPECT_EQ(Grid->GetColWidths(0), (CW - 2) / 2);
    EXPECT_EQ(Grid->GetColWidths(1), (CW - 2) / 2 + (CW - 2) % 2);
    Grid->SetColWidths(0, 60);
    EXPECT_EQ(Grid->GetColWidths(0), (CW - 2) / 2) << "snapped back";
    EXPECT_EQ(Grid->GetColWidths(1), (CW - 2) / 2 + (CW - 2) % 2);
}

TEST_F(ItemListEditorTest, WithoutAutoColResizeColumnsKeepTheirWidths) {
    Grid->SetDisplayOptions(Grid->GetDisplayOptions() - TILEDisplayOptions{doAutoColResize});
    Grid->SetColWidths(1, 77);
    Grid->SetWidth(450);
    Application->ProcessMessages();
    EXPECT_EQ(Grid->GetColWidths(0), 150);
    EXPECT_EQ(Grid->GetColWidths(1), 77);
}

TEST_F(ItemListEditorTest, AColumnBorderCanBeDraggedInAnItemLine) {
    Build("A\nB\nC");
    const int CW = Grid->GetClientWidth();
    const int Before = Grid->GetColWidths(0);
    const TRect R = Grid->CellRect(0, 3);
    Drag(ToWidget(R.Right, R.Top + 5), ToWidget(R.Right + 30, R.Top + 5));
    EXPECT_EQ(Grid->GetColWidths(0), Before + 30);
    EXPECT_EQ(Grid->GetColWidths(1), CW - (Before + 30) - 2) << "value column takes the rest";
}

TEST_F(ItemListEditorTest, CalcSizingStateFindsBordersInAnyLine) {
    Build("A\nB\nC");
    TGridDrawInfo DI;
    Grid->CalcDrawInfo(DI);
    const TRect R = Grid->CellRect(0, 3);
    TGridState State = gsNormal;
    int Index = -1, Pos = 0, Ofs = 0;
    Grid->CalcSizingState(R.Right - 2, R.Top + 5, State, Index, Pos, Ofs, DI);
    EXPECT_EQ(State, gsColSizing);
    EXPECT_EQ(Index, 0);
    State = gsNormal;
    Grid->CalcSizingState(R.Right - 12, R.Top + 5, State, Index, Pos, Ofs, DI);
    EXPECT_EQ(State, gsNormal) << "too far from the border";
    Grid->SetOptions(Grid->GetOptions() - TGridOptions{goColSizing} + TGridOptions{goRowSizing});
    Grid->CalcDrawInfo(DI);
    const TRect V = Grid->CellRect(1, 2);
    State = gsNormal;
    Grid->CalcSizingState((V.Left + V.Right) / 2, V.Bottom - 1, State, Index, Pos, Ofs, DI);
    EXPECT_EQ(State, gsRowSizing) << "a row border inside a value cell";
    EXPECT_EQ(Index, 2);
    Grid->SetOptions(Grid->GetOptions() - TGridOptions{goRowSizing});
    Grid->CalcDrawInfo(DI);
    State = gsNormal;
    Grid->CalcSizingState(R.Right - 2, R.Top + 5, State, Index, Pos, Ofs, DI);
    EXPECT_EQ(State, gsNormal) << "no sizing option";
}

// ---- streaming ----

TEST_F(ItemListEditorTest, TheStreamHoldsOnlyPropertiesThatDifferFromTheirDefaults) {
    Build("A=1\n  B=2");
    Grid->SetName("Editor1");
    std::string S = WriteText(Form.get());
    EXPECT_NE(S.find("Indent = 11"), std::string::npos) << S;
    EXPECT_EQ(S.find(" Options = "), std::string::npos) << S;
    EXPECT_EQ(S.find(" DisplayOptions"), std::string::npos) << S;
    EXPECT_EQ(S.find("TitleCaptions"), std::string::npos) << S;
    EXPECT_EQ(S.find(" Strings"), std::string::npos) << "a view is never stored\n" << S;
    EXPECT_NE(S.find(" Items = <"), std::string::npos) << S;
    Grid->SetIndent(17);
    Captions()->SetTextStr("Name\nValue");
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goRowSelect});
    S = WriteText(Form.get());
    EXPECT_EQ(S.find("Indent ="), std::string::npos) << S;
    EXPECT_NE(S.find("TitleCaptions.Strings = ("), std::string::npos) << S;
    EXPECT_NE(S.find(" Options = ["), std::string::npos) << S;
    EXPECT_EQ(S.find(" Strings.Strings"), std::string::npos) << S;
}

TEST_F(ItemListEditorTest, ATreeWithFlagsFontsAndOptionsSurvivesAStreamRoundTrip) {
    Build("Top=t1 |e\n  Kid=k |er\n    Deep=d\n  Hid |h\nCat |c\n  In=1\nLast");
    Item("Top.Kid")->SetHint("hint");
    Item("Top.Kid")->SetTag(5);
    Item("Top.Kid")->GetValueFont()->SetStyle({fsItalic});
    Item("Top")->GetFont()->SetColor(clRed);
    Item("Top.Kid.Deep")->SetEnabled(false);
    Item("Top.Kid.Deep")->SetEditMask("[0-9]+");
    Item("Top.Kid.Deep")->SetExpressionMask(true);
    Item("Cat.In")->GetPickList()->SetTextStr("p1\np2");
    Item("Last")->SetEditStyle(esEllipsis);
    Item("Last")->SetEditMask("999;0;_");
    Grid->SetIndent(20);
    Grid->SetPathDelimiter("/");
    Grid->SetCaseSensitive(true);
    Grid->SetPropertyOptions(TILEPropOptions{propEdit, propDelete});
    Grid->SetDisplayOptions(Grid->GetDisplayOptions() - TILEDisplayOptions{doAutoColResize});
    Grid->SetShowItemHintStyle(shHintOnly);
    Captions()->SetTextStr("N\nV");

    TMemoryStream Stream;
    WriteComponentToStream(&Stream, Grid);
    Stream.SetPosition(0);
    TZkItemListEditor* Copy = Create<TZkItemListEditor>(Form.get());
    Copy->SetParent(Form.get());
    ReadComponentFromStream(&Stream, Copy);

    EXPECT_EQ(Copy->GetStrings()->GetTextStr(), Grid->GetStrings()->GetTextStr());
    EXPECT_EQ(Names(Copy->GetShownItems()), Shown());
    EXPECT_EQ(Copy->GetRowCount(), Grid->GetRowCount());
    EXPECT_EQ(Copy->GetIndent(), 20);
    EXPECT_EQ(Copy->GetPathDelimiter(), "/");
    EXPECT_TRUE(Copy->GetCaseSensitive());
    EXPECT_EQ(Copy->GetPropertyOptions(), Grid->GetPropertyOptions());
    EXPECT_EQ(Copy->GetDisplayOptions(), Grid->GetDisplayOptions());
    EXPECT_EQ(Copy->GetShowItemHintStyle(), shHintOnly);
    EXPECT_EQ(Copy->GetTitleCaptions()->GetTextStr(), "N\r\nV\r\n");
    const TZkItemList& Mine = Grid->GetAllItems();
    const TZkItemList& Theirs = Copy->GetAllItems();
    ASSERT_EQ(Theirs.GetCount(), Mine.GetCount());
    for (int I = 0; I < Mine.GetCount(); ++I) {
        const TZkItemProp* M = Mine[I];
        const TZkItemProp* T = Theirs[I];
        SCOPED_TRACE(M->GetFullName());
        EXPECT_EQ(T->GetName(), M->GetName());
        EXPECT_EQ(T->GetLevel(), M->GetLevel());
        EXPECT_EQ(T->GetValues()->GetTextStr(), M->GetValues()->GetTextStr());
        EXPECT_EQ(T->GetHint(), M->GetHint());
        EXPECT_EQ(T->GetTag(), M->GetTag());
        EXPECT_EQ(T->GetExpanded(), M->GetExpanded());
        EXPECT_EQ(T->GetReadOnly(), M->GetReadOnly());
        EXPECT_EQ(T->GetEnabled(), M->GetEnabled());
        EXPECT_EQ(T->GetVisible(), M->GetVisible());
        EXPECT_EQ(T->GetCategory(), M->GetCategory());
        EXPECT_EQ(T->GetEditStyle(), M->GetEditStyle());
        EXPECT_EQ(T->GetEditMask(), M->GetEditMask());
        EXPECT_EQ(T->GetExpressionMask(), M->GetExpressionMask());
        EXPECT_EQ(T->GetPickList()->GetTextStr(), M->GetPickList()->GetTextStr());
        // Below a category heading the stored font itself marks the item as having its own.
        const TZkItemProp* P = M->GetParentItem();
        if (!P || P->GetCategory() == M->GetCategory()) {
            EXPECT_EQ(T->GetParentFont(), M->GetParentFont());
        }
        EXPECT_EQ(T->GetFont()->GetColor(), M->GetFont()->GetColor());
        EXPECT_EQ(T->GetFont()->GetStyle(), M->GetFont()->GetStyle());
        EXPECT_EQ(T->GetParentValueFont(), M->GetParentValueFont());
        EXPECT_EQ(T->GetValueFont()->GetStyle(), M->GetValueFont()->GetStyle());
    }
    EXPECT_EQ(Copy->GetItems()->FindPath("Top/Kid")->GetValueFont()->GetStyle(),
              TFontStyles{fsItalic});
    EXPECT_EQ(Copy->GetItems()->FindPath("Top")->GetFont()->GetColor(), clRed);
}

// ---- cell text ----

TEST_F(ItemListEditorTest, CellTextGivesTitlesNamesAndValuesInBothOrientations) {
    UseValueColumns(2);
    Build("A=a1;a2\nB=b1");
    EXPECT_EQ(Grid->GetCellText(0, 0), "Property");
    EXPECT_EQ(Grid->GetCellText(1, 0), "Value");
    EXPECT_EQ(Grid->GetCellText(2, 0), "") << "no third caption";
    EXPECT_EQ(Grid->GetCellText(0, 1), "A");
    EXPECT_EQ(Grid->GetCellText(1, 1), "a1");
    EXPECT_EQ(Grid->GetCellText(2, 1), "a2");
    EXPECT_EQ(Grid->GetCellText(0, 2), "B");
    EXPECT_EQ(Grid->GetCellText(2, 2), "");
    EXPECT_EQ(Grid->GetCellText(0, 3), "") << "below the items";
    Grid->SetOrientation(goHorizontal);
    EXPECT_EQ(Grid->GetCellText(0, 0), "Property");
    EXPECT_EQ(Grid->GetCellText(0, 1), "Value");
    EXPECT_EQ(Grid->GetCellText(1, 0), "A");
    EXPECT_EQ(Grid->GetCellText(1, 2), "a2");
    EXPECT_EQ(Grid->GetCellText(2, 0), "B");
    EXPECT_EQ(Grid->GetCellText(2, 1), "b1");
    Grid->SetOrientation(goVertical);
    WithoutTitles();
    EXPECT_EQ(Grid->GetCellText(0, 0), "A");
    EXPECT_EQ(Grid->GetCellText(1, 1), "b1");
}

TEST_F(ItemListEditorTest, EditTextAndEditMaskPassThroughTheirEvents) {
    Build("Plain=1\nRegex=2\nNone");
    Item("Plain")->SetEditMask("999;0;_");
    Item("Regex")->SetEditMask("[a-z]+");
    Item("Regex")->SetExpressionMask(true);
    EXPECT_EQ(Grid->GetEditMask(1, 1), "999;0;_");
    EXPECT_EQ(Grid->GetEditMask(1, 2), "") << "a regular expression is no edit mask";
    EXPECT_EQ(Grid->GetExpressionMask(1, 2), "[a-z]+");
    EXPECT_EQ(Grid->GetExpressionMask(1, 1), "");
    EXPECT_EQ(Grid->GetEditMask(1, 3), "");
    EXPECT_EQ(Grid->GetEditText(1, 2), "2");
    std::vector<std::string> Seen;
    Grid->SetOnGetEditText(TGetEditEvent([&](TObject*, int C, int R, std::string& V) {
        Seen.push_back(std::to_string(C) + "," + std::to_string(R) + "=" + V);
        V += "!";
    }));
    Grid->SetOnGetEditMask(TGetEditEvent([&](TObject*, int, int, std::string& V) {
        Seen.push_back("mask " + V);
        V = "00";
    }));
    EXPECT_EQ(Grid->GetEditText(1, 2), "2!");
    EXPECT_EQ(Grid->GetEditMask(1, 2), "00");
    EXPECT_EQ(Seen, (std::vector<std::string>{"1,2=2", "mask "}));
}

// ---- writing cells ----

TEST_F(ItemListEditorTest, TypedTextWritesNamesAndValuesAndTheEmptyLineAddsAnItem) {
    std::vector<std::string> Log;
    Grid->SetOnSetEditText(TSetEditEvent([&](TObject*, int C, int R, const std::string& V) {
        Log.push_back(std::to_string(C) + "," + std::to_string(R) + "=" + V);
    }));
    Grid->SetEditText(0, 1, "");
    EXPECT_EQ(Items()->GetCount(), 0) << "empty text adds nothing";
    Grid->SetEditText(0, 1, "New");
    ASSERT_EQ(Items()->GetCount(), 1);
    EXPECT_EQ(Shown(), "New");
    Grid->SetEditText(1, 1, "v");
    EXPECT_EQ(Item("New")->GetValues()->Get(0), "v");
    EXPECT_EQ(Items()->GetCount(), 1);
    EXPECT_EQ(Log, (std::vector<std::string>{"0,1=", "0,1=New", "1,1=v"}));
    Items()->Clear();
    Grid->SetEditText(1, 1, "only a value");
    ASSERT_EQ(Items()->GetCount(), 1);
    EXPECT_EQ(Items()->GetItem(0)->GetName(), "");
    EXPECT_EQ(Items()->GetItem(0)->GetValues()->Get(0), "only a value");
    Grid->BeginUpdate();
    Grid->SetEditText(0, 1, "ignored");
    Grid->EndUpdate();
    EXPECT_EQ(Items()->GetItem(0)->GetName(), "") << "nothing is written inside an update";
}

TEST_F(ItemListEditorTest, SetCellTextWritesTheItemOfTheLine) {
    UseValueColumns(2);
    Build("A\nB");
    Grid->SetCellText(0, 2, "Beta");
    Grid->SetCellText(2, 2, "second");
    EXPECT_EQ(Items()->GetItem(1)->GetName(), "Beta");
    EXPECT_EQ(Items()->GetItem(1)->GetValues()->Get(1), "second");
    Grid->SetOrientation(goHorizontal);
    Grid->SetCellText(1, 1, "first of A");
    EXPECT_EQ(Item("A")->GetValues()->Get(0), "first of A");
}

TEST_F(ItemListEditorTest, ADuplicateNameIsKeptPendingOnceAndRaisesTheSecondTime) {
    Build("A\nB");
    Grid->SetPropertyOptions(TILEPropOptions{propEdit, propUnique});
    Grid->SetEditText(0, 2, "a");
    EXPECT_EQ(Item("B")->GetName(), "B");
    EXPECT_EQ(Grid->GetPendingName(), "a");
    EXPECT_EQ(MessageOf([&] { Grid->SetEditText(0, 2, "a"); }), "Property name is not unique: a");
    EXPECT_EQ(Item("B")->GetName(), "B");
    EXPECT_EQ(Grid->GetUpdateLock(), 0) << "the bracket was closed on the way out";
    Grid->SetEditText(0, 2, "C");
    EXPECT_EQ(Items()->GetItem(1)->GetName(), "C");
    EXPECT_EQ(Grid->GetPendingName(), "");
}

// ---- look-ups ----

TEST_F(ItemListEditorTest, SelectItemExpandsTheAncestorsAndMakesTheLineCurrent) {
    Build("A\n  B\n    C\nD");
    EXPECT_EQ(Shown(), "A,D");
    Grid->SelectItem(Item("A.B.C"));
    EXPECT_TRUE(Item("A")->GetExpanded());
    EXPECT_TRUE(Item("A.B")->GetExpanded());
    EXPECT_EQ(Shown(), "A,B,C,D");
    EXPECT_EQ(Grid->GetRow(), 3);
    EXPECT_EQ(Grid->GetCurrentItem(), Item("A.B.C"));
    Grid->SetOrientation(goHorizontal);
    Grid->SelectItem(Item("D"));
    EXPECT_EQ(Grid->GetCol(), 4);
    EXPECT_EQ(Grid->GetCurrentItem(), Item("D"));
}

TEST_F(ItemListEditorTest, FindShownItemTakesALineIndexOrADisplayName) {
    EXPECT_EQ(Grid->FindShownItem(TVariant(0), true), nullptr) << "nothing shown";
    EXPECT_EQ(Items()->GetCount(), 0);
    Build("A=1 |e\n  B=2\nC");
    EXPECT_EQ(Grid->FindShownItem(TVariant(1), false), Item("A.B"));
    EXPECT_EQ(Grid->FindShownItem(TVariant("B=2"), false), Item("A.B"));
    EXPECT_EQ(Grid->FindShownItem(TVariant("C="), false), Item("C"));
    EXPECT_EQ(Grid->FindShownItem(TVariant("B"), false), nullptr) << "display names only";
    EXPECT_EQ(MessageOf([&] { Grid->FindShownItem(TVariant("B"), true); }),
              "Property not found: B");
    EXPECT_EQ(Grid->FindShownItem(TVariant(3), false), nullptr);
    TZkItemProp* New = Grid->FindShownItem(TVariant(2), true);
    EXPECT_EQ(New, Item("C")) << "an existing line";
    Item("A")->Collapse();
    New = Grid->FindShownItem(TVariant(2), true);
    ASSERT_NE(New, nullptr);
    EXPECT_EQ(New->GetCollection(), Items());
    EXPECT_EQ(New->GetIndex(), 2);
    EXPECT_EQ(Items()->GetCount(), 3);
}

// ---- row moving ----

TEST_F(ItemListEditorTest, RowMovedExchangesTheTopLevelItemsOfTheTwoLines) {
    Build("A\nB\nC\nD");
    std::vector<std::pair<int, int>> Events;
    Grid->SetOnRowMoved(TMovedEvent([&](TObject*, int F, int T) { Events.emplace_back(F, T); }));
    Grid->RowMoved(1, 3);
    EXPECT_EQ(Names(Items()), "C,B,A,D") << "exchanged, not moved";
    EXPECT_EQ(Shown(), "C,B,A,D");
    Grid->RowMoved(4, 3);
    EXPECT_EQ(Names(Items()), "C,B,D,A");
    EXPECT_EQ(Events, (std::vector<std::pair<int, int>>{{1, 3}, {4, 3}}));
}

// ---- the glyph ----

TEST_F(ItemListEditorTest, ASingleClickOnTheGlyphTogglesAndADoubleClickDoesNot) {
    Build("A=1\n  A1\nC=3\n  C1");
    Grid->SetFocus();
    Application->ProcessMessages();
    ASSERT_EQ(Grid->GetRow(), 1);
    Click(GlyphCentre(Item("A")));
    EXPECT_TRUE(Item("A")->GetExpanded());
    EXPECT_EQ(Shown(), "A,A1,C");
    Click(GlyphCentre(Item("A")));
    EXPECT_FALSE(Item("A")->GetExpanded());
    DoubleClick(GlyphCentre(Item("A")));
    EXPECT_TRUE(Item("A")->GetExpanded()) << "the first press toggled, the double click not";
    Item("A")->Collapse();
    Click(NameCellRightEnd(Item("A")));
    EXPECT_FALSE(Item("A")->GetExpanded()) << "outside the glyph";
    EXPECT_EQ(Grid->GetRow(), 1);
    EXPECT_EQ(Grid->GetCol(), 1);
}

TEST_F(ItemListEditorTest, AGlyphClickOnAnotherLineAlsoMovesToItsFirstValueCell) {
    Build("A=1\n  A1\nC=3\n  C1");
    Grid->SetFocus();
    Application->ProcessMessages();
    Click(GlyphCentre(Item("C")));
    EXPECT_TRUE(Item("C")->GetExpanded());
    EXPECT_EQ(Grid->GetRow(), 2);
    EXPECT_EQ(Grid->GetCol(), 1);
    EXPECT_EQ(Grid->GetCurrentItem(), Item("C"));
    Click(NameCellRightEnd(Item("C.C1")));
    EXPECT_EQ(Grid->GetRow(), 3);
    EXPECT_EQ(Grid->GetCol(), 1) << "a name cell click lands on the value cell";
    EXPECT_TRUE(Item("C")->GetExpanded());
}

TEST_F(ItemListEditorTest, WithoutGoEditingAGlyphClickOnlyToggles) {
    Build("A=1\n  A1\nC=3\n  C1");
    Grid->SetOptions(Grid->GetOptions() - TGridOptions{goEditing, goAlwaysShowEditor});
    Grid->SetFocus();
    Application->ProcessMessages();
    Click(GlyphCentre(Item("C")));
    EXPECT_TRUE(Item("C")->GetExpanded());
    EXPECT_EQ(Grid->GetRow(), 1) << "the current line stays";
}

TEST_F(ItemListEditorTest, TheGlyphOfANestedItemIsIndentedByItsLevel) {
    Build("A |e\n  B\n    B1");
    Grid->SetIndent(20);
    Grid->SetIndent(-3);
    EXPECT_EQ(Grid->GetIndent(), 20) << "a negative indent is ignored";
    Grid->SetFocus();
    Application->ProcessMessages();
    Click(GlyphCentre(Item("A.B")));
    EXPECT_TRUE(Item("A.B")->GetExpanded());
    EXPECT_EQ(Shown(), "A,B,B1");
    EXPECT_TRUE(Item("A")->GetExpanded()) << "the parent's glyph lies elsewhere";
}

}  // namespace zk::test
