// The detached node items and the base items dialog: the tree of items, the caption and index
// editors, committing them, new, delete, loading from a file and applying.
#include "dialogs/ZkItemsDlg.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "dialogs/ZkDialogsRegistration.h"
#include "dialogs/ZkDialogs_p.h"
#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/ActnList.h"
#include "platform/gui/ComboBoxEx.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/ImgList.h"
#include "platform/gui/LabeledEdit.h"
#include "platform/gui/StdCtrls.h"

namespace zk {

const TTypeInfo* ZkTypeInfo(TIntegerArray*) {
    static const TTypeInfo* Info = [] {
        auto* T = new TTypeInfo();
        T->Kind = tkDynArray;
        T->Name = "TIntegerArray";
        return T;
    }();
    return Info;
}

// ---- TCustomNodeItem ----

ZK_IMPLEMENT_CLASS(TCustomNodeItem)
void TCustomNodeItem::DescribeClass(TClassBuilder<TCustomNodeItem>& C) {
    C.Prop("Caption", &TCustomNodeItem::GetCaption, &TCustomNodeItem::SetCaption);
    C.Prop("ImageIndex", &TCustomNodeItem::GetImageIndex, &TCustomNodeItem::SetImageIndex)
        .Default(-1);
    C.Prop("StateIndex", &TCustomNodeItem::GetStateIndex, &TCustomNodeItem::SetStateIndex)
        .Default(-1);
    C.Prop("CustomIndex", &TCustomNodeItem::GetCustomIndex, &TCustomNodeItem::SetCustomIndex)
        .Default(-1);
}

TCustomNodeItem* TCustomNodeItem::CreateNodeItem(const TClassInfo* NodeItemClass,
                                                 TPersistent* Source) {
    assert(NodeItemClass && NodeItemClass->InheritsFrom(TCustomNodeItem::StaticClass()) &&
           NodeItemClass->CreateDefault && "a node item class must derive from TCustomNodeItem");
    TOwned<TCustomNodeItem> Item(static_cast<TCustomNodeItem*>(NodeItemClass->CreateDefault()));
    if (Source) Item->Assign(Source);
    return Item.release();
}

void TCustomNodeItem::Assign(TPersistent* Source) {
    if (auto* Item = DynamicCast<TCustomNodeItem>(Source)) {
        FCaption = Item->FCaption;
        FImageIndex = Item->FImageIndex;
        FStateIndex = Item->FStateIndex;
        FCustomIndex = Item->FCustomIndex;
    } else if (auto* ListItem = DynamicCast<TListItem>(Source)) {
        FCaption = ListItem->GetCaption();
        FImageIndex = ListItem->GetImageIndex();
        FStateIndex = ListItem->GetStateIndex();
        FCustomIndex = ListItem->GetOverlayIndex();
    } else if (auto* Node = DynamicCast<TTreeNode>(Source)) {
        FCaption = Node->GetText();
        FImageIndex = Node->GetImageIndex();
        FStateIndex = Node->GetStateIndex();
        FCustomIndex = Node->GetSelectedIndex();
    } else {
        TPersistent::Assign(Source);
    }
}

void TCustomNodeItem::AssignTo(TPersistent* Dest) {
    if (auto* ListItem = DynamicCast<TListItem>(Dest)) {
        ListItem->SetCaption(FCaption);
        ListItem->SetImageIndex(FImageIndex);
        ListItem->SetStateIndex(FStateIndex);
        ListItem->SetOverlayIndex(FCustomIndex);
    } else if (auto* Node = DynamicCast<TTreeNode>(Dest)) {
        Node->SetText(FCaption);
        Node->SetImageIndex(FImageIndex);
        Node->SetStateIndex(FStateIndex);
        Node->SetSelectedIndex(FCustomIndex);
    } else {
        TPersistent::AssignTo(Dest);
    }
}

// ---- TNodeListItem ----

ZK_IMPLEMENT_CLASS(TNodeListItem)
void TNodeListItem::DescribeClass(TClassBuilder<TNodeListItem>& C) {
    C.Prop("SubItems", &TNodeListItem::GetSubItems, &TNodeListItem::SetSubItems);
    C.Prop("SubItemImages", &TNodeListItem::GetSubItemImages, &TNodeListItem::SetSubItemImages);
}

TNodeListItem::TNodeListItem() : FSubItems(Create<TStringList>()) {
    FSubItems->SetOnChange(TNotifyEvent(this, &TNodeListItem::SubItemsChanged));
}

void TNodeListItem::SubItemsChanged(TObject*) {
    const size_t Count = static_cast<size_t>(FSubItems->GetCount());
    if (FSubItemImages.size() != Count) FSubItemImages.resize(Count, -1);
}

void TNodeListItem::SetSubItems(TStrings* Value) {
    FSubItems->Assign(Value);
}

int TNodeListItem::GetSubItemImage(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(FSubItemImages.size())) return -1;
    return FSubItemImages[static_cast<size_t>(Index)];
}

