// TZkQtObject: a component presenting a QObject's properties as published properties, so that
// an inspector shows and edits any QObject like one of the framework's components.
#pragma once
#include <QByteArray>
#include <QMetaObject>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Component.h"

class QObject;

namespace zk {

class TMessageReceiver;
class TQtAccessor;
class TZkQtValue;
class TZkQtWatcher;

// Presents one QObject. Its run-time class is named after the object's Qt
// class and publishes exactly the object's properties: every Q_PROPERTY
// (inherited ones included) and every dynamic property, each with a type
// descriptor the inspector knows (see ZkQtTypes_p.h for the mapping).
// Reads and writes go through the meta-object; a write the object does not
// take raises EPropertyError and changes nothing. A property's notify signal
// refreshes every inspector that shows the adapter; adding or removing a
// dynamic property rebuilds their rows.
//
// Lifetime: AOwner frees the adapter, and so does the destruction of its
// QObject, which therefore leaves every inspector like a freed component.
// Hold an adapter through free notification, never past its QObject.
// Null behaviour: once the QObject is gone (until the adapter has freed
// itself) every property reads as empty or nil and writes are refused.
class TZkQtObject : public TComponent {
    // ZK_CLASS without its ClassType(): an adapter answers its object's class.
public:
    using inherited = TComponent;
    static const TClassInfo* StaticClass();
    static void DescribeClass(TClassBuilder<TZkQtObject>& C);

    TZkQtObject(TComponent* AOwner, QObject* Target);
    ~TZkQtObject() override;

    // AOwner's adapter of Target, created when AOwner has none yet.
    static TZkQtObject* Of(QObject* Target, TComponent* AOwner);

    // The class of the presented object, named after its Qt class.
    const TClassInfo* ClassType() const override;
    QObject* GetTarget() const { return FTarget; }

    // The adapter presenting Object from the same family of adapters as this
    // one (this one, an ancestor, or one they own); created under this one
    // when there is none, so that a cycle of references ends. Null for null.
    TZkQtObject* Referenced(QObject* Object);
    // The object standing for the value of the nested-value property (a
    // QFont, QSize, QPoint or QRect) that Whole reaches; owned by this
    // adapter, valid until its property list is rebuilt.
    TZkQtValue* ValueOf(std::shared_ptr<const TQtAccessor> Whole);

    // Called by the watcher: a notify signal was emitted, the dynamic
    // properties changed, the object is being destroyed.
    void PropertyNotified();
    void DynamicPropertiesChanged();
    void TargetDestroyed();

    // Counts the property writes running on this adapter: the object's
    // destruction inside one frees the adapter only after it has returned.
    class TWriteGuard {
    public:
        explicit TWriteGuard(TZkQtObject* Adapter) : FAdapter(Adapter) { ++FAdapter->FWriting; }
        ~TWriteGuard() { --FAdapter->FWriting; }
        TWriteGuard(const TWriteGuard&) = delete;
        TWriteGuard& operator=(const TWriteGuard&) = delete;

    private:
        TZkQtObject* FAdapter;
    };

private:
    void BuildClass();
    void Rename();
    // Posted-message handlers; they run outside every callout.
    void WMNotified(TMessage& Message);
    void WMReshaped(TMessage& Message);
    void WMFree(TMessage& Message);

    QObject* FTarget;  // not owned; cleared when it is destroyed
    std::unique_ptr<TClassInfo> FClass;
    std::unique_ptr<TMessageReceiver> FReceiver;
    std::unique_ptr<TZkQtWatcher> FWatcher;
    QMetaObject::Connection FDestroyedConnection;
    std::vector<std::pair<QByteArray, int>> FDynamicSignature;  // names and types listed
    std::map<const TQtAccessor*, TOwned<TZkQtValue>> FValues;   // by the property's accessor
    int FWriting = 0;
    bool FNotifyPosted = false;
    bool FReshapePosted = false;
    bool FFreePosted = false;
};

}  // namespace zk
