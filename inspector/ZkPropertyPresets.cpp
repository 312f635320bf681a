// TZkPropertyPresets and the process-wide registry of preset classes.
#include "inspector/ZkPropertyPresets.h"

#include <algorithm>
#include <memory>
#include <mutex>

#include "inspector/ZkObjectInspector.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/SysUtils.h"

namespace zk {

// ---- TZkPropertyPresets ----

ZK_IMPLEMENT_CLASS(TZkPropertyPresets)
void TZkPropertyPresets::DescribeClass(TClassBuilder<TZkPropertyPresets>&) {}

TZkPropertyPresets::TZkPropertyPresets(TPersistent* Inspector)
    : TOwnedCollection(Inspector, TZkPropertyPreset::StaticClass()),
      FInspector(DynamicCast<TZkCustomObjectInspector>(Inspector)) {}

TZkPropertyPreset* TZkPropertyPresets::GetItem(int Index) const {
    return static_cast<TZkPropertyPreset*>(TCollection::GetItem(Index));
}

TZkCustomObjectInspector* TZkPropertyPresets::GetInspector() const {
    return FInspector;
}

void TZkPropertyPresets::ApplyToItem(TZkItemProperty* Row) {
    for (int I = 0; I < GetCount(); ++I) {
        TZkPropertyPreset* Preset = GetItem(I);
        if (!Preset->GetActive() || !Preset->IsMatch(Row)) continue;
        Preset->Apply(Row);
        // A reader a preset installed shows at once; later presets see the row as it is now.
        if (!Row->RefreshValue()) return;
    }
}

int TZkPropertyPresets::IndexOfClass(const TClassInfo* PresetClass) const {
    for (int I = 0; I < GetCount(); ++I)
        if (GetItem(I)->ClassType() == PresetClass) return I;
    return -1;
}

TZkPropertyPreset* TZkPropertyPresets::AddPreset(const TClassInfo* PresetClass) {
    if (!PresetClass || !PresetClass->InheritsFrom(TZkPropertyPreset::StaticClass()) ||
        !PresetClass->CreateItem)
        throw EInvalidCast("Class %s is not a property preset",
                           {PresetClass ? PresetClass->ClassName() : std::string("nil")});
    return static_cast<TZkPropertyPreset*>(PresetClass->CreateItem(this));
}

void TZkPropertyPresets::Notify(TCollectionItem* Item, TCollectionNotification Action) {
    TOwnedCollection::Notify(Item, Action);
    if (FInspector) FInspector->PresetsNotify(Item, Action);
}

void TZkPropertyPresets::Update(TCollectionItem* Item) {
    TOwnedCollection::Update(Item);
    if (FInspector) FInspector->PresetsUpdate(Item);
}

// ---- the registry ----

namespace {

struct TPresetRegistry {
    std::mutex Lock;
    std::vector<const TClassInfo*> Classes;  // in registration order
};

// Made by the first registration, freed when the program ends.
std::unique_ptr<TPresetRegistry>& Registry() {
    static std::unique_ptr<TPresetRegistry> R;
    return R;
}

std::once_flag RegistryMade;

bool Listed(const TPresetRegistry& R, const TClassInfo* Class) {
    return std::find(R.Classes.begin(), R.Classes.end(), Class) != R.Classes.end();
}

void CheckPresetClass(const TClassInfo* Class) {
    if (!Class || !Class->InheritsFrom(TZkPropertyPreset::StaticClass()))
        throw EInvalidCast("Class %s is not a property preset",
                           {Class ? Class->ClassName() : std::string("nil")});
}

}  // namespace

void RegisterPropertyPreset(const TClassInfo* PresetClass) {
    CheckPresetClass(PresetClass);
    RegisterClass(PresetClass);
    std::call_once(RegistryMade, [] { Registry() = std::make_unique<TPresetRegistry>(); });
    TPresetRegistry& R = *Registry();
    std::lock_guard<std::mutex> Hold(R.Lock);
    // The class, then each ancestor not yet listed, up to the base preset (never listed).
    for (const TClassInfo* C = PresetClass;
         C && C != TZkPropertyPreset::StaticClass() && !Listed(R, C); C = C->ClassParent())
        R.Classes.push_back(C);
}

void RegisterPropertyPresets(std::initializer_list<const TClassInfo*> PresetClasses) {
    for (const TClassInfo* C : PresetClasses) RegisterPropertyPreset(C);
}

void UnregisterPropertyPreset(const TClassInfo* PresetClass) {
    if (!Registry()) return;
    TPresetRegistry& R = *Registry();
    std::lock_guard<std::mutex> Hold(R.Lock);
    for (const TClassInfo* C = PresetClass;
         C && C != TZkPropertyPreset::StaticClass() && Listed(R, C); C = C->ClassParent())
        R.Classes.erase(std::find(R.Classes.begin(), R.Classes.end(), C));
}

void UnregisterPropertyPresets(std::initializer_list<const TClassInfo*> PresetClasses) {
    for (const TClassInfo* C : PresetClasses) UnregisterPropertyPreset(C);
}

std::vector<const TClassInfo*> PropertyPresetClasses() {
    if (!Registry()) return {};
    TPresetRegistry& R = *Registry();
    std::lock_guard<std::mutex> Hold(R.Lock);
    return R.Classes;
}

void ForEachPropertyPresetClass(const std::function<void(const TClassInfo*)>& Proc) {
    if (!Registry()) return;
    TPresetRegistry& R = *Registry();
    std::lock_guard<std::mutex> Hold(R.Lock);
    for (const TClassInfo* C : R.Classes) Proc(C);
}

}  // namespace zk
