// Hints of the item-list grid under a moving mouse: truncated names, values with their item's
// Hint, the hint styles, OnShowHints, the title line and leaving the grid; and category lines
// following the grid's font.
#include "ItemListTestUtil.h"
#include "itemlist/ZkDeltaFont.h"
#include "itemlist/ZkHintWindow.h"

namespace zk::test {

namespace {

class ItemListHintTest : public ItemListTest {
protected:
    void SetUp() override {
        ItemListTest::SetUp();
        Build("Caption=Button1\nAVeryLongPropertyNameThatCannotFitItsCell=x\nColor=clRed");
        Item("Color")->SetHint("The colour of the control");
    }

    // Moves the mouse over the middle of a cell (client coordinates through the widget).
    void HoverCell(int ACol, int ARow) {
        const TRect R = Grid->CellRect(ACol, ARow);
        SendMouse(W(), QEvent::MouseMove, ToWidget(R.Left + 20, (R.Top + R.Bottom) / 2),
                  Qt::NoButton);
    }

    bool HintShown() const { return Grid->GetHintWindow()->GetWidget()->isVisible(); }
    std::string HintText() const { return Grid->GetHintWindow()->GetCaption(); }
};

}  // namespace

TEST_F(ItemListHintTest, ANameThatFitsShowsNoHintAndATruncatedOneShowsItsText) {
    HoverCell(0, RowOf(Item("Caption")));
    EXPECT_FALSE(HintShown());
    TZkItemProp* Long = Item("AVeryLongPropertyNameThatCannotFitItsCell");
    HoverCell(0, RowOf(Long));
    ASSERT_TRUE(HintShown());
    EXPECT_EQ(HintText(), Long->GetName());
    // The hint sits over the name, one indent in from the cell's left edge.
    const TPoint Cell = Grid->ClientToScreen(
        TPoint{Grid->CellRect(0, RowOf(Long)).Left, Grid->CellRect(0, RowOf(Long)).Top});
    EXPECT_EQ(Grid->GetHintWindow()->GetLeft(), Cell.X + Grid->GetIndent());
    EXPECT_EQ(Grid->GetHintWindow()->GetTop(), Cell.Y);
}

TEST_F(ItemListHintTest, AValueWithAHintGetsASecondLineInParentheses) {
    HoverCell(1, RowOf(Item("Color")));
    ASSERT_TRUE(HintShown());
    EXPECT_EQ(HintText(), "clRed\r\n(The colour of the control)");
    HoverCell(1, RowOf(Item("Caption")));
    EXPECT_FALSE(HintShown()) << "a value that fits, without a Hint, needs none";
}

TEST_F(ItemListHintTest, EachHintStyleShowsItsOwnText) {
    std::string Hint;
    TZkItemProp* Color = Item("Color");
    const int Row = RowOf(Color);
    Grid->SetShowItemHintStyle(shValueOnly);
    Grid->GetItemHint(Color, 1, Hint, Row);
    EXPECT_EQ(Hint, "clRed");
    Grid->SetShowItemHintStyle(shHintOnly);
    Grid->GetItemHint(Color, 1, Hint, Row);
    EXPECT_EQ(Hint, "The colour of the control");
    Grid->GetItemHint(Color, 0, Hint, Row);
    EXPECT_EQ(Hint, "Color") << "a name cell always offers its text";
    Grid->SetShowItemHintStyle(shNone);
    HoverCell(1, Row);
    EXPECT_FALSE(HintShown());
}

TEST_F(ItemListHintTest, OnShowHintsHasTheLastWord) {
    std::vector<std::string> Seen;
    Grid->SetOnShowHints(TZkOnShowHintsEvent(
        [&](TObject* Sender, TZkItemProp* Item, std::string& HintString) {
            EXPECT_EQ(Sender, Grid);
            Seen.push_back(Item->GetName() + ":" + HintString);
            HintString = Item->GetName() == "Caption" ? "about captions" : std::string();
        }));
    HoverCell(1, RowOf(Item("Caption")));
    ASSERT_TRUE(HintShown()) << "a text that differs from the cell's is shown";
    EXPECT_EQ(HintText(), "about captions");
    HoverCell(1, RowOf(Item("Color")));
    EXPECT_FALSE(HintShown()) << "an emptied hint hides the window";
    EXPECT_EQ(Seen, (std::vector<std::string>{"Caption:Button1",
                                              "Color:clRed\r\n(The colour of the control)"}));
}

TEST_F(ItemListHintTest, TheTitleLineAndLeavingTheGridHideTheHint) {
    HoverCell(1, RowOf(Item("Color")));
    ASSERT_TRUE(HintShown());
    HoverCell(1, 0);
    EXPECT_FALSE(HintShown());
    HoverCell(1, RowOf(Item("Color")));
    ASSERT_TRUE(HintShown());
    QEvent Leave(QEvent::Leave);
    QApplication::sendEvent(W(), &Leave);
    Application->ProcessMessages();
    EXPECT_FALSE(HintShown());
}

TEST_F(ItemListHintTest, TheSameMousePositionIsNotCheckedTwice) {
    int Calls = 0;
    Grid->SetOnShowHints(
        TZkOnShowHintsEvent([&](TObject*, TZkItemProp*, std::string&) { ++Calls; }));
    HoverCell(1, RowOf(Item("Color")));
    HoverCell(1, RowOf(Item("Color")));
    EXPECT_EQ(Calls, 1);
}

TEST_F(ItemListHintTest, CategoryLinesFollowTheGridsFontSizeAndStayBoldAndPurple) {
    TZkItemProp* Cat = Items()->AddCategory("Layout");
    Grid->GetFont()->SetSize(14);
    EXPECT_EQ(Cat->GetFont()->GetSize(), 14);
    EXPECT_TRUE(Cat->GetFont()->GetStyle().Contains(fsBold));
    EXPECT_EQ(Cat->GetFont()->GetColor(), static_cast<TColor>(0x800080));
    Grid->GetCategoryFont()->SetColor(clNavy);
    Grid->GetFont()->SetColor(clGreen);
    EXPECT_EQ(Grid->GetCategoryFont()->GetColor(), clNavy)
        << "a colour set on the category font stays when the grid's colour changes";
    EXPECT_EQ(Cat->GetFont()->GetColor(), clNavy);
}

}  // namespace zk::test
