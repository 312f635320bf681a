// The inspected objects: no duplicates, display names, and freeing an inspected object (or
// the component owning it) while rows, an edit or a handler refer to it.
#include "InspectorTestUtil.h"

namespace zk::test {

TEST_F(InspectorTest, ObjectsAreListedOnceAndLeaveWhenTheyAreFreed) {
    auto* Sink = Create<TKitchenSink>(Form.get());
    Sink->SetName("Sink");
    auto* Other = Create<TKitchenSink>(Form.get());
    TZkInspectorObjects* Objects = Inspector->GetObjects();
    Objects->AddInstance(Sink);
    Objects->AddInstance(Sink);
    EXPECT_EQ(Objects->GetCount(), 1);
    EXPECT_EQ(Objects->GetItem(0)->GetDisplayName(), "Sink");
    // A font is no component: the component owning it stands guard.
    Objects->AddOwnedInstance(Other, Other->GetFont());
    EXPECT_EQ(Objects->GetItem(1)->GetDisplayName(), "TFont");
    Settle();
    ASSERT_FALSE(Inspector->GetItems()->FindPath("Count")) << "only the common properties";
    Other->Free();
    EXPECT_EQ(Objects->GetCount(), 1);
    Settle();
    EXPECT_TRUE(Inspector->GetItems()->FindPath("Count")) << "rebuilt for the one left";
    Sink->Free();
    EXPECT_EQ(Objects->GetCount(), 0);
    EXPECT_EQ(Inspector->GetItems()->GetCount(), 0);
    Settle();
    EXPECT_EQ(Inspector->GetItems()->GetCount(), 0);

    auto* Third = Create<TKitchenSink>(Form.get());
    Inspector->SetInspectedComponent(Third);
    EXPECT_EQ(Inspector->GetInspectedComponent(), Third);
    Inspector->SetInspectedComponent(nullptr);
    EXPECT_EQ(Objects->GetCount(), 0);
}

TEST_F(InspectorTest, FreeingTheObjectDuringAnEditOrFromAHandlerIsSafe) {
    auto* Sink = Create<TKitchenSink>(Form.get());
    Inspect({Sink});
    Inspector->SelectItem(Row("Count"));
    Inspector->SetLogical(lwColumn, 1);
    Inspector->ShowEditor();
    Inspector->GetInplaceEditList()->SetFocus();
    Press(Qt::Key_5, Qt::NoModifier, "5");
    Sink->Free();
    Press(Qt::Key_Return);
    EXPECT_EQ(Inspector->GetItems()->GetCount(), 0);

    auto* Second = Create<TKitchenSink>(Form.get());
    Inspect({Second});
    int Calls = 0;
    Inspector->SetOnPropertyChanged(TZkItemPropertyEvent([&](TObject*, TZkItemProperty* Item) {
        ++Calls;
        EXPECT_EQ(Item->GetName(), "Count");
        Second->Free();
    }));
    Commit("Count", "8");
    EXPECT_EQ(Calls, 1);
    Settle();
    EXPECT_EQ(Inspector->GetObjects()->GetCount(), 0);
    EXPECT_EQ(Inspector->GetItems()->GetCount(), 0);
}

}  // namespace zk::test
