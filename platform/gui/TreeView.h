// Tree views: TTreeNode, TTreeNodes and TCustomTreeView/TTreeView over QTreeWidget, with the
// tree text format (one node per line, depth by leading indentation).
#pragma once
#include <cstdint>
#include <string>

#include "platform/core/Persistent.h"
#include "platform/gui/Controls.h"
#include "platform/gui/ViewTypes.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace zk {

class TStream;
class TCustomTreeView;
class TTreeNodes;
class TCustomImageList;
class TChangeLink;

ZK_ENUM(TNodeAttachMode, uint8_t, naAdd, naAddFirst, naAddChild, naAddChildFirst, naInsert)

class TTreeNode;
ZK_EVENT(TTVChangedEvent, void(TObject* Sender, TTreeNode* Node))
ZK_EVENT(TTVChangingEvent, void(TObject* Sender, TTreeNode* Node, bool& AllowChange))
ZK_EVENT(TTVEditedEvent, void(TObject* Sender, TTreeNode* Node, std::string& S))
ZK_EVENT(TTVEditingEvent, void(TObject* Sender, TTreeNode* Node, bool& AllowEdit))
ZK_EVENT(TTVExpandedEvent, void(TObject* Sender, TTreeNode* Node))
ZK_EVENT(TTVExpandingEvent, void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion))
ZK_EVENT(TTVCollapsingEvent, void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse))
ZK_EVENT(TTVCompareEvent,
         void(TObject* Sender, TTreeNode* Node1, TTreeNode* Node2, int Data, int& Compare))

// One node. Its place in the tree (parent, index, children) is the widget
// item's; text and image indexes are kept here and shown by the item. Nodes
// are created and freed by their TTreeNodes only. Data is not owned. Child
// indexes outside 0..Count-1 raise EListError "List index out of bounds (%d)".
class TTreeNode : public TPersistent {
    ZK_CLASS(TTreeNode, TPersistent)
public:
    TTreeNodes* GetOwnerNodes() const { return FOwner; }
    TPersistent* GetOwner() const override;
    TCustomTreeView* GetTreeView() const;
    QTreeWidgetItem* GetItem() const { return FItem; }

    const std::string& GetText() const { return FText; }
    void SetText(const std::string& Value);
    // -1: no image.
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int GetSelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int Value);
    int GetStateIndex() const { return FStateIndex; }
    void SetStateIndex(int Value);
    int GetOverlayIndex() const { return FOverlayIndex; }
    void SetOverlayIndex(int Value);
    void* GetData() const { return FData; }
    void SetData(void* Value) { FData = Value; }

    TTreeNode* GetParent() const;
    int GetCount() const;
    TTreeNode* GetChild(int Index) const;
    bool HasChildren() const { return GetCount() > 0; }
    int GetIndex() const;
    // 0 for a root node.
    int GetLevel() const;
    // Position in depth-first order over the whole tree.
    int GetAbsoluteIndex() const;
    TTreeNode* GetFirstChild() const;
    TTreeNode* GetLastChild() const;
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    // The next node in depth-first order; null after the last.
    TTreeNode* GetNext() const;
    TTreeNode* GetPrev() const;
    bool HasAsParent(const TTreeNode* Value) const;

    bool GetExpanded() const;
    void SetExpanded(bool Value);
    void Expand(bool Recurse);
    void Collapse(bool Recurse);
    bool GetSelected() const;
    void SetSelected(bool Value);
    bool GetFocused() const { return GetSelected(); }
    void MakeVisible();

    // Starts label editing in the view; false when the view is read-only.
    bool EditText();
    // Moves the node with its subtree relative to Destination.
    void MoveTo(TTreeNode* Destination, TNodeAttachMode Mode);
    // Frees the node and its subtree.
    void Delete();
    void DeleteChildren();

    // From another node: text, image indexes and data; not the children.
    void Assign(TPersistent* Source) override;

private:
    friend class TTreeNodes;
    explicit TTreeNode(TTreeNodes* Owner);
    ~TTreeNode() override;
    void UpdateItem();

    TTreeNodes* FOwner;              // owns this node
    QTreeWidgetItem* FItem;          // deleted with the node
    std::string FText;
    int FImageIndex = -1;
    int FSelectedIndex = -1;
    int FStateIndex = -1;
    int FOverlayIndex = -1;
    void* FData = nullptr;  // not owned
};

// The nodes of one tree view. Absolute indexes count in depth-first order;
// outside 0..Count-1 they raise EListError "List index out of bounds (%d)".
// Streams as the defined property "Data": one list per node holding its
// text, its non-default indexes and Expanded, and its children's lists.
class TTreeNodes : public TPersistent {
    ZK_CLASS(TTreeNodes, TPersistent)
public:
    explicit TTreeNodes(TCustomTreeView* Owner);
    ~TTreeNodes() override;

    TPersistent* GetOwner() const override;
    int GetCount() const { return FCount; }
    TTreeNode* GetItem(int Index) const;
    TTreeNode* GetFirstNode() const;
    // The node shown by a widget item; null for none.
    TTreeNode* NodeOf(const QTreeWidgetItem* Item) const;

