// TCustomComboBox and TComboBox over QComboBox: items with objects, selection, styles and the
// events of the user's picks and typing.
#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <cassert>

#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/Controls_p.h"
#include "platform/gui/StdCtrls.h"

namespace zk {

namespace {

// Qt's combo box with hooks around its pop-up, which Qt offers only as virtual steps.
class TComboWidget : public QComboBox {
public:
    std::function<void()> OnShowPopup;
    std::function<void()> OnHidePopup;
    void showPopup() override {
        if (OnShowPopup) OnShowPopup();
        QComboBox::showPopup();
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        if (OnHidePopup) OnHidePopup();
    }
};

}  // namespace

// The items live in the widget; an object rides along as the item's data.
// Qt selects the first item a non-editable combo box gets and moves the
// selection when the selected item goes; the framework selects nothing, so
// both are undone here.
class TComboBoxStrings : public TStrings {
public:
    explicit TComboBoxStrings(TCustomComboBox* Combo) : FCombo(Combo) {}

    int GetCount() const override { return Box()->count(); }
    std::string Get(int Index) const override {
        CheckIndex(Index);
        return Box()->itemText(Index).toStdString();
    }
    void Put(int Index, const std::string& S) override {
        CheckIndex(Index);
        Box()->setItemText(Index, QString::fromUtf8(S));
    }
    TObject* GetObject(int Index) const override {
        CheckIndex(Index);
        return reinterpret_cast<TObject*>(Box()->itemData(Index).value<quintptr>());
    }
    void PutObject(int Index, TObject* AObject) override {
        CheckIndex(Index);
        Box()->setItemData(Index, QVariant::fromValue(reinterpret_cast<quintptr>(AObject)));
    }
    void Insert(int Index, const std::string& S) override { InsertObject(Index, S, nullptr); }
    void InsertObject(int Index, const std::string& S, TObject* AObject) override {
        if (Index < 0 || Index > GetCount()) Error("List index out of bounds (%d)", Index);
        KeepSelection([&] {
            Box()->insertItem(Index, QString::fromUtf8(S),
                              QVariant::fromValue(reinterpret_cast<quintptr>(AObject)));
        });
    }
    int Add(const std::string& S) override { return AddObject(S, nullptr); }
    int AddObject(const std::string& S, TObject* AObject) override {
        int Index = GetCount();
        if (FCombo->GetSorted()) {
            Index = 0;
            while (Index < GetCount() && AnsiCompareText(Get(Index), S) <= 0) ++Index;
        }
        InsertObject(Index, S, AObject);
        return Index;
    }
    void Delete(int Index) override {
        CheckIndex(Index);
        const bool WasSelected = Box()->currentIndex() == Index;
        KeepSelection([&] { Box()->removeItem(Index); });
        if (WasSelected) FCombo->SetItemIndex(-1);
    }
    void Clear() override {
        const std::string Text = FCombo->GetText();
        Box()->clear();
        if (Box()->isEditable()) Box()->setEditText(QString::fromUtf8(Text));
    }

private:
    QComboBox* Box() const { return FCombo->GetComboBox(); }
    void CheckIndex(int Index) const {
        if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
    }
    template <class F>
    void KeepSelection(F Change) {
        const bool WasNone = Box()->currentIndex() < 0;
        const QString Text = Box()->currentText();
        Change();
        if (WasNone && Box()->currentIndex() >= 0) {
            Box()->setCurrentIndex(-1);
            if (Box()->isEditable()) Box()->setEditText(Text);
        }
    }

    TCustomComboBox* FCombo;  // owns this list
};

ZK_IMPLEMENT_CLASS(TCustomComboBox)
void TCustomComboBox::DescribeClass(TClassBuilder<TCustomComboBox>& C) {
    C.Redeclare("Color").Default(clWindow);
    C.Redeclare("ParentColor").Default(false);
    C.Redeclare("TabStop").Default(true);
}

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner, MakeControlWidget<TComboWidget>(this)),
      FItems(new TComboBoxStrings(this)) {
    SetControlStyle({csCaptureMouse, csSetCaption, csDoubleClicks, csFixedHeight});
    auto* Box = static_cast<TComboWidget*>(GetWidget());
    Box->setBackgroundRole(QPalette::Base);
    Box->setInsertPolicy(QComboBox::NoInsert);
    Box->setMaxVisibleItems(8);
    Box->OnShowPopup = [this] { SafeCall(this, [this] { DropDown(); }); };
    Box->OnHidePopup = [this] { SafeCall(this, [this] { CloseUp(); }); };
    QObject::connect(Box, &QComboBox::activated, Box, [this](int Index) {
        if (!IsDestroying()) SafeCall(this, [this, Index] { UserPicked(Index); });
    });
    SetColor(clWindow);
    SetTabStop(true);
    SetStyle(csDropDown);
    SetBounds(0, 0, 145, Box->sizeHint().height());
}

