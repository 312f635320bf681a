// The scan: common properties of objects of different classes, nested objects, set elements in
// their order, collection items and string-list lines in place, filters, categories, the kinds
// shown, and the current row kept across a rescan.
#include "InspectorTestUtil.h"

namespace zk::test {

namespace {

class ScanTest : public InspectorTest {
protected:
    void SetUp() override {
        InspectorTest::SetUp();
        Sink = Create<TKitchenSink>(Form.get());
        Sink->SetName("Sink");
    }
    std::string Children(const std::string& Path) const {
        std::string Result;
        TZkItemProperties* Rows = Path.empty() ? Inspector->GetItems() : Row(Path)->GetItems();
        for (int I = 0; Rows && I < Rows->GetCount(); ++I)
            Result += (I ? "," : "") + Rows->GetItem(I)->GetName();
        return Result;
    }
    TKitchenSink* Sink = nullptr;  // owned by Form
};

}  // namespace

TEST_F(ScanTest, ObjectsOfDifferentClassesShowTheirCommonProperties) {
    auto* Other = Create<TOtherSink>(Form.get());
    Other->SetName("Other");
    Inspect({Sink, Other});
    EXPECT_EQ(Children(""), "Count,Name,Tag") << "Shape is a string in one and an enumeration in the other";
    int Scans = 0;
    Inspector->SetOnBeforeScan(TZkItemPropertyQueryEvent([&](TObject*, TZkItemProperty* Item, bool& Go) {
        if (!Item) Go = ++Scans > 1;
    }));
    Inspector->PostRescan();
    Settle();
    EXPECT_EQ(Inspector->GetItems()->GetCount(), 0) << "a scan refused leaves no rows";
    Inspector->SetDisplayKinds(Inspector->GetDisplayKinds() + TTypeKinds{tkMethod, tkRecord});
    EXPECT_TRUE(Inspector->GetDisplayKinds().Contains(tkMethod));
    EXPECT_FALSE(Inspector->GetDisplayKinds().Contains(tkRecord)) << "records never get rows";
    Inspector->GetObjects()->RemoveInstance(Other);
    Settle();
    EXPECT_EQ(Shown("OnPoke"), "TNotifyEvent");
    EXPECT_TRUE(Row("OnPoke")->GetReadOnly());
}

TEST_F(ScanTest, NestedObjectsSetsAndReferencesGetSubRows) {
    auto* Second = Create<TKitchenSink>(Form.get());
    Second->SetName("Second");
    auto* Buddy = Create<TKitchenSink>(Form.get());
    Buddy->SetName("Buddy1");
    Sink->SetBuddy(Buddy);
    Inspect({Sink});
    EXPECT_EQ(Children("Sides"), "sdLeft,sdTop,sdRight,sdBottom") << "element order, not sorted";
    EXPECT_EQ(Children("Font.Style"), "fsBold,fsItalic,fsUnderline,fsStrikeOut");
    EXPECT_EQ(Shown("Buddy"), "Buddy1");
    EXPECT_TRUE(Row("Buddy")->HasChildren()) << "a component reference is shown in place";
    EXPECT_EQ(Shown("Buddy.Name"), "Buddy1");
    Inspect({Sink, Second});
    EXPECT_FALSE(Row("Buddy")->HasChildren()) << "nil in one of them: no sub-rows";
    EXPECT_TRUE(Row("Font")->HasChildren());
    Inspector->SetInplaceComponents(false);
    Inspect({Sink});
    EXPECT_FALSE(Row("Buddy")->HasChildren());
}

TEST_F(ScanTest, CollectionItemsAndStringLinesAppearInPlace) {
    for (const char* Caption : {"first", "second"})
        static_cast<TSinkItem*>(Sink->GetEntries()->Add())->SetCaption(Caption);
    Sink->GetLines()->SetTextStr("a=1\nb=2\nc\ng.h=3");
    Inspect({Sink});
    EXPECT_FALSE(Row("Entries")->HasChildren());
    EXPECT_FALSE(Row("Lines")->HasChildren());
    Inspector->SetInplaceCollections(true);
    Inspector->SetInplaceTStrings(true);
    Settle();
    EXPECT_EQ(Children("Entries"), "Items[0],Items[1]");
    EXPECT_EQ(Shown("Entries.Items[1]"), "second");
    EXPECT_EQ(Children("Entries.Items[0]"), "Caption,Number");
    Commit("Entries.Items[1].Number", "4");
    EXPECT_EQ(static_cast<TSinkItem*>(Sink->GetEntries()->GetItem(1))->GetNumber(), 4);
    EXPECT_EQ(Children("Lines"), "Items[0],Items[1],Items[2],Items[3]");
    Commit("Lines.Items[2]", "x");
    EXPECT_EQ(Sink->GetLines()->Get(2), "x");

    Inspector->SetInplaceTStringsOptions(TInplaceTStringsOptions{isUseNameValue});
    Settle();
    EXPECT_EQ(Children("Lines"), "a,b,Items[2],g");
    EXPECT_EQ(Shown("Lines.b"), "2");
    EXPECT_EQ(Shown("Lines.g.h"), "3") << "a name with the path delimiter nests";
    Commit("Lines.a", "9");
    EXPECT_EQ(Sink->GetLines()->Get(0), "a=9");
    Commit("Lines.g.h", "7");
    EXPECT_EQ(Sink->GetLines()->Get(3), "g.h=7");
    Settle();
    EXPECT_EQ(Shown("Lines.a"), "9") << "rebuilt from the list";
}

TEST_F(ScanTest, FiltersRemoveRowsAtEveryLevel) {
    Inspector->GetFilters()->Add("name");
    Inspector->GetFilters()->Add("Font.Style");
    int Changes = 0;
    Inspector->SetOnFiltersChanged(TNotifyEvent([&](TObject*) { ++Changes; }));
    Inspect({Sink});
    EXPECT_EQ(Inspector->GetItems()->FindPath("Name"), nullptr);
    EXPECT_EQ(Inspector->GetItems()->FindPath("Font.Name"), nullptr) << "by name at any level";
    EXPECT_EQ(Inspector->GetItems()->FindPath("Font.Style"), nullptr) << "by full name";
    EXPECT_NE(Inspector->GetItems()->FindPath("Font.Size"), nullptr);
    Inspector->GetFilters()->Clear();
    EXPECT_EQ(Changes, 1);
    Settle();
    EXPECT_NE(Inspector->GetItems()->FindPath("Name"), nullptr);
}

TEST_F(ScanTest, CategoriesFileRowsAndCopyThemIntoFurtherOnes) {
    Inspector->SetArrangeByCategory(true);
    Inspector->SetOnCategorize(TZkGetCategoryEvent(
        [](TObject*, TZkItemProp*, const std::string& Name, std::string& Category) {
            if (Name == "Count") Category = "Numbers";
        }));
    Inspect({Sink});
    EXPECT_NE(Inspector->GetItems()->FindPath("Numbers.Count"), nullptr) << "OnCategorize";
    EXPECT_NE(Inspector->GetItems()->FindPath("Miscellaneous.Text"), nullptr) << "no category line";
    EXPECT_NE(Inspector->GetItems()->FindPath("Localizable.Font"), nullptr) << "first line";
    EXPECT_NE(Inspector->GetItems()->FindPath("Visual.Font"), nullptr) << "a copy under the next";
    EXPECT_TRUE(Inspector->GetItems()->FindPath("Visual.Font")->HasChildren());
    Commit("Numbers.Count", "6");
    EXPECT_EQ(Sink->FCount, 6) << "a category is no step on the path to the object";
}

TEST_F(ScanTest, ARescanKeepsTheCurrentRowAndTogglingTitlesDoesNotRescan) {
    Inspect({Sink});
    Inspector->SelectItem(Row("Font.Size"));
    int Scans = 0;
    Inspector->SetOnAfterScan(TZkItemPropertyEvent([&](TObject*, TZkItemProperty* Item) {
        if (!Item) ++Scans;
    }));
    Inspector->SetDisplayOptions(Inspector->GetDisplayOptions() - TILEDisplayOptions{doColumnTitles});
    Settle();
    EXPECT_EQ(Scans, 0);
    Inspector->SetDisplayOptions(Inspector->GetDisplayOptions() + TILEDisplayOptions{doMultiColValues});
    Inspector->SetInplaceCollections(true);
    Settle();
    EXPECT_EQ(Scans, 1) << "two changes, one rescan";
    EXPECT_EQ(Inspector->GetCurrentItem(), Row("Font.Size")) << "found again by its full name";
}

}  // namespace zk::test
