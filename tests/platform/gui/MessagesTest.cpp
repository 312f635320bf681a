// Tests for posted and sent messages, their exception guard and mouse capture.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/core/ClassBuilder.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/Messages.h"

namespace zk {
namespace {

constexpr uint32_t WM_FIRST = 2475;
constexpr uint32_t WM_SECOND = 2476;
constexpr uint32_t WM_THROW = WM_USER + 7;
constexpr uint32_t WM_FREE_SELF = WM_USER + 8;
constexpr uint32_t WM_POST_SECOND = WM_USER + 9;

struct TEntry {
    std::string Who;
    uint32_t Msg;
    intptr_t WParam;
    bool operator==(const TEntry&) const = default;
};

std::ostream& operator<<(std::ostream& Out, const TEntry& E) {
    return Out << E.Who << ":" << E.Msg << "(" << E.WParam << ")";
}

// Answers private messages and writes each into a log shared between objects,
// so that tests see the order across receivers.
class TMessageTarget : public TObject {
    ZK_CLASS(TMessageTarget, TObject)
public:
    TMessageTarget(std::string Name, std::vector<TEntry>* Log)
        : FName(std::move(Name)), FLog(Log), FReceiver(std::make_unique<TMessageReceiver>(this)) {}

    TMessageReceiver* Receiver() const { return FReceiver.get(); }
    bool InsideHandler = false;
    bool SecondArrivedInsideHandler = false;

private:
    void Record(TMessage& M) { FLog->push_back({FName, M.Msg, M.WParam}); }
    // Logs the new capture holder, which CM_CANCELMODE carries in LParam.
    void CMCancelMode(TMessage& M) { FLog->push_back({FName, M.Msg, M.LParam}); }
    void WMFirst(TMessage& M) {
        Record(M);
        M.Result = M.WParam + M.LParam;
    }
    void WMSecond(TMessage& M) {
        if (InsideHandler) SecondArrivedInsideHandler = true;
        Record(M);
    }
    void WMThrow(TMessage& M) {
        Record(M);
        throw EConvertError("Bad message %d", {static_cast<int>(M.WParam)});
    }
    void WMFreeSelf(TMessage& M) {
        Record(M);
        Free();
    }
    void WMPostSecond(TMessage& M) {
        Record(M);
        InsideHandler = true;
        PostMessage(FReceiver.get(), WM_SECOND, M.WParam + 1);
        InsideHandler = false;
    }

    std::string FName;
    std::vector<TEntry>* FLog;  // not owned: the test's
    std::unique_ptr<TMessageReceiver> FReceiver;
};

ZK_IMPLEMENT_CLASS(TMessageTarget)
void TMessageTarget::DescribeClass(TClassBuilder<TMessageTarget>& C) {
    C.Message(WM_FIRST, &TMessageTarget::WMFirst);
    C.Message(WM_SECOND, &TMessageTarget::WMSecond);
    C.Message(WM_THROW, &TMessageTarget::WMThrow);
    C.Message(WM_FREE_SELF, &TMessageTarget::WMFreeSelf);
    C.Message(WM_POST_SECOND, &TMessageTarget::WMPostSecond);
    C.Message(CM_CANCELMODE, &TMessageTarget::CMCancelMode);
}

struct TCaughtException {
    TObject* Sender;
    std::string Message;
};

class MessagesTest : public testing::Test {
protected:
    void SetUp() override {
        Application->ProcessMessages();  // nothing left over from other tests
        Application->SetOnException(
            TExceptionEvent([this](TObject* Sender, const std::exception& E) {
                Caught.push_back({Sender, E.what()});
            }));
    }
    void TearDown() override {
        Application->SetOnException(TExceptionEvent());
        SetCaptureControl(nullptr);
    }
    TMessageTarget* NewTarget(const std::string& Name) {
        Targets.emplace_back(Create<TMessageTarget>(Name, &Log));
        return Targets.back().get();
    }

