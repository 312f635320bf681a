// The grid's search: what it shows (names, values, full names, ancestors), what it opens and
// closes again, the current line and the editor across a search, the mark, and the default.
#include <QImage>
#include <QTest>

#include "ItemListTestUtil.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

namespace {

const char* const Outline = R"(Font |e
  Color=clRed
  Name=Arial
  Style
    fsBold=False
Caption=Hello
Anchors
  akLeft=True
)";

}  // namespace

TEST_F(ItemListTest, SearchShowsNamesValuesAndFullNamesWithTheirAncestors) {
    Build(Outline);
    Grid->SetFilterText("COL");  // case does not matter
    EXPECT_EQ(Shown(), "Font,Color");
    Grid->SetFilterText("hello");  // a value
    EXPECT_EQ(Shown(), "Caption");
    Grid->SetFilterText("font.na");  // across the path delimiter
    EXPECT_EQ(Shown(), "Font,Name");
    // Under a name that matched, every line contains the text in its full
    // name: they show once their parent opens, but do not open it.
    Grid->SetFilterText("style");
    EXPECT_EQ(Shown(), "Font,Style");
    Item("Font.Style")->Expand();
    EXPECT_EQ(Shown(), "Font,Style,fsBold");
    // Collapsed lines are not searched here: akLeft stays out of sight.
    Grid->SetFilterText("akl");
    EXPECT_EQ(Shown(), "");
    EXPECT_EQ(Grid->GetLogical(lwLineCount), 2);  // the title and one empty line
}

TEST_F(ItemListTest, SearchingCollapsedLinesOpensTheirAncestorsAndClearingClosesThemAgain) {
    Build(Outline);
    Grid->SetFilterCollapsed(true);
    Grid->SetFilterText("bold");
    EXPECT_EQ(Shown(), "Font,Style,fsBold");
    Grid->SetFilterText("akleft");  // the next text starts from the tree the user left
    EXPECT_EQ(Shown(), "Anchors,akLeft");
    EXPECT_FALSE(Item("Font.Style")->GetExpanded());
    Item("Anchors")->Collapse();  // closed by hand: stays closed
    Grid->SetFilterText("");
    EXPECT_EQ(Shown(), "Font,Color,Name,Style,Caption,Anchors");
    EXPECT_FALSE(Item("Anchors")->GetExpanded());
    EXPECT_TRUE(Item("Font")->GetExpanded());
}

TEST_F(ItemListTest, TypingInASearchEditFiltersAsTheUserTypesAndTheEditorFollowsTheLines) {
    Build(Outline);
    // The editor stays on a line that still shows, and moves with the
    // current line when its line goes, taking that line's text.
    TZkInplaceEditList* Editor = EditAt("Caption");
    Grid->SetFilterText("hel");
    EXPECT_EQ(Shown(), "Caption");
    EXPECT_EQ(Editor->GetText(), "Hello");
    Grid->SetFilterText("ari");
    EXPECT_EQ(Shown(), "Font,Name");
    EXPECT_EQ(Grid->GetCurrentItem(), Item("Font"));
    EXPECT_EQ(Editor->GetText(), "");
    EXPECT_EQ(Item("Caption")->GetValue(), "Hello");
    Grid->SetFilterText("");

    auto* Search = Create<TEdit>(Form.get());
    Search->SetParent(Form.get());
    Search->SetLeft(330);
    Search->SetOnChange(TNotifyEvent([&](TObject*) { Grid->SetFilterText(Search->GetText()); }));
    Search->SetFocus();
    Application->ProcessMessages();
    QTest::keyClicks(Search->GetWidget(), "COL");
    Application->ProcessMessages();
    EXPECT_EQ(Shown(), "Font,Color");
    QTest::keyClick(Search->GetWidget(), Qt::Key_Backspace);
    QTest::keyClick(Search->GetWidget(), Qt::Key_Backspace);
    QTest::keyClick(Search->GetWidget(), Qt::Key_Backspace);
    Application->ProcessMessages();
    EXPECT_EQ(Shown(), "Font,Color,Name,Style,Caption,Anchors");
}

TEST_F(ItemListTest, SearchMarksTheFoundPartOfTheCell) {
    Build(Outline);
    Grid->SetFilterText("ari");
    Application->ProcessMessages();
    const QImage Image = W()->grab().toImage();
    const TRect Cell = Grid->CellRect(1, RowOf(Item("Font.Name")));
    int Marked = 0;
    for (int X = Cell.Left; X < Cell.Right; ++X)
        for (int Y = Cell.Top; Y < Cell.Bottom; ++Y) {
            const QPoint P = ToWidget(X, Y);
            if (Image.pixelColor(P) == QColor(255, 255, 0)) ++Marked;
        }
    EXPECT_GT(Marked, 20);
    // Nothing is marked without a search.
    Grid->SetFilterText("");
    Application->ProcessMessages();
    const QImage Plain = W()->grab().toImage();
    for (int X = Cell.Left; X < Cell.Right; ++X)
        for (int Y = Cell.Top; Y < Cell.Bottom; ++Y)
            ASSERT_NE(Plain.pixelColor(ToWidget(X, Y)), QColor(255, 255, 0));
}

TEST_F(ItemListTest, WithoutASearchTextTheGridShowsAndStoresWhatItDidBefore) {
    Build(Outline);
    const std::string Before = Shown();
    const std::string Stream = WriteText(Form.get());
    EXPECT_EQ(Stream.find("Filter"), std::string::npos);
    Grid->SetFilterText("x");
    Grid->SetFilterText("");
    EXPECT_EQ(Shown(), Before);
    EXPECT_EQ(WriteText(Form.get()), Stream);
}

}  // namespace zk::test
