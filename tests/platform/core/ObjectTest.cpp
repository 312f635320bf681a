// The object model: class information, the class registry, virtual
// constructors, message dispatch and the order of destruction.
#include <gtest/gtest.h>

#include "TestClasses.h"
#include "platform/core/Collection.h"
#include "platform/core/SysUtils.h"

namespace zk::test {
namespace {

TEST(ClassInfo, NamesParentsAndInheritance) {
    TKindsChild Child;
    TObject* Obj = &Child;
    EXPECT_EQ("TKindsChild", Obj->ClassName());
    EXPECT_EQ(TKindsObject::StaticClass(), Obj->ClassParent());
    EXPECT_EQ(TPersistent::StaticClass(), Obj->ClassParent()->ClassParent());
    EXPECT_EQ(nullptr, TObject::StaticClass()->ClassParent());
    EXPECT_TRUE(Obj->InheritsFrom(TPersistent::StaticClass()));
    EXPECT_TRUE(Obj->InheritsFrom(TKindsChild::StaticClass()));
    EXPECT_FALSE(Obj->InheritsFrom(TComponent::StaticClass()));
    EXPECT_TRUE(Obj->ClassNameIs("tkindschild"));
    EXPECT_FALSE(Obj->ClassNameIs("TKindsObject"));
    EXPECT_EQ(&Child, DynamicCast<TKindsObject>(Obj));
    EXPECT_EQ(nullptr, DynamicCast<TComponent>(Obj));
    EXPECT_EQ(tkClass, TKindsChild::StaticClass()->TypeInfo()->Kind);
    EXPECT_EQ("TKindsChild", TKindsChild::StaticClass()->TypeInfo()->Name);
}

TEST(ClassRegistry, FindsRegisteredClassesByNameOnly) {
    EXPECT_EQ(nullptr, GetClass("TKindsChild"));
    EXPECT_EQ("Class TKindsChild not found", [] {
        try {
            FindClass("TKindsChild");
        } catch (const EClassNotFound& E) {
            return E.Message();
        }
        return std::string();
    }());
    RegisterClass(TKindsChild::StaticClass());
    EXPECT_EQ(TKindsChild::StaticClass(), FindClass("tkindschild"));
    RegisterClass(TKindsChild::StaticClass());  // twice changes nothing
    UnRegisterClass(TKindsChild::StaticClass());
    EXPECT_EQ(nullptr, GetClass("TKindsChild"));
    // The core's own registration ran in the test main.
    EXPECT_EQ(TComponent::StaticClass(), GetClass("TComponent"));
    EXPECT_EQ(TCollection::StaticClass(), GetClass("TCollection"));
}

TEST(ClassInfo, VirtualConstructorsMatchTheClassKind) {
    const TClassInfo* Plain = TKindsObject::StaticClass();
    ASSERT_NE(nullptr, Plain->CreateDefault);
    TOwned<TObject> Made(Plain->CreateDefault());
    EXPECT_EQ("TKindsObject", Made->ClassName());

    const TClassInfo* Comp = TWatcher::StaticClass();
    EXPECT_EQ(nullptr, Comp->CreateDefault);
    ASSERT_NE(nullptr, Comp->CreateComponent);
    TComponent Owner(nullptr);
    TComponent* W = Comp->CreateComponent(&Owner);
    EXPECT_EQ(&Owner, W->GetOwner());
    EXPECT_EQ("TWatcher", W->ClassName());

    EXPECT_NE(nullptr, TCollectionItem::StaticClass()->CreateItem);
    EXPECT_FALSE(TCollectionItem::StaticClass()->IsAbstract());
}

TEST(Dispatch, FindsTheNearestHandlerThenTheDefault) {
    TMessageChild Obj;
    TMessage M100{100, 0, 0, 0}, M200{200, 0, 0, 0}, M300{300, 0, 0, 0};
    Obj.Dispatch(M100);
    Obj.Dispatch(M200);
    Obj.Dispatch(M300);
    EXPECT_EQ((std::vector<std::string>{"base100", "child200", "default300"}), Obj.Log);
    EXPECT_EQ(1, M100.Result);
    EXPECT_EQ(22, M200.Result);

    TMessageBase Base;
    Base.Dispatch(M200);
    EXPECT_EQ(std::vector<std::string>{"base200"}, Base.Log);
}

TEST(Free, RunsBeforeDestructionWhileTheObjectIsWhole) {
    std::vector<std::string> Log;
    auto* W = new TWatcher(nullptr);
    W->SetName("W");
    W->SharedLog = &Log;
    W->Free();
    EXPECT_EQ((std::vector<std::string>{"before:W", "dtor:W"}), Log);

    Log.clear();
    {
        TOwned<TWatcher> Owned(new TWatcher(nullptr));
        Owned->SetName("O");
        Owned->SharedLog = &Log;
    }
    EXPECT_EQ((std::vector<std::string>{"before:O", "dtor:O"}), Log);
    FreeObject(nullptr);  // null-safe
}

}  // namespace
}  // namespace zk::test
