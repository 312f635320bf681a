// Registration of the item-list grid's streamable classes and its glyph bitmaps.
#include "itemlist/ZkItemListRegistration.h"

#include <mutex>

#include "itemlist/ZkHintWindow.h"
#include "itemlist/ZkInplaceEditList.h"
#include "itemlist/ZkItemListEditor.h"
#include "platform/gui/GuiRegistration.h"

namespace zk {

void RegisterItemListResources();  // generated from the glyph bitmaps

void RegisterItemListClasses() {
    static std::once_flag Once;
    std::call_once(Once, [] {
        RegisterGuiClasses();
        RegisterItemListResources();
        RegisterClasses({TZkItemListEditor::StaticClass(), TZkHintWindow::StaticClass(),
                         TZkInplaceEditList::StaticClass()});
    });
}

}  // namespace zk
