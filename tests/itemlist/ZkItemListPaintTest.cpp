// The item-list grid on screen: painted lines with indentation, glyphs, titles and disabled
// colours, glyph clicks through real mouse events, typing into cells, and sorted renames
// through the editor.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QWidget>
#include <cstdlib>

#include "itemlist/ZkItemListEditor.h"
#include "platform/gui/Application.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

namespace zk::test {

namespace {

class ItemListScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.reset(Create<TForm>(nullptr));
        Form->SetBounds(50, 50, 340, 340);
        Grid = Create<TZkItemListEditor>(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(8, 8, 306, 300);
        TZkItemProps* Items = Grid->GetItems();
        Font = Add(Items, "Font", "(TFont)");
        Add(Font->GetItems(), "Color", "clWindowText");
        Style = Add(Font->GetItems(), "Style", "[fsBold]");
        Add(Style->GetItems(), "fsBold", "True");
        Add(Style->GetItems(), "fsItalic", "False");
        Add(Items, "Caption", "Button1");
        Anchors = Add(Items, "Anchors", "[akLeft]");
        Add(Anchors->GetItems(), "akLeft", "True");
        Disabled = Add(Items, "Enabled", "True");
        Disabled->SetEnabled(false);
        Font->Expand();
        Style->Expand();
        Form->Show();
        Application->ProcessMessages();
    }

    static TZkItemProp* Add(TZkItemProps* Items, const std::string& Name, const std::string& Value) {
        TZkItemProp* Item = Items->AddItem();
        Item->SetName(Name);
        Item->GetValues()->SetTextStr(Value);
        return Item;
    }

    QImage Render() {
        QImage Image = Grid->GetWidget()->grab().toImage();
        if (const char* Dir = std::getenv("ZK_RENDER_DIR"))
            Image.save(QString::fromUtf8(Dir) + "/itemlist.png");
        return Image;
    }

    // Where the client area starts inside the grid's widget (the border lies around it).
    TPoint ClientOrigin() const {
        TPoint Screen = Grid->ClientToScreen(TPoint{0, 0});
        QPoint Widget = Grid->GetWidget()->mapToGlobal(QPoint(0, 0));
        return TPoint{Screen.X - Widget.x(), Screen.Y - Widget.y()};
    }

    int LineOf(TZkItemProp* Item) const {
        return Grid->GetLogical(lwFixedLines) + Grid->GetShownItems().IndexOf(Item);
    }

