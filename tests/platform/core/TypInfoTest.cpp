// Run-time type information: property lists, descriptors, typed and generic
// access with every conversion and error message.
#include <gtest/gtest.h>

#include <thread>

#include "TestUtil.h"

#include "TestClasses.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TypInfo.h"

namespace zk::test {
namespace {

std::vector<std::string> Names(const std::vector<const TPropInfo*>& List) {
    std::vector<std::string> Result;
    for (const TPropInfo* P : List) Result.push_back(P->Name);
    return Result;
}

TEST(TypeKinds, SetBitsFollowOrdinals) {
    TTypeKinds Range;
    for (int K = tkInteger; K <= tkClass; ++K) Range.Include(static_cast<TTypeKind>(K));
    EXPECT_EQ(254u, Range.ToInt());
    EXPECT_EQ(17, static_cast<int>(tkDynArray));
    EXPECT_EQ("tkInterface", GetEnumName(ZkTypeInfo(static_cast<TTypeKind*>(nullptr)), tkInterface));
}

TEST(PropertyList, SortedByNameAndFilteredByKind) {
    auto All = GetPropList(TKindsObject::StaticClass());
    auto Sorted = Names(All);
    EXPECT_TRUE(std::is_sorted(Sorted.begin(), Sorted.end(),
                               [](const std::string& A, const std::string& B) { return CompareText(A, B) < 0; }));
    EXPECT_EQ(19u, All.size());
    EXPECT_EQ((std::vector<std::string>{"BoolProp", "EnumProp", "WordBoolProp"}),
              Names(GetPropList(TKindsObject::StaticClass(), TTypeKinds{tkEnumeration})));
    EXPECT_EQ(std::vector<std::string>{"OnEvent"}, Names(GetPropList(TKindsObject::StaticClass(), tkMethods)));
    const TPropInfo* Buffer[32];
    EXPECT_EQ(3, GetPropList(TKindsObject::StaticClass(), TTypeKinds{tkEnumeration}, nullptr));
    EXPECT_EQ(3, GetPropList(TKindsObject::StaticClass(), TTypeKinds{tkEnumeration}, Buffer));
    EXPECT_EQ("BoolProp", Buffer[0]->Name);
    EXPECT_TRUE(GetPropList(nullptr).empty());
    EXPECT_TRUE(GetPropList(TPersistent::StaticClass()).empty());
}

// A refresh inside a scan joins the scan's batch; every outermost batch is new, also on
// another thread, which sees none of this thread's.
TEST(PropertyReadBatch, NestedBatchesShareTheOutermostNumber) {
    EXPECT_EQ(TPropReadBatch::Current(), 0u);
    uint64_t First = 0;
    {
        TPropReadBatch Scan;
        First = TPropReadBatch::Current();
        EXPECT_NE(First, 0u);
        {
            TPropReadBatch Refresh;
            EXPECT_EQ(TPropReadBatch::Current(), First);
        }
        EXPECT_EQ(TPropReadBatch::Current(), First);
    }
    EXPECT_EQ(TPropReadBatch::Current(), 0u);
    uint64_t Elsewhere = 1, Theirs = 0;
    std::thread([&] {
        Elsewhere = TPropReadBatch::Current();
        TPropReadBatch Batch;
        Theirs = TPropReadBatch::Current();
    }).join();
    TPropReadBatch Next;
    EXPECT_EQ(Elsewhere, 0u);
    EXPECT_GT(Theirs, First);
    EXPECT_GT(TPropReadBatch::Current(), Theirs);
}

TEST(PropertyList, RedeclaredPropertyKeepsItsPlaceWithNewDefault) {
    auto Parent = GetPropInfos(TKindsObject::StaticClass());
    auto Child = GetPropInfos(TKindsChild::StaticClass());
    ASSERT_EQ(Parent.size() + 1, Child.size());
    EXPECT_EQ("IntProp", Child[0]->Name);
    EXPECT_EQ(7, Child[0]->Default);
    EXPECT_EQ(5, Parent[0]->Default);
    EXPECT_EQ("AExtra", Child.back()->Name);  // declaration order, not sorted
    EXPECT_EQ(0, Child[0]->NameIndex);
    // The child's redeclared property still reaches the same field.
    TKindsChild Obj;
    SetOrdProp(&Obj, "IntProp", 42);
    EXPECT_EQ(42, Obj.FInt);
}

struct TKindCase {
    const char* Prop;
    TTypeKind Kind;
    const char* TypeName;
};

class PropertyKinds : public ::testing::TestWithParam<TKindCase> {};

TEST_P(PropertyKinds, ReportKindAndFrameworkTypeName) {
    TKindsObject Obj;
    const TPropInfo* P = GetPropInfo(&Obj, GetParam().Prop);
    ASSERT_NE(nullptr, P);
    EXPECT_EQ(GetParam().Kind, P->Kind());
    EXPECT_EQ(GetParam().TypeName, P->PropType->Name);
    EXPECT_EQ(GetParam().Kind, PropType(&Obj, GetParam().Prop));
}

INSTANTIATE_TEST_SUITE_P(
    AllKinds, PropertyKinds,
    ::testing::Values(TKindCase{"IntProp", tkInteger, "Integer"}, TKindCase{"CharProp", tkChar, "Char"},
                      TKindCase{"WCharProp", tkWChar, "WideChar"}, TKindCase{"EnumProp", tkEnumeration, "TTestEnum"},
                      TKindCase{"BoolProp", tkEnumeration, "Boolean"},
                      TKindCase{"WordBoolProp", tkEnumeration, "WordBool"},
                      TKindCase{"FloatProp", tkFloat, "Double"}, TKindCase{"DateProp", tkFloat, "TDateTime"},
                      TKindCase{"StrProp", tkLString, "string"}, TKindCase{"WStrProp", tkWString, "WideString"},
                      TKindCase{"SetProp", tkSet, "TTestSet"}, TKindCase{"ObjProp", tkClass, "TPersistent"},
                      TKindCase{"CompProp", tkClass, "TComponent"}, TKindCase{"OnEvent", tkMethod, "TNotifyEvent"},
                      TKindCase{"VarProp", tkVariant, "Variant"}, TKindCase{"Int64Prop", tkInt64, "Int64"},
                      TKindCase{"IntfProp", tkInterface, "IInterface"},
                      TKindCase{"ColorProp", tkInteger, "TTestColor"}));

TEST(PropertyLookup, IsCaseInsensitiveAndMissingNamesFail) {
    TKindsObject Obj;
    EXPECT_NE(nullptr, GetPropInfo(&Obj, "intprop"));
    EXPECT_TRUE(IsPublishedProp(&Obj, "STRPROP"));
    EXPECT_FALSE(IsPublishedProp(&Obj, "Nope"));
    EXPECT_EQ(nullptr, GetPropInfo(&Obj, "Nope"));
    EXPECT_EQ(nullptr, GetPropInfo(&Obj, "IntProp", TTypeKinds{tkString}));
    EXPECT_EQ("Property Nope does not exist", MessageOf<EPropertyError>([&] { GetPropValue(&Obj, "Nope"); }));
    EXPECT_EQ("Property Nope does not exist", MessageOf<EPropertyError>([&] { SetOrdProp(&Obj, "Nope", 1); }));
    EXPECT_EQ("Property Nope does not exist", MessageOf<EPropertyError>([&] { PropType(&Obj, "Nope"); }));
}

TEST(PropertyDescriptor, WriteAccessDefaultsAndStoredConditions) {
    TKindsObject Obj;
    EXPECT_FALSE(GetPropInfo(&Obj, "ReadOnlyProp")->HasWrite());
    EXPECT_TRUE(GetPropInfo(&Obj, "IntProp")->HasWrite());
    EXPECT_EQ(NoDefault, GetPropInfo(&Obj, "CharProp")->Default);
    EXPECT_EQ(INT_MIN, NoDefault);
    EXPECT_EQ(5, GetPropInfo(&Obj, "IntProp")->Default);
    EXPECT_TRUE(IsStoredProp(&Obj, "IntProp"));
    Obj.FStoreInt = false;
    EXPECT_FALSE(IsStoredProp(&Obj, "IntProp"));
    EXPECT_EQ("Property is read-only", MessageOf<EPropertyError>([&] { SetOrdProp(&Obj, "ReadOnlyProp", 1); }));
    EXPECT_EQ(10, GetOrdProp(&Obj, "ReadOnlyProp"));
}

TEST(DefaultValues, DecideWhatAStreamWouldWrite) {
    TKindsObject Obj;
    auto IsDefault = [&](const char* Name) { return IsDefaultPropertyValue(&Obj, GetPropInfo(&Obj, Name)); };
    EXPECT_TRUE(IsDefault("IntProp"));
    EXPECT_TRUE(IsDefault("SetProp"));
    EXPECT_TRUE(IsDefault("EnumProp"));
    EXPECT_FALSE(IsDefault("CharProp"));  // no default: always written
    EXPECT_FALSE(IsDefault("StrProp"));
    Obj.FStr.clear();
    EXPECT_TRUE(IsDefault("StrProp"));
    Obj.FInt = 6;
    EXPECT_FALSE(IsDefault("IntProp"));
    EXPECT_TRUE(IsDefault("OnEvent"));
}

TEST(Enumerations, NamesAndValues) {
    const TTypeInfo* E = ZkTypeInfo(static_cast<TTestEnum*>(nullptr));
    EXPECT_EQ(0, E->MinValue);
    EXPECT_EQ(3, E->MaxValue);
    EXPECT_EQ("teTwo", GetEnumName(E, 2));
    EXPECT_EQ(2, GetEnumValue(E, "TETWO"));
    EXPECT_EQ(-1, GetEnumValue(E, "teFour"));
    EXPECT_EQ(-1, GetEnumValue(E, ""));
    EXPECT_EQ(1, GetEnumValue(TypeInfoBoolean(), "True"));
    // Boolean-like types with a negative minimum.
    EXPECT_LT(TypeInfoWordBool()->MinValue, 0);
    EXPECT_EQ(0, GetEnumValue(TypeInfoWordBool(), "False"));
    EXPECT_EQ(-1, GetEnumValue(TypeInfoWordBool(), "true"));
    EXPECT_EQ("True", GetEnumName(TypeInfoWordBool(), -1));
    EXPECT_EQ("False", GetEnumName(TypeInfoLongBool(), 0));
}

TEST(Sets, TextWithAndWithoutBrackets) {
    const TTypeInfo* S = ZkTypeInfo(static_cast<TTestSet*>(nullptr));
    EXPECT_EQ(ZkTypeInfo(static_cast<TTestEnum*>(nullptr)), S->CompType);
    EXPECT_EQ("[teZero,teTwo]", SetToString(S, 5));
    EXPECT_EQ("teZero,teTwo", SetToString(S, 5, false));
    EXPECT_EQ("[]", SetToString(S, 0));
    EXPECT_EQ(5u, StringToSet(S, "[teZero,teTwo]"));
    EXPECT_EQ(5u, StringToSet(S, "teZero,teTwo"));
    EXPECT_EQ(5u, StringToSet(S, "[ teZero, teTwo ]"));
    EXPECT_EQ(0u, StringToSet(S, "[]"));
    EXPECT_EQ(0u, StringToSet(S, ""));
    EXPECT_EQ("Invalid property element: teNine",
              MessageOf<EPropertyConvertError>([&] { StringToSet(S, "[teOne,teNine]"); }));
}

TEST(GenericRead, PreferringStringsOrNot) {
    TKindsObject Obj;
    EXPECT_EQ(varBoolean, GetPropValue(&Obj, "BoolProp", false).VarType());
    EXPECT_EQ(varBoolean, GetPropValue(&Obj, "BoolProp", true).VarType());
    EXPECT_EQ(TVariant("teOne"), GetPropValue(&Obj, "EnumProp", true));
    EXPECT_EQ(varInteger, GetPropValue(&Obj, "EnumProp", false).VarType());
    EXPECT_EQ(1, GetPropValue(&Obj, "EnumProp", false).AsInteger());
    EXPECT_EQ("[teZero,teTwo]", GetPropValue(&Obj, "SetProp", true).AsString());
    EXPECT_EQ(5, GetPropValue(&Obj, "SetProp", false).AsInteger());
    EXPECT_EQ(65, GetPropValue(&Obj, "CharProp").AsInteger());
    EXPECT_EQ(66, GetPropValue(&Obj, "WCharProp").AsInteger());
    EXPECT_EQ(1.5, GetPropValue(&Obj, "FloatProp").AsDouble());
    EXPECT_EQ(varDate, GetPropValue(&Obj, "DateProp").VarType());
    EXPECT_EQ("text", GetPropValue(&Obj, "StrProp").AsString());
    EXPECT_EQ(varOleStr, GetPropValue(&Obj, "WStrProp").VarType());
    EXPECT_EQ("wide", GetPropValue(&Obj, "WStrProp").AsString());
    EXPECT_EQ("TNotifyEvent", GetPropValue(&Obj, "OnEvent").AsString());
    EXPECT_EQ(0, GetPropValue(&Obj, "ObjProp").AsInt64());
    EXPECT_TRUE(GetPropValue(&Obj, "VarProp").IsEmpty());
    EXPECT_EQ("Invalid property type: IInterface",
              MessageOf<EPropertyConvertError>([&] { GetPropValue(&Obj, "IntfProp"); }));
}

struct TWriteCase {
    const char* Prop;
    TVariant Value;
    const char* ReadBack;  // GetPropValue text afterwards
};

class GenericWrite : public ::testing::TestWithParam<TWriteCase> {};

TEST_P(GenericWrite, ConvertsPerKind) {
    TKindsObject Obj;
    SetPropValue(&Obj, GetParam().Prop, GetParam().Value);
    EXPECT_EQ(GetParam().ReadBack, GetPropValue(&Obj, GetParam().Prop).AsString());
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, GenericWrite,
    ::testing::Values(TWriteCase{"IntProp", TVariant("42"), "42"}, TWriteCase{"IntProp", TVariant(-7), "-7"},
                      TWriteCase{"IntProp", TVariant(2.5), "2"}, TWriteCase{"IntProp", TVariant(true), "-1"},
                      TWriteCase{"CharProp", TVariant(90), "90"}, TWriteCase{"EnumProp", TVariant("teThree"), "teThree"},
                      TWriteCase{"EnumProp", TVariant("TETWO"), "teTwo"}, TWriteCase{"EnumProp", TVariant(0), "teZero"},
                      TWriteCase{"BoolProp", TVariant("False"), "False"}, TWriteCase{"BoolProp", TVariant(true), "True"},
                      TWriteCase{"BoolProp", TVariant(false), "False"},
                      TWriteCase{"WordBoolProp", TVariant(true), "True"},
                      TWriteCase{"WordBoolProp", TVariant("True"), "True"},
                      TWriteCase{"SetProp", TVariant("[teOne,teThree]"), "[teOne,teThree]"},
                      TWriteCase{"SetProp", TVariant("teOne,teThree"), "[teOne,teThree]"},
                      TWriteCase{"SetProp", TVariant(""), "[]"}, TWriteCase{"SetProp", TVariant(3), "[teZero,teOne]"},
                      TWriteCase{"FloatProp", TVariant("2.25"), "2.25"}, TWriteCase{"FloatProp", TVariant(3), "3"},
                      TWriteCase{"StrProp", TVariant(12), "12"}, TWriteCase{"StrProp", TVariant("abc"), "abc"},
                      TWriteCase{"StrProp", TVariant::Null(), ""}, TWriteCase{"WStrProp", TVariant("\xC3\xA9"), "\xC3\xA9"},
                      TWriteCase{"VarProp", TVariant("v"), "v"}, TWriteCase{"Int64Prop", TVariant("9000000000"), "9000000000"},
                      TWriteCase{"ColorProp", TVariant("255"), "255"}));

TEST(GenericWrite, ReportsBadValuesWithTheFrameworksMessages) {
    TKindsObject Obj;
    EXPECT_EQ("Could not convert variant of type (String) into type (Integer)",
              MessageOf<EVariantError>([&] { SetPropValue(&Obj, "IntProp", TVariant("abc")); }));
    EXPECT_EQ(5, Obj.FInt);
    EXPECT_EQ("Invalid property element: teNine",
              MessageOf<EPropertyConvertError>([&] { SetPropValue(&Obj, "EnumProp", TVariant("teNine")); }));
    EXPECT_EQ(teOne, Obj.FEnum);
    EXPECT_EQ("Invalid property element: x",
              MessageOf<EPropertyConvertError>([&] { SetPropValue(&Obj, "SetProp", TVariant("[teOne,x]")); }));
    EXPECT_EQ((TTestSet{teZero, teTwo}), Obj.FSet);
    EXPECT_EQ("Could not convert variant of type (String) into type (Double)",
              MessageOf<EVariantError>([&] { SetPropValue(&Obj, "FloatProp", TVariant("1.2.3")); }));
    EXPECT_EQ("Invalid property type: TPersistent",
              MessageOf<EPropertyConvertError>([&] { SetPropValue(&Obj, "ObjProp", TVariant(0)); }));
    EXPECT_EQ("Invalid property type: TNotifyEvent",
              MessageOf<EPropertyConvertError>([&] { SetPropValue(&Obj, "OnEvent", TVariant("x")); }));
    EXPECT_EQ("Invalid property type: IInterface",
              MessageOf<EPropertyConvertError>([&] { SetPropValue(&Obj, "IntfProp", TVariant(0)); }));
    EXPECT_EQ("Overflow while converting variant of type (String) into type (Integer)",
              MessageOf<EVariantError>([&] { SetPropValue(&Obj, "IntProp", TVariant("9000000000")); }));
}

TEST(TypedAccess, WrongKindIsAnInvalidPropertyType) {
    TKindsObject Obj;
    EXPECT_EQ("Invalid property type: string",
              MessageOf<EPropertyConvertError>([&] { GetOrdProp(&Obj, "StrProp"); }));
    EXPECT_EQ("Invalid property type: Integer",
              MessageOf<EPropertyConvertError>([&] { GetStrProp(&Obj, "IntProp"); }));
    EXPECT_EQ("Invalid property type: Integer",
              MessageOf<EPropertyConvertError>([&] { SetEnumProp(&Obj, "IntProp", "x"); }));
    SetEnumProp(&Obj, "WordBoolProp", "True");
    EXPECT_EQ(-1, Obj.FWordBool);
    EXPECT_EQ("True", GetEnumProp(&Obj, "WordBoolProp"));
}

TEST(ObjectProperties, ReadWriteAndDeclaredClass) {
    TKindsObject Obj;
    TComponent Comp(nullptr);
    TPersistent Plain;
    SetObjectProp(&Obj, "CompProp", &Comp);
    EXPECT_EQ(&Comp, Obj.FComp);
    EXPECT_EQ(&Comp, GetObjectProp(&Obj, "CompProp"));
    EXPECT_EQ(nullptr, GetObjectProp(&Obj, "CompProp", TKindsObject::StaticClass()));
    EXPECT_EQ(TComponent::StaticClass(), GetObjectPropClass(&Obj, "CompProp"));
    EXPECT_EQ(reinterpret_cast<intptr_t>(static_cast<TObject*>(&Comp)), GetPropValue(&Obj, "CompProp").AsInt64());
    EXPECT_EQ("Cannot assign a TPersistent to a TComponent",
              MessageOf<EInvalidCast>([&] { SetObjectProp(&Obj, "CompProp", &Plain); }));
    EXPECT_EQ(&Comp, Obj.FComp);
    SetObjectProp(&Obj, "ObjProp", &Comp);  // a component is a TPersistent
    EXPECT_EQ(&Comp, Obj.FObj);
    SetObjectProp(&Obj, "CompProp", nullptr);
    EXPECT_EQ(nullptr, Obj.FComp);
}

TEST(MethodProperties, BindPublishedMethodsByNameAndFindTheirNames) {
    TKindsObject Obj, Target;
    const TMethodInfo* M = Target.MethodAddress("handler");
    ASSERT_NE(nullptr, M);
    SetMethodProp(&Obj, "OnEvent", BindMethod(&Target, *M));
    ASSERT_TRUE(Obj.FOnEvent.Assigned());
    Obj.FOnEvent(&Obj);
    ASSERT_EQ(1u, Target.Calls.size());
    EXPECT_EQ(&Obj, Target.Calls[0]);

    TMethod Read = GetMethodProp(&Obj, "OnEvent");
    EXPECT_EQ(&Target, Read.Data);
    EXPECT_EQ("Handler", Target.MethodName(Read.Code));
    // Binding directly gives the same identity as binding by name.
    TNotifyEvent Direct(&Target, &TKindsObject::Handler);
    EXPECT_EQ(Direct, Obj.FOnEvent);
    EXPECT_FALSE(Direct == TNotifyEvent(&Target, &TKindsObject::Other));
    EXPECT_FALSE(Direct == TNotifyEvent(&Obj, &TKindsObject::Handler));
    EXPECT_EQ("", Target.MethodName(TNotifyEvent([](TObject*) {}).Method().Code));
    EXPECT_EQ(nullptr, Target.MethodAddress("Missing"));
    SetMethodProp(&Obj, "OnEvent", TMethod{});
    EXPECT_FALSE(Obj.FOnEvent.Assigned());
}

TEST(Events, LambdasCopyAndCompareByIdentity) {
    int Count = 0;
    TNotifyEvent A([&](TObject*) { ++Count; });
    TNotifyEvent B = A;
    TNotifyEvent C([&](TObject*) { ++Count; });
    EXPECT_EQ(A, B);
    EXPECT_FALSE(A == C);
    B(nullptr);
    A(nullptr);
    EXPECT_EQ(2, Count);
    EXPECT_FALSE(TNotifyEvent().Assigned());
    EXPECT_EQ(TNotifyEvent(), TNotifyEvent(nullptr));
}

TEST(InterfaceProperties, ComponentReferenceIsFoundThroughTheInterface) {
    TKindsObject Obj;
    TComponent Comp(nullptr);
    Comp.SetName("Referenced");
    SetInterfaceProp(&Obj, "IntfProp", static_cast<IInterfaceComponentReference*>(&Comp));
    IInterface* Intf = GetInterfaceProp(&Obj, "IntfProp");
    void* Ref = nullptr;
    ASSERT_TRUE(Supports(Intf, IInterfaceComponentReference::IID, &Ref));
    EXPECT_EQ(&Comp, static_cast<IInterfaceComponentReference*>(Ref)->GetComponent());
    EXPECT_FALSE(Supports(Intf, TGUID::FromString("{00000000-0000-0000-C000-000000000046}"), &Ref));
    EXPECT_FALSE(Supports(nullptr, IInterfaceComponentReference::IID, &Ref));
    EXPECT_EQ("{E28B1858-EC86-4559-8FCD-6B4F824151ED}", IInterfaceComponentReference::IID.ToString());
    EXPECT_EQ(IInterfaceComponentReference::IID, TGUID::FromString("{E28B1858-EC86-4559-8FCD-6B4F824151ED}"));
}

}  // namespace
}  // namespace zk::test
