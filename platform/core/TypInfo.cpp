// Type descriptors, property look-up and the typed and generic property access.
#include "platform/core/TypInfo.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "platform/core/ClassBuilder.h"
#include "platform/core/SysUtils.h"

namespace zk {

namespace {

TTypeInfo* NewType(TTypeKind Kind, const char* Name, int64_t Min = 0, int64_t Max = 0) {
    // Type descriptors live for the whole program, like the classes they describe.
    auto* T = new TTypeInfo;
    T->Kind = Kind;
    T->Name = Name;
    T->MinValue = Min;
    T->MaxValue = Max;
    T->BaseType = T;
    return T;
}

[[noreturn]] void InvalidPropertyType(const TPropInfo* Prop) {
    throw EPropertyConvertError("Invalid property type: %s",
                                {Prop && Prop->PropType ? Prop->PropType->Name : std::string()});
}

[[noreturn]] void PropertyNotFound(const std::string& Name) {
    throw EPropertyError("Property %s does not exist", {Name});
}

const TPropInfo* FindOrFail(const TObject* Instance, const std::string& Name) {
    const TPropInfo* P = GetPropInfo(Instance, Name);
    if (!P) PropertyNotFound(Name);
    return P;
}

bool IsBooleanType(const TTypeInfo* T) {
    return T && T->Kind == tkEnumeration && T->BaseType == TypeInfoBoolean();
}

// Boolean-like enumerations with a negative minimum (WordBool, LongBool).
bool IsBoolLike(const TTypeInfo* T) {
    return T && T->Kind == tkEnumeration && T->MinValue < 0;
}

void CheckKind(const TPropInfo* Prop, std::initializer_list<TTypeKind> Kinds) {
    for (TTypeKind K : Kinds)
        if (Prop->Kind() == K) return;
    InvalidPropertyType(Prop);
}

}  // namespace

const TTypeInfo* ZkTypeInfo(TTypeKind*) {
    static const TTypeInfo* T = MakeEnumType(
        "TTypeKind",
        "tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod, "
        "tkWChar, tkLString, tkWString, tkVariant, tkArray, tkRecord, tkInterface, tkInt64, "
        "tkDynArray");
    return T;
}

const TTypeInfo* ZkTypeInfo(TTypeKinds*) {
    static const TTypeInfo* T =
        MakeSetType("TTypeKinds", ZkTypeInfo(static_cast<TTypeKind*>(nullptr)));
    return T;
}

const TTypeInfo* TypeInfoInteger() {
    static const TTypeInfo* T = NewType(tkInteger, "Integer", INT32_MIN, INT32_MAX);
    return T;
}
const TTypeInfo* TypeInfoCardinal() {
    static const TTypeInfo* T = NewType(tkInteger, "Cardinal", 0, UINT32_MAX);
    return T;
}
const TTypeInfo* TypeInfoByte() {
    static const TTypeInfo* T = NewType(tkInteger, "Byte", 0, 255);
    return T;
}
const TTypeInfo* TypeInfoBoolean() {
    static const TTypeInfo* T = [] {
        TTypeInfo* B = NewType(tkEnumeration, "Boolean", 0, 1);
        B->Names = {"False", "True"};
        return B;
    }();
    return T;
}
const TTypeInfo* TypeInfoWordBool() {
    static const TTypeInfo* T = NewType(tkEnumeration, "WordBool", INT16_MIN, INT16_MAX);
    return T;
}
const TTypeInfo* TypeInfoLongBool() {
    static const TTypeInfo* T = NewType(tkEnumeration, "LongBool", INT32_MIN, INT32_MAX);
    return T;
}
const TTypeInfo* TypeInfoChar() {
    static const TTypeInfo* T = NewType(tkChar, "Char", 0, 255);
    return T;
}
const TTypeInfo* TypeInfoWideChar() {
    static const TTypeInfo* T = NewType(tkWChar, "WideChar", 0, 65535);
    return T;
}
const TTypeInfo* TypeInfoInt64() {
    static const TTypeInfo* T = NewType(tkInt64, "Int64", INT64_MIN, INT64_MAX);
    return T;
}
const TTypeInfo* TypeInfoDouble() {
    static const TTypeInfo* T = NewType(tkFloat, "Double");
    return T;
}
const TTypeInfo* TypeInfoExtended() {
    static const TTypeInfo* T = NewType(tkFloat, "Extended");
    return T;
}
const TTypeInfo* TypeInfoString() {
    static const TTypeInfo* T = NewType(tkLString, "string");
    return T;
}
const TTypeInfo* TypeInfoWideString() {
    static const TTypeInfo* T = NewType(tkWString, "WideString");
    return T;
}
const TTypeInfo* TypeInfoVariant() {
    static const TTypeInfo* T = NewType(tkVariant, "Variant");
    return T;
}
const TTypeInfo* TypeInfoTDateTime() {
    static const TTypeInfo* T = MakeAliasType("TDateTime", TypeInfoDouble());
    return T;
}
const TTypeInfo* TypeInfoTDate() {
    static const TTypeInfo* T = MakeAliasType("TDate", TypeInfoDouble());
    return T;
}
const TTypeInfo* TypeInfoTTime() {
    static const TTypeInfo* T = MakeAliasType("TTime", TypeInfoDouble());
    return T;
}
const TTypeInfo* TypeInfoTCaption() {
    static const TTypeInfo* T = MakeAliasType("TCaption", TypeInfoString());
    return T;
}
const TTypeInfo* TypeInfoTFileName() {
    static const TTypeInfo* T = MakeAliasType("TFileName", TypeInfoString());
    return T;
}
const TTypeInfo* TypeInfoTComponentName() {
    static const TTypeInfo* T = MakeAliasType("TComponentName", TypeInfoString());
    return T;
}
const TTypeInfo* TypeInfoIInterface() {
    static const TTypeInfo* T = NewType(tkInterface, "IInterface");
    return T;
}

const TTypeInfo* MakeEnumType(const char* Name, const char* Names) {
    TTypeInfo* T = NewType(tkEnumeration, Name);
    std::string All = Names, Current;
    for (char C : All + ",") {
        if (C == ',') {
            T->Names.push_back(Trim(Current));
            Current.clear();
        } else {
            Current += C;
        }
    }
    T->MaxValue = static_cast<int64_t>(T->Names.size()) - 1;
    return T;
}

const TTypeInfo* MakeSetType(const char* Name, const TTypeInfo* CompType) {
    TTypeInfo* T = NewType(tkSet, Name);
    T->CompType = CompType;
    return T;
}

const TTypeInfo* MakeAliasType(const char* Name, const TTypeInfo* Of) {
    auto* T = new TTypeInfo(*Of);
    T->Name = Name;
    // An alias of an enumeration keeps the original as its base type.
    T->BaseType = Of->Kind == tkEnumeration ? Of->BaseType : T;
    return T;
}

const TTypeInfo* MakeMethodType(const char* Name) {
    return NewType(tkMethod, Name);
}

// ---- accessor defaults: a representation the property does not have ----

namespace {
[[noreturn]] void WrongAccess() {
    throw EPropertyConvertError("Invalid property type: %s", {"?"});
}
}  // namespace

namespace {
thread_local uint64_t BatchDepth = 0;
thread_local uint64_t BatchNumber = 0;
std::atomic<uint64_t> LastBatch{0};  // shared, so that no two batches share a number
}  // namespace

TPropReadBatch::TPropReadBatch() {
    if (BatchDepth++ == 0) BatchNumber = ++LastBatch;
}

TPropReadBatch::~TPropReadBatch() {
    if (--BatchDepth == 0) BatchNumber = 0;
}

uint64_t TPropReadBatch::Current() {
    return BatchNumber;
}

int64_t TPropAccessor::GetOrd(const TObject*) const {
    WrongAccess();
}
void TPropAccessor::SetOrd(TObject*, int64_t) const {
    WrongAccess();
}
int64_t TPropAccessor::GetInt64(const TObject*) const {
    WrongAccess();
}
void TPropAccessor::SetInt64(TObject*, int64_t) const {
    WrongAccess();
}
double TPropAccessor::GetFloat(const TObject*) const {
    WrongAccess();
}
void TPropAccessor::SetFloat(TObject*, double) const {
    WrongAccess();
}
std::string TPropAccessor::GetStr(const TObject*) const {
    WrongAccess();
}
void TPropAccessor::SetStr(TObject*, const std::string&) const {
    WrongAccess();
}
std::u16string TPropAccessor::GetWideStr(const TObject*) const {
    WrongAccess();
}
void TPropAccessor::SetWideStr(TObject*, const std::u16string&) const {
    WrongAccess();
}
TVariant TPropAccessor::GetVariant(const TObject*) const {
    WrongAccess();
}
void TPropAccessor::SetVariant(TObject*, const TVariant&) const {
    WrongAccess();
}
TObject* TPropAccessor::GetObject(const TObject*) const {
    WrongAccess();
}
void TPropAccessor::SetObject(TObject*, TObject*) const {
    WrongAccess();
}
TMethod TPropAccessor::GetMethod(const TObject*) const {
    WrongAccess();
}
void TPropAccessor::SetMethod(TObject*, const TMethod&) const {
    WrongAccess();
}
IInterface* TPropAccessor::GetInterface(const TObject*) const {
    WrongAccess();
}
void TPropAccessor::SetInterface(TObject*, IInterface*) const {
    WrongAccess();
}

namespace detail {
void ReadOnlyProperty() {
    throw EPropertyError("Property is read-only");
}
void IncompatibleMethod() {
    throw EPropertyConvertError("Incompatible method signature");
}
void IncompatibleObject(const TObject* Value, const TClassInfo* Expected) {
    throw EInvalidCast(Value && Expected ? Format("Cannot assign a %s to a %s",
                                                  {Value->ClassName(), Expected->ClassName()})
                                         : std::string("Invalid class typecast"));
}
}  // namespace detail

// ---- property lists and look-up ----

std::vector<const TPropInfo*> GetPropList(const TClassInfo* Class, TTypeKinds Kinds,
                                          bool SortList) {
    std::vector<const TPropInfo*> List;
    if (!Class) return List;
    const std::vector<const TPropInfo*>& All = SortList ? Class->PropertiesByName() : Class->Properties();
    List.reserve(All.size());
    for (const TPropInfo* P : All)
        if (Kinds.Contains(P->Kind())) List.push_back(P);
    return List;
}

int GetPropList(const TClassInfo* Class, TTypeKinds Kinds, const TPropInfo** List, bool SortList) {
    std::vector<const TPropInfo*> All = GetPropList(Class, Kinds, SortList);
    if (List) std::copy(All.begin(), All.end(), List);
    return static_cast<int>(All.size());
}

std::vector<const TPropInfo*> GetPropInfos(const TClassInfo* Class) {
    return Class ? Class->Properties() : std::vector<const TPropInfo*>{};
}

const TPropInfo* GetPropInfo(const TClassInfo* Class, const std::string& Name, TTypeKinds Kinds) {
    const TPropInfo* P = Class ? Class->FindProperty(Name) : nullptr;
    return P && Kinds.Contains(P->Kind()) ? P : nullptr;
}

const TPropInfo* GetPropInfo(const TObject* Instance, const std::string& Name, TTypeKinds Kinds) {
    return Instance ? GetPropInfo(Instance->ClassType(), Name, Kinds) : nullptr;
}

bool IsPublishedProp(const TObject* Instance, const std::string& Name) {
    return GetPropInfo(Instance, Name) != nullptr;
}

bool IsPublishedProp(const TClassInfo* Class, const std::string& Name) {
    return GetPropInfo(Class, Name) != nullptr;
}

TTypeKind PropType(const TObject* Instance, const std::string& Name) {
    return FindOrFail(Instance, Name)->Kind();
}

bool PropIsType(const TObject* Instance, const std::string& Name, TTypeKind Kind) {
    return PropType(Instance, Name) == Kind;
}

bool IsStoredProp(const TObject* Instance, const TPropInfo* Prop) {
    if (Prop->StoredProc) return Prop->StoredProc(Instance);
    return Prop->StoredConst;
}

bool IsStoredProp(const TObject* Instance, const std::string& Name) {
    return IsStoredProp(Instance, FindOrFail(Instance, Name));
}

// ---- enumerations and sets ----

std::string GetEnumName(const TTypeInfo* Type, int64_t Value) {
    if (!Type) return IntToStr(Value);
    if (IsBoolLike(Type)) return Value != 0 ? "True" : "False";
    if (Type->Kind == tkEnumeration) {
        const TTypeInfo* Base = Type->BaseType ? Type->BaseType : Type;
        if (Value >= 0 && Value < static_cast<int64_t>(Base->Names.size()))
            return Base->Names[Value];
    }
    return IntToStr(Value);
}

int64_t GetEnumValue(const TTypeInfo* Type, const std::string& Name) {
    if (!Type) return -1;
    if (Type->Kind == tkInteger) {
        int64_t V;
        return TryStrToInt64(Name, V) ? V : -1;
    }
    if (IsBoolLike(Type)) {
        if (SameText(Name, "False")) return 0;
        if (SameText(Name, "True")) return -1;
        return StrToIntDef(Name, 0);
    }
    const TTypeInfo* Base = Type->BaseType ? Type->BaseType : Type;
    for (size_t I = 0; I < Base->Names.size(); ++I)
        if (SameText(Base->Names[I], Name)) {
            int64_t V = static_cast<int64_t>(I);
            return V >= Type->MinValue && V <= Type->MaxValue ? V : -1;
        }
    return -1;
}

std::string SetToString(const TTypeInfo* SetType, uint32_t Value, bool Brackets) {
    std::string Result;
    const TTypeInfo* Comp = SetType ? SetType->CompType : nullptr;
    for (int I = 0; I < 32; ++I) {
        if (!(Value & (uint32_t(1) << I))) continue;
        if (!Result.empty()) Result += ',';
        Result += GetEnumName(Comp, I);
    }
    return Brackets ? "[" + Result + "]" : Result;
}

uint32_t StringToSet(const TTypeInfo* SetType, const std::string& Value) {
    const TTypeInfo* Comp = SetType ? SetType->CompType : nullptr;
    uint32_t Result = 0;
    size_t P = 0, N = Value.size();
    while (P < N && (Value[P] == '[' || Value[P] == ' ')) ++P;
    for (;;) {
        size_t Start = P;
        while (P < N && Value[P] != ',' && Value[P] != ' ' && Value[P] != ']') ++P;
        std::string Name = Value.substr(Start, P - Start);
        while (P < N && (Value[P] == ',' || Value[P] == ' ')) ++P;
        if (Name.empty()) break;
        int64_t E = GetEnumValue(Comp, Name);
        if (E < 0 || E > 31) throw EPropertyConvertError("Invalid property element: %s", {Name});
        Result |= uint32_t(1) << E;
    }
    return Result;
}

// ---- typed access by descriptor ----

int64_t GetOrdProp(const TObject* Instance, const TPropInfo* Prop) {
    CheckKind(Prop, {tkInteger, tkChar, tkEnumeration, tkSet, tkWChar, tkClass, tkInt64});
    return Prop->Access->GetOrd(Instance);
}

void SetOrdProp(TObject* Instance, const TPropInfo* Prop, int64_t Value) {
    CheckKind(Prop, {tkInteger, tkChar, tkEnumeration, tkSet, tkWChar, tkInt64});
    Prop->Access->SetOrd(Instance, Value);
}

std::string GetEnumProp(const TObject* Instance, const TPropInfo* Prop) {
    CheckKind(Prop, {tkEnumeration});
    return GetEnumName(Prop->PropType, Prop->Access->GetOrd(Instance));
}

namespace {

int64_t EnumOrdinal(const TPropInfo* Prop, const std::string& Value) {
    int64_t Data;
    if (IsBoolLike(Prop->PropType)) {
        if (SameText(Value, "False"))
            Data = 0;
        else if (SameText(Value, "True"))
            Data = -1;
        else if (!TryStrToInt64(Value, Data))
            throw EPropertyConvertError("Invalid property element: %s", {Value});
    } else {
        Data = GetEnumValue(Prop->PropType, Value);
        if (Data < 0) throw EPropertyConvertError("Invalid property element: %s", {Value});
    }
    return Data;
}

}  // namespace

void SetEnumProp(TObject* Instance, const TPropInfo* Prop, const std::string& Value) {
    CheckKind(Prop, {tkEnumeration});
    Prop->Access->SetOrd(Instance, EnumOrdinal(Prop, Value));
}

std::string GetSetProp(const TObject* Instance, const TPropInfo* Prop, bool Brackets) {
    CheckKind(Prop, {tkSet});
    return SetToString(Prop->PropType, static_cast<uint32_t>(Prop->Access->GetOrd(Instance)),
                       Brackets);
}

void SetSetProp(TObject* Instance, const TPropInfo* Prop, const std::string& Value) {
    CheckKind(Prop, {tkSet});
    Prop->Access->SetOrd(Instance, StringToSet(Prop->PropType, Value));
}

std::string GetStrProp(const TObject* Instance, const TPropInfo* Prop) {
    CheckKind(Prop, {tkString, tkLString, tkWString});
    return Prop->Access->GetStr(Instance);
}

void SetStrProp(TObject* Instance, const TPropInfo* Prop, const std::string& Value) {
    CheckKind(Prop, {tkString, tkLString, tkWString});
    Prop->Access->SetStr(Instance, Value);
}

std::u16string GetWideStrProp(const TObject* Instance, const TPropInfo* Prop) {
    CheckKind(Prop, {tkString, tkLString, tkWString});
    return Prop->Access->GetWideStr(Instance);
}

void SetWideStrProp(TObject* Instance, const TPropInfo* Prop, const std::u16string& Value) {
    CheckKind(Prop, {tkString, tkLString, tkWString});
    Prop->Access->SetWideStr(Instance, Value);
}

double GetFloatProp(const TObject* Instance, const TPropInfo* Prop) {
    CheckKind(Prop, {tkFloat});
    return Prop->Access->GetFloat(Instance);
}

void SetFloatProp(TObject* Instance, const TPropInfo* Prop, double Value) {
    CheckKind(Prop, {tkFloat});
    Prop->Access->SetFloat(Instance, Value);
}

TVariant GetVariantProp(const TObject* Instance, const TPropInfo* Prop) {
    CheckKind(Prop, {tkVariant});
    return Prop->Access->GetVariant(Instance);
}

void SetVariantProp(TObject* Instance, const TPropInfo* Prop, const TVariant& Value) {
    CheckKind(Prop, {tkVariant});
    Prop->Access->SetVariant(Instance, Value);
}

TMethod GetMethodProp(const TObject* Instance, const TPropInfo* Prop) {
    CheckKind(Prop, {tkMethod});
    return Prop->Access->GetMethod(Instance);
}

void SetMethodProp(TObject* Instance, const TPropInfo* Prop, const TMethod& Value) {
    CheckKind(Prop, {tkMethod});
    Prop->Access->SetMethod(Instance, Value);
}

int64_t GetInt64Prop(const TObject* Instance, const TPropInfo* Prop) {
    CheckKind(Prop, {tkInt64, tkInteger, tkChar, tkWChar, tkEnumeration, tkSet});
    return Prop->Access->GetInt64(Instance);
}

void SetInt64Prop(TObject* Instance, const TPropInfo* Prop, int64_t Value) {
    CheckKind(Prop, {tkInt64, tkInteger, tkChar, tkWChar, tkEnumeration, tkSet});
    Prop->Access->SetInt64(Instance, Value);
}

TObject* GetObjectProp(const TObject* Instance, const TPropInfo* Prop, const TClassInfo* MinClass) {
    CheckKind(Prop, {tkClass});
    TObject* Obj = Prop->Access->GetObject(Instance);
    if (MinClass && Obj && !Obj->InheritsFrom(MinClass)) return nullptr;
    return Obj;
}

void SetObjectProp(TObject* Instance, const TPropInfo* Prop, TObject* Value) {
    CheckKind(Prop, {tkClass});
    Prop->Access->SetObject(Instance, Value);
}

const TClassInfo* GetObjectPropClass(const TPropInfo* Prop) {
    CheckKind(Prop, {tkClass});
    return Prop->PropType->ClassType ? Prop->PropType->ClassType : Prop->Access->ObjectClass();
}

IInterface* GetInterfaceProp(const TObject* Instance, const TPropInfo* Prop) {
    CheckKind(Prop, {tkInterface});
    return Prop->Access->GetInterface(Instance);
}

void SetInterfaceProp(TObject* Instance, const TPropInfo* Prop, IInterface* Value) {
    CheckKind(Prop, {tkInterface});
    Prop->Access->SetInterface(Instance, Value);
}

// ---- typed access by name ----

int64_t GetOrdProp(const TObject* I, const std::string& N) {
    return GetOrdProp(I, FindOrFail(I, N));
}
void SetOrdProp(TObject* I, const std::string& N, int64_t V) {
    SetOrdProp(I, FindOrFail(I, N), V);
}
std::string GetEnumProp(const TObject* I, const std::string& N) {
    return GetEnumProp(I, FindOrFail(I, N));
}
void SetEnumProp(TObject* I, const std::string& N, const std::string& V) {
    SetEnumProp(I, FindOrFail(I, N), V);
}
std::string GetSetProp(const TObject* I, const std::string& N, bool Brackets) {
    return GetSetProp(I, FindOrFail(I, N), Brackets);
}
void SetSetProp(TObject* I, const std::string& N, const std::string& V) {
    SetSetProp(I, FindOrFail(I, N), V);
}
std::string GetStrProp(const TObject* I, const std::string& N) {
    return GetStrProp(I, FindOrFail(I, N));
}
void SetStrProp(TObject* I, const std::string& N, const std::string& V) {
    SetStrProp(I, FindOrFail(I, N), V);
}
std::u16string GetWideStrProp(const TObject* I, const std::string& N) {
    return GetWideStrProp(I, FindOrFail(I, N));
}
void SetWideStrProp(TObject* I, const std::string& N, const std::u16string& V) {
    SetWideStrProp(I, FindOrFail(I, N), V);
}
double GetFloatProp(const TObject* I, const std::string& N) {
    return GetFloatProp(I, FindOrFail(I, N));
}
void SetFloatProp(TObject* I, const std::string& N, double V) {
    SetFloatProp(I, FindOrFail(I, N), V);
}
TVariant GetVariantProp(const TObject* I, const std::string& N) {
    return GetVariantProp(I, FindOrFail(I, N));
}
void SetVariantProp(TObject* I, const std::string& N, const TVariant& V) {
    SetVariantProp(I, FindOrFail(I, N), V);
}
TMethod GetMethodProp(const TObject* I, const std::string& N) {
    return GetMethodProp(I, FindOrFail(I, N));
}
void SetMethodProp(TObject* I, const std::string& N, const TMethod& V) {
    SetMethodProp(I, FindOrFail(I, N), V);
}
int64_t GetInt64Prop(const TObject* I, const std::string& N) {
    return GetInt64Prop(I, FindOrFail(I, N));
}
void SetInt64Prop(TObject* I, const std::string& N, int64_t V) {
    SetInt64Prop(I, FindOrFail(I, N), V);
}
TObject* GetObjectProp(const TObject* I, const std::string& N, const TClassInfo* MinClass) {
    return GetObjectProp(I, FindOrFail(I, N), MinClass);
}
void SetObjectProp(TObject* I, const std::string& N, TObject* V) {
    SetObjectProp(I, FindOrFail(I, N), V);
}
const TClassInfo* GetObjectPropClass(const TObject* I, const std::string& N) {
    return GetObjectPropClass(FindOrFail(I, N));
}
IInterface* GetInterfaceProp(const TObject* I, const std::string& N) {
    return GetInterfaceProp(I, FindOrFail(I, N));
}
void SetInterfaceProp(TObject* I, const std::string& N, IInterface* V) {
    SetInterfaceProp(I, FindOrFail(I, N), V);
}

// ---- generic access ----

TVariant GetPropValue(const TObject* Instance, const TPropInfo* Prop, bool PreferStrings) {
    switch (Prop->Kind()) {
        case tkInteger:
        case tkChar:
        case tkWChar: {
            int64_t V = GetOrdProp(Instance, Prop);
            if (V >= INT32_MIN && V <= INT32_MAX) return TVariant(static_cast<int>(V));
            return TVariant(V);
        }
        case tkClass:
            return TVariant(GetOrdProp(Instance, Prop));
        case tkEnumeration:
            if (IsBooleanType(Prop->PropType)) return TVariant(GetOrdProp(Instance, Prop) != 0);
            if (PreferStrings) return TVariant(GetEnumProp(Instance, Prop));
            return TVariant(static_cast<int>(GetOrdProp(Instance, Prop)));
        case tkSet:
            if (PreferStrings) return TVariant(GetSetProp(Instance, Prop));
            return TVariant(static_cast<int>(GetOrdProp(Instance, Prop)));
        case tkFloat: {
            double V = GetFloatProp(Instance, Prop);
            const std::string& T = Prop->PropType->Name;
            if (T == "TDateTime" || T == "TDate" || T == "TTime") return TVariant::FromDate(V);
            return TVariant(V);
        }
        case tkMethod:
            return TVariant(Prop->PropType->Name);
        case tkString:
        case tkLString:
            return TVariant(GetStrProp(Instance, Prop));
        case tkWString:
            return TVariant(GetWideStrProp(Instance, Prop));
        case tkVariant:
            return GetVariantProp(Instance, Prop);
        case tkInt64:
            return TVariant(GetInt64Prop(Instance, Prop));
        default:
            InvalidPropertyType(Prop);
    }
}

TVariant GetPropValue(const TObject* Instance, const std::string& Name, bool PreferStrings) {
    return GetPropValue(Instance, FindOrFail(Instance, Name), PreferStrings);
}

void CheckPropValue(const TPropInfo* Prop, const TVariant& Value) {
    switch (Prop->Kind()) {
        case tkInteger:
        case tkChar:
        case tkWChar:
            if (Prop->PropType->MaxValue > INT32_MAX)
                Value.AsInt64();
            else
                Value.AsInteger();
            break;
        case tkEnumeration:
            if (Value.IsString())
                EnumOrdinal(Prop, Value.AsString());
            else if (Value.VarType() != varBoolean)
                Value.AsInteger();
            break;
        case tkSet:
            if (Value.VarType() == varInteger)
                Value.AsInteger();
            else
                StringToSet(Prop->PropType, Value.AsString());
            break;
        case tkFloat:
            Value.AsDouble();
            break;
        case tkString:
        case tkLString:
        case tkVariant:
            break;
        case tkWString:
            if (!Value.IsNull()) Value.AsWideString();
            break;
        case tkInt64:
            Value.AsInt64();
            break;
        default:
            InvalidPropertyType(Prop);
    }
}

void SetPropValue(TObject* Instance, const TPropInfo* Prop, const TVariant& Value) {
    switch (Prop->Kind()) {
        case tkInteger:
        case tkChar:
        case tkWChar:
            SetOrdProp(Instance, Prop,
                       Prop->PropType->MaxValue > INT32_MAX ? Value.AsInt64() : Value.AsInteger());
            break;
        case tkEnumeration:
            if (Value.IsString())
                SetEnumProp(Instance, Prop, Value.AsString());
            else if (Value.VarType() == varBoolean)
                SetOrdProp(Instance, Prop,
                           IsBoolLike(Prop->PropType) ? (Value.AsBoolean() ? -1 : 0)
                                                      : (Value.AsBoolean() ? 1 : 0));
            else
                SetOrdProp(Instance, Prop, Value.AsInteger());
            break;
        case tkSet:
            if (Value.VarType() == varInteger)
                SetOrdProp(Instance, Prop, static_cast<uint32_t>(Value.AsInteger()));
            else
                SetSetProp(Instance, Prop, Value.AsString());
            break;
        case tkFloat:
            SetFloatProp(Instance, Prop, Value.AsDouble());
            break;
        case tkString:
        case tkLString:
            SetStrProp(Instance, Prop, VarToStr(Value));
            break;
        case tkWString:
            SetWideStrProp(Instance, Prop,
                           Value.IsNull() ? std::u16string() : Value.AsWideString());
            break;
        case tkVariant:
            SetVariantProp(Instance, Prop, Value);
            break;
        case tkInt64:
            SetInt64Prop(Instance, Prop, Value.AsInt64());
            break;
        default:
            InvalidPropertyType(Prop);
    }
}

void SetPropValue(TObject* Instance, const std::string& Name, const TVariant& Value) {
    SetPropValue(Instance, FindOrFail(Instance, Name), Value);
}

bool IsDefaultPropertyValue(const TObject* Instance, const TPropInfo* Prop) {
    switch (Prop->Kind()) {
        case tkInteger:
        case tkChar:
        case tkEnumeration:
        case tkSet:
        case tkWChar:
            return Prop->Default != NoDefault && GetOrdProp(Instance, Prop) == Prop->Default;
        case tkFloat:
            return GetFloatProp(Instance, Prop) == 0.0;
        case tkInt64:
            return GetInt64Prop(Instance, Prop) == 0;
        case tkString:
        case tkLString:
        case tkWString:
            return GetStrProp(Instance, Prop).empty();
        case tkVariant:
            return GetVariantProp(Instance, Prop).IsEmpty();
        case tkMethod:
            return !GetMethodProp(Instance, Prop).Assigned();
        case tkClass:
            return GetObjectProp(Instance, Prop) == nullptr;
        case tkInterface:
            return GetInterfaceProp(Instance, Prop) == nullptr;
        default:
            return true;
    }
}

}  // namespace zk
