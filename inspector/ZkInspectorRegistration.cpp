// Registration of the inspector's streamable classes.
#include "inspector/ZkInspectorRegistration.h"

#include <mutex>

#include "inspector/ZkObjectInspector.h"
#include "inspector/ZkPropertyPreset.h"
#include "itemlist/ZkItemListRegistration.h"

namespace zk {

void RegisterInspectorClasses() {
    static std::once_flag Once;
    std::call_once(Once, [] {
        RegisterItemListClasses();
        // The base preset is known to streams, but not offered to new inspectors.
        RegisterClasses({TZkObjectInspector::StaticClass(), TZkPropertyPreset::StaticClass(),
                         TZkItemProperty::StaticClass(), TZkInspectorObject::StaticClass()});
    });
}

}  // namespace zk
