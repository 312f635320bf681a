// Registration of the editor dialogs' classes and their form descriptions.
#include "dialogs/ZkDialogsRegistration.h"

#include <mutex>

#include "dialogs/ZkTDateEditor.h"
#include "dialogs/ZkTStringsEditor.h"
#include "itemlist/ZkItemListRegistration.h"

namespace zk {

void RegisterDialogResources();  // generated from the *.form files

void RegisterDialogsClasses() {
    static std::once_flag Once;
    std::call_once(Once, [] {
        RegisterItemListClasses();
        RegisterDialogResources();
        RegisterClasses({TfrmZkStringsEditor::StaticClass(), TfrmDateEditor::StaticClass()});
    });
}

}  // namespace zk
