// The grid through Qt's accessibility layer, queried headless: a tree table of rows with name and
// value cells, expand and collapse actions, the focused current cell and the events that follow
// the keyboard and the values; without the option, the plain widget interface Qt gives.
#include <QAccessible>
#include <QTest>

#include "ItemListTestUtil.h"
#include "itemlist/ZkItemListAccessible_p.h"

namespace zk::test {

namespace {

const char* const Tree = R"(Font |e
  Color=clRed
  Style
    fsBold=False
Caption=Hello
Anchors
  akLeft=True
)";

// What the update handler heard: the event type, the cell's line and column, its text.
struct THeard {
    QAccessible::Event Type;
    int Line;
    int Column;
    QString Text;
};
std::vector<THeard> Heard;

void Record(QAccessibleEvent* E) {
    QAccessibleInterface* I = E->accessibleInterface();
    QAccessibleTableCellInterface* Cell = I ? I->tableCellInterface() : nullptr;
    if (!Cell) return;
    Heard.push_back({E->type(), Cell->rowIndex(), Cell->columnIndex(),
                     E->type() == QAccessible::ValueChanged
                         ? static_cast<QAccessibleValueChangeEvent*>(E)->value().toString()
                         : I->text(QAccessible::Name)});
}

}  // namespace

class ItemListAccessibleTest : public ItemListTest {
protected:
    void SetUp() override {
        ItemListTest::SetUp();
        Build(Tree);
        Heard.clear();
    }
    void TearDown() override {
        TZkGridAccessibility::SetSink(nullptr);
        ItemListTest::TearDown();
    }
    // Listening as a platform bridge would; offscreen has none that is active.
    void Listen() { TZkGridAccessibility::SetSink(&Record); }
    QAccessibleInterface* Table() const { return QAccessible::queryAccessibleInterface(W()); }
};

TEST_F(ItemListAccessibleTest, TheGridIsATreeTableOfRowsWithNameAndValueCells) {
    Grid->SetAccessibleTree(true);
    QAccessibleInterface* A = Table();
    ASSERT_NE(A, nullptr);
    EXPECT_EQ(A->role(), QAccessible::Tree);
    QAccessibleTableInterface* T = A->tableInterface();
    ASSERT_NE(T, nullptr);
    EXPECT_EQ(T->rowCount(), 5);  // Font, Color, Style, Caption, Anchors
    EXPECT_EQ(T->columnCount(), 2);
    ASSERT_EQ(A->childCount(), 6);  // the title row first

    QAccessibleInterface* Title = A->child(0);
    EXPECT_EQ(Title->child(1)->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(Title->child(1)->text(QAccessible::Name), "Value");
    QAccessibleInterface* Color = A->child(2);
    EXPECT_EQ(Color->role(), QAccessible::Row);
    ASSERT_EQ(Color->childCount(), 2);
    EXPECT_EQ(Color->child(0)->text(QAccessible::Name), "Color");
    EXPECT_EQ(Color->child(1)->text(QAccessible::Value), "clRed");
    EXPECT_EQ(Color->text(QAccessible::Description), "Font.Color");
    EXPECT_EQ(A->indexOfChild(Color), 2);
    QAccessibleInterface* Cell = T->cellAt(1, 1);
    EXPECT_EQ(Cell, Color->child(1));
    EXPECT_EQ(Cell->parent(), Color);
    EXPECT_EQ(Cell->tableCellInterface()->columnHeaderCells().value(0), Title->child(1));
    EXPECT_EQ(A->childAt(Cell->rect().center().x(), Cell->rect().center().y()), Color);

    // Expand and collapse are actions of rows and name cells with children.
    QAccessibleInterface* Anchors = A->child(5);
    EXPECT_TRUE(Anchors->state().expandable);
    EXPECT_TRUE(Anchors->state().collapsed);
    ASSERT_TRUE(Anchors->actionInterface()->actionNames().contains("Expand"));
    Anchors->actionInterface()->doAction("Expand");
    EXPECT_EQ(Shown(), "Font,Color,Style,Caption,Anchors,akLeft");
    EXPECT_TRUE(A->child(5)->state().expanded);
    EXPECT_EQ(T->rowCount(), 6);
    T->cellAt(0, 0)->actionInterface()->doAction("Collapse");
    EXPECT_EQ(Shown(), "Font,Caption,Anchors,akLeft");
    EXPECT_TRUE(Color->isValid());  // the second line, now Caption's
    EXPECT_EQ(Color->child(0)->text(QAccessible::Name), "Caption");
}

TEST_F(ItemListAccessibleTest, TheCurrentCellHasTheFocusAndKeysAndValuesAreHeard) {
    Grid->SetAccessibleTree(true);
    Listen();
    QAccessibleInterface* A = Table();
    EditAt("Font.Color");
    QAccessibleInterface* Focus = A->focusChild();
    ASSERT_NE(Focus, nullptr);
    EXPECT_EQ(Focus, A->tableInterface()->cellAt(1, 1));
    EXPECT_TRUE(Focus->state().focused);
    EXPECT_FALSE(A->tableInterface()->cellAt(2, 1)->state().focused);
    Heard.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    Application->ProcessMessages();
    ASSERT_FALSE(Heard.empty());
    EXPECT_EQ(Heard.back().Type, QAccessible::Focus);
    EXPECT_EQ(Heard.back().Line, 2);
    EXPECT_EQ(Heard.back().Column, 1);

    Heard.clear();
    Item("Caption")->GetValues()->SetTextStr("Bye");
    ASSERT_EQ(Heard.size(), 1u);
    EXPECT_EQ(Heard[0].Type, QAccessible::ValueChanged);
    EXPECT_EQ(Heard[0].Line, 3);
    EXPECT_EQ(Heard[0].Text, "Bye");
}

TEST_F(ItemListAccessibleTest, WithoutTheOptionQtSeesAPlainWidget) {
    QAccessibleInterface* A = Table();
    ASSERT_NE(A, nullptr);
    EXPECT_EQ(A->tableInterface(), nullptr);
    EXPECT_NE(A->role(), QAccessible::Tree);
    Listen();
    Item("Caption")->GetValues()->SetTextStr("Bye");
    EXPECT_TRUE(Heard.empty());
}

}  // namespace zk::test
