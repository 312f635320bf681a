// The item-list grid's keyboard: first and last line, adding lines with Down and Insert,
// blank lines dropped again, Escape, Ctrl+Delete, Enter committing, and the name column
// under propEdit.
#include <QKeyEvent>
#include <cctype>

#include "ItemListTestUtil.h"

namespace zk::test {

namespace {

class ItemListKeyTest : public ItemListTest {
protected:
    void SetUp() override {
        ItemListTest::SetUp();
        Build("A=1\nB=2\nC=3");
        Grid->SetFocus();
        Application->ProcessMessages();
    }
    void Type(const std::string& Text) { TypeOver(Text); }
};

}  // namespace

TEST_F(ItemListKeyTest, CtrlUpAndCtrlDownGoToTheFirstAndLastItemLines) {
    Grid->SetRow(2);
    Press(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(Grid->GetRow(), 1) << "the title line is not an item line";
    Press(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Grid->GetRow(), 3);
}

TEST_F(ItemListKeyTest, DownOnTheLastLineAddsABlankLineThatGoesWhenLeft) {
    Grid->SetRow(3);
    Press(Qt::Key_Down);
    EXPECT_EQ(Shown(), "A,B,C") << "without propAdd nothing is added";
    Grid->SetPropertyOptions(TILEPropOptions{propAdd});
    EXPECT_TRUE(Grid->GetPropertyOptions().Contains(propEdit)) << "adding implies editing names";
    Press(Qt::Key_Down);
    EXPECT_EQ(Shown(), "A,B,C,");
    EXPECT_EQ(Grid->GetRow(), 4);
    Press(Qt::Key_Down);
    EXPECT_EQ(Shown(), "A,B,C,") << "a blank line has no name, so no further line is added";
    Grid->SetRow(3);
    EXPECT_EQ(Shown(), "A,B,C") << "leaving the blank line dropped it";
    EXPECT_EQ(Grid->GetRow(), 3);
}

TEST_F(ItemListKeyTest, LeavingABlankLineDownwardsLandsOneLineUp) {
    Grid->SetPropertyOptions(TILEPropOptions{propAdd});
    Grid->SetRow(1);
    Press(Qt::Key_Insert);
    EXPECT_EQ(Shown(), ",A,B,C") << "inserted at the current line";
    EXPECT_EQ(Grid->GetRow(), 1);
    Grid->SetRow(3);
    EXPECT_EQ(Shown(), "A,B,C");
    EXPECT_EQ(Grid->GetCurrentItem(), Item("B")) << "the line below moved up with the drop";
}

TEST_F(ItemListKeyTest, ANameTypedIntoAnAddedLineKeepsIt) {
    Grid->SetPropertyOptions(TILEPropOptions{propAdd});
    Grid->SetRow(3);
    Press(Qt::Key_Down);
    Grid->SetCol(0);
    Type("D");
    Grid->SetRow(1);
    EXPECT_EQ(Shown(), "A,B,C,D");
}

TEST_F(ItemListKeyTest, EscapeRestoresAnEditedCellOrDropsABlankLine) {
    Grid->SetRow(2);
    Type("changed");
    EXPECT_EQ(Item("B")->GetValues()->Get(0), "changed") << "typing writes at once";
    Press(Qt::Key_Escape);
    EXPECT_EQ(Item("B")->GetValues()->Get(0), "2");
    EXPECT_EQ(Grid->GetInplaceEditor()->GetText(), "2");

    Grid->SetPropertyOptions(TILEPropOptions{propAdd});
    Grid->SetRow(3);
    Press(Qt::Key_Down);
    ASSERT_EQ(Shown(), "A,B,C,");
    Press(Qt::Key_Escape);
    EXPECT_EQ(Shown(), "A,B,C");
}

TEST_F(ItemListKeyTest, CtrlDeleteDeletesOnlyWithPropDelete) {
    Grid->SetRow(3);
    Press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Shown(), "A,B,C");
    Grid->SetPropertyOptions(TILEPropOptions{propDelete});
    Press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Shown(), "A,B");
    EXPECT_EQ(Grid->GetRow(), 2) << "the current line moved up from the deleted last line";
}

TEST_F(ItemListKeyTest, EnterValidatesAModifiedValue) {
    std::vector<std::string> Validated;
    Grid->SetOnValidate(TZkOnValidateEvent([&](TObject* Sender, TZkItemProp* Item, int ACol) {
        EXPECT_EQ(Sender, Grid);
        Validated.push_back(Item->GetName() + "@" + std::to_string(ACol));
    }));
    Grid->SetRow(1);
    Press(Qt::Key_Return);
    EXPECT_TRUE(Validated.empty()) << "nothing was typed";
    Type("9");
    Press(Qt::Key_Return);
    EXPECT_EQ(Validated, (std::vector<std::string>{"A@1"}));
    EXPECT_FALSE(Grid->GetInplaceEditor()->GetModified());
}

TEST_F(ItemListKeyTest, TheNameColumnIsSelectableOnlyWithPropEdit) {
    Grid->SetCol(0);
    EXPECT_EQ(Grid->GetCol(), 1);
    Grid->SetPropertyOptions(TILEPropOptions{propEdit});
    Grid->SetCol(0);
    EXPECT_EQ(Grid->GetCol(), 0);
    Grid->SetPropertyOptions(TILEPropOptions{});
    EXPECT_EQ(Grid->GetCol(), 1) << "switching propEdit off leaves the name column";
}

}  // namespace zk::test