void TNodeListItem::SetSubItemImage(int Index, int Value) {
    if (Index < 0 || Index >= static_cast<int>(FSubItemImages.size())) return;
    FSubItemImages[static_cast<size_t>(Index)] = Value;
}

void TNodeListItem::DeleteSubItem(int Index) {
    if (Index < 0 || Index >= static_cast<int>(FSubItemImages.size())) return;
    // The entry goes first, so the sub-item list's change finds the lengths equal.
    FSubItemImages.erase(FSubItemImages.begin() + Index);
    FSubItems->Delete(Index);
}

void TNodeListItem::Assign(TPersistent* Source) {
    if (auto* Item = DynamicCast<TNodeListItem>(Source)) {
        FSubItems->Assign(Item->FSubItems.get());
        FSubItemImages = Item->FSubItemImages;
    } else if (auto* ListItem = DynamicCast<TListItem>(Source)) {
        FSubItems->Assign(ListItem->GetSubItems());
        for (int I = 0; I < FSubItems->GetCount(); ++I)
            SetSubItemImage(I, ListItem->GetSubItemImages(I));
    }
    TCustomNodeItem::Assign(Source);
}

void TNodeListItem::AssignTo(TPersistent* Dest) {
    if (auto* ListItem = DynamicCast<TListItem>(Dest)) {
        ListItem->SetSubItems(FSubItems.get());
        const int Count =
            std::min(ListItem->GetSubItems()->GetCount(), static_cast<int>(FSubItemImages.size()));
        for (int I = 0; I < Count; ++I) ListItem->SetSubItemImages(I, FSubItemImages[I]);
    }
    TCustomNodeItem::AssignTo(Dest);
}

// ---- TfrmCustomItemsDlg ----

ZK_IMPLEMENT_CLASS(TfrmCustomItemsDlg)
void TfrmCustomItemsDlg::DescribeClass(TClassBuilder<TfrmCustomItemsDlg>& C) {
    using F = TfrmCustomItemsDlg;
    C.Method("FormCreate", &F::FormCreate);
    C.Method("FormClose", &F::FormClose);
    C.Method("TreeView1Change", &F::TreeView1Change);
    C.Method("TreeView1Changing", &F::TreeView1Changing);
    C.Method("TreeView1Edited", &F::TreeView1Edited);
    C.Method("leCaptionChange", &F::leCaptionChange);
    C.Method("leCaptionExit", &F::leCaptionExit);
    C.Method("cbeImageIndexExit", &F::cbeImageIndexExit);
    C.Method("actNewItemExecute", &F::actNewItemExecute);
    C.Method("actNewSubitemExecute", &F::actNewSubitemExecute);
    C.Method("actDeleteItemExecute", &F::actDeleteItemExecute);
    C.Method("actDeleteItemUpdate", &F::actDeleteItemUpdate);
    C.Method("actApplyExecute", &F::actApplyExecute);
    C.Method("actApplyUpdate", &F::actApplyUpdate);
    C.Method("actLoadExecute", &F::actLoadExecute);
    C.Method("actShowImagesExecute", &F::actShowImagesExecute);
}

TfrmCustomItemsDlg::TfrmCustomItemsDlg(TComponent* AOwner) : TForm(AOwner) {
    RegisterDialogsClasses();
}

void TfrmCustomItemsDlg::BeforeDestruction() {
    FreeNodeItems();
    SetSmallImages(nullptr);
    SetLargeImages(nullptr);
    TForm::BeforeDestruction();
}

