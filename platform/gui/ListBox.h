// List boxes: TCustomListBox and TListBox, owner-drawn rows of text with a vertical scroll bar.
#pragma once
#include <cstdint>
#include <string>

#include "platform/core/StringList.h"
#include "platform/gui/Controls.h"

class QScrollBar;

namespace zk {

ZK_ENUM(TListBoxStyle, uint8_t, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual,
        lbVirtualOwnerDraw)
ZK_ENUM(TOwnerDrawStateItem, uint8_t, odSelected, odGrayed, odDisabled, odChecked, odFocused,
        odDefault, odHotLight, odInactive, odNoAccel, odNoFocusRect, odReserved1, odReserved2,
        odComboBoxEdit)
ZK_SET(TOwnerDrawState, TOwnerDrawStateItem)

ZK_EVENT(TDrawItemEvent, void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State))

class TListBoxStrings;

// Rows of Items, one ItemHeight each, from TopIndex down. The client area
// lies inside the border and left of the scroll bar, which shows when the
// items do not fit. Selecting a row by mouse or keyboard fires OnClick;
// setting ItemIndex in code does not. Rows outside Items report -1.
class TCustomListBox : public TCustomControl {
    ZK_CLASS(TCustomListBox, TCustomControl)
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    // Owned; changes to the lines show at once. SetItems copies Value.
    TStrings* GetItems() const;
    void SetItems(TStrings* Value);
    int GetCount() const;
    void Clear();

    // -1 when nothing is selected; setting scrolls the row into view.
    int GetItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    int GetTopIndex() const { return FTopIndex; }
    void SetTopIndex(int Value);
    // lbStandard rows take the font's line height; owner-drawn ones this value.
    int GetItemHeight() const;
    void SetItemHeight(int Value);
    // The height snaps down to whole rows.
    bool GetIntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool Value);
    bool GetSorted() const;
    void SetSorted(bool Value);
    TListBoxStyle GetStyle() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);
    TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    bool IsItemHeightStored() const { return FStyle != lbStandard; }

    // The row at Pos (client coordinates). Below the last row: -1 when
    // Existing, else Count. Outside the client area: -1.
    int ItemAtPos(TPoint Pos, bool Existing) const;
    // The row's rectangle in client coordinates (it may lie outside the client area).
    TRect ItemRect(int Index) const;
    // Whole rows that fit in the client area.
    int GetVisibleRows() const;

    TRect GetClientRect() const override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    const TDrawItemEvent& GetOnDrawItem() const { return FOnDrawItem; }
    void SetOnDrawItem(const TDrawItemEvent& Value) { FOnDrawItem = Value; }

protected:
    // Owner-drawn styles: fires OnDrawItem, or draws the text when none is assigned.
    virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
    void DefaultDrawItem(int Index, const TRect& Rect);
    // Called after any change of Items.
    virtual void ItemsChanged();

    void Paint() override;
    void PaintBorder() override;
    TPoint GetClientOffset() const override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    bool FocusesOnClick() const override { return true; }
    void FontChanged() override;
    void Ctl3DChanged() override;
    void Loaded() override;
    // Selects Index as the user did: fires OnClick when the selection changed.
    void SelectByUser(int Index);

private:
    friend class TListBoxStrings;
    int BorderWidth() const;
    bool ScrollBarNeeded() const;
    void UpdateScrollBar();
    void LayoutChanged();
    void MakeVisible(int Index);

    TOwned<TListBoxStrings> FItems;
    QScrollBar* FScrollBar = nullptr;  // a child of the widget, deleted with it
    int FItemIndex = -1;
    int FTopIndex = 0;
    int FItemHeight = 16;
    bool FIntegralHeight = false;
    TListBoxStyle FStyle = lbStandard;
    TFormBorderStyle FBorderStyle = bsSingle;
    bool FSyncingScrollBar = false;
    TDrawItemEvent FOnDrawItem;
};

class TListBox : public TCustomListBox {
    ZK_CLASS(TListBox, TCustomListBox)
public:
    explicit TListBox(TComponent* AOwner);
};

}  // namespace zk
