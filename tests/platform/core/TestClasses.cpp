// Class information of the shared test classes.
#include "TestClasses.h"

#include "platform/core/ClassBuilder.h"

namespace zk::test {

const TTypeInfo* TypeInfoTTestColor() {
    static const TTypeInfo* T = MakeAliasType("TTestColor", TypeInfoInteger());
    return T;
}

ZK_IMPLEMENT_CLASS(TKindsObject)
void TKindsObject::DescribeClass(TClassBuilder<TKindsObject>& C) {
    using T = TKindsObject;
    C.Prop("IntProp", [](T& O) { return O.FInt; }, [](T& O, int V) { O.FInt = V; }).Default(5).Stored(&T::IsIntStored);
    C.Prop("CharProp", [](T& O) { return O.FChar; }, [](T& O, char V) { O.FChar = V; });
    C.Prop("WCharProp", [](T& O) { return O.FWChar; }, [](T& O, char16_t V) { O.FWChar = V; });
    C.Prop("EnumProp", [](T& O) { return O.FEnum; }, [](T& O, TTestEnum V) { O.FEnum = V; }).Default(teOne);
    C.Prop("BoolProp", [](T& O) { return O.FBool; }, [](T& O, bool V) { O.FBool = V; }).Default(true);
    C.Prop("WordBoolProp", [](T& O) { return O.FWordBool; }, [](T& O, int V) { O.FWordBool = V; })
        .Type(TypeInfoWordBool());
    C.Prop("FloatProp", [](T& O) { return O.FFloat; }, [](T& O, double V) { O.FFloat = V; });
    C.Prop("DateProp", [](T& O) { return O.FDate; }, [](T& O, double V) { O.FDate = V; })
        .Type(TypeInfoTDateTime());
    C.Prop("StrProp", [](T& O) { return O.FStr; }, [](T& O, std::string V) { O.FStr = V; });
    C.Prop("WStrProp", [](T& O) { return O.FWStr; }, [](T& O, std::u16string V) { O.FWStr = V; });
    C.Prop("SetProp", [](T& O) { return O.FSet; }, [](T& O, TTestSet V) { O.FSet = V; })
        .Default(TTestSet{teZero, teTwo});
    C.Prop("ObjProp", [](T& O) { return O.FObj; }, [](T& O, TPersistent* V) { O.FObj = V; });
    C.Prop("CompProp", [](T& O) { return O.FComp; }, [](T& O, TComponent* V) { O.FComp = V; });
    C.Prop("OnEvent", [](T& O) { return O.FOnEvent; }, [](T& O, TNotifyEvent V) { O.FOnEvent = V; });
    C.Prop("VarProp", [](T& O) { return O.FVar; }, [](T& O, TVariant V) { O.FVar = V; });
    C.Prop("Int64Prop", [](T& O) { return O.FInt64; }, [](T& O, int64_t V) { O.FInt64 = V; });
    C.Prop("IntfProp", [](T& O) { return O.FIntf; }, [](T& O, IInterface* V) { O.FIntf = V; });
    C.Prop("ColorProp", [](T& O) { return O.FColor; }, [](T& O, int V) { O.FColor = V; })
        .Type(TypeInfoTTestColor());
    C.Prop("ReadOnlyProp", [](T& O) { return O.FInt * 2; });
    C.Method("Handler", &T::Handler);
    C.Method("Other", &T::Other);
}

ZK_IMPLEMENT_CLASS(TKindsChild)
void TKindsChild::DescribeClass(TClassBuilder<TKindsChild>& C) {
    C.Redeclare("IntProp").Default(7);
    C.Prop("AExtra", [](TKindsChild& O) { return O.FExtra; }, [](TKindsChild& O, int V) { O.FExtra = V; });
}

ZK_IMPLEMENT_CLASS(TMessageBase)
void TMessageBase::DescribeClass(TClassBuilder<TMessageBase>& C) {
    C.Message(100, &TMessageBase::On100);
    C.Message(200, &TMessageBase::On200);
}

ZK_IMPLEMENT_CLASS(TMessageChild)
void TMessageChild::DescribeClass(TClassBuilder<TMessageChild>& C) { C.Message(200, &TMessageChild::On200Child); }

ZK_IMPLEMENT_CLASS(TWatcher)
void TWatcher::DescribeClass(TClassBuilder<TWatcher>& C) {
    C.Prop("Watched", &TWatcher::GetWatched, &TWatcher::SetWatched);
}

}  // namespace zk::test
