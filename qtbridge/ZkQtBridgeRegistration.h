// Registration of the Qt bridge's classes; every main() that uses the bridge calls it.
#pragma once

namespace zk {

// Registers what the inspector needs. Idempotent.
void RegisterQtBridgeClasses();

}  // namespace zk
