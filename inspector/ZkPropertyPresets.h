// The inspector's ordered preset collection TZkPropertyPresets, and the process-wide registry
// of preset classes every new inspector takes one preset of each from.
#pragma once
#include <initializer_list>
#include <vector>

#include "inspector/ZkPropertyPreset.h"

namespace zk {

// The presets of one inspector (its owner). Their order is the order they
// are tried in; every change of a preset reaches the inspector.
class TZkPropertyPresets : public TOwnedCollection {
    ZK_CLASS(TZkPropertyPresets, TOwnedCollection)
public:
    explicit TZkPropertyPresets(TPersistent* Inspector);

    TZkPropertyPreset* GetItem(int Index) const;
    TZkCustomObjectInspector* GetInspector() const;
    // Applies every active preset that matches Row, in order, reading the
    // row's value after each; a failed read ends the row.
    void ApplyToItem(TZkItemProperty* Row);
    // The first preset of exactly PresetClass (descendants do not count), or -1.
    int IndexOfClass(const TClassInfo* PresetClass) const;
    // A new preset of PresetClass at the end, made by its virtual constructor.
    TZkPropertyPreset* AddPreset(const TClassInfo* PresetClass);

protected:
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override;
    void Update(TCollectionItem* Item) override;

private:
    TZkCustomObjectInspector* FInspector = nullptr;  // the owner, when it is an inspector
};

// The registry of preset classes. Registering a class also registers it for
// streaming, and its not yet registered ancestors below TZkPropertyPreset,
// each after its descendant; unregistering removes the class and then its
// ancestors. The base class itself is never listed.
void RegisterPropertyPreset(const TClassInfo* PresetClass);
void RegisterPropertyPresets(std::initializer_list<const TClassInfo*> PresetClasses);
void UnregisterPropertyPreset(const TClassInfo* PresetClass);
void UnregisterPropertyPresets(std::initializer_list<const TClassInfo*> PresetClasses);
// The registered classes, in registration order, read under the registry's lock.
std::vector<const TClassInfo*> PropertyPresetClasses();
// Runs Proc for each registered class in order while holding the registry's
// lock; Proc must not register or unregister classes.
void ForEachPropertyPresetClass(const std::function<void(const TClassInfo*)>& Proc);

}  // namespace zk
