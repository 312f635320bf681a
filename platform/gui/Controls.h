// Controls: TControl, TWinControl, TGraphicControl and TCustomControl over Qt widgets, with
// Align/Anchors layout.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Colors.h"
#include "platform/core/Component.h"
#include "platform/core/Cursors.h"
#include "platform/core/Event.h"
#include "platform/core/Font.h"
#include "platform/core/Persistent.h"
#include "platform/core/Set.h"
#include "platform/core/TypInfo.h"
#include "platform/core/Types.h"
#include "platform/gui/Messages.h"

class QEvent;
class QKeyEvent;
class QPaintEvent;
class QWidget;

namespace zk {

class TBasicAction;
class TCanvas;
class TControl;
class TControlActionLink;
class TPopupMenu;
class TWinControl;
class TCustomForm;
class TSizeConstraints;

ZK_ENUM(TAlign, uint8_t, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom)
ZK_ENUM(TAnchorKind, uint8_t, akLeft, akTop, akRight, akBottom)
ZK_SET(TAnchors, TAnchorKind)
ZK_ENUM(TMouseButton, uint8_t, mbLeft, mbRight, mbMiddle)
ZK_ENUM(TShiftStateItem, uint8_t, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble)
ZK_SET(TShiftState, TShiftStateItem)
ZK_ENUM(TBiDiMode, uint8_t, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign,
        bdRightToLeftReadingOnly)
ZK_ENUM(THelpType, uint8_t, htKeyword, htContext)
ZK_ENUM(TDragKind, uint8_t, dkDrag, dkDock)
ZK_ENUM(TDragMode, uint8_t, dmManual, dmAutomatic)
ZK_ENUM(TAlignment, uint8_t, taLeftJustify, taRightJustify, taCenter)
ZK_ENUM(TScrollStyle, uint8_t, ssNone, ssHorizontal, ssVertical, ssBoth)
// Forms use every value; other controls' BorderStyle is the subrange
// bsNone..bsSingle and reports the type name TBorderStyle.
ZK_ENUM(TFormBorderStyle, uint8_t, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow,
        bsSizeToolWin)
const TTypeInfo* TypeInfoTBorderStyle();

ZK_ENUM(TControlStateItem, uint8_t, csLButtonDown, csClicked, csPalette, csReadingState,
        csAlignmentNeeded, csFocusing, csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle,
        csDocking)
ZK_SET(TControlState, TControlStateItem)
ZK_ENUM(TControlStyleItem, uint8_t, csAcceptsControls, csCaptureMouse, csDesignInteractive,
        csClickEvents, csFramed, csSetCaption, csOpaque, csDoubleClicks, csFixedWidth,
        csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents, csDisplayDragImage,
        csReflector, csActionClient, csMenuEvents)
ZK_SET(TControlStyle, TControlStyleItem)

// The anchors each Align value gives a control.
TAnchors AnchorAlign(TAlign Align);

using TCaption = std::string;

ZK_EVENT(TMouseEvent, void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y))
ZK_EVENT(TMouseMoveEvent, void(TObject* Sender, TShiftState Shift, int X, int Y))
ZK_EVENT(TKeyEvent, void(TObject* Sender, uint16_t& Key, TShiftState Shift))
ZK_EVENT(TKeyPressEvent, void(TObject* Sender, char& Key))
ZK_EVENT(TMouseWheelEvent,
         void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled))
ZK_EVENT(TMouseWheelUpDownEvent,
         void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled))