TCustomComboBox::~TCustomComboBox() = default;

QComboBox* TCustomComboBox::GetComboBox() const {
    return static_cast<QComboBox*>(GetWidget());
}

TStrings* TCustomComboBox::GetItems() const {
    return FItems.get();
}

void TCustomComboBox::SetItems(TStrings* Value) {
    assert(Value && "SetItems(nullptr): assign lines, the combo box owns its Items");
    if (Value) FItems->Assign(Value);
}

int TCustomComboBox::GetCount() const {
    return FItems->GetCount();
}

void TCustomComboBox::Clear() {
    FItems->Clear();
    SetText(std::string());
}

int TCustomComboBox::GetItemIndex() const {
    return GetComboBox()->currentIndex();
}

void TCustomComboBox::SetItemIndex(int Value) {
    if (IsLoading()) FLoadedItemIndex = Value;
    if (Value < -1 || Value >= GetCount()) Value = -1;
    GetComboBox()->setCurrentIndex(Value);
    if (Value < 0 && GetComboBox()->isEditable()) GetComboBox()->setEditText(QString());
}

void TCustomComboBox::Loaded() {
    TWinControl::Loaded();
    if (FLoadedItemIndex >= 0 && GetItemIndex() != FLoadedItemIndex) SetItemIndex(FLoadedItemIndex);
    FLoadedItemIndex = -1;
}

std::string TCustomComboBox::RealGetText() const {
    return GetComboBox()->currentText().toStdString();
}

// Without an edit field the text can only be that of an item, which gets selected.
void TCustomComboBox::RealSetText(const std::string& Value) {
    QComboBox* Box = GetComboBox();
    if (Box->isEditable()) {
        Box->setEditText(QString::fromUtf8(Value));
        return;
    }
    Box->setCurrentIndex(FItems->IndexOf(Value));
}

bool TCustomComboBox::IsTextStored() const {
    return GetComboBox()->isEditable();
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
    FStyle = Value;
    QComboBox* Box = GetComboBox();
    const bool Editable = Value == csDropDown || Value == csSimple;
    if (Box->isEditable() == Editable) return;
    const int Index = Box->currentIndex();
    Box->setEditable(Editable);
    Box->setCurrentIndex(Index);
    if (!Editable) return;
    // Qt makes a new edit field each time the combo box becomes editable.
    QLineEdit* Edit = Box->lineEdit();
    QObject::connect(Edit, &QLineEdit::textEdited, Edit, [this] {
        if (!IsDestroying()) SafeCall(this, [this] { UserEdited(); });
    });
    SetAutoComplete(FAutoComplete);
}

void TCustomComboBox::SetSorted(bool Value) {
    if (FSorted == Value) return;
    FSorted = Value;
    if (!Value || GetCount() < 2) return;
    // Re-add in order, keeping the selected item selected.
    TOwned<TStringList> Sorted(Create<TStringList>());
    Sorted->Assign(FItems.get());
    const std::string Selected = GetItemIndex() >= 0 ? FItems->Get(GetItemIndex()) : std::string();
    const bool HadSelection = GetItemIndex() >= 0;
    Sorted->Sort();
    FItems->Assign(Sorted.get());
    if (HadSelection) SetItemIndex(FItems->IndexOf(Selected));
}

int TCustomComboBox::GetDropDownCount() const {
    return GetComboBox()->maxVisibleItems();
}

void TCustomComboBox::SetDropDownCount(int Value) {
    GetComboBox()->setMaxVisibleItems(std::max(1, Value));
}

void TCustomComboBox::SetItemHeight(int Value) {
    if (Value <= 0) return;
    FItemHeight = Value;
}

int TCustomComboBox::GetMaxLength() const {
    const QLineEdit* Edit = GetComboBox()->lineEdit();
    if (!Edit) return 0;
    return Edit->maxLength() >= 32767 ? 0 : Edit->maxLength();
}

void TCustomComboBox::SetMaxLength(int Value) {
    if (QLineEdit* Edit = GetComboBox()->lineEdit()) Edit->setMaxLength(Value > 0 ? Value : 32767);
}

void TCustomComboBox::SetCharCase(TEditCharCase Value) {
    FCharCase = Value;
    if (!GetComboBox()->isEditable() || Value == ecNormal) return;
    const std::string Text = GetText();
    SetText(Value == ecUpperCase ? UpperCase(Text) : LowerCase(Text));
}

