// TZkQtObject: the adapter's class, its family of adapters, and how it follows its object's
// signals, dynamic properties and destruction.
#include "qtbridge/ZkQtObject.h"

#include <QEvent>
#include <QMetaMethod>
#include <QObject>
#include <algorithm>
#include <cassert>

#include "inspector/ZkObjectInspector.h"
#include "platform/gui/Application.h"
#include "qtbridge/ZkQtObject_p.h"
#include "qtbridge/ZkQtTypes_p.h"
#include "qtbridge/ZkQtValue.h"

namespace zk {

// ---- TZkQtWatcher ----

QMetaMethod TZkQtWatcher::NotifiedSlot() const {
    return metaObject()->method(metaObject()->indexOfSlot("Notified()"));
}

void TZkQtWatcher::Notified() {
    SafeCall(FAdapter, [this] { FAdapter->PropertyNotified(); });
}

bool TZkQtWatcher::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() == QEvent::DynamicPropertyChange)
        SafeCall(FAdapter, [this] { FAdapter->DynamicPropertiesChanged(); });
    return QObject::eventFilter(Watched, Event);
}

// ---- TZkQtObject ----

ZK_IMPLEMENT_CLASS(TZkQtObject)
void TZkQtObject::DescribeClass(TClassBuilder<TZkQtObject>& C) {
    C.Message(ZM_QTNOTIFIED, &TZkQtObject::WMNotified);
    C.Message(ZM_QTRESHAPED, &TZkQtObject::WMReshaped);
    C.Message(ZM_QTFREE, &TZkQtObject::WMFree);
}

TZkQtObject::TZkQtObject(TComponent* AOwner, QObject* Target)
    : TComponent(AOwner), FTarget(Target) {
    assert(Target && "TZkQtObject needs an object to present");
    FReceiver = std::make_unique<TMessageReceiver>(this);
    FWatcher = std::make_unique<TZkQtWatcher>(this);
    FDestroyedConnection = QObject::connect(
        Target, &QObject::destroyed, [this] { SafeCall(this, [this] { TargetDestroyed(); }); });
    Target->installEventFilter(FWatcher.get());
    const QMetaObject* Meta = Target->metaObject();
    const QMetaMethod Slot = FWatcher->NotifiedSlot();
    for (int I = 0; I < Meta->propertyCount(); ++I)
        if (const QMetaProperty P = Meta->property(I); P.hasNotifySignal())
            QObject::connect(Target, P.notifySignal(), FWatcher.get(), Slot, Qt::UniqueConnection);
    BuildClass();
    Rename();
}

TZkQtObject::~TZkQtObject() {
    if (FTarget) QObject::disconnect(FDestroyedConnection);
    FValues.clear();
    FWatcher.reset();  // its connections and event filter go with it
    FReceiver.reset();
}

TZkQtObject* TZkQtObject::Of(QObject* Target, TComponent* AOwner) {
    if (!Target) return nullptr;
    if (AOwner)
        for (int I = 0; I < AOwner->GetComponentCount(); ++I)
            if (auto* A = DynamicCast<TZkQtObject>(AOwner->GetComponents(I));
                A && A->FTarget == Target)
                return A;
    return Create<TZkQtObject>(AOwner, Target);
}

const TClassInfo* TZkQtObject::ClassType() const {
    return FClass ? FClass.get() : StaticClass();
}

void TZkQtObject::BuildClass() {
    std::vector<TPropInfo> Props = QtStaticProperties(FTarget->metaObject());
    std::vector<TPropInfo> Dynamic = QtDynamicProperties(FTarget, &FDynamicSignature);
    Props.insert(Props.end(), std::make_move_iterator(Dynamic.begin()),
                 std::make_move_iterator(Dynamic.end()));
    FValues.clear();
    FClass = std::make_unique<TClassInfo>(FTarget->metaObject()->className(), StaticClass(),
                                          std::move(Props));
}

