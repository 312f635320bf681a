// TPopupListWindow: a list box in a window of its own that drops down over other windows without
// taking activation.
#pragma once

#include "platform/gui/ListBox.h"

namespace zk {

// The list box is the window: a frameless tool-tip type window above the
// others, shown without activation and never focused, so the keyboard stays with the control that
// dropped it down (which forwards keys to it). Left/Top are screen
// coordinates. A cell editor's drop-down list derives from it.
class TPopupListWindow : public TCustomListBox {
    ZK_CLASS(TPopupListWindow, TCustomListBox)
public:
    explicit TPopupListWindow(TComponent* AOwner);

    bool IsTopLevel() const override { return true; }

    // Shows the list with its top-left corner at the screen point (X, Y), kept on the screen.
    void Popup(int X, int Y);
    // Hides the list.
    void CloseUp();
    bool GetListVisible() const { return GetShowing(); }

protected:
    bool FocusesOnClick() const override { return false; }
};

}  // namespace zk