// Virtual key codes, as KeyDown and KeyUp report keys.
inline constexpr uint16_t VK_LBUTTON = 0x01;
inline constexpr uint16_t VK_RBUTTON = 0x02;
inline constexpr uint16_t VK_CANCEL = 0x03;
inline constexpr uint16_t VK_MBUTTON = 0x04;
inline constexpr uint16_t VK_BACK = 0x08;
inline constexpr uint16_t VK_TAB = 0x09;
inline constexpr uint16_t VK_CLEAR = 0x0C;
inline constexpr uint16_t VK_RETURN = 0x0D;
inline constexpr uint16_t VK_SHIFT = 0x10;
inline constexpr uint16_t VK_CONTROL = 0x11;
inline constexpr uint16_t VK_MENU = 0x12;
inline constexpr uint16_t VK_PAUSE = 0x13;
inline constexpr uint16_t VK_CAPITAL = 0x14;
inline constexpr uint16_t VK_ESCAPE = 0x1B;
inline constexpr uint16_t VK_SPACE = 0x20;
inline constexpr uint16_t VK_PRIOR = 0x21;
inline constexpr uint16_t VK_NEXT = 0x22;
inline constexpr uint16_t VK_END = 0x23;
inline constexpr uint16_t VK_HOME = 0x24;
inline constexpr uint16_t VK_LEFT = 0x25;
inline constexpr uint16_t VK_UP = 0x26;
inline constexpr uint16_t VK_RIGHT = 0x27;
inline constexpr uint16_t VK_DOWN = 0x28;
inline constexpr uint16_t VK_SELECT = 0x29;
inline constexpr uint16_t VK_PRINT = 0x2A;
inline constexpr uint16_t VK_EXECUTE = 0x2B;
inline constexpr uint16_t VK_SNAPSHOT = 0x2C;
inline constexpr uint16_t VK_INSERT = 0x2D;
inline constexpr uint16_t VK_DELETE = 0x2E;
inline constexpr uint16_t VK_HELP = 0x2F;
// '0'..'9' and 'A'..'Z' are their own codes.
inline constexpr uint16_t VK_LWIN = 0x5B;
inline constexpr uint16_t VK_RWIN = 0x5C;
inline constexpr uint16_t VK_APPS = 0x5D;
inline constexpr uint16_t VK_NUMPAD0 = 0x60;
inline constexpr uint16_t VK_NUMPAD1 = 0x61;
inline constexpr uint16_t VK_NUMPAD2 = 0x62;
inline constexpr uint16_t VK_NUMPAD3 = 0x63;
inline constexpr uint16_t VK_NUMPAD4 = 0x64;
inline constexpr uint16_t VK_NUMPAD5 = 0x65;
inline constexpr uint16_t VK_NUMPAD6 = 0x66;
inline constexpr uint16_t VK_NUMPAD7 = 0x67;
inline constexpr uint16_t VK_NUMPAD8 = 0x68;
inline constexpr uint16_t VK_NUMPAD9 = 0x69;
inline constexpr uint16_t VK_MULTIPLY = 0x6A;
inline constexpr uint16_t VK_ADD = 0x6B;
inline constexpr uint16_t VK_SEPARATOR = 0x6C;
inline constexpr uint16_t VK_SUBTRACT = 0x6D;
inline constexpr uint16_t VK_DECIMAL = 0x6E;
inline constexpr uint16_t VK_DIVIDE = 0x6F;
inline constexpr uint16_t VK_F1 = 0x70;
inline constexpr uint16_t VK_F2 = 0x71;
inline constexpr uint16_t VK_F3 = 0x72;
inline constexpr uint16_t VK_F4 = 0x73;
inline constexpr uint16_t VK_F5 = 0x74;
inline constexpr uint16_t VK_F6 = 0x75;
inline constexpr uint16_t VK_F7 = 0x76;
inline constexpr uint16_t VK_F8 = 0x77;
inline constexpr uint16_t VK_F9 = 0x78;
inline constexpr uint16_t VK_F10 = 0x79;
inline constexpr uint16_t VK_F11 = 0x7A;
inline constexpr uint16_t VK_F12 = 0x7B;
inline constexpr uint16_t VK_F24 = 0x87;
inline constexpr uint16_t VK_NUMLOCK = 0x90;
inline constexpr uint16_t VK_SCROLL = 0x91;
inline constexpr uint16_t VK_OEM_1 = 0xBA;       // ;:
inline constexpr uint16_t VK_OEM_PLUS = 0xBB;    // =+
inline constexpr uint16_t VK_OEM_COMMA = 0xBC;   // ,<
inline constexpr uint16_t VK_OEM_MINUS = 0xBD;   // -_
inline constexpr uint16_t VK_OEM_PERIOD = 0xBE;  // .>
inline constexpr uint16_t VK_OEM_2 = 0xBF;       // /?
inline constexpr uint16_t VK_OEM_3 = 0xC0;       // `~
inline constexpr uint16_t VK_OEM_4 = 0xDB;       // [{
inline constexpr uint16_t VK_OEM_5 = 0xDC;       // \|
inline constexpr uint16_t VK_OEM_6 = 0xDD;       // ]}
inline constexpr uint16_t VK_OEM_7 = 0xDE;       // '"

