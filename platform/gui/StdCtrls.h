// Standard controls: TLabel, TEdit (over QLineEdit) and TButton (over QPushButton); list boxes come
// with ListBox.h.
#pragma once
#include <cstdint>
#include <string>

#include "platform/core/ModalResult.h"
#include "platform/gui/Controls.h"
#include "platform/gui/ListBox.h"

class QLineEdit;
class QPushButton;

namespace zk {

ZK_ENUM(TTextLayout, uint8_t, tlTop, tlCenter, tlBottom)
ZK_ENUM(TEditCharCase, uint8_t, ecNormal, ecUpperCase, ecLowerCase)

// Text on its parent's surface. With AutoSize the label takes the size of
// its text (keeping its width when WordWrap is set); a '&' underlines the
// next character unless ShowAccelChar is off.
class TLabel : public TGraphicControl {
    ZK_CLASS(TLabel, TGraphicControl)
public:
    explicit TLabel(TComponent* AOwner);

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TTextLayout GetLayout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool GetWordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool GetShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    // Not owned; cleared when it is freed.
    TWinControl* GetFocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

protected:
    void Paint() override;
    void Loaded() override;
    void TextChanged() override;
    void FontChanged() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Draws (or with DT_CALCRECT measures) the caption in R with the label's font.
    void DoDrawText(TRect& R, unsigned Flags);
    // Fits the bounds to the text when AutoSize is set.
    virtual void AdjustBounds();

private:
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;  // not owned; free-notified
};

// A single-line text editor. Text, selection and flags live in the QLineEdit;
// positions count bytes, which equal characters for ASCII text.
class TCustomEdit : public TWinControl {
    ZK_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* AOwner);

    QLineEdit* GetLineEdit() const;

    bool GetAutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    // bsSingle draws the edit's frame, bsNone none.
    TFormBorderStyle GetBorderStyle() const;
    void SetBorderStyle(TFormBorderStyle Value);
    TEditCharCase GetCharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    // 0: no limit.
    int GetMaxLength() const;
    void SetMaxLength(int Value);
    // #0: the text shows; anything else hides it.
    char GetPasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char Value);
    bool GetReadOnly() const;
    void SetReadOnly(bool Value);
    bool GetModified() const;
    void SetModified(bool Value);

    int GetSelStart() const;
    // Puts the caret at Value and clears the selection.
    void SetSelStart(int Value);
    int GetSelLength() const;
    // Selects from SelStart.
    void SetSelLength(int Value);
    std::string GetSelText() const;
    // Replaces the selection.
    void SetSelText(const std::string& Value);
    void SelectAll();
    void ClearSelection();
    void Clear();

    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }

protected:
    // After every change of the text, by the user or by code (not while loading); fires OnChange.
    virtual void Change();
    void DoEnter() override;
    void KeyPress(char& Key) override;
    void FontChanged() override;
    void Loaded() override;
    bool FocusesOnClick() const override { return true; }
    bool HandleWidgetEvent(QEvent* E) override;
    std::string RealGetText() const override;
    void RealSetText(const std::string& Value) override;
    // Height from the font, as an edit with AutoSize has it.
    void AdjustHeight();

private:
    std::string ApplyCharCase(const std::string& S) const;

    bool FAutoSelect = true;
    bool FAutoSize = true;
    TEditCharCase FCharCase = ecNormal;
    char FPasswordChar = 0;
    bool FMouseFocus = false;  // the last focus came from a click, which keeps the caret
    TNotifyEvent FOnChange;
};

class TEdit : public TCustomEdit {
    ZK_CLASS(TEdit, TCustomEdit)
public:
    explicit TEdit(TComponent* AOwner);
};

// A push button. Clicking sets the parent form's ModalResult to the
// button's; a Default button takes Enter and a Cancel button Escape on its form.
class TButton : public TWinControl {
    ZK_CLASS(TButton, TWinControl)
public:
    explicit TButton(TComponent* AOwner);

    QPushButton* GetPushButton() const;

    // Sets the form's ModalResult, then fires OnClick.
    void Click() override;
    bool GetCancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    bool GetDefault() const { return FDefault; }
    void SetDefault(bool Value);
    TModalResult GetModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }

    bool DialogKey(uint16_t Key, TShiftState Shift) override;

protected:
    bool FocusesOnClick() const override { return true; }
    std::string RealGetText() const override;
    void RealSetText(const std::string& Value) override;

private:
    bool FCancel = false;
    bool FDefault = false;
    TModalResult FModalResult = mrNone;
};

}  // namespace zk
