// The item tree of the item-list grid: TZkItemProp, its child collection TZkItemProps, its value
// list TZkItemPropValueStrings, and the enumerations shared by the grid, its editor and presets.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Collection.h"
#include "platform/core/Event.h"
#include "platform/core/Font.h"
#include "platform/core/StringList.h"
#include "platform/core/Variant.h"
#include "platform/gui/Grids.h"

namespace zk {

class TZkCustomItemListEditor;
class TZkItemProp;
class TZkItemProps;

// TEditStyle (esSimple, esEllipsis, esPickList) comes with the grid base.
ZK_ENUM(TGridShowHints, uint8_t, shNone, shValueOnly, shHintOnly, shValueAndHint)
ZK_ENUM(TILEDisplayOption, uint8_t, doColumnTitles, doAutoColResize, doKeyColFixed,
        doShowReadOnly, doMultiColValues)
ZK_SET(TILEDisplayOptions, TILEDisplayOption)
ZK_ENUM(TILEPropOption, uint8_t, propEdit, propAdd, propDelete, propUnique)
ZK_SET(TILEPropOptions, TILEPropOption)
ZK_ENUM(TZkGridOrientation, uint8_t, goVertical, goHorizontal)

ZK_EVENT(TZkGetPickListEvent, void(TObject* Sender, const std::string& PropName, TStrings* Values))
ZK_EVENT(TZkOnValidateEvent, void(TObject* Sender, TZkItemProp* Item, int ACol))
ZK_EVENT(TZkGetCategoryEvent, void(TObject* Sender, TZkItemProp* Item,
                                   const std::string& PropName, std::string& Category))
ZK_EVENT(TZkOnShowHintsEvent,
         void(TObject* Sender, TZkItemProp* Item, std::string& HintString))

// One string per value column of an item. Its changes are the item's changes.
// Read through a grid, it is first fitted to the grid's value column count.
class TZkItemPropValueStrings : public TStringList {
    ZK_CLASS(TZkItemPropValueStrings, TStringList)
public:
    TZkItemPropValueStrings() = default;
    explicit TZkItemPropValueStrings(TZkItemProp* AItem) : FItem(AItem) {}
    // From the items' pool: every item has one.
    static void* operator new(std::size_t Size);
    static void operator delete(void* Block, std::size_t Size);

    TZkItemProp* GetItem() const { return FItem; }
    bool GetSuppressChange() const { return FSuppressChange; }
    void SetSuppressChange(bool Value) { FSuppressChange = Value; }

    // Pads the list to the grid's value columns when Index lies beyond it.
    std::string Get(int Index) const override;
    // The text of value column Index as a cell shows it: the list is fitted
    // to the grid's value columns first (with one column only the first line
    // stays).
    std::string GetCellValue(int Index) const;
    // Stores only a different string.
    void Put(int Index, const std::string& S) override;
    // The whole text with trailing white space removed: the item's value text.
    std::string GetValueText() const;

protected:
    void Changing() override;
    void Changed() override;

private:
    // Pads (and with Shorten, shortens) the list to the grid's value column count, silently.
    void FitToGrid(int Index, bool Shorten) const;

    TZkItemProp* FItem = nullptr;  // the owner of this list
    bool FSuppressChange = false;
};

// A named node of the tree with one string per value column. Items are
// collection items: owned by their TZkItemProps, streamed with the form.
// Every change is reported upwards (item -> collection -> parent item ... ->
// grid), so the grid keeps its line lists in step.
//
// Null behaviour: outside a grid the item uses "." as path delimiter,
// case-insensitive names, shows read-only items and reads Value as the whole
// value text.
class TZkItemProp : public TCollectionItem {
    ZK_CLASS(TZkItemProp, TCollectionItem)
public:
    explicit TZkItemProp(TCollection* Collection);
    ~TZkItemProp() override;
    // Items come from a per-thread pool of blocks: a rescan frees and makes hundreds at once.
    static void* operator new(std::size_t Size);
    static void operator delete(void* Block, std::size_t Size);
    void AfterConstruction() override;
    // Stops showing (so the grid drops its line) before the item leaves.
    void BeforeDestruction() override;

    void Assign(TPersistent* Source) override;
    // Name + "=" + the value text.
    std::string GetDisplayName() const override;
    // Placing the item elsewhere in its collection moves its lines with it.
    void SetIndex(int Value) override;
    void SetCollection(TCollection* Value) override;

