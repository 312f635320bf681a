// TReader: properties, collections, components, references and roots.
#include <algorithm>
#include <mutex>

#include "platform/core/Collection.h"
#include "platform/core/Component.h"
#include "platform/core/Filer.h"
#include "platform/core/Filer_p.h"
#include "platform/core/IntegerConsts.h"
#include "platform/core/Resources.h"
#include "platform/core/Stream.h"
#include "platform/core/SysUtils.h"

namespace zk {

namespace {

std::string InstanceName(TPersistent* Instance) {
    if (auto* C = DynamicCast<TComponent>(Instance)) return C->GetName().empty() ? C->ClassName() : C->GetName();
    return Instance->GetNamePath();
}

// Errors that already say where they happened, and missing classes, which
// keep their own message, pass through unchanged.
bool IsPlaced(const Exception& E) {
    if (dynamic_cast<const EClassNotFound*>(&E)) return true;
    return dynamic_cast<const EReadError*>(&E) && E.Message().rfind("Error reading ", 0) == 0;
}

}  // namespace

void TReader::PropertyError(TPersistent* Instance, const std::string& Name, const std::string& Why) {
    throw EReadError("Error reading %s.%s: %s", {InstanceName(Instance), Name, Why});
}

// ---- properties ----

void TReader::ReadProperty(TPersistent* Instance) {
    std::string FullName = ReadStr();
    try {
        TPersistent* Target = Instance;
        std::string Name = FullName;
        for (size_t Dot; (Dot = Name.find('.')) != std::string::npos;) {
            const TPropInfo* P = GetPropInfo(Target, Name.substr(0, Dot), TTypeKinds{tkClass});
            auto* Sub = P ? DynamicCast<TPersistent>(GetObjectProp(Target, P)) : nullptr;
            if (!Sub) throw EPropertyError("Property %s does not exist", {Name.substr(0, Dot)});
            Target = Sub;
            Name = Name.substr(Dot + 1);
        }
        if (const TPropInfo* P = GetPropInfo(Target, Name))
            ReadPropValue(Target, P);
        else if (!ReadDefinedProperty(Target, Name))
            throw EPropertyError("Property %s does not exist", {Name});
    } catch (const Exception& E) {
        if (IsPlaced(E)) throw;
        PropertyError(Instance, FullName, E.Message());
    }
}

void TReader::ReadPropValue(TPersistent* Instance, const TPropInfo* Prop) {
    if (!Prop->HasWrite() && Prop->Kind() != tkClass) throw EPropertyError("Property is read-only");
    switch (Prop->Kind()) {
        case tkInteger:
        case tkChar:
        case tkWChar:
        case tkEnumeration:
        case tkSet: ReadOrdValue(Instance, Prop); break;
        case tkFloat: SetFloatProp(Instance, Prop, ReadFloat()); break;
        case tkString:
        case tkLString: SetStrProp(Instance, Prop, ReadString()); break;
        case tkWString: SetWideStrProp(Instance, Prop, ReadWideString()); break;
        case tkInt64: SetInt64Prop(Instance, Prop, ReadInt64()); break;
        case tkVariant: SetVariantProp(Instance, Prop, ReadVariant()); break;
        case tkClass:
        case tkInterface: ReadObjectValue(Instance, Prop); break;
        case tkMethod: ReadMethodValue(Instance, Prop); break;
        default: throw EPropertyConvertError("Invalid property type: %s", {Prop->PropType->Name});
    }
}

void TReader::ReadOrdValue(TPersistent* Instance, const TPropInfo* Prop) {
    switch (Prop->Kind()) {
        case tkInteger:
            if (NextValue() == vaIdent) {
                std::string Ident = ReadIdent();
                int Value;
                TIdentToInt ToInt = FindIdentToInt(Prop->PropType);
                if (!ToInt || !ToInt(Ident, Value)) InvalidValue();
                SetOrdProp(Instance, Prop, Value);
            } else {
                SetOrdProp(Instance, Prop, ReadInt64());
            }
            break;
        case tkChar:
        case tkWChar: {
            TValueType V = NextValue();
            if (V == vaInt8 || V == vaInt16 || V == vaInt32) {
                SetOrdProp(Instance, Prop, ReadInteger());
                break;
            }
            std::u16string S = ReadWideString();
            if (S.size() != 1) InvalidValue();
            SetOrdProp(Instance, Prop, S[0]);
            break;
        }
        case tkEnumeration: {
            std::string Ident = ReadIdent();
            int64_t V = GetEnumValue(Prop->PropType, Ident);
            bool BoolLike = Prop->PropType->MinValue < 0;
            if (V < 0 && !(BoolLike && SameText(Ident, "True"))) InvalidValue();
            SetOrdProp(Instance, Prop, V);
            break;
        }
        case tkSet: {
            CheckValue(vaSet);
            uint32_t Bits = 0;
            for (std::string Name = ReadStr(); !Name.empty(); Name = ReadStr()) {
                int64_t E = GetEnumValue(Prop->PropType->CompType, Name);
                if (E < 0 || E > 31) InvalidValue();
                Bits |= uint32_t(1) << E;
            }
            SetOrdProp(Instance, Prop, Bits);
            break;
        }
        default: break;
    }
}

void TReader::ReadObjectValue(TPersistent* Instance, const TPropInfo* Prop) {
    switch (NextValue()) {
        case vaNil:
            ReadValue();
            if (Prop->Kind() == tkInterface) SetInterfaceProp(Instance, Prop, nullptr);
            else SetObjectProp(Instance, Prop, nullptr);
            return;
        case vaCollection: {
            ReadValue();
            auto* Collection = Prop->Kind() == tkClass ? DynamicCast<TCollection>(GetObjectProp(Instance, Prop)) : nullptr;
            if (!Collection) InvalidValue();
            ReadCollection(Collection);
            return;
        }
        case vaIdent: {
            if (!Prop->HasWrite()) throw EPropertyError("Property is read-only");
            std::string Name = ReadIdent();
            FFixups.push_back(TFixup{Instance, Prop, Name, InstanceName(Instance)});
            return;
        }
        default:
            InvalidValue();
    }
}

void TReader::ReadMethodValue(TPersistent* Instance, const TPropInfo* Prop) {
    std::string Name = ReadIdent();
    if (SameText(Name, "nil")) {
        SetMethodProp(Instance, Prop, TMethod{});
        return;
    }
    const TMethodInfo* Method = FLookupRoot ? FLookupRoot->MethodAddress(Name) : nullptr;
    if (!Method) throw EPropertyError("Method '%s' not found", {Name});
    SetMethodProp(Instance, Prop, BindMethod(FLookupRoot, *Method));
}

void TReader::ReadCollection(TCollection* Collection) {
    TNesting Guard(*this);
    Collection->BeginUpdate();
    try {
        if (!EndOfList()) Collection->Clear();
        while (!EndOfList()) {
            TValueType V = NextValue();
            if (V == vaInt8 || V == vaInt16 || V == vaInt32) ReadInteger();  // an item index; order is position
            TCollectionItem* Item = Collection->Add();
            ReadListBegin();
            while (!EndOfList()) ReadProperty(Item);
            ReadListEnd();
        }
        ReadListEnd();
    } catch (...) {
        Collection->EndUpdate();
        throw;
    }
    Collection->EndUpdate();
}

// ---- components ----

void TReader::ReadData(TComponent* Instance) {
    while (!EndOfList()) ReadProperty(Instance);
    ReadListEnd();
    TComponent* SavedParent = FParent;
    FParent = Instance;
    try {
        while (!EndOfList()) ReadComponent(nullptr);
        ReadListEnd();
    } catch (...) {
        FParent = SavedParent;
        throw;
    }
    FParent = SavedParent;
}

TComponent* TReader::ReadComponent(TComponent* Component) {
    TNesting Guard(*this);
    uint8_t Flags = 0;
    if (NextIsPrefix()) {
        uint8_t Prefix;
        ReadBuffer(&Prefix, 1);
        Flags = Prefix & 0x0F;
        if (Flags & ffChildPos) ReadInteger();
    }
    std::string ClassName = ReadStr();
    std::string Name = ReadStr();
    TComponent* Owner = FOwner ? FOwner : FRoot;
    TComponent* Result = Component;
    if (!Result && (Flags & (ffInherited | ffInline)) && Owner) Result = Owner->FindComponent(Name);
    if (!Result) {
        const TClassInfo* Class = FindClass(ClassName);
        if (!Class->CreateComponent) throw EReadError("Class %s is not a component", {ClassName});
        Result = Class->CreateComponent(Owner);
        FCreated.push_back(Result);
        Result->SetName(Name);
    } else if (Result == Component && Result->GetName() != Name) {
        Result->SetName(Name);  // a root read into an existing instance takes the stored name
    }
    Result->Loading();
    Result->SetReading(true);
    if (Flags & ffInline) Result->SetInline(true);
    FLoaded.push_back(Result);
    if (FParent && FParent != Result) Result->SetParentComponent(FParent);
    Result->ReadState(this);
    return Result;
}

TComponent* TReader::ReadRootComponent(TComponent* Root) {
    ReadSignature();
    bool CreatedRoot = false;
    try {
        if (!Root) {
            // Peek the class name behind an optional prefix.
            int64_t Start = FStream->GetPosition();
            if (NextIsPrefix()) {
                uint8_t Prefix;
                ReadBuffer(&Prefix, 1);
                if (Prefix & ffChildPos) ReadInteger();
            }
            const TClassInfo* Class = FindClass(ReadStr());
            FStream->SetPosition(Start);
            if (!Class->CreateComponent) throw EReadError("Class %s is not a component", {Class->ClassName()});
            Root = Class->CreateComponent(nullptr);
            CreatedRoot = true;
            FCreated.push_back(Root);
        }
        FRoot = FLookupRoot = Root;
        if (!FOwner) FOwner = Root;
        ReadComponent(Root);
        ResolveFixups();
    } catch (...) {
        FreeCreated();
        if (Root && !CreatedRoot) {
            Root->SetReading(false);
            Root->Loaded();
        }
        throw;
    }
    for (TComponent* C : FLoaded) C->SetReading(false);
    std::vector<TComponent*> Loaded;
    Loaded.swap(FLoaded);
    FCreated.clear();
    for (TComponent* C : Loaded) C->Loaded();
    return Root;
}

TComponent* FindNestedComponent(TComponent* Root, const std::string& Path) {
    TComponent* Current = Root;
    size_t Start = 0;
    while (Current && Start <= Path.size()) {
        size_t Dot = Path.find('.', Start);
        std::string Part = Path.substr(Start, Dot == std::string::npos ? std::string::npos : Dot - Start);
        Current = Current->FindComponent(Part);
        if (Dot == std::string::npos) break;
        Start = Dot + 1;
    }
    return Current;
}

void TReader::ResolveFixups() {
    std::vector<TFixup> Fixups;
    Fixups.swap(FFixups);
    for (const TFixup& F : Fixups) {
        TComponent* Target = nullptr;
        size_t Dot = F.Name.find('.');
        if (SameText(F.Name, FRoot->GetName()))
            Target = FRoot;
        else if (Dot == std::string::npos)
            Target = FRoot->FindComponent(F.Name);
        else if (SameText(F.Name.substr(0, Dot), FRoot->GetName()))
            Target = FindNestedComponent(FRoot, F.Name.substr(Dot + 1));
        else if (TComponent* Global = FindGlobalComponent(F.Name.substr(0, Dot)))
            Target = FindNestedComponent(Global, F.Name.substr(Dot + 1));
        if (!Target)
            throw EReadError("Error reading %s.%s: Component %s not found", {F.Owner, F.Prop->Name, F.Name});
        try {
            if (F.Prop->Kind() == tkInterface)
                SetInterfaceProp(F.Instance, F.Prop, static_cast<IInterfaceComponentReference*>(Target));
            else
                SetObjectProp(F.Instance, F.Prop, Target);
        } catch (const Exception& E) {
            throw EReadError("Error reading %s.%s: %s", {F.Owner, F.Prop->Name, E.Message()});
        }
    }
}

void TReader::FreeCreated() {
    FFixups.clear();
    std::vector<TComponent*> Created;
    Created.swap(FCreated);
    // Later components may be owned by earlier ones: free the newest first, and
    // only what is still alive (an owner frees what it owns).
    std::vector<TComponent*> Alive = Created;
    for (auto It = Created.rbegin(); It != Created.rend(); ++It) {
        if (std::find(Alive.begin(), Alive.end(), *It) == Alive.end()) continue;
        TComponent* C = *It;
        std::vector<TComponent*> Gone;
        std::function<void(TComponent*)> Collect = [&](TComponent* X) {
            Gone.push_back(X);
            for (int I = 0; I < X->GetComponentCount(); ++I) Collect(X->GetComponents(I));
        };
        Collect(C);
        C->Free();
        for (TComponent* G : Gone) Alive.erase(std::remove(Alive.begin(), Alive.end(), G), Alive.end());
    }
    for (TComponent* C : FLoaded)
        if (std::find(Created.begin(), Created.end(), C) == Created.end()) {
            C->SetReading(false);
            C->Loaded();
        }
    FLoaded.clear();
}

// ---- conveniences and global roots ----

void WriteComponentToStream(TStream* Stream, TComponent* Root) {
    TWriter Writer(Stream);
    Writer.WriteRootComponent(Root);
}

TComponent* ReadComponentFromStream(TStream* Stream, TComponent* Root) {
    TReader Reader(Stream);
    return Reader.ReadRootComponent(Root);
}

bool ReadComponentRes(const std::string& ResName, TComponent* Instance) {
    const uint8_t* Data;
    size_t Size;
    if (!FindResource(ResName, RT_RCDATA, Data, Size)) return false;
    TMemoryStream Stream;
    Stream.WriteBuffer(Data, static_cast<int64_t>(Size));
    Stream.SetPosition(0);
    ReadComponentFromStream(&Stream, Instance);
    return true;
}

bool InitInheritedComponent(TComponent* Instance, const TClassInfo* RootAncestor) {
    std::vector<const TClassInfo*> Chain;
    for (const TClassInfo* C = Instance->ClassType(); C && C != RootAncestor; C = C->ClassParent())
        Chain.push_back(C);
    bool Found = false;
    for (auto It = Chain.rbegin(); It != Chain.rend(); ++It)
        Found = ReadComponentRes(UpperCase((*It)->ClassName()), Instance) || Found;
    return Found;
}

namespace {

struct TGlobalFinders {
    std::mutex Lock;
    std::vector<std::function<TComponent*(const std::string&)>> Finders;
};

TGlobalFinders& GlobalFinders() {
    static TGlobalFinders G;
    return G;
}

}  // namespace

void RegisterFindGlobalComponent(const std::function<TComponent*(const std::string& Name)>& Find) {
    std::lock_guard<std::mutex> Guard(GlobalFinders().Lock);
    GlobalFinders().Finders.push_back(Find);
}

void UnregisterFindGlobalComponents() {
    std::lock_guard<std::mutex> Guard(GlobalFinders().Lock);
    GlobalFinders().Finders.clear();
}

TComponent* FindGlobalComponent(const std::string& Name) {
    std::vector<std::function<TComponent*(const std::string&)>> Finders;
    {
        std::lock_guard<std::mutex> Guard(GlobalFinders().Lock);
        Finders = GlobalFinders().Finders;
    }
    for (auto& Find : Finders)
        if (TComponent* C = Find(Name)) return C;
    return nullptr;
}

}  // namespace zk
