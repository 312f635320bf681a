// Registration of the editor dialogs' classes and their form descriptions.
#include "dialogs/ZkDialogsRegistration.h"

#include <mutex>

#include "dialogs/ZkCollectionEditor.h"
#include "dialogs/ZkItemsDlg.h"
#include "dialogs/ZkTDateEditor.h"
#include "dialogs/ZkTStringsEditor.h"
#include "inspector/ZkInspectorRegistration.h"

namespace zk {

void RegisterDialogResources();  // generated from the *.form files

void RegisterDialogsClasses() {
    static std::once_flag Once;
    std::call_once(Once, [] {
        RegisterInspectorClasses();
        RegisterDialogResources();
        RegisterClasses({TfrmZkStringsEditor::StaticClass(), TfrmDateEditor::StaticClass(),
                         TfrmCollectionEditor::StaticClass(), TCustomNodeItem::StaticClass(),
                         TNodeListItem::StaticClass(), TfrmCustomItemsDlg::StaticClass(),
                         TfrmTListItemsDlg::StaticClass(), TfrmTTreeNodesDlg::StaticClass()});
    });
}

}  // namespace zk
