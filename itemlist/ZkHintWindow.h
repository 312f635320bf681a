// TZkHintWindow: the item list's hint window, shown at a point and hidden by the grid or after
// an interval.
#pragma once
#include <string>

#include "platform/core/Types.h"
#include "platform/gui/HintWindow.h"

namespace zk {

class TTimer;

class TZkHintWindow : public THintWindow {
    ZK_CLASS(TZkHintWindow, THintWindow)
public:
    explicit TZkHintWindow(TComponent* AOwner);

    // Milliseconds a shown hint stays before it hides itself; 0 keeps it until HideHint.
    int GetInterval() const;
    void SetInterval(int Value);

    // Shows Text, wrapped at the screen width, with its top-left corner at ScreenPoint
    // (moved back onto the screen when it would not fit).
    void ShowHintAt(TPoint ScreenPoint, const std::string& Text);
    // Shows the hint and starts its interval again; a call made while a hint is being
    // shown is ignored.
    void ActivateHint(const TRect& Rect, const std::string& Hint) override;

    // The area inside the one-pixel frame, which stands where a window border would: the
    // text keeps its inset from the frame, not from the window's edge.
    TRect GetClientRect() const override;

    // The interval has passed: stops the timer and hides the hint.
    virtual void TimerExpired();
    // Hides the window when it exists and shows.
    virtual void HideHint();

protected:
    TPoint GetClientOffset() const override { return {1, 1}; }
    void PaintBorder() override;
    void Paint() override;

private:
    TTimer* FTimer;  // owned by this window as a component
    bool FActivating = false;
};

}  // namespace zk