    // A left click at client coordinates of the grid, through Qt.
    void Click(TPoint P, bool Double = false) {
        QWidget* W = Grid->GetWidget();
        const TPoint Offset = ClientOrigin();
        QPointF At(P.X + Offset.X, P.Y + Offset.Y);
        QMouseEvent Press(Double ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress, At,
                          W->mapToGlobal(At), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(W, &Press);
        QMouseEvent Release(QEvent::MouseButtonRelease, At, W->mapToGlobal(At), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(W, &Release);
        Application->ProcessMessages();
    }

    TPoint GlyphCentre(TZkItemProp* Item) const {
        TRect Cell = Grid->CellRect(0, LineOf(Item));
        TRect Glyph = Grid->GlyphRect(Cell, Item);
        return TPoint{(Glyph.Left + Glyph.Right) / 2, (Glyph.Top + Glyph.Bottom) / 2};
    }

    TOwned<TForm> Form;
    TZkItemListEditor* Grid = nullptr;
    TZkItemProp* Font = nullptr;
    TZkItemProp* Style = nullptr;
    TZkItemProp* Anchors = nullptr;
    TZkItemProp* Disabled = nullptr;
};

bool IsDark(QRgb C) {
    return qRed(C) < 80 && qGreen(C) < 80 && qBlue(C) < 80;
}

}  // namespace

TEST_F(ItemListScreenTest, GlyphsSitOneIndentDeeperPerLevelWithTheirPattern) {
    QImage Image = Render();
    const TPoint Offset = ClientOrigin();
    for (TZkItemProp* Item : {Font, Style, Anchors}) {
        SCOPED_TRACE(Item->GetName());
        TRect G = Grid->GlyphRect(Grid->CellRect(0, LineOf(Item)), Item);
        ASSERT_EQ(G.Width(), 9);
        const int X = G.Left + Offset.X;
        const int Y = G.Top + Offset.Y;
        EXPECT_EQ(G.Left, Grid->CellRect(0, LineOf(Item)).Left + Item->GetLevel() * 11);
        EXPECT_TRUE(IsDark(Image.pixel(X, Y))) << "border corner";
        EXPECT_TRUE(IsDark(Image.pixel(X + 4, Y + 4))) << "centre of the bar";
        EXPECT_FALSE(IsDark(Image.pixel(X + 1, Y + 1))) << "white inside";
        // Only the plus glyph has the vertical bar.
        EXPECT_EQ(IsDark(Image.pixel(X + 4, Y + 2)), !Item->GetExpanded());
    }
}

TEST_F(ItemListScreenTest, DisabledItemsPaintInTheInactiveCaptionTextColour) {
    Grid->SetHideSelection(true);
    QImage Image = Render();
    const TPoint Offset = ClientOrigin();
    TRect Cell = Grid->CellRect(0, LineOf(Disabled));
    bool SawInactive = false;
    bool SawDark = false;
    const QColor Inactive = ColorToQColor(clInactiveCaptionText);
    for (int Y = Cell.Top + Offset.Y; Y < Cell.Bottom + Offset.Y; ++Y)
        for (int X = Cell.Left + Offset.X; X < Cell.Right + Offset.X; ++X) {
            QRgb P = Image.pixel(X, Y);
            SawInactive |= QColor(P) == Inactive;
            SawDark |= IsDark(P);
        }
    EXPECT_TRUE(SawInactive);
    EXPECT_FALSE(SawDark) << "no text of the disabled item in the normal colour";
}

// Counts the pixels of a cell, in the rendered image, that have exactly Colour.
int CountColour(const QImage& Image, const TRect& Cell, TPoint Offset, TColor Colour) {
    const QColor Want = ColorToQColor(Colour);
    int N = 0;
    for (int Y = Cell.Top + Offset.Y; Y < Cell.Bottom + Offset.Y; ++Y)
        for (int X = Cell.Left + Offset.X; X < Cell.Right + Offset.X; ++X)
            N += QColor(Image.pixel(X, Y)) == Want;
    return N;
}

TEST_F(ItemListScreenTest, TheCurrentCellOfAnUnfocusedGridIsHighlightedOnlyWithoutHideSelection) {
    // The disabled item's value is the current cell; the focus is elsewhere.
    Grid->FocusCell(1, LineOf(Disabled), true);
    auto* Other = Create<TEdit>(Form.get());
    Other->SetParent(Form.get());
    Other->SetBounds(8, 312, 100, 20);
    Other->SetFocus();
    Application->ProcessMessages();
    ASSERT_FALSE(Grid->HasFocus());
    const TRect Cell = Grid->CellRect(1, LineOf(Disabled));
    Grid->SetHideSelection(true);
    QImage Hidden = Render();
    EXPECT_EQ(CountColour(Hidden, Cell, ClientOrigin(), clHighlight), 0);
    EXPECT_GT(CountColour(Hidden, Cell, ClientOrigin(), clInactiveCaptionText), 0)
        << "disabled text on the plain background";

    Grid->SetHideSelection(false);
    QImage Shown = Render();
    EXPECT_GT(CountColour(Shown, Cell, ClientOrigin(), clHighlight), Cell.Width() * 4);
    EXPECT_GT(CountColour(Shown, Cell, ClientOrigin(), clHighlightText), 0)
        << "a highlighted cell takes the highlight text colour, disabled or not";
    EXPECT_EQ(CountColour(Shown, Cell, ClientOrigin(), clInactiveCaptionText), 0);
}

TEST_F(ItemListScreenTest, AClickOnAGlyphTogglesItAndADoubleClickDoesNot) {
    const int Before = Grid->GetShownItems().GetCount();
    Click(GlyphCentre(Anchors));
    EXPECT_TRUE(Anchors->GetExpanded());
    EXPECT_EQ(Grid->GetShownItems().GetCount(), Before + 1);
    EXPECT_EQ(Grid->GetRow(), LineOf(Anchors)) << "the click moved to the glyph's line";
    EXPECT_EQ(Grid->GetCol(), 1) << "on its first value cell";
    Click(GlyphCentre(Font));
    EXPECT_FALSE(Font->GetExpanded());
    EXPECT_TRUE(Style->GetExpanded()) << "a collapsed parent keeps its children's state";
    Click(GlyphCentre(Font), true);
    EXPECT_FALSE(Font->GetExpanded());
}

TEST_F(ItemListScreenTest, TypedTextReachesTheItemsAndASortedRenameTakesTheCurrentLineAlong) {
    Grid->SetSorted(true);
    Grid->SetPropertyOptions(TILEPropOptions{propEdit});
    TZkItemProp* Caption = Grid->GetItems()->FindPath("Caption");
    ASSERT_NE(Caption, nullptr);
    Grid->SetFocus();
    Grid->FocusCell(1, LineOf(Caption), true);
    Grid->ShowEditor();
    Application->ProcessMessages();
    TInplaceEdit* Editor = Grid->GetInplaceEditor();
    ASSERT_NE(Editor, nullptr);
    ASSERT_TRUE(Editor->GetVisible());
    Editor->SetText("OK");
    EXPECT_EQ(Caption->GetValues()->Get(0), "OK");

    Grid->FocusCell(0, LineOf(Caption), true);
    Application->ProcessMessages();
    ASSERT_EQ(Grid->GetCol(), 0);
    Editor->SetText("Zcaption");
    EXPECT_EQ(Caption->GetName(), "Zcaption");
    EXPECT_EQ(Caption->GetIndex(), Grid->GetItems()->GetCount() - 1) << "sorted to the end";
    EXPECT_EQ(Grid->GetRow(), LineOf(Caption)) << "the current line followed the item";
    EXPECT_EQ(Editor->GetSelStart(), 8) << "the caret stayed at the end of the typed text";
    Editor->SetText("Zcaption2");
    EXPECT_EQ(Caption->GetName(), "Zcaption2");
    EXPECT_EQ(Grid->GetItems()->FindPath("Anchors")->GetName(), "Anchors")
        << "the neighbour kept its name";
}

}  // namespace zk::test