// The virtual key of a Qt key code (Qt::Key); 0 for keys without one.
// Keypad digits and operators map to the VK_NUMPADn / VK_ADD... codes.
uint16_t VirtualKeyFromQtKey(int QtKey, bool Keypad);
// The shift state of Qt modifier and button flags (Qt::KeyboardModifiers, Qt::MouseButtons).
TShiftState ShiftStateFromQt(int Modifiers, int Buttons);

// Size limits of a control; 0 means no limit. Setting a minimum above the
// maximum raises the maximum, and the other way round.
class TSizeConstraints : public TPersistent {
    ZK_CLASS(TSizeConstraints, TPersistent)
public:
    // Control owns this object and hears of every change.
    explicit TSizeConstraints(TControl* Control);

    int GetMaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int Value);
    int GetMaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value);
    int GetMinHeight() const { return FMinHeight; }
    void SetMinHeight(int Value);
    int GetMinWidth() const { return FMinWidth; }
    void SetMinWidth(int Value);

    // Clamps a size to the limits.
    void Apply(int& Width, int& Height) const;

    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() const override;
    std::string GetNamePath() const override;

protected:
    // Called after every real change; the control re-applies its bounds.
    virtual void Change();

private:
    TControl* FControl;  // the owning control
    int FMaxHeight = 0;
    int FMaxWidth = 0;
    int FMinHeight = 0;
    int FMinWidth = 0;
};

// Every control, graphic ones included, is backed by one QWidget created with
// it and deleted with it; a windowed control's widget is its window. The
// widget's events reach the control's virtual steps (MouseDown, KeyDown,
// Paint...) inside the exception guard. Geometry comes from the fields
// Left/Top/Width/Height, laid out by the parent's Align/Anchors layout and
// pushed to the widget; Qt layouts are never used.
class TControl : public TComponent {
    ZK_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    // Leaves the parent and releases capture while the control is whole.
    void BeforeDestruction() override;

    // The widget that backs this control; never null while it lives.
    QWidget* GetWidget() const { return FWidget; }
    // The widget holding the client area (the backing widget unless a
    // descendant puts its client area into an inner widget).
    virtual QWidget* GetClientWidget() const { return FWidget; }
    // Receives messages posted to this control; created on first use and
    // deleted with the control, which drops the messages still queued.
    TMessageReceiver* GetMessageReceiver();
    // Sends a message to this control now and returns its result.
    intptr_t Perform(uint32_t Msg, intptr_t WParam = 0, intptr_t LParam = 0);

    TWinControl* GetParent() const { return FParent; }
    // Moves the control into AParent's Controls (null takes it out). Raises
    // EInvalidOperation "A control cannot have itself as its parent" for a
    // cycle.
    virtual void SetParent(TWinControl* AParent);
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;
    void Loaded() override;

    int GetLeft() const { return FLeft; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    int GetTop() const { return FTop; }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    // Moves and sizes the control in its parent's client coordinates; the
    // size is bounded by Constraints. Realigns the parent and, for windowed
    // controls, the children; fires OnResize when the size changed.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect GetBoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
    // The client area in client coordinates (Left and Top are 0).
    virtual TRect GetClientRect() const;
    int GetClientWidth() const { return GetClientRect().Width(); }
    void SetClientWidth(int Value);
    int GetClientHeight() const { return GetClientRect().Height(); }
    void SetClientHeight(int Value);
    // The screen position of the client area's top-left corner.
    TPoint GetClientOrigin() const;
    TPoint ClientToScreen(TPoint P) const;
    TPoint ScreenToClient(TPoint P) const;

    TAlign GetAlign() const { return FAlign; }
    // Also sets Anchors to those of the new Align.
    void SetAlign(TAlign Value);
    TAnchors GetAnchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);
    TSizeConstraints* GetConstraints() const { return FConstraints.get(); }
    void SetConstraints(TSizeConstraints* Value);

