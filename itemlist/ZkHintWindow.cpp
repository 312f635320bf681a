// TZkHintWindow: showing, timing out and painting the item list's hint.
#include "itemlist/ZkHintWindow.h"

#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/gui/Application.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Timer.h"

namespace zk {

ZK_IMPLEMENT_CLASS(TZkHintWindow)
void TZkHintWindow::DescribeClass(TClassBuilder<TZkHintWindow>& C) {
    C.Prop("Interval", &TZkHintWindow::GetInterval, &TZkHintWindow::SetInterval).Default(1000);
}

TZkHintWindow::TZkHintWindow(TComponent* AOwner) : THintWindow(AOwner) {
    SetColor(Application ? Application->GetHintColor() : clInfoBk);
    FTimer = Create<TTimer>(this);
    FTimer->SetEnabled(false);
    FTimer->SetOnTimer(TNotifyEvent([this](TObject*) { TimerExpired(); }, this));
}

// The timer counts in unsigned milliseconds; the cast keeps any value readable as written.
int TZkHintWindow::GetInterval() const {
    return static_cast<int>(FTimer->GetInterval());
}

void TZkHintWindow::SetInterval(int Value) {
    FTimer->SetInterval(static_cast<unsigned>(Value));
}

void TZkHintWindow::ShowHintAt(TPoint ScreenPoint, const std::string& Text) {
    const int MaxWidth = Screen ? Screen->GetWidth() : 0;
    const TRect R = CalcHintRect(MaxWidth, Text);
    ActivateHint(OffsetRect(R, ScreenPoint.X, ScreenPoint.Y), Text);
}

void TZkHintWindow::ActivateHint(const TRect& Rect, const std::string& Hint) {
    if (FActivating) return;
    FActivating = true;
    TScopeExit Done([this] { FActivating = false; });
    // Off and on again, so that each hint gets its whole interval.
    FTimer->SetEnabled(false);
    FTimer->SetEnabled(true);
    inherited::ActivateHint(Rect, Hint);
}

TRect TZkHintWindow::GetClientRect() const {
    const TRect R = inherited::GetClientRect();
    return Rect(0, 0, std::max(R.Width() - 2, 0), std::max(R.Height() - 2, 0));
}

void TZkHintWindow::TimerExpired() {
    FTimer->SetEnabled(false);
    HideHint();
}

void TZkHintWindow::HideHint() {
    if (HandleAllocated() && GetVisible()) SetVisible(false);
}

void TZkHintWindow::PaintBorder() {
    TCanvas* Canvas = GetCanvas();
    Canvas->GetBrush()->SetColor(clWindowFrame);
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->FrameRect(Rect(0, 0, GetWidth(), GetHeight()));
}

void TZkHintWindow::Paint() {
    TCanvas* Canvas = GetCanvas();
    TRect R = GetClientRect();
    Canvas->GetBrush()->SetColor(GetColor());
    Canvas->FillRect(R);
    R.Left += 2;
    R.Top += 2;
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->GetFont()->Assign(GetFont());
    unsigned Flags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
    if (UseRightToLeftReading()) Flags |= DT_RTLREADING;
    Canvas->DrawText(GetCaption(), R, Flags);
}

}  // namespace zk
