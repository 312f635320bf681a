// List views: TListColumn/TListColumns, TListItem/TListItems and TCustomListView/TListView, with
// report, list and icon views over one item model.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Collection.h"
#include "platform/core/StringList.h"
#include "platform/gui/Controls.h"
#include "platform/gui/DragDrop.h"
#include "platform/gui/ViewTypes.h"

class QStandardItem;
class QStandardItemModel;
class QItemSelectionModel;
class QAbstractItemView;
class QTreeView;
class QListView;

namespace zk {

class TCustomListView;
class TListItems;
class TCustomImageList;
class TChangeLink;

ZK_ENUM(TViewStyle, uint8_t, vsIcon, vsSmallIcon, vsList, vsReport)
ZK_ENUM(TItemChange, uint8_t, ctText, ctImage, ctState)

class TListItem;
class TListColumn;
ZK_EVENT(TLVChangeEvent, void(TObject* Sender, TListItem* Item, TItemChange Change))
ZK_EVENT(TLVChangingEvent,
         void(TObject* Sender, TListItem* Item, TItemChange Change, bool& AllowChange))
ZK_EVENT(TLVCompareEvent,
         void(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare))
ZK_EVENT(TLVSelectItemEvent, void(TObject* Sender, TListItem* Item, bool Selected))
ZK_EVENT(TLVDeletedEvent, void(TObject* Sender, TListItem* Item))
ZK_EVENT(TLVEditedEvent, void(TObject* Sender, TListItem* Item, std::string& S))
ZK_EVENT(TLVEditingEvent, void(TObject* Sender, TListItem* Item, bool& AllowEdit))
ZK_EVENT(TLVColumnClickEvent, void(TObject* Sender, TListColumn* Column))

// One column of the report view. Width is the header section's; an
// AutoSize column takes the width the others leave.
class TListColumn : public TCollectionItem {
    ZK_CLASS(TListColumn, TCollectionItem)
public:
    explicit TListColumn(TCollection* Collection);

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    const std::string& GetCaption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int GetMaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value);
    int GetMinWidth() const { return FMinWidth; }
    void SetMinWidth(int Value);
    int GetWidth() const;
    void SetWidth(int Value);

    std::string GetDisplayName() const override;
    void Assign(TPersistent* Source) override;

private:
    friend class TCustomListView;
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = false;
    std::string FCaption;
    int FImageIndex = -1;
    int FMaxWidth = 0;
    int FMinWidth = 0;
    int FWidth = 50;
};

class TListColumns : public TCollection {
    ZK_CLASS(TListColumns, TCollection)
public:
    explicit TListColumns(TCustomListView* Owner);
    TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
    TListColumn* GetItem(int Index) const { return static_cast<TListColumn*>(TCollection::GetItem(Index)); }
    TCustomListView* GetListView() const { return FOwner; }
    TPersistent* GetOwner() const override;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TCustomListView* FOwner;  // owns this collection
};

// The sub-items of a list item: every change shows in the item's row.
class TSubItems;

// One row. Caption, indexes and sub-items are kept here and shown by the
// model's cells; selection, focus and the check box are the widget's.
// Data is not owned.
class TListItem : public TPersistent {
    ZK_CLASS(TListItem, TPersistent)
public:
    TListItems* GetOwnerItems() const { return FOwner; }
    TPersistent* GetOwner() const override;
    TCustomListView* GetListView() const;
    int GetIndex() const;

    const std::string& GetCaption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    // -1: no image.
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int GetStateIndex() const { return FStateIndex; }
    void SetStateIndex(int Value);
    int GetOverlayIndex() const { return FOverlayIndex; }
    void SetOverlayIndex(int Value);
    void* GetData() const { return FData; }
    void SetData(void* Value) { FData = Value; }
    bool GetChecked() const;
    void SetChecked(bool Value);
    bool GetSelected() const;
    void SetSelected(bool Value);
    bool GetFocused() const;
    void SetFocused(bool Value);

    // Owned; SetSubItems copies Value.
    TStrings* GetSubItems() const;
    void SetSubItems(TStrings* Value);
    // -1 for sub-items without an image; Index outside the sub-items raises EListError.
    int GetSubItemImages(int Index) const;
    void SetSubItemImages(int Index, int Value);

    void MakeVisible(bool PartialOK);
    bool EditCaption();
    void Delete();
    // From another item: caption, indexes, data, sub-items and their images.
    void Assign(TPersistent* Source) override;

private:
    friend class TListItems;
    friend class TSubItems;
    friend class TCustomListView;
    explicit TListItem(TListItems* Owner);
    ~TListItem() override;
    void SubItemsChanged();
    void UpdateCells();

    TListItems* FOwner;          // owns this item
    QStandardItem* FCell;        // the row's first cell; owned by the model
    std::string FCaption;
    int FImageIndex = -1;
    int FStateIndex = -1;
    int FOverlayIndex = -1;
    void* FData = nullptr;  // not owned
    TOwned<TSubItems> FSubItems;
    std::vector<int> FSubItemImages;
};