    std::vector<TEntry> Log;
    std::vector<TCaughtException> Caught;
    std::vector<TOwned<TMessageTarget>> Targets;
};

TEST_F(MessagesTest, PostedMessagesWaitForTheLoopAndRunInPostingOrder) {
    TMessageTarget* A = NewTarget("A");
    PostMessage(A->Receiver(), WM_FIRST, 1);
    PostMessage(A->Receiver(), WM_SECOND, 2);
    PostMessage(A->Receiver(), WM_FIRST, 3);
    EXPECT_TRUE(Log.empty()) << "a posted message ran inside PostMessage";
    EXPECT_EQ(PendingMessageCount(), 3);
    Application->ProcessMessages();
    EXPECT_EQ(Log,
              (std::vector<TEntry>{{"A", WM_FIRST, 1}, {"A", WM_SECOND, 2}, {"A", WM_FIRST, 3}}));
    EXPECT_EQ(PendingMessageCount(), 0);
}

TEST_F(MessagesTest, PostingOrderHoldsAcrossReceivers) {
    TMessageTarget* A = NewTarget("A");
    TMessageTarget* B = NewTarget("B");
    PostMessage(B->Receiver(), WM_FIRST, 1);
    PostMessage(A->Receiver(), WM_SECOND, 2);
    PostMessage(B->Receiver(), WM_SECOND, 3);
    Application->ProcessMessages();
    EXPECT_EQ(Log,
              (std::vector<TEntry>{{"B", WM_FIRST, 1}, {"A", WM_SECOND, 2}, {"B", WM_SECOND, 3}}));
}

TEST_F(MessagesTest, MessagePostedByAHandlerRunsAfterItInTheSameProcessMessages) {
    TMessageTarget* A = NewTarget("A");
    PostMessage(A->Receiver(), WM_POST_SECOND, 10);
    Application->ProcessMessages();
    EXPECT_EQ(Log, (std::vector<TEntry>{{"A", WM_POST_SECOND, 10}, {"A", WM_SECOND, 11}}));
    EXPECT_FALSE(A->SecondArrivedInsideHandler);
}

TEST_F(MessagesTest, MessagesToAFreedReceiverAreDropped) {
    TMessageTarget* A = NewTarget("A");
    TMessageTarget* B = NewTarget("B");
    PostMessage(A->Receiver(), WM_FIRST, 1);
    PostMessage(B->Receiver(), WM_FIRST, 2);
    PostMessage(A->Receiver(), WM_SECOND, 3);
    Targets.front().reset();  // frees A and its receiver
    EXPECT_EQ(PendingMessageCount(), 1);
    Application->ProcessMessages();
    EXPECT_EQ(Log, (std::vector<TEntry>{{"B", WM_FIRST, 2}}));
}

TEST_F(MessagesTest, HandlerFreeingItsOwnTargetDropsTheRestOfItsMessages) {
    auto* A = Create<TMessageTarget>("A", &Log);  // frees itself below
    PostMessage(A->Receiver(), WM_FREE_SELF, 1);
    PostMessage(A->Receiver(), WM_FIRST, 2);
    Application->ProcessMessages();
    EXPECT_EQ(Log, (std::vector<TEntry>{{"A", WM_FREE_SELF, 1}}));
    EXPECT_EQ(PendingMessageCount(), 0);
}

TEST_F(MessagesTest, SendMessageDispatchesAtOnceAndReturnsResult) {
    TMessageTarget* A = NewTarget("A");
    EXPECT_EQ(SendMessage(A, WM_FIRST, 40, 2), 42);
    EXPECT_EQ(Log, (std::vector<TEntry>{{"A", WM_FIRST, 40}}));
    EXPECT_EQ(SendMessage(A, WM_USER + 99, 1, 1), 0)
        << "no handler: DefaultHandler leaves Result 0";
    EXPECT_EQ(SendMessage(nullptr, WM_FIRST, 1, 1), 0);
}

TEST_F(MessagesTest, ExceptionFromPostedHandlerGoesToOnExceptionOnly) {
    TMessageTarget* A = NewTarget("A");
    PostMessage(A->Receiver(), WM_THROW, 5);
    PostMessage(A->Receiver(), WM_SECOND, 6);
    EXPECT_NO_THROW(Application->ProcessMessages());
    ASSERT_EQ(Caught.size(), 1u);
    EXPECT_EQ(Caught[0].Sender, A);
    EXPECT_EQ(Caught[0].Message, "Bad message 5");
    EXPECT_EQ(Log, (std::vector<TEntry>{{"A", WM_THROW, 5}, {"A", WM_SECOND, 6}}))
        << "the exception must not stop later messages";
}

TEST_F(MessagesTest, ExceptionFromSentHandlerReachesTheCaller) {
    TMessageTarget* A = NewTarget("A");
    EXPECT_THROW(SendMessage(A, WM_THROW, 1), EConvertError);
    EXPECT_TRUE(Caught.empty());
}

TEST_F(MessagesTest, TakingCaptureAwaySendsCancelModeToThePreviousHolder) {
    TMessageTarget* A = NewTarget("A");
    TMessageTarget* B = NewTarget("B");
    SetCaptureControl(A);
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(GetCaptureControl(), A);
    SetCaptureControl(A);
    EXPECT_TRUE(Log.empty()) << "capture given to its holder again changes nothing";
    SetCaptureControl(B);
    const auto BAddress = reinterpret_cast<intptr_t>(static_cast<TObject*>(B));
    EXPECT_EQ(Log, (std::vector<TEntry>{{"A", CM_CANCELMODE, BAddress}}));
    SetCaptureControl(nullptr);
    EXPECT_EQ(Log, (std::vector<TEntry>{{"A", CM_CANCELMODE, BAddress}, {"B", CM_CANCELMODE, 0}}));
    EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST_F(MessagesTest, ReleaseCaptureOfADyingHolderSendsNothing) {
    TMessageTarget* A = NewTarget("A");
    TMessageTarget* B = NewTarget("B");
    SetCaptureControl(A);
    ReleaseCaptureOf(B);
    EXPECT_EQ(GetCaptureControl(), A) << "only the holder releases capture";
    ReleaseCaptureOf(A);
    EXPECT_EQ(GetCaptureControl(), nullptr);
    EXPECT_TRUE(Log.empty());
}

}  // namespace
}  // namespace zk
