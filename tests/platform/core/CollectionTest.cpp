// Collections: notifications through every way in and out, moving, assigning,
// update brackets and name paths.
#include <gtest/gtest.h>

#include <random>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Collection.h"
#include "platform/core/Component.h"
#include "platform/core/SysUtils.h"

namespace zk::test {

class TNamedItem : public TCollectionItem {
    ZK_CLASS(TNamedItem, TCollectionItem)
public:
    explicit TNamedItem(TCollection* Collection) : TCollectionItem(Collection) {}
    const std::string& GetName() const { return FName; }
    void SetName(const std::string& Value) {
        if (FName == Value) return;
        FName = Value;
        Changed(false);
    }
    std::string GetDisplayName() const override { return FName.empty() ? TCollectionItem::GetDisplayName() : FName; }
    void Assign(TPersistent* Source) override {
        if (auto* Src = DynamicCast<TNamedItem>(Source)) {
            SetName(Src->FName);
            return;
        }
        TCollectionItem::Assign(Source);
    }

private:
    std::string FName;
};

class TOtherItem : public TCollectionItem {
    ZK_CLASS(TOtherItem, TCollectionItem)
public:
    explicit TOtherItem(TCollection* Collection) : TCollectionItem(Collection) {}
};

// Records every notification and update as text.
class TRecordingCollection : public TOwnedCollection {
    ZK_CLASS(TRecordingCollection, TOwnedCollection)
public:
    explicit TRecordingCollection(TPersistent* Owner = nullptr)
        : TOwnedCollection(Owner, TNamedItem::StaticClass()) {}
    std::vector<std::string>* Log = nullptr;
    TNamedItem* Named(int I) const { return static_cast<TNamedItem*>(GetItem(I)); }

protected:
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
        static const char* Names[] = {"added", "extracting", "deleting"};
        if (Log) Log->push_back(std::string(Names[Action]) + ":" + static_cast<TNamedItem*>(Item)->GetName());
        TOwnedCollection::Notify(Item, Action);
    }
    void Update(TCollectionItem* Item) override {
        if (Log) Log->push_back(Item ? "update:" + static_cast<TNamedItem*>(Item)->GetName() : "update:all");
    }
};

// A component that publishes a collection, for name paths.
class TCollectionHolder : public TComponent {
    ZK_CLASS(TCollectionHolder, TComponent)
public:
    explicit TCollectionHolder(TComponent* AOwner) : TComponent(AOwner), FItems(new TRecordingCollection(this)) {}
    TRecordingCollection* GetItems() const { return FItems.get(); }

private:
    TOwned<TRecordingCollection> FItems;
};

ZK_IMPLEMENT_CLASS(TNamedItem)
void TNamedItem::DescribeClass(TClassBuilder<TNamedItem>& C) {
    C.Prop("Name", &TNamedItem::GetName, &TNamedItem::SetName);
}
ZK_IMPLEMENT_CLASS(TOtherItem)
void TOtherItem::DescribeClass(TClassBuilder<TOtherItem>&) {}
ZK_IMPLEMENT_CLASS(TRecordingCollection)
void TRecordingCollection::DescribeClass(TClassBuilder<TRecordingCollection>&) {}
ZK_IMPLEMENT_CLASS(TCollectionHolder)
void TCollectionHolder::DescribeClass(TClassBuilder<TCollectionHolder>& C) {
    C.Prop("Items", &TCollectionHolder::GetItems);
}

namespace {

using Log = std::vector<std::string>;

class CollectionNotifications : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* N : {"a", "b", "c"}) static_cast<TNamedItem*>(C.Add())->SetName(N);
        C.Log = &L;
    }
    TRecordingCollection C;
    Log L;
};

TEST_F(CollectionNotifications, AddAnnouncesOnceThenUpdates) {
    C.Add();
    EXPECT_EQ((Log{"added:", "update:all"}), L);
}

TEST_F(CollectionNotifications, DeleteRaisesDeletingThenExtractingOnce) {
    C.Delete(1);
    EXPECT_EQ((Log{"deleting:b", "extracting:b", "update:all"}), L);
    EXPECT_EQ(2, C.GetCount());
    EXPECT_EQ(1, C.Named(1)->GetIndex());
    EXPECT_EQ("c", C.Named(1)->GetName());
}

