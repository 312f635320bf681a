// Test classes with a published property of every kind, shared by the core tests.
#pragma once
#include <string>
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Event.h"
#include "platform/core/Persistent.h"
#include "platform/core/TypInfo.h"

namespace zk::test {

ZK_ENUM(TTestEnum, uint8_t, teZero, teOne, teTwo, teThree)
ZK_SET(TTestSet, TTestEnum)

const TTypeInfo* TypeInfoTTestColor();  // an Integer alias, as TColor is

class TKindsObject : public TPersistent {
    ZK_CLASS(TKindsObject, TPersistent)
public:
    TKindsObject() = default;

    int FInt = 5;
    char FChar = 'A';
    char16_t FWChar = u'B';
    TTestEnum FEnum = teOne;
    bool FBool = true;
    int FWordBool = 0;
    double FFloat = 1.5;
    double FDate = 0;
    std::string FStr = "text";
    std::u16string FWStr = u"wide";
    TTestSet FSet = {teZero, teTwo};
    TPersistent* FObj = nullptr;
    TComponent* FComp = nullptr;
    TNotifyEvent FOnEvent;
    TVariant FVar;
    int64_t FInt64 = 0;
    IInterface* FIntf = nullptr;
    int FColor = 0;
    bool FStoreInt = true;

    bool IsIntStored() const { return FStoreInt; }
    void Handler(TObject* Sender) { Calls.push_back(Sender); }
    void Other(TObject*) {}
    std::vector<TObject*> Calls;
};

// Publishes IntProp again with another default and adds a property.
class TKindsChild : public TKindsObject {
    ZK_CLASS(TKindsChild, TKindsObject)
public:
    TKindsChild() = default;
    int FExtra = 0;
};

// Records messages dispatched to it; 100 is handled here, 200 in the child.
class TMessageBase : public TObject {
    ZK_CLASS(TMessageBase, TObject)
public:
    TMessageBase() = default;
    void On100(TMessage& M) { Log.push_back("base100"); M.Result = 1; }
    void On200(TMessage& M) { Log.push_back("base200"); M.Result = 2; }
    void DefaultHandler(TMessage& M) override { Log.push_back("default" + std::to_string(M.Msg)); }
    std::vector<std::string> Log;
};

class TMessageChild : public TMessageBase {
    ZK_CLASS(TMessageChild, TMessageBase)
public:
    TMessageChild() = default;
    void On200Child(TMessage& M) { Log.push_back("child200"); M.Result = 22; }
};

// A component that records the notifications it receives and keeps a
// reference cleared by free notification.
class TWatcher : public TComponent {
    ZK_CLASS(TWatcher, TComponent)
public:
    explicit TWatcher(TComponent* AOwner) : TComponent(AOwner) {}
    void SetWatched(TComponent* Value) {
        if (FWatched) FWatched->RemoveFreeNotification(this);
        FWatched = Value;
        if (Value) Value->FreeNotification(this);
    }
    TComponent* GetWatched() const { return FWatched; }
    std::vector<std::string> Log;
    std::vector<std::string>* SharedLog = nullptr;

    void BeforeDestruction() override {
        if (SharedLog) SharedLog->push_back("before:" + GetName());
        TComponent::BeforeDestruction();
    }
    ~TWatcher() override {
        if (SharedLog) SharedLog->push_back("dtor:" + GetName());
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        Log.push_back((Operation == opInsert ? "insert:" : "remove:") + AComponent->GetName());
        if (Operation == opRemove && AComponent == FWatched) FWatched = nullptr;
        TComponent::Notification(AComponent, Operation);
    }

private:
    TComponent* FWatched = nullptr;  // not owned; cleared by free notification
};

}  // namespace zk::test
