// Registration of the platform core's streamable classes and identifier tables.
#include "platform/core/CoreRegistration.h"

#include "platform/core/Collection.h"
#include "platform/core/Colors.h"
#include "platform/core/Component.h"
#include "platform/core/Font.h"
#include "platform/core/StringList.h"

namespace zk {

void RegisterCoreClasses() {
    RegisterClasses({TPersistent::StaticClass(), TComponent::StaticClass(), TCollection::StaticClass(),
                     TOwnedCollection::StaticClass(), TCollectionItem::StaticClass(),
                     TStringList::StaticClass(), TFont::StaticClass()});
    RegisterGraphicsConsts();
}

}  // namespace zk
