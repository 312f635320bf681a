// The list-view and tree-view items editor: detached copies of list items and tree nodes
// (TCustomNodeItem, TNodeListItem) and the modal dialogs that edit them as a tree
// (TfrmCustomItemsDlg, TfrmTListItemsDlg, TfrmTTreeNodesDlg), with their entry calls.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Persistent.h"
#include "platform/core/StringList.h"
#include "platform/gui/Forms.h"
#include "platform/gui/ListView.h"
#include "platform/gui/TreeView.h"

namespace zk {

class TAction;
class TActionList;
class TBevel;
class TButton;
class TComboBoxEx;
class TCustomImageList;
class TGroupBox;
class TLabel;
class TLabeledEdit;
class TOpenDialog;
class TPanel;

// A dynamic array of Integer, as the type information reports it ("TIntegerArray", tkDynArray).
struct TIntegerArray : std::vector<int> {
    using std::vector<int>::vector;
};
const TTypeInfo* ZkTypeInfo(TIntegerArray*);

// A detached copy of one list item or tree node. CustomIndex is a list
// item's overlay index or a tree node's selected index; the indexes start
// at -1 (none). The setters only store.
class TCustomNodeItem : public TPersistent {
    ZK_CLASS(TCustomNodeItem, TPersistent)
public:
    TCustomNodeItem() = default;
    // A new item of NodeItemClass (TCustomNodeItem or a descendant), copied
    // from Source when given. Owned by the caller.
    static TCustomNodeItem* CreateNodeItem(const TClassInfo* NodeItemClass,
                                           TPersistent* Source = nullptr);

    // From another node item, a TListItem or a TTreeNode; anything else
    // raises the assignment error.
    void Assign(TPersistent* Source) override;

    const std::string& GetCaption() const { return FCaption; }
    void SetCaption(const std::string& Value) { FCaption = Value; }
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    int GetStateIndex() const { return FStateIndex; }
    void SetStateIndex(int Value) { FStateIndex = Value; }
    int GetCustomIndex() const { return FCustomIndex; }
    void SetCustomIndex(int Value) { FCustomIndex = Value; }

protected:
    // Into a TListItem or a TTreeNode; anything else raises the assignment error.
    void AssignTo(TPersistent* Dest) override;

private:
    int FImageIndex = -1;
    int FStateIndex = -1;
    std::string FCaption;
    int FCustomIndex = -1;
};

// A detached list item with its sub-items. SubItemImages holds one image
// index per sub-item: whenever the number of sub-items changes the array
// follows, new entries being -1.
class TNodeListItem : public TCustomNodeItem {
    ZK_CLASS(TNodeListItem, TCustomNodeItem)
public:
    TNodeListItem();

    // Also copies the sub-items and their images from a node list item or a TListItem.
    void Assign(TPersistent* Source) override;

    // Owned; SetSubItems copies Value.
    TStrings* GetSubItems() const { return FSubItems.get(); }
    void SetSubItems(TStrings* Value);
    const TIntegerArray& GetSubItemImages() const { return FSubItemImages; }
    void SetSubItemImages(const TIntegerArray& Value) { FSubItemImages = Value; }
    // One entry of SubItemImages; -1 outside the array, and writes outside it are dropped.
    int GetSubItemImage(int Index) const;
    void SetSubItemImage(int Index, int Value);
    // Removes sub-item Index together with its image entry; nothing for an
    // index outside the image array.
    void DeleteSubItem(int Index);

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    void SubItemsChanged(TObject* Sender);

    TIntegerArray FSubItemImages;
    TOwned<TStringList> FSubItems;
};

// The base dialog, loaded from its form description: the items as a tree on
// the left, the selected item's caption and image indexes on the right.
// With a NodeItemClass every node that stands for an item carries a node
// item of that class as its Data, which the dialog owns and frees with the
// node; without one the nodes' own text and indexes are edited.
//
// Null behaviour: with no node selected the property editors are empty and
// disabled, and the commands that need a node do nothing.
class TfrmCustomItemsDlg : public TForm {
    ZK_CLASS(TfrmCustomItemsDlg, TForm)
public:
    explicit TfrmCustomItemsDlg(TComponent* AOwner);
    // Frees the node items while the tree is whole.
    void BeforeDestruction() override;

