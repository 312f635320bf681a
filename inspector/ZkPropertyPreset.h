// The preset rule TZkPropertyPreset: which rows of an inspector it picks out (names, full
// names, type kinds and names, the inspected class, the parent property) and what it does
// to them (alias, read-only, visibility, hint, edit style, mask, value hooks, fonts).
#pragma once
#include <string>

#include "inspector/ZkItemProperty.h"
#include "platform/core/Collection.h"
#include "platform/core/StringList.h"

namespace zk {

class TZkCustomDeltaFont;
class TZkCustomObjectInspector;

ZK_ENUM(TZkPresetMatchType, uint8_t, mtPropertyName, mtFullPropertyName, mtPropertyType,
        mtClassName, mtParentPropertyName, mtParentFullPropertyName, mtParentPropertyType)
ZK_SET(TZkPresetMatchTypes, TZkPresetMatchType)
ZK_ENUM(TZkPropertyPresetType, uint8_t, pftCustom, pftAlias, pftReadOnly, pftWritable,
        pftVisible, pftHidden, pftHint, pftEditStyle, pftEditMask, pftValidate, pftFont,
        pftValueFont)
ZK_SET(TZkPropertyPresetTypes, TZkPropertyPresetType)

// A rule over an inspector's rows. IsMatch decides whether a row meets the
// criteria MatchTypes names (all of them; within one list, any entry), with
// Inclusive turning the outcome round; Apply carries out Actions on it.
// Setters keep MatchTypes and Actions in step with the lists, texts and
// handlers they fill, and report every change to the inspector, which
// applies its presets again.
//
// Null behaviour: a preset outside an inspector's collection has no
// inspector: its class criterion fails when it names classes, the
// inspector's events are not consulted and its fonts have no parent.
class TZkPropertyPreset : public TCollectionItem {
    ZK_CLASS(TZkPropertyPreset, TCollectionItem)
public:
    explicit TZkPropertyPreset(TCollection* Collection);
    ~TZkPropertyPreset() override;

    // From another preset: everything but OnCustomPreset and OnMatchPreset.
    void Assign(TPersistent* Source) override;
    // Name, or the class name.
    std::string GetDisplayName() const override;
    // The six markers of empty lists.
    void DefineProperties(TFiler* Filer) override;

    // ---- introduced operations, in slot order ----
    // A name list changed: its criterion follows whether it has entries.
    virtual void StringsChanged(TObject* Sender);
    // The pick list changed: EditStyle follows whether it has entries.
    virtual void PickListChanged(TObject* Sender);
    virtual void Apply(TZkItemProperty* Item);
    virtual bool IsMatch(TZkItemProperty* Item);
    virtual void FontChanged(TObject* Sender);
    // The inspector's font (value font) changed: ours follow it outside their delta.
    virtual void InspectorFontChanged();
    virtual void InspectorValueFontChanged();
    virtual void GetParentFont(TObject* Sender, TFont*& ParentFont);

    TZkCustomObjectInspector* GetInspector() const;
    bool HasPickList() const;
    // Sender when it is a row; else the inspector's row at the path PropName.
    TZkItemProperty* FindItemProperty(TObject* Sender, const std::string& PropName) const;

    // ---- properties ----
    bool GetActive() const { return FActive; }
    void SetActive(bool Value);
    TZkPropertyPresetTypes GetActions() const { return FActions; }
    // A set with both pftReadOnly and pftWritable, or both pftVisible and
    // pftHidden, is ignored.
    void SetActions(TZkPropertyPresetTypes Value);
    bool GetInclusive() const { return FInclusive; }
    void SetInclusive(bool Value);
    TStringList* GetPropNames() const { return FPropNames.get(); }
    void SetPropNames(TStrings* Value);
    const std::string& GetHint() const { return FHint; }
    void SetHint(const std::string& Value);
    const std::string& GetEditMask() const { return FEditMask; }
    void SetEditMask(const std::string& Value);
    TEditStyle GetEditStyle() const { return FEditStyle; }
    void SetEditStyle(TEditStyle Value);
    // Made on first read.
    TStringList* GetPickList() const;
    void SetPickList(TStrings* Value);
    const std::string& GetAlias() const { return FAlias; }
    void SetAlias(const std::string& Value);
    TZkPresetMatchTypes GetMatchTypes() const { return FMatchTypes; }
    void SetMatchTypes(TZkPresetMatchTypes Value);
    TStringList* GetParentClassNames() const { return FParentClassNames.get(); }
    void SetParentClassNames(TStrings* Value);
    TStringList* GetTypeNames() const { return FTypeNames.get(); }
    void SetTypeNames(TStrings* Value);
    TTypeKinds GetTypeKinds() const { return FTypeKinds; }
    void SetTypeKinds(TTypeKinds Value);
    const std::string& GetName() const { return FName; }
    void SetName(const std::string& Value);
    TFont* GetFont() const;
    void SetFont(TFont* Value);
    TFont* GetValueFont() const;
    void SetValueFont(TFont* Value);
    TStringList* GetParentTypeNames() const { return FParentTypeNames.get(); }
    void SetParentTypeNames(TStrings* Value);
    TStringList* GetParentPropNames() const { return FParentPropNames.get(); }
    void SetParentPropNames(TStrings* Value);
    TTypeKinds GetParentTypeKinds() const { return FParentTypeKinds; }
    void SetParentTypeKinds(TTypeKinds Value);

