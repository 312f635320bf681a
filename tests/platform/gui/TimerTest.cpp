// Tests for TTimer on a fake clock through ProcessMessages, and on the real clock through the Qt
// loop.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Filer.h"
#include "platform/core/Stream.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/Timer.h"

namespace zk {
namespace {

class TimerTest : public testing::Test {
protected:
    void SetUp() override {
        SetTickSource([this] { return Now; });
        Application->ProcessMessages();
    }
    void TearDown() override {
        Application->SetOnException(TExceptionEvent());
        SetTickSource(nullptr);
    }
    // A timer owned by Owner that counts its firings under Name.
    TTimer* NewTimer(unsigned Interval, const std::string& Name) {
        auto* Timer = Create<TTimer>(Owner.get());
        Timer->SetInterval(Interval);
        Timer->SetOnTimer(TNotifyEvent([this, Name](TObject*) { Fired.push_back(Name); }));
        return Timer;
    }
    void Advance(uint32_t Ms) {
        Now += Ms;
        Application->ProcessMessages();
    }
    int Count(const std::string& Name) const {
        return static_cast<int>(std::count(Fired.begin(), Fired.end(), Name));
    }

    uint32_t Now = 1000;
    TOwned<TComponent> Owner{Create<TComponent>(nullptr)};
    std::vector<std::string> Fired;
};

TEST_F(TimerTest, FiresOnceEachTimeItsIntervalHasPassed) {
    NewTimer(100, "T");
    Advance(0);
    Advance(99);
    EXPECT_EQ(Count("T"), 0);
    Advance(1);
    EXPECT_EQ(Count("T"), 1);
    Advance(0);
    EXPECT_EQ(Count("T"), 1) << "a second ProcessMessages without time passing must not fire again";
    Advance(100);
    EXPECT_EQ(Count("T"), 2);
}

TEST_F(TimerTest, LateTimerFiresOnceAndStartsItsNextIntervalThen) {
    NewTimer(100, "T");
    Advance(350);
    EXPECT_EQ(Count("T"), 1);
    Advance(99);
    EXPECT_EQ(Count("T"), 1);
    Advance(1);
    EXPECT_EQ(Count("T"), 2);
}

TEST_F(TimerTest, TimersWithDifferentIntervalsFireIndependently) {
    NewTimer(100, "Fast");
    NewTimer(250, "Slow");
    for (int I = 0; I < 10; ++I) Advance(50);  // 500 ms in 50 ms steps
    EXPECT_EQ(Count("Fast"), 5);
    EXPECT_EQ(Count("Slow"), 2);
}

TEST_F(TimerTest, IdleWhileDisabledWithoutIntervalOrWithoutHandler) {
    TTimer* Disabled = NewTimer(100, "Disabled");
    Disabled->SetEnabled(false);
    TTimer* Zero = NewTimer(0, "Zero");
    auto* NoHandler = Create<TTimer>(Owner.get());
    NoHandler->SetInterval(100);
    EXPECT_FALSE(Disabled->IsRunning());
    EXPECT_FALSE(Zero->IsRunning());
    EXPECT_FALSE(NoHandler->IsRunning());
    Advance(1000);
    EXPECT_TRUE(Fired.empty());
    Disabled->SetEnabled(true);  // a fresh interval starts now
    Advance(99);
    EXPECT_EQ(Count("Disabled"), 0);
    Advance(1);
    EXPECT_EQ(Count("Disabled"), 1);
}

TEST_F(TimerTest, ChangingTheIntervalRestartsIt) {
    TTimer* T = NewTimer(100, "T");
    Advance(80);
    T->SetInterval(50);
    Advance(40);
    EXPECT_EQ(Count("T"), 0);
    Advance(10);
    EXPECT_EQ(Count("T"), 1);
}

TEST_F(TimerTest, ChangingTheClockRestartsRunningTimers) {
    NewTimer(100, "T");
    uint32_t Other = 500000;
    SetTickSource([&Other] { return Other; });
    Application->ProcessMessages();
    EXPECT_EQ(Count("T"), 0);
    Other += 100;
    Application->ProcessMessages();
    EXPECT_EQ(Count("T"), 1);
}

TEST_F(TimerTest, HandlerMayFreeItsOwnTimerAndOthersStillFire) {
    auto* SelfFreeing = Create<TTimer>(Owner.get());
    SelfFreeing->SetInterval(100);
    SelfFreeing->SetOnTimer(TNotifyEvent([this](TObject* Sender) {
        Fired.push_back("Freed");
        static_cast<TTimer*>(Sender)->Free();
    }));
    NewTimer(100, "Other");
    Advance(100);
    Advance(100);
    EXPECT_EQ(Count("Freed"), 1);
    EXPECT_EQ(Count("Other"), 2);
    EXPECT_EQ(Owner->GetComponentCount(), 1);
}

TEST_F(TimerTest, HandlerStoppingAnotherDueTimerPreventsItsFiring) {
    TTimer* Second = nullptr;
    auto* First = Create<TTimer>(Owner.get());
    First->SetInterval(100);
    First->SetOnTimer(TNotifyEvent([&](TObject*) {
        Fired.push_back("First");
        Second->SetEnabled(false);
    }));
    Second = NewTimer(100, "Second");
    Advance(100);
    EXPECT_EQ(Count("First"), 1);
    EXPECT_EQ(Count("Second"), 0);
}

TEST_F(TimerTest, ExceptionFromOnTimerGoesToOnExceptionAndTheTimerKeepsRunning) {
    std::vector<std::string> Caught;
    Application->SetOnException(
        TExceptionEvent([&](TObject*, const std::exception& E) { Caught.push_back(E.what()); }));
    auto* Throwing = Create<TTimer>(Owner.get());
    Throwing->SetInterval(100);
    Throwing->SetOnTimer(TNotifyEvent([](TObject*) { throw EInvalidOperation("tick failed"); }));
    NewTimer(100, "Other");
    EXPECT_NO_THROW(Advance(100));
    EXPECT_NO_THROW(Advance(100));
    EXPECT_EQ(Caught, (std::vector<std::string>{"tick failed", "tick failed"}));
    EXPECT_EQ(Count("Other"), 2);
}

TEST_F(TimerTest, TimerStreamsItsPublishedProperties) {
    TOwned<TTimer> Timer(Create<TTimer>(nullptr));
    Timer->SetName("Timer1");
    Timer->SetInterval(250);
    Timer->SetEnabled(false);
    TMemoryStream Stream;
    WriteComponentToStream(&Stream, Timer.get());
    Stream.SetPosition(0);
    TOwned<TComponent> Read(ReadComponentFromStream(&Stream, nullptr));
    auto* Copy = DynamicCast<TTimer>(Read.get());
    ASSERT_NE(Copy, nullptr);
    EXPECT_EQ(Copy->GetInterval(), 250u);
    EXPECT_FALSE(Copy->GetEnabled());
    EXPECT_EQ(GetPropInfo(Copy, "Interval")->Default, 1000);
}

TEST(TimerRealClockTest, FiresFromTheQtLoopWithoutProcessMessages) {
    TOwned<TTimer> Timer(Create<TTimer>(nullptr));
    int Fired = 0;
    QEventLoop Loop;
    Timer->SetInterval(20);
    Timer->SetOnTimer(TNotifyEvent([&](TObject*) {
        if (++Fired == 2) Loop.quit();
    }));
    QTimer::singleShot(3000, &Loop, &QEventLoop::quit);  // a safety net, not the expectation
    Loop.exec();
    EXPECT_EQ(Fired, 2);
}

}  // namespace
}  // namespace zk
