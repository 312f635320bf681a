// The object inspector: TZkCustomObjectInspector, a grid of rows bound to the published
// properties of one or more live objects, and TZkObjectInspector, which publishes it.
#pragma once
#include <exception>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "inspector/ZkInspectorObjects.h"
#include "inspector/ZkItemProperty.h"
#include "itemlist/ZkItemListEditor.h"

namespace zk {

class TZkCustomDeltaFont;
class TZkPropertyPreset;
class TZkPropertyPresets;

ZK_ENUM(TInplaceTStringsOption, uint8_t, isUseNameValue, isSort)
ZK_SET(TInplaceTStringsOptions, TInplaceTStringsOption)

ZK_EVENT(TZkCustomPresetItemEvent,
         void(TObject* Sender, TZkPropertyPreset* Preset, TZkItemProperty* Item))
ZK_EVENT(TZkCustomPresetItemQueryEvent,
         void(TObject* Sender, TZkPropertyPreset* Preset, TZkItemProperty* Item, bool& Result))

// The inspector's private messages: a value was committed (WParam: the row's
// index among all rows), and the rows are to be built again.
inline constexpr uint32_t ZM_PROPERTYCHANGED = 2475;
inline constexpr uint32_t ZM_RESCAN = 2476;

// The kinds of properties that get rows by default, and the mask of kinds
// that never do.
inline const TTypeKinds DefaultDisplayKinds = TTypeKinds::FromInt(106238);
inline const TTypeKinds NeverDisplayedKinds = TTypeKinds{tkArray, tkRecord, tkDynArray};

// A grid of rows bound to the published properties of the inspected objects
// (Objects, or Component for one). Changing the objects or a setting that
// shapes the rows clears them and posts a rescan; committing a value writes
// it into every inspected object and posts a refresh.
class TZkCustomObjectInspector : public TZkCustomItemListEditor {
    ZK_CLASS(TZkCustomObjectInspector, TZkCustomItemListEditor)
public:
    explicit TZkCustomObjectInspector(TComponent* AOwner);
    ~TZkCustomObjectInspector() override;
    void AfterConstruction() override;
    // Lets go of every inspected object while the control is whole.
    void BeforeDestruction() override;
    // From another inspector: the scan settings, filters, presets, objects
    // and the value-changed font.
    void Assign(TPersistent* Source) override;
    // "HItems" (the rows) and "HPresets" (the presets, when there are any).
    void DefineProperties(TFiler* Filer) override;
    void Loaded() override;

    // ---- introduced operations, in slot order ----
    virtual void DoAfterScan(TZkItemProperty* Item);
    virtual bool DoBeforeScan(TZkItemProperty* Item);
    virtual TZkPropertyPresets* CreatePresets();
    virtual void FiltersChanging();
    virtual void FiltersChanged();
    virtual void DoCustomPreset(TZkPropertyPreset* Preset, TZkItemProperty* Item);
    virtual void DoMatchPreset(TZkPropertyPreset* Preset, TZkItemProperty* Item, bool& Result);
    // Writes Text into the property of Row that Instance holds (following the
    // row's path); true when the property's text differed from Text.
    virtual bool SetPropertyValue(TObject* Instance, TZkItemProperty* Row, const std::string& Text);
    // The inspected objects are about to change: the rows go.
    virtual void ObjectsChanging();
    virtual void ObjectsChanged(TZkInspectorObject* Item);
    virtual void PresetsNotify(TCollectionItem* Item, TCollectionNotification Action);
    virtual void PresetsUpdate(TCollectionItem* Item);
    virtual void ScanAll();
    // Refreshes Collection's rows and their sub-rows; false at the first row
    // whose object is gone.
    virtual bool RefreshValues(TZkItemProperties* Collection);
    // The row's values go into every inspected object, or none of them.
    virtual void WriteRowToObjects(TZkItemProperty* Row);
    virtual void RefreshAll();
    virtual void Rescan();
    virtual void AddRegisteredPresets();

    // ---- dynamic operations ----
    virtual void ValueChangedFontChanged();
    virtual void DoPropertyChanging(TZkItemProperty* Row);
    // Posts the property-changed message for the row at Index among all rows.
    virtual void DoPropertyChanged(int Index);

    // ---- values ----
    // The object that holds the last property of Path, following the rows
    // from Row's top-level ancestor; Path keeps its last segment. Null when
    // the path cannot be followed.
    TObject* ResolveInstance(TObject* Instance, std::string& Path, const TZkItemProperty* Row) const;
    // The text of Row's property (PropName) of Instance.
    std::string GetPropertyText(TObject* Instance, const TZkItemProperty* Row) const;
    // The text of the property Prop of Instance, by its kind.
    static std::string PropertyText(TObject* Instance, const TPropInfo* Prop);
    // The same text from Value, Prop's value as GetPropValue reads it without preferring strings.
    static std::string ValueText(const TVariant& Value, const TPropInfo* Prop);
    // Posts a rescan, unless the control is loading or being destroyed.
    void PostRescan();
    void ApplyPresets();

