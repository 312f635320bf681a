// The inspector's view options: a search that finds rows under collapsed ones and survives a
// rescan, open rows and the top line kept across a rescan, and pasted lines committed into the
// inspected object with a refused line left as it was.
#include <QClipboard>
#include <QTest>

#include "InspectorTestUtil.h"

namespace zk::test {

namespace {

std::string ShownRows(TZkCustomItemListEditor* Grid) {
    std::string Result;
    const TZkItemList& List = Grid->GetShownItems();
    for (int I = 0; I < List.GetCount(); ++I) Result += (I ? "," : "") + List[I]->GetName();
    return Result;
}

}  // namespace

TEST_F(InspectorTest, SearchFindsRowsUnderCollapsedOnesAndKeepsSearchingAfterARescan) {
    TKitchenSink Sink(nullptr);
    Inspect({&Sink});
    const std::string All = ShownRows(Inspector);
    Inspector->SetFilterText("fsbold");
    EXPECT_EQ(ShownRows(Inspector), "Font,Style,fsBold");
    Inspector->SetInplaceCollections(true);  // a setting that rebuilds the rows
    Settle();
    EXPECT_EQ(ShownRows(Inspector), "Font,Style,fsBold");
    Inspector->SetFilterText("");
    EXPECT_EQ(ShownRows(Inspector), All);
    EXPECT_FALSE(Row("Font")->GetExpanded());
}

TEST_F(InspectorTest, KeptExpansionOpensTheSameRowsAndKeepsTheTopLineAcrossARescan) {
    TKitchenSink Sink(nullptr);
    Inspector->SetHeight(200);
    Inspector->SetKeepExpansion(true);
    Inspect({&Sink});
    Row("Font")->Expand();
    Row("Font.Style")->Expand();
    Inspector->SelectItem(Row("Sides.sdTop"));
    Inspector->SetTopLine(Inspector->GetLogical(lwFixedLines) +
                          Inspector->GetShownItems().IndexOf(Row("Font.Color")));
    Inspector->SetInplaceCollections(true);
    Settle();
    EXPECT_TRUE(Row("Font")->GetExpanded());
    EXPECT_TRUE(Row("Font.Style")->GetExpanded());
    EXPECT_EQ(Inspector->GetCurrentItem(), Row("Sides.sdTop"));
    const TGridCoord Top = Inspector->CellOf(0, Inspector->GetTopLine());
    EXPECT_EQ(Inspector->ItemAtCell(Top.X, Top.Y, true), Row("Font.Color"));
}

TEST_F(InspectorTest, WithoutKeptExpansionARescanOpensOnlyTheCurrentRowsAncestors) {
    TKitchenSink Sink(nullptr);
    Inspect({&Sink});
    Row("Font")->Expand();
    Inspector->SelectItem(Row("Sides.sdTop"));
    Inspector->SetInplaceCollections(true);
    Settle();
    EXPECT_FALSE(Row("Font")->GetExpanded());
    EXPECT_EQ(Inspector->GetCurrentItem(), Row("Sides.sdTop"));
}

TEST_F(InspectorTest, PastedLinesAreCommittedIntoTheObjectAndARefusedOneLeavesItsRow) {
    TKitchenSink Sink(nullptr);
    Inspect({&Sink});
    Inspector->SetClipboardKeys(true);
    CatchMessages();
    QGuiApplication::clipboard()->setText("Count=12\nLimit=abc\nText=hi\n");
    Inspector->SelectItem(Row("Ratio"));
    Inspector->ShowEditor();
    Inspector->GetInplaceEditList()->SetFocus();
    Settle();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V,
                    Qt::ControlModifier | Qt::ShiftModifier);
    Settle();
    EXPECT_EQ(Sink.FCount, 12);
    EXPECT_EQ(Sink.FLimit, 10);
    EXPECT_EQ(Sink.FText, "hi");
    EXPECT_EQ(Shown("Limit"), "10");
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].rfind("\"abc\" is not a valid Integer value", 0), 0u) << Messages[0];
    // Copied back as the rows show the values.
    Inspector->SelectItem(Row("Count"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C,
                    Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Count=12");
}

}  // namespace zk::test