    const TNotifyEvent& GetOnEditButtonClick() const { return FOnEditButtonClick; }
    void SetOnEditButtonClick(const TNotifyEvent& Value) { FOnEditButtonClick = Value; }
    const TZkGetPickListEvent& GetOnGetPickList() const { return FOnGetPickList; }
    void SetOnGetPickList(const TZkGetPickListEvent& Value) { FOnGetPickList = Value; }
    const TZkOnValidateEvent& GetOnValidate() const { return FOnValidate; }
    void SetOnValidate(const TZkOnValidateEvent& Value);
    const TZkItemPropertyEvent& GetOnCustomPreset() const { return FOnCustomPreset; }
    void SetOnCustomPreset(const TZkItemPropertyEvent& Value);
    const TZkItemSetPropertyEvent& GetOnSetProperty() const { return FOnSetProperty; }
    void SetOnSetProperty(const TZkItemSetPropertyEvent& Value);
    const TZkItemGetPropertyEvent& GetOnGetProperty() const { return FOnGetProperty; }
    void SetOnGetProperty(const TZkItemGetPropertyEvent& Value) { FOnGetProperty = Value; }
    const TZkItemPropertyQueryEvent& GetOnMatchPreset() const { return FOnMatchPreset; }
    void SetOnMatchPreset(const TZkItemPropertyQueryEvent& Value) { FOnMatchPreset = Value; }

protected:
    // Assigning a preset to a row applies it.
    void AssignTo(TPersistent* Dest) override;
    // A change of this preset goes to the collection, and so to the inspector.
    void Notify() { Changed(false); }

private:
    class TPresetFont;
    // Switches Flag on Actions (without the Actions setter's checks) and notifies.
    void SwitchAction(TZkPropertyPresetType Flag, bool On);
    void SwitchMatch(TZkPresetMatchType Flag, bool On);
    void ValidateHooksChanged();
    // Assign's copy of the lists without running their change handlers twice.
    void AssignLists(TZkPropertyPreset* Source);

    bool FActive = true;
    TZkPropertyPresetTypes FActions;
    bool FInclusive = true;
    TOwned<TStringList> FPropNames;
    std::string FHint;
    std::string FEditMask;
    TEditStyle FEditStyle = esSimple;
    mutable TOwned<TStringList> FPickList;  // made on first read
    TNotifyEvent FOnEditButtonClick;
    TZkGetPickListEvent FOnGetPickList;
    TZkOnValidateEvent FOnValidate;
    TZkItemPropertyEvent FOnCustomPreset;
    std::string FAlias;
    TZkPresetMatchTypes FMatchTypes;
    TOwned<TStringList> FParentClassNames;
    TOwned<TStringList> FTypeNames;
    TTypeKinds FTypeKinds;
    std::string FName;
    TZkItemSetPropertyEvent FOnSetProperty;
    TZkItemGetPropertyEvent FOnGetProperty;
    TOwned<TZkCustomDeltaFont> FFont;
    TOwned<TZkCustomDeltaFont> FValueFont;
    TZkItemPropertyQueryEvent FOnMatchPreset;
    TOwned<TStringList> FParentTypeNames;
    TOwned<TStringList> FParentPropNames;
    TTypeKinds FParentTypeKinds;
};

}  // namespace zk
