// Extra controls: TPanel, a bevelled container with a centred caption; TBevel, a drawn frame or
// line; TSplitter, the bar that resizes the control beside it.
#pragma once
#include <cstdint>

#include "platform/gui/Controls.h"

class QRubberBand;

namespace zk {

ZK_ENUM(TBevelCut, uint8_t, bvNone, bvLowered, bvRaised, bvSpace)

// Bevels and borders take their width off every side of the area that
// aligned children share.
class TCustomPanel : public TCustomControl {
    ZK_CLASS(TCustomPanel, TCustomControl)
public:
    explicit TCustomPanel(TComponent* AOwner);

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TBevelCut GetBevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut GetBevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    int GetBevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);
    int GetBorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    // bsSingle adds a sunken edge (a flat line without Ctl3D).
    TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);

protected:
    void Paint() override;
    void AdjustClientRect(TRect& Rect) const override;
    void Ctl3DChanged() override;

private:
    int BorderStyleWidth() const;
    void Changed();
    void DrawBevel(TRect& R, TBevelCut Bevel);

    TAlignment FAlignment = taCenter;
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TFormBorderStyle FBorderStyle = bsNone;
};

class TPanel : public TCustomPanel {
    ZK_CLASS(TPanel, TCustomPanel)
public:
    explicit TPanel(TComponent* AOwner);
};

ZK_ENUM(TBevelStyle, uint8_t, bsLowered, bsRaised)
ZK_ENUM(TBevelShape, uint8_t, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine,
        bsSpacer)

// A lowered or raised frame or line in the highlight and shadow colours;
// the rest of it is see-through.
class TBevel : public TGraphicControl {
    ZK_CLASS(TBevel, TGraphicControl)
public:
    explicit TBevel(TComponent* AOwner);

    TBevelShape GetShape() const { return FShape; }
    void SetShape(TBevelShape Value);
    TBevelStyle GetStyle() const { return FStyle; }
    void SetStyle(TBevelStyle Value);

protected:
    void Paint() override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};

ZK_ENUM(TResizeStyle, uint8_t, rsNone, rsLine, rsUpdate, rsPattern)
ZK_EVENT(TCanResizeEvent, void(TObject* Sender, int& NewSize, bool& Accept))

// A bar aligned beside another aligned control; dragging it resizes that
// control (the one just before it in the bar's direction). The size stays
// between MinSize and what leaves the other controls of the same direction
// MinSize too; with AutoSnap a size dragged below half of MinSize becomes 0.
// rsUpdate resizes while dragging; rsLine and rsPattern show a line and
// resize on release. OnMoved follows every resize.
class TSplitter : public TGraphicControl {
    ZK_CLASS(TSplitter, TGraphicControl)
public:
    explicit TSplitter(TComponent* AOwner);
    ~TSplitter() override;

    bool GetAutoSnap() const { return FAutoSnap; }
    void SetAutoSnap(bool Value) { FAutoSnap = Value; }
    bool GetBeveled() const { return FBeveled; }
    void SetBeveled(bool Value);
    int GetMinSize() const { return FMinSize; }
    void SetMinSize(int Value) { FMinSize = Value < 1 ? 1 : Value; }
    TResizeStyle GetResizeStyle() const { return FResizeStyle; }
    void SetResizeStyle(TResizeStyle Value) { FResizeStyle = Value; }
    // The control the bar resizes; null when none is beside it.
    TControl* FindResizeControl() const;

    const TCanResizeEvent& GetOnCanResize() const { return FOnCanResize; }
    void SetOnCanResize(const TCanResizeEvent& Value) { FOnCanResize = Value; }
    const TNotifyEvent& GetOnMoved() const { return FOnMoved; }
    void SetOnMoved(const TNotifyEvent& Value) { FOnMoved = Value; }
    const TNotifyEvent& GetOnPaint() const { return FOnPaint; }
    void SetOnPaint(const TNotifyEvent& Value) { FOnPaint = Value; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    virtual bool CanResize(int& NewSize);
    virtual void StopSizing();

private:
    bool Horizontal() const { return GetAlign() == alLeft || GetAlign() == alRight; }
    int CurrentSize() const;
    int NewSizeAt(int X, int Y) const;
    void ApplySize(int Size);
    void ShowLine(int Size);
    void UpdateCursor();

    bool FAutoSnap = true;
    bool FBeveled = false;
    int FMinSize = 30;
    TResizeStyle FResizeStyle = rsPattern;
    bool FDragging = false;
    TPoint FDownPos;
    int FMaxSize = 0;
    int FNewSize = 0;
    QRubberBand* FLine = nullptr;  // a child of the parent's widget while dragging
    TCanResizeEvent FOnCanResize;
    TNotifyEvent FOnMoved;
    TNotifyEvent FOnPaint;
};

}  // namespace zk
