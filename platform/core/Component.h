// TComponent: named, owned components with free notification.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/core/Persistent.h"
#include "platform/core/Set.h"
#include "platform/core/TypInfo.h"

namespace zk {

class TReader;
class TWriter;

ZK_ENUM(TComponentStateItem, uint8_t, csLoading, csReading, csWriting, csDestroying, csDesigning,
        csAncestor, csUpdating, csFixups, csFreeNotification, csInline, csDesignInstance)
ZK_SET(TComponentState, TComponentStateItem)
ZK_ENUM(TComponentStyleItem, uint8_t, csInheritable, csCheckPropAvail, csSubComponent, csTransient)
ZK_SET(TComponentStyle, TComponentStyleItem)
ZK_ENUM(TOperation, uint8_t, opInsert, opRemove)

class TComponent : public TPersistent, public IInterfaceComponentReference {
    ZK_CLASS(TComponent, TPersistent)
public:
    // Joins AOwner's components when AOwner is not null; the owner frees it.
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    // Frees owned components, then tells every component that asked for free
    // notification, then leaves the owner; all while this object is whole.
    void BeforeDestruction() override;

    TComponent* GetOwner() const override { return FOwner; }
    int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* GetComponents(int Index) const;  // "List index out of bounds (%d)"
    int GetComponentIndex() const;
    void SetComponentIndex(int Value);
    TComponent* FindComponent(const std::string& AName) const;  // case-insensitive
    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    void DestroyComponents();

    const std::string& GetName() const { return FName; }
    // A valid identifier (or empty), unique among the owner's components:
    // "'%s' is not a valid component name", "A component named %s already exists".
    virtual void SetName(const std::string& NewName);
    int GetTag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }
    // Where a non-visual component sits on its form (Left in the low word, Top
    // in the high one); stored as the defined properties "Left" and "Top".
    int32_t GetDesignInfo() const { return FDesignInfo; }
    void SetDesignInfo(int32_t Value) { FDesignInfo = Value; }
    void DefineProperties(TFiler* Filer) override;

    TComponentState GetComponentState() const { return FComponentState; }
    TComponentStyle GetComponentStyle() const { return FComponentStyle; }
    bool IsDestroying() const { return FComponentState.Contains(csDestroying); }
    bool IsLoading() const { return FComponentState.Contains(csLoading); }
    void SetSubComponent(bool Value);
    void SetDesigning(bool Value, bool SetChildren = true);
    void SetInline(bool Value);
    void SetComponentStateItem(TComponentStateItem Item, bool On);

    // Asks for Notification(AComponent, opRemove) when AComponent is freed, and
    // the other way round.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);
    // The components linked to this one by free notification, in linking order:
    // the ones that watch it (an inspector showing it, say) and the ones it watches.
    const std::vector<TComponent*>& GetFreeNotifies() const { return FFreeNotifies; }

    // Streaming brackets: Loading sets csLoading; Loaded clears it after the
    // stream has been read and references are fixed.
    virtual void Loading();
    virtual void Loaded();
    void SetReading(bool Value);
    // Marks the component as being destroyed and tells its children.
    virtual void Destroying();

    std::string GetNamePath() const override;

    // Streaming. GetChildren hands the components written after this one's
    // properties to Proc; the base gives a root's owned components that have
    // no parent component. ReadState/WriteState read and write this
    // component's data; SetParentComponent places a child read from a stream.
    virtual void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root);
    virtual void ReadState(TReader* Reader);
    virtual void WriteState(TWriter* Writer);
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual bool HasParent() const { return false; }
    virtual void SetParentComponent(TComponent*) {}

    bool QueryInterface(const TGUID& IID, void** Obj) override;
    TComponent* GetComponent() override { return this; }

protected:
    // An owned or free-notified component arrives (opInsert) or leaves (opRemove).
    // Overrides clear their references to a leaving component, then call inherited.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    virtual void ValidateRename(TComponent* AComponent, const std::string& CurName,
                                const std::string& NewName);
    virtual void ValidateInsert(TComponent* AComponent);
    virtual void ChangeName(const std::string& NewName) { FName = NewName; }

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void NotifyFreeNotifies();

    TComponent* FOwner = nullptr;             // owns this component; may be null
    std::string FName;
    int FTag = 0;
    int32_t FDesignInfo = 0;
    std::vector<TComponent*> FComponents;     // owned
    std::vector<TComponent*> FFreeNotifies;   // not owned; each links back to this
    TComponentState FComponentState;
    TComponentStyle FComponentStyle = {csInheritable};
};

}  // namespace zk
