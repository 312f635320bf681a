// TPopupListbox: the drop-down list of the item-list grid's cell editor, with type-ahead search.
#pragma once
#include <cstdint>
#include <string>

#include "platform/gui/ListBox.h"

namespace zk {

class TZkInplaceEditList;

// A window of its own above the others, shown without activation and never
// focused: the editor keeps the keyboard and hands the keys to it while it
// shows. It paints its selection as focused all the same. Characters build a
// search text (reset after 2000 ms without a key) that selects the first
// entry starting with it.
class TPopupListbox : public TCustomListBox {
    ZK_CLASS(TPopupListbox, TCustomListBox)
public:
    explicit TPopupListbox(TComponent* AOwner);

    bool IsTopLevel() const override { return true; }
    bool Focused() const override { return true; }

    const std::string& GetSearchText() const { return FSearchText; }
    uint32_t GetSearchTickCount() const { return FSearchTickCount; }
    // Where the client area begins inside the window (the border's width).
    TPoint ClientOffset() const { return GetClientOffset(); }
    // A key message the editor passes on while the list shows.
    void EditorKeyDown(uint16_t& Key, TShiftState Shift) { KeyDown(Key, Shift); }

protected:
    void KeyPress(char& Key) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void PaintBorder() override;
    bool FocusesOnClick() const override { return false; }

private:
    TZkInplaceEditList* Editor() const;

    std::string FSearchText;
    uint32_t FSearchTickCount = 0;  // CurrentTick of the last character
};

}  // namespace zk