    bool GetVisible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so are all parents up to a shown window.
    virtual bool GetShowing() const;
    bool GetEnabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);

    // The control's text: a button's caption, an edit's contents, a form's title.
    std::string GetText() const { return RealGetText(); }
    void SetText(const std::string& Value);
    TCaption GetCaption() const { return GetText(); }
    void SetCaption(const TCaption& Value) { SetText(Value); }

    TColor GetColor() const { return FColor; }
    // Clears ParentColor.
    void SetColor(TColor Value);
    bool GetParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    // The font is owned; SetFont copies Value and clears ParentFont.
    TFont* GetFont() const { return FFont.get(); }
    void SetFont(TFont* Value);
    bool GetParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);

    const std::string& GetHint() const { return FHint; }
    void SetHint(const std::string& Value);
    bool GetShowHint() const { return FShowHint; }
    // Clears ParentShowHint.
    void SetShowHint(bool Value);
    bool GetParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor Value);

    // Shown on a right click (when its AutoPopup is set); its item shortcuts
    // work while this control or one inside it has the focus. Not owned,
    // cleared when freed.
    TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    // The action this control shows and runs on Click: its Caption, Enabled,
    // Hint, Visible, HelpContext (and Checked, ImageIndex where the control
    // publishes them) follow the action. Not owned, cleared when freed.
    TBasicAction* GetAction() const;
    void SetAction(TBasicAction* Value);
    TControlActionLink* GetActionLink() const { return FActionLink.get(); }
    // Runs the action's update (OnUpdate), as the application does when idle.
    void InitiateAction();

    TBiDiMode GetBiDiMode() const { return FBiDiMode; }
    // Clears ParentBiDiMode.
    void SetBiDiMode(TBiDiMode Value);
    bool GetParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool Value);
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
    bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }

    int GetHelpContext() const { return FHelpContext; }
    void SetHelpContext(int Value) { FHelpContext = Value; }
    const std::string& GetHelpKeyword() const { return FHelpKeyword; }
    void SetHelpKeyword(const std::string& Value) { FHelpKeyword = Value; }
    THelpType GetHelpType() const { return FHelpType; }
    void SetHelpType(THelpType Value) { FHelpType = Value; }
    TDragKind GetDragKind() const { return FDragKind; }
    void SetDragKind(TDragKind Value) { FDragKind = Value; }
    TDragMode GetDragMode() const { return FDragMode; }
    void SetDragMode(TDragMode Value) { FDragMode = Value; }

    TControlState GetControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }
    TControlStyle GetControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value);

    // Mouse capture through the application's capture holder.
    bool GetMouseCapture() const;
    void SetMouseCapture(bool Value);

    // Schedules a repaint; Repaint paints now; Update paints what is pending.
    virtual void Invalidate();
    virtual void Repaint();
    void Update();
    void Refresh() { Repaint(); }
    // Moves the control to the top or bottom of its siblings' z-order and of
    // its parent's Controls; graphic controls stay below windowed ones.
    void BringToFront();
    void SendToBack();

    const TNotifyEvent& GetOnClick() const { return FOnClick; }
    void SetOnClick(const TNotifyEvent& Value) { FOnClick = Value; }
    const TNotifyEvent& GetOnDblClick() const { return FOnDblClick; }
    void SetOnDblClick(const TNotifyEvent& Value) { FOnDblClick = Value; }
    const TMouseEvent& GetOnMouseDown() const { return FOnMouseDown; }
    void SetOnMouseDown(const TMouseEvent& Value) { FOnMouseDown = Value; }
    const TMouseMoveEvent& GetOnMouseMove() const { return FOnMouseMove; }
    void SetOnMouseMove(const TMouseMoveEvent& Value) { FOnMouseMove = Value; }
    const TMouseEvent& GetOnMouseUp() const { return FOnMouseUp; }
    void SetOnMouseUp(const TMouseEvent& Value) { FOnMouseUp = Value; }
    const TNotifyEvent& GetOnResize() const { return FOnResize; }
    void SetOnResize(const TNotifyEvent& Value) { FOnResize = Value; }
    const TMouseWheelEvent& GetOnMouseWheel() const { return FOnMouseWheel; }
    void SetOnMouseWheel(const TMouseWheelEvent& Value) { FOnMouseWheel = Value; }
    const TMouseWheelUpDownEvent& GetOnMouseWheelDown() const { return FOnMouseWheelDown; }
    void SetOnMouseWheelDown(const TMouseWheelUpDownEvent& Value) { FOnMouseWheelDown = Value; }
    const TMouseWheelUpDownEvent& GetOnMouseWheelUp() const { return FOnMouseWheelUp; }
    void SetOnMouseWheelUp(const TMouseWheelUpDownEvent& Value) { FOnMouseWheelUp = Value; }

    // The stored conditions of the inherited-from-parent properties.
    bool IsColorStored() const { return !FParentColor; }
    bool IsFontStored() const { return !FParentFont; }
    bool IsShowHintStored() const { return !FParentShowHint; }
    bool IsBiDiModeStored() const { return !FParentBiDiMode; }
    bool IsAnchorsStored() const { return !(FAnchors == AnchorAlign(FAlign)); }
    // Properties that come from the action are not stored.
    bool IsCaptionStored() const;
    bool IsEnabledStored() const;
    bool IsHelpContextStored() const;
    bool IsHintStored() const;
    bool IsVisibleStored() const;
    bool IsOnClickStored() const;

    // True for controls whose widget is a window of its own (forms, hint and
    // pop-up windows); their Left/Top are screen coordinates.
    virtual bool IsTopLevel() const { return false; }

