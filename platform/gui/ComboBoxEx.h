// TComboBoxEx: a combo box whose items carry images of an image list, with TComboExItem and
// TComboExItems.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/Collection.h"
#include "platform/gui/StdCtrls.h"

namespace zk {

class TCustomComboBoxEx;
class TCustomImageList;
class TChangeLink;

ZK_ENUM(TComboBoxExStyle, uint8_t, csExDropDown, csExSimple, csExDropDownList)

// One line of the combo box: its caption, its images (-1: none) and its
// indentation in steps of ten pixels. Data is not owned; it is also the
// line's object in the combo box's Items.
class TComboExItem : public TCollectionItem {
    ZK_CLASS(TComboExItem, TCollectionItem)
public:
    explicit TComboExItem(TCollection* Collection);

    const std::string& GetCaption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    // The image shown while the line is highlighted in the list.
    int GetSelectedImageIndex() const { return FSelectedImageIndex; }
    void SetSelectedImageIndex(int Value);
    // An image of the same list drawn over the line's image.
    int GetOverlayImageIndex() const { return FOverlayImageIndex; }
    void SetOverlayImageIndex(int Value);
    int GetIndent() const { return FIndent; }
    void SetIndent(int Value);
    void* GetData() const { return FData; }
    void SetData(void* Value);

    std::string GetDisplayName() const override;
    void Assign(TPersistent* Source) override;

private:
    friend class TCustomComboBoxEx;
    std::string FCaption;
    int FImageIndex = -1;
    int FSelectedImageIndex = -1;
    int FOverlayImageIndex = -1;
    int FIndent = 0;
    void* FData = nullptr;  // not owned
};

// The lines of a TComboBoxEx, in the order the combo box shows them.
class TComboExItems : public TCollection {
    ZK_CLASS(TComboExItems, TCollection)
public:
    explicit TComboExItems(TCustomComboBoxEx* Owner);

    TComboExItem* Add() { return static_cast<TComboExItem*>(TCollection::Add()); }
    TComboExItem* AddItem(const std::string& Caption, int ImageIndex = -1,
                          int SelectedImageIndex = -1, int OverlayImageIndex = -1, int Indent = 0,
                          void* Data = nullptr);
    TComboExItem* GetItem(int Index) const {
        return static_cast<TComboExItem*>(TCollection::GetItem(Index));
    }
    TCustomComboBoxEx* GetComboBox() const { return FOwner; }
    TPersistent* GetOwner() const override;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TCustomComboBoxEx* FOwner;  // owns this collection
};

// A combo box over ItemsEx. Items (the inherited lines) and ItemsEx are two
// views of the same lines: a change through either shows in the other, and
// a line's object in Items is its item's Data. The selected line follows
// its item when lines move. Images is not owned; it is cleared when the
// image list is freed.
class TCustomComboBoxEx : public TCustomComboBox {
    ZK_CLASS(TCustomComboBoxEx, TCustomComboBox)
public:
    explicit TCustomComboBoxEx(TComponent* AOwner);
    ~TCustomComboBoxEx() override;
    void BeforeDestruction() override;

    // Owned; SetItemsEx copies Value.
    TComboExItems* GetItemsEx() const { return FItemsEx.get(); }
    void SetItemsEx(TComboExItems* Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    // Hides the inherited style: the image combo box has no owner-drawn styles.
    TComboBoxExStyle GetStyle() const { return FStyleEx; }
    void SetStyle(TComboBoxExStyle Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TComboExItems;
    friend class TComboExItem;
    class TIndentDelegate;
    // Puts Item's caption, images, indent and data into its row.
    void UpdateRow(const TComboExItem* Item);
    // Rebuilds the rows from ItemsEx, keeping the selected item selected.
    void RebuildRows();
    void UpdateImages();
    // The rows changed through Items: ItemsEx follows.
    void RowsInserted(int First, int Last);
    void RowsRemoved(int First, int Last);
    void RowsChanged(int First, int Last);

    TOwned<TComboExItems> FItemsEx;
    TOwned<TChangeLink> FImageLink;       // hears of changes of Images
    TCustomImageList* FImages = nullptr;  // not owned; free-notified
    TComboBoxExStyle FStyleEx = csExDropDown;
    bool FSyncing = false;  // rows and items are being matched; neither side reacts
};

class TComboBoxEx : public TCustomComboBoxEx {
    ZK_CLASS(TComboBoxEx, TCustomComboBoxEx)
public:
    explicit TComboBoxEx(TComponent* AOwner);
};

}  // namespace zk