// The rows of one list view. Indexes outside 0..Count-1 raise EListError
// "List index out of bounds (%d)". Streams as the defined property "Data":
// one list per item holding its caption, its non-default indexes, Checked,
// and its sub-items and their images.
class TListItems : public TPersistent {
    ZK_CLASS(TListItems, TPersistent)
public:
    explicit TListItems(TCustomListView* Owner);
    ~TListItems() override;

    TCustomListView* GetListView() const { return FOwner; }
    TPersistent* GetOwner() const override;
    int GetCount() const;
    TListItem* GetItem(int Index) const;
    int IndexOf(const TListItem* Item) const;
    // The item of a model row; null outside the rows.
    TListItem* ItemOfRow(int Row) const;

    TListItem* Add();
    TListItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    void BeginUpdate();
    void EndUpdate();

    void Assign(TPersistent* Source) override;
    void DefineProperties(TFiler* Filer) override;

private:
    friend class TListItem;
    friend class TCustomListView;
    void ReadData(TReader* Reader);
    void WriteData(TWriter* Writer) const;

    TCustomListView* FOwner;  // owns this collection
    int FUpdateCount = 0;
};

class TListViewPanes;

// Items in a report (columns and a header), list, small-icon or large-icon
// view. Selection events fire once per item whose selection changed, by the
// user or by code. With DragMode dmAutomatic a left drag over items asks
// OnDragOver and drops with OnDragDrop, the list view being the source.
class TCustomListView : public TWinControl {
    ZK_CLASS(TCustomListView, TWinControl)
public:
    explicit TCustomListView(TComponent* AOwner);
    ~TCustomListView() override;
    void BeforeDestruction() override;

    // The view that shows the items in the current ViewStyle.
    QAbstractItemView* GetItemView() const;
    QStandardItemModel* GetModel() const { return FModel; }

    TListColumns* GetColumns() const { return FColumns.get(); }
    void SetColumns(TListColumns* Value);
    TListItems* GetItems() const { return FItems.get(); }
    void SetItems(TListItems* Value);

    // The first selected item; null when none. Setting selects only Value.
    TListItem* GetSelected() const;
    void SetSelected(TListItem* Value);
    int GetSelCount() const;
    int GetItemIndex() const;
    void SetItemIndex(int Value);
    TListItem* GetItemFocused() const;
    void SetItemFocused(TListItem* Value);
    TListItem* GetItemAt(int X, int Y) const;
    void SelectAll();
    void ClearSelection();
    bool IsEditing() const;
    bool GetDragging() const { return FDragging; }
    // Repaints the rows FirstIndex..LastIndex.
    void UpdateItems(int FirstIndex, int LastIndex);
    // Orders the items by CompareItems; with a SortType the view keeps them so.
    void AlphaSort();
    // The order of two items as SortType and OnCompare give it: negative,
    // zero or positive.
    int CompareItems(TListItem* Item1, TListItem* Item2);

    TFormBorderStyle GetBorderStyle() const;
    void SetBorderStyle(TFormBorderStyle Value);
    bool GetCheckboxes() const { return FCheckboxes; }
    void SetCheckboxes(bool Value);
    bool GetColumnClick() const;
    void SetColumnClick(bool Value);
    bool GetGridLines() const { return FGridLines; }
    void SetGridLines(bool Value);
    bool GetHideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    bool GetHotTrack() const;
    void SetHotTrack(bool Value);
    bool GetMultiSelect() const;
    void SetMultiSelect(bool Value);
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    bool GetRowSelect() const { return FRowSelect; }
    void SetRowSelect(bool Value);
    bool GetShowColumnHeaders() const;
    void SetShowColumnHeaders(bool Value);
    TSortType GetSortType() const { return FSortType; }
    void SetSortType(TSortType Value);
    TViewStyle GetViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle Value);
    // Not owned; cleared when the image list is freed.
    TCustomImageList* GetLargeImages() const { return FLargeImages; }
    void SetLargeImages(TCustomImageList* Value);
    TCustomImageList* GetSmallImages() const { return FSmallImages; }
    void SetSmallImages(TCustomImageList* Value);
    TCustomImageList* GetStateImages() const { return FStateImages; }
    void SetStateImages(TCustomImageList* Value);

    const TLVChangeEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TLVChangeEvent& Value) { FOnChange = Value; }
    // Asked before an item's caption, images or selection change; a refused
    // selection change by the user is taken back.
    const TLVChangingEvent& GetOnChanging() const { return FOnChanging; }
    void SetOnChanging(const TLVChangingEvent& Value) { FOnChanging = Value; }
    const TLVCompareEvent& GetOnCompare() const { return FOnCompare; }
    void SetOnCompare(const TLVCompareEvent& Value) { FOnCompare = Value; }
    const TLVSelectItemEvent& GetOnSelectItem() const { return FOnSelectItem; }
    void SetOnSelectItem(const TLVSelectItemEvent& Value) { FOnSelectItem = Value; }
    const TLVDeletedEvent& GetOnDeletion() const { return FOnDeletion; }
    void SetOnDeletion(const TLVDeletedEvent& Value) { FOnDeletion = Value; }
    const TLVDeletedEvent& GetOnInsert() const { return FOnInsert; }
    void SetOnInsert(const TLVDeletedEvent& Value) { FOnInsert = Value; }
    const TLVEditedEvent& GetOnEdited() const { return FOnEdited; }
    void SetOnEdited(const TLVEditedEvent& Value) { FOnEdited = Value; }
    const TLVEditingEvent& GetOnEditing() const { return FOnEditing; }
    void SetOnEditing(const TLVEditingEvent& Value) { FOnEditing = Value; }
    const TLVColumnClickEvent& GetOnColumnClick() const { return FOnColumnClick; }
    void SetOnColumnClick(const TLVColumnClickEvent& Value) { FOnColumnClick = Value; }
    const TDragOverEvent& GetOnDragOver() const { return FOnDragOver; }
    void SetOnDragOver(const TDragOverEvent& Value) { FOnDragOver = Value; }
    const TDragDropEvent& GetOnDragDrop() const { return FOnDragDrop; }
    void SetOnDragDrop(const TDragDropEvent& Value) { FOnDragDrop = Value; }

