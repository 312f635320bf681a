// THintWindow: the small frameless window that shows a hint next to the mouse without taking the
// focus.
#pragma once
#include <string>

#include "platform/gui/Controls.h"

namespace zk {

// A top-level tool-tip window (Qt::ToolTip, frameless, shown without
// activation, never focused). Its Left/Top are screen coordinates.
class THintWindow : public TCustomControl {
    ZK_CLASS(THintWindow, TCustomControl)
public:
    // Color starts as Application->GetHintColor(), the text colour as clInfoText.
    explicit THintWindow(TComponent* AOwner);

    bool IsTopLevel() const override { return true; }

    // Shows Hint in Rect (screen coordinates, as CalcHintRect sized it),
    // kept on the screen, without activating the window.
    virtual void ActivateHint(const TRect& Rect, const std::string& Hint);
    // The window rectangle, at (0, 0), that shows Hint wrapped at MaxWidth.
    virtual TRect CalcHintRect(int MaxWidth, const std::string& Hint);
    // Hides the window and lets its window go.
    void ReleaseHandle();
    // True while ActivateHint places and shows the window.
    bool GetActivating() const { return FActivating; }

protected:
    void Paint() override;

private:
    bool FActivating = false;
};

}  // namespace zk