    // ---- introduced operations, in slot order ----
    // Stores Combo's text, converted to an integer, as Node's image, state
    // or custom index; a text that is no integer raises EConvertError and
    // changes nothing.
    virtual void ApplyComboValue(TComboBoxEx* Combo, TTreeNode* Node);
    // Fills the property editors from Node; null empties and disables them.
    virtual void ShowNodeProperties(TTreeNode* Node);
    // Gives the image combo the images that fit a list item (SubItem false) or a sub-item.
    virtual void SetupImages(bool SubItem);
    // Asks for a file and replaces the tree with its nodes (the tree text
    // format). False when no file was chosen; a file that cannot be read
    // raises its error and leaves the tree as it was.
    virtual bool LoadFromFile();
    virtual void NewItem();
    virtual void NewSubItem();
    // Deletes the selected node with its subtree and selects its next sibling.
    virtual void DeleteItem();
    // Commits the editors and writes the tree back into the edited control.
    virtual void ApplyChanges();
    // Stores what the caption field and the three combos hold into the
    // selected node; raises EConvertError for a combo text that is no integer.
    virtual void CommitEdits();

    // Puts one item per image of ImageList (none without a list) into the image combo.
    void FillImageCombo(TCustomImageList* ImageList);
    // Combo shows Value, with the matching line selected when it has one.
    void SetComboValue(TComboBoxEx* Combo, int Value);

    const TClassInfo* GetNodeItemClass() const { return FNodeItemClass; }
    void SetNodeItemClass(const TClassInfo* Value);
    bool GetModified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }
    // Not owned; cleared when the image list is freed.
    TCustomImageList* GetSmallImages() const { return FSmallImages; }
    void SetSmallImages(TCustomImageList* Value);
    TCustomImageList* GetLargeImages() const { return FLargeImages; }
    void SetLargeImages(TCustomImageList* Value);
    // The node item Node carries; null without a NodeItemClass or for a node without one.
    TCustomNodeItem* NodeItemOf(const TTreeNode* Node) const;

    // Handlers bound by name from the form description.
    void FormCreate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void TreeView1Change(TObject* Sender, TTreeNode* Node);
    void TreeView1Changing(TObject* Sender, TTreeNode* Node, bool& AllowChange);
    void TreeView1Edited(TObject* Sender, TTreeNode* Node, std::string& S);
    void leCaptionChange(TObject* Sender);
    void leCaptionExit(TObject* Sender);
    void cbeImageIndexExit(TObject* Sender);
    void actNewItemExecute(TObject* Sender);
    void actNewSubitemExecute(TObject* Sender);
    void actDeleteItemExecute(TObject* Sender);
    void actDeleteItemUpdate(TObject* Sender);
    void actApplyExecute(TObject* Sender);
    void actApplyUpdate(TObject* Sender);
    void actLoadExecute(TObject* Sender);
    void actShowImagesExecute(TObject* Sender);