    // ---- introduced operations, in slot order ----
    // A layout-relevant change is about to happen: the grid closes its editor
    // unless the collection or the grid is inside an update.
    virtual void Changing();
    // The item's showing state may have changed: reported to the collection.
    virtual void VisibilityChanged();
    // Parent's full name + the grid's PathDelimiter + Name.
    virtual std::string GetFullName() const;
    // The item's own fonts, made on first request as copies of the fonts it
    // follows; asking for one does not stop it following (ParentFont stays).
    virtual TFont* GetFont() const;
    virtual TFont* GetValueFont() const;
    // Font of value column ValueIndex (0-based), as drawn: the value font the
    // item shows (CurrentValueFont) here. Nothing is made for it.
    virtual TFont* GetColumnValueFont(int ValueIndex) const;
    // Created on first use.
    virtual TStringList* GetPickList() const;
    // ReadOnlyFlag, or disabled.
    virtual bool GetReadOnly() const;
    virtual bool GetVisible() const;
    // Re-files the item before NewName is stored: category (through the
    // grid), then its sorted place.
    virtual void NameChanging(const std::string& NewName);
    // Takes the font again from Source (a parent item) or, without one, from the grid.
    virtual void ParentFontChanged(TZkItemProp* Source);
    virtual void ParentValueFontChanged();
    // Switches EditStyle between esSimple and esPickList.
    virtual void PickListChanged(TObject* Sender);
    // A descendant was added or is leaving.
    virtual void ChildNotify(TZkItemProp* Item, TCollectionNotification Action);
    virtual void SetCategory(bool Value);
    // Raises "Property name is not unique: %s" for another item's name under propUnique.
    virtual void SetName(const std::string& Value);
    virtual void SetHint(const std::string& Value);
    virtual void SetReadOnly(bool Value);
    virtual void SetVisible(bool Value);
    virtual void SetEditStyle(TEditStyle Value);
    virtual void SetEditMask(const std::string& Value);
    virtual void SetPickList(TStringList* Value);
    virtual void SetEnabled(bool Value);
    virtual void SetExpressionMask(bool Value);
    virtual void SetExpanded(bool Value);
    virtual void SetData(int Value);
    // The value of the grid's current column when this is the current item
    // and a value column is current; otherwise the whole value text.
    virtual void SetValue(const std::string& Value);
    // A descendant changed: forwarded to this item's collection.
    virtual void ChildUpdate(TZkItemProp* Item);
    // Copies OnEditButtonClick, OnGetPickList and OnValidate.
    virtual void AssignEvents(TZkItemProp* Source);
    virtual void Collapse();
    virtual void Expand();
    virtual void FullCollapse();
    virtual void FullExpand();
    virtual bool HasChildren() const;
    // The item occupies a line of the grid.
    virtual bool IsShowing() const;
    // The value text is empty or white space only.
    virtual bool IsValueEmpty() const;
    // Fires the item's OnValidate, or else the grid's.
    virtual void Validate();

    // ---- state ----
    const std::string& GetName() const { return FName; }
    const std::string& GetHint() const;
    TEditStyle GetEditStyle() const { return FEditStyle; }
    const std::string& GetEditMask() const;
    bool GetExpressionMask() const { return FExpressionMask; }
    // Created on first use, through the grid's item-collection factory.
    TZkItemProps* GetItems() const;
    void SetItems(TZkItemProps* Value);
    int GetDescendantCount() const { return FDescendantCount; }
    // Lines occupied by the descendants while this item is shown expanded.
    int GetShownCount() const;
    int GetData() const { return FData; }
    int GetTag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }
    bool GetExpanded() const;
    bool GetEnabled() const { return FEnabled; }
    bool GetCategory() const { return FCategory; }
    bool GetDefaultCategory() const { return FDefaultCategory; }
    void SetDefaultCategory(bool Value);
    bool GetParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    bool GetParentValueFont() const { return FParentValueFont; }
    void SetParentValueFont(bool Value);
    void SetFont(TFont* Value);
    void SetValueFont(TFont* Value);
    // The fonts the item shows now: its own, or those it follows (its
    // parent's, or the grid's). Nothing is made; the result is not to be changed.
    TFont* CurrentFont() const;
    TFont* CurrentValueFont() const;
    TZkItemPropValueStrings* GetValues() const { return FValues.get(); }
    void SetValues(TStrings* Value);
    std::string GetValue() const;

    const TNotifyEvent& GetOnEditButtonClick() const;
    void SetOnEditButtonClick(const TNotifyEvent& Value);
    const TZkGetPickListEvent& GetOnGetPickList() const;
    void SetOnGetPickList(const TZkGetPickListEvent& Value);
    const TZkOnValidateEvent& GetOnValidate() const;
    void SetOnValidate(const TZkOnValidateEvent& Value);

