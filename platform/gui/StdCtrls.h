// Standard controls: TLabel, TEdit (over QLineEdit), TMemo (QPlainTextEdit), TButton
// (QPushButton), TCheckBox, TRadioButton, TComboBox and TGroupBox; list boxes come with ListBox.h.
#pragma once
#include <cstdint>
#include <string>

#include "platform/core/ModalResult.h"
#include "platform/gui/Controls.h"
#include "platform/gui/ListBox.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace zk {

ZK_ENUM(TTextLayout, uint8_t, tlTop, tlCenter, tlBottom)
ZK_ENUM(TEditCharCase, uint8_t, ecNormal, ecUpperCase, ecLowerCase)
ZK_ENUM(TCheckBoxState, uint8_t, cbUnchecked, cbChecked, cbGrayed)
ZK_ENUM(TComboBoxStyle, uint8_t, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed,
        csOwnerDrawVariable)
// The side of its box a check box or radio button puts its caption on:
// taLeftJustify..taRightJustify of TAlignment, reported as type TLeftRight.
const TTypeInfo* TypeInfoTLeftRight();

class TMemoStrings;
class TComboBoxStrings;

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
    // Grey text shown while the edit is empty.
    std::string GetTextHint() const;
    void SetTextHint(const std::string& Value);
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

// A multi-line text editor over QPlainTextEdit. Lines is a TStrings whose
// every read and write goes to the widget's document; Text separates lines
// with CR LF. OnChange fires only when the text really changed, by the user
// or by code.
class TCustomMemo : public TWinControl {
    ZK_CLASS(TCustomMemo, TWinControl)
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;

    QPlainTextEdit* GetPlainTextEdit() const;

    // Owned; SetLines copies Value.
    TStrings* GetLines() const;
    void SetLines(TStrings* Value);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TFormBorderStyle GetBorderStyle() const;
    void SetBorderStyle(TFormBorderStyle Value);
    bool GetHideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value) { FHideSelection = Value; }
    // 0: no limit; typing stops at the limit, text set by code is not cut.
    int GetMaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value) { FMaxLength = Value < 0 ? 0 : Value; }
    bool GetReadOnly() const;
    void SetReadOnly(bool Value);
    TScrollStyle GetScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    // Enter adds a line (or goes to the form's default button); Tab is typed
    // (or moves the focus).
    bool GetWantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    bool GetWantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value);
    bool GetWordWrap() const;
    void SetWordWrap(bool Value);
    bool GetModified() const;
    void SetModified(bool Value);

    // Positions count characters from the start of the text, a line break as two.
    int GetSelStart() const;
    void SetSelStart(int Value);
    int GetSelLength() const;
    void SetSelLength(int Value);
    std::string GetSelText() const;
    void SetSelText(const std::string& Value);
    void SelectAll();
    void Clear();

    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }

protected:
    // After a real change of the text (not while loading); fires OnChange.
    virtual void Change();
    void KeyPress(char& Key) override;
    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    bool FocusesOnClick() const override { return true; }
    std::string RealGetText() const override;
    void RealSetText(const std::string& Value) override;

private:
    friend class TMemoStrings;
    void TextEdited();
    // The character position as the widget counts it (a line break as one).
    int ToWidgetPos(int Pos) const;
    int FromWidgetPos(int Pos) const;

    TOwned<TMemoStrings> FLines;
    TAlignment FAlignment = taLeftJustify;
    bool FHideSelection = true;
    int FMaxLength = 0;
    TScrollStyle FScrollBars = ssNone;
    bool FWantReturns = true;
    bool FWantTabs = false;
    std::string FLastText;  // the text OnChange last saw, to tell real changes
    TNotifyEvent FOnChange;
};

class TMemo : public TCustomMemo {
    ZK_CLASS(TMemo, TCustomMemo)
public:
    explicit TMemo(TComponent* AOwner);
};

// The common base of check boxes and radio buttons over Qt's abstract buttons.
// Clicking by mouse or Space toggles the widget; the control's Click (OnClick)
// follows the widget's state change, also when code sets Checked.
class TButtonControl : public TWinControl {
    ZK_CLASS(TButtonControl, TWinControl)
public:
    // The caption's side of the box; taRightJustify puts it right of the box.
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    virtual bool GetChecked() const = 0;
    virtual void SetChecked(bool Value) = 0;
    bool GetWordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value) { FWordWrap = Value; }

protected:
    TButtonControl(TComponent* AOwner, QWidget* Widget);
    bool FocusesOnClick() const override { return true; }
    std::string RealGetText() const override;
    void RealSetText(const std::string& Value) override;
    // Qt's state changed; Click runs unless the change is being loaded.
    void StateChanged();

private:
    TAlignment FAlignment = taRightJustify;
    bool FWordWrap = false;
};

class TCustomCheckBox : public TButtonControl {
    ZK_CLASS(TCustomCheckBox, TButtonControl)
public:
    explicit TCustomCheckBox(TComponent* AOwner);

    QCheckBox* GetCheckBox() const;
    bool GetChecked() const override;
    void SetChecked(bool Value) override;
    // cbGrayed needs AllowGrayed; without it cbGrayed is taken as cbUnchecked.
    TCheckBoxState GetState() const;
    void SetState(TCheckBoxState Value);
    bool GetAllowGrayed() const;
    void SetAllowGrayed(bool Value);
    bool IsCheckedStored() const { return false; }
};

