// TCollection, TOwnedCollection and TCollectionItem: owned, ordered, streamable items.
#pragma once
#include <algorithm>
#include <string>
#include <vector>

#include "platform/core/Persistent.h"
#include "platform/core/TypInfo.h"

namespace zk {

ZK_ENUM(TCollectionNotification, uint8_t, cnAdded, cnExtracting, cnDeleting)

class TCollection;

class TCollectionItem : public TPersistent {
    ZK_CLASS(TCollectionItem, TPersistent)
public:
    // The item joins Collection at its end in AfterConstruction, once it is
    // whole, so the collection's notifications always see a complete item.
    // Create items with Collection->Add() or Create<TItem>(Collection).
    explicit TCollectionItem(TCollection* Collection);
    ~TCollectionItem() override;
    void AfterConstruction() override;
    // Leaves the collection while the item is still whole.
    void BeforeDestruction() override;

    TCollection* GetCollection() const { return FCollection; }
    // Moves the item to another collection (or out of any, with null).
    virtual void SetCollection(TCollection* Value);
    int GetIndex() const { return FIndex; }
    // Moves the item within its collection.
    virtual void SetIndex(int Value);
    int GetID() const { return FID; }
    // The class name unless a descendant has a better name.
    virtual std::string GetDisplayName() const;
    virtual void SetDisplayName(const std::string&) { Changed(false); }
    std::string GetNamePath() const override;
    TPersistent* GetOwner() const override;

protected:
    // Reports a change to the collection (this item, or all items), unless it is updating.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;  // the owner of this item
    TCollection* FPendingCollection;     // joined in AfterConstruction
    int FID = 0;
    int FIndex = -1;  // kept by the collection, so that GetIndex is constant time
};

class TCollection : public TPersistent {
    ZK_CLASS(TCollection, TPersistent)
public:
    explicit TCollection(const TClassInfo* ItemClass);
    ~TCollection() override;
    // Frees the items while the collection is still whole.
    void BeforeDestruction() override;

    // Creates an item of ItemClass at the end (through its virtual constructor).
    TCollectionItem* Add();
    // Adds, then moves the new item to Index.
    TCollectionItem* Insert(int Index);
    // cnDeleting, then the item is freed (which extracts it).
    void Delete(int Index);
    virtual void Clear();
    int GetCount() const { return static_cast<int>(FItems.size()); }
    // Room for Count items without growing, for a caller that knows how many it will add.
    virtual void SetCapacity(int Count) { FItems.reserve(static_cast<size_t>(std::max(Count, 0))); }
    // "List index out of bounds (%d)" outside 0..Count-1.
    TCollectionItem* GetItem(int Index) const;
    void SetItem(int Index, TCollectionItem* Value);  // assigns Value to the item at Index
    const TClassInfo* GetItemClass() const { return FItemClass; }
    TCollectionItem* FindItemID(int ID) const;

    virtual void BeginUpdate();
    virtual void EndUpdate();
    int GetUpdateCount() const { return FUpdateCount; }

    // From another collection: clear, then one new item of ItemClass per source
    // item, each assigned from it; all inside one update bracket.
    void Assign(TPersistent* Source) override;
    std::string GetNamePath() const override;
    TPersistent* GetOwner() const override { return nullptr; }

protected:
    // A change of Item (null: of the whole collection), raised when no update
    // is pending and once at the end of the outermost bracket.
    virtual void Update(TCollectionItem* Item);
    // Item has entered (cnAdded) or is about to leave (cnExtracting, cnDeleting).
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
    void Changed();
    // Puts the items in the order of Order, which holds every item once
    // (EListError "Invalid reorder" otherwise), re-indexing them in one pass.
    void Reorder(const std::vector<TCollectionItem*>& Order);
    // The published property of the owner that holds this collection.
    std::string GetPropName() const;

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);
    void Reindex(int From, int To);

    const TClassInfo* FItemClass;
    std::vector<TCollectionItem*> FItems;  // owned
    int FUpdateCount = 0;
    int FNextID = 0;
};

// A collection that knows its owner, for name paths and streaming.
class TOwnedCollection : public TCollection {
    ZK_CLASS(TOwnedCollection, TCollection)
public:
    TOwnedCollection(TPersistent* AOwner, const TClassInfo* ItemClass);
    TPersistent* GetOwner() const override { return FOwner; }

private:
    TPersistent* FOwner;  // owns this collection
};

}  // namespace zk
