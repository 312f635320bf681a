// TZkQtObject's machinery: the watcher that hears its object's signals and events, and the
// messages the adapter posts itself.
#pragma once
#include <QObject>

#include "platform/gui/Messages.h"

namespace zk {

class TZkQtObject;

// Posted by an adapter to itself, so that the work runs outside the signal
// or event that asked for it: refresh the inspectors, rebuild the property
// list, free the adapter whose object is gone.
inline constexpr uint32_t ZM_QTNOTIFIED = WM_USER + 0x2E1;
inline constexpr uint32_t ZM_QTRESHAPED = WM_USER + 0x2E2;
inline constexpr uint32_t ZM_QTFREE = WM_USER + 0x2E3;

// Hears the presented object on the adapter's behalf: its notify signals
// (connected to Notified) and its dynamic-property events.
class TZkQtWatcher : public QObject {
    Q_OBJECT
public:
    explicit TZkQtWatcher(TZkQtObject* Adapter) : FAdapter(Adapter) {}
    // The slot every notify signal is connected to.
    QMetaMethod NotifiedSlot() const;

public Q_SLOTS:
    void Notified();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    TZkQtObject* FAdapter;  // not owned: the adapter owns this watcher
};

}  // namespace zk
