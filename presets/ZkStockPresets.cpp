// Registration of the stock presets, and the helpers their handlers share.
#include "presets/ZkStockPresets.h"

#include "inspector/ZkInspectorRegistration.h"
#include "inspector/ZkPropertyPresets.h"
#include "platform/core/ClassBuilder.h"
#include "presets/ZkStockPresets_p.h"

namespace zk {

namespace {

// Catalogue order: the order of the presets in a new inspector.
std::initializer_list<const TClassInfo*> StockPresetClasses() {
    static const std::initializer_list<const TClassInfo*> Classes = {
        TZkTComponentPropertyPreset::StaticClass(),
        TZkTParentComponentPropertyPreset::StaticClass(),
        TZkTFontNamePropertyPreset::StaticClass(),
        TZkTColorPropertyPreset::StaticClass(),
        TZkTCursorPropertyPreset::StaticClass(),
        TZkTFontDlgPropertyPreset::StaticClass(),
        TZkTStringsPropertyPreset::StaticClass(),
        TZkTPicturePropertyPreset::StaticClass(),
        TZkTCollectionPropertyPreset::StaticClass(),
        TZkTDatePropertyPreset::StaticClass(),
        TZkTTimePropertyPreset::StaticClass(),
        TZkTDateTimePropertyPreset::StaticClass(),
        TZkTFilenamePropertyPreset::StaticClass(),
        TZkTModalResultPropertyPreset::StaticClass(),
        TZkTINIStringsPropertyPreset::StaticClass(),
        TZkTListItemsDlgPropertyPreset::StaticClass(),
        TZkTTreeNodesDlgPropertyPreset::StaticClass(),
        TZkFilenamePropPropertyPreset::StaticClass(),
    };
    return Classes;
}

}  // namespace

void RegisterStockPresets() {
    RegisterInspectorClasses();
    RegisterPropertyPresets(StockPresetClasses());
}

void UnregisterStockPresets() {
    UnregisterPropertyPresets(StockPresetClasses());
}

// ---- shared helpers ----

ZK_IMPLEMENT_CLASS(TRowHold)
void TRowHold::DescribeClass(TClassBuilder<TRowHold>&) {}

TRowHold::TRowHold(TZkItemProperty* Row)
    : TComponent(nullptr), FInspector(Row->GetInspector()), FFullName(Row->GetFullName()) {
    if (FInspector) FInspector->FreeNotification(this);
}

void TRowHold::BeforeDestruction() {
    if (FInspector) FInspector->RemoveFreeNotification(this);
    FInspector = nullptr;
    TComponent::BeforeDestruction();
}

TZkItemProperty* TRowHold::Row() const {
    return FInspector ? FInspector->GetItems()->FindPath(FFullName) : nullptr;
}

void TRowHold::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == FInspector) FInspector = nullptr;
    TComponent::Notification(AComponent, Operation);
}

TZkItemProperty* SenderRow(TObject* Sender) {
    auto* Row = DynamicCast<TZkItemProperty>(Sender);
    return Row && Row->GetInspector() ? Row : nullptr;
}

void InitTypePreset(TZkPropertyPreset* Preset, const char* Name, TTypeKinds Kinds,
                    const char* TypeName, TEditStyle Style) {
    Preset->SetName(Name);
    Preset->SetTypeKinds(Kinds);
    Preset->GetTypeNames()->Add(TypeName);  // switches mtPropertyType on
    Preset->SetEditStyle(Style);
}

}  // namespace zk
