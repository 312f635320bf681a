// TZkItemProperty: the inspector's rows, their value accessors, refresh, validation and stream
// data; TZkItemProperties, a typed level of rows.
#include "inspector/ZkItemProperty.h"

#include <algorithm>

#include "inspector/ZkObjectInspector.h"
#include "itemlist/ZkDeltaFont.h"
#include "itemlist/ZkInplaceEditList.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/Filer.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/SysUtils.h"

namespace zk {

namespace {

// The text an exception carries, for the inspector's own message around it.
std::string MessageOf(const std::exception& E) {
    if (auto* Ex = dynamic_cast<const Exception*>(&E)) return Ex->Message();
    return E.what();
}

}  // namespace

ZK_IMPLEMENT_CLASS(TZkItemProperty)
void TZkItemProperty::DescribeClass(TClassBuilder<TZkItemProperty>& C) {
    C.Prop("Items", &TZkItemProperty::GetItems, &TZkItemProperty::SetItems)
        .Stored(&TZkItemProperty::HasChildren);
    C.Prop("OnGetProperty", &TZkItemProperty::GetOnGetProperty, &TZkItemProperty::SetOnGetProperty);
    C.Prop("OnSetProperty", &TZkItemProperty::GetOnSetProperty, &TZkItemProperty::SetOnSetProperty);
    C.Prop("OnRefreshValue", &TZkItemProperty::GetOnRefreshValue,
           &TZkItemProperty::SetOnRefreshValue);
    C.Message(ZM_PROPERTYCHANGED, &TZkItemProperty::WMPropertyChanged);
}

TZkItemProperty::TZkItemProperty(TCollection* Collection) : TZkItemProp(Collection) {}

TZkItemProps* TZkItemProperty::CreateItems() {
    return Create<TZkItemProperties>(static_cast<TPersistent*>(this),
                                     TZkItemProperty::StaticClass());
}

// ---- place ----

TZkItemProperties* TZkItemProperty::GetItems() const {
    return DynamicCast<TZkItemProperties>(TZkItemProp::GetItems());
}

void TZkItemProperty::SetItems(TZkItemProperties* Value) {
    TZkItemProp::SetItems(Value);
}

TZkItemProperty* TZkItemProperty::GetParentRow() const {
    return DynamicCast<TZkItemProperty>(GetParentItem());
}

TZkCustomObjectInspector* TZkItemProperty::GetInspector() const {
    return DynamicCast<TZkCustomObjectInspector>(GetGrid());
}

std::string TZkItemProperty::GetPropPath() const {
    TZkItemProperty* Parent = GetParentRow();
    if (!Parent) return FPropName;
    TZkItemProps* Collection = GetItemCollection();
    return Parent->GetPropPath() + Collection->GetPathDelimiter() + FPropName;
}

TZkItemProperty* TZkItemProperty::FindAncestorOfKind(TTypeKind Kind,
                                                     const std::string& TypeName) const {
    for (TZkItemProperty* P = GetParentRow(); P; P = P->GetParentRow())
        if (P->FKind == Kind && (TypeName.empty() || SameText(P->FTypeName, TypeName))) return P;
    return nullptr;
}

TZkItemProperty* TZkItemProperty::FindAncestorOfItemType(uint8_t ItemType) const {
    for (TZkItemProperty* P = GetParentRow(); P; P = P->GetParentRow())
        if (P->FItemType == ItemType) return P;
    return nullptr;
}

// ---- fields ----

const std::vector<TVariant>& TZkItemProperty::GetCapturedValues() const {
    if (TZkCustomObjectInspector* Inspector = GetInspector())
        FCapturedValues.resize(static_cast<size_t>(std::max(Inspector->GetValueColCount(), 0)));
    return FCapturedValues;
}

bool TZkItemProperty::GetIsAllEqual() const {
    return FIsAllEqual;
}

bool TZkItemProperty::AllValuesEqual() const {
    const std::vector<TVariant>& Values = GetCapturedValues();
    return std::all_of(Values.begin(), Values.end(),
                       [&](const TVariant& V) { return V == Values.front(); });
}

void TZkItemProperty::SetIsAllEqual(bool Value) {
    if (Value == FIsAllEqual) return;
    FIsAllEqual = Value;
    Changed(false);
}

void TZkItemProperty::SetPropName(const std::string& Value) {
    if (Value == FPropName) return;
    FPropName = Value;
    Changed(false);
}

// Kind, ItemType and IsProperty take part in the shown rule: the line follows.
void TZkItemProperty::SetKind(TTypeKind Value) {
    if (Value == FKind) return;
    const bool WasShown = IsShownHere();
    FKind = Value;
    if (IsShownHere() != WasShown) VisibilityChanged();
    Changed(false);
}

void TZkItemProperty::SetTypeName(const std::string& Value) {
    if (Value == FTypeName) return;
    FTypeName = Value;
    Changed(false);
}

void TZkItemProperty::SetCapturedValue(int ObjectIndex, const TVariant& Value) {
    if (ObjectIndex < 0) return;
    // Readers fit the list to the columns (GetCapturedValues); here it only has to reach Index.
    const auto Index = static_cast<size_t>(ObjectIndex);
    if (Index >= FCapturedValues.size()) FCapturedValues.resize(Index + 1);
    TVariant& Entry = FCapturedValues[Index];
    if (!Entry.IsEmpty() && Entry == Value && Entry.VarType() == Value.VarType()) return;
    Entry = Value;
    Changed(false);
}

void TZkItemProperty::SetItemType(uint8_t Value) {
    if (Value == FItemType) return;
    const bool WasShown = IsShownHere();
    FItemType = Value;
    if (IsShownHere() != WasShown) VisibilityChanged();
}

void TZkItemProperty::SetIsProperty(bool Value) {
    if (Value == FIsProperty) return;
    const bool WasShown = IsShownHere();
    FIsProperty = Value;
    if (IsShownHere() != WasShown) VisibilityChanged();
}

void TZkItemProperty::SetName(const std::string& Value) {
    if (FPropName.empty()) FPropName = Value;
    TZkItemProp::SetName(Value);
}

bool TZkItemProperty::GetReadOnly() const {
    return TZkItemProp::GetReadOnly() || FKind == tkSet;
}

bool TZkItemProperty::IsShownHere() const {
    if (TZkItemProp::IsShownHere()) return true;
    // Read-only rows that lead somewhere stay: sets, objects, elements, items.
    return GetVisible() &&
           ((FIsProperty && (FKind == tkSet || FKind == tkClass)) || FItemType != itPlain);
}

void TZkItemProperty::Assign(TPersistent* Source) {
    if (auto* Src = DynamicCast<TZkItemProperty>(Source)) {
        FIsAllEqual = Src->FIsAllEqual;
        FPropName = Src->FPropName;
        FCapturedValues = Src->FCapturedValues;
        FKind = Src->FKind;
        FTypeName = Src->FTypeName;
        FIsProperty = Src->FIsProperty;
        FItemType = Src->FItemType;
    }
    TZkItemProp::Assign(Source);
}

void TZkItemProperty::AssignEvents(TZkItemProp* Source) {
    TZkItemProp::AssignEvents(Source);
    if (auto* Src = DynamicCast<TZkItemProperty>(Source)) {
        FOnSetProperty = Src->FOnSetProperty;
        FOnGetProperty = Src->FOnGetProperty;
        FOnRefreshValue = Src->FOnRefreshValue;
    }
}

// ---- targets ----

[[noreturn]] void TZkItemProperty::NotAProperty() const {
    throw Exception("Item \"%s\" is not a real property", {GetPropPath()});
}

void TZkItemProperty::RequireProperty() const {
    if (!FIsProperty) NotAProperty();
}

int TZkItemProperty::ReadTarget(int ObjectIndex) const {
    if (ObjectIndex >= 0) return ObjectIndex;
    TZkCustomObjectInspector* Inspector = GetInspector();
    return Inspector ? std::max(Inspector->GetLogical(lwColumn) - 1, 0) : 0;
}

std::vector<int> TZkItemProperty::WriteTargets(int ObjectIndex) const {
    TZkCustomObjectInspector* Inspector = GetInspector();
    if (!Inspector) return {};
    if (ObjectIndex >= 0) return {ObjectIndex};
    if (Inspector->GetDisplayOptions().Contains(doMultiColValues)) return {ReadTarget(-1)};
    std::vector<int> All(static_cast<size_t>(Inspector->GetObjects()->GetCount()));
    for (size_t I = 0; I < All.size(); ++I) All[I] = static_cast<int>(I);
    return All;
}

TObject* TZkItemProperty::Target(int ObjectIndex, const TPropInfo** Prop) const {
    *Prop = nullptr;
    TZkCustomObjectInspector* Inspector = GetInspector();
    if (!Inspector) return nullptr;
    TZkInspectorObjects* Objects = Inspector->GetObjects();
    const int Index = ReadTarget(ObjectIndex);
    if (Index >= Objects->GetCount()) return nullptr;
    std::string Path = GetPropPath();
    TObject* Holder = Inspector->ResolveInstance(Objects->GetItem(Index)->GetInstance(), Path, this);
    if (Holder) *Prop = GetPropInfo(Holder, Path);
    return Holder;
}

// ---- reading ----

int64_t TZkItemProperty::GetOrdValue(int ObjectIndex) const {
    RequireProperty();
    const TPropInfo* Prop = nullptr;
    TObject* T = Target(ObjectIndex, &Prop);
    return T && Prop ? GetOrdProp(T, Prop) : 0;
}

std::string TZkItemProperty::GetStrValue(int ObjectIndex) const {
    if (!FIsProperty) return GetValue();
    const TPropInfo* Prop = nullptr;
    TObject* T = Target(ObjectIndex, &Prop);
    return T && Prop ? GetStrProp(T, Prop) : std::string();
}

double TZkItemProperty::GetFloatValue(int ObjectIndex) const {
    if (!FIsProperty) return StrToFloat(GetValue());
    const TPropInfo* Prop = nullptr;
    TObject* T = Target(ObjectIndex, &Prop);
    return T && Prop ? GetFloatProp(T, Prop) : 0.0;
}

int64_t TZkItemProperty::GetInt64Value(int ObjectIndex) const {
    if (!FIsProperty) return StrToInt64(GetValue());
    const TPropInfo* Prop = nullptr;
    TObject* T = Target(ObjectIndex, &Prop);
    return T && Prop ? GetInt64Prop(T, Prop) : 0;
}

TVariant TZkItemProperty::GetVariantValue(int ObjectIndex) const {
    if (!FIsProperty) return TVariant(GetValue());
    const TPropInfo* Prop = nullptr;
    TObject* T = Target(ObjectIndex, &Prop);
    return T && Prop ? GetVariantProp(T, Prop) : TVariant();
}

TMethod TZkItemProperty::GetMethodValue(int ObjectIndex) const {
    RequireProperty();
    const TPropInfo* Prop = nullptr;
    TObject* T = Target(ObjectIndex, &Prop);
    return T && Prop ? GetMethodProp(T, Prop) : TMethod();
}

IInterface* TZkItemProperty::GetInterfaceValue(int ObjectIndex) const {
    RequireProperty();
    const TPropInfo* Prop = nullptr;
    TObject* T = Target(ObjectIndex, &Prop);
    return T && Prop ? GetInterfaceProp(T, Prop) : nullptr;
}

TObject* TZkItemProperty::GetObjectValue(int ObjectIndex) const {
    if (FItemType == itCollectionItem) {
        // The item of the collection the nearest collection row holds.
        TZkItemProperty* Row = FindAncestorOfItemType(itCollection);
        auto* Collection = Row ? DynamicCast<TCollection>(Row->GetObjectValue(ObjectIndex)) : nullptr;
        const std::vector<TVariant>& Captured = GetCapturedValues();
        if (!Collection || Captured.empty() || Captured[0].IsEmpty()) return nullptr;
        const int Index = Captured[0].AsInteger();
        return Index >= 0 && Index < Collection->GetCount() ? Collection->GetItem(Index) : nullptr;
    }
    RequireProperty();
    const TPropInfo* Prop = nullptr;
    TObject* T = Target(ObjectIndex, &Prop);
    return T && Prop ? GetObjectProp(T, Prop) : nullptr;
}

const TClassInfo* TZkItemProperty::GetObjectClass() const {
    if (FItemType == itCollectionItem) {
        TZkItemProperty* Row = FindAncestorOfItemType(itCollection);
        auto* Collection = Row ? DynamicCast<TCollection>(Row->GetObjectValue(-1)) : nullptr;
        return Collection ? Collection->GetItemClass() : nullptr;
    }
    RequireProperty();
    const TPropInfo* Prop = nullptr;
    Target(0, &Prop);
    return Prop ? GetObjectPropClass(Prop) : nullptr;
}

// ---- writing ----

template <class F>
void TZkItemProperty::WriteEach(int ObjectIndex, bool Announce, F&& Write) {
    TZkCustomObjectInspector* Inspector = GetInspector();
    if (!Inspector) return;
    for (int Index : WriteTargets(ObjectIndex)) {
        const TPropInfo* Prop = nullptr;
        if (TObject* T = Target(Index, &Prop); T && Prop) Write(T, Prop);
    }
    if (Announce) Inspector->DoPropertyChanged(Inspector->GetAllItems().IndexOf(this));
}

void TZkItemProperty::StoreValueText(const std::string& Text, TTypeKind Kind) {
    SetValue(Text);
    SetKind(Kind);
}

void TZkItemProperty::SetOrdValue(int64_t Value, int ObjectIndex) {
    if (TZkCustomObjectInspector* Inspector = GetInspector()) Inspector->DoPropertyChanging(this);
    if (!FIsProperty) return StoreValueText(IntToStr(Value), tkInteger);
    WriteEach(ObjectIndex, false, [&](TObject* T, const TPropInfo* P) { SetOrdProp(T, P, Value); });
}

void TZkItemProperty::SetStrValue(const std::string& Value, int ObjectIndex) {
    if (TZkCustomObjectInspector* Inspector = GetInspector()) Inspector->DoPropertyChanging(this);
    if (!FIsProperty) return StoreValueText(Value, tkString);
    WriteEach(ObjectIndex, false, [&](TObject* T, const TPropInfo* P) { SetStrProp(T, P, Value); });
}

void TZkItemProperty::SetFloatValue(double Value, int ObjectIndex) {
    TZkCustomObjectInspector* Inspector = GetInspector();
    if (Inspector) Inspector->DoPropertyChanging(this);
    if (!FIsProperty) return StoreValueText(FloatToStr(Value), tkFloat);
    WriteEach(ObjectIndex, true, [&](TObject* T, const TPropInfo* P) { SetFloatProp(T, P, Value); });
}

void TZkItemProperty::SetInt64Value(int64_t Value, int ObjectIndex) {
    if (TZkCustomObjectInspector* Inspector = GetInspector()) Inspector->DoPropertyChanging(this);
    if (!FIsProperty) return StoreValueText(IntToStr(Value), tkInt64);
    WriteEach(ObjectIndex, false, [&](TObject* T, const TPropInfo* P) { SetInt64Prop(T, P, Value); });
}

void TZkItemProperty::SetVariantValue(const TVariant& Value, int ObjectIndex) {
    if (TZkCustomObjectInspector* Inspector = GetInspector()) Inspector->DoPropertyChanging(this);
    if (!FIsProperty) return StoreValueText(VarToStr(Value), tkVariant);
    WriteEach(ObjectIndex, false,
              [&](TObject* T, const TPropInfo* P) { SetVariantProp(T, P, Value); });
}

void TZkItemProperty::SetMethodValue(const TMethod& Value, int ObjectIndex) {
    RequireProperty();
    if (TZkCustomObjectInspector* Inspector = GetInspector()) Inspector->DoPropertyChanging(this);
    WriteEach(ObjectIndex, true, [&](TObject* T, const TPropInfo* P) { SetMethodProp(T, P, Value); });
}

void TZkItemProperty::SetInterfaceValue(IInterface* Value, int ObjectIndex) {
    RequireProperty();
    if (TZkCustomObjectInspector* Inspector = GetInspector()) Inspector->DoPropertyChanging(this);
    WriteEach(ObjectIndex, true,
              [&](TObject* T, const TPropInfo* P) { SetInterfaceProp(T, P, Value); });
}

void TZkItemProperty::SetObjectValue(TObject* Value, int ObjectIndex) {
    RequireProperty();
    if (TZkCustomObjectInspector* Inspector = GetInspector()) Inspector->DoPropertyChanging(this);
    WriteEach(ObjectIndex, true, [&](TObject* T, const TPropInfo* P) { SetObjectProp(T, P, Value); });
}

// ---- applying and refreshing ----

void TZkItemProperty::ApplyValue() {
    TZkCustomObjectInspector* Inspector = GetInspector();
    if (!Inspector) return;
    if (FIsProperty || FOnSetProperty.Assigned())
        Inspector->WriteRowToObjects(this);
    else if (TZkItemProperty* Parent = GetParentRow())
        Parent->ChildValueChanged(this);
}

// An element counts as included unless its text is the name False.
std::string TZkItemProperty::SetTextOfElements(int Column) const {
    std::string Text;
    TZkItemProperties* Elements = GetItems();
    for (int I = 0; Elements && I < Elements->GetCount(); ++I) {
        TZkItemProperty* Element = Elements->GetItem(I);
        if (GetEnumValue(TypeInfoBoolean(), Element->GetValues()->Get(Column)) == 0) continue;
        if (!Text.empty()) Text += ',';
        Text += Element->GetPropName();
    }
    return Text;
}

void TZkItemProperty::ChildValueChanged(TZkItemProperty*) {
    TZkCustomObjectInspector* Inspector = GetInspector();
    if (!Inspector || !FIsProperty || FKind != tkSet) return;
    const bool Multi = Inspector->GetDisplayOptions().Contains(doMultiColValues);
    const int Columns = Multi ? Inspector->GetObjects()->GetCount() : 1;
    for (int I = 0; I < Columns; ++I) {
        GetValues()->Get(I);  // pads the list to the columns
        GetValues()->Put(I, SetTextOfElements(I));
    }
    ApplyValue();
}

void TZkItemProperty::Validate() {
    try {
        TZkItemProp::Validate();
        ApplyValue();
    } catch (const std::exception& E) {
        TZkCustomObjectInspector* Inspector = GetInspector();
        TZkInplaceEditList* Editor = Inspector ? Inspector->GetInplaceEditList() : nullptr;
        if (!Editor) throw;
        const std::string Message =
            FIsProperty ? Format("\"%s\" is not a valid %s value: %s",
                                 {GetValue(), FTypeName, MessageOf(E)})
                        : Format("\"%s\" is not a valid property value", {GetValue()});
        Editor->Undo();
        throw Exception(Message);
    }
}

bool TZkItemProperty::RefreshValue() {
    bool Result = true;
    TZkCustomObjectInspector* Inspector = GetInspector();
    TZkInspectorObjects* Objects = Inspector ? Inspector->GetObjects() : nullptr;
    const bool Reads = FIsProperty || FOnGetProperty.Assigned() || FItemType == itSetElement ||
                       FItemType == itCollection;
    if (Objects && Objects->GetCount() > 0 && Reads) {
        TZkItemPropValueStrings* Values = GetValues();
        TStrings::TUpdateGuard Guard(*Values);
        const bool Multi = Inspector->GetDisplayOptions().Contains(doMultiColValues);
        const int Columns = Multi ? Objects->GetCount() : 1;
        for (int B = 0; B < Columns; ++B) {
            std::string Path = GetPropPath();
            TObject* T = Inspector->ResolveInstance(Objects->GetItem(B)->GetInstance(), Path, this);
            std::string Text;
            if (FOnGetProperty.Assigned()) {
                FOnGetProperty(this, T, FPropName, Text);
            } else if (FItemType == itSetElement) {
                TZkItemProperty* SetRow = FindAncestorOfItemType(itSet);
                const std::vector<TVariant>& Bits = GetCapturedValues();
                bool On = false;
                if (SetRow && static_cast<size_t>(B) < Bits.size() && !Bits[B].IsEmpty()) {
                    const std::vector<TVariant>& Sets = SetRow->GetCapturedValues();
                    const int Bit = Bits[B].AsInteger();
                    On = Bit >= 0 && Bit < 32 && static_cast<size_t>(B) < Sets.size() &&
                         !Sets[B].IsEmpty() && (Sets[B].AsInt64() >> Bit & 1);
                }
                Text = On ? "True" : "False";
            } else {
                if (!T) {
                    Result = false;
                    break;
                }
                Text = Inspector->GetPropertyText(T, this);
                if (FIsProperty) SetCapturedValue(B, GetPropValue(T, Path, false));
            }
            Values->Get(B);  // pads the list to the columns
            Values->Put(B, Text);
        }
    }
    if (FOnRefreshValue.Assigned())
        FOnRefreshValue(Inspector, this);
    else if (Inspector && Inspector->GetOnRefreshValue().Assigned())
        Inspector->GetOnRefreshValue()(Inspector, this);
    return Result;
}

void TZkItemProperty::WMPropertyChanged(TMessage& Message) {
    RefreshValue();
    Message.Result = 1;
}

// ---- changed values and their font ----

bool TZkItemProperty::IsValueChanged(int ObjectIndex) const {
    TZkCustomObjectInspector* Inspector = GetInspector();
    if (!Inspector || !FIsProperty) return false;
    const TPropInfo* Prop = nullptr;
    TObject* T = Target(ObjectIndex, &Prop);
    if (!T || !Prop) return true;
    if (!IsStoredProp(T, Prop)) return false;
    switch (FKind) {
        case tkString:
        case tkLString:
        case tkWString:
            return true;
        case tkInteger:
        case tkChar:
        case tkEnumeration:
        case tkSet:
        case tkWChar: {
            const std::vector<TVariant>& Captured = GetCapturedValues();
            const size_t Index = static_cast<size_t>(ReadTarget(ObjectIndex));
            if (Index >= Captured.size() || Captured[Index].IsEmpty()) return true;
            const TVariant& V = Captured[Index];
            const int64_t Ordinal = V.VarType() == varBoolean
                                        ? GetEnumValue(Prop->PropType, V.AsBoolean() ? "True" : "False")
                                        : V.AsInt64();
            return Prop->Default != Ordinal;
        }
        default:
            return false;
    }
}

bool TZkItemProperty::AnyValueChanged() const {
    TZkCustomObjectInspector* Inspector = GetInspector();
    if (!Inspector) return false;
    if (!Inspector->GetDisplayOptions().Contains(doMultiColValues)) return IsValueChanged(0);
    for (int I = 0; I < Inspector->GetObjects()->GetCount(); ++I)
        if (IsValueChanged(I)) return true;
    return false;
}

namespace {

// Whether a row's value cell takes the inspector's ValueChangedFont.
bool ShowsChangedFont(const TZkItemProperty* Row, TZkCustomObjectInspector* Inspector,
                      int ValueIndex) {
    if (!Inspector || !Row->GetIsProperty() || !Inspector->GetShowValueChangedFont() ||
        Inspector->GetComponentState().Contains(csDesigning) ||
        Inspector->GetObjects()->GetCount() == 0)
        return false;
    if (ValueIndex >= 0 && Inspector->GetDisplayOptions().Contains(doMultiColValues))
        return Row->IsValueChanged(ValueIndex);
    return Row->AnyValueChanged();
}

}  // namespace

TFont* TZkItemProperty::GetValueFont() const {
    TZkCustomObjectInspector* Inspector = GetInspector();
    if (ShowsChangedFont(this, Inspector, -1)) return Inspector->GetValueChangedFont();
    return TZkItemProp::GetValueFont();
}

TFont* TZkItemProperty::GetColumnValueFont(int ValueIndex) const {
    TZkCustomObjectInspector* Inspector = GetInspector();
    if (ShowsChangedFont(this, Inspector, ValueIndex)) return Inspector->GetValueChangedFont();
    return TZkItemProp::GetColumnValueFont(ValueIndex);
}

// ---- stream data ----

void TZkItemProperty::DefineProperties(TFiler* Filer) {
    TZkItemProp::DefineProperties(Filer);
    Filer->DefineProperty(
        "TypeData", [this](TReader* R) { ReadTypeData(R); },
        [this](TWriter* W) { WriteTypeData(W); }, FIsProperty);
    Filer->DefineProperty(
        "IsAllEqual", [this](TReader* R) { ReadIsAllEqual(R); },
        [this](TWriter* W) { WriteIsAllEqual(W); }, FIsAllEqual);
}

void TZkItemProperty::WriteTypeData(TWriter* Writer) {
    Writer->WriteListBegin();
    Writer->WriteString(FPropName);
    Writer->WriteString(FTypeName);
    Writer->WriteInteger(FKind);
    const std::vector<TVariant>& Captured = GetCapturedValues();
    Writer->WriteInteger(static_cast<int64_t>(Captured.size()));
    for (const TVariant& V : Captured) Writer->WriteVariant(V);
    Writer->WriteInteger(FItemType);
    Writer->WriteListEnd();
}

void TZkItemProperty::ReadTypeData(TReader* Reader) {
    Reader->ReadListBegin();
    std::string PropName = Reader->ReadString();
    std::string TypeName = Reader->ReadString();
    const int Kind = Reader->ReadInteger();
    if (Kind < tkUnknown || Kind > tkDynArray) throw EReadError("Invalid property value");
    const int Count = Reader->ReadInteger();
    if (Count < 0) throw EReadError("Invalid property value");
    std::vector<TVariant> Captured;
    for (int I = 0; I < Count; ++I) Captured.push_back(Reader->ReadVariant());
    const int ItemType = Reader->ReadInteger();
    if (ItemType < itPlain || ItemType > itCollectionItem) throw EReadError("Invalid property value");
    Reader->ReadListEnd();
    // Taken over only when the whole list was read.
    FPropName = std::move(PropName);
    FTypeName = std::move(TypeName);
    FCapturedValues = std::move(Captured);
    SetKind(static_cast<TTypeKind>(Kind));
    SetItemType(static_cast<uint8_t>(ItemType));
    SetIsProperty(true);
}

void TZkItemProperty::WriteIsAllEqual(TWriter* Writer) {
    Writer->WriteBoolean(FIsAllEqual);
}

void TZkItemProperty::ReadIsAllEqual(TReader* Reader) {
    FIsAllEqual = Reader->ReadBoolean();
}

// ---- TZkItemProperties ----

ZK_IMPLEMENT_CLASS(TZkItemProperties)
void TZkItemProperties::DescribeClass(TClassBuilder<TZkItemProperties>&) {}

TZkItemProperties::TZkItemProperties(TPersistent* AOwner, const TClassInfo* ItemClass)
    : TZkItemProps(AOwner, ItemClass) {}

TZkItemProperty* TZkItemProperties::GetItem(int Index) const {
    return static_cast<TZkItemProperty*>(TZkItemProps::GetItem(Index));
}

TZkItemProperty* TZkItemProperties::AddItem() {
    return static_cast<TZkItemProperty*>(TZkItemProps::AddItem());
}

TZkItemProperty* TZkItemProperties::AddPath(const std::string& Path, const std::string& ValueText,
                                            bool AlwaysAddLeaf) {
    return static_cast<TZkItemProperty*>(TZkItemProps::AddPath(Path, ValueText, AlwaysAddLeaf));
}

TZkItemProperty* TZkItemProperties::FindPath(const std::string& Path) const {
    return static_cast<TZkItemProperty*>(TZkItemProps::FindPath(Path));
}

TZkItemProperty* TZkItemProperties::GetParentRow() const {
    return DynamicCast<TZkItemProperty>(GetParentItem());
}

}  // namespace zk