protected:
    // Descendants pass the widget that backs them, made with
    // MakeControlWidget<QtClass>(this) (Controls_p.h); the control owns it.
    TControl(TComponent* AOwner, QWidget* Widget);

    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The action was set: take over its properties (with CheckDefaults, as
    // while loading, only those still at their defaults). Later changes come
    // property by property through the link.
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    // The link SetAction makes; descendants link more of their properties.
    virtual TControlActionLink* CreateActionLink();

    // The control's steps, each firing its event. Click runs on a left
    // button release over a control that was pressed (with csClickEvents);
    // it runs OnClick, or the action when OnClick is not assigned or is the
    // action's own handler. DblClick runs on a double click, before the
    // MouseDown that carries ssDouble.
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    // Fires OnMouseWheel, then OnMouseWheelDown/Up; true when handled.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    // After the size changed (not while loading); fires OnResize.
    virtual void Resize();

    // Notifications, reached through their CM_ messages so that descendants
    // may also register handlers for the message numbers.
    virtual void FontChanged();     // CM_FONTCHANGED: Font changed
    virtual void ColorChanged();    // CM_COLORCHANGED
    virtual void TextChanged();     // CM_TEXTCHANGED
    virtual void EnabledChanged();  // CM_ENABLEDCHANGED
    virtual void VisibleChanged();  // CM_VISIBLECHANGED
    virtual void MouseEnter();      // CM_MOUSEENTER
    virtual void MouseLeave();      // CM_MOUSELEAVE
    void CMFontChanged(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMParentColorChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

    // Text storage; a descendant whose widget holds the text overrides both.
    virtual std::string RealGetText() const { return FText; }
    virtual void RealSetText(const std::string& Value);

    // Asks the parent to lay out its children again.
    void RequestAlign();
    // Re-reads this control's anchor distances from its bounds and the
    // parent's client size; the layout keeps them on later resizes.
    void UpdateAnchorRules();
    void ComputeAnchorRules();
    // Re-applies the bounds, as when something the size depends on changed.
    virtual void AdjustSize();
    // Pushes Left/Top/Width/Height to the widget.
    virtual void UpdateWidgetGeometry();
    // Pushes Color and Font.Color to the widget's palette.
    virtual void UpdateWidgetPalette();
    void UpdateWidgetFont();
    // Shows or hides the widget as Visible and the parent say.
    virtual void UpdateWidgetVisibility();
    void UpdateToolTip();
    // The offset of the client area inside the widget (a border drawn around it).
    virtual TPoint GetClientOffset() const { return {0, 0}; }

    // Qt events of the widget, called inside the exception guard. Return
    // true when the event is consumed. Overrides call the inherited version.
    virtual bool HandleWidgetEvent(QEvent* E);
    // Key events; Replacement may receive a changed copy for the widget.
    virtual bool HandleKeyEvent(QKeyEvent* E, std::unique_ptr<QKeyEvent>& Replacement);
    // Paints with Device as the paint device; false lets the widget paint itself.
    virtual bool PaintWidget(QPaintEvent* E, QWidget* Device);

    void ParentShowHintChanged();
    void ParentBiDiModeChanged();

    TControlState FControlState;
    TControlStyle FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};

private:
    friend class TWinControl;
    friend class TWidgetEvents;
    friend class TSizeConstraints;
    void InitWidget();
    void FontChange(TObject* Sender);
    void ConstraintsChanged();
    bool HandleMouseEvent(QEvent* E);
    void DispatchMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y, bool Double);
    void DispatchMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    bool HandleWheel(QEvent* E);
    bool ShowPopupMenu(QEvent* E);

    QWidget* FWidget = nullptr;  // owned; detached from this control before it is deleted
    std::unique_ptr<TMessageReceiver> FReceiver;
    TWinControl* FParent = nullptr;  // the parent lists this control in its Controls
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors = {akLeft, akTop};
    TPoint FAnchorRules;
    TPoint FOriginalParentSize;  // (0, 0): no anchor rules recorded
    bool FAnchorMove = false;
    bool FAnchorRulesLoaded = false;  // taken from the loaded design; Loaded keeps them
    int FWheelAccumulator = 0;
    TOwned<TSizeConstraints> FConstraints;
    bool FVisible = true;
    bool FEnabled = true;
    std::string FText;
    TColor FColor = clWindow;
    bool FParentColor = true;
    TOwned<TFont> FFont;
    bool FParentFont = true;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TPopupMenu* FPopupMenu = nullptr;                 // not owned; free-notified
    std::unique_ptr<TControlActionLink> FActionLink;  // links to the action, which is free-notified
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    int FHelpContext = 0;
    std::string FHelpKeyword;
    THelpType FHelpType = htContext;
    TDragKind FDragKind = dkDrag;
    TDragMode FDragMode = dmManual;
    TNotifyEvent FOnClick;
    TNotifyEvent FOnDblClick;
    TMouseEvent FOnMouseDown;
    TMouseMoveEvent FOnMouseMove;
    TMouseEvent FOnMouseUp;
    TNotifyEvent FOnResize;
    TMouseWheelEvent FOnMouseWheel;
    TMouseWheelUpDownEvent FOnMouseWheelDown;
    TMouseWheelUpDownEvent FOnMouseWheelUp;
};