void TCustomComboBox::SetAutoComplete(bool Value) {
    FAutoComplete = Value;
    QComboBox* Box = GetComboBox();
    if (!Box->isEditable()) return;
    if (!Value) {
        Box->setCompleter(nullptr);
        return;
    }
    auto* Completer = new QCompleter(Box->model(), Box);
    Completer->setCompletionMode(QCompleter::InlineCompletion);
    Completer->setCaseSensitivity(Qt::CaseInsensitive);
    Box->setCompleter(Completer);
}

bool TCustomComboBox::GetDroppedDown() const {
    return GetComboBox()->view()->isVisible();
}

void TCustomComboBox::SetDroppedDown(bool Value) {
    if (Value == GetDroppedDown()) return;
    if (Value)
        GetComboBox()->showPopup();
    else
        GetComboBox()->hidePopup();
}

void TCustomComboBox::SelectAll() {
    if (QLineEdit* Edit = GetComboBox()->lineEdit()) Edit->selectAll();
}

// ---- the user's changes ----

// A pick clicks, then selects; without OnSelect the pick counts as a change.
void TCustomComboBox::UserPicked(int) {
    Click();
    Select();
}

void TCustomComboBox::UserEdited() {
    Change();
}

void TCustomComboBox::Change() {
    if (FOnChange.Assigned()) FOnChange(this);
}

void TCustomComboBox::Select() {
    if (FOnSelect.Assigned())
        FOnSelect(this);
    else
        Change();
}

void TCustomComboBox::DropDown() {
    if (FOnDropDown.Assigned()) FOnDropDown(this);
}

void TCustomComboBox::CloseUp() {
    if (FOnCloseUp.Assigned()) FOnCloseUp(this);
}

void TCustomComboBox::KeyPress(char& Key) {
    TWinControl::KeyPress(Key);
    if (FCharCase == ecUpperCase && Key >= 'a' && Key <= 'z')
        Key = static_cast<char>(Key - 'a' + 'A');
    if (FCharCase == ecLowerCase && Key >= 'A' && Key <= 'Z')
        Key = static_cast<char>(Key - 'A' + 'a');
}

// ---- TComboBox ----

ZK_IMPLEMENT_CLASS(TComboBox)
void TComboBox::DescribeClass(TClassBuilder<TComboBox>& C) {
    C.Prop("Style", &TCustomComboBox::GetStyle, &TCustomComboBox::SetStyle).Default(csDropDown);
    C.Prop("AutoComplete", &TCustomComboBox::GetAutoComplete, &TCustomComboBox::SetAutoComplete)
        .Default(true);
    C.Prop("AutoDropDown", &TCustomComboBox::GetAutoDropDown, &TCustomComboBox::SetAutoDropDown)
        .Default(false);
    C.Prop("CharCase", &TCustomComboBox::GetCharCase, &TCustomComboBox::SetCharCase)
        .Default(ecNormal);
    C.Prop("DropDownCount", &TCustomComboBox::GetDropDownCount, &TCustomComboBox::SetDropDownCount)
        .Default(8);
    C.Prop("ItemHeight", &TCustomComboBox::GetItemHeight, &TCustomComboBox::SetItemHeight)
        .Default(16);
    C.Prop("MaxLength", &TCustomComboBox::GetMaxLength, &TCustomComboBox::SetMaxLength).Default(0);
    C.Prop("Sorted", &TCustomComboBox::GetSorted, &TCustomComboBox::SetSorted).Default(false);
    C.Prop("Items", &TCustomComboBox::GetItems, &TCustomComboBox::SetItems);
    C.Prop("ItemIndex", &TCustomComboBox::GetItemIndex, &TCustomComboBox::SetItemIndex).Default(-1);
    C.Prop("Text", &TControl::GetText, &TControl::SetText)
        .Type(TypeInfoTCaption())
        .Stored(&TCustomComboBox::IsTextStored);
    C.Prop("OnChange", &TCustomComboBox::GetOnChange, &TCustomComboBox::SetOnChange);
    C.Prop("OnCloseUp", &TCustomComboBox::GetOnCloseUp, &TCustomComboBox::SetOnCloseUp);
    C.Prop("OnDrawItem", &TCustomComboBox::GetOnDrawItem, &TCustomComboBox::SetOnDrawItem);
    C.Prop("OnDropDown", &TCustomComboBox::GetOnDropDown, &TCustomComboBox::SetOnDropDown);
    C.Prop("OnMeasureItem", &TCustomComboBox::GetOnMeasureItem, &TCustomComboBox::SetOnMeasureItem);
    C.Prop("OnSelect", &TCustomComboBox::GetOnSelect, &TCustomComboBox::SetOnSelect);
}

TComboBox::TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}

}  // namespace zk
