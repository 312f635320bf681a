// TZkInplaceEditList: the item-list grid's cell editor, with an ellipsis or drop-down button,
// a pop-up list of values and a regular expression that restricts what may be typed.
#pragma once
#include <cstdint>
#include <string>

#include "platform/core/Event.h"
#include "platform/core/Types.h"
#include "platform/gui/Grids.h"
#include "regex/YRegularExpression.h"

namespace zk {

class TCustomListBox;
class TPopupListbox;
class TZkCustomItemListEditor;

// Fills the pop-up list for the cell (ACol, ARow).
ZK_EVENT(TZkGetPickListItemsEvent, void(int ACol, int ARow, TStrings* Items))

// A masked edit over the current cell with a button at its right edge (left
// in right-to-left mode): esEllipsis fires OnEditButtonClick, esPickList
// drops down a list of values. With an expression set, a keystroke after
// which the text can no longer become a match is taken back, and leaving the
// cell with a text the expression does not find raises
// "\"%s\" is not a valid property value".
class TZkInplaceEditList : public TInplaceEdit {
    ZK_CLASS(TZkInplaceEditList, TInplaceEdit)
public:
    explicit TZkInplaceEditList(TComponent* AOwner);
    ~TZkInplaceEditList() override;

    // ---- introduced operations, in slot order ----
    // The pop-up list, created on first use.
    virtual TPopupListbox* GetPickList();
    // No window yet, no expression, or the expression is found in the text
    // framed by LF and CR (so anchors match the whole text).
    virtual bool IsValid();
    // Enter/Escape close a visible list; Alt+Up/Down open or accept it. Consumed keys become 0.
    virtual void DoDropDownKeys(uint16_t& Key, TShiftState Shift);
    // Fires OnEditButtonClick with the grid as Sender.
    virtual void DoEditButtonClick();
    // Back to the text editing began with, which is written back to the cell.
    virtual void RestoreContents();
    virtual void LoadPickList();

    // ---- dynamic operations ----
    // Hides the list; with Accept (ignored on a read-only item) its selected
    // entry becomes the text, which is validated and committed.
    virtual void CloseUp(bool Accept);
    // Fills the list through OnGetPickListItems unless it is loaded for this cell.
    virtual void DoGetPickListItems();
    // Shows the active list below the editor (above it near the screen's bottom).
    virtual void DropDown();

    // The button's strip: ButtonWidth wide, full height, at the right (left when right-to-left).
    TRect ButtonRect() const;
    bool OverButton(TPoint P) const;
    // Raises the invalid-value message after taking the last edit back when
    // the text is not valid; ListStep then selects the text's entry in a loaded list.
    void ValidateOrUndo(bool ListStep = true);
    // Mouse up in the list closes it, accepting when the point lies in its client area.
    void ListMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    TYRegularExpression* GetExpression() const { return FExpression.get(); }
    bool GetListVisible() const { return FListVisible; }
    bool GetPickListLoaded() const { return FPickListLoaded; }
    void SetPickListLoaded(bool Value) { FPickListLoaded = Value; }
    bool GetPressed() const { return FPressed; }
    bool GetTracking() const { return FTracking; }
    int GetButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    int GetDropDownRows() const { return FDropDownRows; }
    void SetDropDownRows(int Value) { FDropDownRows = Value; }
    TEditStyle GetEditStyle() const { return FEditStyle; }
    // The list the button opens: the pick list for esPickList, else null.
    TCustomListBox* GetActiveList() const { return FActiveList; }
    // Null until the first pick-list cell.
    TPopupListbox* GetPickListIfCreated() const { return FPickList; }
    const TNotifyEvent& GetOnEditButtonClick() const { return FOnEditButtonClick; }
    void SetOnEditButtonClick(const TNotifyEvent& Value) { FOnEditButtonClick = Value; }
    const TZkGetPickListItemsEvent& GetOnGetPickListItems() const { return FOnGetPickListItems; }
    void SetOnGetPickListItems(const TZkGetPickListItemsEvent& Value) {
        FOnGetPickListItems = Value;
    }

    void UpdateContents() override;
    void BoundsChanged() override;

protected:
    void PaintWindow(TCanvas* Canvas) override;
    void WndProc(TMessage& Message) override;
    void DblClick() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CancelMode(TObject* Sender) override;
    TCursor CursorAt(int X, int Y) override;
    void Change() override;
    bool HandleWidgetEvent(QEvent* E) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void TrackButton(int X, int Y);
    void StopTracking();
    // The button as the grid's native look draws it, through the widget's style.
    void PaintNativeButton(TCanvas* Canvas);

private:
    class TPressWatcher;

    TZkCustomItemListEditor* ItemGrid() const;
    void WatchPresses(bool On);
    void SelectTextEntry();
    void TakeListValue(const std::string& Value);
    bool ForwardMouseToList(QEvent* E);

    TOwned<TYRegularExpression> FExpression;
    bool FListVisible = false;
    bool FPickListLoaded = false;
    bool FPressed = false;
    int FButtonWidth = 0;
    int FDropDownRows = 8;
    TEditStyle FEditStyle = esSimple;
    TNotifyEvent FOnEditButtonClick;
    TZkGetPickListItemsEvent FOnGetPickListItems;
    TCustomListBox* FActiveList = nullptr;  // FPickList or null; not owned
    TPopupListbox* FPickList = nullptr;     // owned as a component; cleared when freed
    bool FTracking = false;
    bool FNativeButtons = false;  // the grid's native look sizes and draws the button
    int FClassicButtonWidth = 0;  // ButtonWidth to go back to when the native look ends
    bool FUndoing = false;  // a change the keystroke rule does not judge (an undo, a list value)
    TPoint FLastMouse{-1, -1};               // where the last button press or double click happened
    TPressWatcher* FPressWatcher = nullptr;  // owned; filters the application while the list shows
};

}  // namespace zk