TEST_F(CollectionNotifications, FreeingAnItemMidCollectionExtractsItOnce) {
    C.GetItem(1)->Free();
    EXPECT_EQ((Log{"extracting:b", "update:all"}), L);
    EXPECT_EQ("a", C.Named(0)->GetName());
    EXPECT_EQ("c", C.Named(1)->GetName());
    EXPECT_EQ(1, C.GetItem(1)->GetIndex());
}

TEST_F(CollectionNotifications, PlainDeleteOfAnItemAlsoLeavesTheCollection) {
    // Only the TCollectionItem part is left when a plain delete reaches the
    // base destructor, so the recording (which reads the name) is switched off.
    C.Log = nullptr;
    TCollectionItem* First = C.GetItem(0);
    delete First;
    EXPECT_EQ(2, C.GetCount());
    EXPECT_EQ("b", C.Named(0)->GetName());
    EXPECT_EQ(0, C.Named(0)->GetIndex());
}

TEST_F(CollectionNotifications, ClearExtractsEachItemOnceInsideOneUpdate) {
    C.Clear();
    EXPECT_EQ((Log{"extracting:c", "extracting:b", "extracting:a", "update:all"}), L);
    L.clear();
    C.Clear();  // nothing to clear: no update
    EXPECT_TRUE(L.empty());
}

TEST_F(CollectionNotifications, MovingToAnotherCollectionLeavesAndEntersOnce) {
    TRecordingCollection Other;
    Log OtherLog;
    Other.Log = &OtherLog;
    TNamedItem* B = C.Named(1);
    B->SetCollection(&Other);
    EXPECT_EQ((Log{"extracting:b", "update:all"}), L);
    EXPECT_EQ((Log{"added:b", "update:all"}), OtherLog);
    EXPECT_EQ(&Other, B->GetCollection());
    EXPECT_EQ(0, B->GetIndex());
    EXPECT_EQ(1, C.Named(1)->GetIndex());
    B->SetCollection(nullptr);
    EXPECT_EQ(nullptr, B->GetCollection());
    B->Free();
    EXPECT_EQ(0, Other.GetCount());
}

TEST_F(CollectionNotifications, MovingAnItemOfTheWrongClassIsRefused) {
    TCollection Others(TOtherItem::StaticClass());
    EXPECT_THROW(C.Named(0)->SetCollection(&Others), EListError);
    EXPECT_EQ(3, C.GetCount());
    EXPECT_TRUE(L.empty());
}

TEST_F(CollectionNotifications, ItemChangesReportTheItemUnlessUpdating) {
    C.Named(0)->SetName("x");
    EXPECT_EQ((Log{"update:x"}), L);
    L.clear();
    C.BeginUpdate();
    C.BeginUpdate();
    C.Named(0)->SetName("y");
    C.Add();
    C.EndUpdate();
    EXPECT_EQ((Log{"added:"}), L);
    C.EndUpdate();
    EXPECT_EQ((Log{"added:", "update:all"}), L);
    EXPECT_EQ(0, C.GetUpdateCount());
}

TEST_F(CollectionNotifications, InsertAddsThenMovesIntoPlace) {
    auto* X = static_cast<TNamedItem*>(C.Insert(1));
    X->SetName("x");
    EXPECT_EQ(1, X->GetIndex());
    EXPECT_EQ("b", C.Named(2)->GetName());
    EXPECT_EQ(2, C.Named(2)->GetIndex());
    EXPECT_EQ(1u, std::count(L.begin(), L.end(), "added:"));
}

TEST_F(CollectionNotifications, SetIndexMovesWithoutLeaving) {
    C.Named(0)->SetIndex(2);
    EXPECT_EQ("b", C.Named(0)->GetName());
    EXPECT_EQ("a", C.Named(2)->GetName());
    EXPECT_EQ((Log{"update:all"}), L);
    EXPECT_THROW(C.Named(0)->SetIndex(3), EListError);
}