    // ---- scan ----
    void ScanProperties(TZkInspectorObjects* Objects, TZkItemProperties* Rows,
                        TZkInspectorObjects* ParentObjects);
    void InitPropertyRow(TZkItemProperty* Row, TZkInspectorObjects* Objects,
                         const std::string& PropName);
    // What a scan read of a property before making its row: the first object's value and, when
    // known, whether every object shows the same text.
    struct TScanProbe {
        TVariant Value0;
        std::optional<bool> AllEqual;
        bool Skipped = false;      // the read raised an OLE error: the property has no row
        std::exception_ptr Error;  // any other failure, raised where the row would be made
    };
    // The same for Prop, with what the scan read of it already (null: nothing).
    void InitPropertyRow(TZkItemProperty* Row, TZkInspectorObjects* Objects, const TPropInfo* Prop,
                         const TScanProbe* Probe);
    bool IsCommonProperty(TZkInspectorObjects* Objects, const TPropInfo* Descriptor) const;
    void AddCollectionItemRow(const std::string& PropName, TCollection* Collection,
                              TCollectionItem* Item, TZkInspectorObjects* ParentObjects,
                              TZkItemProperty* Row);
    void ScanStrings(TZkItemProperty* Row);
    void ApplyFilters();

    // ---- properties ----
    TZkInspectorObjects* GetObjects() const { return FObjects.get(); }
    void SetObjects(TZkInspectorObjects* Value);
    // The published Component: the first inspected component, null when
    // none. (GetComponent is every component's own interface method.)
    TComponent* GetInspectedComponent() const;
    void SetInspectedComponent(TComponent* Value);
    TZkItemProperties* GetItems() const;
    void SetItems(TZkItemProperties* Value);
    TZkPropertyPresets* GetPresets() const { return FPresets.get(); }
    void SetPresets(TZkPropertyPresets* Value);
    TStringList* GetFilters() const { return FFilters.get(); }
    void SetFilters(TStrings* Value);
    TTypeKinds GetDisplayKinds() const { return FDisplayKinds; }
    // Stores the kinds without those that never get rows.
    void SetDisplayKinds(TTypeKinds Value);
    bool GetInplaceComponents() const { return FInplaceComponents; }
    void SetInplaceComponents(bool Value);
    bool GetInplaceCollections() const { return FInplaceCollections; }
    void SetInplaceCollections(bool Value);
    const std::string& GetCollectionItemFormat() const { return FCollectionItemFormat; }
    void SetCollectionItemFormat(const std::string& Value);
    bool GetInplaceTStrings() const { return FInplaceTStrings; }
    void SetInplaceTStrings(bool Value);
    TInplaceTStringsOptions GetInplaceTStringsOptions() const { return FInplaceTStringsOptions; }
    void SetInplaceTStringsOptions(TInplaceTStringsOptions Value);
    const std::string& GetStringsItemFormat() const { return FStringsItemFormat; }
    void SetStringsItemFormat(const std::string& Value);
    bool GetShowValueChangedFont() const { return FShowValueChangedFont; }
    void SetShowValueChangedFont(bool Value);
    TZkCustomDeltaFont* GetValueChangedFont() const { return FValueChangedFont.get(); }
    void SetValueChangedFont(TFont* Value);
    bool GetDynamicTitleCaptions() const { return FDynamicTitleCaptions; }
    void SetDynamicTitleCaptions(bool Value);
    // A rescan opens again the rows that were open, by full name, and keeps
    // the top line where it was (the current row is kept in any case).
    bool GetKeepExpansion() const { return FKeepExpansion; }
    void SetKeepExpansion(bool Value) { FKeepExpansion = Value; }
    bool IsScanning() const { return FScanning; }
    const std::string& GetSelectedPath() const { return FSelectedPath; }
    // The objects already scanned in the running scan.
    const std::unordered_set<const TObject*>& GetVisitedInstances() const { return FVisitedInstances; }

    void SetArrangeByCategory(bool Value) override;
    void SetDisplayOptions(TILEDisplayOptions Value) override;
    TZkItemProps* CreateItemCollection(TPersistent* Owner) override;
    std::string GetCellText(int ACol, int ARow) override;