protected:
    // Before Item's caption (ctText), images (ctImage) or selection (ctState)
    // change; false keeps them.
    virtual bool CanChange(TListItem* Item, TItemChange Change);
    // After Item's caption (ctText), images (ctImage) or selection (ctState) changed.
    virtual void Change(TListItem* Item, TItemChange Change);
    virtual void SelectItem(TListItem* Item, bool Selected);
    virtual void Delete(TListItem* Item);
    virtual void InsertItem(TListItem* Item);
    virtual bool CanEdit(TListItem* Item);
    virtual void Edit(TListItem* Item, std::string& S);
    virtual void ColClick(TListColumn* Column);
    // Whether Source may be dropped at X, Y; fires OnDragOver.
    virtual bool DragOver(TObject* Source, int X, int Y, TDragState State);
    virtual void DragDrop(TObject* Source, int X, int Y);

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // Escape ends an item drag without dropping.
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void UpdateWidgetPalette() override;
    void UpdateWidgetGeometry() override;
    bool FocusesOnClick() const override { return true; }

private:
    friend class TListItem;
    friend class TListItems;
    friend class TListColumns;
    friend class TListColumn;
    friend class TListViewPanes;
    template <class V>
    friend class TListPane;
    friend class TListViewDelegate;
    void ColumnsChanged();
    void SelectionChanged(const std::vector<int>& Rows);
    void ApplyEditTriggers();
    void UpdateItemImages(TListItem* Item);
    void UpdateImages();
    void SetImageList(TCustomImageList*& Field, TCustomImageList* Value);
    void EndDrag(bool Drop, int X, int Y);
    // Keeps the items in SortType's order, unless an update bracket is open.
    void SortIfNeeded();
    void SetViewStyleNow();
    // Maps a point of the client area into the shown view's viewport.
    TPoint ToViewport(int X, int Y) const;

    QStandardItemModel* FModel;           // owned by the widget
    QItemSelectionModel* FSelection;      // owned by the widget
    std::unique_ptr<TListViewPanes> FPanes;
    TOwned<TListColumns> FColumns;
    TOwned<TListItems> FItems;
    TOwned<TChangeLink> FImageLink;  // hears of changes of the three image lists
    TViewStyle FViewStyle = vsIcon;
    TSortType FSortType = stNone;
    bool FCheckboxes = false;
    bool FGridLines = false;
    bool FHideSelection = true;
    bool FReadOnly = false;
    bool FRowSelect = false;
    bool FSyncing = false;
    mutable int FEditors = 0;  // caption editors open; the delegate counts them
    bool FDragPending = false;  // left button down on an item with dmAutomatic
    bool FDragging = false;
    bool FDragAccepted = false;
    bool FDragCancelled = false;  // Escape ended the drag; the mouse is ignored until released
    bool FPressedSelected = false;  // the pressed item was selected already
    TPoint FDragStart;
    TPoint FDragPos;  // the last point the drag passed
    TCustomImageList* FLargeImages = nullptr;  // not owned; free-notified
    TCustomImageList* FSmallImages = nullptr;  // not owned; free-notified
    TCustomImageList* FStateImages = nullptr;  // not owned; free-notified
    TLVChangeEvent FOnChange;
    TLVChangingEvent FOnChanging;
    TLVCompareEvent FOnCompare;
    TLVSelectItemEvent FOnSelectItem;
    TLVDeletedEvent FOnDeletion;
    TLVDeletedEvent FOnInsert;
    TLVEditedEvent FOnEdited;
    TLVEditingEvent FOnEditing;
    TLVColumnClickEvent FOnColumnClick;
    TDragOverEvent FOnDragOver;
    TDragDropEvent FOnDragDrop;
};

class TListView : public TCustomListView {
    ZK_CLASS(TListView, TCustomListView)
public:
    explicit TListView(TComponent* AOwner);
};

}  // namespace zk