void TfrmCustomItemsDlg::Loaded() {
    TForm::Loaded();
    BindComponent(this, Bevel1, "Bevel1");
    BindComponent(this, gbItems, "gbItems");
    BindComponent(this, TreeView1, "TreeView1");
    BindComponent(this, Panel1, "Panel1");
    BindComponent(this, btnNewItem, "btnNewItem");
    BindComponent(this, btnNewSubItem, "btnNewSubItem");
    BindComponent(this, btnDeleteItem, "btnDeleteItem");
    BindComponent(this, btnLoad, "btnLoad");
    BindComponent(this, gbItemProperties, "gbItemProperties");
    BindComponent(this, leCaption, "leCaption");
    BindComponent(this, lblImageIndex, "lblImageIndex");
    BindComponent(this, cbeImageIndex, "cbeImageIndex");
    BindComponent(this, lblStateIndex, "lblStateIndex");
    BindComponent(this, cbeStateIndex, "cbeStateIndex");
    BindComponent(this, lblOverlayIndex, "lblOverlayIndex");
    BindComponent(this, cbeCustomIndex, "cbeCustomIndex");
    BindComponent(this, OKBtn, "OKBtn");
    BindComponent(this, CancelBtn, "CancelBtn");
    BindComponent(this, ApplyBtn, "ApplyBtn");
    BindComponent(this, OpenDialog1, "OpenDialog1");
    BindComponent(this, ActionList1, "ActionList1");
    BindComponent(this, actNewItem, "actNewItem");
    BindComponent(this, actNewSubitem, "actNewSubitem");
    BindComponent(this, actDeleteItem, "actDeleteItem");
    BindComponent(this, actApply, "actApply");
    BindComponent(this, actLoad, "actLoad");
    BindComponent(this, actShowImages, "actShowImages");
}

void TfrmCustomItemsDlg::FormCreate(TObject*) {
    // The node items belong to their nodes: whatever removes a node frees its item.
    TreeView1->SetOnDeletion(TTVExpandedEvent(this, &TfrmCustomItemsDlg::TreeView1Deletion));
    FModified = false;
}

void TfrmCustomItemsDlg::Notification(TComponent* AComponent, TOperation Operation) {
    TForm::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSmallImages) FSmallImages = nullptr;
    if (AComponent == FLargeImages) FLargeImages = nullptr;
}

void TfrmCustomItemsDlg::SetNodeItemClass(const TClassInfo* Value) {
    assert((!Value || Value->InheritsFrom(TCustomNodeItem::StaticClass())) &&
           "NodeItemClass must derive from TCustomNodeItem");
    FNodeItemClass = Value;
}

void TfrmCustomItemsDlg::SetSmallImages(TCustomImageList* Value) {
    if (FSmallImages == Value) return;
    if (FSmallImages && FSmallImages != FLargeImages) RemoveFreeNotification(FSmallImages);
    FSmallImages = Value;
    if (Value) FreeNotification(Value);
}

void TfrmCustomItemsDlg::SetLargeImages(TCustomImageList* Value) {
    if (FLargeImages == Value) return;
    if (FLargeImages && FLargeImages != FSmallImages) RemoveFreeNotification(FLargeImages);
    FLargeImages = Value;
    if (Value) FreeNotification(Value);
}

TCustomNodeItem* TfrmCustomItemsDlg::NodeItemOf(const TTreeNode* Node) const {
    if (!FNodeItemClass || !Node) return nullptr;
    return static_cast<TCustomNodeItem*>(Node->GetData());
}

void TfrmCustomItemsDlg::TreeView1Deletion(TObject*, TTreeNode* Node) {
    if (TCustomNodeItem* Item = NodeItemOf(Node)) {
        Node->SetData(nullptr);
        Item->Free();
    }
}

// Nodes freed with the tree view tell nobody, so their items go first.
void TfrmCustomItemsDlg::FreeNodeItems() {
    if (!TreeView1 || !FNodeItemClass) return;
    for (TTreeNode* Node = TreeView1->GetItems()->GetFirstNode(); Node; Node = Node->GetNext())
        TreeView1Deletion(this, Node);
}

// ---- images ----

void TfrmCustomItemsDlg::FillImageCombo(TCustomImageList* ImageList) {
    cbeImageIndex->SetImages(ImageList);
    TComboExItems* Items = cbeImageIndex->GetItemsEx();
    {
        TUpdateGuard<TComboExItems> Guard(*Items);
        Items->Clear();
        for (int I = 0; ImageList && I < ImageList->GetCount(); ++I)
            Items->AddItem(IntToStr(I), I, I);
    }
    if (!actShowImages->GetChecked()) cbeImageIndex->SetHeight(25);
}

void TfrmCustomItemsDlg::SetupImages(bool) {
    FillImageCombo(FSmallImages);
}

void TfrmCustomItemsDlg::SetComboValue(TComboBoxEx* Combo, int Value) {
    const std::string Text = IntToStr(Value);
    const int Index = Combo->GetItems()->IndexOf(Text);
    if (Index >= 0)
        Combo->SetItemIndex(Index);
    else
        Combo->SetText(Text);
}

