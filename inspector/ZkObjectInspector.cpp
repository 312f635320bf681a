// TZkCustomObjectInspector: construction, properties, the deferred messages, the hooks the
// presets use, cell text and edit style, and the stream data; TZkObjectInspector's
// published properties.
#include "inspector/ZkObjectInspector.h"

#include "inspector/YSpecialFiler.h"
#include "inspector/ZkInspectorRegistration.h"
#include "inspector/ZkPropertyPresets.h"
#include "itemlist/ZkDeltaFont.h"
#include "itemlist/ZkItemListPublish.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/Colors.h"
#include "platform/core/Filer.h"
#include "platform/core/ScopeExit.h"
#include "platform/gui/Messages.h"

namespace zk {

namespace {

// The categories the inspector files common properties under, one line per
// property name, in line order.
constexpr const char* DefaultCategories[][2] = {
    {"Action", "Action"}, {"Caption", "Action"}, {"Enabled", "Action"},
    {"HelpContext", "Action"}, {"Hint", "Action"}, {"Visible", "Action"},
    {"DockSite", "Drag, Drop and Docking"}, {"DragKind", "Drag, Drop and Docking"},
    {"DragMode", "Drag, Drop and Docking"}, {"UseDockManager", "Drag, Drop and Docking"},
    {"Filters", "Database"},
    {"HelpContext", "Help and Hints"}, {"HelpKeyword", "Help and Hints"},
    {"HelpType", "Help and Hints"}, {"Hint", "Help and Hints"},
    {"ParentShowHint", "Help and Hints"}, {"ShowHint", "Help and Hints"},
    {"Enabled", "Input"},
    {"Align", "Layout"}, {"Anchors", "Layout"}, {"Constraints", "Layout"}, {"Height", "Layout"},
    {"Left", "Layout"}, {"TabOrder", "Layout"}, {"TabStop", "Layout"}, {"Top", "Layout"},
    {"Width", "Layout"},
    {"Ctl3D", "Legacy"}, {"ParentCtl3D", "Legacy"},
    {"Component", "Linkage"}, {"PopupMenu", "Linkage"},
    {"BiDiMode", "Locale"},
    {"ParentBiDiMode", "Linkage"},
    {"Constraints", "Localizable"}, {"Font", "Localizable"}, {"BiDiMode", "Localizable"},
    {"Height", "Localizable"}, {"Hint", "Localizable"}, {"ParentBiDiMode", "Localizable"},
    {"ParentFont", "Localizable"}, {"ValueFont", "Localizable"},
    {"ValueChangedFont", "Localizable"}, {"CategoryFont", "Localizable"}, {"Top", "Localizable"},
    {"Width", "Localizable"},
    {"Align", "Visual"}, {"BorderStyle", "Visual"}, {"Color", "Visual"}, {"Cursor", "Visual"},
    {"Enabled", "Visual"}, {"FixedColor", "Visual"}, {"Font", "Visual"}, {"Height", "Visual"},
    {"Left", "Visual"}, {"ParentColor", "Visual"}, {"ParentFont", "Visual"}, {"Top", "Visual"},
    {"ValueChangedFont", "Visual"}, {"ValueFont", "Visual"}, {"Visible", "Visual"},
    {"Width", "Visual"},
};

}  // namespace

ZK_IMPLEMENT_CLASS(TZkCustomObjectInspector)
void TZkCustomObjectInspector::DescribeClass(TClassBuilder<TZkCustomObjectInspector>& C) {
    C.Message(ZM_PROPERTYCHANGED, &TZkCustomObjectInspector::WMPropertyChanged);
    C.Message(ZM_RESCAN, &TZkCustomObjectInspector::WMRescan);
}

TZkCustomObjectInspector::TZkCustomObjectInspector(TComponent* AOwner)
    : TZkCustomItemListEditor(AOwner) {
    RegisterInspectorClasses();
    FObjects.reset(Create<TZkInspectorObjects>(static_cast<TPersistent*>(this)));
    FFilters.reset(Create<TStringList>());
    FFilters->SetCaseSensitive(false);
    FFilters->SetOnChanging(TNotifyEvent(this, &TZkCustomObjectInspector::FiltersChanging));
    FFilters->SetOnChange(TNotifyEvent(this, &TZkCustomObjectInspector::FiltersChanged));
    GetValueFont()->SetColor(static_cast<TColor>(0x800000));
    // A bold variant of ValueFont that follows it in everything else.
    FValueChangedFont.reset(Create<TZkCustomDeltaFont>());
    FValueChangedFont->Assign(GetValueFont());
    FValueChangedFont->SetOnGetParentFont(
        TZkGetParentFontEvent(this, &TZkCustomObjectInspector::AskValueFont));
    FValueChangedFont->SetStyle(FValueChangedFont->GetStyle().Include(fsBold));
    FValueChangedFont->SetOnChange(
        TNotifyEvent(this, &TZkCustomObjectInspector::ValueChangedFontChange));
    SetColor(clBtnFace);
    SetCaseSensitive(false);
    SetDropBlankLines(false);
    // A search should find a property wherever it is nested.
    SetFilterCollapsed(true);
}

TZkCustomObjectInspector::~TZkCustomObjectInspector() = default;

void TZkCustomObjectInspector::AfterConstruction() {
    // Virtual factories run once the whole object exists.
    FPresets.reset(CreatePresets());
    TZkCustomItemListEditor::AfterConstruction();
    SetSorted(true);
    AddRegisteredPresets();
}

void TZkCustomObjectInspector::BeforeDestruction() {
    if (FObjects) FObjects->Clear();
    TZkCustomItemListEditor::BeforeDestruction();
}

TZkItemProps* TZkCustomObjectInspector::CreateItemCollection(TPersistent* Owner) {
    return Create<TZkItemProperties>(Owner, TZkItemProperty::StaticClass());
}

TZkPropertyPresets* TZkCustomObjectInspector::CreatePresets() {
    return Create<TZkPropertyPresets>(static_cast<TPersistent*>(this));
}

void TZkCustomObjectInspector::ItemsCreated() {
    TStringList* Categories = TZkCustomItemListEditor::GetItems()->GetCategories();
    TStrings::TUpdateGuard Guard(*Categories);
    for (const auto& Line : DefaultCategories)
        Categories->Add(std::string(Line[0]) + "=" + Line[1]);
}

void TZkCustomObjectInspector::Assign(TPersistent* Source) {
    auto* Src = DynamicCast<TZkCustomObjectInspector>(Source);
    if (!Src) {
        TZkCustomItemListEditor::Assign(Source);
        return;
    }
    SetCollectionItemFormat(Src->FCollectionItemFormat);
    SetShowValueChangedFont(Src->FShowValueChangedFont);
    SetInplaceCollections(Src->FInplaceCollections);
    SetInplaceComponents(Src->FInplaceComponents);
    SetInplaceTStrings(Src->FInplaceTStrings);
    SetInplaceTStringsOptions(Src->FInplaceTStringsOptions);
    SetStringsItemFormat(Src->FStringsItemFormat);
    SetDisplayKinds(Src->FDisplayKinds);
    SetDynamicTitleCaptions(Src->FDynamicTitleCaptions);
    SetFilters(Src->FFilters.get());
    SetPresets(Src->FPresets.get());
    SetObjects(Src->FObjects.get());
    SetValueChangedFont(Src->FValueChangedFont.get());
}

void TZkCustomObjectInspector::Loaded() {
    TZkCustomItemListEditor::Loaded();
    ApplyPresets();
}

// ---- the objects ----

TComponent* TZkCustomObjectInspector::GetInspectedComponent() const {
    return FObjects->GetCount() > 0 ? FObjects->GetItem(0)->GetComponent() : nullptr;
}

void TZkCustomObjectInspector::SetInspectedComponent(TComponent* Value) {
    if (Value) {
        if (FObjects->GetCount() == 0)
            FObjects->AddInstance(Value);
        else
            FObjects->GetItem(0)->SetComponent(Value);
    } else if (FObjects->GetCount() > 0) {
        FObjects->RemoveInstance(nullptr);
    }
}

void TZkCustomObjectInspector::SetObjects(TZkInspectorObjects* Value) {
    FObjects->Assign(Value);
}

void TZkCustomObjectInspector::Notification(TComponent* AComponent, TOperation Operation) {
    TZkCustomItemListEditor::Notification(AComponent, Operation);
    // Every entry that refers to it goes (it may be one entry's Instance and another's owner).
    if (Operation == opRemove && FObjects)
        while (FObjects->RemoveInstance(AComponent) >= 0) {
        }
}

void TZkCustomObjectInspector::ObjectsChanging() {
    InvalidateEditor();
    if (IsLoading()) return;
    if (GetInplaceEditor())
        if (TZkItemProp* Current = GetCurrentItem()) FSelectedPath = Current->GetFullName();
    if (TZkItemProps* Items = TZkCustomItemListEditor::GetItems()) Items->Clear();
}

void TZkCustomObjectInspector::ObjectsChanged(TZkInspectorObject*) {
    if (!IsDestroying()) PostRescan();
}

// ---- deferred work ----

void TZkCustomObjectInspector::PostRescan() {
    if (IsLoading() || IsDestroying() || FRescanPosted) return;
    // One rescan serves every change made before it runs.
    FRescanPosted = true;
    PostMessage(GetMessageReceiver(), ZM_RESCAN);
}

void TZkCustomObjectInspector::WMRescan(TMessage&) {
    FRescanPosted = false;
    Rescan();
}

void TZkCustomObjectInspector::DoPropertyChanging(TZkItemProperty* Row) {
    Row->SetIsAllEqual(!GetDisplayOptions().Contains(doMultiColValues));
    if (FOnPropertyChanging.Assigned()) FOnPropertyChanging(this, Row);
}

void TZkCustomObjectInspector::DoPropertyChanged(int Index) {
    PostMessage(GetMessageReceiver(), ZM_PROPERTYCHANGED, Index);
}

void TZkCustomObjectInspector::WMPropertyChanged(TMessage& Message) {
    const int Index = static_cast<int>(Message.WParam);
    // Typing that began on another row before this refresh arrived (the commit
    // came from leaving the row) is the user's, not the object's: the refresh
    // must not put the old value back under it, or Enter would write that.
    TZkItemProp* Committed =
        Index >= 0 && Index < GetAllItems().GetCount() ? GetAllItems()[Index] : nullptr;
    TInplaceEdit* Editor = GetInplaceEditor();
    const bool KeepTyping = Editor && GetEditorMode() && Editor->GetVisible() &&
                            Editor->GetModified() && GetCurrentItem() != Committed;
    if (!RefreshValues(GetItems())) PostRescan();
    if (KeepTyping && GetInplaceEditor() == Editor && Editor->GetVisible() &&
        Editor->GetEditText() != GetEditText(GetCol(), GetRow()))
        UpdateText();
    if (Index >= 0 && Index < GetAllItems().GetCount() && FOnPropertyChanged.Assigned())
        FOnPropertyChanged(this, static_cast<TZkItemProperty*>(GetAllItems()[Index]));
}

// ---- properties ----

TZkItemProperties* TZkCustomObjectInspector::GetItems() const {
    return static_cast<TZkItemProperties*>(TZkCustomItemListEditor::GetItems());
}

void TZkCustomObjectInspector::SetItems(TZkItemProperties* Value) {
    TZkCustomItemListEditor::SetItems(Value);
}

void TZkCustomObjectInspector::SetPresets(TZkPropertyPresets* Value) {
    FPresets->Assign(Value);
}

void TZkCustomObjectInspector::SetFilters(TStrings* Value) {
    FFilters->Assign(Value);
}

void TZkCustomObjectInspector::FiltersChanging(TObject*) {
    FiltersChanging();
}

void TZkCustomObjectInspector::FiltersChanged(TObject*) {
    FiltersChanged();
}

void TZkCustomObjectInspector::FiltersChanging() {
    if (FOnFiltersChanging.Assigned()) FOnFiltersChanging(this);
}

void TZkCustomObjectInspector::FiltersChanged() {
    if (FOnFiltersChanged.Assigned()) FOnFiltersChanged(this);
    PostRescan();
}

void TZkCustomObjectInspector::SetDisplayKinds(TTypeKinds Value) {
    Value = Value - NeverDisplayedKinds;
    if (Value == FDisplayKinds) return;
    FDisplayKinds = Value;
    PostRescan();
}

void TZkCustomObjectInspector::SetInplaceComponents(bool Value) {
    if (Value == FInplaceComponents) return;
    FInplaceComponents = Value;
    PostRescan();
}

void TZkCustomObjectInspector::SetInplaceCollections(bool Value) {
    if (Value == FInplaceCollections) return;
    FInplaceCollections = Value;
    PostRescan();
}

void TZkCustomObjectInspector::SetCollectionItemFormat(const std::string& Value) {
    if (Value == FCollectionItemFormat) return;
    FCollectionItemFormat = Value;
    PostRescan();
}

void TZkCustomObjectInspector::SetInplaceTStrings(bool Value) {
    if (Value == FInplaceTStrings) return;
    FInplaceTStrings = Value;
    PostRescan();
}

void TZkCustomObjectInspector::SetInplaceTStringsOptions(TInplaceTStringsOptions Value) {
    if (Value == FInplaceTStringsOptions) return;
    FInplaceTStringsOptions = Value;
    PostRescan();
}

void TZkCustomObjectInspector::SetStringsItemFormat(const std::string& Value) {
    if (Value == FStringsItemFormat) return;
    FStringsItemFormat = Value;
    PostRescan();
}

void TZkCustomObjectInspector::SetShowValueChangedFont(bool Value) {
    if (Value == FShowValueChangedFont) return;
    FShowValueChangedFont = Value;
    Invalidate();
}

void TZkCustomObjectInspector::SetValueChangedFont(TFont* Value) {
    FValueChangedFont->Assign(Value);
}

void TZkCustomObjectInspector::SetDynamicTitleCaptions(bool Value) {
    if (Value == FDynamicTitleCaptions) return;
    FDynamicTitleCaptions = Value;
    LayoutChanged();
}

void TZkCustomObjectInspector::SetArrangeByCategory(bool Value) {
    if (Value == GetArrangeByCategory()) return;
    TZkCustomItemListEditor::SetArrangeByCategory(Value);
    PostRescan();
}

void TZkCustomObjectInspector::SetDisplayOptions(TILEDisplayOptions Value) {
    if (Value.Contains(doMultiColValues) != GetDisplayOptions().Contains(doMultiColValues))
        PostRescan();
    TZkCustomItemListEditor::SetDisplayOptions(Value);
}

// ---- fonts ----

void TZkCustomObjectInspector::AskValueFont(TObject*, TFont*& ParentFont) {
    ParentFont = GetValueFont();
}

void TZkCustomObjectInspector::ValueChangedFontChange(TObject*) {
    ValueChangedFontChanged();
}

void TZkCustomObjectInspector::ValueChangedFontChanged() {
    Invalidate();
}

void TZkCustomObjectInspector::FontChanged() {
    if (FPresets)
        for (int I = 0; I < FPresets->GetCount(); ++I) FPresets->GetItem(I)->InspectorFontChanged();
    TZkCustomItemListEditor::FontChanged();
}

void TZkCustomObjectInspector::ValueFontChanged() {
    if (FValueChangedFont) FValueChangedFont->FollowParent(GetValueFont());
    if (FPresets)
        for (int I = 0; I < FPresets->GetCount(); ++I)
            FPresets->GetItem(I)->InspectorValueFontChanged();
    TZkCustomItemListEditor::ValueFontChanged();
}

// ---- presets ----

void TZkCustomObjectInspector::DoCustomPreset(TZkPropertyPreset* Preset, TZkItemProperty* Item) {
    if (FOnCustomPreset.Assigned()) FOnCustomPreset(this, Preset, Item);
}

void TZkCustomObjectInspector::DoMatchPreset(TZkPropertyPreset* Preset, TZkItemProperty* Item,
                                             bool& Result) {
    if (FOnMatchPreset.Assigned()) FOnMatchPreset(this, Preset, Item, Result);
}

void TZkCustomObjectInspector::PresetsNotify(TCollectionItem*, TCollectionNotification) {}

void TZkCustomObjectInspector::PresetsUpdate(TCollectionItem*) {
    if (!IsLoading()) ApplyPresets();
}

void TZkCustomObjectInspector::AddRegisteredPresets() {
    TUpdateGuard<TZkPropertyPresets> Guard(*FPresets);
    ForEachPropertyPresetClass([this](const TClassInfo* Class) {
        if (FPresets->IndexOfClass(Class) < 0) FPresets->AddPreset(Class);
    });
}

// ---- cells ----

std::string TZkCustomObjectInspector::GetCellText(int ACol, int ARow) {
    const int C = LogicalColumnOf(ACol, ARow);
    const int R = LogicalLineOf(ACol, ARow);
    if (R == 0 && GetDisplayOptions().Contains(doColumnTitles)) {
        if (C >= 1 && FDynamicTitleCaptions && C <= FObjects->GetCount())
            if (TObject* Instance = FObjects->GetItem(C - 1)->GetInstance()) {
                if (auto* Component = DynamicCast<TComponent>(Instance)) return Component->GetName();
                if (auto* Item = DynamicCast<TCollectionItem>(Instance)) return Item->GetDisplayName();
                return Instance->ClassName();
            }
        TStringList* Captions = GetTitleCaptions();
        if (C >= 0 && C < Captions->GetCount()) return Captions->Get(C);
        return Captions->GetCount() > 0 ? Captions->Get(Captions->GetCount() - 1) : std::string();
    }
    auto* Row = static_cast<TZkItemProperty*>(ItemAtCell(ACol, ARow, true));
    if (!Row) return std::string();
    if (C == 0) return Row->GetName();
    TZkItemPropValueStrings* Values = Row->GetValues();
    if (GetDisplayOptions().Contains(doMultiColValues))
        return C - 1 < GetValueColCount() ? Values->GetCellValue(C - 1) : std::string();
    // Differing values of several objects show nothing until the cell is entered.
    const bool Current = ACol == GetCol() && ARow == GetRow();
    if (Row->GetIsAllEqual() || FObjects->GetCount() <= 1 || Current)
        return Values->GetCellValue(0);
    return std::string();
}

TEditStyle TZkCustomObjectInspector::GetEditStyle(int ACol, int ARow) {
    const TEditStyle Style = TZkCustomItemListEditor::GetEditStyle(ACol, ARow);
    TZkItemProp* Row = ItemAtCell(ACol, ARow, true);
    // A read-only enumeration has no drop-down; an ellipsis still opens its dialog.
    if (Style == esPickList && Row && IsValueCell(ACol, ARow) && Row->GetReadOnly()) return esSimple;
    return Style;
}

// ---- stream data ----

void TZkCustomObjectInspector::DefineProperties(TFiler* Filer) {
    TZkCustomItemListEditor::DefineProperties(Filer);
    Filer->DefineProperty(
        "HItems", [this](TReader* R) { ReadItems(R); }, [this](TWriter* W) { WriteItems(W); },
        true);
    Filer->DefineProperty(
        "HPresets", [this](TReader* R) { ReadPresets(R); },
        [this](TWriter* W) { WritePresets(W); }, FPresets && FPresets->GetCount() > 0);
}

void TZkCustomObjectInspector::WriteItems(TWriter* Writer) {
    Writer->WriteCollection(GetItems());
}

// Rows are what the objects give them: a stream that fails halfway leaves none.
void TZkCustomObjectInspector::ReadItems(TReader* Reader) {
    try {
        if (Reader->ReadValue() != vaCollection) throw EReadError("Invalid property value");
        Reader->ReadCollection(GetItems());
    } catch (...) {
        GetItems()->Clear();
        throw;
    }
}

void TZkCustomObjectInspector::WritePresets(TWriter* Writer) {
    TOwned<TYSpecialFiler> Filer(Create<TYSpecialFiler>(Writer));
    Filer->WriteCollection(FPresets.get());
}

void TZkCustomObjectInspector::ReadPresets(TReader* Reader) {
    TOwned<TYSpecialFiler> Filer(Create<TYSpecialFiler>(Reader));
    try {
        Filer->ReadCollection(FPresets.get());
    } catch (const EClassNotFound& E) {
        // The reader passes a missing class on as it is; say where it was met.
        throw EClassNotFound("Error reading %s.HPresets: %s",
                             {GetName().empty() ? ClassName() : GetName(), E.Message()});
    }
}

// ---- TZkObjectInspector ----

ZK_IMPLEMENT_CLASS(TZkObjectInspector)
void TZkObjectInspector::DescribeClass(TClassBuilder<TZkObjectInspector>& C) {
    using I = TZkCustomObjectInspector;
    PublishGridProperties(C, true);
    C.Prop("Items", &I::GetItems, &I::SetItems).Stored(false);
    C.Prop("Component", &I::GetInspectedComponent, &I::SetInspectedComponent).NoDefault();
    C.Prop("Objects", &I::GetObjects, &I::SetObjects);
    C.Prop("Presets", &I::GetPresets, &I::SetPresets).Stored(false);
    C.Prop("DisplayKinds", &I::GetDisplayKinds, &I::SetDisplayKinds)
        .Default(TTypeKinds::FromInt(261886));
    C.Prop("Filters", &I::GetFilters, &I::SetFilters);
    C.Prop("InplaceComponents", &I::GetInplaceComponents, &I::SetInplaceComponents).Default(true);
    C.Prop("InplaceCollections", &I::GetInplaceCollections, &I::SetInplaceCollections)
        .Default(false);
    C.Prop("CollectionItemFormat", &I::GetCollectionItemFormat, &I::SetCollectionItemFormat);
    C.Prop("InplaceTStrings", &I::GetInplaceTStrings, &I::SetInplaceTStrings).Default(false);
    C.Prop("InplaceTStringsOptions", &I::GetInplaceTStringsOptions,
           &I::SetInplaceTStringsOptions)
        .NoDefault();
    C.Prop("StringsItemFormat", &I::GetStringsItemFormat, &I::SetStringsItemFormat);
    C.Prop("ShowValueChangedFont", &I::GetShowValueChangedFont, &I::SetShowValueChangedFont)
        .Default(true);
    C.Prop("ValueChangedFont", &I::GetValueChangedFont, &I::SetValueChangedFont);
    C.Prop("DynamicTitleCaptions", &I::GetDynamicTitleCaptions, &I::SetDynamicTitleCaptions)
        .Default(false);
    C.Prop("KeepExpansion", &I::GetKeepExpansion, &I::SetKeepExpansion).Default(false);
    C.Prop("OnBeforeScan", &I::GetOnBeforeScan, &I::SetOnBeforeScan);
    C.Prop("OnAfterScan", &I::GetOnAfterScan, &I::SetOnAfterScan);
    C.Prop("OnFiltersChanging", &I::GetOnFiltersChanging, &I::SetOnFiltersChanging);
    C.Prop("OnFiltersChanged", &I::GetOnFiltersChanged, &I::SetOnFiltersChanged);
    C.Prop("OnCustomPreset", &I::GetOnCustomPreset, &I::SetOnCustomPreset);
    C.Prop("OnMatchPreset", &I::GetOnMatchPreset, &I::SetOnMatchPreset);
    C.Prop("OnPropertyChanging", &I::GetOnPropertyChanging, &I::SetOnPropertyChanging);
    C.Prop("OnPropertyChanged", &I::GetOnPropertyChanged, &I::SetOnPropertyChanged);
    C.Prop("OnRefreshValue", &I::GetOnRefreshValue, &I::SetOnRefreshValue);
}

TZkObjectInspector::TZkObjectInspector(TComponent* AOwner) : TZkCustomObjectInspector(AOwner) {}

}  // namespace zk