    // ---- position in the tree ----
    // Number of ancestor items; 0 at the top.
    int GetLevel() const;
    // The owner of this item's collection when it is an item; null at the top.
    TZkItemProp* GetParentItem() const;
    // The grid the tree hangs in; null when there is none.
    TZkCustomItemListEditor* GetGrid() const;
    TZkItemProps* GetItemCollection() const;

protected:
    // Creates the child collection when no grid is reachable.
    virtual TZkItemProps* CreateItems();
    // The item's own part of the shown rule (visible, and the read-only rule);
    // IsShowing adds the ancestors. The grid's line index counts lines by it,
    // so a descendant that widens the read-only rule overrides this one.
    virtual bool IsShownHere() const;
    // Both fonts report here: the changed one stops following the parent.
    void FontChanged(TFont* Sender);

private:
    friend class TZkItemProps;
    friend class TZkItemPropValueStrings;
    friend class TZkCustomItemListEditor;
    friend class TZkItemList;
    class TItemFont;
    class TItemPickList;
    struct TExtras;

    // The own font, made from the one the item shows when missing.
    TFont* EnsureFont() const;
    TFont* EnsureValueFont() const;
    // The font a top-level item follows: the grid's (its category font for a category).
    TFont* TopFont() const;
    // Children that follow this item's font without a copy of their own
    // keep what they show now: they are about to stop following it.
    void KeepChildFonts(bool NewCategory);
    // Extras are made when the first of them is set.
    TExtras& Extras();
    static const TExtras& NoExtras();
    bool IsFontStored() const;
    bool IsValueFontStored() const;
    bool IsItemsStored() const;
    // The item's line counts: its own shown rule, unless the grid's search hides it.
    bool LineShown() const { return !FFilteredOut && IsShownHere(); }
    bool GetReadOnlyFlag() const { return FReadOnlyFlag; }
    void SetReadOnlyFlag(bool Value) { SetReadOnly(Value); }
    void SetFontValue(TFont* Value) { SetFont(Value); }
    // Recomputes the lines and items this subtree contributes and hands any
    // difference to the collection's line index.
    void SyncSizes();
    // Repaints the item's line when it is on show; inside an update bracket the
    // grid repaints once when the bracket closes.
    void RepaintLine() const;
    void ItemsCollectionCreated(TZkItemProps* Items) const;
    // The collection while it is not (yet) the one the item joined last.
    TZkItemProps* ForeignCollection() const;
    // Moves the item to where Name belongs when its collection is sorted.
    void PlaceByName(const std::string& Name);

    std::string FName;
    bool FReadOnlyFlag = false;
    bool FVisibleFlag = false;
    TEditStyle FEditStyle = esSimple;
    bool FExpressionMask = false;
    bool FExpandedFlag = false;
    bool FParentFont = true;
    bool FParentValueFont = true;
    bool FEnabled = true;
    bool FCategory = false;
    bool FDefaultCategory = false;
    bool FInLineIndex = false;  // counted in its collection's line index
    bool FFilteredOut = false;  // the grid's search hides this item's line
    bool FFilterExpanded = false;  // the search opened it; it closes again when the search ends
    mutable TOwned<TStringList> FPickList;   // created on first read
    mutable TOwned<TZkItemProps> FItems;     // created on first read
    int FDescendantCount = 0;
    int FShownSize = 0;    // lines of this subtree as its collection's index counts them
    int FIndexedSize = 1;  // items of this subtree as its collection's index counts them
    int FData = 0;
    int FTag = 0;
    std::unique_ptr<TExtras> FExtras;  // hint, edit mask and handlers; null while all are empty
    // Null while the item shows the font it follows without a copy of its
    // own; an item whose parent differs in its Category flag always has one.
    mutable TOwned<TFont> FFont;
    mutable TOwned<TFont> FValueFont;
    TOwned<TZkItemPropValueStrings> FValues;
    TZkItemProps* FCreationCollection;  // the collection it was created for, until it joins
    TZkItemProps* FItemCollection = nullptr;  // the collection, while it is a TZkItemProps
};

// The children of an item or the top level of a grid. Keeps, beside the
// items, an index of how many items and shown lines each item's subtree
// holds, so the grid finds the n-th item or line without walking the tree.
class TZkItemProps : public TOwnedCollection {
    ZK_CLASS(TZkItemProps, TOwnedCollection)
public:
    // Owner is the grid (top level) or the parent item.
    TZkItemProps(TPersistent* AOwner, const TClassInfo* ItemClass);
    ~TZkItemProps() override;

    void Assign(TPersistent* Source) override;
    void BeginUpdate() override;