// The platform's image combo box draws its images without an extended
// style to take away; only the unchecked look (a taller box) differs.
void TfrmCustomItemsDlg::actShowImagesExecute(TObject*) {
    if (actShowImages->GetChecked()) return;
    for (TComboBoxEx* Combo : {cbeImageIndex, cbeStateIndex, cbeCustomIndex}) Combo->SetHeight(25);
}

// ---- showing and storing one node ----

void TfrmCustomItemsDlg::ShowNodeProperties(TTreeNode* Node) {
    TValueRollback<bool> Filling(FFilling, true);
    if (!Node) {
        leCaption->SetText("");
        for (TComboBoxEx* Combo : {cbeImageIndex, cbeStateIndex, cbeCustomIndex}) {
            Combo->SetItemIndex(-1);
            Combo->SetText("");
        }
        gbItemProperties->SetEnabled(false);
        return;
    }
    SetupImages(Node->GetLevel() > 0);
    if (TCustomNodeItem* Item = NodeItemOf(Node)) {
        leCaption->SetText(Item->GetCaption());
        SetComboValue(cbeImageIndex, Item->GetImageIndex());
        SetComboValue(cbeStateIndex, Item->GetStateIndex());
        SetComboValue(cbeCustomIndex, Item->GetCustomIndex());
    } else {
        leCaption->SetText(Node->GetText());
        SetComboValue(cbeImageIndex, Node->GetImageIndex());
        SetComboValue(cbeStateIndex, Node->GetStateIndex());
        SetComboValue(cbeCustomIndex, Node->GetSelectedIndex());
    }
    gbItemProperties->SetEnabled(true);
}

void TfrmCustomItemsDlg::StoreCaption() {
    TTreeNode* Node = TreeView1->GetSelected();
    if (!Node) return;
    const std::string Text = leCaption->GetText();
    if (TCustomNodeItem* Item = NodeItemOf(Node)) {
        Item->SetCaption(Text);
    } else if (auto* Parent = DynamicCast<TNodeListItem>(NodeItemOf(Node->GetParent()))) {
        // A sub-item node: its position is the sub-item's index.
        const int Index = Node->GetIndex();
        if (Index < Parent->GetSubItems()->GetCount()) Parent->GetSubItems()->Put(Index, Text);
    }
    Node->SetText(Text);
}

void TfrmCustomItemsDlg::ApplyComboValue(TComboBoxEx* Combo, TTreeNode* Node) {
    const int Value = StrToInt(Combo->GetText());
    if (TCustomNodeItem* Item = NodeItemOf(Node)) {
        if (Combo == cbeImageIndex)
            Item->SetImageIndex(Value);
        else if (Combo == cbeStateIndex)
            Item->SetStateIndex(Value);
        else if (Combo == cbeCustomIndex)
            Item->SetCustomIndex(Value);
    } else {
        if (Combo == cbeImageIndex)
            Node->SetImageIndex(Value);
        else if (Combo == cbeStateIndex)
            Node->SetStateIndex(Value);
        else if (Combo == cbeCustomIndex)
            Node->SetSelectedIndex(Value);
    }
}

void TfrmCustomItemsDlg::StoreComboValue(TComboBoxEx* Combo) {
    TTreeNode* Node = TreeView1->GetSelected();
    // Leaving for Cancel needs no valid text: everything is thrown away.
    if (!Combo || !Node || GetActiveControl() == CancelBtn) return;
    try {
        ApplyComboValue(Combo, Node);
    } catch (const EConvertError&) {
        if (Combo->CanFocus()) Combo->SetFocus();
        Combo->SelectAll();
        throw;
    }
}

void TfrmCustomItemsDlg::CommitEdits() {
    StoreCaption();
    StoreComboValue(cbeImageIndex);
    StoreComboValue(cbeStateIndex);
    StoreComboValue(cbeCustomIndex);
}

template <class F>
bool TfrmCustomItemsDlg::Committed(F Step) {
    const bool Shown = std::exchange(FErrorShown, false);
    try {
        Step();
        return true;
    } catch (const EConvertError&) {
        if (!Shown) Application->HandleException(this);
        return false;
    }
}

// ---- the tree ----

void TfrmCustomItemsDlg::TreeView1Change(TObject*, TTreeNode* Node) {
    ShowNodeProperties(Node);
}

// A value that cannot be stored keeps the selection where it is, so the
// user can mend it in place.
void TfrmCustomItemsDlg::TreeView1Changing(TObject*, TTreeNode*, bool& AllowChange) {
    if (!Committed([this] { CommitEdits(); })) AllowChange = false;
}

