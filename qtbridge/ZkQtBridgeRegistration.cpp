// Registration for programs that use the Qt bridge.
#include "qtbridge/ZkQtBridgeRegistration.h"

#include "inspector/ZkInspectorRegistration.h"

namespace zk {

// Adapters exist only beside their QObject and are never read from a stream,
// so the bridge adds no classes of its own to the registry.
void RegisterQtBridgeClasses() {
    RegisterInspectorClasses();
}

}  // namespace zk
