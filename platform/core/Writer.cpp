// TFiler and TWriter: writing components and values in the binary form format.
#include <algorithm>
#include <cstring>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Collection.h"
#include "platform/core/Component.h"
#include "platform/core/Filer.h"
#include "platform/core/IntegerConsts.h"
#include "platform/core/Stream.h"
#include "platform/core/SysUtils.h"

namespace zk {

ZK_IMPLEMENT_CLASS(TFiler)
void TFiler::DescribeClass(TClassBuilder<TFiler>&) {}
ZK_IMPLEMENT_CLASS(TWriter)
void TWriter::DescribeClass(TClassBuilder<TWriter>&) {}

TFiler::TFiler(TStream* Stream) : FStream(Stream) {}

TWriter::TWriter(TStream* Stream) : TFiler(Stream) {}

namespace {

bool IsAscii(const std::string& S) {
    for (unsigned char C : S)
        if (C >= 0x80) return false;
    return true;
}

bool IsDateType(const TTypeInfo* T) {
    return T && (T->Name == "TDateTime" || T->Name == "TDate" || T->Name == "TTime");
}

// How a reference to Component reads from LookupRoot: its name, or
// "Root.Name" for a component of another root.
std::string ReferenceName(TComponent* Component, TComponent* LookupRoot) {
    if (Component == LookupRoot) return Component->GetName();
    TComponent* Owner = Component->GetOwner();
    if (!Owner || Owner == LookupRoot || Owner->GetName().empty()) return Component->GetName();
    return Owner->GetName() + "." + Component->GetName();
}

}  // namespace

void TWriter::WriteBuffer(const void* Data, int64_t Count) { FStream->WriteBuffer(Data, Count); }

void TWriter::WriteValue(TValueType Value) {
    uint8_t B = Value;
    WriteBuffer(&B, 1);
}

void TWriter::WriteSignature() { WriteBuffer(FilerSignature, 4); }

void TWriter::WriteRootComponent(TComponent* Root) {
    FRoot = FLookupRoot = Root;
    WriteSignature();
    WriteComponent(Root);
}

void TWriter::WriteComponent(TComponent* Component) {
    Component->SetComponentStateItem(csWriting, true);
    try {
        Component->WriteState(this);
    } catch (...) {
        Component->SetComponentStateItem(csWriting, false);
        throw;
    }
    Component->SetComponentStateItem(csWriting, false);
}

void TWriter::WriteData(TComponent* Instance) {
    if (Instance->GetComponentState().Contains(csInline)) {
        uint8_t Prefix = 0xF0 | ffInline;
        WriteBuffer(&Prefix, 1);
    }
    WriteStr(Instance->ClassName());
    WriteStr(Instance->GetName());
    std::string SavedPath = FPropPath;
    FPropPath.clear();
    WriteProperties(Instance);
    WriteListEnd();
    WriteChildren(Instance);
    FPropPath = SavedPath;
}

void TWriter::WriteChildren(TComponent* Component) {
    TComponent* SavedRoot = FRoot;
    if (!FRoot) FRoot = Component;
    Component->GetChildren([this](TComponent* Child) { WriteComponent(Child); }, FRoot);
    FRoot = SavedRoot;
    WriteListEnd();
}

void TWriter::WriteProperties(TPersistent* Instance) {
    // A property that cannot be read back is not written; objects are written
    // through their own properties, so a read-only object property is.
    for (const TPropInfo* P : GetPropInfos(Instance->ClassType()))
        if ((P->HasWrite() || P->Kind() == tkClass) && IsStoredProp(Instance, P))
            WriteProperty(Instance, P);
    Instance->DefineProperties(this);
}

void TWriter::WriteProperty(TPersistent* Instance, const TPropInfo* Prop) {
    switch (Prop->Kind()) {
        case tkInteger:
        case tkChar:
        case tkEnumeration:
        case tkSet:
        case tkWChar:
            WriteOrdProp(Instance, Prop);
            break;
        case tkFloat: {
            double V = GetFloatProp(Instance, Prop);
            if (V == 0.0) break;
            WritePropName(Prop->Name);
            if (IsDateType(Prop->PropType)) WriteDate(V);
            else WriteFloat(V);
            break;
        }
        case tkString:
        case tkLString:
            if (std::string V = GetStrProp(Instance, Prop); !V.empty()) {
                WritePropName(Prop->Name);
                WriteString(V);
            }
            break;
        case tkWString:
            if (std::u16string V = GetWideStrProp(Instance, Prop); !V.empty()) {
                WritePropName(Prop->Name);
                WriteWideString(V);
            }
            break;
        case tkInt64:
            if (int64_t V = GetInt64Prop(Instance, Prop); V != 0) {
                WritePropName(Prop->Name);
                WriteInteger(V);
            }
            break;
        case tkVariant:
            if (TVariant V = GetVariantProp(Instance, Prop); !V.IsEmpty()) {
                WritePropName(Prop->Name);
                WriteVariant(V);
            }
            break;
        case tkClass:
        case tkInterface:
            WriteObjectProp(Instance, Prop);
            break;
        case tkMethod:
            WriteMethodProp(Instance, Prop);
            break;
        default:
            break;
    }
}

void TWriter::WriteOrdProp(TPersistent* Instance, const TPropInfo* Prop) {
    int64_t V = GetOrdProp(Instance, Prop);
    if (Prop->Default != NoDefault && V == Prop->Default) return;
    WritePropName(Prop->Name);
    switch (Prop->Kind()) {
        case tkInteger: {
            std::string Ident;
            TIntToIdent ToIdent = FindIntToIdent(Prop->PropType);
            if (ToIdent && ToIdent(static_cast<int>(V), Ident)) WriteIdent(Ident);
            else WriteInteger(V);
            break;
        }
        case tkChar:
            WriteString(std::string(1, static_cast<char>(V)));
            break;
        case tkWChar:
            WriteWideString(std::u16string(1, static_cast<char16_t>(V)));
            break;
        case tkEnumeration:
            WriteIdent(GetEnumName(Prop->PropType, V));
            break;
        case tkSet: {
            WriteValue(vaSet);
            const TTypeInfo* Comp = Prop->PropType->CompType;
            for (int I = 0; I < 32; ++I)
                if (static_cast<uint32_t>(V) & (uint32_t(1) << I)) WriteStr(GetEnumName(Comp, I));
            WriteStr(std::string());
            break;
        }
        default:
            break;
    }
}

void TWriter::WriteObjectProp(TPersistent* Instance, const TPropInfo* Prop) {
    TObject* Obj = nullptr;
    if (Prop->Kind() == tkInterface) {
        void* Ref = nullptr;
        if (Supports(GetInterfaceProp(Instance, Prop), IInterfaceComponentReference::IID, &Ref))
            Obj = static_cast<IInterfaceComponentReference*>(Ref)->GetComponent();
    } else {
        Obj = GetObjectProp(Instance, Prop);
    }
    if (!Obj) return;
    auto* Comp = DynamicCast<TComponent>(Obj);
    if (Comp && !Comp->GetComponentStyle().Contains(csSubComponent)) {
        if (Comp->GetName().empty()) return;  // an unnamed component cannot be referenced
        WritePropName(Prop->Name);
        WriteIdent(ReferenceName(Comp, FLookupRoot));
        return;
    }
    auto* Sub = DynamicCast<TPersistent>(Obj);
    if (!Sub) return;
    // A collection's own published properties go as dotted names before its items.
    std::string SavedPath = FPropPath;
    FPropPath += Prop->Name + ".";
    WriteProperties(Sub);
    FPropPath = SavedPath;
    if (auto* Collection = DynamicCast<TCollection>(Sub)) {
        WritePropName(Prop->Name);
        WriteCollection(Collection);
    }
}

void TWriter::WriteMethodProp(TPersistent* Instance, const TPropInfo* Prop) {
    TMethod M = GetMethodProp(Instance, Prop);
    // Only handlers that are published methods of the root can be named.
    if (!M.Assigned() || !FLookupRoot || M.Data != FLookupRoot) return;
    std::string Name = FLookupRoot->MethodName(M.Code);
    if (Name.empty()) return;
    WritePropName(Prop->Name);
    WriteIdent(Name);
}

void TWriter::WriteCollection(TCollection* Collection) {
    WriteValue(vaCollection);
    std::string SavedPath = FPropPath;
    FPropPath.clear();
    if (Collection)
        for (int I = 0; I < Collection->GetCount(); ++I) {
            WriteListBegin();
            WriteProperties(Collection->GetItem(I));
            WriteListEnd();
        }
    FPropPath = SavedPath;
    WriteListEnd();
}

void TWriter::DefineProperty(const std::string& Name, const TReaderProc&, const TWriterProc& WriteData,
                             bool HasData) {
    if (!HasData || !WriteData) return;
    WritePropName(Name);
    WriteData(this);
}

void TWriter::DefineBinaryProperty(const std::string& Name, const TStreamProc&, const TStreamProc& WriteData,
                                   bool HasData) {
    if (!HasData || !WriteData) return;
    WritePropName(Name);
    WriteBinary(WriteData);
}

void TWriter::WriteListBegin() { WriteValue(vaList); }

void TWriter::WriteListEnd() { WriteValue(vaNull); }

void TWriter::WritePropName(const std::string& PropName) { WriteStr(FPropPath + PropName); }

void TWriter::WriteStr(const std::string& Value) {
    if (Value.size() > 255) throw EWriteError("String too long for a short string: %s", {Value.substr(0, 32)});
    uint8_t Len = static_cast<uint8_t>(Value.size());
    WriteBuffer(&Len, 1);
    WriteBuffer(Value.data(), Len);
}

void TWriter::WriteString(const std::string& Value) {
    if (IsAscii(Value) && Value.size() <= 255) {
        WriteValue(vaString);
        WriteStr(Value);
        return;
    }
    WriteValue(IsAscii(Value) ? vaLString : vaUTF8String);
    int32_t Len = static_cast<int32_t>(Value.size());
    WriteBuffer(&Len, 4);
    WriteBuffer(Value.data(), Len);
}

void TWriter::WriteWideString(const std::u16string& Value) {
    // Pure ASCII travels as an ordinary string, which is what the text form
    // gives back for it.
    if (std::all_of(Value.begin(), Value.end(), [](char16_t C) { return C < 0x80; })) {
        WriteString(Utf16ToUtf8(Value));
        return;
    }
    WriteValue(vaWString);
    int32_t Len = static_cast<int32_t>(Value.size());
    WriteBuffer(&Len, 4);
    for (char16_t C : Value) {
        uint8_t Bytes[2] = {static_cast<uint8_t>(C & 0xFF), static_cast<uint8_t>(C >> 8)};
        WriteBuffer(Bytes, 2);
    }
}

void TWriter::WriteInteger(int64_t Value) {
    if (Value >= INT8_MIN && Value <= INT8_MAX) {
        WriteValue(vaInt8);
        int8_t V = static_cast<int8_t>(Value);
        WriteBuffer(&V, 1);
    } else if (Value >= INT16_MIN && Value <= INT16_MAX) {
        WriteValue(vaInt16);
        int16_t V = static_cast<int16_t>(Value);
        WriteBuffer(&V, 2);
    } else if (Value >= INT32_MIN && Value <= INT32_MAX) {
        WriteValue(vaInt32);
        int32_t V = static_cast<int32_t>(Value);
        WriteBuffer(&V, 4);
    } else {
        WriteValue(vaInt64);
        WriteBuffer(&Value, 8);
    }
}

void TWriter::WriteBoolean(bool Value) { WriteValue(Value ? vaTrue : vaFalse); }

void TWriter::WriteIdent(const std::string& Ident) {
    if (SameText(Ident, "False")) WriteValue(vaFalse);
    else if (SameText(Ident, "True")) WriteValue(vaTrue);
    else if (SameText(Ident, "nil")) WriteValue(vaNil);
    else {
        WriteValue(vaIdent);
        WriteStr(Ident);
    }
}

void TWriter::WriteFloat(double Value) {
    WriteValue(vaDouble);
    WriteBuffer(&Value, 8);
}

void TWriter::WriteDate(double Value) {
    WriteValue(vaDate);
    WriteBuffer(&Value, 8);
}

void TWriter::WriteVariant(const TVariant& Value) {
    switch (Value.VarType()) {
        case varEmpty: WriteValue(vaNil); break;
        case varNull: WriteValue(vaNull); break;
        case varBoolean: WriteBoolean(Value.AsBoolean()); break;
        case varInteger:
        case varInt64: WriteInteger(Value.AsInt64()); break;
        case varDouble: WriteFloat(Value.AsDouble()); break;
        case varDate: WriteDate(Value.AsDouble()); break;
        case varOleStr: WriteWideString(Value.AsWideString()); break;
        default: WriteString(Value.AsString()); break;
    }
}

void TWriter::WriteBinary(const TStreamProc& WriteData) {
    TMemoryStream Data;
    WriteData(&Data);
    WriteValue(vaBinary);
    int32_t Len = static_cast<int32_t>(Data.GetSize());
    WriteBuffer(&Len, 4);
    WriteBuffer(Data.GetMemory(), Len);
}

}  // namespace zk