TEST_F(CollectionNotifications, AssignClearsThenCopiesItemByItemInOneUpdate) {
    TRecordingCollection Target;
    Log TL;
    static_cast<TNamedItem*>(Target.Add())->SetName("old");
    Target.Log = &TL;
    Target.Assign(&C);
    EXPECT_EQ((Log{"extracting:old", "added:", "added:", "added:", "update:all"}), TL);
    ASSERT_EQ(3, Target.GetCount());
    EXPECT_EQ("c", Target.Named(2)->GetName());
    EXPECT_NE(C.GetItem(0), Target.GetItem(0));
}

TEST_F(CollectionNotifications, AssignFromSomethingElseFails) {
    TPersistent P;
    try {
        C.Assign(&P);
        FAIL();
    } catch (const EConvertError& E) {
        EXPECT_EQ("Cannot assign a TPersistent to a TRecordingCollection", E.Message());
    }
    EXPECT_EQ(3, C.GetCount());
}

TEST(Collection, IndexOutOfBoundsAndIds) {
    TRecordingCollection C;
    EXPECT_THROW(C.GetItem(0), EListError);
    try {
        C.Delete(-1);
    } catch (const EListError& E) {
        EXPECT_EQ("List index out of bounds (-1)", E.Message());
    }
    TCollectionItem* A = C.Add();
    TCollectionItem* B = C.Add();
    A->Free();
    TCollectionItem* D = C.Add();
    EXPECT_EQ(1, B->GetID());
    EXPECT_EQ(2, D->GetID());  // IDs are never reused
    EXPECT_EQ(D, C.FindItemID(2));
    EXPECT_EQ(nullptr, C.FindItemID(0));
}

TEST(Collection, FreeingTheCollectionExtractsItemsWithoutUpdates) {
    Log L;
    auto* C = new TRecordingCollection;
    static_cast<TNamedItem*>(C->Add())->SetName("a");
    static_cast<TNamedItem*>(C->Add())->SetName("b");
    C->Log = &L;
    C->Free();
    EXPECT_EQ((Log{"extracting:b", "extracting:a"}), L);
}

TEST(Collection, ItemsAreWholeWhenAnnouncedAndRefusedItemsAreNotKept) {
    // Notify reads the derived item's name: the item must be complete by then.
    TRecordingCollection C;
    Log L;
    C.Log = &L;
    auto* Direct = Create<TNamedItem>(&C);
    EXPECT_EQ(&C, Direct->GetCollection());
    EXPECT_EQ((Log{"added:", "update:all"}), L);
}

TEST(Collection, NamePathsFollowTheOwningProperty) {
    TComponent Form(nullptr);
    Form.SetName("Form1");
    auto* Holder = new TCollectionHolder(&Form);
    Holder->SetName("Holder");
    TCollectionItem* Item = Holder->GetItems()->Add();
    Holder->GetItems()->Add();
    EXPECT_EQ("Holder.Items", Holder->GetItems()->GetNamePath());
    EXPECT_EQ("Holder.Items[0]", Item->GetNamePath());
    EXPECT_EQ("TNamedItem", Item->GetDisplayName());
    EXPECT_EQ(Holder->GetItems(), Item->GetOwner());
    EXPECT_EQ(Holder, Holder->GetItems()->GetOwner());
}

TEST(Collection, KeptIndexesMatchPositionsAfterRandomChanges) {
    TRecordingCollection C;
    TRecordingCollection Other;
    std::mt19937 Rng(7);
    for (int Step = 0; Step < 2000; ++Step) {
        int Count = C.GetCount();
        switch (Rng() % 5) {
            case 0: C.Add(); break;
            case 1: if (Count) C.Delete(Rng() % Count); break;
            case 2: if (Count) C.GetItem(Rng() % Count)->SetIndex(Rng() % Count); break;
            case 3: C.Insert(Rng() % (Count + 1)); break;
            case 4: if (Count) C.GetItem(Rng() % Count)->SetCollection(&Other); break;
        }
        for (int I = 0; I < C.GetCount(); ++I) ASSERT_EQ(I, C.GetItem(I)->GetIndex());
    }
    for (int I = 0; I < Other.GetCount(); ++I) ASSERT_EQ(I, Other.GetItem(I)->GetIndex());
}

}  // namespace
}  // namespace zk::test