// Posts a message to Control's receiver; it runs later from the event loop.
void PostMessage(TControl* Control, uint32_t Msg, intptr_t WParam = 0, intptr_t LParam = 0);

// The control whose widget is Widget or contains it; null when none.
TControl* FindControl(QWidget* Widget);

// A control that can hold other controls, take the keyboard focus and sit in
// a tab order. Its window counts as created (HandleAllocated) once it is
// first shown or HandleNeeded is called; CreateWnd runs at that moment.
class TWinControl : public TControl {
    ZK_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    // Frees the child controls (even those owned elsewhere), then leaves the parent.
    void BeforeDestruction() override;

    // Graphic controls first, then windowed ones, each in z-order.
    int GetControlCount() const;
    TControl* GetControl(int Index) const;  // EListError "List index out of bounds (%d)"
    bool ContainsControl(const TControl* Control) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    // The child (or nested child when AllLevels) under Pos; null when none.
    TControl* ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllLevels = false) const;
    void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

    // Layout brackets: while disabled, layout requests are remembered and
    // done once when the last bracket closes.
    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    void Realign() { AlignControl(nullptr); }
    // Lays out the children; AControl (when not null) takes precedence over
    // siblings at the same place.
    void AlignControl(TControl* AControl);

    bool GetShowing() const override { return FShowing; }
    void SetVisible(bool Value) override;

    bool HandleAllocated() const { return FHandleAllocated; }
    void HandleNeeded();
    // The widget, after creating the window when needed.
    QWidget* GetHandle();

    // Focus. CanFocus: the control and its parents are visible and enabled
    // inside a form. SetFocus raises EInvalidOperation "Cannot focus a
    // disabled or invisible window" otherwise.
    virtual bool CanFocus() const;
    virtual void SetFocus();
    virtual bool Focused() const;
    int GetTabOrder() const;
    void SetTabOrder(int Value);
    bool GetTabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    // Windowed descendants in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& List) const;
    // The next (or previous) control of the tab order after CurControl that
    // can take the focus; with CheckTabStop only TabStop controls.
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                 bool CheckParent) const;
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    void SelectFirst();
    // Enter or Escape that the focused control left to its form: offered to
    // every windowed child (a default or cancel button) until one takes it.
    virtual bool DialogKey(uint16_t Key, TShiftState Shift);

    bool GetCtl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    bool GetParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool Value);
    bool IsCtl3DStored() const { return !FParentCtl3D; }

    const TNotifyEvent& GetOnEnter() const { return FOnEnter; }
    void SetOnEnter(const TNotifyEvent& Value) { FOnEnter = Value; }
    const TNotifyEvent& GetOnExit() const { return FOnExit; }
    void SetOnExit(const TNotifyEvent& Value) { FOnExit = Value; }
    const TKeyEvent& GetOnKeyDown() const { return FOnKeyDown; }
    void SetOnKeyDown(const TKeyEvent& Value) { FOnKeyDown = Value; }
    const TKeyPressEvent& GetOnKeyPress() const { return FOnKeyPress; }
    void SetOnKeyPress(const TKeyPressEvent& Value) { FOnKeyPress = Value; }
    const TKeyEvent& GetOnKeyUp() const { return FOnKeyUp; }
    void SetOnKeyUp(const TKeyEvent& Value) { FOnKeyUp = Value; }

    void Loaded() override;

