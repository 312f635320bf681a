// TList of pointers and TThreadList, its lock-guarded variant.
#pragma once
#include <functional>
#include <mutex>
#include <vector>

#include "platform/core/Object.h"

namespace zk {

enum TDuplicates : uint8_t { dupIgnore, dupAccept, dupError };
enum TListNotification : uint8_t { lnAdded, lnExtracted, lnDeleted };

class TList : public TObject {
    ZK_CLASS(TList, TObject)
public:
    TList() = default;
    ~TList() override;

    int GetCount() const { return static_cast<int>(FItems.size()); }
    void SetCount(int NewCount);
    int GetCapacity() const { return static_cast<int>(FItems.capacity()); }
    void SetCapacity(int NewCapacity);
    // "List index out of bounds (%d)" from EListError outside 0..Count-1.
    void* Get(int Index) const;
    void Put(int Index, void* Item);
    void* operator[](int Index) const { return Get(Index); }

    int Add(void* Item);
    void Insert(int Index, void* Item);
    void Delete(int Index);
    int Remove(void* Item);
    void* Extract(void* Item);
    virtual void Clear();
    int IndexOf(const void* Item) const;
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    void* First() const;
    void* Last() const;
    void Pack();
    void Sort(const std::function<int(void*, void*)>& Compare);
    void Assign(const TList* Source);

    const std::vector<void*>& List() const { return FItems; }

    [[noreturn]] static void Error(const char* Msg, int Data);

protected:
    // Called after an item is added and before it leaves the list.
    virtual void Notify(void* Ptr, TListNotification Action);

private:
    std::vector<void*> FItems;
};

// A list guarded by a mutex: LockList returns the list and keeps the lock
// until UnlockList. TThreadList::TLock does both as a scope guard.
class TThreadList : public TObject {
    ZK_CLASS(TThreadList, TObject)
public:
    TThreadList() = default;

    void Add(void* Item);  // honours Duplicates
    void Remove(void* Item);
    void Clear();
    TList* LockList();
    void UnlockList();
    TDuplicates GetDuplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }

    class TLock {
    public:
        explicit TLock(TThreadList& List) : FOwner(List), FList(List.LockList()) {}
        ~TLock() { FOwner.UnlockList(); }
        TLock(const TLock&) = delete;
        TLock& operator=(const TLock&) = delete;
        TList* operator->() const { return FList; }
        TList& operator*() const { return *FList; }

    private:
        TThreadList& FOwner;
        TList* FList;
    };

private:
    std::recursive_mutex FLock;
    TList FList;
    TDuplicates FDuplicates = dupIgnore;
};

}  // namespace zk
