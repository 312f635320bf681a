// Components: ownership, free notification from either side, renaming rules,
// interface queries and destruction order.
#include <gtest/gtest.h>

#include "TestUtil.h"

#include "TestClasses.h"
#include "platform/core/SysUtils.h"

namespace zk::test {
namespace {

TEST(Ownership, OwnersListAndFreeWhatTheyOwn) {
    std::vector<std::string> Log;
    auto* Owner = new TWatcher(nullptr);
    Owner->SetName("Owner");
    auto* A = new TWatcher(Owner);
    A->SetName("A");
    A->SharedLog = &Log;
    auto* B = new TWatcher(Owner);
    B->SetName("B");
    B->SharedLog = &Log;
    EXPECT_EQ(2, Owner->GetComponentCount());
    EXPECT_EQ(B, Owner->GetComponents(1));
    EXPECT_EQ(1, B->GetComponentIndex());
    EXPECT_EQ(A, Owner->FindComponent("a"));
    EXPECT_EQ(nullptr, Owner->FindComponent(""));
    EXPECT_EQ(Owner, A->GetOwner());
    Owner->Free();
    // Owned components are freed last first, each while still whole.
    EXPECT_EQ((std::vector<std::string>{"before:B", "dtor:B", "before:A", "dtor:A"}), Log);
}

TEST(Ownership, FreeingAnOwnedComponentLeavesTheOwnerAndTellsItsSiblings) {
    TWatcher Owner(nullptr);
    auto* A = new TWatcher(&Owner);
    A->SetName("A");
    auto* B = new TWatcher(&Owner);
    B->SetName("B");
    B->Free();
    EXPECT_EQ(1, Owner.GetComponentCount());
    // Components are announced before their names are set, as streaming does it.
    EXPECT_EQ((std::vector<std::string>{"insert:", "insert:", "remove:B"}), Owner.Log);
    EXPECT_EQ((std::vector<std::string>{"insert:", "remove:B"}), A->Log);
    EXPECT_THROW(Owner.GetComponents(1), EListError);
}

TEST(Ownership, InsertAndRemoveMoveBetweenOwners) {
    TComponent First(nullptr), Second(nullptr);
    auto* C = new TComponent(&First);
    C->SetName("Shared");
    Second.InsertComponent(C);
    EXPECT_EQ(0, First.GetComponentCount());
    EXPECT_EQ(&Second, C->GetOwner());
    Second.RemoveComponent(C);
    EXPECT_EQ(nullptr, C->GetOwner());
    C->Free();
}

TEST(FreeNotification, ClearsTheReferenceWhicheverSideGoesFirst) {
    auto* Watched = new TWatcher(nullptr);
    Watched->SetName("Watched");
    auto* Watcher = new TWatcher(nullptr);
    Watcher->SetWatched(Watched);
    Watched->Free();
    EXPECT_EQ(nullptr, Watcher->GetWatched());
    EXPECT_EQ(std::vector<std::string>{"remove:Watched"}, Watcher->Log);

    auto* Again = new TWatcher(nullptr);
    Again->SetName("Again");
    Watcher->SetWatched(Again);
    Watcher->Free();  // the watcher goes first; the watched one must not call back into it
    Again->SetName("Renamed");
    Again->Free();
}

TEST(FreeNotification, RemovedLinksAreNotCalled) {
    TWatcher Watched(nullptr);
    auto* Watcher = new TWatcher(nullptr);
    Watcher->SetWatched(&Watched);
    Watcher->SetWatched(nullptr);
    Watcher->Free();
    // Watched's destructor runs at scope end and must not reach the freed watcher.
}

TEST(FreeNotification, ComponentsOfOneOwnerSeeEachOther) {
    TComponent Form(nullptr);
    auto* Watcher = new TWatcher(&Form);
    auto* Button = new TComponent(&Form);
    Button->SetName("Button1");
    Watcher->SetWatched(Button);
    Button->Free();
    EXPECT_EQ(nullptr, Watcher->GetWatched());
    // Told once through the owner and once through the link would be twice:
    // the link is dropped by the first notice, so each path counts once.
    EXPECT_LE(std::count(Watcher->Log.begin(), Watcher->Log.end(), "remove:Button1"), 2);
}

TEST(Names, MustBeIdentifiersUniqueWithinTheOwner) {
    TComponent Owner(nullptr);
    auto* A = new TComponent(&Owner);
    auto* B = new TComponent(&Owner);
    A->SetName("Alpha");
    EXPECT_EQ("'1abc' is not a valid component name", MessageOf<EComponentError>([&] { B->SetName("1abc"); }));
    EXPECT_EQ("'a b' is not a valid component name", MessageOf<EComponentError>([&] { B->SetName("a b"); }));
    EXPECT_EQ("A component named ALPHA already exists", MessageOf<EComponentError>([&] { B->SetName("ALPHA"); }));
    EXPECT_EQ("", B->GetName());
    A->SetName("ALPHA");  // a change of case of its own name is allowed
    EXPECT_EQ("ALPHA", A->GetName());
    B->SetName("Beta");
    B->SetName("");
    EXPECT_EQ("", B->GetName());
    auto* C = new TComponent(&Owner);
    C->SetName("");  // several unnamed components may coexist
    TComponent Orphan(nullptr);
    Orphan.SetName("Alpha");  // no owner, no uniqueness rule
    EXPECT_EQ("A component named Alpha already exists",
              MessageOf<EComponentError>([&] { Owner.InsertComponent(&Orphan); }));
    EXPECT_EQ(nullptr, Orphan.GetOwner());
}

TEST(Names, NamePathAndPublishedProperties) {
    TComponent C(nullptr);
    C.SetName("Button1");
    C.SetTag(3);
    EXPECT_EQ("Button1", C.GetNamePath());
    EXPECT_EQ("Button1", GetStrProp(&C, "Name"));
    EXPECT_FALSE(IsStoredProp(&C, "Name"));
    EXPECT_EQ(3, GetOrdProp(&C, "Tag"));
    EXPECT_EQ("TComponentName", GetPropInfo(&C, "Name")->PropType->Name);
}

TEST(State, FlagsOfLoadingDestroyingAndSubComponents) {
    TComponent C(nullptr);
    auto* Child = new TComponent(&C);
    EXPECT_TRUE(C.GetComponentState().Empty());
    C.Loading();
    EXPECT_TRUE(C.IsLoading());
    C.Loaded();
    EXPECT_FALSE(C.IsLoading());
    C.SetDesigning(true);
    EXPECT_TRUE(Child->GetComponentState().Contains(csDesigning));
    C.SetSubComponent(true);
    EXPECT_TRUE(C.GetComponentStyle().Contains(csSubComponent));
    C.Destroying();
    EXPECT_TRUE(Child->IsDestroying());
}

TEST(Interfaces, AComponentIsItsOwnReference) {
    TComponent C(nullptr);
    void* Ref = nullptr;
    ASSERT_TRUE(C.QueryInterface(IInterfaceComponentReference::IID, &Ref));
    EXPECT_EQ(&C, static_cast<IInterfaceComponentReference*>(Ref)->GetComponent());
}

TEST(Interfaces, StackComponentsWithOwnersCleanUpOnScopeExit) {
    std::vector<std::string> Log;
    {
        TWatcher Owner(nullptr);
        auto* Child = new TWatcher(&Owner);
        Child->SetName("Child");
        Child->SharedLog = &Log;
    }
    EXPECT_EQ((std::vector<std::string>{"before:Child", "dtor:Child"}), Log);
}

}  // namespace
}  // namespace zk::test