void TfrmCustomItemsDlg::TreeView1Edited(TObject*, TTreeNode*, std::string& S) {
    leCaption->SetText(S);
    StoreCaption();
}

// Only the user's edits count: merely selecting a node must not make OK
// rewrite the control (which would drop what the copies do not hold).
void TfrmCustomItemsDlg::leCaptionChange(TObject* Sender) {
    if (FFilling) return;
    FModified = true;
    // The tree follows every keystroke of the caption.
    if (Sender == leCaption) StoreCaption();
}

void TfrmCustomItemsDlg::leCaptionExit(TObject*) {
    StoreCaption();
}

void TfrmCustomItemsDlg::cbeImageIndexExit(TObject* Sender) {
    FErrorShown = false;
    try {
        StoreComboValue(DynamicCast<TComboBoxEx>(Sender));
    } catch (const EConvertError&) {
        // The application shows it; a commit that follows at once stays quiet.
        FErrorShown = true;
        throw;
    }
}

// ---- commands ----

void TfrmCustomItemsDlg::NewItem() {
    FModified = true;
    TTreeNodes* Nodes = TreeView1->GetItems();
    TTreeNode* Sibling = TreeView1->GetSelected();
    TTreeNode* Node = nullptr;
    if (FNodeItemClass) {
        TCustomNodeItem* Item = TCustomNodeItem::CreateNodeItem(FNodeItemClass);
        Node = Nodes->AddObject(Sibling, Item->GetCaption(), NodeData(Item));
    } else {
        Node = Nodes->Add(Sibling, "");
    }
    TreeView1->SetSelected(Node);
}

void TfrmCustomItemsDlg::NewSubItem() {
    TTreeNode* Parent = TreeView1->GetSelected();
    if (!Parent) return;
    TCustomNodeItem* Item =
        FNodeItemClass ? TCustomNodeItem::CreateNodeItem(FNodeItemClass) : nullptr;
    TTreeNode* Node = TreeView1->GetItems()->AddChildObject(Parent, "", NodeData(Item));
    TreeView1->SetSelected(Node);
    FModified = true;
}

void TfrmCustomItemsDlg::DeleteItem() {
    TTreeNode* Node = TreeView1->GetSelected();
    if (!Node) return;
    TTreeNodes* Nodes = TreeView1->GetItems();
    TTreeNode* Next = nullptr;
    {
        TUpdateGuard<TTreeNodes> Guard(*Nodes);
        Next = Node->GetNextSibling();
        // The deletion handler frees the node items of the subtree, children first.
        Nodes->Delete(Node);
        TreeView1->SetSelected(Next);
    }
    ShowNodeProperties(TreeView1->GetSelected());
    FModified = true;
}

bool TfrmCustomItemsDlg::LoadFromFile() {
    OpenDialog1->SetTitle("Open");
    if (!OpenDialog1->Execute()) return false;
    // Read into a tree of its own first: a file that fails leaves this one untouched.
    TOwned<TTreeView> Loaded(Create<TTreeView>(nullptr));
    Loaded->LoadFromFile(OpenDialog1->GetFileName());
    TreeView1->GetItems()->Assign(Loaded->GetItems());
    TreeView1->SetSelected(nullptr);
    ShowNodeProperties(nullptr);
    FModified = true;
    return true;
}

void TfrmCustomItemsDlg::ApplyChanges() {
    CommitEdits();
    FModified = false;
}

void TfrmCustomItemsDlg::FormClose(TObject*, TCloseAction& Action) {
    if (!FModified || GetModalResult() != mrOk) return;
    // An index the user still has to mend keeps the dialog open.
    if (!Committed([this] { ApplyChanges(); })) Action = caNone;
}

void TfrmCustomItemsDlg::actNewItemExecute(TObject*) {
    NewItem();
}

void TfrmCustomItemsDlg::actNewSubitemExecute(TObject*) {
    NewSubItem();
}

void TfrmCustomItemsDlg::actDeleteItemExecute(TObject*) {
    DeleteItem();
}

void TfrmCustomItemsDlg::actDeleteItemUpdate(TObject* Sender) {
    if (auto* Action = DynamicCast<TCustomAction>(Sender))
        Action->SetEnabled(TreeView1->GetSelected() != nullptr);
}

void TfrmCustomItemsDlg::actApplyExecute(TObject*) {
    Committed([this] { ApplyChanges(); });
}

void TfrmCustomItemsDlg::actApplyUpdate(TObject*) {
    actApply->SetEnabled(FModified);
}

void TfrmCustomItemsDlg::actLoadExecute(TObject*) {
    LoadFromFile();
}

}  // namespace zk
