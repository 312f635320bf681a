// TTimer: a component that fires OnTimer every Interval milliseconds of the application clock.
#pragma once
#include <cstdint>

#include "platform/core/Component.h"
#include "platform/core/Event.h"

namespace zk {

// Runs from the Qt loop (one shared Qt timer wakes it when the next interval
// should be over) and from Application->ProcessMessages(), whichever notices
// first that Interval has passed on CurrentTick(). A late timer fires
// once, not once per missed interval, and its next interval starts then.
// Idle (never due) while disabled, with Interval 0 or without OnTimer.
class TTimer : public TComponent {
    ZK_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // Milliseconds; setting it restarts the interval.
    unsigned GetInterval() const { return FInterval; }
    void SetInterval(unsigned Value);
    const TNotifyEvent& GetOnTimer() const { return FOnTimer; }
    void SetOnTimer(const TNotifyEvent& Value);

    // True while the timer waits for its next interval.
    bool IsRunning() const { return FRunning; }
    // Fires OnTimer when Interval has passed since the interval started.
    // Returns true when it fired.
    bool FireIfDue();
    // Starts the interval again from the current tick.
    void Restart();
    // Milliseconds left of the current interval; 0 when due or idle.
    uint32_t GetRemaining() const;

protected:
    // Called when the interval has passed; fires OnTimer.
    virtual void Timer();

private:
    void UpdateTimer();

    bool FEnabled = true;
    unsigned FInterval = 1000;
    TNotifyEvent FOnTimer;
    bool FRunning = false;
    uint32_t FStart = 0;  // tick the current interval started at
};

// Fires every running timer whose interval has passed; ProcessMessages calls it.
void FireDueTimers();
// Restarts every running timer's interval; the clock calls it when its source changes.
void RestartTimers();

}  // namespace zk
