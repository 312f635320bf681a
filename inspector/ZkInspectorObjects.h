// The objects an inspector shows: TZkInspectorObjects of TZkInspectorObject, kept true by free
// notification.
#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/core/Collection.h"
#include "platform/core/Component.h"

namespace zk {

class TZkCustomObjectInspector;
class TZkInspectorObjects;

// One inspected object. Instance may be any object with published
// properties; NotifyComponent is a component whose freeing also removes the
// entry (the owner of an Instance that is no component).
//
// Null behaviour: outside a collection owned by a component nothing is
// watched, so the entry must not outlive its objects.
class TZkInspectorObject : public TCollectionItem {
    ZK_CLASS(TZkInspectorObject, TCollectionItem)
public:
    explicit TZkInspectorObject(TCollection* Collection);
    // Stops watching both objects.
    void BeforeDestruction() override;
    // From another entry: Instance and NotifyComponent.
    void Assign(TPersistent* Source) override;
    // The component's Name; the class name of another object.
    std::string GetDisplayName() const override;

    TObject* GetInstance() const { return FInstance; }
    // Tells the inspector first that its objects change, then watches the new one.
    void SetInstance(TObject* Value);
    TComponent* GetNotifyComponent() const { return FNotifyComponent; }
    void SetNotifyComponent(TComponent* Value);
    // Instance when it is a component, else null.
    TComponent* GetComponent() const;
    void SetComponent(TComponent* Value);

    TZkInspectorObjects* GetObjects() const;

private:
    TObject* FInstance = nullptr;            // not owned; free notification clears it
    TComponent* FNotifyComponent = nullptr;  // not owned; free notification clears it
};

// The inspected objects. The inspector owns one with itself as owner; the
// scan makes temporary ones without an owner, which watch nothing and tell nobody.
class TZkInspectorObjects : public TOwnedCollection {
    ZK_CLASS(TZkInspectorObjects, TOwnedCollection)
public:
    explicit TZkInspectorObjects(TPersistent* AOwner);

    TZkInspectorObject* GetItem(int Index) const;
    // The entry of Instance, added when missing: an object is never listed twice.
    TZkInspectorObject* AddInstance(TObject* Instance);
    // The same, with NotifyComponent set to Component.
    TZkInspectorObject* AddOwnedInstance(TComponent* Component, TObject* Instance);
    int IndexOfInstance(const TObject* Instance) const;
    // Deletes the first entry whose Instance or NotifyComponent is P; its index, or -1.
    int RemoveInstance(const TObject* P);
    // Clears, then copies the entries of Source that have an Instance.
    void AssignAssigned(TZkInspectorObjects* Source);
    // Adds an entry for each instance not listed yet, in one bracket and
    // without a search per instance.
    void AddInstances(const std::vector<TObject*>& Instances);
    // The inspector hears that its objects change before the first change.
    void BeginUpdate() override;

    // The owner when it is an inspector; null otherwise.
    TZkCustomObjectInspector* GetInspector() const;
    // The owner when it is a component: it watches the objects.
    TComponent* GetWatcher() const { return FWatcher; }
    // Counts the entries' references to P: the first starts watching it,
    // the last one to go stops.
    void Watch(TObject* P, bool On);

protected:
    // Every change (and the end of a bracket) reaches the inspector.
    void Update(TCollectionItem* Item) override;

private:
    TComponent* FWatcher = nullptr;  // the owner as a component; owns this collection
    std::unordered_map<const TComponent*, int> FWatched;  // references per watched component
};

}  // namespace zk