    // ---- introduced operations, in slot order ----
    // Unless an update is pending, the grid closes its editor.
    virtual void Changing();
    // The grid's comparison; case-insensitive without a grid.
    virtual int CompareNames(const std::string& S1, const std::string& S2) const;
    virtual void DefaultCategoryChanged(TZkItemProp* Item);
    // By index or name; "Property not found: %s" for an unknown name with AutoCreate.
    virtual TZkItemProp* FindItem(const TVariant& Key, bool AutoCreate);
    virtual void ItemShownChanged(TZkItemProp* Item);
    // Binary search by name: true when found; Index is the first place not below Name.
    virtual bool Find(const std::string& Name, int& Index) const;
    virtual void Sort(bool ThisLevelOnly);
    using TItemCompare = std::function<int(TZkItemProp* A, TZkItemProp* B)>;
    virtual void CustomSort(const TItemCompare& Compare, bool ThisLevelOnly);

    // ---- adding and finding ----
    TZkItemProp* GetItem(int Index) const;
    TZkItemProp* AddItem();
    void SetCapacity(int Count) override;
    TZkItemProp* AddCategory(const std::string& Name);
    TZkItemProp* InsertItem(int Index);
    int IndexOfName(const std::string& Name) const;
    int IndexOfCategory(const std::string& Name) const;
    TZkItemProp* FindPath(const std::string& Path) const;
    TZkItemProp* AddPath(const std::string& Path, const std::string& ValueText,
                         bool AlwaysAddLeaf);
    // True without a grid, without propUnique or for an empty Name; otherwise
    // when no item has Name — or "Property name is not unique: %s" with RaiseError.
    bool CheckUniqueName(const std::string& Name, bool RaiseError) const;
    // The default category item, created when missing; null with an empty DefaultCategoryName.
    TZkItemProp* EnsureDefaultCategory();

    bool GetSorted() const { return FSorted; }
    void SetSorted(bool Value);
    TStringList* GetCategories() const;
    void SetCategories(TStringList* Value);
    const std::string& GetDefaultCategoryName() const { return FDefaultCategoryName; }
    void SetDefaultCategoryName(const std::string& Value);
    TZkItemProp* GetDefaultCategoryItem() const { return FDefaultCategoryItem; }

    // The item owning this collection; null at the top.
    TZkItemProp* GetParentItem() const { return FParentItem; }
    // The lines of this level's items are lines of the grid: every ancestor is shown and expanded.
    bool LinesReachGrid() const;
    TZkCustomItemListEditor* GetGrid() const;
    std::string GetPathDelimiter() const;

    // ---- line index ----
    // Items of all subtrees of this collection, and their shown lines.
    int GetTotalItems() const { return FTotalItems; }
    int GetTotalShown() const { return FTotalShown; }
    // The item holding the Offset-th item (or shown line) of this collection's
    // subtrees; Offset becomes the position inside that item's subtree.
    TZkItemProp* LocateItem(int& Offset) const;
    TZkItemProp* LocateShown(int& Offset) const;
    // Items (shown lines) of the subtrees before Item's.
    int ItemsBefore(const TZkItemProp* Item) const;
    int ShownBefore(const TZkItemProp* Item) const;

protected:
    void Update(TCollectionItem* Item) override;
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
    friend class TZkItemProp;
    friend class TZkCustomItemListEditor;
    friend class TZkItemList;
    bool IsCategoriesStored() const;
    bool IsDefaultCategoryNameStored() const;
    // The line index: two Fenwick trees over the items' subtree sizes,
    // rebuilt lazily after items moved.
    void IndexAdded(TZkItemProp* Item);
    void IndexRemoved(TZkItemProp* Item);
    void IndexResized(TZkItemProp* Item, int DeltaItems, int DeltaShown);
    void EnsureIndex() const;
    // Recounts every level's shown lines from the items' flags, bottom up,
    // after flags changed without telling anyone (the grid's search).
    void RecountShown();
    bool IndexUsable() const;
    void InvalidateIndex() { FIndexValid = false; }

    // The owner, typed once: an item (children) or the grid (top level).
    TZkItemProp* FParentItem = nullptr;
    TZkCustomItemListEditor* FOwnerGrid = nullptr;
    bool FSorted = false;
    TZkItemProp* FDefaultCategoryItem = nullptr;  // one of this collection's items
    mutable TOwned<TStringList> FCategories;      // created on first read
    std::string FDefaultCategoryName = "Miscellaneous";
    int FTotalItems = 0;
    int FTotalShown = 0;
    mutable std::vector<int> FItemTree;   // Fenwick tree of the items' subtree sizes
    mutable std::vector<int> FShownTree;  // Fenwick tree of the items' shown lines
    mutable bool FIndexValid = true;
};

// Asked at every step up the tree: the collection it joined is kept typed.
inline TZkItemProps* TZkItemProp::GetItemCollection() const {
    return GetCollection() == FItemCollection ? FItemCollection : ForeignCollection();
}

}  // namespace zk
