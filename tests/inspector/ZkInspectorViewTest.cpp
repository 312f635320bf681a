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

}  // namespace zk::test
