// The masked edit: TCustomMaskEdit (the base of the grid's cell editor) and the TMaskEdit control.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/Cursors.h"
#include "platform/core/TypInfo.h"
#include "platform/core/Types.h"
#include "platform/gui/MaskEngine.h"
#include "platform/gui/StdCtrls.h"

class QKeyEvent;
class QWidget;

namespace zk {

class TCanvas;

// Keyboard messages as a masked edit's WndProc sees them: WParam is the
// virtual key, LParam the TShiftState bits.
inline constexpr uint32_t WM_KEYDOWN = 0x0100;
inline constexpr uint32_t WM_KEYUP = 0x0101;
inline constexpr uint32_t WM_SYSKEYDOWN = 0x0104;

// "TMaskedText", the string type of a masked edit's Text.
const TTypeInfo* TypeInfoTMaskedText();

// A single-line edit whose typing is restricted by an edit mask (MaskEngine.h).
// EditText is what the widget shows (literals in place, the blank character
// where nothing is entered); Text is what is saved (StripText). Without a
// mask it is a plain edit and both are the same.
//
// Every message sent to the control and every key event of its widget pass
// through the virtual WndProc first. PaintWindow paints over the edit after
// the line edit painted itself; SetEditRect keeps the text out of the part a
// descendant paints there.
class TCustomMaskEdit : public TCustomEdit {
    ZK_CLASS(TCustomMaskEdit, TCustomEdit)
public:
    explicit TCustomMaskEdit(TComponent* AOwner);
    ~TCustomMaskEdit() override;

    const std::string& GetEditMask() const { return FMask.GetMask(); }
    // Reformats the current text for the new mask.
    void SetEditMask(const std::string& Value);
    bool IsMasked() const { return !FMask.IsEmpty(); }
    const TEditMask& GetMask() const { return FMask; }
    // The text as shown; setting it also makes it the text Reset goes back to.
    std::string GetEditText() const;
    void SetEditText(const std::string& Value);

    // Raises EDBEditError "Invalid input value" when the text was modified
    // and a required position is empty, putting the caret there.
    virtual void ValidateEdit();
    // Back to the text of the last programmatic set or of entering the
    // control, when the text was modified.
    void Reset();
    // Takes back the last change of the text (a second Undo redoes it), with
    // the selection the text had before that change.
    void Undo();
    bool CanUndo() const;
    // Replaces the whole text as typing would: it can be undone and marks the edit modified.
    void ReplaceText(const std::string& Value);
    // The text as it is becomes the one Reset goes back to; the edit counts as unmodified.
    void KeepText();

    // The part of the control the text is laid out in (control coordinates);
    // the whole control unless set.
    TRect GetEditRect() const;
    void SetEditRect(const TRect& R);
    TCanvas* GetCanvas() const { return FCanvas.get(); }

    void Dispatch(TMessage& Message) override;

protected:
    // Sees every message first: keyboard messages (WM_KEYDOWN, WM_SYSKEYDOWN,
    // WM_KEYUP) made from the widget's key events and everything sent to the
    // control. A key message whose Result is non-zero is consumed. The base
    // runs the key steps (KeyDown, KeyPress, KeyUp) or dispatches to the
    // message handlers.
    virtual void WndProc(TMessage& Message);
    // Paints over the edit in control coordinates, after the text was drawn.
    virtual void PaintWindow(TCanvas* Canvas);
    // The cursor shape over a point; crDefault leaves the edit's own.
    virtual TCursor CursorAt(int X, int Y);
    // CM_CANCELMODE: capture was taken away; Sender (LParam) is the control
    // that takes over, when known.
    virtual void CancelMode(TObject* Sender);
    // Whether typing may change the text.
    virtual bool EditCanModify() const;
    // The widget's key event behind the key message WndProc is looking at,
    // until the base WndProc consumed it; null for messages sent by code.
    QKeyEvent* GetPendingKeyEvent() const { return FPendingKey.Event; }

    void Change() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void DoEnter() override;
    void DoExit() override;
    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    bool HandleKeyEvent(QKeyEvent* E, std::unique_ptr<QKeyEvent>& Replacement) override;
    bool HandleWidgetEvent(QEvent* E) override;
    std::string RealGetText() const override;
    void RealSetText(const std::string& Value) override;
    void CMCancelMode(TMessage& Message);

private:
    class TOverlay;
    friend class TOverlay;
    struct TPendingKey {
        QKeyEvent* Event = nullptr;
        std::unique_ptr<QKeyEvent>* Replacement = nullptr;
    };

    void PaintOverlay(QWidget* Device);
    void ApplyEditRect();
    void SetWidgetText(const std::string& Value, bool Programmatic);
    void ApplyMaskedEdit(const std::string& NewText, int Cursor);
    void TypeMaskedChar(char Key);
    void DeleteMaskedKeys(uint16_t Key);
    void PasteMasked();
    void CutMasked();
    void SelectionRange(int& Start, int& Length) const;
    void UpdateMaskedWidget();

    TEditMask FMask;
    std::string FOldValue;      // the edit text Reset goes back to
    std::string FLastText;      // the edit text after the last change
    std::string FUndoText;      // the edit text before it
    struct TSel {
        int Start = -1;  // -1: the caret at the end
        int Length = 0;
    };
    TSel FUndoSel;              // the selection of FUndoText
    TSel FKeySel;               // the selection when the last key arrived
    std::string FKeyText;       // the edit text then
    bool FSettingText = false;  // a programmatic set is running
    bool FHasEditRect = false;
    TRect FEditRect;
    TOwned<TCanvas> FCanvas;
    TOverlay* FOverlay = nullptr;  // child widget of the line edit, deleted with it
    TPendingKey FPendingKey;       // the key event WndProc is looking at
};

// TCustomMaskEdit with its properties published.
class TMaskEdit : public TCustomMaskEdit {
    ZK_CLASS(TMaskEdit, TCustomMaskEdit)
public:
    explicit TMaskEdit(TComponent* AOwner);
};

}  // namespace zk
