// Registration of the inspector's streamable classes.
#pragma once

namespace zk {

// Registers the item list and the inspector's classes; safe to call again.
void RegisterInspectorClasses();

}  // namespace zk