protected:
    TWinControl(TComponent* AOwner, QWidget* Widget);

    // Called once when the window comes into being; overrides call the inherited one first.
    virtual void CreateWnd();
    // Called when the window goes away (ReleaseHandle-style); overrides call the inherited one
    // last.
    virtual void DestroyWnd();
    void CreateHandle();
    void DestroyHandle();

    // Key steps. KeyDown and KeyUp may set Key to 0, KeyPress may set Key to
    // #0 or change it, to keep the key from the control.
    virtual void KeyDown(uint16_t& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    virtual void KeyUp(uint16_t& Key, TShiftState Shift);
    // The control wants Key (Tab, Enter, Escape, arrows) for itself rather than
    // leaving it to the form's dialog keys.
    virtual bool WantsKey(uint16_t Key, TShiftState Shift) const;
    // Focus arrives at or leaves this control (or a control inside it); fire OnEnter/OnExit.
    virtual void DoEnter();
    virtual void DoExit();
    // Showing changed (CM_SHOWINGCHANGED).
    virtual void ShowingChanged();
    void CMShowingChanged(TMessage& Message);
    // Whether a click gives this control the focus even without TabStop.
    virtual bool FocusesOnClick() const { return false; }

    // The layout: aligned children in the order top, bottom, left, right,
    // client, custom, then anchored ones. Rect shrinks as aligned children take their places.
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    // The part of the client area that aligned children share.
    virtual void AdjustClientRect(TRect& Rect) const;
    // Recomputes Showing from Visible and the parent, creating the window
    // when it first shows, and tells the children.
    void UpdateShowing();
    // Whether a window of its own (IsTopLevel) may show now that it is Visible.
    virtual bool TopLevelMayShow() const;
    // Ctl3D changed; the base repaints.
    virtual void Ctl3DChanged();
    void NotifyControls(uint32_t Msg);
    void UpdateFocusPolicy();
    // Rebuilds Qt's tab chain of the form from the tab order.
    void UpdateTabChain();

    void FontChanged() override;
    void ColorChanged() override;
    void UpdateWidgetVisibility() override;
    bool HandleWidgetEvent(QEvent* E) override;
    bool HandleKeyEvent(QKeyEvent* E, std::unique_ptr<QKeyEvent>& Replacement) override;

private:
    friend class TControl;
    friend class TCustomForm;
    friend class TWidgetEvents;
    void InitWinControl();
    void DoAlign(TAlign AAlign, TControl* AControl, TRect& Rect);
    void DoPosition(TControl* AControl, TAlign AAlign, TRect& Rect);
    void DoAnchors(TControl* AControl);
    bool AlignWork() const;
    void ComputeLoadedAnchorRules();
    void FixupTabList();
    void UpdateTabOrder(int Value);
    void ParentCtl3DChanged();
    void StackGraphicControl(TControl* AControl);
    bool HandleKeyPress(QKeyEvent* E, std::unique_ptr<QKeyEvent>& Replacement);
    // The pop-up menus of this control and its parents, then the form, take shortcuts first.
    bool IsMenuKey(uint16_t Key, TShiftState Shift);
    bool HandleKeyRelease(QKeyEvent* E);
    bool DoKeyDownSteps(uint16_t& Key, TShiftState Shift);
    bool DoKeyPressSteps(char& Key);

    std::vector<TControl*> FControls;        // graphic children, not owned by the list
    std::vector<TWinControl*> FWinControls;  // windowed children, not owned by the list
    std::vector<TWinControl*> FTabList;      // windowed children in tab order
    int FAlignLevel = 0;
    int FTabOrder = -1;  // as read from a stream, until the parent fixes its tab list
    bool FTabStop = false;
    bool FShowing = false;
    bool FHandleAllocated = false;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    TNotifyEvent FOnEnter;
    TNotifyEvent FOnExit;
    TKeyEvent FOnKeyDown;
    TKeyPressEvent FOnKeyPress;
    TKeyEvent FOnKeyUp;
};