// The name by which inspectors show the adapter: the object's name, or its
// class in parentheses, as they show an object that has no name.
void TZkQtObject::Rename() {
    if (!FTarget) return;
    const QString Name = FTarget->objectName();
    ChangeName(Name.isEmpty() ? "(" + std::string(FTarget->metaObject()->className()) + ")"
                              : Name.toStdString());
}

TZkQtObject* TZkQtObject::Referenced(QObject* Object) {
    if (!Object) return nullptr;
    auto OwnedBy = [Object](TComponent* Owner) -> TZkQtObject* {
        for (int I = 0; I < Owner->GetComponentCount(); ++I)
            if (auto* A = DynamicCast<TZkQtObject>(Owner->GetComponents(I));
                A && A->FTarget == Object)
                return A;
        return nullptr;
    };
    TComponent* Top = this;
    for (TZkQtObject* A = this; A; A = DynamicCast<TZkQtObject>(A->GetOwner())) {
        if (A->FTarget == Object) return A;
        if (TZkQtObject* Found = OwnedBy(A)) return Found;
        Top = A;
    }
    if (TComponent* Owner = Top->GetOwner())
        if (TZkQtObject* Found = OwnedBy(Owner)) return Found;
    return Create<TZkQtObject>(this, Object);
}

TZkQtValue* TZkQtObject::ValueOf(std::shared_ptr<const TQtAccessor> Whole) {
    TOwned<TZkQtValue>& Value = FValues[Whole.get()];
    if (!Value) {
        const TClassInfo* Class = Whole->GetType().ValueClass;
        Value.reset(new TZkQtValue(this, std::move(Whole), Class));
    }
    return Value.get();
}

void TZkQtObject::PropertyNotified() {
    if (FNotifyPosted || !FReceiver) return;
    // A burst of signals (a dragged slider) refreshes once.
    FNotifyPosted = true;
    PostMessage(FReceiver.get(), ZM_QTNOTIFIED);
}

void TZkQtObject::DynamicPropertiesChanged() {
    if (FReshapePosted || !FReceiver) return;
    FReshapePosted = true;
    PostMessage(FReceiver.get(), ZM_QTRESHAPED);
}

void TZkQtObject::TargetDestroyed() {
    FTarget = nullptr;
    if (FWriting == 0) {
        Free();
        return;
    }
    // A write is still running on this adapter: it goes when that has returned.
    if (!FFreePosted) {
        FFreePosted = true;
        PostMessage(FReceiver.get(), ZM_QTFREE);
    }
}

namespace {

// The inspectors showing Adapter, or an adapter that shows it as a nested object.
std::vector<TZkCustomObjectInspector*> InspectorsOf(TZkQtObject* Adapter) {
    std::vector<TZkCustomObjectInspector*> Result;
    for (TZkQtObject* A = Adapter; A; A = DynamicCast<TZkQtObject>(A->GetOwner()))
        for (TComponent* C : A->GetFreeNotifies())
            if (auto* Inspector = DynamicCast<TZkCustomObjectInspector>(C))
                if (std::find(Result.begin(), Result.end(), Inspector) == Result.end())
                    Result.push_back(Inspector);
    return Result;
}

}  // namespace

// Inspectors refresh in a message of their own, so nothing here calls out.
void TZkQtObject::WMNotified(TMessage&) {
    FNotifyPosted = false;
    Rename();
    for (TZkCustomObjectInspector* Inspector : InspectorsOf(this))
        PostMessage(Inspector->GetMessageReceiver(), ZM_PROPERTYCHANGED, -1);
}

void TZkQtObject::WMReshaped(TMessage& Message) {
    FReshapePosted = false;
    if (!FTarget) return;
    if (QtDynamicSignature(FTarget) == FDynamicSignature) {
        WMNotified(Message);  // a dynamic property's value changed
        return;
    }
    BuildClass();
    for (TZkCustomObjectInspector* Inspector : InspectorsOf(this)) Inspector->PostRescan();
}

void TZkQtObject::WMFree(TMessage&) {
    Free();
}

}  // namespace zk
