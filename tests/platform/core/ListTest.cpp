// TList and TThreadList: index errors, notifications, duplicates and locking.
#include <gtest/gtest.h>

#include <thread>

#include "platform/core/List.h"
#include "platform/core/SysUtils.h"

namespace zk {
namespace {

int Slot[8];

class TRecordingList : public TList {
public:
    std::vector<std::pair<void*, TListNotification>> Log;

protected:
    void Notify(void* Ptr, TListNotification Action) override { Log.emplace_back(Ptr, Action); }
};

TEST(List, IndexErrorsNameTheIndex) {
    TList L;
    L.Add(&Slot[0]);
    for (auto Fn : std::vector<std::function<void()>>{[&] { L.Get(1); }, [&] { L.Delete(-1); },
                                                      [&] { L.Insert(2, nullptr); }, [&] { L.Exchange(0, 5); }}) {
        try {
            Fn();
            FAIL() << "no exception";
        } catch (const EListError& E) {
            EXPECT_EQ(0u, E.Message().rfind("List index out of bounds (", 0)) << E.Message();
        }
    }
    try {
        L.Get(7);
    } catch (const EListError& E) {
        EXPECT_EQ("List index out of bounds (7)", E.Message());
    }
    EXPECT_EQ(1, L.GetCount());
}

TEST(List, NotifiesAddsDeletesAndExtractions) {
    TRecordingList L;
    L.Add(&Slot[0]);
    L.Insert(0, &Slot[1]);
    L.Add(nullptr);  // nil entries are not announced
    L.Extract(&Slot[0]);
    L.Remove(&Slot[1]);
    using P = std::pair<void*, TListNotification>;
    EXPECT_EQ((std::vector<P>{{&Slot[0], lnAdded}, {&Slot[1], lnAdded}, {&Slot[0], lnExtracted},
                              {&Slot[1], lnDeleted}}),
              L.Log);
    EXPECT_EQ(1, L.GetCount());
}

TEST(List, MoveExchangePackAndSort) {
    TList L;
    for (int I = 0; I < 4; ++I) L.Add(&Slot[I]);
    L.Move(0, 3);
    EXPECT_EQ(&Slot[1], L.First());
    EXPECT_EQ(&Slot[0], L.Last());
    L.Exchange(0, 3);
    EXPECT_EQ(&Slot[0], L.First());
    L.Put(1, nullptr);
    L.Pack();
    EXPECT_EQ(3, L.GetCount());
    L.Sort([](void* A, void* B) { return static_cast<int*>(A) < static_cast<int*>(B) ? -1 : 1; });
    EXPECT_EQ(&Slot[0], L.Get(0));
    EXPECT_EQ(2, L.IndexOf(&Slot[3]));
    TList Copy;
    Copy.Assign(&L);
    EXPECT_EQ(L.List(), Copy.List());
}

TEST(ThreadList, DuplicatesFollowTheSetting) {
    TThreadList L;
    L.Add(&Slot[0]);
    L.Add(&Slot[0]);  // ignored by default
    {
        TThreadList::TLock Locked(L);
        EXPECT_EQ(1, Locked->GetCount());
    }
    L.SetDuplicates(dupError);
    EXPECT_THROW(L.Add(&Slot[0]), EListError);
    L.SetDuplicates(dupAccept);
    L.Add(&Slot[0]);
    {
        TThreadList::TLock Locked(L);
        EXPECT_EQ(2, Locked->GetCount());
    }
    L.Remove(&Slot[0]);
    L.Clear();
    EXPECT_EQ(0, L.LockList()->GetCount());
    L.UnlockList();
}

TEST(ThreadList, ConcurrentAddsAreAllKept) {
    TThreadList L;
    L.SetDuplicates(dupAccept);
    std::vector<std::thread> Threads;
    for (int T = 0; T < 4; ++T)
        Threads.emplace_back([&] {
            for (int I = 0; I < 1000; ++I) L.Add(&Slot[I % 8]);
        });
    for (auto& T : Threads) T.join();
    TThreadList::TLock Locked(L);
    EXPECT_EQ(4000, Locked->GetCount());
}

}  // namespace
}  // namespace zk