class TCheckBox : public TCustomCheckBox {
    ZK_CLASS(TCheckBox, TCustomCheckBox)
public:
    explicit TCheckBox(TComponent* AOwner);
};

// Radio buttons with the same parent form one group: checking one unchecks the others.
class TRadioButton : public TButtonControl {
    ZK_CLASS(TRadioButton, TButtonControl)
public:
    explicit TRadioButton(TComponent* AOwner);

    QRadioButton* GetRadioButton() const;
    bool GetChecked() const override;
    void SetChecked(bool Value) override;
};

ZK_EVENT(TMeasureItemEvent, void(TWinControl* Control, int Index, int& Height))

// A drop-down list over QComboBox. Items holds the lines with an object each
// (kept by the widget; the combo box does not own them). ItemIndex and Text
// set by code fire nothing; a user's pick fires OnClick, OnSelect and
// OnChange, a user's typing OnChange.
class TCustomComboBox : public TWinControl {
    ZK_CLASS(TCustomComboBox, TWinControl)
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    QComboBox* GetComboBox() const;

    // Owned; SetItems copies Value.
    TStrings* GetItems() const;
    void SetItems(TStrings* Value);
    // -1 when nothing is selected; an index outside the items selects nothing.
    int GetItemIndex() const;
    void SetItemIndex(int Value);
    TComboBoxStyle GetStyle() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    bool GetSorted() const { return FSorted; }
    void SetSorted(bool Value);
    int GetDropDownCount() const;
    void SetDropDownCount(int Value);
    int GetItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value);
    // The edit field's limit; 0: none.
    int GetMaxLength() const;
    void SetMaxLength(int Value);
    TEditCharCase GetCharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    bool GetAutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool Value);
    bool GetAutoDropDown() const { return FAutoDropDown; }
    void SetAutoDropDown(bool Value) { FAutoDropDown = Value; }
    bool GetDroppedDown() const;
    void SetDroppedDown(bool Value);
    int GetCount() const;
    void Clear();
    void SelectAll();
    // Text is stored only by styles with an edit field.
    bool IsTextStored() const;

    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }
    const TNotifyEvent& GetOnSelect() const { return FOnSelect; }
    void SetOnSelect(const TNotifyEvent& Value) { FOnSelect = Value; }
    const TNotifyEvent& GetOnDropDown() const { return FOnDropDown; }
    void SetOnDropDown(const TNotifyEvent& Value) { FOnDropDown = Value; }
    const TNotifyEvent& GetOnCloseUp() const { return FOnCloseUp; }
    void SetOnCloseUp(const TNotifyEvent& Value) { FOnCloseUp = Value; }
    const TDrawItemEvent& GetOnDrawItem() const { return FOnDrawItem; }
    void SetOnDrawItem(const TDrawItemEvent& Value) { FOnDrawItem = Value; }
    const TMeasureItemEvent& GetOnMeasureItem() const { return FOnMeasureItem; }
    void SetOnMeasureItem(const TMeasureItemEvent& Value) { FOnMeasureItem = Value; }

    void Loaded() override;

protected:
    // A change by the user: the edit field's text or a pick from the list.
    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    void KeyPress(char& Key) override;
    bool FocusesOnClick() const override { return true; }
    std::string RealGetText() const override;
    void RealSetText(const std::string& Value) override;

private:
    friend class TComboBoxStrings;
    void UserPicked(int Index);
    void UserEdited();

    TOwned<TComboBoxStrings> FItems;
    TComboBoxStyle FStyle = csDropDown;
    bool FSorted = false;
    int FItemHeight = 16;
    TEditCharCase FCharCase = ecNormal;
    bool FAutoComplete = true;
    bool FAutoDropDown = false;
    int FLoadedItemIndex = -1;  // ItemIndex read before the items, applied in Loaded
    TNotifyEvent FOnChange;
    TNotifyEvent FOnSelect;
    TNotifyEvent FOnDropDown;
    TNotifyEvent FOnCloseUp;
    TDrawItemEvent FOnDrawItem;
    TMeasureItemEvent FOnMeasureItem;
};

class TComboBox : public TCustomComboBox {
    ZK_CLASS(TComboBox, TCustomComboBox)
public:
    explicit TComboBox(TComponent* AOwner);
};

// A captioned frame around other controls, over QGroupBox; the frame and
// the caption take their room off the area that aligned children share.
class TCustomGroupBox : public TWinControl {
    ZK_CLASS(TCustomGroupBox, TWinControl)
public:
    explicit TCustomGroupBox(TComponent* AOwner);
    QGroupBox* GetGroupBox() const;

protected:
    void AdjustClientRect(TRect& Rect) const override;
    std::string RealGetText() const override;
    void RealSetText(const std::string& Value) override;
    void FontChanged() override;
};

class TGroupBox : public TCustomGroupBox {
    ZK_CLASS(TGroupBox, TCustomGroupBox)
public:
    explicit TGroupBox(TComponent* AOwner);
};

}  // namespace zk
