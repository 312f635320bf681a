// TZkPropertyPreset: its properties and the flags they switch, matching rows and applying
// its actions to them, copying, and its stream markers.
#include "inspector/ZkPropertyPreset.h"

#include "inspector/ZkObjectInspector.h"
#include "inspector/ZkPropertyPresets.h"
#include "itemlist/ZkDeltaFont.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/Filer.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/SysUtils.h"

namespace zk {

namespace {

TStringList* NewNameList(TZkPropertyPreset* Owner) {
    TStringList* List = Create<TStringList>();
    List->SetCaseSensitive(false);
    List->SetOnChange(TNotifyEvent(Owner, &TZkPropertyPreset::StringsChanged));
    return List;
}

// A class or one of its ancestors has a name on the list; the entries are tried in order.
bool ClassTest(const TClassInfo* Class, const TStringList* Names) {
    for (int I = 0; I < Names->GetCount(); ++I)
        for (const TClassInfo* C = Class; C; C = C->ClassParent())
            if (SameText(C->ClassName(), Names->Get(I))) return true;
    return false;
}

bool NameTest(const TStringList* Names, const TZkItemProperty* Row, bool Full, bool Plain) {
    if (!Row) return false;
    return (Full && Names->IndexOf(Row->GetFullName()) >= 0) ||
           (Plain && Names->IndexOf(Row->GetName()) >= 0);
}

bool TypeTest(TTypeKinds Kinds, const TStringList* Names, const TZkItemProperty* Row) {
    if (!Row) return false;
    if (Kinds == TTypeKinds{tkUnknown}) return true;  // the wildcard
    if (Kinds.Contains(Row->GetKind()) &&
        (Names->GetCount() == 0 || Names->IndexOf(Row->GetTypeName()) >= 0))
        return true;
    if (!Kinds.Contains(tkClass) || Row->GetKind() != tkClass) return false;
    const TClassInfo* Class = GetClass(Row->GetTypeName());
    if (!Class && (Row->GetIsProperty() || Row->GetItemType() == itCollectionItem))
        Class = Row->GetObjectClass();
    return Class && ClassTest(Class, Names);
}

}  // namespace

// A preset's font reports to its preset, which keeps the action flags in step.
ZK_IMPLEMENT_CLASS(TZkPropertyPreset)
void TZkPropertyPreset::DescribeClass(TClassBuilder<TZkPropertyPreset>& C) {
    using P = TZkPropertyPreset;
    C.Prop("Active", &P::GetActive, &P::SetActive).Default(true);
    C.Prop("MatchTypes", &P::GetMatchTypes, &P::SetMatchTypes).Default(TZkPresetMatchTypes());
    C.Prop("TypeKinds", &P::GetTypeKinds, &P::SetTypeKinds).Default(TTypeKinds());
    C.Prop("TypeNames", &P::GetTypeNames, &P::SetTypeNames);
    C.Prop("ParentClassNames", &P::GetParentClassNames, &P::SetParentClassNames);
    C.Prop("Alias", &P::GetAlias, &P::SetAlias);
    C.Prop("Inclusive", &P::GetInclusive, &P::SetInclusive).Default(true);
    C.Prop("Font", &P::GetFont, &P::SetFont);
    C.Prop("ValueFont", &P::GetValueFont, &P::SetValueFont);
    C.Prop("Name", &P::GetName, &P::SetName);
    C.Prop("PropNames", &P::GetPropNames, &P::SetPropNames);
    C.Prop("ParentPropNames", &P::GetParentPropNames, &P::SetParentPropNames);
    C.Prop("ParentTypeKinds", &P::GetParentTypeKinds, &P::SetParentTypeKinds).Default(TTypeKinds());
    C.Prop("ParentTypeNames", &P::GetParentTypeNames, &P::SetParentTypeNames);
    C.Prop("Hint", &P::GetHint, &P::SetHint);
    C.Prop("EditStyle", &P::GetEditStyle, &P::SetEditStyle).Default(esSimple);
    C.Prop("EditMask", &P::GetEditMask, &P::SetEditMask);
    C.Prop("OnCustomPreset", &P::GetOnCustomPreset, &P::SetOnCustomPreset);
    C.Prop("OnMatchPreset", &P::GetOnMatchPreset, &P::SetOnMatchPreset);
    C.Prop("OnEditButtonClick", &P::GetOnEditButtonClick, &P::SetOnEditButtonClick);
    C.Prop("OnGetPickList", &P::GetOnGetPickList, &P::SetOnGetPickList);
    C.Prop("OnGetProperty", &P::GetOnGetProperty, &P::SetOnGetProperty);
    C.Prop("OnSetProperty", &P::GetOnSetProperty, &P::SetOnSetProperty);
    C.Prop("OnValidate", &P::GetOnValidate, &P::SetOnValidate);
    C.Prop("PickList", &P::GetPickList, &P::SetPickList);
    C.Prop("Actions", &P::GetActions, &P::SetActions).NoDefault();
}

TZkPropertyPreset::TZkPropertyPreset(TCollection* Collection)
    : TCollectionItem(Collection),
      FPropNames(NewNameList(this)),
      FParentClassNames(NewNameList(this)),
      FTypeNames(NewNameList(this)),
      FParentTypeNames(NewNameList(this)),
      FParentPropNames(NewNameList(this)) {
    // The collection is joined later, once the preset is whole: its inspector
    // is found through the collection given here.
    auto* Presets = DynamicCast<TZkPropertyPresets>(Collection);
    TZkCustomObjectInspector* Inspector = Presets ? Presets->GetInspector() : nullptr;
    FFont.reset(Create<TZkCustomDeltaFont>());
    if (Inspector) FFont->Assign(Inspector->GetFont());
    FValueFont.reset(Create<TZkCustomDeltaFont>());
    // Hooked only now, so that the copy does not count as a change.
    for (TZkCustomDeltaFont* F : {FFont.get(), FValueFont.get()}) {
        F->SetOnChange(TNotifyEvent(this, &TZkPropertyPreset::FontChanged));
        F->SetOnGetParentFont(TZkGetParentFontEvent(this, &TZkPropertyPreset::GetParentFont));
    }
}

TZkPropertyPreset::~TZkPropertyPreset() = default;

TZkCustomObjectInspector* TZkPropertyPreset::GetInspector() const {
    auto* Presets = DynamicCast<TZkPropertyPresets>(GetCollection());
    return Presets ? Presets->GetInspector() : nullptr;
}

std::string TZkPropertyPreset::GetDisplayName() const {
    return FName.empty() ? TCollectionItem::GetDisplayName() : FName;
}

TFont* TZkPropertyPreset::GetFont() const {
    return FFont.get();
}

TFont* TZkPropertyPreset::GetValueFont() const {
    return FValueFont.get();
}

TStringList* TZkPropertyPreset::GetPickList() const {
    if (!FPickList) {
        FPickList.reset(Create<TStringList>());
        auto* Self = const_cast<TZkPropertyPreset*>(this);
        FPickList->SetOnChange(TNotifyEvent(Self, &TZkPropertyPreset::PickListChanged));
    }
    return FPickList.get();
}

bool TZkPropertyPreset::HasPickList() const {
    return FPickList && FPickList->GetCount() > 0;
}

// ---- setters ----

void TZkPropertyPreset::SwitchAction(TZkPropertyPresetType Flag, bool On) {
    if (On)
        FActions.Include(Flag);
    else
        FActions.Exclude(Flag);
}

void TZkPropertyPreset::SwitchMatch(TZkPresetMatchType Flag, bool On) {
    if (On)
        FMatchTypes.Include(Flag);
    else
        FMatchTypes.Exclude(Flag);
}

void TZkPropertyPreset::SetActive(bool Value) {
    if (Value == FActive) return;
    FActive = Value;
    Notify();
}

void TZkPropertyPreset::SetActions(TZkPropertyPresetTypes Value) {
    if (Value == FActions) return;
    // Contradictions are ignored, not corrected.
    if (Value.Contains(pftReadOnly) && Value.Contains(pftWritable)) return;
    if (Value.Contains(pftVisible) && Value.Contains(pftHidden)) return;
    FActions = Value;
    Notify();
}

void TZkPropertyPreset::SetInclusive(bool Value) {
    if (Value == FInclusive) return;
    FInclusive = Value;
    Notify();
}

void TZkPropertyPreset::SetMatchTypes(TZkPresetMatchTypes Value) {
    if (Value == FMatchTypes) return;
    FMatchTypes = Value;
    Notify();
}

void TZkPropertyPreset::SetTypeKinds(TTypeKinds Value) {
    if (Value == FTypeKinds) return;
    FTypeKinds = Value;
    Notify();
}

void TZkPropertyPreset::SetParentTypeKinds(TTypeKinds Value) {
    if (Value == FParentTypeKinds) return;
    FParentTypeKinds = Value;
    Notify();
}

void TZkPropertyPreset::SetName(const std::string& Value) {
    if (Value == FName) return;
    FName = Value;
    Notify();
}

void TZkPropertyPreset::SetAlias(const std::string& Value) {
    if (Value == FAlias) return;
    FAlias = Value;
    SwitchAction(pftAlias, !Value.empty());
    Notify();
}

void TZkPropertyPreset::SetHint(const std::string& Value) {
    if (Value == FHint) return;
    FHint = Value;
    SwitchAction(pftHint, !Value.empty());
    Notify();
}

void TZkPropertyPreset::SetEditMask(const std::string& Value) {
    if (Value == FEditMask) return;
    FEditMask = Value;
    SwitchAction(pftEditMask, !Value.empty());
    Notify();
}

void TZkPropertyPreset::SetEditStyle(TEditStyle Value) {
    if (Value == FEditStyle) return;
    FEditStyle = Value;
    FActions.Include(pftEditStyle);
    Notify();
}

void TZkPropertyPreset::ValidateHooksChanged() {
    SwitchAction(pftValidate, FOnValidate.Assigned() || FOnSetProperty.Assigned());
    Notify();
}

void TZkPropertyPreset::SetOnValidate(const TZkOnValidateEvent& Value) {
    FOnValidate = Value;
    ValidateHooksChanged();
}

void TZkPropertyPreset::SetOnSetProperty(const TZkItemSetPropertyEvent& Value) {
    FOnSetProperty = Value;
    ValidateHooksChanged();
}

void TZkPropertyPreset::SetOnCustomPreset(const TZkItemPropertyEvent& Value) {
    FOnCustomPreset = Value;
    SwitchAction(pftCustom, Value.Assigned());
    Notify();
}

void TZkPropertyPreset::SetPropNames(TStrings* Value) {
    FPropNames->Assign(Value);
}

void TZkPropertyPreset::SetTypeNames(TStrings* Value) {
    FTypeNames->Assign(Value);
}

void TZkPropertyPreset::SetParentClassNames(TStrings* Value) {
    FParentClassNames->Assign(Value);
}

void TZkPropertyPreset::SetParentPropNames(TStrings* Value) {
    FParentPropNames->Assign(Value);
}

void TZkPropertyPreset::SetParentTypeNames(TStrings* Value) {
    FParentTypeNames->Assign(Value);
}

void TZkPropertyPreset::SetPickList(TStrings* Value) {
    GetPickList()->Assign(Value);
}

void TZkPropertyPreset::SetFont(TFont* Value) {
    FFont->Assign(Value);
}

void TZkPropertyPreset::SetValueFont(TFont* Value) {
    FValueFont->Assign(Value);
}

// ---- change handlers ----

void TZkPropertyPreset::StringsChanged(TObject* Sender) {
    if (Sender == FPropNames.get())
        SwitchMatch(mtPropertyName, FPropNames->GetCount() > 0);
    else if (Sender == FTypeNames.get())
        SwitchMatch(mtPropertyType, FTypeNames->GetCount() > 0);
    else if (Sender == FParentClassNames.get())
        SwitchMatch(mtClassName, FParentClassNames->GetCount() > 0);
    else if (Sender == FParentPropNames.get())
        SwitchMatch(mtParentPropertyName, FParentPropNames->GetCount() > 0);
    else if (Sender == FParentTypeNames.get())
        SwitchMatch(mtParentPropertyType, FParentTypeNames->GetCount() > 0);
    Notify();
}

void TZkPropertyPreset::PickListChanged(TObject*) {
    const bool Has = HasPickList();
    if (FEditStyle == esSimple && Has)
        SetEditStyle(esPickList);
    else if (FEditStyle == esPickList && !Has)
        SetEditStyle(esSimple);
}

void TZkPropertyPreset::FontChanged(TObject* Sender) {
    if (Sender == FFont.get())
        FActions.Include(pftFont);
    else if (Sender == FValueFont.get())
        FActions.Include(pftValueFont);
    Notify();
}

void TZkPropertyPreset::GetParentFont(TObject* Sender, TFont*& ParentFont) {
    TZkCustomObjectInspector* Inspector = GetInspector();
    if (!Inspector) return;
    if (Sender == FFont.get())
        ParentFont = Inspector->GetFont();
    else if (Sender == FValueFont.get())
        ParentFont = Inspector->GetValueFont();
}

void TZkPropertyPreset::InspectorFontChanged() {
    if (TZkCustomObjectInspector* Inspector = GetInspector()) FFont->FollowParent(Inspector->GetFont());
}

void TZkPropertyPreset::InspectorValueFontChanged() {
    if (TZkCustomObjectInspector* Inspector = GetInspector())
        FValueFont->FollowParent(Inspector->GetValueFont());
}

// ---- matching and applying ----

bool TZkPropertyPreset::IsMatch(TZkItemProperty* Item) {
    if (FMatchTypes.Empty()) return false;
    bool Passed = true;
    const bool Full = FMatchTypes.Contains(mtFullPropertyName);
    const bool Plain = FMatchTypes.Contains(mtPropertyName);
    if (Full || Plain) Passed = NameTest(FPropNames.get(), Item, Full, Plain);
    if (Passed && FMatchTypes.Contains(mtPropertyType))
        Passed = TypeTest(FTypeKinds, FTypeNames.get(), Item);
    TZkCustomObjectInspector* Inspector = GetInspector();
    if (Passed && FMatchTypes.Contains(mtClassName) && FParentClassNames->GetCount() > 0) {
        // Always the class of the first inspected object.
        TZkInspectorObjects* Objects = Inspector ? Inspector->GetObjects() : nullptr;
        TObject* First = Objects && Objects->GetCount() > 0 ? Objects->GetItem(0)->GetInstance() : nullptr;
        Passed = First && ClassTest(First->ClassType(), FParentClassNames.get());
    }
    TZkItemProperty* Parent = Item ? Item->FindAncestorOfKind(tkClass, std::string()) : nullptr;
    if (Passed && FMatchTypes.Contains(mtParentPropertyType))
        Passed = TypeTest(FParentTypeKinds, FParentTypeNames.get(), Parent);
    const bool ParentFull = FMatchTypes.Contains(mtParentFullPropertyName);
    const bool ParentPlain = FMatchTypes.Contains(mtParentPropertyName);
    if (Passed && (ParentFull || ParentPlain))
        Passed = NameTest(FParentPropNames.get(), Parent, ParentFull, ParentPlain);
    bool Result = Passed == FInclusive;
    // Only a row that met every criterion is offered for the final say.
    if (Passed) {
        if (FOnMatchPreset.Assigned())
            FOnMatchPreset(this, Item, Result);
        else if (Inspector)
            Inspector->DoMatchPreset(this, Item, Result);
    }
    return Result;
}

void TZkPropertyPreset::Apply(TZkItemProperty* Item) {
    if (!Item) return;
    if (FActions.Contains(pftAlias)) Item->SetName(FAlias);
    if (FActions.Contains(pftReadOnly))
        Item->SetReadOnly(true);
    else if (FActions.Contains(pftWritable))
        Item->SetReadOnly(false);
    if (FActions.Contains(pftVisible))
        Item->SetVisible(true);
    else if (FActions.Contains(pftHidden))
        Item->SetVisible(false);
    if (FActions.Contains(pftHint)) Item->SetHint(FHint);
    if (FActions.Contains(pftEditStyle)) {
        Item->SetEditStyle(FEditStyle);
        if (FEditStyle == esEllipsis) {
            Item->SetOnEditButtonClick(FOnEditButtonClick);
        } else if (FEditStyle == esPickList) {
            if (HasPickList()) Item->SetPickList(FPickList.get());
            Item->SetOnGetPickList(FOnGetPickList);
        }
    }
    if (FActions.Contains(pftEditMask)) Item->SetEditMask(FEditMask);
    if (FActions.Contains(pftValidate)) {
        Item->SetOnValidate(FOnValidate);
        Item->SetOnGetProperty(FOnGetProperty);
        Item->SetOnSetProperty(FOnSetProperty);
    }
    if (FActions.Contains(pftFont)) Item->SetFont(FFont.get());
    if (FActions.Contains(pftValueFont)) Item->SetValueFont(FValueFont.get());
    if (FActions.Contains(pftCustom)) {
        if (FOnCustomPreset.Assigned()) {
            FOnCustomPreset(this, Item);
        } else if (TZkCustomObjectInspector* Inspector = GetInspector()) {
            Inspector->DoCustomPreset(this, Item);
        }
    }
}

TZkItemProperty* TZkPropertyPreset::FindItemProperty(TObject* Sender,
                                                     const std::string& PropName) const {
    if (auto* Row = DynamicCast<TZkItemProperty>(Sender)) return Row;
    TZkCustomObjectInspector* Inspector = GetInspector();
    return Inspector ? Inspector->GetItems()->FindPath(PropName) : nullptr;
}

// ---- copying ----

void TZkPropertyPreset::Assign(TPersistent* Source) {
    auto* Src = DynamicCast<TZkPropertyPreset>(Source);
    if (!Src) {
        TCollectionItem::Assign(Source);
        return;
    }
    // The lists and fonts report each change; the collection reports them once.
    TCollection* Collection = GetCollection();
    if (Collection) Collection->BeginUpdate();
    TScopeExit Done([Collection] {
        if (Collection) Collection->EndUpdate();
    });
    FActive = Src->FActive;
    FAlias = Src->FAlias;
    FActions = Src->FActions;
    FInclusive = Src->FInclusive;
    FPropNames->Assign(Src->FPropNames.get());
    FHint = Src->FHint;
    FEditStyle = Src->FEditStyle;
    FEditMask = Src->FEditMask;
    FMatchTypes = Src->FMatchTypes;
    FName = Src->FName;
    FParentClassNames->Assign(Src->FParentClassNames.get());
    FParentPropNames->Assign(Src->FParentPropNames.get());
    FParentTypeNames->Assign(Src->FParentTypeNames.get());
    FTypeNames->Assign(Src->FTypeNames.get());
    FTypeKinds = Src->FTypeKinds;
    FParentTypeKinds = Src->FParentTypeKinds;
    FOnEditButtonClick = Src->FOnEditButtonClick;
    FOnGetPickList = Src->FOnGetPickList;
    FOnValidate = Src->FOnValidate;
    FOnGetProperty = Src->FOnGetProperty;
    FOnSetProperty = Src->FOnSetProperty;
    if (Src->HasPickList())
        GetPickList()->Assign(Src->FPickList.get());
    else
        FPickList.reset();
    FFont->Assign(Src->FFont.get());
    FValueFont->Assign(Src->FValueFont.get());
    Changed(false);
}

void TZkPropertyPreset::AssignTo(TPersistent* Dest) {
    if (auto* Row = DynamicCast<TZkItemProperty>(Dest)) {
        Apply(Row);
        return;
    }
    TCollectionItem::AssignTo(Dest);
}

// ---- stream markers ----

void TZkPropertyPreset::DefineProperties(TFiler* Filer) {
    TCollectionItem::DefineProperties(Filer);
    auto Marker = [this, Filer](const char* Name, auto Get) {
        Filer->DefineProperty(
            Name,
            [this, Get](TReader* Reader) {
                if (Reader->ReadBoolean()) (this->*Get)()->Clear();
            },
            [](TWriter* Writer) { Writer->WriteBoolean(true); }, (this->*Get)()->GetCount() == 0);
    };
    Marker("TypeNamesEmpty", &TZkPropertyPreset::GetTypeNames);
    Marker("ParentClassNamesEmpty", &TZkPropertyPreset::GetParentClassNames);
    Marker("PropNamesEmpty", &TZkPropertyPreset::GetPropNames);
    Marker("ParentPropNamesEmpty", &TZkPropertyPreset::GetParentPropNames);
    Marker("ParentTypeNamesEmpty", &TZkPropertyPreset::GetParentTypeNames);
    Marker("PickListEmpty", &TZkPropertyPreset::GetPickList);
}

}  // namespace zk
