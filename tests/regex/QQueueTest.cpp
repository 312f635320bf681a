// Tests for TQQueue, the state queue of the regular expression matcher.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/core/List.h"
#include "platform/core/SysUtils.h"
#include "regex/YRegularExpression.h"

namespace zk {
namespace {

// Entries are state numbers stored as pointer-sized values.
void* Entry(intptr_t N) {
    return reinterpret_cast<void*>(N);
}
intptr_t Number(void* P) {
    return reinterpret_cast<intptr_t>(P);
}

TEST(QQueueTest, PopsInPushOrderAndPeekLeavesTheEntry) {
    TQQueue Q;
    EXPECT_TRUE(Q.IsEmpty());
    Q.Push(Entry(1));
    Q.Push(Entry(-2));
    Q.Push(Entry(3));
    EXPECT_FALSE(Q.IsEmpty());
    EXPECT_EQ(Number(Q.Peek()), 1);
    EXPECT_EQ(Q.GetCount(), 3);
    EXPECT_EQ(Number(Q.Pop()), 1);
    EXPECT_EQ(Number(Q.Peek()), -2);
    EXPECT_EQ(Number(Q.Pop()), -2);
    EXPECT_EQ(Number(Q.Pop()), 3);
    EXPECT_TRUE(Q.IsEmpty());
}

TEST(QQueueTest, InsertAtZeroPushesAtTheFront) {
    TQQueue Q;
    Q.Push(Entry(5));
    Q.Insert(0, Entry(7));
    Q.Insert(0, Entry(8));
    EXPECT_EQ(Number(Q.Pop()), 8);
    EXPECT_EQ(Number(Q.Pop()), 7);
    EXPECT_EQ(Number(Q.Pop()), 5);
}

TEST(QQueueTest, PopAndPeekOnEmptyRaiseListError) {
    TQQueue Q;
    try {
        Q.Pop();
        FAIL() << "Pop on an empty queue returned";
    } catch (const EListError& E) {
        EXPECT_EQ(E.Message(), "List is empty");
    }
    try {
        Q.Peek();
        FAIL() << "Peek on an empty queue returned";
    } catch (const EListError& E) {
        EXPECT_EQ(E.Message(), "List is empty");
    }
    // Emptied by pops, the queue must report the same error.
    Q.Push(Entry(1));
    Q.Pop();
    EXPECT_THROW(Q.Pop(), EListError);
}

TEST(QQueueTest, AssignFromListReplacesEntriesInOrder) {
    TList Source;
    Source.Add(Entry(4));
    Source.Add(nullptr);
    Source.Add(Entry(6));
    TQQueue Q;
    Q.Push(Entry(99));
    Q.Assign(&Source);
    ASSERT_EQ(Q.GetCount(), 3);
    EXPECT_EQ(Number(Q.Pop()), 4);
    EXPECT_EQ(Number(Q.Pop()), 0);
    EXPECT_EQ(Number(Q.Pop()), 6);
    EXPECT_EQ(Source.GetCount(), 3);
}

TEST(QQueueTest, AssignFromAnotherQueueAndFromItself) {
    TQQueue A, B;
    A.Push(Entry(1));
    A.Push(Entry(2));
    B.Assign(&A);
    EXPECT_EQ(Number(B.Pop()), 1);
    EXPECT_EQ(Number(B.Pop()), 2);
    A.Assign(&A);
    EXPECT_EQ(A.GetCount(), 2);
}

TEST(QQueueTest, AssignFromNonListRaisesConvertError) {
    TQQueue Q;
    Q.Push(Entry(1));
    TObject Other;
    try {
        Q.Assign(&Other);
        FAIL() << "Assign from a TObject returned";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), "Error assigning TObject to TQQueue");
    }
    try {
        Q.Assign(nullptr);
        FAIL() << "Assign from nil returned";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), "Error assigning nil to TQQueue");
    }
    EXPECT_EQ(Q.GetCount(), 1);
}

TEST(QQueueTest, IsAListForTheClassSystem) {
    TQQueue Q;
    EXPECT_TRUE(Q.InheritsFrom(TList::StaticClass()));
    EXPECT_EQ(Q.ClassName(), "TQQueue");
}

}  // namespace
}  // namespace zk
