// Posted messages as Qt events, sent messages as direct dispatch, and the mouse capture holder.
#include "platform/gui/Messages.h"

#include <QCoreApplication>
#include <atomic>
#include <cassert>

#include "platform/gui/Application.h"

namespace zk {

namespace {

std::atomic<int> GPendingMessages{0};
TObject* GCaptureControl = nullptr;  // not owned; controls release it before they die

// A posted TMessage; counts itself so that ProcessMessages knows when the
// queue holds none of ours, whether it is delivered or dropped with its receiver.
class TMessageEvent : public QEvent {
public:
    explicit TMessageEvent(const TMessage& Message)
        : QEvent(TMessageReceiver::MessageEventType()), FMessage(Message) {
        ++GPendingMessages;
    }
    ~TMessageEvent() override { --GPendingMessages; }
    const TMessage& Message() const { return FMessage; }

private:
    TMessage FMessage;
};

}  // namespace

TMessageReceiver::TMessageReceiver(TObject* Target) : FTarget(Target) {
    assert(Target && "TMessageReceiver needs the object its messages go to");
}

// QObject's destructor removes the events still queued for this receiver.
TMessageReceiver::~TMessageReceiver() = default;

QEvent::Type TMessageReceiver::MessageEventType() {
    static const QEvent::Type Type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return Type;
}

bool TMessageReceiver::event(QEvent* E) {
    if (E->type() != MessageEventType()) return QObject::event(E);
    TMessage Message = static_cast<TMessageEvent*>(E)->Message();
    TObject* Target = FTarget;
    // The handler may free the target, and with it this receiver: touch
    // neither afterwards.
    SafeCall(Target, [Target, &Message] { Target->Dispatch(Message); });
    return true;
}

void PostMessage(TMessageReceiver* Receiver, uint32_t Msg, intptr_t WParam, intptr_t LParam) {
    assert(Receiver && "PostMessage to a null receiver");
    assert(QCoreApplication::instance() && "PostMessage before InitApplication");
    TMessage Message;
    Message.Msg = Msg;
    Message.WParam = WParam;
    Message.LParam = LParam;
    QCoreApplication::postEvent(Receiver, new TMessageEvent(Message));
}

intptr_t SendMessage(TObject* Target, uint32_t Msg, intptr_t WParam, intptr_t LParam) {
    if (!Target) return 0;
    TMessage Message;
    Message.Msg = Msg;
    Message.WParam = WParam;
    Message.LParam = LParam;
    Target->Dispatch(Message);
    return Message.Result;
}

int PendingMessageCount() {
    return GPendingMessages.load();
}

// CM_CANCELMODE carries the new holder in LParam, so the old one can tell
// whether capture moved inside itself.
void SetCaptureControl(TObject* Control) {
    if (Control == GCaptureControl) return;
    TObject* Previous = GCaptureControl;
    GCaptureControl = Control;
    if (Previous) SendMessage(Previous, CM_CANCELMODE, 0, reinterpret_cast<intptr_t>(Control));
}

TObject* GetCaptureControl() {
    return GCaptureControl;
}

void ReleaseCaptureOf(TObject* Control) {
    if (Control && GCaptureControl == Control) GCaptureControl = nullptr;
}

}  // namespace zk
