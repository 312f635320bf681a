// Dragging inside a control: the drag states and the events of a drop target.
#pragma once
#include <cstdint>

#include "platform/core/Event.h"
#include "platform/core/TypInfo.h"

namespace zk {

ZK_ENUM(TDragState, uint8_t, dsDragEnter, dsDragLeave, dsDragMove)

// Source is the control the drag started in; Accept starts true only when the
// target has no handler, so a handler decides.
ZK_EVENT(TDragOverEvent,
         void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept))
ZK_EVENT(TDragDropEvent, void(TObject* Sender, TObject* Source, int X, int Y))

}  // namespace zk
