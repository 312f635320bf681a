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

// An object whose properties are known only at run time (an adapter over
// another object model) answers a class built for it.
class TRunTimeObject : public TKindsObject {
public:
    explicit TRunTimeObject(const TClassInfo* Class) : FClass(Class) {}
    const TClassInfo* ClassType() const override { return FClass; }
    int FValue = 4;

private:
    const TClassInfo* FClass;
};

class TRunTimeValue final : public TPropAccessor {
public:
    int64_t GetOrd(const TObject* I) const override {
        return static_cast<const TRunTimeObject*>(I)->FValue;
    }
    void SetOrd(TObject* I, int64_t V) const override {
        static_cast<TRunTimeObject*>(I)->FValue = static_cast<int>(V);
    }
    bool HasWrite() const override { return true; }
};

TEST(ClassInfo, ARunTimeClassPublishesExactlyItsOwnPropertiesAndDescendsFromItsParent) {
    std::vector<TPropInfo> Props(3);
    Props[0].Name = "width";
    Props[1].Name = "Height";
    Props[2].Name = "WIDTH";  // a second of the same name is dropped
    for (TPropInfo& P : Props) {
        P.PropType = TypeInfoInteger();
        P.Access = std::make_shared<TRunTimeValue>();
    }
    TClassInfo Class("QThing", TKindsObject::StaticClass(), Props);
    TRunTimeObject Obj(&Class);
    EXPECT_EQ("QThing", Obj.ClassName());
    EXPECT_EQ(static_cast<TKindsObject*>(&Obj),
              DynamicCast<TKindsObject>(static_cast<TObject*>(&Obj)));
    EXPECT_TRUE(Class.IsAbstract());
    // Nothing of the parent's published properties, in the given order.
    std::vector<std::string> Names;
    for (const TPropInfo* P : GetPropList(&Class, tkAny, false)) Names.push_back(P->Name);
    EXPECT_EQ(Names, (std::vector<std::string>{"width", "Height"}));
    EXPECT_EQ(Class.FindProperty("WIDTH")->Declarer, &Class);
    SetPropValue(&Obj, "Width", TVariant(9));
    EXPECT_EQ(9, Obj.FValue);
    EXPECT_THROW(GetPropValue(&Obj, "Count"), EPropertyError);
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