// A control without a window of its own in the framework's sense (a label):
// it never takes the focus and paints itself with Canvas in Paint.
class TGraphicControl : public TControl {
    ZK_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    TCanvas* GetCanvas() const { return FCanvas.get(); }

protected:
    // A graphic control backed by a Qt widget that draws itself (a tool button).
    TGraphicControl(TComponent* AOwner, QWidget* Widget);
    // Draws the control on Canvas; called while a paint event is handled.
    virtual void Paint() {}
    bool PaintWidget(QPaintEvent* E, QWidget* Device) override;

private:
    TOwned<TCanvas> FCanvas;
    bool FRepaintPending = false;  // the whole control waits for a paint
};

// A windowed control that paints itself with Canvas in Paint.
class TCustomControl : public TWinControl {
    ZK_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* GetCanvas() const { return FCanvas.get(); }
    // A repaint of the whole control that is already waiting is not asked for again.
    void Invalidate() override;

protected:
    TCustomControl(TComponent* AOwner, QWidget* Widget);
    // Draws the client area on Canvas, in client coordinates.
    virtual void Paint() {}
    // Draws what lies around the client area (a border), in widget coordinates.
    virtual void PaintBorder() {}
    bool PaintWidget(QPaintEvent* E, QWidget* Device) override;
    void SetControlStyleOpaque(bool Opaque);

private:
    TOwned<TCanvas> FCanvas;
    bool FRepaintPending = false;  // the whole control waits for a paint
};

}  // namespace zk
