// The items dialogs bound to their controls: list-view items with sub-items as child nodes,
// tree-view nodes copied whole, and the entry calls that show them.
#include <algorithm>

#include "dialogs/ZkItemsDlg.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/ComboBoxEx.h"
#include "platform/gui/LabeledEdit.h"
#include "platform/gui/StdCtrls.h"

namespace zk {

// ---- TfrmTListItemsDlg ----

ZK_IMPLEMENT_CLASS(TfrmTListItemsDlg)
void TfrmTListItemsDlg::DescribeClass(TClassBuilder<TfrmTListItemsDlg>&) {}

TfrmTListItemsDlg::TfrmTListItemsDlg(TComponent* AOwner) : TfrmCustomItemsDlg(AOwner) {
    SetNodeItemClass(TNodeListItem::StaticClass());
}

void TfrmTListItemsDlg::Loaded() {
    TfrmCustomItemsDlg::Loaded();
    SetCaption("ListView Items Editor");
}

void TfrmTListItemsDlg::Notification(TComponent* AComponent, TOperation Operation) {
    TfrmCustomItemsDlg::Notification(AComponent, Operation);
    if (Operation == opRemove && FListItems && AComponent == FListItems->GetListView())
        FListItems = nullptr;
}

TNodeListItem* TfrmTListItemsDlg::ListItemOf(const TTreeNode* Node) const {
    return DynamicCast<TNodeListItem>(NodeItemOf(Node));
}

void TfrmTListItemsDlg::SetListView(TCustomListView* ListView) {
    SetListItems(ListView->GetItems());
    SetSmallImages(ListView->GetSmallImages());
    SetLargeImages(ListView->GetLargeImages());
    cbeStateIndex->SetImages(ListView->GetStateImages());
    cbeCustomIndex->SetImages(ListView->GetStateImages());
    SetViewStyle(ListView->GetViewStyle());
}

void TfrmTListItemsDlg::SetListItems(TListItems* Value) {
    if (FListItems == Value) return;
    if (FListItems) RemoveFreeNotification(FListItems->GetListView());
    FListItems = Value;
    if (Value) FreeNotification(Value->GetListView());
    TTreeNodes* Nodes = TreeView1->GetItems();
    TUpdateGuard<TTreeNodes> Guard(*Nodes);
    Nodes->Clear();
    for (int I = 0; Value && I < Value->GetCount(); ++I) {
        TListItem* ListItem = Value->GetItem(I);
        TCustomNodeItem* Item = TCustomNodeItem::CreateNodeItem(GetNodeItemClass(), ListItem);
        TTreeNode* Node = Nodes->AddObject(nullptr, ListItem->GetCaption(), NodeData(Item));
        TStrings* SubItems = ListItem->GetSubItems();
        for (int J = 0; J < SubItems->GetCount(); ++J) Nodes->AddChild(Node, SubItems->Get(J));
    }
}

// Icon view shows a list item's large image; sub-items and the other views the small ones.
void TfrmTListItemsDlg::SetupImages(bool SubItem) {
    FillImageCombo(SubItem || FViewStyle != vsIcon ? GetSmallImages() : GetLargeImages());
}

void TfrmTListItemsDlg::ShowNodeProperties(TTreeNode* Node) {
    if (!Node) {
        TfrmCustomItemsDlg::ShowNodeProperties(Node);
        return;
    }
    TValueRollback<bool> Filling(FFilling, true);
    const bool HasItem = NodeItemOf(Node) != nullptr;
    cbeStateIndex->SetEnabled(HasItem);
    cbeCustomIndex->SetEnabled(HasItem);
    if (TCustomNodeItem* Item = NodeItemOf(Node)) {
        SetupImages(false);
        leCaption->SetText(Item->GetCaption());
        SetComboValue(cbeImageIndex, Item->GetImageIndex());
        SetComboValue(cbeStateIndex, Item->GetStateIndex());
        SetComboValue(cbeCustomIndex, Item->GetCustomIndex());
    } else {
        SetupImages(true);
        TNodeListItem* Parent = ListItemOf(Node->GetParent());
        const int Index = Node->GetIndex();
        TStrings* SubItems = Parent ? Parent->GetSubItems() : nullptr;
        leCaption->SetText(SubItems && Index < SubItems->GetCount() ? SubItems->Get(Index)
                                                                    : Node->GetText());
        SetComboValue(cbeImageIndex, Parent ? Parent->GetSubItemImage(Index) : -1);
        SetComboValue(cbeStateIndex, -1);
        SetComboValue(cbeCustomIndex, -1);
    }
    gbItemProperties->SetEnabled(true);
}

// A sub-item has only an image: the other two combos do not count for it.
void TfrmTListItemsDlg::ApplyComboValue(TComboBoxEx* Combo, TTreeNode* Node) {
    if (NodeItemOf(Node) || Node->GetLevel() == 0) {
        TfrmCustomItemsDlg::ApplyComboValue(Combo, Node);
        return;
    }
    if (Combo != cbeImageIndex) return;
    const int Value = StrToInt(Combo->GetText());
    if (TNodeListItem* Parent = ListItemOf(Node->GetParent()))
        Parent->SetSubItemImage(Node->GetIndex(), Value);
}

void TfrmTListItemsDlg::NewItem() {
    SetModified(true);
    TCustomNodeItem* Item = TCustomNodeItem::CreateNodeItem(GetNodeItemClass());
    TTreeNode* Node = TreeView1->GetItems()->AddObject(nullptr, Item->GetCaption(), NodeData(Item));
    TreeView1->SetSelected(Node);
}

// A sub-item node's new sibling is the list item's last sub-item.
void TfrmTListItemsDlg::NewSubItem() {
    SetModified(true);
    TTreeNode* Selected = TreeView1->GetSelected();
    if (!Selected) return;
    TTreeNode* Owner = Selected->GetLevel() == 0 ? Selected : Selected->GetParent();
    if (TNodeListItem* Item = ListItemOf(Owner)) Item->GetSubItems()->Add("");
    TTreeNode* Node = TreeView1->GetItems()->AddChild(Owner, "");
    TreeView1->SetSelected(Node);
}

void TfrmTListItemsDlg::DeleteItem() {
    TTreeNode* Node = TreeView1->GetSelected();
    if (!Node) return;
    if (TCustomNodeItem* Item = NodeItemOf(Node)) {
        Node->SetData(nullptr);
        Item->Free();
    } else if (TNodeListItem* Parent = ListItemOf(Node->GetParent())) {
        Parent->DeleteSubItem(Node->GetIndex());
    }
    TfrmCustomItemsDlg::DeleteItem();
}

// Root nodes become list items and their children sub-items; deeper levels have no place.
bool TfrmTListItemsDlg::LoadFromFile() {
    if (!TfrmCustomItemsDlg::LoadFromFile()) return false;
    TTreeNodes* Nodes = TreeView1->GetItems();
    TUpdateGuard<TTreeNodes> Guard(*Nodes);
    for (TTreeNode* Root = Nodes->GetFirstNode(); Root; Root = Root->GetNextSibling()) {
        TCustomNodeItem* Item = TCustomNodeItem::CreateNodeItem(TNodeListItem::StaticClass());
        Item->SetCaption(Root->GetText());
        Root->SetData(NodeData(Item));
        for (TTreeNode* Child = Root->GetFirstChild(); Child; Child = Child->GetNextSibling()) {
            static_cast<TNodeListItem*>(Item)->GetSubItems()->Add(Child->GetText());
            Child->DeleteChildren();
        }
    }
    return true;
}

void TfrmTListItemsDlg::ApplyChanges() {
    TfrmCustomItemsDlg::ApplyChanges();
    if (!FListItems) return;
    {
        TUpdateGuard<TListItems> Guard(*FListItems);
        FListItems->Clear();
        for (TTreeNode* Root = TreeView1->GetItems()->GetFirstNode(); Root;
             Root = Root->GetNextSibling()) {
            TListItem* ListItem = FListItems->Add();
            if (TCustomNodeItem* Item = NodeItemOf(Root)) ListItem->Assign(Item);
        }
    }
    if (TCustomListView* ListView = FListItems->GetListView())
        ListView->UpdateItems(0, FListItems->GetCount() - 1);
}

// ---- TfrmTTreeNodesDlg ----

ZK_IMPLEMENT_CLASS(TfrmTTreeNodesDlg)
void TfrmTTreeNodesDlg::DescribeClass(TClassBuilder<TfrmTTreeNodesDlg>&) {}

TfrmTTreeNodesDlg::TfrmTTreeNodesDlg(TComponent* AOwner) : TfrmCustomItemsDlg(AOwner) {
    SetNodeItemClass(nullptr);
}

void TfrmTTreeNodesDlg::Loaded() {
    TfrmCustomItemsDlg::Loaded();
    SetCaption("TreeView Items Editor");
    lblOverlayIndex->SetCaption("Selected I&ndex");
}

void TfrmTTreeNodesDlg::Notification(TComponent* AComponent, TOperation Operation) {
    TfrmCustomItemsDlg::Notification(AComponent, Operation);
    if (Operation == opRemove && FTreeNodes && AComponent == FTreeNodes->GetOwner())
        FTreeNodes = nullptr;
}

void TfrmTTreeNodesDlg::SetTreeView(TCustomTreeView* TreeView) {
    SetTreeNodes(TreeView->GetItems());
    SetSmallImages(TreeView->GetImages());
    cbeStateIndex->SetImages(TreeView->GetStateImages());
    cbeCustomIndex->SetImages(TreeView->GetImages());
}

void TfrmTTreeNodesDlg::SetTreeNodes(TTreeNodes* Value) {
    if (FTreeNodes == Value) return;
    if (auto* Old = FTreeNodes ? DynamicCast<TComponent>(FTreeNodes->GetOwner()) : nullptr)
        RemoveFreeNotification(Old);
    FTreeNodes = Value;
    if (auto* View = Value ? DynamicCast<TComponent>(Value->GetOwner()) : nullptr)
        FreeNotification(View);
    if (Value) TreeView1->GetItems()->Assign(Value);
}

void TfrmTTreeNodesDlg::ApplyChanges() {
    TfrmCustomItemsDlg::ApplyChanges();
    if (FTreeNodes) FTreeNodes->Assign(TreeView1->GetItems());
}

// ---- entry calls ----

void EditListViewItems(TCustomListView* ListView) {
    TOwned<TfrmTListItemsDlg> Dialog(Create<TfrmTListItemsDlg>(Application));
    Dialog->SetListView(ListView);
    Dialog->ShowModal();
}

void EditTreeViewNodes(TCustomTreeView* TreeView) {
    TOwned<TfrmTTreeNodesDlg> Dialog(Create<TfrmTTreeNodesDlg>(Application));
    Dialog->SetTreeView(TreeView);
    Dialog->ShowModal();
}

}  // namespace zk
