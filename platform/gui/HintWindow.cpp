// THintWindow: sizing, placing and painting a hint.
#include "platform/gui/HintWindow.h"

#include <QWidget>
#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/gui/Application.h"
#include "platform/gui/Controls_p.h"
#include "platform/gui/Graphics.h"

namespace zk {

namespace {

// The text sits this far inside the one-pixel border.
constexpr int TextMargin = 2;

}  // namespace

ZK_IMPLEMENT_CLASS(THintWindow)
void THintWindow::DescribeClass(TClassBuilder<THintWindow>& C) {
    C.Prop("Caption", &TControl::GetCaption, &TControl::SetCaption)
        .Type(TypeInfoTCaption())
        .Stored(&TControl::IsCaptionStored);
}

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    QWidget* W = GetWidget();
    // A hint shows under the mouse pointer: it must never take the mouse, or
    // the control under it would see the pointer leave and hide it again.
    W->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput);
    W->setAttribute(Qt::WA_ShowWithoutActivating);
    W->setAttribute(Qt::WA_TransparentForMouseEvents);
    W->setFocusPolicy(Qt::NoFocus);
    SetVisible(false);
    SetColor(Application ? Application->GetHintColor() : clInfoBk);
    GetFont()->SetColor(clInfoText);
}

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& Hint) {
    TCanvas* Canvas = GetCanvas();
    Canvas->GetFont()->Assign(GetFont());
    TRect R = Rect(0, 0, MaxWidth, 0);
    Canvas->DrawText(Hint, R, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    R.Right += 6;
    R.Bottom += 2;
    return R;
}

void THintWindow::ActivateHint(const TRect& Rect, const std::string& Hint) {
    FActivating = true;
    TScopeExit Done([this] { FActivating = false; });
    SetCaption(Hint);
    TRect R = Rect;
    R.Bottom += 4;
    const int W = R.Width();
    const int H = R.Height();
    if (Screen) {
        R.Left = std::max(std::min(R.Left, Screen->GetWidth() - W), 0);
        R.Top = std::max(std::min(R.Top, Screen->GetHeight() - H), 0);
    }
    SetBounds(R.Left, R.Top, W, H);
    SetVisible(true);
    RaiseWindow(GetWidget());
    Invalidate();
}

void THintWindow::ReleaseHandle() {
    SetVisible(false);
    DestroyHandle();
}

void THintWindow::Paint() {
    TCanvas* Canvas = GetCanvas();
    TRect R = GetClientRect();
    Canvas->GetBrush()->SetColor(GetColor());
    Canvas->FillRect(R);
    Canvas->GetBrush()->SetColor(clWindowFrame);
    Canvas->FrameRect(R);
    R = InflateRect(R, -1, -1);
    R.Left += TextMargin;
    R.Top += TextMargin;
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->GetFont()->Assign(GetFont());
    Canvas->DrawText(GetCaption(), R, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

}  // namespace zk