    // Sibling null means the root level.
    TTreeNode* Add(TTreeNode* Sibling, const std::string& S);
    TTreeNode* AddObject(TTreeNode* Sibling, const std::string& S, void* Data);
    TTreeNode* AddFirst(TTreeNode* Sibling, const std::string& S);
    TTreeNode* AddChild(TTreeNode* Parent, const std::string& S);
    TTreeNode* AddChildObject(TTreeNode* Parent, const std::string& S, void* Data);
    TTreeNode* AddChildFirst(TTreeNode* Parent, const std::string& S);
    // Before Sibling; at the end of the root level when Sibling is null.
    TTreeNode* Insert(TTreeNode* Sibling, const std::string& S);
    TTreeNode* InsertObject(TTreeNode* Sibling, const std::string& S, void* Data);
    TTreeNode* AddNode(TTreeNode* Relative, const std::string& S, void* Data,
                       TNodeAttachMode Mode);
    void Delete(TTreeNode* Node);
    void Clear();

    // Nested; the view repaints once when the outermost bracket closes.
    void BeginUpdate();
    void EndUpdate();

    // From another TTreeNodes: the whole tree, texts, indexes, data and expansion.
    void Assign(TPersistent* Source) override;
    void DefineProperties(TFiler* Filer) override;

    // The tree text format. Loading reads the whole file before it touches
    // the tree, so a file that cannot be read leaves the tree as it was.
    void LoadFromFile(const std::string& FileName);
    void LoadFromStream(TStream* Stream);
    void SaveToFile(const std::string& FileName) const;
    void SaveToStream(TStream* Stream) const;
    // Replaces the nodes by those of Text (one node per line).
    void SetTextStr(const std::string& Text);
    // One line per node, a tab per level, CR LF after each.
    std::string GetTextStr() const;

private:
    friend class TTreeNode;
    friend class TCustomTreeView;
    TTreeNode* NewNode(QTreeWidgetItem* Parent, int Index, const std::string& S, void* Data);
    void FreeNode(TTreeNode* Node);
    void ReadData(TReader* Reader);
    void WriteData(TWriter* Writer) const;
    void ReadNode(TReader* Reader, TTreeNode* Parent);
    void WriteNode(TWriter* Writer, const TTreeNode* Node) const;
    QTreeWidget* Widget() const;

    TCustomTreeView* FOwner;  // owns this collection
    int FCount = 0;
    int FUpdateCount = 0;
};

// A tree of nodes with expand buttons, label editing and OnChanging/OnChange
// around every change of the selected node (by the user or by code).
// Selected is null when no node is selected.
class TCustomTreeView : public TWinControl {
    ZK_CLASS(TCustomTreeView, TWinControl)
public:
    explicit TCustomTreeView(TComponent* AOwner);
    ~TCustomTreeView() override;
    void BeforeDestruction() override;

    QTreeWidget* GetTreeWidget() const;

    // Owned; SetItems copies Value's nodes.
    TTreeNodes* GetItems() const { return FNodes.get(); }
    void SetItems(TTreeNodes* Value);
    TTreeNode* GetSelected() const { return FSelected; }
    void SetSelected(TTreeNode* Value);
    TTreeNode* GetTopItem() const;
    TTreeNode* GetNodeAt(int X, int Y) const;
    bool IsEditing() const;
    void FullExpand();
    void FullCollapse();
    // Sorts every level by CompareNodes.
    void AlphaSort();
    // The order of two siblings as SortType and OnCompare give it: negative,
    // zero or positive.
    int CompareNodes(TTreeNode* Node1, TTreeNode* Node2);

    void LoadFromFile(const std::string& FileName) { FNodes->LoadFromFile(FileName); }
    void SaveToFile(const std::string& FileName) const { FNodes->SaveToFile(FileName); }
    void LoadFromStream(TStream* Stream) { FNodes->LoadFromStream(Stream); }
    void SaveToStream(TStream* Stream) const { FNodes->SaveToStream(Stream); }

