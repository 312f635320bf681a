// Messages to framework objects: posting through Qt's event queue, sending at once, and mouse
// capture.
#pragma once
#include <QEvent>
#include <QObject>
#include <cstdint>

#include "platform/core/Object.h"

namespace zk {

// Message numbers the framework itself uses. Private messages of a program
// start at WM_USER; component messages live above CM_BASE.
inline constexpr uint32_t WM_USER = 0x0400;
inline constexpr uint32_t CM_BASE = 0xB000;
inline constexpr uint32_t CM_ACTIVATE = CM_BASE + 0;
inline constexpr uint32_t CM_DEACTIVATE = CM_BASE + 1;
inline constexpr uint32_t CM_ENABLEDCHANGED = CM_BASE + 3;
inline constexpr uint32_t CM_CANCELMODE = CM_BASE + 4;
inline constexpr uint32_t CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr uint32_t CM_FONTCHANGED = CM_BASE + 9;
inline constexpr uint32_t CM_VISIBLECHANGED = CM_BASE + 12;
inline constexpr uint32_t CM_PARENTCOLORCHANGED = CM_BASE + 13;
inline constexpr uint32_t CM_COLORCHANGED = CM_BASE + 14;
inline constexpr uint32_t CM_SHOWINGCHANGED = CM_BASE + 17;
inline constexpr uint32_t CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr uint32_t CM_MOUSEENTER = CM_BASE + 19;
inline constexpr uint32_t CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr uint32_t CM_HINTSHOW = CM_BASE + 48;

// Delivers messages posted to one object. The object that owns the receiver
// (a control, a timer) creates it with itself as target and deletes it before
// it dies; deleting the receiver drops every message still queued for it, so
// a posted message never reaches a freed object.
class TMessageReceiver : public QObject {
public:
    explicit TMessageReceiver(TObject* Target);
    ~TMessageReceiver() override;

    TObject* GetTarget() const { return FTarget; }

    // The Qt event type that carries a posted TMessage.
    static QEvent::Type MessageEventType();

protected:
    // Dispatches posted messages to the target inside the exception guard;
    // hands every other event to QObject.
    bool event(QEvent* E) override;

private:
    TObject* FTarget;  // not owned: the target owns this receiver
};

// Queues a message for Receiver's target. It runs later, from the Qt loop or
// Application->ProcessMessages(), in posting order; never inside this call.
void PostMessage(TMessageReceiver* Receiver, uint32_t Msg, intptr_t WParam = 0,
                 intptr_t LParam = 0);

// Dispatches a message to Target now and returns its Result. Exceptions from
// the handler reach the caller, as with any direct call. A null Target answers 0.
intptr_t SendMessage(TObject* Target, uint32_t Msg, intptr_t WParam = 0, intptr_t LParam = 0);

// Messages posted but not yet delivered or dropped, in the whole program.
int PendingMessageCount();

// The object holding mouse capture; null when none. Taking capture away from
// an object (by giving it to another or to null) sends it CM_CANCELMODE.
void SetCaptureControl(TObject* Control);
TObject* GetCaptureControl();
// Forgets Control as capture holder without messaging it; a control calls this
// while it is being destroyed, when it can no longer answer messages.
void ReleaseCaptureOf(TObject* Control);

}  // namespace zk
