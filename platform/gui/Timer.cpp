// TTimer and the shared Qt timer that wakes the loop when the next timer is due.
#include "platform/gui/Timer.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "platform/core/ClassBuilder.h"
#include "platform/gui/Application.h"

namespace zk {

namespace {

// Running timers, in the order they started. Not owned: each removes itself
// when it stops or dies.
std::vector<TTimer*>& RunningTimers() {
    static std::vector<TTimer*> Timers;
    return Timers;
}

bool IsRunning(TTimer* Timer) {
    const auto& Timers = RunningTimers();
    return std::find(Timers.begin(), Timers.end(), Timer) != Timers.end();
}

// One Qt timer for all of ours, a child of the Qt application so that it goes
// with it. Timers never own Qt objects, so a handler may free its own timer.
QPointer<QTimer>& WakeTimer() {
    static QPointer<QTimer> Timer;
    return Timer;
}

// Arms the Qt timer for the running timer that is due first; with a fake
// clock it simply wakes now and then to look again.
void Reschedule() {
    if (!QCoreApplication::instance()) return;
    QPointer<QTimer>& Wake = WakeTimer();
    if (RunningTimers().empty()) {
        if (Wake) Wake->stop();
        return;
    }
    uint32_t Soonest = UINT32_MAX;
    for (TTimer* Timer : RunningTimers()) Soonest = std::min(Soonest, Timer->GetRemaining());
    if (!Wake) {
        Wake = new QTimer(QCoreApplication::instance());
        Wake->setSingleShot(true);
        Wake->setTimerType(Qt::PreciseTimer);
        QObject::connect(Wake, &QTimer::timeout, [] { FireDueTimers(); });
    }
    Wake->start(static_cast<int>(std::min<uint32_t>(Soonest, 0x7FFFFFFF)));
}

}  // namespace

ZK_IMPLEMENT_CLASS(TTimer)
void TTimer::DescribeClass(TClassBuilder<TTimer>& C) {
    C.Prop("Enabled", &TTimer::GetEnabled, &TTimer::SetEnabled).Default(true);
    C.Prop("Interval", &TTimer::GetInterval, &TTimer::SetInterval).Default(1000);
    C.Prop("OnTimer", &TTimer::GetOnTimer, &TTimer::SetOnTimer);
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer() {
    FEnabled = false;
    UpdateTimer();
}

void TTimer::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
    if (Value == FInterval) return;
    FInterval = Value;
    UpdateTimer();
}

void TTimer::SetOnTimer(const TNotifyEvent& Value) {
    FOnTimer = Value;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    auto& Timers = RunningTimers();
    Timers.erase(std::remove(Timers.begin(), Timers.end(), this), Timers.end());
    FRunning = FEnabled && FInterval > 0 && FOnTimer.Assigned();
    if (FRunning) {
        FStart = CurrentTick();
        Timers.push_back(this);
    }
    Reschedule();
}

void TTimer::Restart() {
    FStart = CurrentTick();
}

uint32_t TTimer::GetRemaining() const {
    if (!FRunning) return 0;
    const uint32_t Elapsed = CurrentTick() - FStart;
    return Elapsed >= FInterval ? 0 : FInterval - Elapsed;
}

bool TTimer::FireIfDue() {
    if (!FRunning || GetRemaining() > 0) return false;
    FStart = CurrentTick();
    Timer();  // may free this timer
    return true;
}

void TTimer::Timer() {
    if (FOnTimer.Assigned()) FOnTimer(this);
}

// A timer stopped or freed by an earlier handler is skipped; one started by a
// handler waits for its first interval.
void FireDueTimers() {
    const std::vector<TTimer*> Snapshot = RunningTimers();
    for (TTimer* Timer : Snapshot)
        if (IsRunning(Timer)) SafeCall(Timer, [Timer] { Timer->FireIfDue(); });
    Reschedule();
}

void RestartTimers() {
    for (TTimer* Timer : RunningTimers()) Timer->Restart();
    Reschedule();
}

}  // namespace zk