    const TZkItemPropertyQueryEvent& GetOnBeforeScan() const { return FOnBeforeScan; }
    void SetOnBeforeScan(const TZkItemPropertyQueryEvent& Value) { FOnBeforeScan = Value; }
    const TZkItemPropertyEvent& GetOnAfterScan() const { return FOnAfterScan; }
    void SetOnAfterScan(const TZkItemPropertyEvent& Value) { FOnAfterScan = Value; }
    const TNotifyEvent& GetOnFiltersChanging() const { return FOnFiltersChanging; }
    void SetOnFiltersChanging(const TNotifyEvent& Value) { FOnFiltersChanging = Value; }
    const TNotifyEvent& GetOnFiltersChanged() const { return FOnFiltersChanged; }
    void SetOnFiltersChanged(const TNotifyEvent& Value) { FOnFiltersChanged = Value; }
    const TZkCustomPresetItemEvent& GetOnCustomPreset() const { return FOnCustomPreset; }
    void SetOnCustomPreset(const TZkCustomPresetItemEvent& Value) { FOnCustomPreset = Value; }
    const TZkCustomPresetItemQueryEvent& GetOnMatchPreset() const { return FOnMatchPreset; }
    void SetOnMatchPreset(const TZkCustomPresetItemQueryEvent& Value) { FOnMatchPreset = Value; }
    const TZkItemPropertyEvent& GetOnPropertyChanging() const { return FOnPropertyChanging; }
    void SetOnPropertyChanging(const TZkItemPropertyEvent& Value) { FOnPropertyChanging = Value; }
    const TZkItemPropertyEvent& GetOnPropertyChanged() const { return FOnPropertyChanged; }
    void SetOnPropertyChanged(const TZkItemPropertyEvent& Value) { FOnPropertyChanged = Value; }
    const TZkItemPropertyEvent& GetOnRefreshValue() const { return FOnRefreshValue; }
    void SetOnRefreshValue(const TZkItemPropertyEvent& Value) { FOnRefreshValue = Value; }

protected:
    void ItemsCreated() override;
    void ItemNotify(TZkItemProp* Item, TCollectionNotification Action) override;
    TEditStyle GetEditStyle(int ACol, int ARow) override;
    void FontChanged() override;
    void ValueFontChanged() override;
    // An inspected component or a NotifyComponent is being freed: its entry goes.
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WMPropertyChanged(TMessage& Message);
    void WMRescan(TMessage& Message);

private:
    friend class TZkItemProperty;

    void ReadItems(TReader* Reader);
    void WriteItems(TWriter* Writer);
    void ReadPresets(TReader* Reader);
    void WritePresets(TWriter* Writer);
    void FiltersChanging(TObject* Sender);
    void FiltersChanged(TObject* Sender);
    void ValueChangedFontChange(TObject* Sender);
    void AskValueFont(TObject* Sender, TFont*& ParentFont);
    // Scan steps.
    void CompareObjects(TZkInspectorObjects* Objects, const std::vector<const TPropInfo*>& Props,
                        std::vector<TScanProbe>& Probes);
    void ScanNested(TZkItemProperty* Row, TZkInspectorObjects* Objects);
    void AddElementRows(TZkItemProperty* Row, const TTypeInfo* SetType, int Columns);
    void ScanCollectionItems(TZkItemProperty* Owner, TZkItemProperties* Rows,
                             TZkInspectorObjects* ParentObjects);
    // The string list a line row reads and writes, and its line index.
    TStrings* LineList(TZkItemProperty* Row, TObject* Instance, bool NameValue) const;
    void ReadLine(TObject* Sender, TObject* Instance, const std::string& PropName,
                  std::string& Value);
    void WriteLine(TObject* Sender, TObject* Instance, const std::string& PropName,
                   const std::string& Value);
    void ReadNameValue(TObject* Sender, TObject* Instance, const std::string& PropName,
                       std::string& Value);
    void WriteNameValue(TObject* Sender, TObject* Instance, const std::string& PropName,
                        const std::string& Value);
    bool IsVisited(const TObject* Instance) const;

    TOwned<TZkPropertyPresets> FPresets;
    TOwned<TZkInspectorObjects> FObjects;
    TOwned<TStringList> FFilters;
    TZkCustomPresetItemEvent FOnCustomPreset;
    bool FScanning = false;
    TNotifyEvent FOnFiltersChanged;
    TNotifyEvent FOnFiltersChanging;
    bool FInplaceCollections = false;
    std::string FCollectionItemFormat = "Items[%d]";
    TZkItemPropertyEvent FOnPropertyChanged;
    bool FShowValueChangedFont = true;
    TOwned<TZkCustomDeltaFont> FValueChangedFont;
    TZkItemPropertyQueryEvent FOnBeforeScan;
    TZkItemPropertyEvent FOnAfterScan;
    TZkItemPropertyEvent FOnPropertyChanging;
    std::unordered_set<const TObject*> FVisitedInstances;  // not owned; live for one scan
    std::string FSelectedPath;
    TZkItemPropertyEvent FOnRefreshValue;
    TZkCustomPresetItemQueryEvent FOnMatchPreset;
    bool FInplaceComponents = true;
    TTypeKinds FDisplayKinds = DefaultDisplayKinds;
    bool FDynamicTitleCaptions = false;
    bool FInplaceTStrings = false;
    std::string FStringsItemFormat = "Items[%d]";
    TInplaceTStringsOptions FInplaceTStringsOptions;
    bool FRescanPosted = false;  // a rescan message is on its way
    bool FKeepExpansion = false;
    // Rows taken out while presets are applied, so that a row freed meanwhile is passed over.
    bool FTrackingRows = false;
    std::unordered_set<const TZkItemProp*> FDetachedRows;
};

// The inspector with its properties published.
class TZkObjectInspector : public TZkCustomObjectInspector {
    ZK_CLASS(TZkObjectInspector, TZkCustomObjectInspector)
public:
    explicit TZkObjectInspector(TComponent* AOwner);
};

}  // namespace zk