    bool GetAutoExpand() const { return FAutoExpand; }
    void SetAutoExpand(bool Value);
    TFormBorderStyle GetBorderStyle() const;
    void SetBorderStyle(TFormBorderStyle Value);
    bool GetHideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    bool GetHotTrack() const;
    void SetHotTrack(bool Value);
    int GetIndent() const;
    void SetIndent(int Value);
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    bool GetRowSelect() const;
    void SetRowSelect(bool Value);
    bool GetShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool Value);
    bool GetShowRoot() const;
    void SetShowRoot(bool Value);
    TSortType GetSortType() const { return FSortType; }
    void SetSortType(TSortType Value);
    bool GetToolTips() const { return FToolTips; }
    void SetToolTips(bool Value) { FToolTips = Value; }
    // Not owned; cleared when the image list is freed.
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TCustomImageList* GetStateImages() const { return FStateImages; }
    void SetStateImages(TCustomImageList* Value);

    const TTVChangedEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TTVChangedEvent& Value) { FOnChange = Value; }
    const TTVChangingEvent& GetOnChanging() const { return FOnChanging; }
    void SetOnChanging(const TTVChangingEvent& Value) { FOnChanging = Value; }
    const TTVEditedEvent& GetOnEdited() const { return FOnEdited; }
    void SetOnEdited(const TTVEditedEvent& Value) { FOnEdited = Value; }
    const TTVEditingEvent& GetOnEditing() const { return FOnEditing; }
    void SetOnEditing(const TTVEditingEvent& Value) { FOnEditing = Value; }
    const TTVExpandedEvent& GetOnExpanded() const { return FOnExpanded; }
    void SetOnExpanded(const TTVExpandedEvent& Value) { FOnExpanded = Value; }
    const TTVExpandedEvent& GetOnCollapsed() const { return FOnCollapsed; }
    void SetOnCollapsed(const TTVExpandedEvent& Value) { FOnCollapsed = Value; }
    // Asked before a node expands or collapses, by the user or by code.
    const TTVExpandingEvent& GetOnExpanding() const { return FOnExpanding; }
    void SetOnExpanding(const TTVExpandingEvent& Value) { FOnExpanding = Value; }
    const TTVCollapsingEvent& GetOnCollapsing() const { return FOnCollapsing; }
    void SetOnCollapsing(const TTVCollapsingEvent& Value) { FOnCollapsing = Value; }
    const TTVCompareEvent& GetOnCompare() const { return FOnCompare; }
    void SetOnCompare(const TTVCompareEvent& Value) { FOnCompare = Value; }
    const TTVExpandedEvent& GetOnDeletion() const { return FOnDeletion; }
    void SetOnDeletion(const TTVExpandedEvent& Value) { FOnDeletion = Value; }

protected:
    // Enter and Escape belong to an open label editor, not to the form's buttons.
    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    // Before the selected node changes to Node; false keeps the old one.
    virtual bool CanChange(TTreeNode* Node);
    // After the selected node changed; fires OnChange.
    virtual void Change(TTreeNode* Node);
    // Before Node expands (collapses); false keeps it as it is.
    virtual bool CanExpand(TTreeNode* Node);
    virtual bool CanCollapse(TTreeNode* Node);
    // After Node expanded (collapsed); fire OnExpanded (OnCollapsed).
    virtual void Expand(TTreeNode* Node);
    virtual void Collapse(TTreeNode* Node);
    virtual bool CanEdit(TTreeNode* Node);
    // The user finished editing Node's label; S may be changed before it is stored.
    virtual void Edit(TTreeNode* Node, std::string& S);
    virtual void Delete(TTreeNode* Node);
    void Notification(TComponent* AComponent, TOperation Operation) override;
    bool FocusesOnClick() const override { return true; }
    void UpdateWidgetPalette() override;

private:
    friend class TTreeNodes;
    friend class TTreeNode;
    friend class TTreeViewWidget;
    friend class TTreeViewDelegate;
    void CurrentItemChanged();
    // The widget expanded or collapsed Item: undone while the view asks, redone when allowed.
    void ExpansionChanged(QTreeWidgetItem* Item, bool Expanded);
    // Takes the widget's current item as Selected; fires OnChange when it
    // changed or when Force says the old selection was deleted.
    void SyncSelected(bool Force);
    void UpdateImages();
    void UpdateNodeImages(TTreeNode* Node);
    void SetImageList(TCustomImageList*& Field, TCustomImageList* Value);
    void ApplyEditTriggers();
    // Sorts the children of Parent (the root level when null) when SortType sorts by text.
    void ApplySort(QTreeWidgetItem* Parent);

    TOwned<TTreeNodes> FNodes;
    TOwned<TChangeLink> FImageLink;  // hears of changes of Images and StateImages
    TTreeNode* FSelected = nullptr;  // mirrors the widget's current item, after OnChanging allowed it
    bool FSyncing = false;
    bool FExpanding = false;  // an expansion is being undone or redone; the widget's signals wait
    bool FEditApproved = false;  // EditText asked OnEditing already
    mutable int FEditors = 0;  // label editors open; the delegate counts them
    bool FAutoExpand = false;
    bool FHideSelection = true;
    bool FReadOnly = false;
    bool FShowButtons = true;
    bool FToolTips = true;
    TSortType FSortType = stNone;
    TCustomImageList* FImages = nullptr;       // not owned; free-notified
    TCustomImageList* FStateImages = nullptr;  // not owned; free-notified
    TTVChangedEvent FOnChange;
    TTVChangingEvent FOnChanging;
    TTVEditedEvent FOnEdited;
    TTVEditingEvent FOnEditing;
    TTVExpandedEvent FOnExpanded;
    TTVExpandedEvent FOnCollapsed;
    TTVExpandedEvent FOnDeletion;
    TTVExpandingEvent FOnExpanding;
    TTVCollapsingEvent FOnCollapsing;
    TTVCompareEvent FOnCompare;
};

class TTreeView : public TCustomTreeView {
    ZK_CLASS(TTreeView, TCustomTreeView)
public:
    explicit TTreeView(TComponent* AOwner);
};

}  // namespace zk
