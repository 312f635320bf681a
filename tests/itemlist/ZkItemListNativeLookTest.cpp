// The native look: line heights and the editor's button from the font, the whole current line
// highlighted, category bands, glyphs that still open their items under the mouse; and the
// classic look as the default, given back unchanged when the option goes off.
#include <QFontMetrics>
#include <QImage>
#include <QTest>

#include "ItemListTestUtil.h"

namespace zk::test {

namespace {

const char* const Tree = R"(Look |c
  Font
    Color=clRed
  Caption=Hello
)";

}  // namespace

class ItemListNativeLookTest : public ItemListTest {
protected:
    // The name column as painted: the editor (and its blinking caret) stays out of it.
    QImage NameColumn() {
        const QPoint At = ToWidget(0, 0);
        return W()->grab().toImage().copy(
            QRect(At, QSize(Grid->GetColWidths(0), Grid->GetClientHeight())));
    }
    QColor Pixel(int ACol, const std::string& Path, int DX = 2) {
        const TRect R = Grid->CellRect(ACol, RowOf(Item(Path)));
        return W()->grab().toImage().pixelColor(ToWidget(R.Right - DX, R.Top + 3));
    }
};

TEST_F(ItemListNativeLookTest, LinesFollowTheFontAndTheCurrentLineIsHighlightedWhole) {
    Build(Tree);
    Item("Look")->Expand();
    Grid->SetNativeLook(true);
    const QFontMetrics Metrics(FontToQFont(*Grid->GetFont()));
    EXPECT_GE(Grid->GetDefaultRowHeight(), Metrics.height() + 4);
    Grid->GetFont()->SetSize(Grid->GetFont()->GetSize() * 2);
    Grid->SetNativeLook(false);
    Grid->SetNativeLook(true);
    EXPECT_GE(Grid->GetDefaultRowHeight(),
              QFontMetrics(FontToQFont(*Grid->GetFont())).height() + 4);

    EditAt("Look.Caption");
    const QPalette& Palette = W()->palette();
    const QColor Base = Palette.color(QPalette::Active, QPalette::Base);
    // The name cell beside the editor shows the highlight, the other lines do not.
    EXPECT_NE(Pixel(0, "Look.Caption"), Base);
    EXPECT_EQ(Pixel(0, "Look.Font"), Base);
    EXPECT_EQ(Pixel(1, "Look.Font"), Base);
    // A category line is a band, not the base colour.
    EXPECT_NE(Pixel(1, "Look"), Base);
    // The editor's pick-list button is as wide as the font asks.
    Item("Look.Caption")->GetPickList()->Add("Hello");
    Grid->InvalidateEditor();
    EXPECT_GE(Grid->GetInplaceEditList()->GetButtonWidth(),
              QFontMetrics(FontToQFont(*Grid->GetInplaceEditList()->GetFont())).height());
}

TEST_F(ItemListNativeLookTest, TheStyledGlyphOpensItsItemUnderTheMouse) {
    Build(Tree);
    Grid->SetNativeLook(true);
    Item("Look")->Expand();
    const TRect Cell = Grid->CellRect(0, RowOf(Item("Look.Font")));
    const TRect Glyph = Grid->GlyphRect(Cell, Item("Look.Font"));
    EXPECT_GE(Glyph.Left, Cell.Left + Grid->LevelIndent());
    QTest::mouseClick(W(), Qt::LeftButton, Qt::NoModifier,
                      ToWidget((Glyph.Left + Glyph.Right) / 2, (Glyph.Top + Glyph.Bottom) / 2));
    Application->ProcessMessages();
    EXPECT_TRUE(Item("Look.Font")->GetExpanded());
}

TEST_F(ItemListNativeLookTest, TheClassicLookIsTheDefaultAndComesBackUnchanged) {
    Build(Tree);
    TZkInplaceEditList* Editor = EditAt("Look");
    const int ButtonWidth = Editor->GetButtonWidth();
    const QImage Before = NameColumn();
    EXPECT_EQ(Grid->GetDefaultRowHeight(), 18);
    Grid->SetNativeLook(true);
    Application->ProcessMessages();
    EXPECT_NE(NameColumn(), Before);
    Grid->SetNativeLook(false);
    Application->ProcessMessages();
    EXPECT_EQ(Grid->GetDefaultRowHeight(), 18);
    EXPECT_EQ(Editor->GetButtonWidth(), ButtonWidth);
    EXPECT_EQ(NameColumn(), Before);
}

}  // namespace zk::test