    // Components of the description; the form owns them.
    TBevel* Bevel1 = nullptr;
    TGroupBox* gbItems = nullptr;
    TTreeView* TreeView1 = nullptr;
    TPanel* Panel1 = nullptr;
    TButton* btnNewItem = nullptr;
    TButton* btnNewSubItem = nullptr;
    TButton* btnDeleteItem = nullptr;
    TButton* btnLoad = nullptr;
    TGroupBox* gbItemProperties = nullptr;
    TLabeledEdit* leCaption = nullptr;
    TLabel* lblImageIndex = nullptr;
    TComboBoxEx* cbeImageIndex = nullptr;
    TLabel* lblStateIndex = nullptr;
    TComboBoxEx* cbeStateIndex = nullptr;
    TLabel* lblOverlayIndex = nullptr;
    TComboBoxEx* cbeCustomIndex = nullptr;
    TButton* OKBtn = nullptr;
    TButton* CancelBtn = nullptr;
    TButton* ApplyBtn = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;
    TActionList* ActionList1 = nullptr;
    TAction* actNewItem = nullptr;
    TAction* actNewSubitem = nullptr;
    TAction* actDeleteItem = nullptr;
    TAction* actApply = nullptr;
    TAction* actLoad = nullptr;
    TAction* actShowImages = nullptr;

protected:
    // Finds the components of the description, before OnCreate runs.
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Data for a node that carries Item.
    static void* NodeData(TCustomNodeItem* Item) { return Item; }
    // The caption step: the caption field's text into the selected node.
    void StoreCaption();
    // The index step for one combo; CancelBtn taking the focus skips it.
    void StoreComboValue(TComboBoxEx* Combo);

    // ShowNodeProperties is filling the editors: their change events neither
    // store into the node nor count as an edit.
    bool FFilling = false;

private:
    void TreeView1Deletion(TObject* Sender, TTreeNode* Node);
    void FreeNodeItems();
    // Runs a commit; a conversion error already shown to the user when the
    // combo lost the focus is not shown again. False when it failed.
    template <class F>
    bool Committed(F Step);

    const TClassInfo* FNodeItemClass = nullptr;
    bool FModified = false;
    bool FErrorShown = false;  // a combo's conversion error went to the user on its exit
    TCustomImageList* FSmallImages = nullptr;  // not owned; free-notified
    TCustomImageList* FLargeImages = nullptr;  // not owned; free-notified
};

// Edits the items of a list view; a list item is a root node carrying its
// TNodeListItem, its sub-items are the child nodes (their position is the
// sub-item index).
class TfrmTListItemsDlg : public TfrmCustomItemsDlg {
    ZK_CLASS(TfrmTListItemsDlg, TfrmCustomItemsDlg)
public:
    explicit TfrmTListItemsDlg(TComponent* AOwner);

    // The items, images and view style of ListView.
    void SetListView(TCustomListView* ListView);
    // Not owned; cleared when their list view is freed.
    TListItems* GetListItems() const { return FListItems; }
    void SetListItems(TListItems* Value);
    TViewStyle GetViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle Value) { FViewStyle = Value; }

    void ApplyComboValue(TComboBoxEx* Combo, TTreeNode* Node) override;
    void ShowNodeProperties(TTreeNode* Node) override;
    void SetupImages(bool SubItem) override;
    bool LoadFromFile() override;
    void NewItem() override;
    void NewSubItem() override;
    void DeleteItem() override;
    void ApplyChanges() override;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TNodeListItem* ListItemOf(const TTreeNode* Node) const;

    TListItems* FListItems = nullptr;  // not owned; its list view is free-notified
    TViewStyle FViewStyle = vsIcon;
};

// Edits the nodes of a tree view: the dialog's tree is a copy of them, copied back on apply.
class TfrmTTreeNodesDlg : public TfrmCustomItemsDlg {
    ZK_CLASS(TfrmTTreeNodesDlg, TfrmCustomItemsDlg)
public:
    explicit TfrmTTreeNodesDlg(TComponent* AOwner);

    // The nodes and images of TreeView.
    void SetTreeView(TCustomTreeView* TreeView);
    // Not owned; cleared when their tree view is freed.
    TTreeNodes* GetTreeNodes() const { return FTreeNodes; }
    void SetTreeNodes(TTreeNodes* Value);

    void ApplyChanges() override;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TTreeNodes* FTreeNodes = nullptr;  // not owned; its tree view is free-notified
};

// Edit the items of ListView or the nodes of TreeView in a modal dialog,
// which writes into the control itself on OK or Apply.
void EditListViewItems(TCustomListView* ListView);
void EditTreeViewNodes(TCustomTreeView* TreeView);

}  // namespace zk
