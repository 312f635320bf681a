// Registration of the collection editor's and the items editor's classes and form descriptions.
#include "dialogs/ZkCollectionDialogsRegistration.h"

#include <mutex>

#include "dialogs/ZkCollectionEditor.h"
#include "dialogs/ZkItemsDlg.h"
#include "inspector/ZkInspectorRegistration.h"

namespace zk {

void RegisterDialogResources();  // generated from the *.form files

void RegisterCollectionDialogsClasses() {
    static std::once_flag Once;
    std::call_once(Once, [] {
        RegisterInspectorClasses();
        RegisterDialogResources();
        RegisterClasses({TfrmCollectionEditor::StaticClass(), TCustomNodeItem::StaticClass(),
                         TNodeListItem::StaticClass(), TfrmCustomItemsDlg::StaticClass(),
                         TfrmTListItemsDlg::StaticClass(), TfrmTTreeNodesDlg::StaticClass()});
    });
}

}  // namespace zk
